#pragma once
// Timers, and (from extctrls_panels.h) panels, bevels, shapes, images and paint boxes.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/extctrls_panels.h"
#include "vcl/system.h"

#include <windows.h>

namespace vcl {

// Fires OnTimer every Interval ms through the message loop of the thread that made it, modal
// loops and message boxes included. It runs only while Enabled, Interval > 0 and OnTimer is set;
// a change of any of them re-evaluates that, and setting a value it already has changes nothing
// (enabling a running timer does not restart its count).
class TTimer : public TComponent {
    CL_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal value);
    TNotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent value);

protected:
    // One tick: fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    TNotifyEvent FOnTimer;
    HWND FWindowHandle = nullptr;
    bool FRunning = false;
};

}  // namespace vcl
