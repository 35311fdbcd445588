// The application: its hidden window, the message loop with key reflection and mouse tracking,
// exceptions and message boxes, and the hidden utility windows timers and menus use.
#include "vcl/application.h"

#include "vcl/forms.h"
#include "vcl/hints.h"
#include "vcl/seams.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

namespace vcl {

namespace {

// The application window's timer that paces the hints.
constexpr UINT_PTR HintTimerId = 1;

// A key or a mouse button going down puts an end to the hint.
bool IsHintCancelMessage(UINT msg)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
    }
}

}  // namespace

// =============================================================================================
// Utility windows

LRESULT DeliverMessage(TWndMethod Method, TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    try {
        Method(m);
    } catch (...) {
        if (Application)
            Application->HandleException(Sender ? Sender : Application);
    }
    return m.Result;
}

namespace {

// The window's method lives in GWLP_USERDATA once the window exists; until then (and after
// DeallocateHWnd) the default procedure answers.
LRESULT CALLBACK UtilWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!method)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return DeliverMessage(*method, Application, msg, wParam, lParam);
}

HWND CreateUtilWindow(const wchar_t* className, DWORD style, DWORD exStyle, const String& caption,
                      const TWndMethod& method)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = UtilWindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    HWND wnd = CreateWindowExW(exStyle, className, caption.c_str(), style, 0, 0, 0, 0, nullptr, nullptr, instance,
                               nullptr);
    if (!wnd)
        throw EOutOfResources(String(L"Error creating window of class ") + className);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
    return wnd;
}

}  // namespace

HWND AllocateHWnd(const TWndMethod& Method)
{
    return CreateUtilWindow(L"TPUtilWindow", WS_POPUP, WS_EX_TOOLWINDOW, String(), Method);
}

void DeallocateHWnd(HWND Wnd)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    // The owner is going away: the last messages of the window go to the default procedure.
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
    delete method;
}

// =============================================================================================
// TApplication

namespace {

String ModuleBaseName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    String name = path;
    size_t slash = name.find_last_of(L"\\/");
    if (slash != String::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != String::npos)
        name.erase(dot);
    return name;
}

}  // namespace

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), FTitle(ModuleBaseName()), FIcon(std::make_unique<TIcon>())
{
    FIcon->SetHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    FIcon->SetOnChange(TNotifyEvent(this, &TApplication::IconChanged));
}

void TApplication::BeforeDestruction()
{
    StopHintTimer();
    TComponent::BeforeDestruction();
    SetWakeMainThread(nullptr);
    if (FHandle) {
        DeallocateHWnd(FHandle);
        FHandle = nullptr;
    }
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    Handle();
    SetWakeMainThread(TDelegate<void()>(this, &TApplication::WakeMainThread));
}

HWND TApplication::Handle()
{
    if (FHandle)
        return FHandle;
    FHandle = CreateUtilWindow(L"TApplication", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, FTitle,
                               TWndMethod(this, &TApplication::WndProc));
    IconChanged(this);
    return FHandle;
}

void TApplication::IconChanged(TObject*)
{
    if (!FHandle)
        return;
    SetWindowIcon(FHandle, *FIcon);
}

void TApplication::SetTitle(const String& value)
{
    if (!ChangeField(FTitle, value))
        return;
    if (FHandle)
        SetWindowTextW(FHandle, FTitle.c_str());
}

void TApplication::WakeMainThread()
{
    if (FHandle)
        PostMessageW(FHandle, CM_SYNCHRONIZE, 0, 0);
}

void TApplication::FormCreated(TCustomForm* Form)
{
    if (!FMainForm && dynamic_cast<TForm*>(Form)) {
        FMainForm = Form;
        Form->HandleNeeded();
    }
}

void TApplication::Run()
{
    if (!FMainForm)
        return;
    if (FShowMainForm)
        FMainForm->SetVisible(true);
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    } while (!FTerminated);
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg))
        Idle();
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    try {
        if (FOnMessage)
            FOnMessage(Msg, handled);
    } catch (...) {
        HandleException(this);
    }
    if (handled)
        return true;
    if ((Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST) || Msg.message == WM_MOUSELEAVE)
        DoMouseIdle();
    if (IsHintCancelMessage(Msg.message))
        CancelHint();
    if (IsKeyMsg(Msg))
        return true;
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
    return true;
}

void TApplication::Idle()
{
    DoMouseIdle();
    DoActionIdle();
    bool done = true;
    try {
        if (FOnIdle)
            FOnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (CheckSynchronize())
        done = false;
    TControlCanvas::FreeDeviceContexts();
    if (done)
        WaitMessage();
}

void TApplication::DoActionIdle()
{
    if (!Screen)
        return;
    // Counted afresh each turn: an update may free a form.
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
        TCustomForm* form = Screen->CustomForms(i);
        try {
            form->UpdateActions();
        } catch (...) {
            HandleException(form);
        }
    }
}

namespace {

// The window of ours that wnd belongs to: itself or the nearest parent (not owner) we bound, as
// for the edit inside a combo box.
HWND OwningControlWindow(HWND wnd)
{
    while (wnd && !FindControl(wnd))
        wnd = GetAncestor(wnd, GA_PARENT);
    return wnd;
}

}  // namespace

// Keys go first to the focused control as CN_ messages; a non-zero answer eats them.
bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST)
        return false;
    HWND wnd = GetCapture();
    if (!wnd)
        wnd = OwningControlWindow(Msg.hwnd);
    return FindControl(wnd) && SendMessageW(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

namespace {

// The innermost control of ours at a screen point, graphic controls included.
TControl* ControlAtScreenPoint(const TPoint& pos)
{
    TWinControl* window = FindControl(OwningControlWindow(WindowFromPoint(pos)));
    if (!window)
        return nullptr;
    TControl* child = window->ControlAtPos(window->ScreenToClient(pos), true);
    return child ? child : window;
}

}  // namespace

void TApplication::DoMouseIdle()
{
    TControl* target = ControlAtScreenPoint(Seams().CursorPos());
    // The hint window lies over the controls without being one of them for the mouse.
    if (target && target == FHintWindow)
        return;
    TControl* capture = GetCaptureControl();
    if ((capture && capture != FMouseControl) || target == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = target;
    try {
        HintMouseMessage(target);
    } catch (...) {
        HandleException(this);
    }
    // Like a window procedure, the loop reports what the controls' events throw and goes on.
    auto notify = [this](TControl* control, UINT msg) {
        try {
            control->Perform(msg, 0, reinterpret_cast<LPARAM>(control));
        } catch (...) {
            HandleException(control);
        }
    };
    if (old)
        notify(old, CM_MOUSELEAVE);
    if (!target || FMouseControl != target)
        return;
    notify(target, CM_MOUSEENTER);
    auto* window = dynamic_cast<TWinControl*>(target);
    if (!window)
        window = target->Parent();
    if (window && window->HandleAllocated()) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, window->Handle(), 0};
        TrackMouseEvent(&tme);
    }
}

void TApplication::ControlDestroyed(TControl* Control)
{
    if (FMouseControl == Control)
        FMouseControl = nullptr;
    if (FHintControl == Control)
        CancelHint();
    if (FHintWindow == Control)
        FHintWindow = nullptr;
    if (FMainForm == Control)
        FMainForm = nullptr;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    auto report = [&](Exception& e) {
        if (FOnException)
            FOnException(Sender, e);
        else
            ShowException(e);
    };
    // Callers sit in the system's callbacks: a report that fails itself is dropped, never thrown on.
    try {
        try {
            std::rethrow_exception(current);
        } catch (EAbort&) {
        } catch (Exception& e) {
            report(e);
        } catch (...) {
            // Anything that is not one of ours is reported without a text.
            Exception e(L"");
            report(e);
        }
    } catch (...) {
    }
}

void TApplication::ShowException(const Exception& E) { MessageBox(E.Message(), FTitle, MB_OK | MB_ICONSTOP); }

HWND TApplication::MessageBoxOwner()
{
    HWND active = GetActiveWindow();
    if (FindControl(active))
        return active;
    if (FMainForm && FMainForm->HandleAllocated())
        return FMainForm->Handle();
    return Handle();
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    return Seams().MessageBox(MessageBoxOwner(), Text, Caption.empty() ? FTitle : Caption, Flags);
}

void TApplication::Minimize()
{
    HWND wnd = FMainFormOnTaskBar && FMainForm ? FMainForm->Handle() : Handle();
    ShowWindow(wnd, SW_MINIMIZE);
    if (FOnMinimize)
        FOnMinimize(this);
}

void TApplication::Restore()
{
    HWND wnd = FMainFormOnTaskBar && FMainForm ? FMainForm->Handle() : Handle();
    ShowWindow(wnd, SW_RESTORE);
    if (FOnRestore)
        FOnRestore(this);
}

void TApplication::HookMainWindow(const TWindowHook& Hook) { FWindowHooks.push_back(Hook); }

void TApplication::UnhookMainWindow(const TWindowHook& Hook)
{
    auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
    if (it != FWindowHooks.end())
        FWindowHooks.erase(it);
}

void TApplication::WndProc(TMessage& Message)
{
    for (const TWindowHook& hook : std::vector<TWindowHook>(FWindowHooks))
        if (hook(Message))
            return;
    switch (Message.Msg) {
    case WM_ACTIVATEAPP:
        SendMessageW(FHandle, Message.WParam ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
        break;
    case CM_ACTIVATE:
        if (FOnActivate)
            FOnActivate(this);
        return;
    case CM_DEACTIVATE:
        if (FOnDeactivate)
            FOnDeactivate(this);
        return;
    case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return;
        case SC_RESTORE: Restore(); return;
        }
        break;
    case WM_CLOSE:
        if (FMainForm)
            FMainForm->Close();
        return;
    case CM_SYNCHRONIZE: CheckSynchronize(); return;
    case WM_TIMER:
        if (Message.WParam == HintTimerId) {
            HintTimerExpired();
            return;
        }
        break;
    }
    Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---------------------------------------------------------------------------------------------
// Hints

namespace {

// The first control from Control up its parents that shows hints.
TControl* HintControlOf(TControl* Control)
{
    while (Control && !Control->ShowHint())
        Control = Control->Parent();
    return Control;
}

// The first hint text from Control up its parents.
String HintTextOf(TControl* Control)
{
    while (Control && Control->Hint().empty())
        Control = Control->Parent();
    return Control ? Control->Hint() : String();
}

}  // namespace

void TApplication::SetShowHint(bool value)
{
    if (!ChangeField(FShowHint, value) || value)
        return;
    CancelHint();
    if (FHintWindow) {
        FHintWindow->Free();
        FHintWindow = nullptr;
    }
}

void TApplication::SetHint(const String& value)
{
    if (ChangeField(FHint, value) && FOnHint)
        FOnHint(this);
}

void TApplication::HintMouseMessage(TControl* Control)
{
    SetHint(GetLongHint(HintTextOf(Control)));
    TControl* hintControl = HintControlOf(Control);
    if (hintControl == FHintControl)
        return;
    bool wasShowing = FHintWindow && FHintWindow->HintShowing();
    StopHintTimer();
    HideHintWindow();
    FHintControl = hintControl;
    if (FShowHint && hintControl && !GetShortHint(HintTextOf(hintControl)).empty())
        StartHintTimer(wasShowing ? FHintShortPause : FHintPause, true);
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    StopHintTimer();
    HideHintWindow();
    TControl* hintControl = HintControlOf(ControlAtScreenPoint(CursorPos));
    FHintControl = hintControl;
    if (!FShowHint || !hintControl || hintControl == FHintWindow)
        return;
    THintInfo info;
    info.HintControl = hintControl;
    info.HintPos = CursorPos.Offset(0, GetSystemMetrics(SM_CYCURSOR));
    info.HintMaxWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = FHintColor;
    info.CursorRect = hintControl->ClientRect();
    info.CursorPos = hintControl->ScreenToClient(CursorPos);
    info.HintStr = GetShortHint(HintTextOf(hintControl));
    info.HideTimeout = FHintHidePause;
    bool canShow = hintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && FOnShowHint)
        FOnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.empty())
        return;
    if (!FHintWindow)
        FHintWindow = Create<THintWindow>(this);
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, nullptr);
    r.Offset(info.HintPos.x, info.HintPos.y);
    FHintWindow->ActivateHint(r, info.HintStr);
    if (info.HideTimeout > 0)
        StartHintTimer(info.HideTimeout, false);
}

void TApplication::CancelHint()
{
    StopHintTimer();
    HideHintWindow();
    FHintControl = nullptr;
}

void TApplication::HideHintWindow()
{
    if (FHintWindow && FHintWindow->HandleAllocated())
        FHintWindow->ReleaseHandle();
}

void TApplication::StartHintTimer(int Milliseconds, bool Show)
{
    FHintTimerShows = Show;
    FHintTimerRunning = true;
    SetTimer(Handle(), HintTimerId, static_cast<UINT>(std::max(Milliseconds, 0)), nullptr);
}

void TApplication::StopHintTimer()
{
    if (!FHintTimerRunning)
        return;
    FHintTimerRunning = false;
    if (FHandle)
        KillTimer(FHandle, HintTimerId);
}

// The pause ended: show the hint of the control still under the mouse; or the hint's time is up.
void TApplication::HintTimerExpired()
{
    bool show = FHintTimerShows;
    StopHintTimer();
    if (show)
        ActivateHint(Seams().CursorPos());
    else
        HideHintWindow();
}

// =============================================================================================
// The global application object

TApplication* Application = Create<TApplication>(nullptr);

}  // namespace vcl
