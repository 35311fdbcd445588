// libFuzzer target for the options loader's core, built for the host by fuzz.sh: the input is
// an options text (one byte a character) read as the program reads a skin's text, through the
// INI text, the sections with their parent chains and the limits, the inherited reads of the
// section keys and of every key the text holds, and every image value's form and geometry, with
// image files stubbed by a size made from their name. Small texts are also checked against plain
// linear readings of the same rules: the hashed look-ups and the chains resolved once must answer
// as walking the text does.
#include <string>
#include <vector>

#include "skin/core/acSkinOptions.h"
#include "vcl/intparse.h"

namespace {

// Texts small enough for the linear readings.
constexpr int CheckedSections = 64;
constexpr int CheckedKeys = 512;

const wchar_t* const SectionKeys[] = {
    L"STATES",          L"COLOR", L"FONTCOLOR", L"TRANSPARENCY", L"GRADIENTPERCENT", L"GRADIENTDATA", L"HOTCOLOR",
    L"HOTGRADIENTDATA", L"GLOW",  L"GCOL",      L"GSIZE",        L"FADINGENABLED",   L"BORDERSMASK",  L"PATTERN",
};

std::wstring AsciiFold(const std::wstring& Name)
{
    std::wstring folded = Name;
    for (wchar_t& c : folded)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    return folded;
}

std::wstring Same(const std::wstring& Text) { return Text; }

// The input as lines, split at CR LF, LF or CR, one byte a character.
std::vector<std::wstring> Lines(const uint8_t* Data, size_t Size)
{
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < Size; ++i) {
        if (Data[i] == '\r' || Data[i] == '\n') {
            if (Data[i] == '\r' && i + 1 < Size && Data[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += wchar_t(Data[i]);
        }
    }
    return lines;
}

[[noreturn]] void Wrong() { __builtin_trap(); }

// The look-ups against a linear reading of the parse rules: the first section and key of a name.
void CheckLookUps(const vcl::TIniText& Ini, bool CaseSensitive)
{
    const auto same = [&](const std::wstring& a, const std::wstring& b) {
        return CaseSensitive ? a == b : AsciiFold(a) == AsciiFold(b);
    };
    for (int s = 0; s < Ini.SectionCount(); ++s) {
        int first = 0;
        while (!same(Ini.SectionName(first), Ini.SectionName(s)))
            ++first;
        if (Ini.FindSection(Ini.SectionName(s)) != first)
            Wrong();
        for (int k = 0; k < Ini.KeyCount(s); ++k) {
            int firstKey = 0;
            while (!same(Ini.Key(s, firstKey), Ini.Key(s, k)))
                ++firstKey;
            if (Ini.FindKey(s, Ini.Key(s, k)) != firstKey)
                Wrong();
        }
    }
}

// An inherited read walked as the loader once walked it: the section, then its parents, until a
// parent is empty, "?", missing or passed already. The name of the section that has the value.
template <class Has>
std::wstring Walked(const vcl::TIniText& Ini, const std::wstring& Section, Has has)
{
    std::vector<std::wstring> passed;
    for (std::wstring section = Section;;) {
        if (has(section))
            return section;
        passed.push_back(section);
        const std::wstring* parent = Ini.Find(section, L"PARENTCLASS");
        section = parent ? *parent : L"?";
        if (section.empty() || section == L"?")
            return L"";
        for (const std::wstring& p : passed)
            if (p == section)
                return L"";
    }
}

void CheckInheritance(const vcl::TIniText& Ini, skin::TSkinSections& Sections, const std::wstring& Key)
{
    const std::vector<int>& integers = Sections.IntegerSources(Key);
    const std::vector<int>& texts = Sections.TextSources(Key);
    const auto name = [&](int s) { return s < 0 ? std::wstring() : Sections.Name(s); };
    for (int s = 0; s < Sections.Count(); ++s) {
        const std::wstring integer = Walked(Ini, Sections.Name(s), [&](const std::wstring& section) {
            const std::wstring* value = Ini.Find(section, Key);
            int32_t number = -1;
            return value && vcl::TryParseInt32(*value, number) && number != -1;
        });
        const std::wstring text = Walked(Ini, Sections.Name(s), [&](const std::wstring& section) {
            const std::wstring* value = Ini.Find(section, Key);
            return value && *value != L"?";
        });
        if (name(integers[size_t(s)]) != integer || name(texts[size_t(s)]) != text)
            Wrong();
    }
}

// A stub image size made from the file's name: sometimes empty, mostly small.
void SizeFile(skin::TImageValue& Image)
{
    size_t hash = std::hash<std::wstring>()(Image.FileName);
    const int width = int(hash % 70), height = int(hash / 70 % 70);
    skin::SetImageSize(Image, width, height);
}

void ReadImages(const vcl::TIniText& Ini, double Version)
{
    skin::ForEachImageValue(Ini, [&](const std::wstring&, const std::wstring&, const std::wstring& value) {
        for (int pass = 0; pass < 3; ++pass)
            try {
                skin::TImageValue image = pass == 0 ? skin::ReadImageValue(value, Version, Same)
                                                  : skin::ReadCommonImageValue(value, pass == 1, Same);
                if (image.Form == skin::TImageForm::File || image.Form == skin::TImageForm::PlainFile)
                    SizeFile(image);
            } catch (const skin::ESkinValueFault&) {
            }
    });
}

double Version(const vcl::TIniText& Ini)
{
    const std::wstring* text = Ini.Find(L"GLOBALINFO", L"VERSION");
    return text ? std::wcstod(text->c_str(), nullptr) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (int64_t(size) > skin::MaxOptionsTextBytes)
        return 0;
    vcl::TIniText ini(AsciiFold);
    for (const std::wstring& line : Lines(data, size))
        ini.AddLine(line);
    int keyCount = 0;
    for (int s = 0; s < ini.SectionCount(); ++s)
        keyCount += ini.KeyCount(s);
    const bool small = ini.SectionCount() <= CheckedSections && keyCount <= CheckedKeys;
    if (small)
        CheckLookUps(ini, false);
    ini.SetCaseSensitive(true);
    if (small)
        CheckLookUps(ini, true);
    try {
        skin::TSkinSections sections(ini);
        std::vector<std::wstring> keys(std::begin(SectionKeys), std::end(SectionKeys));
        // Every key of the first section too: the text's own names.
        if (sections.Count() > 0)
            for (int key : ini.FirstKeys(ini.FindSection(sections.Name(0))))
                keys.push_back(ini.Key(ini.FindSection(sections.Name(0)), key));
        for (const std::wstring& key : keys) {
            sections.IntegerSources(key);
            sections.TextSources(key);
            if (small)
                CheckInheritance(ini, sections, key);
        }
    } catch (const skin::ESkinLimit&) {
    }
    ReadImages(ini, Version(ini));
    return 0;
}
