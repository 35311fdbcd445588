#include "vcl/dialogs.h"

#include "vcl/forms.h"

namespace vcl {

bool UseLatestCommonDialogs = true;

void ShowMessage(const String& Msg) { Application->MessageBox(Msg, Application->Title(), MB_OK); }

namespace {

using B = TMsgDlgBtn;

struct ButtonSet {
    TMsgDlgButtons Buttons;
    UINT Flags;
};

const ButtonSet ButtonSets[] = {
    {{B::mbOK}, MB_OK},
    {{B::mbOK, B::mbCancel}, MB_OKCANCEL},
    {{B::mbYes, B::mbNo}, MB_YESNO},
    {{B::mbYes, B::mbNo, B::mbCancel}, MB_YESNOCANCEL},
    {{B::mbRetry, B::mbCancel}, MB_RETRYCANCEL},
    {{B::mbAbort, B::mbRetry, B::mbIgnore}, MB_ABORTRETRYIGNORE},
};

struct TypeEntry {
    const wchar_t* Caption;
    UINT Icon;
};

const TypeEntry Types[] = {
    {L"Warning", MB_ICONWARNING},
    {L"Error", MB_ICONERROR},
    {L"Information", MB_ICONINFORMATION},
    {L"Confirm", MB_ICONQUESTION},
    {nullptr, 0},
};

}  // namespace

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    UINT flags = 0;
    if (Buttons.Contains(B::mbHelp) || HelpCtx != 0)
        flags |= MB_HELP;
    Buttons.Exclude(B::mbHelp);
    const ButtonSet* set = nullptr;
    for (const ButtonSet& candidate : ButtonSets)
        if (candidate.Buttons == Buttons)
            set = &candidate;
    if (!set)
        throw EInvalidOperation(L"The message box has no such set of buttons");
    const TypeEntry& type = Types[static_cast<int>(DlgType)];
    String caption = type.Caption ? String(type.Caption) : Application->Title();
    // The system box answers IDOK .. IDNO, which are the same numbers as mrOk .. mrNo.
    return Application->MessageBox(Msg, caption, flags | set->Flags | type.Icon);
}

}  // namespace vcl
