// The toolbox on the class library's bitmaps: creation, row order, format changes and the
// operations that take whole bitmaps.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::TBitmap;
using vcl::TPixelFormat;
using vcl::TRect;

std::unique_ptr<TBitmap> Bitmap(int w, int h, TPixelFormat format)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(format);
    bmp->SetSize(w, h);
    return bmp;
}

TEST(CreateBmp32, DeviceIndependent32BitOfThatSize)
{
    const auto empty = CreateBmp32(0, 0);
    EXPECT_TRUE(empty->Empty());
    EXPECT_EQ(empty->PixelFormat(), TPixelFormat::pf32bit);
    const auto bmp = CreateBmp32(3, 2);
    EXPECT_EQ(bmp->Width(), 3);
    EXPECT_EQ(bmp->Height(), 2);
    EXPECT_EQ(bmp->HandleType(), vcl::TBitmapHandleType::bmDIB);
    const auto like = CreateBmpLike(Bitmap(5, 4, TPixelFormat::pf24bit).get());
    EXPECT_EQ(like->Width(), 5);
    EXPECT_EQ(like->Height(), 4);
    EXPECT_EQ(like->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(PixelsOf, RowZeroIsTheTopRow)
{
    const auto bmp = CreateBmp32(3, 3);
    bmp->Canvas()->SetPixels(2, 0, vcl::clRed);
    const TPixelView v = PixelsOf(bmp.get());
    EXPECT_EQ(v.At(2, 0) & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_EQ(v.At(2, 2) & 0x00FFFFFF, 0u);
}

TEST(PixelsOf, OtherFormatsBecome32Bit)
{
    const auto bmp = Bitmap(2, 2, TPixelFormat::pf24bit);
    EXPECT_EQ(PixelsOf(bmp.get()).Width, 2);
    EXPECT_EQ(bmp->PixelFormat(), TPixelFormat::pf32bit);
    TCacheInfo none;
    EXPECT_TRUE(CacheView(none).Bmp.IsEmpty());
    const TCacheInfo ready = MakeCacheInfo(bmp.get(), 3, 4);
    EXPECT_TRUE(ready.Ready);
    EXPECT_EQ(ready.FillColor, vcl::clFuchsia);
    EXPECT_EQ(CacheView(ready).Bmp.Width, 2);
    EXPECT_TRUE(MakeCacheInfo(nullptr, 3, 4).Ready);
}

TEST(TacFast32, AttachAssertsOn24BitAndRefusesOneRow)
{
    TacFast32 fast;
    const auto bmp24 = Bitmap(2, 2, TPixelFormat::pf24bit);
    try {
        fast.Attach(bmp24.get());
        ADD_FAILURE() << "no assertion";
    } catch (const vcl::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), L"Bitmap format is not supported");
    }
    EXPECT_FALSE(fast.Attach(CreateBmp32(4, 1).get()));
    EXPECT_TRUE(fast.Attach(CreateBmp32(4, 2).get()));
}

TEST(MakeRotated90, Only32BitAndTheSourceFreedOnRequest)
{
    std::unique_ptr<TBitmap> bmp24 = Bitmap(3, 2, TPixelFormat::pf24bit);
    EXPECT_EQ(MakeRotated90(bmp24, true, true), nullptr);
    EXPECT_EQ(bmp24, nullptr);
    std::unique_ptr<TBitmap> bmp = CreateBmp32(3, 2);
    PixelsOf(bmp.get()).At(2, 0) = 0x12345678;
    const auto turned = MakeRotated90(bmp, true, false);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(turned->Width(), 2);
    EXPECT_EQ(turned->Height(), 3);
    EXPECT_EQ(PixelsOf(turned.get()).At(1, 2), 0x12345678u);  // (x, y) -> (H - 1 - y, x)
}

TEST(Stretch, BitmapFormsKeepTheSourceFormat)
{
    const auto src = Bitmap(2, 2, TPixelFormat::pf8bit);
    const auto dst = std::make_unique<TBitmap>();
    Stretch(src.get(), dst.get(), 4, 3, TFilterType::ftMitchell);
    EXPECT_EQ(src->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(dst->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(dst->Width(), 4);
    EXPECT_EQ(dst->Height(), 3);
    Stretch(src.get(), dst.get(), 9, 0, TFilterType::ftMitchell);
    EXPECT_EQ(dst->Width(), 4);
    Stretch(src.get(), dst.get(), 2, 2, TFilterType::ftMitchell);
    EXPECT_EQ(dst->Width(), 2);
    EXPECT_THROW(Stretch(CreateBmp32(5, 1).get(), dst.get(), 9, 9, TFilterType::ftBox), vcl::Exception);
}

TEST(Stretch, IntoItself)
{
    const auto bmp = CreateBmp32(2, 2);
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            v.At(x, y) = Px(x ? 230 : 17, 0, 0);
    Stretch(bmp.get(), bmp.get(), 4, 2, TFilterType::ftBox);
    const TPixelView w = PixelsOf(bmp.get());
    ASSERT_EQ(w.Width, 4);
    EXPECT_EQ(Rof(w.At(1, 1)), 17);
    EXPECT_EQ(Rof(w.At(2, 0)), 230);
}

// The rows of a bitmap as bytes, Width x BytesPerPixel of each.
std::vector<uint8_t> RowBytes(TBitmap* bmp, int BytesPerPixel)
{
    std::vector<uint8_t> bytes;
    for (int y = 0; y < bmp->Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(bmp->ScanLine(y));
        bytes.insert(bytes.end(), row, row + bmp->Width() * BytesPerPixel);
    }
    return bytes;
}

// A black spot in the middle of white (or of 0xFF bytes).
void PaintSpot(TBitmap* bmp, int BytesPerPixel)
{
    for (int y = 0; y < bmp->Height(); ++y) {
        auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
        for (int i = 0; i < bmp->Width() * BytesPerPixel; ++i)
            row[i] = y == 2 && i / BytesPerPixel == 3 ? 0 : 255;
    }
}

TEST(Blur8, OnlyEightBitDeviceIndependentBitmaps)
{
    const auto mask = Bitmap(6, 4, TPixelFormat::pf8bit);
    PaintSpot(mask.get(), 1);
    const std::vector<uint8_t> sharp = RowBytes(mask.get(), 1);
    Blur8(mask.get(), 2.5);
    EXPECT_NE(RowBytes(mask.get(), 1), sharp);

    const std::pair<TPixelFormat, int> others[] = {{TPixelFormat::pf32bit, 4}, {TPixelFormat::pf24bit, 3}};
    for (const auto& [format, bytes] : others) {
        const auto bmp = Bitmap(6, 4, format);
        PaintSpot(bmp.get(), bytes);
        const std::vector<uint8_t> before = RowBytes(bmp.get(), bytes);
        Blur8(bmp.get(), 2.5);
        EXPECT_EQ(RowBytes(bmp.get(), bytes), before) << bytes;
        EXPECT_EQ(bmp->PixelFormat(), format);
    }
}

TEST(DrawGlyphEx, A24BitGlyphIsKeyedByItsBottomLeftColourAndLeftAlone)
{
    const auto glyph = Bitmap(2, 2, TPixelFormat::pf24bit);
    glyph->Canvas()->SetPixels(0, 0, vcl::clRed);
    glyph->Canvas()->SetPixels(1, 0, vcl::clRed);
    glyph->Canvas()->SetPixels(0, 1, vcl::clOlive);
    glyph->Canvas()->SetPixels(1, 1, vcl::clRed);
    const auto dst = CreateBmp32(3, 3);
    DrawGlyphEx(glyph.get(), dst.get(), TRect(1, 1, 3, 3), 1, true, {}, 0, 0, false);
    const TPixelView v = PixelsOf(dst.get());
    EXPECT_EQ(v.At(1, 1), Px(255, 0, 0));
    EXPECT_EQ(v.At(2, 2), Px(255, 0, 0));
    EXPECT_EQ(v.At(1, 2), 0u);
    EXPECT_EQ(glyph->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(TileBitmap, ABitmapOverACanvas)
{
    const auto tile = CreateBmp32(2, 1);
    PixelsOf(tile.get()).At(0, 0) = Px(10, 0, 0);
    PixelsOf(tile.get()).At(1, 0) = Px(20, 0, 0);
    const auto target = CreateBmp32(6, 3);
    TileBitmap(target->Canvas(), TRect(1, 1, 6, 3), tile.get());
    const TPixelView v = PixelsOf(target.get());
    EXPECT_EQ(Rof(v.At(0, 1)), 0);
    EXPECT_EQ(Rof(v.At(1, 1)), 10);
    EXPECT_EQ(Rof(v.At(2, 2)), 20);
    EXPECT_EQ(Rof(v.At(5, 2)), 10);
    EXPECT_EQ(Rof(v.At(3, 0)), 0);
}

TEST(WriteText32, WithoutASectionInTheCanvasFontAndItsColour)
{
    // System colours are resolved: clGrayText does not come out as the bytes of its code.
    for (const vcl::TColor colour : {vcl::TColor(0x2040E0), vcl::clGrayText}) {
        const auto bmp = CreateBmp32(40, 30);
        bmp->Canvas()->Font()->SetHeight(-20);
        bmp->Canvas()->Font()->SetQuality(vcl::TFontQuality::fqNonAntialiased);
        bmp->Canvas()->Font()->SetColor(colour);
        WriteText32(bmp.get(), L"W", true, TRect(0, 0, 40, 30), DT_LEFT | DT_TOP, -1, false, nullptr);
        const COLORREF rgb = vcl::ColorToRGB(colour);
        const TPixelView v = PixelsOf(bmp.get());
        int written = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (v.At(x, y) != 0) {
                    EXPECT_EQ(v.At(x, y), Px(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb))) << x << "," << y;
                    ++written;
                }
        EXPECT_GT(written, 0);
    }
}

}  // namespace
}  // namespace skin::test
