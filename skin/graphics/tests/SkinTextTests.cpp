// Captions in skin colours, checked against references the tests draw with plain DrawTextW in the
// same non-antialiased font: contours, the disabled looks, the web button's underline, the glow,
// the colours of the section beneath a see-through control, and text on 32-bit images.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"
#include "vcl/properties.h"

namespace skin::test {
namespace {

using vcl::String;
using vcl::TBitmap;
using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

constexpr int W = 64, H = 36;
constexpr uint32_t Ground = Px(40, 50, 60, 255);
const String Caption = L"Ab";
const TRect Area(4, 4, 60, 32);
constexpr UINT Flags = DT_LEFT | DT_TOP | DT_SINGLELINE;

constexpr TColor Red = TColor(0x0000FF), Green = TColor(0x00FF00), Blue = TColor(0xFF0000);
constexpr TColor Yellow = TColor(0x00FFFF), Cyan = TColor(0xFFFF00), Magenta = TColor(0xFF00FF);
constexpr TColor White = TColor(0xFFFFFF), None = TColor(-1);

// One copy of the text a reference draws: its colour and its shift.
struct TPass {
    TColor Colour;
    int DX = 0, DY = 0;
};

std::unique_ptr<TBitmap> Canvas32()
{
    std::unique_ptr<TBitmap> bmp = CreateBmp32(W, H);
    const TPixelView v = PixelsOf(bmp.get());
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            v.At(x, y) = Ground;
    vcl::TFont* font = bmp->Canvas()->Font();
    font->SetName(L"Tahoma");
    font->SetHeight(-18);
    font->SetStyle(vcl::TFontStyle::fsBold);
    font->SetQuality(vcl::TFontQuality::fqNonAntialiased);
    return bmp;
}

std::vector<uint32_t> Pixels(TBitmap* Bmp)
{
    const TPixelView v = PixelsOf(Bmp);
    std::vector<uint32_t> all;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            all.push_back(v.At(x, y));
    return all;
}

// The text drawn with DrawTextW into Clip of Bmp, a copy a pass, in Bmp's canvas font.
void DrawReference(TBitmap* Bmp, const std::vector<TPass>& Passes, const TRect& Clip = Area)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldBitmap = SelectObject(dc, Bmp->Handle());
    const HGDIOBJ oldFont = SelectObject(dc, Bmp->Canvas()->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, Clip.left, Clip.top, Clip.right, Clip.bottom);
    for (const TPass& pass : Passes) {
        SetTextColor(dc, vcl::ColorToRGB(pass.Colour));
        RECT r = Area.Offsetted(pass.DX, pass.DY);
        DrawTextW(dc, Caption.c_str(), int(Caption.size()), &r, Flags);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}

// The two images agree; else where they first differ and in how many pixels.
::testing::AssertionResult SameImage(const std::vector<uint32_t>& Actual, const std::vector<uint32_t>& Expected)
{
    int differing = 0, first = -1;
    for (size_t i = 0; i < Actual.size() && i < Expected.size(); ++i)
        if (Actual[i] != Expected[i] && differing++ == 0)
            first = int(i);
    if (differing == 0 && Actual.size() == Expected.size())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << differing << " pixels differ";
    if (first >= 0)
        failure << ", first at " << first % W << "," << first / W << ": " << std::hex << Actual[size_t(first)]
                << " instead of " << Expected[size_t(first)];
    return failure;
}

std::vector<uint32_t> Reference(const std::vector<TPass>& Passes, const TRect& Clip = Area)
{
    const std::unique_ptr<TBitmap> bmp = Canvas32();
    DrawReference(bmp.get(), Passes, Clip);
    return Pixels(bmp.get());
}

// A windowed control that publishes its skin data, as the skinned containers do.
class TSkinnedParent : public vcl::TCustomControl {
    CL_CLASS(TSkinnedParent, vcl::TCustomControl)
    CL_PUBLISHED
public:
    explicit TSkinnedParent(vcl::TComponent* AOwner) : TCustomControl(AOwner), Data(this, false) {}
    TsCommonData* SkinData() { return &Data; }
    void SetSkinData(TsCommonData*) {}
    TsCommonData Data;
};

void TSkinnedParent::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TSkinnedParent::SkinData, &TSkinnedParent::SetSkinData);
}

// A skin whose section "S" writes in red with a hot state in blue, a global section of white and
// a control's skin data on section "S".
class SkinText : public ::testing::Test {
protected:
    SkinText()
    {
        FSection = FSkin.AddSection(L"S", TColor(0x808080));
        SetFontColours(0, {Red, None, None, None, None});
        SetFontColours(1, {Blue, None, None, None, None});
        FSkin.Manager()->ConstData.IndexGLobalInfo = FSkin.AddSection(L"GLOBALINFO", White);
        FData.SetSkinSection(L"S");
    }
    void SetFontColours(int State, const TsFontColor& Colours)
    {
        FSkin.Section(FSection).Props[size_t(State)].FontColor = Colours;
        (State == 0 ? FSkin.Section(FSection).FontColor : FSkin.Section(FSection).HotFontColor) = Colours;
    }
    // The caption written through the skin data onto a fresh bitmap.
    std::vector<uint32_t> Write(bool Enabled, bool Hot)
    {
        FBmp = Canvas32();
        TRect r = Area;
        WriteTextEx(FBmp->Canvas(), Caption, Enabled, r, Flags, FData, Hot);
        EXPECT_EQ(r, Area);
        return Pixels(FBmp.get());
    }
    std::vector<uint32_t> WriteByIndex(bool Enabled, bool Hot, int Index)
    {
        FBmp = Canvas32();
        TRect r = Area;
        WriteTextEx(FBmp->Canvas(), Caption, Enabled, r, Flags, Index, Hot, FSkin.Manager());
        return Pixels(FBmp.get());
    }

    TTestSkin FSkin;
    int FSection;
    vcl::TObjectPtr<vcl::TCustomControl> FOwner{vcl::Create<vcl::TCustomControl>(nullptr)};
    TsCommonData FData{FOwner.get(), false};
    std::unique_ptr<TBitmap> FBmp;
};

TEST_F(SkinText, ContoursComeFirstLeftTopRightBottomThenTheText)
{
    struct {
        TsFontColor Colours;
        bool Hot;
        std::vector<TPass> Expected;
    } const cases[] = {
        {{Red, None, None, None, None}, false, {{Red}}},
        {{Red, Green, Blue, Yellow, Cyan}, false, {{Green, -1, 0}, {Blue, 0, -1}, {Yellow, 1, 0}, {Cyan, 0, 1}, {Red}}},
        {{Red, None, None, Magenta, None}, false, {{Magenta, 1, 0}, {Red}}},
        {{Green, None, Yellow, None, None}, true, {{Yellow, 0, -1}, {Green}}},  // the hot state's colours
    };
    for (const auto& c : cases) {
        SetFontColours(c.Hot ? 1 : 0, c.Colours);
        EXPECT_TRUE(SameImage(Write(true, c.Hot), Reference(c.Expected))) << c.Expected.size() << " passes, hot " << c.Hot;
    }
}

TEST_F(SkinText, TheControlsHueShiftsTheColours)
{
    FData.SetHUEOffset(120);
    SetFontColours(0, {Red, Blue, None, None, None});
    EXPECT_TRUE(SameImage(Write(true, false), Reference({{Red, -1, 0}, {Green}})));
}

TEST_F(SkinText, DisabledMixesTheFontColourIntoTheGlobalColour)
{
    SetFontColours(0, {TColor(0), Green, Green, Green, Green});
    // 40 % of black and 60 % of white: 153 on every channel; no contours.
    EXPECT_TRUE(SameImage(Write(false, false), Reference({{TColor(0x999999)}})));
    EXPECT_EQ(FBmp->Canvas()->Font()->Color(), TColor(0x999999));
}

TEST_F(SkinText, WithoutSkinOrWithItsOwnFontTheCanvasColoursServe)
{
    for (const bool customFont : {false, true}) {
        FData.SetSkinSection(customFont ? L"S" : L"MISSING");
        FData.SetCustomFont(customFont);
        FBmp = Canvas32();
        FBmp->Canvas()->Font()->SetColor(Magenta);
        TRect r = Area;
        WriteTextEx(FBmp->Canvas(), Caption, true, r, Flags, FData, false);
        EXPECT_TRUE(SameImage(Pixels(FBmp.get()), Reference({{Magenta}}))) << customFont;

        // Disabled: engraved, the light copy a pixel lower and to the right under the shadow.
        FBmp = Canvas32();
        WriteTextEx(FBmp->Canvas(), Caption, false, r, Flags, FData, false);
        EXPECT_TRUE(SameImage(Pixels(FBmp.get()), Reference({{vcl::clBtnHighlight, 1, 1}, {vcl::clBtnShadow}}))) << customFont;
        EXPECT_EQ(FBmp->Canvas()->Font()->Color(), vcl::clBtnShadow);
    }
}

TEST_F(SkinText, ClippedToTheRectangleAndTheDCComesBackAsItWas)
{
    SetFontColours(0, {Red, Green, Green, Green, Green});
    const std::unique_ptr<TBitmap> bmp = Canvas32();
    vcl::TCanvas* canvas = bmp->Canvas();
    canvas->Brush()->SetColor(TColor(0x404040));
    canvas->FillRect(TRect(0, 0, 1, 1));  // the canvas's brush in the DC: the background mode opaque
    const HDC dc = canvas->Handle();
    const int mode = GetBkMode(dc);
    RECT clip;
    const int clipKind = GetClipBox(dc, &clip);

    // A rectangle that cuts the text: nothing outside it is written, the contours included.
    const TRect narrow(4, 4, 14, 14);
    TRect r = narrow;
    WriteTextEx(canvas, Caption, true, r, Flags, FData, false);
    EXPECT_EQ(r, narrow);
    EXPECT_EQ(GetBkMode(dc), mode);
    RECT after;
    EXPECT_EQ(GetClipBox(dc, &after), clipKind);
    EXPECT_EQ(TRect(after), TRect(clip));

    const std::unique_ptr<TBitmap> expected = Canvas32();
    PixelsOf(expected.get()).At(0, 0) = PixelsOf(bmp.get()).At(0, 0);
    const std::vector<TPass> passes = {{Green, -1, 0}, {Green, 0, -1}, {Green, 1, 0}, {Green, 0, 1}, {Red}};
    // Drawn at the narrow rectangle, the text is where the reference puts it at Area.
    ASSERT_EQ(narrow.TopLeft(), Area.TopLeft());
    DrawReference(expected.get(), passes, narrow);
    EXPECT_TRUE(SameImage(Pixels(bmp.get()), Pixels(expected.get())));
    EXPECT_FALSE(SameImage(Pixels(bmp.get()), Reference(passes))) << "the text reaches beyond the narrow rectangle";
}

TEST_F(SkinText, AHotWebButtonUnderlinesTheCanvasFontForGood)
{
    struct {
        bool WebButton, Hot, Underlined;
    } const cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        FSkin.Manager()->ConstData.IndexWebBtn = c.WebButton ? FSection : -1;
        Write(true, c.Hot);
        EXPECT_EQ(FBmp->Canvas()->Font()->Style().Contains(vcl::TFontStyle::fsUnderline), c.Underlined)
            << c.WebButton << c.Hot;
    }
}

TEST_F(SkinText, TheGlowLiesInTheCacheBeneathTheText)
{
    FSkin.Section(FSection).Props[0].GlowSize = 3;
    FSkin.Section(FSection).Props[0].GlowColor = Yellow;
    FData.FCacheBmp = Canvas32();
    TRect r = Area;
    WriteTextEx(FData.FCacheBmp->Canvas(), Caption, true, r, Flags, FData, false);

    const std::unique_ptr<TBitmap> expected = Canvas32();
    std::unique_ptr<TBitmap> mask;
    acDrawGlowForText(expected.get(), Caption, Area, Flags, 15, 3, Yellow, mask);
    DrawReference(expected.get(), {{Red}});
    EXPECT_TRUE(SameImage(Pixels(FData.FCacheBmp.get()), Pixels(expected.get())));
    EXPECT_FALSE(SameImage(Pixels(expected.get()), Reference({{Red}}))) << "the glow shows";
}

TEST_F(SkinText, ASeeThroughCheckBoxTakesTheColoursOfTheSectionBeneath)
{
    const int beneath = FSkin.AddSection(L"P", TColor(0));
    FSkin.Section(beneath).GiveOwnFont = true;
    FSkin.Section(beneath).Props[0].FontColor = {Cyan, None, None, None, None};
    vcl::TObjectPtr<TSkinnedParent> parent(vcl::Create<TSkinnedParent>(nullptr));
    parent->Data.SetSkinSection(L"P");
    FOwner->SetParent(parent.get());
    FData.COC = ckCheckBox;
    struct {
        int Transparency;
        bool ParentFont;
        TColor Expected;
    } const cases[] = {{50, true, Cyan}, {0, true, Red}, {50, false, Red}};
    for (const auto& c : cases) {
        FSkin.SetTransparency(FSection, c.Transparency);
        FOwner->SetParentFont(c.ParentFont);
        EXPECT_TRUE(SameImage(Write(true, false), Reference({{c.Expected}}))) << c.Transparency << c.ParentFont;
    }
    FOwner->SetParent(nullptr);
}

TEST_F(SkinText, BySectionIndex)
{
    SetFontColours(0, {Red, Green, None, None, None});
    SetFontColours(1, {Blue, None, None, None, Yellow});
    // Not clipped: the left contour reaches out of the rectangle.
    const TRect all(0, 0, W, H);
    EXPECT_TRUE(SameImage(WriteByIndex(true, false, FSection), Reference({{Green, -1, 0}, {Red}}, all)));
    EXPECT_TRUE(SameImage(WriteByIndex(true, true, FSection), Reference({{Yellow, 0, 1}, {Blue}}, all)));
    // Disabled: 40 % of the normal font colour (red) into the section's colour (grey 128).
    EXPECT_TRUE(SameImage(WriteByIndex(false, true, FSection), Reference({{TColor(0x4D4DB3)}})));
    EXPECT_EQ(FBmp->Canvas()->Font()->Color(), TColor(0x4D4DB3));
    // No section: the canvas's colour; the background mode stays transparent.
    FBmp = Canvas32();
    FBmp->Canvas()->Font()->SetColor(Magenta);
    TRect r = Area;
    WriteTextEx(FBmp->Canvas(), Caption, true, r, Flags, -1, false, FSkin.Manager());
    EXPECT_TRUE(SameImage(Pixels(FBmp.get()), Reference({{Magenta}})));
    EXPECT_EQ(GetBkMode(FBmp->Canvas()->Handle()), TRANSPARENT);
    // The DC's text colour is the canvas font's again for the canvas's next text.
    EXPECT_TRUE(SameImage(WriteByIndex(true, false, FSection), Reference({{Green, -1, 0}, {Red}}, all)));
    EXPECT_EQ(GetTextColor(FBmp->Canvas()->Handle()), vcl::ColorToRGB(FBmp->Canvas()->Font()->Color()));
}

TEST_F(SkinText, TextOnA32BitImageInTheSectionsColours)
{
    // Every pixel the text touches takes its colour (the font has no soft edges) at full alpha.
    const auto colourWritten = [](TBitmap* Bmp) {
        std::vector<uint32_t> colours;
        for (const uint32_t p : Pixels(Bmp))
            if (p != Ground && std::find(colours.begin(), colours.end(), p) == colours.end())
                colours.push_back(p);
        return colours;
    };
    struct {
        int States;
        bool Hot;
        uint32_t Expected;
    } const cases[] = {{2, false, Px(255, 0, 0)}, {2, true, Px(0, 0, 255)}, {0, true, Px(255, 0, 0)}};
    for (const auto& c : cases) {
        FSkin.Section(FSection).States = c.States;
        const std::unique_ptr<TBitmap> bmp = Canvas32();
        WriteText32(bmp.get(), Caption, true, Area, Flags, FSection, c.Hot, nullptr);
        EXPECT_EQ(colourWritten(bmp.get()), std::vector<uint32_t>{c.Expected}) << c.States << c.Hot;
    }
}

}  // namespace
}  // namespace skin::test
