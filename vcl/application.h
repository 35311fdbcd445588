#pragma once
// The application object: its hidden window, the message loop, exception reporting, message
// boxes, and hidden utility windows.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/pictures.h"
#include "vcl/system.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vcl {

class TCustomForm;
class THintWindow;
struct THintInfo;

using TExceptionEvent = TDelegate<void(TObject* Sender, Exception& E)>;
using TMessageEvent = TDelegate<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TDelegate<void(TObject* Sender, bool& Done)>;
// A hook on the application window's messages: true when it handled the message.
using TWindowHook = TDelegate<bool(TMessage& Message)>;
// Before a hint shows: the handler may change the text and the placement, or refuse it.
using TShowHintEvent = TDelegate<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
    CL_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    void BeforeDestruction() override;

    // COM for the shell, the common controls, and the hidden application window.
    void Initialize();
    // The application window (made on first use).
    HWND Handle();

    const String& Title() const { return FTitle; }
    void SetTitle(const String& value);
    // The program's icon: the "MAINICON" resource of the program file when it has one. A change
    // goes to the application window at once.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* value) { FIcon->Assign(value); }
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool value) { FMainFormOnTaskBar = value; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    // Hint windows at all; switching them off hides the one showing.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }

    // Creates a form owned by the application; Reference is set before OnCreate runs, and the
    // first form so created becomes the main form.
    template<class T>
    void CreateForm(T*& Reference)
    {
        T* form = new T(this);
        Reference = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            form->Free();
            throw;
        }
        FormCreated(form);
    }

    // Shows the main form (when ShowMainForm) and handles messages until Terminate.
    void Run();
    // One message, or the idle work when there is none (then it waits for the next message).
    void HandleMessage();
    // Handles every message already queued.
    void ProcessMessages();
    // Ends Run once the messages queued before it are handled.
    void Terminate();
    // Call inside a catch block: EAbort is silent, anything else goes to OnException or a message box.
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);
    // A message box owned by the active form (else the main form, else this window); an empty
    // caption means the Title.
    int MessageBox(const String& Text, const String& Caption = String(), UINT Flags = MB_OK);
    // The window the application's message boxes and system dialogs belong to: the active window
    // when it is ours, else the main form, else the application window.
    HWND MessageBoxOwner();
    void Minimize();
    void Restore();

    void HookMainWindow(const TWindowHook& Hook);
    void UnhookMainWindow(const TWindowHook& Hook);

    // The innermost control under the mouse.
    TControl* MouseControl() const { return FMouseControl; }

    // The long hint of the control under the mouse (or of the selected menu item); OnHint fires
    // on every change.
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor value) { FHintColor = value; }
    // Milliseconds the mouse rests on a control before its hint shows.
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    // The pause when the mouse moves on from a control whose hint was showing.
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int value) { FHintShortPause = value; }
    // Milliseconds a hint stays; 0 keeps it until the mouse leaves the control.
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    // Shows the hint of the control under CursorPos (screen) now, without the pause.
    void ActivateHint(const TPoint& CursorPos);
    // Hides the hint; the control under the mouse shows it again after the pause once the mouse moves.
    void CancelHint();
    // Forgets every reference to a control that goes away.
    void ControlDestroyed(TControl* Control);

    TExceptionEvent OnException() const { return FOnException; }
    void SetOnException(TExceptionEvent value) { FOnException = value; }
    TMessageEvent OnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent value) { FOnMessage = value; }
    TIdleEvent OnIdle() const { return FOnIdle; }
    void SetOnIdle(TIdleEvent value) { FOnIdle = value; }
    TNotifyEvent OnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent value) { FOnActivate = value; }
    TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent value) { FOnDeactivate = value; }
    TNotifyEvent OnMinimize() const { return FOnMinimize; }
    void SetOnMinimize(TNotifyEvent value) { FOnMinimize = value; }
    TNotifyEvent OnHint() const { return FOnHint; }
    void SetOnHint(TNotifyEvent value) { FOnHint = value; }
    TShowHintEvent OnShowHint() const { return FOnShowHint; }
    void SetOnShowHint(TShowHintEvent value) { FOnShowHint = value; }
    TNotifyEvent OnRestore() const { return FOnRestore; }
    void SetOnRestore(TNotifyEvent value) { FOnRestore = value; }

private:
    void FormCreated(TCustomForm* Form);
    // Gives the application window the icon.
    void IconChanged(TObject* Sender);
    bool ProcessMessage(MSG& Msg);
    void Idle();
    // Every showing form updates its controls' actions; what an update throws is reported.
    void DoActionIdle();
    bool IsKeyMsg(MSG& Msg);
    // Re-evaluates the control under the mouse and sends leave and enter.
    void DoMouseIdle();
    // The control under the mouse changed: the application's hint follows, the hint window waits.
    void HintMouseMessage(TControl* Control);
    void StartHintTimer(int Milliseconds, bool Show);
    void StopHintTimer();
    void HintTimerExpired();
    void HideHintWindow();
    void WndProc(TMessage& Message);
    void WakeMainThread();

    HWND FHandle = nullptr;
    String FTitle;
    std::unique_ptr<TIcon> FIcon;
    bool FMainFormOnTaskBar = false;
    bool FShowMainForm = true;
    bool FShowHint = true;
    bool FTerminated = false;
    TCustomForm* FMainForm = nullptr;
    TControl* FMouseControl = nullptr;
    String FHint;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    TControl* FHintControl = nullptr;  // the control whose hint shows or waits to show
    THintWindow* FHintWindow = nullptr;  // owned through Components
    bool FHintTimerRunning = false;
    bool FHintTimerShows = false;  // the running timer shows the hint (else it hides it)
    TNotifyEvent FOnHint;
    TShowHintEvent FOnShowHint;
    std::vector<TWindowHook> FWindowHooks;
    TExceptionEvent FOnException;
    TMessageEvent FOnMessage;
    TIdleEvent FOnIdle;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnMinimize;
    TNotifyEvent FOnRestore;
};

// The application, made at start-up; it lives until the process ends unless the program frees it.
extern TApplication* Application;

// Hands one message to Method as a window procedure does and answers its Result. Method is taken
// by value, as the handler may replace it or free its object; whatever the handler throws goes to
// the application's HandleException with Sender (the application when null).
LRESULT DeliverMessage(TWndMethod Method, TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam);

// A hidden utility window (class "TPUtilWindow") whose messages go to Method; Method handles
// every message, calling DefWindowProcW for those it does not want.
HWND AllocateHWnd(const TWndMethod& Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace vcl
