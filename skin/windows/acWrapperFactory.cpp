#include "skin/windows/acWrapperFactory.h"

#include <array>

namespace skin {

TWrapperMaker WrapperMaker(ThirdPartyList::Index Kind)
{
    // Filled row by row as the wrappers of the lists come.
    static const std::array<TWrapperMaker, ThirdPartyList::Count> makers{};
    return Kind >= 0 && Kind < ThirdPartyList::Count ? makers[size_t(Kind)] : nullptr;
}

std::unique_ptr<TacAdaptedWnd> TacWindowWrappers::MakeWrapper(ThirdPartyList::Index Kind, vcl::TWinControl* Ctrl,
                                                              TsCommonData* SkinData, TsSkinManager* Manager,
                                                              const vcl::String& Section)
{
    const TWrapperMaker maker = WrapperMaker(Kind);
    return maker ? maker(Ctrl, SkinData, Manager, Section) : nullptr;
}

}  // namespace skin
