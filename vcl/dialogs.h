#pragma once
// Message boxes: the plain one with the application title, and the typed one with a button set.
#include "vcl/system.h"

namespace vcl {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
                        mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// File dialogs of the newest system kind when true; the older kind, whose windows a skinning hook
// can take over, when false.
extern bool UseLatestCommonDialogs;

// Msg with one OK button, titled with the application's Title.
void ShowMessage(const String& Msg);

// Msg titled by its type ("Warning", "Error", "Information", "Confirm"; the application's Title for
// mtCustom) with a button set the system box has (OK; OK Cancel; Yes No; Yes No Cancel;
// Retry Cancel; Abort Retry Ignore; mbHelp may be added to any). Returns the mr* of the button
// pressed. Another set raises EInvalidOperation.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

}  // namespace vcl
