// The frame plans of the form animations: minimise and restore towards the taskbar, the taskbar
// edge the picture aims at, and blend on moving.
#include "skin/forms/sSkinProviderAnimPlans.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using vcl::TPoint;
using vcl::TRect;

namespace {

// A minimise plan of TimeMs from the form's rectangle towards a point, as a timer starts one.
TMinimizePlan StartedPlan(unsigned TimeMs, const TRect& From, const TPoint& To)
{
    TMinimizePlan plan;
    plan.StepCount = TMinimizePlan::StepCountOf(TimeMs);
    plan.SetFrom(From);
    plan.SetDestination(TRect(To.x, To.y, To.x, To.y));
    plan.UpdateBlendStep();
    return plan;
}

// The opacities of the steps towards the taskbar until the picture has gone (the last, 0, ends).
std::vector<int> MinimizeAlphas(TMinimizePlan& Plan)
{
    std::vector<int> alphas;
    bool showing = true;
    while (showing && alphas.size() < 100) {
        showing = Plan.StepToTaskbar();
        alphas.push_back(Plan.CurrentAlpha);
    }
    return alphas;
}

std::vector<int> RestoreAlphas(TMinimizePlan& Plan)
{
    std::vector<int> alphas;
    bool showing = true;
    while (showing && alphas.size() < 100) {
        showing = Plan.StepToForm();
        alphas.push_back(Plan.CurrentAlpha);
    }
    return alphas;
}

}  // namespace

TEST(MinimizePlan, TwoHundredMillisecondsFadeOutInThirteenStepsWhileTheCentreMovesAThirteenthEach)
{
    TMinimizePlan plan = StartedPlan(200, TRect(100, 100, 500, 400), TPoint(300, 728));
    EXPECT_EQ(plan.StepCount, 13);
    EXPECT_EQ(plan.XFrom, 300);
    EXPECT_EQ(plan.YFrom, 250);
    EXPECT_DOUBLE_EQ(plan.BlendStep, 21.25);

    std::vector<int> alphas;
    for (int k = 1; k <= 13; ++k) {
        const bool showing = plan.StepToTaskbar();
        alphas.push_back(plan.CurrentAlpha);
        EXPECT_EQ(showing, k < 13) << "step " << k;
        EXPECT_NEAR((plan.CurTop + plan.CurBottom) / 2, 250 + k * (728 - 250) / 13.0, 1e-9) << "step " << k;
        EXPECT_NEAR((plan.CurLeft + plan.CurRight) / 2, 300, 1e-9) << "step " << k;
        EXPECT_NEAR(plan.CurRight - plan.CurLeft, 400 - k * 400 / 13.0, 1e-9) << "step " << k;
    }
    EXPECT_EQ(alphas, (std::vector<int>{234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3, 0}));
}

TEST(MinimizePlan, RestoreFadesInByTheSameStepUntilTheFormsOpacity)
{
    TMinimizePlan plan = StartedPlan(200, TRect(100, 100, 500, 400), TPoint(300, 728));
    MinimizeAlphas(plan);
    EXPECT_EQ(RestoreAlphas(plan), (std::vector<int>{21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252, 255}));
    EXPECT_NEAR(plan.CurTop, 100, 1e-9) << "back at the form's place";
    EXPECT_NEAR(plan.CurLeft, 100, 1e-9);
    EXPECT_NEAR(plan.CurRight, 500, 1e-9);
    EXPECT_NEAR(plan.CurBottom, 400, 1e-9);
}

TEST(MinimizePlan, UnderOneIntervalTakesOneStepThatEndsAtOnce)
{
    TMinimizePlan plan = StartedPlan(14, TRect(100, 100, 500, 400), TPoint(300, 728));
    EXPECT_EQ(plan.StepCount, 1);
    EXPECT_FALSE(plan.StepToTaskbar());
    EXPECT_EQ(plan.CurrentAlpha, 0);
}

TEST(MinimizePlan, MinimisingMidRestoreTurnsBackFromTheCurrentOpacityAndPlace)
{
    TMinimizePlan plan = StartedPlan(200, TRect(100, 100, 500, 400), TPoint(300, 728));
    MinimizeAlphas(plan);
    for (int k = 0; k < 4; ++k)
        plan.StepToForm();
    ASSERT_EQ(plan.CurrentAlpha, 84);
    const double top = plan.CurTop;
    EXPECT_TRUE(plan.StepToTaskbar());
    EXPECT_EQ(plan.CurrentAlpha, 63);
    EXPECT_NEAR(plan.CurTop - top, plan.DeltaY + plan.DeltaH, 1e-9);
}

TEST(MinimizePlan, AFrameCentresTheStretchedPictureOnTheCurrentRectangle)
{
    TMinimizePlan plan = StartedPlan(200, TRect(100, 100, 500, 400), TPoint(300, 728));
    const vcl::TSize bmp(400, 300);
    TMinimizeFrame frame = plan.Frame(bmp);
    EXPECT_EQ(frame.Place, TRect(0, 0, 400, 300));
    EXPECT_EQ(frame.Pos, TPoint(100, 100));

    plan.StepToTaskbar();  // 400 - 400/13 = 369.23 wide, 300 - 300/13 = 276.92 high, centre (300, 286.77)
    frame = plan.Frame(bmp);
    EXPECT_EQ(frame.Place, TRect(15, 11, 15 + 369, 11 + 277));
    EXPECT_EQ(frame.Pos, TPoint(300 - 200, 287 - 150));
}

TEST(TaskbarEdgePoint, ThePictureAimsAtTheTaskbarsInnerEdgeAcrossFromOrLevelWithTheFormsCentre)
{
    struct Case {
        TRect Tray;
        TPoint Expected;
        unsigned Position;
    };
    const Case cases[] = {
        {TRect(0, 728, 1024, 768), TPoint(300, 728), 8},
        {TRect(-2, 728, 1022, 768), TPoint(300, 728), 8},
        {TRect(0, 0, 1024, 40), TPoint(300, 40), 2},
        {TRect(0, 0, 60, 768), TPoint(60, 250), 1},
        {TRect(964, 0, 1024, 768), TPoint(964, 250), 4},
        {TRect(0, 0, 0, 0), TPoint(0, 250), 1},  // Wine's taskbar window has no size
        {TRect(-10, 728, 1014, 768), TPoint(-10, 250), 4},
    };
    for (const Case& c : cases) {
        const TTaskbarEdge edge = TaskbarEdgePoint(c.Tray, TPoint(300, 250));
        EXPECT_EQ(edge.Point, TRect(c.Expected.x, c.Expected.y, c.Expected.x, c.Expected.y))
            << c.Tray.left << "," << c.Tray.top << "," << c.Tray.right << "," << c.Tray.bottom;
        EXPECT_EQ(edge.Position, c.Position);
    }
}

TEST(BlendOnMovingPlan, StepsAndTargets)
{
    struct Case {
        bool Allowed;
        uint8_t Value;
        unsigned Time;
        uint8_t Target, Step;
    };
    const Case cases[] = {
        {true, 0, 24, 0, 128},      // 255 / 2 = 127.5, to even
        {true, 170, 1000, 170, 1},  // the defaults: 85 / 83.3
        {true, 100, 12, 100, 155},  // one interval or less: all at once
        {false, 0, 24, 255, 0},     // not allowed: no fading
    };
    for (const Case& c : cases) {
        const TBlendOnMovingPlan plan = BlendOnMovingPlan(c.Allowed, c.Value, c.Time);
        EXPECT_EQ(plan.Target, c.Target) << int(c.Value) << " in " << c.Time;
        EXPECT_EQ(plan.Step, c.Step) << int(c.Value) << " in " << c.Time;
    }
}

TEST(BlendOnMovingPlan, TheTicksShowFallingValuesThatStopAtOrJustBelowTheTarget)
{
    auto shown = [](const TBlendOnMovingPlan& plan) {
        std::vector<int> values;
        uint8_t v = 255;
        for (int tick = 0; tick < 5; ++tick) {
            values.push_back(v);
            v = NextBlendValue(v, plan);
        }
        return values;
    };
    EXPECT_EQ(shown(BlendOnMovingPlan(true, 0, 24)), (std::vector<int>{255, 127, 0, 0, 0}));
    EXPECT_EQ(shown({200, 30}), (std::vector<int>{255, 225, 195, 195, 195}));
    EXPECT_EQ(shown(BlendOnMovingPlan(false, 0, 24)), (std::vector<int>{255, 255, 255, 255, 255}));
}
