#include "vcl/initext.h"

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

std::wstring TIniText::Folded(const std::wstring& Name) const
{
    return FCaseSensitive || !FCaseFold ? Name : FCaseFold(Name);
}

void TIniText::IndexSection(int Section) const
{
    if (FSectionIndex.emplace(Folded(FSections[size_t(Section)].Name), Section).second)
        FFirstSections.push_back(Section);
}

void TIniText::IndexEntry(int Section, int Entry) const
{
    FKeyIndex.emplace(TKeyName{Section, Folded(Key(Section, Entry))}, Entry);
}

void TIniText::Index() const
{
    if (FIndexed)
        return;
    FSectionIndex.clear();
    FKeyIndex.clear();
    FFirstSections.clear();
    size_t entries = 0;
    for (const TSection& section : FSections)
        entries += section.Entries.size();
    FSectionIndex.reserve(FSections.size());
    FKeyIndex.reserve(entries);
    for (int s = 0; s < SectionCount(); ++s) {
        IndexSection(s);
        for (int e = 0; e < KeyCount(s); ++e)
            IndexEntry(s, e);
    }
    FIndexed = true;
}

int TIniText::FindSection(const std::wstring& Name) const
{
    Index();
    const auto found = FSectionIndex.find(Folded(Name));
    return found == FSectionIndex.end() ? -1 : found->second;
}

int TIniText::FindKey(int Section, const std::wstring& Key) const
{
    Index();
    const auto found = FKeyIndex.find(TKeyName{Section, Folded(Key)});
    return found == FKeyIndex.end() ? -1 : found->second;
}

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
    std::vector<int> keys;
    for (int e = 0; e < KeyCount(Section); ++e)
        if (FindKey(Section, Key(Section, e)) == e)
            keys.push_back(e);
    return keys;
}

int TIniText::AddSection(const std::wstring& Name)
{
    FSections.push_back({Name, {}});
    const int section = SectionCount() - 1;
    IndexSection(section);
    return section;
}

void TIniText::Write(const std::wstring& Section, const std::wstring& Key, const std::wstring& Value)
{
    int s = FindSection(Section);
    if (s < 0)
        s = AddSection(Section);
    const int e = FindKey(s, Key);
    std::vector<TEntry>& entries = FSections[size_t(s)].Entries;
    if (e >= 0) {
        entries[size_t(e)].Value = Value;
        return;
    }
    entries.push_back({Key, Value});
    IndexEntry(s, KeyCount(s) - 1);
}

}  // namespace vcl
