#pragma once
// The wizard-question dialog: whether to run the setup wizard after a search found detectors.
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "vcl/buttons.h"
#include "vcl/forms.h"

class TfrmMasterSetting : public vcl::TForm {
    CL_CLASS(TfrmMasterSetting, vcl::TForm)
public:
    explicit TfrmMasterSetting(vcl::TComponent* AOwner);

    skin::TsLabel* lbMasterSetting = nullptr;
    // Never shown: the skinned buttons below take their place.
    vcl::TBitBtn* btYes = nullptr;
    vcl::TBitBtn* btNo = nullptr;
    skin::TsButton* sButton1 = nullptr;
    skin::TsButton* sButton2 = nullptr;

    void FormCreate(vcl::TObject* Sender);
    void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action);
    void btYesClick(vcl::TObject* Sender);
    void btNoClick(vcl::TObject* Sender);

private:
    // Builds the dialog in resource order (Mastersettingform_layout.cpp).
    void InitializeComponents();

    // Yes was chosen: closing then leaves the wizard running instead of declining it.
    bool FWizardStarted = false;
};

// The dialog created last; cleared when a dialog closes.
extern TfrmMasterSetting* frmMasterSetting;
