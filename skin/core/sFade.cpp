#include "skin/core/sFade.h"

#include "skin/core/sCommonData.h"
#include "vcl/controls.h"

namespace skin {

void DoChangePaint(TsCommonData& SkinData, bool Quick)
{
    if (!SkinData.Skinned())
        return;
    SkinData.BGChanged = true;
    if (SkinData.FOwnerControl)
        SkinData.FOwnerControl->Repaint();
    ShowGlowingIfNeeded(SkinData, Quick);
}

}  // namespace skin
