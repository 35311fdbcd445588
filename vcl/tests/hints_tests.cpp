// The hint window and the application's hints: pause, text parts, hiding, switching hints off.
#include "windowing_fixtures.h"

#include "vcl/hints.h"

#include <gtest/gtest.h>

using namespace wintest;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

HWND ShownHintWindow()
{
    HWND wnd = FindWindowW(L"THintWindow", nullptr);
    return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

String WindowText(HWND wnd)
{
    wchar_t text[100] = {};
    GetWindowTextW(wnd, text, 100);
    return text;
}

// A panel that rewrites its hint as it is about to show.
class THintRewritingPanel : public TTestPanel {
    CL_CLASS(THintRewritingPanel, TTestPanel)
public:
    using TTestPanel::TTestPanel;
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CM_HINTSHOW) {
            reinterpret_cast<THintInfo*>(Message.LParam)->HintStr = L"From the control";
            Message.Result = 0;
            return;
        }
        TTestPanel::Dispatch(Message);
    }
};

// Short pauses, and the application's hint settings given back afterwards.
class HintTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        FPause = Application->HintPause();
        FHidePause = Application->HintHidePause();
        Application->SetHintPause(10);
        Application->SetHintHidePause(0);
    }
    void TearDown() override
    {
        Application->CancelHint();
        Application->SetShowHint(true);
        Application->SetHintPause(FPause);
        Application->SetHintHidePause(FHidePause);
        Application->SetOnHint(nullptr);
        Application->SetOnShowHint(nullptr);
        WindowTest::TearDown();
    }

    // A form with a hinted panel and a plain one beside it, hints on for the form.
    void MakeForm()
    {
        Form = NewForm();
        Hinted = NewChild<TTestPanel>(Form, 10, 10, 100, 80);
        Hinted->SetHint(L"Panel|The panel's long hint");
        Plain = NewChild<TTestPanel>(Form, 150, 10, 100, 80);
        Form->SetShowHint(true);
        ShowAndPaint(Form);
    }
    bool HintAppears() { return PumpUntil([] { return ShownHintWindow() != nullptr; }, 2000); }

    TForm* Form = nullptr;
    TTestPanel* Hinted = nullptr;
    TTestPanel* Plain = nullptr;

private:
    int FPause = 0;
    int FHidePause = 0;
};

}  // namespace

TEST(HintText, ShortAndLongParts)
{
    struct Case {
        const wchar_t* Hint;
        const wchar_t* Short;
        const wchar_t* Long;
    };
    const Case cases[] = {
        {L"Save|Saves the settings", L"Save", L"Saves the settings"},
        {L"Both", L"Both", L"Both"},
        {L"|Long only", L"", L"Long only"},
        {L"Short only|", L"Short only", L""},
        {L"a|b|c", L"a", L"b|c"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Short, GetShortHint(c.Hint)) << ToAnsi(c.Hint);
        EXPECT_EQ(c.Long, GetLongHint(c.Hint)) << ToAnsi(c.Hint);
    }
}

TEST_F(HintTest, HintWindowFitsItsTextAndShowsWithoutTakingTheActivation)
{
    TForm* form = NewForm();
    ShowAndPaint(form);
    HWND active = GetActiveWindow();
    auto* hint = Create<THintWindow>(nullptr);

    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->HintFont()->Handle());
    RECT text{0, 0, 1000, 0};
    DrawTextW(dc, L"Short", -1, &text, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    TRect one = hint->CalcHintRect(1000, L"Short", nullptr);
    EXPECT_EQ(TRect(0, 0, text.right + 6, text.bottom + 6), one) << "the hint font, a border and 2-pixel margins";
    TRect longer = hint->CalcHintRect(1000, L"A considerably longer hint text", nullptr);
    EXPECT_GT(longer.Width(), one.Width());
    EXPECT_EQ(one.Height(), longer.Height());
    TRect wrapped = hint->CalcHintRect(60, L"one two three four five six", nullptr);
    EXPECT_LE(wrapped.Width(), 60 + 6);
    EXPECT_GT(wrapped.Height(), one.Height()) << "wrapped at the width given";

    hint->ActivateHint(Bounds(200, 150, longer.Width(), longer.Height()), L"A considerably longer hint text");
    HWND wnd = hint->Handle();
    EXPECT_TRUE(hint->HintShowing());
    RECT placed{};
    GetWindowRect(wnd, &placed);
    EXPECT_EQ(Bounds(200, 150, longer.Width(), longer.Height()), TRect(placed));
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(active, GetActiveWindow()) << "showing does not activate";
    EXPECT_EQ(MA_NOACTIVATE, SendMessageW(wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(wnd), HTCLIENT));

    PumpFor(30);
    testsupport::TGrab grab = testsupport::Grab(wnd);
    EXPECT_EQ(COLORREF(ColorToRGB(clInfoBk)), grab.ClientPixel(1, 1)) << "the margin in the info colour";
    int textPixels = 0;
    for (int y = 2; y < grab.Height - 4; ++y)
        for (int x = 2; x < grab.Width - 4; ++x)
            textPixels += grab.ClientPixel(x, y) != COLORREF(ColorToRGB(clInfoBk));
    EXPECT_GT(textPixels, 0) << "the text is drawn";

    // A rectangle beyond the work area is moved onto it.
    TRect work = Screen->WorkAreaRect();
    hint->ActivateHint(Bounds(work.right - 10, work.bottom - 5, one.Width(), one.Height()), L"Short");
    GetWindowRect(hint->Handle(), &placed);
    EXPECT_EQ(work.right, placed.right);
    EXPECT_EQ(work.bottom, placed.bottom);

    hint->ReleaseHandle();
    EXPECT_FALSE(hint->HintShowing());
    hint->Free();
}

TEST_F(HintTest, RestingOnAControlShowsItsShortHintBelowTheMouseAndLeavingHidesIt)
{
    MakeForm();
    int changes = 0;
    Application->SetOnHint(TNotifyEvent([&](TObject*) { ++changes; }));
    TMouseDriver mouse;
    mouse.MoveTo(Hinted, 20, 20);
    EXPECT_EQ(L"The panel's long hint", Application->Hint());
    EXPECT_EQ(1, changes);
    ASSERT_TRUE(HintAppears());
    HWND wnd = ShownHintWindow();
    EXPECT_EQ(L"Panel", WindowText(wnd));
    RECT r{};
    GetWindowRect(wnd, &r);
    TPoint cursor = Hinted->ClientToScreen(TPoint(20, 20));
    EXPECT_EQ(cursor.x, r.left);
    EXPECT_GT(r.top, cursor.y) << "below the mouse";

    mouse.MoveTo(Plain, 20, 20);
    EXPECT_EQ(nullptr, ShownHintWindow()) << "a control without a hint hides the last one";
    EXPECT_EQ(L"", Application->Hint());
    EXPECT_EQ(2, changes);
}

TEST_F(HintTest, SwitchingTheApplicationsHintsOffHidesThemUntilSwitchedOnAgain)
{
    MakeForm();
    TMouseDriver mouse;
    mouse.MoveTo(Hinted, 20, 20);
    ASSERT_TRUE(HintAppears());

    Application->SetShowHint(false);
    EXPECT_EQ(nullptr, ShownHintWindow());
    mouse.MoveTo(Plain, 20, 20);
    mouse.MoveTo(Hinted, 20, 20);
    PumpFor(100);
    EXPECT_EQ(nullptr, ShownHintWindow());
    EXPECT_EQ(L"The panel's long hint", Application->Hint()) << "the application's Hint still follows the mouse";

    Application->SetShowHint(true);
    mouse.MoveTo(Plain, 20, 20);
    mouse.MoveTo(Hinted, 20, 20);
    EXPECT_TRUE(HintAppears());
}

TEST_F(HintTest, AHintHidesAfterItsTimeAndOnAKey)
{
    MakeForm();
    Application->SetHintHidePause(60);
    TMouseDriver mouse;
    mouse.MoveTo(Hinted, 20, 20);
    ASSERT_TRUE(HintAppears());
    EXPECT_TRUE(PumpUntil([] { return ShownHintWindow() == nullptr; }, 2000)) << "hidden after the hide pause";
    PumpFor(100);
    EXPECT_EQ(nullptr, ShownHintWindow()) << "not shown again while the mouse stays";

    Application->SetHintHidePause(0);
    mouse.MoveTo(Plain, 20, 20);
    mouse.MoveTo(Hinted, 20, 20);
    ASSERT_TRUE(HintAppears());
    PostMessageW(Hinted->Handle(), WM_KEYDOWN, VK_SHIFT, 0);
    PumpFor(20);
    EXPECT_EQ(nullptr, ShownHintWindow()) << "a key puts an end to the hint";
}

TEST_F(HintTest, ControlAndApplicationMayRewriteOrRefuseTheHint)
{
    MakeForm();
    auto* rewriting = NewChild<THintRewritingPanel>(Form, 10, 100, 100, 60);
    rewriting->SetHint(L"Original");
    TMouseDriver mouse;
    mouse.MoveTo(rewriting, 20, 20);
    ASSERT_TRUE(HintAppears());
    EXPECT_EQ(L"From the control", WindowText(ShownHintWindow()));

    Application->SetOnShowHint(TShowHintEvent([](String& text, bool& canShow, THintInfo& info) {
        canShow = info.HintControl->Hint() != L"Panel|The panel's long hint";
        text = L"Changed";
    }));
    mouse.MoveTo(Hinted, 20, 20);
    PumpFor(100);
    EXPECT_EQ(nullptr, ShownHintWindow()) << "refused";
    mouse.MoveTo(rewriting, 20, 20);
    ASSERT_TRUE(HintAppears());
    EXPECT_EQ(L"Changed", WindowText(ShownHintWindow()));
}

TEST_F(HintTest, ShowHintFollowsTheParentUntilSetOnTheControl)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 0, 0, 100, 100);
    auto* inner = NewChild<TTestPanel>(panel, 0, 0, 50, 50);
    EXPECT_TRUE(panel->ParentShowHint());
    EXPECT_FALSE(inner->ShowHint());
    form->SetShowHint(true);
    EXPECT_TRUE(panel->ShowHint());
    EXPECT_TRUE(inner->ShowHint()) << "through every parent";

    panel->SetShowHint(false);
    EXPECT_FALSE(panel->ParentShowHint()) << "setting ShowHint ends ParentShowHint";
    EXPECT_FALSE(panel->ShowHint());
    EXPECT_FALSE(inner->ShowHint());
    form->SetShowHint(false);
    form->SetShowHint(true);
    EXPECT_FALSE(panel->ShowHint()) << "no longer follows the form";

    panel->SetParentShowHint(true);
    EXPECT_TRUE(panel->ShowHint());
    inner->SetParent(nullptr);
    EXPECT_FALSE(inner->ShowHint()) << "without a parent its own value counts";
    inner->Free();
}
