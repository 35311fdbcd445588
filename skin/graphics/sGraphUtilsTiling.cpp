// Tiling and stretching of skin images into a rectangle.
#include <algorithm>

#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TRect;

namespace {

void Add(std::vector<TTilePiece>& pieces, const TRect& Dst, int SrcWidth, int SrcHeight)
{
    if (!Dst.IsEmpty())
        pieces.push_back({Dst, SrcWidth, SrcHeight});
}

// Tiles of W x H laid from (left, top) over the band up to (right, bottom), the last column and
// row cut; each tile's source as large as its destination.
void AddTiles(std::vector<TTilePiece>& pieces, int left, int top, int right, int bottom, int W, int H)
{
    for (int y = top; y < bottom; y += H)
        for (int x = left; x < right; x += W) {
            const TRect dst(x, y, std::min(x + W, right), std::min(y + H, bottom));
            Add(pieces, dst, dst.Width(), dst.Height());
        }
}

// Masked images are tiled only in modes 0 and 10.
bool TilesMasked(int W, int H, TacFillMode FillMode)
{
    return W > 0 && H > 0 && (FillMode == TacFillMode::Tile || FillMode == TacFillMode::WholeTiles);
}

}  // namespace

std::vector<TTilePiece> PlanTiles(TRect& R, int W, int H, TacFillMode FillMode)
{
    std::vector<TTilePiece> pieces;
    if (W <= 0 || H <= 0 || R.IsEmpty())
        return pieces;
    const TRect r = R;
    switch (FillMode) {
    case TacFillMode::Stretch:
        Add(pieces, r, W, H);
        R = NothingLeft;
        break;
    case TacFillMode::StretchTop:
        Add(pieces, TRect(r.left, r.top, r.right, r.top + H), W, H);
        R.top = r.top + H;
        break;
    case TacFillMode::StretchLeft:
        Add(pieces, TRect(r.left, r.top, r.left + W, r.bottom), W, H);
        R.left = r.left + W;
        break;
    case TacFillMode::WholeTiles: {
        const int columns = r.Width() / W, rows = r.Height() / H;
        const int lastX = r.left + columns * W;
        AddTiles(pieces, r.left, r.top, lastX, r.top + rows * H, W, H);
        AddTiles(pieces, lastX, r.top, r.right, r.top + rows * H, W, H);
        R = NothingLeft;
        break;
    }
    case TacFillMode::Tile:
        AddTiles(pieces, r.left, r.top, r.right, r.bottom, W, H);
        R = NothingLeft;
        break;
    case TacFillMode::TopRow:
        for (int x = r.left; x < r.right; x += W)
            Add(pieces, TRect(x, r.top, std::min<int>(x + W, r.right), r.bottom), std::min<int>(W, r.right - x),
                r.Height());
        R.top = r.top + H;
        break;
    case TacFillMode::LeftColumn:
        for (int y = r.top; y < r.bottom; y += H)
            Add(pieces, TRect(r.left, y, r.right, std::min<int>(y + H, r.bottom)), r.Width(),
                std::min<int>(H, r.bottom - y));
        R.left = r.left + W;
        break;
    case TacFillMode::BottomRow:
        AddTiles(pieces, r.left, r.bottom - H, r.right, r.bottom, W, H);
        R.bottom = r.bottom - H;
        break;
    default:
        AddTiles(pieces, r.right - W, r.top, r.right, r.bottom, W, H);
        R.right = r.right - W;
        break;
    }
    return pieces;
}

void TileBitmap(HDC DC, TRect& R, HDC SrcDC, const TRect& Image, TacFillMode FillMode)
{
    const std::vector<TTilePiece> pieces = PlanTiles(R, Image.Width(), Image.Height(), FillMode);
    const int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
    for (const TTilePiece& p : pieces) {
        if (p.SrcWidth == p.Dst.Width() && p.SrcHeight == p.Dst.Height())
            BitBlt(DC, p.Dst.left, p.Dst.top, p.SrcWidth, p.SrcHeight, SrcDC, Image.left, Image.top, SRCCOPY);
        else
            StretchBlt(DC, p.Dst.left, p.Dst.top, p.Dst.Width(), p.Dst.Height(), SrcDC, Image.left, Image.top,
                       p.SrcWidth, p.SrcHeight, SRCCOPY);
    }
    SetStretchBltMode(DC, oldMode);
}

TMaskedTiles PlanMaskedTiles(const TRect& R, int W, int H, TacFillMode FillMode)
{
    TMaskedTiles plan;
    if (!TilesMasked(W, H, FillMode))
        return plan;
    // Whole tiles stand where a tile ends before the far edge; the first place that fails starts the rest.
    int lastX = R.left, lastY = R.top;
    while (lastX < R.right - W)
        lastX += W;
    while (lastY < R.bottom - H)
        lastY += H;
    const auto add = [&](const TRect& dst) {
        if (!dst.IsEmpty())
            plan.Pieces.push_back({dst, dst.Width(), dst.Height()});
    };
    for (int x = R.left; x < lastX; x += W) {
        for (int y = R.top; y < lastY; y += H)
            add(TRect(x, y, x + W, y + H));
        if (FillMode == TacFillMode::Tile)
            add(TRect(x, lastY, x + W, R.bottom));
    }
    if (FillMode == TacFillMode::Tile) {
        for (int y = R.top; y < lastY; y += H)
            add(TRect(lastX, y, R.right, y + H));
        add(TRect(lastX, lastY, R.right, R.bottom));
    } else {
        for (const TRect& band : {TRect(R.left, lastY, R.right, R.bottom), TRect(lastX, R.top, R.right, R.bottom)})
            if (!band.IsEmpty())
                plan.Background.push_back(band);
    }
    return plan;
}

void TileMasked(const TPixelView& Bmp, TRect& R, const TCacheView& CI, int W, int H, TacFillMode FillMode,
                const TMaskedPieceCopy& CopyPiece)
{
    if (!TilesMasked(W, H, FillMode))
        return;
    const TMaskedTiles plan = PlanMaskedTiles(R, W, H, FillMode);
    for (const TTilePiece& p : plan.Pieces)
        CopyPiece(p.Dst, TRect(0, 0, p.SrcWidth, p.SrcHeight));
    for (const TRect& band : plan.Background) {
        if (CI.Ready)
            px::CopyPixels(Bmp, band.left, band.top, CI.Bmp, band.Offsetted(CI.X, CI.Y));
        else
            FillRect32(Bmp, band, CI.FillColor);
    }
    R = NothingLeft;
}

}  // namespace skin
