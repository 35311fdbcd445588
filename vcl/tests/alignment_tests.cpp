#include "vcl/alignment.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace vcl;

namespace vcl {

void PrintTo(const TAlignRect& r, std::ostream* os)
{
    *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}

void PrintTo(const TAlignPlacement& p, std::ostream* os)
{
    *os << "#" << p.Index << " ";
    PrintTo(p.Bounds, os);
}

}  // namespace vcl

namespace {

TAlignRect Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

TAlignChild Child(TAlign align, TAlignRect bounds, bool visible = true) { return {align, visible, bounds}; }

struct AlignCase {
    std::string Name;
    TAlignRect Area;
    std::vector<TAlignChild> Children;
    int Requester;
    std::vector<TAlignPlacement> Expected;
    TAlignRect Remaining;
};

}  // namespace

TEST(AlignChildren, PlacesEachKindInTurnFromWhatIsLeft)
{
    const TAlign top = TAlign::alTop, bottom = TAlign::alBottom, left = TAlign::alLeft, right = TAlign::alRight,
                 client = TAlign::alClient;
    const AlignCase cases[] = {
        // The main window's bars, listed client first: the order of kinds decides, not the list.
        {"main window bars",
         Box(0, 0, 1016, 565),
         {Child(client, Box(0, 0, 10, 10)), Child(left, Box(0, 0, 450, 10)), Child(bottom, Box(0, 0, 10, 46)),
          Child(bottom, Box(0, 600, 10, 19)), Child(top, Box(0, 0, 10, 46))},
         -1,
         {{4, Box(0, 0, 1016, 46)},
          {3, Box(0, 546, 1016, 19)},
          {2, Box(0, 500, 1016, 46)},
          {1, Box(0, 46, 450, 454)},
          {0, Box(450, 46, 566, 454)}},
         Box(450, 46, 566, 454)},
        {"a hidden bar takes no room and keeps its bounds",
         Box(0, 0, 200, 100),
         {Child(top, Box(0, 0, 50, 30), false), Child(client, Box(0, 0, 1, 1))},
         -1,
         {{1, Box(0, 0, 200, 100)}},
         Box(0, 0, 200, 100)},
        {"unaligned and custom children stay where they are",
         Box(5, 5, 100, 100),
         {Child(TAlign::alNone, Box(1, 2, 3, 4)), Child(TAlign::alCustom, Box(5, 6, 7, 8)),
          Child(right, Box(0, 0, 20, 1))},
         -1,
         {{2, Box(85, 5, 20, 100)}},
         Box(5, 5, 80, 100)},
        {"top children go by their Top, ties by list order",
         Box(0, 0, 100, 100),
         {Child(top, Box(0, 40, 1, 10)), Child(top, Box(0, 5, 1, 20)), Child(top, Box(0, 40, 1, 5))},
         -1,
         {{1, Box(0, 0, 100, 20)}, {0, Box(0, 20, 100, 10)}, {2, Box(0, 30, 100, 5)}},
         Box(0, 35, 100, 65)},
        {"bottom children go by their bottom edge, lowest first",
         Box(0, 0, 100, 100),
         {Child(bottom, Box(0, 10, 1, 10)), Child(bottom, Box(0, 50, 1, 20))},
         -1,
         {{1, Box(0, 80, 100, 20)}, {0, Box(0, 70, 100, 10)}},
         Box(0, 0, 100, 70)},
        {"left and right children take their width from each side",
         Box(0, 0, 100, 50),
         {Child(right, Box(0, 0, 10, 1)), Child(left, Box(30, 0, 15, 1)), Child(left, Box(0, 0, 5, 1)),
          Child(right, Box(90, 0, 20, 1))},
         -1,
         {{2, Box(0, 0, 5, 50)}, {1, Box(5, 0, 15, 50)}, {3, Box(80, 0, 20, 50)}, {0, Box(70, 0, 10, 50)}},
         Box(20, 0, 50, 50)},
        {"the child that asked wins a tie within its kind",
         Box(0, 0, 100, 100),
         {Child(top, Box(0, 0, 1, 10)), Child(top, Box(0, 0, 1, 30))},
         1,
         {{1, Box(0, 0, 100, 30)}, {0, Box(0, 30, 100, 10)}},
         Box(0, 40, 100, 60)},
        {"the child that asked still follows one placed above it",
         Box(0, 0, 100, 100),
         {Child(top, Box(0, 0, 1, 10)), Child(top, Box(0, 50, 1, 30))},
         1,
         {{0, Box(0, 0, 100, 10)}, {1, Box(0, 10, 100, 30)}},
         Box(0, 40, 100, 60)},
        {"a hidden child that asked is not placed",
         Box(0, 0, 100, 100),
         {Child(top, Box(0, 0, 1, 10), false)},
         0,
         {},
         Box(0, 0, 100, 100)},
        {"bars taller than the area overlap and leave a client of negative height",
         Box(0, 0, 100, 40),
         {Child(top, Box(0, 0, 1, 30)), Child(bottom, Box(0, 0, 1, 30)), Child(client, Box(0, 0, 1, 1))},
         -1,
         {{0, Box(0, 0, 100, 30)}, {1, Box(0, 10, 100, 30)}, {2, TAlignRect{0, 30, 100, 10}}},
         TAlignRect{0, 30, 100, 10}},
    };
    for (const AlignCase& c : cases) {
        TAlignRect area = c.Area;
        EXPECT_EQ(AlignChildren(area, c.Children, c.Requester), c.Expected) << c.Name;
        EXPECT_EQ(area, c.Remaining) << c.Name;
    }
}

TEST(AnchorBounds, KeepsTheDistancesOfTheAnchoredSides)
{
    struct Case {
        std::string Name;
        TAnchorSides Sides;
        TAlignRect Expected;
    };
    // A 40 x 20 control at (200, 150) in a 300 x 200 parent that grows to 400 x 260.
    const TAlignRect origin = Box(200, 150, 40, 20);
    const Case cases[] = {
        {"left and top stay", {true, true, false, false}, origin},
        {"right and bottom move with the far edges", {false, false, true, true}, Box(300, 210, 40, 20)},
        {"both sides of an axis stretch it", {true, true, true, true}, Box(200, 150, 140, 80)},
        {"left and right stretch, top stays", {true, true, true, false}, Box(200, 150, 140, 20)},
        // Centre (220, 160) scaled by 4/3 and 13/10 gives (293, 208).
        {"no side keeps the centre's proportional place", {false, false, false, false}, Box(273, 198, 40, 20)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnchorBounds(c.Sides, origin, 300, 200, 400, 260), c.Expected) << c.Name;
}

TEST(AnchorBounds, AShrinkingParentNeverGivesANegativeSize)
{
    EXPECT_EQ(AnchorBounds({true, true, true, true}, Box(10, 10, 50, 30), 100, 100, 20, 20), Box(10, 10, 0, 0));
    EXPECT_EQ(AnchorBounds({false, false, true, true}, Box(60, 60, 30, 30), 100, 100, 50, 50), Box(10, 10, 30, 30));
    // A parent that measured nothing gives no proportion to keep.
    EXPECT_EQ(AnchorBounds({false, false, false, false}, Box(5, 5, 10, 10), 0, 0, 100, 100), Box(5, 5, 10, 10));
}
