#include "vcl/inifiles.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

using namespace vcl;

namespace {

// A fresh scratch directory per test in the Windows temporary folder.
class IniFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        FDir = String(temp) + L"zirv_ini_" + IntToStr(GetCurrentProcessId()) + L"_" + FromAnsi(info->name());
        ForceDirectories(FDir);
    }

    void TearDown() override
    {
        for (const wchar_t* name : {L"\\a.ini", L"\\b.ini"})
            DeleteFileW((FDir + name).c_str());
        RemoveDir(FDir);
    }

    String Path(const String& name) const { return FDir + L"\\" + name; }

    void WriteText(const String& name, const String& text) const
    {
        TStringList lines;
        lines.SetText(text);
        lines.SaveToFile(Path(name));
    }

    String ReadText(const String& name) const
    {
        TStringList lines;
        lines.LoadFromFile(Path(name));
        return lines.Text();
    }

    String FDir;
};

std::unique_ptr<TStringList> NewList(std::initializer_list<const wchar_t*> lines)
{
    auto list = std::make_unique<TStringList>();
    for (const wchar_t* line : lines)
        list->Add(line);
    return list;
}

String Joined(const TStrings& list)
{
    String text;
    for (int i = 0; i < list.Count(); ++i)
        text += (i ? L"|" : L"") + list.Strings(i);
    return text;
}

}  // namespace

TEST_F(IniFileTest, ReadIntegerGivesTheDefaultForAnythingButAnInteger)
{
    WriteText(L"a.ini", L"[General]\nPlain=12\nTrailing=12abc\nEmpty=\nHex=$1F\nCHex=0x1F\nSigned=-7\nHuge=2147483648\n");
    TIniFile ini(Path(L"a.ini"));
    const struct {
        const wchar_t* key;
        Integer expected;
    } cases[] = {
        {L"Plain", 12}, {L"Trailing", 99}, {L"Empty", 99}, {L"Hex", 31},     {L"CHex", 31},
        {L"Signed", -7}, {L"Huge", 99},    {L"Missing", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadInteger(L"General", c.key, 99), c.expected) << ToUtf8(c.key);
}

TEST_F(IniFileTest, ReadFloatUsesTheDecimalSeparatorOfTheNumberFormat)
{
    WriteText(L"a.ini", L"[Info]\nDot=2.5\nComma=2,5\nWord=new\n");
    TIniFile ini(Path(L"a.ini"));
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = L'.';
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"Info", L"Dot", 2.0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"Info", L"Comma", 2.0), 2.0);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"Info", L"Word", 2.0), 2.0);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"Info", L"Missing", 2.0), 2.0);
    FormatSettings.DecimalSeparator = L',';
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"Info", L"Comma", 2.0), 2.5);
    FormatSettings = saved;
}

TEST_F(IniFileTest, AWriteIsOnDiskAtOnceAndCreatesFileAndSection)
{
    TIniFile ini(Path(L"a.ini"));
    ini.WriteInteger(L"General", L"Language", 3);
    EXPECT_EQ(ReadText(L"a.ini"), L"[General]\r\nLanguage=3\r\n");
    ini.WriteInteger(L"General", L"Language", 11);
    EXPECT_EQ(ReadText(L"a.ini"), L"[General]\r\nLanguage=11\r\n");
    EXPECT_EQ(ini.ReadInteger(L"General", L"Language", 0), 11);
}

TEST_F(IniFileTest, ProfileSectionsAndKeysInFileOrder)
{
    WriteText(L"a.ini", L"[Zeta]\nb=1\na=2\n[Alpha]\nc=3\n");
    TIniFile ini(Path(L"a.ini"));
    auto list = NewList({L"stale"});
    ini.ReadSections(list.get());
    EXPECT_EQ(Joined(*list), L"Zeta|Alpha");
    ini.ReadSection(L"Zeta", list.get());
    EXPECT_EQ(Joined(*list), L"b|a");
    ini.ReadSection(L"Missing", list.get());
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(ini.ReadString(L"Alpha", L"c", L""), L"3");
    EXPECT_EQ(ini.ReadString(L"Alpha", L"d", L"none"), L"none");
}

TEST_F(IniFileTest, WritesToAnUnwritablePathRaise)
{
    const String missingDir = Path(L"no such folder\\a.ini");
    TIniFile ini(missingDir);
    EXPECT_THROW(ini.WriteInteger(L"General", L"Language", 3), EIniFileException);
    TMemIniFile mem(missingDir);
    mem.WriteString(L"General", L"Language", L"3");
    EXPECT_THROW(mem.UpdateFile(), EIniFileException);
}

// The parse rules of INI text held in memory, on one text that exercises each of them.
TEST_F(IniFileTest, MemIniFileParseRules)
{
    WriteText(L"a.ini",
              L"Orphan=before any section\n"
              L"; a comment\n"
              L"[First]\n"
              L"  Key = value with blanks  \n"
              L"Formula=a=b\n"
              L"no equals sign\n"
              L"   ;Hidden=1\n"
              L"Key=second key of that name\n"
              L"\n"
              L"[ Second ]\n"
              L"Quoted=\"12\"\n"
              L"[first]\n"
              L"Key=repeated section\n"
              L"Extra=only here\n");
    TMemIniFile ini(Path(L"a.ini"));
    auto list = std::make_unique<TStringList>();

    EXPECT_EQ(ini.ReadString(L"First", L"Key", L"-"), L"value with blanks");
    EXPECT_EQ(ini.ReadString(L"FIRST", L"KEY", L"-"), L"value with blanks");
    EXPECT_EQ(ini.ReadString(L"First", L"Formula", L"-"), L"a=b");
    EXPECT_EQ(ini.ReadString(L"First", L"no equals sign", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"First", L";Hidden", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"First", L"Extra", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"Second", L"Quoted", L"-"), L"\"12\"");
    EXPECT_EQ(ini.ReadString(L"", L"Orphan", L"-"), L"-");
    ini.ReadSections(list.get());
    EXPECT_EQ(Joined(*list), L"First|Second");
    ini.ReadSection(L"first", list.get());
    EXPECT_EQ(Joined(*list), L"Key|Formula");

    ini.SetCaseSensitive(true);
    EXPECT_EQ(ini.ReadString(L"FIRST", L"Key", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"first", L"Key", L"-"), L"repeated section");
    EXPECT_EQ(ini.ReadString(L"first", L"Extra", L"-"), L"only here");
    ini.ReadSections(list.get());
    EXPECT_EQ(Joined(*list), L"First|Second|first");
}

TEST_F(IniFileTest, MemIniFileWritesBackOnlyOnUpdateFile)
{
    WriteText(L"a.ini", L"[First]\nKey=1\n[first]\nKey=2\n");
    TMemIniFile ini(Path(L"a.ini"));
    ini.WriteInteger(L"FIRST", L"Key", 5);
    ini.WriteString(L"New", L"Name", L"value");
    EXPECT_EQ(ReadText(L"a.ini"), L"[First]\r\nKey=1\r\n[first]\r\nKey=2\r\n");
    ini.UpdateFile();
    EXPECT_EQ(ReadText(L"a.ini"), L"[First]\r\nKey=5\r\n\r\n[first]\r\nKey=2\r\n\r\n[New]\r\nName=value\r\n");

    TMemIniFile missing(Path(L"b.ini"));
    auto list = NewList({L"stale"});
    missing.ReadSections(list.get());
    EXPECT_EQ(list->Count(), 0);
    EXPECT_FALSE(FileExists(Path(L"b.ini")));
}

TEST_F(IniFileTest, MemIniFileOverTextInAList)
{
    TMemIniFile ini(Path(L"never written.tmp"));
    auto text = NewList({L"[GLOBALINFO]", L"Version=$10", L"[Button]", L"Color=12abc"});
    ini.SetStrings(text.get());
    EXPECT_EQ(ini.ReadInteger(L"GLOBALINFO", L"Version", 0), 16);
    EXPECT_EQ(ini.ReadInteger(L"Button", L"Color", -1), -1);
    auto back = std::make_unique<TStringList>();
    ini.GetStrings(back.get());
    EXPECT_EQ(Joined(*back), L"[GLOBALINFO]|Version=$10||[Button]|Color=12abc");
}
