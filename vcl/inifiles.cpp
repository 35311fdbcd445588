#include "vcl/inifiles.h"

#include "vcl/sysutils.h"

#include <windows.h>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// TCustomIniFile

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const
{
    Integer value;
    return TryStrToInt(ReadString(Section, Ident, L""), value) ? value : Default;
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

Double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, Double Default) const
{
    Double value;
    return TryStrToFloat(ReadString(Section, Ident, L""), value) ? value : Default;
}

// ---------------------------------------------------------------------------------------------
// TIniFile

namespace {

// Runs a profile read into ever larger buffers until the text fits. A truncating read returns the
// buffer size less `reserve`: 1 for one string, 2 for a list of strings.
template<class Read>
String ReadProfileText(Read read, DWORD reserve)
{
    String buffer(256, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = read(buffer.data(), size);
        if (length + reserve < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Fills Strings with a list the profile functions return as texts separated by null characters.
void ReadProfileList(const wchar_t* section, const String& fileName, TStrings* Strings)
{
    const String text = ReadProfileText(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section, nullptr, L"", buffer, size, fileName.c_str());
        },
        2);
    Strings->BeginUpdate();
    Strings->Clear();
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L'\0', start);
        if (end == String::npos)
            end = text.size();
        if (end > start)
            Strings->Add(text.substr(start, end - start));
        start = end + 1;
    }
    Strings->EndUpdate();
}

}  // namespace

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    return ReadProfileText(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(Section.c_str(), Ident.c_str(), Default.c_str(), buffer, size,
                                            FileName().c_str());
        },
        1);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    if (!WritePrivateProfileStringW(Section.c_str(), Ident.c_str(), Value.c_str(), FileName().c_str()))
        throw EIniFileException(Format(L"Unable to write to %s", FileName()));
    UpdateFile();
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    ReadProfileList(nullptr, FileName(), Strings);
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    ReadProfileList(Section.c_str(), FileName(), Strings);
}

void TIniFile::UpdateFile()
{
    // Wine may hold profile writes in a cache; all-null arguments write it out.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName().c_str());
}

// ---------------------------------------------------------------------------------------------
// TMemIniFile

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName)
{
    if (!FileExists(FileName))
        return;
    TStringList lines;
    lines.LoadFromFile(FileName);
    FEncoding = lines.Encoding();
    SetStrings(&lines);
}

bool TMemIniFile::SameName(const String& a, const String& b) const
{
    return FCaseSensitive ? a == b : AnsiSameText(a, b);
}

int TMemIniFile::IndexOfSection(const String& name) const
{
    for (size_t i = 0; i < FSections.size(); ++i)
        if (SameName(FSections[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

int TMemIniFile::IndexOfEntry(const Section& section, const String& key) const
{
    for (size_t i = 0; i < section.Entries.size(); ++i)
        if (SameName(section.Entries[i].Key, key))
            return static_cast<int>(i);
    return -1;
}

void TMemIniFile::SetStrings(const TStrings* List)
{
    FSections.clear();
    for (int i = 0; i < List->Count(); ++i) {
        const String line = Trim(List->Strings(i));
        if (line.empty() || line.front() == L';')
            continue;
        if (line.front() == L'[' && line.back() == L']' && line.size() >= 2) {
            FSections.push_back({Trim(line.substr(1, line.size() - 2)), {}});
            continue;
        }
        const size_t equals = line.find(L'=');
        if (FSections.empty() || equals == String::npos)
            continue;
        FSections.back().Entries.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
}

void TMemIniFile::GetStrings(TStrings* List) const
{
    List->BeginUpdate();
    List->Clear();
    for (const Section& section : FSections) {
        if (List->Count() > 0)
            List->Add(L"");
        List->Add(L"[" + section.Name + L"]");
        for (const Entry& entry : section.Entries)
            List->Add(entry.Key + L"=" + entry.Value);
    }
    List->EndUpdate();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    const int s = IndexOfSection(Section);
    const int e = s < 0 ? -1 : IndexOfEntry(FSections[s], Ident);
    return e < 0 ? Default : FSections[s].Entries[e].Value;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    int s = IndexOfSection(Section);
    if (s < 0) {
        FSections.push_back({Section, {}});
        s = static_cast<int>(FSections.size()) - 1;
    }
    auto& entries = FSections[s].Entries;
    const int e = IndexOfEntry(FSections[s], Ident);
    if (e < 0)
        entries.push_back({Ident, Value});
    else
        entries[e].Value = Value;
}

void TMemIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (size_t i = 0; i < FSections.size(); ++i)
        if (IndexOfSection(FSections[i].Name) == static_cast<int>(i))
            Strings->Add(FSections[i].Name);
    Strings->EndUpdate();
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    const int s = IndexOfSection(Section);
    if (s >= 0) {
        const auto& entries = FSections[s].Entries;
        for (size_t i = 0; i < entries.size(); ++i)
            if (IndexOfEntry(FSections[s], entries[i].Key) == static_cast<int>(i))
                Strings->Add(entries[i].Key);
    }
    Strings->EndUpdate();
}

void TMemIniFile::UpdateFile()
{
    TStringList lines;
    lines.SetEncoding(FEncoding);
    GetStrings(&lines);
    try {
        lines.SaveToFile(FileName());
    } catch (const EStreamError& e) {
        throw EIniFileException(e.Message());
    }
}

}  // namespace vcl
