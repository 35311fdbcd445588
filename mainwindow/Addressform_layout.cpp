// The address-entry dialog as its form resource would describe it.
#include "mainwindow/Addressform.h"
#include "mainwindow/FormBuilder.h"

using namespace vcl;

void TfrmNewAddr::InitializeComponents()
{
    BeginLoading(this);

    SetCaption(L"Логический номер");
    SetClientWidth(242);
    SetClientHeight(172);
    formbuilder::SetFont(this, L"Tahoma", -11);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons({TBorderIcon::biSystemMenu});
    SetPosition(TPosition::poMainFormCenter);
    SetOnCreate(TNotifyEvent(this, &TfrmNewAddr::FormCreate));

    FORM_PLACE(lbNewAddr, this, 24, 24, 194, 19);
    lbNewAddr->SetCaption(L"Введите логический номер");
    formbuilder::SetFont(lbNewAddr, L"Tahoma", -16);
    FORM_PLACE(edNewAddr, this, 84, 64, 74, 27);
    formbuilder::SetFont(edNewAddr, L"Tahoma", -16);
    edNewAddr->SetMaxLength(2);
    edNewAddr->SetText(L"0");
    FORM_PLACE(bitbtOK, this, 84, 120, 75, 25);
    bitbtOK->SetKind(TBitBtnKind::bkOK);

    EndLoading(this);
}
