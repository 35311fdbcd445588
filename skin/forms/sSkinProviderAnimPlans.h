#pragma once
// The frame plans of a skinned form's own animations: the minimise and restore picture that
// shrinks towards the taskbar and grows back, and blend on moving. Pure arithmetic: the timers
// step these plans and show what they give.
#include <cstdint>

#include "vcl/system.h"

namespace skin {

// The minimise and restore animation's interval.
inline constexpr unsigned acMinimizeStepMs = 15;

// Where the picture goes: the taskbar's side (1 left, 2 top, 4 right, 8 bottom) and the point on
// its inner edge, as an empty rectangle.
struct TTaskbarEdge {
    vcl::TRect Point;
    unsigned Position = 0;
};
// The point on the inner edge of a taskbar at Tray where the picture of a form centred at Centre
// goes: across from the centre on a bottom or top taskbar, level with it on a side one. A taskbar
// at the top-left corner is the top one when it is wider than high; at the top elsewhere, the
// right one; below the top, the bottom one when its left lies within 4 pixels left of the screen.
TTaskbarEdge TaskbarEdgePoint(const vcl::TRect& Tray, const vcl::TPoint& Centre);

// The picture of one frame: the place in the frame bitmap its saved image is stretched to, and
// where the frame bitmap's top-left corner goes on the screen.
struct TMinimizeFrame {
    vcl::TRect Place;
    vcl::TPoint Pos;
};

// The geometry and opacity of a minimise (towards RectTo, fading out) or a restore (towards
// RectFrom, fading in). A running animation turns back from wherever it stands.
struct TMinimizePlan {
    vcl::TRect RectFrom, RectTo;
    double CurLeft = 0, CurTop = 0, CurRight = 0, CurBottom = 0;
    double DeltaX = 0, DeltaY = 0;  // the centre's move per step
    double DeltaW = 0, DeltaH = 0;  // each side's shrink per step
    int XFrom = 0, YFrom = 0, XTo = 0, YTo = 0;
    uint8_t AlphaFrom = 255, AlphaTo = 0, CurrentAlpha = 255;
    double BlendStep = 0;
    int StepCount = 1;

    // The steps of an animation of TimeMs: at least 1.
    static int StepCountOf(unsigned TimeMs);
    // Starts from the form's rectangle: its centre, and the current rectangle set to it.
    void SetFrom(const vcl::TRect& From);
    // The current rectangle stands at R.
    void SetCurrent(const vcl::TRect& R);
    // Aims at To (a point or a taskbar button): per-step moves from RectFrom, opacity 0 at the end.
    void SetDestination(const vcl::TRect& To);
    // The opacity's change per step, reaching the end one step before the last.
    void UpdateBlendStep();
    // One step towards the taskbar: false once the opacity has reached 0 (nothing more to show).
    bool StepToTaskbar();
    // One step towards the form: false once the opacity has reached AlphaFrom.
    bool StepToForm();
    // The current picture in a frame bitmap of BmpSize, centred on the current rectangle.
    TMinimizeFrame Frame(const vcl::TSize& BmpSize) const;
};

// Blend on moving: the opacity the dragged form fades to and its fall per 12 ms tick.
struct TBlendOnMovingPlan {
    uint8_t Target = 255;
    uint8_t Step = 0;
};
// The plan for a fade to BlendValue over TimeMs; a form that does not allow it stays opaque.
TBlendOnMovingPlan BlendOnMovingPlan(bool Allowed, uint8_t BlendValue, unsigned TimeMs);
// The opacity after a tick that showed Current: one step lower, not below 0, until the target is
// reached (it may pass the target by less than a step).
uint8_t NextBlendValue(uint8_t Current, const TBlendOnMovingPlan& Plan);

}  // namespace skin
