// The label glued beside another control.
#include "skin/controls/sLabel.h"

#include "vcl/properties.h"

namespace skin {

using vcl::TRect;

vcl::TPoint PlaceBeside(const TRect& R, const vcl::TSize& Size, TAlignTo Side, int Gap)
{
    const int centred = R.top + (R.Height() - Size.cy) / 2;
    switch (Side) {
    case TAlignTo::altLeft: return vcl::TPoint(R.left - Size.cx - Gap, centred);
    case TAlignTo::altTop: return vcl::TPoint(R.left, R.top - Size.cy - Gap);
    case TAlignTo::altRight: return vcl::TPoint(R.right + Gap, centred);
    case TAlignTo::altBottom: return vcl::TPoint(R.left, R.bottom + Gap);
    }
    return R.TopLeft();
}

TAlignTo Opposite(TAlignTo Side)
{
    switch (Side) {
    case TAlignTo::altLeft: return TAlignTo::altRight;
    case TAlignTo::altTop: return TAlignTo::altBottom;
    case TAlignTo::altRight: return TAlignTo::altLeft;
    case TAlignTo::altBottom: return TAlignTo::altTop;
    }
    return Side;
}

void TsStickyLabel::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"AlignTo", &TsStickyLabel::AlignTo, &TsStickyLabel::SetAlignTo);
    Table.Add(L"AttachTo", &TsStickyLabel::AttachTo, &TsStickyLabel::SetAttachTo);
    Table.Add(L"Gap", &TsStickyLabel::Gap, &TsStickyLabel::SetGap);
}

TsStickyLabel::TsStickyLabel(vcl::TComponent* AOwner) : TsLabel(AOwner) {}

TsStickyLabel::~TsStickyLabel() { SetAttachTo(nullptr); }

void TsStickyLabel::SetAttachTo(vcl::TControl* Value)
{
    if (Value == FAttachTo)
        return;
    Detach();
    ReplaceComponent(FAttachTo, Value);
    if (!FAttachTo)
        return;
    Adjust(true);
    SetEnabled(FAttachTo->Enabled());
    SetVisible(FAttachTo->Visible());
    FOldWinProc = FAttachTo->WindowProc();
    FAttachTo->SetWindowProc(vcl::TWndMethod(this, &TsStickyLabel::NewWinProc));
}

void TsStickyLabel::Detach()
{
    if (FAttachTo && FOldWinProc)
        FAttachTo->SetWindowProc(FOldWinProc);
    FOldWinProc = vcl::TWndMethod();
}

void TsStickyLabel::SetAlignTo(TAlignTo Value)
{
    if (Value == FAlignTo)
        return;
    FAlignTo = Value;
    Adjust(true);
}

void TsStickyLabel::SetGap(int Value)
{
    if (Value == FGap)
        return;
    FGap = Value;
    Adjust(true);
}

void TsStickyLabel::Adjust(bool MoveLabel)
{
    if (!FAttachTo)
        return;
    vcl::TControl* moved = MoveLabel ? static_cast<vcl::TControl*>(this) : FAttachTo;
    const vcl::TControl* beside = MoveLabel ? FAttachTo : static_cast<vcl::TControl*>(this);
    const vcl::TSize size(moved->Width(), moved->Height());
    const vcl::TPoint at = PlaceBeside(beside->BoundsRect(), size, MoveLabel ? FAlignTo : Opposite(FAlignTo), FGap);
    const bool realigning = FRealigning;
    FRealigning = true;
    moved->SetBounds(at.x, at.y, size.cx, size.cy);
    FRealigning = realigning;
}

void TsStickyLabel::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    if (Operation == vcl::TOperation::opRemove && AComponent == FAttachTo)
        SetAttachTo(nullptr);
    TsLabel::Notification(AComponent, Operation);
}

void TsStickyLabel::NewWinProc(vcl::TMessage& Message)
{
    // The class library takes the control's new bounds into its fields while it handles the
    // message, so the label acts afterwards.
    FOldWinProc(Message);
    if (IsDestroying() || !FAttachTo || FRealigning)
        return;
    FRealigning = true;
    switch (Message.Msg) {
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED: Adjust(true); break;
    case WM_SIZE: Adjust(false); break;
    case vcl::CM_VISIBLECHANGED: SetVisible(FAttachTo->Visible()); break;
    case vcl::CM_ENABLEDCHANGED: SetEnabled(FAttachTo->Enabled()); break;
    default: break;
    }
    FRealigning = false;
}

void TsStickyLabel::WndProc(vcl::TMessage& Message)
{
    if (Message.Msg == WM_WINDOWPOSCHANGED && !FRealigning)
        Adjust(false);
    TsLabel::WndProc(Message);
}

}  // namespace skin
