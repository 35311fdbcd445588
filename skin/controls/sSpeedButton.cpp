#include "skin/controls/sSpeedButton.h"

namespace skin {

TsSpeedButton::TsSpeedButton(vcl::TComponent* AOwner)
    : vcl::TSpeedButton(AOwner), FCommonData(std::make_unique<TsCommonData>())
{
}

}  // namespace skin
