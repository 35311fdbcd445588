#include "vcl/registry.h"
#include "vcl/registryini.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace vcl;

namespace {

// Each test works below its own key under HKEY_CURRENT_USER (test executables may run at once).
class RegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        FKey = L"\\Software\\ZirvaneTests\\" + IntToStr(GetCurrentProcessId());
        ASSERT_TRUE(FReg.OpenKey(FKey, true));
    }

    void TearDown() override
    {
        FReg.CloseKey();
        FReg.DeleteKey(FKey);
    }

    TRegistry FReg;
    String FKey;
};

// The names in a list, sorted: the system decides the order of values and keys.
std::vector<String> SortedNames(const TStrings& list)
{
    std::vector<String> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Strings(i));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(RegistryTest, ReadsKeepTheirTypes)
{
    FReg.WriteString(L"Port", L"COM3");
    FReg.WriteInteger(L"Count", -98);
    EXPECT_EQ(FReg.ReadString(L"Port"), L"COM3");
    EXPECT_EQ(FReg.ReadInteger(L"Count"), -98);
    EXPECT_EQ(FReg.ReadString(L"Missing"), L"");
    EXPECT_THROW(FReg.ReadString(L"Count"), ERegistryException);
    EXPECT_THROW(FReg.ReadInteger(L"Port"), ERegistryException);
    EXPECT_THROW(FReg.ReadInteger(L"Missing"), ERegistryException);
    EXPECT_TRUE(FReg.ValueExists(L"Port"));
    EXPECT_TRUE(FReg.DeleteValue(L"Port"));
    EXPECT_FALSE(FReg.ValueExists(L"Port"));
}

TEST_F(RegistryTest, NameListsAreClearedFirst)
{
    FReg.WriteString(L"Serial1", L"COM3");
    FReg.WriteString(L"Serial0", L"COM1");
    ASSERT_TRUE(FReg.OpenKey(L"Child", true));
    EXPECT_EQ(FReg.CurrentPath(), FKey.substr(1) + L"\\Child");
    ASSERT_TRUE(FReg.OpenKey(FKey, false));

    TStringList list;
    list.Add(L"stale");
    FReg.GetValueNames(&list);
    EXPECT_EQ(SortedNames(list), (std::vector<String>{L"Serial0", L"Serial1"}));
    FReg.GetKeyNames(&list);
    EXPECT_EQ(SortedNames(list), (std::vector<String>{L"Child"}));

    // A key that does not open leaves no key open, and the lists come back empty.
    EXPECT_FALSE(FReg.OpenKeyReadOnly(FKey + L"\\Missing"));
    FReg.CloseKey();
    FReg.GetValueNames(&list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(FReg.ReadString(L"Serial0"), L"");
}

TEST_F(RegistryTest, PathsWithABackslashStartAtTheRoot)
{
    // Relative to the open key.
    ASSERT_TRUE(FReg.OpenKey(L"Child", true));
    ASSERT_TRUE(FReg.OpenKey(L"Grandchild", true));
    EXPECT_EQ(FReg.CurrentPath(), FKey.substr(1) + L"\\Child\\Grandchild");
    // From the root, whatever key is open.
    EXPECT_TRUE(FReg.KeyExists(FKey + L"\\Child"));
    EXPECT_FALSE(FReg.KeyExists(L"Child"));
    ASSERT_TRUE(FReg.OpenKeyReadOnly(FKey + L"\\Child"));
    EXPECT_TRUE(FReg.KeyExists(L"Grandchild"));

    // A read-only key refuses writes.
    EXPECT_THROW(FReg.WriteString(L"Name", L"value"), ERegistryException);

    FReg.CloseKey();
    EXPECT_TRUE(FReg.DeleteKey(FKey + L"\\Child"));
    EXPECT_FALSE(FReg.KeyExists(FKey + L"\\Child"));
    EXPECT_FALSE(FReg.DeleteKey(L"\\"));
}

TEST_F(RegistryTest, AnotherRootClosesTheKey)
{
    FReg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(FReg.CurrentKey(), nullptr);
    EXPECT_TRUE(FReg.OpenKeyReadOnly(L"\\Software"));
    FReg.SetRootKey(HKEY_CURRENT_USER);
}

namespace {

// Each test's sections live below a key of its own under HKEY_CURRENT_USER.
class RegistryIniTest : public testing::Test {
protected:
    void TearDown() override
    {
        TRegistry registry;
        registry.DeleteKey(L"\\" + FKey);
    }

    // The value type the registry holds for Section\Ident.
    DWORD StoredType(const String& Section, const String& Ident) const
    {
        HKEY key = nullptr;
        DWORD type = REG_NONE;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (FKey + L"\\" + Section).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegQueryValueExW(key, Ident.c_str(), nullptr, &type, nullptr, nullptr);
            RegCloseKey(key);
        }
        return type;
    }

    const String FKey = L"Software\\ZirvaneTests\\Ini" + IntToStr(GetCurrentProcessId());
    TRegistryIniFile FIni{FKey};
};

}  // namespace

TEST_F(RegistryIniTest, TextAndNumbersKeepTheirRegistryTypes)
{
    FIni.WriteString(L"Port", L"Name", L"COM3");
    FIni.WriteString(L"Port", L"Text12", L"12");
    FIni.WriteInteger(L"Port", L"Count", -98);
    EXPECT_EQ(StoredType(L"Port", L"Name"), DWORD(REG_SZ));
    EXPECT_EQ(StoredType(L"Port", L"Count"), DWORD(REG_DWORD));

    EXPECT_EQ(FIni.ReadString(L"Port", L"Name", L"d"), L"COM3");
    EXPECT_EQ(FIni.ReadString(L"Port", L"Count", L"d"), L"-98");
    EXPECT_EQ(FIni.ReadInteger(L"Port", L"Count", 7), -98);
    EXPECT_EQ(FIni.ReadInteger(L"Port", L"Text12", 7), 12);
    EXPECT_EQ(FIni.ReadInteger(L"Port", L"Name", 7), 7);
    // Missing values and missing sections give the default and create nothing.
    EXPECT_EQ(FIni.ReadString(L"Port", L"Missing", L"d"), L"d");
    EXPECT_EQ(FIni.ReadInteger(L"Nowhere", L"Count", 7), 7);
    EXPECT_FALSE(TRegistry().KeyExists(L"\\" + FKey + L"\\Nowhere"));

    const BYTE bytes[] = {1, 2};
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (FKey + L"\\Port").c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"Blob", 0, REG_BINARY, bytes, sizeof(bytes));
    RegCloseKey(key);
    EXPECT_THROW(FIni.ReadString(L"Port", L"Blob", L"d"), ERegistryException);
    EXPECT_THROW(FIni.ReadInteger(L"Port", L"Blob", 7), ERegistryException);
}

TEST_F(RegistryIniTest, SectionsAreSubkeysAndKeysAreTheirValues)
{
    FIni.WriteString(L"First", L"A", L"1");
    FIni.WriteInteger(L"First", L"B", 2);
    FIni.WriteString(L"Second", L"C", L"3");

    TStringList list;
    list.Add(L"stale");
    FIni.ReadSections(&list);
    EXPECT_EQ(SortedNames(list), (std::vector<String>{L"First", L"Second"}));
    FIni.ReadSection(L"First", &list);
    EXPECT_EQ(SortedNames(list), (std::vector<String>{L"A", L"B"}));
    FIni.ReadSection(L"Nowhere", &list);
    EXPECT_EQ(list.Count(), 0);

    FIni.DeleteKey(L"First", L"A");
    FIni.DeleteKey(L"First", L"Missing");
    FIni.DeleteKey(L"Nowhere", L"A");
    FIni.ReadSection(L"First", &list);
    EXPECT_EQ(SortedNames(list), (std::vector<String>{L"B"}));
    EXPECT_FALSE(TRegistry().KeyExists(L"\\" + FKey + L"\\Nowhere"));
}

TEST_F(RegistryIniTest, AnEmptyFileNameMakesSectionsPathsFromTheRoot)
{
    TRegistryIniFile fromRoot(L"", HKEY_CURRENT_USER);
    fromRoot.WriteString(FKey + L"\\Deep", L"Name", L"value");
    EXPECT_EQ(FIni.ReadString(L"Deep", L"Name", L""), L"value");
    EXPECT_EQ(fromRoot.ReadString(FKey + L"\\Deep", L"Name", L""), L"value");
}

TEST_F(RegistryIniTest, AWriteWhoseKeyCannotBeMadeRaises)
{
    TRegistryIniFile broken(FKey, reinterpret_cast<HKEY>(static_cast<intptr_t>(0x1234)));
    EXPECT_THROW(broken.WriteString(L"Port", L"Name", L"COM3"), EIniFileException);
    EXPECT_THROW(broken.WriteInteger(L"Port", L"Count", 1), EIniFileException);
    EXPECT_EQ(broken.ReadString(L"Port", L"Name", L"d"), L"d");
}
