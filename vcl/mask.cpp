#include "vcl/mask.h"

#include "vcl/clipbrd.h"
#include "vcl/seams.h"

namespace vcl {

namespace {

constexpr wchar_t CtrlV = 0x16;
constexpr wchar_t CtrlX = 0x18;
constexpr wchar_t Backspace = 0x08;

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& value)
{
    if (value == FEditMask)
        return;
    TEditMask mask = TEditMask::Parse(value);
    String text = Text();
    FEditMask = value;
    FMask = mask;
    SetMaxLength(IsMasked() ? FMask.Length() : 0);
    SetText(text);
}

void TCustomMaskEdit::SetEditText(const String& value)
{
    TCustomEdit::SetText(IsMasked() ? FMask.FitEditText(value) : value);
}

String TCustomMaskEdit::Text()
{
    String shown = EditText();
    return IsMasked() ? FMask.UnformatText(shown) : shown;
}

void TCustomMaskEdit::SetText(const String& value)
{
    TCustomEdit::SetText(IsMasked() ? FMask.FormatText(value) : value);
}

std::pair<int, int> TCustomMaskEdit::Selection()
{
    int start = SelStart();
    return {start, SelLength()};
}

TMaskEditState TCustomMaskEdit::SelectionBlanked()
{
    auto [start, length] = Selection();
    if (length == 0)
        return {EditText(), start};
    return FMask.DeleteForward(EditText(), start, length);
}

void TCustomMaskEdit::ApplyEdit(const TMaskEditState& State)
{
    TCustomEdit::SetText(State.EditText);
    SetSelStart(State.Caret);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || ReadOnly() || Key != VK_DELETE)
        return;
    if (Shift.Contains(TShiftStateItem::ssShift)) {
        Perform(WM_CUT);
    } else {
        auto [start, length] = Selection();
        ApplyEdit(FMask.DeleteForward(EditText(), start, length));
    }
    Key = 0;
}

void TCustomMaskEdit::KeyPress(wchar_t& Key)
{
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || ReadOnly() || Key == 0)
        return;
    auto [start, length] = Selection();
    if (Key == Backspace) {
        ApplyEdit(FMask.DeleteBackward(EditText(), start, length));
    } else if (Key == CtrlV) {
        Perform(WM_PASTE);
    } else if (Key == CtrlX) {
        Perform(WM_CUT);
    } else if (Key >= L' ') {
        if (std::optional<TMaskEditState> typed = FMask.TypeChar(EditText(), start, length, CasedChar(Key)))
            ApplyEdit(*typed);
        else
            Seams().MessageBeep(0);
    } else {
        return;
    }
    Key = 0;
}

// The edit's CharCase, which the window's style cannot apply to a text the edit writes itself.
wchar_t TCustomMaskEdit::CasedChar(wchar_t Key) const
{
    switch (CharCase()) {
    case TEditCharCase::ecUpperCase: CharUpperBuffW(&Key, 1); break;
    case TEditCharCase::ecLowerCase: CharLowerBuffW(&Key, 1); break;
    case TEditCharCase::ecNormal: break;
    }
    return Key;
}

// Pasted characters are typed one by one from the selection on; those no position takes are skipped.
void TCustomMaskEdit::PasteText(const String& Pasted)
{
    TMaskEditState state = SelectionBlanked();
    for (wchar_t c : Pasted)
        if (std::optional<TMaskEditState> typed = FMask.TypeChar(state.EditText, state.Caret, 0, CasedChar(c)))
            state = *typed;
    ApplyEdit(state);
}

void TCustomMaskEdit::WMPaste(TMessage& Message)
{
    if (!IsMasked() || ReadOnly()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    if (FHandle && Clipboard()->HasFormat(CF_UNICODETEXT))
        PasteText(Clipboard()->AsText());
}

void TCustomMaskEdit::WMCut(TMessage& Message)
{
    if (!IsMasked() || ReadOnly()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    Perform(WM_COPY);
    Perform(WM_CLEAR);
}

void TCustomMaskEdit::WMClear(TMessage& Message)
{
    if (!IsMasked() || ReadOnly()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    ApplyEdit(SelectionBlanked());
}

void TCustomMaskEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE: WMPaste(Message); return;
    case WM_CUT: WMCut(Message); return;
    case WM_CLEAR: WMClear(Message); return;
    default: TCustomEdit::Dispatch(Message); return;
    }
}

}  // namespace vcl
