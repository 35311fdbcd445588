// The default glyphs of the edit buttons, read from the program's resources.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGlyphUtils.h"

namespace skin::test {
namespace {

using vcl::TBitmap;

// The 16 x 16 glyph of a state as pixels, row by row.
std::vector<uint32_t> Glyph(TBitmap* Image, int State)
{
    std::vector<uint32_t> pixels;
    const TPixelView v = PixelsOf(Image);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(v.At(16 * State + x, y));
    return pixels;
}

int Brightness(const std::vector<uint32_t>& Glyph)
{
    int sum = 0;
    for (uint32_t p : Glyph)
        sum += Aof(p) ? Rof(p) + Gof(p) + Bof(p) : 0;
    return sum;
}

TEST(DefaultGlyphs, FiveImagesOfThreeSixteenPixelStates)
{
    TsAlphaImageList* list = acResImgList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(acResImgList(), list);
    EXPECT_EQ(list->Width(), 48);
    EXPECT_EQ(list->Height(), 16);
    EXPECT_EQ(list->Count(), 5);
    ASSERT_EQ(list->Items()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TsImgListItem* item = list->Items()->Items(i);
        EXPECT_EQ(item->ImageFormat(), TsImageFormat::ifPNG) << i;
        EXPECT_EQ(item->PixelFormat(), vcl::TPixelFormat::pf32bit) << i;
        EXPECT_EQ(item->OrigWidth, 48) << i;
        EXPECT_EQ(item->OrigHeight, 16) << i;
        const std::unique_ptr<TBitmap> image = list->CreateBitmap32(i, 48, 16);
        ASSERT_TRUE(image);
        // Every state is a picture on a transparent ground: some pixels opaque, some clear.
        for (int state = 0; state < 3; ++state) {
            int opaque = 0, clear = 0;
            for (uint32_t p : Glyph(image.get(), state)) {
                opaque += Aof(p) == 255;
                clear += Aof(p) == 0;
            }
            EXPECT_GT(opaque, 40) << acGlyphsResNames[size_t(i)] << " " << state;
            EXPECT_GT(clear, 20) << acGlyphsResNames[size_t(i)] << " " << state;
        }
    }
}

TEST(DefaultGlyphs, StatesDifferAsEachGlyphIsDrawn)
{
    enum TPressed { SameAsHot, DarkerThanNormal };
    struct {
        int Index;
        bool HotDiffers;
        TPressed Pressed;
    } const cases[] = {
        {0, true, SameAsHot},          // the magnifier over the page
        {1, true, SameAsHot},          // the arrow over the folder
        {2, true, SameAsHot},          // the leaf's top turns orange
        {3, false, SameAsHot},         // the box with three dots
        {4, false, DarkerThanNormal},  // the calculator
    };
    for (const auto& c : cases) {
        const std::unique_ptr<TBitmap> image = acResImgList()->CreateBitmap32(c.Index, 48, 16);
        ASSERT_TRUE(image);
        const auto normal = Glyph(image.get(), 0), hot = Glyph(image.get(), 1), pressed = Glyph(image.get(), 2);
        EXPECT_EQ(normal != hot, c.HotDiffers) << c.Index;
        if (c.Pressed == SameAsHot) {
            EXPECT_EQ(pressed, hot) << c.Index;
        } else {
            EXPECT_LT(Brightness(pressed), Brightness(normal)) << c.Index;
        }
    }
}

}  // namespace
}  // namespace skin::test
