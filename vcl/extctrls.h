#pragma once
// Timers and splitters, and (from extctrls_panels.h) panels, bevels, shapes, images and paint boxes.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/extctrls_panels.h"
#include "vcl/system.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace vcl {

// Fires OnTimer every Interval ms through the message loop of the thread that made it, modal
// loops and message boxes included. It runs only while Enabled, Interval > 0 and OnTimer is set;
// a change of any of them re-evaluates that, and setting a value it already has changes nothing
// (enabling a running timer does not restart its count).
class TTimer : public TComponent {
    CL_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal value);
    TNotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent value);

protected:
    // One tick: fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    TNotifyEvent FOnTimer;
    HWND FWindowHandle = nullptr;
    bool FRunning = false;
};

// How a splitter shows a drag: not at all, with a line or a pattern over the parent (the
// neighbour resized on release), or by resizing the neighbour as the mouse moves.
enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

using TCanResizeEvent = TDelegate<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar aligned to a side of its parent that resizes the control it touches on that side (its
// neighbour) when dragged. The neighbour keeps at least MinSize and leaves the controls aligned
// the other way at least MinSize; with AutoSnap a drag at or below MinSize collapses it to 0.
class TSplitter : public TGraphicControl {
    CL_CLASS(TSplitter, TGraphicControl)
    CL_PUBLISHED
public:
    explicit TSplitter(TComponent* AOwner);
    // Ends a drag under way.
    void BeforeDestruction() override;

    bool AutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool value) { FAutoSnap = value; }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int value) { FMinSize = std::max(value, 1); }
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }

    // Fires for every size the drag proposes; the handler may change it or refuse it.
    TCanResizeEvent OnCanResize() const { return FOnCanResize; }
    void SetOnCanResize(TCanResizeEvent value) { FOnCanResize = value; }
    // Fires after the neighbour took a new size.
    TNotifyEvent OnMoved() const { return FOnMoved; }
    void SetOnMoved(TNotifyEvent value) { FOnMoved = value; }
    TNotifyEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent value) { FOnPaint = value; }

    void Dispatch(TMessage& Message) override;

protected:
    // Fills the bar with its colour, then OnPaint.
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Asks OnCanResize whether the neighbour may take NewSize (which it may change).
    virtual bool CanResize(int& NewSize);

private:
    bool IsVertical() const { return FAlign == TAlign::alLeft || FAlign == TAlign::alRight; }
    // The visible, enabled sibling that touches the bar on the side it is aligned to, or null.
    TControl* FindNeighbour();
    // The largest size the neighbour may take: the parent's room less the controls aligned along it.
    int MaxNeighbourSize();
    // The neighbour's size for the mouse at (X, Y), clamped, asked and snapped; nothing when refused.
    std::optional<int> ProposedSize(int X, int Y, int& Split);
    void ApplySize();
    // Inverts the line or pattern at the drag's place on the parent (a second call removes it).
    void DrawLine();
    // Removes the line and gives back its DC and brush.
    void ReleaseLine();

protected:
    bool FAutoSnap = true;
    int FMinSize = 30;
    TResizeStyle FResizeStyle = TResizeStyle::rsPattern;
    TCanResizeEvent FOnCanResize;
    TNotifyEvent FOnMoved;
    TNotifyEvent FOnPaint;

private:
    // The drag: the neighbour, where it began, the size it leads to and the bar's offset.
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FMaxSize = 0;
    int FNewSize = 0;
    int FSplit = 0;
    HDC FLineDC = nullptr;
    HBRUSH FLineBrush = nullptr;
};

}  // namespace vcl
