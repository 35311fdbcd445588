#include "vcl/sysutils.h"

#include "vcl/decimal.h"
#include "vcl/seams.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <limits>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// Format settings

namespace {

String LocaleText(LCTYPE type, const String& fallback)
{
    wchar_t buffer[128];
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
    return n > 1 ? String(buffer, static_cast<size_t>(n - 1)) : fallback;
}

wchar_t LocaleChar(LCTYPE type, wchar_t fallback)
{
    String s = LocaleText(type, String());
    return s.empty() ? fallback : s[0];
}

}  // namespace

TFormatSettings TFormatSettings::FromUserLocale()
{
    TFormatSettings f;
    f.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, L'.');
    f.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, L',');
    f.CurrencyString = LocaleText(LOCALE_SCURRENCY, String());
    f.DateSeparator = LocaleChar(LOCALE_SDATE, L'/');
    f.TimeSeparator = LocaleChar(LOCALE_STIME, L':');
    f.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, L"M/d/yyyy");
    f.LongDateFormat = LocaleText(LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy");
    f.ShortTimeFormat = LocaleText(LOCALE_SSHORTTIME, L"h:mm");
    f.LongTimeFormat = LocaleText(LOCALE_STIMEFORMAT, L"h:mm:ss");
    for (int m = 0; m < 12; ++m) {
        f.ShortMonthNames[m] = LocaleText(LOCALE_SABBREVMONTHNAME1 + m, String());
        f.LongMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m, String());
    }
    // The system counts days from Monday; index 0 here is Sunday.
    for (int d = 0; d < 7; ++d) {
        f.ShortDayNames[d] = LocaleText(LOCALE_SABBREVDAYNAME1 + (d + 6) % 7, String());
        f.LongDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + (d + 6) % 7, String());
    }
    return f;
}

TFormatSettings TFormatSettings::Invariant()
{
    TFormatSettings f;
    f.ShortDateFormat = L"MM/dd/yyyy";
    f.LongDateFormat = L"dddd, dd MMMMM yyyy";
    f.ShortTimeFormat = L"HH:mm";
    f.LongTimeFormat = L"HH:mm:ss";
    return f;
}

TFormatSettings FormatSettings = TFormatSettings::FromUserLocale();

// ---------------------------------------------------------------------------------------------
// Integers

String IntToStr(int64_t value) { return std::to_wstring(value); }

String IntToHex(uint64_t value, int digits)
{
    String s;
    do {
        s.insert(s.begin(), L"0123456789ABCDEF"[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(s.size()) < digits)
        s.insert(0, static_cast<size_t>(digits) - s.size(), L'0');
    return s;
}

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

// Parses the integer syntax into sign and magnitude; false for bad syntax or more than 64 bits.
bool ParseInteger(const String& s, bool& negative, bool& hex, uint64_t& magnitude)
{
    size_t i = 0;
    while (i < s.size() && s[i] <= L' ')
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        negative = s[i++] == L'-';
    hex = false;
    if (i < s.size() && s[i] == L'$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    const uint64_t base = hex ? 16 : 10;
    magnitude = 0;
    for (; i < s.size(); ++i) {
        int d = hex ? HexDigit(s[i]) : (s[i] >= L'0' && s[i] <= L'9' ? s[i] - L'0' : -1);
        if (d < 0 || magnitude > (UINT64_MAX - static_cast<uint64_t>(d)) / base)
            return false;
        magnitude = magnitude * base + static_cast<uint64_t>(d);
    }
    return true;
}

[[noreturn]] void ConvertError(const String& s, const wchar_t* kind)
{
    throw EConvertError(L"'" + s + L"' is not a valid " + kind + L" value");
}

}  // namespace

// Decimal values must fit the signed range; hexadecimal ones may use the whole 32-bit pattern
// ("$FFFFFFFF" is -1), as the classic library does.
bool TryStrToInt(const String& s, Integer& value)
{
    bool negative;
    bool hex;
    uint64_t magnitude;
    if (!ParseInteger(s, negative, hex, magnitude))
        return false;
    const uint64_t limit = hex ? UINT32_MAX : uint64_t(INT32_MAX) + (negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    value = static_cast<Integer>(static_cast<uint32_t>(negative ? 0 - magnitude : magnitude));
    return true;
}

Integer StrToInt(const String& s)
{
    Integer v;
    if (!TryStrToInt(s, v))
        ConvertError(s, L"integer");
    return v;
}

Integer StrToIntDef(const String& s, Integer defaultValue)
{
    Integer v;
    return TryStrToInt(s, v) ? v : defaultValue;
}


// ---------------------------------------------------------------------------------------------
// Floating point

namespace {

// The float syntax rebuilt in the form the C conversions read: no "+" sign, "." as the point;
// false when s is not a number.
bool FloatSyntax(const String& s, const TFormatSettings& settings, std::string& ascii)
{
    const String t = Trim(s);
    size_t i = 0;
    auto sign = [&]() {
        if (i < t.size() && (t[i] == L'+' || t[i] == L'-'))
            if (t[i++] == L'-')
                ascii.push_back('-');
    };
    auto digits = [&]() {
        size_t n = 0;
        for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i, ++n)
            ascii.push_back(static_cast<char>(t[i]));
        return n;
    };
    sign();
    size_t mantissa = digits();
    if (i < t.size() && t[i] == settings.DecimalSeparator) {
        ascii.push_back('.');
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < t.size() && (t[i] == L'e' || t[i] == L'E')) {
        ascii.push_back('e');
        ++i;
        sign();
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

}  // namespace

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings)
{
    std::string ascii;
    if (!FloatSyntax(s, settings, ascii))
        return false;
    double v;
    auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return false;
    value = v;
    return true;
}

// The C library reads all 64 bits of an extended mantissa, which from_chars does not here.
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings)
{
    std::string ascii;
    if (!FloatSyntax(s, settings, ascii))
        return false;
    errno = 0;
    char* end = nullptr;
    const Extended v = std::strtold(ascii.c_str(), &end);
    if (errno == ERANGE || end != ascii.c_str() + ascii.size())
        return false;
    value = v;
    return true;
}

bool TryStrToFloat(const String& s, Extended& value) { return TryStrToFloat(s, value, FormatSettings); }

Extended StrToExtended(const String& s, const TFormatSettings& settings)
{
    Extended v;
    if (!TryStrToFloat(s, v, settings))
        ConvertError(s, L"floating point");
    return v;
}

Extended StrToExtended(const String& s) { return StrToExtended(s, FormatSettings); }

bool TryStrToFloat(const String& s, double& value) { return TryStrToFloat(s, value, FormatSettings); }

double StrToFloat(const String& s, const TFormatSettings& settings)
{
    double v;
    if (!TryStrToFloat(s, v, settings))
        ConvertError(s, L"floating point");
    return v;
}

double StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

double StrToFloatDef(const String& s, double defaultValue)
{
    double v;
    return TryStrToFloat(s, v) ? v : defaultValue;
}

String FloatToStr(double value, const TFormatSettings& settings)
{
    return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0, settings);
}

String FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

String FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

namespace {

// "NAN", "INF" or "-INF" for a value that is not a number, else empty.
template<class F>
String NonFiniteText(F value)
{
    if (std::isnan(value))
        return L"NAN";
    if (std::isinf(value))
        return value < 0 ? L"-INF" : L"INF";
    return String();
}

String DecimalToStrF(Decimal d, TFloatFormat format, int precision, int digits, const TFormatSettings& settings)
{
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    d.RoundToSignificant(precision);
    String sign = d.Negative && !d.IsZero() ? L"-" : L"";
    switch (format) {
    case TFloatFormat::ffGeneral:
        if (d.Exponent <= precision && (d.IsZero() || d.Exponent >= -4))
            return sign + d.FixedText(0, settings.DecimalSeparator, 0);
        return sign + d.ScientificText(0, settings.DecimalSeparator, digits > 0, digits, false);
    case TFloatFormat::ffExponent:
        return sign + d.ScientificText(precision - 1, settings.DecimalSeparator, true, digits, true);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber: {
        if (d.Exponent > precision)
            return sign + d.ScientificText(0, settings.DecimalSeparator, true, 0, false);
        d.RoundToFraction(digits);
        sign = d.Negative && !d.IsZero() ? L"-" : L"";
        wchar_t group = format == TFloatFormat::ffNumber ? settings.ThousandSeparator : 0;
        return sign + d.FixedText(digits, settings.DecimalSeparator, group);
    }
    }
    return String();
}

template<class F>
String AnyFloatToStrF(F value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings)
{
    String special = NonFiniteText(value);
    return special.empty() ? DecimalToStrF(Decimal::Exact(value), format, precision, digits, settings) : special;
}

}  // namespace

String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings)
{
    return AnyFloatToStrF(value, format, precision, digits, settings);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings)
{
    return AnyFloatToStrF(value, format, precision, digits, settings);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits)
{
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

// ---------------------------------------------------------------------------------------------
// FormatFloat

namespace {

// One ";" section of a pattern, split into the parts that produce output.
struct Section {
    struct Token {
        enum Kind { Digit, Point, Literal, Exponent } kind;
        String text;          // Literal text; "E+"/"E-"/"e+"/"e-" for Exponent
        int expDigits;        // '0's after an exponent marker
        bool inFraction;
    };
    std::vector<Token> tokens;
    int intPlaceholders = 0;
    int intMinimum = 0;  // placeholders from the first integer '0' to the point
    int fracMaximum = 0;
    int fracMinimum = 0;  // up to the last fraction '0'
    bool grouping = false;
    bool scientific = false;
};

std::vector<String> SplitSections(const String& format)
{
    std::vector<String> sections(1);
    wchar_t quote = 0;
    for (wchar_t c : format) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else if (c == L';') {
            sections.emplace_back();
            continue;
        }
        sections.back().push_back(c);
    }
    return sections;
}

Section ParseSection(const String& text)
{
    Section s;
    bool fraction = false;
    bool exponent = false;
    int firstIntZero = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            size_t end = text.find(c, i + 1);
            if (end == String::npos)
                end = text.size();
            s.tokens.push_back({Section::Token::Literal, text.substr(i + 1, end - i - 1), 0, fraction});
            i = end;
        } else if ((c == L'0' || c == L'#') && !exponent) {
            s.tokens.push_back({Section::Token::Digit, String(), 0, fraction});
            if (fraction) {
                ++s.fracMaximum;
                if (c == L'0')
                    s.fracMinimum = s.fracMaximum;
            } else {
                if (c == L'0' && firstIntZero < 0)
                    firstIntZero = s.intPlaceholders;
                ++s.intPlaceholders;
            }
        } else if (c == L'.' && !fraction && !exponent) {
            fraction = true;
            s.tokens.push_back({Section::Token::Point, String(), 0, false});
        } else if (c == L',' && !exponent) {
            s.grouping = true;
        } else if ((c == L'E' || c == L'e') && !exponent && i + 1 < text.size() &&
                   (text[i + 1] == L'+' || text[i + 1] == L'-')) {
            exponent = true;
            s.scientific = true;
            size_t j = i + 2;
            int zeros = 0;
            while (j < text.size() && text[j] == L'0') {
                ++zeros;
                ++j;
            }
            s.tokens.push_back({Section::Token::Exponent, text.substr(i, 2), zeros, fraction});
            i = j - 1;
        } else {
            s.tokens.push_back({Section::Token::Literal, String(1, c), 0, fraction});
        }
    }
    s.intMinimum = firstIntZero < 0 ? 0 : s.intPlaceholders - firstIntZero;
    return s;
}

// Renders an already rounded absolute value through a section.
String RenderSection(const Section& s, Decimal d, const TFormatSettings& settings)
{
    int exponentValue = 0;
    if (s.scientific && !d.IsZero()) {
        exponentValue = d.Exponent - s.intPlaceholders;
        d.Exponent = s.intPlaceholders;
    }
    String intDigits = d.IntegerDigits();
    if (static_cast<int>(intDigits.size()) < s.intMinimum)
        intDigits.insert(0, static_cast<size_t>(s.intMinimum) - intDigits.size(), L'0');
    String fracDigits = d.FractionDigits(s.fracMaximum);
    while (static_cast<int>(fracDigits.size()) > s.fracMinimum && fracDigits.back() == L'0')
        fracDigits.pop_back();

    const int intCount = static_cast<int>(intDigits.size());
    // Placeholder k (0-based) shows digit k - offset; the first one also shows any surplus on its left.
    const int offset = s.intPlaceholders - intCount;
    String out;
    int intPlaceholder = 0;
    int fracPlaceholder = 0;
    bool digitShown = false;
    auto emitIntDigit = [&](int index) {
        out.push_back(intDigits[static_cast<size_t>(index)]);
        digitShown = true;
        int remaining = intCount - 1 - index;
        if (s.grouping && remaining > 0 && remaining % 3 == 0)
            out.push_back(settings.ThousandSeparator);
    };
    for (size_t t = 0; t < s.tokens.size(); ++t) {
        const Section::Token& token = s.tokens[t];
        switch (token.kind) {
        case Section::Token::Digit:
            if (!token.inFraction) {
                int index = intPlaceholder - offset;
                if (intPlaceholder == 0)
                    for (int surplus = 0; surplus < index; ++surplus)
                        emitIntDigit(surplus);
                if (index >= 0)
                    emitIntDigit(index);
                ++intPlaceholder;
            } else {
                if (fracPlaceholder < static_cast<int>(fracDigits.size()))
                    out.push_back(fracDigits[static_cast<size_t>(fracPlaceholder)]);
                ++fracPlaceholder;
            }
            break;
        case Section::Token::Point:
            if (s.intPlaceholders == 0 && intCount > 0)
                for (int index = 0; index < intCount; ++index)
                    emitIntDigit(index);
            if (!fracDigits.empty())
                out.push_back(settings.DecimalSeparator);
            break;
        case Section::Token::Literal:
            // Between integer placeholders a literal shows only after a digit to its left.
            if (token.inFraction || intPlaceholder == 0 || intPlaceholder == s.intPlaceholders || digitShown)
                out += token.text;
            break;
        case Section::Token::Exponent: {
            if (exponentValue < 0)
                out.push_back(token.text[0]), out.push_back(L'-');
            else
                out += token.text[1] == L'+' ? token.text : token.text.substr(0, 1);
            String e = std::to_wstring(std::abs(exponentValue));
            if (static_cast<int>(e.size()) < token.expDigits)
                e.insert(0, static_cast<size_t>(token.expDigits) - e.size(), L'0');
            out += e;
            break;
        }
        }
    }
    return out;
}

// Rounds the absolute value as the section asks.
Decimal RoundForSection(const Section& s, Decimal d)
{
    d.Negative = false;
    if (s.scientific)
        d.RoundToSignificant(s.intPlaceholders + s.fracMaximum);
    else
        d.RoundToFraction(s.fracMaximum);
    return d;
}

}  // namespace

namespace {

String FormatDecimal(const String& format, const Decimal& exact, const TFormatSettings& settings)
{
    std::vector<String> texts = SplitSections(format);
    texts.resize(std::min<size_t>(texts.size(), 3));
    auto section = [&](size_t i) { return ParseSection(i < texts.size() && !texts[i].empty() ? texts[i] : texts[0]); };

    const bool negative = exact.Negative && !exact.IsZero();
    Section chosen = section(negative ? 1 : 0);
    Decimal rounded = RoundForSection(chosen, exact);
    if (rounded.IsZero()) {
        // A value that rounds to zero takes the zero section, else the positive one: a negative
        // section's own minus never shows on a zero.
        if (texts.size() >= 3 && !texts[2].empty()) {
            chosen = section(2);
            return RenderSection(chosen, RoundForSection(chosen, exact), settings);
        }
        return RenderSection(section(0), rounded, settings);
    }
    String text = RenderSection(chosen, rounded, settings);
    bool ownNegativeSection = texts.size() >= 2 && !texts[1].empty();
    return negative && !ownNegativeSection ? L"-" + text : text;
}

}  // namespace

String FormatFloat(const String& format, double value, const TFormatSettings& settings)
{
    if (format.empty() || !std::isfinite(value))
        return FloatToStr(value, settings);
    return FormatDecimal(format, Decimal::Exact(value), settings);
}

String FormatFloat(const String& format, Extended value, const TFormatSettings& settings)
{
    if (format.empty() || !std::isfinite(value))
        return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0, settings);
    return FormatDecimal(format, Decimal::Exact(value), settings);
}

String FormatFloat(const String& format, Extended value) { return FormatFloat(format, value, FormatSettings); }

String FormatFloat(const String& format, double value) { return FormatFloat(format, value, FormatSettings); }

// ---------------------------------------------------------------------------------------------
// Format

int64_t TFormatArg::AsInteger() const
{
    if (FKind == Kind::Integer)
        return FInt;
    if (FKind == Kind::Unsigned)
        return static_cast<int64_t>(FUInt);
    throw EConvertError(L"Format argument is not an integer");
}

uint64_t TFormatArg::AsUnsigned() const { return static_cast<uint64_t>(AsInteger()); }

double TFormatArg::AsFloat() const
{
    if (FKind != Kind::Float)
        throw EConvertError(L"Format argument is not a floating point value");
    return FFloat;
}

String TFormatArg::AsText() const
{
    if (FKind != Kind::Text)
        throw EConvertError(L"Format argument is not a text");
    if (FText)
        return *FText;
    if (FChars)
        return FChars;
    return String(1, FChar);
}

namespace {

[[noreturn]] void FormatError(const String& format)
{
    throw EConvertError(L"Format '" + format + L"' invalid or incompatible with argument");
}

String FormatOne(wchar_t type, int precision, const TFormatArg& arg, const TFormatSettings& settings)
{
    auto padDigits = [&](String digits) {
        bool minus = !digits.empty() && digits[0] == L'-';
        if (minus)
            digits.erase(0, 1);
        if (precision > static_cast<int>(digits.size()))
            digits.insert(0, static_cast<size_t>(precision) - digits.size(), L'0');
        return minus ? L"-" + digits : digits;
    };
    switch (type) {
    case L'd':
        return padDigits(std::to_wstring(arg.AsInteger()));
    case L'u':
        return padDigits(std::to_wstring(arg.AsUnsigned()));
    case L'x':
        return IntToHex(arg.AsUnsigned(), precision);
    case L'e':
        return FloatToStrF(arg.AsFloat(), TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3, settings);
    case L'f':
        return FloatToStrF(arg.AsFloat(), TFloatFormat::ffFixed, 18, precision < 0 ? 2 : precision, settings);
    case L'g':
        return FloatToStrF(arg.AsFloat(), TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 3, settings);
    case L'n':
        return FloatToStrF(arg.AsFloat(), TFloatFormat::ffNumber, 18, precision < 0 ? 2 : precision, settings);
    case L'p':
        return IntToHex(reinterpret_cast<uintptr_t>(arg.AsPointer()), 2 * sizeof(void*));
    case L's': {
        String s = arg.AsText();
        return precision >= 0 && precision < static_cast<int>(s.size()) ? s.substr(0, static_cast<size_t>(precision))
                                                                         : s;
    }
    default:
        throw EConvertError(L"");
    }
}

}  // namespace

String FormatArgs(const String& format, std::span<const TFormatArg> args, const TFormatSettings& settings)
{
    String out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            out.push_back(format[i]);
            continue;
        }
        if (++i >= format.size())
            FormatError(format);
        if (format[i] == L'%') {
            out.push_back(L'%');
            continue;
        }
        auto number = [&]() {
            int n = -1;
            while (i < format.size() && format[i] >= L'0' && format[i] <= L'9')
                n = (n < 0 ? 0 : n * 10) + (format[i++] - L'0');
            return n;
        };
        int first = number();
        if (i < format.size() && format[i] == L':') {
            if (first < 0)
                FormatError(format);
            next = static_cast<size_t>(first);
            ++i;
            first = -1;
        }
        bool left = false;
        if (first < 0 && i < format.size() && format[i] == L'-') {
            left = true;
            ++i;
        }
        int width = first >= 0 ? first : number();
        int precision = -1;
        if (i < format.size() && format[i] == L'.') {
            ++i;
            precision = std::max(number(), 0);
        }
        if (i >= format.size() || next >= args.size())
            FormatError(format);
        String item;
        try {
            item = FormatOne(static_cast<wchar_t>(std::towlower(format[i])), precision, args[next++], settings);
        } catch (const EConvertError&) {
            FormatError(format);
        }
        if (width > static_cast<int>(item.size()))
            item.insert(left ? item.size() : 0, static_cast<size_t>(width) - item.size(), L' ');
        out += item;
    }
    return out;
}

String FormatArgs(const String& format, std::span<const TFormatArg> args)
{
    return FormatArgs(format, args, FormatSettings);
}

// ---------------------------------------------------------------------------------------------
// Files and directories

namespace {

bool IsPathDelimiter(wchar_t c) { return c == L'\\' || c == L'/'; }

// Index just after the last separator or drive colon; 0 when there is none.
size_t FileNameStart(const String& fileName)
{
    size_t i = fileName.size();
    while (i > 0 && !IsPathDelimiter(fileName[i - 1]) && fileName[i - 1] != L':')
        --i;
    return i;
}

DWORD Attributes(const String& path) { return GetFileAttributesW(path.c_str()); }

}  // namespace

bool FileExists(const String& fileName)
{
    DWORD a = Attributes(fileName);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& directory)
{
    DWORD a = Attributes(directory);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& directory) { return CreateDirectoryW(directory.c_str(), nullptr) != 0; }
bool RemoveDir(const String& directory) { return RemoveDirectoryW(directory.c_str()) != 0; }

bool ForceDirectories(const String& directory)
{
    String dir = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
    if (dir.empty())
        return false;
    if (DirectoryExists(dir))
        return true;
    String parent = ExtractFileDir(dir);
    if (parent == dir)
        return false;
    return (parent.empty() || ForceDirectories(parent)) && CreateDir(dir);
}

String GetCurrentDir()
{
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    String s(n, L'\0');
    n = GetCurrentDirectoryW(n, s.data());
    s.resize(n);
    return s;
}

bool SetCurrentDir(const String& directory) { return SetCurrentDirectoryW(directory.c_str()) != 0; }

String ExtractFilePath(const String& fileName) { return fileName.substr(0, FileNameStart(fileName)); }

String ExtractFileDir(const String& fileName)
{
    size_t i = FileNameStart(fileName);
    // Keep the separator of a root ("C:\", "\").
    if (i > 1 && IsPathDelimiter(fileName[i - 1]) && fileName[i - 2] != L':' && !IsPathDelimiter(fileName[i - 2]))
        --i;
    return fileName.substr(0, i);
}

String ExtractFileName(const String& fileName) { return fileName.substr(FileNameStart(fileName)); }

String ExtractFileExt(const String& fileName)
{
    size_t start = FileNameStart(fileName);
    size_t dot = fileName.rfind(L'.');
    return dot == String::npos || dot < start ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension)
{
    size_t start = FileNameStart(fileName);
    size_t dot = fileName.rfind(L'.');
    size_t end = dot == String::npos || dot < start ? fileName.size() : dot;
    return fileName.substr(0, end) + extension;
}

String IncludeTrailingPathDelimiter(const String& path)
{
    return !path.empty() && IsPathDelimiter(path.back()) ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path)
{
    return !path.empty() && IsPathDelimiter(path.back()) ? path.substr(0, path.size() - 1) : path;
}

String ExpandFileName(const String& fileName)
{
    if (fileName.empty())
        return fileName;
    DWORD n = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return fileName;
    String s(n, L'\0');
    n = GetFullPathNameW(fileName.c_str(), n, s.data(), nullptr);
    s.resize(n);
    return s;
}

int ParamCount() { return std::max(static_cast<int>(Seams().CommandLine().size()) - 1, 0); }

String ParamStr(int index)
{
    if (index == 0) {
        String path(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (n < path.size()) {
                path.resize(n);
                return path;
            }
            path.resize(path.size() * 2);
        }
    }
    std::vector<String> args = Seams().CommandLine();
    return index > 0 && index < static_cast<int>(args.size()) ? args[static_cast<size_t>(index)] : String();
}

String SysErrorMessage(DWORD errorCode)
{
    LPWSTR buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, errorCode, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    String s = n ? String(buffer, n) : String();
    if (buffer)
        LocalFree(buffer);
    return TrimRight(s);
}

namespace {

// Copies the current entry of a search into rec, skipping entries with excluded attributes.
int FindMatching(TSearchRec& rec)
{
    while ((rec.FindData.dwFileAttributes & static_cast<DWORD>(rec.ExcludeAttr)) != 0)
        if (!FindNextFileW(rec.FindHandle, &rec.FindData))
            return static_cast<int>(GetLastError());
    rec.Size = (static_cast<int64_t>(rec.FindData.nFileSizeHigh) << 32) | rec.FindData.nFileSizeLow;
    rec.Attr = static_cast<int>(rec.FindData.dwFileAttributes);
    rec.Name = rec.FindData.cFileName;
    return 0;
}

}  // namespace

int FindFirst(const String& path, int attr, TSearchRec& rec)
{
    rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faDirectory);
    rec.FindHandle = FindFirstFileW(path.c_str(), &rec.FindData);
    if (rec.FindHandle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    int result = FindMatching(rec);
    if (result != 0)
        FindClose(rec);
    return result;
}

int FindNext(TSearchRec& rec)
{
    if (!FindNextFileW(rec.FindHandle, &rec.FindData))
        return static_cast<int>(GetLastError());
    return FindMatching(rec);
}

void FindClose(TSearchRec& rec)
{
    if (rec.FindHandle != INVALID_HANDLE_VALUE)
        ::FindClose(rec.FindHandle);
    rec.FindHandle = INVALID_HANDLE_VALUE;
}

}  // namespace vcl
