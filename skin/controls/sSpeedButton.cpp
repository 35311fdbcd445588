#include "skin/controls/sSpeedButton.h"

namespace skin {

TsSpeedButton::TsSpeedButton(vcl::TComponent* AOwner)
    : vcl::TSpeedButton(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true))
{
    FCommonData->COC = ckSpeedButton;
}

}  // namespace skin
