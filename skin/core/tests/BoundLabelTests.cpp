// Where a bound caption's label sits around its control, how its text aligns, and when it wraps.
#include <gtest/gtest.h>

#include "skin/core/sBoundLabel.h"

using namespace skin;
using vcl::TAlignment;
using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

// An edit at (100, 50), 120 x 21.
TEST(BoundLabelPlacement, EachLayoutPlacesTheLabelAroundTheControlAndAlignsItsTextTowardIt)
{
    using enum TsCaptionLayout;
    const TRect edit(100, 50, 220, 71);
    const struct {
        TsCaptionLayout Layout;
        TSize Label;
        int Indent;
        TPoint At;
        TAlignment Alignment;
    } cases[] = {
        {sclLeft, {40, 13}, 0, {56, 53}, TAlignment::taRightJustify},
        {sclLeft, {40, 13}, 3, {53, 53}, TAlignment::taRightJustify},
        {sclTopLeft, {40, 13}, 2, {100, 35}, TAlignment::taLeftJustify},
        {sclTopCenter, {40, 13}, 2, {140, 35}, TAlignment::taCenter},
        {sclTopRight, {40, 13}, 2, {180, 35}, TAlignment::taRightJustify},
        {sclLeftTop, {40, 13}, 2, {54, 53}, TAlignment::taLeftJustify},
        {sclBottomLeft, {40, 13}, 2, {100, 73}, TAlignment::taLeftJustify},
        {sclBottomCenter, {40, 13}, 2, {140, 73}, TAlignment::taCenter},
        {sclBottomRight, {40, 13}, 2, {180, 73}, TAlignment::taRightJustify},
        // Odd differences and labels larger than the edit: halves are cut toward zero.
        {sclLeft, {40, 14}, 0, {56, 52}, TAlignment::taRightJustify},
        {sclLeft, {40, 30}, 0, {56, 45}, TAlignment::taRightJustify},
        {sclTopCenter, {41, 13}, 0, {139, 37}, TAlignment::taCenter},
        {sclBottomCenter, {125, 13}, 0, {98, 71}, TAlignment::taCenter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Layout) << " " << c.Label.cx << " x " << c.Label.cy);
        EXPECT_EQ(BoundLabelPlace(c.Layout, edit, c.Label, c.Indent), c.At);
        EXPECT_EQ(BoundLabelAlignment(c.Layout), c.Alignment);
    }
}

TEST(BoundLabelPlacement, ALabelWrapsFromFourPixelsShortOfItsMaximumWidth)
{
    EXPECT_TRUE(BoundLabelWraps(96, 100));
    EXPECT_TRUE(BoundLabelWraps(100, 100));
    EXPECT_FALSE(BoundLabelWraps(95, 100));
}
