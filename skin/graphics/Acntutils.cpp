#include "skin/graphics/Acntutils.h"

#include <algorithm>

#include "vcl/sysutils.h"

namespace skin {

using vcl::AnsiString;
using vcl::String;
using vcl::TRect;

bool RectIsVisible(const TRect& A, const TRect& B)
{
    return !(A.top >= B.bottom || A.left >= B.right || B.left >= A.right || B.top >= A.bottom || B.Width() <= 0 ||
             B.Height() <= 0);
}

bool RectInRect(const TRect& Outer, const TRect& Inner)
{
    const auto inside = [&Outer](LONG x, LONG y) {
        return x >= Outer.left && x <= Outer.right && y >= Outer.top && y <= Outer.bottom;
    };
    return inside(Inner.left, Inner.top) && inside(Inner.right, Inner.bottom);
}

TRect RectsAnd(const TRect& A, const TRect& B)
{
    return TRect(std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
                 std::min(A.bottom, B.bottom));
}

// ---------------------------------------------------------------------------------------------
// Words

namespace {

bool IsDelim(char c, const TSysCharSet& Delims) { return Delims.Contains(uint8_t(c)); }
bool IsDelim(wchar_t c, const TSysCharSet& Delims) { return c <= 0x44F && Delims.Contains(uint8_t(c & 0xFF)); }

// The 0-based start of word N (from 1), or npos.
template<class Str>
size_t WordStart(int N, const Str& S, const TSysCharSet& Delims)
{
    int count = 0;
    size_t i = 0;
    while (i < S.size() && N > 0) {
        while (i < S.size() && IsDelim(S[i], Delims))
            ++i;
        if (i == S.size())
            break;
        if (++count == N)
            return i;
        while (i < S.size() && !IsDelim(S[i], Delims))
            ++i;
    }
    return Str::npos;
}

template<class Str>
int CountWords(const Str& S, const TSysCharSet& Delims)
{
    int count = 0;
    for (size_t i = 0; i < S.size(); ++i)
        if (!IsDelim(S[i], Delims) && (i == 0 || IsDelim(S[i - 1], Delims)))
            ++count;
    return count;
}

template<class Str>
int Position(int N, const Str& S, const TSysCharSet& Delims)
{
    const size_t start = WordStart(N, S, Delims);
    return start == Str::npos ? 0 : int(start) + 1;
}

}  // namespace

int WordCount(const AnsiString& S, const TSysCharSet& Delims) { return CountWords(S, Delims); }
int WordPosition(int N, const AnsiString& S, const TSysCharSet& Delims) { return Position(N, S, Delims); }
int acWordCount(const String& S, const TSysCharSet& Delims) { return CountWords(S, Delims); }
int acWordPosition(int N, const String& S, const TSysCharSet& Delims) { return Position(N, S, Delims); }

AnsiString ExtractWord(int N, const AnsiString& S, const TSysCharSet& Delims)
{
    const size_t start = WordStart(N, S, Delims);
    if (start == AnsiString::npos)
        return {};
    size_t end = start;
    while (end < S.size() && !IsDelim(S[end], Delims))
        ++end;
    return S.substr(start, end - start);
}

// ---------------------------------------------------------------------------------------------
// Strings

AnsiString MakeStr(char Ch, int N) { return N > 0 ? AnsiString(size_t(N), Ch) : AnsiString(); }

void acFillString(String& S, int N, wchar_t Ch) { S = N > 0 ? String(size_t(N), Ch) : String(); }

String DelESpace(const String& S)
{
    const size_t last = S.find_last_not_of(L' ');
    return last == String::npos ? String() : S.substr(0, last + 1);
}

String DelBSpace(const String& S)
{
    const size_t first = S.find_first_not_of(L' ');
    return first == String::npos ? String() : S.substr(first);
}

String DelRSpace(const String& S) { return DelBSpace(DelESpace(S)); }

String DelChars(const String& S, wchar_t Ch)
{
    String result = S;
    std::erase(result, Ch);
    return result;
}

String ReplaceStr(const String& S, const String& Old, const String& New)
{
    if (Old.empty())
        return S;
    String result;
    size_t from = 0;
    for (size_t at; (at = S.find(Old, from)) != String::npos; from = at + Old.size())
        result.append(S, from, at - from).append(New);
    return result.append(S, from, String::npos);
}

// ---------------------------------------------------------------------------------------------
// Numbers in text

int64_t HexToInt(const AnsiString& S)
{
    AnsiString text = vcl::UpperCase(S);
    if (!text.empty() && text.back() == 'H')
        text.pop_back();
    uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return 0;
        value = value * 16 + uint64_t(digit);
    }
    return int64_t(value);
}

namespace {

// A separator of the format settings as 8-bit text.
AnsiString AnsiSeparator(wchar_t c) { return vcl::ToAnsi(String(1, c)); }

}  // namespace

bool IsValidFloat(const AnsiString& S, double& Value)
{
    const AnsiString decimal = AnsiSeparator(vcl::FormatSettings.DecimalSeparator);
    for (char c : S)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'E' || c == 'e' ||
              decimal.find(c) != AnsiString::npos))
            return false;
    return !S.empty() && vcl::TryStrToFloat(vcl::FromAnsi(S.substr(0, 127)), Value);
}

AnsiString FormatFloatStr(const AnsiString& S, bool Thousands)
{
    AnsiString sign, body = S;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        sign = body.substr(0, 1);
        body.erase(0, 1);
    }
    const size_t end = std::min(body.find(AnsiSeparator(vcl::FormatSettings.DecimalSeparator)),
                                body.find_first_of("Ee"));
    const AnsiString digits = body.substr(0, end);
    AnsiString result = end == AnsiString::npos ? AnsiString() : body.substr(end);
    const AnsiString separator = AnsiSeparator(vcl::FormatSettings.ThousandSeparator);
    for (size_t n = 1; n <= digits.size(); ++n) {
        result.insert(0, 1, digits[digits.size() - n]);
        if (Thousands && n % 3 == 0 && n < digits.size())
            result.insert(0, separator);
    }
    return sign + result;
}

// ---------------------------------------------------------------------------------------------
// INI text

void GetIniSections(vcl::TStrings* Lines, vcl::TStrings* Sections)
{
    Sections->Clear();
    vcl::TStrings* current = nullptr;
    for (int i = 0; i < Lines->Count(); ++i) {
        const String line = Lines->Strings(i);
        if (line.empty() || line[0] == L';')
            continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            auto list = std::make_unique<vcl::TStringList>();
            Sections->AddObject(line.substr(1, line.size() - 2), list.get());
            current = list.release();
        } else if (current) {
            current->Add(line);
        }
    }
}

String ReadIniString(vcl::TStrings* Sections, const String& Section, const String& Key, const String& Default)
{
    const int index = Sections->IndexOf(Section);
    if (index < 0)
        return Default;
    const auto* lines = dynamic_cast<vcl::TStrings*>(Sections->Objects(index));
    const int line = lines ? lines->IndexOfName(Key) : -1;
    return line < 0 ? Default : lines->ValueFromIndex(line);
}

int ReadIniInteger(vcl::TStrings* Sections, const String& Section, const String& Key, int Default)
{
    String value = ReadIniString(Sections, Section, Key, String());
    if (value.size() >= 3 && value[0] == L'0' && (value[1] == L'x' || value[1] == L'X'))
        value.replace(0, 2, L"$");
    return vcl::StrToIntDef(value, Default);
}

}  // namespace skin
