// The frame plans of the show, hide and control-change animations: opacities rounded to even,
// and the places of the zoomed picture.
#include "skin/core/sVclUtilsAnimPlans.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using vcl::TRect;
using vcl::TSize;

namespace {

std::vector<int> Alphas(const std::vector<TAnimFrame>& Frames)
{
    std::vector<int> alphas;
    for (const TAnimFrame& f : Frames)
        alphas.push_back(f.Alpha);
    return alphas;
}

}  // namespace

TEST(ShowFrames, AeroShowOfAHundredMillisecondsRisesInNineFramesAndGrowsFromThreeQuarters)
{
    const auto frames = ShowFrames(TSize(160, 80), 100, 255, TacAnimType::atAero);
    EXPECT_EQ(Alphas(frames), (std::vector<int>{32, 64, 96, 128, 159, 191, 223, 255, 255}));
    ASSERT_EQ(frames.size(), 9u);
    EXPECT_FALSE(frames[0].Whole);
    EXPECT_EQ(frames[0].Place, TRect(20, 10, 140, 70)) << "offset W/8, H/8";
    EXPECT_EQ(frames[4].Place, TRect(10, 5, 150, 75)) << "half-way";
    EXPECT_TRUE(frames[8].Whole || frames[8].Place == TRect(0, 0, 160, 80));
}

TEST(ShowFrames, ADialogsOpacityRisesInOneStepMore)
{
    EXPECT_EQ(Alphas(ShowFrames(TSize(90, 90), 100, 255, TacAnimType::atAero, true)),
              (std::vector<int>{28, 57, 85, 113, 142, 170, 198, 227, 255}));
}

TEST(ShowFrames, FadingShowsTheWholePictureAndAShortTimeNoFrames)
{
    const auto frames = ShowFrames(TSize(90, 90), 36, 200, TacAnimType::atFading);
    EXPECT_EQ(Alphas(frames), (std::vector<int>{67, 133, 200, 200}));
    for (const TAnimFrame& f : frames)
        EXPECT_TRUE(f.Whole);
    EXPECT_TRUE(ShowFrames(TSize(90, 90), 0, 255, TacAnimType::atAero).empty());
    EXPECT_TRUE(ShowFrames(TSize(90, 90), 11, 255, TacAnimType::atAero).empty());
}

TEST(HideFrames, FadingHideOfAHundredAndTwentyMillisecondsEndsWithTwoFramesAtZero)
{
    const auto frames = HideFrames(TSize(90, 90), 120 / acAnimStepMs, 255, TacAnimType::atFading);
    EXPECT_EQ(Alphas(frames), (std::vector<int>{230, 204, 178, 153, 128, 102, 76, 51, 26, 0, 0}));
    for (const TAnimFrame& f : frames)
        EXPECT_TRUE(f.Whole);
}

TEST(HideFrames, AeroHideShrinksFromFullSizeToThreeQuarters)
{
    const auto frames = HideFrames(TSize(160, 80), 4, 255, TacAnimType::atAero);
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0].Place, TRect(0, 0, 160, 80));
    EXPECT_EQ(frames[2].Place, TRect(10, 5, 150, 75));
    EXPECT_EQ(frames[4].Place, TRect(20, 10, 140, 70));
    EXPECT_EQ(Alphas(frames), (std::vector<int>{191, 128, 64, 0, 0}));  // 191.25, 127.5, 63.75
    EXPECT_TRUE(HideFrames(TSize(160, 80), 0, 255, TacAnimType::atAero).empty());
}

TEST(ControlChangeWeights, APageChangeMixesTheOldLookOutInEqualWholeSteps)
{
    EXPECT_EQ(ControlChangeWeights(48), (std::vector<int>{255, 192, 129, 66, 3}));
    EXPECT_EQ(ControlChangeWeights(12), (std::vector<int>{255, 0}));
    EXPECT_TRUE(ControlChangeWeights(0).empty());
}
