#include "skin/graphics/sGraphUtilsTemplate.h"

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using vcl::TRect;

namespace {

std::vector<TTemplateCopy> Plan(TRect D, TRect S, TRect M, TRect B, TRect Modes, bool centreStretch = false,
                                bool fillCentre = false)
{
    return TemplateCopies(D, S, M, B, Modes, centreStretch, fillCentre);
}

TTemplateCopy Copy(TRect dest, TRect source)
{
    return {dest, source};
}

std::vector<TRect> Dests(const std::vector<TTemplateCopy>& copies)
{
    std::vector<TRect> out;
    for (const TTemplateCopy& c : copies)
        out.push_back(c.Dest);
    return out;
}

}  // namespace

TEST(TemplatePaint, ThinBandsPaintLShapedCornersAndStretchedSides)
{
    std::vector<TTemplateCopy> expected = {
        Copy({0, 0, 10, 4}, {0, 0, 10, 4}),       Copy({0, 4, 4, 10}, {0, 4, 4, 10}),
        Copy({0, 76, 10, 80}, {0, 26, 10, 30}),   Copy({0, 70, 4, 76}, {0, 20, 4, 26}),
        Copy({90, 0, 100, 4}, {20, 0, 30, 4}),    Copy({96, 4, 100, 10}, {26, 4, 30, 10}),
        Copy({90, 76, 100, 80}, {20, 26, 30, 30}), Copy({96, 70, 100, 76}, {26, 20, 30, 26}),
        Copy({0, 10, 4, 70}, {0, 10, 4, 20}),     Copy({10, 0, 90, 4}, {10, 0, 20, 4}),
        Copy({96, 10, 100, 70}, {26, 10, 30, 20}), Copy({10, 76, 90, 80}, {10, 26, 20, 30}),
    };
    EXPECT_EQ(Plan({0, 0, 100, 80}, {0, 0, 30, 30}, {10, 10, 10, 10}, {4, 4, 4, 4}, {1, 1, 1, 1}), expected);
}

TEST(TemplatePaint, BandsAsThickAsTheMarginsPaintWholeCorners)
{
    std::vector<TTemplateCopy> plan = Plan({0, 0, 100, 80}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10},
                                           {2, 2, 2, 2});
    EXPECT_EQ(Dests(plan), (std::vector<TRect>{{0, 0, 10, 10}, {0, 70, 10, 80}, {90, 0, 100, 10}, {90, 70, 100, 80}}));
}

TEST(TemplatePaint, SideModes)
{
    // Mode 2 on the top leaves it out; the corners stay.
    std::vector<TTemplateCopy> plan = Plan({0, 0, 100, 80}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10},
                                           {1, 2, 1, 1});
    ASSERT_EQ(plan.size(), 7u);
    for (const TTemplateCopy& c : plan)
        EXPECT_FALSE(c.Dest.top == 0 && c.Dest.left == 10) << "top side painted";

    // Margins that leave no centre: no top or bottom side.
    plan = Plan({0, 0, 100, 80}, {0, 0, 20, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}, {1, 1, 1, 1});
    EXPECT_EQ(plan.size(), 6u);
}

TEST(TemplatePaint, TilesEndWithACutPiece)
{
    // A top run of 25 pixels (10 to 35) from pieces of 10.
    std::vector<TTemplateCopy> plan = Plan({0, 0, 45, 30}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10},
                                           {2, 0, 2, 2});
    std::vector<TTemplateCopy> top(plan.begin() + 4, plan.end());
    EXPECT_EQ(top, (std::vector<TTemplateCopy>{Copy({10, 0, 20, 10}, {10, 0, 20, 10}),
                                                Copy({20, 0, 30, 10}, {10, 0, 20, 10}),
                                                Copy({30, 0, 35, 10}, {10, 0, 15, 10})}));
}

TEST(TemplatePaint, Centre)
{
    // Tiled: columns of 10 and 5, each filled from the top with rows of 10 and 3.
    std::vector<TTemplateCopy> plan = Plan({0, 0, 35, 33}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10},
                                           {2, 2, 2, 2}, false, true);
    std::vector<TRect> dests = Dests(plan);
    std::vector<TRect> centre(dests.begin() + 4, dests.end());
    EXPECT_EQ(centre, (std::vector<TRect>{{10, 10, 20, 20}, {10, 20, 20, 23}, {20, 10, 25, 20}, {20, 20, 25, 23}}));

    plan = Plan({0, 0, 60, 50}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}, {2, 2, 2, 2}, true, true);
    EXPECT_EQ(plan.back(), Copy({10, 10, 50, 40}, {10, 10, 20, 20}));
}

TEST(TemplatePaint, PaintsBitmaps)
{
    std::unique_ptr<vcl::TBitmap> src = CreateBmp32(30, 30), dst = CreateBmp32(45, 45);
    TPixelView source = PixelsOf(src.get()), dest = PixelsOf(dst.get());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            source.At(x, y) = uint32_t(y << 8 | x);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 45; ++x)
            dest.At(x, y) = 0xABCDEF;
    PaintControlByTemplate(dst.get(), src.get(), {0, 0, 45, 45}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10},
                           {0, 0, 0, 0}, false, false);
    dest = PixelsOf(dst.get());
    EXPECT_EQ(dest.At(3, 4), 0x0403u);      // top-left corner
    EXPECT_EQ(dest.At(44, 44), 0x1D1Du);    // bottom-right corner
    EXPECT_EQ(dest.At(32, 2), 0x020Cu);     // the top side's cut piece shows the piece's start
    EXPECT_EQ(dest.At(2, 27), 0x1102u);     // the left side's second piece
    EXPECT_EQ(dest.At(20, 20), 0xABCDEFu);  // centre untouched
}
