// The controls that fade, over the test skin "FADE" (every fading section fades in 5 steps): the
// steps each control is handed while the mouse enters it, a click on the push button with its
// pressed flash, a release without a press, the speed button's steps on the screen, the published AnimatEvents, and the
// fade ending on skin commands, disabling and the control's end. Timers are stepped by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sTrackBar.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "testpaths.h"
#include "vcl/properties.h"

namespace {

using namespace skin;
using skin::test::AsColorRef;
using skin::test::FadeMixes;

// A fading control that keeps the pixel At of every fade step handed to it.
template<class T>
class TRecording : public T {
public:
    using T::T;
    vcl::TPoint At{3, 3};
    std::vector<uint32_t> Steps;

    void WndProc(vcl::TMessage& Message) override
    {
        if (SkinCommandOf(Message) == scmdPaintBitmap && Message.LParam)
            Steps.push_back(PixelsOf(reinterpret_cast<vcl::TBitmap*>(Message.LParam)).At(At.x, At.y));
        T::WndProc(Message);
    }
    // 0 while there is no cache.
    uint32_t CachePixel() const
    {
        const TPixelView cache = PixelsOf(this->SkinData()->FCacheBmp.get());
        return cache.IsEmpty() ? 0 : cache.At(At.x, At.y);
    }
    // Ticks the fade until it ends (at most 20 times); the number of ticks.
    int TickToEnd()
    {
        int ticks = 0;
        while (this->FadeTimer() && ticks < 20) {
            this->FadeTimer()->Timer();
            ++ticks;
        }
        return ticks;
    }
};

class FadingControls : public ::testing::Test {
protected:
    FadingControls()
        : FManager((testsupport::InitializeApplication(),
                    skintest::LoadSkin((std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" /
                                        "testskins" / "FADE")
                                           .wstring())))
    {
        FManager->SkinData->Active = true;
        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(50, 50, 400, 200);
        FForm->Show();
    }

    // A control of the form at (Left, 10) in Section, shown and painted.
    template<class T>
    T* New(const wchar_t* Section, int Width = 100, int Height = 30, int Left = 10)
    {
        auto* control = vcl::Create<T>(FForm.get());
        control->SetAutoSize(false);
        control->SetBounds(Left, 10, Width, Height);
        control->SetParent(FForm.get());
        control->SkinData()->SetSkinSection(Section);
        control->Repaint();
        Pump();
        return control;
    }
    void Pump() const { testsupport::PumpFor(30); }
    static void Enter(vcl::TControl* Control, bool In = true)
    {
        Control->Perform(In ? vcl::CM_MOUSEENTER : vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
    }

    // The steps a control of class T is handed while the mouse enters it: from its normal look to
    // its hot one with the old look's weights 204, 153, 102, 51, 0; the sixth tick ends the fade.
    template<class T>
    void ExpectEnteringFades(const wchar_t* Section, int Height = 30)
    {
        auto* control = New<TRecording<T>>(Section, 100, Height);
        const int timers = acFadeTimersCount;
        const uint32_t normal = control->CachePixel();
        ASSERT_NE(normal, 0u) << "painted";
        Enter(control);
        ASSERT_NE(control->FadeTimer(), nullptr);
        EXPECT_EQ(acFadeTimersCount, timers + 1);
        const uint32_t hot = control->CachePixel();
        EXPECT_NE(hot, normal) << "the hot look rendered at the start";
        EXPECT_EQ(control->TickToEnd(), 6);
        EXPECT_EQ(control->Steps, FadeMixes(normal, hot, {204, 153, 102, 51, 0}));
        EXPECT_EQ(acFadeTimersCount, timers);
        control->Free();
    }

    vcl::TObjectPtr<TsSkinManager> FManager;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(FadingControls, EveryWindowedFadingControlFadesIntoItsHotLookWhenTheMouseEnters)
{
    {
        SCOPED_TRACE("push button");
        ExpectEnteringFades<TsButton>(L"BUTTON");
    }
    {
        SCOPED_TRACE("bitmap button");
        ExpectEnteringFades<TsBitBtn>(L"BUTTON");
    }
    {
        SCOPED_TRACE("check box");
        ExpectEnteringFades<TsCheckBox>(L"CHECKBOX");
    }
    {
        SCOPED_TRACE("radio button");
        ExpectEnteringFades<TsRadioButton>(L"RADIOBUTTON");
    }
    {
        SCOPED_TRACE("track bar");
        ExpectEnteringFades<TsTrackBar>(L"TRACKBAR", 40);
    }
}

TEST_F(FadingControls, TheWindowShowsEachStepOfAButtonThatLeavesItsPaintingToTheTimer)
{
    auto* button = New<TRecording<TsButton>>(L"BUTTON");
    Enter(button);
    button->FadeTimer()->Timer();
    ASSERT_EQ(button->Steps.size(), 1u);
    EXPECT_EQ(testsupport::Grab(button->Handle()).Pixel(3, 3), AsColorRef(button->Steps[0]));
}

TEST_F(FadingControls, AClickFadesInTwoStepsAndAReleaseDuringThePressFadeFlashesThePressedLook)
{
    auto* button = New<TRecording<TsButton>>(L"BUTTON");
    button->SetFocus();  // the click is not to move the focus, which paints a step of its own
    Enter(button);
    button->TickToEnd();
    const uint32_t hot = button->CachePixel();
    button->Steps.clear();

    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_NE(button->FadeTimer(), nullptr);
    EXPECT_EQ(button->CurrentState(), 2);
    EXPECT_EQ(button->FadeTimer()->Iterations, 2);
    const uint32_t pressed = button->CachePixel();
    EXPECT_NE(pressed, hot) << "the pressed look rendered once the system button is pushed";
    button->FadeTimer()->Timer();
    EXPECT_EQ(button->Steps, FadeMixes(hot, pressed, {127}));

    button->Steps.clear();
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(testsupport::Grab(button->Handle()).Pixel(3, 3), AsColorRef(pressed))
        << "the full pressed look shows before the release fades";
    ASSERT_NE(button->FadeTimer(), nullptr);
    EXPECT_EQ(button->TickToEnd(), 3);
    EXPECT_EQ(button->Steps, FadeMixes(pressed, hot, {127, 0}));
}

// A release over a button whose press was elsewhere, the pointer dragged onto it: the bitmap
// button ends the fade the pointer started, shows its hot look and tells OnMouseUp; the push
// button lets the release pass unseen.
TEST_F(FadingControls, OnlyTheBitmapButtonEndsItsFadeOnAReleaseWithoutAPress)
{
    const int timers = acFadeTimersCount;
    int ups = 0;
    const vcl::TMouseEvent countUps([&](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) { ++ups; });
    auto* bitmap = New<TRecording<TsBitBtn>>(L"BUTTON");
    bitmap->SetOnMouseUp(countUps);
    Enter(bitmap);
    ASSERT_NE(bitmap->FadeTimer(), nullptr);
    bitmap->FadeTimer()->Timer();
    SendMessageW(bitmap->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(bitmap->FadeTimer(), nullptr);
    EXPECT_EQ(acFadeTimersCount, timers) << "the timer freed";
    EXPECT_EQ(ups, 1);
    Pump();
    EXPECT_EQ(testsupport::Grab(bitmap->Handle()).Pixel(3, 3), AsColorRef(bitmap->CachePixel())) << "the hot look";

    auto* push = New<TsButton>(L"BUTTON", 100, 30, 150);
    push->SetOnMouseUp(countUps);
    Enter(push);
    SendMessageW(push->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_NE(push->FadeTimer(), nullptr);
    EXPECT_EQ(ups, 1);
}

TEST_F(FadingControls, TheSpeedButtonShowsEachBlendedStepOnItsParent)
{
    auto* button = New<TsSpeedButton>(L"SPEEDBUTTON");
    const auto pixel = [](vcl::TBitmap* Bmp) { return PixelsOf(Bmp).At(3, 3); };
    const uint32_t normal = pixel(button->SkinData()->FCacheBmp.get());
    Enter(button);
    TsAnimTimer* fade = button->FadeTimer();
    ASSERT_NE(fade, nullptr);
    const uint32_t hot = pixel(button->SkinData()->FCacheBmp.get());
    std::vector<uint32_t> steps{pixel(fade->TmpBmp())};
    const testsupport::TGrab grab = testsupport::Grab(FForm->Handle());
    EXPECT_EQ(grab.ClientPixel(button->Left() + 3, button->Top() + 3), AsColorRef(steps[0])) << "the first step shown";
    int ticks = 0;
    while (button->FadeTimer() && ticks < 20) {
        button->FadeTimer()->Timer();
        if (button->FadeTimer())
            steps.push_back(pixel(button->FadeTimer()->TmpBmp()));
        ++ticks;
    }
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(steps, FadeMixes(normal, hot, {204, 153, 102, 51, 0}));
}

TEST_F(FadingControls, EachFadingControlPublishesItsAnimationEventsLeavingThemToTheManagerByDefault)
{
    const std::vector<vcl::TControl*> controls{
        New<TsButton>(L"BUTTON"),     New<TsBitBtn>(L"BUTTON"),           New<TsSpeedButton>(L"SPEEDBUTTON"),
        New<TsCheckBox>(L"CHECKBOX"), New<TsRadioButton>(L"RADIOBUTTON"), New<TsTrackBar>(L"TRACKBAR", 100, 40)};
    for (vcl::TControl* control : controls) {
        SCOPED_TRACE(control->ClassName());
        EXPECT_EQ(vcl::ReadOrdinalProperty(control, L"AnimatEvents"), 16);
        EXPECT_EQ(vcl::ReadSetProperty(control, L"AnimatEvents"), vcl::String(L"aeGlobalDef"));
        EXPECT_TRUE(vcl::WriteSetProperty(control, L"AnimatEvents", L"[aeMouseLeave]"));
        EXPECT_EQ(vcl::ReadOrdinalProperty(control, L"AnimatEvents"), 2);
    }
}

TEST_F(FadingControls, AControlFadesOnlyOnTheEventsItNames)
{
    auto* box = New<TsCheckBox>(L"CHECKBOX");
    box->SetAnimatEvents({TacAnimatEvent::aeMouseLeave});
    Enter(box);
    EXPECT_EQ(box->FadeTimer(), nullptr) << "entering shows at once";
    Pump();
    Enter(box, false);
    EXPECT_NE(box->FadeTimer(), nullptr) << "leaving fades";
}

TEST_F(FadingControls, SkinCommandsEndTheFadesOfTheWindowedControls)
{
    const std::vector<std::function<vcl::TWinControl*()>> makers{
        [&] { return New<TsButton>(L"BUTTON"); },        [&] { return New<TsBitBtn>(L"BUTTON"); },
        [&] { return New<TsCheckBox>(L"CHECKBOX"); },   [&] { return New<TsRadioButton>(L"RADIOBUTTON"); },
        [&] { return New<TsTrackBar>(L"TRACKBAR", 100, 40); }};
    const auto fadeOf = [](vcl::TWinControl* Control) -> TsFadeTimer* {
        if (auto* b = dynamic_cast<TsButton*>(Control))
            return b->FadeTimer();
        if (auto* b = dynamic_cast<TsBitBtn*>(Control))
            return b->FadeTimer();
        if (auto* c = dynamic_cast<TsCheckBox*>(Control))
            return c->FadeTimer();
        if (auto* r = dynamic_cast<TsRadioButton*>(Control))
            return r->FadeTimer();
        return dynamic_cast<TsTrackBar*>(Control)->FadeTimer();
    };
    const LPARAM manager = reinterpret_cast<LPARAM>(FManager.get());
    for (const uint16_t command : {scmdStopFade, scmdRepaint, scmdSkinLoaded}) {
        for (const auto& make : makers) {
            vcl::TWinControl* control = make();
            SCOPED_TRACE(testing::Message() << control->ClassName() << ", command " << command);
            Enter(control);
            ASSERT_NE(fadeOf(control), nullptr);
            control->Perform(SkinCommandMessage, SkinCommandWParam(command), command == scmdStopFade ? 0 : manager);
            EXPECT_EQ(fadeOf(control), nullptr);
            control->Free();
        }
    }
}

TEST_F(FadingControls, AControlThatGoesMidFadeTakesItsTimerWithIt)
{
    const int timers = acFadeTimersCount;
    auto* button = New<TsButton>(L"BUTTON");
    auto* speed = New<TsSpeedButton>(L"SPEEDBUTTON", 100, 30, 150);
    Enter(button);
    Enter(speed);
    ASSERT_EQ(acFadeTimersCount, timers + 2);
    button->Free();
    speed->Free();
    EXPECT_EQ(acFadeTimersCount, timers);
    auto* box = New<TsCheckBox>(L"CHECKBOX");
    Enter(box);
    FForm.reset();  // with its owner
    EXPECT_EQ(acFadeTimersCount, timers);
}

TEST_F(FadingControls, ACheckBoxDisabledMidFadeEndsInTheDisabledLook)
{
    auto* box = New<TRecording<TsCheckBox>>(L"CHECKBOX");
    Enter(box);
    ASSERT_NE(box->FadeTimer(), nullptr);
    box->FadeTimer()->Timer();
    box->SetEnabled(false);
    box->FadeTimer()->Timer();
    ASSERT_NE(box->FadeTimer(), nullptr);
    EXPECT_FALSE(box->FadeTimer()->Enabled());
    EXPECT_EQ(box->Steps.size(), 1u);
    Pump();
    auto* twin = New<TRecording<TsCheckBox>>(L"CHECKBOX", 100, 30, 200);
    twin->SetEnabled(false);
    Pump();
    EXPECT_EQ(box->CachePixel(), twin->CachePixel());
    EXPECT_EQ(testsupport::Grab(box->Handle()).Pixel(3, 3), AsColorRef(twin->CachePixel()));
}

TEST_F(FadingControls, ThePushButtonStopsFadingWhenDisabled)
{
    auto* button = New<TsButton>(L"BUTTON");
    Enter(button);
    ASSERT_NE(button->FadeTimer(), nullptr);
    button->SetEnabled(false);
    EXPECT_EQ(button->FadeTimer(), nullptr);
}

}  // namespace
