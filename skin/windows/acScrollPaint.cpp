// The skinned scroll bars painted into their window's frame: each bar composed in a bitmap of
// its own from the skin's sections (the track split at the thumb's centre, the arrows, the
// thumb, glyphs on the arrows and the thumb), dimmed while it cannot scroll, and copied at once;
// the box between the bars shows the background and, where it is the size grip, the grip image.
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

namespace {

using TIndexField = vcl::SmallInt TConstantSkinData::*;

// How a part of a bar is found in the skin: its section, border image, textures and glyph.
struct TScrollPartSkin {
    const wchar_t* Section;
    TIndexField Index, Mask, Texture, HotTexture;
    TIndexField Glyph;  // none for the track
};

// Where a part's glyph is centred: the arrows' in a box of the system's arrow at the bar's outer
// end, the thumb's over the whole part.
enum class TGlyphBox { Start, End, Whole };

// The parts of one orientation.
struct TBarSkin {
    TScrollPartSkin TrackBefore, TrackAfter, FirstArrow, SecondArrow, Thumb;
};

using C = TConstantSkinData;
constexpr TBarSkin HorzBarSkin{
    {L"SCROLLBAR1H", &C::IndexScrollBar1H, &C::MaskScrollBar1H, &C::BGScrollBar1H, &C::BGHotScrollBar1H, nullptr},
    {L"SCROLLBAR2H", &C::IndexScrollBar2H, &C::MaskScrollBar2H, &C::BGScrollBar2H, &C::BGHotScrollBar2H, nullptr},
    {L"SCROLLBTNLEFT", &C::IndexScrollLeft, &C::MaskScrollLeft, &C::IndexBGScrollLeft, &C::IndexBGHotScrollLeft,
     &C::MaskArrowLeft},
    {L"SCROLLBTNRIGHT", &C::IndexScrollRight, &C::MaskScrollRight, &C::IndexBGScrollRight, &C::IndexBGHotScrollRight,
     &C::MaskArrowRight},
    {L"SCROLLSLIDERH", &C::IndexSliderHorz, &C::MaskSliderHorz, &C::ScrollSliderBGHorz, &C::ScrollSliderBGHotHorz,
     &C::MaskSliderGlyphHorz},
};
constexpr TBarSkin VertBarSkin{
    {L"SCROLLBAR1V", &C::IndexScrollBar1V, &C::MaskScrollBar1V, &C::BGScrollBar1V, &C::BGHotScrollBar1V, nullptr},
    {L"SCROLLBAR2V", &C::IndexScrollBar2V, &C::MaskScrollBar2V, &C::BGScrollBar2V, &C::BGHotScrollBar2V, nullptr},
    {L"SCROLLBTNTOP", &C::IndexScrollTop, &C::MaskScrollTop, &C::IndexBGScrollTop, &C::IndexBGHotScrollTop,
     &C::MaskArrowTop},
    {L"SCROLLBTNBOTTOM", &C::IndexScrollBottom, &C::MaskScrollBottom, &C::IndexBGScrollBottom,
     &C::IndexBGHotScrollBottom, &C::MaskArrowBottom},
    {L"SCROLLSLIDERV", &C::IndexSliderVert, &C::MaskSliderVert, &C::ScrollSliderBGVert, &C::ScrollSliderBGHotVert,
     &C::MaskSliderGlyphVert},
};

// The states of a bar's parts: 0 normal, 1 hot, 2 pressed.
struct TPartStates {
    int TrackBefore = 0, TrackAfter = 0, FirstArrow = 0, SecondArrow = 0, Thumb = 0;
};

// The section of a part painted over R of Target; the background beneath is CI at pP.
void PaintScrollSection(const TScrollPartSkin& Part, TsSkinManager* Manager, const TCacheInfo& CI, int State,
                        const TRect& R, const TPoint& pP, vcl::TBitmap* Target)
{
    const TConstantSkinData& c = Manager->ConstData;
    PaintItemFast(c.*Part.Index, c.*Part.Mask, c.*Part.Texture, c.*Part.HotTexture, CI, State, R, pP, Target, Manager);
}

// Copies Src whole onto DC at (X, Y).
void CopyToDC(HDC DC, int X, int Y, vcl::TBitmap* Src)
{
    BitBlt(DC, X, Y, Src->Width(), Src->Height(), Src->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// An arrow or the thumb over R of the bar's bitmap, through a bitmap of the part's size: the
// section over the bar's pixels beneath, then the glyph.
void PaintScrollPart(const TScrollPartSkin& Part, bool Vertical, TGlyphBox Box, const TRect& R, int State,
                     vcl::TBitmap* Target, TsSkinManager* Manager)
{
    const std::unique_ptr<vcl::TBitmap> part = CreateBmp32(std::max(R.Width(), LONG(0)), std::max(R.Height(), LONG(0)));
    const TRect whole(0, 0, part->Width(), part->Height());
    PaintScrollSection(Part, Manager, MakeCacheInfo(Target, R.left, R.top), State, whole, TPoint(0, 0), part.get());
    const int s = acScrollWidth;
    TRect glyph = whole;
    if (Box == TGlyphBox::Start)
        (Vertical ? glyph.bottom : glyph.right) = s;
    else if (Box == TGlyphBox::End)
        (Vertical ? glyph.top : glyph.left) = (Vertical ? whole.bottom : whole.right) - s;
    Ac_DrawCenteredGlyph(part.get(), Manager->ConstData.*Part.Glyph, State, glyph, Manager);
    CopyToDC(Target->Canvas()->Handle(), R.left, R.top, part.get());
}

// The bar's bitmap from its layout: the track halves over the window's background CI (the bar
// standing at BarPos in the window), then the arrows and the thumb.
std::unique_ptr<vcl::TBitmap> ComposeBar(bool Vertical, const TSize& Size, const TBarPaintLayout& Layout,
                                         const TPartStates& States, const TCacheInfo& CI, const TPoint& BarPos,
                                         TsSkinManager* Manager)
{
    const TBarSkin& skin = Vertical ? VertBarSkin : HorzBarSkin;
    std::unique_ptr<vcl::TBitmap> bar = CreateBmp32(Size.cx, Size.cy);
    const auto at = [&](const TRect& R) { return TPoint(BarPos.x + R.left, BarPos.y + R.top); };
    PaintScrollSection(skin.TrackBefore, Manager, CI, States.TrackBefore, Layout.TrackBefore, at(Layout.TrackBefore),
                       bar.get());
    PaintScrollSection(skin.TrackAfter, Manager, CI, States.TrackAfter, Layout.TrackAfter, at(Layout.TrackAfter),
                       bar.get());
    PaintScrollPart(skin.FirstArrow, Vertical, TGlyphBox::Start, Layout.FirstArrow, States.FirstArrow, bar.get(),
                    Manager);
    PaintScrollPart(skin.SecondArrow, Vertical, TGlyphBox::End, Layout.SecondArrow, States.SecondArrow, bar.get(),
                    Manager);
    if (Layout.ThumbShown)
        PaintScrollPart(skin.Thumb, Vertical, TGlyphBox::Whole, Layout.Thumb, States.Thumb, bar.get(), Manager);
    return bar;
}

// What lies beneath the window's frame: its own answer, read at the frame's place in a form's
// picture when a provider owns the skin data.
TCacheInfo FrameBackground(const TacScrollWnd* Wnd, HWND Handle)
{
    TacBGInfo info;
    GetBGInfo(info, Handle, false);
    if (const auto* provider = dynamic_cast<const TsSkinProvider*>(Wnd->SkinData->FOwnerObject)) {
        const TacBorderGeometry* border = provider->BorderForm.get();
        const TsSkinManager* manager = Wnd->SkinManager;
        info.Offset = border && manager ? TPoint(DiffBorder(border) + manager->FormShadowSize.left,
                                                 DiffTitle(border) + manager->FormShadowSize.top)
                                        : TPoint(0, 0);
    }
    return BGInfoToCI(info);
}

// A bar that cannot scroll: blended 60 % toward the background beneath its place R.
void PaintInactiveLook(const TacScrollWnd* Wnd, HWND Handle, const TRect& R, vcl::TBitmap* Bar)
{
    TCacheInfo ci = BGInfoToCI([&] {
        TacBGInfo info;
        GetBGInfo(info, Handle, false);
        return info;
    }());
    if (dynamic_cast<const TsSkinProvider*>(Wnd->SkinData->FOwnerObject))
        ci.X = ci.Y = 0;
    const TPixelView pixels = PixelsOf(Bar);
    if (ci.Ready && ci.Bmp) {
        TRect source = R;
        source.Offset(ci.X, ci.Y);
        BlendTransRectangle(pixels, 0, 0, PixelsOf(ci.Bmp), source, 0.4, vcl::clFuchsia);
    } else {
        FadeBmp(pixels, TRect(0, 0, Bar->Width() + 1, Bar->Height() + 1), 60, TsColor(ci.FillColor), 0, 0);
    }
}

// The part of the bar under the hovering mouse in this window; NoPart when none.
int HotPart(const TacScrollBar* Bar, HWND Handle, bool Active)
{
    const TacScrollInteraction& s = acScrollState;
    return Active && Handle == s.hActiveWnd && s.nHotBar == Bar->nBarType ? s.nHotPortion : NoPart;
}

// The parts' states: the pressed part of this window's press, the hot one of its hover.
TPartStates PartStates(int Pressed, int Hot)
{
    TPartStates states;
    states.TrackBefore = Pressed == TrackBeforePart ? 2 : 0;
    states.TrackAfter = Pressed == TrackAfterPart ? 2 : 0;
    states.FirstArrow = Pressed == FirstArrowPart ? 2 : Hot == FirstArrowPart ? 1 : 0;
    states.SecondArrow = Pressed == SecondArrowPart ? 2 : Hot == SecondArrowPart ? 1 : 0;
    states.Thumb = Hot == ThumbPart ? 1 : 0;
    return states;
}

// The bar may be painted now: a bar whose thumb is dragged shows the thumb where the drag puts
// it, which only the drag paints.
bool BarPaintable(const TacScrollBar* Bar, const TRect& R)
{
    const TacScrollWnd* wnd = Bar->sw;
    const bool vertical = Bar->nBarType == SB_VERT;
    const bool dragged = wnd->fThumbTracking && acScrollState.nCurBar == Bar->nBarType;
    if (dragged || !Bar->fScrollVisible || !wnd->SkinManager || (vertical && wnd->DontRepaint))
        return false;
    const TsSkinManager& manager = *wnd->SkinManager;
    if (!manager.IsValidSkinIndex(vertical ? manager.ConstData.IndexScrollBar1V : manager.ConstData.IndexScrollBar1H))
        return false;
    return (vertical ? R.Height() : R.Width()) >= 2;
}

// The box between the bars over R (window coordinates): the background, and the grip image at
// its bottom-right where the box is the size grip.
void PaintCornerBox(TacScrollWnd* Wnd, HWND Handle, HDC DC, const TRect& R, const TRect& Window)
{
    TacBGInfo info;
    GetBGInfo(info, Handle, false);
    const std::unique_ptr<vcl::TBitmap> box = CreateBmp32(std::max(R.Width(), LONG(0)), std::max(R.Height(), LONG(0)));
    const HDC boxDC = box->Canvas()->Handle();
    if (info.BgKind == 2 && info.Bmp)
        BitBlt(boxDC, 0, 0, box->Width(), box->Height(), info.Bmp->Canvas()->Handle(), R.left, R.top, SRCCOPY);
    else
        FillDC(boxDC, TRect(0, 0, box->Width(), box->Height()), info.Color);
    TRect onScreen = R;
    onScreen.Offset(Window.left, Window.top);
    TsSkinManager* manager = Wnd->SkinManager;
    if (manager && Ac_CornerIsSizeGrip(Wnd, Handle, onScreen) &&
        manager->IsValidImgIndex(manager->ConstData.GripRightBottom)) {
        const TsMaskData& grip = manager->ma[size_t(manager->ConstData.GripRightBottom)];
        const TSize size(grip.ImageCount > 0 ? grip.R.Width() / grip.ImageCount : 0,
                         grip.R.Height() / (grip.MaskType + 1));
        DrawSkinGlyph(PixelsOf(box.get()), TPoint(box->Width() - size.cx, box->Height() - size.cy), 0, 1, grip,
                      CacheView(BGInfoToCI(info)));
    }
    CopyToDC(DC, R.left, R.top, box.get());
}

// The window's DC for the length of a paint, unless the caller gave one.
class TFrameDC {
public:
    TFrameDC(HWND Handle, HDC Given) : FHandle(Handle), FOwn(Given ? nullptr : GetWindowDC(Handle)), FDC(Given ? Given : FOwn) {}
    ~TFrameDC()
    {
        if (FOwn)
            ReleaseDC(FHandle, FOwn);
    }
    TFrameDC(const TFrameDC&) = delete;
    TFrameDC& operator=(const TFrameDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FHandle;
    HDC FOwn;
    HDC FDC;
};


}  // namespace

void Ac_DrawCenteredGlyph(vcl::TBitmap* Target, int MaskIndex, int State, const TRect& R, TsSkinManager* Manager)
{
    if (!Manager->IsValidImgIndex(MaskIndex))
        return;
    const TsMaskData& mask = Manager->ma[size_t(MaskIndex)];
    const int w = mask.ImageCount > 0 ? mask.R.Width() / mask.ImageCount : 0;
    const int h = mask.R.Height() / (mask.MaskType + 1);
    const TPoint at(R.left + (R.Width() - w) / 2, R.top + (R.Height() - h) / 2);
    DrawSkinGlyph(PixelsOf(Target), at, State, 1, mask, CacheView(MakeCacheInfo(Target)));
}

int Ac_NCDrawScrollbar(TacScrollBar* Bar, HWND Handle, HDC DC, const TRect& R, int Pressed, int ThumbPos)
{
    if (!BarPaintable(Bar, R))
        return 0;
    TacScrollWnd* wnd = Bar->sw;
    const bool vertical = Bar->nBarType == SB_VERT;
    GetScrollInfo(Handle, Bar->nBarType, &Bar->ScrollInfo);
    const int arrow = GetScrollMetric(Bar, 0, true);
    const vcl::TControl* owner = wnd->SkinData->FOwnerControl;
    const bool active = Ac_IsScrollbarActive(Bar) && (!owner || owner->Enabled());
    if (Handle != acScrollState.hActiveWnd)
        Pressed = NoPart;
    TThumb thumb = Ac_CalcThumbSize(Bar, R);
    if (ThumbPos != -1)
        thumb.Start = ThumbPos;
    thumb.Start -= vertical ? R.top : R.left;
    const TBarPaintLayout layout =
        BarPaintLayout(vertical, R.Size(), arrow, thumb, Bar->ScrollInfo, Bar->nMinThumbSize, active);
    const std::unique_ptr<vcl::TBitmap> bar = ComposeBar(vertical, R.Size(), layout,
                                                         PartStates(Pressed, HotPart(Bar, Handle, active)),
                                                         FrameBackground(wnd, Handle), R.TopLeft(), wnd->SkinManager);
    if (!active)
        PaintInactiveLook(wnd, Handle, R, bar.get());
    CopyToDC(DC, R.left, R.top, bar.get());
    return 1;
}

void PaintDraggedBar(TacScrollBar* Bar, HWND Handle, HDC DC, const TRect& R, const TThumb& Thumb)
{
    TacScrollWnd* wnd = Bar->sw;
    const bool vertical = Bar->nBarType == SB_VERT;
    const TBarPaintLayout layout = DraggedBarLayout(vertical, R.Size(), GetScrollMetric(Bar, 0, true), Thumb);
    TPartStates states;
    states.Thumb = 2;
    const std::unique_ptr<vcl::TBitmap> bar =
        ComposeBar(vertical, R.Size(), layout, states, FrameBackground(wnd, Handle), R.TopLeft(), wnd->SkinManager);
    CopyToDC(DC, R.left, R.top, bar.get());
}

LRESULT Ac_NCPaint(TacScrollWnd* Wnd, HWND Handle, int ThumbPos, HDC DC)
{
    if (!Wnd)
        return 0;
    if (TsCommonData* data = Wnd->SkinData) {
        data->FUpdating = data->GetUpdating();
        if (data->FUpdating)
            return 0;
        if (const vcl::TControl* owner = data->FOwnerControl) {
            if (owner->ControlState().Contains(vcl::TControlStateItem::csCreating) ||
                (!IsWindowVisible(Handle) && !owner->Showing()))
                return 0;
        }
        if (data->BGChanged)
            SendMessageW(Handle, SkinCommandMessage, SkinCommandWParam(scmdRenderCache), 0);
    }
    const TRect window = WindowRectOf(Handle);
    const TFrameDC dc(Handle, DC);
    const auto inWindow = [&](TRect R) {
        R.Offset(-window.left, -window.top);
        return R;
    };
    TacScrollBar* horz = Wnd->sBarHorz.get();
    TacScrollBar* vert = Wnd->sBarVert.get();
    if (!horz)
        return 0;
    const TacScrollInteraction& s = acScrollState;
    TRect r;
    if (horz->fScrollVisible) {
        AC_GetHScrollRect(Wnd, Handle, r);
        Ac_NCDrawScrollbar(horz, Handle, dc.Get(), inWindow(r), s.nCurBar == SB_HORZ ? s.nPressedPortion : NoPart,
                           ThumbPos);
    }
    if (vert && vert->fScrollVisible) {
        AC_GetVScrollRect(Wnd, Handle, r);
        Ac_NCDrawScrollbar(vert, Handle, dc.Get(), inWindow(r), s.nCurBar == SB_VERT ? s.nPressedPortion : NoPart,
                           ThumbPos);
    }
    if (vert && horz->fScrollVisible && vert->fScrollVisible)
        PaintCornerBox(Wnd, Handle, dc.Get(), inWindow(CornerBoxRect(Wnd->Frame())), window);
    return 0;
}

void UpdateScrolls(TacScrollWnd* Wnd, bool Repaint)
{
    if (!Wnd || !IsWindowVisible(Wnd->CtrlHandle) || Wnd->SkinData->FUpdating)
        return;
    if (!Wnd->sBarHorz || !Wnd->sBarVert)
        return;
    for (TacScrollBar* bar : {Wnd->sBarHorz.get(), Wnd->sBarVert.get()})
        GetScrollInfo(Wnd->CtrlHandle, bar->nBarType, &bar->ScrollInfo);
    if (Repaint && !InAnimationProcess)
        Ac_NCPaint(Wnd, Wnd->CtrlHandle);
}

}  // namespace skin
