// Blends and copies of 32-bit bitmaps: their formulas at the edge values, the key and background
// rules, and clipping at every edge of both bitmaps.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

constexpr uint32_t Key = 0x00FF00FF;

// A 3 x 3 source whose only visible pixel, opaque white, is its centre.
TGuardedImage Dot3()
{
    TGuardedImage src(3, 3, Px(0, 0, 0, 0));
    src.At(1, 1) = 0xFFFFFFFF;
    return src;
}

TEST(CopyByMask, OpaqueWhiteOverBlackGives254AndAccumulatesAlpha)
{
    TGuardedImage dst(1, 1, 0), src(1, 1, 0xFFFFFFFF);
    CopyByMask(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), dst.View(), src.View(), TCacheView(), false);
    EXPECT_EQ(dst.At(0, 0), 0xFFFEFEFEu);
    TGuardedImage half(1, 1, Px(100, 100, 100, 0)), semi(1, 1, Px(200, 200, 200, 128));
    CopyByMask(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), half.View(), semi.View(), TCacheView(), false);
    EXPECT_EQ(half.At(0, 0), Px(150, 150, 150, 128));
}

TEST(CopyByMask, KeyPixelsWithoutBackgroundOnlyWeighNothing)
{
    TGuardedImage dst(1, 1, Px(1, 2, 3, 4)), src(1, 1, Key);
    CopyByMask(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), dst.View(), src.View(), TCacheView(), true);
    EXPECT_EQ(dst.At(0, 0), Px(1, 2, 3, 4));
}

TEST(CopyByMask, KeyPixelsTakeTheBackgroundInsideTheCacheOnly)
{
    TGuardedImage cache(2, 1, Px(7, 8, 9, 0)), dst(3, 1, Px(1, 1, 1, 1)), src(3, 1, Key);
    TCacheView ci;
    ci.Bmp = cache.View();
    ci.Ready = true;
    ci.X = -1;
    CopyByMask(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.View(), src.View(), ci, true);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(1, 1, 1, 1), Px(7, 8, 9), Px(7, 8, 9)}));
    CopyByMask(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.View(), src.View(), ci, false);
    EXPECT_EQ(dst.At(0, 0), Px(1, 1, 1, 1));
}

struct ClipCase {
    TRect Dst;
    TRect Src;
    int X, Y;  // where the source centre lands; -1 when it is cut off
};

// Shared-area clipping of the rectangle copies: the source centre lands where the rectangles put it,
// nothing is written or read outside either bitmap.
const ClipCase RectCopyCases[] = {
    {TRect(0, 0, 3, 3), TRect(0, 0, 3, 3), 1, 1},     {TRect(-1, -1, 2, 2), TRect(0, 0, 3, 3), 0, 0},
    {TRect(2, 3, 5, 6), TRect(0, 0, 3, 3), 3, 4},     {TRect(3, 3, 9, 9), TRect(0, 0, 6, 6), 4, 4},
    {TRect(0, 0, 3, 3), TRect(-1, -1, 2, 2), 2, 2},   {TRect(1, 0, 4, 3), TRect(-2, 0, 1, 3), -1, -1},
    {TRect(0, 0, 5, 5), TRect(1, 1, 9, 9), 0, 0},     {TRect(5, 0, 8, 3), TRect(0, 0, 3, 3), -1, -1},
    {TRect(0, -3, 3, 0), TRect(0, 0, 3, 3), -1, -1},  {TRect(-2, 2, 1, 5), TRect(0, 0, 3, 3), -1, 3},
};

TEST(CopyByMask, ClipsTheSharedAreaAtEveryEdge)
{
    for (const ClipCase& c : RectCopyCases) {
        TGuardedImage dst(5, 5, 0), src = Dot3();
        CopyByMask(c.Dst, c.Src, dst.View(), src.View(), TCacheView(), false);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(dst.At(x, y), x == c.X && y == c.Y ? 0xFFFEFEFEu : 0u) << c.Dst.left << "," << c.Dst.top
                                                                                 << " at " << x << "," << y;
        EXPECT_TRUE(dst.GuardIntact());
    }
}

TEST(CopyBmp32, ClipsTheSharedAreaAtEveryEdge)
{
    for (const ClipCase& c : RectCopyCases) {
        TGuardedImage dst(5, 5, 0), src = Dot3();
        CopyBmp32(c.Dst, c.Src, dst.View(), src.View(), TCacheView(), false, vcl::clNone, 0, false);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(dst.At(x, y), x == c.X && y == c.Y ? 0x00FEFEFEu : 0u);
        EXPECT_TRUE(dst.GuardIntact());
    }
}

TEST(CopyByMask, MaskHalfKeepsDestinationWhereWhite)
{
    // A 2 x 4 skin image: the picture in rows 0..1, its mask two rows below.
    TGuardedImage src(2, 4), dst(2, 2, Px(100, 100, 100, 5));
    src.At(0, 0) = Px(200, 200, 200);
    src.At(1, 0) = Px(200, 200, 200);
    src.At(0, 2) = Px(0, 0, 0);        // black mask: the source
    src.At(1, 2) = Px(128, 128, 128);  // half
    src.At(0, 1) = Key;
    src.At(0, 3) = Px(255, 255, 255);
    CopyByMask(TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), dst.View(), src.View(), TCacheView(), false, 2);
    EXPECT_EQ(dst.At(0, 0), Px(200, 200, 200, 5));
    EXPECT_EQ(dst.At(1, 0), Px(150, 150, 150, 5));  // (200 * 128 + 100 * 128) shr 8
    EXPECT_EQ(dst.At(0, 1), Px(100, 100, 100, 5));  // key pixel skipped without a background
    TCacheView fill;
    fill.FillColor = TColor(int32_t(0x80112233));
    CopyByMask(TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), dst.View(), src.View(), fill, true, 2);
    EXPECT_EQ(dst.At(0, 1), 0x80332211u);
    EXPECT_TRUE(src.GuardIntact());
}

TEST(CopyByMask, MaskRowIsHeldInsideTheSource)
{
    TGuardedImage src(1, 2, Px(200, 200, 200)), dst(1, 2, Px(100, 100, 100));
    src.At(0, 1) = Px(0, 0, 0);
    // The mask of row 1 would lie at row 3; it is read from the last row instead, never the guard.
    CopyByMask(TRect(0, 0, 1, 2), TRect(0, 0, 1, 2), dst.View(), src.View(), TCacheView(), false, 2);
    EXPECT_EQ(dst.At(0, 1), Px(0, 0, 0));
    // An offset that points above the image (a mask rectangle upside down) reads the first row.
    TGuardedImage again(1, 2, Px(100, 100, 100));
    CopyByMask(TRect(0, 0, 1, 2), TRect(0, 0, 1, 2), again.View(), src.View(), TCacheView(), false, -2);
    EXPECT_EQ(again.Pixels(), (std::vector<uint32_t>{Px(121, 121, 121), Px(78, 78, 78)}));
}

TEST(CopyBmp32, BlendTintAndAlpha)
{
    TGuardedImage dst(3, 1, Px(0, 0, 0, 40)), src(3, 1, Px(30, 60, 90, 255));
    src.At(2, 0) = Px(200, 200, 200, 20);
    CopyBmp32(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), dst.View(), src.View(), TCacheView(), false, vcl::clRed, 0, false);
    EXPECT_EQ(dst.At(0, 0), Px(59, 0, 0, 40));  // grey 60 tinted red, mixed at 255
    CopyBmp32(TRect(1, 0, 2, 1), TRect(1, 0, 2, 1), dst.View(), src.View(), TCacheView(), false, vcl::clNone, 50,
              false);
    EXPECT_EQ(dst.At(1, 0), Px(14, 29, 44, 40));  // weight 127
    TCacheView ready;
    ready.Ready = true;
    ready.Bmp = dst.View();
    CopyBmp32(TRect(2, 0, 3, 1), TRect(2, 0, 3, 1), dst.View(), src.View(), ready, false, vcl::clNone, 0, false);
    EXPECT_EQ(Aof(dst.At(2, 0)), 40);  // the larger of the two alphas
    CopyBmp32(TRect(0, 0, 2, 1), TRect(1, 0, 3, 1), dst.View(), src.View(), ready, false, vcl::clNone, 0, false);
    EXPECT_EQ(Aof(dst.At(0, 0)), 255);
}

TEST(CopyBmp32, FullBlendStillFillsKeyPixelsFromTheCache)
{
    TGuardedImage cache(1, 1, Px(9, 8, 7, 0)), dst(2, 1, Px(1, 1, 1, 3)), src(2, 1, 0xFFFFFFFF);
    src.At(0, 0) = Key;
    TCacheView ci;
    ci.Bmp = cache.View();
    ci.Ready = true;
    CopyBmp32(TRect(0, 0, 2, 1), TRect(0, 0, 2, 1), dst.View(), src.View(), ci, true, vcl::clNone, 100, false);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(9, 8, 7, 3), Px(1, 1, 1, 3)}));
}

TEST(CopyBmp32, ReflectionFadesBelowAndNeverReadsAboveTheSource)
{
    // A 2 x 8 source: rows 0 and 1 white, the rest invisible; copied from its top two rows.
    TGuardedImage src(2, 8, Px(0, 0, 0, 0)), dst(2, 8, Px(0, 0, 0, 0));
    for (int x = 0; x < 2; ++x)
        src.At(x, 0) = src.At(x, 1) = 0xFFFFFFFF;
    CopyBmp32(TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), dst.View(), src.View(), TCacheView(), false, vcl::clNone, 0,
              true);
    EXPECT_EQ(dst.At(0, 1), Px(254, 254, 254, 0));
    EXPECT_EQ(dst.At(0, 2), Px(0, 0, 0, 0));     // the mirror starts one row lower
    EXPECT_EQ(dst.At(1, 3), Px(84, 84, 84, 0));  // source row 0 at weight 255 div 3
    for (int y = 4; y < 8; ++y)
        EXPECT_EQ(dst.At(0, y), Px(0, 0, 0, 0)) << y;  // rows above the source are not read
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(CopyBmp32, ReflectionReadsOnlyTheSourceRectangle)
{
    // A strip of four 1 x 4 images, the second one white, the others opaque red; the second is copied.
    TGuardedImage src(1, 16, Px(255, 0, 0)), dst(1, 14, Px(0, 0, 0, 0));
    for (int y = 4; y < 8; ++y)
        src.At(0, y) = 0xFFFFFFFF;
    CopyBmp32(TRect(0, 0, 1, 4), TRect(0, 4, 1, 8), dst.View(), src.View(), TCacheView(), false, vcl::clNone, 0,
              true);
    // Half the strip's height allows 7 mirrored rows, but the image has only rows 6, 5 and 4 to mirror.
    for (int y = 5; y <= 7; ++y) {
        EXPECT_GT(Gof(dst.At(0, y)), 0) << y;  // white mirrored, no red
        EXPECT_EQ(Gof(dst.At(0, y)), Rof(dst.At(0, y))) << y;
    }
    for (int y = 8; y < 14; ++y)
        EXPECT_EQ(dst.At(0, y), Px(0, 0, 0, 0)) << y;
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(CopyBmp32, ReflectionWeightDropsRowByRow)
{
    TGuardedImage src(1, 8, 0xFFFFFFFF), dst(1, 9, Px(0, 0, 0, 0));
    CopyBmp32(TRect(0, 0, 1, 4), TRect(0, 4, 1, 8), dst.View(), src.View(), TCacheView(), false, vcl::clNone, 40,
              true);
    // n = min(8 div 2 - 1, 9 - 4 - 1) = 3 rows; fade 255, 192, 129; weight (60 * 255 div 300) * f div 255.
    EXPECT_EQ(Rof(dst.At(0, 4)), 0);   // the mirror starts one row below the copy
    EXPECT_EQ(Rof(dst.At(0, 5)), 50);  // 51 * 255 div 255 = 51 -> mix 50
    EXPECT_EQ(Rof(dst.At(0, 6)), 37);  // 51 * 192 div 255 = 38 -> mix 37
    EXPECT_EQ(Rof(dst.At(0, 7)), 24);  // 51 * 129 div 255 = 25 -> mix 24
    EXPECT_EQ(Rof(dst.At(0, 8)), 0);
}

TEST(BlendTransRectangle, NegativeDestinationDrawsTheColumnsThatLandInside)
{
    TGuardedImage dst(4, 1, Px(0, 0, 0, 9)), src(5, 1);
    for (int x = 0; x < 5; ++x)
        src.At(x, 0) = Px(10 * x, 10 * x, 10 * x, 77);
    BlendTransRectangle(dst.View(), -3, 0, src.View(), TRect(0, 0, 4, 0), 0, TColor(Key));
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(30, 30, 30, 9), Px(40, 40, 40, 9), Px(0, 0, 0, 9),
                                                   Px(0, 0, 0, 9)}));
    EXPECT_TRUE(dst.GuardIntact());
    EXPECT_TRUE(src.GuardIntact());
}

TEST(BlendTransRectangle, BlendIsTheShareKeptOfTheDestinationAndSkipsTheKey)
{
    TGuardedImage dst(3, 1, Px(100, 100, 100)), src(3, 1, Px(201, 0, 50));
    src.At(2, 0) = Key;
    BlendTransRectangle(dst.View(), 0, 0, src.View(), TRect(-1, 0, 5, 5), 0.5, TColor(Key));
    // SrcRect's left of -1 moves the destination on by one.
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(100, 100, 100), Px(150, 50, 75), Px(150, 50, 75)}));
}

TEST(BlendTransBitmap, TowardTheColourExceptKeyPixels)
{
    TGuardedImage img(3, 1, Px(11, 200, 0, 5));
    img.At(2, 0) = Key;
    BlendTransBitmap(img.View(), 0.5, TsColor(TColor(0x00FF000A)));  // red 10, blue 255
    EXPECT_EQ(img.At(0, 0), Px(10, 100, 128, 5));                    // 10.5 -> 10, 127.5 -> 128
    EXPECT_EQ(img.At(2, 0), Key);
    BlendTransBitmap(img.View(), 0, TsColor(TColor(0x00030201)));
    EXPECT_EQ(img.At(1, 0), Px(1, 2, 3, 5));
}

TEST(BlendBmpByMask, BlackMaskGivesTheColourMidGreyHalf)
{
    TPixelBuffer img(2, 1, Px(200, 200, 200, 3)), mask(2, 1, Px(0, 0, 0));
    mask.At(1, 0) = Px(128, 128, 128);
    BlendBmpByMask(img.View(), mask.View(), TColor(0x00000040));
    EXPECT_EQ(img.At(0, 0), Px(64, 0, 0, 3));
    EXPECT_EQ(img.At(1, 0), Px(132, 100, 100, 3));
    TPixelBuffer other(3, 1, 0);
    BlendBmpByMask(img.View(), other.View(), vcl::clBlack);
    EXPECT_EQ(img.At(1, 0), Px(132, 100, 100, 3));
}

TEST(SumBitmapsByMask, PercentOrMaskWeighsTheFirst)
{
    TPixelBuffer out(1, 1, Px(0, 0, 0, 42)), b1(1, 1, Px(200, 100, 0)), b2(1, 1, Px(0, 0, 0)), mask(1, 1, Px(255, 0, 128));
    SumBitmapsByMask(out.View(), b1.View(), b2.View(), nullptr, 128);
    EXPECT_EQ(out.At(0, 0), Px(100, 50, 0, 42));
    const TPixelView maskView = mask.View();
    SumBitmapsByMask(out.View(), b1.View(), b2.View(), &maskView, 0);
    EXPECT_EQ(out.At(0, 0), Px(199, 0, 0, 42));
}

TEST(SumByMaskWith32, MaskRedKeepsTheFirstAlphaOfTheSecondScales)
{
    TGuardedImage b1(3, 1, Px(0, 0, 0, 5)), b2(3, 1, Px(255, 255, 255, 255)), mask(3, 1);
    mask.At(0, 0) = Px(0, 0, 0);
    mask.At(1, 0) = Px(255, 0, 0);
    mask.At(2, 0) = Px(128, 0, 0);
    SumByMaskWith32(b1.View(), b2.View(), mask.View(), TRect(0, 0, 3, 1));
    EXPECT_EQ(b1.Pixels(), (std::vector<uint32_t>{Px(254, 254, 254, 5), Px(0, 0, 0, 5), Px(125, 125, 125, 5)}));
    SumByMaskWith32(b1.View(), b2.View(), mask.View(), TRect(0, 0, 4, 1));  // wider than the bitmap: nothing
    EXPECT_EQ(b1.At(2, 0), Px(125, 125, 125, 5));
}

TEST(SumBmpRect, ClipsPointAndRectangleToBothBitmaps)
{
    struct Case {
        TRect Src;
        TPoint At;
        TRect Covered;  // destination pixels that change
    };
    const Case cases[] = {
        {TRect(0, 0, 3, 3), TPoint(1, 1), TRect(1, 1, 4, 4)},
        {TRect(0, 0, 3, 3), TPoint(-1, -2), TRect(0, 0, 2, 1)},
        {TRect(-1, 0, 2, 2), TPoint(0, 0), TRect(1, 0, 3, 2)},
        {TRect(0, 0, 9, 9), TPoint(2, 3), TRect(2, 3, 4, 4)},
        {TRect(0, 0, 3, 3), TPoint(4, 0), TRect()},
        {TRect(3, 0, 5, 3), TPoint(0, 0), TRect()},
    };
    for (const Case& c : cases) {
        TGuardedImage dst(4, 4, 0), src(3, 3, 0xFFFFFFFF);
        SumBmpRect(dst.View(), src.View(), 0, c.Src, c.At);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(dst.At(x, y), c.Covered.Contains(TPoint(x, y)) ? 0xFEFEFEFEu : 0u) << x << "," << y;
        EXPECT_TRUE(dst.GuardIntact());
    }
}

TEST(CopyTransBitmaps, KeyInPixelOrderOthersOpaqueClipped)
{
    TGuardedImage dst(3, 2, 0), src(3, 2, Px(1, 2, 3, 0));
    src.At(1, 0) = 0x00336699;  // the key 0x00996633 as a colour value, in pixel order
    CopyTransBitmaps(dst.View(), src.View(), -1, 1, TsColor(TColor(0x00996633)));
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{0, 0, 0, 0, Px(1, 2, 3), 0}));
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(CopyTransRect, KeyRulesByBackground)
{
    TGuardedImage cache(3, 1, Px(7, 7, 7, 0)), dst(3, 1, Px(1, 1, 1, 1)), src(2, 1, Px(5, 5, 5, 9));
    src.At(0, 0) = Key;
    TCacheView ci;
    ci.Bmp = cache.View();
    ci.Ready = true;
    CopyTransRect(dst.View(), src.View(), 1, 0, TRect(0, 0, 1, 0), TColor(Key), ci, true);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(1, 1, 1, 1), Px(7, 7, 7), Px(5, 5, 5)}));
    CopyTransRect(cache.View(), src.View(), 0, 0, TRect(0, 0, 1, 0), TColor(Key), ci, true);
    EXPECT_EQ(cache.Pixels(), (std::vector<uint32_t>{Px(7, 7, 7, 0), Px(5, 5, 5), Px(7, 7, 7, 0)}));
    CopyTransRect(dst.View(), src.View(), 0, 0, TRect(0, 0, 1, 0), TColor(Key), ci, false);
    EXPECT_EQ(dst.At(0, 0), Px(1, 1, 1, 1));
    EXPECT_EQ(dst.At(1, 0), Px(5, 5, 5, 9));
    TCacheView none;
    none.FillColor = TColor(0x00030201);
    CopyTransRect(dst.View(), src.View(), 1, 0, TRect(0, 0, 5, 5), TColor(Key), none, true);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(1, 1, 1, 1), Px(1, 2, 3), Px(5, 5, 5, 9)}));
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(CopyTransRectA, KeyIsTheColourWithAlphaZero)
{
    TGuardedImage dst(3, 1, 0), src(3, 1, Px(5, 5, 5, 9));
    src.At(0, 0) = Key;
    src.At(1, 0) = 0xFFFF00FF;
    CopyTransRectA(dst.View(), src.View(), 0, 0, TRect(0, 0, 2, 0), vcl::clFuchsia);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{0, 0xFFFF00FF, Px(5, 5, 5, 9)}));
}

TEST(MakeRotated90, BothDirections)
{
    TPixelBuffer src(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            src.At(x, y) = uint32_t(10 * y + x);
    TPixelBuffer cw(2, 3), ccw(2, 3);
    MakeRotated90(src.View(), cw.View(), true);
    MakeRotated90(src.View(), ccw.View(), false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(cw.At(2 - 1 - y, x), src.At(x, y));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(ccw.At(x, y), src.At(3 - 1 - y, x));
}

TEST(FadeBmp, FullTintInTheMiddleClippedToTheBitmap)
{
    TGuardedImage img(6, 6, Px(200, 200, 200, 50));
    FadeBmp(img.View(), TRect(-2, -2, 8, 8), 0, TsColor(TColor(0x00102030)), 0, 0);
    EXPECT_EQ(img.At(2, 2), Px(0x30, 0x20, 0x10, 50));
    EXPECT_TRUE(img.GuardIntact());
}

}  // namespace
}  // namespace skin::test
