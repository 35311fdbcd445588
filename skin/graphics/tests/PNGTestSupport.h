#pragma once
// Memory streams, a guarded test bitmap and a PNG chunk builder for the image tests.
#include "skin/graphics/acByteStream.h"
#include "skin/graphics/acPNGReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pngtest {

class EMemoryReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a stream gives the reader its bytes: copied out by reads only, or also in place in memory.
enum class TByteSource { Copied, InPlace };
inline constexpr TByteSource AllByteSources[] = {TByteSource::Copied, TByteSource::InPlace};

class TMemoryByteStream : public skin::TByteStream {
public:
    TMemoryByteStream() = default;
    explicit TMemoryByteStream(std::vector<uint8_t> bytes, TByteSource source = TByteSource::Copied)
        : FBytes(std::move(bytes)), FSource(source)
    {
    }

    int64_t Read(void* buffer, int64_t count) override;
    void ReadBuffer(void* buffer, int64_t count) override;
    void WriteBuffer(const void* buffer, int64_t count) override;
    const uint8_t* Memory() override { return FSource == TByteSource::InPlace ? FBytes.data() : nullptr; }
    int64_t Position() override { return FPosition; }
    void SetPosition(int64_t position) override { FPosition = position; }
    int64_t Size() override { return static_cast<int64_t>(FBytes.size()); }

    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
    TByteSource FSource = TByteSource::Copied;
    int64_t FPosition = 0;
};

struct TProgressEvent {
    skin::TPNGProgress Stage;
    std::string Message;
};

// Rows top down, each followed by guard bytes that a conversion must never touch.
class TTestBitmap : public skin::TPNGTarget {
public:
    void Clear() override;
    bool HasPixelFormat() override { return FBitsPerPixel != 0; }
    void SetPixelFormat(int bitsPerPixel) override { FBitsPerPixel = bitsPerPixel; }
    void SetPalette(const skin::TRawPalette& palette) override { FPalette = palette; }
    // New pixels hold a byte no test image decodes to everywhere, as a bitmap's pixels are not
    // cleared for decoding: every pixel must be written.
    void SetSize(uint32_t width, uint32_t height) override;
    void SetTransparentColor(uint32_t color) override { FTransparentColor = color; }
    uint8_t* ScanLine(uint32_t row) override;
    void Progress(skin::TPNGProgress stage, const skin::TPNGRect& rect, const char* message) override;

    int BitsPerPixel() const { return FBitsPerPixel; }
    const skin::TRawPalette& Palette() const { return FPalette; }
    uint32_t Width() const { return FWidth; }
    uint32_t Height() const { return FHeight; }
    uint32_t TransparentColor() const { return FTransparentColor; }
    const std::vector<TProgressEvent>& ProgressLog() const { return FProgress; }

    // The raw value of a pixel: its palette index, or its B, G, R (, A) bytes little-endian.
    uint32_t Value(uint32_t x, uint32_t y) const;
    // R, G, B, A as the bitmap shows it; alpha 255 for formats without alpha.
    std::array<uint8_t, 4> RGBA(uint32_t x, uint32_t y) const;
    bool GuardsIntact() const;

private:
    size_t RowSize() const { return (static_cast<size_t>(FWidth) * FBitsPerPixel + 7) / 8; }
    static constexpr size_t kGuard = 16;
    static constexpr uint8_t kGuardByte = 0xA5;
    static constexpr uint8_t kUnwrittenByte = 0x5A;

    int FBitsPerPixel = 0;
    skin::TRawPalette FPalette;
    uint32_t FWidth = 0, FHeight = 0;
    uint32_t FTransparentColor = skin::PNGNoColor;
    std::vector<uint8_t> FBytes;
    std::vector<TProgressEvent> FProgress;
};

std::vector<uint8_t> ReadFile(const std::string& path);

// --- PNG datastreams made in the tests ---

struct TChunk {
    TChunk(std::string type, std::vector<uint8_t> data, std::optional<uint32_t> length = {}, bool badCRC = false)
        : Type(std::move(type)), Data(std::move(data)), Length(length), BadCRC(badCRC)
    {
    }
    std::string Type;
    std::vector<uint8_t> Data;
    std::optional<uint32_t> Length;  // a length field other than the data's size
    bool BadCRC = false;
};

std::vector<uint8_t> Header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace = 0);
std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw);
std::vector<uint8_t> Datastream(const std::vector<TChunk>& chunks);

// Decodes a datastream with a fresh colour manager.
void Decode(const std::vector<uint8_t>& png, TTestBitmap& bitmap, skin::TImageProperties* properties = nullptr,
            TByteSource source = TByteSource::Copied);

}  // namespace pngtest
