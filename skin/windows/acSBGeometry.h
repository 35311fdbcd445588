#pragma once
// The arithmetic of the skinned scroll bars and of the wrappers' caches: the thickness and arrow
// length of a bar, the rectangles of the bars and of the box between them, the room they take in a
// window's frame, the thumb, the part of a bar under a point, the parts as a bar is painted, the
// position a dragged thumb stands for, the words of a scroll message, and the corner pixels of a
// wrapper's cache that show the background beneath. Pure functions over scroll information,
// rectangles and the metrics the caller reads from the system; nothing here touches a window.
#include <cstdint>

#include "skin/graphics/PixelView.h"
#include "vcl/system.h"

namespace skin {

// The parts of a bar, numbered as the scroll codes they send; NoPart for none.
constexpr int NoPart = -1;
constexpr int FirstArrowPart = 0;   // SB_LINEUP, SB_LINELEFT
constexpr int SecondArrowPart = 1;  // SB_LINEDOWN, SB_LINERIGHT
constexpr int TrackBeforePart = 2;  // SB_PAGEUP
constexpr int TrackAfterPart = 3;   // SB_PAGEDOWN
constexpr int ThumbPart = 5;        // SB_THUMBTRACK

// What the system says of scroll bars: the thickness of each bar and the length of its arrows.
struct TScrollMetrics {
    int HorzThickness = 0;  // SM_CYHSCROLL
    int VertThickness = 0;  // SM_CXVSCROLL
    int ArrowSize = 0;      // the system's arrow, SM_CXHSCROLL
};

// How one bar measures itself: a value of 0 or more is pixels, -k is k times the system's size.
struct TBarMeasures {
    bool Vertical = false;
    int ArrowLength = -1;
    int ArrowWidth = -1;  // the bar's thickness
};

// The bar's thickness.
int BarThickness(const TBarMeasures& Bar, const TScrollMetrics& Metrics);
// The length of each arrow. SkinArrow is the length of the skin's arrow image when the arrows are
// sized by their images (0 when not): the larger of it and the system's arrow serves then.
int ArrowLength(const TBarMeasures& Bar, const TScrollMetrics& Metrics, int SkinArrow = 0);

// The widths of a window's own frame (border, edge) on each side, outside the bars.
struct TNCEdges {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Where the bars of a window lie: its rectangle, its own frame and the thickness of each bar while
// it takes room (0 while it does not).
struct TScrollFrame {
    vcl::TRect Window;
    TNCEdges Edges;
    int HorzThickness = 0;
    int VertThickness = 0;
    bool LeftScrollbar = false;  // the vertical bar stands at the left
};

// The horizontal bar: along the bottom inside the frame, beside the vertical bar; empty while it
// takes no room.
vcl::TRect HorzBarRect(const TScrollFrame& Frame);
// The vertical bar: along the right (or left) side inside the frame, above the horizontal bar.
vcl::TRect VertBarRect(const TScrollFrame& Frame);
// The box between the two bars, at the vertical bar's side.
vcl::TRect CornerBoxRect(const TScrollFrame& Frame);

// What the bars do to a window's client area: Client is the area the system gave (Previous)
// less the room of each bar the style has and that fits, Edges the window's own frame.
struct TBarRoom {
    vcl::TRect Client;
    TNCEdges Edges;
    bool HorzVisible = false;
    bool VertVisible = false;
};
// The room of the bars, from the window's rectangle (Proposed), the client area the system
// computed without the bars (Previous), the bars the style has and their thickness.
TBarRoom PlaceScrollBars(const vcl::TRect& Proposed, const vcl::TRect& Previous, bool HasHorz, bool HasVert,
                         int HorzThickness, int VertThickness, bool LeftScrollbar);

// The thumb along a bar: its length and where it starts, in the bar's coordinates.
struct TThumb {
    int Size = 0;
    int Start = 0;
};
// The thumb of a bar that starts at Start and is Length long, with arrows of Arrow: as long as an
// arrow without a page, else the page's share of the track (at least MinSize); placed by the
// position within the track. The thumb may come out longer than the track.
TThumb CalcThumb(const SCROLLINFO& Info, int Start, int Length, int Arrow, int MinSize);
// The scroll information allows scrolling: a range above 0 at least a page long, not ending at 0.
bool IsScrollInfoActive(const SCROLLINFO& Info);

// The part of a bar under point P (NoPart outside it): an arrow at either end (each half of a bar
// too short for two arrows), the thumb, the track before or after it; no thumb nor track part
// while the thumb fills the track.
int BarPartAt(bool Vertical, const vcl::TRect& Bar, const vcl::TPoint& P, int Arrow, const TThumb& Thumb);

// The parts of a bar as it is painted, in the bar's bitmap: the two track halves split at the
// thumb's centre, the two arrows and, when it shows, the thumb. A bar too short for two arrows
// shows two halves and no thumb.
struct TBarPaintLayout {
    vcl::TRect TrackBefore;
    vcl::TRect TrackAfter;
    vcl::TRect FirstArrow;
    vcl::TRect SecondArrow;
    bool ThumbShown = false;
    vcl::TRect Thumb;
};
// Size is the bar's, Arrow the painted arrow's length, Thumb placed in the bar's coordinates
// (ThumbStart from the bar's start); Active: the bar may scroll.
TBarPaintLayout BarPaintLayout(bool Vertical, const vcl::TSize& Size, int Arrow, const TThumb& Thumb,
                               const SCROLLINFO& Info, int MinThumb, bool Active);
// The same with a dragged thumb: no thumb test, the thumb where the drag put it.
TBarPaintLayout DraggedBarLayout(bool Vertical, const vcl::TSize& Size, int Arrow, const TThumb& Thumb);

// Where a dragged thumb starts: the mouse less its offset into the thumb, kept within the track.
int DraggedThumbStart(int Mouse, int Offset, int TrackStart, int TrackEnd, int ThumbSize);
// The position a thumb starting ThumbStart pixels into a track TrackLength long stands for: at the
// track's end the last position a page can start at.
int ThumbTrackPosition(const SCROLLINFO& Info, int ThumbStart, int TrackLength, int ThumbSize);

// The WParam of a scroll message: the code, and the position in the high word (0xFFFF for one
// that does not fit).
WPARAM ScrollMessageWParam(int Code, int Pos);

// The corner box of a control is the size grip of its top-level window: a control directly on
// that window whose far corner (the corner box's outer edges plus the window's frame) meets the
// window's client area's corner at the vertical bar's side; always for a top-level window.
struct TGripPlace {
    bool HasParent = false;
    bool ParentHasParent = false;
    vcl::TRect ParentClient;  // the parent's client area, in screen coordinates
};
bool CornerIsSizeGrip(const TGripPlace& Place, const vcl::TRect& Corner, const TNCEdges& Edges, bool LeftScrollbar);

// ---------------------------------------------------------------------------------------------
// The transparent corners of a wrapper's cache

// One state image of a border mask in the bitmap that holds it.
struct TCornerImage {
    TPixelView Pixels;
    vcl::TPoint Origin;  // the state image's top-left corner
    vcl::TSize Size;     // one state image
    int WL = 0, WT = 0, WR = 0, WB = 0;
    bool ColourKeyed = true;  // compare the colour bytes only (an image without masks)
};
// What the transparent pixels show: the parent's picture, the pixel under cache pixel (x, y)
// being Parent's (Offset.x + x, Offset.y + y); without one the plain Fill (an RGB colour, opaque).
struct TCornerBackground {
    const TPixelView* Parent = nullptr;
    vcl::TPoint Offset;
    vcl::TColor Fill = vcl::TColor(0);
};
// Each corner piece of the image laid on the same corner of Cache: where the image holds the key
// colour, Cache takes the background. Pieces are clipped to both bitmaps; parent pixels outside
// the parent's bitmap are left alone.
void FillCornerPixels(const TPixelView& Cache, const TCornerImage& Image, const TCornerBackground& Background);

}  // namespace skin
