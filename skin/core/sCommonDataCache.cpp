// The cache bitmap of a skinned control: what lies beneath it, and its copy onto the screen around
// the children that paint themselves.
#include "skin/core/sCommonData.h"

#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TControl;
using vcl::TRect;
using vcl::TWinControl;

namespace {

// The background a window answers, as a background record.
TCacheInfo AskWindow(HWND Wnd)
{
    TacBGInfo info;
    GetBGInfo(info, Wnd, false);
    return BGInfoToCI(info);
}

// The child lies wholly outside R.
bool Outside(const TRect& Child, const TRect& R)
{
    return Child.left >= R.right || Child.top >= R.bottom || R.left >= Child.right || R.top >= Child.bottom;
}

void Exclude(HDC DC, const TRect& R) { ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom); }

// A group box button of a dialog: only its frame covers what lies beneath it.
bool IsGroupBox(HWND Wnd)
{
    const LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    return (style & 0x7) == BS_GROUPBOX && !(GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

void ExcludeGroupBoxFrame(HDC DC, HWND Child, const TRect& R)
{
    if (!DefaultManager)
        return;
    const int mask = DefaultManager->GetMaskIndex(L"GROUPBOX", L"BORDERSMASK");
    // Without the skin's frame of a group box its widths are unknown: the box is left out whole.
    if (!DefaultManager->IsValidImgIndex(mask)) {
        Exclude(DC, R);
        return;
    }
    const int captionHeight = int(SendAMessage(Child, scmdQueryManager));
    const int left = DefaultManager->MaskWidthLeft(mask), right = DefaultManager->MaskWidthRight(mask),
              bottom = DefaultManager->MaskWidthBottom(mask);
    Exclude(DC, TRect(R.left, R.top, R.right, R.top + captionHeight));
    Exclude(DC, TRect(R.left, R.top, R.left + left, R.bottom));
    Exclude(DC, TRect(R.right - right, R.top, R.right, R.bottom));
    Exclude(DC, TRect(R.left, R.bottom - bottom, R.right, R.bottom));
}

// Copies the cache onto DstRect of DC, whose clipping Exclusions has narrowed; DC's state comes
// back as it was, also when the copy fails.
template<class F>
void CopyCacheClipped(TsCommonData& SkinData, const TRect& SrcRect, const TRect& DstRect, HDC DC, F Exclusions)
{
    const vcl::TSavedDC saved(DC);
    IntersectClipRect(DC, DstRect.left, DstRect.top, DstRect.right, DstRect.bottom);
    Exclusions();
    vcl::TCanvas* cache = SkinData.FCacheBmp->Canvas();
    const TCanvasLock lock(cache);
    BitBlt(DC, DstRect.left, DstRect.top, DstRect.Width(), DstRect.Height(), cache->Handle(), SrcRect.left,
           SrcRect.top, SRCCOPY);
}

}  // namespace

void InitCacheBmp(TsCommonData& SkinData)
{
    if (!SkinData.FCacheBmp)
        SkinData.FCacheBmp = CreateBmp32(0, 0);
    vcl::TBitmap& cache = *SkinData.FCacheBmp;
    if (cache.HandleType() != vcl::TBitmapHandleType::bmDIB)
        cache.SetHandleType(vcl::TBitmapHandleType::bmDIB);
    if (const TControl* owner = SkinData.FOwnerControl) {
        if (const int width = std::max(owner->Width(), 0); cache.Width() != width)
            cache.SetWidth(width);
        if (const int height = std::max(owner->Height(), 0); cache.Height() != height)
            cache.SetHeight(height);
    }
}

TCacheInfo GetParentCache(const TsCommonData& SkinData)
{
    TControl* owner = SkinData.FOwnerControl;
    if (SkinData.Skinned() && owner) {
        if (owner->Parent())
            return GetParentCache(owner);
        if (auto* windowed = dynamic_cast<TWinControl*>(owner); windowed && windowed->HandleAllocated())
            return AskWindow(GetParent(windowed->Handle()));
    }
    TCacheInfo ci;
    ci.FillColor = GetBGColor(SkinData, 0, nullptr);
    return ci;
}

TCacheInfo GetParentCacheHwnd(HWND Wnd)
{
    const HWND parent = Wnd ? GetParent(Wnd) : nullptr;
    if (!parent)
        return acEmptyCI;
    return AskWindow(parent);
}

void CopyWinControlCache(TWinControl* Wnd, TsCommonData& SkinData, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                         bool UpdateCorners, int OffsetX, int OffsetY)
{
    if (!SkinData.FCacheBmp)
        return;
    if (UpdateCorners)
        skin::UpdateCorners(SkinData, 0);
    const bool designing = Wnd->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    CopyCacheClipped(SkinData, SrcRect, DstRect, DC, [&] {
        for (int i = 0; i < Wnd->ControlCount(); ++i) {
            TControl* child = Wnd->Controls(i);
            if (!child->Visible() || child->InheritsFrom(L"TsSplitter") || Outside(child->BoundsRect(), DstRect))
                continue;
            const bool windowed = dynamic_cast<TWinControl*>(child) != nullptr;
            if (windowed && !designing && !child->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque))
                continue;
            TRect r = child->BoundsRect();
            r.Offset(OffsetX, OffsetY);
            Exclude(DC, r);
        }
    });
}

void CopyHwndCache(HWND Wnd, TsCommonData& SkinData, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                   bool UpdateCorners, int OffsetX, int OffsetY)
{
    if (!SkinData.FCacheBmp)
        return;
    if (UpdateCorners)
        skin::UpdateCorners(SkinData, 0);
    RECT own;
    GetWindowRect(Wnd, &own);
    CopyCacheClipped(SkinData, SrcRect, DstRect, DC, [&] {
        for (HWND child = GetTopWindow(Wnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child))
                continue;
            RECT wr;
            GetWindowRect(child, &wr);
            TRect r(wr.left, wr.top, wr.right, wr.bottom);
            r.Offset(-own.left - OffsetX, -own.top - OffsetY);
            if (IsGroupBox(child))
                ExcludeGroupBoxFrame(DC, child, r);
            else
                Exclude(DC, r);
        }
    });
}

}  // namespace skin
