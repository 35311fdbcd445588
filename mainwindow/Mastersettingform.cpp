// The wizard question's handlers: its texts, and the start or the refusal of the wizard.
#include "mainwindow/Mastersettingform.h"

TfrmMasterSetting* frmMasterSetting = nullptr;

TfrmMasterSetting::TfrmMasterSetting(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
}

void TfrmMasterSetting::FormCreate(vcl::TObject*) {}

void TfrmMasterSetting::FormClose(vcl::TObject*, vcl::TCloseAction&) {}

void TfrmMasterSetting::btYesClick(vcl::TObject*) {}

void TfrmMasterSetting::btNoClick(vcl::TObject*) {}
