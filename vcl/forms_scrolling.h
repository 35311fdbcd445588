#pragma once
// Scrolling containers (included by vcl/forms.h): a windowed control whose children may lie
// beyond its client area, with a scroll bar per direction; the scroll box and the frame built on
// it. Forms scroll the same way.
#include "vcl/controls.h"

#include <algorithm>
#include <memory>

namespace vcl {

class TScrollingWinControl;

// One scroll bar of a scrolling control. Range is the extent of the content (with AutoScroll the
// children's far edges); the bar shows while Range exceeds the client size. Position is the
// content's offset in [0, Range - client size]; setting it scrolls the children.
class TControlScrollBar : public TPersistent {
    CL_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}

    TScrollBarKind Kind() const { return FKind; }
    // Setting a range by code turns the control's AutoScroll off.
    int Range() const { return FRange; }
    void SetRange(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // The step of an arrow click and of a wheel notch.
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value > 0 ? value : 1; }
    // Whether dragging the thumb scrolls at once (else only when it is let go).
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // Whether the bar shows now: visible and the range exceeds the client size.
    bool IsScrollBarVisible();
    void Assign(TPersistent* Source) override;

private:
    friend class TScrollingWinControl;
    // The client size along the bar.
    int ControlSize();
    int MaxPosition() { return std::max(0, FRange - ControlSize()); }
    void ScrollMessage(TMessage& Message);
    // Gives the window's bar the range, page and position.
    void Update();

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    int FIncrement = 8;
    bool FTracking = false;
    bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
    CL_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* AOwner);

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { FHorzScrollBar->Assign(value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* value) { FVertScrollBar->Assign(value); }
    // The ranges follow the children: their far edges, aligned ones only across their side.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // Moves every child by (DeltaX, DeltaY), the window's picture with them.
    virtual void ScrollBy(int DeltaX, int DeltaY);
    // Scrolls as little as makes AControl (a child at any depth) wholly visible.
    void ScrollInView(TControl* AControl);

    void Dispatch(TMessage& Message) override;

protected:
    friend class TControlScrollBar;

    void CreateWnd() override;
    // The content area: as large as the ranges, moved by the positions.
    void AdjustClientRect(TRect& Rect) override;
    // After placing the children, the ranges follow them.
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // A wheel notch scrolls the vertical bar by its increment.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // Recomputes the ranges with AutoScroll.
    void CalcAutoRange();
    void UpdateScrollBars();

    bool FAutoScroll = true;

private:
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FUpdatingScrollBars = false;
};

// A scroll box: a scrolling container with a border.
class TScrollBox : public TScrollingWinControl {
    CL_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
};

// A reusable group of controls built in code, placed on forms like a panel; it scrolls when its
// children reach beyond it.
class TCustomFrame : public TScrollingWinControl {
    CL_CLASS(TCustomFrame, TScrollingWinControl)
public:
    explicit TCustomFrame(TComponent* AOwner);
};

class TFrame : public TCustomFrame {
    CL_CLASS(TFrame, TCustomFrame)
public:
    using TCustomFrame::TCustomFrame;
};

}  // namespace vcl
