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
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FFormState << TFormStateItem::fsCreating;
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FBrush->SetColor(FColor);
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csDoubleClicks};
    FWidth = 320;
    FHeight = 240;
    FCanvas->SetControl(this);
    if (Screen)
        Screen->AddForm(this);
}

void TCustomForm::AfterConstruction()
{
    TWinControl::AfterConstruction();
    DoCreate();
    FFormState >> TFormStateItem::fsCreating;
    if (FFormState.Contains(TFormStateItem::fsVisible))
        SetVisible(true);
}

void TCustomForm::BeforeDestruction()
{
    DoDestroy();
    if (Screen)
        Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    if (FLoadedClientWidth >= 0)
        SetClientWidth(FLoadedClientWidth);
    if (FLoadedClientHeight >= 0)
        SetClientHeight(FLoadedClientHeight);
}

void TCustomForm::DoCreate()
{
    if (!FOnCreate)
        return;
    try {
        FOnCreate(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoDestroy()
{
    if (!FOnDestroy)
        return;
    try {
        FOnDestroy(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoShow()
{
    if (FOnShow)
        FOnShow(this);
}

void TCustomForm::DoHide()
{
    if (FOnHide)
        FOnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (FOnClose)
        FOnClose(this, Action);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (FOnCloseQuery)
        FOnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Activate()
{
    if (FOnActivate)
        FOnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (FOnDeactivate)
        FOnDeactivate(this);
}

void TCustomForm::Paint()
{
    if (FOnPaint)
        FOnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

namespace {

// Window styles of a border style and its icons.
void BorderStyles(TFormBorderStyle border, TBorderIcons icons, DWORD& style, DWORD& exStyle)
{
    switch (border) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
        style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsToolWindow:
        style |= WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (border == TFormBorderStyle::bsNone)
        return;
    if (icons.Contains(TBorderIcon::biSystemMenu))
        style |= WS_SYSMENU;
    bool dialog = border == TFormBorderStyle::bsDialog || border == TFormBorderStyle::bsToolWindow ||
                  border == TFormBorderStyle::bsSizeToolWin;
    if (!dialog && icons.Contains(TBorderIcon::biMinimize))
        style |= WS_MINIMIZEBOX;
    if (!dialog && icons.Contains(TBorderIcon::biMaximize))
        style |= WS_MAXIMIZEBOX;
    if (icons.Contains(TBorderIcon::biHelp) && (dialog || !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
        exStyle |= WS_EX_CONTEXTHELP;
}

}  // namespace

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_TABSTOP);
    BorderStyles(FBorderStyle, FBorderIcons, Params.Style, Params.ExStyle);
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    bool isMain = !mainForm || mainForm == this;
    if (Application && Application->MainFormOnTaskBar()) {
        if (isMain) {
            Params.WndParent = nullptr;
            Params.ExStyle |= WS_EX_APPWINDOW;
        } else {
            Params.WndParent = mainForm->Handle();
        }
    } else {
        Params.WndParent = Application ? Application->Handle() : nullptr;
    }
}

TRect TCustomForm::ClientRect()
{
    if (FHandle)
        return TWinControl::ClientRect();
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    BorderStyles(FBorderStyle, FBorderIcons, style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return TRect(0, 0, FWidth - (frame.right - frame.left), FHeight - (frame.bottom - frame.top));
}

// While loading, the border style may still change: the client size is applied in Loaded.
void TCustomForm::SetClientWidth(int value)
{
    if (IsLoading())
        FLoadedClientWidth = value;
    else
        TWinControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value)
{
    if (IsLoading())
        FLoadedClientHeight = value;
    else
        TWinControl::SetClientHeight(value);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (ChangeField(FBorderIcons, value))
        RecreateWnd();
}

namespace {

int ShowCommand(TWindowState state)
{
    switch (state) {
    case TWindowState::wsMinimized: return SW_SHOWMINIMIZED;
    case TWindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

}  // namespace

void TCustomForm::SetWindowState(TWindowState value)
{
    if (!ChangeField(FWindowState, value))
        return;
    if (FShowing && FHandle)
        ShowWindow(FHandle, ShowCommand(value));
}

void TCustomForm::SetVisible(bool value)
{
    // During construction Visible is only remembered; AfterConstruction shows the form.
    if (FFormState.Contains(TFormStateItem::fsCreating)) {
        if (value)
            FFormState << TFormStateItem::fsVisible;
        else
            FFormState >> TFormStateItem::fsVisible;
        return;
    }
    TWinControl::SetVisible(value);
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
    if (FHandle)
        SetForegroundWindow(FHandle);
}

void TCustomForm::ApplyPosition()
{
    int x = FLeft;
    int y = FTop;
    auto centreOn = [&](const TRect& area) {
        x = area.left + (area.Width() - FWidth) / 2;
        y = area.top + (area.Height() - FHeight) / 2;
    };
    TRect screen(0, 0, Screen->Width(), Screen->Height());
    switch (FPosition) {
    case TPosition::poScreenCenter: centreOn(screen); break;
    case TPosition::poDesktopCenter:
        centreOn(Bounds(Screen->DesktopLeft(), Screen->DesktopTop(), Screen->DesktopWidth(), Screen->DesktopHeight()));
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* target = FPosition == TPosition::poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!target)
            target = Application->MainForm();
        centreOn(target && target != this ? target->BoundsRect() : screen);
        break;
    }
    default: return;
    }
    SetBounds(std::max(x, Screen->DesktopLeft()), std::max(y, Screen->DesktopTop()), FWidth, FHeight);
}

// Becoming showing: OnShow before the window appears, the position at the first show.
void TCustomForm::ShowingChanged()
{
    bool recreating = FControlState.Contains(TControlStateItem::csRecreating);
    FFormState << TFormStateItem::fsShowing;
    struct Done {
        TFormState& State;
        ~Done() { State >> TFormStateItem::fsShowing; }
    } done{FFormState};
    if (FShowing) {
        if (!recreating) {
            try {
                DoShow();
            } catch (...) {
                Application->HandleException(this);
            }
        }
        if (!FPositioned) {
            FPositioned = true;
            ApplyPosition();
        }
        ShowWindow(FHandle, ShowCommand(FWindowState));
        return;
    }
    if (!recreating) {
        try {
            DoHide();
        } catch (...) {
            Application->HandleException(this);
        }
    }
    ShowWindow(FHandle, SW_HIDE);
}

namespace {

struct TaskWindows {
    HWND Except;
    std::vector<HWND> Disabled;
};

BOOL CALLBACK DisableTaskWindow(HWND wnd, LPARAM param)
{
    auto* task = reinterpret_cast<TaskWindows*>(param);
    if (wnd != task->Except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        EnableWindow(wnd, FALSE);
        task->Disabled.push_back(wnd);
    }
    return TRUE;
}

}  // namespace

TModalResult TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || FFormState.Contains(TFormStateItem::fsModal))
        throw EInvalidOperation(L"Cannot make a visible window modal");
    if (GetCapture())
        SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    FFormState << TFormStateItem::fsModal;
    HWND activeWindow = GetActiveWindow();
    TaskWindows task{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&task));
    auto restore = [&] {
        for (HWND wnd : task.Disabled)
            if (IsWindow(wnd))
                EnableWindow(wnd, TRUE);
        if (activeWindow && IsWindow(activeWindow))
            SetActiveWindow(activeWindow);
        FFormState >> TFormStateItem::fsModal;
    };
    TModalResult result = mrNone;
    try {
        Show();
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
        result = FModalResult;
        Hide();
    } catch (...) {
        Hide();
        restore();
        throw;
    }
    restore();
    return result;
}

void TCustomForm::CloseModal()
{
    TCloseAction action = TCloseAction::caNone;
    try {
        if (CloseQuery()) {
            action = TCloseAction::caHide;
            DoClose(action);
        }
    } catch (...) {
        FModalResult = mrNone;
        Application->HandleException(this);
        return;
    }
    if (action == TCloseAction::caNone)
        FModalResult = mrNone;
    else if (action == TCloseAction::caFree)
        Release();
}

void TCustomForm::Close()
{
    if (FFormState.Contains(TFormStateItem::fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    default: Release(); break;
    }
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

// ---------------------------------------------------------------------------------------------
// Focus

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control)
        return;
    if (Control && (Control == this || GetParentForm(Control) != this || (!IsLoading() && !Control->CanFocus())))
        throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (Control && FActive && !IsLoading())
        ::SetFocus(Control->Handle());
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    SetActiveControl(Control);
    if (FShowing)
        ::SetFocus(Control->Handle());
}

// Exit runs up the old control's chain to the common parent, enter down the new one.
bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (FFocusedControl == Control)
        return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = Control;
    if (Control != this)
        FActiveControl = Control;
    if (Screen) {
        Screen->FActiveControl = Control;
        Screen->FormActivated(this);
    }
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(Control); c = c->Parent()) {
        c->Perform(CM_EXIT);
        if (FFocusedControl != Control)
            return false;
    }
    std::vector<TWinControl*> chain;
    for (TWinControl* c = Control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
        chain.push_back(c);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->Perform(CM_ENTER);
        if (FFocusedControl != Control)
            return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

void TCustomForm::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return;
    auto count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? -1 : count) : static_cast<int>(found - list.begin());
    for (int step = 1; step <= count; ++step) {
        int i = ((GoForward ? start + step : start - step) % count + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if ((!CheckTabStop || c->TabStop()) && c->CanFocus()) {
            c->SetFocus();
            return;
        }
    }
}

void TCustomForm::ControlRemoved(TWinControl* Control)
{
    if (FActiveControl && Control->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
    if (FFocusedControl && Control->ContainsControl(FFocusedControl))
        FFocusedControl = nullptr;
    if (Screen && Screen->FActiveControl && Control->ContainsControl(Screen->FActiveControl))
        Screen->FActiveControl = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomForm::WMActivate(TMessage& Message)
{
    bool active = LOWORD(Message.WParam) != WA_INACTIVE;
    FActive = active;
    if (!active) {
        Deactivate();
        TWinControl::Dispatch(Message);
        return;
    }
    if (Screen)
        Screen->FormActivated(this);
    Activate();
    if (FActiveControl && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        Message.Result = 0;
        return;
    }
    TWinControl::Dispatch(Message);
}

void TCustomForm::WMSize(TMessage& Message)
{
    switch (Message.WParam) {
    case SIZE_MINIMIZED: FWindowState = TWindowState::wsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = TWindowState::wsMaximized; break;
    case SIZE_RESTORED: FWindowState = TWindowState::wsNormal; break;
    }
    TWinControl::Dispatch(Message);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_SHOWINGCHANGED: ShowingChanged(); return;
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case CM_RELEASE: Free(); return;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
            return;
        }
        TWinControl::Dispatch(Message);
        return;
    case WM_PAINT:
        // The form paints its own canvas (OnPaint) under its graphic controls.
        CustomPaint(Message);
        return;
    default: TWinControl::Dispatch(Message); return;
    }
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
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TCustomForm* TScreen::CustomForms(int index) const
{
    if (index < 0 || index >= CustomFormCount())
        throw EListError(L"Form index out of bounds");
    return FForms[static_cast<size_t>(index)];
}

int TScreen::FormCount() const
{
    return static_cast<int>(std::count_if(FForms.begin(), FForms.end(),
                                          [](TCustomForm* f) { return dynamic_cast<TForm*>(f) != nullptr; }));
}

TForm* TScreen::Forms(int index) const
{
    for (TCustomForm* f : FForms)
        if (auto* form = dynamic_cast<TForm*>(f))
            if (index-- == 0)
                return form;
    throw EListError(L"Form index out of bounds");
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form)
        FActiveForm = nullptr;
    if (FActiveControl && Form->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
}

void TScreen::FormActivated(TCustomForm* Form)
{
    FActiveForm = Form;
    auto it = std::find(FForms.begin(), FForms.end(), Form);
    if (it != FForms.end())
        std::rotate(FForms.begin(), it, it + 1);
}

int TScreen::Width() const { return Seams().SystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return Seams().SystemMetrics(SM_CYSCREEN); }
int TScreen::DesktopLeft() const { return Seams().SystemMetrics(SM_XVIRTUALSCREEN); }
int TScreen::DesktopTop() const { return Seams().SystemMetrics(SM_YVIRTUALSCREEN); }
int TScreen::DesktopWidth() const { return Seams().SystemMetrics(SM_CXVIRTUALSCREEN); }
int TScreen::DesktopHeight() const { return Seams().SystemMetrics(SM_CYVIRTUALSCREEN); }

TRect TScreen::WorkAreaRect() const
{
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

namespace {

int CALLBACK AddFontFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    auto* list = reinterpret_cast<TStringList*>(param);
    // Vertical variants ("@Name") are not families of their own.
    if (lf->lfFaceName[0] != L'@' && list->IndexOf(lf->lfFaceName) < 0)
        list->Add(lf->lfFaceName);
    return 1;
}

void FontFromLogFont(TFont* font, const LOGFONTW& lf)
{
    HFONT handle = CreateFontIndirectW(&lf);
    font->SetHandle(handle);
    DeleteObject(handle);
}

}  // namespace

TStrings* TScreen::Fonts()
{
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        HDC dc = GetDC(nullptr);
        LOGFONTW lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &lf, AddFontFamily, reinterpret_cast<LPARAM>(FFonts.get()), 0);
        ReleaseDC(nullptr, dc);
    }
    return FFonts.get();
}

void TScreen::ReadSystemFonts()
{
    if (FMenuFont)
        return;
    FMenuFont = std::make_unique<TFont>();
    FHintFont = std::make_unique<TFont>();
    FIconFont = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        FontFromLogFont(FMenuFont.get(), metrics.lfMenuFont);
        FontFromLogFont(FHintFont.get(), metrics.lfStatusFont);
    }
    LOGFONTW icon{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0))
        FontFromLogFont(FIconFont.get(), icon);
}

TFont* TScreen::MenuFont()
{
    ReadSystemFonts();
    return FMenuFont.get();
}

TFont* TScreen::HintFont()
{
    ReadSystemFonts();
    return FHintFont.get();
}

TFont* TScreen::IconFont()
{
    ReadSystemFonts();
    return FIconFont.get();
}

HCURSOR TScreen::Cursors(TCursor id) const
{
    struct Entry {
        TCursor Cursor;
        const wchar_t* Resource;
    };
    static const Entry table[] = {
        {TCursor::crArrow, IDC_ARROW},       {TCursor::crCross, IDC_CROSS},        {TCursor::crIBeam, IDC_IBEAM},
        {TCursor::crSizeNESW, IDC_SIZENESW}, {TCursor::crSizeNS, IDC_SIZENS},      {TCursor::crSizeNWSE, IDC_SIZENWSE},
        {TCursor::crSizeWE, IDC_SIZEWE},     {TCursor::crUpArrow, IDC_UPARROW},    {TCursor::crHourGlass, IDC_WAIT},
        {TCursor::crNoDrop, IDC_NO},         {TCursor::crHSplit, IDC_SIZEWE},      {TCursor::crVSplit, IDC_SIZENS},
        {TCursor::crSQLWait, IDC_WAIT},      {TCursor::crNo, IDC_NO},              {TCursor::crAppStart, IDC_APPSTARTING},
        {TCursor::crHelp, IDC_HELP},         {TCursor::crHandPoint, IDC_HAND},     {TCursor::crSizeAll, IDC_SIZEALL},
    };
    if (id == TCursor::crNone)
        return nullptr;
    for (const Entry& e : table)
        if (e.Cursor == id)
            return LoadCursorW(nullptr, e.Resource);
    return LoadCursorW(nullptr, IDC_ARROW);
}

void TScreen::SetCursor(TCursor value)
{
    if (!ChangeField(FCursor, value))
        return;
    if (value != TCursor::crDefault) {
        ::SetCursor(Cursors(value));
        return;
    }
    // Back to the default: let the window under the mouse choose again.
    TPoint pos = Seams().CursorPos();
    HWND wnd = WindowFromPoint(pos);
    if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
        LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, PointToLParam(pos.x, pos.y));
        SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
    }
}

// =============================================================================================
// Globals

TApplication* Application = Create<TApplication>(nullptr);
TScreen* Screen = Create<TScreen>(nullptr);

}  // namespace vcl
