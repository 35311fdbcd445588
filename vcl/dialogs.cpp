#include "vcl/dialogs.h"

#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <array>

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

// =============================================================================================
// Common dialogs

void TCommonDialog::DoShow()
{
    if (FOnShow)
        FOnShow(this);
}

void TCommonDialog::DoClose()
{
    if (FOnClose)
        FOnClose(this);
}

String ColorToHexText(COLORREF Color)
{
    return IntToHex(static_cast<uint32_t>(GetRValue(Color) << 16 | GetGValue(Color) << 8 | GetBValue(Color)), 6);
}

COLORREF HexTextToColor(const String& Text)
{
    Integer value = 0;
    if (Text.size() != 6 || !TryStrToInt(L"$" + Text, value))
        return RGB(255, 255, 255);
    return RGB(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
}

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>())
{
}

bool TColorDialog::Execute()
{
    constexpr int customCount = 16;
    std::array<COLORREF, customCount> custom;
    for (int i = 0; i < customCount; ++i)
        custom[static_cast<size_t>(i)] =
            HexTextToColor(i < FCustomColors->Count() ? FCustomColors->Strings(i) : String());
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = Application ? Application->MessageBoxOwner() : nullptr;
    choice.rgbResult = ColorToRGB(FColor);
    choice.lpCustColors = custom.data();
    choice.Flags = CC_RGBINIT;
    if (FOptions.Contains(TColorDialogOption::cdFullOpen))
        choice.Flags |= CC_FULLOPEN;
    if (FOptions.Contains(TColorDialogOption::cdPreventFullOpen))
        choice.Flags |= CC_PREVENTFULLOPEN;
    if (FOptions.Contains(TColorDialogOption::cdShowHelp))
        choice.Flags |= CC_SHOWHELP;
    DoShow();
    const bool chosen = Seams().ChooseColor(choice);
    DoClose();
    FCustomColors->BeginUpdate();
    FCustomColors->Clear();
    for (COLORREF colour : custom)
        FCustomColors->Add(ColorToHexText(colour));
    FCustomColors->EndUpdate();
    if (chosen)
        FColor = TColor(choice.rgbResult);
    return chosen;
}

}  // namespace vcl
