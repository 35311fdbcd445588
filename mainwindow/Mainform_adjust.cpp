// Adjustments of the current detector: threshold by the scale and the plus and minus buttons,
// speed class, address, and the buttons that press the detector's mode key.
#include "mainwindow/Mainform.h"

void TfrmMain::PaintBox1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void TfrmMain::Image1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void TfrmMain::PaintBox1Click(vcl::TObject*) {}

void TfrmMain::Image1Click(vcl::TObject*) {}

void TfrmMain::btMinusClick(vcl::TObject*) {}

void TfrmMain::btPlusClick(vcl::TObject*) {}

void TfrmMain::cbSpeedChange(vcl::TObject*) {}

void TfrmMain::sButton1Click(vcl::TObject*) {}

void TfrmMain::btNextClick(vcl::TObject*) {}

void TfrmMain::btCloseSettingClick(vcl::TObject*) {}

void TfrmMain::edTresClick(vcl::TObject*) {}

void TfrmMain::btChangeAddrClick(vcl::TObject*) {}

void TfrmMain::edAddrKeyPress(vcl::TObject*, wchar_t&) {}

void TfrmMain::edAddrChange(vcl::TObject*) {}

void TfrmMain::btOkClick(vcl::TObject*) {}

void TfrmMain::btCancelClick(vcl::TObject*) {}

void TfrmMain::edValueMouseMove(vcl::TObject*, vcl::TShiftState, int, int) {}
