#pragma once
// INI text held in memory: its sections and their keys and values in text order, looked up by
// hashed name. TMemIniFile keeps its content in one; it knows nothing of windows, so that the
// skin's options loader can be built and fuzzed on the host.
//
// Parse rules: lines are trimmed (characters up to U+0020 off both ends); blank lines, lines
// beginning with ";" and text before the first section are ignored; "[name]" opens a section, its
// name trimmed; other lines split at the first "=" into a trimmed key and value, and lines
// without "=" are ignored. Every section and key is kept, repeats too; a look-up finds the first
// of its name, so a repeated section or key adds nothing that a look-up sees.
//
// Names compare exactly while CaseSensitive is set, else through the case fold given to the
// constructor. Look-ups are hashed (open addressing over where the names are stored, so that the
// index copies no name): reading a text of n sections and keys takes time in proportion to n.
// The index is made by the first look-up after a change (so the const look-ups are not safe to
// run on two threads at once).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

class TIniText {
public:
    // The form of a name under which names are the same while case is ignored.
    using TCaseFold = std::wstring (*)(const std::wstring& Name);

    explicit TIniText(TCaseFold CaseFold) : FCaseFold(CaseFold) {}

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    void Clear();
    // One line of INI text, by the parse rules.
    void AddLine(std::wstring_view Line);

    // Every section and key as the text holds them, repeats included, in text order.
    int SectionCount() const { return int(FSections.size()); }
    const std::wstring& SectionName(int Section) const { return FSections[size_t(Section)].Name; }
    int KeyCount(int Section) const { return int(FSections[size_t(Section)].Entries.size()); }
    const std::wstring& Key(int Section, int Entry) const { return EntryOf(Section, Entry).Key; }
    const std::wstring& Value(int Section, int Entry) const { return EntryOf(Section, Entry).Value; }

    // The first section of the name; -1 when there is none.
    int FindSection(const std::wstring& Name) const;
    // The first key of the name in Section; -1 when there is none.
    int FindKey(int Section, const std::wstring& Key) const;
    // The value of the first key of the name in the first section of its name; none when absent.
    const std::wstring* Find(const std::wstring& Section, const std::wstring& Key) const;

    // The sections that come first under their name, in text order.
    const std::vector<int>& FirstSections() const;
    // The keys of Section that come first under their name in it, in text order.
    std::vector<int> FirstKeys(int Section) const;

    // Gives the first key of the name in the first section of its name the value; a missing
    // section or key is added at the end.
    void Write(const std::wstring& Section, const std::wstring& Key, const std::wstring& Value);

private:
    struct TEntry {
        std::wstring Key;
        std::wstring Value;
    };
    struct TSection {
        std::wstring Name;
        std::vector<TEntry> Entries;
    };
    // Where a name is stored: the name of section Section (Entry -1) or its key Entry. An empty
    // slot has Section -1.
    struct TSlot {
        uint64_t Hash = 0;
        int32_t Section = -1;
        int32_t Entry = -1;
    };

    const TEntry& EntryOf(int Section, int Entry) const { return FSections[size_t(Section)].Entries[size_t(Entry)]; }
    bool Folding() const;
    // The form in which the name stored at (Section, Entry) is compared.
    const std::wstring& StoredForm(int Section, int Entry) const;
    // The slot that holds the first section name (Key false) or key of Section of that form, or
    // the empty slot where it would go.
    size_t Probe(const std::wstring& Form, int Section, bool Key) const;
    // Indexes the name stored at (Section, Entry) unless one of its form is there already.
    void Insert(int Section, int Entry) const;
    void Index() const;
    // Where the first section (Key false) or key of Section of the name is stored; -1 when none.
    int Locate(const std::wstring& Name, int Section, bool Key) const;

    std::vector<TSection> FSections;
    TCaseFold FCaseFold;
    bool FCaseSensitive = false;

    // The index of first names, made on demand.
    mutable bool FIndexed = false;
    mutable std::vector<TSlot> FSlots;  // a power of two of them, at most half in use
    mutable size_t FUsed = 0;
    mutable std::vector<std::vector<std::wstring>> FFolds;  // while case is ignored: each name, then each key
    mutable std::vector<int> FFirstSections;
};

}  // namespace vcl
