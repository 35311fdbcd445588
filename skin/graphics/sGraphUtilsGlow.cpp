// The glow laid around a caption: a mask of the text, blurred, through which the glow colour is
// laid onto the control's 32-bit image.
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TRect;

namespace {

// The mask reaches this far beyond the blur, so that its tails fade out inside the mask.
constexpr int GlowMaskMargin = 4;

// The bits of Side and the shift of the text pass each one asks for.
struct TSidePass {
    UINT Bit;
    int DX, DY;
};
constexpr TSidePass SidePasses[] = {{1, -1, 0}, {2, 0, -1}, {4, 1, 0}, {8, 0, 1}};

int GlowReach(int BlurSize) { return BlurSize + GlowMaskMargin; }

// A white W x H pf8bit mask holding the text in black at T (once shifted for each side bit, once
// in place), blurred by BlurSize.
void DrawGlowMask(vcl::TBitmap* Mask, vcl::TFont* Font, const vcl::String& Text, const TRect& T, UINT Flags,
                  UINT Side, int BlurSize, int W, int H)
{
    Mask->SetPixelFormat(vcl::TPixelFormat::pf8bit);
    Mask->SetSize(W, H);
    vcl::TCanvas* canvas = Mask->Canvas();
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(vcl::clWhite);
    canvas->FillRect(TRect(0, 0, W, H));
    canvas->Font()->Assign(Font);
    canvas->Font()->SetColor(vcl::clBlack);
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    for (const TSidePass& pass : SidePasses)
        if (Side & pass.Bit) {
            TRect shifted = T.Offsetted(pass.DX, pass.DY);
            canvas->TextRect(shifted, Text, Flags);
        }
    TRect inPlace = T;
    canvas->TextRect(inPlace, Text, Flags);
    Blur8(Mask, BlurSize);
}

}  // namespace

void BlendGlow(const TPixelView& Dst, const TBytePixelView& Mask, const vcl::TPoint& Origin, vcl::TColor GlowColor)
{
    const int glow[] = {px::ColorB(GlowColor), px::ColorG(GlowColor), px::ColorR(GlowColor)};
    for (int y = 0; y < Mask.Height; ++y) {
        const uint8_t* row = Mask.Row(y);
        for (int x = 0; x < Mask.Width; ++x) {
            const int m = row[x];
            if (m == 255 || !Dst.Contains(Origin.x + x, Origin.y + y))
                continue;
            uint32_t& p = Dst.At(Origin.x + x, Origin.y + y);
            const int c[] = {px::B(p), px::G(p), px::R(p)};
            int mixed[3];
            for (int i = 0; i < 3; ++i)
                mixed[i] = glow[i] + (c[i] - glow[i]) * m / 255;
            p = px::Make(mixed[0], mixed[1], mixed[2], px::AddAlpha(px::A(p), 255 - m));
        }
    }
}

void acDrawGlowForText(vcl::TBitmap* DstBmp, const vcl::String& Text, const TRect& R, UINT Flags, UINT Side,
                       int BlurSize, vcl::TColor GlowColor, std::unique_ptr<vcl::TBitmap>& MaskBmp)
{
    const int d = GlowReach(BlurSize);
    const TRect area = R.Inflated(d, d);
    const int w = area.Width(), h = area.Height();
    if (w <= 0 || h <= 0)
        return;
    if (!MaskBmp || MaskBmp->Width() != w || MaskBmp->Height() != h) {
        if (!MaskBmp)
            MaskBmp = std::make_unique<vcl::TBitmap>();
        DrawGlowMask(MaskBmp.get(), DstBmp->Canvas()->Font(), Text, TRect(d, d, d + R.Width(), d + R.Height()),
                     Flags, Side, BlurSize, w, h);
    }
    BlendGlow(PixelsOf(DstBmp), BytesOf(MaskBmp.get()), area.TopLeft(), GlowColor);
}

}  // namespace skin
