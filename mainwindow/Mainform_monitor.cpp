// The monitoring view: choosing a detector, the poll action, the alarm sound and its button, the
// carets of the value fields, and the clicks that close the language flag panel. Also the view
// helpers that the live display shares with the adjustments and the wizard.
#include "mainwindow/Mainform.h"

#include "languages/messagetexts.h"
#include "mainwindow/Monitorrules.h"
#include "mainwindow/Seams.h"
#include "vcl/sysutils.h"

#include <mmsystem.h>

#include <cmath>
#include <iterator>

using namespace zirv;

namespace {

constexpr DWORD TypeRequestPauseMs = 100;

const wchar_t* const AlarmSoundFile = L"Alarm1.wav";

// The one-time state display of the poll action, by the record's alarm flag.
struct StateLook {
    uint32_t Lamp;
    const vcl::String* StateText;
    const vcl::String* StatusText;
    uint32_t Gauge;
};

const StateLook* StateLookOf(uint8_t alarm)
{
    static const StateLook looks[] = {
        {monitor::ColourLime, &msgStateNorm, &msgStateOk, monitor::ColourGreen},
        {monitor::ColourRed, &msgStateAlarm, &msgStateAlarm, monitor::ColourRed},
    };
    return alarm < std::size(looks) ? &looks[alarm] : nullptr;
}

// Hides the caret of a display-only field and drops its selection; the caret goes only when the
// field has it.
void HideFieldCaret(vcl::TCustomEdit* Field)
{
    Field->SetSelLength(0);
    HideCaret(Field->Handle());
}

}  // namespace

void SetControlsVisible(std::initializer_list<vcl::TControl*> Controls, bool Visible)
{
    for (vcl::TControl* control : Controls)
        control->SetVisible(Visible);
}

void SetControlsEnabled(std::initializer_list<vcl::TControl*> Controls, bool Enabled)
{
    for (vcl::TControl* control : Controls)
        control->SetEnabled(Enabled);
}

vcl::String VoltsText(float Volts)
{
    return vcl::FormatFloat(L"0.0", Volts);
}

// ---------------------------------------------------------------------------------------------
// View helpers shared with the adjustments, the wizard and the live display

void TfrmMain::ShowMonitoringView()
{
    SetControlsVisible({sPanel1, sPanel3, sPanel4, sPanel5, sPanel2}, true);
    SetControlsVisible({sPanel9, sPanel10, lbSearch}, false);
}

void TfrmMain::ShowThresholdControls(bool Visible)
{
    SetControlsVisible({btStepPlus, btStepMinus, StepPaintBox1, cStepZone1, Image4, Label5, Label6, Label7, Label8,
                        edStepTres, lbTresholLevel},
                       Visible);
}

int32_t TfrmMain::ThresholdLineY(vcl::TControl* Box, int32_t Threshold, int32_t Offset)
{
    return static_cast<int32_t>(std::trunc(Box->Height() - Threshold * ThresholdLineFactor + Offset));
}

void TfrmMain::DrawThresholdLine(vcl::TPaintBox* Box, int32_t Threshold)
{
    const int32_t y = ThresholdLineY(Box, Threshold);
    Box->Canvas()->MoveTo(0, y);
    Box->Canvas()->LineTo(Box->Width(), y);
}

void TfrmMain::SoundAlarm()
{
    if (!SoundOn || !SoundArmed)
        return;
    ProgramSeams().PlaySound(AlarmSoundFile, SND_ASYNC);
    SoundArmed = false;
    Timer4->SetEnabled(true);
}

const ModelEntry* TfrmMain::ShowModelName(uint8_t TypeCode)
{
    const ModelEntry* model = FindModel(TypeCode);
    if (model)
        StatusBar1->Panels()->Items(0)->SetText(msgModelName[static_cast<size_t>(model->NameIndex - 1)]);
    return model;
}

// ---------------------------------------------------------------------------------------------
// Choosing a detector and the poll action

void TfrmMain::cbChange2Execute(vcl::TObject*)
{
    // A text that is no number raises before anything is stored or sent.
    Detector->Address = static_cast<uint16_t>(vcl::StrToInt(AddressOfItem(cbAddress->Text())));
    if (DetectorFound)
        actOpros->Execute();
}

void TfrmMain::actOprosExecute(vcl::TObject*)
{
    ZIRVZEBRA1& detector = *Detector;
    const vcl::String address = vcl::IntToStr(detector.Address);
    StatusBar1->Panels()->Items(1)->SetText(L"COM " + vcl::IntToStr(PortSettings.PortNumber));
    edAddr->SetText(address);
    StatusBar1->Panels()->Items(2)->SetText(msgUniqueNumber + address);

    ReplyData reply{};
    if (detector.ReadDeviceType(detector.Address, reply) == ExchangeOk) {
        if (const ModelEntry* model = ShowModelName(DeviceTypeOf(reply)))
            detector.TypeCode = model->StoredTypeCode;
        ProgramSeams().Pause(TypeRequestPauseMs);
    }

    // The mode the detector reports, kept for the walk; without a reply the walk takes 3 presses.
    uint8_t mode = 0;
    if (detector.QueryState(detector.Address, StateQueryFixedByte, KeyNone, reply) == ExchangeOk) {
        const StateBytes state = StateBytesOf(reply);
        detector.Alarm = AlarmOf(state.Status);
        detector.Letter = LetterOf(state.Letter);
        detector.SupplyVolts = SupplyVoltsOf(state.Supply);
        detector.SpeedCode = SpeedCodeOf(state.Status);
        detector.Level = state.Level;
        mode = ModeBitsOf(state.Status);
    }

    if (const StateLook* look = StateLookOf(detector.Alarm)) {
        shState->Brush()->SetColor(vcl::TColor(look->Lamp));
        shStatus->Brush()->SetColor(vcl::TColor(look->Lamp));
        lbState->SetCaption(*look->StateText);
        lbStatus->SetCaption(*look->StatusText);
        cZone1->SetForeColor(vcl::TColor(look->Gauge));
        CentreOnLamp(lbState, shState, false);
        CentreOnLamp(lbStatus, shStatus, false);
        if (detector.Alarm == 1)
            SoundAlarm();
    }
    edLetter->SetText(vcl::IntToStr(detector.Letter));
    edRxPower->SetText(VoltsText(detector.SupplyVolts));
    SelectSpeedItem(cbSpeed, detector.SpeedCode);

    // Through every mode and back to normal; on the way the detector shows its alignment level
    // and its threshold as the level.
    const auto query = [&](uint8_t key) {
        if (detector.QueryState(detector.Address, StateQueryFixedByte, key, reply) != ExchangeOk)
            return;
        const StateBytes state = StateBytesOf(reply);
        detector.Level = state.Level;
        mode = ModeBitsOf(state.Status);
    };
    for (int32_t presses = monitor::ModeWalkPresses(mode); presses > 0; --presses) {
        query(KeyMode);
        ProgramSeams().Pause(ModeKeyHalfMs);
        const vcl::String levelText = VoltsText(monitor::LevelVolts(detector.Level, LevelVoltFactor));
        if (mode == ModeBitsThreshold) {
            detector.Threshold = static_cast<uint8_t>(detector.Level);
            edTres->SetText(levelText);
        }
        if (mode == ModeBitsAlignment)
            edUst->SetText(levelText);
        query(KeyNone);
        ProgramSeams().Pause(ModeKeyHalfMs);
    }
}

// ---------------------------------------------------------------------------------------------
// Alarm sound

const wchar_t* TfrmMain::SoundGlyph(bool On)
{
    return On ? L"image\\28music_on.bmp" : L"image\\28music_off.bmp";
}

void TfrmMain::sbtSoundClick(vcl::TObject*)
{
    CloseFlagPanel();
    const wchar_t* glyph = SoundGlyph(!SoundOn);
    if (vcl::FileExists(glyph))
        sbtSound->Glyph()->LoadFromFile(glyph);
    SoundOn = !SoundOn;
}

void TfrmMain::Timer4Timer(vcl::TObject*)
{
    SoundArmed = true;
    Timer4->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Carets of the display-only fields

void TfrmMain::edRxPowerMouseMove(vcl::TObject*, vcl::TShiftState, int, int)
{
    HideFieldCaret(edRxPower);
}

void TfrmMain::edUstMouseMove(vcl::TObject*, vcl::TShiftState, int, int)
{
    HideFieldCaret(edUst);
}

void TfrmMain::edTresMouseMove(vcl::TObject*, vcl::TShiftState, int, int)
{
    HideFieldCaret(edTres);
}

void TfrmMain::edLetterMouseMove(vcl::TObject*, vcl::TShiftState, int, int)
{
    HideFieldCaret(edLetter);
}

void TfrmMain::edValueMouseMove(vcl::TObject*, vcl::TShiftState, int, int)
{
    HideFieldCaret(edValue);
}

void TfrmMain::cbAddressCloseUp(vcl::TObject*)
{
    HideFieldCaret(edRxPower);
}

void TfrmMain::cbSpeedCloseUp(vcl::TObject*)
{
    HideFieldCaret(edRxPower);
}

void TfrmMain::FormPaint(vcl::TObject*)
{
    for (vcl::TCustomEdit* field : std::initializer_list<vcl::TCustomEdit*>{edRxPower, edUst, edTres, edValue})
        field->SetSelStart(0);
}

// ---------------------------------------------------------------------------------------------
// Clicks elsewhere close the language flag panel

void TfrmMain::sPanel3Click(vcl::TObject*)
{
    CloseFlagPanel();
}

void TfrmMain::shStateMouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int)
{
    CloseFlagPanel();
}

void TfrmMain::lbStateClick(vcl::TObject*)
{
    CloseFlagPanel();
}

void TfrmMain::sPanel12Click(vcl::TObject*)
{
    CloseFlagPanel();
}

void TfrmMain::sPanel14Click(vcl::TObject*)
{
    CloseFlagPanel();
}

void TfrmMain::sPanel15Click(vcl::TObject*)
{
    CloseFlagPanel();
}
