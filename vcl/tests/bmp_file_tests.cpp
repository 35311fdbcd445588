#include "vcl/bitmaps.h"
#include "vcl/sysutils.h"

#include "vcl/tests/graphics_test_support.h"

#include <gtest/gtest.h>

using namespace vcl;
using namespace graphics_test;

namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiBitFields = 3;

// A BMP file built byte by byte. Rows are given top first, each as the bytes of its pixels
// (without padding); the file stores them in its own order.
struct TBmpSpec {
    uint32_t HeaderSize = 40;  // 12 core, 40 info, 108 V4, 124 V5
    int Width = 0;
    int Height = 0;           // negative: rows stored top first
    uint16_t Bits = 24;
    uint32_t Compression = BiRgb;
    std::vector<uint32_t> Palette;  // B, G, R entries
    std::vector<uint32_t> Masks;    // red, green, blue (, alpha)
    std::vector<std::vector<uint8_t>> Rows;

    std::vector<uint8_t> File() const
    {
        const bool core = HeaderSize == 12;
        const size_t entry = core ? 3 : 4;
        const bool masksAfterHeader = HeaderSize == 40 && Compression == BiBitFields;
        const size_t offset = 14 + HeaderSize + (masksAfterHeader ? 4 * Masks.size() : 0) + entry * Palette.size();
        const size_t stride = (size_t(Width) * Bits + 31) / 32 * 4;
        const int rows = Height < 0 ? -Height : Height;
        TBytes b;
        b.U8('B').U8('M').U32(uint32_t(offset + stride * rows)).U32(0).U32(uint32_t(offset));
        b.U32(HeaderSize);
        if (core) {
            b.U16(uint32_t(Width)).U16(uint32_t(Height)).U16(1).U16(Bits);
        } else {
            b.U32(uint32_t(Width)).U32(uint32_t(Height)).U16(1).U16(Bits).U32(Compression);
            b.U32(uint32_t(stride * rows)).U32(2835).U32(2835).U32(uint32_t(Palette.size())).U32(0);
            if (HeaderSize > 40) {
                for (size_t i = 0; i < 4; ++i)
                    b.U32(i < Masks.size() ? Masks[i] : 0);
                while (b.Size() < 14 + HeaderSize)
                    b.U8(0);
            } else if (masksAfterHeader) {
                for (uint32_t m : Masks)
                    b.U32(m);
            }
        }
        for (uint32_t color : Palette) {
            b.U8(color).U8(color >> 8).U8(color >> 16);
            if (!core)
                b.U8(0);
        }
        for (int i = 0; i < rows; ++i) {
            std::vector<uint8_t> row = Rows[size_t(Height < 0 ? i : rows - 1 - i)];
            row.resize(stride, 0);
            b.Raw(row);
        }
        return b.Data;
    }
};

std::vector<uint8_t> SavedBytes(TBitmap& bitmap)
{
    TMemoryStream stream;
    bitmap.SaveToStream(&stream);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

// The meaningful bytes of every row, top first.
std::vector<std::vector<uint8_t>> RowBytes(TBitmap& bitmap)
{
    std::vector<std::vector<uint8_t>> rows;
    const size_t bytes = (size_t(bitmap.Width()) * BitsPerPixel(bitmap.PixelFormat()) + 7) / 8;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(y));
        rows.emplace_back(row, row + bytes);
    }
    return rows;
}

std::vector<uint32_t> PaletteOf(TBitmap& bitmap)
{
    std::vector<uint32_t> colors;
    if (HPALETTE palette = bitmap.Palette()) {
        PALETTEENTRY entries[256];
        const UINT count = GetPaletteEntries(palette, 0, 256, entries);
        for (UINT i = 0; i < count; ++i)
            colors.push_back(uint32_t(entries[i].peBlue) | (entries[i].peGreen << 8) | (entries[i].peRed << 16));
    }
    return colors;
}

}  // namespace

TEST(BmpFiles, EachDepthAndRowOrderLoadsAndSurvivesARoundTrip)
{
    struct Case {
        uint16_t bits;
        TPixelFormat format;
        std::vector<uint32_t> palette;
        std::vector<std::vector<uint8_t>> rows;  // 3 x 2 pixels, top first
    };
    const Case cases[] = {
        {1, TPixelFormat::pf1bit, {0x000000, 0xFFFFFF}, {{0xA0}, {0x40}}},
        {4, TPixelFormat::pf4bit, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, {{0x12, 0x30}, {0x32, 0x10}}},
        {8, TPixelFormat::pf8bit, {0x102030, 0x405060, 0x708090}, {{0, 1, 2}, {2, 2, 0}}},
        {24, TPixelFormat::pf24bit, {}, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}}},
        // Alpha is kept: 0, 0x7F and 0xFF.
        {32, TPixelFormat::pf32bit, {}, {{1, 2, 3, 0, 4, 5, 6, 0x7F, 7, 8, 9, 0xFF}, {0xFF, 0, 0xFF, 0, 1, 1, 1, 1, 2, 2, 2, 2}}},
    };
    for (const Case& c : cases) {
        for (int direction : {1, -1}) {
            TBmpSpec file;
            file.Width = 3;
            file.Height = 2 * direction;
            file.Bits = c.bits;
            file.Palette = c.palette;
            file.Rows = c.rows;
            TBitmap bitmap;
            LoadGraphic(bitmap, file.File());
            SCOPED_TRACE(testing::Message() << c.bits << " bits, " << (direction > 0 ? "bottom-up" : "top-down"));
            ASSERT_EQ(bitmap.PixelFormat(), c.format);
            ASSERT_EQ(bitmap.Width(), 3);
            ASSERT_EQ(bitmap.Height(), 2);
            EXPECT_EQ(RowBytes(bitmap), c.rows);
            EXPECT_EQ(PaletteOf(bitmap), c.palette);

            TBitmap again;
            LoadGraphic(again, SavedBytes(bitmap));
            EXPECT_EQ(again.PixelFormat(), c.format);
            EXPECT_EQ(RowBytes(again), c.rows);
            EXPECT_EQ(PaletteOf(again), c.palette);
        }
    }
}

TEST(BmpFiles, HeadersAndBitFields)
{
    struct Case {
        const char* name;
        TBmpSpec file;
        TPixelFormat format;
        std::vector<uint8_t> topRow;  // as the bitmap holds it
    };
    const std::vector<std::vector<uint8_t>> rgb16 = {{0x1F, 0x7C, 0xE0, 0x03}, {0, 0, 0, 0}};
    const Case cases[] = {
        {"core header", {12, 2, 1, 1, BiRgb, {0x112233, 0x445566}, {}, {{0x40}}}, TPixelFormat::pf1bit, {0x40}},
        {"16 bits without masks are 5-5-5", {40, 2, 2, 16, BiRgb, {}, {}, rgb16}, TPixelFormat::pf15bit,
         {0x1F, 0x7C, 0xE0, 0x03}},
        {"16 bits 5-6-5", {40, 2, 2, 16, BiBitFields, {}, {0xF800, 0x07E0, 0x001F}, rgb16}, TPixelFormat::pf16bit,
         {0x1F, 0x7C, 0xE0, 0x03}},
        {"V4 header, 32 bits with an alpha mask",
         {108, 1, 1, 32, BiBitFields, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {{1, 2, 3, 0x40}}},
         TPixelFormat::pf32bit, {1, 2, 3, 0x40}},
        {"V5 header, 32 bits stored R, G, B, A",
         {124, 1, 1, 32, BiBitFields, {}, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {{0x10, 0x20, 0x30, 0x40}}},
         TPixelFormat::pf32bit, {0x30, 0x20, 0x10, 0x40}},
        {"16 bits 4-4-4-4 with alpha",
         {124, 1, 1, 16, BiBitFields, {}, {0x0F00, 0x00F0, 0x000F, 0xF000}, {{0x21, 0xF3}}},
         TPixelFormat::pf32bit, {0x11, 0x22, 0x33, 0xFF}},
    };
    for (const Case& c : cases) {
        TBitmap bitmap;
        LoadGraphic(bitmap, c.file.File());
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        EXPECT_EQ(RowBytes(bitmap).front(), c.topRow);
    }
}

TEST(BmpFiles, FaultyFilesRaiseAndLeaveTheBitmapAlone)
{
    TBmpSpec good;
    good.Width = 2;
    good.Height = 2;
    good.Bits = 8;
    good.Palette = {0, 0xFFFFFF};
    good.Rows = {{0, 1}, {1, 0}};
    const std::vector<uint8_t> file = good.File();
    auto patched = [&](size_t offset, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> copy = file;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + ptrdiff_t(offset));
        return copy;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"no signature", patched(0, {'X', 'M'})},
        {"unknown header size", patched(14, {20})},
        {"two planes", patched(26, {2})},
        {"7 bits per pixel", patched(28, {7})},
        {"run-length compression", patched(30, {BiRle8})},
        {"bit fields with 8 bits", patched(30, {BiBitFields})},
        {"pixels before the palette", patched(10, {20})},
        {"pixel data cut short", std::vector<uint8_t>(file.begin(), file.end() - 1)},
        {"header cut short", std::vector<uint8_t>(file.begin(), file.begin() + 30)},
        {"palette past the end", patched(46, {0, 1})},
        // Sizes far beyond the data: the reader counts in 64 bits and allocates nothing.
        {"width past the data", patched(18, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"height past the data", patched(22, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"smallest height", patched(22, {0, 0, 0, 0x80})},
        {"empty", {}},
    };
    TBitmap bitmap;
    LoadGraphic(bitmap, file);
    for (const Case& c : cases) {
        EXPECT_THROW(LoadGraphic(bitmap, c.bytes), EInvalidGraphic) << c.name;
        EXPECT_EQ(bitmap.Width(), 2) << c.name;
        EXPECT_EQ(RowBytes(bitmap), good.Rows) << c.name;
    }

    TBmpSpec zeroRed;
    zeroRed.Width = 1;
    zeroRed.Height = 1;
    zeroRed.Bits = 32;
    zeroRed.Compression = BiBitFields;
    zeroRed.Masks = {0, 0xFF00, 0xFF};
    zeroRed.Rows = {{0, 0, 0, 0}};
    EXPECT_THROW(LoadGraphic(bitmap, zeroRed.File()), EInvalidGraphic);
}

TEST(BmpFiles, AStreamIsReadUpToTheEndOfTheBitmap)
{
    TBmpSpec first;
    first.Width = 1;
    first.Height = 1;
    first.Rows = {{1, 2, 3}};
    TBmpSpec second = first;
    second.Rows = {{4, 5, 6}};
    TMemoryStream stream;
    for (const TBmpSpec* file : {&first, &second}) {
        const std::vector<uint8_t> bytes = file->File();
        stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    }
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(&stream);
    EXPECT_EQ(Pixel24(bitmap, 0, 0), 0x030201u);
    bitmap.LoadFromStream(&stream);
    EXPECT_EQ(Pixel24(bitmap, 0, 0), 0x060504u);
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(BmpFiles, FilesOnDiskAndAMissingFile)
{
    const String name = ExpandFileName(L"bitmap_round_trip.bmp");
    auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 2, 3);
    SetPixel32(*bitmap, 1, 2, 0x7F123456);
    bitmap->SaveToFile(name);
    TBitmap loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(Pixel32(loaded, 1, 2), 0x7F123456u);
    DeleteFileW(name.c_str());

    try {
        loaded.LoadFromFile(L"no such picture.bmp");
        FAIL() << "a missing file loaded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(L"no such picture.bmp"), String::npos);
    }
    EXPECT_EQ(loaded.Height(), 3);
}
