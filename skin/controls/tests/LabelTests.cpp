// The skinned labels on a shown form over a hand-built skin in force: the font colour each takes
// from the sections beneath, the disabled mix, an own section under the text, the colour after the
// skin goes, the link's colours and click, the glued label's placement and hook, and the shadowed
// label's size and shadow weights.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "vcl/application.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/seams.h"

namespace {

using namespace skin;
using skin::test::TTestSkin;
using vcl::TColor;
using vcl::TRect;

constexpr TColor Global = TColor(0x204060);  // the font colour of the skin's global section
constexpr TColor Blue = TColor(0xC00000);
constexpr TColor Green = TColor(0x00A000);
constexpr TColor Olive = TColor(0x008080);
constexpr TColor Maroon = TColor(0x000080);

// The test label's font: no smoothing, so that every text pixel has the colour it is drawn in.
void PlainFont(vcl::TControl* Control)
{
    vcl::TFont* font = Control->Font();
    font->SetName(L"Tahoma");
    font->SetHeight(-16);
    font->SetQuality(vcl::TFontQuality::fqNonAntialiased);
}

class SkinnedLabel : public ::testing::Test {
protected:
    SkinnedLabel()
    {
        skin::test::PutInForce(FSkin);
        FSkin.Section(0).FontColor.Color = Global;
        FForm = skin::test::ShownForm(460, 360, RGB(255, 255, 255));
    }
    void SetUp() override { ASSERT_EQ(DefaultManager, FSkin.Manager()); }
    ~SkinnedLabel() override { FForm.reset(); }

    // A section that gives its own font colour, as transparent as asked.
    int AddFontSection(const wchar_t* Name, TColor FontColour, bool GivesOwnFont, int Transparency = 0)
    {
        const int index = FSkin.AddSection(Name, TColor(0xE0E0E0));
        FSkin.Section(index).FontColor.Color = FontColour;
        FSkin.Section(index).GiveOwnFont = GivesOwnFont;
        FSkin.SetTransparency(index, Transparency);
        return index;
    }
    TsPanel* NewPanel(vcl::TWinControl* Parent, const TRect& Bounds, const wchar_t* Section)
    {
        auto* panel = vcl::Create<TsPanel>(FForm.get());
        panel->SetBounds(Bounds.left, Bounds.top, Bounds.Width(), Bounds.Height());
        panel->SetParent(Parent);
        panel->SkinData()->SetSkinSection(Section);
        return panel;
    }
    template<class T = TsLabel>
    T* NewLabel(vcl::TWinControl* Parent, int X, int Y, const wchar_t* Caption = L"Label")
    {
        auto* label = vcl::Create<T>(FForm.get());
        PlainFont(label);
        label->SetCaption(Caption);
        label->SetLeft(X);
        label->SetTop(Y);
        label->SetParent(Parent);
        return label;
    }
    void Paint() const
    {
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(50);
    }
    // How many pixels of the control's bounds on the form the screen shows in the colour.
    int PixelsOnForm(const vcl::TControl* Control, COLORREF Colour) const
    {
        const testsupport::TGrab grab = testsupport::Grab(FForm->Handle());
        const TRect r = Control->BoundsRect();
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += grab.ClientPixel(x, y) == Colour;
        return n;
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedLabel, TakesTheFontColourOfTheNearestSectionBeneathThatGivesOne)
{
    AddFontSection(L"OWN", Blue, true);
    AddFontSection(L"SEE", Green, true, 51);
    AddFontSection(L"HALF", Olive, true, 50);
    AddFontSection(L"PLAIN", Green, false);
    TsPanel* outer = NewPanel(FForm.get(), TRect(10, 10, 310, 260), L"OWN");
    const struct {
        const char* What;
        const wchar_t* Section;
        TColor Expected;
    } cases[] = {
        {"a section with its own font colour", L"OWN", Blue},
        {"more than half transparent: the section above", L"SEE", Blue},
        {"half transparent: its own", L"HALF", Olive},
        {"a section without a font colour of its own: the global one", L"PLAIN", Global},
    };
    int top = 10;
    for (const auto& c : cases) {
        TsPanel* inner = NewPanel(outer, TRect(10, top, 290, top + 40), c.Section);
        auto* label = NewLabel(inner, 5, 5);
        Paint();
        EXPECT_EQ(label->Font()->Color(), c.Expected) << c.What;
        top += 50;
    }

    auto* onForm = NewLabel(FForm.get(), 320, 10);
    auto* ownColour = NewLabel(outer, 10, 205);
    ownColour->SetUseSkinColor(false);
    ownColour->Font()->SetColor(Maroon);
    Paint();
    EXPECT_EQ(onForm->Font()->Color(), Global) << "no section beneath";
    EXPECT_EQ(ownColour->Font()->Color(), Maroon) << "UseSkinColor off";

    FSkin.Manager()->SkinData->Active = false;
    onForm->Font()->SetColor(Maroon);
    Paint();
    EXPECT_EQ(onForm->Font()->Color(), Maroon) << "no skin in force";
}

TEST_F(SkinnedLabel, DisabledItWritesFortyPercentOfItsColourOverSixtyOfTheParents)
{
    FSkin.Section(0).FontColor.Color = vcl::clRed;
    auto* label = NewLabel(FForm.get(), 10, 10, L"HHHH");
    label->SetEnabled(false);
    Paint();
    EXPECT_EQ(label->Font()->Color(), vcl::clRed);
    EXPECT_GT(PixelsOnForm(label, RGB(0xFF, 0x99, 0x99)), 20);  // TColor 0x9999FF
    EXPECT_EQ(PixelsOnForm(label, RGB(0xFF, 0, 0)), 0);
}

TEST_F(SkinnedLabel, AnOwnSectionLiesUnderTheTextUnlessItIsTheSkinsFirst)
{
    const int back = FSkin.AddSection(L"BACK", TColor(RGB(10, 20, 30)));
    FSkin.Section(back).FontColor.Color = Green;
    auto* label = NewLabel(FForm.get(), 10, 10, L"H");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 30);
    label->SetSkinSection(L"BACK");
    Paint();
    EXPECT_EQ(label->Font()->Color(), Green);
    EXPECT_EQ(PixelsOnForm(label, RGB(10, 20, 30)) + PixelsOnForm(label, RGB(0, 0xA0, 0)), 60 * 30);

    FSkin.Section(0).FontColor.Color = Olive;
    label->SetSkinSection(L"GLOBALINFO");
    Paint();
    EXPECT_EQ(label->Font()->Color(), Olive);
    EXPECT_EQ(PixelsOnForm(label, RGB(10, 20, 30)), 0);
    EXPECT_GT(PixelsOnForm(label, RGB(255, 255, 255)), 60 * 30 / 2) << "the form shows through";
}

// A label that counts its paints.
class TCountingLabel : public TsLabel {
    CL_CLASS(TCountingLabel, TsLabel)
public:
    using TsLabel::TsLabel;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TsLabel::Paint();
    }
};

TEST_F(SkinnedLabel, TakingTheSkinsColourWhilePaintingAsksForNoSecondPaint)
{
    auto* label = NewLabel<TCountingLabel>(FForm.get(), 10, 10);
    Paint();
    FSkin.Section(0).FontColor.Color = Olive;
    label->Paints = 0;
    Paint();
    EXPECT_EQ(label->Font()->Color(), Olive);
    EXPECT_EQ(label->Paints, 1);

    label->Font()->SetColor(Maroon);  // a change of its own is news: the label paints again
    testsupport::PumpFor(50);
    EXPECT_EQ(label->Paints, 2);
}

TEST_F(SkinnedLabel, WhenTheSkinGoesALabelThatFollowsItTakesTheWindowTextColour)
{
    auto* follows = NewLabel(FForm.get(), 10, 10);
    auto* keeps = NewLabel(FForm.get(), 10, 40);
    keeps->SetUseSkinColor(false);
    keeps->Font()->SetColor(Maroon);
    auto* effects = NewLabel<TsLabelFX>(FForm.get(), 10, 70);
    Paint();
    ASSERT_EQ(follows->Font()->Color(), Global);
    ASSERT_EQ(effects->Font()->Color(), Global);

    vcl::TObjectPtr<TsSkinManager> other(vcl::Create<TsSkinManager>(nullptr));
    const auto remove = [&](TsSkinManager* Manager) {
        for (vcl::TControl* c : {static_cast<vcl::TControl*>(follows), static_cast<vcl::TControl*>(keeps),
                                 static_cast<vcl::TControl*>(effects)})
            c->Perform(SkinCommandMessage, SkinCommandWParam(scmdSkinRemoved), reinterpret_cast<LPARAM>(Manager));
    };
    remove(other.get());
    EXPECT_EQ(follows->Font()->Color(), Global) << "another manager's skin";
    remove(FSkin.Manager());
    EXPECT_EQ(follows->Font()->Color(), vcl::clWindowText);
    EXPECT_EQ(effects->Font()->Color(), vcl::clWindowText);
    EXPECT_EQ(keeps->Font()->Color(), Maroon);
}

// ---------------------------------------------------------------------------------------------
// The link

static_assert(int(TsWindowShowMode::soHide) == SW_HIDE && int(TsWindowShowMode::soMaximize) == SW_MAXIMIZE &&
              int(TsWindowShowMode::soShowNA) == SW_SHOWNA && int(TsWindowShowMode::soDefault) == SW_SHOWDEFAULT);

TEST_F(SkinnedLabel, ALinkOpensItsURLOnAClickAndNothingWithoutOne)
{
    std::vector<std::tuple<HWND, vcl::String, vcl::String, int>> opened;
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().ShellExecute = [&](HWND Owner, const vcl::String& Operation, const vcl::String& File, int Show) {
        opened.emplace_back(Owner, Operation, File, Show);
        return INT_PTR(33);
    };
    auto* link = NewLabel<TsWebLabel>(FForm.get(), 10, 10, L"Link");
    EXPECT_EQ(link->Cursor(), vcl::TCursor::crHandPoint);
    const auto click = [&] {
        link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, vcl::PointToLParam(2, 2));
        link->Perform(WM_LBUTTONUP, 0, vcl::PointToLParam(2, 2));
    };
    click();
    EXPECT_TRUE(opened.empty());
    link->SetURL(L"https://zirvane.invalid/manual");
    link->SetShowMode(TsWindowShowMode::soMaximize);
    click();
    vcl::Seams() = saved;
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_tuple(vcl::Application->Handle(), vcl::String(L"open"),
                                         vcl::String(L"https://zirvane.invalid/manual"), int(SW_MAXIMIZE)));
}

TEST_F(SkinnedLabel, ALinkTakesTheSkinsLinkColoursAndRedUnderTheMouseWithoutOne)
{
    AddFontSection(L"OWN", Blue, true);
    TsFontColor& global = FSkin.Section(0).FontColor;
    global.Top = Green;     // under the mouse
    global.Bottom = Olive;  // normal
    auto* link = NewLabel<TsWebLabel>(FForm.get(), 10, 10, L"Link");
    link->SetFont(link->Font());
    Paint();
    EXPECT_EQ(link->Font()->Color(), Olive);

    link->Perform(vcl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(link));
    EXPECT_TRUE(link->MouseAbove());
    Paint();
    EXPECT_EQ(link->Font()->Color(), Green);
    global.Top = TColor(-1);
    Paint();
    EXPECT_EQ(link->Font()->Color(), vcl::clRed) << "the skin gives no hover colour";

    link->Perform(vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(link));
    EXPECT_FALSE(link->MouseAbove());
    global.Bottom = TColor(-1);
    Paint();
    EXPECT_EQ(link->Font()->Color(), Olive) << "no link colour in the skin: the normal font keeps its own";

    link->SetParent(NewPanel(FForm.get(), TRect(10, 100, 200, 150), L"OWN"));
    Paint();
    EXPECT_EQ(link->Font()->Color(), Blue) << "the section beneath gives its own";
}

// ---------------------------------------------------------------------------------------------
// The glued label

TEST(StickyLabelPlacement, BesideEachSideCentredOnTheHeightTowardTheTop)
{
    const TRect r(100, 50, 221, 71);
    const struct {
        vcl::TSize Size;
        TAlignTo Side;
        vcl::TPoint Expected;
    } cases[] = {
        {{40, 13}, TAlignTo::altLeft, {58, 54}},   {{40, 13}, TAlignTo::altTop, {100, 35}},
        {{40, 13}, TAlignTo::altRight, {223, 54}}, {{40, 13}, TAlignTo::altBottom, {100, 73}},
        {{40, 14}, TAlignTo::altLeft, {58, 53}},   {{40, 26}, TAlignTo::altRight, {223, 48}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(r, c.Size, c.Side, 2), c.Expected) << int(c.Side) << " " << c.Size.cy;
    for (const TAlignTo side : {TAlignTo::altLeft, TAlignTo::altTop, TAlignTo::altRight, TAlignTo::altBottom})
        EXPECT_EQ(Opposite(Opposite(side)), side);
    EXPECT_EQ(Opposite(TAlignTo::altTop), TAlignTo::altBottom);
    EXPECT_EQ(Opposite(TAlignTo::altLeft), TAlignTo::altRight);
}

TEST_F(SkinnedLabel, AGluedLabelFollowsItsControlWhichFollowsTheLabelsMovesAndItsOwnResizes)
{
    auto* edit = vcl::Create<vcl::TPanel>(FForm.get());
    edit->SetParent(FForm.get());
    edit->SetBounds(100, 50, 121, 21);
    edit->HandleNeeded();
    const vcl::TWndMethod own = edit->WindowProc();
    auto* label = NewLabel<TsStickyLabel>(FForm.get(), 0, 0);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 13);
    label->SetAlignTo(TAlignTo::altTop);
    label->SetAttachTo(edit);
    EXPECT_EQ(label->BoundsRect(), TRect(100, 35, 140, 48));

    edit->SetHeight(40);
    EXPECT_EQ(label->BoundsRect(), TRect(100, 35, 140, 48)) << "a resize leaves the label";
    EXPECT_EQ(edit->BoundsRect(), TRect(100, 50, 221, 90));
    edit->SetBounds(150, 80, 121, 40);
    EXPECT_EQ(label->BoundsRect(), TRect(150, 65, 190, 78)) << "a move takes the label along";
    label->SetBounds(10, 10, 40, 13);
    EXPECT_EQ(edit->BoundsRect(), TRect(10, 25, 131, 65)) << "the control follows the label";
    label->SetGap(5);
    EXPECT_EQ(label->BoundsRect(), TRect(10, 7, 50, 20));

    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetVisible(true);
    edit->SetEnabled(false);
    EXPECT_TRUE(label->Visible());
    EXPECT_FALSE(label->Enabled());

    label->SetAttachTo(nullptr);
    EXPECT_TRUE(edit->WindowProc() == own);
    label->SetAttachTo(edit);
    edit->Free();
    EXPECT_EQ(label->AttachTo(), nullptr);

    auto* second = vcl::Create<vcl::TPanel>(FForm.get());
    second->SetParent(FForm.get());
    const vcl::TWndMethod secondOwn = second->WindowProc();
    label->SetAttachTo(second);
    label->Free();
    EXPECT_TRUE(second->WindowProc() == secondOwn);
}

// ---------------------------------------------------------------------------------------------
// The shadowed label

TEST_F(SkinnedLabel, AShadowedLabelMeasuresTheShadowsReachIntoItsSize)
{
    auto* plain = NewLabel(FForm.get(), 10, 10, L"Shadow");
    auto* custom = vcl::Create<TsLabelFX>(FForm.get());
    custom->Shadow()->SetMode(TsShadowMode::smCustom);
    custom->Shadow()->SetBlurCount(4);
    custom->Shadow()->SetDistance(1);
    PlainFont(custom);
    custom->SetCaption(L"Shadow");
    EXPECT_EQ(custom->Width(), plain->Width() + 8) << "5 to the right and bottom, 3 to the left and top";
    EXPECT_EQ(custom->Height(), plain->Height() + 8);

    auto* none = vcl::Create<TsLabelFX>(FForm.get());
    none->Shadow()->SetMode(TsShadowMode::smNone);
    PlainFont(none);
    none->SetCaption(L"Shadow");
    EXPECT_EQ(none->Width(), plain->Width());
}

TEST(LabelShadow, EachPassMarksTheTextThenAveragesTheNeighboursInPlace)
{
    TPixelBuffer mask(3, 2, 0);
    mask.At(1, 0) = 0xFF0000FF;  // text: its blue component counts
    mask.At(1, 1) = 0x00FFFF00;  // no blue: no text
    std::vector<uint8_t> weights;
    BlurShadowMask(mask.View(), weights, 1);
    ASSERT_EQ(weights.size(), 2u * 5u * 4u);
    // Row by row from the top left, each inner byte the sum of its four neighbours shr 2, the
    // neighbours above and to the left already replaced.
    const std::vector<uint8_t> inner = {weights[6], weights[7], weights[8], weights[11], weights[12], weights[13]};
    EXPECT_EQ(inner, (std::vector<uint8_t>{63, 15, 3, 15, 7, 2}));

    BlurShadowMask(mask.View(), weights, 0);
    EXPECT_EQ(weights[7], 0) << "cleared";
    TPixelBuffer small(1, 1, 0);
    BlurShadowMask(small.View(), weights, 2);
    EXPECT_EQ(weights.size(), 40u) << "never shrinks";
}

TEST(LabelShadow, TheShadowColourIsLaidByWeightOverThePixelOrTheLabelsColour)
{
    TPixelBuffer bmp(2, 1, 0xFF204080);
    const std::vector<uint8_t> weights = {0, 0, 0, 0, 0, 128, 255, 0, 0, 0, 0, 0};
    LayShadow(bmp.View(), weights, TColor(0x0000FF));  // red
    EXPECT_EQ(bmp.At(0, 0), 0xFF8F1F3Fu);              // (c x 127 + s x 128) shr 8 per channel
    EXPECT_EQ(bmp.At(1, 0), 0xFFFE0000u);
    LayShadow(bmp.View(), weights, TColor(0x0000FF), vcl::clWhite);
    EXPECT_EQ(bmp.At(0, 0), 0xFFFE7E7Eu);
}

}  // namespace
