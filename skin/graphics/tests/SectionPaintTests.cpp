// Skin sections painted into bitmaps and device contexts: transparency over what lies beneath,
// states, textures, patterns, gradients, the overlay, corner images and borders.
#include <gtest/gtest.h>

#include "SkinTableFixtures.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConst.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/Sgradient.h"
#include "testpaths.h"
#include "vcl/sysutils.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

uint32_t RGBOf(uint32_t p) { return p & 0x00FFFFFF; }

// A background bitmap whose pixels name their place.
vcl::TObjectPtr<vcl::TBitmap> NamedBackground(int Width, int Height)
{
    auto bmp = NewBitmap(Width, Height);
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            v.At(x, y) = Px(x, y, 200, 77);
    return bmp;
}

TCacheInfo Colour(TColor Fill)
{
    TCacheInfo ci;
    ci.FillColor = Fill;
    return ci;
}

// The pixel in the middle of a 4 x 4 bitmap painted with a red section of transparency T.
uint32_t RedAt(int T, const TCacheInfo& CI)
{
    TTestSkin skin;
    const int red = skin.AddSection(L"RED", vcl::clRed);
    skin.SetTransparency(red, T);
    const auto bmp = NewBitmap(4, 4, Paper);
    PaintItem(red, L"RED", CI, 0, TRect(0, 0, 4, 4), TPoint(0, 0), bmp.get(), skin.Manager());
    return PixelsOf(bmp.get()).At(2, 2);
}

TEST(PaintItem, TransparencyOverWhatLiesBeneath)
{
    const auto blue = NewBitmap(4, 4, Px(0, 0, 255));
    EXPECT_EQ(RGBOf(RedAt(50, MakeCacheInfo(blue.get()))), RGBOf(Px(127, 0, 127)));
    EXPECT_EQ(RGBOf(RedAt(50, Colour(vcl::clBlue))), 0x800080u);  // 127.5 rounds to the even 128
    EXPECT_EQ(RGBOf(RedAt(50, Colour(vcl::clFuchsia))), RGBOf(Px(255, 0, 0)));
    EXPECT_EQ(RGBOf(RedAt(0, MakeCacheInfo(blue.get()))), RGBOf(Px(255, 0, 0)));
    EXPECT_EQ(RGBOf(RedAt(7, Colour(vcl::clWhite))), RGBOf(Px(255, 18, 18)));  // 17.85 and 255
}

TEST(PaintItem, FullTransparencyCopiesTheParentAreaExactly)
{
    TTestSkin skin;
    const int glass = skin.AddSection(L"GLASS", vcl::clRed);
    skin.SetTransparency(glass, 100);
    const auto parent = NamedBackground(20, 20);
    const auto bmp = NewBitmap(8, 6, Paper);
    PaintItem(glass, L"GLASS", MakeCacheInfo(parent.get(), 3, 4), 0, TRect(1, 1, 7, 5), TPoint(2, 1), bmp.get(),
              skin.Manager());
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 5;
            EXPECT_EQ(v.At(x, y), inside ? Px(x - 1 + 5, y - 1 + 5, 200, 77) : Paper) << x << "," << y;
        }
    // Over a plain colour the area takes that colour.
    PaintItem(glass, L"GLASS", Colour(vcl::clLime), 0, TRect(0, 0, 8, 6), TPoint(0, 0), bmp.get(), skin.Manager());
    EXPECT_EQ(v.At(4, 4), Px(0, 255, 0));
}

TEST(PaintItem, StatesAboveTheSectionsLastTakeItsHotValues)
{
    TTestSkin skin;
    const int button = skin.AddSection(L"BUTTON", vcl::clRed, vcl::clBlue, 2);
    const auto bmp = NewBitmap(2, 2, Paper);
    const TPixelView v = PixelsOf(bmp.get());
    PaintItem(button, L"BUTTON", TCacheInfo(), 3, TRect(0, 0, 2, 2), TPoint(0, 0), bmp.get(), skin.Manager());
    EXPECT_EQ(v.At(0, 0), Px(0, 0, 255));
    PaintItem(button, L"BUTTON", TCacheInfo(), 0, TRect(0, 0, 2, 2), TPoint(0, 0), bmp.get(), skin.Manager());
    EXPECT_EQ(v.At(0, 0), Px(255, 0, 0));
    PaintItemBGFast(button, -1, -1, TCacheInfo(), 3, TRect(0, 0, 2, 2), TPoint(0, 0), bmp.get(),
                    skin.Manager());
    EXPECT_EQ(v.At(0, 0), Px(0, 0, 255));
}

TEST(PaintItem, NothingUnlessTheRectangleLiesInsideTheBitmap)
{
    TTestSkin skin;
    const int red = skin.AddSection(L"RED", vcl::clRed);
    const auto bmp = NewBitmap(4, 4, Paper);
    for (const TRect& r : {TRect(0, 0, 5, 4), TRect(-1, 0, 3, 4), TRect(0, 0, 4, 5), TRect(2, 2, 2, 3)})
        PaintItem(red, L"RED", TCacheInfo(), 0, r, TPoint(0, 0), bmp.get(), skin.Manager());
    PaintItem(7, L"RED", TCacheInfo(), 0, TRect(0, 0, 4, 4), TPoint(0, 0), bmp.get(), skin.Manager());
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(v.At(x, y), Paper);
}

TEST(PaintItem, WithoutAManagerTheDefaultOnePaints)
{
    TTestSkin skin;
    ASSERT_EQ(DefaultManager, skin.Manager());
    const int red = skin.AddSection(L"RED", vcl::clRed);
    const auto bmp = NewBitmap(2, 2, Paper);
    PaintItem(red, L"RED", TCacheInfo(), 0, TRect(0, 0, 2, 2), TPoint(0, 0), bmp.get(), nullptr);
    EXPECT_EQ(PixelsOf(bmp.get()).At(1, 1), Px(255, 0, 0));
}

TEST(PaintItem, CornerImagesLandInTheCornersOfTheRectangle)
{
    // A bottom-left image 4 x 6 and a top-right one 3 x 2, over a grey section at (10, 10, 50, 40).
    TTestSkin skin(7, 6);
    skin.Fill(TRect(0, 0, 4, 6), Px(10, 0, 0));
    skin.Fill(TRect(4, 0, 7, 2), Px(20, 0, 0));
    const int grey = skin.AddSection(L"GREY", vcl::clGray);
    skin.Section(grey).ImgBL = skin.AddImage({.R = TRect(0, 0, 4, 6)});
    skin.Section(grey).ImgTR = skin.AddImage({.R = TRect(4, 0, 7, 2)});
    const auto bmp = NewBitmap(60, 50, Paper);
    PaintItem(grey, L"GREY", TCacheInfo(), 0, TRect(10, 10, 50, 40), TPoint(0, 0), bmp.get(), skin.Manager());
    const TPixelView v = PixelsOf(bmp.get());
    EXPECT_EQ(v.At(10, 34), Px(10, 0, 0));
    EXPECT_EQ(v.At(13, 39), Px(10, 0, 0));
    EXPECT_EQ(v.At(10, 33), Px(128, 128, 128));
    EXPECT_EQ(v.At(14, 39), Px(128, 128, 128));
    EXPECT_EQ(v.At(47, 10), Px(20, 0, 0));
    EXPECT_EQ(v.At(49, 11), Px(20, 0, 0));
    EXPECT_EQ(v.At(46, 10), Px(128, 128, 128));
    EXPECT_EQ(v.At(50, 10), Paper);
}

TEST(PaintItem, TheBorderSeesTheBackgroundAtTheItemsPlace)
{
    // A 3 x 3 border over its mask, its top-left pixel the key, corners that take the background.
    TTestSkin skin(3, 6, Px(0, 90, 0));
    skin.Fill(TRect(0, 3, 3, 6), Px(0, 0, 0));
    skin.Master(0, 0) = Key;
    const int edit = skin.AddSection(L"EDIT", vcl::clWhite);
    skin.Section(edit).BorderIndex = skin.AddImage(
        {.R = TRect(0, 0, 3, 6), .MaskType = 1, .WL = 1, .WT = 1, .WR = 1, .WB = 1, .CornerType = 1});
    const auto parent = NamedBackground(20, 20);
    const auto bmp = NewBitmap(5, 5, Paper);
    PaintItem(edit, L"EDIT", MakeCacheInfo(parent.get(), 1, 2), 0, TRect(0, 0, 5, 5), TPoint(6, 3), bmp.get(),
              skin.Manager());
    const TPixelView v = PixelsOf(bmp.get());
    EXPECT_EQ(RGBOf(v.At(0, 0)), RGBOf(Px(7, 5, 200)));
    EXPECT_EQ(v.At(1, 0), Px(0, 90, 0));
    EXPECT_EQ(v.At(2, 2), Px(255, 255, 255));
}

TEST(PaintItem, TheControlsHueAndSaturationPassesCoverTheWholeBitmapButKeyAndGrey)
{
    constexpr uint32_t Red = Px(255, 0, 0), Grey = Px(90, 90, 90);
    struct TCase {
        const char* Name;
        int T;
        bool Border;
        int Hue, Saturation;
        uint32_t Expected;  // the section's pixel and the red one outside the item, colour only
    };
    const TCase cases[] = {
        {"opaque, hue", 0, false, 120, 0, Px(0, 255, 0)},
        {"opaque, saturation", 0, false, 0, -100, Px(85, 85, 85)},
        {"see-through without a border: no passes", 50, false, 120, 0, Red},
        {"see-through with a border", 50, true, 120, 0, Px(0, 255, 0)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestSkin skin(3, 3, Red);
        const int red = skin.AddSection(L"RED", vcl::clRed);
        skin.SetTransparency(red, c.T);
        if (c.Border)
            skin.Section(red).BorderIndex = skin.AddImage({.R = TRect(0, 0, 3, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1});
        TsCtrlSkinData data(nullptr, false);
        data.SetSkinManager(skin.Manager());
        data.SetSkinSection(L"RED");
        ASSERT_EQ(data.SkinIndex, red);
        data.SetHUEOffset(c.Hue);
        data.SetSaturation(c.Saturation);
        // The item takes the left 4 x 2; outside it a red, a key and a grey pixel.
        const auto bmp = NewBitmap(6, 2, Red);
        const TPixelView v = PixelsOf(bmp.get());
        v.At(5, 0) = Key;
        v.At(5, 1) = Grey;
        PaintItem(data, TCacheInfo(), 0, TRect(0, 0, 4, 2), TPoint(0, 0), bmp.get(), true);
        EXPECT_EQ(RGBOf(v.At(1, 1)), RGBOf(c.Expected));
        EXPECT_EQ(RGBOf(v.At(4, 0)), RGBOf(c.Expected)) << "outside the item";
        EXPECT_EQ(v.At(5, 0), Key);
        EXPECT_EQ(v.At(5, 1), Grey);
    }
}

TEST(PaintItemBG, ACustomColourIsAPlainFill)
{
    TTestSkin skin;
    const int red = skin.AddSection(L"RED", vcl::clRed);
    skin.Section(red).Transparency = 50;
    skin.Section(red).GradientPercent = 100;
    skin.SyncProps(red);
    const auto bmp = NewBitmap(3, 3, Paper);
    PaintItemBG(red, L"RED", Colour(vcl::clBlue), 0, TRect(0, 0, 3, 3), TPoint(0, 0), bmp.get(), skin.Manager(), -1,
                -1, vcl::clLime);
    EXPECT_EQ(PixelsOf(bmp.get()).At(1, 1), Px(0, 255, 0));
}

TEST(PaintItemBG, TheTextureKeepsItsPercentAgainstTheColourInsideTheRectangleOnly)
{
    // A red section with 30 % of a blue 2 x 2 texture, painted at (1, 1, 4, 3).
    for (const bool withTexture : {true, false}) {
        TTestSkin skin(2, 2, Px(0, 0, 200));
        const int section = skin.AddSection(L"TEXTURED", vcl::clRed);
        skin.Section(section).ImagePercent = 30;
        if (withTexture)
            skin.Section(section).TextureNormal = skin.AddImage({.R = TRect(0, 0, 2, 2)});
        skin.SyncProps(section);
        const auto bmp = NewBitmap(6, 4, Paper);
        PaintItemBG(section, L"TEXTURED", TCacheInfo(), 0, TRect(1, 1, 4, 3), TPoint(0, 0), bmp.get(),
                    skin.Manager(), -1, -1);
        const TPixelView v = PixelsOf(bmp.get());
        EXPECT_EQ(RGBOf(v.At(2, 2)), withTexture ? RGBOf(Px(178, 0, 60)) : RGBOf(Px(255, 0, 0))) << withTexture;
        EXPECT_EQ(v.At(4, 1), Paper);
        EXPECT_EQ(v.At(1, 3), Paper);
        EXPECT_EQ(v.At(0, 1), Paper);
    }
}

TEST(PaintItemBG, GradientsPaintAloneOrMixedWithTheirTexture)
{
    TsGradArray gradient;
    const vcl::String text = L"255;16711680;100;0;0";  // red to blue, top to bottom
    PrepareGradArray(text, gradient);
    TTestSkin skin(2, 2, Px(0, 200, 0));
    const int texture = skin.AddImage({.R = TRect(0, 0, 2, 2)});
    struct Case {
        int ImagePercent, GradientPercent;
        bool GradientText;
    };
    for (const Case c : {Case{0, 100, true}, Case{50, 50, true}, Case{0, 100, false}}) {
        const int section = skin.AddSection(L"GRAD", vcl::clBlack);
        skin.Section(section).ImagePercent = c.ImagePercent;
        skin.Section(section).GradientPercent = c.GradientPercent;
        skin.Section(section).GradientData = c.GradientText ? text : L"";
        skin.Section(section).GradientArray = gradient;
        skin.Section(section).TextureNormal = texture;
        skin.SyncProps(section);
        const auto bmp = NewBitmap(4, 5, Paper);
        PaintItemBG(section, L"GRAD", TCacheInfo(), 0, TRect(0, 0, 4, 5), TPoint(0, 0), bmp.get(), skin.Manager(), -1,
                    -1);
        TPixelBuffer want(4, 5, Paper);
        if (!c.GradientText)
            FillRect32(want.View(), TRect(0, 0, 4, 5), vcl::clBlack);
        else if (c.ImagePercent == 0)
            PaintGrad(want.View(), TRect(0, 0, 4, 5), gradient);
        else
            PaintGradTxt(want.View(), TRect(0, 0, 4, 5), gradient, skin.Master(), TRect(0, 0, 2, 2), 127);
        const TPixelView v = PixelsOf(bmp.get());
        for (int y = 0; y < 5; ++y)
            EXPECT_EQ(RGBOf(v.At(1, y)), RGBOf(want.At(1, y))) << c.ImagePercent << " " << y;
    }
}

TEST(PaintItemBG, AMaskedTextureOfWholeTilesLiesOverTheNormalState)
{
    // A 2 x 2 image over a black mask, fill mode 10, as the section's texture: whole tiles over
    // (0, 0, 5, 3), the bands they leave from what lies beneath (green).
    TTestSkin skin(2, 4, Px(0, 0, 0));
    skin.Fill(TRect(0, 0, 2, 2), Px(150, 0, 0));
    const int section = skin.AddSection(L"OVER", vcl::clWhite, vcl::clBlack);
    skin.Section(section).ImagePercent = 100;
    skin.Section(section).TextureNormal = skin.AddImage({.R = TRect(0, 0, 2, 4), .MaskType = 1, .DrawMode = 10});
    skin.SyncProps(section);
    for (const int state : {0, 1}) {
        const auto bmp = NewBitmap(5, 3, Paper);
        PaintItemBG(section, L"OVER", Colour(vcl::clLime), state, TRect(0, 0, 5, 3), TPoint(0, 0), bmp.get(),
                    skin.Manager(), -1, -1);
        const TPixelView v = PixelsOf(bmp.get());
        EXPECT_EQ(RGBOf(v.At(3, 1)), state == 0 ? RGBOf(Px(150, 0, 0)) : 0u) << state;
        EXPECT_EQ(RGBOf(v.At(4, 0)), state == 0 ? RGBOf(Px(0, 255, 0)) : 0u) << state;
        EXPECT_EQ(RGBOf(v.At(0, 2)), state == 0 ? RGBOf(Px(0, 255, 0)) : 0u) << state;
    }
}

TEST(PaintItemBG, ALargeJpegPatternCoversTheRectangle)
{
    const vcl::String folder = vcl::FromAnsi(testsupport::BinaryDir()) + L"\\skin\\core\\tests\\testskins\\PATTERNS\\";
    vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
    manager->LoadSkinFolder(folder);
    const int pat = manager->GetSkinIndex(L"PAT");
    ASSERT_GE(pat, 0);
    manager->gd[size_t(pat)].Props[0].ImagePercent = 100;
    const auto bmp = NewBitmap(5, 4, Paper);
    PaintItemBG(pat, L"PAT", TCacheInfo(), 0, TRect(1, 1, 5, 4), TPoint(0, 0), bmp.get(), manager.get(), -1, -1);
    const TPixelView v = PixelsOf(bmp.get());
    EXPECT_EQ(RGBOf(v.At(1, 1)), 0xA0A0A0u);
    EXPECT_EQ(RGBOf(v.At(4, 3)), 0xA0A0A0u);
    EXPECT_EQ(v.At(0, 0), Paper);
}

TEST(PaintItemFast, PaintsTheBackgroundAndTheGivenBorderButNoCornerImages)
{
    TTestSkin skin(6, 4, Px(0, 0, 90));
    skin.Fill(TRect(3, 0, 5, 2), Px(77, 0, 0));
    const int section = skin.AddSection(L"FAST", vcl::clYellow);
    skin.Section(section).ImgTL = skin.AddImage({.R = TRect(3, 0, 5, 2)});
    const int border = skin.AddImage({.R = TRect(0, 0, 3, 3), .WL = 1, .WT = 1, .WR = 1, .WB = 1});
    const auto bmp = NewBitmap(6, 6, Paper);
    PaintItemFast(section, border, -1, -1, TCacheInfo(), 0, TRect(0, 0, 6, 6), TPoint(0, 0), bmp.get(),
                  skin.Manager());
    const TPixelView v = PixelsOf(bmp.get());
    EXPECT_EQ(v.At(0, 0), Px(0, 0, 90));
    EXPECT_EQ(v.At(1, 1), Px(255, 255, 0));
    EXPECT_EQ(v.At(5, 3), Px(0, 0, 90));
}

TEST(PaintItemBGFast, FullTransparencyOverAReadyParentCopiesIt)
{
    TTestSkin skin;
    const int glass = skin.AddSection(L"GLASS", vcl::clRed);
    skin.SetTransparency(glass, 100);
    const auto parent = NamedBackground(10, 10);
    const auto bmp = NewBitmap(3, 3, Paper);
    PaintItemBGFast(glass, -1, -1, MakeCacheInfo(parent.get(), 1, 1), 0, TRect(0, 0, 3, 3), TPoint(2, 0),
                    bmp.get(), skin.Manager());
    EXPECT_EQ(PixelsOf(bmp.get()).At(1, 2), Px(4, 3, 200, 77));
    // Over a colour the colour step fills with it.
    PaintItemBGFast(glass, -1, -1, Colour(vcl::clBlue), 0, TRect(0, 0, 3, 3), TPoint(0, 0), bmp.get(),
                    skin.Manager());
    EXPECT_EQ(PixelsOf(bmp.get()).At(1, 2), Px(0, 0, 255));
}

TEST(PaintItem, IntoADeviceContextThroughAScratchBitmap)
{
    TTestSkin skin;
    const int red = skin.AddSection(L"RED", vcl::clRed);
    TDibSection target(6, 5);
    const HDC dc = target.DC();
    SetViewportOrgEx(dc, 0, 0, nullptr);
    const int level = SaveDC(dc);
    PaintItem(red, L"RED", TCacheInfo(), 0, TRect(2, 1, 5, 4), TPoint(0, 0), dc, skin.Manager());
    EXPECT_EQ(SaveDC(dc), level + 1);
    const TPixelView v = target.View();
    EXPECT_EQ(RGBOf(v.At(2, 1)), RGBOf(Px(255, 0, 0)));
    EXPECT_EQ(RGBOf(v.At(4, 3)), RGBOf(Px(255, 0, 0)));
    EXPECT_EQ(v.At(1, 1), 0u);
    EXPECT_EQ(v.At(5, 3), 0u);
}

TEST(PaintSection, FallsBackToTheSecondSectionAndOverTheParentDC)
{
    TTestSkin skin;
    skin.AddSection(L"FIRST", vcl::clRed);
    const int second = skin.AddSection(L"SECOND", vcl::clBlue);
    skin.SetTransparency(second, 100);
    TDibSection parent(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            parent.View().At(x, y) = Px(x, y, 9);
    const auto bmp = NewBitmap(3, 2, Paper);
    EXPECT_EQ(PaintSection(bmp.get(), L"MISSING", L"SECOND", 0, skin.Manager(), TPoint(4, 5), vcl::clGreen,
                           parent.DC()),
              second);
    EXPECT_EQ(RGBOf(PixelsOf(bmp.get()).At(2, 1)), RGBOf(Px(6, 6, 9)));
    EXPECT_EQ(PaintSection(bmp.get(), L"MISSING", L"SECOND", 0, skin.Manager(), TPoint(4, 5), vcl::clGreen, nullptr),
              second);
    EXPECT_EQ(PixelsOf(bmp.get()).At(2, 1), Px(0, 128, 0));
    EXPECT_EQ(PaintSection(bmp.get(), L"FIRST", L"SECOND", 0, skin.Manager(), TPoint(0, 0), vcl::clGreen, nullptr),
              0);
    EXPECT_EQ(PixelsOf(bmp.get()).At(2, 1), Px(255, 0, 0));

    const auto untouched = NewBitmap(3, 2, Paper);
    EXPECT_EQ(PaintSection(untouched.get(), L"MISSING", L"GONE", 0, skin.Manager(), TPoint(0, 0), vcl::clGreen,
                           nullptr),
              -1);
    EXPECT_EQ(PixelsOf(untouched.get()).At(0, 0), Paper);
}

}  // namespace
}  // namespace skin::test
