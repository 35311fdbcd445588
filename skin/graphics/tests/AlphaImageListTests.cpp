// The alpha image list: recognising image files, the stored "ImgData" bytes, the standard list
// built from the items, renderings at 32 bits with their cache, and drawing glyph states.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PNGTestSupport.h"
#include "PixelFixtures.h"
#include "pump.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acStreamBytes.h"
#include "skin/graphics/sGlyphUtils.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

using vcl::String;
using vcl::TBitmap;
using vcl::TPixelFormat;

std::vector<uint8_t> LittleEndian(uint32_t v, int bytes)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
    return out;
}

// The three glyph states of the fixture and the alpha of a glyph's local column x: column 0 is
// transparent, column 1 half transparent, the others opaque.
const uint32_t StateColours[] = {Px(200, 0, 0), Px(0, 180, 0), Px(0, 0, 220)};
int FixtureAlpha(int x) { return x == 0 ? 0 : x == 1 ? 128 : 255; }

// A 48 x 16 RGBA PNG of the three states side by side.
std::vector<uint8_t> GlyphStripPNG()
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < 16; ++y) {
        raw.push_back(0);
        for (int x = 0; x < 48; ++x) {
            const uint32_t c = StateColours[x / 16];
            raw.insert(raw.end(), {uint8_t(Rof(c)), uint8_t(Gof(c)), uint8_t(Bof(c)), uint8_t(FixtureAlpha(x % 16))});
        }
    }
    return pngtest::Datastream({{"IHDR", pngtest::Header(48, 16, 8, 6)}, {"IDAT", pngtest::Compress(raw)}, {"IEND", {}}});
}

// A Side x Side RGB PNG without alpha: the left half Key, the right half Ink.
std::vector<uint8_t> HalvesRGBPNG(int Side, uint32_t Key, uint32_t Ink)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < Side; ++y) {
        raw.push_back(0);
        for (int x = 0; x < Side; ++x) {
            const uint32_t c = x < Side / 2 ? Key : Ink;
            raw.insert(raw.end(), {uint8_t(Rof(c)), uint8_t(Gof(c)), uint8_t(Bof(c))});
        }
    }
    return pngtest::Datastream(
        {{"IHDR", pngtest::Header(uint32_t(Side), uint32_t(Side), 8, 2)}, {"IDAT", pngtest::Compress(raw)}, {"IEND", {}}});
}

// A one-image ICO file of 16 x 16 pixels of one colour: 32-bit with that alpha, or 24-bit.
std::vector<uint8_t> SolidIcon(uint32_t Colour, int Bits)
{
    const int rowBytes = 16 * Bits / 8, maskBytes = 16 * 4;
    const uint32_t imageBytes = 40 + 16 * rowBytes + maskBytes;
    std::vector<uint8_t> ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, uint8_t(Bits), 0};
    for (auto part : {LittleEndian(imageBytes, 4), LittleEndian(22, 4), LittleEndian(40, 4), LittleEndian(16, 4),
                      LittleEndian(32, 4), LittleEndian(1, 2), LittleEndian(uint32_t(Bits), 2),
                      std::vector<uint8_t>(24, 0)})
        ico.insert(ico.end(), part.begin(), part.end());
    for (int i = 0; i < 16 * 16; ++i) {
        ico.insert(ico.end(), {uint8_t(Bof(Colour)), uint8_t(Gof(Colour)), uint8_t(Rof(Colour))});
        if (Bits == 32)
            ico.push_back(uint8_t(Aof(Colour)));
    }
    ico.insert(ico.end(), size_t(maskBytes), 0);
    return ico;
}

// Files written into the test's own folder, removed with it.
class TTestFiles {
public:
    TTestFiles() { std::filesystem::create_directories(FDir); }
    ~TTestFiles() { std::filesystem::remove_all(FDir); }
    String Write(const std::string& Name, const std::vector<uint8_t>& Bytes)
    {
        std::ofstream(FDir / Name, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()),
                                                           std::streamsize(Bytes.size()));
        return (FDir / Name).wstring();
    }

private:
    std::filesystem::path FDir = "alpha_image_list_files";
};

// An alpha image list of the given size holding the given PNG files, its standard list built.
vcl::TObjectPtr<TsAlphaImageList> ListOf(int Width, int Height, const std::vector<std::vector<uint8_t>>& Files)
{
    vcl::TObjectPtr<TsAlphaImageList> list(vcl::Create<TsAlphaImageList>(nullptr));
    list->SetWidth(Width);
    list->SetHeight(Height);
    for (const auto& file : Files) {
        TsImgListItem* item = list->Items()->Add();
        item->ImgData->WriteBuffer(file.data(), int64_t(file.size()));
    }
    list->GenerateStdList();
    return list;
}

// A 32-bit bitmap filled with one pixel value.
std::unique_ptr<TBitmap> Filled(int Width, int Height, uint32_t Pixel)
{
    std::unique_ptr<TBitmap> bmp = CreateBmp32(Width, Height);
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            v.At(x, y) = Pixel;
    return bmp;
}

uint32_t PixelOf(TBitmap* Bmp, int x, int y) { return PixelsOf(Bmp).At(x, y); }

constexpr uint32_t Background = Px(40, 50, 60);

// d mixed toward s by s's alpha, d's alpha kept: (d * (256 - a) + s * a) shr 8 per channel.
uint32_t Over(uint32_t d, uint32_t s, int a)
{
    const auto mix = [a](int dc, int sc) { return (dc * (256 - a) + sc * a) >> 8; };
    return Px(mix(Rof(d), Rof(s)), mix(Gof(d), Gof(s)), mix(Bof(d), Bof(s)), Aof(d));
}

// The 16 x 16 glyph of State lies at (Left, Top) over the background; the rest is background.
void ExpectGlyphAt(TBitmap* Bmp, int Left, int Top, int State)
{
    for (int y = 0; y < Bmp->Height(); ++y)
        for (int x = 0; x < Bmp->Width(); ++x) {
            const int gx = x - Left, gy = y - Top;
            const bool inGlyph = gx >= 0 && gy >= 0 && gx < 16 && gy < 16;
            const uint32_t expected = inGlyph ? Over(Background, StateColours[State], FixtureAlpha(gx)) : Background;
            ASSERT_EQ(PixelOf(Bmp, x, y), expected) << "state " << State << " at " << x << "," << y;
        }
}

TEST(ImageFiles, RecognisedByTheirFirstBytes)
{
    TTestFiles files;
    const std::vector<uint8_t> signature(PNGMagic.begin(), PNGMagic.end());
    std::vector<uint8_t> signaturePlusOne = signature;
    signaturePlusOne.push_back(0);
    struct {
        std::string Name;
        std::vector<uint8_t> Bytes;
        bool Recognised;
        TsImageFormat Format;
    } const cases[] = {
        {"signature.png", signature, false, {}},  // not longer than the signature
        {"image.png", signaturePlusOne, true, TsImageFormat::ifPNG},
        {"image.bin", signaturePlusOne, true, TsImageFormat::ifPNG},
        {"icon.ico", {0, 0, 1, 0}, true, TsImageFormat::ifICO},
        {"ICON.ICO", {0, 0, 1, 0}, true, TsImageFormat::ifICO},
        {"icon.bin", {0, 0, 1, 0}, false, {}},
        {"icon", {0, 0, 1, 0}, false, {}},
        {"two.ico", {0, 0}, false, {}},  // two bytes are not more than the magic
        {"text.ico", {'a', 0, 1, 0}, false, {}},
    };
    for (const auto& c : cases) {
        // Starts as the other format, so that a recognised file must set it.
        TsImageFormat format = c.Format == TsImageFormat::ifICO ? TsImageFormat::ifPNG : TsImageFormat::ifICO;
        EXPECT_EQ(GetImageFormat(files.Write(c.Name, c.Bytes), format), c.Recognised) << c.Name;
        if (c.Recognised) {
            EXPECT_EQ(format, c.Format) << c.Name;
        }
    }
    // The magic is cut to eight bytes.
    const String longer = files.Write("long.png", signaturePlusOne);
    std::vector<uint8_t> magic = signaturePlusOne;
    magic.back() = 0x55;
    EXPECT_TRUE(HaveMagic(longer, magic.data(), 9));
    EXPECT_THROW(HaveMagic(L"alpha_image_list_files\\missing.png", signature.data(), 8), vcl::EFOpenError);
}

TEST(ImgData, StoredAsAByteBlock)
{
    vcl::TObjectPtr<TsAlphaImageList> list(vcl::Create<TsAlphaImageList>(nullptr));
    TsImgListItem* empty = list->Items()->Add();
    vcl::TMemoryStream out;
    empty->WriteImgData(&out);
    EXPECT_EQ(StreamBytes(&out), (std::vector<uint8_t>{0x0A, 0, 0, 0, 0}));

    const std::vector<uint8_t> file = GlyphStripPNG();
    TsImgListItem* full = list->Items()->Add();
    full->ImgData->WriteBuffer(file.data(), int64_t(file.size()));
    vcl::TMemoryStream stream;
    full->WriteImgData(&stream);
    std::vector<uint8_t> expected = {0x0A};
    for (uint8_t b : LittleEndian(uint32_t(file.size()), 4))
        expected.push_back(b);
    expected.insert(expected.end(), file.begin(), file.end());
    EXPECT_EQ(StreamBytes(&stream), expected);

    // Reading replaces what an item held.
    stream.SetPosition(0);
    TsImgListItem* read = list->Items()->Add();
    read->ImgData->WriteBuffer("old", 3);
    read->ReadImgData(&stream);
    EXPECT_EQ(StreamBytes(read->ImgData.get()), file);
}

TEST(ImgListItem, AssignCopiesTheFileAndItsFormats)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    TsImgListItem* source = list->Items()->Items(0);
    source->SetPixelFormat(TPixelFormat::pf24bit);
    TsImgListItem* copy = list->Items()->Add();
    copy->SetImageFormat(TsImageFormat::ifICO);
    copy->Assign(source);
    EXPECT_EQ(copy->ImageFormat(), TsImageFormat::ifPNG);
    EXPECT_EQ(copy->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(copy->OrigWidth, 48);
    EXPECT_EQ(copy->OrigHeight, 16);
    source->ImgData->Clear();
    EXPECT_EQ(StreamBytes(copy->ImgData.get()), GlyphStripPNG());
    TBitmap other;
    EXPECT_THROW(copy->Assign(&other), vcl::EConvertError);
}

TEST(AlphaImageList, BuildsItsStandardListFromTheItems)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG(), GlyphStripPNG()});
    EXPECT_TRUE(list->StdListIsGenerated);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items()->Items(1)->OrigWidth, 48);
    EXPECT_EQ(list->Items()->Items(1)->OrigHeight, 16);
    EXPECT_EQ(list->BkColor(), vcl::clNone);

    // Clearing the standard list alone rebuilds it from the items, and clients hear of it once.
    int changes = 0;
    list->SetOnChange(vcl::TNotifyEvent([&](vcl::TObject*) { ++changes; }));
    list->Clear();
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(changes, 1);

    vcl::TObjectPtr<TsAlphaImageList> empty(vcl::Create<TsAlphaImageList>(nullptr));
    EXPECT_TRUE(empty->HandleAllocated());
    EXPECT_FALSE(empty->StdListIsGenerated);
}

TEST(AlphaImageList, ImagesAddedToTheStandardListGetAlphaFromTheMagentaKey)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(16, 16, {GlyphStripPNG()});
    int changes = 0;
    list->SetOnChange(vcl::TNotifyEvent([&](vcl::TObject*) { ++changes; }));
    auto keyed = std::make_unique<TBitmap>();
    keyed->SetPixelFormat(TPixelFormat::pf24bit);
    keyed->SetSize(16, 16);
    keyed->Canvas()->Brush()->SetColor(vcl::clFuchsia);
    keyed->Canvas()->FillRect(vcl::TRect(0, 0, 16, 16));
    keyed->Canvas()->Brush()->SetColor(vcl::clBlue);
    keyed->Canvas()->FillRect(vcl::TRect(4, 4, 12, 12));
    ASSERT_EQ(list->Add(keyed.get(), nullptr), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list->Items()->Count(), 1);  // no item stands for the added image
    const std::unique_ptr<TBitmap> image = list->CreateBitmap32(1, 16, 16);
    ASSERT_TRUE(image);
    EXPECT_EQ(Aof(PixelOf(image.get(), 8, 8)), 255);
    EXPECT_EQ(PixelOf(image.get(), 8, 8) & 0xFFFFFF, 0x0000FF);
    EXPECT_EQ(Aof(PixelOf(image.get(), 1, 1)), 0);
}

TEST(AlphaImageList, AssignCopiesItemsAndSettingsAndNilDropsTheStandardList)
{
    vcl::TObjectPtr<TsAlphaImageList> source = ListOf(48, 16, {GlyphStripPNG()});
    source->SetBlendColor(vcl::clRed);
    vcl::TObjectPtr<TsAlphaImageList> copy(vcl::Create<TsAlphaImageList>(nullptr));
    copy->Assign(source.get());
    EXPECT_EQ(copy->Width(), 48);
    EXPECT_EQ(copy->Height(), 16);
    EXPECT_EQ(copy->Count(), 1);
    EXPECT_EQ(copy->BlendColor(), vcl::clRed);
    EXPECT_EQ(StreamBytes(copy->Items()->Items(0)->ImgData.get()), GlyphStripPNG());

    copy->Assign(nullptr);
    EXPECT_FALSE(copy->HandleAllocated());
    EXPECT_EQ(copy->CreateBitmap32(0, 48, 16), nullptr);
}

TEST(DrawAlphaImgList, BlendsTheStateOverWhatTheBitmapHolds)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    // A state at or beyond the glyph count draws the last glyph.
    for (const auto& [state, drawn] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 2}, {9, 2}}) {
        std::unique_ptr<TBitmap> dest = Filled(21, 20, Background);
        const vcl::TSize size = DrawAlphaImgList(list.get(), dest.get(), 2, 3, 0, 0, vcl::clNone, state, 3, false);
        EXPECT_EQ(size.cx, 16);
        EXPECT_EQ(size.cy, 16);
        ExpectGlyphAt(dest.get(), 2, 3, drawn);
    }
}

TEST(DrawAlphaImgList, NothingOnAnEmptyBitmapOrWithoutAStandardList)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    TBitmap empty;
    EXPECT_EQ(DrawAlphaImgList(list.get(), &empty, 0, 0, 0, 0, vcl::clNone, 0, 3, false).cx, 0);
    list->Assign(nullptr);
    std::unique_ptr<TBitmap> dest = Filled(20, 20, Background);
    EXPECT_EQ(DrawAlphaImgList(list.get(), dest.get(), 0, 0, 0, 0, vcl::clNone, 0, 3, false).cx, 0);
    ExpectGlyphAt(dest.get(), 100, 100, 0);
}

TEST(DrawAlphaImgList, OtherImageListsDrawTheirOwnColumn)
{
    vcl::TObjectPtr<vcl::TImageList> plain(vcl::Create<vcl::TImageList>(nullptr));
    plain->SetMasked(false);
    plain->SetWidth(48);
    plain->SetHeight(16);
    std::unique_ptr<TBitmap> strip = CreateBmp32(48, 16);
    const TPixelView v = PixelsOf(strip.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x)
            v.At(x, y) = StateColours[x / 16];
    ASSERT_EQ(plain->Add(strip.get(), nullptr), 0);
    std::unique_ptr<TBitmap> dest = Filled(20, 20, Background);
    DrawAlphaImgList(plain.get(), dest.get(), 2, 3, 0, 0, vcl::clNone, 1, 3, false);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inGlyph = x >= 2 && y >= 3 && x < 18 && y < 19;
            ASSERT_EQ(PixelOf(dest.get(), x, y) & 0xFFFFFF, (inGlyph ? StateColours[1] : Background) & 0xFFFFFF)
                << x << "," << y;
        }
}

TEST(DrawAlphaImgList, OntoADeviceContext)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    std::unique_ptr<TBitmap> dest = Filled(60, 20, Background);
    {
        const TCanvasLock lock(dest->Canvas());
        DrawAlphaImgListDC(list.get(), dest->Canvas()->Handle(), 3, 2, 0, 0, vcl::clNone, 2, 3, false);
    }
    ExpectGlyphAt(dest.get(), 3, 2, 2);
}

TEST(AlphaImageList, DrawsItsImagesWithAlpha)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    std::unique_ptr<TBitmap> dest = Filled(52, 18, Background);
    list->Draw(dest->Canvas(), 1, 2, 0);
    for (int state = 0; state < 3; ++state)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(PixelOf(dest.get(), 1 + 16 * state + x, 5),
                      Over(Background, StateColours[state], FixtureAlpha(x)) | 0xFF000000)
                << state << " " << x;
    EXPECT_EQ(PixelOf(dest.get(), 0, 5), Background);
    EXPECT_EQ(PixelOf(dest.get(), 49, 5), Background);
}

TEST(Bitmap32, TheDecodedImageWhenItHasTheListsSize)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    const std::unique_ptr<TBitmap> image = list->CreateBitmap32(0, 10, 10);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 48);
    EXPECT_EQ(image->Height(), 16);
    EXPECT_EQ(image->PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(PixelOf(image.get(), 1, 0), (StateColours[0] & 0xFFFFFF) | 128u << 24);
    EXPECT_EQ(PixelOf(image.get(), 40, 15), StateColours[2]);
    for (const int index : {-1, 1})
        EXPECT_EQ(list->CreateBitmap32(index, 48, 16), nullptr) << index;
    TBitmap unused;
    EXPECT_FALSE(list->GetBitmap32(1, &unused));
}

TEST(Bitmap32, AStoredImageWithoutAlphaTakesItFromTheBottomLeftColour)
{
    const uint32_t key = Px(10, 20, 30), ink = Px(200, 100, 50);
    // An image of the list's size is the decoded image itself; a smaller one is resampled.
    for (const int side : {16, 8}) {
        SCOPED_TRACE(side);
        vcl::TObjectPtr<TsAlphaImageList> list = ListOf(16, 16, {HalvesRGBPNG(side, key, ink)});
        const std::unique_ptr<TBitmap> image = list->CreateBitmap32(0, 16, 16);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->PixelFormat(), TPixelFormat::pf32bit);
        EXPECT_EQ(image->Width(), 16);
        EXPECT_EQ(image->Height(), 16);
        EXPECT_EQ(PixelOf(image.get(), 0, 15), key & 0xFFFFFF);
        EXPECT_EQ(PixelOf(image.get(), 15, 0), ink);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint32_t p = PixelOf(image.get(), x, y);
                ASSERT_EQ(Aof(p), (p & 0xFFFFFF) == (key & 0xFFFFFF) ? 0 : 255) << x << "," << y;
            }
    }
}

// The resampled inside of the third state's glyph (the filter may miss its colour by a level or two).
bool NearlyBlue(uint32_t p) { return Rof(p) < 8 && Gof(p) < 8 && std::abs(Bof(p) - Bof(StateColours[2])) < 8; }

TEST(Bitmap32, TheCacheServesOneSizeAndAnotherReplacesIt)
{
    // The list's size differs from the stored image's, so renderings are resampled to the size asked.
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(16, 16, {GlyphStripPNG()});
    TsImgListItem* item = list->Items()->Items(0);
    EXPECT_FALSE(item->CacheBmp);
    std::unique_ptr<TBitmap> first = CreateBmp32(24, 8);
    ASSERT_TRUE(list->GetBitmap32(0, first.get()));
    ASSERT_TRUE(item->CacheBmp);
    EXPECT_EQ(item->CacheBmp->Width(), 24);
    EXPECT_EQ(item->CacheBmp->Height(), 8);
    EXPECT_TRUE(NearlyBlue(PixelOf(first.get(), 20, 4)));

    // A mark in the cache shows in the next rendering of that size.
    PixelsOf(item->CacheBmp.get()).At(20, 4) = Px(1, 2, 3, 4);
    std::unique_ptr<TBitmap> second = CreateBmp32(24, 8);
    ASSERT_TRUE(list->GetBitmap32(0, second.get()));
    EXPECT_EQ(PixelOf(second.get(), 20, 4), Px(1, 2, 3, 4));

    std::unique_ptr<TBitmap> third = CreateBmp32(12, 4);
    ASSERT_TRUE(list->GetBitmap32(0, third.get()));
    EXPECT_EQ(item->CacheBmp->Width(), 12);
    EXPECT_EQ(item->CacheBmp->Height(), 4);
    EXPECT_TRUE(NearlyBlue(PixelOf(third.get(), 10, 2)));
}

TEST(Bitmap32, AnItemWithoutItsFileIsTakenFromTheStandardList)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {GlyphStripPNG()});
    list->Items()->Items(0)->ImgData->Clear();
    const std::unique_ptr<TBitmap> image = list->CreateBitmap32(0, 10, 10);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 48);
    EXPECT_EQ(image->Height(), 16);
    EXPECT_EQ(PixelOf(image.get(), 8, 8) & 0xFFFFFF, StateColours[0] & 0xFFFFFF);
    EXPECT_EQ(PixelOf(image.get(), 40, 8) & 0xFFFFFF, StateColours[2] & 0xFFFFFF);
    EXPECT_FALSE(list->Items()->Items(0)->CacheBmp);
}

TEST(MakeAlphaFromCorner, OpaqueButTheBottomLeftColourUnlessThereIsAlpha)
{
    const uint32_t key = Px(9, 9, 9, 0), ink = Px(200, 100, 50, 0);
    TPixelBuffer noAlpha(3, 2, key);
    noAlpha.At(1, 0) = ink;
    MakeAlphaFromCorner(noAlpha.View());
    EXPECT_EQ(noAlpha.At(1, 0), ink | 0xFF000000);
    EXPECT_EQ(noAlpha.At(0, 0), key);
    EXPECT_EQ(noAlpha.At(2, 1), key);

    TPixelBuffer withAlpha(3, 2, key);
    withAlpha.At(1, 0) = ink;
    withAlpha.At(2, 0) = Px(9, 9, 9, 1);
    MakeAlphaFromCorner(withAlpha.View());
    EXPECT_EQ(withAlpha.At(1, 0), ink);

    TPixelBuffer oneRow(3, 1, key);
    oneRow.At(1, 0) = ink;
    MakeAlphaFromCorner(oneRow.View());
    EXPECT_EQ(oneRow.At(1, 0), ink);
}

TEST(LoadingFiles, PNGAndICOFilesBecomeItems)
{
    TTestFiles files;
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(16, 16, {GlyphStripPNG()});
    const std::vector<uint8_t> png = GlyphStripPNG();
    ASSERT_TRUE(list->TryLoadFromFile(files.Write("strip.png", png)));
    ASSERT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(StreamBytes(list->Items()->Items(1)->ImgData.get()), png);
    EXPECT_EQ(list->Items()->Items(1)->ImageFormat(), TsImageFormat::ifPNG);

    struct {
        std::string Name;
        int Bits;
        TPixelFormat Expected;
    } const icons[] = {{"alpha.ico", 32, TPixelFormat::pf32bit}, {"plain.ico", 24, TPixelFormat::pf24bit}};
    for (const auto& c : icons) {
        const std::vector<uint8_t> ico = SolidIcon(Px(10, 120, 240, 200), c.Bits);
        ASSERT_TRUE(list->TryLoadFromFile(files.Write(c.Name, ico))) << c.Name;
        TsImgListItem* item = list->Items()->Items(list->Items()->Count() - 1);
        EXPECT_EQ(item->ImageFormat(), TsImageFormat::ifICO);
        EXPECT_EQ(item->PixelFormat(), c.Expected) << c.Name;
        EXPECT_EQ(StreamBytes(item->ImgData.get()), ico);
    }
    EXPECT_EQ(list->Count(), list->Items()->Count());

    // The icons' files rebuild the standard list like the PNG files do.
    list->GenerateStdList();
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items()->Items(3)->OrigWidth, 16);
    EXPECT_EQ(list->Items()->Items(3)->OrigHeight, 16);
}

TEST(LoadingFiles, ARefusedFileAddsNothingAndLoadFromFileSaysSo)
{
    TTestFiles files;
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(16, 16, {GlyphStripPNG()});
    const String unknown = files.Write("image.bin", {1, 2, 3, 4});
    const String badIcon = files.Write("bad.ico", {0, 0, 9, 9, 9, 9});
    EXPECT_FALSE(list->TryLoadFromFile(unknown));
    EXPECT_FALSE(list->TryLoadFromFile(badIcon));
    EXPECT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_THROW(list->TryLoadFromFile(L"alpha_image_list_files\\missing.png"), vcl::EFOpenError);
    std::vector<uint8_t> broken(PNGMagic.begin(), PNGMagic.end());
    broken.insert(broken.end(), 20, 0x42);
    EXPECT_THROW(list->TryLoadFromFile(files.Write("broken.png", broken)), vcl::EInvalidGraphic);
    EXPECT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Count(), 1);

    testsupport::TMessageBoxRecorder boxes;
    list->LoadFromFile(unknown);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, L"Cannot load " + unknown + L"\r\nInvalid or unexpected image format.");
    EXPECT_EQ(boxes.Boxes()[0].Type & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_EQ(boxes.Boxes()[0].Type & MB_ICONMASK, UINT(MB_ICONERROR));
}

TEST(AddImageFromRes, APNGResourceBecomesAnItem)
{
    vcl::TObjectPtr<TsAlphaImageList> list = ListOf(48, 16, {});
    ASSERT_TRUE(AddImageFromRes(GetModuleHandleW(nullptr), list.get(), L"SC", TsImageFormat::ifPNG));
    EXPECT_EQ(list->Count(), 1);
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Items()->Items(0)->ImageFormat(), TsImageFormat::ifPNG);
    vcl::TResourceStream resource(GetModuleHandleW(nullptr), L"SC", RT_RCDATA);
    vcl::TMemoryStream expected;
    expected.LoadFromStream(&resource);
    EXPECT_EQ(StreamBytes(list->Items()->Items(0)->ImgData.get()), StreamBytes(&expected));
}

}  // namespace
}  // namespace skin::test
