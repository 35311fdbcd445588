#pragma once
// Small helpers of the bitmap, picture and image-list tests: bitmaps of a format and size, pixel
// access through scan lines, files built byte by byte and files on disk.
#include "vcl/bitmaps.h"
#include "vcl/sysutils.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace graphics_test {

using vcl::TBitmap;
using vcl::TPixelFormat;

inline std::unique_ptr<TBitmap> MakeBitmap(TPixelFormat format, int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(width, height);
    return bitmap;
}

inline uint32_t Pixel32(TBitmap& bitmap, int x, int y)
{
    uint32_t value;
    std::memcpy(&value, static_cast<uint8_t*>(bitmap.ScanLine(y)) + 4 * x, 4);
    return value;
}

inline void SetPixel32(TBitmap& bitmap, int x, int y, uint32_t value)
{
    std::memcpy(static_cast<uint8_t*>(bitmap.ScanLine(y)) + 4 * x, &value, 4);
}

// B, G, R of a 24-bit pixel as 0x00RRGGBB.
inline uint32_t Pixel24(TBitmap& bitmap, int x, int y)
{
    const uint8_t* p = static_cast<uint8_t*>(bitmap.ScanLine(y)) + 3 * x;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
}

inline void SetPixel24(TBitmap& bitmap, int x, int y, uint32_t value)
{
    uint8_t* p = static_cast<uint8_t*>(bitmap.ScanLine(y)) + 3 * x;
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
    p[2] = uint8_t(value >> 16);
}

// Loads a graphic from bytes in memory, as a stream holding a file.
inline void LoadGraphic(vcl::TGraphic& graphic, const std::vector<uint8_t>& bytes)
{
    vcl::TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    stream.SetPosition(0);
    graphic.LoadFromStream(&stream);
}

// Little-endian bytes appended to a file under construction.
class TBytes {
public:
    TBytes& U8(uint32_t v)
    {
        Data.push_back(uint8_t(v));
        return *this;
    }
    TBytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
    TBytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
    TBytes& Raw(const std::vector<uint8_t>& bytes)
    {
        Data.insert(Data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    size_t Size() const { return Data.size(); }

    std::vector<uint8_t> Data;
};

// The class library's own picture formats, registered once for the whole test program.
inline void EnsureStandardFormats()
{
    static const bool registered = (vcl::RegisterStandardGraphicFormats(), true);
    (void)registered;
}

// A file in the working directory, removed at the end of the test.
class TTempFile {
public:
    TTempFile(const vcl::String& name, const std::vector<uint8_t>& bytes) : FName(vcl::ExpandFileName(name))
    {
        vcl::TFileStream stream(FName, vcl::fmCreate);
        stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    }
    ~TTempFile() { DeleteFileW(FName.c_str()); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    const vcl::String& Name() const { return FName; }

private:
    vcl::String FName;
};

}  // namespace graphics_test
