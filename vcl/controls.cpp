#include "vcl/controls.h"

#include "vcl/forms.h"
#include "vcl/seams.h"

#include <algorithm>

namespace vcl {

namespace {

// The window property that ties a window to its control.
const wchar_t* const ControlProperty = L"CL.Control";

// The control whose window CreateWindowExW is making on this thread; the first message to a
// window we do not know yet binds it.
thread_local TWinControl* CreationControl = nullptr;

// The graphic control holding the mouse capture through its parent's window.
TControl* CaptureControl = nullptr;

int AlignDepthCounter = 0;

// Child windows get distinct control IDs: WM_MEASUREITEM names its control only by ID.
UINT NextChildId = 0x1000;

bool IsClientMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

template<class T>
void MoveItem(std::vector<T*>& list, T* item, bool toEnd)
{
    std::erase(list, item);
    if (toEnd)
        list.push_back(item);
    else
        list.insert(list.begin(), item);
}

// Messages a child window sends its parent, and the child each one concerns.
HWND ReflectedChild(TWinControl* parent, const TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: return reinterpret_cast<HWND>(m.LParam);
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
    default: return nullptr;
    }
}

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(GetPropW(hwnd, ControlProperty));
    if (!control) {
        control = CreationControl;
        if (!control)
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        CreationControl = nullptr;
        control->FHandle = hwnd;
        SetPropW(hwnd, ControlProperty, control);
    }
    return control->MainWndProc(msg, wParam, lParam);
}

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState s;
    if (Keys & MK_SHIFT)
        s << TShiftStateItem::ssShift;
    if (Keys & MK_CONTROL)
        s << TShiftStateItem::ssCtrl;
    if (Keys & MK_LBUTTON)
        s << TShiftStateItem::ssLeft;
    if (Keys & MK_RBUTTON)
        s << TShiftStateItem::ssRight;
    if (Keys & MK_MBUTTON)
        s << TShiftStateItem::ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        s << TShiftStateItem::ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0)
        s << TShiftStateItem::ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s << TShiftStateItem::ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s << TShiftStateItem::ssAlt;
    return s;
}

// =============================================================================================
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                     TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
    FWindowProc = TWndMethod(this, &TControl::WndProc);
    FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

void TControl::BeforeDestruction()
{
    Destroying();
    if (CaptureControl == this)
        SetCaptureControl(nullptr);
    if (Application)
        Application->ControlDestroyed(this);
    if (FParent)
        FParent->RemoveControl(this);
    TComponent::BeforeDestruction();
}

void TControl::Loaded()
{
    TComponent::Loaded();
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTFONTCHANGED);
    RequestAlign();
}

void TControl::SetName(const String& NewName)
{
    bool changeText = FControlStyle.Contains(TControlStyleItem::csSetCaption) && !IsLoading() && Name() == Text();
    TComponent::SetName(NewName);
    if (changeText)
        SetText(NewName);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Invalidate();
    RequestAlign();
    if (!IsLoading())
        Resize();
}

TRect TControl::ClientRect() { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int value) { SetWidth(FWidth - ClientWidth() + value); }
void TControl::SetClientHeight(int value) { SetHeight(FHeight - ClientHeight() + value); }

TPoint TControl::ClientOrigin()
{
    if (!FParent)
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    return FParent->ClientOrigin().Offset(FLeft, FTop);
}

void TControl::SetVisible(bool value)
{
    if (!ChangeField(FVisible, value))
        return;
    Perform(CM_VISIBLECHANGED, value, 0);
    RequestAlign();
}

void TControl::Show() { SetVisible(true); }

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value)
{
    if (ChangeField(FEnabled, value))
        Perform(CM_ENABLEDCHANGED);
}

String TControl::Text()
{
    auto length = static_cast<size_t>(Perform(WM_GETTEXTLENGTH));
    String text(length + 1, L'\0');
    auto copied = static_cast<size_t>(Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

void TControl::SetText(const String& value)
{
    if (Text() == value)
        return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (!ChangeField(FColor, value))
        return;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (!ChangeField(FParentColor, value))
        return;
    if (FParent && value && !IsLoading())
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value)
{
    if (!ChangeField(FParentFont, value))
        return;
    if (FParent && value && !IsLoading())
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor value)
{
    if (ChangeField(FCursor, value))
        Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value)
{
    if (ChangeField(FShowHint, value))
        Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetAlign(TAlign value)
{
    if (ChangeField(FAlign, value))
        RequestAlign();
}

void TControl::SetAutoSize(bool value) { FAutoSize = value; }

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    // A copy: the handler may replace WindowProc or free this control.
    TWndMethod proc = FWindowProc;
    proc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (IsClientMouseMessage(Message.Msg) && !FControlStyle.Contains(TControlStyleItem::csDoubleClicks)) {
        switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
        }
    }
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: FControlState << TControlStateItem::csLButtonDown; break;
    case WM_LBUTTONUP: FControlState >> TControlStateItem::csLButtonDown; break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseButton(Message, TMouseButton::mbLeft, true, false); break;
    case WM_LBUTTONDBLCLK: WMMouseButton(Message, TMouseButton::mbLeft, true, true); break;
    case WM_LBUTTONUP: WMMouseButton(Message, TMouseButton::mbLeft, false, false); break;
    case WM_RBUTTONDOWN: WMMouseButton(Message, TMouseButton::mbRight, true, false); break;
    case WM_RBUTTONDBLCLK: WMMouseButton(Message, TMouseButton::mbRight, true, true); break;
    case WM_RBUTTONUP: WMMouseButton(Message, TMouseButton::mbRight, false, false); break;
    case WM_MBUTTONDOWN: WMMouseButton(Message, TMouseButton::mbMiddle, true, false); break;
    case WM_MBUTTONDBLCLK: WMMouseButton(Message, TMouseButton::mbMiddle, true, true); break;
    case WM_MBUTTONUP: WMMouseButton(Message, TMouseButton::mbMiddle, false, false); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case CM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_SETTEXT:
        FText = Message.LParam ? reinterpret_cast<const wchar_t*>(Message.LParam) : L"";
        DefaultHandler(Message);
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: CMMouseEnterLeave(Message); break;
    case CM_VISIBLECHANGED: InvalidateControl(true, FVisible && FControlStyle.Contains(TControlStyleItem::csOpaque)); break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED: Invalidate(); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    default: TComponent::Dispatch(Message); break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        if (Message.WParam == 0) {
            Message.Result = 0;
            break;
        }
        size_t count = std::min(FText.size(), static_cast<size_t>(Message.WParam) - 1);
        auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
        FText.copy(buffer, count);
        buffer[count] = L'\0';
        Message.Result = static_cast<LRESULT>(count);
        break;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); break;
    case WM_SETTEXT: Message.Result = TRUE; break;
    default: Message.Result = 0; break;
    }
}

void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double)
{
    TShiftState shift = KeysToShiftState(Message.WParam);
    int x = MessageX(Message);
    int y = MessageY(Message);
    if (Down) {
        if (Button == TMouseButton::mbLeft) {
            if (FControlStyle.Contains(TControlStyleItem::csCaptureMouse))
                SetMouseCapture(true);
            if (FControlStyle.Contains(TControlStyleItem::csClickEvents))
                FControlState << TControlStateItem::csClicked;
        }
        if (Double) {
            shift << TShiftStateItem::ssDouble;
            DblClick();
        }
        MouseDown(Button, shift, x, y);
        DefaultHandler(Message);
        return;
    }
    if (Button == TMouseButton::mbLeft) {
        if (FControlStyle.Contains(TControlStyleItem::csCaptureMouse))
            SetMouseCapture(false);
        if (FControlState.Contains(TControlStateItem::csClicked)) {
            FControlState >> TControlStateItem::csClicked;
            // A click counts only when the button comes up over the control.
            if (ClientRect().Contains(TPoint(x, y)))
                Click();
        }
    }
    MouseUp(Button, shift, x, y);
    DefaultHandler(Message);
}

void TControl::WMMouseMove(TMessage& Message)
{
    MouseMove(KeysToShiftState(Message.WParam), MessageX(Message), MessageY(Message));
    DefaultHandler(Message);
}

void TControl::WMMouseWheel(TMessage& Message)
{
    TPoint pos(MessageX(Message), MessageY(Message));
    if (DoMouseWheel(KeysToShiftState(LOWORD(Message.WParam)), static_cast<int16_t>(HIWORD(Message.WParam)), pos))
        Message.Result = 1;
    else if (FParent)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

// Enter and leave travel up the parent chain with the control concerned in LParam; the events
// fire only on that control itself.
void TControl::CMMouseEnterLeave(TMessage& Message)
{
    if (FParent)
        FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
    if (Message.LParam != reinterpret_cast<LPARAM>(this))
        return;
    TNotifyEvent event = Message.Msg == CM_MOUSEENTER ? FOnMouseEnter : FOnMouseLeave;
    if (event)
        event(this);
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!FParentFont || !FParent)
        return;
    FFont->Assign(FParent->Font());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!FParentColor || !FParent)
        return;
    SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::Click()
{
    if (FOnClick)
        FOnClick(this);
}

void TControl::DblClick()
{
    if (FOnDblClick)
        FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown)
        FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseUp)
        FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FOnMouseMove)
        FOnMouseMove(this, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (FOnMouseWheel)
        FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::Resize()
{
    if (FOnResize)
        FOnResize(this);
}

void TControl::ChangeScale(int M, int D)
{
    if (M == D)
        return;
    SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
    if (!FParentFont)
        FFont->SetHeight(MulDiv(FFont->Height(), M, D));
}

void TControl::RequestAlign()
{
    if (FParent && FAlign != TAlign::alNone)
        FParent->AlignControl(this);
}

void TControl::MoveInZOrder(bool toTop)
{
    if (!FParent)
        return;
    if (auto* win = dynamic_cast<TWinControl*>(this)) {
        MoveItem(FParent->FWinControls, win, toTop);
        if (win->HandleAllocated())
            SetWindowPos(win->FHandle, toTop ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        MoveItem(FParent->FControls, this, toTop);
        Invalidate();
    }
}

void TControl::BringToFront() { MoveInZOrder(true); }

void TControl::SendToBack() { MoveInZOrder(false); }

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() != value)
        SetCaptureControl(value ? this : nullptr);
}

// =============================================================================================
// Capture and lookup

TWinControl* FindControl(HWND Handle)
{
    if (!Handle)
        return nullptr;
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(Handle, &pid) || pid != GetCurrentProcessId())
        return nullptr;
    return static_cast<TWinControl*>(GetPropW(Handle, ControlProperty));
}

TCustomForm* GetParentForm(TControl* Control, bool TopForm)
{
    if (!TopForm) {
        for (TControl* c = Control; c; c = c->Parent())
            if (auto* form = dynamic_cast<TCustomForm*>(c))
                return form;
        return nullptr;
    }
    TControl* top = Control;
    while (top && top->Parent())
        top = top->Parent();
    return dynamic_cast<TCustomForm*>(top);
}

TControl* GetCaptureControl()
{
    TControl* result = FindControl(GetCapture());
    if (result && CaptureControl && CaptureControl->Parent() == result)
        result = CaptureControl;
    return result;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    CaptureControl = nullptr;
    if (!Control)
        return;
    auto* window = dynamic_cast<TWinControl*>(Control);
    if (!window) {
        if (!Control->Parent())
            return;
        CaptureControl = Control;
        window = Control->Parent();
    }
    SetCapture(window->Handle());
}

int AlignDepth() { return AlignDepthCounter; }

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
}

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle()
{
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
    FText = Text();
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
    RequestAlign();
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

int TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value)
{
    if (!ChangeField(FTabStop, value))
        return;
    if (FHandle) {
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        SetWindowLongW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

bool TWinControl::CanFocus()
{
    for (TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled)
            return false;
    return GetParentForm(this) != nullptr;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!CanFocus() || !form)
        throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* child : FTabList) {
        List.push_back(child);
        child->GetTabOrderList(List);
    }
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

void TWinControl::EnableAlign()
{
    --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending)
        Realign();
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (IsDestroying())
        return;
    if (FAlignLevel > 0 || IsLoading()) {
        FAlignPending = true;
        return;
    }
    DisableAlign();
    FControlState << TControlStateItem::csAligning;
    ++AlignDepthCounter;
    try {
        TRect rect = ClientRect();
        AlignControls(AControl, rect);
    } catch (...) {
        --AlignDepthCounter;
        FControlState >> TControlStateItem::csAligning;
        FAlignPending = false;
        EnableAlign();
        throw;
    }
    --AlignDepthCounter;
    FControlState >> TControlStateItem::csAligning;
    FAlignPending = false;
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) { Rect.Inflate(-FBorderWidth, -FBorderWidth); }

namespace {

// Whether C1 goes before C2 in the placing order of their alignment kind.
bool InsertBefore(TControl* c1, TControl* c2, TAlign align)
{
    switch (align) {
    case TAlign::alTop: return c1->Top() < c2->Top();
    case TAlign::alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case TAlign::alLeft: return c1->Left() < c2->Left();
    case TAlign::alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
    }
}

}  // namespace

// Each kind in turn takes its room from the rectangle: top, bottom, left, right, then client.
// Within a kind the controls go by their current position; the control that asked goes first.
void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    AdjustClientRect(Rect);
    static const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                   TAlign::alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        if (AControl && AControl->FVisible && AControl->FAlign == align)
            list.push_back(AControl);
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c == AControl || c->FAlign != align || !c->FVisible)
                continue;
            size_t j = 0;
            while (j < list.size() && !InsertBefore(c, list[j], align))
                ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            int w = c->FWidth;
            int h = c->FHeight;
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(Rect.left, Rect.top, Rect.Width(), h);
                Rect.top += h;
                break;
            case TAlign::alBottom:
                Rect.bottom -= h;
                c->SetBounds(Rect.left, Rect.bottom, Rect.Width(), h);
                break;
            case TAlign::alLeft:
                c->SetBounds(Rect.left, Rect.top, w, Rect.Height());
                Rect.left += w;
                break;
            case TAlign::alRight:
                Rect.right -= w;
                c->SetBounds(Rect.right, Rect.top, w, Rect.Height());
                break;
            default: c->SetBounds(Rect.left, Rect.top, Rect.Width(), Rect.Height()); break;
            }
        }
    }
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
    TMessage m{Msg, WParam, LParam, 0};
    try {
        // A copy: the handler may replace WindowProc or free this control.
        TWndMethod proc = FWindowProc;
        proc(m);
    } catch (...) {
        if (Application)
            Application->HandleException(this);
    }
    return m.Result;
}

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        if (CaptureControl && CaptureControl->FParent == this)
            control = CaptureControl;
    } else {
        control = ControlAtPos(MessagePoint(Message), false);
    }
    if (!control)
        return false;
    Message.Result = control->Perform(Message.Msg, Message.WParam,
                                      PointToLParam(MessageX(Message) - control->FLeft,
                                                    MessageY(Message) - control->FTop));
    return true;
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            if (!form->SetFocusedControl(this))
                return;
        break;
    default:
        if (IsClientMouseMessage(Message.Msg) && IsControlMouseMsg(Message))
            return;
        break;
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: WMCommandReflect(Message); return;
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

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
        TCursor cursor = Screen ? Screen->Cursor() : TCursor::crDefault;
        if (cursor == TCursor::crDefault) {
            TControl* control = ControlAtPos(ScreenToClient(Seams().CursorPos()), false);
            if (control)
                cursor = control->FCursor;
            if (cursor == TCursor::crDefault)
                cursor = FCursor;
        }
        if (cursor != TCursor::crDefault && Screen) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = TRUE;
            return;
        }
    }
    TControl::Dispatch(Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message)
{
    if (CaptureControl && CaptureControl->FParent == this && reinterpret_cast<HWND>(Message.LParam) != FHandle)
        CaptureControl = nullptr;
    TControl::Dispatch(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    HWND handle = FHandle;
    TControl::Dispatch(Message);
    RemovePropW(handle, ControlProperty);
    FHandle = nullptr;
    FShowing = false;
}

// Keys the focused control does not want become dialog keys of its form (Tab, Enter, Esc, arrows).
void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    WPARAM mask = 0;
    switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    }
    if (mask && !(Perform(WM_GETDLGCODE) & mask))
        if (TCustomForm* form = GetParentForm(this))
            if (form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
                return;
    Message.Result = 0;
}

// Characters the control does not take may be accelerators of the form.
void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 0;
    bool wantsChars = Message.Msg == CN_CHAR && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS);
    if (wantsChars || (Message.Msg == CN_SYSCHAR && Message.WParam == VK_SPACE))
        return;
    if (TCustomForm* form = GetParentForm(this))
        Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0 ? 1 : 0;
}

bool TWinControl::FormPreviewsKey(TMessage& Message, bool (TWinControl::*Preview)(TMessage&))
{
    TCustomForm* form = GetParentForm(this);
    return form && form != this && form->KeyPreview() && (form->*Preview)(Message);
}

namespace {

// Hands the key in WParam to Handle, which may change it; true when it zeroed (ate) the key.
template<class TKey, class THandle>
bool PassKey(TMessage& Message, THandle Handle)
{
    auto key = static_cast<TKey>(Message.WParam);
    Handle(key);
    Message.WParam = key;
    return key == 0;
}

}  // namespace

bool TWinControl::DoKeyDown(TMessage& Message)
{
    return FormPreviewsKey(Message, &TWinControl::DoKeyDown) ||
           PassKey<WORD>(Message, [this](WORD& key) { KeyDown(key, KeyboardStateToShiftState()); });
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    return FormPreviewsKey(Message, &TWinControl::DoKeyUp) ||
           PassKey<WORD>(Message, [this](WORD& key) { KeyUp(key, KeyboardStateToShiftState()); });
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    return FormPreviewsKey(Message, &TWinControl::DoKeyPress) ||
           PassKey<wchar_t>(Message, [this](wchar_t& key) { KeyPress(key); });
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FOnKeyDown)
        FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FOnKeyUp)
        FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key)
{
    if (FOnKeyPress)
        FOnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (FOnEnter)
        FOnEnter(this);
}

void TWinControl::DoExit()
{
    if (FOnExit)
        FOnExit(this);
}

}  // namespace vcl
