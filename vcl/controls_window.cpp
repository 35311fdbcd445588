// The window life cycle of windowed controls: binding a window to its control, creating,
// re-creating and destroying windows, the tree of children, bounds read back from the window,
// and the window procedure's dispatch with the reflection of child notifications.
#include "vcl/controls.h"

#include "vcl/forms.h"
#include "vcl/menus.h"

#include <algorithm>

namespace vcl {

namespace {

// The window's control lives in the last pointer of the window's extra bytes, which every class
// the library registers has beyond those of the class it is made from. A window property would do
// as well, but under Wine reading one asks the window server, and every message needs it.
int ControlSlot(HWND Wnd) { return int(GetClassLongPtrW(Wnd, GCL_CBWNDEXTRA)) - int(sizeof(LONG_PTR)); }

TWinControl* ControlOf(HWND Wnd) { return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(Wnd, ControlSlot(Wnd))); }

void Bind(HWND Wnd, TWinControl* Control)
{
    SetWindowLongPtrW(Wnd, ControlSlot(Wnd), reinterpret_cast<LONG_PTR>(Control));
}

// The control whose window CreateWindowExW is making on this thread; the first message to a
// window we do not know yet binds it.
thread_local TWinControl* CreationControl = nullptr;

// Child windows get distinct control IDs: WM_MEASUREITEM names its control only by ID.
UINT NextChildId = 0x1000;

// Messages a child window sends its parent about itself; the parent performs each on the child's
// control as CN_BASE + the message.
constexpr UINT ReflectedMessages[] = {
    WM_COMMAND,         WM_NOTIFY,         WM_DRAWITEM,        WM_MEASUREITEM,       WM_DELETEITEM,
    WM_COMPAREITEM,     WM_HSCROLL,        WM_VSCROLL,         WM_CTLCOLORMSGBOX,    WM_CTLCOLOREDIT,
    WM_CTLCOLORLISTBOX, WM_CTLCOLORBTN,    WM_CTLCOLORDLG,     WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC,
    WM_CHARTOITEM,      WM_VKEYTOITEM,
};

bool IsReflectedMessage(UINT msg) { return std::ranges::find(ReflectedMessages, msg) != std::end(ReflectedMessages); }

// The child a reflected message concerns; most carry its window in LParam.
HWND ReflectedChild(TWinControl* parent, const TMessage& m)
{
    switch (m.Msg) {
    case WM_NOTIFY: return reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        return mis->CtlType == ODT_MENU ? nullptr : GetDlgItem(parent->Handle(), static_cast<int>(mis->CtlID));
    }
    case WM_DELETEITEM: return reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem;
    case WM_COMPAREITEM: return reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem;
    default: return reinterpret_cast<HWND>(m.LParam);
    }
}

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = ControlOf(hwnd);
    if (!control) {
        control = CreationControl;
        if (!control)
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        CreationControl = nullptr;
        control->FHandle = hwnd;
        Bind(hwnd, control);
    }
    return control->MainWndProc(msg, wParam, lParam);
}

TWinControl* FindControl(HWND Handle)
{
    if (!Handle)
        return nullptr;
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(Handle, &pid) || pid != GetCurrentProcessId())
        return nullptr;
    // Only the windows of the library's classes carry a control.
    if (GetClassLongPtrW(Handle, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&ControlWindowProc))
        return nullptr;
    return ControlOf(Handle);
}

// =============================================================================================
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(FColor);
}

void TWinControl::BeforeDestruction()
{
    Destroying();
    if (FHandle)
        DestroyHandle();
    while (!FWinControls.empty() || !FControls.empty()) {
        TControl* child = FWinControls.empty() ? FControls.back() : static_cast<TControl*>(FWinControls.back());
        RemoveControl(child);
        child->Free();
    }
    TControl::BeforeDestruction();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
    // The children measured nothing while this control was loading.
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->UpdateAnchorRules();
}

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle()
{
    // The parent's window first: making it makes the windows of its visible children, this one
    // among them, which must not be made twice.
    if (FParent)
        FParent->HandleNeeded();
    if (FHandle)
        return;
    CreateWnd();
    if (FParent) {
        HWND above = FParent->PrecedingWindow(this);
        SetWindowPos(FHandle, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HWND TWinControl::PrecedingWindow(TWinControl* Control)
{
    auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
    if (it == FWinControls.end())
        return nullptr;
    for (++it; it != FWinControls.end(); ++it)
        if ((*it)->HandleAllocated())
            return (*it)->FHandle;
    return nullptr;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(TControlStyleItem::csAcceptsControls))
        Params.Style |= WS_CLIPCHILDREN;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    if (!FEnabled)
        Params.Style |= WS_DISABLED;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->Handle() : nullptr;
    Params.WindowClass.cbSize = sizeof(WNDCLASSEXW);
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Params.WindowClass.hInstance = GetModuleHandleW(nullptr);
    Params.WinClassName = ClassName();
}

void TWinControl::AddBorderStyle(TCreateParams& Params, TBorderStyle Style) const
{
    if (Style != TBorderStyle::bsSingle)
        return;
    if (FCtl3D)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TWinControl::InitColor(TColor Value)
{
    FColor = Value;
    FParentColor = false;
    FBrush->SetColor(Value);
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(nullptr, ControlClassName, &wc))
        throw EOutOfResources(String(L"Window class not found: ") + ControlClassName);
    wc.style &= ~CS_GLOBALCLASS;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = nullptr;
    wc.lpszMenuName = nullptr;
    Params.WindowClass = wc;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    FControlState << TControlStateItem::csCreating;
    try {
        CreateWindowHandle(params);
    } catch (...) {
        FControlState >> TControlStateItem::csCreating;
        throw;
    }
    FControlState >> TControlStateItem::csCreating;
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    UpdateBounds();
    for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
        if (child->FVisible)
            child->HandleNeeded();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    FDefWndProc = Params.WindowClass.lpfnWndProc;
    if (!GetClassInfoExW(instance, Params.WinClassName.c_str(), &existing)) {
        WNDCLASSEXW wc = Params.WindowClass;
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ControlWindowProc;
        wc.cbWndExtra += int(sizeof(LONG_PTR));  // the control's slot
        wc.hInstance = instance;
        wc.lpszClassName = Params.WinClassName.c_str();
        if (!RegisterClassExW(&wc))
            throw EOutOfResources(L"Cannot register the window class " + Params.WinClassName);
    }
    HMENU id = (Params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(++NextChildId)) : nullptr;
    CreationControl = this;
    HWND handle = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                                  Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, id, instance,
                                  Params.Param);
    CreationControl = nullptr;
    if (!handle) {
        FHandle = nullptr;
        throw EOutOfResources(L"Error creating window of " + ClassName());
    }
    FHandle = handle;
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
        child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    // Only the window knows text typed into it.
    FText = TControl::Text();
    TControlCanvas::FreeDeviceContexts(FHandle);
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    FControlState << TControlStateItem::csDestroyingHandle;
    DestroyWindow(FHandle);
    FControlState >> TControlStateItem::csDestroyingHandle;
    FHandle = nullptr;
    FShowing = false;
}

void TWinControl::RecreateWnd()
{
    if (FHandle)
        Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    bool wasFocused = Focused();
    FControlState << TControlStateItem::csRecreating;
    try {
        DestroyHandle();
        UpdateControlState();
    } catch (...) {
        FControlState >> TControlStateItem::csRecreating;
        throw;
    }
    FControlState >> TControlStateItem::csRecreating;
    if (wasFocused && FHandle)
        ::SetFocus(FHandle);
}

// Showing follows Visible once every parent shows (UpdateControlState checks that): the window
// is created, its children are brought up first, then it is shown or hidden itself.
void TWinControl::UpdateShowing()
{
    bool show = FVisible;
    if (show) {
        CreateHandle();
        for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
            child->UpdateShowing();
    }
    if (FShowing == show)
        return;
    FShowing = show;
    try {
        Perform(CM_SHOWINGCHANGED);
    } catch (...) {
        FShowing = !show;
        throw;
    }
}

// Only a tree under a top-level form shows windows.
void TWinControl::UpdateControlState()
{
    TWinControl* top = this;
    while (top->FParent) {
        top = top->FParent;
        if (!top->FShowing)
            return;
    }
    if (dynamic_cast<TCustomForm*>(top))
        UpdateShowing();
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (FHandle && !AParent)
        DestroyHandle();
    TControl::SetParent(AParent);
    if (FHandle && AParent) {
        if (AParent->HandleAllocated())
            ::SetParent(FHandle, AParent->FHandle);
        else
            DestroyHandle();
    }
    if (AParent)
        UpdateControlState();
}

void TWinControl::InsertControl(TControl* AControl)
{
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), TRUE);
    AControl->FParent = this;
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(win);
        FTabList.push_back(win);
    } else {
        FControls.push_back(AControl);
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    if (!dynamic_cast<TWinControl*>(AControl))
        AControl->Invalidate();
    AlignControl(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), FALSE);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        if (auto* form = GetParentForm(this))
            form->ControlRemoved(win);
        std::erase(FWinControls, win);
        std::erase(FTabList, win);
    } else {
        AControl->InvalidateControl(AControl->FVisible, false);
        std::erase(FControls, AControl);
    }
    AControl->FParent = nullptr;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
    Realign();
}

int TWinControl::ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError(L"Control index out of bounds");
    auto graphic = static_cast<int>(FControls.size());
    return index < graphic ? FControls[index] : FWinControls[index - graphic];
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    for (TControl* c = Control; c; c = c->FParent)
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* c) {
        return c->FVisible && (AllowDisabled || c->FEnabled) && c->BoundsRect().Contains(Pos);
    };
    if (AllowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FConstraints->Constrain(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    if (FHandle && !IsIconic(FHandle)) {
        // WM_WINDOWPOSCHANGED brings the new bounds back into the fields, WM_SIZE re-aligns.
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool resized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (resized)
            Realign();
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::ScrollControls(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0)
        return;
    // The references before the windows move: moving them re-measures.
    std::vector<TAlignRect> origins;
    for (int i = 0; i < ControlCount(); ++i)
        origins.push_back(Controls(i)->FAnchorOrigin);
    bool onScreen = FHandle && IsWindowVisible(FHandle);
    if (onScreen)
        ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        auto* win = dynamic_cast<TWinControl*>(c);
        if (win && win->FHandle) {
            // A window off the screen is moved here; one on it was moved with the picture.
            if (!onScreen)
                SetWindowPos(win->FHandle, nullptr, c->FLeft + DeltaX, c->FTop + DeltaY, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            win->UpdateBounds();
        } else {
            c->FLeft += DeltaX;
            c->FTop += DeltaY;
        }
        const TAlignRect& o = origins[static_cast<size_t>(i)];
        c->FAnchorOrigin = {o.Left + DeltaX, o.Top + DeltaY, o.Right + DeltaX, o.Bottom + DeltaY};
    }
}

void TWinControl::UpdateBounds()
{
    RECT r{};
    GetWindowRect(FHandle, &r);
    if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    bool resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    UpdateAnchorRules();
    if (resized)
        RequestAlign();
}

TRect TWinControl::ClientRect()
{
    if (!FHandle)
        return TControl::ClientRect();
    RECT r{};
    GetClientRect(FHandle, &r);
    return r;
}

TPoint TWinControl::ClientOrigin()
{
    if (!FHandle && FParent)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(Handle(), &p);
    return p;
}

void TWinControl::SetParentBackground(bool value)
{
    if (ParentBackground() == value)
        return;
    if (value)
        FControlStyle << TControlStyleItem::csParentBackground;
    else
        FControlStyle >> TControlStyleItem::csParentBackground;
    Invalidate();
}

void TWinControl::SetCtl3D(bool value)
{
    if (ChangeField(FCtl3D, value))
        Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetBorderWidth(int value)
{
    if (!ChangeField(FBorderWidth, value))
        return;
    Realign();
    Invalidate();
}

void TWinControl::ChangeScale(int M, int D)
{
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
    EnableAlign();
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        Message.Result = c->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.push_back(Controls(i));
    for (TControl* c : children)
        c->Perform(Msg, 0, reinterpret_cast<LPARAM>(this));
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TWinControl::MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return DeliverMessage(FWindowProc, this, Msg, WParam, LParam);
}

void TWinControl::Dispatch(TMessage& Message)
{
    if (IsReflectedMessage(Message.Msg)) {
        WMCommandReflect(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
        if (!DispatchMenuMessage(Message))
            TControl::Dispatch(Message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(Message))
            TControl::Dispatch(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(Message))
            TControl::Dispatch(Message);
        return;
    case WM_CHAR:
        if (!DoKeyPress(Message))
            TControl::Dispatch(Message);
        return;
    case WM_MOUSEWHEEL:
        // The wheel goes to the focused control first, then up its parents, as CM_MOUSEWHEEL.
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        if (Message.Result == 0)
            TControl::Dispatch(Message);
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(Message); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_INVALIDATE:
        if (FHandle)
            InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(TControlStyleItem::csOpaque));
        return;
    case CM_VISIBLECHANGED: UpdateControlState(); return;
    case CM_SHOWINGCHANGED:
        if (FHandle)
            ShowWindow(FHandle, FShowing ? SW_SHOWNA : SW_HIDE);
        return;
    case CM_ENABLEDCHANGED:
        if (FHandle)
            EnableWindow(FHandle, FEnabled);
        TControl::Dispatch(Message);
        return;
    case CM_COLORCHANGED:
        FBrush->SetColor(FColor);
        NotifyControls(CM_PARENTCOLORCHANGED);
        TControl::Dispatch(Message);
        return;
    case CM_FONTCHANGED:
        if (FHandle)
            SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
        NotifyControls(CM_PARENTFONTCHANGED);
        TControl::Dispatch(Message);
        return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED: Broadcast(Message); return;
    default: TControl::Dispatch(Message); return;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg,
                                     Message.WParam, Message.LParam);
}

void TWinControl::WMCommandReflect(TMessage& Message)
{
    HWND child = ReflectedChild(this, Message);
    if (TWinControl* control = child && child != FHandle ? FindControl(child) : nullptr) {
        Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    // No child window: a menu's command or owner-drawn item.
    if (!child && DispatchMenuMessage(Message))
        return;
    TControl::Dispatch(Message);
}

void TWinControl::WMSize(TMessage& Message)
{
    // A minimised window keeps its bounds and layout for the restore.
    if (IsIconic(FHandle)) {
        TControl::Dispatch(Message);
        return;
    }
    UpdateBounds();
    Realign();
    if (!IsLoading())
        Resize();
    TControl::Dispatch(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    TControl::Dispatch(Message);
    if (FHandle && !IsIconic(FHandle))
        UpdateBounds();
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    HWND handle = FHandle;
    TControl::Dispatch(Message);
    Bind(handle, nullptr);
    FHandle = nullptr;
    FShowing = false;
}

}  // namespace vcl
