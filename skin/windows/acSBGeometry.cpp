#include "skin/windows/acSBGeometry.h"

#include <algorithm>

namespace skin {

using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

namespace {

// A measure of 0 or more in pixels, -k as k times the system's Unit.
int ScaledMeasure(int Measure, int Unit) { return Measure >= 0 ? Measure : -Measure * Unit; }

// Swaps x and y: a standing bar is laid out as a lying one.
TRect Turned(const TRect& R) { return TRect(R.top, R.left, R.bottom, R.right); }
TPoint Turned(const TPoint& P) { return TPoint(P.y, P.x); }
TSize Turned(const TSize& S) { return TSize(S.cy, S.cx); }

// The lying layout turned back for a standing bar.
TBarPaintLayout Oriented(bool Vertical, TBarPaintLayout Layout)
{
    if (Vertical)
        for (TRect* r : {&Layout.TrackBefore, &Layout.TrackAfter, &Layout.FirstArrow, &Layout.SecondArrow, &Layout.Thumb})
            *r = Turned(*r);
    return Layout;
}

// The lying bar of Length x Thickness with its track split at Mid and its arrows Arrow long.
TBarPaintLayout LyingBar(int Length, int Thickness, int Mid, int Arrow)
{
    TBarPaintLayout layout;
    layout.TrackBefore = TRect(0, 0, Mid, Thickness);
    layout.TrackAfter = TRect(Mid, 0, Length, Thickness);
    layout.FirstArrow = TRect(0, 0, Arrow, Thickness);
    layout.SecondArrow = TRect(Length - Arrow, 0, Length, Thickness);
    return layout;
}

}  // namespace

int BarThickness(const TBarMeasures& Bar, const TScrollMetrics& Metrics)
{
    return ScaledMeasure(Bar.ArrowWidth, Bar.Vertical ? Metrics.VertThickness : Metrics.HorzThickness);
}

int ArrowLength(const TBarMeasures& Bar, const TScrollMetrics& Metrics, int SkinArrow)
{
    return ScaledMeasure(Bar.ArrowLength, std::max(SkinArrow, Metrics.ArrowSize));
}

TRect HorzBarRect(const TScrollFrame& Frame)
{
    TRect r = Frame.Window;
    const TNCEdges& e = Frame.Edges;
    if (Frame.LeftScrollbar) {
        r.left += Frame.VertThickness + e.Left;
        r.right -= e.Right;
    } else {
        r.left += e.Left;
        r.right -= Frame.VertThickness + e.Right;
    }
    r.bottom -= e.Bottom;
    r.top = r.bottom - Frame.HorzThickness;
    return r;
}

TRect VertBarRect(const TScrollFrame& Frame)
{
    TRect r = Frame.Window;
    const TNCEdges& e = Frame.Edges;
    r.top += e.Top;
    r.bottom -= Frame.HorzThickness + e.Bottom;
    if (Frame.LeftScrollbar) {
        r.left += e.Left;
        r.right = r.left + Frame.VertThickness;
    } else {
        r.right -= e.Right;
        r.left = r.right - Frame.VertThickness;
    }
    return r;
}

TRect CornerBoxRect(const TScrollFrame& Frame)
{
    const TRect vert = VertBarRect(Frame);
    const TRect horz = HorzBarRect(Frame);
    return TRect(vert.left, horz.top, vert.right, horz.bottom);
}

TBarRoom PlaceScrollBars(const TRect& Proposed, const TRect& Previous, bool HasHorz, bool HasVert, int HorzThickness,
                         int VertThickness, bool LeftScrollbar)
{
    TBarRoom room;
    room.Client = Previous;
    room.Edges = TNCEdges{Previous.left - Proposed.left, Previous.top - Proposed.top, Proposed.right - Previous.right,
                          Proposed.bottom - Previous.bottom};
    room.HorzVisible = HasHorz && HorzThickness <= Previous.Height();
    if (room.HorzVisible)
        room.Client.bottom -= HorzThickness;
    room.VertVisible = HasVert && VertThickness <= Previous.Width();
    if (room.VertVisible) {
        if (LeftScrollbar)
            room.Client.left += VertThickness;
        else
            room.Client.right -= VertThickness;
    }
    return room;
}

TThumb CalcThumb(const SCROLLINFO& Info, int Start, int Length, int Arrow, int MinSize)
{
    const int range = Info.nMax - Info.nMin + 1;
    const int track = Length - 2 * Arrow;
    int size = 0;
    if (Info.nPage == 0)
        size = Arrow;
    else if (range > 0)
        size = std::max(MulDiv(int(Info.nPage), track, range), MinSize);
    int offset = 0;
    if (range > 0) {
        // A divisor of 0 makes MulDiv answer -1, which the clamp turns into 0.
        offset = MulDiv(Info.nPos - Info.nMin, track - size, range - std::max(int(Info.nPage), 1));
        offset = std::clamp(offset, 0, std::max(track - size, 0));
    }
    return TThumb{size, Start + Arrow + offset};
}

bool IsScrollInfoActive(const SCROLLINFO& Info)
{
    return unsigned(Info.nMax) >= Info.nPage && Info.nMax > Info.nMin && Info.nMax != 0;
}

int BarPartAt(bool Vertical, const TRect& Bar, const TPoint& P, int Arrow, const TThumb& Thumb)
{
    const TRect r = Vertical ? Turned(Bar) : Bar;
    const TPoint p = Vertical ? Turned(P) : P;
    if (p.y < r.top || p.y >= r.bottom)
        return NoPart;
    const int track = r.Width() - 2 * Arrow;
    if (2 * Arrow >= r.Width())
        Arrow = r.Width() / 2;
    if (p.x >= r.left && p.x < r.left + Arrow)
        return FirstArrowPart;
    if (p.x >= r.right - Arrow && p.x < r.right)
        return SecondArrowPart;
    if (Thumb.Size >= track)
        return NoPart;
    if (p.x >= Thumb.Start && p.x < Thumb.Start + Thumb.Size)
        return ThumbPart;
    if (p.x >= r.left + Arrow && p.x < Thumb.Start)
        return TrackBeforePart;
    if (p.x >= Thumb.Start + Thumb.Size && p.x < r.right - Arrow)
        return TrackAfterPart;
    return NoPart;
}

TBarPaintLayout BarPaintLayout(bool Vertical, const TSize& Size, int Arrow, const TThumb& Thumb,
                               const SCROLLINFO& Info, int MinThumb, bool Active)
{
    const TSize s = Vertical ? Turned(Size) : Size;
    const int length = s.cx;
    if (2 * Arrow >= length) {
        const int half = length / 2;
        TBarPaintLayout layout = LyingBar(length, s.cy, half, half);
        // Each arrow takes half. With an odd length a lying bar's second arrow takes the middle
        // pixel too, while a standing bar shows its second track half there.
        layout.SecondArrow.left = Vertical ? length - half : half;
        return Oriented(Vertical, layout);
    }
    TBarPaintLayout layout = LyingBar(length, s.cy, Thumb.Size / 2 + Thumb.Start, Arrow);
    const int track = length - 2 * Arrow;
    const int paintSize = std::max(MulDiv(int(Info.nPage), track, Info.nMax - Info.nMin), MinThumb);
    // A standing bar tests the thumb itself, a lying one the length worked out here.
    const int tested = Vertical ? Thumb.Size : paintSize;
    layout.ThumbShown = Active && tested > 0 && paintSize <= track;
    layout.Thumb = TRect(Thumb.Start, 0, Thumb.Start + Thumb.Size, s.cy);
    return Oriented(Vertical, layout);
}

TBarPaintLayout DraggedBarLayout(bool Vertical, const TSize& Size, int Arrow, const TThumb& Thumb)
{
    const TSize s = Vertical ? Turned(Size) : Size;
    TBarPaintLayout layout = LyingBar(s.cx, s.cy, Thumb.Start + Thumb.Size / 2, Arrow);
    layout.ThumbShown = true;
    layout.Thumb = TRect(Thumb.Start, 0, Thumb.Start + Thumb.Size, s.cy);
    return Oriented(Vertical, layout);
}

int DraggedThumbStart(int Mouse, int Offset, int TrackStart, int TrackEnd, int ThumbSize)
{
    return std::max(std::min(Mouse - Offset, TrackEnd - ThumbSize), TrackStart);
}

int ThumbTrackPosition(const SCROLLINFO& Info, int ThumbStart, int TrackLength, int ThumbSize)
{
    const int range = Info.nMax - Info.nMin;
    if (range < 1)
        return Info.nMin + ThumbStart;
    return Info.nMin + MulDiv(ThumbStart, range - int(Info.nPage) + 1, TrackLength - ThumbSize);
}

WPARAM ScrollMessageWParam(int Code, int Pos)
{
    const unsigned high = unsigned(Pos) < 0xFFFF ? unsigned(Pos) : 0xFFFF;
    return WPARAM(LOWORD(Code)) | WPARAM(high) << 16;
}

bool CornerIsSizeGrip(const TGripPlace& Place, const TRect& Corner, const TNCEdges& Edges, bool LeftScrollbar)
{
    if (Place.ParentHasParent)
        return false;
    if (!Place.HasParent)
        return true;
    const TRect& client = Place.ParentClient;
    if (Corner.bottom + Edges.Bottom != client.bottom)
        return false;
    return LeftScrollbar ? Corner.left - Edges.Left == client.left : Corner.right + Edges.Right == client.right;
}

// ---------------------------------------------------------------------------------------------
// The transparent corners of a wrapper's cache

namespace {

constexpr uint32_t KeyPixel = 0x00FF00FF;

// A colour (0x00BBGGRR) as an opaque pixel (0xAARRGGBB).
uint32_t OpaquePixel(vcl::TColor Colour)
{
    const auto c = uint32_t(Colour);
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

bool IsKey(uint32_t Pixel, bool ColourKeyed)
{
    return ColourKeyed ? (Pixel & 0x00FFFFFF) == KeyPixel : Pixel == KeyPixel;
}

// The piece Size x Size of the image at ImagePart laid on Cache at CachePart.
void FillCornerPiece(const TPixelView& Cache, const TCornerImage& Image, const TCornerBackground& Background,
                     const TPoint& ImagePart, const TPoint& CachePart, const TSize& Size)
{
    for (int y = 0; y < Size.cy; ++y)
        for (int x = 0; x < Size.cx; ++x) {
            const int ix = Image.Origin.x + ImagePart.x + x, iy = Image.Origin.y + ImagePart.y + y;
            const int cx = CachePart.x + x, cy = CachePart.y + y;
            if (!Image.Pixels.Contains(ix, iy) || !Cache.Contains(cx, cy) ||
                !IsKey(Image.Pixels.At(ix, iy), Image.ColourKeyed))
                continue;
            if (!Background.Parent) {
                Cache.At(cx, cy) = OpaquePixel(Background.Fill);
                continue;
            }
            const int px = Background.Offset.x + cx, py = Background.Offset.y + cy;
            if (Background.Parent->Contains(px, py))
                Cache.At(cx, cy) = Background.Parent->At(px, py);
        }
}

}  // namespace

void FillCornerPixels(const TPixelView& Cache, const TCornerImage& Image, const TCornerBackground& Background)
{
    const int w = Image.Size.cx, h = Image.Size.cy;
    const int cw = Cache.Width, ch = Cache.Height;
    FillCornerPiece(Cache, Image, Background, TPoint(0, 0), TPoint(0, 0), TSize(Image.WL, Image.WT));
    FillCornerPiece(Cache, Image, Background, TPoint(0, h - Image.WB), TPoint(0, ch - Image.WB),
                    TSize(Image.WL, Image.WB));
    FillCornerPiece(Cache, Image, Background, TPoint(w - Image.WR, h - Image.WB),
                    TPoint(cw - Image.WR, ch - Image.WB), TSize(Image.WR, Image.WB));
    FillCornerPiece(Cache, Image, Background, TPoint(w - Image.WR, 0), TPoint(cw - Image.WR, 0),
                    TSize(Image.WR, Image.WT));
}

}  // namespace skin
