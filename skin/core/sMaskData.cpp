#include "skin/core/sMaskData.h"

namespace skin {

int WidthOfImage(const TsMaskData& Mask)
{
    switch (Mask.ImageCount) {
    case 0: return 0;
    case 1: return Mask.R.Width();
    default: return Mask.R.Width() / Mask.ImageCount;
    }
}

int HeightOfImage(const TsMaskData& Mask)
{
    switch (Mask.MaskType) {
    case -1: return 0;
    case 0: return Mask.R.Height();
    default: return Mask.R.Height() / (Mask.MaskType + 1);
    }
}

}  // namespace skin
