// The control: properties, the message chain's Perform, Dispatch and default handling, z-order
// among siblings, scaling, and the lookup of a control's form.
#include "vcl/controls.h"

#include "vcl/controls_internal.h"
#include "vcl/forms.h"
#include "vcl/menus.h"

#include <algorithm>
#include <utility>

namespace vcl {

namespace {

template<class T>
void MoveItem(std::vector<T*>& list, T* item, bool toEnd)
{
    std::erase(list, item);
    if (toEnd)
        list.push_back(item);
    else
        list.insert(list.begin(), item);
}

}  // namespace

// =============================================================================================
// TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>())
{
    FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                     TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
    FWindowProc = TWndMethod(this, &TControl::WndProc);
    FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
    FConstraints->SetOnChange(TNotifyEvent(this, &TControl::ConstraintsChanged));
}

void TControl::BeforeDestruction()
{
    Destroying();
    if (detail::CaptureControl == this)
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
    UpdateAnchorRules();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == Action())
        SetAction(nullptr);
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

// =============================================================================================
// Actions

void TControlActionLink::Change()
{
    if (FAction)
        FClient->ActionChange(FAction, false);
}

void TControl::SetAction(TBasicAction* value)
{
    if (!ChangeActionLink(FActionLink, this, value))
        return;
    value->FreeNotification(this);
    ActionChange(value, IsLoading());
}

void TControl::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    if (!CheckDefaults || Text().empty())
        SetText(action->Caption());
    if (!CheckDefaults || FEnabled)
        SetEnabled(action->Enabled());
    if (!CheckDefaults || FHint.empty())
        SetHint(action->Hint());
    if (!CheckDefaults || FVisible)
        SetVisible(action->Visible());
    if (!CheckDefaults || !FOnClick)
        FOnClick = action->OnExecute();
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
    if (AParent) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FConstraints->Constrain(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Invalidate();
    // Without a window of its own the control is told of its new bounds as a window would be.
    Perform(WM_WINDOWPOSCHANGED);
    // The new place is the anchors' reference before the parent places its children.
    UpdateAnchorRules();
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
    if (TControl::Text() == value)
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

bool TControl::ShowHint() const { return FParentShowHint && FParent ? FParent->ShowHint() : FShowHint; }

void TControl::SetShowHint(bool value)
{
    bool old = ShowHint();
    FParentShowHint = false;
    FShowHint = value;
    if (old != value)
        Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value)
{
    bool old = ShowHint();
    if (ChangeField(FParentShowHint, value) && old != ShowHint())
        Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) { ReplaceComponent(FPopupMenu, value); }

void TControl::SetAlign(TAlign value)
{
    if (!ChangeField(FAlign, value))
        return;
    RequestAlign();
    UpdateAnchorRules();
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
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
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

void TControl::Resize()
{
    if (FOnResize)
        FOnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::ChangeScale(int M, int D)
{
    if (M == D)
        return;
    SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
    if (!FParentFont)
        FFont->SetHeight(MulDiv(FFont->Height(), M, D));
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

TOwnerDrawState OwnerDrawState(UINT ItemState)
{
    static const std::pair<UINT, TOwnerDrawStateItem> flags[] = {
        {ODS_SELECTED, TOwnerDrawStateItem::odSelected}, {ODS_GRAYED, TOwnerDrawStateItem::odGrayed},
        {ODS_DISABLED, TOwnerDrawStateItem::odDisabled}, {ODS_CHECKED, TOwnerDrawStateItem::odChecked},
        {ODS_FOCUS, TOwnerDrawStateItem::odFocused},     {ODS_DEFAULT, TOwnerDrawStateItem::odDefault},
        {ODS_HOTLIGHT, TOwnerDrawStateItem::odHotLight}, {ODS_INACTIVE, TOwnerDrawStateItem::odInactive},
        {ODS_NOACCEL, TOwnerDrawStateItem::odNoAccel},   {ODS_NOFOCUSRECT, TOwnerDrawStateItem::odNoFocusRect},
        {ODS_COMBOBOXEDIT, TOwnerDrawStateItem::odComboBoxEdit},
    };
    TOwnerDrawState state;
    for (auto [flag, item] : flags)
        if (ItemState & flag)
            state << item;
    return state;
}

// =============================================================================================
// Lookup

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

}  // namespace vcl
