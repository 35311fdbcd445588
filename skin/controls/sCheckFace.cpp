#include "skin/controls/sCheckFace.h"

#include "skin/core/sMaskData.h"

namespace skin {

TFrameSize SkinGlyphSize(const TsMaskData& Mask)
{
    if (Mask.Bmp)
        return {Mask.Bmp->Width() / 3, Mask.Bmp->Height() / 2};
    const int images = Mask.ImageCount > 0 ? Mask.ImageCount : 1;
    const int rows = Mask.MaskType >= 0 ? Mask.MaskType + 1 : 1;
    return {Mask.R.Width() / images, Mask.R.Height() / rows};
}

}  // namespace skin
