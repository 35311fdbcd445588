// The skinned check box and radio button: the face frame of each state, the check state changed
// on release only, read-only, the grayed glyph, the native button after the skin goes, and the
// radio button that a refusing CanModify keeps unchecked.
#include <gtest/gtest.h>

#include "skin/controls/sCheckBox.h"
#include "skin/controls/sRadioButton.h"
#include "skin/graphics/BitmapView.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::Px;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TCheckBoxState;
using vcl::TColor;

constexpr int GlyphSide = 8;
const wchar_t* const GlyphNames[] = {L"BOXUNCHECKED", L"BOXCHECKED", L"BOXGRAYED", L"RADIOUNCHECKED", L"RADIOCHECKED"};

// The colour of state image State of skin glyph Glyph (an index into GlyphNames).
constexpr uint32_t GlyphColour(int Glyph, int State) { return Px(20 + 40 * Glyph, 30 + 60 * State, 200); }

uint32_t Rgb(uint32_t Pixel) { return Pixel & 0xFFFFFF; }

// An opaque glyph pixel blended into the cache by its alpha: each channel within 1.
::testing::AssertionResult Blended(uint32_t Actual, uint32_t Expected)
{
    return skin::test::NearPixel(Actual, Expected, 1);
}

TEST(CheckFace, TheFrameFollowsPressedThenHotAndNeverPassesTheLastFrame)
{
    struct TCase {
        int Frames;
        bool Pressed, Hot;
        int Frame;
    };
    const TCase cases[] = {{3, false, false, 0}, {3, false, true, 1}, {3, true, false, 2}, {3, true, true, 2},
                           {2, true, false, 1},  {1, true, true, 0},  {1, false, true, 0}, {0, true, false, 0}};
    for (const TCase& c : cases)
        EXPECT_EQ(FaceFrame(c.Frames, c.Pressed, c.Hot), c.Frame) << c.Frames << c.Pressed << c.Hot;
}

TEST(CheckFace, AStripOfSquareFramesAndASingleWideGlyph)
{
    EXPECT_EQ(StripFrameSize(48, 16).Width, 16);
    EXPECT_EQ(StripFrameSize(20, 16).Width, 20) << "no multiple of the height: one frame";
    EXPECT_EQ(StripFrameSize(16, 16).Width, 16);
    EXPECT_EQ(StripFrameSize(0, 0).Width, 0);
}

TEST(CheckFace, AutoSizeTakesTheTallerOfGlyphAndTextAndNothingForAnEmptyCaption)
{
    const TAutoSize empty = SkinnedAutoSize({13, 13}, 2, 5, false, 40, 16);
    EXPECT_EQ(empty.Width, 13 + 4);
    EXPECT_EQ(empty.Height, 13 + 4 + 2);
    const TAutoSize text = SkinnedAutoSize({13, 13}, 2, 5, true, 40, 16);
    EXPECT_EQ(text.Width, 13 + 4 + 40 + 5 + 8);
    EXPECT_EQ(text.Height, 16 + 4 + 2);
    const TAutoSize plain = PlainAutoSize(40, 13);
    EXPECT_EQ(plain.Width, 60);
    EXPECT_EQ(plain.Height, 20);
}

class CheckControls : public ::testing::Test {
protected:
    CheckControls() : FSkin(3 * GlyphSide, 5 * GlyphSide)
    {
        PutInForce(FSkin);
        FCheckSection = FSkin.AddSection(L"CHECKBOX", TColor(RGB(10, 20, 30)), TColor(RGB(40, 50, 60)));
        FSkin.AddSection(L"RADIOBUTTON", TColor(RGB(10, 20, 30)), TColor(RGB(40, 50, 60)));
        for (int g = 0; g < 5; ++g) {
            const vcl::TRect r(0, g * GlyphSide, 3 * GlyphSide, (g + 1) * GlyphSide);
            FSkin.AddImage({r, 3}, L"GLOBALINFO", GlyphNames[g]);
            for (int s = 0; s < 3; ++s)
                FSkin.Fill(vcl::TRect(s * GlyphSide, r.top, (s + 1) * GlyphSide, r.bottom), GlyphColour(g, s));
        }
        FForm = ShownForm(320, 240);
    }

    template<class T>
    T* New(int Top, const wchar_t* Caption = L"Option")
    {
        auto* control = vcl::Create<T>(FForm.get());
        control->SetCaption(Caption);
        control->SetBounds(10, Top, 150, 24);
        control->SetParent(FForm.get());
        control->HandleNeeded();
        return control;
    }
    // The glyph's middle pixel in the control's cache, after a paint.
    template<class T>
    static uint32_t GlyphPixel(T* Control)
    {
        Control->Repaint();
        testsupport::PumpFor(20);
        const vcl::TRect r = Control->CheckRect();
        return Rgb(PixelsOf(Control->SkinData()->FCacheBmp.get()).At((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    static void Send(vcl::TWinControl* Control, UINT Msg, WPARAM W = 0)
    {
        SendMessageW(Control->Handle(), Msg, W, MAKELPARAM(4, 4));
    }
    static void Hover(vcl::TWinControl* Control, bool Above)
    {
        Control->Perform(Above ? vcl::CM_MOUSEENTER : vcl::CM_MOUSELEAVE, 0, 0);
    }

    TTestSkin FSkin;
    int FCheckSection;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(CheckControls, TheSkinGlyphShowsTheCheckStateAndTheFaceState)
{
    TsCheckBox* box = New<TsCheckBox>(10);
    ASSERT_TRUE(box->SkinData()->Skinned(true));
    EXPECT_EQ(box->CheckRect().Width(), GlyphSide);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(0, 0)));
    box->SetChecked(true);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(1, 0)));
    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(2, 0))) << "state 2 draws the grayed glyph";
    Hover(box, true);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(2, 1))) << "hot";
    Send(box, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(2, 2))) << "pressed";
    EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed) << "nothing changes before the release";
    Send(box, WM_LBUTTONUP);
    EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);

    box->SetState(TCheckBoxState::cbUnchecked);
    PaintState = 2;
    EXPECT_EQ(Rgb(GlyphPixel(box)) & 0xFF, Rgb(GlyphColour(2, 0)) & 0xFF) << "every box shows the grayed glyph";
    PaintState = -1;
}

TEST_F(CheckControls, AUserGlyphStripShowsFramesTwoOneAndZero)
{
    TsCheckBox* box = New<TsCheckBox>(10);
    TsCheckBox* other = New<TsCheckBox>(40);
    const auto strip = CreateBmp32(3 * 6, 6);
    const uint32_t colours[] = {Px(255, 0, 0), Px(0, 255, 0), Px(0, 0, 255)};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 18; ++x)
            PixelsOf(strip.get()).At(x, y) = colours[x / 6];
    box->SetGlyphUnChecked(strip.get());
    box->SetGlyphChecked(strip.get());
    EXPECT_EQ(box->CheckRect().Width(), 6);
    EXPECT_EQ(box->CheckRect().left, box->Margin());
    EXPECT_TRUE(Blended(GlyphPixel(box), colours[0]));
    Hover(box, true);
    EXPECT_TRUE(Blended(GlyphPixel(box), colours[1]));
    Send(box, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_TRUE(Blended(GlyphPixel(box), colours[2]));
    Send(box, WM_LBUTTONUP);
    Hover(box, false);
    other->SetFocus();
    box->SetReadOnly(true);
    Hover(box, true);
    EXPECT_TRUE(Blended(GlyphPixel(box), colours[0])) << "read-only shows no hot face";
}

TEST_F(CheckControls, AReadOnlyBoxIgnoresClicksAndTheSpaceKeyAndTakesNoFocus)
{
    TsCheckBox* box = New<TsCheckBox>(10);
    TsCheckBox* other = New<TsCheckBox>(40);
    other->SetFocus();
    box->SetReadOnly(true);
    Send(box, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(box->Focused());
    Send(box, WM_LBUTTONUP);
    Send(box, WM_KEYDOWN, VK_SPACE);
    Send(box, WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(box->Checked());

    box->SetReadOnly(false);
    Send(box, WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(box->Pressed());
    EXPECT_FALSE(box->Checked()) << "toggled on the release";
    Send(box, WM_KEYUP, VK_SPACE);
    EXPECT_TRUE(box->Checked());
    Send(box, WM_LBUTTONUP);
    EXPECT_TRUE(box->Checked()) << "a release without a press";
}

TEST_F(CheckControls, AfterTheSkinGoesTheNativeButtonShowsTheSameState)
{
    TsCheckBox* box = New<TsCheckBox>(10);
    TsRadioButton* radio = New<TsRadioButton>(40);
    box->SetState(TCheckBoxState::cbGrayed);
    radio->SetChecked(true);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the native button never learns it";
    for (vcl::TWinControl* c : std::initializer_list<vcl::TWinControl*>{box, radio})
        SendAMessage(c->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    EXPECT_FALSE(box->SkinData()->Skinned());
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(radio->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(CheckControls, ARadioButtonIsCheckedOnReleaseAndStaysChecked)
{
    TsRadioButton* first = New<TsRadioButton>(10);
    TsRadioButton* second = New<TsRadioButton>(40);
    EXPECT_EQ(GlyphPixel(first), Rgb(GlyphColour(3, 0)));
    Send(first, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(first->Checked());
    Send(first, WM_LBUTTONUP);
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(GlyphPixel(first), Rgb(GlyphColour(4, 1))) << "checked, hot while focused";
    Send(first, WM_LBUTTONDOWN, MK_LBUTTON);
    Send(first, WM_LBUTTONUP);
    EXPECT_TRUE(first->Checked()) << "a click never unchecks";
    Send(second, WM_LBUTTONDOWN, MK_LBUTTON);
    Send(second, WM_LBUTTONUP);
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked()) << "the sibling is unchecked";
}

class TRefusingRadio : public TsRadioButton {
    CL_CLASS(TRefusingRadio, TsRadioButton)
public:
    using TsRadioButton::TsRadioButton;
    bool CanModify() override { return false; }
};

TEST_F(CheckControls, ARadioButtonThatMayNotChangeShowsPressedButKeepsItsState)
{
    TRefusingRadio* radio = New<TRefusingRadio>(10);
    Send(radio, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(GlyphPixel(radio), Rgb(GlyphColour(3, 2))) << "pressed";
    Send(radio, WM_LBUTTONUP);
    EXPECT_FALSE(radio->Checked());
}

TEST_F(CheckControls, TheCaptionIsWrittenInTheSectionsFontColourRightOfTheGlyph)
{
    TsGeneralData& section = FSkin.Section(FCheckSection);
    section.FontColor = section.HotFontColor = TTextColours{TColor(RGB(250, 240, 0))};
    section.Props[0].FontColor = section.Props[1].FontColor = section.FontColor;
    TsCheckBox* box = New<TsCheckBox>(10, L"WWWW");
    box->Repaint();
    testsupport::PumpFor(20);
    const TPixelView cache = PixelsOf(box->SkinData()->FCacheBmp.get());
    const vcl::TRect glyph = box->CheckRect();
    int leftOfText = 0, text = 0;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x)
            if (Rgb(cache.At(x, y)) == Rgb(Px(250, 240, 0)))
                ++(x < glyph.right + box->Margin() ? leftOfText : text);
    EXPECT_GT(text, 0);
    EXPECT_EQ(leftOfText, 0);
    EXPECT_EQ(GlyphPixel(box), Rgb(GlyphColour(0, 0)));
}

}  // namespace
