#include "vcl/system.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// Code page conversions

namespace {

std::string WideToMultiByte(UINT codePage, const String& s)
{
    if (s.empty())
        return {};
    int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), result.data(), n, nullptr, nullptr);
    return result;
}

String MultiByteToWide(UINT codePage, const std::string& s)
{
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    String result(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), result.data(), n);
    return result;
}

}  // namespace

AnsiString ToAnsi(const String& s) { return WideToMultiByte(CP_ACP, s); }
String FromAnsi(const AnsiString& s) { return MultiByteToWide(CP_ACP, s); }
std::string ToUtf8(const String& s) { return WideToMultiByte(CP_UTF8, s); }
String FromUtf8(const std::string& s) { return MultiByteToWide(CP_UTF8, s); }

// ---------------------------------------------------------------------------------------------
// 1-based helpers, one implementation for both string kinds

namespace {

// The 0-based start and the length of the part [index, index+count) clipped to a text of size n.
struct Span {
    size_t start;
    size_t length;
};

Span ClipRange(size_t n, int index, int count)
{
    int64_t first = std::max<int64_t>(index, 1) - 1;
    if (first >= static_cast<int64_t>(n) || count <= 0)
        return {n, 0};
    int64_t last = std::min<int64_t>(static_cast<int64_t>(n), first + count);
    return {static_cast<size_t>(first), static_cast<size_t>(last - first)};
}

// Checked in every build: a position outside the text is a fault in the algorithm.
template<class S>
typename S::value_type Char1Of(const S& s, int i)
{
    if (i < 1 || static_cast<size_t>(i) > s.size())
        throw EAssertionFailed(L"Character position " + std::to_wstring(i) + L" outside a text of " +
                               std::to_wstring(s.size()));
    return s[static_cast<size_t>(i - 1)];
}

template<class S>
S CopyOf(const S& s, int index, int count)
{
    Span r = ClipRange(s.size(), index, count);
    return s.substr(r.start, r.length);
}

template<class S>
void DeleteOf(S& s, int index, int count)
{
    Span r = ClipRange(s.size(), index, count);
    s.erase(r.start, r.length);
}

template<class S>
void InsertOf(const S& source, S& s, int index)
{
    size_t at = static_cast<size_t>(std::clamp<int64_t>(index, 1, static_cast<int64_t>(s.size()) + 1) - 1);
    s.insert(at, source);
}

template<class S>
int PosExOf(const S& sub, const S& s, int offset)
{
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
        return 0;
    size_t at = s.find(sub, static_cast<size_t>(offset - 1));
    return at == S::npos ? 0 : static_cast<int>(at) + 1;
}

template<class C>
bool IsBlank(C c)
{
    return static_cast<std::make_unsigned_t<C>>(c) <= 0x20;
}

template<class S>
S TrimOf(const S& s, bool left, bool right)
{
    size_t first = 0;
    size_t last = s.size();
    if (left)
        while (first < last && IsBlank(s[first]))
            ++first;
    if (right)
        while (last > first && IsBlank(s[last - 1]))
            --last;
    return s.substr(first, last - first);
}

template<class C>
C AsciiUpper(C c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<C>(c - 'a' + 'A') : c;
}

template<class C>
C AsciiLower(C c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<C>(c - 'A' + 'a') : c;
}

template<class S, class F>
S MapChars(S s, F f)
{
    std::transform(s.begin(), s.end(), s.begin(), f);
    return s;
}

int Sign(int v) { return (v > 0) - (v < 0); }

String LocaleMap(const String& s, DWORD flags)
{
    if (s.empty())
        return s;
    String result = s;
    LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), result.data(),
                 static_cast<int>(result.size()));
    return result;
}

int LocaleCompare(const String& a, const String& b, DWORD flags)
{
    return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

}  // namespace

wchar_t Char1(const String& s, int i) { return Char1Of(s, i); }
char Char1(const AnsiString& s, int i) { return Char1Of(s, i); }
String Copy(const String& s, int index, int count) { return CopyOf(s, index, count); }
AnsiString Copy(const AnsiString& s, int index, int count) { return CopyOf(s, index, count); }
void Delete(String& s, int index, int count) { DeleteOf(s, index, count); }
void Delete(AnsiString& s, int index, int count) { DeleteOf(s, index, count); }
void Insert(const String& source, String& s, int index) { InsertOf(source, s, index); }
void Insert(const AnsiString& source, AnsiString& s, int index) { InsertOf(source, s, index); }
int Pos(const String& sub, const String& s) { return PosExOf(sub, s, 1); }
int Pos(const AnsiString& sub, const AnsiString& s) { return PosExOf(sub, s, 1); }
int PosEx(const String& sub, const String& s, int offset) { return PosExOf(sub, s, offset); }
int PosEx(const AnsiString& sub, const AnsiString& s, int offset) { return PosExOf(sub, s, offset); }

String Trim(const String& s) { return TrimOf(s, true, true); }
String TrimLeft(const String& s) { return TrimOf(s, true, false); }
String TrimRight(const String& s) { return TrimOf(s, false, true); }
AnsiString Trim(const AnsiString& s) { return TrimOf(s, true, true); }
AnsiString TrimLeft(const AnsiString& s) { return TrimOf(s, true, false); }
AnsiString TrimRight(const AnsiString& s) { return TrimOf(s, false, true); }

String UpperCase(const String& s) { return MapChars(s, AsciiUpper<wchar_t>); }
String LowerCase(const String& s) { return MapChars(s, AsciiLower<wchar_t>); }
AnsiString UpperCase(const AnsiString& s) { return MapChars(s, AsciiUpper<char>); }
AnsiString LowerCase(const AnsiString& s) { return MapChars(s, AsciiLower<char>); }

int CompareStr(const String& a, const String& b) { return Sign(a.compare(b)); }
int CompareText(const String& a, const String& b) { return Sign(UpperCase(a).compare(UpperCase(b))); }
bool SameText(const String& a, const String& b) { return CompareText(a, b) == 0; }

String AnsiUpperCase(const String& s) { return LocaleMap(s, LCMAP_UPPERCASE); }
String AnsiLowerCase(const String& s) { return LocaleMap(s, LCMAP_LOWERCASE); }
int AnsiCompareStr(const String& a, const String& b) { return LocaleCompare(a, b, 0); }
int AnsiCompareText(const String& a, const String& b) { return LocaleCompare(a, b, NORM_IGNORECASE); }
bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

String StringOfChar(wchar_t c, int count) { return String(static_cast<size_t>(std::max(count, 0)), c); }

// ---------------------------------------------------------------------------------------------
// TObject

const TClassInfo* TObject::StaticClassInfo()
{
    static const TClassInfo info{L"TObject", nullptr, &TObject::PublishProperties};
    return &info;
}

bool TObject::InheritsFrom(const String& className) const
{
    for (const TClassInfo* c = ClassInfo(); c; c = c->Parent)
        if (className == c->Name)
            return true;
    return false;
}

void TObject::Free()
{
    BeforeDestruction();
    delete this;
}

void TObject::Dispatch(TMessage& Message) { DefaultHandler(Message); }

void TObject::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------------------------------------
// Exceptions

Exception::Exception(const String& Message, int HelpContext) : FHelpContext(HelpContext) { SetMessage(Message); }

void Exception::SetMessage(const String& Message)
{
    FMessage = Message;
    FWhat = ToUtf8(Message);
}

void Abort() { throw EAbort(L"Operation aborted"); }

void Assert(bool condition, const String& message)
{
    if (!condition)
        throw EAssertionFailed(message);
}

// ---------------------------------------------------------------------------------------------
// Rounding

namespace {

// An already rounded value as an integer; outside [-2^63, 2^63) (NaN too) it raises.
template<class F>
int64_t ToInt64(F rounded)
{
    constexpr F limit = F(9223372036854775808.0L);
    if (!(rounded >= -limit && rounded < limit))
        throw EInvalidOp(L"Invalid floating point operation");
    return static_cast<int64_t>(rounded);
}

}  // namespace

int64_t Round(double value) { return ToInt64(std::nearbyint(value)); }
int64_t Round(long double value) { return ToInt64(std::nearbyint(value)); }
int64_t Trunc(double value) { return ToInt64(std::trunc(value)); }
int64_t Trunc(long double value) { return ToInt64(std::trunc(value)); }

}  // namespace vcl
