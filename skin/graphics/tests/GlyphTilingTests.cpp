// The button glyph painter and the tiling of skin images.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TPoint;
using vcl::TRect;

// A teal key (red and blue differ, so a key compared in the wrong byte order misses).
constexpr uint32_t GlyphKey = Px(0, 128, 200, 0);

// A strip of images 2 x 2; image i is red 10 * (i + 1) but for its bottom-left pixel, the key.
TPixelBuffer Strip(int images)
{
    TPixelBuffer strip(2 * images, 2);
    for (int i = 0; i < images; ++i) {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                strip.At(2 * i + x, y) = Px(10 * (i + 1), 0, 0, 0);
        strip.At(2 * i, 1) = GlyphKey;
    }
    return strip;
}

// The red channel laid at (0, 0) of a black 2 x 2 destination after drawing the strip.
int DrawnImage(int images, bool enabled, int state, bool down, bool fourBit = false)
{
    TPixelBuffer strip = Strip(images);
    TGuardedImage dst(2, 2, Px(0, 0, 0));
    DrawGlyphEx(strip.View(), fourBit, dst.View(), TRect(0, 0, 2, 2), images, enabled, {}, state, 0, down);
    EXPECT_EQ(dst.At(0, 1), Px(0, 0, 0)) << "the key is not drawn";
    EXPECT_TRUE(dst.GuardIntact());
    return Rof(dst.At(0, 0)) / 10 - 1;
}

TEST(DrawGlyphEx, PicksTheStripImageOfTheState)
{
    EXPECT_EQ(DrawnImage(4, true, 2, true), 3);
    EXPECT_EQ(DrawnImage(4, true, 2, false), 2);
    EXPECT_EQ(DrawnImage(2, true, 2, true), 1);
    EXPECT_EQ(DrawnImage(2, true, 2, true, true), 0);
    EXPECT_EQ(DrawnImage(4, true, 1, false), 1);
    EXPECT_EQ(DrawnImage(4, true, 1, false, true), 0);
    EXPECT_EQ(DrawnImage(4, true, 0, true), 0);
    EXPECT_EQ(DrawnImage(4, false, 2, true), 0);
    EXPECT_EQ(DrawnImage(4, true, 7, false), -1);
}

TEST(DrawGlyphEx, BlendedDisabledStripSkipsItsKey)
{
    TPixelBuffer strip = Strip(2);
    TGuardedImage dst(2, 2, Px(0, 0, 0));
    DrawGlyphEx(strip.View(), false, dst.View(), TRect(0, 0, 2, 2), 2, false, {}, 0, 50, false);
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Px(5, 0, 0), Px(5, 0, 0), Px(0, 0, 0), Px(5, 0, 0)}));
}

TEST(DrawGlyphEx, SingleGlyphUsesItsOwnKeyInEveryBranch)
{
    TPixelBuffer glyph(2, 2, Px(200, 100, 0, 0));
    glyph.At(0, 1) = GlyphKey;
    struct Case {
        bool Enabled;
        vcl::TSet<TsDisabledGlyphKindItem> Kind;
        int State;
        int Blend;
        uint32_t Drawn;
    };
    const Case cases[] = {
        {true, {}, 0, 0, Px(200, 100, 0)},
        {true, {}, 1, 50, Px(200, 100, 0)},
        {true, {}, 0, 50, Px(100, 50, 0, 9)},
        {false, {TsDisabledGlyphKindItem::dgGrayed, TsDisabledGlyphKindItem::dgBlended}, 0, 0, Px(50, 50, 50, 9)},
        {false, TsDisabledGlyphKindItem::dgBlended, 0, 0, Px(100, 50, 0, 9)},
        {false, {}, 0, 0, Px(200, 100, 0)},
    };
    for (const Case& c : cases) {
        TGuardedImage dst(4, 4, Px(0, 0, 0, 9));
        DrawGlyphEx(glyph.View(), false, dst.View(), TRect(1, 1, 3, 3), 1, c.Enabled, c.Kind, c.State, c.Blend, false);
        EXPECT_EQ(dst.At(1, 1), c.Drawn);
        EXPECT_EQ(dst.At(2, 2), c.Drawn);
        EXPECT_EQ(dst.At(1, 2), Px(0, 0, 0, 9)) << "key pixel left alone";
        EXPECT_EQ(dst.At(0, 0), Px(0, 0, 0, 9));
        EXPECT_TRUE(dst.GuardIntact());
    }
}

std::vector<TRect> Destinations(const std::vector<TTilePiece>& pieces)
{
    std::vector<TRect> all;
    for (const TTilePiece& p : pieces)
        all.push_back(p.Dst);
    return all;
}

TEST(PlanTiles, StretchedBandsReturnTheRest)
{
    TRect r(0, 0, 30, 40);
    auto pieces = PlanTiles(r, 10, 10, TacFillMode::StretchTop);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Dst, TRect(0, 0, 30, 10));
    EXPECT_EQ(pieces[0].SrcHeight, 10);
    EXPECT_EQ(r, TRect(0, 10, 30, 40));
    r = TRect(0, 0, 30, 40);
    pieces = PlanTiles(r, 10, 10, TacFillMode::StretchLeft);
    EXPECT_EQ(Destinations(pieces), (std::vector<TRect>{TRect(0, 0, 10, 40)}));
    EXPECT_EQ(r, TRect(10, 0, 30, 40));
    r = TRect(0, 0, 30, 40);
    pieces = PlanTiles(r, 10, 10, TacFillMode::Stretch);
    EXPECT_EQ(Destinations(pieces), (std::vector<TRect>{TRect(0, 0, 30, 40)}));
    EXPECT_EQ(r, NothingLeft);
}

TEST(PlanTiles, TilesWithCutEdges)
{
    TRect r(0, 0, 25, 15);
    EXPECT_EQ(Destinations(PlanTiles(r, 10, 10, TacFillMode::Tile)),
              (std::vector<TRect>{TRect(0, 0, 10, 10), TRect(10, 0, 20, 10), TRect(20, 0, 25, 10),
                                  TRect(0, 10, 10, 15), TRect(10, 10, 20, 15), TRect(20, 10, 25, 15)}));
    EXPECT_EQ(r, NothingLeft);
    r = TRect(0, 0, 25, 25);
    EXPECT_EQ(Destinations(PlanTiles(r, 10, 10, TacFillMode::WholeTiles)),
              (std::vector<TRect>{TRect(0, 0, 10, 10), TRect(10, 0, 20, 10), TRect(0, 10, 10, 20),
                                  TRect(10, 10, 20, 20), TRect(20, 0, 25, 10), TRect(20, 10, 25, 20)}));
    EXPECT_EQ(r, NothingLeft);
}

TEST(PlanTiles, EdgeRowsAndColumns)
{
    TRect r(0, 0, 25, 40);
    const auto top = PlanTiles(r, 10, 10, TacFillMode::TopRow);
    EXPECT_EQ(Destinations(top), (std::vector<TRect>{TRect(0, 0, 10, 40), TRect(10, 0, 20, 40), TRect(20, 0, 25, 40)}));
    EXPECT_EQ(top[0].SrcHeight, 40);  // copied as high as the rectangle
    EXPECT_EQ(r, TRect(0, 10, 25, 40));
    r = TRect(0, 0, 30, 25);
    EXPECT_EQ(Destinations(PlanTiles(r, 10, 10, TacFillMode::RightColumn)),
              (std::vector<TRect>{TRect(20, 0, 30, 10), TRect(20, 10, 30, 20), TRect(20, 20, 30, 25)}));
    EXPECT_EQ(r, TRect(0, 0, 20, 25));
    r = TRect(0, 0, 30, 25);
    EXPECT_EQ(Destinations(PlanTiles(r, 10, 10, TacFillMode::BottomRow)),
              (std::vector<TRect>{TRect(0, 15, 10, 25), TRect(10, 15, 20, 25), TRect(20, 15, 30, 25)}));
    EXPECT_EQ(r, TRect(0, 0, 30, 15));
    r = TRect(0, 0, 30, 25);
    EXPECT_TRUE(PlanTiles(r, 0, 10, TacFillMode::Tile).empty());
    EXPECT_EQ(r, TRect(0, 0, 30, 25));
}

TEST(TileBitmap, CopiesTilesBetweenDeviceContexts)
{
    TDibSection image(2, 1), dst(5, 2);
    image.View().At(0, 0) = Px(10, 0, 0);
    image.View().At(1, 0) = Px(20, 0, 0);
    TRect r(0, 0, 5, 2);
    TileBitmap(dst.DC(), r, image.DC(), TRect(0, 0, 2, 1), TacFillMode::Tile);
    const TPixelView v = dst.View();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Rof(v.At(x, y)), x % 2 ? 20 : 10) << x << "," << y;
    EXPECT_EQ(r, NothingLeft);
}

// Records the pieces a masked tiling lays.
struct TPieceLog {
    std::vector<TRect> Dst;
    TMaskedPieceCopy Copy()
    {
        return [this](const TRect& d, const TRect& s) {
            EXPECT_EQ(s, TRect(0, 0, d.Width(), d.Height()));
            Dst.push_back(d);
        };
    }
};

TEST(TileMasked, OtherModesLeaveBitmapAndRectangle)
{
    TGuardedImage bmp(4, 4, Px(1, 1, 1));
    TPieceLog log;
    TRect r(0, 0, 4, 4);
    TileMasked(bmp.View(), r, TCacheView(), 2, 2, TacFillMode::TopRow, log.Copy());
    EXPECT_TRUE(log.Dst.empty());
    EXPECT_EQ(r, TRect(0, 0, 4, 4));
    EXPECT_EQ(bmp.Pixels(), std::vector<uint32_t>(16, Px(1, 1, 1)));
}

TEST(TileMasked, ModeZeroPaintsBothRowsOfARectangleTwoTilesHigh)
{
    TGuardedImage bmp(10, 20);
    TPieceLog log;
    TRect r(0, 0, 10, 20);
    TileMasked(bmp.View(), r, TCacheView(), 10, 10, TacFillMode::Tile, log.Copy());
    EXPECT_EQ(log.Dst, (std::vector<TRect>{TRect(0, 0, 10, 10), TRect(0, 10, 10, 20)}));
    EXPECT_EQ(r, NothingLeft);
}

TEST(TileMasked, ModeZeroCutsTheLastColumnAndRow)
{
    TGuardedImage bmp(8, 8);
    TPieceLog log;
    TRect r(1, 1, 8, 6);
    TileMasked(bmp.View(), r, TCacheView(), 3, 2, TacFillMode::Tile, log.Copy());
    // Whole columns at x 1 and 4 (x < 8 - 3), whole rows at y 1 and 3 (y < 6 - 2).
    EXPECT_EQ(log.Dst, (std::vector<TRect>{TRect(1, 1, 4, 3), TRect(1, 3, 4, 5), TRect(1, 5, 4, 6),
                                           TRect(4, 1, 7, 3), TRect(4, 3, 7, 5), TRect(4, 5, 7, 6),
                                           TRect(7, 1, 8, 3), TRect(7, 3, 8, 5), TRect(7, 5, 8, 6)}));
}

TEST(TileMasked, ModeTenFillsTheUncoveredBandsInsideItsRectangleOnly)
{
    TGuardedImage bmp(12, 12, Px(1, 1, 1));
    TPieceLog log;
    TRect r(2, 2, 9, 9);
    TCacheView fill;
    fill.FillColor = vcl::clRed;
    TileMasked(bmp.View(), r, fill, 3, 3, TacFillMode::WholeTiles, log.Copy());
    EXPECT_EQ(log.Dst,
              (std::vector<TRect>{TRect(2, 2, 5, 5), TRect(2, 5, 5, 8), TRect(5, 2, 8, 5), TRect(5, 5, 8, 8)}));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool band = x >= 2 && x < 9 && y >= 2 && y < 9 && (x == 8 || y == 8);
            EXPECT_EQ(bmp.At(x, y), band ? Px(255, 0, 0) : Px(1, 1, 1)) << x << "," << y;
        }
    EXPECT_TRUE(bmp.GuardIntact());
}

TEST(TileMasked, ModeTenWithoutAWholeColumnTakesTheBackgroundFromTheCache)
{
    TGuardedImage bmp(6, 10, Px(1, 1, 1)), cache(8, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x)
            cache.At(x, y) = Px(x, y, 99);
    TPieceLog log;
    TRect r(2, 3, 4, 9);
    TCacheView ci;
    ci.Bmp = cache.View();
    ci.Ready = true;
    ci.X = 1;
    ci.Y = 2;
    TileMasked(bmp.View(), r, ci, 3, 3, TacFillMode::WholeTiles, log.Copy());
    EXPECT_TRUE(log.Dst.empty());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 4 && y >= 3 && y < 9;
            EXPECT_EQ(bmp.At(x, y), inside ? Px(x + 1, y + 2, 99) : Px(1, 1, 1)) << x << "," << y;
        }
    EXPECT_TRUE(bmp.GuardIntact());
}

}  // namespace
}  // namespace skin::test
