#pragma once
// The skinned speed button: a speed button to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/buttons.h"

#include <memory>

namespace skin {

class TsSpeedButton : public vcl::TSpeedButton {
    CL_CLASS(TsSpeedButton, vcl::TSpeedButton)
public:
    explicit TsSpeedButton(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
