// The monitoring view: choosing a detector, the poll action, the alarm sound and its button, the
// carets of the value fields, and the clicks that close the language flag panel.
#include "mainwindow/Mainform.h"

void TfrmMain::cbChange2Execute(vcl::TObject*) {}

void TfrmMain::actOprosExecute(vcl::TObject*) {}

void TfrmMain::sbtSoundClick(vcl::TObject*) {}

void TfrmMain::Timer4Timer(vcl::TObject*) {}

void TfrmMain::edRxPowerMouseMove(vcl::TObject*, vcl::TShiftState, int, int) {}

void TfrmMain::edUstMouseMove(vcl::TObject*, vcl::TShiftState, int, int) {}

void TfrmMain::edTresMouseMove(vcl::TObject*, vcl::TShiftState, int, int) {}

void TfrmMain::edLetterMouseMove(vcl::TObject*, vcl::TShiftState, int, int) {}

void TfrmMain::cbAddressCloseUp(vcl::TObject*) {}

void TfrmMain::cbSpeedCloseUp(vcl::TObject*) {}

void TfrmMain::FormPaint(vcl::TObject*) {}

void TfrmMain::sPanel3Click(vcl::TObject*) {}

void TfrmMain::shStateMouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void TfrmMain::lbStateClick(vcl::TObject*) {}

void TfrmMain::sPanel12Click(vcl::TObject*) {}

void TfrmMain::sPanel14Click(vcl::TObject*) {}

void TfrmMain::sPanel15Click(vcl::TObject*) {}
