#include "skin/controls/sButton.h"

namespace skin {

TsButton::TsButton(vcl::TComponent* AOwner)
    : vcl::TButton(AOwner), FCommonData(std::make_unique<TsCommonData>())
{
}

}  // namespace skin
