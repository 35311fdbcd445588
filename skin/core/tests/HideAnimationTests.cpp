// The hide animation's cover, seen through the frames it hands the layered-window entry point:
// its opacities and pictures, its end on the timer, and covers cut short by the next hide.
#include "skin/core/sVclUtilsAnimation.h"

#include "pump.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/application.h"
#include "vcl/tests/windowing_fixtures.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace vcl;

namespace {

constexpr uint32_t Snapshot = 0xFF336699;

class HideAnimationTest : public testing::Test {
protected:
    void SetUp() override { testsupport::InitializeApplication(); }
    void TearDown() override
    {
        if (acHideTimer)
            acHideTimer->Free();
    }

    // A cover of 40 x 24 at (30, 40) and a snapshot of one colour for it.
    static TForm* NewCover()
    {
        auto* cover = Create<TForm>(nullptr);
        cover->SetBorderStyle(TFormBorderStyle::bsNone);
        cover->SetBounds(30, 40, 40, 24);
        return cover;
    }
    static std::unique_ptr<TBitmap> NewSnapshot()
    {
        auto bmp = CreateBmp32(40, 24);
        const TPixelView px = PixelsOf(bmp.get());
        for (int y = 0; y < px.Height; ++y)
            for (int x = 0; x < px.Width; ++x)
                px.At(x, y) = Snapshot;
        return bmp;
    }
    static std::vector<int> Alphas(const std::vector<test::TLayeredFrame>& Frames, HWND Wnd)
    {
        std::vector<int> alphas;
        for (const auto& f : Frames)
            if (f.Wnd == Wnd)
                alphas.push_back(f.Blend.SourceConstantAlpha);
        return alphas;
    }
    static bool Ended() { return !acHideTimer || !acHideTimer->Form; }

    test::TLayeredRecorder Recorder;
};

}  // namespace

TEST_F(HideAnimationTest, AFadingHideShowsElevenFramesDownToZeroAndFreesItsCoverOnTheNextTick)
{
    TForm* cover = NewCover();
    const HWND wnd = cover->Handle();
    StartHideAnimation(cover, NewSnapshot(), 120, 255, TacAnimType::atFading);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    EXPECT_EQ(Alphas(Recorder.Frames, wnd), (std::vector<int>{255, 230})) << "the snapshot, then the first frame";

    ASSERT_TRUE(testsupport::PumpUntil(Ended, 3000));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Alphas(Recorder.Frames, wnd), (std::vector<int>{255, 230, 204, 178, 153, 128, 102, 76, 51, 26, 0, 0}));
    for (const auto& f : Recorder.Frames) {
        EXPECT_EQ(f.Size, TSize(40, 24));
        EXPECT_EQ(f.Pixel(0, 0), Snapshot);
        EXPECT_EQ(f.Pixel(39, 23), Snapshot);
    }
    EXPECT_EQ(acHideTimer->SrcBmp, nullptr);
    EXPECT_EQ(acHideTimer->Interval(), 65535u);
}

TEST_F(HideAnimationTest, AnAeroHideShrinksThePictureToThreeQuartersAboutItsCentre)
{
    TForm* cover = NewCover();
    const HWND wnd = cover->Handle();
    StartHideAnimation(cover, NewSnapshot(), 48, 255, TacAnimType::atAero);
    ASSERT_TRUE(testsupport::PumpUntil(Ended, 3000));
    ASSERT_EQ(Alphas(Recorder.Frames, wnd), (std::vector<int>{255, 191, 128, 64, 0, 0}));
    const auto& first = Recorder.Frames[1];
    EXPECT_EQ(first.Pixel(0, 0), Snapshot) << "full size";
    const auto& last = Recorder.Frames.back();  // 30 x 18 at (5, 3)
    EXPECT_EQ(last.Pixel(4, 2), 0u);
    EXPECT_EQ(last.Pixel(5, 3), Snapshot);
    EXPECT_EQ(last.Pixel(34, 20), Snapshot);
    EXPECT_EQ(last.Pixel(35, 21), 0u);
}

TEST_F(HideAnimationTest, ASecondHideFreesTheFirstCoverAtOnceAndAShortOneShowsNothing)
{
    TForm* first = NewCover();
    const HWND firstWnd = first->Handle();
    StartHideAnimation(first, NewSnapshot(), 120, 255, TacAnimType::atFading);
    TForm* second = NewCover();
    const HWND secondWnd = second->Handle();
    StartHideAnimation(second, NewSnapshot(), 120, 255, TacAnimType::atFading);
    EXPECT_FALSE(IsWindow(firstWnd));
    EXPECT_TRUE(IsWindowVisible(secondWnd));

    Recorder.Frames.clear();
    TForm* shortOne = NewCover();
    const HWND shortWnd = shortOne->Handle();
    StartHideAnimation(shortOne, NewSnapshot(), 11, 255, TacAnimType::atFading);
    EXPECT_FALSE(IsWindow(shortWnd));
    EXPECT_FALSE(IsWindow(secondWnd)) << "the running one went too";
    EXPECT_TRUE(Recorder.Frames.empty());
}

TEST_F(HideAnimationTest, WhileTheApplicationTerminatesEveryFrameRunsInsideTheCall)
{
    wintest::TTemporaryApplication app;
    Application->Terminate();
    Application->ProcessMessages();
    ASSERT_TRUE(Application->Terminated());

    TForm* cover = NewCover();
    const HWND wnd = cover->Handle();
    StartHideAnimation(cover, NewSnapshot(), 36, 255, TacAnimType::atFading);
    EXPECT_EQ(Alphas(Recorder.Frames, wnd), (std::vector<int>{255, 170, 85, 0, 0}));
    EXPECT_TRUE(IsWindow(wnd)) << "the cover stays with the timer";
}
