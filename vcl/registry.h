#pragma once
// Access to the system registry: one open key at a time under a root key.

#include "vcl/classes.h"

#include <windows.h>

namespace vcl {

// Key paths that begin with "\" start at RootKey; others start at the open key, or at RootKey
// when none is open. Failures of reads and writes raise ERegistryException.
class TRegistry : public TObject {
    CL_CLASS(TRegistry, TObject)
public:
    TRegistry() = default;  // root HKEY_CURRENT_USER, no key open
    ~TRegistry() override;

    HKEY RootKey() const { return FRootKey; }
    // A different root closes the open key.
    void SetRootKey(HKEY value);
    HKEY CurrentKey() const { return FCurrentKey; }
    // The open key's path below RootKey, without a leading "\".
    const String& CurrentPath() const { return FCurrentPath; }

    // Opens Key for reading and writing, creating it when CanCreate; false when that fails.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    bool KeyExists(const String& Key) const;
    // Deletes Key with everything below it; false when that fails.
    bool DeleteKey(const String& Key);

    // The open key's values and subkeys; Strings is cleared first and stays empty without an open key.
    void GetValueNames(TStrings* Strings) const;
    void GetKeyNames(TStrings* Strings) const;
    bool ValueExists(const String& Name) const;
    bool DeleteValue(const String& Name);

    // A missing value reads ""; a value that is not text raises.
    String ReadString(const String& Name) const;
    // A missing value or one that is not a 32-bit number raises.
    Integer ReadInteger(const String& Name) const;
    void WriteString(const String& Name, const String& Value);
    void WriteInteger(const String& Name, Integer Value);

private:
    // The key a path starts from, and the path without its leading "\".
    HKEY BaseKey(const String& Key, String& Path) const;
    bool OpenWithAccess(const String& Key, REGSAM Access, bool CanCreate);
    void WriteValue(const String& Name, DWORD Type, const void* Data, DWORD Size);

    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
    String FCurrentPath;
};

}  // namespace vcl
