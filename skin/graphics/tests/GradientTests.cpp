// Gradient text parsing and the gradient painters.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/Sgradient.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TRect;

TsGradArray Parse(const vcl::String& text)
{
    TsGradArray data;
    PrepareGradArray(text, data);
    return data;
}

TsGradPie Piece(TColor c1, TColor c2, int percent, int mode)
{
    TsGradPie p;
    p.Color1 = c1;
    p.Color2 = c2;
    p.Percent = uint8_t(percent);
    p.Mode1 = mode;
    return p;
}

std::vector<int> Column(TGuardedImage& img, int x, int height, int (*channel)(uint32_t))
{
    std::vector<int> values;
    for (int y = 0; y < height; ++y)
        values.push_back(channel(img.At(x, y)));
    return values;
}

TEST(PrepareGradArray, FiveWordsAPiece)
{
    const TsGradArray one = Parse(L"16777215;0;100;0;0");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Color1, vcl::clWhite);
    EXPECT_EQ(one[0].Color2, vcl::clBlack);
    EXPECT_EQ(one[0].Percent, 100);
    EXPECT_EQ(one[0].Mode1, 0);

    const TsGradArray nine = Parse(L"0;255;50;1;0;255;65280;50;1");
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_EQ(nine[0].Color2, vcl::clRed);
    EXPECT_EQ(nine[0].Mode1, 1);

    const TsGradArray clamped = Parse(L"-5;300;150;0;0");
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0].Color1, TColor(0));
    EXPECT_EQ(clamped[0].Color2, TColor(0x12C));
    EXPECT_EQ(clamped[0].Percent, 100);
    EXPECT_EQ(clamped[0].Mode2, 0);

    EXPECT_TRUE(Parse(L"").empty());
    EXPECT_TRUE(Parse(L"N/A").empty());
    EXPECT_EQ(Parse(L";;1;;2;3;4;x;").size(), 1u);  // runs of delimiters count as one; the fifth word is not read
    EXPECT_THROW(Parse(L"1;2;x;0;0"), vcl::EConvertError);
}

TEST(PaintGrad, WhiteToBlackOverElevenRowsRoundsHalvesToEven)
{
    TGuardedImage img(3, 11);
    PaintGrad(img.View(), TRect(0, 0, 3, 11), {Piece(vcl::clWhite, vcl::clBlack, 100, 0)});
    const std::vector<int> expected = {255, 230, 204, 178, 153, 128, 102, 76, 51, 26, 0};
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(Column(img, x, 11, Rof), expected);
        EXPECT_EQ(Column(img, x, 11, Bof), expected);
        EXPECT_EQ(Column(img, x, 11, Aof), std::vector<int>(11, 255));
    }
    EXPECT_TRUE(img.GuardIntact());
}

TEST(PaintGrad, TheRowWhereABandEndsStartsTheNext)
{
    TGuardedImage img(1, 11);
    PaintGrad(img.View(), TRect(0, 0, 1, 11),
              {Piece(vcl::clWhite, vcl::clBlack, 50, 0), Piece(vcl::clRed, vcl::clRed, 50, 0)});
    EXPECT_EQ(Column(img, 0, 11, Gof), (std::vector<int>{255, 204, 153, 102, 51, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Column(img, 0, 11, Rof), (std::vector<int>{255, 204, 153, 102, 51, 255, 255, 255, 255, 255, 255}));
}

TEST(PaintGrad, HorizontalRampOnEveryRow)
{
    TGuardedImage img(5, 3);
    PaintGrad(img.View(), TRect(0, 0, 5, 3), Parse(L"0;255;100;1;0"));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(img.At(x, y), Px(std::vector<int>{0, 64, 128, 191, 255}[size_t(x)], 0, 0));
}

TEST(PaintGrad, HorizontalBandsEndAtRoundedPercentOfTheWidth)
{
    TGuardedImage img(10, 1);
    PaintGrad(img.View(), TRect(0, 0, 10, 1),
              {Piece(vcl::clBlack, TColor(0x000000C8), 25, 1), Piece(vcl::clBlue, vcl::clBlue, 0, 1)});
    // The first band ends at Round(25 * 0.1) = 2 (2.5 to even), the second fills 2..9.
    EXPECT_EQ(img.At(0, 0), Px(0, 0, 0));
    EXPECT_EQ(img.At(1, 0), Px(100, 0, 0));
    EXPECT_EQ(img.At(2, 0), Px(0, 0, 255));
    EXPECT_EQ(img.At(9, 0), Px(0, 0, 255));
}

TEST(PaintGrad, ClipsToTheBitmapOnEverySide)
{
    TGuardedImage img(4, 4, Px(1, 1, 1, 1));
    PaintGrad(img.View(), TRect(-3, -3, 9, 9), {Piece(vcl::clBlue, vcl::clBlue, 100, 0)});
    EXPECT_EQ(img.Pixels(), std::vector<uint32_t>(16, Px(0, 0, 255)));
    EXPECT_TRUE(img.GuardIntact());
    TGuardedImage h(4, 4, Px(1, 1, 1, 1));
    PaintGrad(h.View(), TRect(2, -3, 9, 2), {Piece(vcl::clBlue, vcl::clBlue, 100, 1)});
    EXPECT_EQ(h.At(2, 0), Px(0, 0, 255));
    EXPECT_EQ(h.At(3, 1), Px(0, 0, 255));
    EXPECT_EQ(h.At(1, 1), Px(1, 1, 1, 1));
    EXPECT_EQ(h.At(3, 2), Px(1, 1, 1, 1));
    EXPECT_TRUE(h.GuardIntact());
}

TEST(PaintGrad, NothingForAnEmptyArrayOrAnotherKind)
{
    TGuardedImage img(2, 2, Px(1, 1, 1, 1));
    PaintGrad(img.View(), TRect(0, 0, 2, 2), {});
    PaintGrad(img.View(), TRect(0, 0, 2, 2), {Piece(vcl::clBlue, vcl::clBlue, 100, 3)});
    EXPECT_EQ(img.Pixels(), std::vector<uint32_t>(4, Px(1, 1, 1, 1)));
}

TEST(PaintGrad, CornersTakeTheFirstColoursOfThePieces)
{
    TGuardedImage img(21, 21);
    PaintGrad(img.View(), TRect(0, 0, 21, 21), {Piece(vcl::clRed, vcl::clRed, 0, 2), Piece(vcl::clBlue, vcl::clRed, 0, 2)});
    EXPECT_GT(Rof(img.At(0, 0)), 200);
    EXPECT_LT(Bof(img.At(0, 0)), 55);
    for (const auto& [x, y] : {std::pair{20, 20}, {10, 10}, {20, 0}, {0, 20}}) {
        EXPECT_GT(Bof(img.At(x, y)), 200) << x << "," << y;
        EXPECT_LT(Rof(img.At(x, y)), 55) << x << "," << y;
    }
    EXPECT_TRUE(img.GuardIntact());
}

// A texture whose pixels name their place: red 10 * (x + 1), green 10 * (y + 1).
TGuardedImage Texture(int w, int h)
{
    TGuardedImage tex(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            tex.At(x, y) = Px(10 * (x + 1), 10 * (y + 1), 0);
    return tex;
}

// Over a black gradient the mix at weight 128 is half the texture, truncated.
uint32_t HalfOf(uint32_t t) { return Px(Rof(t) / 2, Gof(t) / 2, Bof(t) / 2); }

TEST(PaintGradTxt, EveryRowTakesTheTextureWithItsTruePeriod)
{
    for (const int mode : {0, 1}) {
        TGuardedImage img(7, 5), tex = Texture(3, 2);
        PaintGradTxt(img.View(), TRect(0, 0, 7, 5), {Piece(vcl::clBlack, vcl::clBlack, 100, mode)}, tex.View(),
                     TRect(), 128);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(img.At(x, y), HalfOf(tex.At(x % 3, y % 2))) << mode << ": " << x << "," << y;
        EXPECT_TRUE(img.GuardIntact());
        EXPECT_TRUE(tex.GuardIntact());
    }
}

TEST(PaintGradTxt, APieceOfTheTextureRepeatsFromTheBitmapOrigin)
{
    TGuardedImage img(5, 4), tex = Texture(4, 4);
    PaintGradTxt(img.View(), TRect(1, 1, 5, 4), {Piece(vcl::clBlack, vcl::clBlack, 100, 1)}, tex.View(),
                 TRect(1, 2, 3, 9), 128);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 5; ++x)
            EXPECT_EQ(img.At(x, y), HalfOf(tex.At(x % 2 + 1, y % 2 + 2))) << x << "," << y;
    EXPECT_EQ(img.At(0, 0), 0u);
}

TEST(PaintGradTxt, OnePixelTextureFillsFlat)
{
    for (const int mode : {0, 1}) {
        TGuardedImage img(4, 6), tex(1, 1, Px(200, 100, 50));
        PaintGradTxt(img.View(), TRect(0, 0, 4, 6), {Piece(vcl::clBlack, vcl::clBlack, 100, mode)}, tex.View(),
                     TRect(), 255);
        EXPECT_EQ(img.Pixels(), std::vector<uint32_t>(24, Px(199, 99, 49))) << mode;
    }
}

TEST(PaintGradTxt, AmountZeroIsTheGradientAndAnEmptyTexturePaintsNothing)
{
    TGuardedImage img(1, 11), tex = Texture(2, 2), none(0, 0);
    PaintGradTxt(img.View(), TRect(0, 0, 1, 11), {Piece(vcl::clWhite, vcl::clBlack, 100, 0)}, tex.View(), TRect(), 0);
    EXPECT_EQ(Column(img, 0, 11, Rof), (std::vector<int>{255, 230, 204, 178, 153, 128, 102, 76, 51, 26, 0}));
    TGuardedImage blank(2, 2, Px(1, 1, 1, 1));
    PaintGradTxt(blank.View(), TRect(0, 0, 2, 2), {Piece(vcl::clWhite, vcl::clBlack, 100, 0)}, none.View(), TRect(),
                 128);
    PaintGradTxt(blank.View(), TRect(0, 0, 2, 2), {Piece(vcl::clWhite, vcl::clBlack, 100, 0)}, tex.View(),
                 TRect(5, 5, 9, 9), 128);
    PaintGradTxt(blank.View(), TRect(0, 0, 2, 2), {Piece(vcl::clWhite, vcl::clBlack, 100, 2)}, tex.View(), TRect(),
                 128);
    EXPECT_EQ(blank.Pixels(), std::vector<uint32_t>(4, Px(1, 1, 1, 1)));
}

}  // namespace
}  // namespace skin::test
