// Glyph and caption placement, speed buttons and bitmap buttons.
#include "windowing_fixtures.h"

#include "vcl/buttons.h"

using namespace vcl;
using namespace wintest;
using testsupport::Grab;
using testsupport::PumpFor;

// ---------------------------------------------------------------------------------------------
// CalcButtonLayout

TEST(CalcButtonLayout, PlacesGlyphAndCaptionByLayoutAlignmentMarginAndSpacing)
{
    struct Case {
        const char* Name;
        TRect Client;
        TSize Text;
        TButtonLayout Layout;
        TAlignment Alignment;
        int Margin;
        int Spacing;
        int DrawFlags;
        TPoint Glyph;
        TRect Caption;
    };
    const TPoint glyph(16, 16);
    const TRect client(0, 0, 100, 40);
    const TSize text(30, 13);
    using L = TButtonLayout;
    using A = TAlignment;
    const Case cases[] = {
        {"centred pair", client, text, L::blGlyphLeft, A::taCenter, -1, 4, 0, {25, 12}, {45, 14, 75, 27}},
        {"margin -1 left: 2 from the edge", client, text, L::blGlyphLeft, A::taLeftJustify, -1, 4, 0, {2, 12},
         {22, 14, 52, 27}},
        {"no caption: no spacing", client, TSize(0, 0), L::blGlyphLeft, A::taCenter, -1, 4, 0, {42, 12},
         {58, 20, 58, 20}},
        {"room spread evenly", client, text, L::blGlyphLeft, A::taCenter, -1, -1, 0, {18, 12}, {52, 14, 82, 27}},
        {"glyph right, right aligned", client, text, L::blGlyphRight, A::taRightJustify, 3, -1, 0, {81, 12},
         {26, 14, 56, 27}},
        {"DT_RIGHT swaps left for right", client, text, L::blGlyphLeft, A::taCenter, -1, 4, DT_RIGHT, {59, 12},
         {25, 14, 55, 27}},
        {"glyph on top, offset client", TRect(10, 5, 110, 65), text, L::blGlyphTop, A::taCenter, -1, 4, 0, {52, 18},
         {45, 38, 75, 51}},
        {"glyph at the bottom", TRect(0, 0, 100, 60), text, L::blGlyphBottom, A::taCenter, -1, 4, 0, {42, 31},
         {35, 14, 65, 27}},
    };
    for (const Case& c : cases) {
        TPoint glyphOrigin;
        TRect captionRect;
        CalcButtonLayout(c.Client, glyph, c.Text, c.Layout, c.Alignment, c.Margin, c.Spacing, glyphOrigin,
                         captionRect, c.DrawFlags);
        EXPECT_EQ(c.Glyph, glyphOrigin) << c.Name;
        EXPECT_EQ(c.Caption, captionRect) << c.Name;
    }
}

// ---------------------------------------------------------------------------------------------
// Speed buttons

namespace {

TSpeedButton* NewSpeedButton(TWinControl* parent, int left, int group)
{
    auto* button = Create<TSpeedButton>(parent);
    button->SetParent(parent);
    button->SetBounds(left, 10, 24, 24);
    button->SetGroupIndex(group);
    return button;
}

void ClickAt(TWinControl* parent, TControl* control)
{
    LPARAM at = PointToLParam(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2);
    PostMessageW(parent->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(parent->Handle(), WM_LBUTTONUP, 0, at);
    PumpFor(20);
}

// A glyph: blue, with its bottom-left quarter in red (the transparent colour).
void PaintKeyedGlyph(TBitmap* glyph)
{
    glyph->SetPixelFormat(TPixelFormat::pf24bit);
    glyph->SetSize(8, 8);
    TCanvas* canvas = glyph->Canvas();
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(TRect(0, 0, 8, 8));
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(TRect(0, 4, 4, 8));
}

}  // namespace

TEST_F(WindowTest, SpeedButtonsOfAGroupAreExclusive)
{
    TForm* form = NewForm();
    TSpeedButton* a = NewSpeedButton(form, 10, 1);
    TSpeedButton* b = NewSpeedButton(form, 40, 1);
    TSpeedButton* c = NewSpeedButton(form, 70, 1);
    TSpeedButton* other = NewSpeedButton(form, 100, 2);
    TSpeedButton* plain = NewSpeedButton(form, 130, 0);
    int clicks = 0;
    c->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    ShowAndPaint(form);

    other->SetDown(true);
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(other->Down()) << "another group";
    b->SetDown(false);
    EXPECT_TRUE(b->Down()) << "without AllowAllUp a group keeps one button down";

    ClickAt(form, c);
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(b->Down());
    ClickAt(form, c);
    EXPECT_TRUE(c->Down());
    EXPECT_EQ(2, clicks);

    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp()) << "the group shares AllowAllUp";
    ClickAt(form, c);
    EXPECT_FALSE(c->Down());

    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()) << "no group, no down state";
}

TEST_F(WindowTest, SpeedButtonGlyphFromAMissingFileRaisesAndKeepsTheOldGlyph)
{
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 10, 0);
    PaintKeyedGlyph(button->Glyph());
    const String missing = L"no-such-dir\\28music_on.bmp";
    EXPECT_THROW(button->Glyph()->LoadFromFile(missing), EFOpenError);
    EXPECT_EQ(8, button->Glyph()->Width());
    EXPECT_EQ(clBlue, button->Glyph()->Canvas()->Pixels(7, 7));

    const String saved = L"speedbutton_glyph.bmp";
    TBitmap replacement;
    replacement.SetPixelFormat(TPixelFormat::pf24bit);
    replacement.SetSize(5, 3);
    replacement.SaveToFile(saved);
    button->Glyph()->LoadFromFile(saved);
    EXPECT_EQ(5, button->Glyph()->Width());
    DeleteFileW(saved.c_str());
}

TEST_F(WindowTest, SpeedButtonGlyphIsTransparentWhereItHasItsBottomLeftColour)
{
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 10, 0);
    button->SetBounds(10, 10, 40, 40);
    PaintKeyedGlyph(button->Glyph());
    ShowAndPaint(form);

    testsupport::TGrab grab = Grab(form->Handle());
    int blue = 0;
    int red = 0;
    TRect box(MaxInt, MaxInt, MinInt, MinInt);
    for (int y = 10; y < 50; ++y)
        for (int x = 10; x < 50; ++x) {
            COLORREF p = grab.ClientPixel(x, y);
            red += p == RGB(255, 0, 0);
            if (p == RGB(0, 0, 255)) {
                ++blue;
                box = TRect(std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                            std::max<LONG>(box.bottom, y + 1));
            }
        }
    EXPECT_EQ(0, red);
    EXPECT_EQ(48, blue);
    EXPECT_EQ(8, box.Width());
    EXPECT_EQ(8, box.Height());
    EXPECT_EQ(ColorToRGB(clBtnFace), grab.ClientPixel(box.left, box.bottom - 1)) << "the keyed corner shows the face";
}

TEST_F(WindowTest, SpeedButtonBlendsA32BitGlyphByItsAlpha)
{
    TForm* form = NewForm();
    TSpeedButton* button = NewSpeedButton(form, 10, 0);
    button->SetBounds(10, 10, 40, 40);
    TBitmap* glyph = button->Glyph();
    glyph->SetPixelFormat(TPixelFormat::pf32bit);
    glyph->SetSize(8, 8);
    // Left half opaque red, right half blue with alpha 0 (bytes B, G, R, A).
    for (int y = 0; y < 8; ++y) {
        auto* row = static_cast<uint32_t*>(glyph->ScanLine(y));
        for (int x = 0; x < 8; ++x)
            row[x] = x < 4 ? 0xFFFF0000u : 0x000000FFu;
    }
    ShowAndPaint(form);

    testsupport::TGrab grab = Grab(form->Handle());
    int red = 0;
    int blue = 0;
    for (int y = 10; y < 50; ++y)
        for (int x = 10; x < 50; ++x) {
            red += grab.ClientPixel(x, y) == RGB(255, 0, 0);
            blue += grab.ClientPixel(x, y) == RGB(0, 0, 255);
        }
    EXPECT_EQ(32, red);
    EXPECT_EQ(0, blue);
}

// ---------------------------------------------------------------------------------------------
// Bitmap buttons

TEST_F(WindowTest, BitBtnKindSetsCaptionModalResultAndDefault)
{
    TForm* form = NewForm();
    auto* yes = NewChild<TBitBtn>(form, 10, 10, 75, 25, clBtnFace);
    yes->SetKind(TBitBtnKind::bkYes);
    EXPECT_EQ(L"&Yes", yes->Caption());
    EXPECT_EQ(mrYes, yes->ModalResult());
    EXPECT_TRUE(yes->Default());
    auto* no = NewChild<TBitBtn>(form, 10, 40, 75, 25, clBtnFace);
    no->SetKind(TBitBtnKind::bkNo);
    EXPECT_EQ(mrNo, no->ModalResult());
    EXPECT_TRUE(no->Cancel());
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongW(no->Handle(), GWL_STYLE) & BS_TYPEMASK);
}
