// The hit test of a frame layout as a table: the caption, the menu lines and the grip of a layout
// record that no hidden window could give (two menu lines, no system menu object).
#include <gtest/gtest.h>

#include "skin/forms/acFrameGeometry.h"

using namespace skin;

namespace {

// A sizeable 400 x 300 window with a 4-pixel frame, a 19-pixel caption and two 18-pixel menu lines.
TNCHitLayout TwoMenuLines()
{
    TNCHitLayout layout;
    layout.Size = vcl::TSize(400, 300);
    layout.EdgeWidth = 4;
    layout.CaptionBottom = 23;
    layout.MenuLines = 2;
    layout.MenuHeight = 18;
    layout.Sizing = true;
    layout.Icon = vcl::TRect(6, 5, 22, 21);
    return layout;
}

}  // namespace

TEST(NCHitTest, CaptionMenuLinesAndClient)
{
    const TNCHitLayout layout = TwoMenuLines();
    const struct {
        int X, Y, Code;
    } cases[] = {
        {10, 10, HTSYSMENU}, {22, 10, HTCAPTION}, {200, 22, HTCAPTION}, {200, 23, HTMENU},
        {200, 59, HTMENU},   {200, 60, HTCLIENT}, {200, 3, HTTOP},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NCHitTest(layout, {c.X, c.Y}), c.Code) << "at (" << c.X << ", " << c.Y << ")";
}

TEST(NCHitTest, WithoutTheButtonsTheirPlacesAreCaption)
{
    TNCHitLayout layout = TwoMenuLines();
    layout.Rects.Close = vcl::TRect(370, 2, 394, 20);
    layout.HaveSysMenu = true;
    EXPECT_EQ(NCHitTest(layout, {380, 10}), HTCAPTION) << "no system menu object: buttons are not tested";
    layout.Buttons = true;
    EXPECT_EQ(NCHitTest(layout, {380, 10}), HTCLOSE);
}

TEST(NCHitTest, TheGripAnswersOnlyStrictlyBeyondItsCorner)
{
    TNCHitLayout layout = TwoMenuLines();
    layout.Grip = true;
    layout.GripPoint = vcl::TPoint(383, 283);
    EXPECT_EQ(NCHitTest(layout, {384, 284}), HTBOTTOMRIGHT);
    EXPECT_EQ(NCHitTest(layout, {383, 290}), HTCLIENT);
    EXPECT_EQ(NCHitTest(layout, {390, 283}), HTCLIENT);
    layout.Grip = false;
    EXPECT_EQ(NCHitTest(layout, {384, 284}), HTCLIENT);
}
