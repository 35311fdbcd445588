// Progress bar and status bar.
#include "windowing_fixtures.h"

#include "vcl/comctrls.h"

#include <commctrl.h>

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

TEST(StatusPartEdges, AreCumulativeWithTheLastReachingTheEdge)
{
    EXPECT_EQ((std::vector<int>{150, 250, 400, 800, -1}), StatusPartEdges({150, 100, 150, 400, 50}));
    EXPECT_EQ((std::vector<int>{-1}), StatusPartEdges({70}));
    EXPECT_EQ((std::vector<int>{-1}), StatusPartEdges({}));
}

TEST_F(WindowTest, StatusBarGivesTheWindowItsPartsAndTexts)
{
    TForm* form = NewForm(1016, 200);
    auto* bar = Create<TStatusBar>(form);
    bar->SetParent(form);
    bar->SetSizeGrip(false);
    for (int width : {150, 100, 150, 400, 50})
        bar->Panels()->Add()->SetWidth(width);
    bar->Panels()->Items(1)->SetText(L"COM 3");
    ShowAndPaint(form);

    int edges[8] = {};
    ASSERT_EQ(5, SendMessageW(bar->Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ((std::vector<int>{150, 250, 400, 800, -1}), std::vector<int>(edges, edges + 5));
    wchar_t text[32] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(L"COM 3", text);
    EXPECT_FALSE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);

    bar->Panels()->Items(3)->SetText(L"newer version");
    SendMessageW(bar->Handle(), SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(L"newer version", text);
    EXPECT_EQ(TRect(0, 181, 1016, 200), bar->BoundsRect()) << "aligned to the bottom, 19 high";
}

TEST_F(WindowTest, StatusBarClickAnywhereFiresOnClick)
{
    TForm* form = NewForm(1016, 200);
    auto* bar = Create<TStatusBar>(form);
    bar->SetParent(form);
    for (int width : {150, 100, 150, 400, 50})
        bar->Panels()->Add()->SetWidth(width);
    int clicks = 0;
    bar->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    ShowAndPaint(form);
    for (int x : {5, 200, 500, 990}) {
        PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, 9));
        PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, PointToLParam(x, 9));
    }
    PumpFor(30);
    EXPECT_EQ(4, clicks);
}

TEST_F(WindowTest, ProgressBarKeepsPositionInItsRangeWithAndWithoutAWindow)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TProgressBar>(form, 10, 10, 225, 42, clBtnFace);
    bar->SetMax(26);
    bar->SetPosition(30);
    EXPECT_EQ(26, bar->Position());
    bar->SetPosition(7);
    HWND wnd = bar->Handle();
    EXPECT_EQ(7, SendMessageW(wnd, PBM_GETPOS, 0, 0));
    EXPECT_EQ(26, SendMessageW(wnd, PBM_GETRANGE, FALSE, 0));
    bar->SetMax(5);
    EXPECT_EQ(5, bar->Position());
    EXPECT_EQ(5, SendMessageW(wnd, PBM_GETPOS, 0, 0));
    bar->SetPosition(-3);
    EXPECT_EQ(0, bar->Position());
}

namespace {

DWORD WindowStyle(TWinControl* control) { return static_cast<DWORD>(GetWindowLongW(control->Handle(), GWL_STYLE)); }

// Presses and releases a key on a control's window: the track bar reports the step and the end.
void PressKey(TWinControl* control, WORD key)
{
    PostMessageW(control->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(control->Handle(), WM_KEYUP, key, 0xC0000001);
    PumpFor(20);
}

}  // namespace

TEST_F(WindowTest, TrackBarTickStyleIsAWindowStyle)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TTrackBar>(form, 10, 10, 200, 45, clBtnFace);
    bar->SetMax(20);
    bar->SetFrequency(5);
    bar->SetPosition(7);
    EXPECT_TRUE(WindowStyle(bar) & TBS_AUTOTICKS);
    EXPECT_FALSE(WindowStyle(bar) & TBS_NOTICKS);
    // Automatic ticks at 5, 10 and 15 plus the two ends.
    EXPECT_EQ(5, SendMessageW(bar->Handle(), TBM_GETNUMTICS, 0, 0));

    bar->SetTickStyle(TTickStyle::tsNone);
    EXPECT_TRUE(WindowStyle(bar) & TBS_NOTICKS);
    EXPECT_FALSE(WindowStyle(bar) & TBS_AUTOTICKS);
    EXPECT_EQ(0, SendMessageW(bar->Handle(), TBM_GETNUMTICS, 0, 0));
    EXPECT_EQ(7, SendMessageW(bar->Handle(), TBM_GETPOS, 0, 0)) << "the new window keeps the position";
    EXPECT_EQ(20, SendMessageW(bar->Handle(), TBM_GETRANGEMAX, 0, 0));

    bar->SetTickStyle(TTickStyle::tsManual);
    bar->SetTick(12);
    EXPECT_EQ(3, SendMessageW(bar->Handle(), TBM_GETNUMTICS, 0, 0)) << "the ends and the one set";
    bar->SetTickMarks(TTickMark::tmBoth);
    EXPECT_TRUE(WindowStyle(bar) & TBS_BOTH);
    EXPECT_EQ(12, SendMessageW(bar->Handle(), TBM_GETTIC, 0, 0)) << "manual ticks survive a new window";
}

TEST_F(WindowTest, TrackBarGivesTheWindowItsThumbAndSelection)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TTrackBar>(form, 10, 10, 200, 45, clBtnFace);
    bar->SetThumbLength(23);
    bar->SetSelStart(2);
    bar->SetSelEnd(6);
    HWND wnd = bar->Handle();
    EXPECT_EQ(23, SendMessageW(wnd, TBM_GETTHUMBLENGTH, 0, 0));
    EXPECT_EQ(2, SendMessageW(wnd, TBM_GETSELSTART, 0, 0));
    EXPECT_EQ(6, SendMessageW(wnd, TBM_GETSELEND, 0, 0));
    bar->SetThumbLength(15);
    EXPECT_EQ(15, SendMessageW(wnd, TBM_GETTHUMBLENGTH, 0, 0));
    bar->SetOrientation(TTrackBarOrientation::trVertical);
    EXPECT_TRUE(WindowStyle(bar) & TBS_VERT);
    EXPECT_EQ(TRect(10, 10, 55, 210), bar->BoundsRect()) << "the size turns round";
    EXPECT_EQ(6, SendMessageW(bar->Handle(), TBM_GETSELEND, 0, 0));
}

TEST_F(WindowTest, TrackBarOnChangeFiresOncePerPositionChange)
{
    for (auto orientation : {TTrackBarOrientation::trHorizontal, TTrackBarOrientation::trVertical}) {
        SCOPED_TRACE(static_cast<int>(orientation));
        TForm* form = NewForm();
        auto* bar = NewChild<TTrackBar>(form, 10, 10, 200, 45, clBtnFace);
        bar->SetOrientation(orientation);
        std::vector<int> seen;
        bar->SetOnChange(TNotifyEvent([&](TObject*) { seen.push_back(bar->Position()); }));
        ShowAndPaint(form);
        bar->SetFocus();

        // The key reports a step and, on release, the end of the move: one change.
        PressKey(bar, VK_END);
        EXPECT_EQ(10, bar->Position());
        PressKey(bar, VK_HOME);
        PressKey(bar, VK_HOME);
        bar->SetPosition(4);
        bar->SetPosition(4);
        bar->SetMax(3);
        bar->SetMax(8);
        EXPECT_EQ((std::vector<int>{10, 0, 4, 3}), seen);
        EXPECT_EQ(3, SendMessageW(bar->Handle(), TBM_GETPOS, 0, 0));
    }
}

TEST_F(WindowTest, TrackBarKeepsPositionInItsRange)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TTrackBar>(form, 10, 10, 200, 45, clBtnFace);
    bar->SetPosition(15);
    EXPECT_EQ(10, bar->Position());
    bar->SetMin(12);
    EXPECT_EQ(12, bar->Min());
    EXPECT_EQ(12, bar->Max()) << "the maximum never lies below the minimum";
    EXPECT_EQ(12, bar->Position());
    bar->SetMax(5);
    EXPECT_EQ(5, bar->Min());
    EXPECT_EQ(5, bar->Position());
    EXPECT_EQ(5, SendMessageW(bar->Handle(), TBM_GETRANGEMIN, 0, 0));
}
