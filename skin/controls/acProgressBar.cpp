#include "skin/controls/acProgressBar.h"

namespace skin {

TsProgressBar::TsProgressBar(vcl::TComponent* AOwner)
    : vcl::TProgressBar(AOwner), FCommonData(std::make_unique<TsCommonData>(this, false))
{
    FCommonData->COC = ckGauge;
}

}  // namespace skin
