#pragma once
// The skinned combo box: a combo box to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/stdctrls.h"

#include <memory>

namespace skin {

class TsComboBox : public vcl::TCustomComboBox {
    CL_CLASS(TsComboBox, vcl::TCustomComboBox)
public:
    explicit TsComboBox(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
