#include "skin/core/Sstoreutils.h"

#include "pump.h"
#include "vcl/registry.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace skin;
using namespace vcl;

namespace {

std::vector<String> Lines(const TStrings& list)
{
    std::vector<String> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

std::unique_ptr<TStringList> NewList(const std::vector<String>& lines)
{
    auto list = std::make_unique<TStringList>();
    for (const String& line : lines)
        list->Add(line);
    return list;
}

// An in-memory INI object over the given lines (no file behind it).
std::unique_ptr<TMemIniFile> NewIni(const std::vector<String>& lines)
{
    auto ini = std::make_unique<TMemIniFile>(L"");
    ini->SetStrings(NewList(lines).get());
    return ini;
}

// A scratch INI file per test in the Windows temporary folder.
class StoreFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        FFile = String(temp) + L"zirv_store_" + IntToStr(GetCurrentProcessId()) + L"_" + FromAnsi(info->name()) +
                L".ini";
    }
    void TearDown() override { DeleteFileW(FFile.c_str()); }

    void WriteFile(const std::vector<String>& lines) const { NewList(lines)->SaveToFile(FFile); }
    // The key names of one section of the file.
    std::vector<String> Keys(const String& section) const
    {
        TStringList keys;
        TIniFile(FFile).ReadSection(section, &keys);
        return Lines(keys);
    }

    String FFile;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// INI keys, string lists and fonts

TEST(StoreIniObject, IntegersGiveTheDefaultOnlyForEmptyValuesAndMinusOneForOtherText)
{
    const auto ini = NewIni({L"[S]", L"Dec=12", L"Hex=$1F", L"Empty=", L"Text=x", L"Mixed=12abc"});
    const struct {
        const wchar_t* Key;
        int Expected;
    } cases[] = {{L"Dec", 12}, {L"Hex", 31}, {L"Empty", 5}, {L"Missing", 5}, {L"Text", -1}, {L"Mixed", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadIniInteger(L"S", c.Key, 5, ini.get()), c.Expected) << ToUtf8(c.Key);
    EXPECT_EQ(ReadIniInteger(L"S", L"Dec", 5, static_cast<TCustomIniFile*>(nullptr)), 0);
    EXPECT_EQ(ReadIniString(L"S", L"Missing", ini.get()), L"");
    EXPECT_EQ(ReadIniString(L"S", L"Dec", static_cast<TCustomIniFile*>(nullptr)), L"");
}

TEST(StoreIniObject, AStringListIsReplacedUnlessItsCountIsZero)
{
    const struct {
        const char* Name;
        std::vector<String> Ini;
        std::vector<String> Expected;
    } cases[] = {
        {"no count", {L"[S]", L"LItem0=a"}, {L"old"}},
        {"count 0", {L"[S]", L"LCount=0", L"LItem0=a"}, {L"old"}},
        {"count not a number", {L"[S]", L"LCount=x", L"LItem0=a"}, {}},
        {"two items, the third ignored", {L"[S]", L"LCount=2", L"LItem0=a", L"LItem1=b", L"LItem2=c"}, {L"a", L"b"}},
        {"a missing item reads empty", {L"[S]", L"LCount=2", L"LItem1=b"}, {L"", L"b"}},
        {"a count past the items reads those there",
         {L"[S]", L"LCount=2000000000", L"LItem0=a", L"LItem1=b", L"LItem01=x", L"LItemX=y"},
         {L"a", L"b"}},
        {"a count past the items of an empty section empties the list", {L"[S]", L"LCount=99"}, {}},
    };
    for (const auto& c : cases) {
        const auto list = NewList({L"old"});
        ReadIniStrings(list.get(), L"S", L"L", NewIni(c.Ini).get());
        EXPECT_EQ(Lines(*list), c.Expected) << c.Name;
    }
}

TEST(StoreIniObject, AStringListWrittenReadsBackWithItsKeys)
{
    TMemIniFile ini(L"");
    WriteIniStrings(L"S", L"P", NewList({L"one", L"two = 2"}).get(), &ini);
    EXPECT_EQ(ini.ReadString(L"S", L"PCount", L""), L"2");
    EXPECT_EQ(ini.ReadString(L"S", L"PItem1", L""), L"two = 2");
    TStringList list;
    ReadIniStrings(&list, L"S", L"P", &ini);
    EXPECT_EQ(Lines(list), (std::vector<String>{L"one", L"two = 2"}));
}

TEST(StoreIniObject, AFontRoundTripsAndReadingNeverTakesAStyleAway)
{
    TFont written;
    written.SetName(L"Courier New");
    written.SetSize(14);
    written.SetColor(TColor(0x123456));
    written.SetStyle(TFontStyles{TFontStyle::fsItalic, TFontStyle::fsStrikeOut});
    TMemIniFile ini(L"");
    WriteIniFont(L"Fonts", L"Title", &written, &ini);
    EXPECT_EQ(ini.ReadString(L"Fonts", L"Title_Color", L""), IntToStr(0x123456));
    EXPECT_EQ(ini.ReadString(L"Fonts", L"Title_Bold", L""), L"0");
    EXPECT_EQ(ini.ReadString(L"Fonts", L"Title_Italic", L""), L"1");

    TFont read;
    read.SetStyle(TFontStyles{TFontStyle::fsBold});
    ReadIniFont(L"Fonts", L"Title", &read, &ini);
    EXPECT_EQ(read.Name(), L"Courier New");
    EXPECT_EQ(read.Size(), 14);
    EXPECT_EQ(read.Color(), TColor(0x123456));
    EXPECT_EQ(read.Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsStrikeOut}))
        << "_Bold 0 leaves a bold font bold";
}

TEST(StoreIniObject, AFontReadFromNothingTakesTheDefaults)
{
    TFont font;
    font.SetName(L"Arial");
    font.SetSize(20);
    font.SetColor(clRed);
    TMemIniFile ini(L"");
    ReadIniFont(L"Fonts", L"Title", &font, &ini);
    EXPECT_EQ(font.Color(), TColor(0));
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Name(), L"Arial") << "a font refuses the empty name";
    EXPECT_TRUE(font.Style().Empty());
}

TEST_F(StoreFileTest, FileFormsReadAndWriteTheFile)
{
    WriteFile({L"[Other]", L"Keep=1", L"[S]", L"Number=x"});
    EXPECT_EQ(ReadIniInteger(L"S", L"Number", 5, FFile), -1);
    EXPECT_EQ(ReadIniInteger(L"S", L"Missing", 5, FFile), 5);
    EXPECT_EQ(ReadIniString(L"S", L"Missing", FFile), L"");

    WriteIniStr(L"S", L"Name", L"value", FFile);
    EXPECT_EQ(ReadIniString(L"S", L"Name", FFile), L"value");

    WriteIniStrings(L"S", L"L", FFile, NewList({L"a", L"b"}).get());
    TStringList list;
    ReadIniStrings(&list, L"S", L"L", FFile);
    EXPECT_EQ(Lines(list), (std::vector<String>{L"a", L"b"}));
    EXPECT_EQ(ReadIniString(L"Other", L"Keep", FFile), L"1") << "the rest of the file stays";
}

// ---------------------------------------------------------------------------------------------
// Registry values

TEST(StoreRegistry, ValuesAreWrittenReadAndDeleted)
{
    const String path = L"Software\\ZirvaneTests\\Store" + IntToStr(GetCurrentProcessId()) + L"\\Deep";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, path, L"Name"), L"");
    WriteRegString(HKEY_CURRENT_USER, path, L"Name", L"Zirvane");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, path, L"Name"), L"Zirvane");
    WriteRegInteger(path, L"Count", -5);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(L"\\" + path));
    EXPECT_EQ(registry.ReadInteger(L"Count"), -5) << "stored as a number";
    registry.CloseKey();

    DeleteRegParam(HKEY_CURRENT_USER, path, L"Name");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, path, L"Name"), L"");
    DeleteRegParam(HKEY_CURRENT_USER, path, L"Name");
    EXPECT_TRUE(registry.DeleteKey(L"\\Software\\ZirvaneTests\\Store" + IntToStr(GetCurrentProcessId())));
}

// ---------------------------------------------------------------------------------------------
// INI text in a string list

TEST(StoreIniText, ASectionEndsAtAnEmptyLineAHeaderOrTheEnd)
{
    const auto source = NewList({L"[a]", L"x=1", L"y=2", L"", L"z=3", L"[A]", L" w", L"[b]", L"k=1", L" [c]",
                                 L"[c]", L"m=1"});
    const struct {
        const wchar_t* Section;
        std::vector<String> Expected;
    } cases[] = {
        {L"a", {L"x=1", L"y=2"}},
        {L"A", {L" w"}},
        {L"b", {L"k=1", L" [c]"}},
        {L"c", {L"m=1"}},
        {L"missing", {}},
    };
    for (const auto& c : cases) {
        const auto target = NewList({L"stale"});
        ReadSection(source.get(), target.get(), c.Section);
        EXPECT_EQ(Lines(*target), c.Expected) << ToUtf8(c.Section);
    }
}

TEST(StoreIniText, AValueIsTheSecondWordOfTheFirstMatchingLineAfterTheHeader)
{
    const auto list = NewList({L"early=0", L"[MAIN]", L"", L"name = Zirv ", L"size=3", L"a==b", L"[OTHER]",
                               L"late=yes", L"size=9", L"bare"});
    const struct {
        const wchar_t* Section;
        const wchar_t* Key;
        const wchar_t* Expected;
    } cases[] = {
        {L"Main", L"name", L" Zirv "},  // the first word ends at the blank, the value keeps its blanks
        {L"Main", L"size", L"3"},       // the first match wins
        {L"Main", L"a", L"b"},          // a run of "=" separates once
        {L"Main", L"late", L"yes"},     // found in a later section
        {L"Main", L"early", L""},       // lines before the header do not count
        {L"Main", L"bare", L""},        // no second word
        {L"Main", L"Name", L""},        // keys compare exactly
        {L"Other", L"size", L"9"},
        {L"Missing", L"size", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadValue(list.get(), c.Section, c.Key), c.Expected) << ToUtf8(c.Section) << "." << ToUtf8(c.Key);

    // The header is looked for in upper case only.
    EXPECT_EQ(ReadValue(NewList({L"[Main]", L"size=3"}).get(), L"Main", L"size"), L"");
}

// ---------------------------------------------------------------------------------------------
// Form placement

namespace {

class PlacementTest : public StoreFileTest {
protected:
    void SetUp() override
    {
        StoreFileTest::SetUp();
        testsupport::InitializeApplication();
        FForm = Create<TForm>(nullptr);
        FForm->SetName(L"Placed");
        FForm->SetBounds(10, 20, 300, 200);
    }
    void TearDown() override
    {
        FForm->Free();
        StoreFileTest::TearDown();
    }
    TRect Bounds() const { return FForm->BoundsRect(); }

    TForm* FForm = nullptr;
};

}  // namespace

TEST_F(PlacementTest, OnlyANormalFormStoresItsPosition)
{
    SaveFormPlacement(FForm, FFile);
    EXPECT_EQ(Keys(L"Placed"), (std::vector<String>{L"Left", L"Top", L"Width", L"Height", L"State"}));
    EXPECT_EQ(ReadIniString(L"Placed", L"Width", FFile), L"300");
    EXPECT_EQ(ReadIniString(L"Placed", L"State", FFile), L"0");

    for (const auto& [state, stored] : {std::pair{TWindowState::wsMinimized, L"1"},
                                        std::pair{TWindowState::wsMaximized, L"2"}}) {
        DeleteFileW(FFile.c_str());
        FForm->SetWindowState(state);
        SaveFormPlacement(FForm, FFile);
        EXPECT_EQ(Keys(L"Placed"), (std::vector<String>{L"State"}));
        EXPECT_EQ(ReadIniString(L"Placed", L"State", FFile), stored);
    }
}

TEST_F(PlacementTest, ANormalStateRestoresTheStoredBoundsThatArePresent)
{
    WriteFile({L"[Placed]", L"State=0", L"Left=50", L"Top=-1", L"Width=x", L"Height=120"});
    FForm->SetWindowState(TWindowState::wsMaximized);
    RestoreFormPlacement(FForm, FFile);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(Bounds(), TRect(50, 20, 50 + 300, 20 + 120));
}

TEST_F(PlacementTest, OtherStatesChangeNothingButTheStateItself)
{
    const struct {
        const wchar_t* State;
        TWindowState Expected;
    } cases[] = {
        {L"State=2", TWindowState::wsMaximized},
        {L"State=1", TWindowState::wsMinimized},
        {L"Missing=1", TWindowState::wsNormal},
        {L"State=3", TWindowState::wsNormal},
        {L"State=x", TWindowState::wsNormal},
    };
    for (const auto& c : cases) {
        FForm->SetWindowState(TWindowState::wsNormal);
        WriteFile({L"[Placed]", c.State, L"Left=50", L"Top=60", L"Width=70", L"Height=80"});
        RestoreFormPlacement(FForm, FFile);
        EXPECT_EQ(FForm->WindowState(), c.Expected) << ToUtf8(c.State);
        EXPECT_EQ(Bounds(), TRect(10, 20, 310, 220)) << ToUtf8(c.State);
    }
}
