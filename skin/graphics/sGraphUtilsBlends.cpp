// Blends, copies, fades and the quarter turn of 32-bit bitmaps.
#include <algorithm>

#include "skin/graphics/DibSection.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

using px::CachePixel;
using px::ForEachInclusive;
using px::ForEachShared;
using px::SharedArea;
using px::TCopyArea;

namespace {

bool SameSize(const TPixelView& a, const TPixelView& b) { return a.Width == b.Width && a.Height == b.Height; }

// The source pixel, or with a tint colour its grey level scaled by the colour's channels.
uint32_t Tinted(uint32_t s, TColor Color)
{
    if (Color == vcl::clNone)
        return s;
    const int grey = (px::R(s) + px::G(s) + px::B(s)) / 3;
    const auto scale = [grey](int c) { return int(std::min<int64_t>(255, vcl::Round(grey * (c / 255.0)))); };
    return px::Make(scale(px::ColorB(Color)), scale(px::ColorG(Color)), scale(px::ColorR(Color)), px::A(s));
}

// The fading mirror image that CopyBmp32 lays below the copied area.
void CopyReflection(const TRect& DstRect, const TRect& SrcRect, const TPixelView& DstBmp, const TPixelView& SrcBmp,
                    const TCopyArea& a, TColor Color, int Blend)
{
    const int half = SrcBmp.Height / 2;
    if (half < 1)
        return;
    const int n = std::min<int>(half - 1, DstBmp.Height - DstRect.bottom - 1);
    const int top = std::max<int>(SrcRect.top, 0);  // rows above belong to other images of the bitmap
    int fade = 255;
    for (int i = 1; i <= n; ++i, fade -= 255 / half) {
        const int sy = SrcRect.bottom - 1 - i, dy = DstRect.bottom + i;
        if (sy < top)
            break;
        if (sy >= SrcBmp.Height || dy < 0)
            continue;
        uint32_t* d = DstBmp.Row(dy) + a.DstX;
        const uint32_t* s = SrcBmp.Row(sy) + a.SrcX;
        for (int x = 0; x < a.Width; ++x) {
            if (s[x] == px::KeyPixel)
                continue;
            const int sa = px::A(s[x]);
            const int w = std::max(0, (Blend != 0 ? (100 - Blend) * sa / 300 : sa / 3) * fade / 255);
            d[x] = px::MixRGB(d[x], Tinted(s[x], Color), w);
        }
    }
}

}  // namespace

void BlendTransBitmap(const TPixelView& Bmp, double Blend, TsColor Color)
{
    const auto blend = [Blend](int c, int colour) { return int(vcl::Round((c - colour) * Blend + colour)); };
    px::MapPixels(Bmp, [&](uint32_t p) {
        return p == px::KeyPixel ? p
                                 : px::Make(blend(px::B(p), Color.B), blend(px::G(p), Color.G),
                                            blend(px::R(p), Color.R), px::A(p));
    });
}

void BlendBmpByMask(const TPixelView& Bmp, const TPixelView& MaskBmp, TColor Color)
{
    if (Bmp.IsEmpty() || MaskBmp.IsEmpty() || !SameSize(Bmp, MaskBmp))
        return;
    const uint32_t colour = px::FromColor(Color, 0);
    for (int y = 0; y < Bmp.Height; ++y) {
        uint32_t* row = Bmp.Row(y);
        const uint32_t* mask = MaskBmp.Row(y);
        for (int x = 0; x < Bmp.Width; ++x) {
            const uint32_t c = row[x], m = mask[x];
            row[x] = px::Make(px::Mix(px::B(colour), px::B(c), px::B(m)), px::Mix(px::G(colour), px::G(c), px::G(m)),
                              px::Mix(px::R(colour), px::R(c), px::R(m)), px::A(c));
        }
    }
}

void BlendTransRectangle(const TPixelView& Dst, int X, int Y, const TPixelView& Src, const TRect& SrcRect,
                         double Blend, TColor TransColor)
{
    const auto blend = [Blend](int d, int s) { return int(vcl::Round(s - (s - d) * Blend)); };
    ForEachInclusive(Dst, X, Y, Src, SrcRect, [&](uint32_t& d, uint32_t s, int, int) {
        if (s != uint32_t(TransColor))
            d = px::Make(blend(px::B(d), px::B(s)), blend(px::G(d), px::G(s)), blend(px::R(d), px::R(s)), px::A(d));
    });
}

void SumBitmaps(const TPixelView& Dst, const TPixelView& Src, TsColor Color)
{
    if (!SameSize(Dst, Src))
        return;
    TacFastSum32 sum;
    if (!sum.Attach(Src, Dst))
        return;
    sum.Alpha = Color.R;
    sum.DstX2 = sum.SrcX2 = Dst.Width;
    sum.DstY2 = sum.SrcY2 = Dst.Height;
    sum.BlendBitmapsRect();
}

void SumBmpRect(const TPixelView& Dst, const TPixelView& Src, uint8_t Alpha, TRect SrcRect, TPoint DstPoint)
{
    // A negative point cuts into the rectangle; a negative rectangle edge moves the point on.
    const auto clip = [](LONG& point, LONG& edge) {
        if (point < 0) {
            edge -= point;
            point = 0;
        }
        if (edge < 0) {
            point -= edge;
            edge = 0;
            if (point < 0) {
                edge -= point;
                point = 0;
            }
        }
    };
    clip(DstPoint.x, SrcRect.left);
    clip(DstPoint.y, SrcRect.top);
    if (SrcRect.IsEmpty() || DstPoint.x >= Dst.Width || DstPoint.y >= Dst.Height || SrcRect.left >= Src.Width ||
        SrcRect.top >= Src.Height)
        return;
    SrcRect.right = std::min<LONG>({SrcRect.right, Src.Width, SrcRect.left + Dst.Width - DstPoint.x});
    SrcRect.bottom = std::min<LONG>({SrcRect.bottom, Src.Height, SrcRect.top + Dst.Height - DstPoint.y});
    TacFastSum32 sum;
    if (SrcRect.IsEmpty() || !sum.Attach(Src, Dst))
        return;
    sum.Alpha = Alpha;
    sum.DstX1 = DstPoint.x;
    sum.DstY1 = DstPoint.y;
    sum.DstX2 = DstPoint.x + SrcRect.Width();
    sum.DstY2 = DstPoint.y + SrcRect.Height();
    sum.SrcX1 = SrcRect.left;
    sum.SrcY1 = SrcRect.top;
    sum.SrcX2 = SrcRect.right;
    sum.SrcY2 = SrcRect.bottom;
    sum.BlendBitmapsRect();
}

void SumBitmapsByMask(const TPixelView& OutBmp, const TPixelView& Bmp1, const TPixelView& Bmp2,
                      const TPixelView* MaskBmp, int Percent)
{
    if (Bmp1.IsEmpty() || OutBmp.IsEmpty() || !SameSize(Bmp1, Bmp2))
        return;
    int w = std::min(Bmp1.Width, OutBmp.Width), h = std::min(Bmp1.Height, OutBmp.Height);
    if (MaskBmp) {
        w = std::min(w, MaskBmp->Width);
        h = std::min(h, MaskBmp->Height);
    }
    for (int y = 0; y < h; ++y) {
        uint32_t* out = OutBmp.Row(y);
        const uint32_t *b1 = Bmp1.Row(y), *b2 = Bmp2.Row(y);
        const uint32_t* mask = MaskBmp ? MaskBmp->Row(y) : nullptr;
        for (int x = 0; x < w; ++x) {
            const auto weight = [&](int channel) { return mask ? (mask[x] >> channel) & 0xFF : uint32_t(Percent); };
            out[x] = px::Make(px::Mix(px::B(b2[x]), px::B(b1[x]), int(weight(0))),
                              px::Mix(px::G(b2[x]), px::G(b1[x]), int(weight(8))),
                              px::Mix(px::R(b2[x]), px::R(b1[x]), int(weight(16))), px::A(out[x]));
        }
    }
}

void SumByMaskWith32(const TPixelView& Bmp1, const TPixelView& Bmp2, const TPixelView& MaskBmp, const TRect& R)
{
    if (Bmp1.Width < R.Width() || Bmp1.Height < R.Height())
        return;
    const TRect area = R.Intersected(Bmp1.Bounds()).Intersected(Bmp2.Bounds()).Intersected(MaskBmp.Bounds());
    if (Bmp1.IsEmpty() || Bmp2.IsEmpty() || MaskBmp.IsEmpty() || area.IsEmpty())
        return;
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* b1 = Bmp1.Row(y);
        const uint32_t *b2 = Bmp2.Row(y), *mask = MaskBmp.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            const int k = px::R(mask[x]), a = px::A(b2[x]);
            if (k != 255)
                b1[x] = px::MixRGB(b1[x], b2[x], k == 0 ? a : (255 - k) * a >> 8);
        }
    }
}

void CopyByMask(const TRect& DstRect, const TRect& SrcRect, const TPixelView& DstBmp, const TPixelView& SrcBmp,
                const TCacheView& CI, bool UpdateTrans)
{
    TCopyArea area;
    if (!SharedArea(DstRect, SrcRect, DstBmp, SrcBmp, area))
        return;
    ForEachShared(DstBmp, SrcBmp, area, [&](uint32_t& d, uint32_t s, int x, int y, int, int) {
        if (CI.Ready && s == px::KeyPixel) {
            if (UpdateTrans)
                if (const uint32_t* bg = CachePixel(CI, x, y))
                    d = px::WithAlpha(*bg, 255);
            return;
        }
        const int sa = px::A(s);
        d = px::MixRGB(d, s, sa);
        if (sa > 0)
            d = px::WithAlpha(d, px::AddAlpha(px::A(d), sa));
    });
}

void CopyByMask(const TRect& DstRect, const TRect& SrcRect, const TPixelView& DstBmp, const TPixelView& SrcBmp,
                const TCacheView& CI, bool UpdateTrans, int MaskRowOffset)
{
    TCopyArea area;
    if (!SharedArea(DstRect, SrcRect, DstBmp, SrcBmp, area))
        return;
    const uint32_t fill = px::SwapRB(uint32_t(CI.FillColor));
    ForEachShared(DstBmp, SrcBmp, area, [&](uint32_t& d, uint32_t s, int x, int y, int sx, int sy) {
        const uint32_t m = SrcBmp.At(sx, std::clamp(sy + MaskRowOffset, 0, SrcBmp.Height - 1));
        const auto mixed = [&] { return px::ThroughMask(d, s, m); };
        const bool key = s == px::KeyPixel;
        if (CI.Ready && UpdateTrans) {
            d = px::WithAlpha(d, 255);
            if (!key)
                d = mixed();
            else if (const uint32_t* bg = CachePixel(CI, x, y))
                d = px::WithAlpha(*bg, 255);
        } else if (CI.Ready || !key) {
            d = mixed();
        } else if (UpdateTrans) {
            d = fill;
        }
    });
}

void CopyBmp32(const TRect& DstRect, const TRect& SrcRect, const TPixelView& DstBmp, const TPixelView& SrcBmp,
               const TCacheView& CI, bool UpdateTrans, TColor Color, int Blend, bool Reflected)
{
    TCopyArea area;
    if (!SharedArea(DstRect, SrcRect, DstBmp, SrcBmp, area))
        return;
    const bool keepsAlpha = Color == vcl::clNone && Blend == 0 && CI.Ready;
    ForEachShared(DstBmp, SrcBmp, area, [&](uint32_t& d, uint32_t s, int x, int y, int, int) {
        if (CI.Ready && s == px::KeyPixel) {
            if (UpdateTrans)
                if (const uint32_t* bg = CachePixel(CI, x, y))
                    d = px::WithAlpha(*bg, px::A(d));
            return;
        }
        const int sa = px::A(s);
        const int w = std::max(0, Blend != 0 ? sa * (100 - Blend) / 100 : sa);
        d = px::MixRGB(d, Tinted(s, Color), w);
        if (keepsAlpha)
            d = px::WithAlpha(d, std::max(sa, px::A(d)));
    });
    if (Reflected)
        CopyReflection(DstRect, SrcRect, DstBmp, SrcBmp, area, Color, Blend);
}

void CopyTransBitmaps(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TsColor TransColor)
{
    const uint32_t key = px::SwapRB(TransColor.U());
    ForEachInclusive(Dst, X, Y, Src, Src.Bounds(), [key](uint32_t& d, uint32_t s, int, int) {
        if (s != key)
            d = px::WithAlpha(s, 255);
    });
}

void CopyTransRect(const TPixelView& Dst, const TPixelView& Src, int X, int Y, const TRect& SrcRect,
                   TColor TransColor, const TCacheView& CI, bool UpdateTrans)
{
    const uint32_t key = uint32_t(TransColor);
    if (UpdateTrans && CI.Ready && !CI.Bmp.IsEmpty()) {
        const bool intoCache = Dst.Bits == CI.Bmp.Bits;
        ForEachInclusive(Dst, X, Y, Src, SrcRect, [&](uint32_t& d, uint32_t s, int x, int y) {
            if (s != key)
                d = px::WithAlpha(s, 255);
            else if (!intoCache)
                if (const uint32_t* bg = CachePixel(CI, x, y))
                    d = px::WithAlpha(*bg, 255);
        });
    } else if (CI.Ready) {
        ForEachInclusive(Dst, X, Y, Src, SrcRect, [key](uint32_t& d, uint32_t s, int, int) {
            if (s != key)
                d = s;
        });
    } else {
        const uint32_t fill = px::FromColor(CI.FillColor, 255);
        ForEachInclusive(Dst, X, Y, Src, SrcRect,
                         [key, fill](uint32_t& d, uint32_t s, int, int) { d = s == key ? fill : s; });
    }
}

void CopyTransRectA(const TPixelView& Dst, const TPixelView& Src, int X, int Y, const TRect& SrcRect,
                    TColor TransColor)
{
    const uint32_t key = px::FromColor(TransColor, 0);
    ForEachInclusive(Dst, X, Y, Src, SrcRect, [key](uint32_t& d, uint32_t s, int, int) {
        if (s != key)
            d = s;
    });
}

void MakeRotated90(const TPixelView& Src, const TPixelView& Dst, bool Clockwise)
{
    if (Src.IsEmpty() || Dst.Width != Src.Height || Dst.Height != Src.Width)
        return;
    for (int y = 0; y < Src.Height; ++y)
        for (int x = 0; x < Src.Width; ++x) {
            if (Clockwise)
                Dst.At(Src.Height - 1 - y, x) = Src.At(x, y);
            else
                Dst.At(y, Src.Width - 1 - x) = Src.At(x, y);
        }
}

void FadeBmp(const TPixelView& Bmp, const TRect& R, int Transparency, TsColor Color, int Blur, int Radius)
{
    const int w = R.Width(), h = R.Height();
    if (Bmp.IsEmpty() || w <= 0 || h <= 0)
        return;
    TPixelBuffer area(w, h);
    const TPixelView copy = area.View();
    px::CopyPixels(copy, 0, 0, Bmp, R);

    // The mask: white at the edge, grey rings inward down to the grey of the transparency.
    TDibSection mask(w, h);
    const int g = std::min({w / 2, h / 2, Blur}), r = std::min({w / 2, h / 2, Radius});
    const int t = Transparency * 255 / 100;
    const double step = (255 - t) / double(g + 1);
    const HGDIOBJ oldPen = SelectObject(mask.DC(), GetStockObject(NULL_PEN));
    const auto ring = [&](int inset, int radius, int grey) {
        const HBRUSH brush = CreateSolidBrush(RGB(grey, grey, grey));
        const HGDIOBJ oldBrush = SelectObject(mask.DC(), brush);
        RoundRect(mask.DC(), inset, inset, w - inset, h - inset, radius, radius);
        SelectObject(mask.DC(), oldBrush);
        DeleteObject(brush);
    };
    const RECT all = {0, 0, w, h};
    FillRect(mask.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int i = 0; i <= g; ++i)
        ring(i, r, i == 0 ? 255 : int(vcl::Round((g - (i - 1)) * step)) + t);
    ring(g, g, t);
    SelectObject(mask.DC(), oldPen);

    BlendBmpByMask(copy, mask.View(), Color.C);
    px::CopyPixels(Bmp, R.left, R.top, copy, copy.Bounds());
}

}  // namespace skin
