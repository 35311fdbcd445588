#include "skin/graphics/acPNGPixels.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

// B, G, R, A as one pixel-order value.
constexpr uint32_t Pixel(uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

struct TPlane {
    TPlane(int width, int height, uint8_t fill) : Width(width), Bytes(size_t(width) * height, fill) {}
    TBytePixelView View() { return {Bytes.data(), Width, Width, int(Bytes.size()) / Width}; }
    uint8_t At(int x, int y) const { return Bytes[size_t(y) * Width + x]; }
    int Width;
    std::vector<uint8_t> Bytes;
};

}  // namespace

TEST(PNGPixels, UpdateAlphaPremultiplies)
{
    TPixelBuffer bmp(1, 2, Pixel(200, 100, 50, 128));
    UpdateAlpha(bmp.View());
    EXPECT_EQ(bmp.At(0, 0), Pixel(100, 50, 25, 128));
}

TEST(PNGPixels, UpdateTransPixelsClearsOnlyWhiteWithNoAlpha)
{
    TPixelBuffer bmp(2, 2, Pixel(255, 255, 255, 0));
    bmp.At(1, 0) = Pixel(255, 255, 255, 1);
    bmp.At(0, 1) = Pixel(255, 255, 254, 0);
    UpdateTransPixels(bmp.View());
    EXPECT_EQ(bmp.At(0, 0), 0u);
    EXPECT_EQ(bmp.At(1, 0), Pixel(255, 255, 255, 1));
    EXPECT_EQ(bmp.At(0, 1), Pixel(255, 255, 254, 0));
    EXPECT_EQ(bmp.At(1, 1), 0u);

    TPixelBuffer row(3, 1, Pixel(255, 255, 255, 0));  // one row: not attached, left alone
    UpdateTransPixels(row.View());
    UpdateAlpha(row.View());
    EXPECT_EQ(row.At(2, 0), Pixel(255, 255, 255, 0));
}

TEST(PNGPixels, CopyChannelMovesOneByteOfEveryPixel)
{
    TPixelBuffer bmp(2, 2, Pixel(1, 2, 3, 4));
    bmp.At(1, 1) = Pixel(5, 6, 7, 8);
    TPlane plane(3, 2, 0xEE);  // wider than the image: its last column stays
    CopyChannel(bmp.View(), plane.View(), 3, true);
    EXPECT_EQ(plane.Bytes, (std::vector<uint8_t>{4, 4, 0xEE, 4, 8, 0xEE}));

    plane.Bytes = {10, 11, 12, 13, 14, 15};
    CopyChannel(bmp.View(), plane.View(), 1, false);
    EXPECT_EQ(bmp.At(0, 0), Pixel(1, 10, 3, 4));
    EXPECT_EQ(bmp.At(1, 1), Pixel(5, 14, 7, 8));
}

// A plane smaller than the image, no plane (a bitmap that is not 8-bit) and a channel beyond the
// pixel touch nothing outside what both hold.
TEST(PNGPixels, CopyChannelStaysInsideBoth)
{
    TPixelBuffer bmp(3, 3, Pixel(1, 2, 3, 4));
    std::vector<uint8_t> bytes(5, 0xEE);  // a 2 x 2 plane and one guard byte
    const TBytePixelView small{bytes.data(), 2, 2, 2};
    CopyChannel(bmp.View(), small, 0, true);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 1, 1, 1, 0xEE}));
    bytes = {9, 9, 9, 9, 0xEE};
    CopyChannel(bmp.View(), small, 2, false);
    EXPECT_EQ(bmp.At(1, 1), Pixel(1, 2, 9, 4));
    EXPECT_EQ(bmp.At(2, 2), Pixel(1, 2, 3, 4));

    CopyChannel(bmp.View(), TBytePixelView(), 3, true);
    for (int channel : {-1, 4}) {
        CopyChannel(bmp.View(), small, channel, true);
        CopyChannel(bmp.View(), small, channel, false);
    }
    EXPECT_EQ(bytes, (std::vector<uint8_t>{9, 9, 9, 9, 0xEE}));
    EXPECT_EQ(bmp.At(0, 0), Pixel(1, 2, 9, 4));
}

TEST(PNGPixels, IconMasks)
{
    TPixelBuffer bmp(2, 2, Pixel(9, 9, 9, 0));
    bmp.At(1, 0) = Pixel(9, 9, 8, 0);
    TPlane mask(2, 2, 7);
    KeyColorMask(bmp.View(), mask.View());
    EXPECT_EQ(mask.Bytes, (std::vector<uint8_t>{255, 0, 255, 255}));

    TPixelBuffer row(2, 1, 0);  // one row: the mask stays as it was (all opaque)
    TPlane rowMask(2, 1, 0);
    KeyColorMask(row.View(), rowMask.View());
    EXPECT_EQ(rowMask.Bytes, (std::vector<uint8_t>{0, 0}));

    TPixelBuffer converted(2, 2, Pixel(255, 0, 255, 0));
    converted.At(1, 1) = Pixel(255, 0, 255, 9);
    converted.At(0, 1) = Pixel(1, 2, 3, 0);
    AlphaFromKey(converted.View());
    EXPECT_EQ(converted.At(0, 0), Pixel(255, 0, 255, 0));
    EXPECT_EQ(converted.At(1, 1), Pixel(255, 0, 255, 255));
    EXPECT_EQ(converted.At(0, 1), Pixel(1, 2, 3, 255));

    TPixelBuffer icon(2, 2, 0x12345678);
    TPlane iconMask(2, 2, 7);
    CopyWithAlphaMask(converted.View(), icon.View(), iconMask.View());
    EXPECT_EQ(icon.At(1, 1), converted.At(1, 1));
    EXPECT_EQ(iconMask.Bytes, (std::vector<uint8_t>{255, 255, 0, 0}));
}
