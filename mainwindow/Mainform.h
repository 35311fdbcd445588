#pragma once
// The main window: every view of the program lives in it as panels and controls that the
// workflows show and hide. The window is built in code (Mainform_layout.cpp) in the order a form
// resource would set it; the handlers of each workflow live in their own file:
//   Mainform_startup.cpp   construction, creation and close, status bar, manual and logo
//   Mainform_search.cpp    the detector search
//   Mainform_monitor.cpp   the monitoring view, the poll action, sound, carets, flag-panel closers
//   Mainform_adjust.cpp    threshold, speed class, address and the mode-key buttons
//   Mainform_wizard.cpp    the setup wizard's navigation and steps
//   Mainform_language.cpp  the language switch, and the window as seen by the language texts
//   Mainform.cpp           the unit's globals and the handlers that do nothing
#include "languages/languagelayout.h"
#include "languages/languagetexts.h"
#include "link/Dev.h"
#include "link/Port.h"
#include "mainwindow/Wizardrules.h"
#include "skin/controls/acProgressBar.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sStatusBar.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "vcl/actnlist.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/ftpclient.h"
#include "vcl/gauges.h"
#include "vcl/inifiles.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

class TReqInfoThread;

class TfrmMain : public vcl::TForm {
    CL_CLASS(TfrmMain, vcl::TForm)
public:
    explicit TfrmMain(vcl::TComponent* AOwner);

    // Non-visual components.
    skin::TsSkinManager* sSkinManager1 = nullptr;
    skin::TsSkinProvider* sSkinProvider1 = nullptr;
    vcl::TFtpClient* IdFTP1 = nullptr;

    // Top bar.
    skin::TsPanel* sPanel1 = nullptr;
    skin::TsSpeedButton* sSpeedButton1 = nullptr;
    skin::TsSpeedButton* sbtSound = nullptr;
    skin::TsSpeedButton* sbtLang = nullptr;
    vcl::TShape* shState = nullptr;
    skin::TsLabel* lbState = nullptr;
    vcl::TImage* Image3 = nullptr;

    // Left column: address, supply and letter of the current detector.
    skin::TsPanel* sPanel5 = nullptr;
    skin::TsPanel* sPanel12 = nullptr;
    skin::TsLabel* sLabel1 = nullptr;
    skin::TsPanel* sPanel6 = nullptr;
    skin::TsLabel* lbAddress = nullptr;
    skin::TsLabel* lbAddress2 = nullptr;
    skin::TsComboBox* cbAddress = nullptr;
    skin::TsPanel* sPanel7 = nullptr;
    skin::TsLabel* lbRxPower = nullptr;
    skin::TsLabel* lbRxPower2 = nullptr;
    skin::TsEdit* edRxPower = nullptr;
    skin::TsPanel* sPanel8 = nullptr;
    skin::TsLabel* lbLetter = nullptr;
    skin::TsLabel* lbLetter2 = nullptr;
    skin::TsEdit* edLetter = nullptr;

    // Centre column: the signal level and the threshold scale.
    skin::TsPanel* sPanel3 = nullptr;
    skin::TsEdit* edValue = nullptr;
    vcl::TCGauge* cZone1 = nullptr;
    vcl::TPaintBox* PaintBox1 = nullptr;
    vcl::TImage* Image1 = nullptr;
    vcl::TLabel* Label1 = nullptr;
    vcl::TLabel* Label2 = nullptr;
    vcl::TLabel* Label3 = nullptr;
    vcl::TLabel* Label4 = nullptr;
    skin::TsSpeedButton* btPlus = nullptr;
    skin::TsSpeedButton* btMinus = nullptr;
    skin::TsLabel* lbWaitTres = nullptr;
    skin::TsProgressBar* pbWaitTres = nullptr;
    vcl::TImage* Image2 = nullptr;

    // Right column: the detector's settings.
    skin::TsPanel* sPanel2 = nullptr;
    skin::TsPanel* sPanel15 = nullptr;
    skin::TsLabel* sLabel7 = nullptr;
    skin::TsPanel* sPanel14 = nullptr;
    skin::TsLabel* sLabel3 = nullptr;
    skin::TsLabel* sLabel2 = nullptr;
    skin::TsButton* sButton1 = nullptr;
    skin::TsPanel* sPanel16 = nullptr;
    skin::TsLabel* lbAddr = nullptr;
    skin::TsLabel* lbAddr2 = nullptr;
    skin::TsEdit* edAddr = nullptr;
    skin::TsButton* btChangeAddr = nullptr;
    skin::TsButton* btOk = nullptr;
    skin::TsButton* btCancel = nullptr;
    skin::TsPanel* sPanel11 = nullptr;
    skin::TsLabel* lbSpeed = nullptr;
    skin::TsLabel* lbSpeed2 = nullptr;
    skin::TsLabel* lbSpeed3 = nullptr;
    skin::TsComboBox* cbSpeed = nullptr;
    skin::TsPanel* sPanel9 = nullptr;
    skin::TsLabel* lbUst = nullptr;
    skin::TsLabel* lbUst2 = nullptr;
    skin::TsEdit* edUst = nullptr;
    skin::TsButton* btNext = nullptr;
    skin::TsPanel* sPanel10 = nullptr;
    skin::TsLabel* lbTres = nullptr;
    skin::TsLabel* lbTres2 = nullptr;
    skin::TsEdit* edTres = nullptr;
    skin::TsButton* btCloseSetting = nullptr;

    // Wizard navigation.
    skin::TsPanel* PanelStep = nullptr;
    vcl::TLabel* lbStep = nullptr;
    skin::TsBevel* sBevel1 = nullptr;
    vcl::TLabel* lbHint = nullptr;
    skin::TsButton* btBack = nullptr;
    skin::TsButton* btNextStep = nullptr;
    skin::TsButton* btContinue = nullptr;
    skin::TsButton* btEndSetting = nullptr;

    // Wizard step area.
    skin::TsPanel* PanelSetup = nullptr;
    skin::TsPanel* PanelAddress = nullptr;
    skin::TsLabel* lbStepAddress = nullptr;
    skin::TsLabel* lbStepAddress2 = nullptr;
    skin::TsComboBox* cbStepAddress = nullptr;
    skin::TsPanel* PanelNumberChange = nullptr;
    skin::TsLabel* lbStepAddr = nullptr;
    skin::TsLabel* lbStepAddr2 = nullptr;
    skin::TsEdit* edStepAddr = nullptr;
    skin::TsButton* btStepChangeAddr = nullptr;
    skin::TsButton* btStepOk = nullptr;
    skin::TsButton* btStepCancel = nullptr;
    skin::TsPanel* PanelRxPower = nullptr;
    skin::TsLabel* lbStepRxPower = nullptr;
    skin::TsLabel* lbStepRxPower2 = nullptr;
    skin::TsEdit* edStepRxPower = nullptr;
    skin::TsPanel* PanelLetter = nullptr;
    skin::TsLabel* lbStepLetter = nullptr;
    skin::TsLabel* lbStepLetter2 = nullptr;
    skin::TsEdit* edStepLetter = nullptr;
    skin::TsPanel* PanelSpeed = nullptr;
    skin::TsLabel* lbStepSpeed = nullptr;
    skin::TsLabel* lbStepSpeed2 = nullptr;
    skin::TsLabel* lbStepSpeed3 = nullptr;
    skin::TsComboBox* cbStepSpeed = nullptr;
    skin::TsPanel* PanelUst = nullptr;
    skin::TsLabel* lbStepUst = nullptr;
    skin::TsLabel* lbStepUst2 = nullptr;
    skin::TsEdit* edStepUst = nullptr;
    skin::TsPanel* PanelTres = nullptr;
    skin::TsLabel* lbStepTres = nullptr;
    vcl::TCGauge* cStepZone1 = nullptr;
    vcl::TPaintBox* StepPaintBox1 = nullptr;
    vcl::TImage* Image4 = nullptr;
    vcl::TLabel* Label5 = nullptr;
    vcl::TLabel* Label6 = nullptr;
    vcl::TLabel* Label7 = nullptr;
    vcl::TLabel* Label8 = nullptr;
    skin::TsSpeedButton* btStepPlus = nullptr;
    skin::TsSpeedButton* btStepMinus = nullptr;
    skin::TsEdit* edStepTres = nullptr;
    skin::TsLabel* lbTresholLevel = nullptr;
    skin::TsLabel* lbStepTres2 = nullptr;
    skin::TsProgressBar* pbStepWaitTres = nullptr;
    skin::TsLabel* lbStepWaitTres = nullptr;

    // Language flag panel.
    skin::TsPanel* sPanel13 = nullptr;
    skin::TsSpeedButton* sbtRussian = nullptr;
    skin::TsSpeedButton* sbtEnglish = nullptr;
    skin::TsSpeedButton* sbtDeutsch = nullptr;
    skin::TsSpeedButton* sbtFrance = nullptr;
    skin::TsSpeedButton* sbtEspania = nullptr;
    skin::TsSpeedButton* sbtPortugal = nullptr;
    skin::TsSpeedButton* sbtCzech = nullptr;
    skin::TsSpeedButton* sbtSerbian = nullptr;
    skin::TsSpeedButton* sbtSwed = nullptr;
    skin::TsSpeedButton* sbtCroation = nullptr;
    skin::TsSpeedButton* sbtKorean = nullptr;
    skin::TsSpeedButton* sbtItalian = nullptr;

    // Bottom bar.
    skin::TsPanel* sPanel4 = nullptr;
    vcl::TShape* shStatus = nullptr;
    skin::TsLabel* lbStatus = nullptr;

    // On the form itself: the status bar, the search view and the first-launch view.
    skin::TsStatusBar* StatusBar1 = nullptr;
    skin::TsLabel* lbSearch = nullptr;
    vcl::TLabel* lbCountDevice = nullptr;
    skin::TsProgressBar* pbSearch = nullptr;
    skin::TsLabel* lbLanguage = nullptr;
    skin::TsComboBox* cbLanguage = nullptr;

    // Timers.
    vcl::TTimer* TimerSearch = nullptr;
    vcl::TTimer* Timer_ReqID = nullptr;
    vcl::TTimer* Timer_RxPower = nullptr;
    vcl::TTimer* Timer_Ust = nullptr;
    vcl::TTimer* Timer_Tres = nullptr;
    vcl::TTimer* Timer4 = nullptr;
    vcl::TTimer* TimerUpgrade = nullptr;
    vcl::TTimer* Timer1 = nullptr;

    // Actions, run by name.
    vcl::TActionList* ActionList1 = nullptr;
    vcl::TAction* cbChange2 = nullptr;
    vcl::TAction* actOpros = nullptr;
    vcl::TAction* ModeClick = nullptr;
    vcl::TAction* CloseAll = nullptr;
    vcl::TAction* ResetClick = nullptr;
    vcl::TAction* test = nullptr;

    // The popup menu that no control shows.
    vcl::TPopupMenu* pmMenu = nullptr;
    vcl::TMenuItem* nLanguage = nullptr;
    vcl::TMenuItem* nRussian = nullptr;
    vcl::TMenuItem* nEnglish = nullptr;
    vcl::TMenuItem* nGerman = nullptr;
    vcl::TMenuItem* nFrance = nullptr;
    vcl::TMenuItem* nPortuges = nullptr;
    vcl::TMenuItem* nSpeed = nullptr;
    vcl::TMenuItem* nFast = nullptr;
    vcl::TMenuItem* nMiddle = nullptr;
    vcl::TMenuItem* nLow = nullptr;
    vcl::TMenuItem* nChangeAddress = nullptr;
    vcl::TMenuItem* nDeviceID = nullptr;
    vcl::TMenuItem* nZ50 = nullptr;
    vcl::TMenuItem* nZ100 = nullptr;
    vcl::TMenuItem* nZ200 = nullptr;
    vcl::TMenuItem* nZ300 = nullptr;
    vcl::TMenuItem* nZ500 = nullptr;

    // Window state, touched on the GUI thread only.
    // The port settings the search hands to the port object. Inside the class the member hides
    // the type's name: write ::PortSettings for the type there.
    ::PortSettings PortSettings{};
    // Where PortSettings' device path points until the search sets it: an empty 15-character path.
    std::array<char, 15> DevicePathBuffer{};
    // The port numbers of the listed ports, in list order; as many as the registry lists.
    std::vector<int32_t> PortNumbers;
    // Per address 0 to 31: 1 where the search found a detector of a known type.
    std::array<int32_t, 32> FoundFlags{};
    int32_t FoundCount = 0;
    bool DetectorFound = false;
    bool SoundOn = false;
    bool SoundArmed = true;
    bool FlagPanelOpen = false;
    // A newer version was announced at start.
    bool UpdateAvailable = false;
    // Volts per raw level unit (raw 190 = 3.0 V).
    float LevelVoltFactor = 3.0f / 190.0f;
    // The Y of the last mouse press on a threshold scale, shared by the window's and the wizard's.
    int32_t ScaleClickY = 0;

    // Start-up, close, status bar, manual and logo.
    void FormCreate(vcl::TObject* Sender);
    void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action);
    void StatusBar1Click(vcl::TObject* Sender);
    void TimerUpgradeTimer(vcl::TObject* Sender);
    void sSpeedButton1Click(vcl::TObject* Sender);
    void Image3Click(vcl::TObject* Sender);

    // Search.
    void TimerSearchTimer(vcl::TObject* Sender);

    // Monitoring view and poll action.
    void cbChange2Execute(vcl::TObject* Sender);
    void actOprosExecute(vcl::TObject* Sender);
    void sbtSoundClick(vcl::TObject* Sender);
    void Timer4Timer(vcl::TObject* Sender);
    void edRxPowerMouseMove(vcl::TObject* Sender, vcl::TShiftState Shift, int X, int Y);
    void edUstMouseMove(vcl::TObject* Sender, vcl::TShiftState Shift, int X, int Y);
    void edTresMouseMove(vcl::TObject* Sender, vcl::TShiftState Shift, int X, int Y);
    void edLetterMouseMove(vcl::TObject* Sender, vcl::TShiftState Shift, int X, int Y);
    void edValueMouseMove(vcl::TObject* Sender, vcl::TShiftState Shift, int X, int Y);
    void cbAddressCloseUp(vcl::TObject* Sender);
    void cbSpeedCloseUp(vcl::TObject* Sender);
    void FormPaint(vcl::TObject* Sender);
    void sPanel3Click(vcl::TObject* Sender);
    void shStateMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void lbStateClick(vcl::TObject* Sender);
    void sPanel12Click(vcl::TObject* Sender);
    void sPanel14Click(vcl::TObject* Sender);
    void sPanel15Click(vcl::TObject* Sender);
    // The alarm sound, when it is on and armed; Timer4 arms it again a second later.
    void SoundAlarm();
    // The sound button's picture for the sound on or off.
    static const wchar_t* SoundGlyph(bool On);
    // The model name of a device type code in status-bar panel 0; the code's row of the model
    // table, or nullptr (and nothing shown) for a code that names no known detector.
    const zirv::ModelEntry* ShowModelName(uint8_t TypeCode);

    // Adjustments.
    void PaintBox1MouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void Image1MouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void PaintBox1Click(vcl::TObject* Sender);
    void Image1Click(vcl::TObject* Sender);
    void btMinusClick(vcl::TObject* Sender);
    void btPlusClick(vcl::TObject* Sender);
    void cbSpeedChange(vcl::TObject* Sender);
    void sButton1Click(vcl::TObject* Sender);
    void btNextClick(vcl::TObject* Sender);
    void btCloseSettingClick(vcl::TObject* Sender);
    void edTresClick(vcl::TObject* Sender);
    void btChangeAddrClick(vcl::TObject* Sender);
    void edAddrKeyPress(vcl::TObject* Sender, wchar_t& Key);
    void edAddrChange(vcl::TObject* Sender);
    void btOkClick(vcl::TObject* Sender);
    void btCancelClick(vcl::TObject* Sender);

    // Shared by the adjustments, the wizard and the live display.
    // Hides the language flag panel when it is open.
    void CloseFlagPanel();
    // The monitoring view's panels shown and the wizard question's search text hidden.
    void ShowMonitoringView();
    // The threshold step's scale, gauge, figures, buttons and fields, which lie on PanelSetup.
    void ShowThresholdControls(bool Visible);
    // The threshold line of a scale box at the given raw threshold, in the box's current pen.
    void DrawThresholdLine(vcl::TPaintBox* Box, int32_t Threshold);
    // The Y on a scale box of a raw threshold, moved down by Offset pixels.
    static int32_t ThresholdLineY(vcl::TControl* Box, int32_t Threshold, int32_t Offset = 0);
    // A state label centred on its lamp: always across, and down as well when asked.
    static void CentreOnLamp(vcl::TControl* Label, vcl::TControl* Lamp, bool Vertically);
    // The speed list item of a speed class code; other codes leave the selection.
    static void SelectSpeedItem(vcl::TCustomComboBox* List, int32_t SpeedCode);

    // Setup wizard: navigation, the adjustment flow's buttons, the keep-alive, and the steps.
    void btNextStepClick(vcl::TObject* Sender);
    void btBackClick(vcl::TObject* Sender);
    void btContinueClick(vcl::TObject* Sender);
    void btEndSettingClick(vcl::TObject* Sender);
    void Timer_ReqIDTimer(vcl::TObject* Sender);
    void cbStepAddressChange(vcl::TObject* Sender);
    void btStepChangeAddrClick(vcl::TObject* Sender);
    void edStepAddrChange(vcl::TObject* Sender);
    void btStepOkClick(vcl::TObject* Sender);
    void btStepCancelClick(vcl::TObject* Sender);
    void Timer_RxPowerTimer(vcl::TObject* Sender);
    void cbStepSpeedChange(vcl::TObject* Sender);
    void Timer_UstTimer(vcl::TObject* Sender);
    void Timer_TresTimer(vcl::TObject* Sender);
    void btStepMinusClick(vcl::TObject* Sender);
    void btStepPlusClick(vcl::TObject* Sender);
    void StepPaintBox1MouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X,
                                int Y);
    void Image4MouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void StepPaintBox1Click(vcl::TObject* Sender);
    void Image4Click(vcl::TObject* Sender);

    // The wizard question's answers: the wizard at step 1, or the monitoring view and the poll thread.
    void StartWizard();
    void DeclineWizard();

    // Language switch.
    void sbtLangClick(vcl::TObject* Sender);
    void sbtRussianClick(vcl::TObject* Sender);
    void sbtEnglishClick(vcl::TObject* Sender);
    void sbtDeutschClick(vcl::TObject* Sender);
    void sbtFranceClick(vcl::TObject* Sender);
    void sbtEspaniaClick(vcl::TObject* Sender);
    void sbtPortugalClick(vcl::TObject* Sender);
    void sbtCzechClick(vcl::TObject* Sender);
    void sbtSerbianClick(vcl::TObject* Sender);
    void sbtSwedClick(vcl::TObject* Sender);
    void sbtCroationClick(vcl::TObject* Sender);
    void sbtKoreanClick(vcl::TObject* Sender);
    void sbtItalianClick(vcl::TObject* Sender);
    void cbLanguageChange(vcl::TObject* Sender);

    // Handlers that do nothing, some of them bound to nothing.
    void FormResize(vcl::TObject* Sender);
    void Timer1Timer(vcl::TObject* Sender);
    void Timer3Timer(vcl::TObject* Sender);
    void ModeClickExecute(vcl::TObject* Sender);
    void CloseAllExecute(vcl::TObject* Sender);
    void ResetClickExecute(vcl::TObject* Sender);
    void testExecute(vcl::TObject* Sender);
    void edUstClick(vcl::TObject* Sender);
    void btNextMouseEnter(vcl::TObject* Sender);
    void btCloseSettingMouseEnter(vcl::TObject* Sender);
    void cbStepAddressCloseUp(vcl::TObject* Sender);
    void sbtTresClick(vcl::TObject* Sender);
    void btTresNewClick(vcl::TObject* Sender);
    void Button2Click(vcl::TObject* Sender);
    void btResetClick(vcl::TObject* Sender);
    void shAlertMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
    void shAlignmentMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X,
                              int Y);
    void shThresholdMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X,
                              int Y);
    void nLanguageClick(vcl::TObject* Sender);
    void nRussianClick(vcl::TObject* Sender);
    void nEnglishClick(vcl::TObject* Sender);
    void nGermanClick(vcl::TObject* Sender);
    void nFranceClick(vcl::TObject* Sender);
    void nPortugesClick(vcl::TObject* Sender);
    void nSpeedClick(vcl::TObject* Sender);
    void nFastClick(vcl::TObject* Sender);
    void nMiddleClick(vcl::TObject* Sender);
    void nLowClick(vcl::TObject* Sender);
    void nChangeAddressClick(vcl::TObject* Sender);
    void nDeviceIDClick(vcl::TObject* Sender);
    void nZ50Click(vcl::TObject* Sender);
    void nZ100Click(vcl::TObject* Sender);
    void nZ200Click(vcl::TObject* Sender);
    void nZ300Click(vcl::TObject* Sender);
    void nZ500Click(vcl::TObject* Sender);

private:
    // The pause after each press and each release of a detector's mode key.
    static constexpr DWORD ModeKeyHalfMs = 500;

    // Builds the window and its components in resource order (Mainform_layout.cpp).
    void InitializeComponents();

    // Adjustments (Mainform_adjust.cpp).
    // One state query to the current detector with the key byte; its result.
    int32_t KeyQuery(uint8_t Key, zirv::ReplyData& Reply);
    // A key query whose reply's level, on success, becomes the record's level.
    void KeyQueryKeepingLevel(uint8_t Key);
    // n threshold-key presses, each released, with the bar counting them.
    void SendThresholdPulses(int32_t Pulses, vcl::TProgressBar* Bar);
    // The pulses that bring the threshold to the height of the last press on a scale.
    int32_t ScaleClickPulses(vcl::TControl* Scale);
    void MainScaleClick(vcl::TControl* Scale);
    void MainThresholdPulses(int32_t Pulses);
    // The controls of a number entry: the main window's or the wizard's first step's.
    struct AddressEntry {
        skin::TsButton* Change;
        skin::TsButton* Ok;
        skin::TsButton* Cancel;
        skin::TsLabel* Label;
        skin::TsEdit* Field;
    };
    AddressEntry MainAddressEntry() const { return {btChangeAddr, btOk, btCancel, lbAddr2, edAddr}; }
    AddressEntry StepAddressEntry() const
    {
        return {btStepChangeAddr, btStepOk, btStepCancel, lbStepAddr2, edStepAddr};
    }
    // Opened: Confirm and Cancel in place of Change, the prompt for the new number, the field
    // emptied for typing and Confirm off until it holds a digit. Closed: all of it undone; the
    // callers place the label.
    void OpenAddressEntry(const AddressEntry& Entry);
    void CloseAddressEntry(const AddressEntry& Entry);
    // The typed address, or -1 for an empty entry; a text that is no number raises.
    static int32_t EnteredAddress(vcl::TCustomEdit* Entry);
    // Confirm enabled by a non-empty entry, and a number above the last address typed down to it.
    static void LimitAddressEntry(vcl::TCustomEdit* Entry, vcl::TControl* Confirm);

    // Setup wizard (Mainform_wizard.cpp).
    void MoveWizard(wizard::Move Direction);
    void ApplyWizardTransition(const wizard::Transition& Row);
    void ShowWizardPage(wizard::Page Which, bool Visible);
    void SetWizardHeading(wizard::Move Direction, int16_t Step, const vcl::String& Title);
    void ShowLetter();
    void FinishWizard();
    void CloseStepAddressEntry();
    void StepScaleClick(vcl::TControl* Scale);
    void StepThresholdPulses(int32_t Pulses);
    // The opening of an alignment or threshold tick: the mode query, and a mode-key press when the
    // detector is in another mode. The key byte of the tick's next query, or none when the detector
    // is not in the wanted mode or did not answer (the program then ends).
    std::optional<uint8_t> ForceStepMode(vcl::TTimer* StepTimer, uint8_t WantedMode, const vcl::String& Notice);
    void ShowAlignmentStepBand(float Volts);
    void ShowStepAlarm();
};

// The window's controls as the language texts and the per-language layout address them: by
// component name, "frmMain" being the window itself.
class TMainformLanguageHost final : public LanguageTextHost, public LanguageLayoutHost {
public:
    explicit TMainformLanguageHost(TfrmMain& Form) : FForm(Form) {}

    void SetWindowCaption(const vcl::String& text) override;
    void SetCaption(std::wstring_view control, const vcl::String& text) override;
    vcl::String Caption(std::wstring_view control) const override;
    void SetHint(std::wstring_view control, const vcl::String& text) override;
    vcl::String Hint(std::wstring_view control) const override;
    void SetStatusPanelText(int panel, const vcl::String& text) override;

    int32_t Get(std::wstring_view control, LayoutProperty property) const override;
    void Set(std::wstring_view control, LayoutProperty property, int32_t value) override;

private:
    // The window itself for "frmMain", else the control of that name; a missing one raises.
    vcl::TControl* Find(std::wstring_view control) const;

    TfrmMain& FForm;
};

// ---------------------------------------------------------------------------------------------
// The unit's globals. The port object is made when the unit starts and lives until the process
// ends, like the detector record, the settings-file object and the semaphore made at start-up.

extern TfrmMain* frmMain;

extern ZIRVWin32BasePort* ComPort;
// The current detector, made by the window's creation handler.
extern ZIRVZEBRA1* Detector;
// The poll thread, made suspended by the window's constructor.
extern TReqInfoThread* ReqInfoThread;
// Taken by the poll thread around each poll: initial count 1, maximum 2.
extern HANDLE RequestSemaphore;
// Over "Settings.ini" in the current directory, opened by the creation handler.
extern vcl::TIniFile* SettingsIni;

// Shows or hides, enables or disables, a set of controls.
void SetControlsVisible(std::initializer_list<vcl::TControl*> Controls, bool Visible);
void SetControlsEnabled(std::initializer_list<vcl::TControl*> Controls, bool Enabled);

// Volts as every value field shows them: "0.0", halves away from zero, the user's separator.
vcl::String VoltsText(float Volts);

// Pixels per volt of a threshold scale, when a click turns into a target threshold.
extern const float ScalePixelsPerVolt;
// Pixels per raw threshold unit on a scale box (1 / 0.533).
extern const long double ThresholdLineFactor;

// The supply band for which the supply field's caret was last hidden.
extern int32_t SupplyBandShown;

// The setup wizard: the step shown (0 before, 1 to 6 during, 7 after), whether address 0 was
// found (the set-number flavour of step 1), and the number of detectors found on the line.
extern int16_t WizardStep;
extern bool AddressZeroFound;
extern int32_t LineSensorCount;

// Address list items: two blanks and the address in decimal; readers drop the first two characters.
vcl::String AddressItem(int32_t Address);
vcl::String AddressOfItem(const vcl::String& ItemText);
// Every item of the address removed; an item of the address added last and selected by program.
void RemoveAddressItems(vcl::TCustomComboBox* List, int32_t Address);
void AppendAddressItem(vcl::TCustomComboBox* List, int32_t Address);

// The stored language as the address dialog reads it (default 0).
extern int32_t AddressDialogLanguage;
