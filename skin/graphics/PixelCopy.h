#pragma once
// Clipped pixel visits and copies shared by the pixel units of the skin library (not a public unit).
#include <algorithm>

#include "skin/graphics/PixelView.h"

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

}  // namespace skin::px
