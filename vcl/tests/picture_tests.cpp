#include "vcl/bitmaps.h"
#include "vcl/pictures.h"
#include "vcl/sysutils.h"

#include "vcl/tests/graphics_test_support.h"

#include <gtest/gtest.h>

using namespace vcl;
using namespace graphics_test;

namespace {

// Two bitmap classes that stand for graphic formats of their own.
class TFirstFormat : public TBitmap {
    CL_CLASS(TFirstFormat, TBitmap)
public:
    std::unique_ptr<TGraphic> CreateEmpty() const override { return std::unique_ptr<TGraphic>(Create<TFirstFormat>()); }
};
class TSecondFormat : public TBitmap {
    CL_CLASS(TSecondFormat, TBitmap)
public:
    std::unique_ptr<TGraphic> CreateEmpty() const override { return std::unique_ptr<TGraphic>(Create<TSecondFormat>()); }
};
// Forgets to make graphics of its own class.
class TForgetfulFormat : public TBitmap {
    CL_CLASS(TForgetfulFormat, TBitmap)
};

std::vector<uint8_t> BmpBytes(TPixelFormat format, int width, int height)
{
    auto bitmap = MakeBitmap(format, width, height);
    TMemoryStream stream;
    bitmap->SaveToStream(&stream);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

// An ICO file with one 32-bit image per size, each filled with its colour (0x00RRGGBB), opaque.
std::vector<uint8_t> IcoBytes(const std::vector<std::pair<int, uint32_t>>& images)
{
    TBytes b;
    b.U16(0).U16(1).U16(uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    std::vector<TBytes> bodies;
    for (const auto& [size, color] : images) {
        const uint32_t maskStride = uint32_t((size + 31) / 32 * 4);
        TBytes body;
        body.U32(40).U32(uint32_t(size)).U32(uint32_t(2 * size)).U16(1).U16(32).U32(0);
        body.U32(0).U32(0).U32(0).U32(0).U32(0);
        for (int i = 0; i < size * size; ++i)
            body.U32(0xFF000000 | color);
        for (uint32_t i = 0; i < maskStride * uint32_t(size); ++i)
            body.U8(0);
        b.U8(uint32_t(size)).U8(uint32_t(size)).U8(0).U8(0).U16(1).U16(32);
        b.U32(uint32_t(body.Size())).U32(offset);
        offset += uint32_t(body.Size());
        bodies.push_back(body);
    }
    for (const TBytes& body : bodies)
        b.Raw(body.Data);
    return b.Data;
}

}  // namespace

TEST(PictureRegistry, TheLatestRegistrationWinsWithoutDotOrCase)
{
    const TTempFile file(L"registry_test.xYz", BmpBytes(TPixelFormat::pf24bit, 1, 1));
    TPicture picture;
    TPicture::RegisterFileFormat(L"xyz", L"First", GraphicClass<TFirstFormat>());
    picture.LoadFromFile(file.Name());
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TFirstFormat");

    TPicture::RegisterFileFormat(L".XYZ", L"Second", GraphicClass<TSecondFormat>());
    picture.LoadFromFile(file.Name());
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TSecondFormat");

    TPicture::UnregisterGraphicClass(GraphicClass<TSecondFormat>());
    picture.LoadFromFile(file.Name());
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TFirstFormat");

    TPicture::UnregisterGraphicClass(GraphicClass<TFirstFormat>());
    try {
        picture.LoadFromFile(file.Name());
        FAIL() << "an unregistered extension loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), L"Unknown picture file extension (.xYz)");
    }
    EXPECT_EQ(picture.Graphic()->ClassName(), L"TFirstFormat");
}

TEST(PictureFiles, AFailedLoadKeepsTheGraphic)
{
    EnsureStandardFormats();
    const TTempFile good(L"picture_good.bmp", BmpBytes(TPixelFormat::pf24bit, 3, 2));
    std::vector<uint8_t> corruptBytes = BmpBytes(TPixelFormat::pf24bit, 3, 2);
    corruptBytes.resize(40);
    const TTempFile corrupt(L"picture_corrupt.bmp", corruptBytes);
    const TTempFile unknown(L"picture.abc", BmpBytes(TPixelFormat::pf24bit, 3, 2));

    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });
    picture.LoadFromFile(good.Name());
    EXPECT_EQ(changes, 1);
    TGraphic* loaded = picture.Graphic();
    ASSERT_EQ(loaded->ClassName(), L"TBitmap");

    EXPECT_THROW(picture.LoadFromFile(corrupt.Name()), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(ExpandFileName(L"no_such_picture.bmp")), EFOpenError);
    EXPECT_THROW(picture.LoadFromFile(unknown.Name()), EInvalidGraphic);
    EXPECT_EQ(picture.Graphic(), loaded);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 1);
}

TEST(PictureGraphic, SetGraphicCopiesAndChangesReachTheOwner)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 2, 2);
    SetPixel32(*bitmap, 0, 0, 0x11223344);
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });

    picture.SetGraphic(bitmap.get());
    EXPECT_EQ(changes, 1);
    ASSERT_NE(picture.Graphic(), bitmap.get());
    SetPixel32(*bitmap, 0, 0, 0);
    EXPECT_EQ(Pixel32(*picture.Bitmap(), 0, 0), 0x11223344u);

    picture.Bitmap()->SetSize(4, 4);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Width(), 4);

    TBitmap copy;
    copy.Assign(&picture);
    EXPECT_EQ(Pixel32(copy, 0, 0), 0x11223344u);

    TIcon* icon = picture.Icon();
    EXPECT_EQ(picture.Graphic(), icon);
    EXPECT_TRUE(icon->Empty());
    EXPECT_EQ(changes, 3);

    TForgetfulFormat forgetful;
    EXPECT_THROW(picture.SetGraphic(&forgetful), EInvalidGraphic);
    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
}

TEST(Icons, TheImageClosestToTheWantedSizeIsMade)
{
    const std::vector<uint8_t> bytes = IcoBytes({{16, 0xFF0000}, {32, 0x0000FF}});
    TIcon icon;
    LoadGraphic(icon, bytes);
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    ASSERT_EQ(icon.Width(), 32);

    TIcon small;
    small.SetWidth(16);
    small.SetHeight(16);
    LoadGraphic(small, bytes);
    EXPECT_EQ(small.Width(), 16);
    EXPECT_THROW(small.SetWidth(32), EInvalidGraphic);

    auto target = MakeBitmap(TPixelFormat::pf32bit, 16, 16);
    target->Canvas()->Draw(0, 0, &small);
    EXPECT_EQ(Pixel32(*target, 8, 8) & 0xFFFFFF, 0xFF0000u);
    target->Canvas()->StretchDraw(Rect(0, 0, 16, 16), &icon);
    EXPECT_EQ(Pixel32(*target, 8, 8) & 0xFFFFFF, 0x0000FFu);

    TMemoryStream saved;
    icon.SaveToStream(&saved);
    ASSERT_EQ(size_t(saved.Size()), bytes.size());
    EXPECT_EQ(std::memcmp(saved.Memory(), bytes.data(), bytes.size()), 0);

    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 32);
    HICON released = copy.ReleaseHandle();
    EXPECT_TRUE(copy.Empty());
    DestroyIcon(released);
}

TEST(Icons, FaultyDataRaisesAndPicturesReadIcoFiles)
{
    std::vector<uint8_t> cursor = IcoBytes({{16, 0xFF0000}});
    cursor[2] = 2;
    std::vector<uint8_t> noImages = IcoBytes({{16, 0xFF0000}});
    noImages[4] = 0;
    std::vector<uint8_t> cut = IcoBytes({{16, 0xFF0000}});
    cut.resize(cut.size() - 1);
    for (const auto& bytes : {cursor, noImages, cut}) {
        TIcon icon;
        EXPECT_THROW(LoadGraphic(icon, bytes), EInvalidGraphic);
        EXPECT_TRUE(icon.Empty());
    }

    EnsureStandardFormats();
    const TTempFile file(L"picture_icon.ICO", IcoBytes({{16, 0x00FF00}}));
    TPicture picture;
    picture.LoadFromFile(file.Name());
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 16);
}
