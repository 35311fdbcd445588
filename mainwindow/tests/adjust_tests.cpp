// The main window's adjustments of the current detector, on the real form against the detector
// simulator: threshold pulses, speed class, address and the mode-key buttons.
#include "workflow_fixture.h"

#include "languages/messagetexts.h"
#include "vcl/sysutils.h"

namespace {

using namespace zirv;
using vcl::String;

class AdjustTest : public WorkflowTest {
protected:
    // Detector 1 at 2.0 V (raw 127), as the poll action's mode walk stored it.
    void StartAtTwoVolts(const std::string& extra = std::string())
    {
        StartLine({"1:16:threshold=2.0" + extra}, 1);
        Detector->Threshold = 127;
    }

    void ClickScaleAt(vcl::TControl* scale, int pixelsAbove)
    {
        TfrmMain* f = Form();
        if (scale == f->PaintBox1) {
            f->PaintBox1MouseDown(scale, vcl::TMouseButton::mbLeft, {}, 5, scale->Height() - pixelsAbove);
            f->PaintBox1Click(scale);
        } else {
            f->Image1MouseDown(scale, vcl::TMouseButton::mbLeft, {}, 5, scale->Height() - pixelsAbove);
            f->Image1Click(scale);
        }
    }

    // The address list as the search leaves it, the first item selected.
    void ListAddresses(std::initializer_list<int> addresses)
    {
        Form()->cbAddress->Items()->Clear();
        for (int address : addresses)
            Form()->cbAddress->Items()->Add(AddressItem(address));
        Form()->cbAddress->SetItemIndex(0);
        Form()->edAddr->SetText(vcl::IntToStr(Detector->Address));
    }

    void Confirm(const String& typed)
    {
        Form()->btChangeAddr->Click();
        Form()->edAddr->SetText(typed);
        Form()->btOkClick(Form()->btOk);
    }

    std::vector<String> ListItems() const
    {
        std::vector<String> items;
        for (int i = 0; i < Form()->cbAddress->Items()->Count(); ++i)
            items.push_back(Form()->cbAddress->Items()->Strings(i));
        return items;
    }

    double SimThreshold() { return SimDetector()["threshold"].Number; }
};

TEST_F(AdjustTest, ScaleClickInThresholdModeSendsThePulsesToTheClickedThreshold)
{
    StartAtTwoVolts(":mode=threshold");
    TfrmMain* f = Form();
    const struct {
        vcl::TControl* Scale;
        int PixelsAbove;
        int Pulses;
        double Reached;
    } clicks[] = {
        {f->PaintBox1, 146, 7, 1.3},   // 0.7 V down from 2.0 V
        {f->Image1, 146, 16, 1.3},     // at the current threshold: a whole turn
        {f->PaintBox1, 320, 4, 2.5},   // high up aims at 2.5 V: four steps down through the wrap
        {f->Image1, 50, 15, 1.0},      // low down aims at 1.0 V
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(testing::Message() << click.Scale->Name() << " " << click.PixelsAbove);
        // The record follows the detector's threshold, as the live display keeps it.
        Detector->Threshold = static_cast<uint8_t>(SimDetector()["threshold_level"].Int());
        Detector->ShownMode = ModeThreshold;
        f->btPlus->SetVisible(true);
        f->btMinus->SetVisible(true);
        Pauses.clear();
        ClickScaleAt(click.Scale, click.PixelsAbove);
        EXPECT_EQ(Pulses(1, KeyThreshold, click.Pulses), TakeFrames());
        EXPECT_DOUBLE_EQ(click.Reached, SimThreshold());
        EXPECT_EQ(std::vector<DWORD>(static_cast<size_t>(2 * click.Pulses), 400), Pauses);
        EXPECT_EQ(click.Pulses, f->pbWaitTres->Max());
        EXPECT_EQ(click.Pulses, f->pbWaitTres->Position());
        EXPECT_FALSE(f->pbWaitTres->Visible());
        EXPECT_FALSE(f->lbWaitTres->Visible());
        EXPECT_FALSE(f->btPlus->Visible());
        EXPECT_FALSE(f->btMinus->Visible());
    }
}

TEST_F(AdjustTest, ScaleClickOutsideThresholdModeOnlyHidesPlusAndMinus)
{
    StartAtTwoVolts();
    TfrmMain* f = Form();
    for (int32_t shown : {ModeNormal, ModeAlignment, int32_t{ZIRVZEBRA1::NoModeYet}}) {
        SCOPED_TRACE(shown);
        Detector->ShownMode = shown;
        f->btPlus->SetVisible(true);
        f->btMinus->SetVisible(true);
        ClickScaleAt(f->PaintBox1, 146);
        EXPECT_TRUE(TakeFrames().empty());
        EXPECT_FALSE(f->btPlus->Visible());
        EXPECT_FALSE(f->btMinus->Visible());
        EXPECT_FALSE(f->pbWaitTres->Visible());
    }
    EXPECT_DOUBLE_EQ(2.0, SimThreshold());
}

TEST_F(AdjustTest, MinusAndPlusStepTheThresholdOneTenth)
{
    StartAtTwoVolts(":mode=threshold");
    TfrmMain* f = Form();
    f->btMinus->Click();
    EXPECT_EQ(Pulses(1, KeyThreshold, 1), TakeFrames());
    EXPECT_EQ(1, f->pbWaitTres->Max());
    EXPECT_DOUBLE_EQ(1.9, SimThreshold());
    // In threshold mode the level of a press's reply is the threshold the press left.
    EXPECT_EQ(SimDetector()["threshold_level"].Int(), Detector->Level);

    f->btPlus->Click();
    f->btPlus->Click();
    EXPECT_EQ(Pulses(1, KeyThreshold, 30), TakeFrames());
    EXPECT_EQ(15, f->pbWaitTres->Max());
    EXPECT_DOUBLE_EQ(2.1, SimThreshold());
}

TEST_F(AdjustTest, SpeedListSendsTheCodeOfItsItem)
{
    StartLine({"1:16:speed=1"}, 1);
    TfrmMain* f = Form();
    const struct {
        int Item;
        uint8_t Code;
        int SimSpeed;
    } cases[] = {{1, 2, 2}, {2, 4, 4}, {0, 1, 1}, {-1, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Item);
        f->cbSpeed->SetItemIndex(c.Item);
        f->cbSpeedChange(f->cbSpeed);
        const std::vector<Bytes> frames = TakeFrames();
        EXPECT_EQ(std::vector<Bytes>{Frame(BuildSetSpeedRequest(1, StateQueryFixedByte, c.Code))}, frames);
        EXPECT_EQ(c.SimSpeed, SimDetector()["speed"].Int());
        EXPECT_EQ(c.Item, f->cbSpeed->ItemIndex());
    }
    // No item chosen sends what a plain state query sends.
    EXPECT_EQ(Frame(BuildSetSpeedRequest(1, StateQueryFixedByte, 0)), KeyFrame(1, KeyNone));
}

TEST_F(AdjustTest, ConfirmingAFreeNumberMovesTheDetectorAndEveryLaterRequest)
{
    StartLine({"1:16", "3:16"}, 1);
    ListAddresses({1, 3});
    TfrmMain* f = Form();
    Confirm(L"7");
    EXPECT_EQ(std::vector<Bytes>{Frame(BuildWriteConfigRequest(1, ConfigAddress, 7))}, TakeFrames());
    EXPECT_EQ(7, Detector->Address);
    EXPECT_EQ(7, SimDetector()["address"].Int());
    EXPECT_EQ((std::vector<String>{L"  3", L"  7"}), ListItems());
    EXPECT_EQ(1, f->cbAddress->ItemIndex());
    EXPECT_EQ(String(L"7"), f->edAddr->Text());
    EXPECT_FALSE(f->edAddr->Enabled());
    EXPECT_TRUE(f->btChangeAddr->Visible());
    EXPECT_EQ(121, f->lbAddr2->Width());
    EXPECT_EQ(44, f->lbAddr2->Left());
    EXPECT_EQ(35, f->lbAddr2->Top());
    EXPECT_EQ(18, f->lbAddr2->Font()->Height());
    EXPECT_EQ(msgCurrentNumberLabel, f->lbAddr2->Caption());

    f->cbSpeed->SetItemIndex(0);
    f->cbSpeedChange(f->cbSpeed);
    EXPECT_EQ(std::vector<Bytes>{Frame(BuildSetSpeedRequest(7, StateQueryFixedByte, 1))}, TakeFrames());
}

TEST_F(AdjustTest, ConfirmRefusesANumberTheListHolds)
{
    StartLine({"1:16", "3:16"}, 1);
    ListAddresses({1, 3});
    for (const wchar_t* typed : {L"3", L"1"}) {
        SCOPED_TRACE(typed);
        testsupport::TMessageBoxRecorder boxes;
        Confirm(typed);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(String(L"Введенный адрес уже занят"), boxes.Boxes()[0].Text);
        EXPECT_TRUE(TakeFrames().empty());
        EXPECT_EQ((std::vector<String>{L"  1", L"  3"}), ListItems());
        EXPECT_EQ(String(L"1"), Form()->edAddr->Text());
        EXPECT_EQ(1, Detector->Address);
    }
}

TEST_F(AdjustTest, AddressEntryKeepsToTheNumbersOfTheLine)
{
    StartLine({"1:16", "3:16"}, 1);
    ListAddresses({1, 3});
    TfrmMain* f = Form();
    f->btChangeAddr->Click();
    EXPECT_EQ(msgCurrentNumber + L"1" + msgEnterNewNumber, f->lbAddr2->Caption());
    EXPECT_FALSE(f->btOk->Enabled());
    f->edAddr->SetText(L"4");
    EXPECT_TRUE(f->btOk->Enabled());
    f->edAddr->SetText(L"45");
    EXPECT_EQ(String(L"31"), f->edAddr->Text());
    f->edAddr->SetText(String());
    EXPECT_FALSE(f->btOk->Enabled());
    for (wchar_t typed : {L'a', L'-', L' ', L'.'}) {
        wchar_t key = typed;
        f->edAddrKeyPress(f->edAddr, key);
        EXPECT_EQ(0, key) << int(typed);
    }
    for (wchar_t typed : {L'0', L'9', wchar_t{8}}) {
        wchar_t key = typed;
        f->edAddrKeyPress(f->edAddr, key);
        EXPECT_EQ(typed, key);
    }
    f->btCancelClick(f->btCancel);
    EXPECT_EQ(String(L"1"), f->edAddr->Text());

    // Empty, pasted negative and 0 are refused with the empty-value message; nothing is sent.
    const struct {
        const wchar_t* Typed;
        std::vector<String> Items;
    } refusals[] = {
        {L"", {L"  1", L"  3"}},
        {L"-5", {L"  1", L"  3"}},
        // The current item moves to the end.
        {L"0", {L"  3", L"  1"}},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(testing::PrintToString(String(r.Typed)));
        ListAddresses({1, 3});
        testsupport::TMessageBoxRecorder boxes;
        Confirm(r.Typed);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(msgEmptyValue, boxes.Boxes()[0].Text);
        EXPECT_TRUE(TakeFrames().empty());
        EXPECT_EQ(r.Items, ListItems());
        EXPECT_EQ(1, Detector->Address);
    }
}

TEST_F(AdjustTest, FailedAddressWriteKeepsTheOldNumberListedAndSelected)
{
    StartLine({"1:16", "3:16"}, 1);
    ListAddresses({1, 3});
    SetSim("fault", "no_reply");
    testsupport::TMessageBoxRecorder boxes;
    Confirm(L"7");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(std::vector<Bytes>{Frame(BuildWriteConfigRequest(1, ConfigAddress, 7))}, TakeFrames());
    EXPECT_EQ(1, Detector->Address);
    EXPECT_EQ((std::vector<String>{L"  3", L"  1"}), ListItems());
    EXPECT_EQ(1, Form()->cbAddress->ItemIndex());
    EXPECT_EQ(String(L"1"), Form()->edAddr->Text());
}

TEST_F(AdjustTest, ModeKeyButtonsPressTheModeKeyAndSwitchTheirViews)
{
    StartLine({"1:16"}, 1);
    TfrmMain* f = Form();
    f->FlagPanelOpen = true;
    f->sPanel13->SetVisible(true);
    f->sButton1->Click();
    EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyMode)}, TakeFrames());
    EXPECT_EQ("alignment", SimDetector()["mode"].Text);
    EXPECT_TRUE(f->PanelStep->Visible() && f->PanelSetup->Visible() && f->PanelUst->Visible());
    EXPECT_FALSE(f->sPanel3->Visible() || f->sPanel2->Visible() || f->sPanel5->Visible());
    EXPECT_FALSE(f->btBack->Visible() || f->btNextStep->Visible());
    EXPECT_EQ(msgStepAdjustTitle, f->lbStep->Caption());
    EXPECT_FALSE(f->sPanel13->Visible());
    EXPECT_FALSE(f->FlagPanelOpen);

    f->btNextClick(f->btNext);
    EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyMode)}, TakeFrames());
    EXPECT_TRUE(f->btCloseSetting->Enabled());
    EXPECT_FALSE(f->btNext->Enabled());
    f->btCloseSettingClick(f->btCloseSetting);
    EXPECT_EQ(std::vector<Bytes>{KeyFrame(1, KeyMode)}, TakeFrames());
    EXPECT_FALSE(f->btCloseSetting->Enabled());
    EXPECT_TRUE(f->btNext->Enabled());
}

TEST_F(AdjustTest, ThresholdValueClickFromNormalModeReachesThresholdMode)
{
    StartLine({"1:16"}, 1);
    TfrmMain* f = Form();
    Detector->ShownMode = ModeAlignment;
    f->edTresClick(f->edTres);
    EXPECT_TRUE(TakeFrames().empty());

    Detector->ShownMode = ModeNormal;
    f->edTresClick(f->edTres);
    EXPECT_EQ((std::vector<Bytes>{KeyFrame(1, KeyMode), KeyFrame(1, KeyNone), KeyFrame(1, KeyMode)}), TakeFrames());
    EXPECT_EQ((std::vector<DWORD>{500, 500}), Pauses);
    EXPECT_EQ("threshold", SimDetector()["mode"].Text);
    EXPECT_EQ(vcl::TBevelCut::bvLowered, f->sPanel10->BevelOuter());
}

}  // namespace
