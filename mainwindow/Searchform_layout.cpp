// The search-type dialog as its form resource would describe it.
#include "mainwindow/FormBuilder.h"
#include "mainwindow/Searchform.h"

using namespace vcl;

void TfrmSearch::InitializeComponents()
{
    BeginLoading(this);

    SetCaption(L"Выбор типа поиска");
    SetClientWidth(297);
    SetClientHeight(199);
    formbuilder::SetFont(this, L"Tahoma", -11);
    SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
    SetOnCreate(TNotifyEvent(this, &TfrmSearch::FormCreate));

    FORM_PLACE(sPanel1, this, 0, 0, 297, 199);
    sPanel1->SetAlign(TAlign::alClient);
    sPanel1->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbSearchForm, sPanel1, 24, 16, 249, 16);
    lbSearchForm->SetCaption(L"Выберите необходимый тип поиска");
    FORM_PLACE(rbAuto, sPanel1, 40, 48, 217, 17);
    rbAuto->SetCaption(L"Автоматический");
    rbAuto->SkinData()->SetSkinSection(L"RADIOBUTTON");
    FORM_PLACE(rbManual, sPanel1, 40, 76, 217, 17);
    rbManual->SetCaption(L"Ручной");
    rbManual->SkinData()->SetSkinSection(L"RADIOBUTTON");
    FORM_PLACE(cbShowForm, sPanel1, 40, 116, 217, 17);
    cbShowForm->SetCaption(L"Больше не спрашивать");
    cbShowForm->SkinData()->SetSkinSection(L"CHECKBOX");
    FORM_PLACE(btOK, sPanel1, 111, 152, 75, 25);
    btOK->SetCaption(L"OK");
    btOK->SkinData()->SetSkinSection(L"MENUBTN");

    EndLoading(this);
}
