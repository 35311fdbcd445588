// The skinned panel's caption on a shown form, painted directly and through the cache: where it
// lies for each vertical alignment inside bevels and border, in the section's font colour or its
// disabled colour, and not at all without ShowCaption. The places are measured against the same
// text drawn with DrawTextW in the panel's non-antialiased font.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "pump.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/Sgradient.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using skin::test::TTestSkin;
using vcl::TBevelCut;
using vcl::TColor;
using vcl::TRect;
using vcl::TVerticalAlignment;

const vcl::String Caption = L"Ab";
constexpr TColor Lime = TColor(0x00FF00);
constexpr int W = 120, H = 60;

// The smallest rectangle holding the pixels of the client area that pass the test; none when none do.
template<class TTest>
std::optional<TRect> Bounds(int Width, int Height, TTest Test)
{
    std::optional<TRect> box;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (Test(x, y))
                box = box ? TRect(std::min(int(box->left), x), std::min(int(box->top), y),
                                  std::max(int(box->right), x + 1), std::max(int(box->bottom), y + 1))
                          : TRect(x, y, x + 1, y + 1);
    return box;
}

// A box as the failure messages show it.
std::string Text(const std::optional<TRect>& Box)
{
    if (!Box)
        return "none";
    return "(" + std::to_string(Box->left) + "," + std::to_string(Box->top) + ")-(" + std::to_string(Box->right) +
           "," + std::to_string(Box->bottom) + ")";
}

// Where DrawTextW puts the caption's pixels in R with Flags, in the font.
std::optional<TRect> DrawnBounds(HFONT Font, TRect R, UINT Flags)
{
    const std::unique_ptr<vcl::TBitmap> bmp = CreateBmp32(W, H);
    const HDC dc = bmp->Canvas()->Handle();
    FillDC(dc, TRect(0, 0, W, H), vcl::clWhite);
    const HGDIOBJ old = SelectObject(dc, Font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, Caption.c_str(), int(Caption.size()), &R, Flags);
    SelectObject(dc, old);
    const TPixelView pixels = PixelsOf(bmp.get());
    return Bounds(W, H, [&](int x, int y) { return (pixels.At(x, y) & 0xFFFFFF) != 0xFFFFFF; });
}

// The height of the caption as DrawTextW measures it in R's width.
int MeasuredHeight(HFONT Font, const TRect& R, UINT Flags)
{
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, Font);
    RECT r = R;
    DrawTextW(dc, Caption.c_str(), int(Caption.size()), &r, Flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.bottom - r.top;
}

// Sections "PLAIN" (painted directly) and "GRADIENT" (through the cache), both writing in lime,
// and a white global section.
class PanelCaption : public ::testing::Test {
protected:
    PanelCaption()
    {
        testsupport::InitializeApplication();
        const int plain = FSkin.AddSection(L"PLAIN", TColor(RGB(30, 60, 90)));
        const int gradient = FSkin.AddSection(L"GRADIENT", TColor(0));
        TsGeneralData& g = FSkin.Section(gradient);
        g.GradientPercent = 100;
        g.GradientData = L"255;16711680;100;0;0";  // red to blue: no green in it
        PrepareGradArray(g.GradientData, g.GradientArray);
        FSkin.SyncProps(gradient);
        for (const int section : {plain, gradient})
            for (const int state : {0, 1}) {
                FSkin.Section(section).Props[size_t(state)].FontColor = {Lime, TColor(-1), TColor(-1), TColor(-1),
                                                                         TColor(-1)};
                FSkin.Section(section).FontColor = FSkin.Section(section).Props[0].FontColor;
            }
        FSkin.Manager()->ConstData.IndexGLobalInfo = FSkin.AddSection(L"GLOBALINFO", vcl::clWhite);

        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(60, 60, 300, 200);
        FForm->Show();
    }
    ~PanelCaption() override { FForm.reset(); }

    TsPanel* NewPanel(const wchar_t* Section)
    {
        auto* panel = vcl::Create<TsPanel>(FForm.get());
        panel->SetBounds(10, 10, W, H);
        panel->SetParent(FForm.get());
        panel->SkinData()->SetSkinSection(Section);
        panel->SetCaption(Caption);
        vcl::TFont* font = panel->Font();
        font->SetName(L"Tahoma");
        font->SetHeight(-16);
        font->SetQuality(vcl::TFontQuality::fqNonAntialiased);
        return panel;
    }
    // Where the screen shows pixels of the colour on the panel.
    static std::optional<TRect> ShownBounds(TsPanel* Panel, COLORREF Colour)
    {
        RedrawWindow(Panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        testsupport::PumpFor(50);
        const testsupport::TGrab grab = testsupport::Grab(Panel->Handle());
        return Bounds(W, H, [&](int x, int y) { return grab.ClientPixel(x, y) == Colour; });
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(PanelCaption, LiesByItsVerticalAlignmentInsideTheFrame)
{
    struct {
        const wchar_t* Section;
        TVerticalAlignment Alignment;
        TBevelCut Outer, Inner;
        int BevelWidth, BorderWidth;
    } const cases[] = {
        {L"PLAIN", TVerticalAlignment::taVerticalCenter, TBevelCut::bvNone, TBevelCut::bvNone, 1, 0},
        {L"GRADIENT", TVerticalAlignment::taVerticalCenter, TBevelCut::bvNone, TBevelCut::bvNone, 1, 0},
        {L"PLAIN", TVerticalAlignment::taVerticalCenter, TBevelCut::bvRaised, TBevelCut::bvLowered, 3, 2},
        {L"GRADIENT", TVerticalAlignment::taVerticalCenter, TBevelCut::bvRaised, TBevelCut::bvLowered, 3, 2},
        {L"PLAIN", TVerticalAlignment::taAlignTop, TBevelCut::bvRaised, TBevelCut::bvNone, 2, 1},
        {L"GRADIENT", TVerticalAlignment::taAlignBottom, TBevelCut::bvRaised, TBevelCut::bvNone, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << vcl::ToUtf8(c.Section) << " alignment " << int(c.Alignment) << " bevel "
                                        << c.BevelWidth << " border " << c.BorderWidth);
        TsPanel* panel = NewPanel(c.Section);
        panel->SetBevelOuter(c.Outer);
        panel->SetBevelInner(c.Inner);
        panel->SetBevelWidth(c.BevelWidth);
        panel->SetBorderWidth(c.BorderWidth);
        panel->SetVerticalAlignment(c.Alignment);
        // The frame's widths do not make the cache stale by themselves.
        panel->SkinData()->Invalidate();
        const int bevels = (c.Outer != TBevelCut::bvNone) + (c.Inner != TBevelCut::bvNone);
        const int frame = bevels * c.BevelWidth + c.BorderWidth;
        const TRect inside = TRect(0, 0, W, H).Inflated(-frame, -frame);
        const HFONT font = panel->Font()->Handle();

        std::optional<TRect> expected;
        if (c.Alignment == TVerticalAlignment::taVerticalCenter) {
            // Centred in the frame, then raised by the bevels: only the border width counts.
            const UINT flags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
            const int h = MeasuredHeight(font, inside, flags);
            const int centredTop = inside.top + (inside.Height() - h) / 2;
            const int top = centredTop - bevels * c.BevelWidth;
            expected = DrawnBounds(font, TRect(inside.left, top, inside.right, top + h), flags);
        } else {
            const UINT vertical = c.Alignment == TVerticalAlignment::taAlignTop ? DT_TOP : DT_BOTTOM;
            expected = DrawnBounds(font, inside, DT_CENTER | DT_SINGLELINE | vertical);
        }
        ASSERT_TRUE(expected);
        EXPECT_EQ(Text(ShownBounds(panel, RGB(0, 255, 0))), Text(expected));
        panel->Free();
    }
}

TEST_F(PanelCaption, DisabledInTheSkinsDisabledColourAndNoneWithoutShowCaption)
{
    for (const wchar_t* section : {L"PLAIN", L"GRADIENT"}) {
        SCOPED_TRACE(vcl::ToUtf8(section));
        TsPanel* panel = NewPanel(section);
        ASSERT_TRUE(ShownBounds(panel, RGB(0, 255, 0)));
        panel->SetEnabled(false);
        // 40 % of lime into white.
        EXPECT_FALSE(ShownBounds(panel, RGB(0, 255, 0)));
        EXPECT_TRUE(ShownBounds(panel, RGB(153, 255, 153)));
        panel->SetEnabled(true);
        panel->SetShowCaption(false);
        EXPECT_FALSE(ShownBounds(panel, RGB(0, 255, 0)));
        panel->Free();
    }
}

}  // namespace
