#pragma once
// The skinned radio button: a radio button to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/stdctrls.h"

#include <memory>

namespace skin {

class TsRadioButton : public vcl::TRadioButton {
    CL_CLASS(TsRadioButton, vcl::TRadioButton)
public:
    explicit TsRadioButton(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
