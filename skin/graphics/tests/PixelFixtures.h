#pragma once
// Small pixel images for the toolbox tests: an image inside a frame of guard pixels (a write outside
// the image changes the frame; a read outside it picks up the frame's loud colour), and helpers to
// spell pixels.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "skin/graphics/PixelView.h"

namespace skin::test {

// A pixel from its channels.
constexpr uint32_t Px(int r, int g, int b, int a = 255)
{
    return uint32_t(b & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(r & 0xFF) << 16 | uint32_t(a & 0xFF) << 24;
}
constexpr int Rof(uint32_t p) { return int((p >> 16) & 0xFF); }
constexpr int Gof(uint32_t p) { return int((p >> 8) & 0xFF); }
constexpr int Bof(uint32_t p) { return int(p & 0xFF); }
constexpr int Aof(uint32_t p) { return int(p >> 24); }

// Each byte of Old and New mixed as a fade step mixes them, Weight (0 to 255) counting for Old.
constexpr uint32_t FadeMix(uint32_t Old, uint32_t New, int Weight)
{
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t o = Old >> shift & 0xFF, n = New >> shift & 0xFF;
        mixed |= ((o * uint32_t(Weight) + n * uint32_t(255 - Weight) + 127) >> 8) << shift;
    }
    return mixed;
}
// The pixels of a fade's steps from Old to New, with these weights of Old.
inline std::vector<uint32_t> FadeMixes(uint32_t Old, uint32_t New, std::initializer_list<int> Weights)
{
    std::vector<uint32_t> steps;
    for (int w : Weights)
        steps.push_back(FadeMix(Old, New, w));
    return steps;
}

// Opaque red, the colour that leaks into a result when code reads a guard pixel.
constexpr uint32_t GuardPixel = 0xFFFF0000;

class TGuardedImage {
public:
    static constexpr int Margin = 4;

    TGuardedImage(int Width, int Height, uint32_t Fill = 0, uint32_t Guard = GuardPixel)
        : FWidth(Width), FHeight(Height), FGuard(Guard), FBuffer(Width + 2 * Margin, Height + 2 * Margin, Guard)
    {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                At(x, y) = Fill;
    }

    TPixelView View()
    {
        TPixelView v = FBuffer.View();
        v.Bits += Margin * v.Stride + Margin * 4;
        v.Width = FWidth;
        v.Height = FHeight;
        return v;
    }
    uint32_t& At(int x, int y) { return FBuffer.At(x + Margin, y + Margin); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // No pixel of the frame was written.
    bool GuardIntact()
    {
        for (int y = 0; y < FBuffer.Height(); ++y)
            for (int x = 0; x < FBuffer.Width(); ++x) {
                const bool inside = x >= Margin && y >= Margin && x < Margin + FWidth && y < Margin + FHeight;
                if (!inside && FBuffer.At(x, y) != FGuard)
                    return false;
            }
        return true;
    }

    // The pixels row by row.
    std::vector<uint32_t> Pixels()
    {
        std::vector<uint32_t> all;
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                all.push_back(At(x, y));
        return all;
    }

private:
    int FWidth;
    int FHeight;
    uint32_t FGuard;
    TPixelBuffer FBuffer;
};

}  // namespace skin::test
