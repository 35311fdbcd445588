// The hit test of a border window and its shadow as tables: a 420 x 320 border window with a
// shadow of 10 on every side, a sizing zone reaching 2 into it and a system frame of 4.
#include <gtest/gtest.h>

#include "skin/forms/acFrameGeometry.h"

using namespace skin;

namespace {

// A sizeable form's border window, its caption ending on row 40 and no menu line.
TBorderHitLayout SizeableBorder()
{
    TBorderHitLayout layout;
    layout.Size = vcl::TSize(420, 320);
    layout.Shadow = vcl::TRect(10, 10, 10, 10);
    layout.ShadowOffs = 2;
    layout.BorderWidth = 4;
    layout.Sizing = true;
    layout.CaptionBottom = 40;
    layout.MenuBottom = 40;
    layout.Title.Icon = vcl::TRect(14, 16, 30, 32);
    return layout;
}

struct THitCase {
    int X, Y, Code;
};

void ExpectCodes(const TBorderHitLayout& Layout, std::initializer_list<THitCase> Cases)
{
    for (const THitCase& c : Cases)
        EXPECT_EQ(BorderHitTest(Layout, {c.X, c.Y}), c.Code) << "at (" << c.X << ", " << c.Y << ")";
}

}  // namespace

TEST(BorderHitTest, TheSizingZoneReachesIntoTheShadow)
{
    ExpectCodes(SizeableBorder(), {
        {200, 10, HTTOP},        {200, 310, HTBOTTOM},      {10, 150, HTLEFT},       {410, 150, HTRIGHT},
        {10, 10, HTTOPLEFT},     {410, 310, HTBOTTOMRIGHT}, {410, 10, HTTOPRIGHT},   {10, 310, HTBOTTOMLEFT},
        // The zone's bounds are inclusive: the top edge 5 rows, the others the frame and one row.
        {200, 8, HTTOP},         {200, 12, HTTOP},          {200, 308, HTBOTTOM},    {200, 312, HTBOTTOM},
        {8, 150, HTLEFT},        {12, 150, HTLEFT},         {408, 150, HTRIGHT},     {412, 150, HTRIGHT},
    });
}

TEST(BorderHitTest, CaptionShadowMenuLineAndClient)
{
    TBorderHitLayout layout = SizeableBorder();
    ExpectCodes(layout, {
        {200, 14, HTCAPTION},     {200, 13, HTCAPTION},     {20, 20, HTSYSMENU},      {200, 40, HTCAPTION},
        {200, 41, HTTRANSPARENT}, {200, 150, HTTRANSPARENT},  // the client area is the form's
        {7, 150, HTTRANSPARENT},  {200, 315, HTTRANSPARENT},  // the shadow beyond the zone
    });
    layout.MenuBottom = 58;
    ExpectCodes(layout, {{200, 41, HTMENU}, {200, 58, HTMENU}, {200, 59, HTTRANSPARENT}});
}

TEST(BorderHitTest, WithoutASizingFrameOrMaximisedThereIsNoSizingZone)
{
    for (const bool zoomed : {false, true}) {
        TBorderHitLayout layout = SizeableBorder();
        layout.Sizing = zoomed;
        layout.Zoomed = zoomed;
        ExpectCodes(layout, {{200, 10, HTCAPTION}, {10, 150, HTTRANSPARENT}, {410, 310, HTTRANSPARENT}});
    }
}

TEST(BorderHitTest, ADisabledFormLetsEverythingThrough)
{
    TBorderHitLayout layout = SizeableBorder();
    layout.OwnerEnabled = false;
    ExpectCodes(layout, {{200, 10, HTTRANSPARENT}, {200, 14, HTTRANSPARENT}, {20, 20, HTTRANSPARENT}});
}

TEST(BorderHitTest, TitleButtonsComeFirstAHiddenCloseAnswersNowhere)
{
    TBorderHitLayout layout = SizeableBorder();
    layout.Title.Buttons = true;
    layout.Title.HaveSysMenu = true;
    layout.Title.Rects.Close = vcl::TRect(384, 8, 404, 30);  // reaching into the top sizing edge
    layout.Title.Rects.User = {vcl::TRect(300, 14, 320, 30), vcl::TRect(320, 14, 340, 30)};
    layout.Title.UserEnabled = {true, false};
    ExpectCodes(layout, {{390, 10, HTCLOSE}, {305, 20, UserButtonHT}, {325, 20, HTCAPTION}});
    layout.Title.VisibleClose = false;
    ExpectCodes(layout, {{390, 10, HTNOWHERE}});
}

TEST(BorderHitTest, TheGripAnswersBeyondItsCorner)
{
    TBorderHitLayout layout = SizeableBorder();
    layout.Title.Grip = true;
    layout.Title.GripPoint = vcl::TPoint(390, 290);
    ExpectCodes(layout, {{391, 291, HTBOTTOMRIGHT}, {390, 295, HTTRANSPARENT}, {395, 290, HTTRANSPARENT}});
}

TEST(BorderHitTest, TheMouseIsAboveTheShadowOnlyBeyondTheSizingZone)
{
    const TBorderHitLayout layout = SizeableBorder();
    const struct {
        int X, Y;
        bool Above;
    } cases[] = {
        {200, 7, true},   {200, 8, false},  {200, 312, false}, {200, 313, true}, {7, 150, true},
        {8, 150, false},  {412, 150, false}, {413, 150, true}, {0, 0, true},     {200, 150, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AboveTheShadow(layout, {c.X, c.Y}), c.Above) << "at (" << c.X << ", " << c.Y << ")";
    TBorderHitLayout zoomed = layout;
    zoomed.Zoomed = true;
    for (const auto& c : cases)
        EXPECT_FALSE(AboveTheShadow(zoomed, {c.X, c.Y})) << "maximised, at (" << c.X << ", " << c.Y << ")";
}
