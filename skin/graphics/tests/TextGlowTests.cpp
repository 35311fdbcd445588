// Captions: shortening to a width, and the glow laid around a text through its blurred mask.
#include <gtest/gtest.h>

#include <algorithm>

#include "PixelFixtures.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin::test {
namespace {

using vcl::String;
using vcl::TBitmap;
using vcl::TColor;
using vcl::TRect;

void UseTestFont(vcl::TCanvas* Canvas)
{
    Canvas->Font()->SetName(L"Tahoma");
    Canvas->Font()->SetHeight(-16);
    Canvas->Font()->SetQuality(vcl::TFontQuality::fqNonAntialiased);
}

TEST(CutText, ShortensToTheWidthMeasuredInTheCanvasFont)
{
    const auto bmp = CreateBmp32(4, 4);
    vcl::TCanvas* canvas = bmp->Canvas();
    UseTestFont(canvas);
    const String text = L"abcdef";
    const int twoAndDots = canvas->TextWidth(L"ab...");
    const int dots = canvas->TextWidth(L"...");
    ASSERT_LT(twoAndDots, canvas->TextWidth(L"abc..."));
    struct {
        int MaxWidth;
        String Expected;
    } const cases[] = {
        {twoAndDots, L"ab..."},
        {twoAndDots + 1, L"ab..."},
        {dots, L""},  // the dots alone are no shortened text
        {dots - 1, L""},
        {0, L""},
        {-3, L""},
        {canvas->TextWidth(text), text},
        {1000, text},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutText(canvas, text, c.MaxWidth), c.Expected) << c.MaxWidth;
    EXPECT_EQ(CutText(canvas, L"", 0), L"");
}

TEST(CutText, KeepsSurrogatePairsWhole)
{
    const auto bmp = CreateBmp32(4, 4);
    vcl::TCanvas* canvas = bmp->Canvas();
    UseTestFont(canvas);
    const String text = L"ab\U0001D11Ecd";
    const String cut = CutText(canvas, text, canvas->TextWidth(L"ab\U0001D11E..."));
    EXPECT_TRUE(cut == L"ab\U0001D11E..." || cut == L"ab...") << cut.size();
}

// One pixel under a one-pixel mask of the byte m, glow colour red.
uint32_t GlowOver(uint32_t Pixel, uint8_t m, TColor Glow = vcl::clRed)
{
    TPixelBuffer dst(1, 1, Pixel);
    uint8_t mask = m;
    BlendGlow(dst.View(), TBytePixelView{&mask, 1, 1, 1}, vcl::TPoint(0, 0), Glow);
    return dst.At(0, 0);
}

TEST(BlendGlow, MixesTowardTheGlowByTheMask)
{
    struct {
        uint32_t Pixel;
        uint8_t Mask;
        uint32_t Expected;
    } const cases[] = {
        {Px(10, 20, 30, 40), 0, Px(255, 0, 0, 255)},    // pure glow, opaque
        {Px(0, 0, 0, 0), 128, Px(127, 0, 0, 127)},      // half way
        {Px(100, 100, 100, 255), 100, Px(195, 39, 39, 255)},  // 255 - 155 * 100 / 255 truncates to 195
        {Px(10, 20, 30, 40), 255, Px(10, 20, 30, 40)},  // white leaves the pixel
        {Px(0, 0, 0, 100), 254, Px(1, 0, 0, 100)},      // alpha: 100 + 155 * 1 / 255 stays 100
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlowOver(c.Pixel, c.Mask), c.Expected) << std::hex << c.Pixel << " " << std::dec << int(c.Mask);
    EXPECT_EQ(GlowOver(Px(0, 0, 0, 0), 0, TColor(0x00332211)), Px(0x11, 0x22, 0x33, 255));
}

TEST(BlendGlow, WritesOnlyInsideTheBitmap)
{
    // A black 5 x 5 mask whose middle lies on the corner pixel (0, 0) of a 4 x 4 image.
    TGuardedImage img(4, 4, Px(0, 0, 0, 0));
    std::vector<uint8_t> mask(25, 0);
    BlendGlow(img.View(), TBytePixelView{mask.data(), 5, 5, 5}, vcl::TPoint(-2, -2), vcl::clBlue);
    EXPECT_TRUE(img.GuardIntact());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(img.At(x, y), x <= 2 && y <= 2 ? Px(0, 0, 255, 255) : Px(0, 0, 0, 0)) << x << "," << y;
}

class GlowForText : public ::testing::Test {
protected:
    void SetUp() override
    {
        FBmp = CreateBmp32(60, 40);
        UseTestFont(FBmp->Canvas());
    }
    uint32_t At(int x, int y) { return PixelsOf(FBmp.get()).At(x, y); }

    std::unique_ptr<TBitmap> FBmp;
    const TRect FText = TRect(20, 10, 40, 30);
};

TEST_F(GlowForText, GlowsAroundTheTextAndNowhereBeyondItsMask)
{
    std::unique_ptr<TBitmap> mask;
    acDrawGlowForText(FBmp.get(), L"W", FText, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 15, 3, vcl::clRed, mask);
    ASSERT_TRUE(mask);
    // The mask spans the text's rectangle and the blur size plus 4 around it, white far from the text.
    const int d = 3 + 4;
    ASSERT_EQ(mask->Width(), 20 + 2 * d);
    ASSERT_EQ(mask->Height(), 20 + 2 * d);
    EXPECT_EQ(mask->PixelFormat(), vcl::TPixelFormat::pf8bit);
    const TBytePixelView bytes = BytesOf(mask.get());
    const int last = 20 + 2 * d - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
        EXPECT_EQ(bytes.Row(y)[x], 255) << x << "," << y;
    // Its darkest byte lies in the text's rectangle, and there the glow shows.
    int darkX = 0, darkY = 0;
    for (int y = 0; y <= last; ++y)
        for (int x = 0; x <= last; ++x)
            if (bytes.Row(y)[x] < bytes.Row(darkY)[darkX])
                darkX = x, darkY = y;
    EXPECT_LT(bytes.Row(darkY)[darkX], 200);
    EXPECT_TRUE(TRect(d, d, d + 20, d + 20).Contains(vcl::TPoint(darkX, darkY)));
    const uint32_t glow = At(FText.left - d + darkX, FText.top - d + darkY);
    EXPECT_GT(Rof(glow), 0);
    EXPECT_EQ(Gof(glow), 0);
    EXPECT_EQ(Aof(glow), Rof(glow));
    // Nothing outside the mask's area.
    const TRect area = FText.Inflated(d, d);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            if (!area.Contains(vcl::TPoint(x, y))) {
                EXPECT_EQ(At(x, y), Px(0, 0, 0, 0)) << x << "," << y;
            }
        }
}

TEST_F(GlowForText, AMaskOfTheRightSizeIsUsedAsItIs)
{
    // A prepared mask with one black byte: the other text is not drawn into it.
    std::unique_ptr<TBitmap> mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(vcl::TPixelFormat::pf8bit);
    mask->SetSize(20 + 2 * 6, 20 + 2 * 6);
    const TBytePixelView bytes = BytesOf(mask.get());
    for (int y = 0; y < mask->Height(); ++y)
        std::fill_n(bytes.Row(y), mask->Width(), uint8_t(255));
    bytes.Row(3)[5] = 0;
    TBitmap* const prepared = mask.get();
    acDrawGlowForText(FBmp.get(), L"W", FText, DT_LEFT, 0, 2, vcl::clLime, mask);
    EXPECT_EQ(mask.get(), prepared);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            EXPECT_EQ(At(x, y), x == 20 - 6 + 5 && y == 10 - 6 + 3 ? Px(0, 255, 0, 255) : Px(0, 0, 0, 0)) << x << "," << y;

    // Another size: drawn anew.
    acDrawGlowForText(FBmp.get(), L"W", FText, DT_LEFT, 0, 5, vcl::clLime, mask);
    EXPECT_EQ(mask->Width(), 20 + 2 * 9);
    const TBytePixelView redrawn = BytesOf(mask.get());
    int darkest = 255;
    for (int y = 0; y < mask->Height(); ++y)
        darkest = std::min(darkest, int(*std::min_element(redrawn.Row(y), redrawn.Row(y) + mask->Width())));
    EXPECT_LT(darkest, 255);
}

}  // namespace
}  // namespace skin::test
