#pragma once
// The search-type dialog: created at start-up, never shown.
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sRadioButton.h"
#include "vcl/forms.h"

#include <cstdint>

class TfrmSearch : public vcl::TForm {
    CL_CLASS(TfrmSearch, vcl::TForm)
public:
    explicit TfrmSearch(vcl::TComponent* AOwner);

    skin::TsPanel* sPanel1 = nullptr;
    skin::TsLabel* lbSearchForm = nullptr;
    skin::TsRadioButton* rbAuto = nullptr;
    skin::TsRadioButton* rbManual = nullptr;
    skin::TsCheckBox* cbShowForm = nullptr;
    skin::TsButton* btOK = nullptr;

    // Selects the search type last chosen.
    void FormCreate(vcl::TObject* Sender);

private:
    // Builds the dialog in resource order (Searchform_layout.cpp).
    void InitializeComponents();
};

extern TfrmSearch* frmSearch;
// The search type last chosen in the dialog: set means manual. Nothing sets it.
extern uint8_t SearchTypeManual;
