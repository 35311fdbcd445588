#include "vcl/editmask.h"

#include <algorithm>
#include <cwctype>

namespace vcl {

namespace {

constexpr wchar_t FieldSeparator = L';';
constexpr wchar_t EscapeChar = L'\\';

// The mask's fields, split at the separators that are not escaped.
std::vector<String> SplitFields(const String& Mask)
{
    std::vector<String> fields(1);
    for (size_t i = 0; i < Mask.size(); ++i) {
        if (Mask[i] == EscapeChar && i + 1 < Mask.size()) {
            fields.back() += Mask.substr(i, 2);
            ++i;
        } else if (Mask[i] == FieldSeparator) {
            fields.emplace_back();
        } else {
            fields.back() += Mask[i];
        }
    }
    return fields;
}

[[noreturn]] void MaskError(const String& Mask, const String& Fault)
{
    throw EConvertError(L"Invalid edit mask \"" + Mask + L"\": " + Fault);
}

// Input characters: which kind each one takes and whether it must be filled.
struct TInputChar {
    wchar_t Char;
    TMaskCharKind Kind;
    bool Required;
};
constexpr TInputChar InputChars[] = {
    {L'0', TMaskCharKind::mcDigit, true},         {L'9', TMaskCharKind::mcDigit, false},
    {L'L', TMaskCharKind::mcLetter, true},        {L'l', TMaskCharKind::mcLetter, false},
    {L'A', TMaskCharKind::mcAlphaNumeric, true},  {L'a', TMaskCharKind::mcAlphaNumeric, false},
    {L'C', TMaskCharKind::mcAny, true},           {L'c', TMaskCharKind::mcAny, false},
};

const TInputChar* FindInputChar(wchar_t c)
{
    for (const TInputChar& input : InputChars)
        if (input.Char == c)
            return &input;
    return nullptr;
}

bool IsDigitChar(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLetterChar(wchar_t c) { return std::iswalpha(static_cast<wint_t>(c)) != 0; }

bool KindAccepts(TMaskCharKind Kind, wchar_t c)
{
    switch (Kind) {
    case TMaskCharKind::mcDigit: return IsDigitChar(c);
    case TMaskCharKind::mcLetter: return IsLetterChar(c);
    case TMaskCharKind::mcAlphaNumeric: return IsDigitChar(c) || IsLetterChar(c);
    case TMaskCharKind::mcAny: return c >= L' ';
    case TMaskCharKind::mcLiteral: return false;
    }
    return false;
}

wchar_t ApplyCase(TMaskCase Case, wchar_t c)
{
    switch (Case) {
    case TMaskCase::mcUpper: return AnsiUpperCase(String(1, c))[0];
    case TMaskCase::mcLower: return AnsiLowerCase(String(1, c))[0];
    case TMaskCase::mcNone: return c;
    }
    return c;
}

}  // namespace

TEditMask TEditMask::Parse(const String& Mask)
{
    std::vector<String> fields = SplitFields(Mask);
    if (fields.size() > 3)
        MaskError(Mask, L"more than three fields");
    TEditMask result;
    if (fields.size() > 1) {
        const String& save = fields[1];
        if (save != L"" && save != L"0" && save != L"1")
            MaskError(Mask, L"the second field must be 0 or 1");
        result.FSaveLiterals = save != L"0";
    }
    if (fields.size() > 2) {
        const String& blank = fields[2];
        if (blank.size() > 1)
            MaskError(Mask, L"the blank field must be one character");
        if (blank.size() == 1)
            result.FBlank = blank[0];
    }

    const String& positions = fields[0];
    TMaskCase currentCase = TMaskCase::mcNone;
    for (size_t i = 0; i < positions.size(); ++i) {
        wchar_t c = positions[i];
        TMaskPosition position;
        position.Case = currentCase;
        if (c == L'!') {
            result.FLeadingBlanks = true;
            continue;
        }
        if (c == L'<' && i + 1 < positions.size() && positions[i + 1] == L'>') {
            currentCase = TMaskCase::mcNone;
            ++i;
            continue;
        }
        if (c == L'>' || c == L'<') {
            currentCase = c == L'>' ? TMaskCase::mcUpper : TMaskCase::mcLower;
            continue;
        }
        if (c == EscapeChar) {
            if (i + 1 == positions.size())
                MaskError(Mask, L"\\ at the end escapes nothing");
            position.Literal = positions[++i];
        } else if (const TInputChar* input = FindInputChar(c)) {
            position.Kind = input->Kind;
            position.Required = input->Required;
        } else {
            position.Literal = c;
        }
        result.FPositions.push_back(position);
    }
    return result;
}

String TEditMask::EmptyEditText() const
{
    String text;
    for (const TMaskPosition& position : FPositions)
        text += position.Kind == TMaskCharKind::mcLiteral ? position.Literal : FBlank;
    return text;
}

String TEditMask::FormatText(const String& Text) const
{
    String source = Text;
    if (FLeadingBlanks) {
        // Text dropped its leading blanks: put them back so that it ends with the last position.
        size_t expected = 0;
        for (int i = 0; i < Length(); ++i)
            expected += IsInput(i) || FSaveLiterals;
        if (source.size() < expected)
            source.insert(0, expected - source.size(), L' ');
    }
    String shown = EmptyEditText();
    size_t next = 0;
    for (int i = 0; i < Length() && next < source.size(); ++i) {
        if (!IsInput(i)) {
            if (FSaveLiterals && source[next] == Position(i).Literal)
                ++next;
            continue;
        }
        wchar_t c = source[next++];
        if (std::optional<wchar_t> accepted = c == L' ' ? std::nullopt : Accept(i, c))
            shown[static_cast<size_t>(i)] = *accepted;
    }
    return shown;
}

String TEditMask::UnformatText(const String& EditText) const
{
    String fitted = FitEditText(EditText);
    String text;
    for (int i = 0; i < Length(); ++i) {
        wchar_t c = fitted[static_cast<size_t>(i)];
        if (IsInput(i))
            text += c == FBlank ? L' ' : c;
        else if (FSaveLiterals)
            text += c;
    }
    return FLeadingBlanks ? TrimLeft(text) : TrimRight(text);
}

std::optional<wchar_t> TEditMask::Accept(int Index, wchar_t Key) const
{
    if (Index < 0 || Index >= Length())
        return std::nullopt;
    const TMaskPosition& position = Position(Index);
    if (!KindAccepts(position.Kind, Key))
        return std::nullopt;
    return ApplyCase(position.Case, Key);
}

String TEditMask::FitEditText(const String& EditText) const
{
    String fitted = EmptyEditText();
    for (int i = 0; i < Length() && i < static_cast<int>(EditText.size()); ++i) {
        wchar_t c = EditText[static_cast<size_t>(i)];
        if (IsInput(i) && c != FBlank && Accept(i, c))
            fitted[static_cast<size_t>(i)] = *Accept(i, c);
    }
    return fitted;
}

int TEditMask::NextInput(int Index) const
{
    int i = std::max(Index, 0);
    while (i < Length() && !IsInput(i))
        ++i;
    return std::min(i, Length());
}

String TEditMask::Blanked(const String& EditText, int From, int Count) const
{
    String text = FitEditText(EditText);
    for (int i = std::max(From, 0); i < From + Count && i < Length(); ++i)
        if (IsInput(i))
            text[static_cast<size_t>(i)] = FBlank;
    return text;
}

std::optional<TMaskEditState> TEditMask::TypeChar(const String& EditText, int SelStart, int SelLength,
                                                  wchar_t Key) const
{
    int target = NextInput(SelStart);
    std::optional<wchar_t> accepted = Accept(target, Key);
    if (!accepted)
        return std::nullopt;
    String text = Blanked(EditText, SelStart, SelLength);
    text[static_cast<size_t>(target)] = *accepted;
    return TMaskEditState{text, NextInput(target + 1)};
}

TMaskEditState TEditMask::DeleteBackward(const String& EditText, int SelStart, int SelLength) const
{
    if (SelLength > 0)
        return {Blanked(EditText, SelStart, SelLength), SelStart};
    int target = std::min(SelStart, Length()) - 1;
    while (target >= 0 && !IsInput(target))
        --target;
    if (target < 0)
        return {FitEditText(EditText), SelStart};
    return {Blanked(EditText, target, 1), target};
}

TMaskEditState TEditMask::DeleteForward(const String& EditText, int SelStart, int SelLength) const
{
    if (SelLength > 0)
        return {Blanked(EditText, SelStart, SelLength), SelStart};
    return {Blanked(EditText, NextInput(SelStart), 1), SelStart};
}

}  // namespace vcl
