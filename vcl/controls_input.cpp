// Input and focus: mouse messages routed to graphic children and turned into events, the mouse
// capture, the tab order and the focus, and the keyboard (key preview, dialog keys, key events).
#include "vcl/controls.h"

#include "vcl/controls_internal.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/seams.h"

#include <algorithm>

namespace vcl {

TControl* detail::CaptureControl = nullptr;

using detail::CaptureControl;

namespace {

bool IsClientMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

}  // namespace

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

WPARAM ShiftStateToKeys(TShiftState Shift)
{
    WPARAM keys = 0;
    if (Shift.Contains(TShiftStateItem::ssShift))
        keys |= MK_SHIFT;
    if (Shift.Contains(TShiftStateItem::ssCtrl))
        keys |= MK_CONTROL;
    if (Shift.Contains(TShiftStateItem::ssLeft))
        keys |= MK_LBUTTON;
    if (Shift.Contains(TShiftStateItem::ssRight))
        keys |= MK_RBUTTON;
    if (Shift.Contains(TShiftStateItem::ssMiddle))
        keys |= MK_MBUTTON;
    return keys;
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

int ScrollRequestPosition(TScrollCode Code, int Pos, int TrackPos, int Min, int Max, int SmallChange, int LargeChange)
{
    switch (Code) {
    case TScrollCode::scLineUp: Pos -= SmallChange; break;
    case TScrollCode::scLineDown: Pos += SmallChange; break;
    case TScrollCode::scPageUp: Pos -= LargeChange; break;
    case TScrollCode::scPageDown: Pos += LargeChange; break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: Pos = TrackPos; break;
    case TScrollCode::scTop: Pos = Min; break;
    case TScrollCode::scBottom: Pos = Max; break;
    case TScrollCode::scEndScroll: break;
    }
    return std::clamp(Pos, Min, std::max(Min, Max));
}

int ScrollTrackPosition(HWND Window, int Bar, WPARAM Request)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_TRACKPOS;
    GetScrollInfo(Window, Bar, &info);
    return info.nMax > 0xFFFF ? info.nTrackPos : HIWORD(Request);
}

// =============================================================================================
// Mouse

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

// The popup menu shows where the mouse was clicked, or at the control's corner for the context key.
void TControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0)
        return;
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) {
        DefaultHandler(Message);
        return;
    }
    TPoint pos(MessageX(Message), MessageY(Message));
    if (pos == TPoint(-1, -1))
        pos = ClientToScreen(TPoint(0, 0));
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(pos.x, pos.y);
    Message.Result = 1;
}

// A control's own OnClick wins; one that is the action's execute event runs the action.
void TControl::Click()
{
    TBasicAction* action = Action();
    if (action && (!FOnClick || FOnClick == action->OnExecute()))
        FActionLink->Execute(this);
    else if (FOnClick)
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

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() != value)
        SetCaptureControl(value ? this : nullptr);
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
    // The window's default handling still sees the release, so the context menu request follows.
    if (Message.Msg == WM_RBUTTONUP && Message.Result == 0 && FHandle)
        DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    return true;
}

bool TakeFormFocus(TWinControl* Control)
{
    TCustomForm* form = GetParentForm(Control);
    return !form || form->SetFocusedControl(Control);
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (!TakeFormFocus(this))
            return;
        break;
    default:
        if (IsClientMouseMessage(Message.Msg) && IsControlMouseMsg(Message))
            return;
        break;
    }
    TControl::WndProc(Message);
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

// A right click over a graphic child asks the child first.
void TWinControl::WMContextMenu(TMessage& Message)
{
    TPoint pos(MessageX(Message), MessageY(Message));
    TControl* child = pos == TPoint(-1, -1) ? nullptr : ControlAtPos(ScreenToClient(pos), false);
    if (child) {
        Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
        if (Message.Result != 0)
            return;
    }
    TControl::Dispatch(Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message)
{
    if (CaptureControl && CaptureControl->FParent == this && reinterpret_cast<HWND>(Message.LParam) != FHandle)
        CaptureControl = nullptr;
    TControl::Dispatch(Message);
}

// =============================================================================================
// Focus

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

// =============================================================================================
// Keys

// A key that is a menu item's shortcut clicks the item (the form looks for it); keys the focused
// control does not want become dialog keys of its form (Tab, Enter, Esc, arrows).
void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message))
        return;
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

bool TWinControl::IsMenuKey(const TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    TShiftState shift = KeyboardStateToShiftState();
    // A posted system key tells its Alt in the key data; the keyboard state may not know it.
    if (Message.Msg == CN_SYSKEYDOWN && (Message.LParam & KF_ALTDOWN << 16))
        shift << TShiftStateItem::ssAlt;
    const TShortCut shortCut = ShortCut(static_cast<Word>(Message.WParam), shift);
    return form->Perform(CM_ISSHORTCUT, shortCut, reinterpret_cast<LPARAM>(this)) != 0;
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
