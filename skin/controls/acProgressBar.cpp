#include "skin/controls/acProgressBar.h"

namespace skin {

TsProgressBar::TsProgressBar(vcl::TComponent* AOwner)
    : vcl::TProgressBar(AOwner), FCommonData(std::make_unique<TsCommonData>())
{
}

}  // namespace skin
