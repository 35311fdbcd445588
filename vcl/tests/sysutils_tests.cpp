#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vcl;

namespace {

// Runs each test with fixed settings and restores the locale's afterwards.
class FormatTest : public testing::Test {
protected:
    void SetUp() override
    {
        FSaved = FormatSettings;
        FormatSettings = TFormatSettings::Invariant();
    }
    void TearDown() override { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

struct FloatCase {
    const wchar_t* format;
    double value;
    const wchar_t* expected;
};

}  // namespace

TEST_F(FormatTest, FormatFloatRoundsTheExactBinaryValueHalvesAwayFromZero)
{
    const FloatCase cases[] = {
        {L"0.0", 3.25f, L"3.3"},    // supply readings: single values widen exactly
        {L"0.0", 9.25f, L"9.3"},
        {L"0.0", 12.25f, L"12.3"},
        {L"0.0", 0.15, L"0.1"},     // the double lies just below 0.15
        {L"0", 2.5, L"3"},
        {L"0", -2.5, L"-3"},
        {L"0", 0.5, L"1"},
        {L"0.0", -0.04, L"0.0"},    // rounds to zero: no minus
        {L"0.00", 9.995, L"9.99"},  // 9.995 is stored as 9.99499...
        {L"0.00", 0.125, L"0.13"},
        {L"#.##", 1.5, L"1.5"},
        {L"0.##", 2, L"2"},
        {L"000", 7, L"007"},
        {L"#", 0, L""},
        {L"#,##0", 1234567, L"1,234,567"},
        {L"#,##0.00", -1234.5, L"-1,234.50"},
        {L"0.000E+00", 12345, L"1.235E+04"},
        {L"0.0E-0", 0.00125, L"1.3E-3"},
        {L"'Level: '0' %'", 42, L"Level: 42 %"},
        {L"\"x\"0", 5, L"x5"},
        {L"0", 1e20, L"100000000000000000000"},
        {L"", 1.5, L"1.5"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST_F(FormatTest, FormatFloatSections)
{
    const wchar_t* const display = L"### ### ##0.00;-### ### ##0.00;0";
    const FloatCase cases[] = {
        {display, -1234.5, L"-1 234.50"},  // the literal between placeholders needs a digit on its left
        {display, 1234.5, L"1 234.50"},
        {display, 1234567.891, L"1 234 567.89"},
        {display, 5, L"5.00"},
        {display, 0, L"0"},
        {display, 0.001, L"0"},            // rounds to zero: the zero section
        {L"0.0;(0.0)", -2.25, L"(2.3)"},
        {L"0.0;(0.0)", -0.04, L"0.0"},     // rounds to zero without a zero section: the positive one
        {L"0;;'zero'", -3, L"-3"},         // an empty negative section takes the positive one
        {L"0;-0;'zero'", 0, L"zero"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST_F(FormatTest, SeparatorsComeFromTheSettings)
{
    FormatSettings.DecimalSeparator = L',';
    FormatSettings.ThousandSeparator = L'.';
    EXPECT_EQ(FormatFloat(L"0.0", 3.25f), L"3,3");
    EXPECT_EQ(FormatFloat(L"#,##0.00", 1234.5), L"1.234,50");
    EXPECT_EQ(FloatToStr(0.5), L"0,5");
    EXPECT_EQ(StrToFloat(L"2,5"), 2.5);
    EXPECT_THROW(StrToFloat(L"2.5"), EConvertError);
}

TEST_F(FormatTest, FloatToStrUsesFifteenDigits)
{
    const FloatCase cases[] = {
        {nullptr, 0, L"0"},        {nullptr, 0.1, L"0.1"},          {nullptr, 1.0 / 3, L"0.333333333333333"},
        {nullptr, -12.5, L"-12.5"}, {nullptr, 1e20, L"1E20"},        {nullptr, 1.5e-6, L"1.5E-6"},
        {nullptr, 123456789012345.0, L"123456789012345"},            {nullptr, 0.0001, L"0.0001"},
        {nullptr, 2.0 / 3, L"0.666666666666667"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.expected) << c.value;
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), L"NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), L"-INF");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 15, 2), L"1234.57");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffNumber, 15, 1), L"1,234.6");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffExponent, 3, 2), L"1.23E+03");
    EXPECT_EQ(FloatToStrF(12.345678, TFloatFormat::ffGeneral, 4, 0), L"12.35");
    EXPECT_EQ(FloatToStrF(1e20, TFloatFormat::ffGeneral, 15, 2), L"1E+20");
    EXPECT_EQ(FloatToStrF(-2.5e-7, TFloatFormat::ffGeneral, 15, 3), L"-2.5E-007");
}

TEST(StrToInt, AcceptsDecimalAndHexWithSignAndLeadingBlanks)
{
    struct Case {
        const wchar_t* text;
        Integer expected;
    };
    const Case good[] = {{L" 12", 12},     {L"+5", 5},          {L"-7", -7},
                         {L"$1F", 31},     {L"0x1F", 31},       {L"0X1f", 31},
                         {L"-$10", -16},   {L"2147483647", INT32_MAX},
                         {L"-2147483648", INT32_MIN},           {L"$FFFFFFFF", -1},
                         {L"007", 7}};
    for (const Case& c : good)
        EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
}

TEST(StrToInt, RejectsEverythingElseWithConvertError)
{
    for (const wchar_t* text : {L"12 ", L"", L" ", L"2147483648", L"-2147483649", L"$", L"0x", L"1.5", L"abc",
                                L"--1", L"$100000000", L"+", L"12a", L"99999999999999999999999"}) {
        EXPECT_THROW(StrToInt(text), EConvertError) << text;
        Integer v = 99;
        EXPECT_FALSE(TryStrToInt(text, v)) << text;
        EXPECT_EQ(StrToIntDef(text, -3), -3) << text;
    }
    try {
        StrToInt(L"12abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message().find(L"12abc"), String::npos);
    }
}

TEST_F(FormatTest, StrToFloatIsTrimmedWithOptionalExponentAndNoGrouping)
{
    EXPECT_EQ(StrToFloat(L" 2.5 "), 2.5);
    EXPECT_EQ(StrToFloat(L"-1e3"), -1000);
    EXPECT_EQ(StrToFloat(L"+.5"), 0.5);
    EXPECT_EQ(StrToFloat(L"5."), 5);
    EXPECT_EQ(StrToFloat(L"1.5E-2"), 0.015);
    EXPECT_EQ(StrToFloat(L"-0.5e+1"), -5);
    for (const wchar_t* text : {L"", L"+", L"-", L"1,000", L"1e", L"e5", L".", L"1.2.3", L"0x10", L"1e999", L"+-1",
                                L"INF", L"NAN", L"1 000"})
        EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    EXPECT_EQ(StrToFloatDef(L"x", 1.25), 1.25);
}

TEST_F(FormatTest, FormatHandlesThePrintfSubset)
{
    EXPECT_EQ(Format(L"%0.2d:%.2d", 5, 12), L"05:12");
    EXPECT_EQ(Format(L"[%5s|%-5s]", L"ab", String(L"cd")), L"[   ab|cd   ]");
    EXPECT_EQ(Format(L"%x %.4x", 255, 255u), L"FF 00FF");
    EXPECT_EQ(Format(L"%.1f %f", 2.25, 1.0), L"2.3 1.00");
    EXPECT_EQ(Format(L"%n", 1234567.891), L"1,234,567.89");
    EXPECT_EQ(Format(L"%g", 0.5), L"0.5");
    EXPECT_EQ(Format(L"%1:s %0:s %s", L"a", L"b"), L"b a b");
    EXPECT_EQ(Format(L"100%%"), L"100%");
    EXPECT_EQ(Format(L"%d", int64_t(-5000000000)), L"-5000000000");
    EXPECT_THROW(Format(L"%d", L"text"), EConvertError);
    EXPECT_THROW(Format(L"%s %s", L"one"), EConvertError);
    EXPECT_THROW(Format(L"%q", 1), EConvertError);
}

TEST(IntToStr, Basics)
{
    EXPECT_EQ(IntToStr(-98), L"-98");
    EXPECT_EQ(IntToHex(0xBC4D, 2), L"BC4D");
    EXPECT_EQ(IntToHex(10, 4), L"000A");
}

TEST(FormatSettings, CommaLocaleGivesCommaSeparator)
{
    // The user locale of the test run decides; only check consistency with the system.
    wchar_t buffer[8];
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    EXPECT_EQ(TFormatSettings::FromUserLocale().DecimalSeparator, buffer[0]);
}

TEST(FilePaths, SplitAtEitherSeparator)
{
    EXPECT_EQ(ExtractFilePath(L"C:\\dir\\sub\\file.ini"), L"C:\\dir\\sub\\");
    EXPECT_EQ(ExtractFileDir(L"C:\\dir\\sub\\file.ini"), L"C:\\dir\\sub");
    EXPECT_EQ(ExtractFileDir(L"C:\\file.ini"), L"C:\\");
    EXPECT_EQ(ExtractFileName(L"C:\\dir/file.tar.gz"), L"file.tar.gz");
    EXPECT_EQ(ExtractFileExt(L"C:\\dir/file.tar.gz"), L".gz");
    EXPECT_EQ(ExtractFileExt(L"C:\\d.ir\\file"), L"");
    EXPECT_EQ(ExtractFileName(L"D:name"), L"name");
    EXPECT_EQ(ChangeFileExt(L"a\\b.png", L".bmp"), L"a\\b.bmp");
    EXPECT_EQ(ChangeFileExt(L"a.d\\b", L".bmp"), L"a.d\\b.bmp");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x"), L"C:\\x\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x");
}

TEST(Files, DirectoriesAndSearch)
{
    const String root = GetCurrentDir() + L"\\rtl_files";
    const String deep = root + L"\\a\\b";
    ASSERT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    HANDLE h = CreateFileW((deep + L"\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "abc", 3, &written, nullptr);
    CloseHandle(h);
    EXPECT_TRUE(FileExists(deep + L"\\f.txt"));

    TSearchRec rec;
    ASSERT_EQ(FindFirst(deep + L"\\*.txt", faAnyFile, rec), 0);
    EXPECT_EQ(rec.Name, L"f.txt");
    EXPECT_EQ(rec.Size, 3);
    EXPECT_NE(FindNext(rec), 0);
    FindClose(rec);

    const String saved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(deep));
    EXPECT_TRUE(FileExists(L"f.txt"));
    EXPECT_EQ(ExpandFileName(L"f.txt"), IncludeTrailingPathDelimiter(GetCurrentDir()) + L"f.txt");
    SetCurrentDir(saved);

    DeleteFileW((deep + L"\\f.txt").c_str());
    EXPECT_TRUE(RemoveDir(deep));
    EXPECT_FALSE(DirectoryExists(deep));
}

TEST(Files, ParamStrZeroIsTheProgram)
{
    EXPECT_EQ(UpperCase(ExtractFileExt(ParamStr(0))), L".EXE");
    EXPECT_EQ(ParamStr(ParamCount() + 1), L"");
}

TEST_F(FormatTest, ExtendedValuesKeepTheirWholeMantissa)
{
    const Extended third = 1.0L / 3;
    EXPECT_EQ(L"0.333333333333333333", FloatToStrF(third, TFloatFormat::ffGeneral, 18, 0));
    EXPECT_EQ(L"0.333333333333333315", FloatToStrF(1.0 / 3, TFloatFormat::ffGeneral, 18, 0)) << "a double's digits";
    // 2^63 + 1 is exact in an extended value and beyond a double.
    const Extended big = 9223372036854775809.0L;
    EXPECT_EQ(L"9,223,372,036,854,775,809", FormatFloat(L"#,##0", big));
    EXPECT_EQ(L"2.063", FormatFloat(L"0.000", 2.0625L)) << "halves away from zero";
    EXPECT_EQ(L"-0.5", FormatFloat(L"0.0;-0.0", -0.5L));

    Extended parsed = 0;
    ASSERT_TRUE(TryStrToFloat(L" 9223372036854775809 ", parsed));
    EXPECT_EQ(big, parsed);
    EXPECT_EQ(1.0L / 10, StrToExtended(L"0.1"));
    EXPECT_NE(static_cast<Extended>(0.1), StrToExtended(L"0.1"));
    for (const wchar_t* text : {L"", L"abc", L"1e99999", L"1,5", L"0x10"})
        EXPECT_FALSE(TryStrToFloat(text, parsed)) << testing::PrintToString(String(text));
    EXPECT_THROW(StrToExtended(L"1.2.3"), EConvertError);

    TFormatSettings comma = TFormatSettings::Invariant();
    comma.DecimalSeparator = L',';
    EXPECT_EQ(2.5L, StrToExtended(L"2,5", comma));
    EXPECT_EQ(L"2,50", FloatToStrF(2.5L, TFloatFormat::ffFixed, 18, 2, comma));
}
