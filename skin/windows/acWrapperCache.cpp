// The wrapper's cache: the window's skinned background and border rendered into its skin data's
// cache, and the border's transparent corners showing the background beneath.
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

namespace {

// A parent answers this kind while its own background is not ready to give.
constexpr uint8_t BackgroundNotReady = 3;

// The system's window colour framed by the skin's border colour: a control of a skinned system
// dialog. False when the skin has no border colour (magenta).
bool PaintDialogLook(vcl::TBitmap* Cache)
{
    if (!DefaultManager || !DefaultManager->SkinData)
        return false;
    const vcl::TColor border = DefaultManager->SkinData->BorderColor;
    if (border == vcl::clFuchsia)
        return false;
    const vcl::TRect all(0, 0, Cache->Width(), Cache->Height());
    const HDC dc = Cache->Canvas()->Handle();
    FillDC(dc, all, vcl::clWindow);
    FillDCBorder(dc, all, 1, 1, 1, 1, border);
    return true;
}

// The section over the parent's background, as the window stands in its parent; false when its
// place in the parent is not known.
bool PaintSkinLook(TsCommonData* SkinData, HWND Handle, const vcl::TRect& Window, const TCacheInfo& CI,
                   bool UpdateCorners)
{
    POINT place = Window.TopLeft();
    const HWND parent = GetParent(Handle);
    if (!parent || !ScreenToClient(parent, &place))
        return false;
    const TsSkinManager* manager = SkinData->SkinManager();
    if (manager && manager->IsValidSkinIndex(SkinData->SkinIndex)) {
        const bool hot = (SkinData->FFocused || SkinData->FMouseAbove) && MayBeHot(SkinData);
        vcl::TBitmap* cache = SkinData->FCacheBmp.get();
        PaintItem(*SkinData, CI, hot ? 1 : 0, vcl::TRect(0, 0, cache->Width(), cache->Height()),
                  vcl::TPoint(place.x, place.y), cache, UpdateCorners);
    }
    return true;
}

// A disabled class-library control: the cache blended as the window chooses.
void PaintDisabledLook(TsCommonData* SkinData, HWND Handle)
{
    vcl::TControl* owner = SkinData->FOwnerControl;
    if (!owner || owner->Enabled())
        return;
    TsDisabledKind kind{TsDisabledKindItem::dkBlended};
    SendAMessage(Handle, scmdQueryDisabledKind, reinterpret_cast<LPARAM>(&kind));
    const TCacheInfo beneath = GetParentCache(*SkinData);
    BmpDisabledKind(PixelsOf(SkinData->FCacheBmp.get()), kind, GetControlColor(owner->Parent()), CacheView(beneath),
                    vcl::TPoint(owner->Left(), owner->Top()));
}

}  // namespace

void PrepareCache(TsCommonData* SkinData, HWND Handle, bool DlgMode)
{
    if (!SkinData || !SkinData->BGChanged || !Handle)
        return;
    vcl::TRect window;
    GetWindowRect(Handle, &window);
    InitCacheBmp(*SkinData);
    TCacheInfo ci = acEmptyCI;
    if (const HWND parent = GetParent(Handle)) {
        TacBGInfo info;
        GetBGInfo(info, parent, false);
        if (info.BgKind == BackgroundNotReady) {
            SkinData->FUpdating = true;
            return;
        }
        ci = BGInfoToCI(info);
    }
    vcl::TBitmap* cache = SkinData->FCacheBmp.get();
    cache->SetSize(window.Width(), window.Height());
    if (!(DlgMode && PaintDialogLook(cache)) && !PaintSkinLook(SkinData, Handle, window, ci, !DlgMode))
        return;
    PaintDisabledLook(SkinData, Handle);
    SkinData->BGChanged = false;
}

void FillTransparentCorners(TsCommonData* SkinData, int State, const TacMainWnd* Wnd)
{
    TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    if (!manager || Wnd->DlgMode || !manager->IsValidImgIndex(SkinData->BorderIndex) || !SkinData->FCacheBmp ||
        Wnd->WndSize.cx <= 1 || Wnd->WndSize.cy <= 1)
        return;
    const TCacheInfo ci = GetParentCacheHwnd(Wnd->CtrlHandle);
    const TsMaskData& mask = manager->ma[size_t(SkinData->BorderIndex)];
    TCornerImage image;
    image.Size = vcl::TSize(WidthOfImage(mask), HeightOfImage(mask));
    if (image.Size.cx == 0 || image.Size.cy == 0)
        return;
    TCornerBackground background;
    TPixelView parent;
    if (ci.Ready) {
        parent = PixelsOf(ci.Bmp);
        background.Parent = &parent;
        background.Offset = vcl::TPoint(ci.X + Wnd->WndPos.x, ci.Y + Wnd->WndPos.y);
    } else {
        const vcl::TColor fill = vcl::TColor(vcl::ColorToRGB(ci.FillColor));
        if (fill == vcl::clFuchsia)
            return;
        background.Fill = fill;
    }
    image.Pixels = ImagePixels(mask);
    image.Origin = StateImageOrigin(mask, std::min(State, mask.ImageCount - 1));
    image.WL = mask.WL;
    image.WT = mask.WT;
    image.WR = mask.WR;
    image.WB = mask.WB;
    image.ColourKeyed = mask.MaskType == 0;
    FillCornerPixels(PixelsOf(SkinData->FCacheBmp.get()), image, background);
}

}  // namespace skin
