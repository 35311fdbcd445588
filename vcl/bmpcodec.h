#pragma once
// Reading and writing BMP files in memory: the file header, the core, info, V4 and V5 headers,
// 1 to 32 bits per pixel, bit-field masks and either row order. Works on bytes only.
#include "vcl/pixelformats.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcl {

// A BMP file whose header has been checked. Every fault raises EInvalidGraphic.
class TBmpReader {
public:
    TBmpReader(const uint8_t* Data, size_t Size);

    // The format the pixels are best kept in: the file's own, or pf32bit for unusual bit fields.
    TPixelFormat Format() const { return FFormat; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const TColorTable& ColorTable() const { return FColorTable; }
    // Bytes from the start of the file to the end of its pixel data.
    size_t FileSize() const { return FFileSize; }

    // Fills Target (Format(), Width() x Height()) with the pixels.
    void ReadPixels(const TPixelRows& Target) const;

private:
    struct TMask {
        uint32_t Bits = 0;
        int Shift = 0;
        int Width = 0;
    };
    uint8_t Component(uint32_t value, const TMask& mask) const;

    const uint8_t* FData;
    TPixelFormat FFormat = TPixelFormat::pfCustom;
    int FWidth = 0;
    int FHeight = 0;
    bool FTopDown = false;
    int FFileBits = 0;
    bool FRawRows = true;  // rows copy as they are; else each pixel is decoded through the masks
    TMask FMasks[4];       // red, green, blue, alpha
    TColorTable FColorTable;
    size_t FPixelOffset = 0;
    size_t FFileStride = 0;
    size_t FFileSize = 0;
};

// A BMP file (info header, bottom-up rows) of Source; pf16bit writes its 5-6-5 masks.
std::vector<uint8_t> WriteBmp(const TPixelRows& Source);

}  // namespace vcl
