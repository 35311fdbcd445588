// The runs of key pixels in the corners of a border image, which skinned windows cut out of
// their regions.
#include <gtest/gtest.h>

#include "SkinTableFixtures.h"

namespace skin::test {
namespace {

using vcl::TRect;

// A border of ImageCount states, Width wide and Height high, margins 3, without keys.
struct TBorder {
    TTestSkin Skin;
    int Image;
    TBorder(int Width, int Height, int ImageCount = 1, int MaskType = 0, int Margin = 3)
        : Skin(Width, Height, Px(40, 40, 40))
    {
        Image = Skin.AddImage({.R = TRect(0, 0, Width, Height), .ImageCount = ImageCount, .MaskType = MaskType,
                               .WL = Margin, .WT = Margin, .WR = Margin, .WB = Margin});
    }
    TAOR Runs(int WindowWidth, int Y, bool Bottom) const
    {
        TAOR runs;
        AddRgn(runs, WindowWidth, Skin.Image(Image), Y, Bottom);
        return runs;
    }
};

TEST(AddRgn, AStairOfKeysGivesOneRunARow)
{
    TBorder border(10, 10);
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}})
        border.Skin.Master(x, y) = Key;
    EXPECT_EQ(border.Runs(10, 0, false), (TAOR{TRect(0, 0, 3, 1), TRect(0, 1, 2, 2), TRect(0, 2, 1, 3)}));
}

TEST(AddRgn, TheRightCornerOfTheFirstStateMeetsTheWindowsRightEdge)
{
    // Two states in 40 columns: state-image column 19 lands on column 99 of a window 100 wide.
    TBorder border(40, 10, 2);
    border.Skin.Master(19, 1) = Key;
    border.Skin.Master(39, 0) = Key;  // the second state is not read
    EXPECT_EQ(border.Runs(100, 5, false), (TAOR{TRect(99, 6, 100, 7)}));
}

TEST(AddRgn, RunsBreakAtOtherPixelsAndAtTheCornersEdge)
{
    TBorder border(10, 10);
    border.Skin.Master(0, 0) = Key;
    border.Skin.Master(2, 0) = Key;
    border.Skin.Master(3, 0) = Key;  // beyond the left corner, WL = 3
    border.Skin.Master(1, 1) = 0xFFFF00FF;  // magenta, but not transparent
    EXPECT_EQ(border.Runs(10, 0, false), (TAOR{TRect(0, 0, 1, 1), TRect(2, 0, 3, 1)}));
}

TEST(AddRgn, BottomCornersAreTheLastRowsOfTheImageAboveItsMask)
{
    // An area 60 high over its mask: with WB 4 the rows 26 to 29 are read.
    TBorder border(10, 60, 1, 1, 4);
    border.Skin.Master(0, 25) = Key;
    border.Skin.Master(0, 26) = Key;
    border.Skin.Master(1, 29) = Key;
    border.Skin.Master(0, 30) = Key;
    EXPECT_EQ(border.Runs(10, 70, true), (TAOR{TRect(0, 70, 1, 71), TRect(1, 73, 2, 74)}));
}

TEST(AddRgn, NothingWithoutManagerOrWithoutTheRowsToRead)
{
    TBorder border(10, 10);
    border.Skin.Master(0, 0) = Key;
    border.Skin.Image(border.Image).R = TRect(0, 8, 10, 18);  // its rows run out of the bitmap
    EXPECT_TRUE(border.Runs(10, 0, false).empty());
    border.Skin.Image(border.Image).R = TRect(0, 0, 10, 10);
    border.Skin.Image(border.Image).Manager = nullptr;
    EXPECT_TRUE(border.Runs(10, 0, false).empty());
}

TEST(SubtractRects, CutsEveryRectangleOutOfTheRegion)
{
    const HRGN rgn = CreateRectRgn(0, 0, 10, 10);
    SubtractRects(rgn, TAOR{TRect(0, 0, 3, 1), TRect(9, 9, 10, 10)});
    EXPECT_FALSE(PtInRegion(rgn, 2, 0));
    EXPECT_FALSE(PtInRegion(rgn, 9, 9));
    EXPECT_TRUE(PtInRegion(rgn, 3, 0));
    EXPECT_TRUE(PtInRegion(rgn, 0, 1));
    DeleteObject(rgn);
}

}  // namespace
}  // namespace skin::test
