#include "skin/core/Sborders.h"

#include <algorithm>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

namespace {

// R shrunk by Size on every side, its right and bottom edges never crossing its left and top.
TRect Shrunk(const TRect& R, int Size)
{
    const TRect r(R.left + Size, R.top + Size, R.right - Size, R.bottom - Size);
    return TRect(r.left, r.top, std::max(r.right, r.left), std::max(r.bottom, r.top));
}

// Copies rectangles with their last column and row, as CopyMask takes them.
void CopyPiece(const TRect& Dst, const TRect& Src, const TPixelView& Bmp, TAOR* KeyRuns, const TsMaskData& MaskData,
               bool UseKey)
{
    CopyMask(Dst.left, Dst.top, Dst.right - 1, Dst.bottom - 1, Src.left, Src.top, Src.right - 1, Src.bottom - 1, Bmp,
             KeyRuns, MaskData, UseKey);
}

}  // namespace

void CopyMask(int DX1, int DY1, int DX2, int DY2, int SX1, int SY1, int SX2, int SY2, const TPixelView& Bmp,
              TAOR* KeyRuns, const TsMaskData& MaskData, bool UseKey)
{
    if (DX1 < 0 || DY1 < 0 || DX2 < 0 || DY2 < 0 || Bmp.Width < 2 || Bmp.Height < 2 || !MaskData.Manager)
        return;
    const TPixelView src = ImagePixels(MaskData);
    if (src.IsEmpty())
        return;
    const bool masked = MaskData.MaskType == 1;
    const int maskOffset = MaskData.R.Height() / 2;
    const int first = std::max(0, -SX1);
    const int last = std::min({DX2 - DX1, SX2 - SX1, Bmp.Width - 1 - DX1, src.Width - 1 - SX1});
    for (int k = 0; k <= std::min(DY2 - DY1, SY2 - SY1); ++k) {
        const int dy = DY1 + k, sy = SY1 + k;
        if (dy >= Bmp.Height || sy < 0 || sy >= src.Height || (masked && sy + maskOffset >= src.Height))
            continue;
        uint32_t* d = Bmp.Row(dy) + DX1;
        const uint32_t* s = src.Row(sy) + SX1;
        const uint32_t* m = masked ? src.Row(sy + maskOffset) + SX1 : nullptr;
        for (int i = first; i <= last; ++i)
            if (!UseKey || s[i] != px::KeyPixel)
                d[i] = masked ? px::ThroughMask(d[i], s[i], m[i]) : s[i];
        if (UseKey && KeyRuns)
            px::ForEachKeyRun(s, first, last + 1, [&](int a, int b) {
                KeyRuns->push_back(TRect(DX1 + a, dy, DX1 + b + 1, dy + 1));
            });
    }
}

void PaintRgnBorder(const TPixelView& Bmp, TAOR& KeyRuns, bool Filling, const TsMaskData& MaskData, int State)
{
    const int Wb = Bmp.Width, Hb = Bmp.Height;
    const TPixelView src = ImagePixels(MaskData);
    // An image of mask type -1 has no height to share out among its rows: it paints nothing.
    if (Wb < 2 || Hb < 2 || !MaskData.Manager || src.IsEmpty() || MaskData.MaskType == -1)
        return;
    TRect area = MaskData.R;
    int count = MaskData.ImageCount;
    if (count < 1) {  // one state image over the whole of the image's own bitmap
        if (!MaskData.Bmp)
            return;
        area = src.Bounds();
        count = 1;
    }
    int L = MaskData.WL, Rm = MaskData.WR, T = MaskData.WT, Bm = MaskData.WB;
    FitMargins(Wb, L, Rm);
    FitMargins(Hb, T, Bm);
    const bool masked = MaskData.MaskType != 0;
    const int w = area.Width() / count, h = masked ? area.Height() / (MaskData.MaskType + 1) : area.Height();
    const int cw = std::max(0, w - MaskData.WL - MaskData.WR), ch = std::max(0, h - MaskData.WT - MaskData.WB);
    const int x0 = area.left + std::clamp(State, 0, count - 1) * w, y0 = area.top;
    const bool stretched = MaskData.DrawMode & dmStretch;

    // The sides and the centre repeat the part of the image between its own margins.
    for (TNinePiece p : NinePieces(Bmp.Bounds(), vcl::TPoint(x0, y0), w, h, L, T, Rm, Bm, vcl::TSize(cw, ch))) {
        if (p.Corner()) {
            CopyPiece(p.Dst, p.Src, Bmp, &KeyRuns, MaskData, true);
            continue;
        }
        if (p.Src.IsEmpty() || (p.Place == TPiecePlace::Centre && !(Filling && (MaskData.DrawMode & dmCentre))))
            continue;
        if (stretched) {
            // The right side stretches from just after the middle, not from the image's edge.
            if (p.Place == TPiecePlace::Right)
                p.Src = vcl::Bounds(x0 + L + cw, p.Src.top, p.Src.Width(), p.Src.Height());
            StretchBltMask(p.Dst.left, p.Dst.top, p.Dst.Width(), p.Dst.Height(), p.Src.left, p.Src.top, p.Src.Width(),
                           p.Src.Height(), Bmp, src, masked ? h : 0, p.Place == TPiecePlace::Centre);
            continue;
        }
        ForEachTileSpan(p.Dst.top, p.Dst.bottom, p.Src.Height(), [&](int y, int rows) {
            ForEachTileSpan(p.Dst.left, p.Dst.right, p.Src.Width(), [&](int x, int columns) {
                CopyPiece(TRect(x, y, x + columns, y + rows), p.Src, Bmp, nullptr, MaskData, false);
            });
        });
    }
}

void PaintRgnBorder(const TPixelView& Bmp, HRGN Rgn, bool Filling, const TsMaskData& MaskData, int State)
{
    TAOR runs;
    PaintRgnBorder(Bmp, runs, Filling, MaskData, State);
    if (Rgn)
        SubtractRects(Rgn, runs);
}

TRect PaintBorderFast(HDC DC, const TRect& R, int AddedSize, const TBorderFrame& Frame)
{
    const TColor colour = TColor(vcl::ColorToRGB(Frame.Color));
    if (!Frame.Border || !Frame.Cache) {
        if (AddedSize != 0)
            FillDCBorder(DC, R, AddedSize, AddedSize, AddedSize, AddedSize, colour);
        return Shrunk(R, AddedSize);
    }
    const TsMaskData& b = *Frame.Border;
    const TPixelView cache = PixelsOf(Frame.Cache);
    const TCacheInfo& beneath = Frame.Beneath;
    if (b.MaskType == 1) {  // the border image's soft edges lie over what is beneath
        if (beneath.Ready)
            px::CopyPixels(cache, R.left, R.top, PixelsOf(beneath.Bmp), R.Offsetted(beneath.X, beneath.Y));
        else
            FillDCBorder32(cache, R, b.WL, b.WT, b.WR, b.WB, colour);
    }
    DrawSkinRect(cache, R, CacheView(beneath), b, Frame.State, true);
    const TRect inner(R.left + b.WL, R.top + b.WT, R.right - b.WR, R.bottom - b.WB);
    if (AddedSize == 0)
        return inner;
    const int W = R.Width(), H = R.Height();
    const auto band = [AddedSize](int size, int farMargin, int nearMargin) {
        return std::max(0, std::min(AddedSize, size - farMargin) - nearMargin);
    };
    FillDCBorder32(cache, inner, band(W, b.WR, b.WL), band(H, b.WB, b.WT), band(W, b.WL, b.WR), band(H, b.WT, b.WB),
                   colour);
    const TCanvasLock lock(Frame.Cache->Canvas());
    const HDC cacheDC = Frame.Cache->Canvas()->Handle();
    if (DC != cacheDC)
        BitBltBorder(DC, R.left, R.top, W, H, cacheDC, R.left, R.top, AddedSize);
    return Shrunk(R, AddedSize);
}

TRect PaintBorderFast(HDC DC, const TRect& R, int AddedSize, TsCommonData& SkinData, int State)
{
    TBorderFrame frame;
    frame.Color = GetBGColor(SkinData, State);
    if (vcl::TControl* owner = SkinData.FOwnerControl; owner && owner->Parent()) {
        frame.Beneath = GetParentCache(owner);
        frame.Beneath.X += owner->Left();
        frame.Beneath.Y += owner->Top();
    }
    const TsSkinManager* m = SkinData.SkinManager();
    if (m && m->IsValidImgIndex(SkinData.BorderIndex) && m->IsValidSkinIndex(SkinData.SkinIndex)) {
        frame.Border = &m->ma[size_t(SkinData.BorderIndex)];
        frame.State = std::clamp(State, 0, std::max(SkinData.Section().States - 1, 0));
        InitCacheBmp(SkinData);
        frame.Cache = SkinData.FCacheBmp.get();
    }
    return PaintBorderFast(DC, R, AddedSize, frame);
}

}  // namespace skin
