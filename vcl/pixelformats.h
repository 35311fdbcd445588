#pragma once
// Pixel formats of device-independent bitmaps and the conversions between them, on plain memory:
// rows of packed pixels, palettes as 32-bit B, G, R, 0 entries. No device context is involved.
#include "vcl/system.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcl {

// pfDevice is a device-dependent bitmap; pfCustom a layout none of the others describes.
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Palette entries and 32-bit pixels share one layout: bytes B, G, R, A (0xAARRGGBB as a number).
using TColorTable = std::vector<uint32_t>;

// Bits per pixel of a DIB format; 0 for pfDevice and pfCustom.
int BitsPerPixel(TPixelFormat format);
// The DIB format with this many bits per pixel (16 gives pf16bit, 5-6-5); pfCustom for others.
TPixelFormat PixelFormatOfBits(int bits);
bool IsIndexed(TPixelFormat format);
// Bytes per row, padded to 32 bits.
size_t RowStride(TPixelFormat format, int width);

// The palette a new indexed bitmap gets: pf1bit black and white, pf4bit the 16 VGA colours,
// pf8bit the 256 greys. Empty for the other formats.
TColorTable DefaultColorTable(TPixelFormat format);
// Entries evenly spread from black to white.
TColorTable GreyColorTable(int entries);

// Rows of pixels in memory. Row 0 is the top row; Stride is negative for bottom-up storage.
struct TPixelRows {
    uint8_t* Bits = nullptr;  // first byte of row 0
    ptrdiff_t Stride = 0;
    int Width = 0;
    int Height = 0;
    TPixelFormat Format = TPixelFormat::pf32bit;
    const TColorTable* Table = nullptr;  // the palette of an indexed format

    uint8_t* Row(int y) const { return Bits + y * Stride; }
};

// Brightness 0..255 of a B, G, R pixel: (R * 77 + G * 150 + B * 29) >> 8.
uint8_t Luminance(uint32_t bgra);

// Copies Source into Target pixel by pixel (both the same size). Indexed targets: a palette of greys
// from black to white takes the brightness, any other palette the nearest colour. A target of 32
// bits keeps a 32-bit source's alpha and gets alpha 0 from every other source.
void ConvertPixels(const TPixelRows& Source, const TPixelRows& Target);

// Sets the alpha byte of every pixel of a pf32bit image.
void SetAlpha(const TPixelRows& Rows, uint8_t Alpha);

// Copies pf32bit Source into pf32bit Target (the same size) with colours multiplied by alpha.
void PremultiplyAlpha(const TPixelRows& Source, const TPixelRows& Target);

// Copies the top-left Width x Height pixels between two images of the same format.
void CopyPixels(const TPixelRows& Source, const TPixelRows& Target, int Width, int Height);

}  // namespace vcl
