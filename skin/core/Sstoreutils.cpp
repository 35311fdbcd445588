#include "skin/core/Sstoreutils.h"

#include "skin/graphics/Acntutils.h"
#include "vcl/registryini.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <array>
#include <memory>

namespace skin {

using namespace vcl;

namespace {

// An empty text gives Default; any other text that is not a number gives -1.
int IniTextToInteger(const String& Text, int Default)
{
    if (Text.empty())
        return Default;
    Integer value;
    return TryStrToInt(Text, value) ? value : -1;
}

String ItemKey(const String& Prefix, int Index) { return Prefix + L"Item" + IntToStr(Index); }

// One past the highest item index among the section's keys: a stored count is outside input, and
// no more items are read than the section can hold.
int ItemsHeld(TCustomIniFile* Ini, const String& Section, const String& Prefix)
{
    TStringList keys;
    Ini->ReadSection(Section, &keys);
    const String item = Prefix + L"Item";
    int held = 0;
    for (int k = 0; k < keys.Count(); ++k) {
        const String& key = keys.Strings(k);
        Integer index = 0;
        if (key.size() > item.size() && CompareText(key.substr(0, item.size()), item) == 0 &&
            TryStrToInt(key.substr(item.size()), index) && index >= 0 &&
            CompareText(ItemKey(Prefix, index), key) == 0)
            held = std::max(held, index + 1);
    }
    return held;
}

struct FontStyleKey {
    const wchar_t* Suffix;
    TFontStyle Style;
};

constexpr std::array<FontStyleKey, 4> FontStyleKeys{{
    {L"_Bold", TFontStyle::fsBold},
    {L"_Italic", TFontStyle::fsItalic},
    {L"_Underline", TFontStyle::fsUnderline},
    {L"_StrikeOut", TFontStyle::fsStrikeOut},
}};

// The bounds a normal form stores, in the order they are written.
struct BoundsKey {
    const wchar_t* Key;
    int (TControl::*Get)() const;
    void (TControl::*Set)(int);
};

constexpr std::array<BoundsKey, 4> BoundsKeys{{
    {L"Left", &TControl::Left, &TControl::SetLeft},
    {L"Top", &TControl::Top, &TControl::SetTop},
    {L"Width", &TControl::Width, &TControl::SetWidth},
    {L"Height", &TControl::Height, &TControl::SetHeight},
}};

// The index of the first line of List that is exactly Line; -1 when there is none.
int IndexOfLine(TStrings* List, const String& Line)
{
    for (int i = 0; i < List->Count(); ++i)
        if (List->Strings(i) == Line)
            return i;
    return -1;
}

// Stored window states are the enumeration's order: 0 normal, 1 minimised, 2 maximised.
constexpr int StateCount = 3;

}  // namespace

// ---------------------------------------------------------------------------------------------
// INI keys

String ReadIniString(const String& Section, const String& Key, const String& FileName)
{
    return TIniFile(FileName).ReadString(Section, Key, L"");
}

String ReadIniString(const String& Section, const String& Key, TCustomIniFile* Ini)
{
    return Ini ? Ini->ReadString(Section, Key, L"") : String();
}

int ReadIniInteger(const String& Section, const String& Key, int Default, const String& FileName)
{
    return IniTextToInteger(ReadIniString(Section, Key, FileName), Default);
}

int ReadIniInteger(const String& Section, const String& Key, int Default, TCustomIniFile* Ini)
{
    return Ini ? IniTextToInteger(ReadIniString(Section, Key, Ini), Default) : 0;
}

void WriteIniStr(const String& Section, const String& Key, const String& Value, const String& FileName)
{
    TIniFile(FileName).WriteString(Section, Key, Value);
}

void WriteIniStr(const String& Section, const String& Key, const String& Value, TCustomIniFile* Ini)
{
    Ini->WriteString(Section, Key, Value);
}

// ---------------------------------------------------------------------------------------------
// String lists and fonts as groups of keys

void ReadIniStrings(TStrings* List, const String& Section, const String& Prefix, const String& FileName)
{
    TMemIniFile ini(FileName);
    ReadIniStrings(List, Section, Prefix, &ini);
}

void ReadIniStrings(TStrings* List, const String& Section, const String& Prefix, TCustomIniFile* Ini)
{
    int count = ReadIniInteger(Section, Prefix + L"Count", 0, Ini);
    if (count == 0)
        return;
    count = std::min(count, ItemsHeld(Ini, Section, Prefix));
    List->BeginUpdate();
    List->Clear();
    for (int i = 0; i < count; ++i)
        List->Add(ReadIniString(Section, ItemKey(Prefix, i), Ini));
    List->EndUpdate();
}

void WriteIniStrings(const String& Section, const String& Prefix, const String& FileName, TStrings* List)
{
    TMemIniFile ini(FileName);
    WriteIniStrings(Section, Prefix, List, &ini);
    ini.UpdateFile();
}

void WriteIniStrings(const String& Section, const String& Prefix, TStrings* List, TCustomIniFile* Ini)
{
    Ini->WriteInteger(Section, Prefix + L"Count", List->Count());
    for (int i = 0; i < List->Count(); ++i)
        Ini->WriteString(Section, ItemKey(Prefix, i), List->Strings(i));
}

void WriteIniFont(const String& Section, const String& Prefix, const TFont* Font, TCustomIniFile* Ini)
{
    Ini->WriteInteger(Section, Prefix + L"_Color", Font->Color());
    Ini->WriteString(Section, Prefix + L"_Name", Font->Name());
    Ini->WriteInteger(Section, Prefix + L"_Size", Font->Size());
    for (const FontStyleKey& key : FontStyleKeys)
        Ini->WriteString(Section, Prefix + key.Suffix, Font->Style().Contains(key.Style) ? L"1" : L"0");
}

void ReadIniFont(const String& Section, const String& Prefix, TFont* Font, TCustomIniFile* Ini)
{
    Font->SetColor(TColor(Ini->ReadInteger(Section, Prefix + L"_Color", 0)));
    Font->SetName(Ini->ReadString(Section, Prefix + L"_Name", L""));
    Font->SetSize(Ini->ReadInteger(Section, Prefix + L"_Size", 8));
    TFontStyles styles = Font->Style();
    for (const FontStyleKey& key : FontStyleKeys)
        if (Ini->ReadInteger(Section, Prefix + key.Suffix, 0) == 1)
            styles << key.Style;
    Font->SetStyle(styles);
}

// ---------------------------------------------------------------------------------------------
// Registry values

String ReadRegString(HKEY Root, const String& KeyPath, const String& Name)
{
    return TRegistryIniFile(L"", Root).ReadString(KeyPath, Name, L"");
}

void WriteRegString(HKEY Root, const String& KeyPath, const String& Name, const String& Value)
{
    TRegistryIniFile(L"", Root).WriteString(KeyPath, Name, Value);
}

void DeleteRegParam(HKEY Root, const String& KeyPath, const String& Name)
{
    TRegistryIniFile(L"", Root).DeleteKey(KeyPath, Name);
}

void WriteRegInteger(const String& KeyPath, const String& Name, int Value)
{
    TRegistryIniFile(L"", HKEY_CURRENT_USER).WriteInteger(KeyPath, Name, Value);
}

// ---------------------------------------------------------------------------------------------
// INI text in a string list

void ReadSection(TStrings* Source, TStrings* Target, const String& Section)
{
    Target->BeginUpdate();
    Target->Clear();
    const int header = IndexOfLine(Source, L"[" + Section + L"]");
    if (header >= 0)
        for (int i = header + 1; i < Source->Count(); ++i) {
            const String line = Source->Strings(i);
            if (line.empty() || line.front() == L'[')
                break;
            Target->Add(line);
        }
    Target->EndUpdate();
}

String ReadValue(TStrings* List, const String& Section, const String& Key)
{
    static constexpr TSysCharSet KeyDelims{' ', '='};
    static constexpr TSysCharSet ValueDelims{'='};
    const int header = IndexOfLine(List, UpperCase(L"[" + Section + L"]"));
    if (header < 0)
        return String();
    const AnsiString key = ToAnsi(Key);
    for (int i = header + 1; i < List->Count(); ++i) {
        const AnsiString line = ToAnsi(List->Strings(i));
        if (!line.empty() && ExtractWord(1, line, KeyDelims) == key)
            return FromAnsi(ExtractWord(2, line, ValueDelims));
    }
    return String();
}

// ---------------------------------------------------------------------------------------------
// Form placement

void SaveFormPlacement(TCustomForm* Form, const String& FileName)
{
    TIniFile ini(FileName);
    const String& section = Form->Name();
    if (Form->WindowState() == TWindowState::wsNormal)
        for (const BoundsKey& key : BoundsKeys)
            ini.WriteInteger(section, key.Key, (Form->*key.Get)());
    ini.WriteInteger(section, L"State", static_cast<int>(Form->WindowState()));
}

void RestoreFormPlacement(TCustomForm* Form, const String& FileName)
{
    const String& section = Form->Name();
    const int state = ReadIniInteger(section, L"State", -1, FileName);
    if (state < 0 || state >= StateCount)
        return;
    const auto windowState = static_cast<TWindowState>(state);
    Form->SetWindowState(windowState);
    if (windowState != TWindowState::wsNormal)
        return;
    for (const BoundsKey& key : BoundsKeys) {
        const int value = ReadIniInteger(section, key.Key, -1, FileName);
        if (value != -1)
            (Form->*key.Set)(value);
    }
}

}  // namespace skin
