#pragma once
// The skinned edit: an edit to be painted from the skin section its skin data names.
#include "skin/core/sCommonData.h"

#include "vcl/stdctrls.h"

#include <memory>

namespace skin {

class TsEdit : public vcl::TEdit {
    CL_CLASS(TsEdit, vcl::TEdit)
public:
    explicit TsEdit(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
