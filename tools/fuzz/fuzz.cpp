// libFuzzer targets for the pure cores of the PNG reader and the zlib streams, built for the
// host by fuzz.sh (never by the project's build or its CI). Every scan line is a heap block of
// its own, so that a sanitizer sees a write past any row.
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "skin/graphics/acPNGReader.h"
#include "skin/graphics/acZLibCore.h"

namespace {

class EShortRead : public std::exception {};

class TMemory : public skin::TByteStream {
public:
    // inPlace: the stream shows its bytes in memory, and the PNG reader takes its chunks there.
    TMemory(const uint8_t* data, size_t size, bool inPlace = false) : FData(data, data + size), FInPlace(inPlace) {}
    int64_t Read(void* buffer, int64_t count) override
    {
        const int64_t n = std::clamp<int64_t>(int64_t(FData.size()) - FPosition, 0, count);
        if (n > 0)
            std::memcpy(buffer, FData.data() + FPosition, size_t(n));
        FPosition += n;
        return n;
    }
    void ReadBuffer(void* buffer, int64_t count) override
    {
        if (Read(buffer, count) != count)
            throw EShortRead();
    }
    void WriteBuffer(const void*, int64_t) override { __builtin_trap(); }
    const uint8_t* Memory() override { return FInPlace ? FData.data() : nullptr; }
    int64_t Position() override { return FPosition; }
    void SetPosition(int64_t position) override
    {
        if (position < 0 || position > Size())
            __builtin_trap();  // the cores seek only inside their data
        FPosition = position;
    }
    int64_t Size() override { return int64_t(FData.size()); }

private:
    std::vector<uint8_t> FData;
    bool FInPlace;
    int64_t FPosition = 0;
};

#ifndef FUZZ_ZLIB

class TRows : public skin::TPNGTarget {
public:
    void Clear() override { FBits = 0; }
    bool HasPixelFormat() override { return FBits != 0; }
    void SetPixelFormat(int bits) override
    {
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
            __builtin_trap();  // the colour set-up chose a format no bitmap has
        FBits = bits;
    }
    void SetPalette(const skin::TRawPalette&) override {}
    void SetSize(uint32_t width, uint32_t height) override
    {
        FRows.assign(height, std::vector<uint8_t>((size_t(width) * FBits + 7) / 8));
    }
    void SetTransparentColor(uint32_t) override {}
    uint8_t* ScanLine(uint32_t row) override { return FRows.at(row).data(); }
    void Progress(skin::TPNGProgress, const skin::TPNGRect&, const char*) override {}

private:
    int FBits = 0;
    std::vector<std::vector<uint8_t>> FRows;
};

// Each input is read from a stream that copies its chunks out and from one that shows them in place.
void Run(const uint8_t* data, size_t size)
{
    for (const bool inPlace : {false, true}) {
        TMemory stream(data, size, inPlace);
        skin::TColorManager colours;
        TRows rows;
        skin::TImageProperties properties;
        try {
            skin::TPNGReader(stream, colours, rows, properties).Load();
        } catch (const skin::EPNGFault&) {
        } catch (const skin::EColorConversionFault&) {
        } catch (const EShortRead&) {
        }
    }
}

#else

// The first four bytes choose the window and four reads or seeks; the rest is the source.
void Run(const uint8_t* data, size_t size)
{
    if (size < 4)
        return;
    TMemory source(data + 4, size - 4);
    try {
        skin::TZDecompressor z(source, data[0] & 1 ? -MAX_WBITS : MAX_WBITS);
        const auto exactly = [&z](void* buffer, int64_t count) {
            if (z.Read(buffer, count) != count)
                throw EShortRead();
        };
        std::vector<uint8_t> out(70000);
        for (int i = 0; i < 4; ++i) {
            const int64_t n = 1 + data[i] * 257;
            if (data[i] % 5 == 0)
                z.Seek(0, skin::TZSeekOrigin::Beginning, exactly);
            else if (data[i] % 5 == 1)
                z.Seek(n, skin::TZSeekOrigin::Current, exactly);
            else
                z.Read(out.data(), std::min<int64_t>(n, int64_t(out.size())));
        }
    } catch (const skin::EZStreamFault&) {
    } catch (const EShortRead&) {
    }
}

#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Run(data, size);
    return 0;
}
