#include "skin/controls/sStatusBar.h"

namespace skin {

TsStatusBar::TsStatusBar(vcl::TComponent* AOwner)
    : vcl::TStatusBar(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = ckStatusBar;
}

}  // namespace skin
