#pragma once
// The application object: its hidden window, the message loop, exception reporting, message
// boxes, and hidden utility windows.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/system.h"

#include <windows.h>

#include <vector>

namespace vcl {

class TCustomForm;

using TExceptionEvent = TDelegate<void(TObject* Sender, Exception& E)>;
using TMessageEvent = TDelegate<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TDelegate<void(TObject* Sender, bool& Done)>;
// A hook on the application window's messages: true when it handled the message.
using TWindowHook = TDelegate<bool(TMessage& Message)>;

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
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool value) { FMainFormOnTaskBar = value; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
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
    void Minimize();
    void Restore();

    void HookMainWindow(const TWindowHook& Hook);
    void UnhookMainWindow(const TWindowHook& Hook);

    // The innermost control under the mouse.
    TControl* MouseControl() const { return FMouseControl; }
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
    TNotifyEvent OnRestore() const { return FOnRestore; }
    void SetOnRestore(TNotifyEvent value) { FOnRestore = value; }

private:
    void FormCreated(TCustomForm* Form);
    bool ProcessMessage(MSG& Msg);
    void Idle();
    bool IsKeyMsg(MSG& Msg);
    // Re-evaluates the control under the mouse and sends leave and enter.
    void DoMouseIdle();
    void WndProc(TMessage& Message);
    void WakeMainThread();
    HWND MessageBoxOwner();

    HWND FHandle = nullptr;
    String FTitle;
    bool FMainFormOnTaskBar = false;
    bool FShowMainForm = true;
    bool FShowHint = true;
    bool FTerminated = false;
    TCustomForm* FMainForm = nullptr;
    TControl* FMouseControl = nullptr;
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

// A hidden utility window (class "TPUtilWindow") whose messages go to Method; Method handles
// every message, calling DefWindowProcW for those it does not want.
HWND AllocateHWnd(const TWndMethod& Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace vcl
