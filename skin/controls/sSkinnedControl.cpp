// The painting that controls of the common pattern share outside the template.
#include "skin/controls/sSkinnedControl.h"

#include "skin/core/Sborders.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

void BlitBitmap(HDC DC, const TRect& To, vcl::TBitmap* Bmp, const vcl::TPoint& From)
{
    const TCanvasLock lock(Bmp->Canvas());
    BitBlt(DC, To.left, To.top, To.Width(), To.Height(), Bmp->Canvas()->Handle(), From.x, From.y, SRCCOPY);
}

void PaintSectionDirect(HDC DC, TsCommonData& Data, const TRect& Whole, const TacBGInfo& Background, TColor Own)
{
    const TsGeneralData& section = Data.Section();
    const int w = SkinBorderMaxWidth(Data);
    if (Data.FCacheBmp && Data.FCacheBmp->Width() == 0)
        Data.FCacheBmp->SetSize(1, 1);
    const int T = section.Transparency;
    if (T == 100 && Background.BgKind == 2) {  // the picture beneath shows through inside the border
        Data.FUpdating = Data.GetUpdating();
        if (Data.FUpdating)
            return;
        if (w > 0) {
            PaintBorderFast(DC, Whole, w, Data, 0);
            BlitBitmap(DC, TRect(Whole.left + w, Whole.top + w, Whole.right - w, Whole.bottom - w), Background.Bmp,
                       Background.Offset + vcl::TPoint(w, w));
        } else {
            BlitBitmap(DC, Whole, Background.Bmp, Background.Offset);
        }
        return;
    }
    const TColor fill = T == 0 ? Own : T == 100 ? Background.Color : MixColors(Background.Color, Own, T / 100.0);
    if (w == 0) {
        FillDC(DC, Whole, fill);
        return;
    }
    const TsSkinManager* m = Data.SkinManager();
    const bool centreLeft =
        m->IsValidImgIndex(Data.BorderIndex) && !(m->ma[size_t(Data.BorderIndex)].DrawMode & dmCentre);
    if (T != 100 || centreLeft) {
        FillDC(DC, PaintBorderFast(DC, Whole, w, Data, 0), fill);
    } else {
        PaintBorderFast(DC, Whole, 0, Data, 0);
        BlitBitmap(DC, Whole, Data.FCacheBmp.get(), vcl::TPoint(0, 0));
    }
}

}  // namespace skin
