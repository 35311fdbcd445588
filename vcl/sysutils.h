#pragma once
// Conversions between numbers and text, formatting, dates and times, and file and directory helpers.
#include "vcl/system.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// Format settings: taken from the user's locale at start; tests may assign them.

struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    String CurrencyString;
    wchar_t DateSeparator = L'/';
    wchar_t TimeSeparator = L':';
    String ShortDateFormat;
    String LongDateFormat;
    String ShortTimeFormat;
    String LongTimeFormat;
    String ShortMonthNames[12];
    String LongMonthNames[12];
    String ShortDayNames[7];
    String LongDayNames[7];

    // The settings of the user's locale.
    static TFormatSettings FromUserLocale();
    // Fixed settings: full stop as decimal separator, comma for thousands.
    static TFormatSettings Invariant();
};

extern TFormatSettings FormatSettings;

// ---------------------------------------------------------------------------------------------
// Integers

String IntToStr(int64_t value);
// Upper-case hexadecimal, at least `digits` digits.
String IntToHex(uint64_t value, int digits);

// Leading blanks, an optional sign, then decimal digits or "$"/"0x" and hexadecimal digits, nothing after.
// Anything else, "" included, and values outside 32 bits raise EConvertError (Try* return false).
Integer StrToInt(const String& s);
Integer StrToIntDef(const String& s, Integer defaultValue);
bool TryStrToInt(const String& s, Integer& value);

// ---------------------------------------------------------------------------------------------
// Floating point

// Trimmed text with the decimal separator of the settings, optional sign and exponent, no grouping.
double StrToFloat(const String& s);
double StrToFloat(const String& s, const TFormatSettings& settings);
double StrToFloatDef(const String& s, double defaultValue);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings);
// The same for extended values, with all 64 bits of their mantissa.
Extended StrToExtended(const String& s);
Extended StrToExtended(const String& s, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// General format with 15 significant digits.
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
// ffGeneral: fixed while the integer part has at most `precision` digits and the value is at least
// 0.00001, else scientific with at least `digits` exponent digits. ffExponent: `precision` significant
// digits, "E", sign and at least `digits` exponent digits. ffFixed and ffNumber (grouped): `digits`
// decimals, scientific beyond `precision` integer digits.
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);

// Pattern formatting: up to three ";" sections (positive; negative, printed without sign; zero),
// placeholders 0 # . , E+ E- e+ e-, quoted text and literals. Rounds the exact binary value, halves
// away from zero.
String FormatFloat(const String& format, double value);
String FormatFloat(const String& format, double value, const TFormatSettings& settings);
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& settings);

// ---------------------------------------------------------------------------------------------
// Format: %[index:][-][width][.precision]type with d u x e f g n m p s and %%.

class TFormatArg {
public:
    enum class Kind { Integer, Unsigned, Float, Text, Pointer };

    template<class T>
        requires(std::is_integral_v<T> && std::is_signed_v<T> && !std::is_same_v<T, wchar_t> && !std::is_same_v<T, bool>)
    TFormatArg(T v) : FKind(Kind::Integer), FInt(v)
    {
    }
    template<class T>
        requires(std::is_integral_v<T> && std::is_unsigned_v<T> && !std::is_same_v<T, bool> &&
                 !std::is_same_v<T, wchar_t>)
    TFormatArg(T v) : FKind(Kind::Unsigned), FUInt(v)
    {
    }
    TFormatArg(double v) : FKind(Kind::Float), FFloat(v) {}
    TFormatArg(long double v) : FKind(Kind::Float), FFloat(static_cast<double>(v)) {}
    TFormatArg(float v) : FKind(Kind::Float), FFloat(v) {}
    TFormatArg(const String& v) : FKind(Kind::Text), FText(&v) {}
    TFormatArg(const wchar_t* v) : FKind(Kind::Text), FChars(v) {}
    TFormatArg(wchar_t v) : FKind(Kind::Text), FChar(v) {}
    TFormatArg(const void* v) : FKind(Kind::Pointer), FPointer(v) {}

    Kind ArgKind() const { return FKind; }
    int64_t AsInteger() const;
    uint64_t AsUnsigned() const;
    double AsFloat() const;
    String AsText() const;
    const void* AsPointer() const { return FPointer; }

private:
    Kind FKind;
    int64_t FInt = 0;
    uint64_t FUInt = 0;
    double FFloat = 0;
    const String* FText = nullptr;
    const wchar_t* FChars = nullptr;
    wchar_t FChar = 0;
    const void* FPointer = nullptr;
};

// Invalid formats and arguments of the wrong kind raise EConvertError.
String FormatArgs(const String& format, std::span<const TFormatArg> args);
String FormatArgs(const String& format, std::span<const TFormatArg> args, const TFormatSettings& settings);

template<class... A>
String Format(const String& format, const A&... args)
{
    const TFormatArg list[] = {TFormatArg(args)..., TFormatArg(0)};
    return FormatArgs(format, std::span<const TFormatArg>(list, sizeof...(A)));
}

// ---------------------------------------------------------------------------------------------
// Dates and times. A TDateTime counts days from 30 December 1899 (0); its fraction is the time of
// day. Years run from 1 to 9999 of the Gregorian calendar, also before its introduction.

constexpr int MSecsPerDay = 24 * 60 * 60 * 1000;

bool IsLeapYear(Word Year);
// A date or time outside the calendar or the day (month 13, 30 February, 24:00) raises EConvertError.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
// A date outside years 1 to 9999 decodes as zeros.
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
// The time of day of the value (of its absolute value for dates before 30 December 1899), to the
// nearest millisecond.
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// The local date, and the local date and time, from the clock seam.
TDateTime Date();
TDateTime Now();

// ---------------------------------------------------------------------------------------------
// Files and directories. Both "\" and "/" separate path parts.

constexpr wchar_t PathDelim = L'\\';

bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
bool CreateDir(const String& directory);
bool RemoveDir(const String& directory);
// Creates the directory with every missing parent; false on failure.
bool ForceDirectories(const String& directory);
String GetCurrentDir();
bool SetCurrentDir(const String& directory);

String ExtractFilePath(const String& fileName);   // up to and including the last separator
String ExtractFileDir(const String& fileName);    // the same without a trailing separator
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);    // with its dot; "" without one
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String ExpandFileName(const String& fileName);

// The program's command line: ParamStr(0) is the program's full path.
int ParamCount();
String ParamStr(int index);

// The system's text for an error code.
String SysErrorMessage(DWORD errorCode);

// File search. FindFirst/FindNext return 0 when an entry was found, else the system error code.
constexpr int faReadOnly = FILE_ATTRIBUTE_READONLY;
constexpr int faHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr int faSysFile = FILE_ATTRIBUTE_SYSTEM;
constexpr int faDirectory = FILE_ATTRIBUTE_DIRECTORY;
constexpr int faArchive = FILE_ATTRIBUTE_ARCHIVE;
constexpr int faNormal = FILE_ATTRIBUTE_NORMAL;
constexpr int faAnyFile = 0x1FF;

struct TSearchRec {
    int64_t Size = 0;
    int Attr = 0;
    String Name;
    int ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW FindData{};
};

int FindFirst(const String& path, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

}  // namespace vcl
