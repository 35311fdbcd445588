#include "skin/forms/sSkinProvider.h"

namespace skin {

TsSkinProvider::TsSkinProvider(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FCommonData(std::make_unique<TsCommonData>())
{
}

}  // namespace skin
