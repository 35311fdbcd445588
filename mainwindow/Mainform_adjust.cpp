// Adjustments of the current detector: threshold by the scale and the plus and minus buttons,
// speed class, address, and the buttons that press the detector's mode key.
#include "mainwindow/Mainform.h"

#include "languages/messagetexts.h"
#include "mainwindow/Adjustrules.h"
#include "mainwindow/Seams.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <array>

using namespace zirv;

namespace {

// The pause of each half of a threshold-key pulse.
constexpr DWORD PulseHalfMs = 400;

// The refusal of a number another detector has; it reads so in every language.
const wchar_t* const AddressTakenText = L"Введенный адрес уже занят";

}  // namespace

vcl::String AddressItem(int32_t Address)
{
    return L"  " + vcl::IntToStr(Address);
}

vcl::String AddressOfItem(const vcl::String& ItemText)
{
    return ItemText.substr(std::min<size_t>(2, ItemText.size()));
}

void RemoveAddressItems(vcl::TCustomComboBox* List, int32_t Address)
{
    vcl::TStrings* items = List->Items();
    const vcl::String item = AddressItem(Address);
    for (int i = items->IndexOf(item); i >= 0; i = items->IndexOf(item))
        items->Delete(i);
}

void AppendAddressItem(vcl::TCustomComboBox* List, int32_t Address)
{
    List->Items()->Add(AddressItem(Address));
    List->SetItemIndex(List->Items()->Count() - 1);
}

// ---------------------------------------------------------------------------------------------
// Shared helpers

void TfrmMain::CloseFlagPanel()
{
    if (!FlagPanelOpen)
        return;
    sPanel13->SetVisible(false);
    FlagPanelOpen = false;
}

void TfrmMain::CentreOnLamp(vcl::TControl* Label, vcl::TControl* Lamp, bool Vertically)
{
    Label->SetLeft((Lamp->Width() - Label->Width()) / 2);
    if (Vertically)
        Label->SetTop((Lamp->Height() - Label->Height()) / 2);
}

void TfrmMain::SelectSpeedItem(vcl::TCustomComboBox* List, int32_t SpeedCode)
{
    const int item = adjust::SpeedItemOfCode(SpeedCode);
    if (item >= 0)
        List->SetItemIndex(item);
}

int32_t TfrmMain::KeyQuery(uint8_t Key, ReplyData& Reply)
{
    return Detector->QueryState(Detector->Address, StateQueryFixedByte, Key, Reply);
}

void TfrmMain::KeyQueryKeepingLevel(uint8_t Key)
{
    ReplyData reply{};
    if (KeyQuery(Key, reply) == ExchangeOk)
        Detector->Level = StateBytesOf(reply).Level;
}

// ---------------------------------------------------------------------------------------------
// Threshold

void TfrmMain::SendThresholdPulses(int32_t Pulses, vcl::TProgressBar* Bar)
{
    for (int32_t pulse = 0; pulse < Pulses; ++pulse) {
        Bar->SetMax(Pulses);
        KeyQueryKeepingLevel(KeyThreshold);
        ProgramSeams().Pause(PulseHalfMs);
        Bar->StepBy(1);
        ReplyData release{};
        KeyQuery(KeyNone, release);
        ProgramSeams().Pause(PulseHalfMs);
        // The handler keeps the message loop busy: the bar shows only through this repaint.
        Repaint();
    }
}

int32_t TfrmMain::ScaleClickPulses(vcl::TControl* Scale)
{
    const float target = adjust::ScaleClickTarget(Scale->Height(), ScaleClickY, ScalePixelsPerVolt);
    const float current = adjust::ThresholdVolts(Detector->Threshold, LevelVoltFactor);
    return adjust::ThresholdPulses(current, target);
}

// The main window's pulses, shown with its own label and bar.
void TfrmMain::MainThresholdPulses(int32_t Pulses)
{
    lbWaitTres->SetVisible(true);
    pbWaitTres->SetVisible(true);
    pbWaitTres->SetPosition(0);
    SendThresholdPulses(Pulses, pbWaitTres);
    lbWaitTres->SetVisible(false);
    pbWaitTres->SetVisible(false);
}

void TfrmMain::MainScaleClick(vcl::TControl* Scale)
{
    btPlus->SetVisible(false);
    btMinus->SetVisible(false);
    // Only the threshold mode's display makes the scale a threshold control.
    if (Detector->ShownMode != ModeThreshold)
        return;
    MainThresholdPulses(ScaleClickPulses(Scale));
}

void TfrmMain::PaintBox1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int Y)
{
    ScaleClickY = Y;
}

void TfrmMain::Image1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int Y)
{
    ScaleClickY = Y;
}

void TfrmMain::PaintBox1Click(vcl::TObject*)
{
    MainScaleClick(PaintBox1);
}

void TfrmMain::Image1Click(vcl::TObject*)
{
    MainScaleClick(Image1);
}

void TfrmMain::btMinusClick(vcl::TObject*)
{
    MainThresholdPulses(1);
}

void TfrmMain::btPlusClick(vcl::TObject*)
{
    // Fifteen steps down are one step up through the wrap.
    MainThresholdPulses(adjust::ThresholdTurn - 1);
}

// ---------------------------------------------------------------------------------------------
// Speed class and the mode-key buttons

void TfrmMain::cbSpeedChange(vcl::TObject*)
{
    ReplyData reply{};
    const uint8_t code = adjust::SpeedCodeOfItem(cbSpeed->ItemIndex());
    if (Detector->SetSpeed(Detector->Address, StateQueryFixedByte, code, reply) == ExchangeOk)
        Detector->Level = StateBytesOf(reply).Level;
}

void TfrmMain::sButton1Click(vcl::TObject*)
{
    sPanel1->SetVisible(true);
    sPanel4->SetVisible(true);
    sPanel3->SetVisible(false);
    sPanel2->SetVisible(false);
    sPanel5->SetVisible(false);
    shStatus->Brush()->SetColor(vcl::clGreen);
    PanelStep->SetVisible(true);
    PanelSetup->SetVisible(true);
    lbStep->Font()->SetSize(18);
    lbHint->Font()->SetSize(12);
    PanelUst->SetVisible(true);
    lbStep->SetCaption(msgStepAdjustTitle);
    lbStep->SetLeft((PanelStep->Width() - lbStep->Width()) / 2);
    btBack->SetVisible(false);
    btNextStep->SetVisible(false);
    // Normal to alignment; the poll thread's next query releases the key.
    KeyQueryKeepingLevel(KeyMode);
    CloseFlagPanel();
}

void TfrmMain::btNextClick(vcl::TObject*)
{
    KeyQueryKeepingLevel(KeyMode);
    btCloseSetting->SetEnabled(true);
    btNext->SetEnabled(false);
    CloseFlagPanel();
}

void TfrmMain::btCloseSettingClick(vcl::TObject*)
{
    KeyQueryKeepingLevel(KeyMode);
    btCloseSetting->SetEnabled(false);
    btNext->SetEnabled(true);
}

void TfrmMain::edTresClick(vcl::TObject*)
{
    if (Detector->ShownMode == ModeNormal) {
        // Normal to alignment, released, then on to threshold mode.
        ReplyData reply{};
        KeyQuery(KeyMode, reply);
        ProgramSeams().Pause(ModeKeyHalfMs);
        KeyQuery(KeyNone, reply);
        ProgramSeams().Pause(ModeKeyHalfMs);
        KeyQuery(KeyMode, reply);
        sPanel10->SetBevelOuter(vcl::TBevelCut::bvLowered);
    }
    CloseFlagPanel();
}

// ---------------------------------------------------------------------------------------------
// Address

void TfrmMain::OpenAddressEntry(const AddressEntry& Entry)
{
    Entry.Ok->SetVisible(true);
    Entry.Cancel->SetVisible(true);
    Entry.Change->SetVisible(false);
    Entry.Label->Font()->SetSize(10);
    Entry.Label->SetWidth(150);
    Entry.Label->SetCaption(msgCurrentNumber + vcl::IntToStr(Detector->Address) + msgEnterNewNumber);
    Entry.Field->SetEnabled(true);
    Entry.Field->Clear();
    Entry.Ok->SetEnabled(false);
}

void TfrmMain::CloseAddressEntry(const AddressEntry& Entry)
{
    Entry.Ok->SetVisible(false);
    Entry.Cancel->SetVisible(false);
    Entry.Change->SetVisible(true);
    Entry.Label->Font()->SetHeight(18);
    Entry.Label->SetWidth(121);
    Entry.Label->SetLeft(44);
    Entry.Label->SetCaption(msgCurrentNumberLabel);
    Entry.Field->SetEnabled(false);
}

void TfrmMain::btChangeAddrClick(vcl::TObject*)
{
    OpenAddressEntry(MainAddressEntry());
    lbAddr2->SetLeft(18);
    lbAddr2->SetTop(35);
}

void TfrmMain::edAddrKeyPress(vcl::TObject*, wchar_t& Key)
{
    constexpr wchar_t Backspace = 8;
    if ((Key < L'0' || Key > L'9') && Key != Backspace)
        Key = 0;
}

void TfrmMain::LimitAddressEntry(vcl::TCustomEdit* Entry, vcl::TControl* Confirm)
{
    if (Entry->Text().empty()) {
        Confirm->SetEnabled(false);
        return;
    }
    Confirm->SetEnabled(true);
    if (vcl::StrToInt(Entry->Text()) > adjust::LastAddress)
        Entry->SetText(vcl::IntToStr(adjust::LastAddress));
}

int32_t TfrmMain::EnteredAddress(vcl::TCustomEdit* Entry)
{
    // Empty, and whatever only pasting can bring (a negative number), count as no address.
    return Entry->Text().empty() ? -1 : vcl::StrToInt(Entry->Text());
}

void TfrmMain::edAddrChange(vcl::TObject*)
{
    LimitAddressEntry(edAddr, btOk);
}

void TfrmMain::btOkClick(vcl::TObject*)
{
    CloseAddressEntry(MainAddressEntry());
    std::array<bool, adjust::LastAddress + 1> used{};
    vcl::TStrings* items = cbAddress->Items();
    for (int i = 0; i < items->Count(); ++i) {
        const int32_t listed = vcl::StrToInt(AddressOfItem(items->Strings(i)));
        if (adjust::IsLineAddress(listed))
            used[static_cast<size_t>(listed)] = true;
    }
    const int32_t number = EnteredAddress(edAddr);
    if (!adjust::IsLineAddress(number)) {
        vcl::ShowMessage(msgEmptyValue);
        return;
    }
    if (used[static_cast<size_t>(number)]) {
        vcl::ShowMessage(AddressTakenText);
        edAddr->SetText(AddressOfItem(cbAddress->Text()));
        return;
    }
    RemoveAddressItems(cbAddress, Detector->Address);
    if (number == 0) {
        // Number 0 belongs to a detector that has none yet: the main window never gives it.
        vcl::ShowMessage(msgEmptyValue);
    } else {
        ReplyData reply{};
        if (Detector->WriteConfig(Detector->Address, ConfigAddress, static_cast<uint8_t>(number), reply) ==
            ExchangeOk)
            Detector->Address = static_cast<uint16_t>(number);
    }
    AppendAddressItem(cbAddress, Detector->Address);
    edAddr->SetText(vcl::IntToStr(Detector->Address));
}

void TfrmMain::btCancelClick(vcl::TObject*)
{
    CloseAddressEntry(MainAddressEntry());
    edAddr->SetText(vcl::IntToStr(Detector->Address));
}
