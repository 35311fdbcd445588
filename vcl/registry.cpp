#include "vcl/registry.h"

#include "vcl/sysutils.h"

#include <cwchar>

namespace vcl {

namespace {

[[noreturn]] void RaiseGetFailed(const String& name)
{
    throw ERegistryException(Format(L"Failed to get data for '%s'", name));
}

[[noreturn]] void RaiseInvalidType(const String& name)
{
    throw ERegistryException(Format(L"Invalid data type for '%s'", name));
}

// Appends the names of a key's values (or subkeys) to Strings, in the order the system gives them.
void EnumNames(HKEY key, bool values, TStrings* Strings)
{
    DWORD keyCount = 0, maxKeyLength = 0, valueCount = 0, maxValueLength = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &keyCount, &maxKeyLength, nullptr, &valueCount,
                         &maxValueLength, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD count = values ? valueCount : keyCount;
    String name((values ? maxValueLength : maxKeyLength) + 1, L'\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = values ? RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
                                   : RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS)
            Strings->Add(name.substr(0, length));
    }
}

void FillNames(HKEY key, bool values, TStrings* Strings)
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (key)
        EnumNames(key, values, Strings);
    Strings->EndUpdate();
}

}  // namespace

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY value)
{
    if (value == FRootKey)
        return;
    CloseKey();
    FRootKey = value;
}

HKEY TRegistry::BaseKey(const String& Key, String& Path) const
{
    const bool relative = Key.empty() || Key.front() != L'\\';
    Path = relative ? Key : Key.substr(1);
    return relative && FCurrentKey ? FCurrentKey : FRootKey;
}

bool TRegistry::OpenWithAccess(const String& Key, REGSAM Access, bool CanCreate)
{
    String path;
    const HKEY base = BaseKey(Key, path);
    HKEY key = nullptr;
    const LONG result = CanCreate ? RegCreateKeyExW(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access,
                                                    nullptr, &key, nullptr)
                                  : RegOpenKeyExW(base, path.c_str(), 0, Access, &key);
    if (result != ERROR_SUCCESS)
        return false;
    String fullPath = path;
    if (base == FCurrentKey && !FCurrentPath.empty())
        fullPath = path.empty() ? FCurrentPath : FCurrentPath + L"\\" + path;
    CloseKey();
    FCurrentKey = key;
    FCurrentPath = fullPath;
    return true;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    return OpenWithAccess(Key, KEY_ALL_ACCESS, CanCreate);
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    return OpenWithAccess(Key, KEY_READ, false);
}

void TRegistry::CloseKey()
{
    if (FCurrentKey)
        RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
}

bool TRegistry::KeyExists(const String& Key) const
{
    String path;
    const HKEY base = BaseKey(Key, path);
    HKEY key = nullptr;
    if (RegOpenKeyExW(base, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::DeleteKey(const String& Key)
{
    String path;
    const HKEY base = BaseKey(Key, path);
    // An empty path would empty the base key itself.
    return !path.empty() && RegDeleteTreeW(base, path.c_str()) == ERROR_SUCCESS;
}

void TRegistry::GetValueNames(TStrings* Strings) const
{
    FillNames(FCurrentKey, true, Strings);
}

void TRegistry::GetKeyNames(TStrings* Strings) const
{
    FillNames(FCurrentKey, false, Strings);
}

bool TRegistry::ValueExists(const String& Name) const
{
    return FCurrentKey && RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& Name)
{
    return FCurrentKey && RegDeleteValueW(FCurrentKey, Name.c_str()) == ERROR_SUCCESS;
}

String TRegistry::ReadString(const String& Name) const
{
    DWORD type = 0, size = 0;
    if (!FCurrentKey || RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return L"";
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        RaiseInvalidType(Name);
    // One character more than the data, so that text stored without its terminator ends too.
    String value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = size;
    if (RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS)
        RaiseGetFailed(Name);
    value.resize(std::wcslen(value.c_str()));
    return value;
}

Integer TRegistry::ReadInteger(const String& Name) const
{
    DWORD type = 0, data = 0, size = sizeof(data);
    const LONG result = FCurrentKey ? RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &type,
                                                       reinterpret_cast<BYTE*>(&data), &size)
                                    : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
        RaiseGetFailed(Name);
    if (result != ERROR_SUCCESS || type != REG_DWORD)
        RaiseInvalidType(Name);
    return static_cast<Integer>(data);
}

void TRegistry::WriteValue(const String& Name, DWORD Type, const void* Data, DWORD Size)
{
    if (!FCurrentKey ||
        RegSetValueExW(FCurrentKey, Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size) != ERROR_SUCCESS)
        throw ERegistryException(Format(L"Failed to set data for '%s'", Name));
}

void TRegistry::WriteString(const String& Name, const String& Value)
{
    WriteValue(Name, REG_SZ, Value.c_str(), static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteInteger(const String& Name, Integer Value)
{
    const DWORD data = static_cast<DWORD>(Value);
    WriteValue(Name, REG_DWORD, &data, sizeof(data));
}

}  // namespace vcl
