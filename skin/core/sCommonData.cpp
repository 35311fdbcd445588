#include "skin/core/sCommonData.h"

#include "skin/core/sSkinManager.h"

namespace skin {

bool RestrictDrawing = false;

TsSkinManager* TsCommonData::SkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

}  // namespace skin
