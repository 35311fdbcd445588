#include "skin/forms/sSkinProviderAnimPlans.h"

#include <algorithm>

namespace skin {

using namespace vcl;

namespace {

// The centre of R, halves of odd sizes dropped towards the left and top.
TPoint CentreOf(const TRect& R) { return TPoint(R.left + (R.right - R.left) / 2, R.top + (R.bottom - R.top) / 2); }

}  // namespace

TTaskbarEdge TaskbarEdgePoint(const TRect& Tray, const TPoint& Centre)
{
    enum : unsigned { tbLeft = 1, tbTop = 2, tbRight = 4, tbBottom = 8 };
    unsigned position;
    if (Tray.top == 0 && Tray.left == 0)
        position = Tray.right - Tray.left > Tray.bottom - Tray.top ? tbTop : tbLeft;
    else if (Tray.top == 0)
        position = tbRight;
    else
        position = Tray.left >= -4 && Tray.left <= 0 ? tbBottom : tbRight;
    TPoint p;
    switch (position) {
    case tbLeft: p = TPoint(Tray.right, Centre.y); break;
    case tbTop: p = TPoint(Centre.x, Tray.bottom); break;
    case tbRight: p = TPoint(Tray.left, Centre.y); break;
    default: p = TPoint(Centre.x, Tray.top); break;
    }
    return {TRect(p.x, p.y, p.x, p.y), position};
}

int TMinimizePlan::StepCountOf(unsigned TimeMs) { return std::max(1, int(TimeMs / acMinimizeStepMs)); }

void TMinimizePlan::SetFrom(const TRect& From)
{
    RectFrom = From;
    const TPoint c = CentreOf(From);
    XFrom = c.x;
    YFrom = c.y;
    SetCurrent(From);
}

void TMinimizePlan::SetCurrent(const TRect& R)
{
    CurLeft = R.left;
    CurTop = R.top;
    CurRight = R.right;
    CurBottom = R.bottom;
}

void TMinimizePlan::SetDestination(const TRect& To)
{
    RectTo = To;
    const TPoint c = CentreOf(To);
    XTo = c.x;
    YTo = c.y;
    DeltaX = double(XTo - XFrom) / StepCount;
    DeltaY = double(YTo - YFrom) / StepCount;
    DeltaW = double((RectFrom.right - RectFrom.left) - (To.right - To.left)) / (2.0 * StepCount);
    DeltaH = double((RectFrom.bottom - RectFrom.top) - (To.bottom - To.top)) / (2.0 * StepCount);
    AlphaTo = 0;
}

void TMinimizePlan::UpdateBlendStep() { BlendStep = double(AlphaFrom - AlphaTo) / std::max(1, StepCount - 1); }

bool TMinimizePlan::StepToTaskbar()
{
    CurLeft += DeltaX + DeltaW;
    CurRight += DeltaX - DeltaW;
    CurTop += DeltaY + DeltaH;
    CurBottom += DeltaY - DeltaH;
    CurrentAlpha = uint8_t(std::max<int64_t>(0, Round(CurrentAlpha - BlendStep)));
    return CurrentAlpha > 0;
}

bool TMinimizePlan::StepToForm()
{
    CurLeft -= DeltaX + DeltaW;
    CurRight -= DeltaX - DeltaW;
    CurTop -= DeltaY + DeltaH;
    CurBottom -= DeltaY - DeltaH;
    CurrentAlpha = uint8_t(std::min<int64_t>(255, Round(CurrentAlpha + BlendStep)));
    return CurrentAlpha < AlphaFrom;
}

TMinimizeFrame TMinimizePlan::Frame(const TSize& BmpSize) const
{
    const double w = std::max(0.0, CurRight - CurLeft);
    const double h = std::max(0.0, CurBottom - CurTop);
    const int left = int(Round(BmpSize.cx - w)) / 2;
    const int top = int(Round(BmpSize.cy - h)) / 2;
    TMinimizeFrame frame;
    frame.Place = TRect(left, top, left + int(Round(w)), top + int(Round(h)));
    frame.Pos = TPoint(int(Round(w / 2 + CurLeft)) - BmpSize.cx / 2, int(Round(h / 2 + CurTop)) - BmpSize.cy / 2);
    return frame;
}

TBlendOnMovingPlan BlendOnMovingPlan(bool Allowed, uint8_t BlendValue, unsigned TimeMs)
{
    TBlendOnMovingPlan plan;
    plan.Target = Allowed ? BlendValue : 255;
    const int fall = 255 - plan.Target;
    plan.Step = uint8_t(TimeMs <= 12 ? fall : Round(fall / (TimeMs / 12.0)));
    return plan;
}

uint8_t NextBlendValue(uint8_t Current, const TBlendOnMovingPlan& Plan)
{
    if (Current <= Plan.Target)
        return Current;
    return uint8_t(std::max(0, Current - Plan.Step));
}

}  // namespace skin
