#pragma once
// Message boxes: the plain one with the application title, and the typed one with a button set.
// The common dialogs: the colour dialog over the system's, through the seam.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <memory>

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

// ---------------------------------------------------------------------------------------------
// Common dialogs

// A dialog component: Execute shows it modally and tells whether the user confirmed it; OnShow
// and OnClose fire around the dialog's time on the screen.
class TCommonDialog : public TComponent {
    CL_CLASS(TCommonDialog, TComponent)
public:
    using TComponent::TComponent;

    virtual bool Execute() = 0;
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }

    TNotifyEvent OnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent value) { FOnShow = value; }
    TNotifyEvent OnClose() const { return FOnClose; }
    void SetOnClose(TNotifyEvent value) { FOnClose = value; }

    // Fire OnShow and OnClose; a dialog shown by other means calls them at those moments.
    virtual void DoShow();
    virtual void DoClose();

private:
    int FHelpContext = 0;
    TNotifyEvent FOnShow;
    TNotifyEvent FOnClose;
};

enum class TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp };
using TColorDialogOptions = TSet<TColorDialogOption>;

// The system's colour dialog (ChooseColorW through the seam).
class TColorDialog : public TCommonDialog {
    CL_CLASS(TColorDialog, TCommonDialog)
public:
    explicit TColorDialog(TComponent* AOwner);

    // Shows the dialog with Color and the custom colours; the user's choice becomes Color. The
    // custom colours come back also when the dialog is cancelled.
    bool Execute() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    // The 16 custom colours as "RRGGBB" hexadecimal texts (red first); missing or unreadable ones
    // are white. After Execute the list holds all 16.
    TStrings* CustomColors() const { return FCustomColors.get(); }
    void SetCustomColors(TStrings* value) { FCustomColors->Assign(value); }
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions value) { FOptions = value; }

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStringList> FCustomColors;
    TColorDialogOptions FOptions;
};

// A colour as an "RRGGBB" text and back; a text that is not one reads as white.
String ColorToHexText(COLORREF Color);
COLORREF HexTextToColor(const String& Text);

}  // namespace vcl
