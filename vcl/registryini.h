#pragma once
// The registry seen as an INI file: sections are subkeys of one key, INI keys are their values.

#include "vcl/inifiles.h"
#include "vcl/registry.h"

namespace vcl {

// FileName is the key path below RootKey that holds the sections ("" for the root itself). Text
// is stored as a string value and integers as 32-bit numbers; a number reads back as its decimal
// text, and a string converts as the INI integer rules say. Reading a value of any other type
// raises ERegistryException; a write whose key cannot be opened or created raises
// EIniFileException. Every write is in the registry when it returns.
class TRegistryIniFile : public TCustomIniFile {
    CL_CLASS(TRegistryIniFile, TCustomIniFile)
public:
    explicit TRegistryIniFile(const String& FileName, HKEY RootKey = HKEY_CURRENT_USER)
        : TCustomIniFile(FileName), FRootKey(RootKey)
    {
    }

    HKEY RootKey() const { return FRootKey; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const override;
    void WriteInteger(const String& Section, const String& Ident, Integer Value) override;
    // The subkeys of the file's key, and the value names of one section (in the system's order).
    void ReadSections(TStrings* Strings) const override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    // Deletes the value Ident of Section; nothing happens when either is missing.
    void DeleteKey(const String& Section, const String& Ident);
    // Nothing to do: the registry holds every write already.
    void UpdateFile() override {}

private:
    // The absolute path ("\" first) of a section's key.
    String SectionPath(const String& Section) const;
    // Opens a section's key read-only in Registry; false when it is missing.
    bool OpenSection(TRegistry& Registry, const String& Section) const;
    // Opens (creating it when missing) a section's key for writing, or raises.
    void OpenSectionForWrite(TRegistry& Registry, const String& Section) const;
    // The type of Ident in the open key of Registry; REG_NONE when the value is missing.
    static DWORD ValueType(const TRegistry& Registry, const String& Ident);

    HKEY FRootKey;
};

}  // namespace vcl
