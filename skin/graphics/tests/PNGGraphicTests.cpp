#include "PNGTestSupport.h"
#include "testpaths.h"

#include "skin/graphics/acPNG.h"
#include "skin/graphics/BitmapView.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace skin;
using namespace pngtest;
using vcl::TBitmap;
using vcl::TObjectPtr;
using vcl::TPixelFormat;
using vcl::TRect;

namespace {

void LoadInto(TPNGGraphic* image, const std::vector<uint8_t>& png)
{
    TObjectPtr<vcl::TMemoryStream> stream(vcl::Create<vcl::TMemoryStream>());
    stream->WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
    stream->SetPosition(0);
    image->LoadFromStream(stream.get());
}

TObjectPtr<TPNGGraphic> Load(const std::vector<uint8_t>& png)
{
    TObjectPtr<TPNGGraphic> image(vcl::Create<TPNGGraphic>());
    LoadInto(image.get(), png);
    return image;
}

// R, G, B, A of a pixel as the bitmap shows it (alpha 255 below 32 bits).
std::array<uint8_t, 4> RGBA(TBitmap* bmp, int x, int y)
{
    const uint8_t* row = static_cast<const uint8_t*>(bmp->ScanLine(y));
    int bits = vcl::BitsPerPixel(bmp->PixelFormat());
    if (bits > 8) {
        const uint8_t* p = row + x * (bits / 8);
        return {p[2], p[1], p[0], bits == 32 ? p[3] : uint8_t(255)};
    }
    int bit = x * bits;
    int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
    PALETTEENTRY e{};
    GetPaletteEntries(bmp->Palette(), index, 1, &e);
    return {e.peRed, e.peGreen, e.peBlue, 255};
}

// An RGBA image from 0xAARRGGBB values, rows top down.
std::vector<uint8_t> ImageRGBA(uint32_t width, const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> rows;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % width == 0)
            rows.push_back(0);
        uint32_t v = pixels[i];
        rows.insert(rows.end(), {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24)});
    }
    uint32_t height = static_cast<uint32_t>(pixels.size() / width);
    return Datastream({{"IHDR", Header(width, height, 8, 6)}, {"IDAT", Compress(rows)}, {"IEND", {}}});
}

std::vector<uint8_t> Image2x2(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return ImageRGBA(2, {a, b, c, d});
}

TObjectPtr<TBitmap> Canvas32(int w, int h, uint32_t fill)
{
    TObjectPtr<TBitmap> bmp(vcl::Create<TBitmap>());
    bmp->SetPixelFormat(TPixelFormat::pf32bit);
    bmp->SetSize(w, h);
    TPixelView view = PixelsOf(bmp.get());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            view.At(x, y) = fill;
    return bmp;
}

// d + (s - d) * A / 256 per channel, as the blend of the image copy.
uint8_t Blend(uint8_t s, uint8_t d, uint8_t a)
{
    return static_cast<uint8_t>(((s - d) * a + d * 256) >> 8);
}

}  // namespace

TEST(PNGGraphic, CorpusDecodesIntoBitmaps)
{
    std::ifstream manifest("pngcorpus/manifest.txt");
    ASSERT_TRUE(manifest);
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string png, rgba, transparent;
        int width, height, bits;
        fields >> png >> rgba >> width >> height >> bits >> transparent;
        SCOPED_TRACE(png);
        TObjectPtr<TPNGGraphic> image = Load(ReadFile("pngcorpus/" + png));
        ASSERT_EQ(image->Width(), width);
        ASSERT_EQ(image->Height(), height);
        EXPECT_EQ(vcl::BitsPerPixel(image->PixelFormat()), bits);
        EXPECT_EQ(image->Transparent(), transparent != "-");
        if (transparent != "-") {
            EXPECT_EQ(uint32_t(image->TransparentColor()), std::stoul(transparent, nullptr, 16));
        }
        std::vector<uint8_t> expected = ReadFile("pngcorpus/" + rgba);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::array<uint8_t, 4> got = RGBA(image.get(), x, y);
                wrong += !std::equal(got.begin(), got.end(), &expected[(size_t(y) * width + x) * 4]);
            }
        EXPECT_EQ(wrong, 0);
    }
}

// One object read twice, as nothing in the program does yet: the first image's gamma and the
// converter chosen for it (the same colour type and depth) must not carry over to the second.
TEST(PNGGraphic, EveryLoadStartsClean)
{
    const std::vector<uint8_t> rows = {0, 10, 20, 30, 40, 50, 60, 70, 80};
    auto image2x1 = [&](std::vector<TChunk> extra) {
        std::vector<TChunk> chunks = {{"IHDR", Header(2, 1, 8, 6)}};
        chunks.insert(chunks.end(), extra.begin(), extra.end());
        chunks.push_back({"IDAT", Compress(rows)});
        chunks.push_back({"IEND", {}});
        return Datastream(chunks);
    };
    TObjectPtr<TPNGGraphic> image(vcl::Create<TPNGGraphic>());
    LoadInto(image.get(), image2x1({{"gAMA", {0, 0, 0xAF, 0xC8}}}));
    ASSERT_NE(RGBA(image.get(), 0, 0), (std::array<uint8_t, 4>{10, 20, 30, 40}));  // the gamma shows
    LoadInto(image.get(), image2x1({}));
    EXPECT_EQ(RGBA(image.get(), 0, 0), (std::array<uint8_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(RGBA(image.get(), 1, 0), (std::array<uint8_t, 4>{50, 60, 70, 80}));
}

// The skin copies each image it decodes into a bitmap of its own and frees it: the decoded image
// needs no GDI bitmap for that, and gets one, with its pixels, as soon as it is used itself.
TEST(PNGGraphic, ADecodedImageIsCopiedWithoutAGdiBitmapOfItsOwn)
{
    TObjectPtr<TPNGGraphic> image = Load(Image2x2(0x80FF0000, 0xFF00FF00, 0x400000FF, 0x00FFFFFF));
    TBitmap copy;
    copy.Assign(image.get());
    EXPECT_FALSE(image->HandleAllocated());
    EXPECT_EQ(RGBA(&copy, 0, 0), (std::array<uint8_t, 4>{255, 0, 0, 0x80}));
    EXPECT_EQ(RGBA(&copy, 0, 1), (std::array<uint8_t, 4>{0, 0, 255, 0x40}));

    EXPECT_EQ(image->Canvas()->Pixels(1, 0), vcl::TColor(0x00FF00));
    EXPECT_TRUE(image->HandleAllocated());
    LoadInto(image.get(), Image2x2(0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC));  // its canvas has a DC
    EXPECT_EQ(image->Canvas()->Pixels(1, 1), vcl::TColor(0xCCBBAA));
    EXPECT_EQ(RGBA(image.get(), 0, 0), (std::array<uint8_t, 4>{0x11, 0x22, 0x33, 0xFF}));
}

TEST(PNGGraphic, FaultsAreGraphicErrors)
{
    std::vector<TChunk> chunks = {{"IHDR", Header(1, 1, 8, 0)}, {"IDAT", Compress({0, 0})}, {"IEND", {}}};
    chunks[1].BadCRC = true;
    try {
        Load(Datastream(chunks));
        ADD_FAILURE() << "no error";
    } catch (const vcl::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), L"Cannot load image. CRC error found in PNG file.");
    }
    std::vector<uint8_t> cut = Datastream({{"IHDR", Header(1, 1, 8, 0)}, {"IDAT", Compress({0, 0})}});
    EXPECT_THROW(Load(cut), vcl::EReadError);  // no IEND: the stream's own error
}

TEST(PNGGraphic, ProgressNotifications)
{
    TObjectPtr<vcl::TMemoryStream> stream(vcl::Create<vcl::TMemoryStream>());
    std::vector<uint8_t> png = Image2x2(0, 0, 0, 0);
    stream->WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
    stream->SetPosition(0);
    TObjectPtr<TPNGGraphic> image(vcl::Create<TPNGGraphic>());
    std::vector<std::pair<vcl::TProgressStage, vcl::String>> seen;
    image->SetOnProgress([&](vcl::TObject* sender, vcl::TProgressStage stage, vcl::Byte, bool, const TRect&,
                             const vcl::String& msg) {
        EXPECT_EQ(sender, image.get());
        seen.emplace_back(stage, msg);
    });
    image->LoadFromStream(stream.get());
    using enum vcl::TProgressStage;
    EXPECT_EQ(seen, (std::vector<std::pair<vcl::TProgressStage, vcl::String>>{
                        {psStarting, L"Preparing..."}, {psEnding, L""}, {psStarting, L"Transfering..."}, {psEnding, L""}}));
}

TEST(PNGGraphic, DrawBlendsByAlpha)
{
    TObjectPtr<TPNGGraphic> image = Load(Image2x2(0xFF102030, 0x80FFFFFF, 0x00ABCDEF, 0x40000000));
    TObjectPtr<TBitmap> target = Canvas32(4, 4, 0x00646464);
    target->Canvas()->Draw(1, 1, image.get());
    TPixelView view = PixelsOf(target.get());
    EXPECT_EQ(view.At(0, 0), 0x00646464u);
    EXPECT_EQ(view.At(1, 1) & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(view.At(2, 1) & 0xFF, Blend(255, 100, 128));
    EXPECT_EQ(view.At(1, 2) & 0xFFFFFF, 0x646464u);
    EXPECT_EQ(view.At(2, 2) & 0xFF, Blend(0, 100, 64));
}

TEST(PNGGraphic, ScaledDrawStretchesColoursAndAlphaAlike)
{
    TObjectPtr<TPNGGraphic> image = Load(Image2x2(0xFF102030, 0x80FFFFFF, 0x00ABCDEF, 0x40000000));
    image->Reflected = true;  // no reflection when scaling
    TObjectPtr<TBitmap> target = Canvas32(4, 8, 0x00646464);
    target->Canvas()->StretchDraw(TRect(0, 0, 4, 4), image.get());
    TPixelView view = PixelsOf(target.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(testing::Message() << x << ", " << y);
            uint32_t source = (y < 2 ? (x < 2 ? 0x102030u : 0xFFFFFFu) : (x < 2 ? 0xABCDEFu : 0u));
            uint8_t alpha = y < 2 ? (x < 2 ? 255 : 128) : (x < 2 ? 0 : 64);
            EXPECT_EQ(view.At(x, y) & 0xFF, Blend(uint8_t(source), 100, alpha));
        }
    EXPECT_EQ(view.At(0, 4), 0x00646464u);
}

TEST(PNGGraphic, ReflectionPaintsHalfTheHeightBelow)
{
    TObjectPtr<TPNGGraphic> image = Load(ImageRGBA(2, std::vector<uint32_t>(16, 0xFF000000)));
    image->Reflected = true;
    TObjectPtr<TBitmap> target = Canvas32(2, 16, 0x00FFFFFF);
    target->Canvas()->Draw(0, 0, image.get());
    TPixelView view = PixelsOf(target.get());
    bool mirrored = false;  // the mirror image shows in the 8 div 2 rows below, and only there
    for (int y = 8; y < 12; ++y)
        mirrored |= (view.At(0, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_TRUE(mirrored);
    EXPECT_EQ(view.At(0, 12), 0x00FFFFFFu);
}

TEST(PNGGraphic, MakeIcon32MasksTheTopLeftColour)
{
    TObjectPtr<TBitmap> bmp(vcl::Create<TBitmap>());
    bmp->SetPixelFormat(TPixelFormat::pf24bit);
    bmp->SetSize(2, 2);
    bmp->Canvas()->SetPixels(1, 0, vcl::TColor(0x0000FF));
    HICON icon = MakeIcon32(bmp.get(), false);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(bmp->PixelFormat(), TPixelFormat::pf32bit);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    EXPECT_NE(GetPixel(dc, 0, 0) & 0xFFFFFF, 0u);  // transparent: the top-left colour
    EXPECT_EQ(GetPixel(dc, 1, 0) & 0xFFFFFF, 0u);  // opaque
    EXPECT_NE(GetPixel(dc, 1, 1) & 0xFFFFFF, 0u);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
}

TEST(PNGGraphic, MakeCompIconIgnoresTheColourForImagesOfTwoRows)
{
    auto iconBits = [](HICON icon) {
        ICONINFO info{};
        GetIconInfo(icon, &info);
        std::vector<uint32_t> bits(4);
        HDC dc = GetDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(dc, info.hbmColor, 0, 2, bits.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
        return bits;
    };
    TObjectPtr<TPNGGraphic> image = Load(Image2x2(0xFF102030, 0x80FFFFFF, 0x00ABCDEF, 0x40000000));
    std::vector<uint32_t> red = iconBits(MakeCompIcon(image.get(), vcl::TColor(0x0000FF)));
    std::vector<uint32_t> green = iconBits(MakeCompIcon(image.get(), vcl::TColor(0x00FF00)));
    EXPECT_EQ(red, green);
}

TEST(PNGGraphic, AlphaFixUpsLeaveOtherFormatsAlone)
{
    TObjectPtr<TBitmap> bmp = Canvas32(1, 2, 0x80326496);  // A 128, R 50, G 100, B 150
    UpdateAlpha(bmp.get());
    EXPECT_EQ(PixelsOf(bmp.get()).At(0, 0), 0x8019324Bu);

    TObjectPtr<TBitmap> grey(vcl::Create<TBitmap>());
    grey->SetPixelFormat(TPixelFormat::pf24bit);
    grey->SetSize(1, 2);
    UpdateAlpha(grey.get());
    UpdateTransPixels(grey.get());
    EXPECT_EQ(grey->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(PNGGraphic, RegisteredForPNGFiles)
{
    std::string path = testsupport::BinaryDir() + "\\png_registration.png";
    std::vector<uint8_t> png = Image2x2(0, 0, 0, 0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    vcl::String file = vcl::FromUtf8(path);

    RegisterPNGGraphic();
    TObjectPtr<vcl::TPicture> picture(vcl::Create<vcl::TPicture>());
    picture->LoadFromFile(file);
    EXPECT_EQ(picture->Graphic()->ClassName(), L"TPNGGraphic");
    EXPECT_EQ(picture->Width(), 2);

    UnregisterPNGGraphic();
    EXPECT_THROW(picture->LoadFromFile(file), vcl::EInvalidGraphic);
}

TEST(PNGGraphic, TheProgramsScalePictureLoadsThroughThePictureClass)
{
    RegisterPNGGraphic();
    TObjectPtr<vcl::TPicture> picture(vcl::Create<vcl::TPicture>());
    picture->LoadFromFile(vcl::FromUtf8(testsupport::SourceDir() + "\\assets\\image\\2scale.png"));
    UnregisterPNGGraphic();
    auto* image = dynamic_cast<TPNGGraphic*>(picture->Graphic());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 47);
    EXPECT_EQ(image->Height(), 350);
    EXPECT_EQ(image->PixelFormat(), TPixelFormat::pf32bit);
}
