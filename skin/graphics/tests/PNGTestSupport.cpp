#include "PNGTestSupport.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace pngtest {

int64_t TMemoryByteStream::Read(void* buffer, int64_t count)
{
    int64_t n = std::clamp<int64_t>(Size() - FPosition, 0, count);
    if (n > 0)
        std::memcpy(buffer, FBytes.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

void TMemoryByteStream::ReadBuffer(void* buffer, int64_t count)
{
    if (FPosition < 0 || Read(buffer, count) != count)
        throw EMemoryReadError("read past the end");
}

void TMemoryByteStream::WriteBuffer(const void* buffer, int64_t count)
{
    size_t end = static_cast<size_t>(FPosition + count);
    if (FBytes.size() < end)
        FBytes.resize(end);
    std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
}

void TTestBitmap::Clear()
{
    FBitsPerPixel = 0;
    FPalette.clear();
    FWidth = FHeight = 0;
    FTransparentColor = skin::PNGNoColor;
    FBytes.clear();
}

void TTestBitmap::SetSize(uint32_t width, uint32_t height)
{
    FWidth = width;
    FHeight = height;
    FBytes.assign(kGuard + (RowSize() + kGuard) * height, kGuardByte);
    for (uint32_t y = 0; y < height; ++y)
        std::fill_n(ScanLine(y), RowSize(), kUnwrittenByte);
}

uint8_t* TTestBitmap::ScanLine(uint32_t row)
{
    if (row >= FHeight)
        throw std::out_of_range("scan line outside the bitmap");
    return FBytes.data() + kGuard + (RowSize() + kGuard) * row;
}

void TTestBitmap::Progress(skin::TPNGProgress stage, const skin::TPNGRect&, const char* message)
{
    FProgress.push_back({stage, message});
}

uint32_t TTestBitmap::Value(uint32_t x, uint32_t y) const
{
    const uint8_t* row = const_cast<TTestBitmap*>(this)->ScanLine(y);
    if (FBitsPerPixel <= 8) {
        size_t bit = static_cast<size_t>(x) * FBitsPerPixel;
        int shift = 8 - FBitsPerPixel - static_cast<int>(bit % 8);
        return (row[bit / 8] >> shift) & ((1u << FBitsPerPixel) - 1);
    }
    uint32_t value = 0;
    std::memcpy(&value, row + static_cast<size_t>(x) * (FBitsPerPixel / 8), FBitsPerPixel / 8);
    return value;
}

std::array<uint8_t, 4> TTestBitmap::RGBA(uint32_t x, uint32_t y) const
{
    uint32_t v = Value(x, y);
    if (FBitsPerPixel <= 8) {
        if (v >= FPalette.size())
            return {0, 0, 0, 0};  // an index the palette does not hold: never expected
        const skin::TPaletteEntry& e = FPalette[v];
        return {e.Red, e.Green, e.Blue, 255};
    }
    uint8_t alpha = FBitsPerPixel == 32 ? static_cast<uint8_t>(v >> 24) : 255;
    return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v), alpha};
}

bool TTestBitmap::GuardsIntact() const
{
    if (!std::all_of(FBytes.begin(), FBytes.begin() + std::min(kGuard, FBytes.size()),
                     [](uint8_t b) { return b == kGuardByte; }))
        return false;
    for (uint32_t y = 0; y < FHeight; ++y) {
        auto guard = FBytes.begin() + static_cast<ptrdiff_t>(kGuard + (RowSize() + kGuard) * y + RowSize());
        if (!std::all_of(guard, guard + kGuard, [](uint8_t b) { return b == kGuardByte; }))
            return false;
    }
    return true;
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

std::vector<uint8_t> Header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace)
{
    std::vector<uint8_t> data;
    PutBigEndian32(data, width);
    PutBigEndian32(data, height);
    data.insert(data.end(), {depth, colorType, 0, 0, interlace});
    return data;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

std::vector<uint8_t> Datastream(const std::vector<TChunk>& chunks)
{
    std::vector<uint8_t> out(skin::PNGMagic.begin(), skin::PNGMagic.end());
    for (const TChunk& c : chunks) {
        PutBigEndian32(out, c.Length.value_or(static_cast<uint32_t>(c.Data.size())));
        std::vector<uint8_t> typed(c.Type.begin(), c.Type.end());
        typed.insert(typed.end(), c.Data.begin(), c.Data.end());
        out.insert(out.end(), typed.begin(), typed.end());
        uint32_t crc = static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
        PutBigEndian32(out, c.BadCRC ? crc ^ 1 : crc);
    }
    return out;
}

void Decode(const std::vector<uint8_t>& png, TTestBitmap& bitmap, skin::TImageProperties* properties,
            TByteSource source)
{
    TMemoryByteStream stream(png, source);
    skin::TColorManager colors;
    skin::TImageProperties local;
    skin::TPNGReader reader(stream, colors, bitmap, properties ? *properties : local);
    reader.Load();
}

}  // namespace pngtest
