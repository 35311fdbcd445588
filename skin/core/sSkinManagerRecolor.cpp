// Recolouring a loaded skin: hue, saturation and brightness of its pixels and section colours, and
// the swap of one image for a file.
#include "skin/core/sSkinManagerRecolor.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TColor;

namespace {

constexpr TColor NoColour = TColor(-1);

// ---------------------------------------------------------------------------------------------
// Section colours

template<class F>
void ChangeIfSet(TColor& Colour, F change)
{
    if (Colour != NoColour)
        Colour = change(Colour);
}

template<class F>
void ChangeFontColours(TsFontColor& Colours, F change)
{
    for (TColor* c : {&Colours.Color, &Colours.Left, &Colours.Top, &Colours.Right, &Colours.Bottom})
        ChangeIfSet(*c, change);
}

// The two colours of the first Count pieces of a gradient.
template<class F>
void ChangePieces(TsGradArray& Pieces, size_t Count, F change)
{
    for (size_t i = 0; i < std::min(Count, Pieces.size()); ++i) {
        Pieces[i].Color1 = change(Pieces[i].Color1);
        Pieces[i].Color2 = change(Pieces[i].Color2);
    }
}

// The colours of a section that every recolouring changes. The normal gradient counts its pieces
// by its text, whole pieces of five words only.
template<class F>
void ChangeSectionColours(TsGeneralData& Section, F change)
{
    for (TColor* c : {&Section.Color, &Section.HotColor, &Section.GlowColor, &Section.HotGlowColor})
        *c = change(*c);
    ChangeFontColours(Section.FontColor, change);
    ChangeFontColours(Section.HotFontColor, change);
    ChangePieces(Section.GradientArray, size_t(acWordCount(Section.GradientData, {';'}) / 5), change);
    ChangePieces(Section.HotGradientArray, Section.HotGradientArray.size(), change);
}

// Hue and saturation also change the states' copies and the skin's shadow and border colours.
template<class F>
void ChangeSkinColours(TsSkinManager& Manager, F change)
{
    for (TsGeneralData& section : Manager.gd) {
        ChangeSectionColours(section, change);
        for (TsGenState& state : section.Props) {
            ChangeIfSet(state.Color, change);
            ChangeIfSet(state.GlowColor, change);
            ChangeFontColours(state.FontColor, change);
        }
    }
    Manager.SkinData->Shadow1Color = change(Manager.SkinData->Shadow1Color);
    Manager.SkinData->BorderColor = change(Manager.SkinData->BorderColor);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

// Visit (index, pixels) for every image with a bitmap of its own.
template<class F>
void ForEachOwnBitmap(TsSkinManager& Manager, F visit)
{
    for (size_t i = 0; i < Manager.ma.size(); ++i)
        if (Manager.ma[i].Bmp)
            visit(int(i), PixelsOf(Manager.ma[i].Bmp.get()));
}

// The title-button images a "BIKEEPHUE" skin keeps: the close buttons first, then (with 1) the rest.
constexpr std::array<const wchar_t*, 9> TitleButtons = {L"BICONCLOSE", L"SICONCLOSE", L"BICONMAX",
                                                        L"BICONMIN",   L"BICONNORM",  L"BICONHELP",
                                                        L"SICONMAX",   L"SICONMIN",   L"SICONNORM"};
constexpr size_t CloseButtons = 2;

// A rectangle of the master bitmap kept aside while the rest of it changes.
struct TSavedImage {
    int Index;
    vcl::TRect R;
    TPixelBuffer Pixels;
};

// What a hue change leaves alone: copies of title buttons kept in the master bitmap, and the
// indexes of title buttons and glows with bitmaps of their own.
struct TKeptImages {
    std::vector<TSavedImage> Saved;
    std::vector<int> Own;

    bool Keeps(int Index) const { return std::ranges::find(Own, Index) != Own.end(); }
};

TKeptImages SaveTitleButtons(TsSkinManager& Manager, int KeepHue)
{
    TKeptImages kept;
    const String section = L"GLOBALINFO";
    const TPixelView master = PixelsOf(Manager.MasterBitmap.get());
    const size_t count = KeepHue == 1 ? TitleButtons.size() : CloseButtons;
    for (size_t n = 0; n < count; ++n) {
        const String name = TitleButtons[n];
        const int index = Manager.GetMaskIndex(section, name);
        if (index >= 0 && !Manager.ma[size_t(index)].Bmp) {
            const vcl::TRect r = Manager.ma[size_t(index)].R;
            TSavedImage& saved = kept.Saved.emplace_back(index, r, TPixelBuffer(r.Width(), r.Height()));
            px::CopyPixels(saved.Pixels.View(), 0, 0, master, r);
        } else {
            kept.Own.push_back(index);
        }
        const int glow = Manager.GetMaskIndex(section, name + L"GLOW0");
        if (glow >= 0 && Manager.ma[size_t(glow)].Bmp)
            kept.Own.push_back(glow);
    }
    return kept;
}

void RestoreTitleButtons(TsSkinManager& Manager, TKeptImages& Kept)
{
    const TPixelView master = PixelsOf(Manager.MasterBitmap.get());
    for (TSavedImage& saved : Kept.Saved)
        if (Manager.IsValidImgIndex(saved.Index))
            px::CopyPixels(master, saved.R.left, saved.R.top, saved.Pixels.View(), saved.Pixels.View().Bounds());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Hue, saturation, brightness

void ChangeSkinHue(TsSkinManager* Manager, int Hue)
{
    if (Hue == 0)
        return;
    TsSkinManager& m = *Manager;
    const int keepHue = m.SkinData->BIKeepHUE;
    TKeptImages kept = keepHue != 0 ? SaveTitleButtons(m, keepHue) : TKeptImages();
    ChangeBmpHUE(PixelsOf(m.MasterBitmap.get()), Hue);
    RestoreTitleButtons(m, kept);
    ForEachOwnBitmap(m, [&](int index, const TPixelView& pixels) {
        if (!kept.Keeps(index))
            ChangeBmpHUE(pixels, Hue);
    });
    ChangeSkinColours(m, [Hue](TColor c) { return ChangeHue(Hue, c); });
}

void ChangeSkinSaturation(TsSkinManager* Manager, int Value)
{
    // 101 percent and more wrap round: 150 acts as 49.
    const int percent = Value % 101;
    if (percent == 0)
        return;
    TsSkinManager& m = *Manager;
    ChangeBmpSaturation(PixelsOf(m.MasterBitmap.get()), percent);
    ForEachOwnBitmap(m, [percent](int, const TPixelView& pixels) { ChangeBmpSaturation(pixels, percent); });
    ChangeSkinColours(m, [percent](TColor c) { return ChangeSaturation(c, percent); });
}

void ChangeSkinBrightness(TsSkinManager* Manager, int Value)
{
    if (Value == 0)
        return;
    TsSkinManager& m = *Manager;
    const auto brighten = [Value](const TPixelView& pixels) {
        px::MapPixels(pixels, [Value](uint32_t p) {
            return p == px::KeyPixel ? p : uint32_t(ChangeBrightness(TColor(p), Value));
        });
    };
    brighten(PixelsOf(m.MasterBitmap.get()));
    ForEachOwnBitmap(m, [&](int, const TPixelView& pixels) { brighten(pixels); });
    for (TsGeneralData& section : m.gd)
        ChangeSectionColours(section, [Value](TColor c) { return ChangeBrightness(c, Value); });
}

// ---------------------------------------------------------------------------------------------
// Swapping an image for a file

namespace {

bool IsPatternKey(const String& Key) { return Key == L"PATTERN" || Key == L"HOTPATTERN"; }

// The first entry of the table with that section and key, compared as Same says; the end when none.
template<class Table, class Same>
auto FindEntry(Table& Entries, const String& Section, const String& Key, Same same)
{
    return std::ranges::find_if(Entries, [&](const auto& e) { return same(e.ClassName, Section) && same(e.PropertyName, Key); });
}

constexpr auto Exactly = [](const String& a, const String& b) { return a == b; };
constexpr auto WithoutCase = [](const String& a, const String& b) { return vcl::UpperCase(a) == b; };

// Removes the first entry of that section and key: the last entry takes its place.
template<class Table>
bool RemoveEntry(Table& Entries, const String& Section, const String& Key)
{
    const auto found = FindEntry(Entries, Section, Key, Exactly);
    if (found == Entries.end())
        return false;
    *found = std::move(Entries.back());
    Entries.pop_back();
    return true;
}

// Loads the bitmap file into the image's own bitmap, made when it has none, as 32 bits.
void LoadOwnBitmap(TsMaskData& Mask, const String& FileName)
{
    if (!Mask.Bmp)
        Mask.Bmp.reset(vcl::Create<vcl::TBitmap>());
    Mask.Bmp->LoadFromFile(FileName);
    MakeOpaque32(Mask.Bmp.get());
}

void ChangeBitmapPattern(TsSkinManager& Manager, const String& Section, const String& Key, const String& FileName)
{
    TsMaskArray& ma = Manager.ma;
    if (const auto found = FindEntry(ma, Section, Key, WithoutCase); found != ma.end()) {
        LoadOwnBitmap(*found, FileName);
        return;
    }
    // The entry goes in before its file is read: a file that fails leaves it with an empty image.
    TsMaskData& mask = ma.emplace_back();
    mask.ClassName = Section;
    mask.PropertyName = Key;
    mask.Manager = &Manager;
    mask.ImgType = TacImgType::itisaTexture;
    LoadOwnBitmap(mask, FileName);
    mask.R = vcl::TRect(0, 0, mask.Bmp->Width(), mask.Bmp->Height());
    mask.ImageCount = 1;
    if (mask.Bmp->Width() < 1)
        ma.pop_back();
    RemoveEntry(Manager.pa, Section, Key);
}

void ChangeJpegPattern(TsSkinManager& Manager, const String& Section, const String& Key, const String& FileName)
{
    TsPatternArray& pa = Manager.pa;
    if (const auto found = FindEntry(pa, Section, Key, Exactly); found != pa.end()) {
        if (!found->Img)
            found->Img.reset(vcl::Create<vcl::TJPEGImage>());
        found->Img->LoadFromFile(FileName);
        return;
    }
    TsPatternData& pattern = pa.emplace_back();
    pattern.ClassName = Section;
    pattern.PropertyName = Key;
    pattern.Img.reset(vcl::Create<vcl::TJPEGImage>());
    pattern.Img->LoadFromFile(FileName);
    if (pattern.Img->Width() < 1)
        pa.pop_back();
    // Moving the last image into a freed place changes its index: the sections' cached indexes
    // are found again so that none points past the table or at another image.
    if (RemoveEntry(Manager.ma, Section, Key))
        Manager.InitConstantIndexes();
}

}  // namespace

bool ChangeImageInSkin(const String& SkinSection, const String& PropName, const String& FileName, TsSkinManager* Manager)
{
    if (!Manager || !Manager->SkinData->Active || SkinSection.empty() || PropName.empty() || !vcl::FileExists(FileName))
        return false;
    const String key = vcl::UpperCase(PropName);
    const String section = vcl::UpperCase(SkinSection);
    const bool bitmap = vcl::UpperCase(FileName).find(L".BMP") != String::npos;
    if (!IsPatternKey(key)) {
        const auto found = FindEntry(Manager->ma, section, key, Exactly);
        if (!bitmap || found == Manager->ma.end())
            return false;
        LoadOwnBitmap(*found, FileName);
    } else if (bitmap) {
        ChangeBitmapPattern(*Manager, section, key, FileName);
    } else {
        ChangeJpegPattern(*Manager, section, key, FileName);
    }
    return true;
}

}  // namespace skin
