// The button glyph painter.
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

namespace {

// The image of a strip that fits the state; -1 draws nothing.
int StripImage(int NumGlyphs, bool Enabled, int State, bool Down, bool Glyph4Bit)
{
    if (!Enabled || State == 0)
        return 0;
    if (State == 1)
        return Glyph4Bit ? 0 : 1;
    if (State == 2) {
        const int pressed = Down ? 3 : 2;
        if (pressed < NumGlyphs)
            return pressed;
        return Glyph4Bit ? 0 : std::min(NumGlyphs - 1, 1);
    }
    return -1;
}

// The transparent colour of a glyph, a pixel's colour read without its alpha, as a colour value
// (for the copies that swap it into pixel order) and as the pixel the blends compare with.
struct TGlyphKey {
    explicit TGlyphKey(uint32_t pixel) : Color(TColor(int32_t(px::SwapRB(pixel & 0x00FFFFFF)))) {}
    TColor Color;
    TColor Pixel() const { return TColor(int32_t(px::SwapRB(uint32_t(Color)))); }
};

}  // namespace

void DrawGlyphEx(const TPixelView& Glyph, bool Glyph4Bit, const TPixelView& DstBmp, const TRect& R, int NumGlyphs,
                 bool Enabled, TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down)
{
    if (Glyph.IsEmpty() || DstBmp.IsEmpty())
        return;
    TPixelBuffer work(Glyph.Width, Glyph.Height);
    const TPixelView copy = work.View();
    px::CopyPixels(copy, 0, 0, Glyph, Glyph.Bounds());
    const int bottom = copy.Height - 1;

    if (NumGlyphs <= 1) {
        TGlyphKey key(copy.At(0, bottom));
        const TRect whole(0, 0, R.Width(), R.Height());
        if (Enabled) {
            if (State != 0 || Blend < 1)
                CopyTransBitmaps(DstBmp, copy, R.left, R.top, TsColor(key.Color));
            else
                BlendTransRectangle(DstBmp, R.left, R.top, copy, whole, Blend / 100.0, key.Pixel());
            return;
        }
        if (DisabledGlyphKind.Contains(TsDisabledGlyphKindItem::dgGrayed)) {
            GrayScale(copy);
            key = TGlyphKey(copy.At(0, bottom));
        }
        if (DisabledGlyphKind.Contains(TsDisabledGlyphKindItem::dgBlended))
            BlendTransRectangle(DstBmp, R.left, R.top, copy, whole, 0.5, key.Pixel());
        else
            CopyTransBitmaps(DstBmp, copy, R.left, R.top, TsColor(key.Color));
        return;
    }

    const int w = copy.Width / NumGlyphs;
    const int image = StripImage(NumGlyphs, Enabled, State, Down, Glyph4Bit);
    if (image < 0 || w <= 0)
        return;
    const TRect source(image * w, 0, (image + 1) * w - 1, bottom);
    const TGlyphKey key(copy.At(image * w, bottom));
    if (!Enabled && State == 0 && Blend > 0)
        BlendTransRectangle(DstBmp, R.left, R.top, copy, source, Blend / 100.0, key.Pixel());
    else
        CopyTransRectA(DstBmp, copy, R.left, R.top, source, key.Color);
}

}  // namespace skin
