#include "skin/controls/sPanel.h"

namespace skin {

TsPanel::TsPanel(vcl::TComponent* AOwner)
    : vcl::TPanel(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = ckPanel;
}

}  // namespace skin
