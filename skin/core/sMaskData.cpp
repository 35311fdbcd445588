#include "skin/core/sMaskData.h"

#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"

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

TPixelView ImagePixels(const TsMaskData& Mask)
{
    if (Mask.Bmp)
        return PixelsOf(Mask.Bmp.get());
    return Mask.Manager ? PixelsOf(Mask.Manager->MasterBitmap.get()) : TPixelView();
}

vcl::TPoint StateImageOrigin(const TsMaskData& Mask, int State)
{
    const int state = std::clamp(State, 0, std::max(Mask.ImageCount - 1, 0));
    return vcl::TPoint(Mask.R.left + state * WidthOfImage(Mask), Mask.R.top);
}

}  // namespace skin
