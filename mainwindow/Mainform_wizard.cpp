// The setup wizard: its start and refusal, navigation between the steps, the adjustment flow's
// Continue and End buttons, the keep-alive request, and what happens inside each step.
#include "mainwindow/Mainform.h"

#include "languages/messagetexts.h"
#include "mainwindow/Adjustrules.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Testthread.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <optional>

using namespace zirv;
using wizard::Move;
using wizard::Page;

namespace {

constexpr int StatusBarAddressPanel = 2;
// The step address list waits before it asks the chosen detector for its type.
constexpr DWORD StepAddressPauseMs = 500;
// Back from the threshold step gives the mode-key press time before the alignment step polls.
constexpr DWORD BackFromThresholdPauseMs = 1000;
constexpr DWORD StepModeKeyPauseMs = 200;
// How far the number entry lifts its label and its edit while it is open.
constexpr int EntryLabelLift = 10;
constexpr int EntryEditLift = 5;
// Where the threshold step's plus button and level label stand below the threshold line.
constexpr int TimerPlusOffset = 35;
constexpr int TimerLevelLabelOffset = 63;
constexpr int TimerMinusGap = 20;
constexpr int ClickPlusOffset = 45;
constexpr int ClickMinusGap = 15;

// How a step shows a band of a measured value: the status lamp's colour and the band's text.
struct BandView {
    vcl::TColor Lamp;
    const vcl::String* Text;
};

const vcl::String& PageTitle(Page page)
{
    switch (page) {
    case Page::Address: return AddressZeroFound ? msgStepSetNumber : msgStepChooseSensor;
    case Page::Supply: return msgStepPowerTitle;
    case Page::Letter: return msgStepLetterTitle;
    case Page::Speed: return msgStepSpeedTitle;
    case Page::Alignment: return msgStepAdjustTitle;
    case Page::Threshold: break;
    }
    return msgStepThresholdTitle;
}

// The hint of every page but the letter page, whose hint follows the letter.
vcl::String PageHint(Page page, bool withNextHelp)
{
    switch (page) {
    case Page::Address:
        if (AddressZeroFound)
            return msgStepSetNumberHelp;
        return withNextHelp ? msgStepChooseSensorHelp + msgHelpNext : msgStepChooseSensorHelp;
    case Page::Supply: return msgStepPowerHelp;
    case Page::Speed: return msgStepSpeedHelp;
    case Page::Alignment: return msgStepAdjustHelp + msgHelpBackNext;
    case Page::Threshold: return msgStepThresholdHelp + msgHelpBackDone;
    case Page::Letter: break;
    }
    return vcl::String();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The question's answers

void TfrmMain::StartWizard()
{
    sPanel1->SetVisible(true);
    sPanel4->SetVisible(true);
    sPanel3->SetVisible(false);
    shState->Brush()->SetColor(vcl::clGreen);
    shStatus->Brush()->SetColor(vcl::clGreen);
    SetControlsVisible({PanelStep, PanelSetup, btBack, btNextStep}, true);
    btContinue->SetVisible(false);
    WizardStep = 1;
    lbHint->Font()->SetSize(wizard::HintFontSize);
    LineSensorCount += static_cast<int32_t>(std::count(FoundFlags.begin(), FoundFlags.end(), 1));
    AddressZeroFound = FoundFlags[0] == 1;
    ShowWizardPage(Page::Address, true);
    lbState->SetCaption(vcl::String());
    SetWizardHeading(Move::Next, 1, PageTitle(Page::Address));
    lbHint->SetCaption(PageHint(Page::Address, false));
    if (!AddressZeroFound)
        lbStepAddress2->SetCaption(msgSensorsOnLine + vcl::IntToStr(LineSensorCount));
    lbStatus->SetCaption(vcl::String());
    CentreOnLamp(lbState, shState, true);
    CentreOnLamp(lbStatus, shStatus, true);
    lbStep->SetTop((sBevel1->Top() - lbStep->Height()) / 2);
}

void TfrmMain::DeclineWizard()
{
    ShowMonitoringView();
    ReqInfoThread->Start();
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TfrmMain::ShowWizardPage(Page Which, bool Visible)
{
    switch (Which) {
    case Page::Address: (AddressZeroFound ? PanelNumberChange : PanelAddress)->SetVisible(Visible); return;
    case Page::Supply: PanelRxPower->SetVisible(Visible); return;
    case Page::Letter: PanelLetter->SetVisible(Visible); return;
    case Page::Speed: PanelSpeed->SetVisible(Visible); return;
    case Page::Alignment: PanelUst->SetVisible(Visible); return;
    case Page::Threshold: ShowThresholdControls(Visible); return;
    }
}

void TfrmMain::SetWizardHeading(Move Direction, int16_t Step, const vcl::String& Title)
{
    // The size goes first: the heading sizes itself to its text and is centred on that.
    if (const int size = wizard::HeadingFontSize(Direction, Step, CurrentLanguage))
        lbStep->Font()->SetSize(size);
    lbStep->SetCaption(msgStep + vcl::IntToStr(Step) + L": " + Title);
    lbStep->SetLeft((PanelStep->Width() - lbStep->Width()) / 2);
}

void TfrmMain::ShowLetter()
{
    if (Detector->Letter == 0) {
        edStepLetter->SetText(L"?");
        shStatus->Brush()->SetColor(vcl::clRed);
        lbStepLetter2->SetCaption(msgLetterWrong);
        lbStepLetter2->SetVisible(true);
        lbHint->SetCaption(msgStepLetterHelp);
    } else {
        edStepLetter->SetText(vcl::IntToStr(Detector->Letter));
        shStatus->Brush()->SetColor(vcl::clGreen);
        lbStepLetter2->SetCaption(msgLetterRight);
        lbStepLetter2->SetVisible(false);
        lbHint->SetCaption(msgStepLetterHelpChange);
    }
}

void TfrmMain::ApplyWizardTransition(const wizard::Transition& Row)
{
    const uint32_t extras = Row.Extras;
    if (extras & wizard::PressModeKeyFirst) {
        // Threshold mode back to normal; the alignment step's timer takes it on to alignment.
        Timer_ReqID->SetEnabled(false);
        ReplyData reply{};
        KeyQuery(KeyMode, reply);
        ProgramSeams().Pause(BackFromThresholdPauseMs);
    }
    ShowWizardPage(Row.Leave, false);
    ShowWizardPage(Row.Enter, true);
    lbHint->Font()->SetSize(wizard::HintFontSize);
    SetWizardHeading(Row.Direction, wizard::EnteredStep(Row), PageTitle(Row.Enter));
    if (Row.Enter != Page::Letter)
        lbHint->SetCaption(PageHint(Row.Enter, extras & wizard::HintWithNextHelp));
    if (extras & (wizard::EnableBack | wizard::DisableBack))
        btBack->SetEnabled(extras & wizard::EnableBack);
    if (extras & wizard::StatusGreen)
        shStatus->Brush()->SetColor(vcl::clGreen);
    if ((extras & wizard::ClearStatus) || ((extras & wizard::ClearStatusOfSetNumber) && AddressZeroFound))
        lbStatus->SetCaption(vcl::String());
    if (extras & wizard::HideSpeedNote)
        lbStepSpeed2->SetVisible(false);
    if (extras & wizard::SelectSpeed)
        SelectSpeedItem(cbStepSpeed, Detector->SpeedCode);
    Timer_ReqID->SetEnabled(Row.KeepAlive);
    if (extras & wizard::ReadState) {
        ReplyData reply{};
        if (KeyQuery(KeyNone, reply) == ExchangeOk) {
            const StateBytes state = StateBytesOf(reply);
            Detector->Letter = LetterOf(state.Letter);
            Detector->SpeedCode = SpeedCodeOf(state.Status);
        }
    }
    if (extras & wizard::ShowLetter)
        ShowLetter();
    if (extras & wizard::CaptionDone)
        btNextStep->SetCaption(msgDone);
    if (extras & wizard::CaptionNext)
        btNextStep->SetCaption(msgNext);
    switch (Row.Timer) {
    case wizard::StepTimer::Supply: Timer_RxPower->SetEnabled(true); break;
    case wizard::StepTimer::Alignment: Timer_Ust->SetEnabled(true); break;
    case wizard::StepTimer::Threshold: Timer_Tres->SetEnabled(true); break;
    case wizard::StepTimer::None: break;
    }
}

void TfrmMain::FinishWizard()
{
    // Threshold mode back to normal; the poll thread's first query releases the key.
    ReplyData reply{};
    KeyQuery(KeyMode, reply);
    Timer_ReqID->SetEnabled(true);
    vcl::ShowMessage(msgSetupComplete);
    Timer_ReqID->SetEnabled(false);
    PanelSetup->SetVisible(false);
    PanelStep->SetVisible(false);
    ShowMonitoringView();
    ShowThresholdControls(false);
    Timer_Tres->SetEnabled(false);
    ReqInfoThread->Start();
    SelectSpeedItem(cbSpeed, Detector->SpeedCode);
}

void TfrmMain::MoveWizard(Move Direction)
{
    Timer_RxPower->SetEnabled(false);
    Timer_Ust->SetEnabled(false);
    Timer_Tres->SetEnabled(false);
    StatusBar1->Panels()->Items(StatusBarAddressPanel)->SetText(msgUniqueNumber + vcl::IntToStr(Detector->Address));
    if (const wizard::Transition* row = wizard::FindTransition(Direction, WizardStep))
        ApplyWizardTransition(*row);
    else if (Direction == Move::Next && WizardStep == 6)
        // The step decides, not the button's caption, which a language change rewrites.
        FinishWizard();
    WizardStep = static_cast<int16_t>(WizardStep + (Direction == Move::Next ? 1 : -1));
    lbStep->SetTop((sBevel1->Top() - lbStep->Height()) / 2);
    CentreOnLamp(lbStatus, shStatus, false);
    CentreOnLamp(lbState, shState, false);
}

void TfrmMain::btNextStepClick(vcl::TObject*)
{
    MoveWizard(Move::Next);
}

void TfrmMain::btBackClick(vcl::TObject*)
{
    MoveWizard(Move::Back);
}

// ---------------------------------------------------------------------------------------------
// The adjustment flow during monitoring, and the keep-alive

void TfrmMain::btContinueClick(vcl::TObject*)
{
    lbHint->Font()->SetSize(wizard::HintFontSize);
    shStatus->Brush()->SetColor(vcl::clGreen);
    PanelUst->SetVisible(false);
    lbStep->SetCaption(msgStepThresholdTitle);
    lbHint->SetCaption(msgStepThresholdHelp);
    ShowThresholdControls(true);
    lbStep->SetLeft((PanelStep->Width() - lbStep->Width()) / 2);
    // Alignment to threshold mode.
    KeyQueryKeepingLevel(KeyMode);
    btContinue->SetVisible(false);
    btEndSetting->SetVisible(true);
}

void TfrmMain::btEndSettingClick(vcl::TObject*)
{
    // Threshold to normal mode.
    KeyQueryKeepingLevel(KeyMode);
    btEndSetting->SetVisible(false);
    PanelSetup->SetVisible(false);
    PanelStep->SetVisible(false);
    ShowMonitoringView();
    ShowThresholdControls(false);
    Timer_Tres->SetEnabled(false);
}

void TfrmMain::Timer_ReqIDTimer(vcl::TObject*)
{
    ReplyData reply{};
    Detector->ReadDeviceType(Detector->Address, reply);
}

// ---------------------------------------------------------------------------------------------
// Step 1: choose the sensor, or give the one at address 0 its number

void TfrmMain::cbStepAddressChange(vcl::TObject*)
{
    Detector->Address = static_cast<uint16_t>(vcl::StrToInt(AddressOfItem(cbStepAddress->Text())));
    ProgramSeams().Pause(StepAddressPauseMs);
    ReplyData reply{};
    if (Detector->ReadDeviceType(Detector->Address, reply) == ExchangeOk) {
        ShowModelName(DeviceTypeOf(reply));
        StatusBar1->Panels()
            ->Items(StatusBarAddressPanel)
            ->SetText(msgUniqueNumber + vcl::IntToStr(Detector->Address));
    }
    // Set by program: the main window's list does not poll for it.
    cbAddress->SetItemIndex(cbStepAddress->ItemIndex());
    edAddr->SetText(vcl::IntToStr(Detector->Address));
    edAddr->SetAlignment(vcl::TAlignment::taCenter);
}

void TfrmMain::btStepChangeAddrClick(vcl::TObject*)
{
    OpenAddressEntry(StepAddressEntry());
    lbStepAddr2->SetLeft(30);
    lbStepAddr2->SetTop(lbStepAddr2->Top() - EntryLabelLift);
    edStepAddr->SetTop(edStepAddr->Top() - EntryEditLift);
}

void TfrmMain::edStepAddrChange(vcl::TObject*)
{
    LimitAddressEntry(edStepAddr, btStepOk);
}

void TfrmMain::CloseStepAddressEntry()
{
    CloseAddressEntry(StepAddressEntry());
    // Back where the entry found them, so that repeated entries do not creep upwards.
    lbStepAddr2->SetTop(lbStepAddr2->Top() + EntryLabelLift);
    edStepAddr->SetTop(edStepAddr->Top() + EntryEditLift);
}

void TfrmMain::btStepOkClick(vcl::TObject*)
{
    CloseStepAddressEntry();
    const int32_t number = EnteredAddress(edStepAddr);
    if (!adjust::IsLineAddress(number)) {
        // Nothing sent, and both lists keep the current number.
        vcl::ShowMessage(msgEmptyValue);
    } else {
        RemoveAddressItems(cbAddress, Detector->Address);
        RemoveAddressItems(cbStepAddress, Detector->Address);
        // Number 0 has its own sub-command; the record takes a number only when the detector took it.
        const uint8_t subCommand = number == 0 ? ConfigNumberZero : ConfigAddress;
        ReplyData reply{};
        if (Detector->WriteConfig(Detector->Address, subCommand, static_cast<uint8_t>(number), reply) == ExchangeOk)
            Detector->Address = static_cast<uint16_t>(number);
        AppendAddressItem(cbAddress, Detector->Address);
        AppendAddressItem(cbStepAddress, Detector->Address);
    }
    edStepAddr->SetText(vcl::IntToStr(Detector->Address));
}

void TfrmMain::btStepCancelClick(vcl::TObject*)
{
    CloseStepAddressEntry();
    edStepAddr->SetText(vcl::IntToStr(Detector->Address));
}

// ---------------------------------------------------------------------------------------------
// Steps 2 and 4: supply and speed class

void TfrmMain::Timer_RxPowerTimer(vcl::TObject*)
{
    ReplyData reply{};
    if (KeyQuery(KeyNone, reply) == ExchangeOk) {
        Detector->SupplyVolts = SupplyVoltsOf(StateBytesOf(reply).Supply);
        edStepRxPower->SetText(VoltsText(Detector->SupplyVolts));
        static const BandView views[] = {
            {vcl::clGreen, &msgPowerNormal}, {vcl::clYellow, &msgPowerNearLimit}, {vcl::clRed, &msgPowerFault}};
        const BandView& view = views[static_cast<int>(adjust::SupplyBandOf(Detector->SupplyVolts)) - 1];
        shStatus->Brush()->SetColor(view.Lamp);
        lbStepRxPower2->SetCaption(*view.Text);
        lbStepRxPower2->SetLeft((PanelRxPower->Width() - lbStepRxPower2->Width()) / 2);
    }
    CentreOnLamp(lbStatus, shStatus, false);
}

void TfrmMain::cbStepSpeedChange(vcl::TObject*)
{
    ReplyData reply{};
    const uint8_t code = adjust::SpeedCodeOfItem(cbStepSpeed->ItemIndex());
    if (Detector->SetSpeed(Detector->Address, StateQueryFixedByte, code, reply) == ExchangeOk) {
        const StateBytes state = StateBytesOf(reply);
        Detector->Level = state.Level;
        Detector->SpeedCode = SpeedCodeOf(state.Status);
    }
}

// ---------------------------------------------------------------------------------------------
// Steps 5 and 6: alignment and threshold, each forcing the detector into its mode

std::optional<uint8_t> TfrmMain::ForceStepMode(vcl::TTimer* StepTimer, uint8_t WantedMode, const vcl::String& Notice)
{
    ReplyData reply{};
    if (KeyQuery(KeyNone, reply) != ExchangeOk) {
        // The step cannot go on without its detector: the program ends, without a message.
        vcl::Application->Terminate();
        return std::nullopt;
    }
    uint8_t mode = ModeBitsOf(StateBytesOf(reply).Status);
    uint8_t key = KeyNone;
    if (mode != WantedMode && (mode == ModeBitsNormal || mode == ModeBitsAlignment || mode == ModeBitsThreshold)) {
        // One press per tick; the timer is off meanwhile and its next tick comes a whole interval later.
        StepTimer->SetEnabled(false);
        if (KeyQuery(KeyMode, reply) == ExchangeOk)
            mode = ModeBitsOf(StateBytesOf(reply).Status);
        lbStatus->SetCaption(Notice);
        CentreOnLamp(lbStatus, shStatus, false);
        ProgramSeams().Pause(StepModeKeyPauseMs);
        KeyQuery(KeyMode, reply);
        ProgramSeams().Pause(StepModeKeyPauseMs);
        StepTimer->SetEnabled(true);
        // The key stays pressed in the tick's further frames; the next tick's first query releases it.
        key = KeyMode;
    }
    if (mode != WantedMode)
        return std::nullopt;
    return key;
}

void TfrmMain::ShowAlignmentStepBand(float Volts)
{
    static const BandView views[] = {
        {vcl::clRed, &msgNoSignal},
        {vcl::clYellow, &msgSignalLowDanger},
        {vcl::clGreen, &msgSignalNormal},
        {vcl::clYellow, &msgSignalHighDanger},
    };
    const adjust::AlignmentStepBand band = adjust::AlignmentStepBandOf(Volts);
    if (band == adjust::AlignmentStepBand::AboveScale)
        return;
    const BandView& view = views[static_cast<int>(band)];
    shStatus->Brush()->SetColor(view.Lamp);
    lbStatus->Font()->SetSize(wizard::StatusFontSize);
    lbStatus->SetCaption(*view.Text);
}

void TfrmMain::Timer_UstTimer(vcl::TObject*)
{
    const std::optional<uint8_t> key = ForceStepMode(Timer_Ust, ModeBitsAlignment, msgToAdjustMode);
    if (!key)
        return;
    ReplyData reply{};
    if (KeyQuery(*key, reply) == ExchangeOk)
        Detector->Level = StateBytesOf(reply).Level;
    else
        vcl::Application->Terminate();
    const float volts = Detector->Level * LevelVoltFactor;
    edStepUst->SetText(VoltsText(volts));
    ShowAlignmentStepBand(volts);
    CentreOnLamp(lbStatus, shStatus, false);
}

void TfrmMain::ShowStepAlarm()
{
    if (Detector->Alarm > 1)
        return;
    const bool alarm = Detector->Alarm == 1;
    const vcl::TColor colour = alarm ? vcl::clRed : vcl::clGreen;
    lbStatus->SetCaption(alarm ? msgStateAlarm : msgStateNorm);
    shStatus->Brush()->SetColor(colour);
    cStepZone1->SetForeColor(colour);
    cStepZone1->SetProgress(alarm ? cStepZone1->MaxValue() : 0);
}

void TfrmMain::Timer_TresTimer(vcl::TObject*)
{
    const std::optional<uint8_t> key = ForceStepMode(Timer_Tres, ModeBitsThreshold, msgToThresholdMode);
    if (!key)
        return;
    ReplyData reply{};
    if (KeyQuery(*key, reply) == ExchangeOk) {
        const StateBytes state = StateBytesOf(reply);
        Detector->Level = state.Level;
        Detector->Alarm = AlarmOf(state.Status);
        // In threshold mode the detector reports its threshold as the level.
        Detector->Threshold = static_cast<uint8_t>(Detector->Level);
    } else {
        vcl::Application->Terminate();
    }
    edStepTres->SetText(VoltsText(Detector->Level * LevelVoltFactor));
    StepPaintBox1->Repaint();
    DrawThresholdLine(StepPaintBox1, Detector->Threshold);
    btStepPlus->SetTop(ThresholdLineY(StepPaintBox1, Detector->Threshold, TimerPlusOffset));
    lbTresholLevel->SetTop(ThresholdLineY(StepPaintBox1, Detector->Threshold, TimerLevelLabelOffset));
    btStepMinus->SetTop(btStepPlus->Top() + btStepPlus->Height() + TimerMinusGap);
    ShowStepAlarm();
    CentreOnLamp(lbStatus, shStatus, false);
}

void TfrmMain::StepThresholdPulses(int32_t Pulses)
{
    pbStepWaitTres->SetVisible(true);
    pbStepWaitTres->SetPosition(0);
    lbStatus->SetCaption(msgThresholdChange);
    SendThresholdPulses(Pulses, pbStepWaitTres);
    pbStepWaitTres->SetVisible(false);
}

void TfrmMain::btStepMinusClick(vcl::TObject*)
{
    StepThresholdPulses(1);
}

void TfrmMain::btStepPlusClick(vcl::TObject*)
{
    StepThresholdPulses(adjust::ThresholdTurn - 1);
}

void TfrmMain::StepPaintBox1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int Y)
{
    ScaleClickY = Y;
}

void TfrmMain::Image4MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int Y)
{
    ScaleClickY = Y;
}

void TfrmMain::StepScaleClick(vcl::TControl* Scale)
{
    lbStatus->SetCaption(msgThresholdChange);
    StepThresholdPulses(ScaleClickPulses(Scale));
    // The pulses did not change the record: the next timer tick moves the line to the new threshold.
    StepPaintBox1->Repaint();
    DrawThresholdLine(StepPaintBox1, Detector->Threshold);
    btStepPlus->SetTop(ThresholdLineY(StepPaintBox1, Detector->Threshold, ClickPlusOffset));
    btStepMinus->SetTop(btStepPlus->Top() + btStepPlus->Height() + ClickMinusGap);
}

void TfrmMain::StepPaintBox1Click(vcl::TObject*)
{
    StepScaleClick(StepPaintBox1);
}

void TfrmMain::Image4Click(vcl::TObject*)
{
    StepScaleClick(Image4);
}
