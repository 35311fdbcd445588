// The poll thread and the live display it drives: every poll's reply turns into the main window's
// picture of the current detector, in the view of the mode the detector reports.
#include "mainwindow/Testthread.h"

#include "languages/messagetexts.h"
#include "mainwindow/Adjustrules.h"
#include "mainwindow/Mainform.h"
#include "mainwindow/Monitorrules.h"
#include "mainwindow/Seams.h"
#include "vcl/sysutils.h"

#include <cstdlib>

using namespace zirv;

namespace {

constexpr DWORD PollIntervalMs = 50;
constexpr int32_t HeadingFontSize = 18;
constexpr int32_t AlignmentHintTop = 70;
constexpr int32_t ThresholdHintTop = 90;
// Where the plus button and the level label stand below the threshold line, and the minus
// button below the plus button.
constexpr int32_t PlusBelowLine = 40;
constexpr int32_t LevelLabelBelowLine = 63;
constexpr int32_t MinusBelowPlus = 15;

vcl::TColor Colour(uint32_t value)
{
    return vcl::TColor(static_cast<int32_t>(value));
}

void SetLamps(TfrmMain& f, uint32_t colour)
{
    f.shState->Brush()->SetColor(Colour(colour));
    f.shStatus->Brush()->SetColor(Colour(colour));
}

void CentreStatus(TfrmMain& f)
{
    TfrmMain::CentreOnLamp(f.lbStatus, f.shStatus, true);
}

void SetStatus(TfrmMain& f, const vcl::String& text, int32_t fontSize)
{
    f.lbStatus->Font()->SetSize(fontSize);
    f.lbStatus->SetCaption(text);
}

void CentreHeading(TfrmMain& f)
{
    f.lbStep->SetLeft((f.PanelStep->Width() - f.lbStep->Width()) / 2);
}

// The views the display keeps, one per mode the detector reports. A full set-up runs when the
// mode changes; the reduced one while the detector reports no mode.
enum class SetUp { Full, Reduced };

void SetUpMonitoring(TfrmMain& f, SetUp kind)
{
    SetControlsVisible({f.PanelSetup, f.PanelStep, f.sPanel9, f.sPanel10, f.btEndSetting}, false);
    SetControlsVisible({f.sPanel14, f.sPanel16, f.sPanel11, f.lbUst, f.lbUst2, f.lbTres, f.lbTres2}, true);
    f.edValue->SetEnabled(true);
    f.edUst->SetColor(Colour(monitor::ColourFieldGrey));
    if (kind == SetUp::Reduced)
        return;
    f.ShowMonitoringView();
    f.sPanel9->SetBevelOuter(vcl::TBevelCut::bvRaised);
    f.sPanel10->SetBevelOuter(vcl::TBevelCut::bvRaised);
    f.ShowThresholdControls(false);
    SetControlsVisible({f.lbStepTres2, f.btPlus, f.btMinus}, false);
    f.edTres->SetColor(Colour(monitor::ColourFieldGrey));
    f.Image1->Picture()->LoadFromFile(L"image\\2scale.png");
    SetControlsEnabled({f.lbAddress, f.lbAddress2, f.edRxPower, f.lbRxPower, f.lbRxPower2, f.edLetter, f.lbLetter,
                        f.lbLetter2, f.cbSpeed, f.lbSpeed, f.lbSpeed2, f.edTres, f.lbTres, f.lbTres2, f.edUst, f.lbUst,
                        f.lbUst2, f.Label1, f.Label2, f.Label3, f.Label4},
                       true);
    if (f.FoundCount > 1)
        f.cbAddress->SetEnabled(true);
}

// The alignment and threshold views are the wizard's step area beside its navigation.
void ShowStepArea(TfrmMain& f)
{
    SetControlsVisible({f.PanelSetup, f.PanelStep, f.sPanel1, f.sPanel4}, true);
    SetControlsVisible({f.sPanel3, f.sPanel5, f.sPanel2}, false);
}

void SetUpAlignment(TfrmMain& f, SetUp kind)
{
    ShowStepArea(f);
    f.PanelUst->SetVisible(true);
    if (kind == SetUp::Full)
        SetLamps(f, monitor::ColourGreen);
    f.lbStep->Font()->SetSize(HeadingFontSize);
    f.lbStep->SetCaption(msgStepAdjustTitle);
    CentreHeading(f);
    f.lbHint->Font()->SetSize(wizard::HintFontSize);
    f.lbHint->SetTop(AlignmentHintTop);
    f.lbHint->SetCaption(msgStepAdjustHelp + msgHelpNext);
    SetControlsVisible({f.btBack, f.btNextStep}, false);
    f.btContinue->SetVisible(true);
}

void SetUpThreshold(TfrmMain& f, SetUp kind)
{
    ShowStepArea(f);
    if (kind == SetUp::Full) {
        SetControlsVisible({f.sPanel9, f.sPanel10, f.lbSearch, f.lbStepTres2}, false);
        SupplyBandShown = 0;
    }
    f.ShowThresholdControls(true);
    f.PanelUst->SetVisible(false);
    SetLamps(f, monitor::ColourGreen);
    f.lbStep->SetCaption(msgStepThresholdTitle);
    CentreHeading(f);
    f.lbHint->Font()->SetSize(wizard::HintFontSize);
    f.lbHint->SetTop(ThresholdHintTop);
    f.lbHint->SetCaption(msgStepThresholdHelp + msgClickDone);
    f.btContinue->SetVisible(false);
    f.btEndSetting->SetVisible(true);
}

vcl::String LevelText(const TfrmMain& f, int32_t level)
{
    return VoltsText(monitor::LevelVolts(level, f.LevelVoltFactor));
}

// Normal mode: the level against the threshold on the gauge and, when noisy, on the status lamp.
void ShowLevel(TfrmMain& f, const ZIRVZEBRA1& d)
{
    f.edValue->SetText(LevelText(f, d.Level));
    const monitor::LevelZone zone = monitor::LevelZoneOf(d.Level, d.Threshold);
    f.cZone1->SetForeColor(Colour(monitor::GaugeColourOf(zone)));
    if (zone == monitor::LevelZone::Noisy && d.Alarm != 1) {
        f.shStatus->Brush()->SetColor(Colour(monitor::ColourYellow));
        SetStatus(f, msgNoiseHigh, wizard::StatusFontSize);
    }
    CentreStatus(f);
    f.cZone1->SetProgress(d.Level);
}

// The threshold line and whatever follows it on the main window's scale, then the window redrawn.
void ShowMainThresholdLine(TfrmMain& f, const ZIRVZEBRA1& d)
{
    f.DrawThresholdLine(f.PaintBox1, d.Threshold);
    f.Repaint();
}

// Alignment mode: the level's band on the status lamp and text. The reduced display keeps the
// larger font in every band and leaves the value field's colour.
void ShowAlignmentBand(TfrmMain& f, const ZIRVZEBRA1& d, SetUp kind)
{
    const float volts = monitor::LevelVolts(d.Level, f.LevelVoltFactor);
    f.edStepUst->SetText(VoltsText(volts));
    static const vcl::String* const texts[] = {&msgNoSignal,  &msgSignalTooLow,     &msgSignalLowDanger,
                                               &msgSignalNormal, &msgSignalHighDanger, &msgSignalTooHigh};
    const monitor::AlignmentBand band = monitor::AlignmentBandOf(volts);
    const monitor::AlignmentBandLook look = monitor::AlignmentBandLookOf(band);
    f.shStatus->Brush()->SetColor(Colour(look.StatusColour));
    SetStatus(f, *texts[static_cast<size_t>(band)], kind == SetUp::Full ? look.FontSize : wizard::StatusFontSize);
    if (kind == SetUp::Full && look.FieldRed)
        f.edStepUst->SetColor(Colour(monitor::ColourRed));
    CentreStatus(f);
}

// Threshold mode: the step gauge tells alarm or not; the level is the detector's threshold.
void ShowStepAlarm(TfrmMain& f, const ZIRVZEBRA1& d)
{
    if (d.Alarm == 0) {
        f.lbStatus->SetCaption(msgStateNorm);
        SetLamps(f, monitor::ColourGreen);
        f.cStepZone1->SetForeColor(Colour(monitor::ColourGreen));
        f.cStepZone1->SetProgress(0);
    } else if (d.Alarm == 1) {
        f.lbStatus->SetCaption(msgStateAlarm);
        SetLamps(f, monitor::ColourRed);
        f.cStepZone1->SetForeColor(Colour(monitor::ColourRed));
        f.cStepZone1->SetProgress(f.cStepZone1->MaxValue());
    }
    CentreStatus(f);
}

// The step scale shows the stored threshold; the level then becomes the threshold.
void RedrawStepLine(TfrmMain& f, ZIRVZEBRA1& d)
{
    f.StepPaintBox1->Repaint();
    f.DrawThresholdLine(f.StepPaintBox1, d.Threshold);
}

void TakeThreshold(ZIRVZEBRA1& d)
{
    d.PrevLevel = d.Level;
    d.Threshold = static_cast<uint8_t>(d.Level);
}

void ShowNormalMode(TfrmMain& f, ZIRVZEBRA1& d)
{
    ShowLevel(f, d);
    if (d.ModeIndex != d.PrevMode)
        SetUpMonitoring(f, SetUp::Full);
    ShowMainThresholdLine(f, d);
}

void ShowAlignmentMode(TfrmMain& f, ZIRVZEBRA1& d)
{
    ShowAlignmentBand(f, d, SetUp::Full);
    if (d.ModeIndex != d.PrevMode)
        SetUpAlignment(f, SetUp::Full);
}

void ShowThresholdMode(TfrmMain& f, ZIRVZEBRA1& d)
{
    f.edStepTres->SetText(LevelText(f, d.Level));
    RedrawStepLine(f, d);
    // The buttons and the label follow the threshold shown before this reply.
    f.btStepPlus->SetVisible(true);
    f.btStepMinus->SetVisible(true);
    f.btStepPlus->SetTop(TfrmMain::ThresholdLineY(f.StepPaintBox1, d.Threshold, PlusBelowLine));
    f.lbTresholLevel->SetTop(TfrmMain::ThresholdLineY(f.StepPaintBox1, d.Threshold, LevelLabelBelowLine));
    f.btStepMinus->SetTop(f.btStepPlus->Top() + f.btStepPlus->Height() + MinusBelowPlus);
    TakeThreshold(d);
    CentreStatus(f);
    if (d.ModeIndex != d.PrevMode)
        SetUpThreshold(f, SetUp::Full);
    f.DrawThresholdLine(f.StepPaintBox1, d.Threshold);
    f.Repaint();
    ShowStepAlarm(f, d);
}

// No mode reported: the view of the mode shown last stays, refreshed.
void ShowWithoutMode(TfrmMain& f, ZIRVZEBRA1& d)
{
    switch (d.ShownMode) {
    case ModeNormal:
        ShowLevel(f, d);
        SetUpMonitoring(f, SetUp::Reduced);
        ShowMainThresholdLine(f, d);
        break;
    case ModeAlignment:
        ShowAlignmentBand(f, d, SetUp::Reduced);
        SetUpAlignment(f, SetUp::Reduced);
        break;
    case ModeThreshold:
        f.edStepTres->SetText(LevelText(f, d.Level));
        // A jitter of one unit is no new threshold.
        if (std::abs(d.Level - d.PrevLevel) > 1) {
            RedrawStepLine(f, d);
            TakeThreshold(d);
        }
        SetUpThreshold(f, SetUp::Reduced);
        ShowStepAlarm(f, d);
        break;
    default: break;
    }
    CentreStatus(f);
}

void ShowSupply(TfrmMain& f, const ZIRVZEBRA1& d)
{
    f.edRxPower->SetText(VoltsText(d.SupplyVolts));
    const adjust::SupplyBand band = adjust::SupplyBandOf(d.SupplyVolts);
    f.edRxPower->SetColor(Colour(monitor::SupplyColourOf(band)));
    // The caret goes once per band change, and only while the monitoring view shows.
    if (static_cast<int32_t>(band) != SupplyBandShown && d.ModeIndex == ModeNormal) {
        f.edRxPower->SetSelLength(0);
        HideCaret(f.edRxPower->Handle());
        SupplyBandShown = static_cast<int32_t>(band);
    }
}

}  // namespace

void TReqInfoThread::Execute()
{
    NameThreadForDebugging(L"ReadWriteInfo");
    while (!Terminated()) {
        ProgramSeams().Pause(PollIntervalMs);
        WaitForSingleObject(RequestSemaphore, INFINITE);
        ReadWriteInfo();
        ReleaseSemaphore(RequestSemaphore, 1, nullptr);
    }
}

void TReqInfoThread::ReadWriteInfo()
{
    ReplyData reply{};
    // The address is read at each poll: a new choice in the address list redirects the next one.
    if (Detector->QueryState(Detector->Address, StateQueryFixedByte, KeyNone, reply) == ExchangeOk) {
        Detector->DecodeState(reply);
        Synchronize(vcl::TThreadMethod(this, &TReqInfoThread::ShowInfo));
    } else {
        Synchronize(vcl::TThreadMethod(this, &TReqInfoThread::ShowNoLink));
    }
}

void TReqInfoThread::ShowInfo()
{
    TfrmMain& f = *frmMain;
    ZIRVZEBRA1& d = *Detector;

    f.edLetter->SetText(d.Letter == 0 ? vcl::String(L"?") : vcl::IntToStr(d.Letter));

    if (d.Alarm == 0) {
        SetLamps(f, monitor::ColourGreen);
        f.lbState->SetCaption(msgStateNorm);
        f.lbStatus->Font()->SetSize(wizard::StatusFontSize);
        if (d.ModeIndex != ModeThreshold)
            f.lbStatus->SetCaption(msgNoiseNormal);
    } else if (d.Alarm == 1) {
        SetLamps(f, monitor::ColourRed);
        f.lbStatus->Font()->SetSize(wizard::StatusFontSize);
        f.lbStatus->SetCaption(d.Threshold != 0 ? msgAlarmAlarm : msgNoTransmitter);
        f.lbState->SetCaption(msgStateAlarm);
        f.SoundAlarm();
    }
    TfrmMain::CentreOnLamp(f.lbState, f.shState, false);
    TfrmMain::CentreOnLamp(f.lbStatus, f.shStatus, false);

    if (d.ModeIndex != ModeNone)
        d.LastMode = d.ModeIndex;
    d.ShownMode = d.LastMode;

    switch (d.ModeIndex) {
    case ModeNormal: ShowNormalMode(f, d); break;
    case ModeAlignment: ShowAlignmentMode(f, d); break;
    case ModeThreshold: ShowThresholdMode(f, d); break;
    case ModeNone: ShowWithoutMode(f, d); break;
    default: break;
    }

    ShowSupply(f, d);
    d.PrevMode = d.LastMode;
}

void TReqInfoThread::ShowNoLink()
{
    TfrmMain& f = *frmMain;
    f.shState->Brush()->SetColor(Colour(monitor::ColourSilver));
    f.lbState->SetCaption(msgLinkLost);
    TfrmMain::CentreOnLamp(f.lbState, f.shState, false);
    f.cZone1->SetProgress(0);
    f.cZone1->SetForeColor(Colour(monitor::ColourGrey));
    f.edValue->SetEnabled(false);
    f.shStatus->Brush()->SetColor(Colour(monitor::ColourGrey));
    f.lbStatus->SetCaption(msgLinkLost);
    // Across only: the height stays where the last good reply put it.
    TfrmMain::CentreOnLamp(f.lbStatus, f.shStatus, false);
}
