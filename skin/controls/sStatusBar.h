#pragma once
// The skinned status bar: a status bar to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/comctrls.h"

#include <memory>

namespace skin {

class TsStatusBar : public vcl::TStatusBar {
    CL_CLASS(TsStatusBar, vcl::TStatusBar)
public:
    explicit TsStatusBar(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
