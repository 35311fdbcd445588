// Recolouring a loaded skin: what hue, saturation and brightness change and what they keep, the
// title buttons a skin keeps in its colours, the loader's recolouring and the swap of an image.
#include <gtest/gtest.h>

#include <vector>

#include "SkinTestSupport.h"
#include "skin/core/sSkinManagerRecolor.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"

using namespace skin;
using skintest::LoadSkin;
using skintest::TestSkinFolder;
using vcl::String;
using vcl::TColor;

namespace {

using TManager = vcl::TObjectPtr<TsSkinManager>;

std::vector<uint32_t> AllPixels(vcl::TBitmap* Bmp)
{
    std::vector<uint32_t> pixels;
    const TPixelView view = PixelsOf(Bmp);
    for (int y = 0; y < view.Height; ++y)
        for (int x = 0; x < view.Width; ++x)
            pixels.push_back(view.At(x, y));
    return pixels;
}

void AddFontColours(std::vector<TColor>& Out, const TsFontColor& F)
{
    Out.insert(Out.end(), {F.Color, F.Left, F.Top, F.Right, F.Bottom});
}

void AddPieces(std::vector<TColor>& Out, const TsGradArray& Pieces)
{
    for (const TsGradPie& p : Pieces)
        Out.insert(Out.end(), {p.Color1, p.Color2});
}

// Every pixel and colour a recolouring may touch.
struct TSkinLook {
    std::vector<uint32_t> Master;
    std::vector<std::vector<uint32_t>> Own;  // by image index; empty for images of the master bitmap
    std::vector<TColor> Colours;

    explicit TSkinLook(TsSkinManager& M) : Master(AllPixels(M.MasterBitmap.get()))
    {
        for (const TsMaskData& mask : M.ma)
            Own.push_back(mask.Bmp ? AllPixels(mask.Bmp.get()) : std::vector<uint32_t>());
        for (const TsGeneralData& d : M.gd) {
            Colours.insert(Colours.end(), {d.Color, d.HotColor, d.GlowColor, d.HotGlowColor});
            AddFontColours(Colours, d.FontColor);
            AddFontColours(Colours, d.HotFontColor);
            AddPieces(Colours, d.GradientArray);
            AddPieces(Colours, d.HotGradientArray);
            for (const TsGenState& s : d.Props) {
                Colours.insert(Colours.end(), {s.Color, s.GlowColor});
                AddFontColours(Colours, s.FontColor);
            }
        }
        Colours.insert(Colours.end(), {M.SkinData->Shadow1Color, M.SkinData->BorderColor});
    }
    bool operator==(const TSkinLook&) const = default;
};

TManager Recolour() { return LoadSkin(TestSkinFolder("RECOLOUR")); }

// The pixels of an image's rectangle in the master bitmap, or of its own bitmap.
std::vector<uint32_t> ImagePixels(TsSkinManager& M, const String& Key)
{
    const int index = M.GetMaskIndex(L"GLOBALINFO", Key);
    EXPECT_GE(index, 0) << vcl::ToAnsi(Key);
    if (index < 0)
        return {};
    const TsMaskData& mask = M.ma[size_t(index)];
    if (mask.Bmp)
        return AllPixels(mask.Bmp.get());
    std::vector<uint32_t> pixels;
    const TPixelView master = PixelsOf(M.MasterBitmap.get());
    for (int y = mask.R.top; y < mask.R.bottom; ++y)
        for (int x = mask.R.left; x < mask.R.right; ++x)
            pixels.push_back(master.At(x, y));
    return pixels;
}

bool IsGrey(uint32_t p) { return px::R(p) == px::G(p) && px::G(p) == px::B(p); }

}  // namespace

TEST(SkinRecolour, NoChangeLeavesEveryPixelAndColourAsLoaded)
{
    TManager m = Recolour();
    const TSkinLook loaded(*m);
    ChangeSkinHue(m.get(), 0);
    ChangeSkinSaturation(m.get(), 0);
    ChangeSkinSaturation(m.get(), 101);
    ChangeSkinSaturation(m.get(), -202);
    ChangeSkinBrightness(m.get(), 0);
    EXPECT_TRUE(TSkinLook(*m) == loaded);
}

TEST(SkinRecolour, SaturationBeyondAHundredWrapsRoundWithItsSign)
{
    const struct {
        int Given, Acts;
    } cases[] = {{150, 49}, {-150, -49}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Given);
        TManager given = Recolour(), acts = Recolour();
        const TSkinLook loaded(*given);
        ChangeSkinSaturation(given.get(), c.Given);
        ChangeSkinSaturation(acts.get(), c.Acts);
        EXPECT_FALSE(TSkinLook(*given) == loaded);
        EXPECT_TRUE(TSkinLook(*given) == TSkinLook(*acts));
    }
}

TEST(SkinRecolour, HueAndSaturationKeepGreysAndKeyPixelsWhileBrightnessMovesGreys)
{
    TManager m = Recolour();
    const std::vector<uint32_t> loaded = AllPixels(m->MasterBitmap.get());
    ASSERT_TRUE(std::ranges::count(loaded, px::KeyPixel) > 0);
    ASSERT_TRUE(std::ranges::count_if(loaded, [](uint32_t p) { return p != px::KeyPixel && IsGrey(p); }) > 0);
    m->SkinData->BIKeepHUE = 0;

    const struct {
        const char* Name;
        void (*Change)(TsSkinManager*, int);
        int Value;
        bool GreysMove;
    } passes[] = {
        {"hue", ChangeSkinHue, 120, false},
        {"saturation", ChangeSkinSaturation, -60, false},
        {"brightness", ChangeSkinBrightness, 30, true},
    };
    for (const auto& pass : passes) {
        SCOPED_TRACE(pass.Name);
        const std::vector<uint32_t> before = AllPixels(m->MasterBitmap.get());
        pass.Change(m.get(), pass.Value);
        const std::vector<uint32_t> after = AllPixels(m->MasterBitmap.get());
        int coloursMoved = 0, greysMoved = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] == px::KeyPixel)
                EXPECT_EQ(after[i], px::KeyPixel) << i;
            else if (IsGrey(before[i]))
                greysMoved += after[i] != before[i];
            else
                coloursMoved += after[i] != before[i];
        }
        EXPECT_GT(coloursMoved, 0);
        EXPECT_EQ(greysMoved > 0, pass.GreysMove);
    }
}

TEST(SkinRecolour, KeepHueKeepsTheTitleButtonsAndTheirGlowsItNames)
{
    const std::vector<String> closeButtons = {L"BICONCLOSE", L"SICONCLOSE"};
    const std::vector<String> otherButtons = {L"BICONMAX",  L"BICONMIN", L"BICONNORM", L"BICONHELP",
                                              L"SICONMAX", L"SICONMIN", L"SICONNORM"};
    const struct {
        int KeepHue;
        bool CloseKept, OthersKept;
    } cases[] = {{0, false, false}, {1, true, true}, {2, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.KeepHue);
        TManager m = Recolour();
        m->SkinData->BIKeepHUE = vcl::SmallInt(c.KeepHue);
        const auto kept = [&](const std::vector<String>& keys, bool expected) {
            std::vector<std::vector<uint32_t>> before;
            for (const String& key : keys)
                before.push_back(ImagePixels(*m, key));
            return [&m, keys, before, expected] {
                for (size_t i = 0; i < keys.size(); ++i)
                    EXPECT_EQ(ImagePixels(*m, keys[i]) == before[i], expected) << vcl::ToAnsi(keys[i]);
            };
        };
        const auto closeCheck = kept(closeButtons, c.CloseKept);
        const auto othersCheck = kept(otherButtons, c.OthersKept);
        const auto closeGlowCheck = kept({L"BICONCLOSEGLOW0"}, c.CloseKept);
        const auto otherGlowCheck = kept({L"BICONMAXGLOW0"}, c.OthersKept);
        const auto gripCheck = kept({L"GRIPIMAGE"}, false);
        const int panelBorder = m->GetMaskIndex(L"PANEL", L"BORDERSMASK");
        const vcl::TRect panel = m->ma[size_t(panelBorder)].R;
        const uint32_t panelPixel = PixelsOf(m->MasterBitmap.get()).At(panel.left + 2, panel.top + 1);

        ChangeSkinHue(m.get(), 90);
        closeCheck();
        othersCheck();
        closeGlowCheck();
        otherGlowCheck();
        gripCheck();
        EXPECT_NE(PixelsOf(m->MasterBitmap.get()).At(panel.left + 2, panel.top + 1), panelPixel);
    }
}

TEST(SkinRecolour, SectionColoursChangeButUnsetOnesAndPiecesBeyondTheGradientTextStay)
{
    TManager m = Recolour();
    TsGeneralData& g = m->gd[size_t(m->GetSkinIndex(L"GRADIENT"))];
    // Seven words make one whole piece: the second piece is not the text's.
    g.GradientData = L"255;65280;50;0;0;16711680;100";
    g.GradientArray = {TsGradPie{TColor(0xFF), TColor(0xFF00), 50}, TsGradPie{TColor(0xFF0000), TColor(0xFF), 50}};
    g.HotGradientArray.push_back(TsGradPie{TColor(0xFF0000), TColor(0xFF), 50});
    g.Props[1].Color = TColor(-1);
    const TsGeneralData before = g;
    ASSERT_EQ(before.FontColor.Left, TColor(-1));
    const TColor shadow = m->SkinData->Shadow1Color = TColor(0x3080C0);

    ChangeSkinHue(m.get(), 120);
    const auto rotated = [](TColor c) { return ChangeHue(120, c); };
    EXPECT_EQ(g.Color, rotated(before.Color));
    EXPECT_EQ(g.HotColor, rotated(before.HotColor));
    EXPECT_EQ(g.FontColor.Color, rotated(before.FontColor.Color));
    for (TColor c : {g.FontColor.Left, g.FontColor.Top, g.FontColor.Right, g.FontColor.Bottom, g.HotFontColor.Bottom,
                     g.Props[0].FontColor.Right, g.Props[1].Color})
        EXPECT_EQ(c, TColor(-1));
    EXPECT_EQ(g.Props[0].Color, rotated(before.Props[0].Color));
    EXPECT_EQ(g.GradientArray[0].Color1, rotated(TColor(0xFF)));
    EXPECT_EQ(g.GradientArray[0].Color2, rotated(TColor(0xFF00)));
    EXPECT_EQ(g.GradientArray[1].Color1, TColor(0xFF0000));
    EXPECT_EQ(g.GradientArray[1].Color2, TColor(0xFF));
    EXPECT_EQ(g.HotGradientArray.back().Color1, rotated(TColor(0xFF0000)));
    EXPECT_EQ(m->SkinData->Shadow1Color, rotated(shadow));

    // Brightness leaves the states' copies and the skin's shadow colour alone.
    const TColor stateColour = g.Props[0].Color;
    ChangeSkinBrightness(m.get(), -40);
    EXPECT_EQ(g.Props[0].Color, stateColour);
    EXPECT_EQ(m->SkinData->Shadow1Color, rotated(shadow));
    EXPECT_EQ(g.Color, ChangeBrightness(rotated(before.Color), -40));
}

TEST(SkinRecolour, ALoadAppliesTheManagersHueThenItsSaturation)
{
    TManager expected = Recolour();
    ChangeSkinHue(expected.get(), 200);
    ChangeSkinSaturation(expected.get(), 40);

    TManager m(vcl::Create<TsSkinManager>(nullptr));
    m->SetActive(false);
    m->SetHueOffset(200);
    m->SetSaturation(40);
    m->LoadSkinFolder(TestSkinFolder("RECOLOUR"));
    EXPECT_TRUE(TSkinLook(*m) == TSkinLook(*expected));
}

namespace {

// PATTERNS keeps "PATTERN" of "PAT" as a JPEG pattern and its "HOTPATTERN" as a texture image.
struct TSwapFiles {
    skintest::TTempSkin Folder;
    String Bitmap;  // 4 x 3, one colour
    String Picture = TestSkinFolder("PATTERNS") + L"SMALL.JPG";

    TSwapFiles() : Bitmap(Folder.Folder() + L"MASTER.BMP") { Folder.WriteMaster(4, 3, 0x2040C0); }
};

// The test skin of that name loaded and in force, as the swap asks.
TManager InForce(const std::string& Skin)
{
    TManager m = LoadSkin(TestSkinFolder(Skin));
    m->SkinData->Active = true;
    return m;
}

const TsMaskData* FindImage(TsSkinManager& M, const String& Section, const String& Key)
{
    const int index = M.GetMaskIndex(Section, Key);
    return index < 0 ? nullptr : &M.ma[size_t(index)];
}

}  // namespace

TEST(SkinImageSwap, RefusalsChangeNothing)
{
    const TSwapFiles files;
    TManager m = InForce("PATTERNS");
    const size_t images = m->ma.size();
    const auto unchanged = [&] {
        EXPECT_EQ(m->ma.size(), images);
        ASSERT_EQ(m->pa.size(), 1u);
        EXPECT_EQ(m->pa[0].Img->Width(), 1000);
        const TsMaskData* texture = FindImage(*m, L"PAT", L"HOTPATTERN");
        ASSERT_TRUE(texture && texture->Bmp);
        EXPECT_EQ(texture->Bmp->Width(), 999);
    };
    const struct {
        const char* Why;
        String Section, Key, File;
    } cases[] = {
        {"no section", L"", L"HOTPATTERN", files.Bitmap},
        {"no key", L"PAT", L"", files.Bitmap},
        {"a missing file", L"PAT", L"HOTPATTERN", files.Folder.Folder() + L"NONE.BMP"},
        {"an image the section lacks", L"PAT", L"BORDERSMASK", files.Bitmap},
        {"a picture for an image", L"PAT", L"BORDERSMASK", files.Picture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        EXPECT_FALSE(ChangeImageInSkin(c.Section, c.Key, c.File, m.get()));
        unchanged();
    }
    m->SkinData->Active = false;
    EXPECT_FALSE(ChangeImageInSkin(L"PAT", L"HOTPATTERN", files.Bitmap, m.get()));
    unchanged();
    EXPECT_FALSE(ChangeImageInSkin(L"PAT", L"HOTPATTERN", files.Bitmap, nullptr));
}

TEST(SkinImageSwap, AnImageTakesABitmapFile)
{
    const TSwapFiles files;
    TManager m = InForce("RECOLOUR");
    const size_t images = m->ma.size();
    ASSERT_FALSE(FindImage(*m, L"PANEL", L"BORDERSMASK")->Bmp) << "the border lies in the master bitmap";

    EXPECT_TRUE(ChangeImageInSkin(L"panel", L"bordersmask", files.Bitmap, m.get()));
    const TsMaskData* border = FindImage(*m, L"PANEL", L"BORDERSMASK");
    ASSERT_TRUE(border->Bmp);
    EXPECT_EQ(border->Bmp->Width(), 4);
    EXPECT_EQ(border->Bmp->PixelFormat(), vcl::TPixelFormat::pf32bit);
    EXPECT_EQ(skintest::PixelARGB(border->Bmp.get(), 3, 2), 0xFF2040C0u);
    EXPECT_EQ(m->ma.size(), images);
}

// A pattern key moves between the two tables: a bitmap makes it a texture image, a picture a JPEG
// pattern, and the entry of the other table goes.
TEST(SkinImageSwap, PatternsMoveBetweenTexturesAndPictures)
{
    const TSwapFiles files;
    TManager m = InForce("PATTERNS");
    const size_t images = m->ma.size();

    EXPECT_TRUE(ChangeImageInSkin(L"pat", L"hotpattern", files.Bitmap, m.get()));
    EXPECT_EQ(FindImage(*m, L"PAT", L"HOTPATTERN")->Bmp->Width(), 4) << "the texture takes the file";
    EXPECT_EQ(m->ma.size(), images);

    EXPECT_TRUE(ChangeImageInSkin(L"PAT", L"PATTERN", files.Picture, m.get()));
    ASSERT_EQ(m->pa.size(), 1u);
    EXPECT_EQ(m->pa[0].Img->Width(), 999) << "the pattern takes the file";

    EXPECT_TRUE(ChangeImageInSkin(L"PAT", L"PATTERN", files.Bitmap, m.get()));
    EXPECT_TRUE(m->pa.empty());
    ASSERT_EQ(m->ma.size(), images + 1);
    const TsMaskData& added = m->ma.back();
    EXPECT_EQ(added.ClassName, L"PAT");
    EXPECT_EQ(added.PropertyName, L"PATTERN");
    EXPECT_EQ(added.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(vcl::TRect(added.R), vcl::TRect(0, 0, 4, 3));
    EXPECT_EQ(added.ImageCount, 1);
    EXPECT_EQ(added.Manager, m.get());

    EXPECT_TRUE(ChangeImageInSkin(L"PAT", L"HOTPATTERN", files.Picture, m.get()));
    ASSERT_EQ(m->pa.size(), 1u);
    EXPECT_EQ(m->pa[0].PropertyName, L"HOTPATTERN");
    EXPECT_EQ(m->pa[0].Img->Width(), 999);
    EXPECT_EQ(m->ma.size(), images);
    EXPECT_EQ(FindImage(*m, L"PAT", L"HOTPATTERN"), nullptr);
    EXPECT_NE(FindImage(*m, L"PAT", L"PATTERN"), nullptr) << "the image moved into the freed place";
}
