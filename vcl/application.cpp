// The application: its hidden window, the message loop with key reflection and mouse tracking,
// exceptions and message boxes, and the hidden utility windows timers and menus use.
#include "vcl/application.h"

#include "vcl/forms.h"
#include "vcl/seams.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

namespace vcl {

// =============================================================================================
// Utility windows

namespace {

// The window's method lives in GWLP_USERDATA once the window exists; until then (and after
// DeallocateHWnd) the default procedure answers.
LRESULT CALLBACK UtilWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!method)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        // A copy: the handler may deallocate this window.
        TWndMethod call = *method;
        call(m);
    } catch (...) {
        if (Application)
            Application->HandleException(Application);
    }
    return m.Result;
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

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FTitle(ModuleBaseName()) {}

void TApplication::BeforeDestruction()
{
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
    if (!FHandle)
        FHandle = CreateUtilWindow(L"TApplication", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, FTitle,
                                   TWndMethod(this, &TApplication::WndProc));
    return FHandle;
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
    if (IsKeyMsg(Msg))
        return true;
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
    return true;
}

void TApplication::Idle()
{
    DoMouseIdle();
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

void TApplication::DoMouseIdle()
{
    TPoint pos = Seams().CursorPos();
    HWND wnd = OwningControlWindow(WindowFromPoint(pos));
    TControl* target = nullptr;
    if (TWinControl* window = FindControl(wnd)) {
        target = window;
        if (TControl* child = window->ControlAtPos(window->ScreenToClient(pos), true))
            target = child;
    }
    TControl* capture = GetCaptureControl();
    if ((capture && capture != FMouseControl) || target == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = target;
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
    }
    Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// =============================================================================================
// The global application object

TApplication* Application = Create<TApplication>(nullptr);

}  // namespace vcl
