#include "vcl/comctrls.h"
#include "vcl/seams.h"

#include <commctrl.h>

#include <algorithm>

namespace vcl {

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle >> TControlStyleItem::csDoubleClicks;
    FWidth = Seams().SystemMetrics(SM_CXVSCROLL);
    const int arrowHeight = Seams().SystemMetrics(SM_CYVSCROLL);
    FHeight = arrowHeight + arrowHeight / 2;
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

void TCustomUpDown::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT | (FAlignButton == TUDAlignButton::udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT);
    if (FOrientation == TUDOrientation::udHorizontal)
        Params.Style |= UDS_HORZ;
    if (FArrowKeys)
        Params.Style |= UDS_ARROWKEYS;
    if (!FThousands)
        Params.Style |= UDS_NOTHOUSANDS;
    if (FWrap)
        Params.Style |= UDS_WRAP;
}

void TCustomUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    ApplyAssociate();
    ApplyPosition();
}

void TCustomUpDown::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TCustomUpDown::SetRange(int AMin, int AMax)
{
    if (AMin == FMin && AMax == FMax)
        return;
    FMin = AMin;
    FMax = AMax;
    if (FHandle)
        SendMessageW(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SetPosition(FPosition);
}

void TCustomUpDown::SetMin(int value) { SetRange(value, FMax); }
void TCustomUpDown::SetMax(int value) { SetRange(FMin, value); }

void TCustomUpDown::SetIncrement(int value)
{
    if (!ChangeField(FIncrement, value) || !FHandle)
        return;
    UDACCEL accel{0, static_cast<UINT>(value)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

// The window reads the associated control's text back, so a typed number counts; a text that is
// no number, or no associated control, leaves it its own value.
int TCustomUpDown::Position()
{
    if (FHandle)
        FPosition = static_cast<int>(SendMessageW(FHandle, UDM_GETPOS32, 0, 0));
    return FPosition;
}

void TCustomUpDown::SetPosition(int value)
{
    FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
    if (FHandle)
        ApplyPosition();
}

void TCustomUpDown::ApplyPosition() { SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition); }

void TCustomUpDown::SetWrap(bool value) { SetStyleField(FWrap, value); }
void TCustomUpDown::SetAlignButton(TUDAlignButton value) { SetStyleField(FAlignButton, value); }
void TCustomUpDown::SetArrowKeys(bool value) { SetStyleField(FArrowKeys, value); }
void TCustomUpDown::SetThousands(bool value) { SetStyleField(FThousands, value); }

void TCustomUpDown::SetOrientation(TUDOrientation value)
{
    if (!ChangeField(FOrientation, value))
        return;
    if (!IsLoading())
        SetBounds(FLeft, FTop, FHeight, FWidth);
    RecreateWnd();
}

void TCustomUpDown::SetAssociate(TWinControl* value)
{
    if (!ReplaceComponent(FAssociate, value))
        return;
    if (FHandle) {
        ApplyAssociate();
        ApplyPosition();
    }
}

void TCustomUpDown::ApplyAssociate()
{
    SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate ? FAssociate->Handle() : nullptr), 0);
}

bool TCustomUpDown::CanChange(int NewValue, int Delta)
{
    bool allow = true;
    if (FOnChanging)
        FOnChanging(this, allow);
    if (allow && FOnChangingEx) {
        TUpDownDirection direction = Delta > 0   ? TUpDownDirection::updUp
                                     : Delta < 0 ? TUpDownDirection::updDown
                                                 : TUpDownDirection::updNone;
        FOnChangingEx(this, allow, static_cast<SmallInt>(NewValue), direction);
    }
    return allow;
}

void TCustomUpDown::Click(TUDBtnType Button)
{
    if (FOnClick)
        FOnClick(this, Button);
}

// A click proposes the position plus the step; TRUE refuses it.
void TCustomUpDown::CNNotify(TMessage& Message)
{
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header->code != UDN_DELTAPOS) {
        TWinControl::Dispatch(Message);
        return;
    }
    auto* change = reinterpret_cast<NMUPDOWN*>(Message.LParam);
    FLastDelta = change->iDelta;
    Message.Result = CanChange(change->iPos + change->iDelta, change->iDelta) ? FALSE : TRUE;
}

// A click that moved the position; at an end without Wrap the position stays and nothing fires.
void TCustomUpDown::CNScroll(TMessage& Message)
{
    const int before = FPosition;
    if (LOWORD(Message.WParam) == SB_THUMBPOSITION && Position() != before)
        Click(FLastDelta >= 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
    Message.Result = 0;
}

void TCustomUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
