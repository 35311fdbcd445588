#pragma once
// The pixel work of the PNG image helpers, over 32-bit pixel views (bytes B, G, R, A): the alpha
// fix-ups of skin images, the alpha channel's trip through an 8-bit plane, and the masks of the
// icon makers.
#include "skin/graphics/PixelView.h"

namespace skin {

// Images of old skins: a white pixel with alpha 0 becomes 0 in all four bytes.
// Nothing on a view that TacFast32 does not attach.
void UpdateTransPixels(const TPixelView& Bmp);
// Images of new skins: blue, green and red become c * A div 255; alpha stays.
// Nothing on a view that TacFast32 does not attach.
void UpdateAlpha(const TPixelView& Bmp);

// Byte Channel (0..3) of every pixel of Bmp32 to byte x of the same row of Bmp8 (From32To8),
// or back, over the area both hold; another channel number does nothing.
void CopyChannel(const TPixelView& Bmp32, const TBytePixelView& Bmp8, int Channel, bool From32To8);

// The mask of an icon made from an image without alpha: 255 (transparent) where the pixel equals
// the top-left one, 0 elsewhere. Left as it is for a view that TacFast32 does not attach.
void KeyColorMask(const TPixelView& Bmp, const TBytePixelView& Mask);
// An image just converted to 32 bits: alpha 0 where the pixel is exactly 0x00FF00FF (the key),
// 255 elsewhere. Nothing on a view that TacFast32 does not attach.
void AlphaFromKey(const TPixelView& Bmp);
// Copies Src into Dst (same size) and sets Mask to 255 (transparent) where the alpha is 0, else 0,
// over the area they share. Nothing unless TacFast32 attaches both views.
void CopyWithAlphaMask(const TPixelView& Src, const TPixelView& Dst, const TBytePixelView& Mask);

}  // namespace skin
