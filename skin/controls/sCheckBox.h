#pragma once
// The skinned check box: a check box to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/stdctrls.h"

#include <memory>

namespace skin {

class TsCheckBox : public vcl::TCustomCheckBox {
    CL_CLASS(TsCheckBox, vcl::TCustomCheckBox)
public:
    explicit TsCheckBox(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
