#pragma once
// The skinned push button: a button to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/stdctrls.h"

#include <memory>

namespace skin {

class TsButton : public vcl::TButton {
    CL_CLASS(TsButton, vcl::TButton)
public:
    explicit TsButton(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
