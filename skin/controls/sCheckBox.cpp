#include "skin/controls/sCheckBox.h"

namespace skin {

TsCheckBox::TsCheckBox(vcl::TComponent* AOwner)
    : vcl::TCustomCheckBox(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = ckCheckBox;
}

}  // namespace skin
