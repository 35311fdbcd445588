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
