#include "skin/core/sSkinManager.h"

namespace skin {

vcl::String ThirdPartyList::GetString(int index) const
{
    if (index < 0 || index >= Count)
        return {};
    return FLists[index];
}

void ThirdPartyList::SetString(int index, const vcl::String& value)
{
    if (index >= 0 && index < Count)
        FLists[index] = value;
}

TsSkinManager::TsSkinManager(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner),
      FBuiltInSkins(std::make_unique<TsStoredSkins>(this)),
      FCommonSections(std::make_unique<vcl::TStringList>()),
      FMenuSupport(std::make_unique<TacMenuSupport>()),
      FThirdParty(std::make_unique<ThirdPartyList>())
{
    FCommonSections->SetCaseSensitive(true);
}

}  // namespace skin
