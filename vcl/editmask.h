#pragma once
// Edit masks, free of windows: a mask text parsed into its positions, the conversions between the
// text a masked edit shows (EditText) and the text it stands for (Text), and the edits a keystroke
// makes.
//
// A mask has up to three fields separated by ";": the positions, whether literals are part of Text
// ("1", the default) or not ("0"), and the character shown for an empty position ("_" by default).
// Position characters: 0 a digit, 9 an optional digit, L a letter, l an optional letter, A a letter
// or digit, a an optional one, C any character, c an optional one; > turns what follows to upper
// case, < to lower case, <> ends either; ! puts the blanks of Text at its start instead of its end;
// \ makes the next character a literal; every other character is a literal.
#include "vcl/system.h"

#include <optional>
#include <vector>

namespace vcl {

enum class TMaskCharKind { mcLiteral, mcDigit, mcLetter, mcAlphaNumeric, mcAny };
enum class TMaskCase { mcNone, mcUpper, mcLower };

struct TMaskPosition {
    TMaskCharKind Kind = TMaskCharKind::mcLiteral;
    bool Required = false;
    TMaskCase Case = TMaskCase::mcNone;
    // The character a literal position always shows.
    wchar_t Literal = 0;
};

// The text and caret after a keystroke.
struct TMaskEditState {
    String EditText;
    int Caret = 0;
    bool operator==(const TMaskEditState&) const = default;
};

class TEditMask {
public:
    TEditMask() = default;
    // Raises EConvertError naming the fault for a mask that does not parse.
    static TEditMask Parse(const String& Mask);

    // No positions: the edit takes any text.
    bool IsEmpty() const { return FPositions.empty(); }
    int Length() const { return static_cast<int>(FPositions.size()); }
    const TMaskPosition& Position(int Index) const { return FPositions[static_cast<size_t>(Index)]; }
    bool SaveLiterals() const { return FSaveLiterals; }
    bool LeadingBlanks() const { return FLeadingBlanks; }
    wchar_t Blank() const { return FBlank; }

    // The shown text with nothing typed: literals in place, blanks elsewhere.
    String EmptyEditText() const;
    // Text to shown text. A character a position refuses leaves it blank; with literals saved, a
    // character equal to the literal at its place is taken as that literal.
    String FormatText(const String& Text) const;
    // Shown text to Text: each position's character or, when blank, a space, and the literals
    // when they are saved; then the blanks at the end (the start with !) are dropped.
    String UnformatText(const String& EditText) const;
    // The character an input position takes for Key (in the position's case), or nothing.
    std::optional<wchar_t> Accept(int Index, wchar_t Key) const;
    // A shown text fitted to the mask: literals in place, characters a position refuses (and
    // missing ones) blank.
    String FitEditText(const String& EditText) const;

    // The first input position at or after Index (Length when none).
    int NextInput(int Index) const;

    // Typing Key over the selection: the selection is blanked, Key goes to the first input
    // position at or after its start, and the caret moves past the literals that follow. Nothing
    // when no position is left or the position refuses the key.
    std::optional<TMaskEditState> TypeChar(const String& EditText, int SelStart, int SelLength, wchar_t Key) const;
    // Backspace: blanks the selection, or without one the input position before the caret.
    TMaskEditState DeleteBackward(const String& EditText, int SelStart, int SelLength) const;
    // Delete: blanks the selection, or without one the input position at the caret.
    TMaskEditState DeleteForward(const String& EditText, int SelStart, int SelLength) const;

private:
    // The shown text fitted to the mask with the input positions of [From, From + Count) blanked.
    String Blanked(const String& EditText, int From, int Count) const;
    bool IsInput(int Index) const { return Position(Index).Kind != TMaskCharKind::mcLiteral; }

    std::vector<TMaskPosition> FPositions;
    bool FSaveLiterals = true;
    bool FLeadingBlanks = false;
    wchar_t FBlank = L'_';
};

}  // namespace vcl
