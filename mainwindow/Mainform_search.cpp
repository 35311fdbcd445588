// The detector search.
#include "mainwindow/Mainform.h"

void TfrmMain::TimerSearchTimer(vcl::TObject*) {}
