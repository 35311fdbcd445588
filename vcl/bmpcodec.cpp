#include "vcl/bmpcodec.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vcl {

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t coreHeaderSize = 12;
constexpr uint32_t infoHeaderSize = 40;
constexpr uint32_t compressionRgb = 0;
constexpr uint32_t compressionBitFields = 3;
constexpr uint32_t compressionAlphaBitFields = 6;

// Header sizes after the core header: info, info with colour masks, with alpha mask, V4, V5.
constexpr uint32_t infoHeaderSizes[] = {40, 52, 56, 108, 124};

struct TMaskSet {
    uint32_t Red, Green, Blue, Alpha;
};
// Bit fields the pixel formats hold directly.
constexpr TMaskSet masks555 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr TMaskSet masks565 = {0xF800, 0x07E0, 0x001F, 0};
constexpr TMaskSet masks888 = {0xFF0000, 0x00FF00, 0x0000FF, 0};

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(L"Bitmap image is not valid"); }

// Little-endian fields of a buffer; reading past its end is a fault of the file.
class TFields {
public:
    TFields(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    uint16_t U16(size_t offset) const
    {
        Need(offset, 2);
        return uint16_t(FData[offset] | (FData[offset + 1] << 8));
    }
    uint32_t U32(size_t offset) const
    {
        Need(offset, 4);
        return uint32_t(FData[offset]) | (uint32_t(FData[offset + 1]) << 8) | (uint32_t(FData[offset + 2]) << 16) |
               (uint32_t(FData[offset + 3]) << 24);
    }
    void Need(size_t offset, size_t count) const
    {
        if (offset > FSize || count > FSize - offset)
            InvalidBitmap();
    }

private:
    const uint8_t* FData;
    size_t FSize;
};

bool SameColorMasks(const TMaskSet& a, const TMaskSet& b)
{
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

TBmpReader::TBmpReader(const uint8_t* Data, size_t Size) : FData(Data)
{
    const TFields f(Data, Size);
    if (Size < fileHeaderSize || Data[0] != 'B' || Data[1] != 'M')
        InvalidBitmap();
    const uint32_t pixelOffset = f.U32(10);
    const uint32_t headerSize = f.U32(14);
    const bool core = headerSize == coreHeaderSize;
    if (!core && std::find(std::begin(infoHeaderSizes), std::end(infoHeaderSizes), headerSize) ==
                     std::end(infoHeaderSizes))
        InvalidBitmap();
    f.Need(fileHeaderSize, headerSize);

    int64_t width, height;
    uint32_t planes, compression = compressionRgb, colorsUsed = 0;
    if (core) {
        width = f.U16(18);
        height = f.U16(20);
        planes = f.U16(22);
        FFileBits = f.U16(24);
    } else {
        width = int32_t(f.U32(18));
        height = int32_t(f.U32(22));
        planes = f.U16(26);
        FFileBits = f.U16(28);
        compression = f.U32(30);
        colorsUsed = f.U32(46);
    }
    if (planes != 1 || width < 0 || height == INT32_MIN)
        InvalidBitmap();
    if (PixelFormatOfBits(FFileBits) == TPixelFormat::pfCustom)
        InvalidBitmap();
    FWidth = int(width);
    FHeight = int(height < 0 ? -height : height);
    FTopDown = height < 0;

    // Colour masks sit inside the larger headers, or follow the plain info header.
    size_t tableStart = fileHeaderSize + headerSize;
    TMaskSet masks{};
    const bool bitFields = compression == compressionBitFields || compression == compressionAlphaBitFields;
    if (bitFields) {
        if (FFileBits != 16 && FFileBits != 32)
            InvalidBitmap();
        const size_t maskStart = fileHeaderSize + infoHeaderSize;
        const bool alphaMask = compression == compressionAlphaBitFields || headerSize >= 56;
        masks = {f.U32(maskStart), f.U32(maskStart + 4), f.U32(maskStart + 8), alphaMask ? f.U32(maskStart + 12) : 0};
        if (headerSize == infoHeaderSize)
            tableStart += alphaMask ? 16 : 12;
    } else if (compression != compressionRgb) {
        throw EInvalidGraphic(L"Bitmap compression is not supported");
    }

    if (FFileBits <= 8) {
        const uint32_t maxColors = 1u << FFileBits;
        const uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        const size_t entrySize = core ? 3 : 4;
        f.Need(tableStart, count * entrySize);
        FColorTable.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = Data + tableStart + i * entrySize;
            FColorTable[i] = uint32_t(e[0]) | (uint32_t(e[1]) << 8) | (uint32_t(e[2]) << 16);
        }
        tableStart += count * entrySize;
    }
    if (pixelOffset < tableStart)
        InvalidBitmap();

    FFormat = PixelFormatOfBits(FFileBits);
    if (FFileBits == 16 && (!bitFields || SameColorMasks(masks, masks555)))
        FFormat = TPixelFormat::pf15bit;
    else if (FFileBits == 16 && SameColorMasks(masks, masks565))
        FFormat = TPixelFormat::pf16bit;
    else if (FFileBits == 32 && (!bitFields || (SameColorMasks(masks, masks888) &&
                                                (masks.Alpha == 0 || masks.Alpha == 0xFF000000))))
        FFormat = TPixelFormat::pf32bit;
    else if (bitFields) {
        // Any other layout is decoded through its masks into B, G, R, A.
        FFormat = TPixelFormat::pf32bit;
        FRawRows = false;
        const uint32_t bits[4] = {masks.Red, masks.Green, masks.Blue, masks.Alpha};
        for (int i = 0; i < 4; ++i) {
            TMask& m = FMasks[i];
            m.Bits = bits[i];
            if (m.Bits == 0) {
                if (i < 3)
                    InvalidBitmap();
                continue;
            }
            m.Shift = std::countr_zero(m.Bits);
            m.Width = std::popcount(m.Bits);
            if (std::countr_one(m.Bits >> m.Shift) != m.Width)
                InvalidBitmap();
        }
    }

    FFileStride = (uint64_t(FWidth) * uint64_t(FFileBits) + 31) / 32 * 4;
    const uint64_t pixelBytes = uint64_t(FFileStride) * uint64_t(FHeight);
    if (pixelBytes > Size || pixelOffset > Size - pixelBytes)
        InvalidBitmap();
    FPixelOffset = pixelOffset;
    FFileSize = size_t(pixelOffset + pixelBytes);
}

uint8_t TBmpReader::Component(uint32_t value, const TMask& mask) const
{
    if (mask.Bits == 0)
        return 0;
    const uint32_t c = (value & mask.Bits) >> mask.Shift;
    if (mask.Width >= 8)
        return uint8_t(c >> (mask.Width - 8));
    const uint32_t max = (1u << mask.Width) - 1;
    return uint8_t((c * 255 + max / 2) / max);
}

void TBmpReader::ReadPixels(const TPixelRows& Target) const
{
    const size_t rowBytes = (size_t(FWidth) * size_t(FFileBits) + 7) / 8;
    for (int y = 0; y < FHeight; ++y) {
        const size_t fileRow = size_t(FTopDown ? y : FHeight - 1 - y);
        const uint8_t* from = FData + FPixelOffset + fileRow * FFileStride;
        uint8_t* to = Target.Row(y);
        if (FRawRows) {
            std::memcpy(to, from, rowBytes);
            continue;
        }
        for (int x = 0; x < FWidth; ++x) {
            uint32_t value;
            if (FFileBits == 16) {
                value = uint32_t(from[2 * x]) | (uint32_t(from[2 * x + 1]) << 8);
            } else {
                std::memcpy(&value, from + 4 * x, 4);
            }
            const uint32_t pixel = uint32_t(Component(value, FMasks[2])) | (uint32_t(Component(value, FMasks[1])) << 8) |
                                   (uint32_t(Component(value, FMasks[0])) << 16) |
                                   (uint32_t(Component(value, FMasks[3])) << 24);
            std::memcpy(to + 4 * x, &pixel, 4);
        }
    }
}

std::vector<uint8_t> WriteBmp(const TPixelRows& Source)
{
    const int bits = BitsPerPixel(Source.Format);
    const bool masks = Source.Format == TPixelFormat::pf16bit;
    const size_t colors = IsIndexed(Source.Format) && Source.Table ? Source.Table->size() : 0;
    const size_t stride = RowStride(Source.Format, Source.Width);
    const size_t headers = fileHeaderSize + infoHeaderSize + (masks ? 12 : 0) + colors * 4;
    const size_t total = headers + stride * size_t(Source.Height);

    std::vector<uint8_t> out;
    out.reserve(total);
    out.push_back('B');
    out.push_back('M');
    Put32(out, uint32_t(total));
    Put32(out, 0);
    Put32(out, uint32_t(headers));
    Put32(out, infoHeaderSize);
    Put32(out, uint32_t(Source.Width));
    Put32(out, uint32_t(Source.Height));
    Put16(out, 1);
    Put16(out, uint16_t(bits));
    Put32(out, masks ? compressionBitFields : compressionRgb);
    Put32(out, uint32_t(stride * size_t(Source.Height)));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, uint32_t(colors));
    Put32(out, 0);
    if (masks) {
        Put32(out, masks565.Red);
        Put32(out, masks565.Green);
        Put32(out, masks565.Blue);
    }
    for (size_t i = 0; i < colors; ++i)
        Put32(out, (*Source.Table)[i] & 0xFFFFFF);

    const size_t rowBytes = (size_t(Source.Width) * size_t(bits) + 7) / 8;
    for (int y = Source.Height - 1; y >= 0; --y) {
        const uint8_t* row = Source.Row(y);
        out.insert(out.end(), row, row + rowBytes);
        out.insert(out.end(), stride - rowBytes, 0);
    }
    return out;
}

}  // namespace vcl
