#pragma once
// Gradients of skin sections: the parsed gradient and its painters into 32-bit bitmaps.
#include <cstdint>
#include <vector>

#include "skin/graphics/PixelView.h"
#include "vcl/system.h"

namespace skin {

// One piece of a gradient. Mode1 of the first piece chooses the kind of the whole gradient:
// 0 vertical bands from the top, 1 horizontal bands from the left, 2 four corners and the centre.
struct TsGradPie {
    vcl::TColor Color1 = vcl::clBlack;
    vcl::TColor Color2 = vcl::clBlack;
    uint8_t Percent = 0;  // the piece's share of the height or width, 0..100
    int Mode1 = 0;
    int Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

// Reads the gradient text: integers separated by ";", five a piece (colour 1, colour 2, percent,
// mode, a word that is not read); words short of a whole piece are ignored. A word of a piece that
// is not an integer raises EConvertError.
void PrepareGradArray(const vcl::String& Text, TsGradArray& Data);

// Paints the gradient over R of Bmp; OffsetY moves a vertical gradient down.
void PaintGrad(const TPixelView& Bmp, const vcl::TRect& R, const TsGradArray& Data, int OffsetY = 0);
// Paints a vertical or horizontal gradient over R with the piece TextureRect of Texture (all of it
// when empty) tiled over it from the bitmap's origin and mixed in with the weight Amount.
void PaintGradTxt(const TPixelView& Bmp, const vcl::TRect& R, const TsGradArray& Data, const TPixelView& Texture,
                  const vcl::TRect& TextureRect, uint8_t Amount);

}  // namespace skin
