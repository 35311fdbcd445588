// The wizard question as its form resource would describe it.
#include "mainwindow/FormBuilder.h"
#include "mainwindow/Mastersettingform.h"

using namespace vcl;

void TfrmMasterSetting::InitializeComponents()
{
    using Notify = TNotifyEvent;

    BeginLoading(this);

    SetClientWidth(341);
    SetClientHeight(155);
    formbuilder::SetFont(this, L"Tahoma", -11);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons({});
    SetPosition(TPosition::poMainFormCenter);
    SetScaled(false);
    SetOnCreate(Notify(this, &TfrmMasterSetting::FormCreate));
    SetOnClose(TCloseEvent(this, &TfrmMasterSetting::FormClose));

    FORM_PLACE(lbMasterSetting, this, 8, 50, 319, 19);
    lbMasterSetting->SetCaption(L"Хотите ли вы запустить мастер настройки?");
    formbuilder::SetFont(lbMasterSetting, L"Tahoma", -16);
    lbMasterSetting->Font()->SetColor(clBlack);
    FORM_PLACE(btYes, this, 64, 98, 75, 25);
    btYes->SetKind(TBitBtnKind::bkYes);
    btYes->SetCaption(L"&Да");
    btYes->SetVisible(false);
    btYes->SetOnClick(Notify(this, &TfrmMasterSetting::btYesClick));
    FORM_PLACE(btNo, this, 200, 98, 75, 25);
    btNo->SetKind(TBitBtnKind::bkNo);
    btNo->SetCaption(L"&Нет");
    btNo->SetVisible(false);
    btNo->SetOnClick(Notify(this, &TfrmMasterSetting::btNoClick));
    FORM_PLACE(sButton1, this, 64, 98, 75, 25);
    sButton1->SkinData()->SetSkinSection(L"MENUBTN");
    sButton1->SetOnClick(Notify(this, &TfrmMasterSetting::btYesClick));
    FORM_PLACE(sButton2, this, 200, 98, 75, 25);
    sButton2->SkinData()->SetSkinSection(L"MENUBTN");
    sButton2->SetOnClick(Notify(this, &TfrmMasterSetting::btNoClick));

    EndLoading(this);
}
