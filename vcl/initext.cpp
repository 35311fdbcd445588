#include "vcl/initext.h"

#include <algorithm>
#include <functional>

namespace vcl {

namespace {

// Without characters up to U+0020 at either end.
std::wstring_view Trimmed(std::wstring_view s)
{
    size_t first = 0, last = s.size();
    while (first < last && s[first] <= L' ')
        ++first;
    while (last > first && s[last - 1] <= L' ')
        --last;
    return s.substr(first, last - first);
}

// A name's hash: keys mixed with their section, section names on their own.
uint64_t NameHash(const std::wstring& Form, int Section, bool Key)
{
    const uint64_t hash = std::hash<std::wstring>()(Form);
    return Key ? hash ^ ((uint64_t(Section) + 1) * 0x9E3779B97F4A7C15ull) : hash;
}

}  // namespace

void TIniText::SetCaseSensitive(bool Value)
{
    if (Value != FCaseSensitive)
        FIndexed = false;
    FCaseSensitive = Value;
}

void TIniText::Clear()
{
    FSections.clear();
    FIndexed = false;
}

void TIniText::AddLine(std::wstring_view Line)
{
    const std::wstring_view line = Trimmed(Line);
    if (line.empty() || line.front() == L';')
        return;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
        FSections.push_back({std::wstring(Trimmed(line.substr(1, line.size() - 2))), {}});
        FIndexed = false;
        return;
    }
    const size_t equals = line.find(L'=');
    if (FSections.empty() || equals == std::wstring_view::npos)
        return;
    FSections.back().Entries.push_back(
        {std::wstring(Trimmed(line.substr(0, equals))), std::wstring(Trimmed(line.substr(equals + 1)))});
    FIndexed = false;
}

bool TIniText::Folding() const { return !FCaseSensitive && FCaseFold; }

const std::wstring& TIniText::StoredForm(int Section, int Entry) const
{
    if (Folding())
        return FFolds[size_t(Section)][size_t(Entry + 1)];
    return Entry < 0 ? SectionName(Section) : Key(Section, Entry);
}

size_t TIniText::Probe(const std::wstring& Form, int Section, bool Key) const
{
    const uint64_t hash = NameHash(Form, Section, Key);
    const size_t mask = FSlots.size() - 1;
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        const TSlot& slot = FSlots[i];
        if (slot.Section < 0)
            return i;
        const bool sameKind = Key ? slot.Entry >= 0 && slot.Section == Section : slot.Entry < 0;
        if (slot.Hash == hash && sameKind && StoredForm(slot.Section, slot.Entry) == Form)
            return i;
    }
}

void TIniText::Insert(int Section, int Entry) const
{
    if ((FUsed + 1) * 2 > FSlots.size()) {
        // Twice the room: the names indexed so far go in again, each still the first of its form.
        std::vector<TSlot> slots(std::max<size_t>(16, FSlots.size() * 2));
        slots.swap(FSlots);
        for (const TSlot& slot : slots)
            if (slot.Section >= 0)
                FSlots[Probe(StoredForm(slot.Section, slot.Entry), slot.Section, slot.Entry >= 0)] = slot;
    }
    const bool key = Entry >= 0;
    const std::wstring& form = StoredForm(Section, Entry);
    TSlot& slot = FSlots[Probe(form, Section, key)];
    if (slot.Section >= 0)
        return;
    slot = {NameHash(form, Section, key), Section, Entry};
    ++FUsed;
    if (!key)
        FFirstSections.push_back(Section);
}

void TIniText::Index() const
{
    if (FIndexed)
        return;
    size_t names = FSections.size();
    for (const TSection& section : FSections)
        names += section.Entries.size();
    size_t size = 16;
    while (size < names * 2 + 2)
        size *= 2;
    FSlots.assign(size, TSlot());
    FUsed = 0;
    FFirstSections.clear();
    FFolds.clear();
    if (Folding())
        for (const TSection& section : FSections) {
            std::vector<std::wstring>& folds = FFolds.emplace_back();
            folds.push_back(FCaseFold(section.Name));
            for (const TEntry& entry : section.Entries)
                folds.push_back(FCaseFold(entry.Key));
        }
    for (int s = 0; s < SectionCount(); ++s) {
        Insert(s, -1);
        for (int e = 0; e < KeyCount(s); ++e)
            Insert(s, e);
    }
    FIndexed = true;
}

int TIniText::Locate(const std::wstring& Name, int Section, bool Key) const
{
    Index();
    const std::wstring folded = Folding() ? FCaseFold(Name) : std::wstring();
    const TSlot& slot = FSlots[Probe(Folding() ? folded : Name, Section, Key)];
    return slot.Section < 0 ? -1 : Key ? slot.Entry : slot.Section;
}

int TIniText::FindSection(const std::wstring& Name) const { return Locate(Name, -1, false); }

int TIniText::FindKey(int Section, const std::wstring& Key) const { return Locate(Key, Section, true); }

const std::wstring* TIniText::Find(const std::wstring& Section, const std::wstring& Key) const
{
    const int s = FindSection(Section);
    const int e = s < 0 ? -1 : FindKey(s, Key);
    return e < 0 ? nullptr : &Value(s, e);
}

const std::vector<int>& TIniText::FirstSections() const
{
    Index();
    return FFirstSections;
}

std::vector<int> TIniText::FirstKeys(int Section) const
{
    Index();
    std::vector<int> keys;
    for (int e = 0; e < KeyCount(Section); ++e)
        if (FSlots[Probe(StoredForm(Section, e), Section, true)].Entry == e)
            keys.push_back(e);
    return keys;
}

void TIniText::Write(const std::wstring& Section, const std::wstring& Key, const std::wstring& Value)
{
    const bool folding = Folding();
    int s = FindSection(Section);
    if (s < 0) {
        FSections.push_back({Section, {}});
        if (folding)
            FFolds.push_back({FCaseFold(Section)});
        s = SectionCount() - 1;
        Insert(s, -1);
    }
    const int e = FindKey(s, Key);
    std::vector<TEntry>& entries = FSections[size_t(s)].Entries;
    if (e >= 0) {
        entries[size_t(e)].Value = Value;
        return;
    }
    entries.push_back({Key, Value});
    if (folding)
        FFolds[size_t(s)].push_back(FCaseFold(Key));
    Insert(s, KeyCount(s) - 1);
}

}  // namespace vcl
