// The drag bar and the grip of the panel unit.
#include "skin/controls/sPanel.h"

#include "skin/graphics/BitmapView.h"
#include "vcl/application.h"
#include "vcl/properties.h"

namespace skin {

// =============================================================================================
// Drag bar

TsDragBar::TsDragBar(vcl::TComponent* AOwner) : TsPanel(AOwner)
{
    SkinData()->COC = ckDragBar;
    SetCaption(L" ");
    SetAlign(vcl::TAlign::alTop);
    SetHeight(20);
    Font()->SetColor(vcl::clCaptionText);
    Font()->SetStyle(vcl::TFontStyles{vcl::TFontStyle::fsBold});
    SetColor(vcl::clActiveCaption);
    SetCursor(vcl::TCursor::crHandPoint);
    SetParentBackground(false);
    if (vcl::Application)
        vcl::Application->HookMainWindow(vcl::TWindowHook(this, &TsDragBar::FollowActivation));
}

TsDragBar::~TsDragBar()
{
    if (vcl::Application)
        vcl::Application->UnhookMainWindow(vcl::TWindowHook(this, &TsDragBar::FollowActivation));
}

void TsDragBar::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"DraggedControl", &TsDragBar::DraggedControl, &TsDragBar::SetDraggedControl);
}

void TsDragBar::Loaded()
{
    if (!FDraggedControl && Parent())
        SetDraggedControl(vcl::GetParentForm(Parent()));
    inherited::Loaded();
}

void TsDragBar::SetDraggedControl(vcl::TControl* Value)
{
    if (FDraggedControl)
        FDraggedControl->RemoveFreeNotification(this);
    FDraggedControl = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TsDragBar::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FDraggedControl)
        FDraggedControl = nullptr;
}

vcl::TColor TsDragBar::CaptionColour(bool AppActive)
{
    const auto text = vcl::TColor(vcl::ColorToRGB(vcl::clCaptionText));
    return AppActive ? text : MixColors(text, vcl::TColor(vcl::ColorToRGB(vcl::clActiveCaption)), 0.5);
}

// The system moves the dragged window with the mouse until the button is released, and that loop
// takes the release: the click and OnMouseUp are told here.
void TsDragBar::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != vcl::TMouseButton::mbLeft || !FDraggedControl)
        return;
    ReleaseCapture();
    FDraggedControl->Perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    Click();
    if (const vcl::TMouseEvent up = OnMouseUp())
        up(this, Button, Shift, X, Y);
}

bool TsDragBar::EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message)
{
    const bool done = inherited::EarlySkinCommand(Cmd, Message);
    if (Cmd == scmdSkinRemoved) {  // the system's caption look again
        SetColor(vcl::clActiveCaption);
        SetParentBackground(false);
    }
    return done;
}

bool TsDragBar::FollowActivation(vcl::TMessage& Message)
{
    if (Message.Msg == vcl::CM_ACTIVATE || Message.Msg == vcl::CM_DEACTIVATE)
        Font()->SetColor(CaptionColour(Message.Msg == vcl::CM_ACTIVATE));
    return false;
}

// =============================================================================================
// Grip

TsGrip::TsGrip(vcl::TComponent* AOwner) : TsPanel(AOwner)
{
    SetCaption(L" ");
    SkinData()->SetSkinSection(L"CHECKBOX");
    SetAlign(vcl::TAlign::alNone);
    SetBounds(Left(), Top(), 20, 20);
}

bool TsGrip::PaintLinkedCorner(HDC DC)
{
    if (!Transparent || !LinkedControl)
        return false;
    const TCacheInfo ci = BackgroundOf(LinkedControl);
    if (ci.Ready && ci.Bmp) {
        const TCanvasLock lock(ci.Bmp->Canvas());
        BitBlt(DC, 0, 0, Width(), Height(), ci.Bmp->Canvas()->Handle(), ci.Bmp->Width() - Width() + ci.X,
               ci.Bmp->Height() - Height() + ci.Y, SRCCOPY);
    } else {
        FillDC(DC, vcl::TRect(0, 0, Width(), Height()), ci.FillColor);
    }
    return true;
}

void TsGrip::Paint()
{
    if (!ControlIsReady(this))
        return;
    SkinData()->BGChanged = false;
    const HDC dc = Canvas()->Handle();
    if (!PaintLinkedCorner(dc))
        FillDC(dc, vcl::TRect(0, 0, Width(), Height()), Color());
}

bool TsGrip::SkinnedMessage(vcl::TMessage& Message)
{
    if (Message.Msg == WM_PAINT && Transparent && LinkedControl)
        SkinData()->BGChanged = true;
    return inherited::SkinnedMessage(Message);
}

void TsGrip::PrepareCache()
{
    inherited::PrepareCache();
    if (vcl::TBitmap* cache = SkinData()->FCacheBmp.get()) {
        const TCanvasLock lock(cache->Canvas());
        PaintLinkedCorner(cache->Canvas()->Handle());
    }
}

void TsGrip::PaintDirect(HDC DC)
{
    if (!PaintLinkedCorner(DC))
        inherited::PaintDirect(DC);
}

}  // namespace skin
