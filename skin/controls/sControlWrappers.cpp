#include "skin/controls/sControlWrappers.h"

namespace skin {

TacControlWrapperMakers& ControlWrapperMakers()
{
    static TacControlWrapperMakers makers;
    return makers;
}

void RefreshScrolls(TsCommonData* SkinData, TControlWrapperPtr& Wnd)
{
    if (ControlWrapperMakers().RefreshScrolls)
        ControlWrapperMakers().RefreshScrolls(SkinData, Wnd);
}

void RefreshEditScrolls(TsCommonData* SkinData, TControlWrapperPtr& Wnd)
{
    if (ControlWrapperMakers().RefreshEditScrolls)
        ControlWrapperMakers().RefreshEditScrolls(SkinData, Wnd);
}

void FreeScrollWrapper(TControlWrapperPtr& Wnd)
{
    if (ControlWrapperMakers().FreeScrollWrapper)
        ControlWrapperMakers().FreeScrollWrapper(Wnd);
    else
        Wnd.reset();
}

}  // namespace skin
