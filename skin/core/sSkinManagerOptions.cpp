#include "skin/core/sSkinManagerOptions.h"

#include "skin/core/sSkinManager.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::String;

bool TacSkinEffects::GetAllowGlowing() const
{
    const bool designing = Manager && Manager->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    return FAllowGlowing && (acLayered() || designing) && !acGlowDisabled;
}

// ---------------------------------------------------------------------------------------------
// The class-name lists

String ThirdPartyList::GetString(int index) const
{
    if (index < 0 || index >= Count)
        return {};
    return FLists[index];
}

void ThirdPartyList::SetString(int index, const String& value)
{
    if (index >= 0 && index < Count)
        FLists[index] = value;
}

String ThirdPartyList::DefaultText(int index) { return index == ThirdButtons ? L"TButton" : L" "; }

void LoadThirdNames(TsSkinManager* Manager, bool Reset)
{
    ThirdPartyList* lists = Manager->ThirdParty();
    for (int i = 0; i < ThirdPartyList::Count; ++i) {
        if (Reset || lists->GetString(i).empty())
            lists->SetString(i, ThirdPartyList::DefaultText(i));
        Manager->ThirdLists[size_t(i)]->SetText(lists->GetString(i));
    }
}

void UpdateThirdNames(TsSkinManager* Manager)
{
    for (int i = 0; i < ThirdPartyList::Count; ++i) {
        vcl::TStringList* lines = Manager->ThirdLists[size_t(i)].get();
        String text;
        for (int line = 0; line < lines->Count(); ++line)
            text += (line ? L"\r\n" : L"") + lines->Strings(line);
        Manager->ThirdParty()->SetString(i, text);
    }
}

}  // namespace skin
