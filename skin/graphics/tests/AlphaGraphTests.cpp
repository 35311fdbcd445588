// 32-bit primitives: colour byte views, fills, the alpha fill, the colour blend, the two-bitmap
// blend, the disabled look and the corner fill, each clipped to its bitmap.
#include <gtest/gtest.h>

#include <cstring>

#include "PixelFixtures.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

TEST(SwapColour, ExchangesBytesZeroAndTwo)
{
    EXPECT_EQ(uint32_t(SwapRedBlue(TColor(0x11223344))), 0x11443322u);
    EXPECT_EQ(uint32_t(SwapColor(TColor(0x11223344))), 0x11443322u);
}

TEST(TacFast32, ReadsAndWritesInColourOrder)
{
    TPixelBuffer buffer(2, 2);
    const uint8_t bytes[4] = {0x10, 0x20, 0x30, 0x40};
    std::memcpy(&buffer.At(1, 1), bytes, 4);
    TacFast32 fast;
    ASSERT_TRUE(fast.Attach(buffer.View()));
    const TsColor c = fast.GetPixel(1, 1);
    EXPECT_EQ(c.U(), 0x40102030u);
    EXPECT_EQ(c.R, 0x30);
    EXPECT_EQ(c.A, 0x40);
    fast.SetPixel(0, 0, c);
    EXPECT_EQ(std::memcmp(&buffer.At(0, 0), bytes, 4), 0);
}

TEST(TacFast32, RefusesOneRowOrNoColumns)
{
    TPixelBuffer row(5, 1), empty(0, 4);
    TacFast32 fast;
    EXPECT_FALSE(fast.Attach(row.View()));
    EXPECT_EQ(fast.Width(), 0);
    EXPECT_FALSE(fast.Attach(empty.View()));
}

TEST(FillRect32, WritesOpaquePixelOrderAndClipsEveryEdge)
{
    struct Case {
        TRect R;
        TRect Filled;
    };
    const Case cases[] = {
        {TRect(1, 1, 3, 3), TRect(1, 1, 3, 3)},   {TRect(-2, -2, 2, 2), TRect(0, 0, 2, 2)},
        {TRect(3, 3, 10, 10), TRect(3, 3, 4, 4)}, {TRect(-5, 1, 9, 2), TRect(0, 1, 4, 2)},
        {TRect(5, 0, 9, 4), TRect()},             {TRect(2, 2, 1, 3), TRect()},
    };
    for (const Case& c : cases) {
        TGuardedImage img(4, 4);
        FillRect32(img.View(), c.R, vcl::clRed);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(img.At(x, y), c.Filled.Contains(TPoint(x, y)) ? 0xFFFF0000u : 0u) << x << "," << y;
        EXPECT_TRUE(img.GuardIntact());
    }
}

TEST(FillRect32, FillsTheOnlyRowOfAOneRowBitmap)
{
    TGuardedImage img(3, 1);
    FillRect32(img.View(), TRect(0, 0, 2, 1), TColor(0x00112233));
    EXPECT_EQ(img.Pixels(), (std::vector<uint32_t>{Px(0x33, 0x22, 0x11), Px(0x33, 0x22, 0x11), 0}));
    EXPECT_TRUE(img.GuardIntact());
}

TEST(FillDCBorder32, FillsTheFourBandsOnly)
{
    TGuardedImage img(5, 5);
    FillDCBorder32(img.View(), TRect(0, 0, 5, 5), 1, 2, 1, 1, vcl::clWhite);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool band = y < 2 || x == 0 || x == 4 || y == 4;
            EXPECT_EQ(img.At(x, y), band ? 0xFFFFFFFFu : 0u) << x << "," << y;
        }
}

TEST(FillAlphaRect, SkipsOnlyTheWholeKeyPixel)
{
    TGuardedImage img(3, 1);
    img.At(0, 0) = 0x00FF00FF;
    img.At(1, 0) = 0xFFFF00FF;
    img.At(2, 0) = 0x00123456;
    FillAlphaRect(img.View(), TRect(-1, -1, 9, 9), 0x80, true);
    EXPECT_EQ(img.Pixels(), (std::vector<uint32_t>{0x00FF00FF, 0x80FF00FF, 0x80123456}));
    FillAlphaRect(img.View(), TRect(0, 0, 1, 1), 0x80, false);
    EXPECT_EQ(img.At(0, 0), 0x80FF00FFu);
    EXPECT_TRUE(img.GuardIntact());
}

TEST(BlendColorRect, IncludesRightColumnAndBottomRowInsideTheBitmap)
{
    for (const int size : {5, 20}) {
        TGuardedImage img(size, size, Px(0, 0, 0, 7));
        BlendColorRect(img.View(), TRect(0, 0, 10, 10), 0, TColor(0x00112233));
        int touched = 0;
        for (uint32_t p : img.Pixels())
            if (p != Px(0, 0, 0, 7)) {
                EXPECT_EQ(p, Px(0x33, 0x22, 0x11, 7));
                ++touched;
            }
        EXPECT_EQ(touched, size == 5 ? 25 : 121);
        EXPECT_TRUE(img.GuardIntact());
    }
}

TEST(BlendColorRect, KeepsBlendPercentRoundingHalvesToEven)
{
    TGuardedImage img(3, 1);
    img.At(0, 0) = Px(16, 17, 100);
    img.At(1, 0) = Px(16, 17, 100);
    img.At(2, 0) = Px(16, 17, 100);
    BlendColorRect(img.View(), TRect(1, 0, 1, 0), 50, TColor(0x00C81211));  // red 17, green 18, blue 200
    BlendColorRect(img.View(), TRect(2, 0, 2, 0), 100, TColor(0x00FFFFFF));
    EXPECT_EQ(img.At(0, 0), Px(16, 17, 100));
    EXPECT_EQ(img.At(1, 0), Px(16, 18, 150));  // 16.5 -> 16, 17.5 -> 18
    EXPECT_EQ(img.At(2, 0), Px(16, 17, 100));
}

TEST(BlendColorRect, ExactHalvesOfEveryWeightGoToEven)
{
    // 5 * 0.07 + 255 * 0.93 is 237.5 exactly, but not in doubles.
    TPixelBuffer img(1, 1, Px(5, 5, 5));
    BlendColorRect(img.View(), TRect(0, 0, 0, 0), 7, vcl::clWhite);
    EXPECT_EQ(img.At(0, 0), Px(238, 238, 238));
    // Half of 1 is 0.5, half of 3 is 1.5.
    TPixelBuffer mixed(1, 1, Px(1, 3, 1));
    BlendColorRect(mixed.View(), TRect(0, 0, 0, 0), 50, TColor(0x00000000));
    EXPECT_EQ(mixed.At(0, 0), Px(0, 2, 0));
}

TEST(BlendColorRect, ResolvesSystemColours)
{
    TPixelBuffer img(1, 1, Px(0, 0, 0, 3));
    BlendColorRect(img.View(), TRect(0, 0, 1, 1), 0, vcl::clBtnFace);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(img.At(0, 0), Px(GetRValue(face), GetGValue(face), GetBValue(face), 3));
}

TEST(SumBitmaps, BlendsEveryByteWithTheWeightOfTheDestination)
{
    TPixelBuffer dst(2, 2, 0xFF80807F), src(2, 2, 0x00000000);
    SumBitmaps(dst.View(), src.View(), TsColor::FromInt(255));
    EXPECT_EQ(dst.At(0, 0), 0xFE7F7F7Fu);  // 255 -> 254, 128 -> 127, 127 stays
    TPixelBuffer dst2(2, 2, 0), src2(2, 2, 0xFFFFFFFF);
    SumBitmaps(dst2.View(), src2.View(), TsColor::FromInt(0));
    EXPECT_EQ(dst2.At(1, 1), 0xFEFEFEFEu);
    TPixelBuffer small(1, 2, 0), other(1, 2, 0xFFFFFFFF), wide(3, 2, 0);
    SumBitmaps(small.View(), other.View(), TsColor::FromInt(0));
    SumBitmaps(wide.View(), src2.View(), TsColor::FromInt(0));
    EXPECT_EQ(small.At(0, 0), 0u);
    EXPECT_EQ(wide.At(0, 0), 0u);
}

TEST(TacFastSum32, ClipsBothRectanglesToTheirBitmaps)
{
    TGuardedImage dst(4, 4, 0), src(3, 3, 0xFFFFFFFF);
    TacFastSum32 sum;
    ASSERT_TRUE(sum.Attach(src.View(), dst.View()));
    sum.Alpha = 0;
    sum.DstX1 = -2, sum.DstY1 = 1, sum.DstX2 = 6, sum.DstY2 = 6;
    sum.SrcX1 = -1, sum.SrcY2 = 4;  // source column x + 1, source row y - 2
    sum.BlendBitmapsRect();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int sx = x + 1, sy = y - 2;  // x - (DstX1 - SrcX1), y - (DstY2 - SrcY2)
            const bool covered = y >= 1 && sx >= 0 && sx < 3 && sy >= 0 && sy < 3;
            EXPECT_EQ(dst.At(x, y), covered ? 0xFEFEFEFEu : 0u) << x << "," << y;
        }
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(BmpDisabledKind, GreyThenHalfTheFillColour)
{
    TPixelBuffer bmp(2, 2, Px(200, 100, 0, 9));
    TCacheView none;
    none.FillColor = vcl::clWhite;
    BmpDisabledKind(bmp.View(), {TsDisabledKindItem::dkGrayed, TsDisabledKindItem::dkBlended}, vcl::clBlack, none,
                    TPoint());
    EXPECT_EQ(bmp.At(1, 1), Px(178, 178, 178, 9));  // grey 100, then (100 + 255) / 2 = 177.5 -> 178
}

TEST(BmpDisabledKind, ParentColourWhenTheBackgroundHasNoColour)
{
    TPixelBuffer bmp(1, 1, Px(100, 100, 100));
    TCacheView none;  // fill colour 0xFF00FF: none
    BmpDisabledKind(bmp.View(), TsDisabledKindItem::dkBlended, TColor(0x00C8C8C8), none, TPoint());
    EXPECT_EQ(bmp.At(0, 0), Px(150, 150, 150));
}

TEST(BmpDisabledKind, SixtyPercentOfTheBackgroundBeneathExceptKeyPixels)
{
    TGuardedImage cache(4, 1);
    cache.At(2, 0) = Px(200, 200, 200, 0);
    cache.At(3, 0) = 0x00FF00FF;
    TPixelBuffer bmp(2, 1, Px(100, 0, 50, 30));
    TCacheView ci;
    ci.Bmp = cache.View();
    ci.Ready = true;
    ci.X = 1;
    BmpDisabledKind(bmp.View(), TsDisabledKindItem::dkBlended, vcl::clBlack, ci, TPoint(1, 0));
    EXPECT_EQ(bmp.At(0, 0), Px(160, 120, 140, 30));  // s - (s - d) * 0.4
    EXPECT_EQ(bmp.At(1, 0), Px(100, 0, 50, 30));
}

TEST(FillTransPixels32, TakesTheSourceWhereTheDestinationIsMagenta)
{
    TGuardedImage dst(3, 3, Px(1, 1, 1)), src(3, 3, Px(9, 9, 9));
    dst.At(0, 0) = 0x00FF00FF;
    dst.At(2, 2) = 0x80FF00FF;
    dst.At(1, 1) = 0x00FF00FE;
    src.At(1, 1) = Px(5, 5, 5);
    FillTransPixels32(dst.View(), src.View(), TRect(-1, -1, 3, 3), TPoint(0, 0));
    EXPECT_EQ(dst.At(0, 0), Px(5, 5, 5));         // from source (1, 1)
    EXPECT_EQ(dst.At(2, 2), 0x80FF00FFu);         // the area is 3 x 3 from (-1, -1): ends at (1, 1)
    EXPECT_EQ(dst.At(1, 1), 0x00FF00FEu);
    FillTransPixels32(dst.View(), src.View(), TRect(2, 2, 9, 9), TPoint(1, 1));
    EXPECT_EQ(dst.At(2, 2), Px(5, 5, 5));
    EXPECT_TRUE(dst.GuardIntact());
    EXPECT_TRUE(src.GuardIntact());
}

TEST(FillTransPixels32, MaskCornerDecidesAndIsReadOnlyInsideTheMask)
{
    TGuardedImage dst(2, 2, Px(1, 1, 1)), src(2, 2, Px(9, 9, 9));
    TGuardedImage mask(4, 3, Px(0, 0, 0), 0x00FF00FF);  // a guard of magenta: reading it would copy
    mask.At(3, 2) = 0xAAFF00FF;
    const TPixelView maskView = mask.View();
    const TPoint origin = MaskCornerOrigin(TRect(0, 0, 4, 3), 2, 2, 17);
    EXPECT_EQ(origin, TPoint(2, 1));
    FillTransPixels32(dst.View(), src.View(), TRect(0, 0, 2, 2), TPoint(0, 0), &maskView, TPoint(3, 2));
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(9, 9, 9), Px(1, 1, 1), Px(1, 1, 1), Px(1, 1, 1)}));
}

TEST(MaskCornerOrigin, ByHitTestCode)
{
    const TRect image(10, 20, 18, 26);
    EXPECT_EQ(MaskCornerOrigin(image, 3, 2, 13), TPoint(10, 20));
    EXPECT_EQ(MaskCornerOrigin(image, 3, 2, 14), TPoint(15, 20));
    EXPECT_EQ(MaskCornerOrigin(image, 3, 2, 16), TPoint(10, 24));
    EXPECT_EQ(MaskCornerOrigin(image, 3, 2, 17), TPoint(15, 24));
    EXPECT_EQ(MaskCornerOrigin(image, 3, 2, 99), TPoint(10, 20));
}

}  // namespace
}  // namespace skin::test
