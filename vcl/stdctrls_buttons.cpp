#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace {

// BUTTON styles that put the caption left of the box for taLeftJustify.
DWORD CaptionSideStyle(TAlignment Alignment) { return Alignment == TAlignment::taLeftJustify ? BS_LEFTTEXT : 0; }

UINT CheckStateValue(TCheckBoxState State)
{
    static const UINT values[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    return values[static_cast<int>(State)];
}

}  // namespace

// =============================================================================================
// TButtonControl

// The system button captures the mouse and reports clicks itself.
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
    FTabStop = true;
}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    if (FWordWrap)
        Params.Style |= BS_MULTILINE;
}

void TButtonControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TWinControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || (CheckDefaults && Checked()))
        return;
    bool saved = FClicksDisabled;
    FClicksDisabled = true;
    try {
        SetChecked(action->Checked());
    } catch (...) {
        FClicksDisabled = saved;
        throw;
    }
    FClicksDisabled = saved;
}

void TButtonControl::SetWordWrap(bool value)
{
    if (ChangeField(FWordWrap, value))
        RecreateWnd();
}

// =============================================================================================
// TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 75;
    FHeight = 25;
}

void TButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    if (!ChangeField(FDefault, value))
        return;
    if (!FHandle)
        return;
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!FHandle)
        return;
    DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(FHandle, GWL_STYLE) & BS_TYPEMASK) != style)
        SendMessageW(FHandle, BM_SETSTYLE, style, TRUE);
}

// The focused button is the one Enter clicks; without a focused button the default one is.
void TButton::CMFocusChanged(TMessage& Message)
{
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    FActive = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
    SetButtonStyle(FActive);
}

void TButton::CMDialogKey(TMessage& Message)
{
    bool enter = Message.WParam == VK_RETURN && FActive;
    bool escape = Message.WParam == VK_ESCAPE && FCancel;
    if ((enter || escape) && KeyboardStateToShiftState().Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
    }
}

void TButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<wchar_t>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
    }
}

void TButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    default: TButtonControl::Dispatch(Message); return;
    }
}

// =============================================================================================
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 97;
    FHeight = 17;
}

// BS_3STATE: the system only reports the click; the state is ours.
void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    Params.Style |= BS_3STATE | CaptionSideStyle(FAlignment);
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, CheckStateValue(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState value)
{
    if (!ChangeField(FState, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, BM_SETCHECK, CheckStateValue(value), 0);
    if (!FClicksDisabled)
        Click();
}

void TCustomCheckBox::SetChecked(bool value)
{
    SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCustomCheckBox::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        RecreateWnd();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case TCheckBoxState::cbUnchecked:
        SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Toggle();
        return;
    }
    TButtonControl::Dispatch(Message);
}

// =============================================================================================
// TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 113;
    FHeight = 17;
    FTabStop = false;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    Params.Style |= BS_RADIOBUTTON | CaptionSideStyle(FAlignment);
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value)
{
    if (!ChangeField(FChecked, value))
        return;
    SetTabStop(value);
    if (FHandle)
        SendMessageW(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value)
        return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(FParent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    if (!FClicksDisabled)
        Click();
}

void TRadioButton::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        switch (HIWORD(Message.WParam)) {
        case BN_CLICKED: SetChecked(true); break;
        case BN_DOUBLECLICKED: DblClick(); break;
        }
        return;
    }
    TButtonControl::Dispatch(Message);
}

}  // namespace vcl
