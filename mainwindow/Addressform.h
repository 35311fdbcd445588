#pragma once
// The address-entry dialog: created at start-up, never shown.
#include "vcl/buttons.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

class TfrmNewAddr : public vcl::TForm {
    CL_CLASS(TfrmNewAddr, vcl::TForm)
public:
    explicit TfrmNewAddr(vcl::TComponent* AOwner);

    vcl::TLabel* lbNewAddr = nullptr;
    vcl::TEdit* edNewAddr = nullptr;
    vcl::TBitBtn* bitbtOK = nullptr;

    // Words the prompt in the stored language.
    void FormCreate(vcl::TObject* Sender);

private:
    // Builds the dialog in resource order (Addressform_layout.cpp).
    void InitializeComponents();
};

extern TfrmNewAddr* frmNewAddr;
