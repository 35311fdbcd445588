#pragma once
// The arithmetic of aligned controls, free of windows: which child goes where when aligned
// children take their room from a parent's client area.
#include <vector>

namespace vcl {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };

// A rectangle as the alignment sees it; right and bottom are exclusive.
struct TAlignRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TAlignRect&, const TAlignRect&) = default;
};

// One child of the parent, in the parent's list order (bottom of the z-order first).
struct TAlignChild {
    TAlign Align = TAlign::alNone;
    bool Visible = true;
    TAlignRect Bounds;
};

// Where one child goes: its index in the children and its new bounds.
struct TAlignPlacement {
    int Index = 0;
    TAlignRect Bounds;
    friend bool operator==(const TAlignPlacement&, const TAlignPlacement&) = default;
};

// Places the visible aligned children in Area kind by kind (top, bottom, left, right, then
// client), each taking its room from what is left: top and bottom keep their height, left and
// right their width, a client child takes all that remains. Within a kind the children go by
// their current position (top children by Top, bottom ones by their bottom edge from the bottom,
// and so on), ties by list order; Requester (the child whose change asked for the alignment,
// -1 for none) is placed into its kind's order first. Area is left as the room that remains. The
// placements come in the order they are to be applied.
std::vector<TAlignPlacement> AlignChildren(TAlignRect& Area, const std::vector<TAlignChild>& Children,
                                           int Requester = -1);

// The sides of its parent a control keeps its distance to.
struct TAnchorSides {
    bool Left = true;
    bool Top = true;
    bool Right = false;
    bool Bottom = false;
};

// Where an unaligned child anchored by Sides goes once its parent measures ParentWidth x
// ParentHeight, given its bounds Origin when the parent measured OriginWidth x OriginHeight. Per
// axis: anchored at both sides it keeps both distances and stretches; at the far side only it
// keeps that distance and moves; at the near side only it stays; at neither its centre keeps its
// proportional place. A size never goes below 0.
TAlignRect AnchorBounds(const TAnchorSides& Sides, const TAlignRect& Origin, int OriginWidth, int OriginHeight,
                        int ParentWidth, int ParentHeight);

}  // namespace vcl
