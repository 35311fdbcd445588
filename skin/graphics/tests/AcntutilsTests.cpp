// The general helpers: rectangles, clamping, words, strings, numbers in text and INI text.
#include <gtest/gtest.h>

#include <memory>

#include "skin/graphics/Acntutils.h"
#include "vcl/sysutils.h"

namespace skin::test {
namespace {

using vcl::TRect;

TEST(Rectangles, WidthHeightAndTests)
{
    EXPECT_EQ(WidthOf(TRect(10, 0, 4, 5)), -6);
    EXPECT_EQ(WidthOf(TRect(10, 0, 4, 5), true), 0);
    EXPECT_EQ(HeightOf(TRect(10, 0, 4, 5)), 5);
    EXPECT_EQ(HeightOf(TRect(10, 0, 4, 5), true), 5);
    EXPECT_TRUE(RectIsVisible(TRect(0, 0, 5, 5), TRect(4, 4, 9, 9)));
    EXPECT_FALSE(RectIsVisible(TRect(0, 0, 5, 5), TRect(5, 0, 9, 9)));
    EXPECT_FALSE(RectIsVisible(TRect(0, 0, 5, 5), TRect(1, 1, 1, 3)));
    EXPECT_TRUE(RectInRect(TRect(0, 0, 5, 5), TRect(0, 0, 5, 5)));
    EXPECT_FALSE(RectInRect(TRect(0, 0, 5, 5), TRect(0, 0, 6, 5)));
    EXPECT_EQ(RotateRect(TRect(1, 2, 3, 4)), TRect(2, 1, 4, 3));
    EXPECT_EQ(RectsAnd(TRect(0, 0, 5, 5), TRect(7, 1, 9, 3)), TRect(7, 1, 5, 3));
}

TEST(Clamping, BoundsInEitherOrderLowerBoundFirst)
{
    EXPECT_TRUE(Between(5, 10, 0));
    EXPECT_TRUE(Between(10, 10, 10));
    EXPECT_FALSE(Between(11, 10, 0));
    EXPECT_EQ(LimitIt(5, 10, 0), 10);
    EXPECT_EQ(LimitIt(-3, 0, 8), 0);
    EXPECT_EQ(LimitIt(9, 0, 8), 8);
    EXPECT_EQ(IntToByte(300), 255);
    EXPECT_EQ(IntToByte(-4), 0);
    EXPECT_EQ(iffi(false, 1, 2), 2);
    int a = 1, b = 2;
    Changei(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST(Words, RunsOfDelimitersAndNoQuoting)
{
    const TSysCharSet semicolon = {';'};
    EXPECT_EQ(WordCount(";;a;;b;", semicolon), 2);
    EXPECT_EQ(ExtractWord(2, ";;a;;b;", semicolon), "b");
    EXPECT_EQ(ExtractWord(3, ";;a;;b;", semicolon), "");
    EXPECT_EQ(WordPosition(2, ";;a;;b;", semicolon), 6);
    EXPECT_EQ(WordPosition(0, "a", semicolon), 0);
    EXPECT_EQ(WordCount("", semicolon), 0);
    EXPECT_EQ(WordCount(";;;", semicolon), 0);
    const TSysCharSet comma = {','};
    EXPECT_EQ(WordCount("a\",\"b", comma), 2);
    EXPECT_EQ(ExtractWord(2, "a\",\"b", comma), "\"b");
}

TEST(Words, WideTextTestsLowBytesUpTo044F)
{
    const TSysCharSet blank = {' '};
    EXPECT_EQ(acWordCount(L"a\u0420b", blank), 2);
    EXPECT_EQ(acWordCount(L"a\u0520b", blank), 1);
    EXPECT_EQ(acWordPosition(2, L"a\u0420b", blank), 3);
}

TEST(Strings, BlanksCharactersAndReplacing)
{
    EXPECT_EQ(MakeStr('x', 3), "xxx");
    EXPECT_EQ(MakeStr('x', -1), "");
    vcl::String s = L"old";
    acFillString(s, 2, L'z');
    EXPECT_EQ(s, L"zz");
    acFillString(s, 0, L'z');
    EXPECT_EQ(s, L"");
    EXPECT_EQ(DelESpace(L"  a b  "), L"  a b");
    EXPECT_EQ(DelBSpace(L"  a b  "), L"a b  ");
    EXPECT_EQ(DelRSpace(L" \ta "), L"\ta");
    EXPECT_EQ(DelChars(L"a-b-c", L'-'), L"abc");
    EXPECT_EQ(ReplaceStr(L"aXa", L"a", L"aa"), L"aaXaa");
    EXPECT_EQ(ReplaceStr(L"abc", L"", L"z"), L"abc");
}

TEST(Numbers, HexToInt)
{
    EXPECT_EQ(HexToInt("ffh"), 255);
    EXPECT_EQ(HexToInt("1G"), 0);
    EXPECT_EQ(HexToInt(""), 0);
    EXPECT_EQ(HexToInt("FF00FF"), 0xFF00FF);
    EXPECT_EQ(HexToInt("10000000000000001"), 1);  // 64-bit wrap
}

// Separators of a test: comma for thousands, full stop for decimals, restored afterwards.
class LocaleNumbers : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = vcl::FormatSettings;
        vcl::FormatSettings.ThousandSeparator = L',';
        vcl::FormatSettings.DecimalSeparator = L'.';
    }
    void TearDown() override { vcl::FormatSettings = FSaved; }

private:
    vcl::TFormatSettings FSaved;
};

TEST_F(LocaleNumbers, FormatFloatStrGroupsTheIntegerPart)
{
    EXPECT_EQ(FormatFloatStr("-1234567.5", true), "-1,234,567.5");
    EXPECT_EQ(FormatFloatStr("-1234567.5", false), "-1234567.5");
    EXPECT_EQ(FormatFloatStr("123456", true), "123,456");
    EXPECT_EQ(FormatFloatStr("+12345e3", true), "+12,345e3");
}

TEST_F(LocaleNumbers, IsValidFloat)
{
    double v = 0;
    EXPECT_TRUE(IsValidFloat("1.5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(IsValidFloat("-2e3", v));
    EXPECT_EQ(v, -2000);
    EXPECT_FALSE(IsValidFloat("1,5", v));
    EXPECT_FALSE(IsValidFloat("", v));
    EXPECT_FALSE(IsValidFloat("1.2.3", v));
}

// An INI text read into sections that the test owns.
class IniText : public ::testing::Test {
protected:
    void Read(std::initializer_list<const wchar_t*> lines)
    {
        vcl::TStringList text;
        for (const wchar_t* line : lines)
            text.Add(line);
        FSections.SetOwnsObjects(true);
        FSections.SetCaseSensitive(true);
        GetIniSections(&text, &FSections);
    }
    vcl::TStringList FSections;
};

TEST_F(IniText, SectionsKeepTheirLinesUntrimmed)
{
    Read({L"before=1", L"[A]", L"k=1", L" [B]", L"; note", L"", L"K2 = 5", L"[]", L"x=2"});
    ASSERT_EQ(FSections.Count(), 2);
    EXPECT_EQ(FSections.Strings(0), L"A");
    EXPECT_EQ(FSections.Strings(1), L"");
    auto* a = dynamic_cast<vcl::TStrings*>(FSections.Objects(0));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Text(), L"k=1\r\n [B]\r\nK2 = 5\r\n");
    EXPECT_EQ(ReadIniString(&FSections, L"A", L"K", L"d"), L"1");
    EXPECT_EQ(ReadIniString(&FSections, L"A", L"K2", L"d"), L"d");
    EXPECT_EQ(ReadIniString(&FSections, L"a", L"k", L"d"), L"d");
    EXPECT_EQ(ReadIniString(&FSections, L"", L"x", L"d"), L"2");
}

TEST_F(IniText, EmptyValueIsNotTheDefault)
{
    Read({L"[S]", L"e=", L"e=second"});
    EXPECT_EQ(ReadIniString(&FSections, L"S", L"e", L"d"), L"");
}

TEST_F(IniText, IntegersDecimalAndHexadecimal)
{
    Read({L"[S]", L"hex=0x1F", L"neg=-1", L"short=0X", L"junk=12abc", L"empty="});
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"hex", 7), 31);
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"neg", 7), -1);
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"short", 7), 7);
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"junk", 7), 7);
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"empty", 7), 7);
    EXPECT_EQ(ReadIniInteger(&FSections, L"S", L"missing", 7), 7);
}

}  // namespace
}  // namespace skin::test

namespace skin::test {
namespace {

TEST(Paths, NormalDirEndsInOneBackslash)
{
    EXPECT_EQ(NormalDir(L"D"), L"D:\\");
    EXPECT_EQ(NormalDir(L"a/"), L"a\\");
    EXPECT_EQ(NormalDir(L"a\\"), L"a\\");
    EXPECT_EQ(NormalDir(L"skins"), L"skins\\");
    EXPECT_EQ(NormalDir(L""), L"");
}

TEST(Paths, AppPathHoldsTheRunningProgram)
{
    const vcl::String path = GetAppPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((path + L"skin_graphics_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SystemSettings, VersionAndProcessKind)
{
    EXPECT_TRUE(IsNTFamily());
    EXPECT_FALSE(IsWOW64Proc());  // a 64-bit process
    EXPECT_FALSE(acGlowDisabled);
    EXPECT_FALSE(IsIDERunning());
}

TEST(SystemSettings, TitleFontIsTheCaptionFont)
{
    const int height = GetCaptionFontSize();
    EXPECT_NE(height, 0);
    const HFONT font = acGetTitleFont();
    ASSERT_NE(font, nullptr);
    LOGFONTW lf = {};
    GetObjectW(font, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, height);
    DeleteObject(font);
}

}  // namespace
}  // namespace skin::test

namespace skin::test {
namespace {

TEST(Messages, MakeMessageKeepsTheFourValues)
{
    const vcl::TMessage m = MakeMessage(0xA100, WPARAM(0x12345678ABCDull), LPARAM(-7), LRESULT(99));
    EXPECT_EQ(m.Msg, 0xA100u);
    EXPECT_EQ(m.WParam, WPARAM(0x12345678ABCDull));
    EXPECT_EQ(m.LParam, LPARAM(-7));
    EXPECT_EQ(m.Result, LRESULT(99));
}

TEST(Files, IconForAFileThatExistsOnly)
{
    const auto icon = GetIconForFile(GetAppPath() + L"skin_graphics_tests.exe", SHGFI_SMALLICON);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->HandleAllocated());
    EXPECT_EQ(GetIconForFile(GetAppPath() + L"no such file.exe", SHGFI_SMALLICON), nullptr);
}

// A window that counts the messages it is sent.
LRESULT CALLBACK CountingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_APP)
        ++*reinterpret_cast<int*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TEST(Delay, ProcessesPendingMessagesAndWaits)
{
    WNDCLASSW cls = {};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DelayCounter";
    RegisterClassW(&cls);
    const HWND wnd = CreateWindowW(L"DelayCounter", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    int count = 0;
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));
    PostMessageW(wnd, WM_APP, 0, 0);
    Delay(0);
    EXPECT_EQ(count, 1);
    const DWORD start = GetTickCount();
    Delay(30);
    EXPECT_GE(GetTickCount() - start, 30u);
    DestroyWindow(wnd);
}

}  // namespace
}  // namespace skin::test
