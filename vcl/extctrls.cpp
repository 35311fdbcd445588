#include "vcl/extctrls.h"

#include "vcl/forms.h"

namespace vcl {

namespace {
constexpr UINT_PTR TimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FWindowHandle(AllocateHWnd(TWndMethod(this, &TTimer::WndProc)))
{
}

void TTimer::BeforeDestruction()
{
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
    TComponent::BeforeDestruction();
}

void TTimer::UpdateTimer()
{
    if (FRunning) {
        KillTimer(FWindowHandle, TimerId);
        FRunning = false;
    }
    if (!FEnabled || FInterval == 0 || !FOnTimer)
        return;
    if (!SetTimer(FWindowHandle, TimerId, FInterval, nullptr))
        throw EOutOfResources(L"Not enough timers available");
    FRunning = true;
}

void TTimer::SetEnabled(bool value)
{
    if (ChangeField(FEnabled, value))
        UpdateTimer();
}

void TTimer::SetInterval(Cardinal value)
{
    if (ChangeField(FInterval, value))
        UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value)
{
    if (ChangeField(FOnTimer, value))
        UpdateTimer();
}

void TTimer::Timer()
{
    // A copy: the handler may free this timer.
    TNotifyEvent handler = FOnTimer;
    if (handler)
        handler(this);
}

void TTimer::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProcW(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}

}  // namespace vcl
