#include "vcl/pixelformats.h"

#include <cstring>

namespace vcl {

namespace {

struct TFormatInfo {
    TPixelFormat Format;
    int Bits;
};

const TFormatInfo formatBits[] = {
    {TPixelFormat::pf1bit, 1},   {TPixelFormat::pf4bit, 4},   {TPixelFormat::pf8bit, 8},
    {TPixelFormat::pf15bit, 16}, {TPixelFormat::pf16bit, 16}, {TPixelFormat::pf24bit, 24},
    {TPixelFormat::pf32bit, 32},
};

// The 16 colours of the VGA palette, in its order, as B, G, R entries.
const uint32_t vgaColors[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

uint16_t Load16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, sizeof v); }
uint32_t Load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

uint32_t Bgr(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }
uint32_t Expand5(uint32_t v) { return (v << 3) | (v >> 2); }
uint32_t Expand6(uint32_t v) { return (v << 2) | (v >> 4); }

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
unsigned GetIndex(const uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    default:
        return row[x];
    }
}

void SetIndex(uint8_t* row, int x, int bits, unsigned index)
{
    switch (bits) {
    case 1: {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = uint8_t(index ? row[x >> 3] | bit : row[x >> 3] & ~bit);
        break;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = uint8_t((row[x >> 1] & ~(0xF << shift)) | ((index & 0xF) << shift));
        break;
    }
    default:
        row[x] = uint8_t(index);
    }
}

// Reads pixel x of a row as B, G, R, A; formats without alpha give alpha 0.
uint32_t ReadPixel(const TPixelRows& rows, const uint8_t* row, int x)
{
    switch (rows.Format) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: {
        const unsigned index = GetIndex(row, x, BitsPerPixel(rows.Format));
        return rows.Table && index < rows.Table->size() ? (*rows.Table)[index] & 0xFFFFFF : 0;
    }
    case TPixelFormat::pf15bit: {
        const uint32_t v = Load16(row + 2 * x);
        return Bgr(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case TPixelFormat::pf16bit: {
        const uint32_t v = Load16(row + 2 * x);
        return Bgr(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
    }
    case TPixelFormat::pf24bit: {
        const uint8_t* p = row + 3 * x;
        return Bgr(p[2], p[1], p[0]);
    }
    default:
        return Load32(row + 4 * x);
    }
}

// Writes a B, G, R, A pixel into a row of a format that holds colours directly.
void WriteDirectPixel(TPixelFormat format, uint8_t* row, int x, uint32_t bgra)
{
    const uint32_t r = (bgra >> 16) & 0xFF, g = (bgra >> 8) & 0xFF, b = bgra & 0xFF;
    switch (format) {
    case TPixelFormat::pf15bit:
        Store16(row + 2 * x, uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)));
        break;
    case TPixelFormat::pf16bit:
        Store16(row + 2 * x, uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)));
        break;
    case TPixelFormat::pf24bit: {
        uint8_t* p = row + 3 * x;
        p[0] = uint8_t(b);
        p[1] = uint8_t(g);
        p[2] = uint8_t(r);
        break;
    }
    default:
        Store32(row + 4 * x, bgra);
    }
}

bool IsGreyRamp(const TColorTable& table)
{
    if (table.size() < 2)
        return false;
    const uint32_t last = uint32_t(table.size() - 1);
    for (uint32_t i = 0; i <= last; ++i) {
        const uint32_t grey = (i * 255 + last / 2) / last;
        if ((table[i] & 0xFFFFFF) != Bgr(grey, grey, grey))
            return false;
    }
    return true;
}

// Chooses palette indexes for colours: by brightness on a grey ramp, else the nearest entry
// (squared distance, the lowest index on a tie).
class TIndexMapper {
public:
    explicit TIndexMapper(const TColorTable& table) : FTable(table), FGrey(IsGreyRamp(table)) {}

    unsigned IndexOf(uint32_t bgra)
    {
        bgra &= 0xFFFFFF;
        if (FGrey) {
            const unsigned last = unsigned(FTable.size() - 1);
            return (Luminance(bgra) * last + 127) / 255;
        }
        if (FHasLast && bgra == FLastColor)
            return FLastIndex;
        unsigned best = 0;
        long bestDistance = -1;
        for (unsigned i = 0; i < FTable.size(); ++i) {
            const long dr = long((FTable[i] >> 16) & 0xFF) - long((bgra >> 16) & 0xFF);
            const long dg = long((FTable[i] >> 8) & 0xFF) - long((bgra >> 8) & 0xFF);
            const long db = long(FTable[i] & 0xFF) - long(bgra & 0xFF);
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        FHasLast = true;
        FLastColor = bgra;
        FLastIndex = best;
        return best;
    }

private:
    const TColorTable& FTable;
    bool FGrey;
    bool FHasLast = false;
    uint32_t FLastColor = 0;
    unsigned FLastIndex = 0;
};

}  // namespace

int BitsPerPixel(TPixelFormat format)
{
    for (const TFormatInfo& info : formatBits)
        if (info.Format == format)
            return info.Bits;
    return 0;
}

TPixelFormat PixelFormatOfBits(int bits)
{
    if (bits == 16)
        return TPixelFormat::pf16bit;
    for (const TFormatInfo& info : formatBits)
        if (info.Bits == bits)
            return info.Format;
    return TPixelFormat::pfCustom;
}

bool IsIndexed(TPixelFormat format)
{
    return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit || format == TPixelFormat::pf8bit;
}

size_t RowStride(TPixelFormat format, int width)
{
    const size_t bits = size_t(width > 0 ? width : 0) * size_t(BitsPerPixel(format));
    return (bits + 31) / 32 * 4;
}

TColorTable GreyColorTable(int entries)
{
    TColorTable table(size_t(entries > 0 ? entries : 0));
    const uint32_t last = entries > 1 ? uint32_t(entries - 1) : 1;
    for (uint32_t i = 0; i < table.size(); ++i) {
        const uint32_t grey = (i * 255 + last / 2) / last;
        table[i] = Bgr(grey, grey, grey);
    }
    return table;
}

TColorTable DefaultColorTable(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::pf1bit:
        return GreyColorTable(2);
    case TPixelFormat::pf4bit:
        return TColorTable(std::begin(vgaColors), std::end(vgaColors));
    case TPixelFormat::pf8bit:
        return GreyColorTable(256);
    default:
        return {};
    }
}

uint8_t Luminance(uint32_t bgra)
{
    const uint32_t r = (bgra >> 16) & 0xFF, g = (bgra >> 8) & 0xFF, b = bgra & 0xFF;
    return uint8_t((r * 77 + g * 150 + b * 29) >> 8);
}

void ConvertPixels(const TPixelRows& Source, const TPixelRows& Target)
{
    const int width = Source.Width < Target.Width ? Source.Width : Target.Width;
    const int height = Source.Height < Target.Height ? Source.Height : Target.Height;
    const bool keepAlpha = Source.Format == TPixelFormat::pf32bit;
    if (IsIndexed(Target.Format)) {
        static const TColorTable none;
        TIndexMapper mapper(Target.Table ? *Target.Table : none);
        const int bits = BitsPerPixel(Target.Format);
        for (int y = 0; y < height; ++y) {
            const uint8_t* from = Source.Row(y);
            uint8_t* to = Target.Row(y);
            for (int x = 0; x < width; ++x)
                SetIndex(to, x, bits, mapper.IndexOf(ReadPixel(Source, from, x)));
        }
        return;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = Source.Row(y);
        uint8_t* to = Target.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = ReadPixel(Source, from, x);
            WriteDirectPixel(Target.Format, to, x, keepAlpha ? pixel : pixel & 0xFFFFFF);
        }
    }
}

void SetAlpha(const TPixelRows& Rows, uint8_t Alpha)
{
    for (int y = 0; y < Rows.Height; ++y) {
        uint8_t* row = Rows.Row(y);
        for (int x = 0; x < Rows.Width; ++x)
            row[4 * x + 3] = Alpha;
    }
}

void PremultiplyAlpha(const TPixelRows& Source, const TPixelRows& Target)
{
    for (int y = 0; y < Source.Height; ++y) {
        const uint8_t* from = Source.Row(y);
        uint8_t* to = Target.Row(y);
        for (int x = 0; x < Source.Width; ++x) {
            const uint32_t pixel = Load32(from + 4 * x);
            const uint32_t a = pixel >> 24;
            uint32_t result = a << 24;
            for (int shift = 0; shift < 24; shift += 8)
                result |= ((((pixel >> shift) & 0xFF) * a + 127) / 255) << shift;
            Store32(to + 4 * x, result);
        }
    }
}

void CopyPixels(const TPixelRows& Source, const TPixelRows& Target, int Width, int Height)
{
    const int bits = BitsPerPixel(Source.Format);
    const size_t wholeBytes = size_t(Width) * size_t(bits) / 8;
    const int copiedPixels = int(wholeBytes * 8 / size_t(bits));
    for (int y = 0; y < Height; ++y) {
        std::memcpy(Target.Row(y), Source.Row(y), wholeBytes);
        // Pixels that share their last byte with pixels beyond Width go one by one.
        for (int x = copiedPixels; x < Width; ++x)
            SetIndex(Target.Row(y), x, bits, GetIndex(Source.Row(y), x, bits));
    }
}

}  // namespace vcl
