#include "acPNGPixels.h"

#include "skin/graphics/sAlphaGraph.h"

namespace skin {

namespace {

bool Attaches(const TPixelView& Bmp)
{
    return TacFast32().Attach(Bmp);
}

template <typename F>
void ForEachPixel(const TPixelView& Bmp, F f)
{
    for (int y = 0; y < Bmp.Height; ++y) {
        uint8_t* p = reinterpret_cast<uint8_t*>(Bmp.Row(y));
        for (int x = 0; x < Bmp.Width; ++x, p += 4)
            f(x, y, p);
    }
}

}  // namespace

void UpdateTransPixels(const TPixelView& Bmp)
{
    if (!Attaches(Bmp))
        return;
    ForEachPixel(Bmp, [](int, int, uint8_t* p) {
        if (p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 0)
            p[0] = p[1] = p[2] = 0;
    });
}

void UpdateAlpha(const TPixelView& Bmp)
{
    if (!Attaches(Bmp))
        return;
    ForEachPixel(Bmp, [](int, int, uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<uint8_t>(p[c] * p[3] / 255);
    });
}

void CopyChannel(const TPixelView& Bmp32, const TBytePixelView& Bmp8, int Channel, bool From32To8)
{
    ForEachPixel(Bmp32, [&](int x, int y, uint8_t* p) {
        uint8_t& plane = Bmp8.Row(y)[x];
        if (From32To8)
            plane = p[Channel];
        else
            p[Channel] = plane;
    });
}

void KeyColorMask(const TPixelView& Bmp, const TBytePixelView& Mask)
{
    if (!Attaches(Bmp))
        return;
    const uint32_t key = Bmp.At(0, 0);
    ForEachPixel(Bmp, [&](int x, int y, uint8_t*) { Mask.Row(y)[x] = Bmp.At(x, y) == key ? 255 : 0; });
}

void AlphaFromKey(const TPixelView& Bmp)
{
    if (!Attaches(Bmp))
        return;
    ForEachPixel(Bmp, [&](int x, int y, uint8_t* p) { p[3] = Bmp.At(x, y) == 0x00FF00FF ? 0 : 255; });
}

void CopyWithAlphaMask(const TPixelView& Src, const TPixelView& Dst, const TBytePixelView& Mask)
{
    if (!Attaches(Src) || !Attaches(Dst))
        return;
    ForEachPixel(Src, [&](int x, int y, uint8_t* p) {
        Dst.At(x, y) = Src.At(x, y);
        Mask.Row(y)[x] = p[3] == 0 ? 255 : 0;
    });
}

}  // namespace skin
