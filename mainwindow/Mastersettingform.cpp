// The wizard question's handlers: its texts, and the start or the refusal of the wizard.
#include "mainwindow/Mastersettingform.h"

#include "languages/messagetexts.h"
#include "mainwindow/Mainform.h"

TfrmMasterSetting* frmMasterSetting = nullptr;

TfrmMasterSetting::TfrmMasterSetting(vcl::TComponent* AOwner) : vcl::TForm(AOwner)
{
    InitializeComponents();
}

void TfrmMasterSetting::FormCreate(vcl::TObject*)
{
    lbMasterSetting->SetCaption(msgWizardQuestion);
    btYes->SetCaption(msgYes);
    btNo->SetCaption(msgNo);
    // The visible buttons carry the same words; the search puts its own over them where its
    // table has a language's words, and would otherwise leave them blank.
    sButton1->SetCaption(msgYes);
    sButton2->SetCaption(msgNo);
    SetCaption(msgWizardTitle);
    // The question stands alone on the window; a dialog made without a main window leaves it be.
    if (frmMain)
        frmMain->lbSearch->SetVisible(false);
    lbMasterSetting->SetLeft((Width() - lbMasterSetting->Width()) / 2);
}

void TfrmMasterSetting::FormClose(vcl::TObject*, vcl::TCloseAction& Action)
{
    // Every way out but Yes declines the wizard, so the window never stays without a view.
    if (!FWizardStarted)
        frmMain->DeclineWizard();
    Action = vcl::TCloseAction::caFree;
    frmMasterSetting = nullptr;
}

void TfrmMasterSetting::btYesClick(vcl::TObject*)
{
    FWizardStarted = true;
    frmMain->StartWizard();
    Close();
}

void TfrmMasterSetting::btNoClick(vcl::TObject*)
{
    Close();
}
