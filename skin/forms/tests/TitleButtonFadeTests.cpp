// The hover animation of the title buttons and the tooltips of user buttons, seen through the
// recorded layered-window entry points and the system seams: the virtual display shows neither
// partial alpha nor a fading window. Ticks are given by hand.
#include "ProviderFixtures.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/seams.h"

using namespace skin;
using skin::test::TLayeredRecorder;
using skintest::ProviderTest;
using skintest::TLoggingForm;

namespace {

class TitleButtonFadeTest : public ProviderTest {
protected:
    void SetUp() override
    {
        ProviderTest::SetUp();
        SavedSeams = vcl::Seams();
        SavedCaptionSeams = CaptionSeams();
        Form = NewForm();
        P = Form->Provider;
        Manager->SetAllowGlowing(true);
        Render(P);
        bPressed = false;
        MouseOver(P->ButtonClose);
    }
    void TearDown() override
    {
        vcl::Seams() = SavedSeams;
        CaptionSeams() = SavedCaptionSeams;
        bPressed = false;
        ProviderTest::TearDown();
    }
    // The cursor seam over the middle of the button, or outside the window.
    void MouseOver(const TsCaptionButton& Btn)
    {
        const vcl::TPoint origin = P->FormLeftTop();
        Mouse = vcl::TPoint(origin.x + Btn.Rect.left + Btn.Rect.Width() / 2, origin.y + Btn.Rect.top + 5);
        vcl::Seams().CursorPos = [this] { return Mouse; };
    }
    void Tick(int Count = 1)
    {
        for (int i = 0; i < Count; ++i)
            P->ButtonClose.Timer->OnAnimTimer(nullptr);
    }
    std::vector<int> Blends() const
    {
        std::vector<int> blends;
        for (const auto& frame : Recorder.Frames)
            blends.push_back(frame.Blend.SourceConstantAlpha);
        return blends;
    }

    vcl::TSystemSeams SavedSeams;
    TCaptionSeams SavedCaptionSeams;
    TLayeredRecorder Recorder;
    TLoggingForm* Form = nullptr;
    TsSkinProvider* P = nullptr;
    vcl::TPoint Mouse;
};

}  // namespace

TEST_F(TitleButtonFadeTest, AHotButtonFadesInInTenSteps)
{
    P->SetHotHT(HTCLOSE, true);
    ASSERT_NE(P->ButtonClose.Timer, nullptr);
    EXPECT_TRUE(P->ButtonClose.Timer->Enabled());
    Tick(9);
    EXPECT_EQ(Blends(), (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
    Tick(3);
    EXPECT_EQ(Recorder.Frames.size(), 10u) << "full strength is shown once";
    EXPECT_TRUE(P->ButtonClose.Timer->Enabled()) << "watching the mouse";
}

TEST_F(TitleButtonFadeTest, LeavingMidwayFadesOutFromOneStepAboveTheLastLevel)
{
    P->SetHotHT(HTCLOSE, true);
    Tick(4);
    Recorder.Frames.clear();
    P->SetHotHT(0, true);
    TacSBAnimation* animation = P->ButtonClose.Timer;
    ASSERT_NE(animation, nullptr);
    Tick(6);
    EXPECT_EQ(Blends(), (std::vector<int>{150, 125, 100, 75, 50, 25}));
    EXPECT_NE(animation->AForm, nullptr);
    Tick();
    EXPECT_EQ(animation->AForm, nullptr);
    EXPECT_EQ(animation->CurrentState, -1);
    EXPECT_FALSE(animation->Enabled());
    EXPECT_EQ(Recorder.Frames.size(), 6u);
}

TEST_F(TitleButtonFadeTest, APressShowsAtFullStrengthAtOnce)
{
    P->SetPressedHT(HTCLOSE);
    ASSERT_NE(P->ButtonClose.Timer, nullptr);
    EXPECT_EQ(Blends(), (std::vector<int>{255}));
    EXPECT_FALSE(P->ButtonClose.Timer->Enabled()) << "no ticks";
}

TEST_F(TitleButtonFadeTest, AfterAFullFadeTheMouseLeavingEndsTheWatch)
{
    skintest::TMessageSpy& spy = Spy(Form);
    P->SetHotHT(HTCLOSE, true);
    Tick(10);
    EXPECT_TRUE(P->ButtonClose.Timer->Enabled());
    EXPECT_EQ(spy.Count(WM_MOUSELEAVE), 0);
    Mouse = vcl::TPoint(P->FormLeftTop().x + 200, P->FormLeftTop().y + 150);
    const size_t shown = Blends().size();
    Tick();
    EXPECT_EQ(spy.Count(WM_MOUSELEAVE), 1);
    Tick();
    ASSERT_GT(Blends().size(), shown);
    EXPECT_LT(Blends().back(), 255) << "the form's answer to the leave fades the button out";
}

TEST_F(TitleButtonFadeTest, WithoutAGlowImageTheButtonsOwnHotImageShows)
{
    P->SetHotHT(HTCLOSE, true);
    ASSERT_EQ(Recorder.Frames.size(), 1u);
    const auto& frame = Recorder.Frames[0];
    const vcl::TRect& r = P->ButtonClose.Rect;
    EXPECT_EQ(frame.Size, vcl::TSize(r.Width(), r.Height()));
    EXPECT_EQ(frame.Pos, vcl::TPoint(P->FormLeftTop().x + r.left, P->FormLeftTop().y + r.top));
    EXPECT_EQ(frame.Pixel(12, 9), 0xFF000000u | skintest::ButtonColour(skintest::CloseRgb, 1));
}

TEST_F(TitleButtonFadeTest, AUserButtonsHintFadesInUnlessLong)
{
    auto* button = static_cast<TsTitleButton*>(P->TitleButtons()->Add());
    button->SetHint(L"Detectors");
    Render(P);
    std::vector<std::pair<DWORD, DWORD>> animations;
    CaptionSeams().AnimateWindow = [&](HWND, DWORD Time, DWORD Flags) {
        animations.emplace_back(Time, Flags);
        return TRUE;
    };
    vcl::Seams().SystemParametersInfo = [](UINT Action, UINT, void* Value, UINT) {
        if (Action != SPI_GETTOOLTIPANIMATION && Action != SPI_GETTOOLTIPFADE)
            return FALSE;
        *static_cast<BOOL*>(Value) = TRUE;
        return TRUE;
    };
    P->SetHotHT(UserButtonHT, true);
    ASSERT_NE(P->TitleHint, nullptr);
    EXPECT_TRUE(IsWindowVisible(P->TitleHint->Handle()));
    EXPECT_EQ(animations, (std::vector<std::pair<DWORD, DWORD>>{{200, DWORD(AW_BLEND)}}));
    P->SetHotHT(0, true);
    EXPECT_EQ(P->TitleHint, nullptr);

    button->SetHint(vcl::String(100, L'x'));
    P->SetHotHT(UserButtonHT, true);
    EXPECT_NE(P->TitleHint, nullptr);
    EXPECT_EQ(animations.size(), 1u) << "a long hint shows at once";
    P->SetPressedHT(UserButtonHT);
    EXPECT_EQ(P->TitleHint, nullptr) << "a press closes it";
}

TEST_F(TitleButtonFadeTest, AFrameRenderedDuringAFadeKeepsThePlainButtonForTheFadeToEndOn)
{
    const vcl::TPoint origin = P->FormLeftTop();
    SendMessageW(Form->Handle(), WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(Mouse.x, Mouse.y));
    ASSERT_NE(P->ButtonClose.Timer, nullptr) << "the hover fades in";
    Tick(3);
    const vcl::TRect& r = P->ButtonClose.Rect;
    const skin::TPixelView cache = Render(P);
    EXPECT_EQ(skintest::Rgb(cache, r.left + 12, r.top + 9), skintest::ButtonColour(skintest::CloseRgb, 0))
        << "the animation's window shows the hot image, not the cache";

    Mouse = vcl::TPoint(origin.x + 200, origin.y + 150);
    SendMessageW(Form->Handle(), WM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 20 && P->ButtonClose.Timer->Enabled(); ++i)
        Tick();
    ASSERT_FALSE(P->ButtonClose.Timer->Enabled()) << "the fade ended";
    EXPECT_EQ(P->ButtonClose.Timer->AForm, nullptr);
    const skin::TPixelView after = skin::PixelsOf(P->SkinData()->FCacheBmp.get());
    EXPECT_EQ(skintest::Rgb(after, r.left + 12, r.top + 9), skintest::ButtonColour(skintest::CloseRgb, 0));
}

TEST_F(TitleButtonFadeTest, AUserButtonLetsGoOfItsHoverWhenItsGlyphChangesOrItGoes)
{
    auto* button = static_cast<TsTitleButton*>(P->TitleButtons()->Add());
    Render(P);
    const auto hover = [&] {
        P->SetHotHT(UserButtonHT, true);
        return button->BtnData.Timer;
    };
    // The hover animations the provider owns.
    const auto animations = [&] {
        int count = 0;
        for (int i = 0; i < P->ComponentCount(); ++i)
            count += dynamic_cast<TacSBAnimation*>(P->Components(i)) != nullptr;
        return count;
    };
    TacSBAnimation* first = hover();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->AForm, nullptr);
    const HWND firstWindow = first->AForm->Handle();
    vcl::TBitmap glyph;
    glyph.SetSize(8, 8);
    button->SetGlyph(&glyph);
    EXPECT_EQ(button->BtnData.Timer, nullptr) << "the next hover starts from the new glyph";
    EXPECT_FALSE(IsWindow(firstWindow));
    EXPECT_EQ(animations(), 0);

    P->SetHotHT(0, true);
    TacSBAnimation* second = hover();
    ASSERT_NE(second, nullptr);
    second->OnAnimTimer(nullptr);
    ASSERT_NE(second->AForm, nullptr) << "fading in again";
    ASSERT_EQ(animations(), 1);
    const HWND secondWindow = second->AForm->Handle();
    button->Free();
    EXPECT_EQ(animations(), 0) << "nothing is left pointing into the freed button";
    EXPECT_FALSE(IsWindow(secondWindow));
}
