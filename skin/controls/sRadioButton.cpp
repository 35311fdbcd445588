#include "skin/controls/sRadioButton.h"

namespace skin {

TsRadioButton::TsRadioButton(vcl::TComponent* AOwner)
    : vcl::TRadioButton(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = ckRadioButton;
}

}  // namespace skin
