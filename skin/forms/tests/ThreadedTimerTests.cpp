#include "skin/forms/acThdTimer.h"

#include "pump.h"
#include "vcl/tests/windowing_fixtures.h"

#include <gtest/gtest.h>

#include <functional>

using namespace skin;
using namespace vcl;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// Exposes what descendants see and counts the ticks that reach TimeHandler.
class TCountingTimer : public TacThreadedTimer {
    CL_CLASS(TCountingTimer, TacThreadedTimer)
public:
    using TacThreadedTimer::TacThreadedTimer;
    int Handled = 0;
    TObject* GivenOwner() const { return FOwner; }

protected:
    void TimeHandler() override { ++Handled; }
};

// Counts the timer messages the loop takes (the test's timer is the only one in the process) and
// the calls of the handler under test.
class ThreadedTimerTest : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        FSavedOnMessage = Application->OnMessage();
        Application->SetOnMessage(TMessageEvent([this](MSG& msg, bool&) { Ticks += msg.message == WM_TIMER; }));
    }
    void TearDown() override
    {
        if (FTimer)
            FTimer->Free();
        Application->SetOnMessage(FSavedOnMessage);
    }

    // A running timer of a 10 ms interval whose ticks call Body.
    TacThreadedTimer* NewTimer(std::function<void()> Body = [] {})
    {
        FBody = std::move(Body);
        FTimer = Create<TacThreadedTimer>(nullptr);
        FTimer->SetInterval(10);
        FTimer->SetOnTimer(Handler());
        return FTimer;
    }
    TNotifyEvent Handler()
    {
        return TNotifyEvent([this](TObject*) {
            ++Calls;
            FBody();
        });
    }

    int Ticks = 0;
    int Calls = 0;
    TacThreadedTimer* FTimer = nullptr;

private:
    TMessageEvent FSavedOnMessage;
    std::function<void()> FBody = [] {};
};

}  // namespace

TEST_F(ThreadedTimerTest, EachConditionAloneKeepsTheTimerSilent)
{
    const struct {
        const char* Name;
        std::function<void(TacThreadedTimer*)> Break;
        std::function<void(TacThreadedTimer*)> Mend;
    } cases[] = {
        {"interval 0", [](auto* t) { t->SetInterval(0); }, [](auto* t) { t->SetInterval(10); }},
        {"disabled", [](auto* t) { t->SetEnabled(false); }, [](auto* t) { t->SetEnabled(true); }},
        {"no handler", [](auto* t) { t->SetOnTimer(TNotifyEvent()); }, [this](auto* t) { t->SetOnTimer(Handler()); }},
    };
    for (const auto& c : cases) {
        NewTimer();
        c.Break(FTimer);
        Ticks = Calls = 0;
        PumpFor(100);
        EXPECT_EQ(Ticks, 0) << c.Name << ": the inner timer stopped";
        EXPECT_EQ(Calls, 0) << c.Name;
        c.Mend(FTimer);
        EXPECT_TRUE(PumpUntil([&] { return Calls >= 2; })) << c.Name << ": ticks again once mended";
        FTimer->Free();
        FTimer = nullptr;
    }
}

TEST_F(ThreadedTimerTest, ConstructorsSetTheStartState)
{
    FTimer = Create<TacThreadedTimer>(nullptr);
    EXPECT_TRUE(FTimer->Enabled());
    EXPECT_EQ(FTimer->Interval(), 1000u);
    EXPECT_EQ(FTimer->ThreadPriority(), TThreadPriority::tpNormal);
    EXPECT_FALSE(FTimer->OnTimer());

    TComponent* owner = Create<TComponent>(nullptr);
    auto* plain = Create<TCountingTimer>(owner, false);
    EXPECT_FALSE(plain->Enabled());
    EXPECT_FALSE(plain->OnTimer());
    EXPECT_EQ(plain->GivenOwner(), owner);

    auto* animation = Create<TCountingTimer>(owner, true);
    EXPECT_FALSE(animation->Enabled());
    animation->SetInterval(10);
    PumpFor(50);
    EXPECT_EQ(animation->Handled, 0) << "made disabled";
    animation->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return animation->Handled >= 2; })) << "ticks reach TimeHandler";

    // The owner frees its timers, and their inner timers stop with them.
    owner->Free();
    const int ticks = Ticks;
    PumpFor(50);
    EXPECT_EQ(Ticks, ticks);
}

TEST_F(ThreadedTimerTest, ATimerMadeWhileTheApplicationTerminatesNeverTicks)
{
    wintest::TTemporaryApplication app;
    Application->Terminate();
    Application->ProcessMessages();
    ASSERT_TRUE(Application->Terminated());

    TComponent* owner = Create<TComponent>(nullptr);
    for (auto* timer : {Create<TCountingTimer>(owner), Create<TCountingTimer>(owner, true)}) {
        EXPECT_FALSE(timer->Enabled());
        EXPECT_EQ(timer->Interval(), 0u);
        timer->SetInterval(10);
        timer->SetEnabled(true);
        timer->SetOnTimer(Handler());
    }
    PumpFor(100);
    EXPECT_EQ(Calls, 0);
    owner->Free();
}

TEST_F(ThreadedTimerTest, AHandlerThatPumpsGetsNoNestedCallAndNoBacklog)
{
    int depth = 0, deepest = 0, ticksAtReturn = -1;
    NewTimer([&] {
        deepest = std::max(deepest, ++depth);
        if (Calls == 1) {
            // Three intervals fall due while this first call pumps the loop.
            const int ticks = Ticks;
            EXPECT_TRUE(PumpUntil([&] { return Ticks >= ticks + 3; }));
            ticksAtReturn = Ticks;
        }
        --depth;
    });
    ASSERT_TRUE(PumpUntil([&] { return ticksAtReturn >= 0 && Ticks >= ticksAtReturn + 3; }));
    FTimer->SetEnabled(false);

    EXPECT_EQ(deepest, 1);
    // The ticks dropped during the first call are never delivered: afterwards each timer message
    // makes exactly one call.
    EXPECT_EQ(Calls - 1, Ticks - ticksAtReturn);
}

TEST_F(ThreadedTimerTest, TheNextTickRunsAfterAHandlerRaised)
{
    testsupport::TExceptionCapture capture;
    NewTimer([&] {
        if (Calls == 1)
            throw Exception(L"handler failed");
    });
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 2; }));
    ASSERT_EQ(capture.Reports().size(), 1u);
    EXPECT_EQ(capture.Reports()[0].Message, L"handler failed");
}
