// Fills, frames, border copies and pixel painters on device contexts (memory DCs over DIB sections).
#include <gtest/gtest.h>

#include <set>

#include "PixelFixtures.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TRect;

// Red, green and blue of a pixel, as a colour value.
uint32_t Rgb(uint32_t p) { return uint32_t(Rof(p)) | uint32_t(Gof(p)) << 8 | uint32_t(Bof(p)) << 16; }

// The points of a DIB whose colour (alpha ignored) is the given colour value.
std::set<std::pair<int, int>> PointsOf(TDibSection& dib, TColor colour)
{
    std::set<std::pair<int, int>> points;
    const TPixelView v = dib.View();
    for (int y = 0; y < v.Height; ++y)
        for (int x = 0; x < v.Width; ++x)
            if (Rgb(v.At(x, y)) == uint32_t(colour))
                points.insert({x, y});
    return points;
}

std::set<std::pair<int, int>> Box(int left, int top, int right, int bottom)
{
    std::set<std::pair<int, int>> points;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            points.insert({x, y});
    return points;
}

TEST(FillDC, ResolvesSystemColoursAndKeepsTheDCState)
{
    TDibSection dib(4, 3);
    const HGDIOBJ brush = GetCurrentObject(dib.DC(), OBJ_BRUSH);
    const int level = SaveDC(dib.DC());
    FillDC(dib.DC(), TRect(1, 1, 3, 3), vcl::clBtnFace);
    EXPECT_EQ(Rgb(dib.View().At(1, 2)), uint32_t(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Rgb(dib.View().At(0, 0)), 0u);
    EXPECT_EQ(GetCurrentObject(dib.DC(), OBJ_BRUSH), brush);
    EXPECT_EQ(SaveDC(dib.DC()), level + 1);
}

TEST(FillDCBorder, BandsOfTheGivenWidths)
{
    TDibSection dib(8, 8);
    FillDCBorder(dib.DC(), TRect(1, 1, 7, 7), 1, 2, 0, 1, vcl::clRed);
    auto expected = Box(1, 1, 7, 3);  // top, 2 high
    for (const auto& p : Box(1, 3, 2, 7))  // left, 1 wide
        expected.insert(p);
    for (const auto& p : Box(2, 6, 7, 7))  // bottom, 1 high
        expected.insert(p);
    EXPECT_EQ(PointsOf(dib, vcl::clRed), expected);

    TDibSection none(4, 4), tall(4, 4);
    FillDCBorder(none.DC(), TRect(0, 0, 4, 4), 0, 0, 0, 0, vcl::clRed);
    EXPECT_TRUE(PointsOf(none, vcl::clRed).empty());
    FillDCBorder(tall.DC(), TRect(0, 0, 4, 4), 0, 9, 0, 0, vcl::clRed);
    EXPECT_EQ(PointsOf(tall, vcl::clRed), Box(0, 0, 4, 4));
}

TEST(BitBltBorder, CopiesTheFrameAndLeavesTheInside)
{
    TDibSection src(10, 10), dst(10, 10);
    FillDC(src.DC(), TRect(0, 0, 10, 10), vcl::clLime);
    BitBltBorder(dst.DC(), 1, 2, 6, 5, src.DC(), 3, 3, 2);
    auto expected = Box(1, 2, 7, 7);
    for (const auto& p : Box(3, 4, 5, 5))  // the inside, 6 - 4 wide and 5 - 4 high
        expected.erase(p);
    EXPECT_EQ(PointsOf(dst, vcl::clLime), expected);
    TDibSection untouched(10, 10);
    BitBltBorder(untouched.DC(), 0, 0, 10, 10, src.DC(), 0, 0, 0);
    EXPECT_TRUE(PointsOf(untouched, vcl::clLime).empty());
}

TEST(DrawRectangleOnDC, NestedFramesTopLeftThenBottomRight)
{
    TDibSection dib(6, 6);
    TRect r(0, 0, 6, 6);
    int width = 2;
    DrawRectangleOnDC(dib.DC(), r, vcl::clRed, vcl::clBlue, width);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(r, TRect(2, 2, 4, 4));
    std::set<std::pair<int, int>> red, blue;
    for (int k = 0; k < 2; ++k) {
        const int left = k, top = k, right = 5 - k, bottom = 5 - k;
        for (int y = top; y <= bottom; ++y) {
            red.insert({left, y});
            blue.insert({right, y});
        }
        for (int x = left; x <= right; ++x) {
            red.insert({x, top});
            blue.insert({x, bottom});
        }
    }
    for (const auto& p : blue)
        red.erase(p);
    EXPECT_EQ(PointsOf(dib, vcl::clRed), red);
    EXPECT_EQ(PointsOf(dib, vcl::clBlue), blue);
}

TEST(FocusRect, PairsEveryThirdPixel)
{
    TDibSection dib(8, 5);
    FocusRect(dib.DC(), TRect(0, 0, 7, 4), vcl::clRed, vcl::clBlue);
    EXPECT_EQ(PointsOf(dib, vcl::clBlue),
              (std::set<std::pair<int, int>>{{0, 0}, {3, 0}, {6, 0}, {0, 3}, {3, 3}, {6, 3}}));
    EXPECT_EQ(PointsOf(dib, vcl::clRed), (std::set<std::pair<int, int>>{{2, 0}, {5, 0}, {2, 3}, {5, 3}, {0, 2}, {6, 2}}));
}

TEST(DrawColorArrow, RightAndDownArrows)
{
    TDibSection right(11, 11), down(11, 11), other(11, 11);
    DrawColorArrow(right.DC(), vcl::clWhite, TRect(0, 0, 11, 11), 4);
    DrawColorArrow(down.DC(), vcl::clWhite, TRect(0, 0, 11, 11), 8);
    DrawColorArrow(other.DC(), vcl::clWhite, TRect(0, 0, 11, 11), 2);
    std::set<std::pair<int, int>> arrow;
    for (int y = 2; y <= 8; ++y)
        arrow.insert({4, y});
    for (int y = 3; y <= 7; ++y)
        arrow.insert({5, y});
    for (int y = 4; y <= 6; ++y)
        arrow.insert({6, y});
    arrow.insert({7, 5});
    EXPECT_EQ(PointsOf(right, vcl::clWhite), arrow);
    arrow.clear();
    for (int r = 0; r < 4; ++r)
        for (int x = 1 + r; x <= 8 - r; ++x)
            arrow.insert({x, 3 + r});
    EXPECT_EQ(PointsOf(down, vcl::clWhite), arrow);
    EXPECT_TRUE(PointsOf(other, vcl::clWhite).empty());
}

TEST(GetStringSize, MeasuresInTheFont)
{
    const HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    const vcl::TSize one = GetStringSize(font, L"M"), four = GetStringSize(font, L"MMMM");
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 0);
    EXPECT_GT(four.cx, one.cx);
    EXPECT_EQ(four.cy, one.cy);
    DeleteObject(font);
}

}  // namespace
}  // namespace skin::test

namespace skin::test {
namespace {

// A graphic control of the splitter's class name, which the clip leaves alone.
class TsSplitter : public vcl::TGraphicControl {
    CL_CLASS(TsSplitter, vcl::TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
};

// A child of the panel, 2 x 2 at (left, 0).
template<class T>
void AddChild(vcl::TWinControl* panel, int left, bool visible)
{
    T* c = vcl::Create<T>(panel);
    c->SetBounds(left, 0, 2, 2);
    c->SetVisible(visible);
    c->SetParent(panel);
}

TEST(ExcludeControls, OnlyVisibleGraphicChildrenButSplitters)
{
    vcl::TWinControl* panel = vcl::Create<vcl::TWinControl>(nullptr);
    AddChild<TsSplitter>(panel, 0, true);
    AddChild<vcl::TGraphicControl>(panel, 2, false);
    AddChild<vcl::TGraphicControl>(panel, 4, true);
    AddChild<vcl::TWinControl>(panel, 6, true);
    TDibSection dib(8, 3);
    ExcludeControls(dib.DC(), panel, 0, 1);
    FillDC(dib.DC(), TRect(0, 0, 8, 3), vcl::clWhite);
    auto white = Box(0, 0, 8, 3);
    for (const auto& p : Box(4, 1, 6, 3))
        white.erase(p);
    EXPECT_EQ(PointsOf(dib, vcl::clWhite), white);
    panel->Free();
}

}  // namespace
}  // namespace skin::test
