// The monitoring view against the simulator: the poll action's frames from each mode, and the
// live display under the running poll thread (views, lost link, alarm sound, the exchange lock,
// and the end of the thread when the window closes).
#include "workflow_fixture.h"

#include "languages/messagetexts.h"
#include "mainwindow/Monitorrules.h"
#include "seam_recorder.h"
#include "vcl/sysutils.h"

#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace {

using namespace zirv;
using testsupport::PumpFor;
using testsupport::PumpUntil;

vcl::TColor Colour(uint32_t value)
{
    return vcl::TColor(static_cast<int32_t>(value));
}

class MonitorTest : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        Seams.emplace();
        Form()->Show();
    }

    void TearDown() override
    {
        // The poll thread goes before the pauses it sleeps through.
        vcl::FreeAndNil(ReqInfoThread);
        Seams.reset();
        WorkflowTest::TearDown();
    }

    // The address list's change as the search runs it: the list shows the detector's item.
    void ChooseDetector(int32_t address)
    {
        Form()->cbAddress->Items()->Clear();
        Form()->cbAddress->Items()->Add(AddressItem(address));
        Form()->cbAddress->SetItemIndex(0);
        Form()->cbChange2->Execute();
    }

    // Until the poll thread has shown `count` replies to queries sent from now on.
    void WaitForPolls(int count)
    {
        const int start = Seams->OtherPauses();
        ASSERT_TRUE(PumpUntil([&] { return Seams->OtherPauses() > start + count; }, 10000));
    }

    void WaitUntil(const std::function<bool()>& shown)
    {
        ASSERT_TRUE(PumpUntil(shown, 10000));
    }

    void StartPolling()
    {
        ReqInfoThread->Start();
    }

    static bool IsCentredOn(vcl::TControl* label, vcl::TControl* lamp)
    {
        return label->Left() == (lamp->Width() - label->Width()) / 2;
    }

    std::optional<TSeamRecorder> Seams;
};

// ---------------------------------------------------------------------------------------------
// The poll action

TEST_F(MonitorTest, PollActionWalksThroughEveryModeBackToNormal)
{
    // Alignment level 120 shows 1.9 V; threshold 1.8 V is raw 114.
    StartLine({"4:16:level=80:align_level=120:threshold=1.8:supply=50:letter=3:speed=2"}, 1);
    Form()->DetectorFound = true;
    Form()->PortSettings.PortNumber = Com;
    const struct {
        const char* Mode;
        int Presses;
        bool ShowsAlignment;
    } cases[] = {{"normal", 3, true}, {"alignment", 2, false}, {"threshold", 4, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mode);
        SetSim("mode", c.Mode);
        Form()->edUst->SetText(L"-");
        Form()->edTres->SetText(L"-");
        Detector->Threshold = 0;
        TakeFrames();
        Seams->TakePauses();

        ChooseDetector(4);

        std::vector<Bytes> expected = {Frame(BuildDeviceTypeRequest(4)), KeyFrame(4, KeyNone)};
        for (const Bytes& frame : Pulses(4, KeyMode, c.Presses))
            expected.push_back(frame);
        EXPECT_EQ(expected, TakeFrames());
        std::vector<DWORD> pauses = {100};
        pauses.insert(pauses.end(), static_cast<size_t>(2 * c.Presses), 500);
        EXPECT_EQ(pauses, Seams->TakePauses());
        EXPECT_EQ("normal", SimDetector()["mode"].Text);

        EXPECT_EQ(vcl::String(c.ShowsAlignment ? L"1.9" : L"-"), Form()->edUst->Text());
        EXPECT_EQ(vcl::String(L"1.8"), Form()->edTres->Text());
        EXPECT_EQ(114, Detector->Threshold);
    }
    EXPECT_EQ(4, Detector->Address);
    EXPECT_EQ(16, Detector->TypeCode);
    EXPECT_EQ(msgModelName[1], Form()->StatusBar1->Panels()->Items(0)->Text());
    EXPECT_EQ(L"COM " + vcl::IntToStr(Com), Form()->StatusBar1->Panels()->Items(1)->Text());
    EXPECT_EQ(msgUniqueNumber + L"4", Form()->StatusBar1->Panels()->Items(2)->Text());
    EXPECT_EQ(vcl::String(L"4"), Form()->edAddr->Text());
    EXPECT_EQ(vcl::String(L"3"), Form()->edLetter->Text());
    EXPECT_EQ(vcl::String(L"10.0"), Form()->edRxPower->Text());
    EXPECT_EQ(1, Form()->cbSpeed->ItemIndex());
    EXPECT_EQ(Colour(monitor::ColourLime), Form()->shState->Brush()->Color());
    EXPECT_EQ(Colour(monitor::ColourLime), Form()->shStatus->Brush()->Color());
    EXPECT_EQ(msgStateNorm, Form()->lbState->Caption());
    EXPECT_EQ(msgStateOk, Form()->lbStatus->Caption());
    EXPECT_EQ(Colour(monitor::ColourGreen), Form()->cZone1->ForeColor());
}

TEST_F(MonitorTest, PollActionShowsAnAlarmInRedAndStaysSilentWithTheSoundOff)
{
    StartLine({"2:10:alarm=1"}, 1);
    Form()->DetectorFound = true;
    // The one-time display centres its labels across only; the height stays where it was.
    Form()->lbStatus->SetTop(3);
    ChooseDetector(2);
    EXPECT_EQ(Colour(monitor::ColourRed), Form()->shState->Brush()->Color());
    EXPECT_EQ(Colour(monitor::ColourRed), Form()->shStatus->Brush()->Color());
    EXPECT_EQ(Colour(monitor::ColourRed), Form()->cZone1->ForeColor());
    EXPECT_EQ(msgStateAlarm, Form()->lbState->Caption());
    EXPECT_EQ(msgStateAlarm, Form()->lbStatus->Caption());
    EXPECT_TRUE(IsCentredOn(Form()->lbState, Form()->shState));
    EXPECT_TRUE(IsCentredOn(Form()->lbStatus, Form()->shStatus));
    EXPECT_EQ(3, Form()->lbStatus->Top());
    EXPECT_TRUE(Seams->Sounds().empty());
}

// A failed or unknown answer stops nothing: the action shows and stores only what it got and
// walks the modes all the same.
TEST_F(MonitorTest, PollActionGoesOnPastFailedAndUnknownAnswers)
{
    // A detector in alignment mode: its own answer would make the walk two presses long.
    StartLine({"4:16:mode=alignment:letter=3:supply=50:speed=2:alarm=0"}, 1);
    Form()->DetectorFound = true;
    const testsupport::DetsimScript answer{};
    const testsupport::DetsimScript silence{true, {}};
    std::vector<uint8_t> unknownType = {0x04, ReplyDeviceType, 0x00, 20, 0x00, 0x00, 0x00};
    unknownType.push_back(CalcCrc8(unknownType.data(), 7));
    const testsupport::DetsimScript unknown{true, unknownType};
    struct Case {
        const char* Name;
        testsupport::DetsimScript Type, State;
        bool TypePause;      // the 100 ms pause after a type answer
        bool TypeKnown;      // the answer named a model
        bool StateStored;    // the state answer reached the record and the walk's count
    };
    const Case cases[] = {
        {"type request unanswered", silence, answer, false, false, true},
        {"unknown type", unknown, answer, true, false, true},
        {"state query unanswered", answer, silence, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetSim("mode", "alignment");
        Detector->TypeCode = 99;
        Detector->Alarm = 1;
        Detector->Letter = 6;
        Detector->SupplyVolts = 12.5f;
        Detector->SpeedCode = 4;
        Form()->StatusBar1->Panels()->Items(0)->SetText(L"before");
        TakeFrames();
        Seams->TakePauses();
        Sim.Script(Com, c.Type);
        Sim.Script(Com, c.State);

        ChooseDetector(4);

        const int presses = c.StateStored ? 2 : 3;
        std::vector<Bytes> expected = {Frame(BuildDeviceTypeRequest(4)), KeyFrame(4, KeyNone)};
        for (const Bytes& frame : Pulses(4, KeyMode, presses))
            expected.push_back(frame);
        EXPECT_EQ(expected, TakeFrames());
        std::vector<DWORD> pauses(c.TypePause ? 1 : 0, 100);
        pauses.insert(pauses.end(), static_cast<size_t>(2 * presses), 500);
        EXPECT_EQ(pauses, Seams->TakePauses());
        // Only a known type shows a model and is stored.
        EXPECT_EQ(c.TypeKnown ? msgModelName[1] : vcl::String(L"before"), Form()->StatusBar1->Panels()->Items(0)->Text());
        EXPECT_EQ(c.TypeKnown ? 16 : 99, Detector->TypeCode);
        // Without a state answer the record keeps what it had, and the view shows that.
        EXPECT_EQ(vcl::String(c.StateStored ? L"3" : L"6"), Form()->edLetter->Text());
        EXPECT_EQ(vcl::String(c.StateStored ? L"10.0" : L"12.5"), Form()->edRxPower->Text());
        EXPECT_EQ(c.StateStored ? 1 : 2, Form()->cbSpeed->ItemIndex());
        EXPECT_EQ(c.StateStored ? msgStateNorm : msgStateAlarm, Form()->lbState->Caption());
    }
}

// The address a confirmed change gives the detector is the one the poll thread asks next.
TEST_F(MonitorTest, AChangedAddressRedirectsTheNextPoll)
{
    StartLine({"1:16", "3:16"}, 1);
    TfrmMain* f = Form();
    f->cbAddress->Items()->Clear();
    f->cbAddress->Items()->Add(AddressItem(1));
    f->cbAddress->Items()->Add(AddressItem(3));
    f->cbAddress->SetItemIndex(0);
    StartPolling();
    WaitForPolls(2);
    EXPECT_TRUE(std::ranges::any_of(TakeFrames(), [](const Bytes& frame) { return frame == KeyFrame(1, KeyNone); }));

    f->btChangeAddr->Click();
    f->edAddr->SetText(L"7");
    f->btOkClick(f->btOk);
    ASSERT_EQ(7, Detector->Address);
    ASSERT_EQ(7, SimDetector()["address"].Int());
    // A poll that had begun before the change ends first.
    WaitForPolls(1);
    TakeFrames();

    WaitForPolls(3);
    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_FALSE(frames.empty());
    for (const Bytes& frame : frames)
        EXPECT_EQ(KeyFrame(7, KeyNone), frame);
}

TEST_F(MonitorTest, BeforeAFindTheAddressListOnlyStoresTheAddress)
{
    StartLine({"5:16"}, 1);
    ChooseDetector(5);
    EXPECT_EQ(5, Detector->Address);
    EXPECT_TRUE(TakeFrames().empty());

    // The item the form holds before any search leaves no number once its blanks are dropped.
    Form()->DetectorFound = true;
    Form()->cbAddress->Items()->Clear();
    Form()->cbAddress->Items()->Add(L"15");
    Form()->cbAddress->SetItemIndex(0);
    EXPECT_THROW(Form()->cbChange2->Execute(), vcl::EConvertError);
    EXPECT_EQ(5, Detector->Address);
    EXPECT_TRUE(TakeFrames().empty());
}

// ---------------------------------------------------------------------------------------------
// The live display under the poll thread

TEST_F(MonitorTest, EachModeChangeSetsUpItsViewOnce)
{
    // Level 60 against threshold 100 is noisy; threshold 2.0 V is raw 127.
    StartLine({"1:16:level=60:align_level=100:threshold=2.0:letter=0:supply=45"}, 1);
    Detector->Threshold = 100;
    StartPolling();

    WaitUntil([] { return Detector->ShownMode == ModeNormal; });
    TfrmMain* f = Form();
    for (vcl::TControl* shown : std::initializer_list<vcl::TControl*>{f->sPanel1, f->sPanel3, f->sPanel4, f->sPanel5,
                                                                      f->sPanel2, f->sPanel14, f->sPanel16, f->sPanel11})
        EXPECT_TRUE(shown->Visible()) << shown->Name();
    EXPECT_FALSE(f->PanelSetup->Visible());
    EXPECT_TRUE(f->edValue->Enabled());
    EXPECT_TRUE(f->edRxPower->Enabled());
    EXPECT_EQ(vcl::String(L"0.9"), f->edValue->Text());
    EXPECT_EQ(60, f->cZone1->Progress());
    EXPECT_EQ(Colour(monitor::ColourYellow), f->cZone1->ForeColor());
    EXPECT_EQ(Colour(monitor::ColourYellow), f->shStatus->Brush()->Color());
    EXPECT_EQ(msgNoiseHigh, f->lbStatus->Caption());
    EXPECT_EQ(vcl::String(L"?"), f->edLetter->Text());
    EXPECT_EQ(vcl::String(L"9.3"), f->edRxPower->Text());
    EXPECT_EQ(Colour(monitor::ColourYellow), f->edRxPower->Color());
    PumpFor(100);
    EXPECT_EQ(COLORREF(monitor::ColourYellow), testsupport::Grab(f->edRxPower->Handle()).Pixel(5, 21))
        << "the supply field shows its band, left of its centred text";
    // Set up once: what the set-up showed stays as the test leaves it while the mode stays.
    f->sPanel14->SetVisible(false);
    WaitForPolls(3);
    EXPECT_FALSE(f->sPanel14->Visible());

    SetSim("mode", "alignment");
    WaitUntil([] { return Detector->ShownMode == ModeAlignment; });
    EXPECT_TRUE(f->PanelUst->Visible());
    EXPECT_TRUE(f->btContinue->Visible());
    EXPECT_FALSE(f->btNextStep->Visible());
    EXPECT_FALSE(f->sPanel3->Visible());
    EXPECT_EQ(msgStepAdjustTitle, f->lbStep->Caption());
    EXPECT_EQ(70, f->lbHint->Top());
    EXPECT_EQ(vcl::String(L"1.6"), f->edStepUst->Text());
    EXPECT_EQ(msgSignalNormal, f->lbStatus->Caption());
    EXPECT_EQ(11, f->lbStatus->Font()->Size());
    f->lbHint->SetTop(5);
    WaitForPolls(3);
    EXPECT_EQ(5, f->lbHint->Top());

    SetSim("mode", "threshold");
    WaitUntil([] { return Detector->ShownMode == ModeThreshold; });
    WaitForPolls(2);
    EXPECT_TRUE(f->btEndSetting->Visible());
    EXPECT_FALSE(f->btContinue->Visible());
    EXPECT_FALSE(f->PanelUst->Visible());
    EXPECT_TRUE(f->StepPaintBox1->Visible());
    EXPECT_EQ(msgStepThresholdTitle, f->lbStep->Caption());
    EXPECT_EQ(90, f->lbHint->Top());
    EXPECT_EQ(127, Detector->Threshold);
    EXPECT_EQ(vcl::String(L"2.0"), f->edStepTres->Text());
    EXPECT_EQ(TfrmMain::ThresholdLineY(f->StepPaintBox1, 127, 40), f->btStepPlus->Top());
    EXPECT_EQ(f->btStepPlus->Top() + f->btStepPlus->Height() + 15, f->btStepMinus->Top());
    EXPECT_EQ(TfrmMain::ThresholdLineY(f->StepPaintBox1, 127, 63), f->lbTresholLevel->Top());
    EXPECT_EQ(msgStateNorm, f->lbStatus->Caption());
    EXPECT_EQ(0, f->cStepZone1->Progress());
    f->lbHint->SetTop(5);
    WaitForPolls(3);
    EXPECT_EQ(5, f->lbHint->Top());

    SetSim("mode", "normal");
    WaitUntil([] { return Detector->ShownMode == ModeNormal; });
    EXPECT_TRUE(f->sPanel14->Visible());
    EXPECT_TRUE(f->sPanel3->Visible());
    EXPECT_FALSE(f->PanelSetup->Visible());
    EXPECT_FALSE(f->PanelStep->Visible());
    EXPECT_FALSE(f->StepPaintBox1->Visible());
    EXPECT_FALSE(f->btEndSetting->Visible());
    // Against threshold 127 level 60 is quiet now.
    EXPECT_EQ(Colour(monitor::ColourGreen), f->cZone1->ForeColor());
}

TEST_F(MonitorTest, AReplyWithoutModeRefreshesTheShownViewWithoutSettingItUp)
{
    StartLine({"1:16:level=40"}, 1);
    StartPolling();
    WaitUntil([] { return Detector->ShownMode == ModeNormal; });
    Form()->sPanel14->SetVisible(false);
    Form()->sPanel5->SetVisible(false);

    // Status 0x08: speed class 1 and no mode bits.
    std::array<uint8_t, 8> reply = {0x01, ReplyState, 0x00, 40, 0x08, 0x00, 64, 0};
    reply[7] = CalcCrc8(reply.data(), 7);
    testsupport::DetsimScript script;
    script.HasBytes = true;
    script.Bytes.assign(reply.begin(), reply.end());
    Sim.Script(Com, script);

    // The reduced monitoring set-up shows the settings boxes again, not the columns.
    WaitUntil([] { return Form()->sPanel14->Visible(); });
    EXPECT_FALSE(Form()->sPanel5->Visible());
    // The normal replies after it find the mode they had: nothing is set up.
    WaitForPolls(3);
    EXPECT_FALSE(Form()->sPanel5->Visible());
    EXPECT_EQ(ModeNormal, Detector->ShownMode);
}

TEST_F(MonitorTest, DroppedRepliesShowTheLostLinkUntilTheDetectorAnswersAgain)
{
    // Korean is the language that brings the lost-link text; English keeps it.
    TMainformLanguageHost host(*Form());
    ApplyLanguageTexts(host, 7);
    ApplyLanguageTexts(host, 0);
    ASSERT_FALSE(msgLinkLost.empty());
    StartLine({"1:16:level=40"}, 1);
    StartPolling();
    WaitUntil([] { return Detector->ShownMode == ModeNormal; });
    TfrmMain* f = Form();

    SetSim("fault", "no_reply");
    WaitUntil([&] { return f->lbState->Caption() == msgLinkLost; });
    EXPECT_EQ(Colour(monitor::ColourSilver), f->shState->Brush()->Color());
    EXPECT_EQ(Colour(monitor::ColourGrey), f->shStatus->Brush()->Color());
    EXPECT_EQ(msgLinkLost, f->lbStatus->Caption());
    EXPECT_EQ(0, f->cZone1->Progress());
    EXPECT_EQ(Colour(monitor::ColourGrey), f->cZone1->ForeColor());
    EXPECT_FALSE(f->edValue->Enabled());
    EXPECT_TRUE(IsCentredOn(f->lbState, f->shState));
    EXPECT_TRUE(IsCentredOn(f->lbStatus, f->shStatus));
    // The lost link centres the status text across its lamp only.
    const int statusTop = f->lbStatus->Top() + 3;
    f->lbStatus->SetTop(statusTop);
    WaitForPolls(2);
    EXPECT_EQ(msgLinkLost, f->lbState->Caption());
    EXPECT_EQ(statusTop, f->lbStatus->Top());

    SetSim("fault", "none");
    WaitUntil([&] { return f->lbState->Caption() == msgStateNorm; });
    EXPECT_EQ(Colour(monitor::ColourGreen), f->shState->Brush()->Color());
    EXPECT_EQ(msgNoiseNormal, f->lbStatus->Caption());
    EXPECT_EQ(40, f->cZone1->Progress());
    // The mode did not change: the view is not set up again, so the value field stays off.
    EXPECT_FALSE(f->edValue->Enabled());
}

TEST_F(MonitorTest, TheAlarmSoundsAtMostOnceASecond)
{
    StartLine({"1:16:alarm=1"}, 1);
    Form()->SoundOn = true;
    // Whether the re-arm was still pending when a sound started: it never may be.
    std::vector<bool> rearmPending;
    Seams->OnSound = [&] { rearmPending.push_back(Form()->Timer4->Enabled()); };
    StartPolling();
    WaitUntil([&] { return Seams->Sounds().size() >= 2; });
    EXPECT_EQ(std::vector<bool>(rearmPending.size(), false), rearmPending);
    for (const TSeamRecorder::Sound& sound : Seams->Sounds()) {
        EXPECT_EQ(vcl::String(L"Alarm1.wav"), sound.File);
        EXPECT_EQ(static_cast<UINT>(SND_ASYNC), sound.Flags);
    }
    // Many polls showed the alarm meanwhile.
    EXPECT_GT(Seams->OtherPauses(), 4);
    EXPECT_EQ(Colour(monitor::ColourRed), Form()->shState->Brush()->Color());
    EXPECT_EQ(msgStateAlarm, Form()->lbState->Caption());
    // No threshold known yet: the alarm tells of the missing transmitter.
    EXPECT_EQ(msgNoTransmitter, Form()->lbStatus->Caption());
}

TEST_F(MonitorTest, AThresholdSequenceBesideThePollsReadsItsOwnReplies)
{
    // Every reply comes 100 ms after its request: a frame inside that time would be one written
    // between a request and the read of its reply.
    StartLine({"1:16:mode=threshold:fault=late_reply:late_ms=100"}, 1);
    StartPolling();
    WaitForPolls(1);
    Sim.Frames(Com, true);

    for (int pulse = 0; pulse < 16; ++pulse) {
        ReplyData reply{};
        EXPECT_EQ(ExchangeOk, Detector->QueryState(1, StateQueryFixedByte, KeyThreshold, reply));
        PumpFor(30);
        EXPECT_EQ(ExchangeOk, Detector->QueryState(1, StateQueryFixedByte, KeyNone, reply));
        PumpFor(30);
    }
    vcl::FreeAndNil(ReqInfoThread);

    const std::vector<testsupport::DetsimFrame> frames = Sim.Frames(Com, true);
    const Bytes press = KeyFrame(1, KeyThreshold);
    const Bytes plain = KeyFrame(1, KeyNone);
    int presses = 0;
    int plainQueries = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].Bytes == plain)
            ++plainQueries;
        if (frames[i].Bytes != press)
            continue;
        ++presses;
        ASSERT_LT(i + 1, frames.size());
        EXPECT_GE(frames[i + 1].Time - frames[i].Time, 0.095) << "press " << presses;
    }
    EXPECT_EQ(16, presses);
    // The poll thread did query between the pulses.
    EXPECT_GT(plainQueries, 16);
    // Sixteen presses are a whole turn.
    EXPECT_EQ(2.5, SimDetector()["threshold"].Number);
}

TEST_F(MonitorTest, ClosingTheWindowWhilePollingLetsTheLastDisplayRunAndEndsThePolls)
{
    StartLine({"1:16"}, 1);
    StartPolling();
    // The GUI thread pumps nothing: the first poll's display waits for it.
    for (int wait = 0; wait < 500 && Sim.Frames(Com).empty(); ++wait)
        Sleep(10);
    EXPECT_EQ(ZIRVZEBRA1::NoModeYet, Detector->ShownMode);

    vcl::TCloseAction action = vcl::TCloseAction::caHide;
    Form()->FormClose(Form(), action);
    EXPECT_EQ(nullptr, ReqInfoThread);
    EXPECT_EQ(ModeNormal, Detector->ShownMode);
    const size_t polled = Sim.Frames(Com).size();
    PumpFor(200);
    EXPECT_EQ(polled, Sim.Frames(Com).size());
}

}  // namespace
