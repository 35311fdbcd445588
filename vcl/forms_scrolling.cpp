// Scrolling containers: ranges that follow the children, scroll requests from the window's bars
// and the wheel, scrolling a child into view; the scroll box and the frame.
#include "vcl/forms.h"

#include <algorithm>

namespace vcl {

namespace {

int BarOf(TScrollBarKind Kind) { return Kind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }

}  // namespace

// =============================================================================================
// TControlScrollBar

int TControlScrollBar::ControlSize()
{
    return FKind == TScrollBarKind::sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
}

void TControlScrollBar::SetRange(int value)
{
    FControl->FAutoScroll = false;
    if (ChangeField(FRange, std::max(value, 0)))
        FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value)
{
    value = std::clamp(value, 0, MaxPosition());
    if (value == FPosition)
        return;
    int delta = FPosition - value;
    FPosition = value;
    if (FKind == TScrollBarKind::sbHorizontal)
        FControl->ScrollBy(delta, 0);
    else
        FControl->ScrollBy(0, delta);
    if (FControl->HandleAllocated())
        SetScrollPos(FControl->Handle(), BarOf(FKind), FPosition, TRUE);
}

void TControlScrollBar::SetVisible(bool value)
{
    if (ChangeField(FVisible, value))
        FControl->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible()
{
    if (!FControl->HandleAllocated())
        return FVisible && FRange > ControlSize();
    DWORD style = FKind == TScrollBarKind::sbHorizontal ? WS_HSCROLL : WS_VSCROLL;
    return (GetWindowLongW(FControl->Handle(), GWL_STYLE) & style) != 0;
}

void TControlScrollBar::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TControlScrollBar*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    FIncrement = source->FIncrement;
    FTracking = source->FTracking;
    FVisible = source->FVisible;
    SetRange(source->FRange);
    SetPosition(source->FPosition);
}

// The window shows the bar only while the range exceeds the page (the client size).
void TControlScrollBar::Update()
{
    if (FPosition > MaxPosition())
        SetPosition(MaxPosition());
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = FVisible ? std::max(FRange - 1, 0) : 0;
    info.nPage = FVisible ? static_cast<UINT>(ControlSize()) : 0;
    info.nPos = FPosition;
    SetScrollInfo(FControl->Handle(), BarOf(FKind), &info, TRUE);
}

// A drag of the thumb scrolls while it goes only with Tracking.
void TControlScrollBar::ScrollMessage(TMessage& Message)
{
    auto code = static_cast<TScrollCode>(LOWORD(Message.WParam));
    Message.Result = 0;
    if (code == TScrollCode::scTrack && !FTracking)
        return;
    int track = ScrollTrackPosition(FControl->Handle(), BarOf(FKind), Message.WParam);
    int page = std::max(ControlSize() * 9 / 10, FIncrement);
    SetPosition(ScrollRequestPosition(code, FPosition, track, 0, MaxPosition(), FIncrement, page));
}

// =============================================================================================
// TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, TScrollBarKind::sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, TScrollBarKind::sbVertical))
{
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FAutoScroll)
        CalcAutoRange();
    else
        UpdateScrollBars();
}

void TScrollingWinControl::SetAutoScroll(bool value)
{
    if (ChangeField(FAutoScroll, value) && value)
        CalcAutoRange();
}

// The content is as large as the ranges and lies at minus the positions: aligned children scroll
// with the rest.
void TScrollingWinControl::AdjustClientRect(TRect& Rect)
{
    TWinControl::AdjustClientRect(Rect);
    Rect = Bounds(Rect.left - FHorzScrollBar->FPosition, Rect.top - FVertScrollBar->FPosition,
                  std::max<LONG>(FHorzScrollBar->FRange, Rect.Width()), std::max<LONG>(FVertScrollBar->FRange, Rect.Height()));
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    TWinControl::AlignControls(AControl, Rect);
    CalcAutoRange();
}

// A child counts along an axis unless its alignment stretches it over that axis or ties it to the
// far side.
void TScrollingWinControl::CalcAutoRange()
{
    if (!FAutoScroll || IsLoading())
        return;
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        if (c->Align() == TAlign::alNone || c->Align() == TAlign::alLeft)
            right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->FPosition);
        if (c->Align() == TAlign::alNone || c->Align() == TAlign::alTop)
            bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = right;
    FVertScrollBar->FRange = bottom;
    UpdateScrollBars();
}

// Showing or hiding one bar changes the client size the other measures against: a few passes
// settle it.
void TScrollingWinControl::UpdateScrollBars()
{
    if (!FHandle || FUpdatingScrollBars)
        return;
    FUpdatingScrollBars = true;
    try {
        for (int pass = 0; pass < 3; ++pass) {
            TRect before = ClientRect();
            FHorzScrollBar->Update();
            FVertScrollBar->Update();
            if (ClientRect() == before)
                break;
        }
    } catch (...) {
        FUpdatingScrollBars = false;
        throw;
    }
    FUpdatingScrollBars = false;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) { ScrollControls(DeltaX, DeltaY); }

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl || AControl == this || !ContainsControl(AControl))
        return;
    TPoint offset = AControl->Parent()->ClientOrigin() - ClientOrigin();
    TRect r = AControl->BoundsRect().Offsetted(offset.x, offset.y);
    auto bringIn = [](TControlScrollBar* bar, int low, int high, int size) {
        if (low < 0)
            bar->SetPosition(bar->Position() + low);
        else if (high > size)
            bar->SetPosition(bar->Position() + std::min(high - size, low));
    };
    bringIn(FHorzScrollBar.get(), r.left, r.right, ClientWidth());
    bringIn(FVertScrollBar.get(), r.top, r.bottom, ClientHeight());
}

bool TScrollingWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TWinControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    int notches = WheelDelta / WHEEL_DELTA;
    if (notches == 0 || !FVertScrollBar->IsScrollBarVisible())
        return false;
    FVertScrollBar->SetPosition(FVertScrollBar->Position() - notches * FVertScrollBar->Increment());
    return true;
}

void TScrollingWinControl::Dispatch(TMessage& Message)
{
    // The window's own bars send no window in LParam; a scroll bar control's requests are reflected.
    if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && Message.LParam == 0) {
        (Message.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar)->ScrollMessage(Message);
        return;
    }
    TWinControl::Dispatch(Message);
}

// =============================================================================================
// TScrollBox and TCustomFrame

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csDoubleClicks};
    FWidth = 185;
    FHeight = 41;
}

void TScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    AddBorderStyle(Params, FBorderStyle);
}

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csDoubleClicks};
    FWidth = 320;
    FHeight = 240;
}

}  // namespace vcl
