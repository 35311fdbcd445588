#include "skin/controls/sEdit.h"

namespace skin {

TsEdit::TsEdit(vcl::TComponent* AOwner)
    : vcl::TEdit(AOwner), FCommonData(std::make_unique<TsCommonData>())
{
}

}  // namespace skin
