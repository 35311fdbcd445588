// The arithmetic of the skinned scroll bars and of the wrappers' corner pixels as tables, with a
// system whose bars are 17 thick with arrows of 17.
#include <gtest/gtest.h>

#include "skin/windows/acSBGeometry.h"

using namespace skin;
using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

namespace {

constexpr TScrollMetrics System17{17, 17, 17};

SCROLLINFO Info(int Min, int Max, UINT Page, int Pos)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    info.nMin = Min;
    info.nMax = Max;
    info.nPage = Page;
    info.nPos = Pos;
    return info;
}

}  // namespace

TEST(ScrollMetrics, MeasuresArePixelsOrMultiplesOfTheSystemsAndArrowsMayFollowTheSkinsImage)
{
    EXPECT_EQ(ArrowLength({false, -1, -1}, System17), 17);
    EXPECT_EQ(ArrowLength({false, -2, -1}, System17), 34);
    EXPECT_EQ(ArrowLength({false, 0, -1}, System17), 0);
    EXPECT_EQ(ArrowLength({true, 9, -1}, System17), 9);
    EXPECT_EQ(BarThickness({false, -1, -1}, {15, 21, 17}), 15) << "a lying bar: SM_CYHSCROLL";
    EXPECT_EQ(BarThickness({true, -1, -2}, {15, 21, 17}), 42) << "a standing bar: SM_CXVSCROLL";
    EXPECT_EQ(BarThickness({true, -1, 6}, System17), 6);
    // An arrow image 25 wide serves painting; a smaller one leaves the system's arrow.
    EXPECT_EQ(ArrowLength({false, -1, -1}, System17, 25), 25);
    EXPECT_EQ(ArrowLength({false, -2, -1}, System17, 25), 50);
    EXPECT_EQ(ArrowLength({false, -1, -1}, System17, 12), 17);
}

TEST(ScrollFrame, BarsLieInsideTheFrameAndStopShortOfTheirCornerBox)
{
    TScrollFrame frame;
    frame.Window = TRect(100, 100, 300, 250);
    frame.Edges = {2, 2, 2, 2};
    frame.HorzThickness = frame.VertThickness = 17;
    EXPECT_EQ(HorzBarRect(frame), TRect(102, 231, 281, 248));
    EXPECT_EQ(VertBarRect(frame), TRect(281, 102, 298, 231));
    EXPECT_EQ(CornerBoxRect(frame), TRect(281, 231, 298, 248));

    frame.LeftScrollbar = true;
    EXPECT_EQ(HorzBarRect(frame), TRect(119, 231, 298, 248)) << "after the vertical bar";
    EXPECT_EQ(VertBarRect(frame), TRect(102, 102, 119, 231));
    EXPECT_EQ(CornerBoxRect(frame), TRect(102, 231, 119, 248));

    frame.LeftScrollbar = false;
    frame.VertThickness = 0;
    EXPECT_EQ(HorzBarRect(frame), TRect(102, 231, 298, 248)) << "alone: the whole width";
    frame.HorzThickness = 0;
    EXPECT_TRUE(HorzBarRect(frame).IsEmpty()) << "hidden: empty";
}

TEST(ScrollFrame, BarsTakeTheirRoomFromWhatTheSystemLeftWhereTheyFit)
{
    const TRect window(0, 0, 200, 100);
    const TRect inset(2, 2, 198, 98);
    const struct {
        bool Horz, Vert, Left;
        TRect Client;
        bool HorzVisible, VertVisible;
    } cases[] = {
        {true, true, false, TRect(2, 2, 181, 81), true, true},
        {false, true, true, TRect(19, 2, 198, 98), false, true},
        {true, false, false, TRect(2, 2, 198, 81), true, false},
        {false, false, false, inset, false, false},
    };
    for (const auto& c : cases) {
        const TBarRoom room = PlaceScrollBars(window, inset, c.Horz, c.Vert, 17, 17, c.Left);
        EXPECT_EQ(room.Client, c.Client) << c.Horz << c.Vert << c.Left;
        EXPECT_EQ(room.HorzVisible, c.HorzVisible);
        EXPECT_EQ(room.VertVisible, c.VertVisible);
        EXPECT_EQ(room.Edges.Left, 2);
        EXPECT_EQ(room.Edges.Bottom, 2);
    }
    // A window 15 high keeps its horizontal bar hidden; a bar exactly as thick as the room fits.
    const TBarRoom low = PlaceScrollBars(TRect(0, 0, 200, 15), TRect(2, 2, 198, 13), true, false, 17, 17, false);
    EXPECT_FALSE(low.HorzVisible);
    EXPECT_EQ(low.Client, TRect(2, 2, 198, 13));
    EXPECT_TRUE(PlaceScrollBars(TRect(0, 0, 200, 21), TRect(2, 2, 198, 19), true, false, 17, 17, false).HorzVisible);
}

TEST(Thumb, ItsLengthIsThePagesShareOfTheTrackAndItsPlaceThePositions)
{
    const struct {
        SCROLLINFO Info;
        int Size, Start;
    } cases[] = {
        {Info(0, 99, 10, 0), 20, 17},
        {Info(0, 99, 10, 90), 20, 197},   // the last position a page starts at: against the second arrow
        {Info(0, 99, 10, 45), 20, 107},
        {Info(0, 999, 1, 0), 10, 17},     // raised to the smallest thumb
        {Info(0, 99, 0, 50), 17, 109},    // no page: as long as an arrow
        {Info(5, 5, 0, 5), 17, 17},       // nothing to scroll
        {Info(0, -1, 10, 0), 0, 17},      // no range: no thumb
        {Info(0, 99, 10, 200), 20, 197},  // beyond the end: kept on the track
    };
    for (const auto& c : cases) {
        const TThumb thumb = CalcThumb(c.Info, 0, 234, 17, 10);
        EXPECT_EQ(thumb.Size, c.Size) << c.Info.nMax << " page " << c.Info.nPage << " pos " << c.Info.nPos;
        EXPECT_EQ(thumb.Start, c.Start) << c.Info.nMax << " page " << c.Info.nPage << " pos " << c.Info.nPos;
    }
    EXPECT_EQ(CalcThumb(Info(0, 99, 10, 0), 40, 234, 17, 10).Start, 57) << "from the bar's start";
}

TEST(Thumb, ABarScrollsOnlyWithARangeAtLeastAPageLong)
{
    const struct {
        SCROLLINFO Info;
        bool Active;
    } cases[] = {
        {Info(0, 100, 10, 0), true},  {Info(5, 5, 0, 5), false},      {Info(0, 10, 20, 0), false},
        {Info(0, 100, 0xFFFFFFFF, 0), false}, {Info(-10, 0, 5, 0), false}, {Info(0, 10, 10, 0), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsScrollInfoActive(c.Info), c.Active) << c.Info.nMin << ".." << c.Info.nMax << " page " << c.Info.nPage;
}

TEST(BarParts, ThePartUnderAPointAlongALyingAndAStandingBar)
{
    // 0..199, page 20, position 33: the thumb is 20 long from 50.
    const SCROLLINFO info = Info(0, 199, 20, 33);
    const TRect lying(0, 0, 234, 17);
    const TThumb thumb = CalcThumb(info, 0, 234, 17, 10);
    const struct {
        int X, Part;
    } cases[] = {{16, FirstArrowPart}, {17, TrackBeforePart}, {50, ThumbPart}, {69, ThumbPart},
                 {70, TrackAfterPart}, {217, SecondArrowPart}, {234, NoPart}, {-1, NoPart}};
    for (const auto& c : cases) {
        EXPECT_EQ(BarPartAt(false, lying, TPoint(c.X, 8), 17, thumb), c.Part) << "x " << c.X;
        EXPECT_EQ(BarPartAt(true, TRect(0, 0, 17, 234), TPoint(8, c.X), 17, thumb), c.Part) << "y " << c.X;
    }
    EXPECT_EQ(BarPartAt(false, lying, TPoint(100, 17), 17, thumb), NoPart) << "below the bar";
    EXPECT_EQ(BarPartAt(true, TRect(0, 0, 17, 234), TPoint(17, 100), 17, thumb), NoPart) << "beside the bar";
}

TEST(BarParts, AShortBarIsTwoArrowHalvesAndAFullThumbLeavesNoTrack)
{
    const TThumb none = CalcThumb(Info(0, 9, 10, 0), 0, 20, 17, 10);
    EXPECT_EQ(BarPartAt(false, TRect(0, 0, 20, 17), TPoint(9, 5), 17, none), FirstArrowPart);
    EXPECT_EQ(BarPartAt(false, TRect(0, 0, 20, 17), TPoint(10, 5), 17, none), SecondArrowPart);
    // Two pixels between the arrows and a thumb longer than them: nothing there.
    const TRect bar(0, 0, 36, 17);
    const TThumb thumb = CalcThumb(Info(0, 99, 10, 0), 0, 36, 17, 10);
    ASSERT_GT(thumb.Size, 2);
    EXPECT_EQ(BarPartAt(false, bar, TPoint(17, 5), 17, thumb), NoPart);
    EXPECT_EQ(BarPartAt(false, bar, TPoint(18, 5), 17, thumb), NoPart);
}

TEST(BarPainting, TheArrowsAtTheEndsTheThumbWhereItStandsTheTrackSplitAtItsCentre)
{
    const SCROLLINFO info = Info(0, 99, 10, 45);
    const TThumb thumb = CalcThumb(info, 0, 234, 17, 10);
    const TBarPaintLayout lying = BarPaintLayout(false, TSize(234, 17), 17, thumb, info, 10, true);
    EXPECT_EQ(lying.FirstArrow, TRect(0, 0, 17, 17));
    EXPECT_EQ(lying.SecondArrow, TRect(217, 0, 234, 17));
    ASSERT_TRUE(lying.ThumbShown);
    EXPECT_EQ(lying.Thumb, TRect(107, 0, 127, 17));
    EXPECT_EQ(lying.TrackBefore, TRect(0, 0, 117, 17));
    EXPECT_EQ(lying.TrackAfter, TRect(117, 0, 234, 17));

    const TBarPaintLayout standing = BarPaintLayout(true, TSize(17, 234), 17, thumb, info, 10, true);
    EXPECT_EQ(standing.FirstArrow, TRect(0, 0, 17, 17));
    EXPECT_EQ(standing.SecondArrow, TRect(0, 217, 17, 234));
    EXPECT_EQ(standing.Thumb, TRect(0, 107, 17, 127));
    EXPECT_EQ(standing.TrackAfter, TRect(0, 117, 17, 234));

    EXPECT_FALSE(BarPaintLayout(false, TSize(234, 17), 17, thumb, info, 10, false).ThumbShown) << "inactive";
    // Painted arrows of 25 (the skin's images) with the thumb placed by the system's 17.
    const TBarPaintLayout images = BarPaintLayout(false, TSize(234, 17), 25, thumb, info, 10, true);
    EXPECT_EQ(images.FirstArrow, TRect(0, 0, 25, 17));
    EXPECT_EQ(images.Thumb, TRect(107, 0, 127, 17));
}

TEST(BarPainting, ABarOfTwiceAnArrowOrLessShowsTwoHalvesAndNoThumb)
{
    const SCROLLINFO info = Info(0, 99, 10, 0);
    const TBarPaintLayout two = BarPaintLayout(false, TSize(2, 17), 17, CalcThumb(info, 0, 2, 17, 10), info, 10, true);
    EXPECT_FALSE(two.ThumbShown);
    EXPECT_EQ(two.FirstArrow, TRect(0, 0, 1, 17));
    EXPECT_EQ(two.SecondArrow, TRect(1, 0, 2, 17));
    const TBarPaintLayout exact = BarPaintLayout(false, TSize(34, 17), 17, CalcThumb(info, 0, 34, 17, 10), info, 10, true);
    EXPECT_FALSE(exact.ThumbShown);
    EXPECT_EQ(exact.SecondArrow, TRect(17, 0, 34, 17));
    // One pixel of track: the normal layout, still no room for a thumb.
    const TBarPaintLayout one = BarPaintLayout(false, TSize(35, 17), 17, CalcThumb(info, 0, 35, 17, 10), info, 10, true);
    EXPECT_FALSE(one.ThumbShown);
    EXPECT_EQ(one.SecondArrow, TRect(18, 0, 35, 17));
    // An odd standing bar leaves its middle row to the second track half.
    const TBarPaintLayout odd = BarPaintLayout(true, TSize(17, 25), 17, CalcThumb(info, 0, 25, 17, 10), info, 10, true);
    EXPECT_EQ(odd.FirstArrow, TRect(0, 0, 17, 12));
    EXPECT_EQ(odd.SecondArrow, TRect(0, 13, 17, 25));
    EXPECT_EQ(odd.TrackAfter, TRect(0, 12, 17, 25));
}

TEST(ThumbDrag, TheThumbStaysOnTheTrackAndItsEndIsTheLastPagesStart)
{
    EXPECT_EQ(DraggedThumbStart(500, 5, 17, 217, 20), 197);
    EXPECT_EQ(DraggedThumbStart(-50, 5, 17, 217, 20), 17);
    EXPECT_EQ(DraggedThumbStart(100, 5, 17, 217, 20), 95);
    const SCROLLINFO info = Info(0, 100, 10, 0);
    const struct {
        int Start, Pos;
    } cases[] = {{0, 0}, {181, 91}, {90, 45}, {1, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ThumbTrackPosition(info, c.Start, 200, 19), c.Pos) << c.Start;
    EXPECT_EQ(ThumbTrackPosition(Info(3, 3, 0, 3), 12, 200, 17), 15) << "no range: pixels from the start";
}

TEST(ScrollMessages, ThePositionGoesInTheHighWordWhileItFits)
{
    EXPECT_EQ(ScrollMessageWParam(SB_THUMBTRACK, 91), WPARAM(91) << 16 | SB_THUMBTRACK);
    EXPECT_EQ(ScrollMessageWParam(SB_THUMBTRACK, 70000), WPARAM(0xFFFF) << 16 | SB_THUMBTRACK);
    EXPECT_EQ(ScrollMessageWParam(SB_THUMBTRACK, 0xFFFF), WPARAM(0xFFFF) << 16 | SB_THUMBTRACK);
    EXPECT_EQ(ScrollMessageWParam(SB_LINEDOWN, -1), WPARAM(0xFFFF) << 16 | SB_LINEDOWN);
    EXPECT_EQ(ScrollMessageWParam(SB_ENDSCROLL, 0), WPARAM(SB_ENDSCROLL));
}

TEST(SizeGrip, TheCornerBoxOfAControlMeetingItsFormsClientCornerIsTheGrip)
{
    const TNCEdges edges{2, 2, 2, 2};
    const TRect corner(281, 231, 298, 248);
    TGripPlace onForm{true, false, TRect(0, 0, 300, 250)};
    EXPECT_TRUE(CornerIsSizeGrip(onForm, corner, edges, false));
    EXPECT_FALSE(CornerIsSizeGrip(onForm, TRect(281, 230, 298, 247), edges, false)) << "one pixel up";
    EXPECT_FALSE(CornerIsSizeGrip({true, true, TRect(0, 0, 300, 250)}, corner, edges, false)) << "inside a panel";
    EXPECT_TRUE(CornerIsSizeGrip({false, false, TRect()}, corner, edges, false)) << "a top-level window";
    EXPECT_TRUE(CornerIsSizeGrip({true, false, TRect(100, 0, 300, 250)}, TRect(102, 231, 119, 248), edges, true))
        << "the vertical bar at the left: the left corner";
}

// ---------------------------------------------------------------------------------------------
// The transparent corners of a wrapper's cache

namespace {

constexpr uint32_t Key = 0x00FF00FF;
constexpr uint32_t KeyOpaque = 0xFFFF00FF;
constexpr uint32_t Face = 0xFF102030;

// A border image of two 6 x 4 states side by side, borders of 2: the first pixel of each corner of
// the second state is the key colour, the top-left one with an opaque alpha.
TPixelBuffer CornerMask()
{
    TPixelBuffer mask(12, 4, Face);
    mask.At(6, 0) = KeyOpaque;
    mask.At(11, 0) = Key;
    mask.At(6, 3) = Key;
    mask.At(11, 3) = Key;
    return mask;
}

TCornerImage SecondState(TPixelBuffer& Mask, bool ColourKeyed)
{
    TCornerImage image;
    image.Pixels = Mask.View();
    image.Origin = TPoint(6, 0);
    image.Size = TSize(6, 4);
    image.WL = image.WT = image.WR = image.WB = 2;
    image.ColourKeyed = ColourKeyed;
    return image;
}

}  // namespace

TEST(CornerPixels, KeyPixelsOfTheCornersShowTheParentsPictureAtTheWindowsPlace)
{
    TPixelBuffer mask = CornerMask();
    TPixelBuffer parent(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            parent.At(x, y) = 0xFF000000u | uint32_t(x) << 8 | uint32_t(y);
    TPixelBuffer cache(10, 8, 0xFFAAAAAA);
    const TPixelView parentView = parent.View();
    TCornerBackground background{&parentView, TPoint(5, 7), vcl::TColor(0)};
    FillCornerPixels(cache.View(), SecondState(mask, true), background);
    EXPECT_EQ(cache.At(0, 0), parent.At(5, 7)) << "colour keyed: the opaque key pixel too";
    EXPECT_EQ(cache.At(9, 0), parent.At(14, 7));
    EXPECT_EQ(cache.At(0, 7), parent.At(5, 14));
    EXPECT_EQ(cache.At(9, 7), parent.At(14, 14));
    EXPECT_EQ(cache.At(1, 0), 0xFFAAAAAAu) << "not a key pixel";
    EXPECT_EQ(cache.At(5, 4), 0xFFAAAAAAu) << "not a corner";

    TPixelBuffer whole(10, 8, 0xFFAAAAAA);
    FillCornerPixels(whole.View(), SecondState(mask, false), background);
    EXPECT_EQ(whole.At(0, 0), 0xFFAAAAAAu) << "the whole value compared: an opaque key is no key";
    EXPECT_EQ(whole.At(9, 0), parent.At(14, 7));
}

TEST(CornerPixels, WithoutAPictureTheKeyPixelsTakeTheFillColourAndOutsideTheParentStay)
{
    TPixelBuffer mask = CornerMask();
    TPixelBuffer cache(10, 8, 0xFFAAAAAA);
    FillCornerPixels(cache.View(), SecondState(mask, true), {nullptr, TPoint(), vcl::TColor(0x332211)});
    EXPECT_EQ(cache.At(0, 0), 0xFF112233u);
    EXPECT_EQ(cache.At(9, 7), 0xFF112233u);

    TPixelBuffer small(4, 4, 0xFF010101);
    const TPixelView smallView = small.View();
    TPixelBuffer edge(10, 8, 0xFFAAAAAA);
    FillCornerPixels(edge.View(), SecondState(mask, true), {&smallView, TPoint(0, 0), vcl::TColor(0)});
    EXPECT_EQ(edge.At(0, 0), 0xFF010101u);
    EXPECT_EQ(edge.At(9, 7), 0xFFAAAAAAu) << "beyond the parent's picture";
}
