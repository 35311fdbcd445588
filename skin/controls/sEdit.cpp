#include "skin/controls/sEdit.h"

namespace skin {

TsEdit::TsEdit(vcl::TComponent* AOwner)
    : vcl::TEdit(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true))
{
    FCommonData->COC = ckEdit;
}

}  // namespace skin
