#pragma once
// Clipped pixel visits and copies shared by the pixel units of the skin library (not a public unit).
#include <algorithm>
#include <cstdint>

#include "skin/graphics/PixelOps.h"
#include "skin/graphics/PixelView.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin::px {

// Replaces every pixel p of Bmp by f(p).
template<class F>
void MapPixels(const TPixelView& Bmp, F f)
{
    if (Bmp.IsEmpty())
        return;
    for (int y = 0; y < Bmp.Height; ++y) {
        uint32_t* row = Bmp.Row(y);
        for (int x = 0; x < Bmp.Width; ++x)
            row[x] = f(row[x]);
    }
}

// Visits the part SrcRect of Src, right column and bottom row included and cut to Src, laid with its
// top-left corner at (X, Y) on Dst: f(destination pixel, source pixel, x, y) for every destination
// pixel inside Dst. A negative left or top edge of SrcRect moves the destination on with it.
template<class F>
void ForEachInclusive(const TPixelView& Dst, int X, int Y, const TPixelView& Src, const vcl::TRect& SrcRect, F f)
{
    if (Dst.IsEmpty() || Src.IsEmpty())
        return;
    int left = SrcRect.left, top = SrcRect.top;
    if (left < 0) {
        X -= left;
        left = 0;
    }
    if (top < 0) {
        Y -= top;
        top = 0;
    }
    const int right = std::min<int>({SrcRect.right, Src.Width - 1, left + Dst.Width - 1 - X});
    const int bottom = std::min<int>({SrcRect.bottom, Src.Height - 1, top + Dst.Height - 1 - Y});
    const int firstX = std::max(left, left - X), firstY = std::max(top, top - Y);
    for (int sy = firstY; sy <= bottom; ++sy) {
        const int dy = Y + sy - top;
        uint32_t* d = Dst.Row(dy);
        const uint32_t* s = Src.Row(sy);
        for (int sx = firstX; sx <= right; ++sx) {
            const int dx = X + sx - left;
            f(d[dx], s[sx], dx, dy);
        }
    }
}

// The pixels of SrcRect (right and bottom excluded) copied whole to (X, Y), clipped to both bitmaps.
inline void CopyPixels(const TPixelView& Dst, int X, int Y, const TPixelView& Src, const vcl::TRect& SrcRect)
{
    const vcl::TRect inclusive(SrcRect.left, SrcRect.top, SrcRect.right - 1, SrcRect.bottom - 1);
    ForEachInclusive(Dst, X, Y, Src, inclusive, [](uint32_t& d, uint32_t s, int, int) { d = s; });
}

// The area that two rectangle copies share (the smaller size of the two), clipped to both bitmaps
// and at negative edges, which move both rectangles on.
struct TCopyArea {
    int DstX, DstY, SrcX, SrcY, Width, Height;
};

inline bool SharedArea(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& Dst,
                       const TPixelView& Src, TCopyArea& a)
{
    if (Dst.IsEmpty() || Src.IsEmpty())
        return false;
    a = {DstRect.left, DstRect.top, SrcRect.left, SrcRect.top,
         std::min<int>({DstRect.Width(), SrcRect.Width(), Dst.Width - DstRect.left, Src.Width - SrcRect.left}),
         std::min<int>({DstRect.Height(), SrcRect.Height(), Dst.Height - DstRect.top, Src.Height - SrcRect.top})};
    const auto moveOn = [](int& dst, int& src, int& size) {
        const int cut = -std::min(dst, src);
        if (cut > 0) {
            dst += cut;
            src += cut;
            size -= cut;
        }
    };
    moveOn(a.DstX, a.SrcX, a.Width);
    moveOn(a.DstY, a.SrcY, a.Height);
    return a.Width >= 1 && a.Height >= 1;
}

// f(destination pixel, source pixel, x, y, source x, source y) over a shared area.
template<class F>
void ForEachShared(const TPixelView& Dst, const TPixelView& Src, const TCopyArea& a, F f)
{
    for (int y = 0; y < a.Height; ++y) {
        uint32_t* d = Dst.Row(a.DstY + y) + a.DstX;
        const uint32_t* s = Src.Row(a.SrcY + y) + a.SrcX;
        for (int x = 0; x < a.Width; ++x)
            f(d[x], s[x], a.DstX + x, a.DstY + y, a.SrcX + x, a.SrcY + y);
    }
}

// The background pixel that CI holds beneath destination pixel (x, y); null outside its bitmap.
inline const uint32_t* CachePixel(const TCacheView& CI, int x, int y)
{
    const int cx = CI.X + x, cy = CI.Y + y;
    return CI.Bmp.Contains(cx, cy) ? &CI.Bmp.At(cx, cy) : nullptr;
}

// The part SrcRect of Src brought to the size of DstRect without combining pixels: each
// destination pixel takes the source pixel nearest to its centre. f(destination pixel, source
// pixel) for every destination pixel inside Dst whose source pixel lies inside Src.
template<class F>
void ForEachStretched(const TPixelView& Dst, const vcl::TRect& DstRect, const TPixelView& Src,
                      const vcl::TRect& SrcRect, F f)
{
    const int64_t dw = DstRect.Width(), dh = DstRect.Height(), sw = SrcRect.Width(), sh = SrcRect.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || Dst.IsEmpty() || Src.IsEmpty())
        return;
    const vcl::TRect area = DstRect.Intersected(Dst.Bounds());
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy = SrcRect.top + int((2 * (y - DstRect.top) + 1) * sh / (2 * dh));
        if (sy < 0 || sy >= Src.Height)
            continue;
        uint32_t* d = Dst.Row(y);
        const uint32_t* s = Src.Row(sy);
        for (int x = area.left; x < area.right; ++x) {
            const int sx = SrcRect.left + int((2 * (x - DstRect.left) + 1) * sw / (2 * dw));
            if (sx >= 0 && sx < Src.Width)
                f(d[x], s[sx]);
        }
    }
}

// Calls f(first, last) for every run of key pixels among the columns From to To - 1 of a row,
// left to right; a run reaching To ends there.
template<class F>
void ForEachKeyRun(const uint32_t* Row, int From, int To, F f)
{
    int start = -1;
    for (int x = From; x < To; ++x) {
        if (Row[x] == KeyPixel) {
            if (start < 0)
                start = x;
        } else if (start >= 0) {
            f(start, x - 1);
            start = -1;
        }
    }
    if (start >= 0)
        f(start, To - 1);
}

}  // namespace skin::px
