#include "vcl/registryini.h"

#include "vcl/sysutils.h"

namespace vcl {

String TRegistryIniFile::SectionPath(const String& Section) const
{
    return FileName().empty() ? L"\\" + Section : L"\\" + FileName() + L"\\" + Section;
}

bool TRegistryIniFile::OpenSection(TRegistry& Registry, const String& Section) const
{
    Registry.SetRootKey(FRootKey);
    return Registry.OpenKeyReadOnly(SectionPath(Section));
}

void TRegistryIniFile::OpenSectionForWrite(TRegistry& Registry, const String& Section) const
{
    Registry.SetRootKey(FRootKey);
    if (!Registry.OpenKey(SectionPath(Section), true))
        throw EIniFileException(Format(L"Unable to write to %s", SectionPath(Section)));
}

DWORD TRegistryIniFile::ValueType(const TRegistry& Registry, const String& Ident)
{
    DWORD type = REG_NONE;
    if (RegQueryValueExW(Registry.CurrentKey(), Ident.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    TRegistry registry;
    if (!OpenSection(registry, Section))
        return Default;
    switch (ValueType(registry, Ident)) {
    case REG_NONE:
        return Default;
    case REG_DWORD:
        return IntToStr(registry.ReadInteger(Ident));
    default:
        return registry.ReadString(Ident);
    }
}

Integer TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const
{
    TRegistry registry;
    if (OpenSection(registry, Section) && ValueType(registry, Ident) == REG_DWORD)
        return registry.ReadInteger(Ident);
    return TCustomIniFile::ReadInteger(Section, Ident, Default);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TRegistry registry;
    OpenSectionForWrite(registry, Section);
    registry.WriteString(Ident, Value);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    TRegistry registry;
    OpenSectionForWrite(registry, Section);
    registry.WriteInteger(Ident, Value);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) const
{
    TRegistry registry;
    registry.SetRootKey(FRootKey);
    registry.OpenKeyReadOnly(L"\\" + FileName());
    registry.GetKeyNames(Strings);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    TRegistry registry;
    OpenSection(registry, Section);
    registry.GetValueNames(Strings);
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TRegistry registry;
    registry.SetRootKey(FRootKey);
    if (registry.OpenKey(SectionPath(Section), false))
        registry.DeleteValue(Ident);
}

}  // namespace vcl
