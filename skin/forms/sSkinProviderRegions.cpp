// The window region of a skinned form and the provider's operations beside it.
#include "skin/forms/sSkinProvider.h"

namespace skin {

void FillArOR(TsSkinProvider*) {}

HRGN GetRgnFromArOR(TsSkinProvider*, int, int) { return nullptr; }

void UpdateRgn(TsSkinProvider*, bool) {}

void RefreshFormScrolls(TsSkinProvider*) {}

}  // namespace skin
