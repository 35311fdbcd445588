// Colour arithmetic in RGB and HSV and the whole-bitmap colour changes.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TColor;

TEST(ChangeBrightness, MovesEachByteTowardWhiteOrBlack)
{
    EXPECT_EQ(ChangeBrightness(TColor(0x00336699), 100), TColor(0x00FFFFFF));
    EXPECT_EQ(ChangeBrightness(TColor(0x00336699), -100), TColor(0));
    // The step 2.55 lies just below its decimal value: 50 steps up from 0 make 127.4999..., and
    // 255 less 50 steps makes 127.5000...1.
    EXPECT_EQ(ChangeBrightness(TColor(0), 50), TColor(0x007F7F7F));
    EXPECT_EQ(ChangeBrightness(TColor(0x00FFFFFF), -50), TColor(0x00808080));
    EXPECT_EQ(ChangeBrightness(vcl::clBtnFace, 0), vcl::clBtnFace);
    EXPECT_EQ(uint32_t(ChangeBrightness(TColor(int32_t(0x7F000000)), 100)), 0x7FFFFFFFu);
}

TEST(ChangeSaturation, PushesFromOrPullsToTheGreyLevel)
{
    EXPECT_EQ(ChangeSaturation(TColor(0x00FF0000), -100), TColor(0x00555555));
    EXPECT_EQ(ChangeSaturation(TColor(0x00808080), 50), TColor(0x00808080));
    EXPECT_EQ(ChangeSaturation(TColor(0x00404080), 100), TColor(0x002B2BAB));  // grey 85.33: 64 -> 42.67, 128 -> 170.67
    EXPECT_EQ(ChangeSaturation(30, TsColor::FromInt(0xAA101010)).U(), 0xAA101010u);
}

TEST(ChangeHue, RotatesTheHue)
{
    EXPECT_EQ(ChangeHue(120, vcl::clRed), vcl::clLime);
    EXPECT_EQ(ChangeHue(-120, vcl::clRed), vcl::clBlue);
    EXPECT_EQ(ChangeHue(240, vcl::clRed), vcl::clBlue);
    EXPECT_EQ(ChangeHue(180, TColor(0x000080FF)), TColor(0x00FF8000));
    for (const TColor grey : {vcl::clBlack, vcl::clWhite, vcl::clGray, TColor(0x00010101)})
        for (const int delta : {-90, 0, 45, 360})
            EXPECT_EQ(ChangeHue(delta, grey), grey);
}

TEST(ChangeHue, PixelFormKeepsTheTopByteAndRoundTripsAtZero)
{
    EXPECT_EQ(ChangeHue(120, TsColor::FromInt(0x80FF0000)).U(), 0x8000FF00u);
    EXPECT_EQ(ChangeHue(0, TsColor::FromInt(0x120080FF)).U(), 0x120080FFu);
    EXPECT_EQ(ChangeHue(0, TColor(0x01020304)), TColor(0x01020304));
}

TEST(Hsv2Rgb, SextantsAndGreys)
{
    EXPECT_EQ(Hsv2Rgb(360, 1, 1).U(), Hsv2Rgb(0, 1, 1).U());
    EXPECT_EQ(Hsv2Rgb(0, 1, 1).U(), 0x000000FFu);
    EXPECT_EQ(Hsv2Rgb(77, 0, 0.5).U(), 0x00808080u);
    EXPECT_EQ(Hsv2Rgb(30, 1, 1).U(), 0x000080FFu);  // t = 127.5 -> 128
}

TEST(Rgb2Hsv, BlackRedAndAHueJustUnder360)
{
    const TsHSV black = Rgb2Hsv(TsColor(vcl::clBlack));
    EXPECT_EQ(black.h, 0);
    EXPECT_EQ(black.s, 0);
    EXPECT_EQ(black.v, 0);
    const TsHSV red = Rgb2Hsv(TsColor(vcl::clRed));
    EXPECT_EQ(red.h, 0);
    EXPECT_EQ(red.s, 1);
    EXPECT_EQ(red.v, 1);
    EXPECT_EQ(Rgb2Hsv(TsColor(TColor(0x000100FF))).h, 360);
}

TEST(HsvConversion, RoundTripsColoursOfWholeDegreeHues)
{
    for (const uint32_t c : {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0x0000FFFFu, 0x00FFFF00u, 0x00FF00FFu,
                             0x000080FFu, 0x00808080u, 0x00000000u, 0x00FFFFFFu, 0x00400080u}) {
        const TsHSV hsv = Rgb2Hsv(TsColor::FromInt(c));
        EXPECT_EQ(Hsv2Rgb(hsv.h, hsv.s, hsv.v).U(), c) << std::hex << c;
    }
}

TEST(SwapInteger, ExchangesFirstAndThirdByte)
{
    EXPECT_EQ(SwapInteger(0x00123456), 0x00563412);
    EXPECT_EQ(SwapInteger(0x00FF0000), 0x000000FF);
}

TEST(MixColors, WeightOfTheFirstAndItsTopByte)
{
    EXPECT_EQ(MixColors(TColor(0), TColor(0xFFFFFF), 0.4), TColor(0x999999));
    EXPECT_EQ(MixColors(TColor(0x7F000001), TColor(0x00000002), 0.5), TColor(0x7F000002));  // 1.5 -> 2
    EXPECT_EQ(MixColors(TColor(0x00000003), TColor(0x00000002), 0.5), TColor(0x00000002));  // 2.5 -> 2
}

TEST(GrayScale, AverageOfTheChannelsAlphaKept)
{
    TGuardedImage img(2, 1);
    img.At(0, 0) = Px(10, 20, 33, 7);
    img.At(1, 0) = 0x00FF00FF;
    GrayScale(img.View());
    EXPECT_EQ(img.At(0, 0), Px(21, 21, 21, 7));
    EXPECT_EQ(img.At(1, 0), Px(170, 170, 170, 0));
    img.At(1, 0) = 0x00FF00FF;
    img.At(0, 0) = Px(10, 20, 33, 7);
    GrayScaleTrans(img.View(), TsColor::FromInt(0x00FF00FF));
    EXPECT_EQ(img.Pixels(), (std::vector<uint32_t>{Px(21, 21, 21, 7), 0x00FF00FF}));
    EXPECT_TRUE(img.GuardIntact());
}

TEST(ChangeBmpHue, LeavesGreysAndKeyPixels)
{
    const std::vector<uint32_t> kept = {Px(0, 0, 0), Px(255, 255, 255), Px(77, 77, 77, 3), 0x00FF00FF};
    TGuardedImage img(5, 1);
    for (int x = 0; x < 4; ++x)
        img.At(x, 0) = kept[size_t(x)];
    img.At(4, 0) = Px(255, 0, 0, 9);
    ChangeBmpHUE(img.View(), 120);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(img.At(x, 0), kept[size_t(x)]);
    EXPECT_EQ(img.At(4, 0), Px(0, 255, 0, 9));
    ChangeBmpSaturation(img.View(), -100);
    EXPECT_EQ(img.At(4, 0), Px(85, 85, 85, 9));
    EXPECT_EQ(img.At(3, 0), 0x00FF00FFu);
    EXPECT_TRUE(img.GuardIntact());
}

}  // namespace
}  // namespace skin::test
