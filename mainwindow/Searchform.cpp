#include "mainwindow/Searchform.h"

TfrmSearch* frmSearch = nullptr;
uint8_t SearchTypeManual = 0;

TfrmSearch::TfrmSearch(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
}

void TfrmSearch::FormCreate(vcl::TObject*)
{
    (SearchTypeManual ? rbManual : rbAuto)->SetChecked(true);
}
