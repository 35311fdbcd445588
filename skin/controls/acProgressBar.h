#pragma once
// The skinned progress bar: a progress bar to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/comctrls.h"

#include <memory>

namespace skin {

class TsProgressBar : public vcl::TProgressBar {
    CL_CLASS(TsProgressBar, vcl::TProgressBar)
public:
    explicit TsProgressBar(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
