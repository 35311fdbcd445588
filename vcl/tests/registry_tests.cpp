#include "vcl/registry.h"
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
