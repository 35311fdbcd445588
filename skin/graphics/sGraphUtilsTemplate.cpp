#include "sGraphUtilsTemplate.h"

#include "skin/graphics/BitmapView.h"

#include <algorithm>

namespace skin {

namespace {

enum TSideMode { smTile = 0, smStretch = 1 };

class TCopyPlan {
public:
    std::vector<TTemplateCopy> Copies;

    // A block copy of w x h from the source point to the destination point.
    void Block(LONG dx, LONG dy, LONG sx, LONG sy, LONG w, LONG h)
    {
        Stretch(vcl::TRect(dx, dy, dx + w, dy + h), vcl::TRect(sx, sy, sx + w, sy + h));
    }

    void Stretch(const vcl::TRect& dest, const vcl::TRect& source)
    {
        if (!dest.IsEmpty() && !source.IsEmpty())
            Copies.push_back({dest, source});
    }

    // Lays a piece along [start, end): full pieces while they fit before end - length, then
    // one last piece cut to what remains (the leading part of the source piece).
    template <typename Lay>
    static void TileRun(LONG start, LONG end, LONG length, Lay lay)
    {
        if (length <= 0)
            return;
        LONG position = start;
        for (; position < end - length; position += length)
            lay(position, length);
        if (position < end)
            lay(position, end - position);
    }
};

}  // namespace

std::vector<TTemplateCopy> TemplateCopies(const vcl::TRect& D, const vcl::TRect& S, const vcl::TRect& M,
                                          const vcl::TRect& B, const vcl::TRect& Modes, bool CenterStretch,
                                          bool FillCenter)
{
    const LONG dL = std::min(M.left, B.left), dT = std::min(M.top, B.top);
    const LONG dR = std::min(M.right, B.right), dB = std::min(M.bottom, B.bottom);
    const LONG innerSourceWidth = S.Width() - M.left - M.right, innerSourceHeight = S.Height() - M.top - M.bottom;
    const LONG innerDestWidth = D.Width() - M.left - M.right, innerDestHeight = D.Height() - M.top - M.bottom;
    const LONG cw = std::max<LONG>(0, innerSourceWidth), ch = std::max<LONG>(0, innerSourceHeight);
    TCopyPlan plan;

    // Corners: the band along the outer edge, then the rest of the margin when the band is thinner.
    plan.Block(D.left, D.top, S.left, S.top, M.left, dT);
    if (dT < M.top)
        plan.Block(D.left, D.top + dT, S.left, S.top + dT, dL, M.top - dT);
    plan.Block(D.left, D.bottom - dB, S.left, S.bottom - dB, M.left, dB);
    if (dB < M.bottom)
        plan.Block(D.left, D.bottom - M.bottom, S.left, S.bottom - M.bottom, dL, M.bottom - dB);
    plan.Block(D.right - M.right, D.top, S.right - M.right, S.top, M.right, dT);
    if (dT < M.top)
        plan.Block(D.right - dR, D.top + dT, S.right - dR, S.top + dT, dR, M.top - dT);
    plan.Block(D.right - M.right, D.bottom - dB, S.right - M.right, S.bottom - dB, M.right, dB);
    if (dB < M.bottom)
        plan.Block(D.right - dR, D.bottom - M.bottom, S.right - dR, S.bottom - M.bottom, dR, M.bottom - dB);

    // Sides: left, top, right, bottom.
    auto verticalSide = [&](LONG mode, LONG destX, LONG sourceX, LONG width) {
        if (ch <= 0)
            return;
        if (mode == smTile)
            TCopyPlan::TileRun(D.top + M.top, D.bottom - M.bottom, ch, [&](LONG y, LONG h) {
                plan.Block(destX, y, sourceX, S.top + M.top, width, h);
            });
        else if (mode == smStretch)
            plan.Stretch(vcl::TRect(destX, D.top + M.top, destX + width, D.top + M.top + innerDestHeight),
                         vcl::TRect(sourceX, S.top + M.top, sourceX + width, S.top + M.top + innerSourceHeight));
    };
    auto horizontalSide = [&](LONG mode, LONG destY, LONG sourceY, LONG height) {
        if (cw <= 0)
            return;
        if (mode == smTile)
            TCopyPlan::TileRun(D.left + M.left, D.right - M.right, cw, [&](LONG x, LONG w) {
                plan.Block(x, destY, S.left + M.left, sourceY, w, height);
            });
        else if (mode == smStretch)
            plan.Stretch(vcl::TRect(D.left + M.left, destY, D.left + M.left + innerDestWidth, destY + height),
                         vcl::TRect(S.left + M.left, sourceY, S.left + M.left + innerSourceWidth, sourceY + height));
    };
    verticalSide(Modes.left, D.left, S.left, dL);
    horizontalSide(Modes.top, D.top, S.top, dT);
    verticalSide(Modes.right, D.right - dR, S.right - dR, dR);
    horizontalSide(Modes.bottom, D.bottom - dB, S.bottom - dB, dB);

    // Centre.
    if (FillCenter) {
        const LONG destX = D.left + M.left, destY = D.top + M.top;
        const LONG sourceX = S.left + M.left, sourceY = S.top + M.top;
        if (CenterStretch) {
            plan.Stretch(vcl::TRect(destX, destY, destX + innerDestWidth, destY + innerDestHeight),
                         vcl::TRect(sourceX, sourceY, sourceX + innerSourceWidth, sourceY + innerSourceHeight));
        } else if (cw > 0 && ch > 0) {
            TCopyPlan::TileRun(destX, D.right - M.right, cw, [&](LONG x, LONG w) {
                TCopyPlan::TileRun(destY, D.bottom - M.bottom, ch,
                                   [&](LONG y, LONG h) { plan.Block(x, y, sourceX, sourceY, w, h); });
            });
        }
    }
    return plan.Copies;
}

void PaintControlByTemplate(HDC Dst, HDC Src, const vcl::TRect& DstRect, const vcl::TRect& SrcRect,
                            const vcl::TRect& Margins, const vcl::TRect& Bands, const vcl::TRect& Modes,
                            bool CenterStretch, bool FillCenter)
{
    SetStretchBltMode(Dst, COLORONCOLOR);
    for (const TTemplateCopy& c : TemplateCopies(DstRect, SrcRect, Margins, Bands, Modes, CenterStretch, FillCenter)) {
        const vcl::TRect& d = c.Dest;
        const vcl::TRect& s = c.Source;
        if (d.Width() == s.Width() && d.Height() == s.Height())
            BitBlt(Dst, d.left, d.top, d.Width(), d.Height(), Src, s.left, s.top, SRCCOPY);
        else
            StretchBlt(Dst, d.left, d.top, d.Width(), d.Height(), Src, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
    }
}

void PaintControlByTemplate(vcl::TBitmap* Dst, vcl::TBitmap* Src, const vcl::TRect& DstRect, const vcl::TRect& SrcRect,
                            const vcl::TRect& Margins, const vcl::TRect& Bands, const vcl::TRect& Modes,
                            bool CenterStretch, bool FillCenter)
{
    const TCanvasLock dst(Dst->Canvas()), src(Src->Canvas());
    PaintControlByTemplate(Dst->Canvas()->Handle(), Src->Canvas()->Handle(), DstRect, SrcRect, Margins, Bands, Modes,
                           CenterStretch, FillCenter);
}

}  // namespace skin
