#include "pngfile.h"

#include <zlib.h>

#include <cstdio>

namespace testsupport {

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// One chunk: its length, its type and data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool SavePng(const std::wstring& file, int width, int height, const std::vector<uint32_t>& pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height)
        return false;
    // Every row starts with filter type 0 (none), then red, green, blue per pixel.
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
            raw.push_back(static_cast<uint8_t>(pixel));
            raw.push_back(static_cast<uint8_t>(pixel >> 8));
            raw.push_back(static_cast<uint8_t>(pixel >> 16));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_SPEED) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, no interlace
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    FILE* out = _wfopen(file.c_str(), L"wb");
    if (!out)
        return false;
    const bool written = fwrite(png.data(), 1, png.size(), out) == png.size();
    return fclose(out) == 0 && written;
}

}  // namespace testsupport
