// The filtered resampler on short rows and the Gaussian blur of glow masks.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin::test {
namespace {

// A source whose rows all hold the given red values (other channels 0, alpha 255).
TGuardedImage Rows(const std::vector<int>& reds, int height)
{
    TGuardedImage img(int(reds.size()), height);
    for (int y = 0; y < height; ++y)
        for (size_t x = 0; x < reds.size(); ++x)
            img.At(int(x), y) = Px(reds[x], 0, 0);
    return img;
}

std::vector<int> RedRow(TGuardedImage& img, int y, int width)
{
    std::vector<int> reds;
    for (int x = 0; x < width; ++x)
        reds.push_back(Rof(img.At(x, y)));
    return reds;
}

TEST(Stretch, BoxDoublingRepeatsEachPixelAtFullWeight)
{
    TGuardedImage src = Rows({17, 230}, 2), dst(4, 2);
    Stretch(src.View(), dst.View(), TFilterType::ftBox);
    EXPECT_EQ(RedRow(dst, 0, 4), (std::vector<int>{17, 17, 230, 230}));
    EXPECT_EQ(RedRow(dst, 1, 4), (std::vector<int>{17, 17, 230, 230}));
    EXPECT_EQ(Aof(dst.At(3, 1)), 255);
    EXPECT_TRUE(dst.GuardIntact());
}

TEST(Stretch, TriangleWidensTwoToThree)
{
    // Weights 65536 | 21845, 43691 | 43691 + 21845 (the last tap mirrored back).
    TGuardedImage up = Rows({0, 255}, 2), down = Rows({255, 0}, 2), a(3, 2), b(3, 2);
    Stretch(up.View(), a.View(), TFilterType::ftTriangle);
    Stretch(down.View(), b.View(), TFilterType::ftTriangle);
    EXPECT_EQ(RedRow(a, 0, 3), (std::vector<int>{0, 170, 255}));
    EXPECT_EQ(RedRow(b, 1, 3), (std::vector<int>{255, 84, 0}));
}

TEST(Stretch, MitchellHalvesFourToTwoWithUnnormalisedWeights)
{
    // Target 0 takes 29127, 2 x 17522, 2 x 1820, 2 x -1138 of columns 0..3 (mirrored), sum 65535;
    // target 1 takes 1820, 16384, 27989, 19342.
    TGuardedImage src = Rows({0, 0, 255, 255}, 2), dst(2, 2);
    Stretch(src.View(), dst.View(), TFilterType::ftMitchell);
    EXPECT_EQ(RedRow(dst, 0, 2), (std::vector<int>{5, 184}));
    EXPECT_EQ(RedRow(dst, 1, 2), (std::vector<int>{5, 184}));
    EXPECT_EQ(Aof(dst.At(0, 0)), 254);
}

TEST(Stretch, WideFilterTapsStayInsideAShortSource)
{
    // Widening 2 to 5 and shrinking 3 to 1: a tap read from the guard frame would show its red.
    for (const auto [from, to] : {std::pair{2, 5}, {3, 1}}) {
        TGuardedImage src(from, from, 0), dst(to, to);
        for (const TFilterType f : {TFilterType::ftLanczos3, TFilterType::ftSpline, TFilterType::ftMitchell,
                                    TFilterType::ftBell}) {
            Stretch(src.View(), dst.View(), f);
            EXPECT_EQ(dst.Pixels(), std::vector<uint32_t>(size_t(to * to), 0u)) << from << " to " << to << ", " << int(f);
        }
        EXPECT_TRUE(src.GuardIntact());
    }
}

TEST(Stretch, SameSizeCopiesEmptyTargetDoesNothing)
{
    TGuardedImage src = Rows({1, 2, 3}, 2), same(3, 2), empty(0, 0);
    Stretch(src.View(), same.View(), TFilterType::ftMitchell);
    EXPECT_EQ(same.Pixels(), src.Pixels());
    Stretch(src.View(), empty.View(), TFilterType::ftMitchell);
    EXPECT_TRUE(empty.GuardIntact());
}

TEST(Stretch, RefusesASourceUnderTwoByTwo)
{
    TGuardedImage row = Rows({1, 2, 3}, 1), column(1, 3), dst(4, 4);
    for (TGuardedImage* src : {&row, &column}) {
        try {
            Stretch(src->View(), dst.View(), TFilterType::ftMitchell);
            ADD_FAILURE() << "no exception";
        } catch (const vcl::Exception& e) {
            EXPECT_EQ(e.Message(), L"Source bitmap is too small");
        }
    }
}

// An 8-bit mask in memory.
struct TMask {
    int Width, Height;
    std::vector<uint8_t> Bytes;
    TMask(int w, int h, uint8_t fill) : Width(w), Height(h), Bytes(size_t(w * h), fill) {}
    TBytePixelView View() { return {Bytes.data(), Width, Width, Height}; }
};

TEST(Blur8, ConstantStaysConstantForEveryRadius)
{
    std::vector<double> radii = {0.3, 0.5, 1.7, 2.5, 12.5, 50.0, 1000.0};
    for (int r = 1; r <= 30; ++r)
        radii.push_back(r);
    for (const uint8_t level : {uint8_t(255), uint8_t(254), uint8_t(128), uint8_t(1)})
        for (const double radius : radii) {
            TMask mask(9, 7, level);
            Blur8(mask.View(), radius);
            EXPECT_EQ(mask.Bytes, std::vector<uint8_t>(63, level)) << radius << " " << int(level);
        }
}

TEST(Blur8, RadiusOneOnARow)
{
    // Radius 1 keeps the taps -2..2 (0.054489, 0.244201, 0.402620 after the second normalising); the
    // sums are truncated.
    struct {
        uint8_t Line, Spot;
        std::vector<uint8_t> Expected;
    } const cases[] = {
        {255, 0, {255, 255, 255, 241, 192, 152, 192, 241, 255, 255, 255}},
        {0, 255, {0, 0, 0, 13, 62, 102, 62, 13, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        TMask mask(11, 1, c.Line);
        mask.Bytes[5] = c.Spot;
        Blur8(mask.View(), 1);
        EXPECT_EQ(mask.Bytes, c.Expected) << int(c.Spot);
    }
}

TEST(Blur8, ColumnsAreBlurredLikeRows)
{
    TMask mask(1, 5, 255);
    mask.Bytes[2] = 0;
    Blur8(mask.View(), 1);
    EXPECT_EQ(mask.Bytes, (std::vector<uint8_t>{241, 192, 152, 192, 241}));
}

TEST(Blur8, NoRadiusNoChange)
{
    TMask mask(3, 3, 10);
    mask.Bytes[4] = 200;
    for (const double radius : {0.0, -1.0}) {
        Blur8(mask.View(), radius);
        EXPECT_EQ(mask.Bytes[4], 200);
    }
}

}  // namespace
}  // namespace skin::test
