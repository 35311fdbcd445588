#include "skin/controls/sComboBox.h"

namespace skin {

TsComboBox::TsComboBox(vcl::TComponent* AOwner)
    : vcl::TCustomComboBox(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true))
{
    FCommonData->COC = ckEdit;
}

}  // namespace skin
