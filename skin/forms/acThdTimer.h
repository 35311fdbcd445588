#pragma once
// The timer component the skin's animations derive from. Despite its name it starts no thread: an
// inner window-message timer ticks on the GUI thread, and each tick calls OnTimer (or, for timers
// made with ChangeEvent, the overridable TimeHandler) unless the previous tick is still being
// handled. Ticks that fall due meanwhile are dropped, not queued.
#include "vcl/extctrls.h"

namespace skin {

class TacThreadedTimer : public vcl::TComponent {
    CL_CLASS(TacThreadedTimer, vcl::TComponent)
public:
    // Enabled, Interval 1000 and running, though nothing is called until OnTimer is assigned.
    // Made while the application terminates, it has no inner timer and never ticks: Enabled is
    // false and Interval 0, whatever is set later.
    explicit TacThreadedTimer(vcl::TComponent* AOwner);
    // Made disabled, keeping AOwner for descendants; with ChangeEvent each tick runs TimeHandler.
    TacThreadedTimer(vcl::TComponent* AOwner, bool ChangeEvent);
    void BeforeDestruction() override;

    // Ticking runs while Enabled, Interval is not 0 and OnTimer is assigned.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    vcl::Cardinal Interval() const { return FInterval; }
    void SetInterval(vcl::Cardinal Value);
    vcl::TThreadPriority ThreadPriority() const { return FThreadPriority; }
    // Only stored: no thread runs.
    void SetThreadPriority(vcl::TThreadPriority Value);
    vcl::TNotifyEvent OnTimer() const { return FOnTimer; }
    // Re-evaluates the inner timer even when the handler is the same.
    void SetOnTimer(vcl::TNotifyEvent Value);

    // Makes the inner timer anew.
    void Reset();

protected:
    // One tick: calls OnTimer with this component as sender. The handler must not free this timer.
    virtual void Timer();
    // What a timer made with ChangeEvent runs each tick; nothing here.
    virtual void TimeHandler() {}

    // A tick is being handled.
    bool Executing = false;
    // Free for descendants' own guards.
    bool InHandler = false;
    // The owner given to the two-argument constructor.
    vcl::TObject* FOwner = nullptr;

private:
    void StartTimer();
    void KillTimer();
    void UpdateTimer();
    // The inner timer's tick.
    void OnTimer2(vcl::TObject* Sender);
    void TimeEvent(vcl::TObject* Sender);

    bool FEnabled = false;
    vcl::Cardinal FInterval = 0;
    vcl::TNotifyEvent FOnTimer;
    vcl::TTimer* FTimerThread = nullptr;
    vcl::TThreadPriority FThreadPriority = vcl::TThreadPriority::tpNormal;
};

}  // namespace skin
