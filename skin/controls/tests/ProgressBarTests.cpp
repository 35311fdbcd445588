// The skinned progress bar: where its blocks lie for the program's two bar sizes, and what its
// cache shows over a hand-built skin, with and without the progress section.
#include <gtest/gtest.h>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/acProgressBar.h"
#include "skin/core/sMessages.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using skin::test::TTestSkin;
using vcl::TColor;
using vcl::TRect;

TProgressGeometry Bar(int Width, int Height, int Max, int Position)
{
    TProgressGeometry g;
    g.Width = Width;
    g.Height = Height;
    g.Max = Max;
    g.Position = Position;
    return g;
}

std::vector<int> BlockLefts(const TProgressGeometry& G)
{
    std::vector<int> lefts;
    for (const TRect& r : ProgressBlocks(G))
        lefts.push_back(r.left);
    return lefts;
}

TEST(ProgressGeometry, TheSearchBarLightsBlocks24WideEvery28PixelsRoundingHalvesToEven)
{
    struct TCase {
        int Position;
        int Lit;
    };
    const TCase cases[] = {{0, 0}, {625, 0}, {1875, 2}, {3125, 2}, {5000, 4}, {10000, 8}};
    for (const TCase& c : cases) {
        const TProgressGeometry g = Bar(225, 42, 10000, c.Position);
        EXPECT_EQ(ProgressLitCount(g), c.Lit) << c.Position;
        const std::vector<TRect> blocks = ProgressBlocks(g);
        ASSERT_EQ(int(blocks.size()), c.Lit) << c.Position << ": no end block at the maximum either";
        for (int i = 0; i < c.Lit; ++i)
            EXPECT_EQ(blocks[size_t(i)], TRect(1 + 28 * i, 1, 25 + 28 * i, 41)) << c.Position;
    }
}

TEST(ProgressGeometry, TheThresholdBarFillsItsEndWithANarrowerBlockAtTheMaximum)
{
    EXPECT_EQ(ProgressLitCount(Bar(150, 25, 26, 13)), 4);  // 4.5 halves to even
    const std::vector<TRect> full = ProgressBlocks(Bar(150, 25, 26, 26));
    ASSERT_EQ(full.size(), 10u);
    EXPECT_EQ(full[8], TRect(129, 1, 142, 24));
    EXPECT_EQ(full[9], TRect(145, 1, 150, 24));
    // One short of the maximum lights all nine places but leaves the end.
    EXPECT_EQ(ProgressBlocks(Bar(150, 25, 26, 25)).size(), 9u);
}

TEST(ProgressGeometry, EmptyRangesZeroesAndTinyBarsLightNothing)
{
    TProgressGeometry negative = Bar(225, 42, 0, 0);
    negative.Min = -100;
    EXPECT_TRUE(ProgressBlocks(negative).empty()) << "Max 0";
    EXPECT_TRUE(ProgressBlocks(Bar(225, 42, 0, 0)).empty()) << "Min = Max";
    TProgressGeometry inverted = Bar(225, 42, 5, 5);
    inverted.Min = 10;
    EXPECT_TRUE(ProgressBlocks(inverted).empty()) << "Min above Max";
    EXPECT_TRUE(ProgressBlocks(Bar(30, 42, 10, 10)).empty()) << "room for one block place";
    EXPECT_TRUE(ProgressBlocks(Bar(225, 5, 10, 10)).empty()) << "blocks below 2 pixels";
}

TEST(ProgressGeometry, AVerticalBarGrowsUpwardsFromTheBottom)
{
    TProgressGeometry g = Bar(42, 225, 10000, 2500);
    g.Vertical = true;
    const std::vector<TRect> blocks = ProgressBlocks(g);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], TRect(1, 224 - 24, 41, 224));
    EXPECT_EQ(blocks[1], TRect(1, 224 - 24 - 28, 41, 224 - 28));
}

TEST(ProgressGeometry, ASmoothBarIsOneBlockUpToItsShare)
{
    TProgressGeometry g = Bar(102, 20, 100, 50);
    g.Smooth = true;
    EXPECT_EQ(BlockLefts(g), std::vector<int>{1});
    EXPECT_EQ(ProgressBlocks(g)[0], TRect(1, 1, 51, 19));
    g.Position = 100;
    EXPECT_EQ(ProgressBlocks(g)[0], TRect(1, 1, 101, 19));
}

TEST(ProgressGeometry, MarqueeBlocksPassingTheEndContinueFromTheStart)
{
    TProgressGeometry g = Bar(100, 20, 100, 0);
    g.Marquee = true;
    g.MarqPos = 70.4;  // the run starts at round(1 + 70.4)
    EXPECT_EQ(BlockLefts(g), (std::vector<int>{71, 81, 91, 1, 11}));
}

// ---------------------------------------------------------------------------------------------

constexpr COLORREF Trough = RGB(10, 20, 30);
constexpr COLORREF Lit = RGB(200, 100, 50);

class SkinnedProgressBar : public ::testing::Test {
protected:
    SkinnedProgressBar()
    {
        testsupport::InitializeApplication();
        FSkin.AddSection(L"GAUGE", TColor(Trough));
        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(40, 40, 320, 200);
        FForm->Show();
    }

    TsProgressBar* NewBar(int Width, int Height, int Max)
    {
        auto* bar = vcl::Create<TsProgressBar>(FForm.get());
        bar->SetBounds(10, 10, Width, Height);
        bar->SetMax(Max);
        bar->SetParent(FForm.get());
        bar->SkinData()->SetSkinSection(L"GAUGE");
        return bar;
    }
    static COLORREF Pixel(TsProgressBar* Bar, int X, int Y)
    {
        Bar->Repaint();
        testsupport::PumpFor(20);
        return skin::test::CachePixel(*Bar->SkinData(), X, Y);
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedProgressBar, BlocksShowTheProgressSectionOverTheTrough)
{
    FSkin.AddSection(L"PROGRESSH", TColor(Lit));
    TsProgressBar* bar = NewBar(225, 42, 10000);
    bar->SetPosition(5000);
    EXPECT_EQ(Pixel(bar, 13, 20), Lit);
    EXPECT_EQ(Pixel(bar, 27, 20), Trough);
    EXPECT_EQ(Pixel(bar, 97, 20), Lit) << "block 3";
    EXPECT_EQ(Pixel(bar, 125, 20), Trough) << "block 4 is not lit";
    // A new count shows at the next paint.
    bar->SetPosition(10000);
    EXPECT_EQ(Pixel(bar, 200, 20), Lit);
    bar->SetPosition(0);
    EXPECT_EQ(Pixel(bar, 13, 20), Trough);
}

TEST_F(SkinnedProgressBar, WithoutTheProgressSectionOnlyTheTroughShows)
{
    TsProgressBar* bar = NewBar(225, 42, 10000);
    bar->SetPosition(10000);
    for (int x : {13, 27, 200})
        EXPECT_EQ(Pixel(bar, x, 20), Trough) << x;
}

TEST_F(SkinnedProgressBar, AProgressSkinOfItsOwnNamesTheBlocksSection)
{
    FSkin.AddSection(L"PROGRESSH", TColor(Lit));
    FSkin.AddSection(L"MINE", TColor(RGB(1, 2, 3)));
    TsProgressBar* bar = NewBar(150, 25, 26);
    bar->SetProgressSkin(L"MINE");
    bar->SetPosition(26);
    EXPECT_EQ(Pixel(bar, 147, 12), RGB(1, 2, 3)) << "the end block";
    EXPECT_EQ(Pixel(bar, 143, 12), Trough);
}

TEST_F(SkinnedProgressBar, ItAnswersABackgroundQueryWithItsCacheInEveryState)
{
    TsProgressBar* bar = NewBar(100, 20, 10);
    bar->SkinData()->SetSkinSection(L"NO SUCH SECTION");
    TacBGInfo info;
    EXPECT_EQ(SendAMessage(bar, scmdQueryBackground, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.BgKind, 2) << "a bitmap";
    EXPECT_EQ(info.Bmp, bar->SkinData()->FCacheBmp.get());
    EXPECT_EQ(info.Offset, vcl::TPoint(0, 0));
}

}  // namespace
