// Fades over the test skin "FADE": which events fade, the weights of the old image in the steps a
// control is handed, the tick that ends a fade, a fade started again, the changes that show at
// once, a control disabled while it fades, and the speed button's timer. Timers are stepped by
// hand, never waited for.
#include <gtest/gtest.h>

#include <vector>

#include "SkinTestSupport.h"
#include "pump.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFade.h"
#include "skin/core/sMessages.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "vcl/forms.h"

using namespace skin;
using skin::test::FadeMixes;

namespace {

constexpr uint32_t OldLook = 0xFF2040C0, NewLook = 0xFFE0A010, DisabledLook = 0xFF808080;

uint32_t FirstPixel(vcl::TBitmap* Bmp) { return PixelsOf(Bmp).At(0, 0); }

// A windowed control that fades the way the skinned controls do: it renders its cache in the
// colour Look (DisabledLook while disabled) on scmdRenderCache and when painted, keeps the first
// pixel of every fade step handed to it (scmdPaintBitmap, answered 1, or scmdRedraw for the speed
// button's timer) and frees its timers on scmdStopFade.
class TFadingTestControl : public vcl::TCustomControl {
    CL_CLASS(TFadingTestControl, vcl::TCustomControl)
public:
    explicit TFadingTestControl(vcl::TComponent* AOwner) : vcl::TCustomControl(AOwner), Data(this, true) {}

    TsCommonData Data;
    TsFadeTimer* Timer = nullptr;
    TsAnimTimer* AnimTimer = nullptr;
    uint32_t Look = OldLook;
    std::vector<uint32_t> Steps;
    int Paints = 0;

    void BeforeDestruction() override
    {
        StopFading(Timer);
        vcl::FreeAndNil(AnimTimer);
        vcl::TCustomControl::BeforeDestruction();
    }
    void WndProc(vcl::TMessage& Message) override
    {
        switch (SkinCommandOf(Message)) {
        case scmdRenderCache:
            Render();
            return;
        case scmdPaintBitmap:
            Steps.push_back(FirstPixel(reinterpret_cast<vcl::TBitmap*>(Message.LParam)));
            Message.Result = 1;
            return;
        case scmdRedraw:
            Steps.push_back(FirstPixel(AnimTimer->TmpBmp()));
            return;
        case scmdStopFade:
            StopFading(Timer);
            vcl::FreeAndNil(AnimTimer);
            return;
        default:
            vcl::TCustomControl::WndProc(Message);
        }
    }
    void Render()
    {
        InitCacheBmp(Data);
        const TPixelView pixels = PixelsOf(Data.FCacheBmp.get());
        for (int y = 0; y < pixels.Height; ++y)
            for (int x = 0; x < pixels.Width; ++x)
                pixels.At(x, y) = Enabled() ? Look : DisabledLook;
        Data.BGChanged = false;
    }
    // The state change to the look New, as a control shows it.
    void Change(uint32_t New, bool Quick = false, bool Allowed = true)
    {
        Look = New;
        DoChangePaint(Timer, Data, Quick, Allowed);
    }
    // Ticks until the fade ends (at most Limit times); the number of ticks.
    int TickToEnd(int Limit = 20)
    {
        int ticks = 0;
        while (Timer && ticks < Limit) {
            Timer->Timer();
            ++ticks;
        }
        return ticks;
    }

protected:
    void Paint() override
    {
        ++Paints;
        Render();
    }
};

// The test skin "FADE" in force and a test control on a shown form, in the fading section "BUTTON",
// showing OldLook.
class Fade : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Manager = skintest::LoadSkin(skintest::TestSkinFolder("FADE"));
        Form.reset(vcl::Create<vcl::TForm>(nullptr));
        Form->SetBounds(100, 100, 200, 120);
        Control = vcl::Create<TFadingTestControl>(Form.get());
        Control->SetBounds(10, 10, 40, 20);
        Control->SetParent(Form.get());
        Control->Data.SetSkinManager(Manager.get());
        Control->Data.SetSkinSection(L"BUTTON");
        Form->Show();
        testsupport::PumpFor(30);
        Control->Render();
        ASSERT_TRUE(Control->Data.Skinned());
    }
    void TearDown() override
    {
        Form.reset();
        Manager.reset();
    }

    vcl::TObjectPtr<TsSkinManager> Manager;
    vcl::TObjectPtr<vcl::TForm> Form;
    TFadingTestControl* Control = nullptr;
};

TEST(FadeEvents, AnEventFadesWhenTheControlNamesItOrLeavesItToTheManager)
{
    testsupport::InitializeApplication();
    const vcl::TObjectPtr<TsSkinManager> manager(vcl::Create<TsSkinManager>(nullptr));
    using E = TacAnimatEvent;
    using B = TacBtnEvent;
    const TacBtnEvents all{B::beMouseEnter, B::beMouseLeave, B::beMouseDown, B::beMouseUp};
    const struct {
        E Event;
        TacAnimatEvents Events;
        TacBtnEvents ManagerEvents;
        bool Fades;
    } cases[] = {
        {E::aeMouseEnter, {E::aeGlobalDef}, {B::beMouseEnter}, true},
        {E::aeMouseLeave, {E::aeGlobalDef}, {B::beMouseEnter}, false},
        {E::aeMouseDown, {E::aeGlobalDef}, {B::beMouseEnter}, false},
        {E::aeMouseUp, {E::aeGlobalDef}, {B::beMouseEnter}, false},
        {E::aeMouseDown, {E::aeGlobalDef}, {B::beMouseDown}, true},
        {E::aeMouseUp, {E::aeGlobalDef}, {B::beMouseUp}, true},
        {E::aeMouseLeave, {E::aeGlobalDef}, {B::beMouseLeave}, true},
        {E::aeMouseLeave, {E::aeMouseLeave}, {}, true},
        {E::aeMouseEnter, {E::aeMouseLeave}, all, false},
        {E::aeMouseDown, {}, all, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Event) << " in " << c.Events.Mask() << ", manager "
                                        << c.ManagerEvents.Mask());
        manager->AnimEffects()->Buttons()->SetEvents(c.ManagerEvents);
        EXPECT_EQ(EventEnabled(c.Event, c.Events, manager.get()), c.Fades);
    }
    if (DefaultManager) {
        DefaultManager->AnimEffects()->Buttons()->SetEvents({B::beMouseEnter});
        EXPECT_TRUE(EventEnabled(E::aeMouseEnter, {E::aeGlobalDef})) << "no manager: the default one";
        EXPECT_FALSE(EventEnabled(E::aeMouseLeave, {E::aeGlobalDef}));
    }
}

TEST_F(Fade, FiveStepsGiveTheOldImageFallingWeightsAndTheSixthTickEndsTheFade)
{
    const int timers = acFadeTimersCount;
    Control->Change(NewLook);
    ASSERT_NE(Control->Timer, nullptr);
    EXPECT_EQ(acFadeTimersCount, timers + 1);
    EXPECT_TRUE(Control->Timer->Enabled());
    EXPECT_EQ(Control->Timer->Interval(), 10u);
    EXPECT_EQ(Control->Timer->Iterations, 5);
    EXPECT_TRUE(Control->Steps.empty()) << "the first step comes with the first tick";
    EXPECT_EQ(FirstPixel(Control->Data.FCacheBmp.get()), NewLook) << "the new look rendered at the start";

    EXPECT_EQ(Control->TickToEnd(), 6);
    EXPECT_EQ(Control->Steps, FadeMixes(OldLook, NewLook, {204, 153, 102, 51, 0}));
    EXPECT_EQ(acFadeTimersCount, timers) << "the timer is gone";
}

TEST_F(Fade, AClickFadesInHalfTheSteps)
{
    Control->Change(NewLook, true);
    ASSERT_NE(Control->Timer, nullptr);
    EXPECT_EQ(Control->Timer->Iterations, 2);
    EXPECT_EQ(Control->TickToEnd(), 3);
    EXPECT_EQ(Control->Steps, FadeMixes(OldLook, NewLook, {127, 0}));
}

TEST_F(Fade, AChangeDuringAFadeStartsItAgainFromTheCurrentCacheWithAllItsSteps)
{
    constexpr uint32_t ThirdLook = 0xFF10F060;
    Control->Change(NewLook);
    Control->Timer->Timer();
    Control->Timer->Timer();
    TsFadeTimer* timer = Control->Timer;
    Control->Steps.clear();
    Control->Change(ThirdLook);
    EXPECT_EQ(Control->Timer, timer) << "the same timer";
    EXPECT_EQ(Control->Timer->Iterations, 5);
    EXPECT_EQ(Control->Timer->FadeLevel, 1);
    Control->TickToEnd();
    EXPECT_EQ(Control->Steps, FadeMixes(NewLook, ThirdLook, {204, 153, 102, 51, 0}));
}

TEST_F(Fade, WhatKeepsAChangeFromFadingShowsItAtOnce)
{
    const struct {
        const char* Name;
        const wchar_t* Section;
        bool Allowed;
        bool Stale;
        bool* Flag;
    } cases[] = {
        {"the event does not fade", L"BUTTON", false, false, nullptr},
        {"the cache is already stale", L"BUTTON", true, true, nullptr},
        {"the section does not fade", L"STILL", true, false, nullptr},
        {"a skin change runs", L"BUTTON", true, false, &aSkinChanging},
        {"fading is forbidden", L"BUTTON", true, false, &acFadingForbidden},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Control->Data.SetSkinSection(c.Section);
        Control->Look = OldLook;
        Control->Render();
        Control->Data.BGChanged = c.Stale;
        if (c.Flag)
            *c.Flag = true;
        const int paints = Control->Paints;
        Control->Change(NewLook, false, c.Allowed);
        if (c.Flag)
            *c.Flag = false;
        EXPECT_EQ(Control->Timer, nullptr);
        EXPECT_EQ(Control->Paints, paints + 1) << "repainted at once";
        EXPECT_EQ(FirstPixel(Control->Data.FCacheBmp.get()), NewLook);
    }
}

TEST_F(Fade, AShownChangeEndsARunningFade)
{
    Control->Change(NewLook);
    ASSERT_NE(Control->Timer, nullptr);
    Control->Change(OldLook, false, false);
    EXPECT_EQ(Control->Timer, nullptr);
}

TEST_F(Fade, AControlDisabledWhileItFadesStopsTheFadeAndShowsItsDisabledLook)
{
    Control->Change(NewLook);
    Control->Timer->Timer();
    Control->SetEnabled(false);
    Control->Timer->Timer();
    ASSERT_NE(Control->Timer, nullptr);
    EXPECT_FALSE(Control->Timer->Enabled());
    EXPECT_EQ(Control->Timer->Iterations, 0);
    EXPECT_EQ(Control->Steps.size(), 1u) << "no step painted after the control was disabled";
    EXPECT_TRUE(Control->Data.BGChanged);
    testsupport::PumpFor(30);
    EXPECT_EQ(FirstPixel(Control->Data.FCacheBmp.get()), DisabledLook);
}

TEST_F(Fade, ANewTimerTakesTheStaleEmptyCacheRenderedAsItsOldImage)
{
    Control->Data.FCacheBmp->SetSize(0, 0);
    Control->Data.BGChanged = true;
    const vcl::TObjectPtr<TsFadeTimer> timer(vcl::Create<TsFadeTimer>(nullptr));
    timer->SetOwnerData(&Control->Data);
    EXPECT_EQ(timer->BmpFrom()->Width(), Control->Width());
    EXPECT_EQ(FirstPixel(timer->BmpFrom()), OldLook);
    EXPECT_EQ(timer->Iterations, 5) << "the section's count while the timer stands";
    EXPECT_FALSE(timer->Enabled());
}

TEST_F(Fade, TheSpeedButtonsTimerBlendsEachStepForTheButtonToRepaint)
{
    const int timers = acFadeTimersCount;
    TsAnimTimer* timer = vcl::Create<TsAnimTimer>(nullptr);
    Control->AnimTimer = timer;
    EXPECT_EQ(acFadeTimersCount, timers + 1);
    timer->SetOwnerData(&Control->Data);
    EXPECT_EQ(timer->Iterations, 5);
    timer->BmpFrom()->Assign(Control->Data.FCacheBmp.get());
    Control->Look = NewLook;
    Control->Render();
    timer->FadeLevel = 1;
    timer->SetEnabled(true);
    timer->DoFade();
    int ticks = 0;
    while (Control->AnimTimer && ticks < 20) {
        Control->AnimTimer->Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 5) << "four more steps, then the end";
    EXPECT_EQ(Control->Steps, FadeMixes(OldLook, NewLook, {204, 153, 102, 51, 0}));
    EXPECT_EQ(acFadeTimersCount, timers);
}

}  // namespace
