// The background query: what lies beneath a control, asked of the window or control beneath it,
// and its answer as a background record for the painters.
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TColor;

namespace {

enum class TAnswer { Described, Painted, None };

// Asks with scmdQueryBackground through Query; when nobody describes the background and the
// caller wanted it drawn (FillNow), the asked one paints itself through Dispatch into DC, at
// Offset, within R (which comes back moved by Offset).
template<class Query, class Dispatch>
TAnswer AskBackground(TacBGInfo& BGInfo, bool PleaseDraw, Query query, Dispatch dispatch)
{
    const bool fillNow = BGInfo.FillNow;
    BGInfo.BgKind = 0;
    BGInfo.FillNow = PleaseDraw;
    query(SkinCommandWParam(scmdQueryBackground), reinterpret_cast<LPARAM>(&BGInfo));
    if (BGInfo.BgKind != 0)
        return TAnswer::Described;
    if (!fillNow)
        return TAnswer::None;
    const HDC dc = BGInfo.DC;
    const vcl::TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -BGInfo.Offset.x, -BGInfo.Offset.y, nullptr);
    BGInfo.R.Offset(BGInfo.Offset.x, BGInfo.Offset.y);
    IntersectClipRect(dc, BGInfo.R.left, BGInfo.R.top, BGInfo.R.right, BGInfo.R.bottom);
    dispatch(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    dispatch(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    return TAnswer::Painted;
}

}  // namespace

bool GetBGInfo(TacBGInfo& BGInfo, HWND Handle, bool PleaseDraw)
{
    const auto send = [Handle](UINT Msg, WPARAM WParam, LPARAM LParam) {
        return SendMessageW(Handle, Msg, WParam, LParam);
    };
    const auto query = [&send](WPARAM WParam, LPARAM LParam) { return send(SkinCommandMessage, WParam, LParam); };
    const TAnswer answer = AskBackground(BGInfo, PleaseDraw, query, send);
    if (answer == TAnswer::None) {
        BGInfo.Color = DefaultManager ? DefaultManager->GetGlobalColor() : vcl::clBtnFace;
        BGInfo.BgKind = 1;
    }
    return answer == TAnswer::Described;
}

bool GetBGInfo(TacBGInfo& BGInfo, vcl::TControl* Control, bool PleaseDraw)
{
    if (!Control)
        return false;
    auto* windowed = dynamic_cast<vcl::TWinControl*>(Control);
    const auto dispatch = [Control](UINT Msg, WPARAM WParam, LPARAM LParam) {
        return Control->Perform(Msg, WParam, LParam);
    };
    // A control with a window of its own is asked at its window, any other by its own dispatch.
    const auto query = [&](WPARAM WParam, LPARAM LParam) {
        return windowed && windowed->HandleAllocated()
                   ? SendMessageW(windowed->Handle(), SkinCommandMessage, WParam, LParam)
                   : dispatch(SkinCommandMessage, WParam, LParam);
    };
    const TAnswer answer = AskBackground(BGInfo, PleaseDraw, query, dispatch);
    if (answer != TAnswer::None)
        return answer == TAnswer::Described;
    BGInfo.BgKind = 1;
    // An answer of 0 is no answer, so a black background cannot be answered this way.
    const LRESULT colour = dispatch(SkinCommandMessage, SkinCommandWParam(scmdQueryColor), 0);
    BGInfo.Color = colour != 0 ? TColor(int32_t(colour)) : TColor(vcl::ColorToRGB(Control->Color()));
    if (BGInfo.FillNow && BGInfo.Bmp)
        FillDC(BGInfo.DC, BGInfo.R, BGInfo.Color);
    return false;
}

TCacheInfo BGInfoToCI(const TacBGInfo& BGInfo)
{
    if (BGInfo.BgKind == 2)
        return MakeCacheInfo(BGInfo.Bmp, BGInfo.Offset.x, BGInfo.Offset.y);
    TCacheInfo ci;
    ci.X = BGInfo.Offset.x;
    ci.Y = BGInfo.Offset.y;
    ci.FillColor = TColor(vcl::ColorToRGB(BGInfo.Color));
    return ci;
}

TCacheInfo BackgroundOf(vcl::TControl* Control)
{
    if (!Control)
        return acEmptyCI;
    TacBGInfo info;
    GetBGInfo(info, Control, false);
    return BGInfoToCI(info);
}

TCacheInfo GetParentCache(vcl::TControl* Control)
{
    return Control ? BackgroundOf(Control->Parent()) : acEmptyCI;
}

}  // namespace skin
