#include "vcl/bitmaps.h"
#include "vcl/jpeg.h"

#include "vcl/tests/graphics_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

using namespace vcl;
using namespace graphics_test;

namespace {

// 0x00RRGGBB of a pixel of a fixture.
using TPattern = std::function<uint32_t(int x, int y)>;

uint8_t Red(uint32_t rgb) { return uint8_t(rgb >> 16); }
uint8_t Green(uint32_t rgb) { return uint8_t(rgb >> 8); }
uint8_t Blue(uint32_t rgb) { return uint8_t(rgb); }

// Smooth colours, which the codec keeps closely; the size is no multiple of the 8-pixel block.
uint32_t Gradient(int x, int y)
{
    return uint32_t(40 + 4 * x) << 16 | uint32_t(60 + 5 * y) << 8 | uint32_t(200 - 3 * x - 2 * y);
}

// A JPEG file written by libjpeg from the pattern: three components without chroma subsampling,
// or one (grey, the pattern's green).
std::vector<uint8_t> EncodeJpeg(int width, int height, int components, const TPattern& pattern, int quality = 95)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width * components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = pattern(x, y);
            if (components == 1)
                row[size_t(x)] = Green(rgb);
            else {
                row[size_t(3 * x)] = Red(rgb);
                row[size_t(3 * x + 1)] = Green(rgb);
                row[size_t(3 * x + 2)] = Blue(rgb);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

const std::vector<uint8_t>& ColourFixture()
{
    static const std::vector<uint8_t> bytes = EncodeJpeg(37, 29, 3, Gradient);
    return bytes;
}

// The largest difference of one channel between the pixels and what the function expects.
int LargestError(TBitmap& bitmap, const TPattern& expected)
{
    int largest = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t got = Pixel24(bitmap, x, y);
            const uint32_t want = expected(x, y);
            for (int shift : {0, 8, 16})
                largest = std::max(largest, std::abs(int(uint8_t(got >> shift)) - int(uint8_t(want >> shift))));
        }
    return largest;
}

// What the codec may change of a smooth picture at quality 95.
constexpr int codecTolerance = 4;

std::vector<uint8_t> Saved(TGraphic& graphic)
{
    TMemoryStream stream;
    graphic.SaveToStream(&stream);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

// The offset of the first two-byte marker 0xFF, code.
size_t MarkerOffset(const std::vector<uint8_t>& bytes, uint8_t code)
{
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == code)
            return i;
    ADD_FAILURE() << "no marker " << int(code);
    return 0;
}

// The fixture claiming another size in its frame header.
std::vector<uint8_t> WithSize(std::vector<uint8_t> bytes, int width, int height)
{
    const size_t frame = MarkerOffset(bytes, 0xC0);
    bytes[frame + 5] = uint8_t(height >> 8);
    bytes[frame + 6] = uint8_t(height);
    bytes[frame + 7] = uint8_t(width >> 8);
    bytes[frame + 8] = uint8_t(width);
    return bytes;
}

}  // namespace

TEST(JpegImage, DecodesToItsSourceWithinTheCodecTolerance)
{
    std::vector<uint8_t> file = ColourFixture();
    file.insert(file.end(), {'t', 'a', 'i', 'l'});
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), int64_t(file.size()));
    stream.SetPosition(0);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(&stream);
    EXPECT_EQ(stream.Position(), int64_t(ColourFixture().size()));
    EXPECT_EQ(jpeg.Width(), 37);
    EXPECT_EQ(jpeg.Height(), 29);
    EXPECT_FALSE(jpeg.Grayscale());

    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    ASSERT_EQ(bitmap.Width(), 37);
    ASSERT_EQ(bitmap.Height(), 29);
    EXPECT_LE(LargestError(bitmap, Gradient), codecTolerance);

    // Drawn on a canvas, at an offset.
    auto target = MakeBitmap(TPixelFormat::pf24bit, 40, 32);
    target->Canvas()->Draw(3, 2, &jpeg);
    EXPECT_EQ(Pixel24(*target, 0, 0), 0u);
    EXPECT_EQ(Pixel24(*target, 3 + 10, 2 + 20), Pixel24(bitmap, 10, 20));
    EXPECT_EQ(Pixel24(*target, 3 + 36, 2 + 28), Pixel24(bitmap, 36, 28));
}

TEST(JpegImage, GreyImagesAndTheGrayscaleSwitch)
{
    TJPEGImage grey;
    LoadGraphic(grey, EncodeJpeg(16, 16, 1, Gradient));
    EXPECT_TRUE(grey.Grayscale());
    TBitmap bitmap;
    bitmap.Assign(&grey);
    EXPECT_LE(LargestError(bitmap, [](int x, int y) { return Green(Gradient(x, y)) * 0x010101u; }), codecTolerance);

    TJPEGImage jpeg;
    int changes = 0;
    jpeg.SetOnChange([&](TObject*) { ++changes; });
    LoadGraphic(jpeg, ColourFixture());
    jpeg.SetGrayscale(true);
    EXPECT_TRUE(jpeg.Grayscale());
    EXPECT_EQ(changes, 2);
    bitmap.Assign(&jpeg);
    const auto luma = [](int x, int y) {
        const uint32_t c = Gradient(x, y);
        return uint32_t(0.299 * Red(c) + 0.587 * Green(c) + 0.114 * Blue(c) + 0.5) * 0x010101u;
    };
    EXPECT_LE(LargestError(bitmap, luma), codecTolerance);

    jpeg.SetGrayscale(true);
    EXPECT_EQ(changes, 2);
    jpeg.SetGrayscale(false);
    bitmap.Assign(&jpeg);
    EXPECT_LE(LargestError(bitmap, Gradient), codecTolerance);

    // Asked for before loading, grey holds for the next image.
    TJPEGImage early;
    early.SetGrayscale(true);
    LoadGraphic(early, ColourFixture());
    bitmap.Assign(&early);
    EXPECT_LE(LargestError(bitmap, luma), codecTolerance);
}

TEST(JpegImage, BadDataRaisesAndKeepsTheImage)
{
    const std::vector<uint8_t>& good = ColourFixture();
    std::vector<uint8_t> truncated(good.begin(), good.begin() + ptrdiff_t(good.size() * 2 / 3));
    std::vector<uint8_t> brokenHeader = good;
    brokenHeader[1] = 0x00;  // no start-of-image marker
    std::vector<uint8_t> brokenFrame = good;
    brokenFrame[MarkerOffset(good, 0xC0) + 3] = 0x02;  // a frame header that claims to be 2 bytes
    std::vector<uint8_t> brokenScan = good;
    const size_t middle = MarkerOffset(good, 0xDA) + (good.size() - MarkerOffset(good, 0xDA)) / 2;
    brokenScan[middle] = 0xFF;  // an end-of-image marker in the middle of the pixel data
    brokenScan[middle + 1] = 0xD9;
    std::vector<uint8_t> withoutEnd(good.begin(), good.end() - 2);

    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
    } cases[] = {
        {"empty", {}},
        {"truncated", truncated},
        {"without its end marker", withoutEnd},
        {"broken header", brokenHeader},
        {"broken frame header", brokenFrame},
        {"broken pixel data", brokenScan},
        {"a side too long", WithSize(good, TJPEGImage::MaxSide + 1, 8)},
        {"too many pixels", WithSize(good, 5000, 5000)},
    };
    TJPEGImage jpeg;
    LoadGraphic(jpeg, good);
    TBitmap before;
    before.Assign(&jpeg);
    int changes = 0;
    jpeg.SetOnChange([&](TObject*) { ++changes; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        // The data follows other bytes of the stream, which is left where the image began.
        TMemoryStream stream;
        stream.WriteBuffer("head", 4);
        stream.WriteBuffer(c.Bytes.data(), int64_t(c.Bytes.size()));
        stream.SetPosition(4);
        try {
            jpeg.LoadFromStream(&stream);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind(L"JPEG image ", 0), 0u) << e.what();
            EXPECT_GT(e.Message().size(), 25u) << e.what();
        }
        EXPECT_EQ(stream.Position(), 4);
        EXPECT_EQ(jpeg.Width(), 37);
        EXPECT_EQ(jpeg.Height(), 29);
        EXPECT_EQ(Saved(jpeg), good);
    }
    EXPECT_EQ(changes, 0);
    TBitmap after;
    after.Assign(&jpeg);
    EXPECT_EQ(LargestError(after, [&](int x, int y) { return Pixel24(before, x, y); }), 0);

    // A fresh image stays empty.
    TJPEGImage fresh;
    EXPECT_THROW(LoadGraphic(fresh, truncated), EInvalidGraphic);
    EXPECT_TRUE(fresh.Empty());
}

TEST(JpegImage, NoDamagedFileEscapesAsAnotherErrorOrCrashes)
{
    const std::vector<uint8_t> good = EncodeJpeg(9, 9, 3, Gradient, 50);
    int loaded = 0, refused = 0;
    const auto load = [&](const std::vector<uint8_t>& bytes) {
        TJPEGImage jpeg;
        try {
            LoadGraphic(jpeg, bytes);
            ++loaded;
            EXPECT_FALSE(jpeg.Empty());
        } catch (const EInvalidGraphic&) {
            ++refused;
            EXPECT_TRUE(jpeg.Empty());
        }
    };
    for (size_t i = 0; i < good.size(); ++i) {
        load(std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(i)));
        for (uint8_t flip : {0x01, 0xFF}) {
            std::vector<uint8_t> damaged = good;
            damaged[i] ^= flip;
            load(damaged);
        }
    }
    // Every shorter copy lacks at least the end marker.
    EXPECT_GE(refused, int(good.size()));
    EXPECT_GT(loaded, 0);
}

TEST(JpegImage, CopiesSavesAndEmpties)
{
    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_THROW(Saved(jpeg), EInvalidGraphic);
    EXPECT_THROW(jpeg.SetWidth(5), EInvalidGraphic);
    LoadGraphic(jpeg, ColourFixture());
    EXPECT_EQ(Saved(jpeg), ColourFixture());

    TJPEGImage copy;
    copy.Assign(&jpeg);
    EXPECT_EQ(Saved(copy), ColourFixture());
    EXPECT_EQ(copy.Width(), 37);
    TBitmap fromCopy, fromOriginal;
    fromCopy.Assign(&copy);
    fromOriginal.Assign(&jpeg);
    EXPECT_EQ(LargestError(fromCopy, [&](int x, int y) { return Pixel24(fromOriginal, x, y); }), 0);

    TBitmap notJpeg;
    EXPECT_THROW(copy.Assign(&notJpeg), EConvertError);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    fromCopy.Assign(&copy);
    EXPECT_TRUE(fromCopy.Empty());
}

TEST(JpegImage, PicturesLoadJpgAndJpegFiles)
{
    EnsureStandardFormats();
    const TTempFile jpg(L"picture_test.jpg", ColourFixture());
    const TTempFile jpeg(L"picture_test.JPEG", EncodeJpeg(8, 6, 1, Gradient));
    std::vector<uint8_t> truncated = ColourFixture();
    truncated.resize(truncated.size() / 2);
    const TTempFile bad(L"picture_bad.jpg", truncated);

    TPicture picture;
    picture.LoadFromFile(jpg.Name());
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 37);
    EXPECT_EQ(picture.Height(), 29);
    TBitmap bitmap;
    bitmap.Assign(picture.Graphic());
    EXPECT_LE(LargestError(bitmap, Gradient), codecTolerance);

    picture.LoadFromFile(jpeg.Name());
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TJPEGImage");
    EXPECT_EQ(picture.Width(), 8);

    EXPECT_THROW(picture.LoadFromFile(bad.Name()), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 8);
}
