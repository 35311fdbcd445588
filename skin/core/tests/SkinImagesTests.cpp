// The image table of a skin: the value forms of the options file, image files, the corner probe,
// the common sections' images and the geometry of an image.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::LoadSkin;
using skintest::PixelARGB;
using skintest::TTempSkin;
using vcl::String;
using vcl::TRect;

namespace {

// The image of a section and key, asserted to exist.
const TsMaskData& ImageOf(const TsSkinManager& Manager, const String& Section, const String& Key)
{
    const int index = Manager.GetMaskIndex(Section, Key);
    EXPECT_GE(index, 0) << vcl::ToAnsi(Section) << " " << vcl::ToAnsi(Key);
    static const TsMaskData none;
    return index < 0 ? none : Manager.ma[size_t(index)];
}

struct TGeometry {
    TRect R;
    int WL, WT, WR, WB, ImageCount, MaskType, DrawMode, BorderWidth;
    TacImgType ImgType;
};

void ExpectGeometry(const TsMaskData& m, const TGeometry& g)
{
    EXPECT_EQ(TRect(m.R), g.R);
    EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{g.WL, g.WT, g.WR, g.WB}));
    EXPECT_EQ(m.ImageCount, g.ImageCount);
    EXPECT_EQ(m.MaskType, g.MaskType);
    EXPECT_EQ(m.DrawMode, g.DrawMode);
    EXPECT_EQ(m.BorderWidth, g.BorderWidth);
    EXPECT_EQ(m.ImgType, g.ImgType);
}

}  // namespace

TEST(SkinImages, ValueForms)
{
    using enum TacImgType;
    struct TCase {
        const char* Value;
        TGeometry Expected;
    };
    const TCase cases[] = {
        {"^0262^0000^0304^0046^0007^0008^0006^0006^3^1^3^1", {{262, 0, 304, 46}, 7, 8, 6, 6, 3, 1, 3, 1, itisaBorder}},
        {"@0217@0000@0262@0030@3@1", {{217, 0, 262, 30}, 0, 0, 0, 0, 3, 1, 0, 0, itisaGlyph}},
        {"~0147~0010~0148~0056~01~0", {{147, 10, 148, 56}, 0, 0, 0, 0, 1, 0, 1, 0, itisaTexture}},
        {"~0147~0010~0148~0056~10~1", {{147, 10, 148, 56}, 0, 0, 0, 0, 1, 1, 10, 0, itisaTexture}},
        {"~0147~0010~0148~0056~01~", {{147, 10, 148, 56}, 0, 0, 0, 0, 1, 0, 1, 0, itisaTexture}},
        // No widths: the one border width on all sides, else a third of a frame.
        {"^0000^0000^0030^0020^0000^0000^0000^0000^3^1^1^2", {{0, 0, 30, 20}, 2, 2, 2, 2, 3, 1, 1, 2, itisaBorder}},
        {"^0000^0000^0030^0020^0000^0000^0000^0000^3^1^1^0", {{0, 0, 30, 20}, 3, 3, 3, 3, 3, 1, 1, 0, itisaBorder}},
        // Rectangle lists: words between blanks and brackets, numbers between commas.
        {"#(10,20,40,50)(3,1,2,5)", {{10, 20, 40, 50}, 2, 2, 2, 2, 3, 1, 5, 2, itisaBorder}},
        {"#(10,20,40,50)(0,-2)", {{10, 20, 40, 50}, 10, 10, 10, 10, 1, 0, 1, 0, itisaBorder}},
    };
    TTempSkin folder;
    folder.WriteMaster(400, 100, 0x808080);
    std::string options = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[S]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        options += "K" + std::to_string(i) + "=" + cases[i].Value + "\n";
    folder.WriteOptions(options);
    const auto manager = LoadSkin(folder.Folder());
    ASSERT_EQ(manager->ma.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].Value);
        // Rectangle lists are stored under upper-cased names; the others as written.
        ExpectGeometry(ImageOf(*manager, L"S", L"K" + vcl::IntToStr(i)), cases[i].Expected);
        EXPECT_EQ(manager->ma[i].Manager, manager.get());
        EXPECT_FALSE(manager->ma[i].Bmp);
    }
}

TEST(SkinImages, NamesAreKeptAsWrittenButUpperCasedForRectangleListsAndFiles)
{
    TTempSkin folder;
    folder.WriteMaster(40, 40, 0x808080);
    folder.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[Mixed]\nBorder=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\n"
                        "Rect=#(0,0,10,10)(1,0,1,1)\nPlain=master.bmp\n");
    const auto manager = LoadSkin(folder.Folder());
    EXPECT_GE(manager->GetMaskIndex(L"Mixed", L"Border"), 0);
    EXPECT_EQ(manager->GetMaskIndex(L"MIXED", L"BORDER"), -1);
    EXPECT_GE(manager->GetMaskIndex(L"MIXED", L"RECT"), 0);
    const TsMaskData& plain = ImageOf(*manager, L"MIXED", L"PLAIN");
    ASSERT_TRUE(plain.Bmp);
    ExpectGeometry(plain, {{0, 0, 40, 40}, 4, 6, 4, 6, 3, 1, 0, 0, TacImgType::itisaBorder});
}

TEST(SkinImages, ValuesThatNameNoImageAddNothing)
{
    TTempSkin folder;
    folder.WriteMaster(40, 40, 0x808080);
    folder.CopyTestSkinFile("PNG746", "XB.PNG", L"xb.png");
    folder.WriteFile(L"BAD.PNG", "\x89PNG\r\n\x1a\nthis is no image");
    folder.WriteFile(L"BAD.BMP", "BMnot a bitmap either");
    folder.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nCOLOR=123\n[S]\nNONE=N/A\nEMPTY=\nHASH=#\nLOWER=!xb.png!2!0!3!0026!0026!0026!0026!1\n"
                        "MISSING=!GONE.PNG!1!0!0\nCORRUPT=!BAD.PNG!1!0!0\nCORRUPTBMP=!BAD.BMP!1!0!0\nOLDBMP=BAD.BMP\n"
                        "JPEG=!XB.JPG!1!0!0\nAFTER=@0000@0000@0010@0010@1@0\n");
    const auto manager = LoadSkin(folder.Folder());
    ASSERT_EQ(manager->ma.size(), 1u);
    EXPECT_EQ(manager->ma[0].PropertyName, L"AFTER");
}

TEST(SkinImages, OlderSkinsStretchOnePixelCentres)
{
    // Below version 7.4 a masked border sets draw-mode flag 1 exactly when a frame's centre is
    // one pixel wide and high, and clears it otherwise.
    struct TCase {
        const char* Version;
        const char* Value;
        int DrawMode;
    };
    const TCase cases[] = {
        {"7.30", "^0000^0000^0021^0020^0003^0004^0003^0005^3^1^0^0", 1},
        {"7.30", "^0000^0000^0021^0020^0003^0004^0003^0004^3^1^3^0", 2},
        {"7.30", "^0000^0000^0021^0010^0003^0004^0003^0005^3^0^2^0", 2},
        {"8.00", "^0000^0000^0021^0020^0003^0004^0003^0005^3^1^0^0", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Version) + " " + c.Value);
        TTempSkin folder;
        folder.WriteMaster(40, 40, 0x808080);
        folder.WriteOptions(std::string("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nVERSION=") + c.Version + "\n[S]\nK=" + c.Value + "\n");
        EXPECT_EQ(ImageOf(*LoadSkin(folder.Folder()), L"S", L"K").DrawMode, c.DrawMode);
    }
}

TEST(SkinImages, PngImageFilesByVersion)
{
    // Pixel (0, 0) is (200, 100, 50) at half alpha, pixel (1, 0) white and fully transparent.
    struct TCase {
        const char* Skin;
        uint32_t Pixel0;
    };
    for (const TCase c : {TCase{"PNG745", 0x80C86432u}, TCase{"PNG746", 0x80643219u}}) {
        SCOPED_TRACE(c.Skin);
        const auto manager = LoadSkin(skintest::TestSkinFolder(c.Skin));
        const TsMaskData& image = ImageOf(*manager, L"GLOBALINFO", L"EXBORDER");
        ExpectGeometry(image, {{0, 0, 108, 54}, 26, 26, 26, 26, 2, 0, 1, 0, TacImgType::itisaGlow});
        EXPECT_EQ(image.CornerType, 0);
        ASSERT_TRUE(image.Bmp);
        EXPECT_EQ(image.Bmp->PixelFormat(), vcl::TPixelFormat::pf32bit);
        EXPECT_EQ(PixelARGB(image.Bmp.get(), 0, 0), c.Pixel0);
        EXPECT_EQ(PixelARGB(image.Bmp.get(), 1, 0), 0u);
        EXPECT_EQ(manager->ConstData.ExBorder, manager->GetMaskIndex(L"GLOBALINFO", L"EXBORDER"));
    }
}

TEST(SkinImages, VersionIsReadWithAFullStopWhateverTheUsersSettings)
{
    const vcl::TFormatSettings saved = vcl::FormatSettings;
    vcl::FormatSettings.DecimalSeparator = L',';
    const auto manager = LoadSkin(skintest::TestSkinFolder("PNG745"));
    vcl::FormatSettings = saved;
    EXPECT_EQ(manager->SkinData->Version, 7.45);
    EXPECT_EQ(PixelARGB(ImageOf(*manager, L"GLOBALINFO", L"EXBORDER").Bmp.get(), 0, 0), 0x80C86432u);
}

TEST(SkinImages, MalformedGeometryEndsTheLoadKeepingWhatWasBuilt)
{
    struct TCase {
        const char* Value;
        bool DivisionByZero;
    };
    const TCase cases[] = {
        {"^02X2^0000^0304^0046^0007^0008^0006^0006^3^1^3^1", false},
        {"^0262^0000^0304", false},
        {"@0217@0000@0262@0030@x@1", false},
        {"~0147~0010~0148~0056~0A~0", false},
        {"#(0,0,10,10)(1,0,x,1)", false},
        {"^0000^0000^0030^0020^0000^0000^0000^0000^0^1^1^0", true},
        {"!MASTER.BMP!0!0!0", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        TTempSkin folder;
        folder.WriteMaster(40, 40, 0x808080);
        folder.WriteOptions(std::string("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[S]\nFIRST=@0000@0000@0010@0010@1@0\nBAD=") + c.Value +
                            "\nLAST=@0000@0000@0010@0010@1@0\n");
        vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
        if (c.DivisionByZero)
            EXPECT_THROW(manager->LoadSkinFolder(folder.Folder()), vcl::EDivByZero);
        else
            EXPECT_THROW(manager->LoadSkinFolder(folder.Folder()), vcl::EConvertError);
        EXPECT_GE(manager->GetMaskIndex(L"S", L"FIRST"), 0);
        EXPECT_EQ(manager->GetMaskIndex(L"S", L"LAST"), -1);
        EXPECT_EQ(SkinFile, nullptr);
    }
}

TEST(SkinImages, AFolderWithoutOptionsFails)
{
    TTempSkin folder;
    vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
    EXPECT_THROW(manager->LoadSkinFolder(folder.Folder()), vcl::EFOpenError);
}

TEST(SkinImages, MasterBitmapIs32BitWithKeyPixelsTransparent)
{
    TTempSkin folder;
    folder.WriteMaster(4, 3, 0x102030, {{1, 1}});
    folder.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n");
    const auto manager = LoadSkin(folder.Folder());
    vcl::TBitmap* master = manager->MasterBitmap.get();
    ASSERT_EQ(master->PixelFormat(), vcl::TPixelFormat::pf32bit);
    EXPECT_EQ(PixelARGB(master, 0, 0), 0xFF102030u);
    EXPECT_EQ(PixelARGB(master, 1, 1), 0x00FF00FFu);
    EXPECT_TRUE(master->Transparent());
    EXPECT_EQ(master->TransparentColor(), vcl::clFuchsia);

    TTempSkin missing;
    missing.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[S]\nK=@0000@0000@0010@0010@1@0\n");
    const auto empty = LoadSkin(missing.Folder());
    ASSERT_TRUE(empty->MasterBitmap);
    EXPECT_TRUE(empty->MasterBitmap->Empty());
    EXPECT_EQ(empty->ma.size(), 1u);
}

TEST(SkinImages, CornerProbe)
{
    // A 12 x 12 image with 3-pixel borders: the corner areas are scanned, except the bitmap's
    // last column and row.
    struct TCase {
        vcl::TPoint Key;
        int CornerType;
    };
    const TCase cases[] = {{{0, 0}, 1}, {{10, 0}, 1}, {{11, 0}, 0}, {{0, 10}, 1}, {{0, 11}, 0}, {{5, 5}, 0}, {{5, 0}, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Key.x << ", " << c.Key.y);
        TTempSkin folder;
        folder.WriteMaster(12, 12, 0x808080, {c.Key});
        folder.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[S]\nBORDERSMASK=^0000^0000^0012^0012^0003^0003^0003^0003^1^0^1^0\n");
        EXPECT_EQ(ImageOf(*LoadSkin(folder.Folder()), L"S", L"BORDERSMASK").CornerType, c.CornerType);
    }
}

TEST(SkinImages, TheHugeButtonsBorderIsNotProbed)
{
    const auto manager = LoadSkin(skintest::TestSkinFolder("FLAT"));
    EXPECT_EQ(ImageOf(*manager, L"BUTTON_HUGE", L"BORDERSMASK").CornerType, 2);
    EXPECT_EQ(ImageOf(*manager, L"BUTTON_ROUND", L"BORDERSMASK").CornerType, 1);
    EXPECT_EQ(ImageOf(*manager, L"BUTTON", L"BORDERSMASK").CornerType, 0);
}

TEST(SkinImages, CommonSectionsAddTheirImagesAfterTheSkins)
{
    TTempSkin folder;
    folder.WriteMaster(40, 40, 0x808080);
    folder.WriteOptions("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[BUTTON]\nBORDERSMASK=^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0\n");
    const auto manager = LoadSkin(folder.Folder(), "[BUTTON]\nBORDERSMASK=MASTER.BMP\n[extra]\nplain=master.bmp\n"
                                                   "rect=#(1,2,3,4)(1,0,0,1)\n[GLOBALINFO]\nGLYPH=MASTER.BMP\n");
    ASSERT_EQ(manager->ma.size(), 4u);
    EXPECT_EQ(manager->GetMaskIndex(L"BUTTON", L"BORDERSMASK"), 0);  // the skin's image wins
    EXPECT_EQ(manager->GetMaskIndex(L"EXTRA", L"PLAIN"), 2);
    EXPECT_EQ(TRect(ImageOf(*manager, L"EXTRA", L"RECT").R), TRect(1, 2, 3, 4));
    EXPECT_EQ(manager->GetMaskIndex(L"GLOBALINFO", L"GLYPH"), -1);
}

TEST(SkinImages, FreeingAndReloadingReplaceTheTables)
{
    const auto manager = LoadSkin(skintest::TestSkinFolder("FLAT"));
    const size_t images = manager->ma.size(), sections = manager->gd.size();
    ASSERT_GT(images, 0u);
    manager->LoadSkinFolder(skintest::TestSkinFolder("FLAT"));
    EXPECT_EQ(manager->ma.size(), images);
    EXPECT_EQ(manager->gd.size(), sections);
    manager->FreeBitmaps();
    EXPECT_TRUE(manager->ma.empty());
    EXPECT_FALSE(manager->MasterBitmap);
}

TEST(SkinImages, Geometry)
{
    struct TCase {
        TRect R;
        int ImageCount, MaskType, Width, Height;
    };
    const TCase cases[] = {
        {{0, 0, 10, 7}, 3, 1, 3, 3}, {{0, 0, 10, 7}, 1, 0, 10, 7}, {{0, 0, 10, 7}, 0, -1, 0, 0},
        {{5, 5, 15, 14}, 2, 2, 5, 3}, {{0, 0, 9, 9}, 4, 8, 2, 1},
    };
    for (const TCase& c : cases) {
        TsMaskData m;
        m.R = c.R;
        m.ImageCount = vcl::SmallInt(c.ImageCount);
        m.MaskType = vcl::SmallInt(c.MaskType);
        EXPECT_EQ(WidthOfImage(m), c.Width);
        EXPECT_EQ(HeightOfImage(m), c.Height);
    }
}

TEST(SkinImages, MaskWidthsFallBackToTheBorderWidthThenTheFrame)
{
    vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
    TsMaskData& own = manager->ma.emplace_back();
    own.R = TRect(0, 0, 30, 20);
    own.ImageCount = 3;
    own.MaskType = 1;
    own.WL = 4, own.WT = 5;
    own.BorderWidth = 2;
    TsMaskData& frame = manager->ma.emplace_back();
    frame.R = TRect(0, 0, 30, 20);
    EXPECT_EQ((std::array{manager->MaskWidthLeft(0), manager->MaskWidthTop(0), manager->MaskWidthRight(0), manager->MaskWidthBottom(0)}),
              (std::array{4, 5, 2, 2}));
    EXPECT_EQ((std::array{manager->MaskWidthLeft(1), manager->MaskWidthTop(1)}), (std::array{30, 20}));
    EXPECT_EQ(manager->ma[1].ImageCount, 1);
    EXPECT_THROW(manager->MaskWidthLeft(2), vcl::EAssertionFailed);
}

TEST(SkinPatterns, LargeJpegsStayPatternsSmallerOnesBecomeTextures)
{
    const auto m = LoadSkin(skintest::TestSkinFolder("PATTERNS"));
    ASSERT_EQ(m->pa.size(), 1u);
    EXPECT_EQ(m->pa[0].ClassName, L"PAT");
    EXPECT_EQ(m->pa[0].PropertyName, L"PATTERN");
    EXPECT_EQ(m->pa[0].Img->Width(), 1000);
    EXPECT_EQ(m->pa[0].Img->Height(), 900);

    const int textureIndex = m->GetMaskIndex(L"PAT", L"HOTPATTERN");
    const TsMaskData& texture = ImageOf(*m, L"PAT", L"HOTPATTERN");
    EXPECT_EQ(texture.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(texture.ImageCount, 1);
    EXPECT_EQ(TRect(texture.R), TRect());
    ASSERT_TRUE(texture.Bmp);
    EXPECT_EQ(texture.Bmp->Width(), 999);
    EXPECT_EQ(texture.Bmp->PixelFormat(), vcl::TPixelFormat::pf32bit);
    EXPECT_EQ(PixelARGB(texture.Bmp.get(), 998, 899), 0xFFA0A0A0u);

    const int pat = m->GetSkinIndex(L"PAT"), child = m->GetSkinIndex(L"CHILDPAT");
    EXPECT_EQ(m->GetPatternIndex(pat, L"PAT", L"PATTERN"), 0);
    EXPECT_EQ(m->GetPatternIndex(child, L"CHILDPAT", L"PATTERN"), 0);
    EXPECT_EQ(m->GetPatternIndex(child, L"CHILDPAT", L"HOTPATTERN"), -1);
    EXPECT_EQ(m->GetTextureIndex(child, L"CHILDPAT", L"HOTPATTERN"), textureIndex);
    EXPECT_EQ(m->gd[size_t(child)].TextureNormal, -1);  // a pattern is no texture image

    m->FreeJpegs();
    EXPECT_TRUE(m->pa.empty());
}

TEST(SkinPatterns, CommonSectionsJpegsStayPatternsAndBadOnesAreSkipped)
{
    TTempSkin folder;
    folder.CopyTestSkinFile("PATTERNS", "SMALL.JPG", L"SMALL.JPG");
    folder.WriteFile(L"BAD.JPG", "\xFF\xD8\xFF\xE0 not a picture");
    folder.WriteOptions("[GLOBALINFO]\nVERSION=8.00\n[S]\nA=bad.jpg\nB=MISSING.JPEG\nC=small.jpg\n");
    const auto m = LoadSkin(folder.Folder(), "[Extra]\nPattern=small.jpg\n");
    ASSERT_EQ(m->ma.size(), 1u);
    EXPECT_EQ(m->ma[0].PropertyName, L"C");
    ASSERT_EQ(m->pa.size(), 1u);
    EXPECT_EQ(m->pa[0].ClassName, L"EXTRA");
    EXPECT_EQ(m->pa[0].PropertyName, L"PATTERN");
    EXPECT_EQ(m->pa[0].Img->Width(), 999);
}
