#include "acPNGPixels.h"

#include <algorithm>

#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

namespace {

bool Attaches(const TPixelView& Bmp)
{
    return TacFast32().Attach(Bmp);
}

// Calls f(x, y) for every pixel that both the 32-bit view and the 8-bit plane hold.
template <typename F>
void ForEachWithPlane(const TPixelView& Bmp, const TBytePixelView& Plane, F f)
{
    if (Bmp.IsEmpty() || !Plane.Bits)
        return;
    const int width = std::min(Bmp.Width, Plane.Width), height = std::min(Bmp.Height, Plane.Height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f(x, y);
}

}  // namespace

void UpdateTransPixels(const TPixelView& Bmp)
{
    if (Attaches(Bmp))
        px::MapPixels(Bmp, [](uint32_t p) { return p == 0x00FFFFFF ? 0u : p; });
}

void UpdateAlpha(const TPixelView& Bmp)
{
    if (Attaches(Bmp))
        px::MapPixels(Bmp, [](uint32_t p) {
            const int a = px::A(p);
            return px::Make(px::B(p) * a / 255, px::G(p) * a / 255, px::R(p) * a / 255, a);
        });
}

void CopyChannel(const TPixelView& Bmp32, const TBytePixelView& Bmp8, int Channel, bool From32To8)
{
    if (Channel < 0 || Channel > 3)
        return;
    const int shift = 8 * Channel;
    ForEachWithPlane(Bmp32, Bmp8, [&](int x, int y) {
        uint32_t& pixel = Bmp32.At(x, y);
        uint8_t& byte = Bmp8.Row(y)[x];
        if (From32To8)
            byte = static_cast<uint8_t>(pixel >> shift);
        else
            pixel = (pixel & ~(0xFFu << shift)) | uint32_t{byte} << shift;
    });
}

void KeyColorMask(const TPixelView& Bmp, const TBytePixelView& Mask)
{
    if (!Attaches(Bmp))
        return;
    const uint32_t key = Bmp.At(0, 0);
    ForEachWithPlane(Bmp, Mask, [&](int x, int y) { Mask.Row(y)[x] = Bmp.At(x, y) == key ? 255 : 0; });
}

void AlphaFromKey(const TPixelView& Bmp)
{
    if (Attaches(Bmp))
        px::MapPixels(Bmp, [](uint32_t p) { return px::WithAlpha(p, p == px::KeyPixel ? 0 : 255); });
}

void CopyWithAlphaMask(const TPixelView& Src, const TPixelView& Dst, const TBytePixelView& Mask)
{
    if (!Attaches(Src) || !Attaches(Dst))
        return;
    ForEachWithPlane(Src, Mask, [&](int x, int y) {
        const uint32_t pixel = Src.At(x, y);
        if (Dst.Contains(x, y))
            Dst.At(x, y) = pixel;
        Mask.Row(y)[x] = px::A(pixel) == 0 ? 255 : 0;
    });
}

}  // namespace skin
