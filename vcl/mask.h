#pragma once
// The masked edit: an edit whose text follows an edit mask (vcl/editmask.h). It shows EditText,
// the mask's literals with the typed characters and blanks between them, and stands for Text, the
// typed characters (with the literals when the mask saves them). Keys are typed over the
// positions: a character a position refuses is dropped with a beep, backspace and delete blank
// positions.
#include "vcl/editmask.h"
#include "vcl/stdctrls.h"

namespace vcl {

class TCustomMaskEdit : public TCustomEdit {
    CL_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    // A mask that does not parse raises EConvertError and the old mask stays. The text keeps what
    // the new mask accepts of it; the edit takes at most as many characters as the mask shows.
    void SetEditMask(const String& value);
    bool IsMasked() const { return !FMask.IsEmpty(); }
    const TEditMask& Mask() const { return FMask; }

    // What the edit shows; a new value is fitted to the mask.
    String EditText() { return TCustomEdit::Text(); }
    void SetEditText(const String& value);
    // What the shown text stands for; without a mask the shown text itself. Also through a
    // pointer to any of the bases.
    String Text() override;
    void SetText(const String& value) override;

    void Dispatch(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;

private:
    // Shows State's text (one change) and puts the caret at its place.
    void ApplyEdit(const TMaskEditState& State);
    std::pair<int, int> Selection();
    wchar_t CasedChar(wchar_t Key) const;
    // The shown text with the selected positions blanked, the caret at the selection's start.
    TMaskEditState SelectionBlanked();
    void PasteText(const String& Pasted);
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMClear(TMessage& Message);

    String FEditMask;
    TEditMask FMask;
};

class TMaskEdit : public TCustomMaskEdit {
    CL_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

}  // namespace vcl
