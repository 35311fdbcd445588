#pragma once
// A window onto 32-bit pixels in memory (bytes B, G, R, A): the seam between the pixel arithmetic
// of the skin library and whatever holds the pixels (a DIB section, a bitmap's scan lines, a test
// buffer). Pixel code works on views, so it needs no device context.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "vcl/system.h"

namespace skin {

struct TPixelView {
    uint8_t* Bits = nullptr;  // first byte of row 0
    ptrdiff_t Stride = 0;     // bytes from row y to row y + 1; negative for bottom-up bitmaps
    int Width = 0;
    int Height = 0;

    uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(Bits + y * Stride); }
    uint32_t& At(int x, int y) const { return Row(y)[x]; }
    bool Contains(int x, int y) const { return Bits && x >= 0 && y >= 0 && x < Width && y < Height; }
    bool IsEmpty() const { return !Bits || Width <= 0 || Height <= 0; }
    vcl::TRect Bounds() const { return vcl::TRect(0, 0, Width, Height); }
};

// 8-bit intensities, one byte a pixel (the glow mask).
struct TBytePixelView {
    uint8_t* Bits = nullptr;
    ptrdiff_t Stride = 0;
    int Width = 0;
    int Height = 0;

    uint8_t* Row(int y) const { return Bits + y * Stride; }
};

// Top-down 32-bit pixels owned in memory: scratch images and test fixtures.
class TPixelBuffer {
public:
    TPixelBuffer(int Width, int Height, uint32_t Fill = 0)
        : FWidth(Width), FHeight(Height), FPixels(size_t(Width > 0 ? Width : 0) * size_t(Height > 0 ? Height : 0), Fill)
    {
    }

    TPixelView View()
    {
        return {reinterpret_cast<uint8_t*>(FPixels.data()), ptrdiff_t(FWidth) * 4, FWidth, FHeight};
    }
    uint32_t& At(int x, int y) { return FPixels[size_t(y) * size_t(FWidth) + size_t(x)]; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    int FWidth;
    int FHeight;
    std::vector<uint32_t> FPixels;
};

}  // namespace skin
