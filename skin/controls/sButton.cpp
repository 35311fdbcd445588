#include "skin/controls/sButton.h"

namespace skin {

TsButton::TsButton(vcl::TComponent* AOwner)
    : vcl::TButton(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true))
{
    FCommonData->COC = ckButton;
}

}  // namespace skin
