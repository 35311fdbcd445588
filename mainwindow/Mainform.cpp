#include "mainwindow/Mainform.h"

TfrmMain* frmMain = nullptr;

// Made once when the unit starts, before any form.
ZIRVWin32BasePort* ComPort = new ZIRVWin32BasePort();
ZIRVZEBRA1* Detector = nullptr;
TReqInfoThread* ReqInfoThread = nullptr;
HANDLE RequestSemaphore = nullptr;
vcl::TIniFile* SettingsIni = nullptr;

const float ScalePixelsPerVolt = 116.67f;
// The divisor is the double 0.533; the quotient is kept in extended precision.
const long double ThresholdLineFactor = 1.0L / static_cast<long double>(0.533);

int32_t SupplyBandShown = 0;
int16_t WizardStep = 0;
bool AddressZeroFound = false;
int32_t LineSensorCount = 0;
int32_t AddressDialogLanguage = 0;

void TfrmMain::FormResize(vcl::TObject*) {}
void TfrmMain::Timer1Timer(vcl::TObject*) {}
void TfrmMain::Timer3Timer(vcl::TObject*) {}
void TfrmMain::ModeClickExecute(vcl::TObject*) {}
void TfrmMain::CloseAllExecute(vcl::TObject*) {}
void TfrmMain::ResetClickExecute(vcl::TObject*) {}
void TfrmMain::testExecute(vcl::TObject*) {}
void TfrmMain::edUstClick(vcl::TObject*) {}
void TfrmMain::btNextMouseEnter(vcl::TObject*) {}
void TfrmMain::btCloseSettingMouseEnter(vcl::TObject*) {}
void TfrmMain::cbStepAddressCloseUp(vcl::TObject*) {}
void TfrmMain::sbtTresClick(vcl::TObject*) {}
void TfrmMain::btTresNewClick(vcl::TObject*) {}
void TfrmMain::Button2Click(vcl::TObject*) {}
void TfrmMain::btResetClick(vcl::TObject*) {}
void TfrmMain::shAlertMouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}
void TfrmMain::shAlignmentMouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}
void TfrmMain::shThresholdMouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}
void TfrmMain::nLanguageClick(vcl::TObject*) {}
void TfrmMain::nRussianClick(vcl::TObject*) {}
void TfrmMain::nEnglishClick(vcl::TObject*) {}
void TfrmMain::nGermanClick(vcl::TObject*) {}
void TfrmMain::nFranceClick(vcl::TObject*) {}
void TfrmMain::nPortugesClick(vcl::TObject*) {}
void TfrmMain::nSpeedClick(vcl::TObject*) {}
void TfrmMain::nFastClick(vcl::TObject*) {}
void TfrmMain::nMiddleClick(vcl::TObject*) {}
void TfrmMain::nLowClick(vcl::TObject*) {}
void TfrmMain::nChangeAddressClick(vcl::TObject*) {}
void TfrmMain::nDeviceIDClick(vcl::TObject*) {}
void TfrmMain::nZ50Click(vcl::TObject*) {}
void TfrmMain::nZ100Click(vcl::TObject*) {}
void TfrmMain::nZ200Click(vcl::TObject*) {}
void TfrmMain::nZ300Click(vcl::TObject*) {}
void TfrmMain::nZ500Click(vcl::TObject*) {}
