// Text written onto a control's 32-bit image in the font colours of its skin section.
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/graphics.h"

namespace skin {

void WriteText32(vcl::TBitmap* Bmp, const vcl::String& Text, bool WithContour, const vcl::TRect& R, UINT Flags,
                 int SkinIndex, bool Hot, TsSkinManager* SkinManager)
{
    if (Text.empty() || R.IsEmpty() || !Bmp)
        return;
    const TsSkinManager* manager = SkinManager ? SkinManager : DefaultManager;
    const HFONT font = Bmp->Canvas()->Font()->Handle();
    if (manager && manager->IsValidSkinIndex(SkinIndex)) {
        const TsGeneralData& section = manager->gd[size_t(SkinIndex)];
        const int state = Hot && section.States > 0 ? 1 : 0;
        WriteText32(PixelsOf(Bmp), font, Text, WithContour, R, Flags, section.Props[size_t(state)].FontColor);
        return;
    }
    // Callers set the canvas font to system colours such as clGrayText: those are resolved, or the
    // text would come out in the colour code's bytes.
    TTextColours canvasColour;
    canvasColour.Color = vcl::TColor(vcl::ColorToRGB(Bmp->Canvas()->Font()->Color()));
    WriteText32(PixelsOf(Bmp), font, Text, false, R, Flags, canvasColour);
}

}  // namespace skin
