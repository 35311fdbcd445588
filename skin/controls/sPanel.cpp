#include "skin/controls/sPanel.h"

#include <algorithm>

#include "skin/core/Sborders.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/graphics.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TBevelCut;
using vcl::TColor;
using vcl::TMessage;
using vcl::TRect;

namespace {

// The section that belongs to an outer bevel; none for bvSpace.
const wchar_t* BevelSection(TBevelCut Bevel)
{
    switch (Bevel) {
    case TBevelCut::bvNone: return L"CHECKBOX";
    case TBevelCut::bvLowered: return L"PANEL_LOW";
    case TBevelCut::bvRaised: return L"PANEL";
    default: return nullptr;
    }
}

}  // namespace

TsPanel::TsPanel(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckPanel) {}

void TsPanel::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsPanel::SkinData, &TsPanel::SetSkinData);
}

void TsPanel::Loaded()
{
    inherited::Loaded();
    FOldBevel = BevelOuter();
}

void TsPanel::PaintWindow(HDC DC)
{
    if (!(ControlState().Contains(vcl::TControlStateItem::csPaintCopy) && SkinData()->Skinned()))
        vcl::TPanel::PaintWindow(DC);
    OurPaint(DC, true);
}

void TsPanel::Paint()
{
    vcl::TPanel::Paint();
    if (Showing() && FOnPaint)
        FOnPaint(this, Canvas());
}

int TsPanel::FrameWidth() const
{
    const int bevels = (BevelInner() != TBevelCut::bvNone) + (BevelOuter() != TBevelCut::bvNone);
    return bevels * BevelWidth() + BorderWidth();
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsPanel::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    if (Cmd == scmdSkinLoaded || Cmd == scmdSkinRemoved) {
        vcl::TControlStyle style = ControlStyle();
        style >> vcl::TControlStyleItem::csOpaque;
        SetControlStyle(style);
    }
    return inherited::EarlySkinCommand(Cmd, Message);
}

void TsPanel::QueryBackground(TacBGInfo& BGInfo)
{
    inherited::QueryBackground(BGInfo);
    // A window border lies around the client area the children see.
    if (ClientRect().Width() != Width() && BGInfo.BgKind == 2 && !BGInfo.FillNow) {
        const int shift = FrameWidth();
        BGInfo.Offset = BGInfo.Offset + vcl::TPoint(shift, shift);
    }
}

void TsPanel::UnskinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (!FOnPaint)  // an OnPaint handler paints the whole face
            InheritedWndProc(Message);
        return;
    case WM_PRINT:
        if (FOnPaint) {
            FOnPaint(this, Canvas());
            if (const auto dc = reinterpret_cast<HDC>(Message.WParam))
                BitBlt(dc, 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        return;
    default:
        InheritedWndProc(Message);
    }
}

bool TsPanel::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (SkinCommandOf(Message) == scmdQueryChanging) {
        Message.Result = QueryChanging();
        return true;
    }
    switch (Message.Msg) {
    case WM_PAINT:
        if (!Visible())
            return false;
        WMPaint(Message);
        return true;
    case WM_ERASEBKGND:
        WMEraseBkgnd(Message);
        return true;
    case WM_PRINT:
        WMPrint(Message);
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InheritedWndProc(Message);
        return true;
    case vcl::CM_TEXTCHANGED:
        if (Parent())
            data.Invalidate();
        return true;
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        data.FUpdating = false;
        InheritedWndProc(Message);
        return true;
    case WM_SIZE:
        data.BGChanged = true;
        return false;
    case WM_WINDOWPOSCHANGING:
        if (data.Section().Transparency != 0)
            data.BGChanged = true;
        return false;
    case vcl::CM_COLORCHANGED:
        if (data.CustomColor())
            data.BGChanged = true;
        return false;
    case vcl::CM_SHOWINGCHANGED:
        if (acFreeHiddenCaches && Visible())
            data.FUpdating = false;
        return false;
    case vcl::CM_INVALIDATE:
        FollowBevel();
        return false;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsPanel::AfterInherited(TMessage& Message)
{
    if (Message.Msg == WM_SETFONT && !Caption().empty()) {
        SkinData()->BGChanged = true;
        Repaint();
    } else if (Message.Msg == vcl::CM_ENABLEDCHANGED) {
        SkinData()->Invalidate();
    }
}

LRESULT TsPanel::QueryChanging() const
{
    const TsCommonData& data = *SkinData();
    if (data.GetUpdating())
        return 1;
    if (data.FCacheBmp && data.FCacheBmp->Width() == Width() && data.FCacheBmp->Height() == Height())
        return 0;
    return IsCached(data) && !data.CustomColor() ? 1 : 0;
}

void TsPanel::FollowBevel()
{
    const TBevelCut bevel = BevelOuter();
    if (bevel == FOldBevel)
        return;
    const wchar_t* oldSection = BevelSection(FOldBevel);
    const wchar_t* newSection = BevelSection(bevel);
    if (oldSection && newSection && SkinData()->SkinSection() == oldSection)
        SkinData()->SetSkinSection(newSection);
    FOldBevel = bevel;
}

// The whole panel is copied from the cache through its own DC, not only the invalid region.
void TsPanel::WMPaint(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    PAINTSTRUCT ps;
    FInBeginPaint = true;
    FPaintedOnErase = false;
    BeginPaint(Handle(), &ps);
    FInBeginPaint = false;
    data.FUpdating = data.GetUpdating();
    if (IsCached(data) && !data.FUpdating) {
        const auto given = reinterpret_cast<HDC>(Message.WParam);
        const HDC dc = given ? given : GetDC(Handle());
        {
            const vcl::TSavedDC saved(dc);
            vcl::TControlState state = ControlState();
            SetControlState(state << vcl::TControlStateItem::csCustomPaint);
            Canvas()->PaintOn(dc, [&] { OurPaint(dc, true); });
            state = ControlState();
            SetControlState(state >> vcl::TControlStateItem::csCustomPaint);
        }
        if (!given)
            ReleaseDC(Handle(), dc);
    } else if (!ControlStyle().Contains(vcl::TControlStyleItem::csParentBackground) && !FPaintedOnErase) {
        OurPaint(ps.hdc, true);
    }
    EndPaint(Handle(), &ps);
    Message.Result = 0;
}

void TsPanel::WMEraseBkgnd(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if (Message.LParam == LPARAM(Message.WParam) && dc) {  // our own erase, which repeats the DC
        if (data.BGChanged)
            PrepareCache();
        if (!data.BGChanged) {
            if (IsCached(data))
                BlitBitmap(dc, TRect(0, 0, Width(), Height()), data.FCacheBmp.get(), vcl::TPoint(0, 0));
            else
                FillDC(dc, TRect(0, 0, Width(), Height()), GetControlColor(Handle()));
        }
    } else {
        data.FUpdating = data.GetUpdating();
        if (!IsCached(data) && !data.FUpdating) {
            OurPaint(dc, true);
            FPaintedOnErase = FInBeginPaint;
        }
    }
    Message.Result = 1;
}

void TsPanel::WMPrint(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = false;
    if (!ControlIsReady(this))
        return;
    if (!IsCached(data) && !data.FCacheBmp)
        data.FCacheBmp = CreateBmp32(0, 0);
    PrepareCache();
    OurPaint(reinterpret_cast<HDC>(Message.WParam), false);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsPanel::PrepareCache()
{
    if (!IsCached(*SkinData()) && !InAnimationProcess)
        return;
    inherited::PrepareCache();
    vcl::TCanvas* canvas = SkinData()->FCacheBmp->Canvas();
    const TCanvasLock lock(canvas);
    WriteText(CaptionRect(), canvas, nullptr);
    if (FOnPaint)
        FOnPaint(this, canvas);
}

void TsPanel::PaintDirect(HDC DC)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = false;
    {
        const vcl::TSavedDC saved(DC);
        ExcludeControls(DC, this, 0, 0);
        PaintDirectBackground(DC);
        PaintContentOn(DC);
        data.BGChanged = false;
    }
    skin::PaintControls(DC, this, vcl::TPoint(0, 0));
}

void TsPanel::PaintDirectBackground(HDC DC)
{
    TsCommonData& data = *SkinData();
    TacBGInfo bg;
    TColor own = data.Section().Color;
    if (data.CustomColor()) {
        own = TColor(vcl::ColorToRGB(Color()));
        bg.Color = own;
        bg.BgKind = 1;
    } else {
        GetBGInfo(bg, static_cast<vcl::TControl*>(Parent()), false);
    }
    PaintSectionDirect(DC, data, TRect(0, 0, Width(), Height()), bg, own);
}

vcl::TRect TsPanel::CaptionRect()
{
    const int frame = FrameWidth();
    return ClientRect().Inflated(-frame, -frame);
}

void TsPanel::PaintContentOn(HDC DC)
{
    vcl::TObjectPtr<vcl::TCanvas> canvas(vcl::Create<vcl::TCanvas>());
    canvas->SetHandle(DC);
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    WriteText(CaptionRect(), canvas.get(), nullptr);
    if (FOnPaint)
        FOnPaint(this, canvas.get());
    canvas->SetHandle(nullptr);
}

void TsPanel::WriteText(TRect R, vcl::TCanvas* Canvas, HDC DC)
{
    if (!ShowCaption() || (!Canvas && !DC))
        return;
    vcl::TObjectPtr<vcl::TCanvas> bound;
    if (!Canvas) {
        bound.reset(vcl::Create<vcl::TCanvas>());
        bound->SetHandle(DC);
        Canvas = bound.get();
    }
    Canvas->SetFont(Font());
    UINT flags = UINT(GetStringFlags(this, Alignment()));
    if (VerticalAlignment() == vcl::TVerticalAlignment::taVerticalCenter) {
        flags |= DT_WORDBREAK;
        TRect measured = R;
        Canvas->TextRect(measured, Caption(), flags | DT_CALCRECT);
        const int height = std::max(int(measured.Height()), 0);
        R.top = (R.Height() - height) / 2 + BorderWidth();
        R.bottom = R.top + height;
    } else {
        flags = (flags | DT_SINGLELINE) & ~UINT(DT_VCENTER | DT_WORDBREAK);
        if (VerticalAlignment() == vcl::TVerticalAlignment::taAlignBottom)
            flags |= DT_BOTTOM;
    }
    acWriteTextEx(Canvas, Caption(), Enabled(), R, flags, *SkinData(), false);
    if (bound)
        bound->SetHandle(nullptr);
}

}  // namespace skin
