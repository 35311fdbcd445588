#include "skin/core/acSkinOptions.h"

#include <algorithm>

#include "vcl/intparse.h"

namespace skin {

// The helpers of this file, in a namespace of their own: the library is compiled in batches of
// files that share one anonymous namespace.
namespace optionstext {

const std::wstring GlobalInfo = L"GLOBALINFO";
const std::wstring ParentKey = L"PARENTCLASS";

// The walk from Start along Next until it reaches -1, a node Stop takes, or a node it has passed
// (which Passed marks); the nodes it passed, in order.
template <class Stop>
std::vector<int> Walk(int Start, const std::vector<int>& Next, std::vector<char>& Passed, Stop stop)
{
    std::vector<int> path;
    for (int node = Start; node >= 0 && !Passed[size_t(node)] && !stop(node); node = Next[size_t(node)]) {
        Passed[size_t(node)] = 1;
        path.push_back(node);
    }
    return path;
}

}  // namespace optionstext

std::vector<int> FirstAlongChains(const std::vector<int>& Next, const std::vector<char>& Has)
{
    constexpr int unknown = -2;
    std::vector<int> first(Next.size(), unknown);
    std::vector<char> passed(Next.size(), 0);
    for (size_t start = 0; start < Next.size(); ++start) {
        if (first[start] != unknown)
            continue;
        // The walk stops at a node that has a value or whose answer is known; ended at a node
        // passed by this walk (a cycle without values) or at -1, it found none.
        const std::vector<int> path = optionstext::Walk(
            int(start), Next, passed, [&](int node) { return Has[size_t(node)] || first[size_t(node)] != unknown; });
        const int end = path.empty() ? int(start) : Next[size_t(path.back())];
        int answer = -1;
        if (end >= 0 && Has[size_t(end)])
            answer = end;
        else if (end >= 0 && first[size_t(end)] != unknown)
            answer = first[size_t(end)];
        for (int node : path)
            first[size_t(node)] = answer;
        if (path.empty())  // the start itself has a value
            first[start] = int(start);
    }
    return first;
}

std::vector<int> ChainLengths(const std::vector<int>& Next)
{
    std::vector<int> length(Next.size(), 0);
    std::vector<char> passed(Next.size(), 0);
    for (size_t start = 0; start < Next.size(); ++start) {
        if (length[start])
            continue;
        const std::vector<int> path =
            optionstext::Walk(int(start), Next, passed, [&](int node) { return length[size_t(node)] != 0; });
        const int end = Next[size_t(path.back())];
        // The walk ended at -1, at a node whose length is known, or back on itself: the nodes of
        // that cycle each pass the whole cycle.
        const auto cycle = std::ranges::find(path, end);
        int known = 0;
        if (cycle != path.end()) {
            known = int(path.end() - cycle);
            for (auto node = cycle; node != path.end(); ++node)
                length[size_t(*node)] = known;
        } else if (end >= 0) {
            known = length[size_t(end)];
        }
        for (auto node = std::make_reverse_iterator(cycle); node != path.rend(); ++node)
            length[size_t(*node)] = ++known;
    }
    return length;
}

// ---------------------------------------------------------------------------------------------
// Sections

TSkinSections::TSkinSections(const vcl::TIniText& Ini) : FIni(Ini)
{
    if (Ini.SectionCount() > MaxSkinSections)
        throw ESkinLimit("The skin's options hold " + std::to_string(Ini.SectionCount()) + " sections, more than " +
                         std::to_string(MaxSkinSections) + ".");
    FSections = Ini.FirstSections();
    std::unordered_map<int, int> ofText;
    for (size_t i = 0; i < FSections.size(); ++i)
        ofText.emplace(FSections[i], int(i));
    FParents.reserve(FSections.size());
    for (int section : FSections) {
        const int key = Ini.FindKey(section, optionstext::ParentKey);
        const std::wstring parent = key < 0 ? L"?" : Ini.Value(section, key);
        const int found = parent.empty() || parent == L"?" ? -1 : Ini.FindSection(parent);
        FParents.push_back(found < 0 ? -1 : ofText.at(found));
    }
    const std::vector<int> lengths = ChainLengths(FParents);
    const auto deepest = std::ranges::max_element(lengths);
    if (deepest != lengths.end() && *deepest - 1 > MaxParentDepth)
        throw ESkinLimit("The skin's section \"" + Utf8(Name(int(deepest - lengths.begin()))) + "\" inherits through " +
                         std::to_string(*deepest - 1) + " parent sections, more than " +
                         std::to_string(MaxParentDepth) + ".");
}

const std::wstring* TSkinSections::OwnText(int Section, const std::wstring& Key) const
{
    const int section = FSections[size_t(Section)];
    const int key = FIni.FindKey(section, Key);
    return key < 0 ? nullptr : &FIni.Value(section, key);
}

int32_t TSkinSections::OwnInteger(int Section, const std::wstring& Key) const
{
    const std::wstring* text = OwnText(Section, Key);
    int32_t value = -1;
    return text && vcl::TryParseInt32(*text, value) ? value : -1;
}

const std::vector<int>& TSkinSections::Sources(std::unordered_map<std::wstring, std::vector<int>>& Cache,
                                               const std::wstring& Key, bool Integer)
{
    const auto cached = Cache.find(Key);
    if (cached != Cache.end())
        return cached->second;
    std::vector<char> has(FSections.size());
    for (int s = 0; s < Count(); ++s) {
        const std::wstring* text = OwnText(s, Key);
        int32_t number = -1;
        has[size_t(s)] = text && (Integer ? vcl::TryParseInt32(*text, number) && number != -1 : *text != L"?");
    }
    return Cache.emplace(Key, FirstAlongChains(FParents, has)).first->second;
}

const std::vector<int>& TSkinSections::IntegerSources(const std::wstring& Key)
{
    return Sources(FIntegerSources, Key, true);
}

const std::vector<int>& TSkinSections::TextSources(const std::wstring& Key)
{
    return Sources(FTextSources, Key, false);
}

// ---------------------------------------------------------------------------------------------
// Image values

ESkinValueFault::ESkinValueFault(TKind Kind, std::wstring Text)
    : std::runtime_error(Kind == TKind::NotInteger ? "'" + Utf8(Text) + "' is not a valid integer value"
                                                   : "Division by zero"),
      FKind(Kind), FText(std::move(Text))
{
}

namespace optionstext {

bool Holds(const std::wstring& Text, const wchar_t* Part) { return Text.find(Part) != std::wstring::npos; }

std::wstring AsciiUpper(std::wstring Text)
{
    for (wchar_t& c : Text)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    return Text;
}

int StrictInteger(const std::wstring& Text)
{
    int32_t value;
    if (!vcl::TryParseInt32(Text, value))
        throw ESkinValueFault(ESkinValueFault::TKind::NotInteger, Text);
    return value;
}

// A / B; a zero divisor is a fault of the value.
int Divide(int A, int B)
{
    if (B == 0)
        throw ESkinValueFault(ESkinValueFault::TKind::DivisionByZero, L"");
    return A / B;
}

// A rectangle's extent as the 32-bit difference of its sides (it wraps as the program's does).
int Extent(int From, int To) { return int(uint32_t(To) - uint32_t(From)); }

// The integer at a fixed 1-based position of a value (a shorter value gives a shorter field).
int FixedField(const std::wstring& Value, int Position, int Length)
{
    const size_t first = size_t(Position - 1);
    return StrictInteger(first < Value.size() ? Value.substr(first, size_t(Length)) : std::wstring());
}

void SetFixedRect(TImageValue& Image, const std::wstring& Value)
{
    Image.Left = FixedField(Value, 2, 4);
    Image.Top = FixedField(Value, 7, 4);
    Image.Right = FixedField(Value, 12, 4);
    Image.Bottom = FixedField(Value, 17, 4);
}

// The words of a text between delimiters, numbered from 1.
class TWords {
public:
    TWords(const std::wstring& Text, const wchar_t* Delims)
    {
        const std::wstring delims(Delims);
        for (size_t i = 0; i < Text.size();) {
            const size_t start = Text.find_first_not_of(delims, i);
            if (start == std::wstring::npos)
                break;
            const size_t end = std::min(Text.find_first_of(delims, start), Text.size());
            FWords.push_back(Text.substr(start, end - start));
            i = end;
        }
    }

    int Count() const { return int(FWords.size()); }
    std::wstring Word(int N) const { return N >= 1 && N <= Count() ? FWords[size_t(N - 1)] : std::wstring(); }
    // Word N as an integer; 0 when it is not one.
    int Number(int N) const
    {
        int32_t value;
        return vcl::TryParseInt32(Word(N), value) ? value : 0;
    }
    // Word N strictly as an integer; Missing when there is no word N.
    int StrictNumber(int N, int Missing) const
    {
        const std::wstring word = Word(N);
        return word.empty() ? Missing : StrictInteger(word);
    }

private:
    std::vector<std::wstring> FWords;
};

// Every side one third of a frame.
void SetDefaultWidths(TImageValue& Image)
{
    Image.WL = Image.WR = int16_t(Divide(Extent(Image.Left, Image.Right), Image.ImageCount * 3));
    Image.WT = Image.WB = int16_t(Divide(Extent(Image.Top, Image.Bottom), (Image.MaskType + 1) * 3));
}

// All four widths BorderWidth, or the default widths when it is 0.
void SetUniformWidths(TImageValue& Image)
{
    if (Image.BorderWidth != 0)
        Image.WL = Image.WT = Image.WR = Image.WB = Image.BorderWidth;
    else
        SetDefaultWidths(Image);
}

TImageValue ImageFile(const std::wstring& Value, TCodePageRoundTrip RoundTrip)
{
    const TWords words(RoundTrip(Value), L"!");
    TImageValue image;
    image.FileName = words.Word(1);
    image.Png = Holds(image.FileName, L".PNG");
    if (!image.Png && !Holds(image.FileName, L".BMP"))
        return {};
    image.Form = TImageForm::File;
    // A kind beyond the known ones counts as the last; a negative one as a border.
    image.ImgType = std::clamp(words.Number(4), 0, 4);
    image.ImageCount = int16_t(words.Number(2));
    image.MaskType = int16_t(words.Number(3));
    image.WidthsFromSize = words.Count() < 5;
    if (!image.WidthsFromSize) {
        image.WL = int16_t(words.Number(5));
        image.WT = int16_t(words.Number(6));
        image.WR = int16_t(words.Number(7));
        image.WB = int16_t(words.Number(8));
    }
    image.DrawMode = int16_t(words.Count() >= 9 ? words.Number(9) : 1);
    image.ProbeCorners = image.ImgType == 0;
    return image;
}

TImageValue Glyph(const std::wstring& Value)
{
    TImageValue image;
    image.Form = TImageForm::Glyph;
    image.ImgType = 2;
    SetFixedRect(image, Value);
    image.ImageCount = int16_t(FixedField(Value, 22, 1));
    image.MaskType = int16_t(FixedField(Value, 24, 1));
    return image;
}

TImageValue Border(const std::wstring& Value, double Version)
{
    TImageValue image;
    image.Form = TImageForm::Border;
    SetFixedRect(image, Value);
    image.WL = int16_t(FixedField(Value, 22, 4));
    image.WT = int16_t(FixedField(Value, 27, 4));
    image.WR = int16_t(FixedField(Value, 32, 4));
    image.WB = int16_t(FixedField(Value, 37, 4));
    image.ImageCount = int16_t(FixedField(Value, 42, 1));
    image.MaskType = int16_t(FixedField(Value, 44, 1));
    image.DrawMode = int16_t(FixedField(Value, 46, 1));
    if (image.MaskType > 0 && Version < 7.4) {
        // Older skins stretch a frame whose centre is a single pixel.
        const bool onePixelCentre =
            Divide(Extent(image.Left, image.Right), image.ImageCount) - image.WL - image.WR == 1 &&
            Divide(Extent(image.Top, image.Bottom), image.MaskType + 1) - image.WT - image.WB == 1;
        image.DrawMode = int16_t(onePixelCentre ? image.DrawMode | 1 : image.DrawMode & ~1);
    }
    image.BorderWidth = int16_t(FixedField(Value, 48, 1));
    if (image.WL + image.WT + image.WR + image.WB == 0)
        SetUniformWidths(image);
    image.ProbeCorners = true;
    return image;
}

TImageValue Texture(const std::wstring& Value)
{
    TImageValue image;
    image.Form = TImageForm::Texture;
    image.ImgType = 1;
    SetFixedRect(image, Value);
    image.ImageCount = 1;
    image.DrawMode = int16_t(FixedField(Value, 22, 2));
    image.MaskType = int16_t(Value.size() >= 25 ? FixedField(Value, 25, 1) : 0);
    return image;
}

// An older plain ".BMP" file name: three states with a mask row.
TImageValue PlainFile(const std::wstring& Value)
{
    TImageValue image;
    image.FileName = AsciiUpper(Value);
    if (!Holds(image.FileName, L".BMP"))
        return {};
    image.Form = TImageForm::PlainFile;
    image.UpperCaseNames = true;
    image.MaskType = 1;
    image.ImageCount = 3;
    image.WidthsFromSize = true;
    image.ProbeCorners = true;
    return image;
}

TImageValue RectangleList(const std::wstring& Value, TCodePageRoundTrip RoundTrip)
{
    const TWords lists(RoundTrip(Value), L" ()");
    const TWords rect(lists.Word(2), L" ,");
    const TWords params(lists.Word(3), L" ,");
    TImageValue image;
    image.Form = TImageForm::RectangleList;
    image.UpperCaseNames = true;
    image.Left = rect.Number(1);
    image.Top = rect.Number(2);
    image.Right = rect.Number(3);
    image.Bottom = rect.Number(4);
    image.ImageCount = int16_t(std::max(params.Number(1), 1));
    image.MaskType = int16_t(std::max(params.Number(2), 0));
    image.BorderWidth = int16_t(std::max(params.StrictNumber(3, 0), 0));
    image.DrawMode = int16_t(params.StrictNumber(4, 1));
    SetUniformWidths(image);
    image.ProbeCorners = true;
    return image;
}

}  // namespace optionstext

TImageValue ReadImageValue(const std::wstring& Value, double Version, TCodePageRoundTrip RoundTrip)
{
    switch (Value.front()) {
    case L'!': return optionstext::ImageFile(Value, RoundTrip);
    case L'@': return optionstext::Glyph(Value);
    case L'^': return optionstext::Border(Value, Version);
    case L'~': return optionstext::Texture(Value);
    default:
        if (!optionstext::Holds(Value, L"#"))
            return optionstext::PlainFile(Value);
        return Value == L"#" ? TImageValue() : optionstext::RectangleList(Value, RoundTrip);
    }
}

TImageValue ReadCommonImageValue(const std::wstring& Value, bool HasMaster, TCodePageRoundTrip RoundTrip)
{
    if (!HasMaster || !optionstext::Holds(Value, L"#"))
        return optionstext::PlainFile(Value);
    return Value == L"#" ? TImageValue() : optionstext::RectangleList(Value, RoundTrip);
}

void SetImageSize(TImageValue& Image, int Width, int Height)
{
    Image.Left = Image.Top = 0;
    Image.Right = Width;
    Image.Bottom = Height;
    if (Image.WidthsFromSize)
        optionstext::SetDefaultWidths(Image);
}

void ForEachImageValue(const vcl::TIniText& Ini,
                       const std::function<void(const std::wstring&, const std::wstring&, const std::wstring&)>& Visit)
{
    for (int section : Ini.FirstSections())
        for (int key : Ini.FirstKeys(section)) {
            const std::wstring& name = Ini.SectionName(section);
            const std::wstring& value = Ini.Value(section, key);
            const bool master = name == optionstext::GlobalInfo && Ini.Key(section, key) == L"MASTERBITMAP";
            if (!value.empty() && !master)
                Visit(name, Ini.Key(section, key), value);
        }
}

std::string Utf8(const std::wstring& Text)
{
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        uint32_t c = uint32_t(Text[i]);
        // Where wchar_t holds UTF-16, a surrogate pair is one character; a lone one stays as it is.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < Text.size() && uint32_t(Text[i + 1]) >= 0xDC00 &&
            uint32_t(Text[i + 1]) < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(Text[++i]) - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            c = std::min<uint32_t>(c, 0x10FFFF);
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace skin
