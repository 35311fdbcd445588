// The arithmetic of a skinned form's frame, with the sizes Wine gives its windows: a frame of 4,
// a dialog frame of 3, a caption of 19 (15 small), menu lines of 19; and the title buttons of the
// frame test skin: 24 x 18 caption images, 21-wide user buttons, "BIRIGHT" 2, "BISPACE" 1,
// "BILEFT" 2.
#include <gtest/gtest.h>

#include "skin/forms/acFrameGeometry.h"

using namespace skin;
using vcl::TRect;

namespace {

constexpr TSysFrameMetrics Wine{4, 3, 19, 15, 19};

TFrameStyle Single() { return {false, true, true, true, false, false}; }
TFrameStyle Sizeable() { return {true, false, true, true, false, false}; }

// The picture of a 400 x 300 form of the style, as the provider lays it out.
TFrameLayout Layout(const TFrameStyle& Style)
{
    TFrameLayout layout;
    layout.Width = 400;
    layout.Height = 300;
    layout.BorderWidth = layout.BorderHeight = layout.SysBorderWidth = layout.SysBorderHeight =
        SysBorderWidth(Style, Wine);
    layout.CaptionHeight = CaptionHeight(Style, Wine, 0, false);
    layout.ButtonHeight = 18;
    layout.BigButtons = true;
    layout.LeftMargin = 2;
    layout.RightMargin = 2;
    layout.Spacing = 1;
    return layout;
}

TTitleButtonSlot Button(bool Placed = true, int Width = 24) { return {true, Placed, Width, true}; }
TTitleButtonSlot UserButton(bool Visible = true) { return {true, Visible, 21, false}; }

// The main window's title bar: system menu and minimise.
TTitleButtonRow MainWindowRow()
{
    TTitleButtonRow row;
    row.SysButtons = true;
    row.Close = Button();
    row.Min = Button();
    return row;
}

}  // namespace

TEST(FrameGeometry, BorderWidthFollowsTheFrameStyleUnlessTheSkinGivesOne)
{
    EXPECT_EQ(SysBorderWidth(Sizeable(), Wine), 4);
    EXPECT_EQ(SysBorderWidth(Single(), Wine), 3);
    EXPECT_EQ(SysBorderWidth(TFrameStyle{}, Wine), 0);
    EXPECT_EQ(SysBorderWidth(Single(), Wine, 7), 7) << "the skin's own border in the extended layout";
}

TEST(FrameGeometry, CaptionHeightByStyleSkinAndState)
{
    struct Case {
        const char* Name;
        TFrameStyle Style;
        int SkinTitle;
        bool SysExHeight;
        int Expected;
    };
    TFrameStyle noCaption = Single();
    noCaption.Caption = false;
    TFrameStyle iconicNoCaption = noCaption;
    iconicNoCaption.Iconic = true;
    TFrameStyle tool = Single();
    tool.ToolWindow = true;
    TFrameStyle iconicTool = tool;
    iconicTool.Iconic = true;
    TFrameStyle borderless = Single();
    borderless.HaveBorder = false;
    const Case cases[] = {
        {"a caption", Single(), 0, false, 19},
        {"no caption", noCaption, 0, false, 0},
        {"no border", borderless, 0, false, 0},
        {"iconic without caption", iconicNoCaption, 0, false, 19},
        {"tool window", tool, 0, false, 15},
        {"iconic tool window", iconicTool, 0, false, 19},
        {"the skin's title", Single(), 26, false, 26},
        {"extended height: the system's + 4", Single(), 20, true, 23},
        {"extended height: the skin's when taller", Single(), 30, true, 30},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionHeight(c.Style, Wine, c.SkinTitle, c.SysExHeight), c.Expected) << c.Name;
}

TEST(FrameGeometry, IconSizeAndMenuLines)
{
    EXPECT_EQ(IconSizeForHeight(8), 1);
    EXPECT_EQ(IconSizeForHeight(9), 8);
    EXPECT_EQ(IconSizeForHeight(16), 8);
    EXPECT_EQ(IconSizeForHeight(17), 16);
    EXPECT_EQ(MenuLinesCount(500, 500, 19), 1) << "the item ends on the client's edge";
    EXPECT_EQ(MenuLinesCount(500 - 2 * 17, 500, 19), 3);
    EXPECT_EQ(MenuLinesCount(500 - 2 * 17 + 1, 500, 19), 2);
}

TEST(FrameGeometry, TitleButtonsOfTheMainWindowsShape)
{
    const TTitleButtonRects rects = PlaceTitleButtons(Layout(Single()), MainWindowRow());
    EXPECT_EQ(rects.Close, TRect(371, 2, 395, 20));
    EXPECT_EQ(rects.Min, TRect(346, 2, 370, 20)) << "column 370 stays the title's";
    EXPECT_TRUE(rects.Max.IsEmpty());
    EXPECT_TRUE(rects.Help.IsEmpty());
    EXPECT_EQ(IconRect(Layout(Single()), vcl::TSize(16, 16)), TRect(5, 3, 21, 19));
}

TEST(FrameGeometry, TitleButtonsOfASizeableFormWithHelp)
{
    TTitleButtonRow row = MainWindowRow();
    row.Max = Button();
    row.Help = Button();
    const TTitleButtonRects rects = PlaceTitleButtons(Layout(Sizeable()), row);
    EXPECT_EQ(rects.Close, TRect(370, 2, 394, 20));
    EXPECT_EQ(rects.Max, TRect(345, 2, 369, 20));
    EXPECT_EQ(rects.Min, TRect(320, 2, 344, 20));
    EXPECT_EQ(rects.Help, TRect(289, 2, 313, 20)) << "6 pixels apart";
}

TEST(FrameGeometry, UserButtonsStartEightPixelsLeftOfTheSystemButtons)
{
    TTitleButtonRow row = MainWindowRow();
    row.User = {UserButton(), UserButton(false), UserButton()};
    const TTitleButtonRects rects = PlaceTitleButtons(Layout(Single()), row);
    ASSERT_EQ(rects.User.size(), 3u);
    EXPECT_EQ(rects.User[0], TRect(316, 2, 337, 20));
    EXPECT_TRUE(rects.User[1].IsEmpty()) << "a hidden button is not placed";
    EXPECT_EQ(rects.User[2], TRect(294, 2, 315, 20));
    // The room counts the hidden button too: margin 2, close 24, minimise 25, gap 8, 3 x 22.
    EXPECT_EQ(TitleButtonsWidth(Layout(Single()), row), 2 + 24 + 25 + 8 + 3 * 22);
}

TEST(FrameGeometry, ButtonsWithoutTheSystemMenuAndSmallButtons)
{
    TTitleButtonRow row = MainWindowRow();
    row.SysButtons = false;
    EXPECT_TRUE(PlaceTitleButtons(Layout(Single()), row).Close.IsEmpty());
    EXPECT_EQ(TitleButtonsWidth(Layout(Single()), row), 2);
    TFrameLayout small = Layout(Single());
    small.BigButtons = false;
    row.SysButtons = true;
    const TTitleButtonRects rects = PlaceTitleButtons(small, row);
    EXPECT_EQ(rects.Min.right, rects.Close.left) << "no spacing between small buttons";
}

TEST(FrameGeometry, ButtonTopsByTheSkinsAlignment)
{
    TFrameLayout layout = Layout(Single());
    layout.VAlign = 1;
    EXPECT_EQ(TitleButtonTop(layout, true), 0) << "at the top";
    EXPECT_EQ(TitleButtonTop(layout, false), 2) << "a button without alignment stays centred";
    layout.Zoomed = true;
    EXPECT_EQ(TitleButtonTop(layout, true), 3);
    layout = Layout(Single());
    layout.ButtonHeight = 14;
    EXPECT_EQ(TitleButtonTop(layout, false), (3 + 19 - 14) / 2 + 2) << "low big buttons move down";
}

TEST(FrameGeometry, GripPointOfASizeableForm)
{
    EXPECT_EQ(RBGripPoint(Layout(Sizeable()), vcl::TSize(12, 12)), vcl::TPoint(383, 283));
}

TEST(FrameGeometry, CaptionTextRoomAndAlignment)
{
    const TFrameLayout layout = Layout(Single());
    const TRect box = CaptionTextBox(layout, 16, false, 51);
    EXPECT_EQ(box, TRect(3 + 16 + 2 + 4, 2, 400 - 51 - 12, 22));
    const vcl::TSize text(100, 13);
    EXPECT_EQ(AlignCaptionText(box, text, 0, vcl::TAlignment::taLeftJustify), TRect(25, 5, 337, 18));
    EXPECT_EQ(AlignCaptionText(box, text, 20, vcl::TAlignment::taRightJustify), TRect(337 - 124, 5, 337, 18));
    const int centred = 25 + (312 - 104) / 2;
    EXPECT_EQ(AlignCaptionText(box, text, 0, vcl::TAlignment::taCenter), TRect(centred, 5, centred + 100, 18));
    EXPECT_EQ(AlignCaptionText(TRect(25, 2, 60, 22), text, 0, vcl::TAlignment::taRightJustify).left, 25)
        << "a text wider than its room keeps the left edge";
}

TEST(FrameGeometry, PixelCorrectionOfOldSkins)
{
    const auto pixel = [](uint8_t R, uint8_t G, uint8_t B, uint8_t A) {
        TsColor c;
        c.sBGRA = {B, G, R, A};
        return c;
    };
    const TsColor small = CorrectFramePixel(pixel(110, 100, 105, 100));
    EXPECT_EQ(small.sBGRA.A, 161) << "spread 10";
    EXPECT_EQ(small.sBGRA.R, 110 - 6);
    EXPECT_EQ(small.sBGRA.G, 100 - 6);
    EXPECT_EQ(CorrectFramePixel(pixel(160, 10, 50, 100)).sBGRA.A, 255) << "spread 150";
    EXPECT_EQ(CorrectFramePixel(pixel(160, 10, 50, 255)).U(), pixel(160, 10, 50, 255).U()) << "opaque";
    EXPECT_EQ(CorrectFramePixel(pixel(90, 90, 90, 100)).U(), pixel(90, 90, 90, 100).U()) << "grey";
}

TEST(FrameGeometry, RightToLeftExchangesLeftAndRight)
{
    using vcl::TAlignment;
    EXPECT_EQ(ShownCaptionAlignment(TAlignment::taLeftJustify, true), TAlignment::taRightJustify);
    EXPECT_EQ(ShownCaptionAlignment(TAlignment::taRightJustify, true), TAlignment::taLeftJustify);
    EXPECT_EQ(ShownCaptionAlignment(TAlignment::taCenter, true), TAlignment::taCenter);
    EXPECT_EQ(ShownCaptionAlignment(TAlignment::taLeftJustify, false), TAlignment::taLeftJustify);
}

TEST(FrameGeometry, AddedTitleColours)
{
    const vcl::TColor title = vcl::TColor(0x203040), hot = vcl::TColor(0xFFFFFF), red = vcl::TColor(0x0000FF);
    EXPECT_EQ(AddedTitleColor(vcl::clNone, title, hot, true), hot);
    EXPECT_EQ(AddedTitleColor(vcl::clWindowText, title, hot, false), title);
    EXPECT_EQ(AddedTitleColor(red, title, hot, true), red);
    EXPECT_EQ(AddedTitleColor(red, title, hot, false), vcl::TColor(0x1018A0)) << "half the title's font colour";
}
