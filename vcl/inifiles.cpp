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

namespace {

// Names are the same without case when the locale's comparison finds them equal, and that is
// when their sort keys are: the sort key is the form under which they are looked up. (The empty
// name is passed with its terminator: the system maps no text of length 0.)
String SortKey(const String& Name)
{
    constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = Name.empty() ? -1 : int(Name.size());
    const int bytes = LCMapStringW(LOCALE_USER_DEFAULT, flags, Name.c_str(), length, nullptr, 0);
    String key(size_t(bytes + 1) / 2, L'\0');
    LCMapStringW(LOCALE_USER_DEFAULT, flags, Name.c_str(), length, reinterpret_cast<LPWSTR>(key.data()), bytes);
    return key;
}

}  // namespace

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName), FText(SortKey)
{
    if (!FileExists(FileName))
        return;
    TStringList lines;
    lines.LoadFromFile(FileName);
    FEncoding = lines.Encoding();
    SetStrings(&lines);
}

void TMemIniFile::SetStrings(const TStrings* List)
{
    FText.Clear();
    for (int i = 0; i < List->Count(); ++i)
        FText.AddLine(List->Strings(i));
}

void TMemIniFile::GetStrings(TStrings* List) const
{
    List->BeginUpdate();
    List->Clear();
    for (int s = 0; s < FText.SectionCount(); ++s) {
        if (List->Count() > 0)
            List->Add(L"");
        List->Add(L"[" + FText.SectionName(s) + L"]");
        for (int e = 0; e < FText.KeyCount(s); ++e)
            List->Add(FText.Key(s, e) + L"=" + FText.Value(s, e));
    }
    List->EndUpdate();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    const String* value = FText.Find(Section, Ident);
    return value ? *value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    FText.Write(Section, Ident, Value);
}

void TMemIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (int s : FText.FirstSections())
        Strings->Add(FText.SectionName(s));
    Strings->EndUpdate();
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    const int s = FText.FindSection(Section);
    if (s >= 0)
        for (int e : FText.FirstKeys(s))
            Strings->Add(FText.Key(s, e));
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
