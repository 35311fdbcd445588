// The setup wizard: navigation between the steps, the adjustment flow's Continue and End
// buttons, the keep-alive request, and what happens inside each step.
#include "mainwindow/Mainform.h"

void TfrmMain::btNextStepClick(vcl::TObject*) {}

void TfrmMain::btBackClick(vcl::TObject*) {}

void TfrmMain::btContinueClick(vcl::TObject*) {}

void TfrmMain::btEndSettingClick(vcl::TObject*) {}

void TfrmMain::Timer_ReqIDTimer(vcl::TObject*) {}

void TfrmMain::cbStepAddressChange(vcl::TObject*) {}

void TfrmMain::btStepChangeAddrClick(vcl::TObject*) {}

void TfrmMain::edStepAddrChange(vcl::TObject*) {}

void TfrmMain::btStepOkClick(vcl::TObject*) {}

void TfrmMain::btStepCancelClick(vcl::TObject*) {}

void TfrmMain::Timer_RxPowerTimer(vcl::TObject*) {}

void TfrmMain::cbStepSpeedChange(vcl::TObject*) {}

void TfrmMain::Timer_UstTimer(vcl::TObject*) {}

void TfrmMain::Timer_TresTimer(vcl::TObject*) {}

void TfrmMain::btStepMinusClick(vcl::TObject*) {}

void TfrmMain::btStepPlusClick(vcl::TObject*) {}

void TfrmMain::StepPaintBox1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void TfrmMain::Image4MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void TfrmMain::StepPaintBox1Click(vcl::TObject*) {}

void TfrmMain::Image4Click(vcl::TObject*) {}
