// Forms: creation and destruction, border styles, showing and positioning, modal loops and
// closing, and the focus within a form.
#include "vcl/forms.h"

#include "vcl/menus.h"
#include "vcl/sysutils.h"

#include <algorithm>

namespace vcl {

// =============================================================================================
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()), FIcon(std::make_unique<TIcon>())
{
    FIcon->SetOnChange(TNotifyEvent(this, &TCustomForm::IconChanged));
    FFormState << TFormStateItem::fsCreating;
    FVisible = false;
    InitColor(clBtnFace);
    FParentFont = false;
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csDoubleClicks};
    FWidth = 320;
    FHeight = 240;
    // A form of the program is laid out to fit; scroll bars come only when asked for.
    FAutoScroll = false;
    FCanvas->SetControl(this);
    if (Screen)
        Screen->AddForm(this);
}

void TCustomForm::AfterConstruction()
{
    TScrollingWinControl::AfterConstruction();
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
    TScrollingWinControl::BeforeDestruction();
}

// The client size comes first: the children's anchors measure the form's final size.
void TCustomForm::Loaded()
{
    if (FLoadedClientWidth >= 0)
        TScrollingWinControl::SetClientWidth(FLoadedClientWidth);
    if (FLoadedClientHeight >= 0)
        TScrollingWinControl::SetClientHeight(FLoadedClientHeight);
    TScrollingWinControl::Loaded();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FMenu)
        SetMenu(nullptr);
    if (Operation == TOperation::opRemove && AComponent == FWindowMenu)
        SetWindowMenu(nullptr);
}

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (FMenu == value)
        return;
    MergeIntoMainMenu(false);
    AttachMenu(false);
    ReplaceComponent(FMenu, value);
    AttachMenu(true);
    if (FActive)
        MergeIntoMainMenu(true);
    if (FFormStyle == TFormStyle::fsMDIChild && FHandle)
        if (TCustomForm* frame = MDIForm())
            frame->MergeActiveChildMenu();
}

void TCustomForm::AttachMenu(bool Attach)
{
    // An MDI child's menu shows merged into its MDI form's bar while the child is active.
    if (!FMenu || !FHandle || FFormStyle == TFormStyle::fsMDIChild || (Attach && MergesIntoMainMenu()))
        return;
    // A window destroys the menu it holds: it must let go of ours before it goes.
    ::SetMenu(FHandle, Attach ? FMenu->Handle() : nullptr);
    FMenu->SetWindowHandle(Attach ? FHandle : nullptr);
}

void TCustomForm::CreateWnd()
{
    TScrollingWinControl::CreateWnd();
    UpdateLayeredAttributes();
    if (FFormStyle == TFormStyle::fsMDIForm)
        CreateMDIClient();
    AttachMenu(true);
    if (!FIcon->Empty())
        IconChanged(this);
}

void TCustomForm::IconChanged(TObject*)
{
    if (!FHandle)
        return;
    SetWindowIcon(FHandle, *FIcon);
}

void TCustomForm::DestroyWnd()
{
    AttachMenu(false);
    // The children's windows go with the client's: their forms must let go of them first.
    for (TCustomForm* child : MDIChildList())
        child->DestroyHandle();
    TScrollingWinControl::DestroyWnd();
    FClientHandle = nullptr;
    if (FFormStyle == TFormStyle::fsMDIChild)
        if (TCustomForm* frame = MDIForm())
            frame->MergeActiveChildMenu();
}

void TCustomForm::DestroyWindowHandle()
{
    if (FFormStyle != TFormStyle::fsMDIChild) {
        TScrollingWinControl::DestroyWindowHandle();
        return;
    }
    // The window's last message (WM_NCDESTROY) lets go of the handle.
    FControlState << TControlStateItem::csDestroyingHandle;
    SendMessageW(GetParent(FHandle), WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
    FControlState >> TControlStateItem::csDestroyingHandle;
}

void TCustomForm::DefaultHandler(TMessage& Message)
{
    // The frame procedure would stretch the MDI client over the whole client area on WM_SIZE, over
    // the aligned controls; the alignment has placed it already.
    if (FHandle && FFormStyle == TFormStyle::fsMDIForm && Message.Msg == WM_SIZE && FClientHandle)
        Message.Result = 0;
    else if (FHandle && FFormStyle == TFormStyle::fsMDIForm)
        Message.Result = DefFrameProcW(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    else if (FHandle && FFormStyle == TFormStyle::fsMDIChild)
        Message.Result = DefMDIChildProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    else
        TScrollingWinControl::DefaultHandler(Message);
}

// ---------------------------------------------------------------------------------------------
// MDI

namespace {

// The command of the window menu's first entry for a child; the client numbers the others on from
// it. It lies above every menu item's command.
constexpr UINT FirstMDIChildCommand = 0xFF00;

}  // namespace

TCustomForm* TCustomForm::MDIForm()
{
    TCustomForm* form = Application ? Application->MainForm() : nullptr;
    return form && form->FFormStyle == TFormStyle::fsMDIForm ? form : nullptr;
}

void TCustomForm::CreateMDIClient()
{
    CLIENTCREATESTRUCT client{FWindowMenu ? FWindowMenu->Handle() : nullptr, FirstMDIChildCommand};
    RECT area{};
    GetClientRect(FHandle, &area);
    FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                    0, 0, area.right, area.bottom, FHandle, nullptr, GetModuleHandleW(nullptr), &client);
    if (!FClientHandle)
        throw EOutOfResources(L"Error creating the MDI client window of " + ClassName());
    Realign();
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
    TScrollingWinControl::AlignControls(AControl, Rect);
    if (FClientHandle)
        SetWindowPos(FClientHandle, nullptr, Rect.left, Rect.top, Rect.Width(), Rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const
{
    std::vector<TCustomForm*> children;
    if (!FClientHandle)
        return children;
    for (HWND wnd = GetWindow(FClientHandle, GW_CHILD); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd)); form && form->FFormStyle == TFormStyle::fsMDIChild)
            children.push_back(form);
    return children;
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int index) const
{
    std::vector<TCustomForm*> children = MDIChildList();
    if (index < 0 || index >= static_cast<int>(children.size()))
        throw EListError(L"MDI child index out of bounds (" + IntToStr(index) + L")");
    return children[static_cast<size_t>(index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (!FClientHandle)
        return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

void TCustomForm::SetWindowMenu(TMenuItem* value)
{
    if (ReplaceComponent(FWindowMenu, value) && FClientHandle)
        RefreshMDIMenu();
}

void TCustomForm::RefreshMDIMenu()
{
    SendMessageW(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(FMenu ? FMenu->Handle() : nullptr),
                 reinterpret_cast<LPARAM>(FWindowMenu ? FWindowMenu->Handle() : nullptr));
    SendMessageW(FClientHandle, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(FHandle);
}

void TCustomForm::MergeActiveChildMenu()
{
    if (!FMenu)
        return;
    TCustomForm* child = ActiveMDIChild();
    FMenu->Merge(child ? child->FMenu : nullptr);
}

bool TCustomForm::MergesIntoMainMenu() const
{
    const TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return FMenu && FMenu->AutoMerge() && FFormStyle != TFormStyle::fsMDIChild && main && main != this;
}

void TCustomForm::MergeIntoMainMenu(bool Merge)
{
    if (!MergesIntoMainMenu() || FFormState.Contains(TFormStateItem::fsModal))
        return;
    TMainMenu* bar = Application->MainForm()->FMenu;
    if (!bar || Application->MainForm()->FFormStyle == TFormStyle::fsMDIForm)
        return;
    if (Merge)
        bar->Merge(FMenu);
    else
        bar->Unmerge(FMenu);
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
    TScrollingWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_TABSTOP);
    BorderStyles(FBorderStyle, FBorderIcons, Params.Style, Params.ExStyle);
    if (FFormStyle == TFormStyle::fsStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
    if (FFormStyle == TFormStyle::fsMDIChild) {
        TCustomForm* frame = MDIForm();
        if (!frame)
            throw EInvalidOperation(L"An MDI child needs an MDI form as the main form");
        frame->HandleNeeded();
        Params.Style |= WS_CHILD;
        Params.ExStyle |= WS_EX_MDICHILD;
        Params.WndParent = frame->FClientHandle;
        return;
    }
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

void TCustomForm::UpdateLayeredAttributes()
{
    if (!FHandle)
        return;
    LONG exStyle = GetWindowLongW(FHandle, GWL_EXSTYLE);
    if (!FAlphaBlend && !FTransparentColor) {
        if (exStyle & WS_EX_LAYERED)
            SetWindowLongW(FHandle, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        return;
    }
    SetWindowLongW(FHandle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    DWORD flags = (FAlphaBlend ? LWA_ALPHA : 0) | (FTransparentColor ? LWA_COLORKEY : 0);
    SetLayeredWindowAttributes(FHandle, ColorToRGB(FTransparentColorValue), FAlphaBlendValue, flags);
}

TRect TCustomForm::ClientRect()
{
    if (FHandle)
        return TScrollingWinControl::ClientRect();
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    BorderStyles(FBorderStyle, FBorderIcons, style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FMenu != nullptr, exStyle);
    return TRect(0, 0, FWidth - (frame.right - frame.left), FHeight - (frame.bottom - frame.top));
}

// While loading, the border style may still change: the client size is applied in Loaded.
void TCustomForm::SetClientWidth(int value)
{
    if (IsLoading())
        FLoadedClientWidth = value;
    else
        TScrollingWinControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value)
{
    if (IsLoading())
        FLoadedClientHeight = value;
    else
        TScrollingWinControl::SetClientHeight(value);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    const bool wasOnTop = FFormStyle == TFormStyle::fsStayOnTop;
    if (!ChangeField(FFormStyle, value) || !FHandle || wasOnTop == (value == TFormStyle::fsStayOnTop))
        return;
    SetWindowPos(FHandle, wasOnTop ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    TScrollingWinControl::SetVisible(value);
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

namespace {

// The visible controls of a showing container and, through their showing containers, theirs.
void UpdateControlActions(TWinControl* Container)
{
    if (!Container->Showing())
        return;
    for (int i = 0; i < Container->ControlCount(); ++i) {
        TControl* control = Container->Controls(i);
        if (control->Visible())
            control->InitiateAction();
        if (auto* child = dynamic_cast<TWinControl*>(control))
            UpdateControlActions(child);
    }
}

}  // namespace

void TCustomForm::UpdateActions()
{
    if (!Showing())
        return;
    InitiateAction();
    UpdateControlActions(this);
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
        MergeIntoMainMenu(false);
        Deactivate();
        TScrollingWinControl::Dispatch(Message);
        return;
    }
    if (Screen)
        Screen->FormActivated(this);
    MergeIntoMainMenu(true);
    Activate();
    if (FActiveControl && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        Message.Result = 0;
        return;
    }
    TScrollingWinControl::Dispatch(Message);
}

void TCustomForm::WMSize(TMessage& Message)
{
    switch (Message.WParam) {
    case SIZE_MINIMIZED: FWindowState = TWindowState::wsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = TWindowState::wsMaximized; break;
    case SIZE_RESTORED: FWindowState = TWindowState::wsNormal; break;
    }
    TScrollingWinControl::Dispatch(Message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message)
{
    // A maximised MDI child fills its client window with its caption and frame outside it: the
    // child procedure knows that place.
    if (FFormStyle == TFormStyle::fsMDIChild)
        DefaultHandler(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    TSizeConstraints* limits = Constraints();
    if (limits->MinWidth() > 0)
        info->ptMinTrackSize.x = limits->MinWidth();
    if (limits->MinHeight() > 0)
        info->ptMinTrackSize.y = limits->MinHeight();
    if (limits->MaxWidth() > 0)
        info->ptMaxTrackSize.x = limits->MaxWidth();
    if (limits->MaxHeight() > 0)
        info->ptMaxTrackSize.y = limits->MaxHeight();
    Message.Result = 0;
}

namespace {

// Clicks the enabled item of Menu (hidden or not) whose shortcut is ShortCut; whether there was one.
bool ClickShortCutItem(TMenu* Menu, TShortCut ShortCut)
{
    TMenuItem* item = Menu ? Menu->FindItem(ShortCut, TFindItemKind::fkShortCut) : nullptr;
    if (!item)
        return false;
    item->InitiateAction();
    for (TMenuItem* level = item; level; level = level->Parent())
        if (!level->Enabled())
            return false;
    item->Click();
    return true;
}

}  // namespace

void TCustomForm::CMIsShortCut(TMessage& Message)
{
    const auto shortCut = static_cast<TShortCut>(Message.WParam);
    auto* focused = reinterpret_cast<TControl*>(Message.LParam);
    for (TControl* control = focused ? focused : this; control; control = control->Parent())
        if (ClickShortCutItem(control->PopupMenu(), shortCut)) {
            Message.Result = 1;
            return;
        }
    Message.Result = ClickShortCutItem(FMenu, shortCut) ? 1 : 0;
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Message.Result = SendMessageW(Application->Handle(), WM_SYSCOMMAND, Message.WParam, Message.LParam);
        return;
    }
    TScrollingWinControl::Dispatch(Message);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case CM_SHOWINGCHANGED: ShowingChanged(); return;
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case CM_RELEASE: Free(); return;
    case CM_MENUCHANGED:
        // The menu was rebuilt: the bar shows it again, on an MDI form with the children's list.
        if (FMenu && FHandle && FClientHandle) {
            RefreshMDIMenu();
        } else if (FMenu && FHandle) {
            ::SetMenu(FHandle, FMenu->Handle());
            DrawMenuBar(FHandle);
        }
        return;
    case WM_MDIACTIVATE:
        TScrollingWinControl::Dispatch(Message);
        if (TCustomForm* frame = MDIForm())
            frame->MergeActiveChildMenu();
        return;
    case CM_ISSHORTCUT: CMIsShortCut(Message); return;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
            return;
        }
        TScrollingWinControl::Dispatch(Message);
        return;
    case WM_PAINT:
        // The form paints its own canvas (OnPaint) under its graphic controls.
        CustomPaint(Message);
        return;
    default: TScrollingWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
