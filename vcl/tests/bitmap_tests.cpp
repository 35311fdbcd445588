#include "vcl/bitmaps.h"

#include "vcl/tests/graphics_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vcl;
using namespace graphics_test;

namespace {

// The DIB colour table as the system sees it.
std::vector<uint32_t> DibColors(TBitmap& bitmap)
{
    std::vector<uint32_t> colors(256);
    const UINT count = GetDIBColorTable(bitmap.Canvas()->Handle(), 0, 256, reinterpret_cast<RGBQUAD*>(colors.data()));
    colors.resize(count);
    return colors;
}

bool BitAt(const uint8_t* row, size_t bit) { return (row[bit / 8] >> (7 - bit % 8)) & 1; }

// A bitmap filled as a decoder fills one: new pixels through the rows NewPixels answers.
class TDecodedBitmap : public TBitmap {
public:
    // 2 x 2 pf32bit: row 0 holds First and Second, row 1 stays as NewPixels made it.
    void Decode(uint32_t First, uint32_t Second)
    {
        SetPixelFormat(TPixelFormat::pf32bit);
        const TPixelRows rows = NewPixels(2, 2);
        std::memcpy(rows.Row(0), &First, 4);
        std::memcpy(rows.Row(0) + 4, &Second, 4);
    }
};

}  // namespace

TEST(BitmapFormat, Pf24ToPf32GivesAlphaZeroAndBackDropsAlpha)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf24bit, 2, 1);
    SetPixel24(*bitmap, 0, 0, 0xFF00FF);
    SetPixel24(*bitmap, 1, 0, 0x123456);
    bitmap->SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(Pixel32(*bitmap, 0, 0), 0x00FF00FFu);
    EXPECT_EQ(Pixel32(*bitmap, 1, 0), 0x00123456u);

    SetPixel32(*bitmap, 1, 0, 0x80654321);
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(Pixel32(*bitmap, 1, 0), 0x00654321u);
}

TEST(BitmapFormat, NewPf8BitmapHasTheGreyPalette)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf8bit, 4, 4);
    std::vector<uint32_t> grey(256);
    for (uint32_t i = 0; i < 256; ++i)
        grey[i] = i * 0x010101;
    EXPECT_EQ(DibColors(*bitmap), grey);

    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(bitmap->Palette(), 0, 256, entries), 256u);
    EXPECT_EQ(entries[200].peRed, 200);
    EXPECT_EQ(entries[200].peGreen, 200);
    EXPECT_EQ(entries[200].peBlue, 200);
}

TEST(BitmapFormat, ConversionsChooseIndexesByTheirPalette)
{
    struct Case {
        TPixelFormat format;
        uint32_t color;  // 0x00RRGGBB
        unsigned index;
    };
    const Case cases[] = {
        {TPixelFormat::pf8bit, 0xFF0000, (255 * 77) >> 8},                       // pure red is dark
        {TPixelFormat::pf8bit, 0x0AC81E, (10 * 77 + 200 * 150 + 30 * 29) >> 8},  // (R*77+G*150+B*29)>>8
        {TPixelFormat::pf8bit, 0xFFFFFF, 255},
        {TPixelFormat::pf1bit, 0x808080, 1},
        {TPixelFormat::pf1bit, 0x7F7F7F, 0},
        {TPixelFormat::pf4bit, 0xF00505, 9},   // nearest VGA colour: red
        {TPixelFormat::pf4bit, 0x00007A, 4},   // navy
        {TPixelFormat::pf4bit, 0xC8C8C8, 7},   // silver
    };
    for (const Case& c : cases) {
        auto bitmap = MakeBitmap(TPixelFormat::pf24bit, 1, 1);
        SetPixel24(*bitmap, 0, 0, c.color);
        bitmap->SetPixelFormat(c.format);
        const int bits = BitsPerPixel(c.format);
        const unsigned index = static_cast<uint8_t*>(bitmap->ScanLine(0))[0] >> (8 - bits);
        EXPECT_EQ(index, c.index) << std::hex << c.color << " to " << bits << " bits";
    }
}

TEST(BitmapFormat, APaletteSetBeforeSizingServesTheIndexedBitmap)
{
    struct {
        WORD Version = 0x300;
        WORD Count = 2;
        PALETTEENTRY Entries[2] = {{0, 0, 255, 0}, {255, 255, 0, 0}};
    } logPalette;
    HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logPalette));
    TBitmap bitmap;
    bitmap.SetPalette(palette);
    DeleteObject(palette);
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    bitmap.SetSize(2, 1);
    std::vector<uint32_t> colors = DibColors(bitmap);
    colors.resize(2);  // the system may list unused entries too
    EXPECT_EQ(colors, (std::vector<uint32_t>{0x0000FF, 0xFFFF00}));

    // Converting into it takes the nearest of its colours.
    auto colours = MakeBitmap(TPixelFormat::pf24bit, 2, 1);
    colours->SetPalette(bitmap.Palette());
    SetPixel24(*colours, 0, 0, 0xF0F010);
    SetPixel24(*colours, 1, 0, 0x2020E0);
    colours->SetPixelFormat(TPixelFormat::pf8bit);
    const uint8_t* row = static_cast<uint8_t*>(colours->ScanLine(0));
    EXPECT_EQ(row[0], 1);
    EXPECT_EQ(row[1], 0);
}

TEST(BitmapRows, ScanLineZeroIsTheTopRow)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 3, 2);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(Rect(0, 0, 3, 1));
    EXPECT_EQ(Pixel32(*bitmap, 2, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(Pixel32(*bitmap, 2, 1), 0u);

    const ptrdiff_t step = static_cast<uint8_t*>(bitmap->ScanLine(1)) - static_cast<uint8_t*>(bitmap->ScanLine(0));
    EXPECT_EQ(step, -12);
    EXPECT_THROW(bitmap->ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);
}

TEST(BitmapRows, SetSizeKeepsTheFormatAndZeroFills)
{
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf15bit,
                                TPixelFormat::pf16bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const size_t bits = size_t(BitsPerPixel(format));
        auto bitmap = MakeBitmap(format, 3, 2);
        EXPECT_EQ(Pixel32(*bitmap, 0, 0) & (bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1), 0u) << "fresh bitmap";
        for (int y = 0; y < 2; ++y)
            std::memset(bitmap->ScanLine(y), 0xFF, RowStride(format, 3));
        const std::vector<uint32_t> colors = IsIndexed(format) ? DibColors(*bitmap) : std::vector<uint32_t>();

        bitmap->SetSize(5, 4);
        ASSERT_EQ(bitmap->PixelFormat(), format);
        EXPECT_EQ(IsIndexed(format) ? DibColors(*bitmap) : std::vector<uint32_t>(), colors);
        for (int y = 0; y < 4; ++y) {
            const uint8_t* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
            for (size_t bit = 0; bit < 5 * bits; ++bit)
                ASSERT_EQ(BitAt(row, bit), y < 2 && bit < 3 * bits)
                    << BitsPerPixel(format) << " bits, row " << y << ", bit " << bit;
        }
    }
}

TEST(BitmapRows, ADeviceBitmapBecomesADibWithoutAlpha)
{
    TBitmap bitmap;
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
    EXPECT_EQ(bitmap.HandleType(), TBitmapHandleType::bmDDB);
    bitmap.SetSize(2, 2);
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(Rect(0, 0, 1, 1));

    bitmap.SetHandleType(TBitmapHandleType::bmDIB);
    EXPECT_EQ(bitmap.HandleType(), TBitmapHandleType::bmDIB);
    ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);  // the screen's depth under the test display
    EXPECT_EQ(Pixel32(bitmap, 0, 0), 0x000000FFu);
    EXPECT_EQ(Pixel32(bitmap, 1, 1), 0u);
}

TEST(BitmapHandle, HandleLeavesTheCanvasDcUnlessTheCanvasIsLocked)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 4, 4);
    bitmap->Canvas()->FillRect(Rect(0, 0, 4, 4));
    ASSERT_TRUE(bitmap->Canvas()->HandleAllocated());

    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, bitmap->Handle());
    EXPECT_NE(old, nullptr) << "the handle was still selected in the canvas DC";
    EXPECT_FALSE(bitmap->Canvas()->HandleAllocated());
    SelectObject(other, old);

    // Drawing again takes the bitmap back; a locked canvas keeps it.
    bitmap->Canvas()->Lock();
    bitmap->Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(SelectObject(other, bitmap->Handle()), nullptr);
    EXPECT_TRUE(bitmap->Canvas()->HandleAllocated());
    bitmap->Canvas()->Unlock();
    DeleteDC(other);
}

TEST(BitmapHandle, TheCanvasFollowsANewHandle)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf24bit, 2, 2);
    bitmap->Canvas()->Lock();
    bitmap->Canvas()->FillRect(Rect(0, 0, 1, 1));
    bitmap->SetSize(3, 3);
    bitmap->SetPixelFormat(TPixelFormat::pf32bit);
    bitmap->Canvas()->Brush()->SetColor(clLime);
    bitmap->Canvas()->FillRect(Rect(2, 2, 3, 3));
    bitmap->Canvas()->Unlock();
    EXPECT_EQ(Pixel32(*bitmap, 2, 2) & 0xFFFFFF, 0x00FF00u);
}

TEST(BitmapCopy, AssignCopiesDeeplyAndChangesAreAnnounced)
{
    auto source = MakeBitmap(TPixelFormat::pf32bit, 2, 1);
    SetPixel32(*source, 0, 0, 0x80102030);
    source->SetTransparentColor(clRed);
    source->SetAlphaFormat(TAlphaFormat::afDefined);

    TBitmap copy;
    int changes = 0;
    copy.SetOnChange([&](TObject*) { ++changes; });
    copy.Assign(source.get());
    EXPECT_EQ(changes, 1);
    SetPixel32(*source, 0, 0, 0);
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(Pixel32(copy, 0, 0), 0x80102030u);
    EXPECT_EQ(copy.TransparentColor(), clRed);
    EXPECT_EQ(copy.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(copy.AlphaFormat(), TAlphaFormat::afDefined);

    copy.SetSize(2, 1);
    EXPECT_EQ(changes, 1) << "the same size again changes nothing";
    copy.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(changes, 2);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(BitmapDraw, TransparentDrawSkipsTheKeyColour)
{
    TBitmap source;
    source.SetPixelFormat(TPixelFormat::pf24bit);
    source.SetSize(2, 2);
    SetPixel24(source, 0, 0, 0x112233);
    SetPixel24(source, 1, 0, 0xFF00FF);
    SetPixel24(source, 0, 1, 0xFF00FF);  // bottom left: the automatic key
    SetPixel24(source, 1, 1, 0x445566);
    auto target = MakeBitmap(TPixelFormat::pf32bit, 2, 2);
    auto fill = [&] {
        target->Canvas()->Brush()->SetColor(clLime);
        target->Canvas()->FillRect(Rect(0, 0, 2, 2));
    };

    fill();
    source.SetTransparent(true);
    target->Canvas()->Draw(0, 0, &source);
    EXPECT_EQ(Pixel32(*target, 0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(Pixel32(*target, 1, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Pixel32(*target, 0, 1) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Pixel32(*target, 1, 1) & 0xFFFFFF, 0x445566u);

    fill();
    source.SetTransparentColor(TColor(0x332211));  // a fixed key: the first pixel
    target->Canvas()->Draw(0, 0, &source);
    EXPECT_EQ(Pixel32(*target, 0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Pixel32(*target, 1, 0) & 0xFFFFFF, 0xFF00FFu);

    fill();
    source.SetTransparent(false);
    target->Canvas()->Draw(0, 0, &source);
    EXPECT_EQ(Pixel32(*target, 0, 1) & 0xFFFFFF, 0xFF00FFu);
}

TEST(BitmapDraw, StraightAlphaBlendsOverTheCanvas)
{
    TBitmap source;
    source.SetPixelFormat(TPixelFormat::pf32bit);
    source.SetSize(1, 1);
    SetPixel32(source, 0, 0, 0x80FF0000);  // red at half alpha
    source.SetAlphaFormat(TAlphaFormat::afDefined);
    auto target = MakeBitmap(TPixelFormat::pf32bit, 1, 1);
    target->Canvas()->Brush()->SetColor(clWhite);
    target->Canvas()->FillRect(Rect(0, 0, 1, 1));

    target->Canvas()->Draw(0, 0, &source);
    const uint32_t pixel = Pixel32(*target, 0, 0);
    EXPECT_EQ((pixel >> 16) & 0xFF, 255u);
    EXPECT_NEAR(double((pixel >> 8) & 0xFF), 127, 1);
    EXPECT_NEAR(double(pixel & 0xFF), 127, 1);
}

TEST(BitmapNewPixels, CopiesReadThePixelsWithoutAHandle)
{
    TDecodedBitmap decoded;
    decoded.Decode(0x80102030, 0xFF405060);
    EXPECT_FALSE(decoded.HandleAllocated());

    TBitmap copy;
    copy.Assign(&decoded);
    TBitmap saved;
    {
        TMemoryStream stream;
        decoded.SaveToStream(&stream);
        stream.SetPosition(0);
        saved.LoadFromStream(&stream);
    }
    EXPECT_FALSE(decoded.HandleAllocated()) << "copying and saving need no GDI bitmap";
    for (TBitmap* bitmap : {&copy, &saved}) {
        EXPECT_EQ(Pixel32(*bitmap, 0, 0), 0x80102030u);
        EXPECT_EQ(Pixel32(*bitmap, 1, 0), 0xFF405060u);
        EXPECT_EQ(Pixel32(*bitmap, 1, 1), 0u) << "new pixels are zero";
    }

    decoded.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(Pixel24(decoded, 0, 0), 0x102030u);
}

TEST(BitmapNewPixels, ScanLinesHandleAndCanvasMoveThePixelsIntoADib)
{
    const std::vector<std::function<void(TBitmap&)>> uses = {
        [](TBitmap& b) { b.ScanLine(1); },
        [](TBitmap& b) { b.Handle(); },
        [](TBitmap& b) { b.Canvas()->Pixels(0, 0); },
        [](TBitmap& b) {
            TBitmap target;
            target.SetSize(2, 2);
            target.Canvas()->Draw(0, 0, &b);
        },
        [](TBitmap& b) { DeleteObject(b.ReleaseHandle()); },
    };
    for (size_t i = 0; i < uses.size(); ++i) {
        TDecodedBitmap decoded;
        decoded.Decode(0x00112233, 0x00445566);
        uses[i](decoded);
        if (decoded.Empty())  // the handle went to the caller
            continue;
        EXPECT_TRUE(decoded.HandleAllocated()) << "use " << i;
        EXPECT_EQ(Pixel32(decoded, 0, 0), 0x00112233u) << "use " << i;
        EXPECT_EQ(decoded.Canvas()->Pixels(1, 0), TColor(0x665544)) << "use " << i;
        EXPECT_EQ(Pixel32(decoded, 0, 1), 0u) << "use " << i;
    }
}

TEST(BitmapNewPixels, ACanvasDrawsOnTheNewPixels)
{
    for (const bool locked : {false, true}) {
        TDecodedBitmap decoded;
        decoded.Decode(0x00112233, 0x00445566);
        decoded.Canvas()->FillRect(Rect(0, 0, 2, 2));  // the canvas has a DC before the next image
        if (locked)
            decoded.Canvas()->Lock();
        decoded.Decode(0x00778899, 0x00AABBCC);
        EXPECT_EQ(decoded.HandleAllocated(), locked) << "a locked canvas keeps its DC and its DIB";

        decoded.Canvas()->Brush()->SetColor(clRed);
        decoded.Canvas()->FillRect(Rect(1, 0, 2, 1));
        EXPECT_EQ(Pixel32(decoded, 0, 0), 0x00778899u) << "locked " << locked;
        EXPECT_EQ(Pixel32(decoded, 1, 0) & 0xFFFFFF, 0xFF0000u) << "locked " << locked;
        if (locked)
            decoded.Canvas()->Unlock();
    }
}
