#pragma once
// The skinned panel: a panel to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/extctrls.h"

#include <memory>

namespace skin {

class TsPanel : public vcl::TPanel {
    CL_CLASS(TsPanel, vcl::TPanel)
public:
    explicit TsPanel(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
