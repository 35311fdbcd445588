#pragma once
// The wrappers a skinned form's adapter gives the plain controls of its form: one maker per
// class-name list of the manager. A list without a maker yet leaves its controls plain; each kind
// of wrapper brings its row.
#include "skin/forms/sSkinProviderAdapter.h"

namespace skin {

class TacWindowWrappers final : public TacWrapperFactory {
public:
    std::unique_ptr<TacAdaptedWnd> MakeWrapper(ThirdPartyList::Index Kind, vcl::TWinControl* Ctrl,
                                               TsCommonData* SkinData, TsSkinManager* Manager,
                                               const vcl::String& Section) override;
    // Plain speed buttons stay plain.
    std::unique_ptr<TacAdaptedButton> MakeSpeedButtonHandler(vcl::TControl*, TsCommonData*, TsSkinManager*,
                                                             const vcl::String&) override
    {
        return nullptr;
    }
};

// One row: the wrapper of a list over the control's window.
using TWrapperMaker = std::unique_ptr<TacAdaptedWnd> (*)(vcl::TWinControl* Ctrl, TsCommonData* SkinData,
                                                         TsSkinManager* Manager, const vcl::String& Section);
// The maker of a list; none for a list whose controls stay plain.
TWrapperMaker WrapperMaker(ThirdPartyList::Index Kind);

}  // namespace skin
