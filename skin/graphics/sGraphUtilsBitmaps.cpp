// The toolbox's operations on the class library's bitmaps, over their pixels.
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TBitmap;
using vcl::TPixelFormat;

std::unique_ptr<TBitmap> CreateBmp32(int Width, int Height)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(TPixelFormat::pf32bit);
    bmp->SetHandleType(vcl::TBitmapHandleType::bmDIB);
    bmp->SetWidth(Width);
    bmp->SetHeight(Height);
    return bmp;
}

std::unique_ptr<TBitmap> CreateBmpLike(TBitmap* Bmp)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(Bmp->PixelFormat());
    bmp->SetSize(Bmp->Width(), Bmp->Height());
    return bmp;
}

std::unique_ptr<TBitmap> MakeRotated90(std::unique_ptr<TBitmap>& Bmp, bool Clockwise, bool KillSource)
{
    std::unique_ptr<TBitmap> rotated;
    if (Bmp && Bmp->PixelFormat() == TPixelFormat::pf32bit) {
        rotated = CreateBmp32(Bmp->Height(), Bmp->Width());
        MakeRotated90(PixelsOf(Bmp.get()), PixelsOf(rotated.get()), Clockwise);
    }
    if (KillSource)
        Bmp.reset();
    return rotated;
}

void DrawGlyphEx(TBitmap* Glyph, TBitmap* DstBmp, const vcl::TRect& R, int NumGlyphs, bool Enabled,
                 TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down)
{
    if (!Glyph || Glyph->Empty() || !DstBmp)
        return;
    TBitmap copy;
    copy.Assign(Glyph);
    DrawGlyphEx(PixelsOf(&copy), Glyph->PixelFormat() == TPixelFormat::pf4bit, PixelsOf(DstBmp), R, NumGlyphs,
                Enabled, DisabledGlyphKind, State, Blend, Down);
}

void TileBitmap(vcl::TCanvas* Canvas, const vcl::TRect& R, vcl::TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    if (auto* bmp = dynamic_cast<TBitmap*>(Graphic)) {
        vcl::TRect rest = R;
        const TCanvasLock lock(bmp->Canvas());
        TileBitmap(Canvas->Handle(), rest, bmp->Canvas()->Handle(), vcl::TRect(0, 0, bmp->Width(), bmp->Height()),
                   TacFillMode::Tile);
        return;
    }
    // Other pictures draw themselves, tile by tile, clipped to R.
    const vcl::TSavedDC saved(Canvas->Handle());
    IntersectClipRect(Canvas->Handle(), R.left, R.top, R.right, R.bottom);
    for (int y = R.top; y < R.bottom; y += Graphic->Height())
        for (int x = R.left; x < R.right; x += Graphic->Width())
            Canvas->Draw(x, y, Graphic);
}

bool TacFast32::Attach(TBitmap* Bmp)
{
    if (Bmp->Height() < 2 || Bmp->Width() <= 0) {
        FWidth = 0;
        return false;
    }
    vcl::Assert(Bmp->PixelFormat() == TPixelFormat::pf32bit, L"Bitmap format is not supported");
    return Attach(PixelsOf(Bmp));
}

}  // namespace skin
