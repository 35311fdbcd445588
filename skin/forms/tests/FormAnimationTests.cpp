// A skinned form's own animations on real windows, seen through the frames and opacities handed to
// the layered-window entry points (the virtual display cannot show partial alpha): minimise and
// restore with their timer stepped by hand, blend on moving with a move loop of the test's own,
// the show and hide covers, and what an animation that fails leaves behind.
#include "ProviderFixtures.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/application.h"
#include "vcl/extctrls_panels.h"
#include "vcl/seams.h"
#include "vcl/tests/windowing_fixtures.h"

using namespace skin;
using namespace skintest;

namespace {

std::vector<int> AlphasOf(const std::vector<test::TLayeredFrame>& Frames, HWND Wnd, size_t From = 0)
{
    std::vector<int> alphas;
    for (size_t i = From; i < Frames.size(); ++i)
        if (Frames[i].Wnd == Wnd)
            alphas.push_back(Frames[i].Blend.SourceConstantAlpha);
    return alphas;
}

bool Layered(HWND Wnd) { return GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED; }

// The animations' effects as the program sets them, without desktop composition.
class FormAnimationTest : public ProviderTest {
protected:
    void SetUp() override
    {
        // The unit's start-up, so that the manager watches the application window.
        InitSkinManagerUnit();
        ProviderTest::SetUp();
        vcl::Seams().CompositionEnabled = [] { return false; };
    }
    void TearDown() override
    {
        if (acHideTimer)
            acHideTimer->Free();
        acDragMoveLoop = SavedLoop;
        vcl::Application->SetOnRestore(vcl::TNotifyEvent());
        ProviderTest::TearDown();
        vcl::Seams() = SavedSeams;
        EXPECT_FALSE(InAnimationProcess);
    }
    // The application's main form, shown, with its provider.
    TLoggingForm* ShowMainForm()
    {
        TLoggingForm* form = nullptr;
        vcl::Application->CreateForm(form);
        form->SetBorderStyle(vcl::TFormBorderStyle::bsSingle);
        form->SetBounds(100, 100, 400, 300);
        form->AddProvider();
        Forms.push_back(form);
        form->Show();
        testsupport::PumpFor(50);
        return form;
    }
    // A shown form of its own with a provider.
    TLoggingForm* ShowForm()
    {
        TLoggingForm* form = NewForm();
        form->Show();
        testsupport::PumpFor(50);
        return form;
    }
    // The screen shows the frame test skin's form colour, active or not.
    static testing::AssertionResult ShowsFormSection(COLORREF Shown)
    {
        for (int state : {0, 1}) {
            if (Shown == COLORREF(SwapColor(vcl::TColor(skintest::FlatColour(skintest::FormSection, state)))))
                return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "shows " << std::hex << Shown;
    }
    static TacMinTimer* MinTimerOf(TsSkinProvider* Provider) { return dynamic_cast<TacMinTimer*>(Provider->FormTimer); }
    // Ticks the minimise timer by hand until it stops; the frames it took.
    static int RunFrames(TacMinTimer* Timer, int Limit = 50)
    {
        int frames = 0;
        while (Timer->Enabled() && frames < Limit) {
            Timer->TimeHandler();
            ++frames;
        }
        return frames;
    }
    const vcl::TSystemSeams SavedSeams = vcl::Seams();
    const std::function<void(vcl::TWinControl*)> SavedLoop = acDragMoveLoop;
};

}  // namespace

TEST_F(FormAnimationTest, TheMainFormShrinksToTheTaskbarInThirteenFramesAndGrowsBackOnRestore)
{
    TLoggingForm* form = ShowMainForm();
    TsSkinProvider* provider = form->Provider;
    const HWND wnd = form->Handle();
    EXPECT_TRUE(ShowsFormSection(testsupport::Grab(wnd).ClientPixel(20, 20)));
    Render(provider);
    test::TLayeredRecorder recorder;

    SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    TacMinTimer* timer = MinTimerOf(provider);
    ASSERT_NE(timer, nullptr);
    ASSERT_NE(timer->AnimForm, nullptr);
    const HWND cover = timer->AnimForm->Handle();
    EXPECT_TRUE(provider->FormState & TsSkinProvider::fsMinimizing);
    ASSERT_FALSE(recorder.Attributes.empty());
    EXPECT_EQ(recorder.Attributes.back().Wnd, wnd);
    EXPECT_EQ(recorder.Attributes.back().Alpha, 0) << "the real window is invisible at once";

    EXPECT_EQ(RunFrames(timer), 13);
    EXPECT_EQ(AlphasOf(recorder.Frames, cover),
              (std::vector<int>{255, 234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3, 0}))
        << "the cover's screenshot, twelve shrinking frames, then nothing";
    const vcl::TSize size(form->Width(), form->Height());
    std::vector<const test::TLayeredFrame*> frames;
    for (const auto& frame : recorder.Frames) {
        if (frame.Wnd == cover)
            frames.push_back(&frame);
    }
    for (const auto* frame : frames)
        EXPECT_EQ(frame->Size, size);
    ASSERT_EQ(frames.size(), 14u);
    const uint32_t centre = PixelsOf(MinTimerOf(provider)->SavedImage.get()).At(size.cx / 2, size.cy / 2);
    EXPECT_EQ(centre >> 24, 0xFFu) << "the saved picture is opaque";
    EXPECT_EQ(frames[1]->Pixel(size.cx / 2, size.cy / 2), centre) << "the first frame shows it";
    EXPECT_EQ(frames[1]->Pixel(0, 0), 0u) << "already shrunk";
    EXPECT_EQ(frames[12]->Pixel(size.cx / 2, size.cy / 2) >> 24, 0xFFu);
    EXPECT_EQ(frames[12]->Pixel(size.cx / 2 - 20, size.cy / 2), 0u) << "the last one is about 31 pixels wide";
    EXPECT_TRUE(IsIconic(vcl::Application->Handle()) || IsIconic(wnd));
    EXPECT_FALSE(Layered(wnd));
    EXPECT_FALSE(provider->FormState & TsSkinProvider::fsMinimizing);
    EXPECT_TRUE(timer->Minimized);
    EXPECT_FALSE(IsWindowVisible(cover)) << "kept hidden for the restore";

    int restores = 0;
    vcl::Application->SetOnRestore(vcl::TNotifyEvent([&](vcl::TObject*) { ++restores; }));
    SendMessageW(vcl::Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_EQ(MinTimerOf(provider), timer);
    EXPECT_TRUE(provider->FormState & TsSkinProvider::fsRestoring);
    const int restoresBefore = restores;
    const size_t restoreStart = recorder.Frames.size();
    EXPECT_EQ(RunFrames(timer), 13);
    EXPECT_EQ(AlphasOf(recorder.Frames, cover, restoreStart),
              (std::vector<int>{21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252, 255}))
        << "twelve growing frames, then the saved picture at the form's own opacity";
    EXPECT_EQ(restores, restoresBefore + 1);
    EXPECT_FALSE(IsWindow(cover));
    EXPECT_EQ(timer->AnimForm, nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_FALSE(Layered(wnd));
    EXPECT_FALSE(provider->FormState & (TsSkinProvider::fsMinimizing | TsSkinProvider::fsRestoring));
    EXPECT_FALSE(provider->fAnimating);
    // The client's colour follows activation, which other test programs on the display may take:
    // the restored form shows the form section's colour of one of its states.
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    testsupport::PumpFor(50);
    EXPECT_TRUE(ShowsFormSection(testsupport::Grab(wnd).ClientPixel(20, 20)));
}

TEST_F(FormAnimationTest, TheMainFormOnTheTaskbarMinimisedByItsButtonComesBackAnimatedAndLightsUpAgain)
{
    // As the program runs: the main form stands on the taskbar itself.
    vcl::Application->SetMainFormOnTaskBar(true);
    const vcl::TScopeExit standAlone([] { vcl::Application->SetMainFormOnTaskBar(false); });
    TLoggingForm* form = ShowMainForm();
    TsSkinProvider* provider = form->Provider;
    const HWND wnd = form->Handle();
    Render(provider);
    const vcl::TPoint origin = provider->FormLeftTop();
    const vcl::TRect& min = provider->ButtonMin.Rect;
    const vcl::TPoint mouse(origin.x + min.left + min.Width() / 2, origin.y + min.top + min.Height() / 2);
    vcl::Seams().CursorPos = [mouse] { return mouse; };
    const LPARAM at = MAKELPARAM(mouse.x, mouse.y);
    // What a click on the minimise button sends the form.
    const auto clickMinimise = [&] {
        SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMINBUTTON, at);
        SendMessageW(wnd, WM_NCLBUTTONUP, HTMINBUTTON, at);
    };
    test::TLayeredRecorder recorder;

    clickMinimise();
    TacMinTimer* timer = MinTimerOf(provider);
    ASSERT_NE(timer, nullptr);
    ASSERT_NE(timer->AnimForm, nullptr);
    const HWND cover = timer->AnimForm->Handle();
    EXPECT_EQ(RunFrames(timer), 13);
    ASSERT_TRUE(IsIconic(wnd));
    EXPECT_FALSE(bPressed) << "the press is spent";

    // The taskbar button restores the form with the system command.
    size_t from = recorder.Frames.size();
    SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(provider->FormState & TsSkinProvider::fsRestoring);
    EXPECT_EQ(RunFrames(timer), 13);
    EXPECT_EQ(AlphasOf(recorder.Frames, cover, from),
              (std::vector<int>{21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252, 255}))
        << "the restore is animated";
    EXPECT_FALSE(IsIconic(wnd));
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_FALSE(Layered(wnd));

    SendMessageW(wnd, WM_NCMOUSEMOVE, HTMINBUTTON, at);
    EXPECT_EQ(provider->CurrentHT, HTMINBUTTON);
    EXPECT_EQ(provider->ButtonMin.State, 1) << "the button under the mouse lights up again";

    from = recorder.Frames.size();
    clickMinimise();
    ASSERT_EQ(MinTimerOf(provider), timer);
    ASSERT_NE(timer->AnimForm, nullptr);
    const HWND again = timer->AnimForm->Handle();
    EXPECT_EQ(RunFrames(timer), 13);
    EXPECT_EQ(AlphasOf(recorder.Frames, again, from),
              (std::vector<int>{255, 234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3, 0}))
        << "the second minimise animates as the first";
    EXPECT_TRUE(IsIconic(wnd));
}

TEST_F(FormAnimationTest, MinimisingAgainMidRestoreTurnsBackFromTheCurrentOpacity)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* provider = form->Provider;
    test::TLayeredRecorder recorder;
    StartMinimizing(provider);
    TacMinTimer* timer = MinTimerOf(provider);
    ASSERT_NE(timer, nullptr);
    RunFrames(timer);
    ASSERT_TRUE(StartRestoring(provider));
    EXPECT_FALSE(StartRestoring(provider)) << "a restore runs already";
    for (int i = 0; i < 3; ++i)
        timer->TimeHandler();
    ASSERT_EQ(timer->Plan.CurrentAlpha, 63);

    StartMinimizing(provider);
    EXPECT_EQ(MinTimerOf(provider), timer) << "the same run, not a new one";
    const HWND cover = timer->AnimForm->Handle();
    const size_t from = recorder.Frames.size();
    EXPECT_EQ(RunFrames(timer), 3);
    EXPECT_EQ(AlphasOf(recorder.Frames, cover, from), (std::vector<int>{42, 21, 0}));
    EXPECT_TRUE(timer->Minimized);
    EXPECT_FALSE(provider->FormState & (TsSkinProvider::fsMinimizing | TsSkinProvider::fsRestoring));
}

TEST_F(FormAnimationTest, RestoringWithoutASkinnedMinimiseDoesNothing)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* provider = form->Provider;
    EXPECT_FALSE(StartRestoring(provider));
    EXPECT_EQ(provider->FormTimer, nullptr);
    EXPECT_EQ(provider->FormState, 0u);
    EXPECT_FALSE(Layered(form->Handle()));

    Manager->AnimEffects()->Minimizing()->SetActive(false);
    StartMinimizing(provider);
    EXPECT_EQ(provider->FormTimer, nullptr) << "no animation without the effect";
    EXPECT_FALSE(Layered(form->Handle()));
}

TEST_F(FormAnimationTest, ADraggedFormFadesStepByStepAndComesBackWhenTheDragEnds)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* provider = form->Provider;
    const HWND wnd = form->Handle();
    TacBlendOnMoving* effect = Manager->AnimEffects()->BlendOnMoving();
    effect->SetActive(true);
    effect->SetBlendValue(0);
    effect->SetTime(24);
    EXPECT_TRUE(BlendOnMovingWanted(provider));
    test::TLayeredRecorder recorder;
    std::vector<int> seen;
    bool fadingDuringDrag = false;
    acDragMoveLoop = [&](vcl::TWinControl*) {
        auto* timer = dynamic_cast<TacMoveTimer*>(provider->FormTimer);
        ASSERT_NE(timer, nullptr);
        fadingDuringDrag = provider->FormState & TsSkinProvider::fsBlendOnMoving;
        const size_t from = recorder.Attributes.size();
        for (int i = 0; i < 4; ++i)
            timer->TimeHandler();
        for (size_t i = from; i < recorder.Attributes.size(); ++i)
            if (recorder.Attributes[i].Wnd == wnd)
                seen.push_back(recorder.Attributes[i].Alpha);
    };
    StartBlendOnMoving(provider);
    EXPECT_TRUE(fadingDuringDrag);
    EXPECT_EQ(seen, (std::vector<int>{255, 127, 0, 0}));
    EXPECT_FALSE(Layered(wnd));
    EXPECT_EQ(provider->FormTimer, nullptr);
    EXPECT_FALSE(provider->FormState & TsSkinProvider::fsBlendOnMoving);

    provider->SetAllowBlendOnMoving(false);
    EXPECT_FALSE(BlendOnMovingWanted(provider));
    seen.clear();
    StartBlendOnMoving(provider);
    EXPECT_EQ(seen, (std::vector<int>{255, 255, 255, 255})) << "the drag still runs, without fading";
}

TEST_F(FormAnimationTest, AShowAtTimeZeroPutsTheFinishedPictureOverTheFormAndLeavesNoCover)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* provider = form->Provider;
    auto* hidden = vcl::Create<vcl::TPanel>(form);
    hidden->SetParent(form);
    hidden->SetParentBackground(false);
    hidden->SetColor(vcl::TColor(0x00FF00));
    hidden->SetBounds(20, 20, 40, 40);
    hidden->SetVisible(false);
    TMessageSpy& spy = Spy(form);
    const HWND wnd = form->Handle();
    std::vector<TacAnimEvent> events;
    HWND cover = nullptr;
    bool coverLeftAtEvent = true;
    provider->SetOnAfterAnimation(TacAfterAnimation([&](TacAnimEvent Event) {
        events.push_back(Event);
        coverLeftAtEvent = cover && IsWindow(cover);
    }));
    test::TLayeredRecorder recorder;
    SendMessageW(wnd, WM_SETREDRAW, 0, 0);

    AnimShowForm(provider, 0, 255, TacAnimType::atAero);
    ASSERT_FALSE(recorder.Frames.empty());
    cover = recorder.Frames.front().Wnd;
    EXPECT_NE(cover, wnd);
    EXPECT_EQ(AlphasOf(recorder.Frames, cover), (std::vector<int>{255, 255})) << "the finished picture at once";
    const auto& picture = recorder.Frames.back();
    EXPECT_EQ(picture.Size, vcl::TSize(form->Width(), form->Height()));
    RECT r{};
    GetWindowRect(wnd, &r);
    EXPECT_EQ(picture.Pos, vcl::TPoint(r.left, r.top));
    const POINT client = [&] {
        POINT p{0, 0};
        ClientToScreen(wnd, &p);
        return POINT{p.x - r.left, p.y - r.top};
    }();
    EXPECT_EQ(picture.Pixel(client.x + 30, client.y + 30), picture.Pixel(client.x + 150, client.y + 30))
        << "the hidden child shows the form's background";
    EXPECT_EQ(picture.Pixel(client.x + 30, client.y + 30) >> 24, 0xFFu);
    EXPECT_FALSE(IsWindow(cover));
    EXPECT_FALSE(coverLeftAtEvent);
    EXPECT_EQ(events, std::vector<TacAnimEvent>{TacAnimEvent::aeShowing});
    EXPECT_GT(spy.Count(WM_PAINT), 0) << "the form was drawn again";
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_FALSE(provider->FInAnimation);
}

TEST_F(FormAnimationTest, ASkinChangeOfAFormFadesTheNewPictureInOnACoverOfItsOwn)
{
    TLoggingForm* form = ShowForm();
    test::TLayeredRecorder recorder;
    TMessageSpy& spy = Spy(form);
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    AnimShowControl(form, 24, 255, TacAnimType::atFading);
    ASSERT_FALSE(recorder.Frames.empty());
    const HWND cover = recorder.Frames.front().Wnd;
    EXPECT_NE(cover, form->Handle());
    EXPECT_EQ(AlphasOf(recorder.Frames, cover), (std::vector<int>{0, 128, 255, 255, 255}));
    EXPECT_EQ(recorder.Frames.back().Size, vcl::TSize(form->Width(), form->Height()));
    EXPECT_FALSE(IsWindow(cover));
    EXPECT_EQ(ow, nullptr);
    EXPECT_GT(spy.Count(WM_PAINT), 0) << "the form draws its new look";
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(FormAnimationTest, AChangeOfSkinFadesEveryShownFormInAndGivesItTheNewSkinsRegion)
{
    TLoggingForm* first = ShowForm();
    TLoggingForm* second = ShowForm();
    second->SetBounds(520, 150, 300, 200);
    testsupport::PumpFor(0);
    Manager->AnimEffects()->SkinChanging()->SetTime(24);
    Manager->SetSkinDirectory(std::filesystem::path(FrameSkinFolder()).parent_path().wstring());
    test::TLayeredRecorder recorder;

    Manager->SetSkinName(L"REGION");
    std::vector<HWND> covers;
    for (TLoggingForm* form : {first, second}) {
        SCOPED_TRACE(form == first ? "first form" : "second form");
        const vcl::TRect place = WindowRectOf(form->Handle());
        const auto cover = std::find_if(recorder.Frames.begin(), recorder.Frames.end(), [&](const auto& frame) {
            return frame.Pos == place.TopLeft() && frame.Size == vcl::TSize(place.Width(), place.Height());
        });
        ASSERT_NE(cover, recorder.Frames.end()) << "the form's new look came on a cover";
        covers.push_back(cover->Wnd);
        EXPECT_NE(cover->Wnd, form->Handle());
        EXPECT_EQ(AlphasOf(recorder.Frames, cover->Wnd), (std::vector<int>{0, 128, 255, 255, 255}));
        EXPECT_FALSE(IsWindow(cover->Wnd));
        TsSkinProvider* provider = form->Provider;
        EXPECT_FALSE(provider->FInAnimation);
        EXPECT_EQ(provider->FormState & (TsSkinProvider::fsPaintLocked | TsSkinProvider::fsCoverShown), 0u);
        // The region test skin's corners hold key runs: the window region leaves them out.
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_TRUE(PtInRegion(region, place.Width() / 2, 0));
        DeleteObject(region);
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
    }
    EXPECT_NE(covers[0], covers[1]);
}

TEST_F(FormAnimationTest, AnAeroShowRisesThroughItsFramesBeforeTheFinalPicture)
{
    TLoggingForm* form = ShowForm();
    test::TLayeredRecorder recorder;
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    AnimShowForm(form->Provider, 100, 255, TacAnimType::atAero);
    ASSERT_FALSE(recorder.Frames.empty());
    EXPECT_EQ(AlphasOf(recorder.Frames, recorder.Frames.front().Wnd),
              (std::vector<int>{0, 32, 64, 96, 128, 159, 191, 223, 255, 255, 255}));
    const auto& first = recorder.Frames[1];  // 3/4 of the picture at (W/8, H/8)
    EXPECT_EQ(first.Pixel(0, 0), 0u);
    EXPECT_NE(first.Pixel(form->Width() / 2, form->Height() / 2), 0u);
}

TEST_F(FormAnimationTest, ASecondHideFreesTheFirstCoverAndAShortOneShowsNothing)
{
    TLoggingForm* first = ShowForm();
    TLoggingForm* second = ShowForm();
    Manager->AnimEffects()->FormHide()->SetTime(120);
    test::TLayeredRecorder recorder;
    for (TLoggingForm* form : {first, second}) {
        Render(form->Provider);
        ShowWindow(form->Handle(), SW_HIDE);
    }

    AnimHideForm(first->Provider);
    ASSERT_TRUE(acHideTimer && acHideTimer->Form);
    const HWND firstCover = acHideTimer->Form->Handle();
    EXPECT_TRUE(IsWindowVisible(firstCover));
    const auto alphas = AlphasOf(recorder.Frames, firstCover);
    EXPECT_EQ(std::vector<int>(alphas.end() - 2, alphas.end()), (std::vector<int>{255, 230}))
        << "the picture, then the first frame";
    const uint32_t cached = PixelsOf(first->Provider->SkinData()->FCacheBmp.get()).At(10, 5);
    EXPECT_EQ(recorder.Frames.back().Pixel(10, 5), cached | 0xFF000000u) << "the cache, opaque";
    EXPECT_FALSE(InAnimationProcess);

    AnimHideForm(second->Provider);
    EXPECT_FALSE(IsWindow(firstCover));
    ASSERT_TRUE(acHideTimer->Form);
    const HWND secondCover = acHideTimer->Form->Handle();

    Manager->AnimEffects()->FormHide()->SetTime(11);
    AnimHideForm(first->Provider);
    EXPECT_FALSE(IsWindow(secondCover));
    EXPECT_EQ(acHideTimer->Form, nullptr) << "too short to show";
}

TEST_F(FormAnimationTest, AShowThatRaisesLeavesNoCoverAndGivesTheFormItsDrawingBack)
{
    TLoggingForm* form = ShowForm();
    // Painted straight into the snapshot: a plain panel's picture is taken without a message.
    auto* panel = vcl::Create<vcl::TPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(5, 5, 60, 40);
    auto* box = vcl::Create<vcl::TPaintBox>(panel);
    box->SetParent(panel);
    box->SetBounds(5, 5, 20, 20);
    box->SetOnPaint(vcl::TNotifyEvent([](vcl::TObject*) { throw vcl::Exception(L"paint failed"); }));
    const int formsBefore = vcl::Screen->FormCount();
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    form->Provider->FInAnimation = true;

    EXPECT_THROW(AnimShowForm(form->Provider, 24, 255, TacAnimType::atFading), vcl::Exception);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(form->Provider->FInAnimation);
    EXPECT_EQ(vcl::Screen->FormCount(), formsBefore) << "the cover went";
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "drawing again";
    box->SetOnPaint(vcl::TNotifyEvent());
}

TEST_F(FormAnimationTest, AFormHiddenWhileTheSkinIsOffGoesThroughTheHideAnimation)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* provider = form->Provider;
    Render(provider);
    Manager->AnimEffects()->FormHide()->SetTime(120);
    Manager->SkinData->Active = false;  // as while a skin is being changed
    ASSERT_FALSE(provider->SkinData()->Skinned(true));
    test::TLayeredRecorder recorder;

    ShowWindow(form->Handle(), SW_HIDE);
    Manager->SkinData->Active = true;
    ASSERT_TRUE(acHideTimer && acHideTimer->Form) << "a cover runs the hide";
    EXPECT_TRUE(IsWindowVisible(acHideTimer->Form->Handle()));
    EXPECT_FALSE(Layered(form->Handle()));
    EXPECT_FALSE(provider->SkipAnimation);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_TRUE(testsupport::PumpUntil([] { return !acHideTimer->Form; }, 3000)) << "the timer ends it";

    provider->SetAllowAnimation(false);
    Manager->SkinData->Active = false;
    ShowWindow(form->Handle(), SW_SHOW);
    ShowWindow(form->Handle(), SW_HIDE);
    Manager->SkinData->Active = true;
    EXPECT_FALSE(acHideTimer && acHideTimer->Form) << "no animation without the provider's leave";
}

TEST_F(FormAnimationTest, WhenTheApplicationEndsTheMainFormLeavesThroughTheHideAnimation)
{
    wintest::TTemporaryApplication app;  // frees its main form, the hide timer and its cover
    TLoggingForm* form = nullptr;
    vcl::Application->CreateForm(form);
    form->SetBounds(100, 100, 300, 200);
    TsSkinProvider* provider = form->AddProvider();
    form->Show();
    testsupport::PumpFor(50);
    Render(provider);
    Manager->AnimEffects()->FormHide()->SetTime(36);
    Manager->AnimEffects()->FormHide()->SetMode(TacAnimType::atFading);
    vcl::Application->Terminate();
    vcl::Application->ProcessMessages();
    ASSERT_TRUE(vcl::Application->Terminated());
    test::TLayeredRecorder recorder;

    WINDOWPOS pos{};
    pos.flags = SWP_HIDEWINDOW;
    vcl::TMessage message{WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), 0};
    EXPECT_FALSE(Manager->MainWindowHook(message));
    EXPECT_TRUE(provider->FormState & TsSkinProvider::fsExitAnimation);
    EXPECT_TRUE(provider->SkipAnimation);
    EXPECT_TRUE(Layered(form->Handle()));
    ASSERT_TRUE(acHideTimer && acHideTimer->Form);
    EXPECT_EQ(AlphasOf(recorder.Frames, acHideTimer->Form->Handle()), (std::vector<int>{255, 255, 170, 85, 0, 0}))
        << "every frame inside the call";
    EXPECT_FALSE(InAnimationProcess);
}

TEST_F(FormAnimationTest, TheWaitForAHideHandlesMessagesAndGivesUp)
{
    TLoggingForm* form = ShowForm();
    TMessageSpy& spy = Spy(form);
    constexpr UINT probe = WM_APP + 7;
    PostMessageW(form->Handle(), probe, 0, 0);
    InAnimationProcess = true;
    WaitForAnimationEnd(20, true);
    EXPECT_TRUE(InAnimationProcess) << "it gave up; it does not clear what it does not own";
    InAnimationProcess = false;
    EXPECT_EQ(spy.Count(probe), 1);
}
