// Forms and the application object under a real display: modal loops, timers inside nested loops,
// close actions, creation errors, the run loop and threads that synchronise with the GUI thread.
#include "windowing_fixtures.h"

#include "vcl/extctrls.h"

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::RunInNextLoopTurn;

TEST_F(WindowTest, ShowModalReturnsTheModalResultSetFromInsideItsLoop)
{
    TForm* owner = NewForm();
    ShowAndPaint(owner);
    TForm* dialog = NewForm();
    bool visibleInside = false;
    bool ownerDisabledInside = false;
    RunInNextLoopTurn([&] {
        visibleInside = dialog->Visible() && IsWindowVisible(dialog->Handle());
        ownerDisabledInside = !IsWindowEnabled(owner->Handle());
        dialog->SetModalResult(mrRetry);
    });
    EXPECT_EQ(mrRetry, dialog->ShowModal());
    EXPECT_TRUE(visibleInside);
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_THROW(owner->ShowModal(), EInvalidOperation) << "a visible form cannot go modal";
}

TEST_F(WindowTest, AMouseEventThatThrowsInsideShowModalIsReportedAndTheLoopGoesOn)
{
    testsupport::TExceptionCapture capture;
    TForm* dialog = NewForm();
    auto* panel = NewChild<TTestPanel>(dialog, 10, 10, 100, 50);
    panel->SetOnMouseEnter(TNotifyEvent([&](TObject*) {
        dialog->SetModalResult(mrOk);
        throw EConvertError(L"cannot enter");
    }));
    TMouseDriver mouse;
    RunInNextLoopTurn([&] { mouse.Place(panel, 5, 5); });
    TModalResult result = mrNone;
    EXPECT_NO_THROW(result = dialog->ShowModal());
    EXPECT_EQ(mrOk, result);
    ASSERT_EQ(1u, capture.Reports().size());
    EXPECT_EQ(L"cannot enter", capture.Reports()[0].Message);
    EXPECT_EQ(panel, capture.Reports()[0].Sender);
}

TEST_F(WindowTest, TimerTicksInsideShowModal)
{
    TForm* dialog = NewForm();
    auto* timer = Create<TTimer>(dialog);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (++ticks == 3)
            dialog->SetModalResult(mrOk);
    }));
    EXPECT_EQ(mrOk, dialog->ShowModal());
    EXPECT_GE(ticks, 3);
}

TEST_F(WindowTest, TimerTicksInsideASystemMessageBox)
{
    auto* timer = Create<TTimer>(nullptr);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (++ticks == 3)
            testsupport::CloseThreadDialog(IDOK);
    }));
    EXPECT_EQ(IDOK, Application->MessageBox(L"waiting for three ticks", L"", MB_OK));
    EXPECT_GE(ticks, 3);
    timer->Free();
}

namespace {

class TCountingTimer : public TTimer {
    CL_CLASS(TCountingTimer, TTimer)
public:
    using TTimer::TTimer;
    int Ticks = 0;

protected:
    void Timer() override
    {
        ++Ticks;
        TTimer::Timer();
    }
};

}  // namespace

TEST_F(WindowTest, TimerRunsOnlyWithAnEventAndAnIntervalAndEnablingAgainDoesNotRestartIt)
{
    auto* noEvent = Create<TCountingTimer>(nullptr);
    noEvent->SetInterval(5);
    auto* noInterval = Create<TCountingTimer>(nullptr);
    noInterval->SetInterval(0);
    noInterval->SetOnTimer(TNotifyEvent([](TObject*) {}));
    PumpFor(100);
    EXPECT_EQ(0, noEvent->Ticks);
    EXPECT_EQ(0, noInterval->Ticks);

    // Enabling a running timer over and over, far more often than it ticks, must not hold it back.
    auto* running = Create<TCountingTimer>(nullptr);
    running->SetInterval(200);
    running->SetOnTimer(TNotifyEvent([](TObject*) {}));
    EXPECT_TRUE(PumpUntil([&] {
        running->SetEnabled(true);
        return running->Ticks > 0;
    }));
    for (TTimer* t : {static_cast<TTimer*>(noEvent), static_cast<TTimer*>(noInterval), static_cast<TTimer*>(running)})
        t->Free();
}

TEST_F(WindowTest, CloseActionFreeReleasesTheDialogAfterShowModal)
{
    auto* dialog = Create<TForm>(nullptr);
    bool destroyed = false;
    dialog->SetOnClose(TCloseEvent([](TObject*, TCloseAction& action) { action = TCloseAction::caFree; }));
    dialog->SetOnDestroy(TNotifyEvent([&](TObject*) { destroyed = true; }));
    RunInNextLoopTurn([&] { dialog->SetModalResult(mrOk); });
    EXPECT_EQ(mrOk, dialog->ShowModal());
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

TEST_F(WindowTest, CloseActionNoneKeepsTheModalLoopGoing)
{
    TForm* dialog = NewForm();
    int closes = 0;
    dialog->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& action) {
        if (++closes == 1)
            action = TCloseAction::caNone;
    }));
    RunInNextLoopTurn([&] {
        dialog->SetModalResult(mrOk);
        RunInNextLoopTurn([&] { dialog->SetModalResult(mrNo); });
    });
    EXPECT_EQ(mrNo, dialog->ShowModal());
    EXPECT_EQ(2, closes);
}

namespace {

// A form whose creation handler fails, as one whose picture file is missing.
class TFailingForm : public TForm {
    CL_CLASS(TFailingForm, TForm)
public:
    bool RestOfHandlerRan = false;
    explicit TFailingForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetOnCreate(TNotifyEvent(this, &TFailingForm::FormCreate));
    }

private:
    void FormCreate(TObject*)
    {
        throw EFOpenError(L"Cannot open file \"image\\2scale.png\".");
        RestOfHandlerRan = true;
    }
};

}  // namespace

TEST_F(WindowTest, CreationHandlerExceptionIsShownAndTheFormExists)
{
    TTemporaryApplication app;
    testsupport::TMessageBoxRecorder boxes;
    Application->SetTitle(L"Config Zirvane series");
    TFailingForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(form, Application->MainForm());
    EXPECT_FALSE(form->RestOfHandlerRan);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Cannot open file \"image\\2scale.png\".", boxes.Boxes()[0].Text);
    EXPECT_EQ(L"Config Zirvane series", boxes.Boxes()[0].Caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), boxes.Boxes()[0].Type);
}

namespace {

// A second instance: the creation handler asks to end without showing the window.
class TEndingForm : public TForm {
    CL_CLASS(TEndingForm, TForm)
public:
    bool Shown = false;
    bool Ticked = false;
    TTimer* Timer;
    explicit TEndingForm(TComponent* AOwner) : TForm(AOwner), Timer(Create<TTimer>(this))
    {
        Timer->SetEnabled(false);
        Timer->SetInterval(1);
        Timer->SetOnTimer(TNotifyEvent([this](TObject*) { Ticked = true; }));
        SetOnShow(TNotifyEvent([this](TObject*) { Shown = true; }));
        SetOnCreate(TNotifyEvent([this](TObject*) {
            Timer->SetEnabled(true);
            Sleep(20);
            Application->SetShowMainForm(false);
            Application->Terminate();
        }));
    }
};

}  // namespace

TEST_F(WindowTest, TerminateInTheCreationHandlerEndsRunWithoutShowingAnything)
{
    TTemporaryApplication app;
    TEndingForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(form->Shown);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Ticked) << "the loop ends before pending timer ticks";
}

TEST_F(WindowTest, ClosingTheMainFormEndsRun)
{
    TTemporaryApplication app;
    TForm* form = nullptr;
    Application->CreateForm(form);
    bool closed = false;
    form->SetOnClose(TCloseEvent([&](TObject*, TCloseAction&) { closed = true; }));
    RunInNextLoopTurn([&] { PostMessageW(form->Handle(), WM_CLOSE, 0, 0); });
    Application->Run();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(WindowTest, ChangedBorderIconsRecreateTheShownWindowAndEqualOnesDoNothing)
{
    TForm* form = NewForm();
    form->SetCaption(L"Config Zirvane series v2.65");
    form->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize});
    ShowAndPaint(form);
    HWND before = form->Handle();

    form->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize});
    EXPECT_EQ(before, form->Handle());
    form->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
    HWND after = form->Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(IsWindowVisible(after));
    EXPECT_EQ(0, GetWindowLongW(after, GWL_STYLE) & WS_MAXIMIZEBOX);
    EXPECT_EQ(L"Config Zirvane series v2.65", form->Caption());

    form->SetWindowState(TWindowState::wsMaximized);
    EXPECT_TRUE(IsZoomed(after));
}

TEST_F(WindowTest, StayOnTopMakesTheWindowTopmostAndNormalEndsIt)
{
    const auto topmost = [](TForm* form) { return (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    TForm* early = NewForm();
    early->SetFormStyle(TFormStyle::fsStayOnTop);
    ShowAndPaint(early);
    EXPECT_TRUE(topmost(early)) << "set before the window exists";

    TForm* form = NewForm();
    ShowAndPaint(form);
    EXPECT_FALSE(topmost(form));
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    EXPECT_TRUE(topmost(form)) << "set on a shown window";
    form->RecreateWnd();
    EXPECT_TRUE(topmost(form)) << "a new window keeps it";
    form->SetFormStyle(TFormStyle::fsNormal);
    EXPECT_FALSE(topmost(form));
    EXPECT_TRUE(topmost(early));
}

TEST_F(WindowTest, MinimisingKeepsTheLayoutForTheRestore)
{
    TForm* form = NewForm(300, 200);
    auto* client = NewChild<TTestPanel>(form, 0, 0, 10, 10);
    client->SetAlign(TAlign::alClient);
    ShowAndPaint(form);
    TRect bounds = form->BoundsRect();
    ASSERT_EQ(Bounds(0, 0, 300, 200), client->BoundsRect());

    form->SetWindowState(TWindowState::wsMinimized);
    ASSERT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(bounds, form->BoundsRect());
    EXPECT_EQ(Bounds(0, 0, 300, 200), client->BoundsRect());
    form->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(bounds, form->BoundsRect());
    EXPECT_EQ(Bounds(0, 0, 300, 200), client->BoundsRect());
}

TEST_F(WindowTest, ApplicationWindowHooksSeeActivationFirst)
{
    std::vector<UINT> hooked;
    bool swallow = false;
    TWindowHook hook([&](TMessage& m) {
        hooked.push_back(m.Msg);
        return swallow && m.Msg == CM_ACTIVATE;
    });
    int activations = 0;
    TNotifyEvent savedOnActivate = Application->OnActivate();
    Application->SetOnActivate(TNotifyEvent([&](TObject*) { ++activations; }));
    Application->HookMainWindow(hook);

    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ((std::vector<UINT>{WM_ACTIVATEAPP, CM_ACTIVATE}), hooked);
    EXPECT_EQ(1, activations);
    swallow = true;
    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(1, activations) << "a hook that handles the message keeps it from the application";

    Application->UnhookMainWindow(hook);
    hooked.clear();
    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(hooked.empty());
    EXPECT_EQ(2, activations);
    Application->SetOnActivate(savedOnActivate);
}

TEST_F(WindowTest, ScreenListsFormsWithTheLastActivatedFirst)
{
    TForm* first = NewForm();
    TForm* second = NewForm();
    auto index = [](TCustomForm* form) {
        for (int i = 0; i < Screen->CustomFormCount(); ++i)
            if (Screen->CustomForms(i) == form)
                return i;
        return -1;
    };
    ASSERT_LT(index(first), index(second)) << "creation order";
    ShowAndPaint(second);
    ShowAndPaint(first);
    EXPECT_EQ(0, index(first));
    EXPECT_EQ(first, Screen->ActiveForm());
    EXPECT_LT(index(first), index(second));
}

// ---------------------------------------------------------------------------------------------
// Threads

namespace {

class TLambdaThread : public TThread {
    CL_CLASS(TLambdaThread, TThread)
public:
    explicit TLambdaThread(std::function<void(TLambdaThread*)> body) : TThread(true), FBody(std::move(body)) {}
    using TThread::Synchronize;

protected:
    void Execute() override { FBody(this); }

private:
    std::function<void(TLambdaThread*)> FBody;
};

}  // namespace

TEST_F(WindowTest, SynchronizeRunsWhileTheGuiThreadSitsInAMessageBox)
{
    bool ran = false;
    auto* thread = Create<TLambdaThread>([&](TLambdaThread* self) {
        self->Synchronize(TThreadMethod([&] {
            ran = true;
            testsupport::CloseThreadDialog(IDOK);
        }));
    });
    thread->Start();
    EXPECT_EQ(IDOK, Application->MessageBox(L"waiting for the thread", L"", MB_OK));
    EXPECT_TRUE(ran);
    thread->Free();
}

TEST_F(WindowTest, FreeingAThreadFromOnCloseWhileItWaitsInSynchronizeCompletes)
{
    TForm* form = NewForm();
    HANDLE entering = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    int synchronised = 0;
    auto* thread = Create<TLambdaThread>([&](TLambdaThread* self) {
        while (!self->Terminated()) {
            SetEvent(entering);
            self->Synchronize(TThreadMethod([&] { ++synchronised; }));
        }
    });
    bool freed = false;
    form->SetOnClose(TCloseEvent([&](TObject*, TCloseAction&) {
        // The GUI thread does not serve the queue here, so the thread is held in Synchronize.
        WaitForSingleObject(entering, INFINITE);
        thread->Free();
        freed = true;
    }));
    ShowAndPaint(form);
    thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return synchronised > 2; }));
    form->Close();
    EXPECT_TRUE(freed);
    CloseHandle(entering);
}

TEST_F(WindowTest, TheMainFormMinimisesThroughTheApplicationWindowWhoseHooksComeFirst)
{
    for (bool onTaskBar : {true, false}) {
        TTemporaryApplication app;
        Application->SetMainFormOnTaskBar(onTaskBar);
        TForm* form = nullptr;
        Application->CreateForm(form);
        TObjectPtr<TForm> other(Create<TForm>(nullptr));
        form->Show();
        other->Show();
        int hooked = 0;
        bool swallow = true;
        Application->HookMainWindow(TWindowHook([&](TMessage& Message) {
            const bool minimize = Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_MINIMIZE;
            hooked += minimize;
            return minimize && swallow;
        }));
        SendMessageW(other->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_EQ(hooked, 0) << "another form minimises by itself";
        ShowWindow(other->Handle(), SW_RESTORE);

        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_EQ(hooked, 1) << onTaskBar;
        EXPECT_FALSE(IsIconic(form->Handle())) << "the hook took it";
        EXPECT_FALSE(IsIconic(Application->Handle()));

        swallow = false;
        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_EQ(hooked, 2);
        EXPECT_TRUE(IsIconic(onTaskBar ? form->Handle() : Application->Handle())) << onTaskBar;
        ShowWindow(onTaskBar ? form->Handle() : Application->Handle(), SW_RESTORE);
    }
}

// The form's icon goes to its window when set and when the window is made again; the
// application's goes to the application window.
TEST_F(WindowTest, IconsGoToTheirWindows)
{
    TForm* form = NewForm();
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(CopyIcon(LoadIconW(nullptr, IDI_WARNING)));
    form->SetIcon(icon.get());
    EXPECT_EQ(SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(form->Icon()->Handle()))
        << "a window made after the icon was set";
    icon->SetHandle(CopyIcon(LoadIconW(nullptr, IDI_ERROR)));
    form->SetIcon(icon.get());
    EXPECT_EQ(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0),
              reinterpret_cast<LRESULT>(form->Icon()->Handle()))
        << "a change while the window exists";

    TIcon saved;
    saved.Assign(Application->Icon());
    Application->SetIcon(icon.get());
    EXPECT_EQ(SendMessageW(Application->Handle(), WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(Application->Icon()->Handle()));
    Application->SetIcon(&saved);
}

TEST_F(WindowTest, AFormsMonitorHoldsIt)
{
    TForm* form = NewForm();
    ShowAndPaint(form);
    ASSERT_GE(Screen->MonitorCount(), 1);
    TMonitor* monitor = form->Monitor();
    ASSERT_NE(nullptr, monitor);
    EXPECT_EQ(monitor, Screen->Monitors(monitor->MonitorNum()));
    EXPECT_TRUE(monitor->BoundsRect().Contains(form->BoundsRect().CenterPoint()));
    EXPECT_TRUE(monitor->Primary());
    EXPECT_EQ(TRect(0, 0, Screen->Width(), Screen->Height()), monitor->BoundsRect());
}
