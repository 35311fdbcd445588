// The painters of skin images: nine-part images, glyphs, masked pieces and the corners of a
// control's cache.
#include <algorithm>
#include <array>

#include "skin/core/sCommonData.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TPoint;
using vcl::TRect;

namespace {

constexpr int NormalGlyph = 1;

// A background that is not ready and has no colour: only the mask decides.
const TCacheView NoBackground{};

bool HasMask(const TsMaskData& Mask) { return Mask.MaskType > 0; }

// The rectangle with its right column and bottom row included, as the key copies take it.
TRect Inclusive(const TRect& R) { return TRect(R.left, R.top, R.right - 1, R.bottom - 1); }

void Copy(uint32_t& d, uint32_t s) { d = s; }

// Lays the piece over its destination in rows from the top, each from the left, the last row and
// column cut. A plain image copies whole pixels as a block copy does (a cut piece reads on from the
// piece's start, even past a piece of no width); a masked one goes through its mask and leaves key
// pixels alone.
void TilePiece(const TPixelView& Bmp, const TNinePiece& Piece, const TPixelView& Src, const TsMaskData& MaskData)
{
    const TRect& s = Piece.Src;
    ForEachTileSpan(Piece.Dst.top, Piece.Dst.bottom, s.Height(), [&](int y, int rows) {
        ForEachTileSpan(Piece.Dst.left, Piece.Dst.right, s.Width(), [&](int x, int columns) {
            if (HasMask(MaskData))
                CopyByMask(TRect(x, y, x + columns, y + rows), s, Bmp, Src, NoBackground, false,
                           MaskData.R.Height() / 2);
            else
                px::CopyPixels(Bmp, x, y, Src, TRect(s.left, s.top, s.left + columns, s.top + rows));
        });
    });
}

// The piece brought to the size of Out: copied into a scratch image at least 2 x 2 (a single column
// or row doubled), then resampled with the filter.
void Resample(const TPixelView& Src, const TRect& Piece, const TPixelView& Out, TFilterType Filter)
{
    TPixelBuffer piece(std::max<int>(Piece.Width(), 2), std::max<int>(Piece.Height(), 2));
    const TPixelView view = piece.View();
    px::ForEachStretched(view, view.Bounds(), Src, Piece, Copy);
    Stretch(view, Out, Filter);
}

// Smooth resampling where a plain stretch loses detail: a piece shrinking along one axis only, or
// a centre.
bool ResamplesSmoothly(int DstW, int DstH, int SrcW, int SrcH, bool Centre)
{
    const bool shrinks = (SrcW > DstW && SrcH == DstH) || (SrcW == DstW && SrcH > DstH);
    return (shrinks || Centre) && DstW > 1 && DstH > 1;
}

}  // namespace

std::array<TNinePiece, 9> NinePieces(const TRect& R, const TPoint& Origin, int w, int h, int L, int T, int Rm, int B,
                                     const vcl::TSize& Middle)
{
    const int sx[] = {Origin.x, Origin.x + L, Origin.x + w - Rm, Origin.x + w};
    const int sy[] = {Origin.y, Origin.y + T, Origin.y + h - B, Origin.y + h};
    const int dx[] = {R.left, R.left + L, R.right - Rm, R.right};
    const int dy[] = {R.top, R.top + T, R.bottom - B, R.bottom};
    const auto piece = [&](TPiecePlace place, int column, int row) {
        // The middle column and row of the image end after Middle.
        const int right = column == 1 ? sx[1] + Middle.cx : sx[column + 1];
        const int bottom = row == 1 ? sy[1] + Middle.cy : sy[row + 1];
        return TNinePiece{place, TRect(sx[column], sy[row], right, bottom),
                          TRect(dx[column], dy[row], dx[column + 1], dy[row + 1])};
    };
    using enum TPiecePlace;
    return {piece(TopLeft, 0, 0),    piece(Left, 0, 1),   piece(Top, 1, 0),
            piece(BottomLeft, 0, 2), piece(Bottom, 1, 2), piece(BottomRight, 2, 2),
            piece(TopRight, 2, 0),   piece(Right, 2, 1),  piece(Centre, 1, 1)};
}

void FitMargins(int Size, int& First, int& Last)
{
    if (Size >= First + Last)
        return;
    const int excess = (First + Last - Size) / 2;
    First -= excess;
    Last -= excess;
    if (Size % 2 != 0)
        --Last;
    First = std::max(First, 0);
    Last = std::max(Last, 0);
}

void DrawSkinRect(const TPixelView& Bmp, const TRect& R, const TCacheView& CI, const TsMaskData& MaskData, int State,
                  bool UpdateCorners)
{
    if ((State == 0 && (MaskData.DrawMode & dmNotInNormal)) || R.Width() < 2 || R.Height() < 2 || !MaskData.Manager ||
        MaskData.ImageCount == 0)
        return;
    int L = MaskData.WL, Rm = MaskData.WR, T = MaskData.WT, B = MaskData.WB;
    FitMargins(R.Width(), L, Rm);
    FitMargins(R.Height(), T, B);
    const int w = WidthOfImage(MaskData), h = HeightOfImage(MaskData);
    const TPixelView src = ImagePixels(MaskData);
    if (w - L - Rm < 0 || h - T - B < 0 || src.IsEmpty() || Bmp.IsEmpty())
        return;
    const bool stretched = MaskData.DrawMode & dmStretch;
    const bool cornersShowCI = UpdateCorners && MaskData.CornerType > 0;
    for (const TNinePiece& p :
         NinePieces(R, StateImageOrigin(MaskData, State), w, h, L, T, Rm, B, vcl::TSize(w - L - Rm, h - T - B))) {
        if (p.Place == TPiecePlace::Centre && !(MaskData.DrawMode & dmCentre))
            continue;
        if (p.Corner()) {
            if (HasMask(MaskData))
                CopyByMask(p.Dst, p.Src, Bmp, src, CI, cornersShowCI, MaskData.R.Height() / 2);
            else
                CopyTransRect(Bmp, src, p.Dst.left, p.Dst.top, Inclusive(p.Src), vcl::clFuchsia, CI, cornersShowCI);
        } else if (!stretched) {
            TilePiece(Bmp, p, src, MaskData);
        } else if (HasMask(MaskData)) {
            StretchBltMask(p.Dst.left, p.Dst.top, p.Dst.Width(), p.Dst.Height(), p.Src.left, p.Src.top, p.Src.Width(),
                           p.Src.Height(), Bmp, src, h, p.Place == TPiecePlace::Centre);
        } else {
            px::ForEachStretched(Bmp, p.Dst, src, p.Src, Copy);
        }
    }
}

void StretchBltMask(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                    const TPixelView& Dst, const TPixelView& Src, int MaskOffset, bool Centre)
{
    if (DstX < 0 || DstY < 0 || DstW < 1 || DstH < 1 || Dst.Width < 2 || Dst.Height < 2 || Src.IsEmpty())
        return;
    const TRect dst = vcl::Bounds(DstX, DstY, DstW, DstH), image = vcl::Bounds(SrcX, SrcY, SrcW, SrcH);
    if (MaskOffset == 0) {
        px::ForEachStretched(Dst, dst, Src, image, Copy);
        return;
    }
    if (SrcX < 0 || SrcY < 0 || image.right > Src.Width || image.bottom > Src.Height)
        return;
    const TRect mask = image.Offsetted(0, MaskOffset);
    const TRect area = dst.Intersected(Dst.Bounds());
    if (Centre && SrcW == 1 && SrcH == 1 && mask.top >= 0 && mask.top < Src.Height) {
        // One pixel laid over the whole piece by the red of its mask.
        const uint32_t s = Src.At(SrcX, SrcY);
        const int m = px::R(Src.At(SrcX, mask.top));
        if (m == 255)
            return;
        const uint32_t weight = px::Make(m, m, m, 0);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                uint32_t& d = Dst.At(x, y);
                d = m == 0 ? px::WithAlpha(s, 255) : px::ThroughMask(d, s, weight);
            }
        return;
    }
    TPixelBuffer stretchedImage(DstW, DstH), stretchedMask(DstW, DstH);
    const TPixelView img = stretchedImage.View(), msk = stretchedMask.View();
    if (ResamplesSmoothly(DstW, DstH, SrcW, SrcH, Centre)) {
        Resample(Src, image, img, TFilterType::ftMitchell);
        Resample(Src, mask, msk, TFilterType::ftHermite);
    } else {
        px::ForEachStretched(img, img.Bounds(), Src, image, Copy);
        px::ForEachStretched(msk, msk.Bounds(), Src, mask, Copy);
    }
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            uint32_t& d = Dst.At(x, y);
            d = px::ThroughMask(d, img.At(x - DstX, y - DstY), msk.At(x - DstX, y - DstY));
        }
}

void BlendGlyphByMask(const TRect& DstRect, const TRect& SrcRect, const TPixelView& Dst, const TPixelView& Src,
                      int Mode, const TsMaskData& MaskData)
{
    if (!HasMask(MaskData)) {
        CopyTransRectA(Dst, Src, DstRect.left, DstRect.top, SrcRect, vcl::clFuchsia);
        return;
    }
    const int mh = MaskData.R.Height() / (MaskData.MaskType + 1);
    // Rows and columns of the smaller rectangle, inside Dst and with their mask inside Src.
    int lastRow = std::min<int>({DstRect.bottom - DstRect.top, SrcRect.bottom - SrcRect.top,
                                 Dst.Height - 1 - DstRect.top, Src.Height - 1 - mh - SrcRect.top});
    const int lastColumn = std::min<int>({DstRect.right - DstRect.left, SrcRect.right - SrcRect.left,
                                          Dst.Width - 1 - DstRect.left, Src.Width - 1 - SrcRect.left});
    if (MaskData.ImageCount < 1)  // an image of its own without states: only its first image band
        lastRow = std::min<int>(lastRow, MaskData.R.top + mh - 1 - SrcRect.top);
    const int firstRow = std::max<int>({0, -DstRect.top, -SrcRect.top});
    const int firstColumn = std::max<int>({0, -DstRect.left, -SrcRect.left});
    const auto weight = [Mode](int m) { return Mode == NormalGlyph ? m : m > 154 ? 255 : m + 100; };
    for (int k = firstRow; k <= lastRow; ++k) {
        uint32_t* d = Dst.Row(DstRect.top + k) + DstRect.left;
        const uint32_t* s = Src.Row(SrcRect.top + k) + SrcRect.left;
        const uint32_t* m = Src.Row(SrcRect.top + k + mh) + SrcRect.left;
        for (int i = firstColumn; i <= lastColumn; ++i) {
            if (s[i] == px::KeyPixel || px::R(m[i]) == 255)
                continue;
            const uint32_t w = px::Make(weight(px::B(m[i])), weight(px::G(m[i])), weight(px::R(m[i])), 0);
            d[i] = px::WithAlpha(px::ThroughMask(d[i], s[i], w), px::AddAlpha(px::A(d[i]), 255 - px::R(m[i])));
        }
    }
}

void DrawSkinGlyph(const TPixelView& Bmp, const TPoint& P, int State, int Mode, const TsMaskData& MaskData,
                   const TCacheView& CI)
{
    const int w = WidthOfImage(MaskData), h = HeightOfImage(MaskData);
    if (w <= 0 || h <= 0)
        return;
    const TPoint o = StateImageOrigin(MaskData, State);
    const int cutX = std::max<int>(0, -P.x), cutY = std::max<int>(0, -P.y);
    const TRect src(o.x + cutX, o.y + cutY, o.x + w - 1, o.y + h - 1);
    const TRect dst(P.x + cutX, P.y + cutY, P.x + w - 1, P.y + h - 1);
    if (MaskData.Bmp) {
        const TPixelView own = PixelsOf(MaskData.Bmp.get());
        if (own.Width >= MaskData.R.right && own.Height >= MaskData.R.bottom)
            BlendGlyphByMask(dst, src, Bmp, own, Mode, MaskData);
        return;
    }
    if (!MaskData.Manager || MaskData.ImageCount == 0)
        return;
    const TPixelView master = ImagePixels(MaskData);
    if (HasMask(MaskData))
        BlendGlyphByMask(dst, src, Bmp, master, Mode, MaskData);
    else if (Mode == NormalGlyph)
        CopyTransRect(Bmp, master, dst.left, dst.top, src, vcl::clFuchsia, CI, true);
    else
        BlendTransRectangle(Bmp, dst.left, dst.top, master, src, 0.5, vcl::clFuchsia);
}

void CopyMasterRect(const TRect& DstRect, const TRect& SrcRect, const TPixelView& Dst, const TCacheView& CI,
                    const TsMaskData& MaskData)
{
    if (!MaskData.Manager)
        return;
    const TPixelView master = PixelsOf(MaskData.Manager->MasterBitmap.get());
    const int maskOffset = MaskData.R.Height() / 2;
    px::TCopyArea area;
    if (!px::SharedArea(DstRect, SrcRect, Dst, master, area))
        return;
    area.Height = std::min(area.Height, master.Height - maskOffset - area.SrcY);  // rows whose mask exists
    const bool noColour = CI.FillColor == vcl::clFuchsia;
    const uint32_t fill = px::FromColor(CI.FillColor, 255);
    px::ForEachShared(Dst, master, area, [&](uint32_t& d, uint32_t s, int x, int y, int sx, int sy) {
        if (s != px::KeyPixel) {
            d = px::ThroughMask(d, s, master.At(sx, sy + maskOffset));
        } else if (!noColour) {
            d = fill;
        } else if (CI.Ready) {
            if (const uint32_t* bg = px::CachePixel(CI, x, y))
                d = px::WithAlpha(*bg, 255);
        }
    });
}

void UpdateCorners(const TPixelView& Cache, const vcl::TSize& Size, const TsMaskData& Border, int State,
                   const TCacheView& Background)
{
    const TPixelView src = ImagePixels(Border);
    if (Border.CornerType == 0 || Cache.IsEmpty() || src.IsEmpty())
        return;
    TRect area = Border.R;
    int count = Border.ImageCount, maskType = Border.MaskType;
    if (Border.Bmp && count == 0) {  // an image of its own: three states with a mask over all of it
        area = src.Bounds();
        count = 3;
        maskType = 1;
    }
    if (count < 1)
        return;
    const int w = area.Width() / count, h = maskType > 0 ? area.Height() / (maskType + 1) : area.Height();
    const int x0 = area.left + std::clamp(State, 0, count - 1) * w, y0 = area.top;
    const int W = Size.cx, H = Size.cy;
    const int right = x0 + w - Border.WR, bottom = y0 + h - Border.WB;
    struct TCorner {
        TRect Src;
        TPoint Dst;
    };
    const TCorner corners[] = {
        {vcl::Bounds(x0, y0, Border.WL, Border.WT), TPoint(0, 0)},
        {vcl::Bounds(x0, bottom, Border.WL, Border.WB), TPoint(0, H - Border.WB)},
        {vcl::Bounds(right, bottom, Border.WR, Border.WB), TPoint(W - Border.WR, H - Border.WB)},
        {vcl::Bounds(right, y0, Border.WR, Border.WT), TPoint(W - Border.WR, 0)},
    };
    const bool noColour = !Background.Ready && Background.FillColor == vcl::clFuchsia;
    if (noColour && maskType == 0)
        return;
    const uint32_t fill = px::FromColor(Background.FillColor, 255);
    for (const TCorner& c : corners)
        for (int y = 0; y < c.Src.Height(); ++y)
            for (int x = 0; x < c.Src.Width(); ++x) {
                const int sx = c.Src.left + x, sy = c.Src.top + y, cx = c.Dst.x + x, cy = c.Dst.y + y;
                if (!src.Contains(sx, sy) || src.At(sx, sy) != px::KeyPixel || !Cache.Contains(cx, cy))
                    continue;
                if (!Background.Ready)
                    Cache.At(cx, cy) = fill;
                else if (const uint32_t* bg = px::CachePixel(Background, cx, cy))
                    Cache.At(cx, cy) = px::WithAlpha(*bg, 255);
            }
}

void UpdateCorners(TsCommonData& SkinData, int State)
{
    const TsSkinManager* m = SkinData.SkinManager();
    vcl::TControl* owner = SkinData.FOwnerControl;
    if (!m || !m->IsValidImgIndex(SkinData.BorderIndex) || !SkinData.FCacheBmp || !owner)
        return;
    const TsMaskData& border = m->ma[size_t(SkinData.BorderIndex)];
    if (border.CornerType == 0)
        return;
    TacBGInfo info;
    if (owner->Parent()) {
        GetBGInfo(info, static_cast<vcl::TControl*>(owner->Parent()), false);
    } else if (auto* windowed = dynamic_cast<vcl::TWinControl*>(owner); windowed && windowed->HandleAllocated()) {
        GetBGInfo(info, GetParent(windowed->Handle()), false);
    } else {
        return;
    }
    if (info.BgKind == 2)
        info.Offset = info.Offset + TPoint(owner->Left(), owner->Top());
    UpdateCorners(PixelsOf(SkinData.FCacheBmp.get()), vcl::TSize{owner->Width(), owner->Height()}, border, State,
                  CacheView(BGInfoToCI(info)));
}

}  // namespace skin
