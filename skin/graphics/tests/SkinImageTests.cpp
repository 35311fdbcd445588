// Skin images painted into bitmaps: the nine pieces, their margins and tiling, states, masks and
// keys; glyphs; the masked stretch; the copy from the master bitmap; the corners of a cache.
#include <gtest/gtest.h>

#include "SkinTableFixtures.h"
#include "skin/core/sConst.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin::test {
namespace {

using vcl::TPoint;
using vcl::TRect;

constexpr uint32_t At(int x, int y) { return NamedPixel(x, y); }

// Each channel of image pixel s over d through mask channel m, as the masks of skin images work:
// (d * m + s * (256 - m)) shr 8; d's alpha kept.
uint32_t Through(uint32_t d, uint32_t s, uint32_t m)
{
    const auto c = [](int dc, int sc, int mc) { return (dc * mc + sc * (256 - mc)) >> 8; };
    return Px(c(Rof(d), Rof(s), Rof(m)), c(Gof(d), Gof(s), Gof(m)), c(Bof(d), Bof(s), Bof(m)), Aof(d));
}

TEST(FitMargins, MarginsGiveUpHalfTheExcessEachTheRightOneMoreForAnOddSize)
{
    struct Case {
        int Size, First, Last, WantFirst, WantLast;
    };
    const Case cases[] = {
        {5, 4, 4, 3, 2}, {6, 4, 4, 3, 3}, {10, 6, 6, 5, 5}, {11, 6, 6, 6, 5},
        {20, 4, 4, 4, 4}, {8, 4, 4, 4, 4}, {1, 4, 4, 1, 0}, {0, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        int first = c.First, last = c.Last;
        FitMargins(c.Size, first, last);
        EXPECT_EQ(first, c.WantFirst) << c.Size;
        EXPECT_EQ(last, c.WantLast) << c.Size;
    }
}

TEST(DrawSkinRect, NarrowRectanglesTakeTheOuterColumnsOfBothSides)
{
    // A 9 x 3 image with margins 4, 1, 4, 1: on 5 columns 3 come from the left, 2 from the right.
    for (const auto& [width, rightStart] : {std::pair{5, 7}, std::pair{6, 6}}) {
        TTestSkin skin = NamedMaster(9, 3);
        const int img = skin.AddImage({.R = TRect(0, 0, 9, 3), .WL = 4, .WT = 1, .WR = 4, .WB = 1, .DrawMode = dmCentre});
        TGuardedImage bmp(width, 3, Paper);
        DrawSkinRect(bmp.View(), TRect(0, 0, width, 3), TCacheView(), skin.Image(img), 0, false);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(bmp.At(x, y), At(x < 3 ? x : rightStart + x - 3, y)) << width << ": " << x << "," << y;
        EXPECT_TRUE(bmp.GuardIntact());
    }
}

TEST(DrawSkinRect, TiledSidesLayWholePiecesThenOneCut)
{
    // Margins 1 around a piece 10 wide: a top side of 25 gets pieces at 0, 10 and 5 at 20; one of
    // exactly 20 gets two whole ones.
    for (const int side : {25, 20}) {
        TTestSkin skin = NamedMaster(12, 3);
        const int img = skin.AddImage({.R = TRect(0, 0, 12, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1, .DrawMode = dmCentre});
        TGuardedImage bmp(side + 2, 3, Paper);
        DrawSkinRect(bmp.View(), TRect(0, 0, side + 2, 3), TCacheView(), skin.Image(img), 0, false);
        for (int x = 1; x <= side; ++x) {
            EXPECT_EQ(bmp.At(x, 0), At(1 + (x - 1) % 10, 0)) << side << ": " << x;
            EXPECT_EQ(bmp.At(x, 1), At(1 + (x - 1) % 10, 1)) << side << ": " << x;
        }
        EXPECT_EQ(bmp.At(side + 1, 0), At(11, 0));
        EXPECT_TRUE(bmp.GuardIntact());
    }
}

TEST(DrawSkinRect, StateChoosesTheImageAndFlagsDecideWhatIsDrawn)
{
    // Three 4 x 4 state images of flat colours, margins 1.
    const uint32_t colours[] = {Px(10, 0, 0), Px(20, 0, 0), Px(30, 0, 0)};
    struct Case {
        int State, DrawMode;
        uint32_t Centre, Edge;
    };
    const Case cases[] = {
        {0, dmCentre, colours[0], colours[0]},
        {1, dmCentre | dmNotInNormal, colours[1], colours[1]},
        {0, dmCentre | dmNotInNormal, Paper, Paper},
        {7, dmCentre, colours[2], colours[2]},
        {1, 0, Paper, colours[1]},
        {2, dmCentre | dmStretch, colours[2], colours[2]},
    };
    for (const Case& c : cases) {
        TTestSkin skin(12, 4);
        for (int s = 0; s < 3; ++s)
            skin.Fill(TRect(4 * s, 0, 4 * s + 4, 4), colours[s]);
        const int img = skin.AddImage({.R = TRect(0, 0, 12, 4), .ImageCount = 3, .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                                       .DrawMode = c.DrawMode});
        TGuardedImage bmp(6, 6, Paper);
        DrawSkinRect(bmp.View(), TRect(0, 0, 6, 6), TCacheView(), skin.Image(img), c.State, false);
        EXPECT_EQ(bmp.At(3, 3), c.Centre) << c.State << " " << c.DrawMode;
        EXPECT_EQ(bmp.At(0, 3), c.Edge) << c.State << " " << c.DrawMode;
        EXPECT_TRUE(bmp.GuardIntact());
    }
}

TEST(DrawSkinRect, NothingForTinyRectanglesOrImagesWithoutStatesOrManager)
{
    TTestSkin skin(4, 4, Px(9, 9, 9));
    const int img = skin.AddImage({.R = TRect(0, 0, 4, 4), .DrawMode = dmCentre});
    const int stateless = skin.AddImage({.R = TRect(0, 0, 4, 4), .ImageCount = 0, .DrawMode = dmCentre});
    const int tooSmall = skin.AddImage({.R = TRect(0, 0, 4, 4), .WL = 3, .WR = 2, .DrawMode = dmCentre});
    TGuardedImage bmp(6, 6, Paper);
    DrawSkinRect(bmp.View(), TRect(0, 0, 6, 1), TCacheView(), skin.Image(img), 0, false);
    DrawSkinRect(bmp.View(), TRect(0, 0, 1, 6), TCacheView(), skin.Image(img), 0, false);
    DrawSkinRect(bmp.View(), TRect(0, 0, 6, 6), TCacheView(), skin.Image(stateless), 0, false);
    DrawSkinRect(bmp.View(), TRect(0, 0, 6, 6), TCacheView(), skin.Image(tooSmall), 0, false);
    skin.Image(img).Manager = nullptr;
    DrawSkinRect(bmp.View(), TRect(0, 0, 6, 6), TCacheView(), skin.Image(img), 0, false);
    for (uint32_t p : bmp.Pixels())
        EXPECT_EQ(p, Paper);
}

TEST(DrawSkinRect, StretchedPiecesTakeTheNearestSourcePixel)
{
    // A 4 x 3 image, margins 1: its centre column pair (1, 2) stretched over 4 columns.
    TTestSkin skin = NamedMaster(4, 3);
    const int img = skin.AddImage({.R = TRect(0, 0, 4, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                                   .DrawMode = dmCentre | dmStretch});
    TGuardedImage bmp(6, 3, Paper);
    DrawSkinRect(bmp.View(), TRect(0, 0, 6, 3), TCacheView(), skin.Image(img), 0, false);
    const int columns[] = {0, 1, 1, 2, 2, 3};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(bmp.At(x, 1), At(columns[x], 1)) << x;
}

TEST(DrawSkinRect, MaskedCornersShowTheBackgroundOnlyWhenTheirCornersMayTakeIt)
{
    // A 3 x 3 image over its mask, margins 1, whose top-left pixel is the key; the mask is black
    // but for a grey pixel under the image's top-right corner.
    TTestSkin skin(3, 6, Px(200, 0, 0));
    skin.Fill(TRect(0, 3, 3, 6), Px(0, 0, 0));
    skin.Master(0, 0) = Key;
    skin.Master(2, 3) = Px(64, 64, 64);
    TGuardedImage background(4, 4, Px(0, 0, 99));
    background.At(1, 1) = Px(0, 77, 0);
    TCacheView ci;
    ci.Bmp = background.View();
    ci.X = 1;
    ci.Y = 1;
    ci.Ready = true;
    for (const int cornerType : {1, 0}) {
        const int img = skin.AddImage({.R = TRect(0, 0, 3, 6), .MaskType = 1, .WL = 1, .WT = 1, .WR = 1, .WB = 1,
                                       .DrawMode = dmCentre, .CornerType = cornerType});
        TGuardedImage bmp(3, 3, Paper);
        DrawSkinRect(bmp.View(), TRect(0, 0, 3, 3), ci, skin.Image(img), 0, true);
        EXPECT_EQ(bmp.At(0, 0), cornerType ? Px(0, 77, 0) : Through(Paper, Key, 0)) << cornerType;
        EXPECT_EQ(bmp.At(2, 0), cornerType ? Px(150, 0, 0) : Through(Paper, Px(200, 0, 0), Px(64, 64, 64)))
            << cornerType;
        EXPECT_EQ(bmp.At(1, 1), Through(Paper, Px(200, 0, 0), 0));
        EXPECT_TRUE(bmp.GuardIntact());
    }
}

TEST(DrawSkinRect, AnImageWithoutCentreTilesNoSidePiecesButThePlainKindReadsOn)
{
    // Margins 2 of an image 4 wide leave its centre 0 wide. The plain kind copies the side's run
    // from the image's right part on; the masked kind leaves the side alone.
    for (const int maskType : {0, 1}) {
        TTestSkin skin = NamedMaster(8, 6);
        skin.Fill(TRect(0, 3, 8, 6), Px(0, 0, 0));
        const int img = skin.AddImage({.R = TRect(0, 0, 4, 3 * (maskType + 1)), .MaskType = maskType, .WL = 2,
                                       .WT = 1, .WR = 2, .WB = 1});
        TGuardedImage bmp(7, 3, Paper);
        DrawSkinRect(bmp.View(), TRect(0, 0, 7, 3), TCacheView(), skin.Image(img), 0, false);
        for (int x = 2; x < 5; ++x)
            EXPECT_EQ(bmp.At(x, 0), maskType ? Paper : At(x, 0)) << maskType << ": " << x;
        EXPECT_EQ(bmp.At(6, 0), maskType ? Through(Paper, At(3, 0), 0) : At(3, 0));
    }
}

TEST(StretchBltMask, OnePixelCentreFollowsTheRedOfItsMask)
{
    struct Case {
        uint32_t Mask;
        uint32_t Want;
    };
    const uint32_t pixel = Px(200, 100, 40, 7);
    const Case cases[] = {
        {Px(0, 90, 90), Px(200, 100, 40, 255)},
        {Px(255, 0, 0), Paper},
        {Px(64, 200, 200), Through(Paper, pixel, Px(64, 64, 64))},
    };
    for (const Case& c : cases) {
        TGuardedImage src(1, 2);
        src.At(0, 0) = pixel;
        src.At(0, 1) = c.Mask;
        TGuardedImage dst(4, 4, Paper);
        StretchBltMask(1, 1, 2, 3, 0, 0, 1, 1, dst.View(), src.View(), 1, true);
        EXPECT_EQ(dst.At(1, 1), c.Want);
        EXPECT_EQ(dst.At(2, 3), c.Want);
        EXPECT_EQ(dst.At(0, 1), Paper);
        EXPECT_EQ(dst.At(3, 1), Paper);
        EXPECT_TRUE(dst.GuardIntact());
    }
}

TEST(StretchBltMask, EnlargedPiecesBlendByTheirStretchedMaskAndStayInsideTheDestination)
{
    // Two image pixels over two mask pixels, stretched to 4 x 2 with its right half past Dst.
    TGuardedImage src(2, 2);
    src.At(0, 0) = Px(200, 0, 0);
    src.At(1, 0) = Px(0, 200, 0);
    src.At(0, 1) = Px(128, 128, 128);
    src.At(1, 1) = Px(0, 255, 0);
    TGuardedImage dst(4, 2, Paper);
    StretchBltMask(2, 0, 4, 2, 0, 0, 2, 1, dst.View(), src.View(), 1, false);
    EXPECT_EQ(dst.At(1, 0), Paper);
    EXPECT_EQ(dst.At(2, 0), Through(Paper, Px(200, 0, 0), Px(128, 128, 128)));
    EXPECT_EQ(dst.At(3, 1), Through(Paper, Px(200, 0, 0), Px(128, 128, 128)));
    EXPECT_TRUE(dst.GuardIntact());

    TGuardedImage plain(4, 2, Paper);
    StretchBltMask(0, 0, 4, 2, 0, 0, 2, 1, plain.View(), src.View(), 0, false);
    EXPECT_EQ(plain.Pixels(), (std::vector<uint32_t>{Px(200, 0, 0), Px(200, 0, 0), Px(0, 200, 0), Px(0, 200, 0),
                                                     Px(200, 0, 0), Px(200, 0, 0), Px(0, 200, 0), Px(0, 200, 0)}));
}

TEST(StretchBltMask, SmoothCentreOfOneColourStaysThatColour)
{
    TGuardedImage src(2, 4, Px(90, 60, 30));
    for (int x = 0; x < 2; ++x)
        for (int y = 2; y < 4; ++y)
            src.At(x, y) = Px(0, 0, 0);
    TGuardedImage dst(5, 5, Paper);
    StretchBltMask(0, 0, 5, 5, 0, 0, 2, 2, dst.View(), src.View(), 2, true);
    for (uint32_t p : dst.Pixels())
        EXPECT_EQ(p, Px(90, 60, 30, Aof(Paper)));
}

TEST(StretchBltMask, NothingForAPieceOutsideTheSourceOrANegativeDestination)
{
    TGuardedImage src(2, 2, Px(5, 5, 5));
    TGuardedImage dst(4, 4, Paper);
    StretchBltMask(0, 0, 2, 2, 1, 0, 2, 1, dst.View(), src.View(), 1, false);
    StretchBltMask(-1, 0, 2, 2, 0, 0, 1, 1, dst.View(), src.View(), 1, false);
    StretchBltMask(0, 0, 0, 2, 0, 0, 1, 1, dst.View(), src.View(), 1, false);
    for (uint32_t p : dst.Pixels())
        EXPECT_EQ(p, Paper);
}

TEST(BlendGlyphByMask, MaskChannelsWeighTheGlyphAndItsRedAddsCoverage)
{
    // Mask red 100, green 160, blue 0 over a white glyph pixel on black with alpha 0.
    struct Case {
        int Mode;
        uint32_t Want;
    };
    const auto channel = [](int m) { return (255 * (256 - m)) >> 8; };
    const Case cases[] = {
        {1, Px(channel(100), channel(160), channel(0), 155)},
        {2, Px(channel(200), channel(255), channel(100), 155)},
    };
    for (const Case& c : cases) {
        TTestSkin skin(1, 2);
        skin.Master(0, 0) = Px(255, 255, 255);
        skin.Master(0, 1) = Px(100, 160, 0);
        const int img = skin.AddImage({.R = TRect(0, 0, 1, 2), .MaskType = 1});
        TGuardedImage dst(2, 2, Px(0, 0, 0, 0));
        BlendGlyphByMask(TRect(1, 1, 1, 1), TRect(0, 0, 0, 0), dst.View(), skin.Master(), c.Mode, skin.Image(img));
        EXPECT_EQ(dst.At(1, 1), c.Want) << c.Mode;
        EXPECT_EQ(dst.At(0, 0), Px(0, 0, 0, 0));
    }
}

TEST(BlendGlyphByMask, SkipsKeysAndWhiteMasksAndReadsNoMaskBeyondTheSource)
{
    TTestSkin skin(3, 2);
    skin.Master(0, 0) = Key;
    skin.Master(1, 0) = Px(9, 9, 9);
    skin.Master(2, 0) = Px(9, 9, 9);
    skin.Master(0, 1) = Px(0, 0, 0);
    skin.Master(1, 1) = Px(255, 0, 0);
    skin.Master(2, 1) = Px(0, 0, 0);
    const int img = skin.AddImage({.R = TRect(0, 0, 3, 2), .MaskType = 1});
    TGuardedImage dst(3, 2, Paper);
    BlendGlyphByMask(TRect(0, 0, 2, 1), TRect(0, 0, 2, 1), dst.View(), skin.Master(), 1, skin.Image(img));
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Paper, Paper, Through(Paper, Px(9, 9, 9), 0) | 0xFF000000, Paper,
                                                   Paper, Paper}));
}

TEST(DrawSkinGlyph, CutsWhatLiesLeftOfTheBitmapAndDrawsExactlyTheGlyph)
{
    TTestSkin skin = NamedMaster(10, 2);
    const int img = skin.AddImage({.R = TRect(0, 0, 10, 2), .ImageCount = 2});
    TGuardedImage left(6, 3, Paper);
    DrawSkinGlyph(left.View(), TPoint(-3, 0), 1, 1, skin.Image(img), TCacheView());
    EXPECT_EQ(left.At(0, 0), At(8, 0));
    EXPECT_EQ(left.At(1, 1), At(9, 1));
    EXPECT_EQ(left.At(2, 0), Paper);
    EXPECT_TRUE(left.GuardIntact());

    TGuardedImage inside(9, 5, Paper);
    DrawSkinGlyph(inside.View(), TPoint(2, 1), 0, 1, skin.Image(img), TCacheView());
    int drawn = 0;
    for (uint32_t p : inside.Pixels())
        drawn += p != Paper;
    EXPECT_EQ(drawn, 5 * 2);
    EXPECT_EQ(inside.At(2, 1), At(0, 0));
    EXPECT_EQ(inside.At(6, 2), At(4, 1));
}

TEST(DrawSkinGlyph, UnmaskedKeysShowTheBackgroundAndTheFadedLookIsHalfStrength)
{
    TTestSkin skin(2, 1);
    skin.Master(0, 0) = Key;
    skin.Master(1, 0) = Px(200, 100, 0);
    const int img = skin.AddImage({.R = TRect(0, 0, 2, 1)});
    TGuardedImage background(2, 1, Px(0, 0, 60));
    TCacheView ci;
    ci.Bmp = background.View();
    ci.Ready = true;
    TGuardedImage normal(2, 1, Paper), faded(2, 1, Px(0, 0, 0));
    DrawSkinGlyph(normal.View(), TPoint(0, 0), 0, 1, skin.Image(img), ci);
    DrawSkinGlyph(faded.View(), TPoint(0, 0), 0, 2, skin.Image(img), ci);
    EXPECT_EQ(normal.Pixels(), (std::vector<uint32_t>{Px(0, 0, 60), Px(200, 100, 0)}));
    EXPECT_EQ(faded.Pixels(), (std::vector<uint32_t>{Px(0, 0, 0), Px(100, 50, 0)}));
}

TEST(DrawSkinGlyph, AnOwnBitmapSmallerThanItsAreaDrawsNothing)
{
    TTestSkin skin;
    const int img = skin.AddImage({.R = TRect(0, 0, 2, 2)});
    skin.Image(img).Bmp = NewBitmap(1, 2, Px(50, 50, 50));
    TGuardedImage bmp(2, 2, Paper);
    DrawSkinGlyph(bmp.View(), TPoint(0, 0), 0, 1, skin.Image(img), TCacheView());
    for (uint32_t p : bmp.Pixels())
        EXPECT_EQ(p, Paper);
    skin.Image(img).Bmp = NewBitmap(2, 2, Px(50, 50, 50));
    DrawSkinGlyph(bmp.View(), TPoint(0, 0), 0, 1, skin.Image(img), TCacheView());
    EXPECT_EQ(bmp.At(1, 1), Px(50, 50, 50));
}

// A 3 x 1 image over its mask: a grey pixel, a key and a white pixel; the mask black.
struct TMasterPiece {
    TTestSkin Skin{3, 2, Px(0, 0, 0)};
    int Image;
    TMasterPiece()
    {
        Skin.Master(0, 0) = Px(100, 100, 100);
        Skin.Master(1, 0) = Key;
        Skin.Master(2, 0) = Px(255, 255, 255);
        Image = Skin.AddImage({.R = TRect(0, 0, 3, 2), .MaskType = 1});
    }
};

TEST(CopyMasterRect, KeyPixelsTakeTheFillColourElseTheBackground)
{
    struct Case {
        bool Ready;
        vcl::TColor Fill;
        uint32_t Want;
    };
    const Case cases[] = {
        {true, vcl::clFuchsia, Px(0, 0, 44)},
        {true, vcl::clLime, Px(0, 255, 0)},
        {false, vcl::clLime, Px(0, 255, 0)},
        {false, vcl::clFuchsia, Paper},
    };
    for (const Case& c : cases) {
        TMasterPiece piece;
        TGuardedImage background(5, 1, Px(0, 0, 44));
        TCacheView ci;
        ci.Bmp = background.View();
        ci.Ready = c.Ready;
        ci.FillColor = c.Fill;
        TGuardedImage dst(3, 1, Paper);
        CopyMasterRect(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.View(), ci, piece.Skin.Image(piece.Image));
        EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Through(Paper, Px(100, 100, 100), 0), c.Want,
                                                       Through(Paper, Px(255, 255, 255), 0)}));
    }
}

TEST(CopyMasterRect, ReadsNoBackgroundOutsideItsBitmap)
{
    // The background lies two columns left of the destination and one row below: the key pixel's
    // background pixel is outside it, and the guard frame's red must not come through.
    TMasterPiece piece;
    for (const TPoint offset : {TPoint(-2, 0), TPoint(0, 1), TPoint(3, 0)}) {
        TGuardedImage background(3, 1, Px(0, 0, 44));
        TCacheView ci;
        ci.Bmp = background.View();
        ci.X = offset.x;
        ci.Y = offset.y;
        ci.Ready = true;
        TGuardedImage dst(3, 1, Paper);
        CopyMasterRect(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.View(), ci, piece.Skin.Image(piece.Image));
        EXPECT_EQ(dst.At(1, 0), Paper) << offset.x << "," << offset.y;
    }
}

TEST(CopyMasterRect, NegativeEdgesCutBothRectangles)
{
    TMasterPiece piece;
    TGuardedImage dst(3, 1, Paper);
    CopyMasterRect(TRect(-1, 0, 2, 1), TRect(0, 0, 3, 1), dst.View(), TCacheView(), piece.Skin.Image(piece.Image));
    EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{Paper, Through(Paper, Px(255, 255, 255), 0), Paper}));
    EXPECT_TRUE(dst.GuardIntact());
}

// A border of three 3 x 3 states over their masks, margins 1; each state's top-left and
// bottom-right pixels are keys.
struct TCornerBorder {
    TTestSkin Skin{9, 6, Px(30, 30, 30)};
    int Image;
    explicit TCornerBorder(int CornerType, int MaskType = 1)
    {
        for (int s = 0; s < 3; ++s) {
            Skin.Master(3 * s, 0) = Key;
            Skin.Master(3 * s + 2, 2) = Key;
        }
        Image = Skin.AddImage({.R = TRect(0, 0, 9, 3 * (MaskType + 1)), .ImageCount = 3, .MaskType = MaskType,
                               .WL = 1, .WT = 1, .WR = 1, .WB = 1, .CornerType = CornerType});
    }
};

TEST(UpdateCorners, KeyPixelsOfTheCornersTakeTheParentsBackground)
{
    TCornerBorder border(1);
    TGuardedImage background(12, 12, Px(0, 0, 0));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            background.At(x, y) = Px(x, y, 7, 0);
    TCacheView bg;
    bg.Bmp = background.View();
    bg.X = 2;
    bg.Y = 3;
    bg.Ready = true;
    TGuardedImage cache(5, 4, Paper);
    UpdateCorners(cache.View(), vcl::TSize(5, 4), border.Skin.Image(border.Image), 1, bg);
    EXPECT_EQ(cache.At(0, 0), Px(2, 3, 7));
    EXPECT_EQ(cache.At(4, 3), Px(6, 6, 7));
    int changed = 0;
    for (uint32_t p : cache.Pixels())
        changed += p != Paper;
    EXPECT_EQ(changed, 2);

    TCornerBorder plain(0);
    TGuardedImage untouched(5, 4, Paper);
    UpdateCorners(untouched.View(), vcl::TSize(5, 4), plain.Skin.Image(plain.Image), 1, bg);
    for (uint32_t p : untouched.Pixels())
        EXPECT_EQ(p, Paper);
}

TEST(UpdateCorners, APlainColourAndTheMaskDecideAboutNoColour)
{
    struct Case {
        int MaskType;
        vcl::TColor Colour;
        uint32_t Want;
    };
    const Case cases[] = {
        {1, vcl::clRed, Px(255, 0, 0)},
        {0, vcl::clRed, Px(255, 0, 0)},
        {0, vcl::clFuchsia, Paper},
        {1, vcl::clFuchsia, Px(255, 0, 255)},
    };
    for (const Case& c : cases) {
        TCornerBorder border(1, c.MaskType);
        TCacheView bg;
        bg.FillColor = c.Colour;
        TGuardedImage cache(4, 4, Paper);
        UpdateCorners(cache.View(), vcl::TSize(4, 4), border.Skin.Image(border.Image), 0, bg);
        EXPECT_EQ(cache.At(0, 0), c.Want) << c.MaskType;
        EXPECT_EQ(cache.At(3, 3), c.Want) << c.MaskType;
        EXPECT_TRUE(cache.GuardIntact());
    }
}

TEST(UpdateCorners, AnOwnBitmapWithoutStatesHoldsThreeMaskedOnes)
{
    TCornerBorder border(1);
    TsMaskData& image = border.Skin.Image(border.Image);
    image.Bmp = NewBitmap(9, 6, Px(30, 30, 30));
    PixelsOf(image.Bmp.get()).At(6, 0) = Key;  // the third state's top-left corner only
    image.ImageCount = 0;
    TCacheView bg;
    bg.FillColor = vcl::clBlue;
    TGuardedImage cache(4, 4, Paper);
    UpdateCorners(cache.View(), vcl::TSize(4, 4), image, 2, bg);
    EXPECT_EQ(cache.At(0, 0), Px(0, 0, 255));
    EXPECT_EQ(cache.At(3, 3), Paper);
}

}  // namespace
}  // namespace skin::test
