// Window regions from the key pixels of skin images.
#include <algorithm>

#include "skin/core/sMaskData.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TRect;

void AddRgn(TAOR& AOR, int Width, const TsMaskData& MaskData, int Y, bool Bottom)
{
    const TPixelView image = ImagePixels(MaskData);
    if (!MaskData.Manager || image.IsEmpty())
        return;
    const int rows = Bottom ? MaskData.WB : MaskData.WT;
    const int first = MaskData.R.top + (Bottom ? MaskData.R.Height() / std::max(MaskData.MaskType + 1, 1) - MaskData.WB : 0);
    if (first < 0 || first + rows > image.Height)
        return;
    const int w = MaskData.R.Width() / std::max<int>(MaskData.ImageCount, 1);
    // A corner's columns i from From to To - 1 of the image, cut to the bitmap, placed at Shift + i.
    const auto scan = [&](const uint32_t* row, int top, int from, int to, int shift) {
        const int left = MaskData.R.left;
        px::ForEachKeyRun(row, std::max(left + from, 0), std::min(left + to, image.Width), [&](int a, int b) {
            AOR.push_back(TRect(shift + a - left, top, shift + b - left + 1, top + 1));
        });
    };
    for (int k = 0; k < rows; ++k)
        scan(image.Row(first + k), Y + k, 0, MaskData.WL, 0);
    for (int k = 0; k < rows; ++k)
        scan(image.Row(first + k), Y + k, w - MaskData.WR, w, Width - w);
}

void SubtractRects(HRGN Rgn, const TAOR& AOR)
{
    for (const TRect& r : AOR) {
        const HRGN piece = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(Rgn, Rgn, piece, RGN_DIFF);
        DeleteObject(piece);
    }
}

}  // namespace skin
