// How a form with extended borders and its border window go together, on real windows over the
// extended-border test skin: the border window follows the form's moves, sizes and activation
// right behind it, the form answers the mouse messages the border window hands on, a stretched
// form gets its size back on its first move, the maximised form's geometry, and the minimise,
// restore and blend on moving shown on the border window (recorded at the layered-window entry
// points: the virtual display cannot show partial alpha).
#include "ExBorderFixtures.h"

#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/graphics/tests/LayeredRecorder.h"

using namespace skin;
using namespace skintest;

namespace {

class ExBorderBehaviourTest : public BorderFormTest {
protected:
    void TearDown() override
    {
        acDragMoveLoop = SavedLoop;
        BorderFormTest::TearDown();
    }
    // A message's screen position of the border-window point (X, Y).
    static LPARAM ScreenPoint(TacBorderForm* Border, int X, int Y)
    {
        const vcl::TRect r = WindowRectOf(Border->AForm->Handle());
        return MAKELPARAM(r.left + X, r.top + Y);
    }
    static int HitAt(TacBorderForm* Border, int X, int Y)
    {
        vcl::TMessage message{WM_NCHITTEST, 0, ScreenPoint(Border, X, Y), 0};
        return Border->Ex_WMNCHitTest(message);
    }
    // The rightmost border-window point of the frame's title row (the shadow left out) where the hit
    // test answers Code.
    static vcl::TPoint TitlePointOf(TacBorderForm* Border, int Code)
    {
        const int y = Shadow + SkinTitle / 2;
        for (int x = Border->AForm->Width() - Shadow - 1; x >= Shadow; --x)
            if (HitAt(Border, x, y) == Code)
                return vcl::TPoint(x, y);
        ADD_FAILURE() << "no point of the title answers " << Code;
        return vcl::TPoint();
    }
    // The border window stands right behind the form around it, as large as the cache.
    static testing::AssertionResult AroundTheForm(TLoggingForm* Form)
    {
        TacBorderForm* border = Border(Form);
        if (!border || !border->AForm)
            return testing::AssertionFailure() << "no border window";
        const HWND wnd = border->AForm->Handle();
        if (GetWindow(Form->Handle(), GW_HWNDNEXT) != wnd)
            return testing::AssertionFailure() << "not right behind the form";
        const vcl::TRect form = WindowRectOf(Form->Handle()), r = WindowRectOf(wnd);
        const vcl::TBitmap* cache = Form->Provider->SkinData()->FCacheBmp.get();
        if (r.TopLeft() != form.TopLeft() - vcl::TPoint(border->OffsetX(), border->OffsetY()))
            return testing::AssertionFailure() << "at " << r.left << "," << r.top << " beside the form at " << form.left
                                               << "," << form.top;
        if (!cache || r.Width() != cache->Width() || r.Height() != cache->Height())
            return testing::AssertionFailure() << "not of the cache's size";
        return testing::AssertionSuccess();
    }
    // The frame test skin's form section: the shadow of the border window stays, the hole is the
    // client area.
    static void ExpectHoleIsClientArea(TLoggingForm* Form)
    {
        const HWND wnd = Border(Form)->AForm->Handle();
        const int left = Form->Provider->OffsetX(), top = Form->Provider->OffsetY();
        const int right = left + Form->ClientWidth(), bottom = top + Form->ClientHeight();
        EXPECT_FALSE(InRegion(wnd, left, top));
        EXPECT_FALSE(InRegion(wnd, right - 1, bottom - 1));
        EXPECT_TRUE(InRegion(wnd, right, bottom - 1));
        EXPECT_TRUE(InRegion(wnd, right - 1, bottom));
        EXPECT_TRUE(InRegion(wnd, left - 1, top));
    }

    const std::function<void(vcl::TWinControl*)> SavedLoop = acDragMoveLoop;
};

std::vector<int> AlphasOf(const std::vector<test::TLayeredFrame>& Frames, HWND Wnd)
{
    std::vector<int> alphas;
    for (const test::TLayeredFrame& frame : Frames)
        if (frame.Wnd == Wnd)
            alphas.push_back(frame.Blend.SourceConstantAlpha);
    return alphas;
}

}  // namespace

TEST_F(ExBorderBehaviourTest, TheBorderWindowFollowsMovesSizesAndActivationRightBehindTheForm)
{
    TLoggingForm* form = ShowForm();
    ASSERT_TRUE(AroundTheForm(form));

    form->SetBounds(form->Left() + 37, form->Top() + 21, form->Width(), form->Height());
    EXPECT_TRUE(AroundTheForm(form)) << "after a move";

    // Another window slips between them; the form raised alone takes its border window along.
    TLoggingForm* other = NewForm();
    ShowWindow(other->Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(other->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(AroundTheForm(form)) << "after a change of z-order";

    form->SetBounds(form->Left(), form->Top(), 480, 350);
    EXPECT_TRUE(AroundTheForm(form)) << "after sizing";
    ExpectHoleIsClientArea(form);

    // Activation drawn by the form's own message: the border window shows the new picture.
    test::TLayeredRecorder recorder;
    for (const WPARAM active : {WPARAM(FALSE), WPARAM(TRUE)}) {
        const HWND wnd = Border(form)->AForm->Handle();
        const size_t before = AlphasOf(recorder.Frames, wnd).size();
        SendMessageW(form->Handle(), WM_NCACTIVATE, active, 0);
        EXPECT_GT(AlphasOf(recorder.Frames, wnd).size(), before) << active;
        EXPECT_TRUE(AroundTheForm(form)) << "after WM_NCACTIVATE " << active;
    }
}

TEST_F(ExBorderBehaviourTest, ShrinkingAndGrowingKeepTheRegionsHoleOnTheClientArea)
{
    TLoggingForm* form = ShowForm();
    for (const vcl::TSize size : {vcl::TSize(300, 220), vcl::TSize(520, 400)}) {
        form->SetBounds(form->Left(), form->Top(), size.cx, size.cy);
        ExpectHoleIsClientArea(form);
        EXPECT_EQ(Border(form)->AForm->Width(), size.cx + 2 * DiffBorder(Border(form)) + 2 * Shadow);
    }
}

TEST_F(ExBorderBehaviourTest, APressAndReleaseOnTheBorderWindowsCloseButtonCloseTheForm)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND wnd = border->AForm->Handle();
    const vcl::TPoint close = TitlePointOf(border, HTCLOSE);
    const vcl::TPoint caption(Shadow + 60, close.y);
    ASSERT_EQ(HitAt(border, caption.x, caption.y), HTCAPTION);

    // Over the shadow nothing is pressed; a release over the caption after a press on the button
    // closes nothing.
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTOBJECT, ScreenPoint(border, 200, 2));
    EXPECT_FALSE(bPressed);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTOBJECT, ScreenPoint(border, close.x, close.y));
    EXPECT_TRUE(bPressed);
    EXPECT_EQ(form->Provider->ButtonClose.State, 2) << "the button shows pressed";
    SendMessageW(wnd, WM_NCLBUTTONUP, HTOBJECT, ScreenPoint(border, caption.x, caption.y));
    EXPECT_FALSE(bPressed);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTOBJECT, ScreenPoint(border, close.x, close.y));
    SendMessageW(wnd, WM_NCLBUTTONUP, HTOBJECT, ScreenPoint(border, close.x, close.y));
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the form closed";
}

TEST_F(ExBorderBehaviourTest, ACaptionDragOnTheBorderWindowMovesItFadedAndTheFormFollows)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    TacBlendOnMoving* effect = Manager->AnimEffects()->BlendOnMoving();
    effect->SetActive(true);
    effect->SetBlendValue(0);
    effect->SetTime(24);
    const HWND wnd = border->AForm->Handle();
    const vcl::TRect start = WindowRectOf(form->Handle());
    test::TLayeredRecorder recorder;
    vcl::TWinControl* dragged = nullptr;
    std::vector<int> seen;
    acDragMoveLoop = [&](vcl::TWinControl* Control) {
        dragged = Control;
        auto* timer = dynamic_cast<TacMoveTimer*>(p->FormTimer);
        ASSERT_NE(timer, nullptr);
        const size_t from = recorder.Frames.size();
        for (int i = 0; i < 3; ++i)
            timer->TimeHandler();
        for (size_t i = from; i < recorder.Frames.size(); ++i)
            if (recorder.Frames[i].Wnd == wnd)
                seen.push_back(recorder.Frames[i].Blend.SourceConstantAlpha);
        // The form's own window is invisible meanwhile; the border window shows the whole form.
        EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
        const vcl::TRect r = WindowRectOf(wnd);
        SetWindowPos(wnd, nullptr, r.left + 30, r.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const vcl::TPoint caption = TitlePointOf(border, HTCAPTION);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTOBJECT, ScreenPoint(border, caption.x, caption.y));

    EXPECT_EQ(dragged, border->AForm) << "the border window is dragged";
    EXPECT_EQ(seen, (std::vector<int>{255, 127, 0}));
    EXPECT_EQ(WindowRectOf(form->Handle()).TopLeft(), start.TopLeft() + vcl::TPoint(30, 20));
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(p->FormState & TsSkinProvider::fsBlendOnMoving);
    EXPECT_EQ(p->FormTimer, nullptr);
    ASSERT_FALSE(recorder.Frames.empty());
    EXPECT_EQ(recorder.Frames.back().Wnd, wnd);
    EXPECT_EQ(recorder.Frames.back().Blend.SourceConstantAlpha, 255) << "back at full view";
    EXPECT_TRUE(AroundTheForm(form));
}

TEST_F(ExBorderBehaviourTest, TheFirstMoveOfAStretchedFormGivesItsSizeBackAndClearsTheStretch)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const int w = form->Width(), h = form->Height();
    struct TCase {
        int Code;
        vcl::TPoint At;  // border-window point of the double click
    };
    for (const TCase& c : {TCase{HTLEFT, {Shadow, 150}}, TCase{HTTOP, {200, Shadow}}}) {
        SendMessageW(border->AForm->Handle(), WM_NCLBUTTONDBLCLK, c.Code, ScreenPoint(border, c.At.x, c.At.y));
        ASSERT_TRUE(p->FormState & (TsSkinProvider::fsStretchedWidth | TsSkinProvider::fsStretchedHeight)) << c.Code;
        ASSERT_TRUE(form->Width() != w || form->Height() != h) << c.Code;
        const vcl::TPoint moved(form->Left() + 15, form->Top() + 25);
        form->SetBounds(moved.x, moved.y, form->Width(), form->Height());
        EXPECT_EQ(vcl::TRect(form->Left(), form->Top(), form->Width(), form->Height()),
                  vcl::TRect(moved.x, moved.y, w, h))
            << c.Code;
        EXPECT_FALSE(p->FormState & (TsSkinProvider::fsStretchedWidth | TsSkinProvider::fsStretchedHeight)) << c.Code;
        EXPECT_TRUE(AroundTheForm(form)) << c.Code;
    }
}

TEST_F(ExBorderBehaviourTest, TheScreenSnapPutsTheFrameNotTheFormWindowOnTheWorkAreasEdge)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    p->SetScreenSnap(true);
    const vcl::TRect work = acWorkRect(form);
    const int margin = DiffBorder(border) + ShadowOffs;
    const int topMargin = DiffTitle(border) + ShadowOffs;
    form->SetBounds(work.left + margin + 5, work.top + topMargin + 6, form->Width(), form->Height());
    EXPECT_EQ(form->Left(), work.left + margin);
    EXPECT_EQ(form->Top(), work.top + topMargin);
    form->SetBounds(work.right - form->Width() - margin - 4, form->Top() + 100, form->Width(), form->Height());
    EXPECT_EQ(form->Left(), work.right - form->Width() - margin);
}

TEST_F(ExBorderBehaviourTest, AMaximisedFormHasNoSizingZoneAndNoShadowForTheMouse)
{
    TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSizeable,
                                 {vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMaximize});
    form->SetWindowState(vcl::TWindowState::wsMaximized);
    form->Show();
    testsupport::PumpFor(0);
    TsSkinProvider* p = form->Provider;
    p->InitExBorders(true);
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    border->UpdateExBordersPos(true, 255);

    // The maximised title is the skin's own when the system's is higher: measured here.
    const int sysCaption = SysCaptHeight(form);
    EXPECT_EQ(p->FSysExHeight, Manager->SkinData->ExMaxHeight < sysCaption + 4);

    const int w = border->AForm->Width(), h = border->AForm->Height();
    for (const vcl::TPoint at : {vcl::TPoint(200, Shadow), vcl::TPoint(Shadow, 150), vcl::TPoint(w - Shadow, 150),
                                 vcl::TPoint(200, h - Shadow), vcl::TPoint(Shadow, Shadow)}) {
        const int code = HitAt(border, at.x, at.y);
        EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << at.x << "," << at.y << " answers " << code;
    }
    const HWND wnd = border->AForm->Handle();
    for (const vcl::TPoint at : {vcl::TPoint(2, 2), vcl::TPoint(200, 3), vcl::TPoint(w - 2, h - 2)}) {
        const vcl::TMessage move{WM_MOUSEMOVE, 0, LPARAM(MAKELPARAM(at.x, at.y)), 0};
        EXPECT_FALSE(border->MouseAboveTheShadow(move)) << at.x << "," << at.y;
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_FALSE(border->ResetRgn) << "no hole at " << at.x << "," << at.y;
    }

    // Restored, the skin's title height is the form's own again.
    form->SetWindowState(vcl::TWindowState::wsNormal);
    EXPECT_FALSE(p->FSysExHeight);
}

TEST_F(ExBorderBehaviourTest, MinimiseAndRestoreRunOnTheBorderWindowsPicture)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    Render(p);
    border->UpdateExBordersPos(true, 255);
    const vcl::TRect around = WindowRectOf(border->AForm->Handle());
    test::TLayeredRecorder recorder;

    StartMinimizing(p);
    auto* timer = dynamic_cast<TacMinTimer*>(p->FormTimer);
    ASSERT_NE(timer, nullptr);
    const HWND wnd = border->AForm->Handle();
    EXPECT_EQ(timer->AnimForm, border->AForm) << "no cover of its own";
    EXPECT_FALSE(timer->AlphaFormWasCreated);
    EXPECT_EQ(timer->Plan.RectFrom, around) << "from the border window's bounds";
    ASSERT_TRUE(timer->SavedImage);
    EXPECT_EQ(timer->SavedImage->Width(), around.Width()) << "the frame and the shadow go with the form";
    EXPECT_TRUE(border->ExBorderShowing);
    int frames = 0;
    while (timer->Enabled() && frames < 50) {
        timer->TimeHandler();
        ++frames;
    }
    const std::vector<int> down = AlphasOf(recorder.Frames, wnd);
    ASSERT_GE(down.size(), 2u);
    EXPECT_LT(down.back(), down.front()) << "fading out";
    EXPECT_EQ(border->AForm, nullptr) << "the minimised form's border window goes";
    EXPECT_FALSE(border->ExBorderShowing);
    EXPECT_TRUE(timer->Minimized);

    recorder.Frames.clear();
    ASSERT_TRUE(StartRestoring(p));
    ASSERT_NE(border->AForm, nullptr) << "made again for the restore";
    const HWND back = border->AForm->Handle();
    EXPECT_EQ(timer->AnimForm, border->AForm);
    frames = 0;
    while (timer->Enabled() && frames < 50) {
        timer->TimeHandler();
        ++frames;
    }
    const std::vector<int> up = AlphasOf(recorder.Frames, back);
    ASSERT_GE(up.size(), 2u);
    EXPECT_GT(up[up.size() - 2], up.front()) << "fading in";
    EXPECT_EQ(up.back(), 255) << "the border window's own picture at the end";
    EXPECT_EQ(timer->AnimForm, nullptr);
    EXPECT_FALSE(border->ExBorderShowing);
    EXPECT_FALSE(p->FormState & TsSkinProvider::fsRestoring);
    EXPECT_TRUE(AroundTheForm(form));
}

TEST_F(ExBorderBehaviourTest, ANewCaptionShowsOnTheBorderWindowAndAShownFormGetsItsBorderWindowBack)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    {
        test::TLayeredRecorder recorder;
        form->SetCaption(L"Another caption");
        EXPECT_FALSE(AlphasOf(recorder.Frames, border->AForm->Handle()).empty()) << "the title is drawn anew";
    }
    // Hidden without a hide animation the border window goes; shown again, it comes back.
    form->Hide();
    EXPECT_EQ(Border(form), border) << "the border object stays";
    EXPECT_EQ(border->AForm, nullptr);
    form->Show();
    testsupport::PumpFor(0);
    EXPECT_TRUE(AroundTheForm(form));
    EXPECT_TRUE(IsWindowVisible(border->AForm->Handle()));
}

TEST_F(ExBorderBehaviourTest, AHoveredTitleButtonFadesOverItsPlaceOnTheBorderWindowUntilTheMouseLeavesIt)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    Manager->SetAllowGlowing(false);
    // The close button's middle on the border window, whose picture holds the title.
    const vcl::TRect r = p->ButtonClose.Rect;
    const vcl::TPoint middle(r.left + r.Width() / 2, r.top + r.Height() / 2);
    ASSERT_EQ(HitAt(border, middle.x, middle.y), HTCLOSE);
    const vcl::TRect window = WindowRectOf(border->AForm->Handle());
    vcl::TPoint mouse = window.TopLeft() + middle;
    vcl::Seams().CursorPos = [&mouse] { return mouse; };
    skintest::TMessageSpy& spy = Spy(form);
    test::TLayeredRecorder recorder;

    SendMessageW(border->AForm->Handle(), WM_NCMOUSEMOVE, HTOBJECT, MAKELPARAM(mouse.x, mouse.y));
    TacSBAnimation* animation = p->ButtonClose.Timer;
    ASSERT_NE(animation, nullptr) << "the hover fades in";
    ASSERT_NE(animation->AForm, nullptr);
    const HWND hover = animation->AForm->Handle();
    ASSERT_FALSE(recorder.Frames.empty());
    EXPECT_EQ(recorder.Frames.back().Wnd, hover);
    EXPECT_EQ(recorder.Frames.back().Pos, window.TopLeft() + r.TopLeft()) << "over the button on the border window";
    EXPECT_EQ(recorder.Frames.back().Size, vcl::TSize(r.Width(), r.Height()));

    for (int i = 0; i < 12; ++i)
        animation->OnAnimTimer(nullptr);
    EXPECT_TRUE(animation->Enabled()) << "watching the mouse over the button";
    EXPECT_EQ(spy.Count(WM_MOUSELEAVE), 0);
    mouse = vcl::TPoint(window.left + Shadow + 60, mouse.y);
    animation->OnAnimTimer(nullptr);
    EXPECT_EQ(spy.Count(WM_MOUSELEAVE), 1) << "the mouse left the button";
}
