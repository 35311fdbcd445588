// Text written onto 32-bit bitmaps in skin colours with contours.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TRect;

class WriteText : public ::testing::Test {
protected:
    void SetUp() override
    {
        FFont = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
        ASSERT_NE(FFont, nullptr);
    }
    void TearDown() override { DeleteObject(FFont); }

    std::vector<uint32_t> Write(const vcl::String& text, bool contour, const TTextColours& colours,
                                const TRect& r = TRect(0, 0, 30, 30))
    {
        TGuardedImage img(30, 30, Px(10, 20, 30, 40));
        WriteText32(img.View(), FFont, text, contour, r, DT_LEFT | DT_TOP | DT_SINGLELINE, colours);
        EXPECT_TRUE(img.GuardIntact());
        return img.Pixels();
    }

    HFONT FFont = nullptr;
};

constexpr uint32_t Background = Px(10, 20, 30, 40);

TEST_F(WriteText, SolidTextTakesTheColourAndFullAlpha)
{
    TTextColours colours;
    colours.Color = TColor(0x00332211);
    int text = 0;
    for (uint32_t p : Write(L"I", false, colours)) {
        if (p == Background)
            continue;
        EXPECT_EQ(p, Px(0x11, 0x22, 0x33));
        ++text;
    }
    EXPECT_GT(text, 0);
}

TEST_F(WriteText, NothingForEmptyTextOrRectangle)
{
    const std::vector<uint32_t> untouched(900, Background);
    EXPECT_EQ(Write(L"", true, TTextColours()), untouched);
    EXPECT_EQ(Write(L"I", true, TTextColours(), TRect(5, 5, 5, 20)), untouched);
}

TEST_F(WriteText, UnsetContoursDrawTheTextOnce)
{
    TTextColours colours;
    colours.Color = vcl::clRed;
    EXPECT_EQ(Write(L"I", true, colours), Write(L"I", false, colours));
}

TEST_F(WriteText, ContoursLieOnePixelAside)
{
    TTextColours main;
    main.Color = vcl::clRed;
    const std::vector<uint32_t> plain = Write(L"I", false, main);
    TTextColours left = main;
    left.Left = vcl::clLime;
    const std::vector<uint32_t> contoured = Write(L"I", true, left);
    const uint32_t red = Px(255, 0, 0), green = Px(0, 255, 0);
    int greens = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x + 1 < 30; ++x) {
            const size_t at = size_t(y * 30 + x);
            // Left of the text's leftmost pixel in a row lies the left contour.
            if (plain[at + 1] == red && plain[at] == Background) {
                EXPECT_EQ(contoured[at], green) << x << "," << y;
                ++greens;
            }
            if (plain[at] == red) {
                EXPECT_EQ(contoured[at], red);
            }
        }
    EXPECT_GT(greens, 0);
}

TEST_F(WriteText, ClippedToTheBitmap)
{
    TTextColours colours;
    colours.Color = vcl::clBlue;
    colours.Left = colours.Top = colours.Right = colours.Bottom = vcl::clYellow;
    const std::vector<uint32_t> pixels = Write(L"WW", true, colours, TRect(-8, -6, 40, 40));
    EXPECT_NE(pixels, std::vector<uint32_t>(900, Background));
}

}  // namespace
}  // namespace skin::test
