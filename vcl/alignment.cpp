#include "vcl/alignment.h"

#include <cstddef>

namespace vcl {

namespace {

constexpr TAlign PlacingOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};

// Whether a goes before b among the children of one alignment kind.
bool InsertBefore(const TAlignRect& a, const TAlignRect& b, TAlign align)
{
    switch (align) {
    case TAlign::alTop: return a.Top < b.Top;
    case TAlign::alBottom: return a.Bottom >= b.Bottom;
    case TAlign::alLeft: return a.Left < b.Left;
    case TAlign::alRight: return a.Right >= b.Right;
    default: return false;
    }
}

// The children of one kind in their placing order.
std::vector<int> ChildrenOfKind(const std::vector<TAlignChild>& children, TAlign align, int requester)
{
    auto takesPart = [&](int i) {
        return children[static_cast<size_t>(i)].Visible && children[static_cast<size_t>(i)].Align == align;
    };
    std::vector<int> order;
    if (requester >= 0 && requester < static_cast<int>(children.size()) && takesPart(requester))
        order.push_back(requester);
    for (int i = 0; i < static_cast<int>(children.size()); ++i) {
        if (i == requester || !takesPart(i))
            continue;
        size_t j = 0;
        while (j < order.size() &&
               !InsertBefore(children[static_cast<size_t>(i)].Bounds, children[static_cast<size_t>(order[j])].Bounds,
                             align))
            ++j;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(j), i);
    }
    return order;
}

// Takes the room of one child of kind align from area and gives the child's new bounds.
TAlignRect TakeRoom(TAlignRect& area, const TAlignRect& bounds, TAlign align)
{
    const int w = bounds.Width();
    const int h = bounds.Height();
    switch (align) {
    case TAlign::alTop:
        area.Top += h;
        return {area.Left, area.Top - h, area.Right, area.Top};
    case TAlign::alBottom:
        area.Bottom -= h;
        return {area.Left, area.Bottom, area.Right, area.Bottom + h};
    case TAlign::alLeft:
        area.Left += w;
        return {area.Left - w, area.Top, area.Left, area.Bottom};
    case TAlign::alRight:
        area.Right -= w;
        return {area.Right, area.Top, area.Right + w, area.Bottom};
    default: return area;
    }
}

}  // namespace

std::vector<TAlignPlacement> AlignChildren(TAlignRect& Area, const std::vector<TAlignChild>& Children, int Requester)
{
    std::vector<TAlignPlacement> placements;
    for (TAlign align : PlacingOrder)
        for (int i : ChildrenOfKind(Children, align, Requester))
            placements.push_back({i, TakeRoom(Area, Children[static_cast<size_t>(i)].Bounds, align)});
    return placements;
}

namespace {

// One axis of AnchorBounds: the new start and size.
void AnchorAxis(bool nearSide, bool farSide, int start, int size, int originExtent, int extent, int& newStart,
                int& newSize)
{
    int growth = extent - originExtent;
    newStart = start;
    newSize = size;
    if (nearSide && farSide)
        newSize = size + growth < 0 ? 0 : size + growth;
    else if (farSide)
        newStart = start + growth;
    else if (!nearSide && originExtent > 0)
        newStart = static_cast<int>(static_cast<long long>(start + size / 2) * extent / originExtent) - size / 2;
}

}  // namespace

TAlignRect AnchorBounds(const TAnchorSides& Sides, const TAlignRect& Origin, int OriginWidth, int OriginHeight,
                        int ParentWidth, int ParentHeight)
{
    int left = 0, width = 0, top = 0, height = 0;
    AnchorAxis(Sides.Left, Sides.Right, Origin.Left, Origin.Width(), OriginWidth, ParentWidth, left, width);
    AnchorAxis(Sides.Top, Sides.Bottom, Origin.Top, Origin.Height(), OriginHeight, ParentHeight, top, height);
    return {left, top, left + width, top + height};
}

}  // namespace vcl
