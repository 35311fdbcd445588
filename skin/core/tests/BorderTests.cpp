// Borders painted from masks: the piece copy with its key runs, the border around a bitmap whose
// corner keys leave a window region, and the border widened to a control's own border width.
#include <gtest/gtest.h>

#include "skin/core/Sborders.h"
#include "skin/core/sConst.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/tests/SkinTableFixtures.h"

namespace skin::test {
namespace {

using vcl::TRect;

constexpr uint32_t At(int x, int y) { return NamedPixel(x, y); }

TEST(CopyMask, KeysLeaveRunsAndTheirPixelsWhileTheRestIsCopied)
{
    // Row 0: key, key, key, image, key, key; row 1 ends with one key.
    TTestSkin skin = NamedMaster(6, 2);
    for (const int x : {0, 1, 2, 4, 5})
        skin.Master(x, 0) = Key;
    skin.Master(5, 1) = Key;
    const int img = skin.AddImage({.R = TRect(0, 0, 6, 2)});
    TGuardedImage bmp(8, 4, Paper);
    TAOR runs;
    CopyMask(2, 1, 7, 2, 0, 0, 5, 1, bmp.View(), &runs, skin.Image(img), true);
    EXPECT_EQ(runs, (TAOR{TRect(2, 1, 5, 2), TRect(6, 1, 8, 2), TRect(7, 2, 8, 3)}));
    EXPECT_EQ(bmp.At(4, 1), Paper);
    EXPECT_EQ(bmp.At(5, 1), At(3, 0));
    EXPECT_EQ(bmp.At(6, 2), At(4, 1));

    TGuardedImage all(8, 4, Paper);
    CopyMask(2, 1, 7, 2, 0, 0, 5, 1, all.View(), &runs, skin.Image(img), false);
    EXPECT_EQ(all.At(4, 1), Key);
    EXPECT_EQ(runs.size(), 3u);
}

TEST(CopyMask, CopiesThroughTheMaskAndOnlyWhatBothBitmapsHold)
{
    TTestSkin skin(2, 2, Px(200, 100, 0));
    skin.Fill(TRect(0, 1, 2, 2), Px(128, 128, 128));
    const int img = skin.AddImage({.R = TRect(0, 0, 2, 2), .MaskType = 1});
    TGuardedImage bmp(3, 2, Px(0, 0, 200, 9));
    CopyMask(1, 1, 5, 5, 0, 0, 1, 0, bmp.View(), nullptr, skin.Image(img), true);
    EXPECT_EQ(bmp.At(1, 1), Px(100, 50, 100, 9));
    EXPECT_EQ(bmp.At(2, 1), Px(100, 50, 100, 9));
    EXPECT_EQ(bmp.At(1, 0), Px(0, 0, 200, 9));
    EXPECT_TRUE(bmp.GuardIntact());
    CopyMask(-1, 0, 1, 0, 0, 0, 1, 0, bmp.View(), nullptr, skin.Image(img), true);
    EXPECT_EQ(bmp.At(0, 0), Px(0, 0, 200, 9));
}

// A border 9 x 9 with margins 4 and a flat colour, without keys.
struct TKeyedBorder {
    TTestSkin Skin{9, 9, Px(30, 60, 90)};
    int Image = Skin.AddImage({.R = TRect(0, 0, 9, 9), .WL = 4, .WT = 4, .WR = 4, .WB = 4});
};

TEST(PaintRgnBorder, KeyRunsOfTheCornersLeaveTheRegionAndTheBitmap)
{
    TKeyedBorder border;
    for (const int x : {0, 1, 2})
        border.Skin.Master(x, 0) = Key;
    border.Skin.Master(3, 1) = Key;  // reaches the corner's last column
    TGuardedImage bmp(20, 20, Paper);
    const HRGN rgn = CreateRectRgn(0, 0, 20, 20);
    PaintRgnBorder(bmp.View(), rgn, true, border.Skin.Image(border.Image), 0);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 2, 0));
    EXPECT_TRUE(PtInRegion(rgn, 3, 0));
    EXPECT_FALSE(PtInRegion(rgn, 3, 1));
    EXPECT_TRUE(PtInRegion(rgn, 2, 1));
    EXPECT_TRUE(PtInRegion(rgn, 4, 1));
    DeleteObject(rgn);
    EXPECT_EQ(bmp.At(2, 0), Paper);
    EXPECT_EQ(bmp.At(3, 0), Px(30, 60, 90));
    EXPECT_EQ(bmp.At(3, 1), Paper);
    EXPECT_TRUE(bmp.GuardIntact());
}

TEST(PaintRgnBorder, NarrowBitmapsShareTheMarginsTheRightOneGivingUpTheOddColumn)
{
    for (const auto& [width, rightStart] : {std::pair{10, 7}, std::pair{11, 7}}) {
        TTestSkin skin = NamedMaster(12, 3);
        const int img = skin.AddImage({.R = TRect(0, 0, 12, 3), .WL = 6, .WT = 1, .WR = 6, .WB = 1});
        TGuardedImage bmp(width, 3, Paper);
        TAOR runs;
        PaintRgnBorder(bmp.View(), runs, true, skin.Image(img), 0);
        const int left = width == 10 ? 5 : 6;
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(bmp.At(x, 0), At(x < left ? x : rightStart + x - left, 0)) << width << ": " << x;
    }
}

TEST(PaintRgnBorder, SidesTileWholePiecesThenACutOneAndTheCentreFollowsItsFlags)
{
    struct Case {
        bool Filling;
        int DrawMode;
        bool Centre;
    };
    for (const Case c : {Case{true, dmCentre, true}, Case{false, dmCentre, false}, Case{true, 0, false}}) {
        TTestSkin skin = NamedMaster(12, 3);
        const int img = skin.AddImage({.R = TRect(0, 0, 12, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                                       .DrawMode = c.DrawMode});
        TGuardedImage bmp(27, 3, Paper);
        TAOR runs;
        PaintRgnBorder(bmp.View(), runs, c.Filling, skin.Image(img), 0);
        for (int x = 1; x <= 25; ++x) {
            EXPECT_EQ(bmp.At(x, 0), At(1 + (x - 1) % 10, 0)) << x;
            EXPECT_EQ(bmp.At(x, 1), c.Centre ? At(1 + (x - 1) % 10, 1) : Paper) << x;
        }
        EXPECT_EQ(bmp.At(26, 1), At(11, 1));
        EXPECT_TRUE(runs.empty());
    }
}

TEST(PaintRgnBorder, StretchedSidesAndCentreTakeTheNearestPixels)
{
    TTestSkin skin = NamedMaster(4, 3);
    const int img = skin.AddImage({.R = TRect(0, 0, 4, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                                   .DrawMode = dmStretch | dmCentre});
    TGuardedImage bmp(6, 3, Paper);
    TAOR runs;
    PaintRgnBorder(bmp.View(), runs, true, skin.Image(img), 0);
    const int columns[] = {0, 1, 1, 2, 2, 3};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(bmp.At(x, 0), At(columns[x], 0)) << x;
        EXPECT_EQ(bmp.At(x, 1), At(columns[x], 1)) << x;
    }
}

// A cache of 40 x 30, a border image 5 x 5 with margins 2, and the frame's colour blue.
struct TFastBorder {
    TTestSkin Skin{5, 5, Px(200, 0, 0)};
    int Image = Skin.AddImage({.R = TRect(0, 0, 5, 5), .WL = 2, .WT = 2, .WR = 2, .WB = 2});
    vcl::TObjectPtr<vcl::TBitmap> Cache = NewBitmap(40, 30, Paper);
    TBorderFrame Frame()
    {
        TBorderFrame frame;
        frame.Cache = Cache.get();
        frame.Border = &Skin.Image(Image);
        frame.Color = vcl::clBlue;
        return frame;
    }
};

TEST(PaintBorderFast, WidensTheBorderToTheAddedSizeAndCopiesThatFrame)
{
    TFastBorder border;
    TDibSection dc(40, 30);
    EXPECT_EQ(PaintBorderFast(dc.DC(), TRect(0, 0, 40, 30), 5, border.Frame()), TRect(5, 5, 35, 25));
    const TPixelView cache = PixelsOf(border.Cache.get());
    const uint32_t red = Px(200, 0, 0), blue = Px(0, 0, 255);
    const uint32_t row[] = {red, red, blue, blue, blue, Paper};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(cache.At(x, 15), row[x]) << x;
        EXPECT_EQ(cache.At(39 - x, 15), row[x]) << x;
        EXPECT_EQ(cache.At(20, x), row[x]) << x;
        EXPECT_EQ(cache.At(20, 29 - x), row[x]) << x;
    }
    const TPixelView screen = dc.View();
    EXPECT_EQ(screen.At(0, 15) & 0xFFFFFF, red & 0xFFFFFF);
    EXPECT_EQ(screen.At(4, 15) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_EQ(screen.At(5, 15), 0u);
    EXPECT_EQ(screen.At(20, 25) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_EQ(screen.At(20, 24), 0u);
}

TEST(PaintBorderFast, WithoutAddedSizeTheDCIsLeftToTheCaller)
{
    TFastBorder border;
    TDibSection dc(40, 30);
    EXPECT_EQ(PaintBorderFast(dc.DC(), TRect(0, 0, 40, 30), 0, border.Frame()), TRect(2, 2, 38, 28));
    const TPixelView screen = dc.View();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(screen.At(x, y), 0u) << x << "," << y;
    EXPECT_EQ(PixelsOf(border.Cache.get()).At(0, 0), Px(200, 0, 0));
    EXPECT_EQ(PixelsOf(border.Cache.get()).At(2, 2), Paper);
}

TEST(PaintBorderFast, AMaskedBorderLiesOverTheColourOrWhatIsBeneath)
{
    // The image half transparent everywhere: over the colour's bands, or over the parent's pixels.
    TTestSkin skin(5, 10, Px(200, 0, 0));
    skin.Fill(TRect(0, 5, 5, 10), Px(128, 128, 128));
    const int img = skin.AddImage({.R = TRect(0, 0, 5, 10), .MaskType = 1, .WL = 2, .WT = 2, .WR = 2, .WB = 2});
    const auto parent = NewBitmap(50, 50, Px(0, 100, 0));
    for (const bool ready : {false, true}) {
        const auto cache = NewBitmap(10, 10, Paper);
        TBorderFrame frame;
        frame.Cache = cache.get();
        frame.Border = &skin.Image(img);
        frame.Color = vcl::clBlue;
        if (ready)
            frame.Beneath = MakeCacheInfo(parent.get(), 7, 7);
        TDibSection dc(10, 10);
        PaintBorderFast(dc.DC(), TRect(0, 0, 10, 10), 0, frame);
        EXPECT_EQ(PixelsOf(cache.get()).At(1, 5) & 0xFFFFFF, ready ? Px(100, 50, 0) & 0xFFFFFF : Px(100, 0, 127) & 0xFFFFFF)
            << ready;
    }
}

TEST(PaintBorderFast, WithoutABorderImageTheFrameIsFilledInTheDC)
{
    TDibSection dc(10, 8);
    TBorderFrame frame;
    frame.Color = vcl::clLime;
    EXPECT_EQ(PaintBorderFast(dc.DC(), TRect(0, 0, 10, 8), 3, frame), TRect(3, 3, 7, 5));
    EXPECT_EQ(dc.View().At(2, 4) & 0xFFFFFF, Px(0, 255, 0) & 0xFFFFFF);
    EXPECT_EQ(dc.View().At(3, 4), 0u);
    EXPECT_EQ(PaintBorderFast(dc.DC(), TRect(0, 0, 10, 8), 5, frame), TRect(5, 5, 5, 5));
}

}  // namespace
}  // namespace skin::test
