// The wizard question, the setup wizard's navigation and steps, and the adjustment flow, on the
// real forms against the detector simulator.
#include "workflow_fixture.h"

#include "languages/messagetexts.h"
#include "mainwindow/Mastersettingform.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <functional>

namespace {

using namespace zirv;
using vcl::String;

// Per step 1 to 6 (choose-sensor flavour): the heading's title, the step timer that runs (as an
// index of StepTimers, -1 for none), whether the keep-alive runs and whether Back is enabled.
struct StepState {
    const String* Title;
    int Timer;
    bool KeepAlive;
    bool BackEnabled;
};

const StepState StepStates[] = {
    {&msgStepChooseSensor, -1, true, false}, {&msgStepPowerTitle, 0, false, true},
    {&msgStepLetterTitle, -1, true, true},   {&msgStepSpeedTitle, -1, true, true},
    {&msgStepAdjustTitle, 1, false, true},   {&msgStepThresholdTitle, 2, false, true},
};

class WizardTest : public WorkflowTest {
protected:
    // The search's leavings for detectors at the given addresses: found flags, both lists, the
    // keep-alive running, the current detector the first of them.
    void Found(std::initializer_list<int> addresses)
    {
        Form()->cbAddress->Items()->Clear();
        Form()->cbStepAddress->Items()->Clear();
        for (int address : addresses) {
            Form()->FoundFlags[static_cast<size_t>(address)] = 1;
            Form()->cbAddress->Items()->Add(AddressItem(address));
            Form()->cbStepAddress->Items()->Add(AddressItem(address));
        }
        Form()->cbAddress->SetItemIndex(0);
        Form()->cbStepAddress->SetItemIndex(0);
        Form()->Timer_ReqID->SetEnabled(true);
    }

    // The question as the search shows it, answered from inside its modal loop.
    void Answer(const std::function<void(TfrmMasterSetting*)>& answer)
    {
        auto* dialog = vcl::Create<TfrmMasterSetting>(vcl::Application);
        frmMasterSetting = dialog;
        testsupport::RunInNextLoopTurn([dialog, answer] { answer(dialog); });
        dialog->ShowModal();
        testsupport::PumpFor(0);
    }

    void Next() { Form()->btNextStep->Click(); }
    void Back() { Form()->btBack->Click(); }

    // The wizard walked from the question to the threshold step.
    void WalkToThresholdStep()
    {
        Answer([](TfrmMasterSetting* d) { d->sButton1->Click(); });
        for (int i = 0; i < 5; ++i)
            Next();
        ASSERT_EQ(6, WizardStep);
        TakeFrames();
    }

    std::vector<vcl::TControl*> ThresholdControls() const
    {
        TfrmMain* f = Form();
        return {f->btStepPlus, f->btStepMinus, f->StepPaintBox1, f->cStepZone1, f->Image4, f->Label5,
                f->Label6,     f->Label7,      f->Label8,        f->edStepTres, f->lbTresholLevel};
    }

    // The controls of each step's page, steps 1 to 6.
    std::vector<std::vector<vcl::TControl*>> Pages() const
    {
        TfrmMain* f = Form();
        return {{f->PanelAddress}, {f->PanelRxPower}, {f->PanelLetter}, {f->PanelSpeed}, {f->PanelUst},
                ThresholdControls()};
    }

    std::vector<vcl::TTimer*> StepTimers() const
    {
        return {Form()->Timer_RxPower, Form()->Timer_Ust, Form()->Timer_Tres};
    }

    // The window shows the step: its page alone, its heading, its timers and its Back button.
    void ExpectStep(int step)
    {
        SCOPED_TRACE(testing::Message() << "step " << step);
        TfrmMain* f = Form();
        EXPECT_EQ(step, WizardStep);
        const auto pages = Pages();
        for (size_t page = 0; page < pages.size(); ++page)
            for (vcl::TControl* control : pages[page])
                EXPECT_EQ(static_cast<int>(page) == step - 1, control->Visible()) << control->Name();
        EXPECT_FALSE(f->PanelNumberChange->Visible());
        const StepState& state = StepStates[step - 1];
        EXPECT_EQ(Heading(step, *state.Title), f->lbStep->Caption());
        const auto timers = StepTimers();
        for (size_t timer = 0; timer < timers.size(); ++timer)
            EXPECT_EQ(static_cast<int>(timer) == state.Timer, timers[timer]->Enabled()) << timer;
        EXPECT_EQ(state.KeepAlive, f->Timer_ReqID->Enabled());
        EXPECT_EQ(state.BackEnabled, f->btBack->Enabled());
        EXPECT_TRUE(f->PanelStep->Visible() && f->PanelSetup->Visible() && !f->sPanel3->Visible());
    }

    bool MonitoringViewShown() const
    {
        TfrmMain* f = Form();
        return f->sPanel1->Visible() && f->sPanel3->Visible() && f->sPanel4->Visible() && f->sPanel5->Visible() &&
               f->sPanel2->Visible() && !f->sPanel9->Visible() && !f->sPanel10->Visible() &&
               !f->lbSearch->Visible() && !f->PanelStep->Visible() && !f->PanelSetup->Visible();
    }

    // Whether the poll thread's state queries reach the line.
    bool PollThreadQueries()
    {
        return testsupport::PumpUntil([this] {
            const std::vector<Bytes> polled = TakeFrames();
            return std::find(polled.begin(), polled.end(), KeyFrame(1, KeyNone)) != polled.end();
        });
    }

    static String Heading(int step, const String& title) { return msgStep + vcl::IntToStr(step) + L": " + title; }
    static String Volts(double v) { return vcl::FormatFloat(L"0.0", v); }
};

using Bytes = std::vector<uint8_t>;

Bytes ConfigFrame(uint16_t address, uint8_t subCommand, uint8_t value)
{
    const RequestFrame request = BuildWriteConfigRequest(address, subCommand, value);
    return Bytes(request.Bytes.begin(), request.Bytes.begin() + request.Length);
}

String StatusPanel(TfrmMain* form, int panel)
{
    return form->StatusBar1->Panels()->Items(panel)->Text();
}

TEST_F(WizardTest, YesStartsAtStepOneAndEveryClickFollowsTheTransitionTable)
{
    StartLine({"1:16:letter=5:speed=2", "3:16"}, 1);
    Found({1, 3});
    Answer([](TfrmMasterSetting* d) { d->sButton1->Click(); });
    EXPECT_EQ(nullptr, frmMasterSetting);
    ExpectStep(1);
    EXPECT_EQ(msgStepChooseSensorHelp, Form()->lbHint->Caption());
    EXPECT_EQ(msgSensorsOnLine + L"2", Form()->lbStepAddress2->Caption());
    EXPECT_EQ(vcl::clGreen, Form()->shState->Brush()->Color());
    EXPECT_TRUE(TakeFrames().empty());

    TfrmMain* f = Form();
    const struct {
        bool Next;
        int Step;
        std::vector<Bytes> Frames;
        std::vector<DWORD> Pauses;
        std::function<void()> Check;
    } clicks[] = {
        {true, 2, {}, {}, [] {}},
        {true, 3, {KeyFrame(1, KeyNone)}, {},
         [f] {
             EXPECT_EQ(String(L"5"), f->edStepLetter->Text());
             EXPECT_FALSE(f->lbStepLetter2->Visible());
             EXPECT_EQ(msgStepLetterHelpChange, f->lbHint->Caption());
         }},
        {true, 4, {}, {}, [f] { EXPECT_EQ(1, f->cbStepSpeed->ItemIndex()); }},
        {true, 5, {}, {}, [f] { EXPECT_EQ(msgStepAdjustHelp + msgHelpBackNext, f->lbHint->Caption()); }},
        {true, 6, {}, {}, [f] { EXPECT_EQ(msgDone, f->btNextStep->Caption()); }},
        {false, 5, {KeyFrame(1, KeyMode)}, {1000}, [f] { EXPECT_EQ(msgNext, f->btNextStep->Caption()); }},
        {false, 4, {}, {}, [] {}},
        {false, 3, {}, {}, [f] { EXPECT_EQ(String(L"5"), f->edStepLetter->Text()); }},
        {false, 2, {}, {}, [] {}},
        {false, 1, {}, {}, [f] { EXPECT_EQ(msgStepChooseSensorHelp + msgHelpNext, f->lbHint->Caption()); }},
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(testing::Message() << (click.Next ? "Next to " : "Back to ") << click.Step);
        Pauses.clear();
        click.Next ? Next() : Back();
        ExpectStep(click.Step);
        EXPECT_EQ(click.Frames, TakeFrames());
        EXPECT_EQ(click.Pauses, Pauses);
        EXPECT_EQ(msgUniqueNumber + L"1", StatusPanel(f, 2));
        click.Check();
    }
}

TEST_F(WizardTest, DoneFinishesToTheMonitoringViewWithThePollThreadRunning)
{
    StartLine({"1:16:speed=4"}, 1);
    Found({1});
    WalkToThresholdStep();
    struct Box {
        String Text;
        bool KeepAlive;
    };
    std::vector<Box> boxes;
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().MessageBox = [&](HWND, const String& text, const String&, UINT) {
        boxes.push_back({text, Form()->Timer_ReqID->Enabled()});
        return IDOK;
    };
    Next();
    vcl::Seams() = saved;

    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(KeyFrame(1, KeyMode), frames.front());
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(msgSetupComplete, boxes[0].Text);
    EXPECT_TRUE(boxes[0].KeepAlive);
    EXPECT_EQ(7, WizardStep);
    EXPECT_TRUE(MonitoringViewShown());
    for (vcl::TControl* control : ThresholdControls())
        EXPECT_FALSE(control->Visible()) << control->Name();
    EXPECT_FALSE(Form()->Timer_ReqID->Enabled());
    EXPECT_FALSE(Form()->Timer_Tres->Enabled());
    EXPECT_FALSE(ReqInfoThread->Suspended());
    EXPECT_EQ(2, Form()->cbSpeed->ItemIndex());
    EXPECT_TRUE(PollThreadQueries());
}

TEST_F(WizardTest, DoneStillFinishesAfterALanguageChangeInTheLastStep)
{
    StartLine({"1:16"}, 1);
    Found({1});
    WalkToThresholdStep();
    CurrentLanguage = 2;
    TMainformLanguageHost host(*Form());
    ApplyLanguageTexts(host, CurrentLanguage);
    ASSERT_NE(msgDone, Form()->btNextStep->Caption());

    testsupport::TMessageBoxRecorder boxes;
    Next();
    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(7, WizardStep);
    EXPECT_TRUE(MonitoringViewShown());
    EXPECT_FALSE(ReqInfoThread->Suspended());
}

TEST_F(WizardTest, DetectorAtAddressZeroTakesTheSetNumberFlavour)
{
    StartLine({"0:16"}, 0);
    Found({0});
    Answer([](TfrmMasterSetting* d) { d->sButton1->Click(); });
    TfrmMain* f = Form();
    EXPECT_TRUE(AddressZeroFound);
    EXPECT_TRUE(f->PanelNumberChange->Visible());
    EXPECT_FALSE(f->PanelAddress->Visible());
    EXPECT_EQ(Heading(1, msgStepSetNumber), f->lbStep->Caption());
    EXPECT_EQ(msgStepSetNumberHelp, f->lbHint->Caption());

    Next();
    EXPECT_FALSE(f->PanelNumberChange->Visible());
    EXPECT_TRUE(f->PanelRxPower->Visible());
    f->lbStatus->SetCaption(L"supply");
    Back();
    EXPECT_TRUE(f->PanelNumberChange->Visible());
    EXPECT_FALSE(f->PanelRxPower->Visible());
    EXPECT_FALSE(f->btBack->Enabled());
    EXPECT_EQ(Heading(1, msgStepSetNumber), f->lbStep->Caption());
    EXPECT_EQ(msgStepSetNumberHelp, f->lbHint->Caption());
    EXPECT_EQ(String(), f->lbStatus->Caption());
}

class QuestionDeclined : public WizardTest, public testing::WithParamInterface<bool> {};

TEST_P(QuestionDeclined, NoAndAnyOtherCloseShowMonitoringAndStartThePollThread)
{
    StartLine({"1:16"}, 1);
    Found({1});
    const bool byButton = GetParam();
    Answer([byButton](TfrmMasterSetting* d) {
        if (byButton)
            d->sButton2->Click();
        else
            SendMessageW(d->Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(nullptr, frmMasterSetting);
    EXPECT_TRUE(MonitoringViewShown());
    EXPECT_EQ(0, WizardStep);
    EXPECT_FALSE(ReqInfoThread->Suspended());
    EXPECT_TRUE(PollThreadQueries());
    // The keep-alive goes on beside the poll thread.
    EXPECT_TRUE(Form()->Timer_ReqID->Enabled());
}

INSTANTIATE_TEST_SUITE_P(ByNoOrByClosing, QuestionDeclined, testing::Bool());

TEST_F(WizardTest, SupplyStepJudgesTheVoltageByBand)
{
    StartLine({"1:16"}, 1);
    TfrmMain* f = Form();
    const struct {
        int Raw;
        vcl::TColor Lamp;
        const String* Text;
    } cases[] = {
        {43, vcl::clRed, &msgPowerFault},    {44, vcl::clYellow, &msgPowerNearLimit},
        {50, vcl::clGreen, &msgPowerNormal}, {176, vcl::clGreen, &msgPowerNormal},
        {177, vcl::clYellow, &msgPowerNearLimit}, {184, vcl::clRed, &msgPowerFault},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Raw);
        SetSim("supply", c.Raw);
        f->Timer_RxPowerTimer(nullptr);
        EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyNone)}, TakeFrames());
        EXPECT_EQ(Volts(SupplyVoltsOf(static_cast<uint8_t>(c.Raw))), f->edStepRxPower->Text());
        EXPECT_EQ(c.Lamp, f->shStatus->Brush()->Color());
        EXPECT_EQ(*c.Text, f->lbStepRxPower2->Caption());
    }
}

TEST_F(WizardTest, AlignmentStepForcesAlignmentModeOnePressPerTickAndShowsTheLevelBand)
{
    StartLine({"1:16:mode=threshold:align_level=150"}, 1);
    TfrmMain* f = Form();
    f->Timer_Ust->SetEnabled(true);
    f->Timer_UstTimer(nullptr);
    EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyNone), KeyFrame(1, KeyMode), KeyFrame(1, KeyMode)}), TakeFrames());
    EXPECT_EQ((std::vector<DWORD>{200, 200}), Pauses);
    EXPECT_EQ(msgToAdjustMode, f->lbStatus->Caption());
    EXPECT_TRUE(f->Timer_Ust->Enabled());
    EXPECT_EQ("normal", SimDetector()["mode"].Text);

    f->Timer_UstTimer(nullptr);
    EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyNone), KeyFrame(1, KeyMode), KeyFrame(1, KeyMode),
                                  KeyFrame(1, KeyMode)}),
              TakeFrames());
    EXPECT_EQ("alignment", SimDetector()["mode"].Text);
    EXPECT_EQ(Volts(150 * f->LevelVoltFactor), f->edStepUst->Text());

    const struct {
        int Raw;
        vcl::TColor Lamp;
        const String* Text;
    } bands[] = {
        {6, vcl::clRed, &msgNoSignal},        {7, vcl::clYellow, &msgSignalLowDanger},
        {38, vcl::clYellow, &msgSignalLowDanger}, {39, vcl::clGreen, &msgSignalNormal},
        {170, vcl::clGreen, &msgSignalNormal},    {171, vcl::clYellow, &msgSignalHighDanger},
        {190, vcl::clYellow, &msgSignalHighDanger},
        // Above the scale the band shown before stays.
        {191, vcl::clYellow, &msgSignalHighDanger},
    };
    for (const auto& band : bands) {
        SCOPED_TRACE(band.Raw);
        SetSim("align_level", band.Raw);
        f->Timer_UstTimer(nullptr);
        EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyNone), KeyFrame(1, KeyNone)}), TakeFrames());
        EXPECT_EQ(Volts(band.Raw * f->LevelVoltFactor), f->edStepUst->Text());
        EXPECT_EQ(band.Lamp, f->shStatus->Brush()->Color());
        EXPECT_EQ(*band.Text, f->lbStatus->Caption());
    }
    EXPECT_FALSE(TakeEndRequest());
}

TEST_F(WizardTest, AlignmentAndThresholdStepsEndTheProgramSilentlyWhenTheDetectorFallsQuiet)
{
    StartLine({"1:16:mode=alignment"}, 1);
    SetSim("fault", "no_reply");
    const struct {
        const char* Step;
        void (TfrmMain::*Tick)(vcl::TObject*);
    } steps[] = {{"alignment", &TfrmMain::Timer_UstTimer}, {"threshold", &TfrmMain::Timer_TresTimer}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Step);
        testsupport::TMessageBoxRecorder boxes;
        (Form()->*step.Tick)(nullptr);
        EXPECT_TRUE(TakeEndRequest());
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyNone)}, TakeFrames());
    }
}

TEST_F(WizardTest, ThresholdStepForcesThresholdModeAndFollowsTheThresholdAndTheAlarm)
{
    StartLine({"1:16:mode=alignment:threshold=2.0:alarm=1"}, 1);
    TfrmMain* f = Form();
    f->Timer_TresTimer(nullptr);
    EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyNone), KeyFrame(1, KeyMode), KeyFrame(1, KeyMode),
                                  KeyFrame(1, KeyMode)}),
              TakeFrames());
    EXPECT_EQ((std::vector<DWORD>{200, 200}), Pauses);
    // 2.0 V is raw 127; on the 350-pixel box its line lies at 350 - 127 / 0.533 = 111.7.
    EXPECT_EQ(127, Detector->Threshold);
    EXPECT_EQ(Volts(127 * f->LevelVoltFactor), f->edStepTres->Text());
    EXPECT_EQ(146, f->btStepPlus->Top());
    EXPECT_EQ(174, f->lbTresholLevel->Top());
    EXPECT_EQ(146 + f->btStepPlus->Height() + 20, f->btStepMinus->Top());
    EXPECT_EQ(msgStateAlarm, f->lbStatus->Caption());
    EXPECT_EQ(vcl::clRed, f->shStatus->Brush()->Color());
    EXPECT_EQ(vcl::clRed, f->cStepZone1->ForeColor());
    EXPECT_EQ(f->cStepZone1->MaxValue(), f->cStepZone1->Progress());

    SetSim("alarm", 0);
    f->Timer_TresTimer(nullptr);
    EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyNone), KeyFrame(1, KeyNone)}), TakeFrames());
    EXPECT_EQ(msgStateNorm, f->lbStatus->Caption());
    EXPECT_EQ(vcl::clGreen, f->cStepZone1->ForeColor());
    EXPECT_EQ(0, f->cStepZone1->Progress());
    EXPECT_FALSE(TakeEndRequest());
}

TEST_F(WizardTest, ThresholdStepButtonsAndScaleSendPulses)
{
    StartLine({"1:16:mode=threshold:threshold=2.0"}, 1);
    TfrmMain* f = Form();
    Detector->Threshold = 127;
    f->btStepMinus->Click();
    EXPECT_EQ(Pulses(1, KeyThreshold, 1), TakeFrames());
    EXPECT_EQ((std::vector<DWORD>{400, 400}), Pauses);
    EXPECT_EQ(1, f->pbStepWaitTres->Max());
    EXPECT_FALSE(f->pbStepWaitTres->Visible());
    EXPECT_EQ(msgThresholdChange, f->lbStatus->Caption());
    EXPECT_DOUBLE_EQ(1.9, SimDetector()["threshold"].Number);

    f->btStepPlus->Click();
    EXPECT_EQ(Pulses(1, KeyThreshold, 15), TakeFrames());
    EXPECT_DOUBLE_EQ(2.0, SimDetector()["threshold"].Number);

    // A press 146 pixels above the bottom aims at 1.3 V: seven steps down from 2.0 V.
    f->Image4MouseDown(f->Image4, vcl::TMouseButton::mbLeft, {}, 10, f->Image4->Height() - 146);
    f->Image4Click(f->Image4);
    EXPECT_EQ(Pulses(1, KeyThreshold, 7), TakeFrames());
    EXPECT_DOUBLE_EQ(1.3, SimDetector()["threshold"].Number);
    // The record still holds 2.0 V until the next tick; the buttons follow that line.
    EXPECT_EQ(156, f->btStepPlus->Top());
    EXPECT_EQ(156 + f->btStepPlus->Height() + 15, f->btStepMinus->Top());
}

TEST_F(WizardTest, ChoosingASensorAsksItsTypeAndFollowsItInBothLists)
{
    StartLine({"1:16", "3:17"}, 1);
    Found({1, 3});
    TfrmMain* f = Form();
    f->cbStepAddress->SetItemIndex(1);
    f->cbStepAddressChange(f->cbStepAddress);
    EXPECT_EQ(3, Detector->Address);
    EXPECT_EQ(std::vector<DWORD>{500}, Pauses);
    EXPECT_EQ(std::vector<Bytes>{Frame(BuildDeviceTypeRequest(3))}, TakeFrames());
    EXPECT_EQ(msgModelName[2], StatusPanel(f, 0));
    EXPECT_EQ(msgUniqueNumber + L"3", StatusPanel(f, 2));
    EXPECT_EQ(1, f->cbAddress->ItemIndex());
    EXPECT_EQ(String(L"3"), f->edAddr->Text());
}

TEST_F(WizardTest, SetNumberConfirmListsTheDetectorsActualNumber)
{
    StartLine({"0:16"}, 0);
    Found({0});
    TfrmMain* f = Form();
    const int labelTop = f->lbStepAddr2->Top();
    const int editTop = f->edStepAddr->Top();
    auto confirm = [&](const String& typed) {
        f->btStepChangeAddr->Click();
        f->edStepAddr->SetText(typed);
        f->btStepOkClick(f->btStepOk);
    };
    auto lastItems = [&] {
        return std::vector<String>{f->cbAddress->Items()->Strings(f->cbAddress->ItemIndex()),
                                   f->cbStepAddress->Items()->Strings(f->cbStepAddress->ItemIndex())};
    };

    f->btStepChangeAddr->Click();
    EXPECT_TRUE(f->edStepAddr->Enabled());
    EXPECT_EQ(String(), f->edStepAddr->Text());
    EXPECT_FALSE(f->btStepOk->Enabled());
    EXPECT_EQ(msgCurrentNumber + L"0" + msgEnterNewNumber, f->lbStepAddr2->Caption());
    f->edStepAddr->SetText(L"45");
    EXPECT_EQ(String(L"31"), f->edStepAddr->Text());
    EXPECT_TRUE(f->btStepOk->Enabled());
    f->btStepCancelClick(f->btStepCancel);
    EXPECT_EQ(String(L"0"), f->edStepAddr->Text());

    confirm(L"12");
    EXPECT_EQ(std::vector<Bytes>{ConfigFrame(0, ConfigAddress, 12)}, TakeFrames());
    EXPECT_EQ(12, Detector->Address);
    EXPECT_EQ(12, SimDetector()["address"].Int());
    EXPECT_EQ((std::vector<String>{L"  12", L"  12"}), lastItems());
    EXPECT_EQ(String(L"12"), f->edStepAddr->Text());
    EXPECT_EQ(labelTop, f->lbStepAddr2->Top());
    EXPECT_EQ(editTop, f->edStepAddr->Top());

    // A failed write leaves the detector, and so the record and the lists, at its number.
    SetSim("fault", "no_reply");
    confirm(L"20");
    EXPECT_EQ(12, Detector->Address);
    EXPECT_EQ((std::vector<String>{L"  12", L"  12"}), lastItems());
    EXPECT_EQ(1, f->cbAddress->Items()->Count());
    EXPECT_EQ(String(L"12"), f->edStepAddr->Text());
    // The detector took the number though its reply was lost; it is given its old one back.
    SetSim("fault", "none");
    SetSim("address", 12);
    TakeFrames();

    // An empty value sends nothing and removes nothing.
    {
        testsupport::TMessageBoxRecorder boxes;
        confirm(String());
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(msgEmptyValue, boxes.Boxes()[0].Text);
    }
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_EQ((std::vector<String>{L"  12", L"  12"}), lastItems());

    // Number 0 has its own sub-command.
    confirm(L"0");
    EXPECT_EQ(std::vector<Bytes>{ConfigFrame(12, ConfigNumberZero, 0)}, TakeFrames());
    EXPECT_EQ(0, Detector->Address);
    EXPECT_EQ(0, SimDetector()["address"].Int());
    EXPECT_EQ((std::vector<String>{L"  0", L"  0"}), lastItems());
}

TEST_F(WizardTest, SpeedStepSendsTheChosenClassAndKeepsTheReportedOne)
{
    StartLine({"1:16:speed=1"}, 1);
    TfrmMain* f = Form();
    f->cbStepSpeed->SetItemIndex(2);
    f->cbStepSpeedChange(f->cbStepSpeed);
    EXPECT_EQ(std::vector<Bytes>{Frame(BuildSetSpeedRequest(1, StateQueryFixedByte, 4))}, TakeFrames());
    EXPECT_EQ(4, Detector->SpeedCode);
    EXPECT_EQ(4, SimDetector()["speed"].Int());
}

TEST_F(WizardTest, ContinueAndEndLeadThroughTheThresholdViewWithoutTouchingTheStep)
{
    StartLine({"1:16:mode=alignment"}, 1);
    TfrmMain* f = Form();
    // The alignment view as the live display sets it up.
    for (vcl::TControl* shown : std::initializer_list<vcl::TControl*>{f->PanelStep, f->PanelSetup, f->PanelUst,
                                                                      f->btContinue})
        shown->SetVisible(true);

    f->btContinue->Click();
    EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyMode)}, TakeFrames());
    EXPECT_EQ("threshold", SimDetector()["mode"].Text);
    EXPECT_FALSE(f->PanelUst->Visible());
    for (vcl::TControl* control : ThresholdControls())
        EXPECT_TRUE(control->Visible()) << control->Name();
    EXPECT_EQ(msgStepThresholdTitle, f->lbStep->Caption());
    EXPECT_EQ(msgStepThresholdHelp, f->lbHint->Caption());
    EXPECT_FALSE(f->btContinue->Visible());
    EXPECT_TRUE(f->btEndSetting->Visible());

    // The poll thread's next query releases the key.
    ReplyData reply{};
    Detector->QueryState(1, StateQueryFixedByte, KeyNone, reply);
    TakeFrames();
    f->btEndSetting->Click();
    EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyMode)}, TakeFrames());
    EXPECT_EQ("normal", SimDetector()["mode"].Text);
    EXPECT_TRUE(MonitoringViewShown());
    EXPECT_FALSE(f->btEndSetting->Visible());
    for (vcl::TControl* control : ThresholdControls())
        EXPECT_FALSE(control->Visible()) << control->Name();
    EXPECT_EQ(0, WizardStep);
}

}  // namespace
