// The skinned track bar: only its section without "TRACKBAR", the thumb at its natural size,
// resampled or mirrored, the ticks and selection marks, and the application's hints that only a
// press on the bar switches off and its release gives back.
#include <gtest/gtest.h>

#include "skin/controls/sTrackBar.h"
#include "skin/graphics/BitmapView.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "vcl/properties.h"

namespace {

using namespace skin;
using skin::test::Px;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TColor;

TEST(TrackBarTicks, AutoTicksSpreadOverTheChannelLessTheThumb)
{
    const std::vector<int> ticks = AutoTicks({8, 208, 20, 5});
    EXPECT_EQ(ticks, (std::vector<int>{18, 63, 108, 153, 198}));
    int at = -1;
    EXPECT_TRUE(SelectionMark({8, 208, 20, 5}, 1, at));
    EXPECT_EQ(at, 90) << "(1 + 1) x 45";
    EXPECT_FALSE(SelectionMark({8, 208, 20, 1}, 1, at)) << "one tick: no marks, no division by 0";
    EXPECT_FALSE(SelectionMark({8, 208, 20, 0}, 1, at));
}

constexpr uint32_t Face = 0x204060;   // the control's section
constexpr uint32_t Top = 0xE01010;    // the upper half of the thumb image
constexpr uint32_t Bottom = 0x10E010; // its lower half
constexpr int ImageW = 6, ImageH = 10;

// A resampled pixel: each channel within 2.
::testing::AssertionResult Near(uint32_t A, uint32_t B) { return skin::test::NearPixel(A, B, 2); }

class TrackBars : public ::testing::Test {
protected:
    TrackBars() : FSkin(3 * ImageW, ImageH)
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"PLAIN", TColor(RGB(0x20, 0x40, 0x60)));
        for (int s = 0; s < 3; ++s) {
            FSkin.Fill(vcl::TRect(s * ImageW, 0, (s + 1) * ImageW, ImageH / 2), Px(0xE0, 0x10, 0x10));
            FSkin.Fill(vcl::TRect(s * ImageW, ImageH / 2, (s + 1) * ImageW, ImageH), Px(0x10, 0xE0, 0x10));
        }
        FForm = ShownForm(320, 240);
        FBar = vcl::Create<TsTrackBar>(FForm.get());
        FBar->SetBounds(10, 10, 200, 45);
        FBar->SetParent(FForm.get());
        FBar->SkinData()->SetSkinSection(L"PLAIN");
        FBar->SetTickStyle(vcl::TTickStyle::tsNone);
    }
    void AddTrackBarSection()
    {
        FSkin.AddSection(L"TRACKBAR", TColor(RGB(1, 2, 3)));
        FSkin.AddImage({vcl::TRect(0, 0, 3 * ImageW, ImageH), 3}, L"TRACKBAR", L"SLIDERMASK");
        FBar->SkinData()->UpdateIndexes();
    }
    uint32_t Pixel(int X, int Y)
    {
        FBar->Repaint();
        testsupport::PumpFor(20);
        return PixelsOf(FBar->SkinData()->FCacheBmp.get()).At(X, Y) & 0xFFFFFF;
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TsTrackBar* FBar;
};

TEST_F(TrackBars, WithoutATrackBarSectionOnlyTheControlsSectionIsPainted)
{
    ASSERT_TRUE(FBar->SkinData()->Skinned(true));
    const vcl::TRect thumb = FBar->ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    for (int y = 2; y < FBar->Height() - 2; y += 3)
        for (int x = 2; x < FBar->Width() - 2; x += 5)
            ASSERT_EQ(Pixel(x, y), Face) << x << "," << y;
}

TEST_F(TrackBars, WithoutATrackBarSectionTheFocusRectangleStillShows)
{
    FBar->SetShowFocus(true);
    FBar->SetFocus();
    ASSERT_TRUE(FBar->Focused());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The dotted frame on the client area less a pixel: black at 1 + 3k, the face colour before.
    EXPECT_EQ(Pixel(4, 1), 0u);
    EXPECT_EQ(Pixel(6, 1), Px(GetRValue(face), GetGValue(face), GetBValue(face), 0));
    EXPECT_EQ(Pixel(1, 7), 0u) << "the left side";
    EXPECT_EQ(Pixel(8, 8), Face) << "inside the frame the face";
    FBar->SetShowFocus(false);
    EXPECT_EQ(Pixel(4, 1), Face);
}

TEST_F(TrackBars, AStandingBarsChannelStands)
{
    FBar->SetOrientation(vcl::TTrackBarOrientation::trVertical);
    FBar->SetBounds(10, 10, 45, 200);
    const vcl::TRect channel = FBar->ChannelRect(), thumb = FBar->ThumbRect();
    EXPECT_GT(channel.Height(), channel.Width());
    EXPECT_LT(channel.left, thumb.right) << "across the bar the channel and the thumb overlap";
    EXPECT_GT(channel.right, thumb.left);
}

TEST_F(TrackBars, TheDisabledLookIsPublished)
{
    EXPECT_EQ(vcl::ReadSetProperty(FBar, L"DisabledKind"), L"dkBlended");
    EXPECT_TRUE(vcl::WriteSetProperty(FBar, L"DisabledKind", L"dkGrayed"));
    EXPECT_EQ(FBar->DisabledKind(), TsDisabledKind{TsDisabledKindItem::dkGrayed});
}

TEST_F(TrackBars, AThumbOfLength23IsDrawnAtItsNaturalSize)
{
    AddTrackBarSection();
    const vcl::TRect thumb = FBar->ThumbRect();
    ASSERT_EQ(thumb.Height(), 23);
    const int cx = (thumb.left + thumb.right) / 2;
    const int top = thumb.top + (23 - ImageH) / 2;
    EXPECT_EQ(Pixel(cx, top), Top);
    EXPECT_EQ(Pixel(cx, top + ImageH - 1), Bottom);
    EXPECT_EQ(Pixel(cx, top - 1), Face) << "above the image the face shows";
}

TEST_F(TrackBars, OtherLengthsAreResampledAndTopLeftMarksMirrorTheThumb)
{
    AddTrackBarSection();
    FBar->SetThumbLength(16);
    FBar->SetBounds(10, 10, 200, 46);  // some track bars measure their thumb again only when sized
    vcl::TRect thumb = FBar->ThumbRect();
    ASSERT_NE(thumb.Height(), 23);
    const int cx = (thumb.left + thumb.right) / 2;
    EXPECT_TRUE(Near(Pixel(cx, thumb.top + 2), Top)) << "stretched over the whole thumb";
    EXPECT_TRUE(Near(Pixel(cx, thumb.bottom - 3), Bottom));

    FBar->SetTickMarks(vcl::TTickMark::tmTopLeft);
    thumb = FBar->ThumbRect();
    EXPECT_TRUE(Near(Pixel(cx, thumb.top + 2), Bottom)) << "pointing the other way";
    EXPECT_TRUE(Near(Pixel(cx, thumb.bottom - 3), Top));
}

TEST_F(TrackBars, OnlyAPressThatSwitchedTheHintsOffGivesThemBack)
{
    vcl::Application->SetShowHint(true);
    SendMessageW(FBar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(vcl::Application->ShowHint()) << "a release without a press restores nothing";
    SendMessageW(FBar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_FALSE(vcl::Application->ShowHint());
    SendMessageW(FBar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(vcl::Application->ShowHint());
    vcl::Application->SetShowHint(false);
}

TEST_F(TrackBars, SelectionEndsTakeThePlaceOfTheirTicks)
{
    AddTrackBarSection();
    FBar->SetThumbLength(23);
    FBar->SetTickStyle(vcl::TTickStyle::tsAuto);
    FBar->SetMax(4);
    const vcl::TRect ch = FBar->ChannelRect(), thumb = FBar->ThumbRect();
    const int row = ch.bottom + (thumb.Height() - ch.Height()) / 2 + 2 + 1;
    const std::vector<int> ticks = AutoTicks({int(ch.left), int(ch.right), int(thumb.Width()), FBar->TickCount()});
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_NE(Pixel(ticks[2], row), Face) << "a tick";
    FBar->SetSelStart(1);
    FBar->SetSelEnd(2);
    EXPECT_EQ(Pixel(ticks[2], row), Face) << "left out at the selection's end";
    EXPECT_NE(Pixel(ticks[3], row), Face);
}

}  // namespace
