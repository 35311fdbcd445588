// The skinned scroll bars' model: the bar records, taking a scrolling window over and giving it
// back, the look-ups through a window, the bars' measures and rectangles, and WM_NCCALCSIZE.
#include "skin/core/sConst.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TRect;

namespace {

// The window's parent; none for a top-level window, whose GetParent is its owner.
HWND ScrollParentOf(HWND Handle)
{
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_CHILD) ? GetParent(Handle) : nullptr;
}


void ReadScrollInfo(HWND Handle, TacScrollBar& Bar)
{
    Bar.ScrollInfo = SCROLLINFO{};
    Bar.ScrollInfo.cbSize = sizeof(SCROLLINFO);
    Bar.ScrollInfo.fMask = SIF_ALL;
    GetScrollInfo(Handle, Bar.nBarType, &Bar.ScrollInfo);
}

// The length of the skin's first arrow image, when the skin sizes the arrows by their images.
int SkinArrowImage(const TacScrollBar* Bar)
{
    const TsSkinManager* manager = Bar->sw->SkinManager;
    if (!manager)
        return 0;
    const bool vertical = Bar->nBarType == SB_VERT;
    const int section = vertical ? manager->ConstData.IndexScrollTop : manager->ConstData.IndexScrollLeft;
    const int mask = vertical ? manager->ConstData.MaskScrollTop : manager->ConstData.MaskScrollLeft;
    if (!manager->IsValidSkinIndex(section) || !manager->gd[size_t(section)].ReservedBoolean ||
        !manager->IsValidImgIndex(mask))
        return 0;
    const TsMaskData& image = manager->ma[size_t(mask)];
    if (vertical)
        return image.R.Height() / (image.MaskType + 1);
    return image.ImageCount > 0 ? image.R.Width() / image.ImageCount : 0;
}

int VisibleThickness(const TacScrollBar* Bar)
{
    return Bar && Bar->fScrollVisible ? GetScrollMetric(Bar, 1, false) : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The bars

TacScrollBar::TacScrollBar(TacScrollWnd* Owner, bool Vertical) : nBarType(Vertical ? SB_VERT : SB_HORZ), sw(Owner) {}

TBarMeasures TacScrollBar::Measures() const { return TBarMeasures{nBarType == SB_VERT, nArrowLength, nArrowWidth}; }

TacScrollWnd::~TacScrollWnd()
{
    Release();
    for (std::unique_ptr<TacScrollBar>* bar : {&sBarHorz, &sBarVert})
        if (*bar)
            (*bar)->sw = nullptr;
}

void TacScrollWnd::Subclass() { InitializeACScrolls(this, CtrlHandle, RepaintOnAttach()); }

void InitializeACScrolls(TacScrollWnd* Wnd, HWND Handle, bool Repaint)
{
    Wnd->DontRepaint = false;
    Wnd->CtrlHandle = Handle;
    Wnd->sBarHorz = std::make_unique<TacScrollBar>(Wnd, false);
    Wnd->sBarVert = std::make_unique<TacScrollBar>(Wnd, true);
    ReadScrollInfo(Handle, *Wnd->sBarHorz);
    ReadScrollInfo(Handle, *Wnd->sBarVert);
    Wnd->fLeftScrollbar = (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
    Wnd->sBarHorz->fScrollFlags = (style & WS_HSCROLL) ? sfStyleHasBar : 0;
    Wnd->sBarVert->fScrollFlags = (style & WS_VSCROLL) ? sfStyleHasBar : 0;
    Wnd->bPreventStyleChange = false;
    InitializeACWnd(Wnd, Handle);
    Wnd->sBarHorz->nMinThumbSize = Wnd->sBarVert->nMinThumbSize = Ac_GetDefaultMinThumbSize();
    if (Repaint && Ac_GetScrollWndFromHwnd(Handle) == Wnd)
        Ac_RedrawNonClient(Handle, true);
}

void UninitializeACScroll(HWND, bool FrameChanged, TacScrollWnd* Wnd)
{
    if (!Wnd)
        return;
    Wnd->Detach(FrameChanged);
    if (!Wnd->Destroyed())
        return;
    for (std::unique_ptr<TacScrollBar>* bar : {&Wnd->sBarHorz, &Wnd->sBarVert})
        if (*bar) {
            (*bar)->sw = nullptr;
            bar->reset();
        }
}

// ---------------------------------------------------------------------------------------------
// Look-ups

TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Handle)
{
    auto* wrapper = static_cast<TacMainWnd*>(GetPropW(Handle, WrapperProperty));
    return dynamic_cast<TacScrollWnd*>(wrapper);
}

TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Handle, int Bar)
{
    TacScrollWnd* wnd = Ac_GetScrollWndFromHwnd(Handle);
    if (!wnd)
        return nullptr;
    switch (Bar) {
    case SB_HORZ: return wnd->sBarHorz.get();
    case SB_VERT: return wnd->sBarVert.get();
    default: return nullptr;
    }
}

void Ac_RedrawNonClient(HWND Handle, bool FrameChanged)
{
    if (FrameChanged)
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        SendMessageW(Handle, WM_NCPAINT, 1, 0);
}

// ---------------------------------------------------------------------------------------------
// Measures

TScrollMetrics TacScrollWnd::Metrics()
{
    const auto& metric = vcl::Seams().SystemMetrics;
    return TScrollMetrics{metric(SM_CYHSCROLL), metric(SM_CXVSCROLL), acScrollWidth};
}

int GetScrollMetric(const TacScrollBar* Bar, int Which, bool UseSkin)
{
    const TScrollMetrics metrics = TacScrollWnd::Metrics();
    if (Which != 0)
        return BarThickness(Bar->Measures(), metrics);
    return ArrowLength(Bar->Measures(), metrics, UseSkin ? SkinArrowImage(Bar) : 0);
}

TScrollFrame TacScrollWnd::Frame() const
{
    TScrollFrame frame;
    frame.Window = WindowRectOf(CtrlHandle);
    frame.Edges = Edges;
    frame.HorzThickness = VisibleThickness(sBarHorz.get());
    frame.VertThickness = VisibleThickness(sBarVert.get());
    frame.LeftScrollbar = fLeftScrollbar;
    return frame;
}

int AC_GetHScrollRect(const TacScrollWnd* Wnd, HWND, TRect& R)
{
    const TScrollFrame frame = Wnd->Frame();
    R = HorzBarRect(frame);
    return frame.HorzThickness;
}

void AC_GetVScrollRect(const TacScrollWnd* Wnd, HWND, TRect& R) { R = VertBarRect(Wnd->Frame()); }

bool Ac_GetScrollRect(const TacScrollWnd* Wnd, int Bar, HWND Handle, TRect& R)
{
    switch (Bar) {
    case SB_HORZ: AC_GetHScrollRect(Wnd, Handle, R); return true;
    case SB_VERT: AC_GetVScrollRect(Wnd, Handle, R); return true;
    default: return false;
    }
}

TThumb Ac_CalcThumbSize(const TacScrollBar* Bar, const TRect& R)
{
    const bool vertical = Bar->nBarType == SB_VERT;
    return CalcThumb(Bar->ScrollInfo, vertical ? R.top : R.left, vertical ? R.Height() : R.Width(),
                     GetScrollMetric(Bar, 0, false), Bar->nMinThumbSize);
}

bool Ac_IsScrollbarActive(const TacScrollBar* Bar)
{
    const bool vertical = Bar->nBarType == SB_VERT;
    if (!Ac_GetScrollBarInfo) {
        const auto style = GetWindowLongPtrW(Bar->sw->CtrlHandle, GWL_STYLE);
        return (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!Ac_GetScrollBarInfo(Bar->sw->CtrlHandle, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
        return false;
    const uint16_t bothArrows = sfFirstArrowDisabled | sfSecondArrowDisabled;
    if ((Bar->fScrollFlags & bothArrows) == bothArrows)
        return false;
    if ((Bar->fScrollFlags & sfActiveByInfo) && !IsScrollInfoActive(Bar->ScrollInfo))
        return false;
    return !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

bool Ac_CornerIsSizeGrip(const TacScrollWnd* Wnd, HWND Handle, const TRect& Corner)
{
    TGripPlace place;
    const HWND parent = ScrollParentOf(Handle);
    place.HasParent = parent != nullptr;
    if (parent) {
        place.ParentHasParent = ScrollParentOf(parent) != nullptr;
        RECT client{};
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        place.ParentClient = client;
    }
    return CornerIsSizeGrip(place, Corner, Wnd->Edges, Wnd->fLeftScrollbar);
}

// ---------------------------------------------------------------------------------------------
// The room of the bars

LRESULT Ac_NCCalcSize(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam)
{
    auto* rect = reinterpret_cast<RECT*>(LParam);
    const TRect proposed = *rect;
    const LONG_PTR style = Wnd->WindowStyle(Handle);
    // The system measures the window as if it had no scroll bars.
    const LRESULT result = Wnd->CallWithoutScrollStyles(Handle, WM_NCCALCSIZE, WParam, LParam);
    TacScrollBar* horz = Wnd->sBarHorz.get();
    TacScrollBar* vert = Wnd->sBarVert.get();
    const TBarRoom room = PlaceScrollBars(proposed, *rect, horz && (style & WS_HSCROLL), vert && (style & WS_VSCROLL),
                                          horz ? GetScrollMetric(horz, 1, false) : 0,
                                          vert ? GetScrollMetric(vert, 1, false) : 0, Wnd->fLeftScrollbar);
    Wnd->Edges = room.Edges;
    for (TacScrollBar* bar : {horz, vert})
        if (bar) {
            const bool vertical = bar == vert;
            bar->fScrollFlags = (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) ? sfStyleHasBar : 0;
            bar->fScrollVisible = vertical ? room.VertVisible : room.HorzVisible;
        }
    *rect = room.Client;
    return result;
}

LONG_PTR TacScrollWnd::WindowStyle(HWND Handle) const
{
    return bPreventStyleChange ? FHiddenStyle : GetWindowLongPtrW(Handle, GWL_STYLE);
}

LRESULT TacScrollWnd::CallWithoutScrollStyles(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
    if (bPreventStyleChange || !(style & (WS_HSCROLL | WS_VSCROLL)))
        return CallPrevWndProc(Handle, Msg, WParam, LParam);
    const std::weak_ptr<int> alive = LifeToken();
    bPreventStyleChange = true;
    FHiddenStyle = style;
    SetWindowLongPtrW(Handle, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
    const LRESULT result = CallPrevWndProc(Handle, Msg, WParam, LParam);
    SetWindowLongPtrW(Handle, GWL_STYLE, style);
    if (!alive.expired())
        bPreventStyleChange = false;
    return result;
}

// ---------------------------------------------------------------------------------------------
// What the form's provider reads

int TacScrollWnd::HorzBarHeight() const { return VisibleThickness(sBarHorz.get()); }

int TacScrollWnd::VertBarWidth() const { return VisibleThickness(sBarVert.get()); }

TRect TacScrollWnd::CornerBox() const
{
    if (!HorzBarHeight() || !VertBarWidth())
        return TRect();
    const TScrollFrame frame = Frame();
    TRect box = CornerBoxRect(frame);
    box.Offset(-frame.Window.left, -frame.Window.top);
    return box;
}

void TacScrollWnd::UpdateScrolls(bool Repaint) { skin::UpdateScrolls(this, Repaint); }

}  // namespace skin
