// The caption's text in the provider's cache: where it stands by alignment, and the added title,
// with text boxes measured at run time in the caption's font.
#include "ProviderFixtures.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/sGraphUtils.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::Rgb;
using skintest::TLoggingForm;

namespace {

constexpr uint32_t TextRgb = 0x0A141E;  // the test skins' font colour

// The columns of the caption row that hold text-coloured pixels: first and last, -1 for none.
std::pair<int, int> TextColumns(const skin::TPixelView& Cache, int Top, int Bottom, int From, int To)
{
    int first = -1, last = -1;
    for (int x = From; x < To; ++x)
        for (int y = Top; y < Bottom; ++y)
            if (Rgb(Cache, x, y) == TextRgb) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// The width of Text in the caption's font.
int CaptionTextWidth(const vcl::String& Text)
{
    HDC dc = GetDC(nullptr);
    HFONT font = acGetTitleFont();
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    lf.lfHeight = GetCaptionFontSize();
    HFONT sized = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, sized);
    vcl::TSize size;
    acGetTextExtent(dc, Text, size);
    SelectObject(dc, old);
    DeleteObject(sized);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

}  // namespace

TEST_F(ProviderTest, TheCaptionStandsByItsAlignment)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    form->SetCaption(L"Detectors");
    const int width = CaptionTextWidth(L"Detectors");
    const int top = Sys.DlgFrame, bottom = Sys.DlgFrame + Sys.Caption;
    const int left = Sys.DlgFrame + 16 + 2 + 4;  // border, icon, margin, gap
    const int right = 400 - p->TitleBtnsWidth() - 12;

    const skin::TPixelView leftAligned = Render(p);
    auto [first, last] = TextColumns(leftAligned, top, bottom, 0, p->ButtonMin.Rect.left);
    EXPECT_GE(first, left);
    EXPECT_LE(last, left + width);

    p->SetCaptionAlignment(vcl::TAlignment::taRightJustify);
    const skin::TPixelView rightAligned = Render(p);
    std::tie(first, last) = TextColumns(rightAligned, top, bottom, 0, p->ButtonMin.Rect.left);
    EXPECT_GE(first, right - width - 4);
    EXPECT_LE(last, right);
    EXPECT_GT(first, left + width) << "away from the left";
}

TEST_F(ProviderTest, TheAddedTitleFollowsTheCaptionUnlessTooNarrow)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    form->SetCaption(L"Main");
    const int top = Sys.DlgFrame, bottom = Sys.DlgFrame + Sys.Caption;
    const skin::TPixelView plain = Render(p);
    const auto [plainFirst, plainLast] = TextColumns(plain, top, bottom, 0, p->ButtonMin.Rect.left);
    ASSERT_GT(plainLast, 0);

    p->AddedTitle()->SetText(L" ");
    const skin::TPixelView narrow = Render(p);
    EXPECT_EQ(TextColumns(narrow, top, bottom, 0, p->ButtonMin.Rect.left),
              std::make_pair(plainFirst, plainLast)) << "no added title of 4 pixels or less";

    p->AddedTitle()->SetText(L"Added");
    const skin::TPixelView added = Render(p);
    auto [first, last] = TextColumns(added, top, bottom, 0, p->ButtonMin.Rect.left);
    EXPECT_EQ(first, plainFirst);
    EXPECT_GT(last, plainLast + 4) << "drawn after the caption in the title's font colour";
}
