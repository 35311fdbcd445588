#include "skin/forms/acThdTimer.h"

#include "vcl/application.h"

namespace skin {

using namespace vcl;

namespace {

bool ApplicationTerminating() { return Application && Application->Terminated(); }

}  // namespace

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner)
{
    if (ApplicationTerminating())
        return;
    FEnabled = true;
    FInterval = 1000;
    StartTimer();
}

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner, bool ChangeEvent) : TacThreadedTimer(AOwner)
{
    SetEnabled(false);
    FOwner = AOwner;
    if (ChangeEvent)
        SetOnTimer(TNotifyEvent(this, &TacThreadedTimer::TimeEvent));
}

void TacThreadedTimer::BeforeDestruction()
{
    KillTimer();
    TComponent::BeforeDestruction();
}

void TacThreadedTimer::StartTimer()
{
    FTimerThread = Create<TTimer>(this);
    FTimerThread->SetInterval(FInterval);
    FTimerThread->SetOnTimer(TNotifyEvent(this, &TacThreadedTimer::OnTimer2));
}

void TacThreadedTimer::KillTimer()
{
    if (!FTimerThread)
        return;
    FTimerThread->SetEnabled(false);
    FTimerThread->Free();
    FTimerThread = nullptr;
}

void TacThreadedTimer::UpdateTimer()
{
    if (!FTimerThread)
        return;
    FTimerThread->SetEnabled(false);
    if (FInterval != 0 && FEnabled && FOnTimer)
        FTimerThread->SetEnabled(true);
}

void TacThreadedTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value)
{
    if (Value == FThreadPriority)
        return;
    FThreadPriority = Value;
    UpdateTimer();
}

void TacThreadedTimer::SetInterval(Cardinal Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    if (!FTimerThread)
        return;
    FTimerThread->SetInterval(Value);
    UpdateTimer();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent Value)
{
    FOnTimer = Value;
    UpdateTimer();
}

void TacThreadedTimer::Reset()
{
    KillTimer();
    StartTimer();
    UpdateTimer();
}

void TacThreadedTimer::Timer()
{
    if (FOnTimer)
        FOnTimer(this);
}

void TacThreadedTimer::OnTimer2(TObject*)
{
    if (!FTimerThread || !FTimerThread->Enabled() || Executing)
        return;
    Executing = true;
    try {
        Timer();
    } catch (...) {
        // A handler that raised must not leave the timer silent; the inner timer reports it.
        Executing = false;
        throw;
    }
    Executing = false;
}

void TacThreadedTimer::TimeEvent(TObject*) { TimeHandler(); }

}  // namespace skin
