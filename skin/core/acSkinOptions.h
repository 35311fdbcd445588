#pragma once
// The text logic of a skin's options file, free of windows so that it is fuzzed on the host: the
// sections with their "PARENTCLASS" chains and the reads that inherit along them, and the forms of
// image values with the geometry they give. The skin manager's loaders bind it to their tables,
// bitmaps and the class library's errors.
//
// A read with inheritance takes a key from the section, else from the section its "PARENTCLASS"
// names, and so on up the chain. A chain ends at an empty or absent parent, "?", a section the
// text lacks, or a section already on it (a cycle); every chain is resolved once per load, so a
// load takes time in proportion to the text.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "skin/core/acSkinLimits.h"
#include "vcl/initext.h"

namespace skin {

// For nodes that each point to one next node (or to -1), the node at which the walk from each
// node first meets one that Has: the walk follows Next until it finds one, reaches -1 or comes
// back to a node it has passed. -1 where it finds none. Time in proportion to the nodes.
std::vector<int> FirstAlongChains(const std::vector<int>& Next, const std::vector<char>& Has);

// The number of nodes each walk passes before it ends (its node included).
std::vector<int> ChainLengths(const std::vector<int>& Next);

// The sections of an options text (the first of each name, in text order) and their parents.
class TSkinSections {
public:
    // Raises ESkinLimit for a text of more than MaxSkinSections sections or a chain of more than
    // MaxParentDepth steps.
    explicit TSkinSections(const vcl::TIniText& Ini);

    int Count() const { return int(FSections.size()); }
    const std::wstring& Name(int Section) const { return FIni.SectionName(FSections[size_t(Section)]); }
    // The section whose own value an inherited read of Key takes, for every section: its own
    // integer (a number other than -1) or text (other than "?"); -1 where no section of the chain
    // has one.
    const std::vector<int>& IntegerSources(const std::wstring& Key);
    const std::vector<int>& TextSources(const std::wstring& Key);
    // The section's own value of Key; none when it has no such key.
    const std::wstring* OwnText(int Section, const std::wstring& Key) const;
    // The section's own value of Key as an integer; -1 when absent or not a number.
    int32_t OwnInteger(int Section, const std::wstring& Key) const;

private:
    const std::vector<int>& Sources(std::unordered_map<std::wstring, std::vector<int>>& Cache, const std::wstring& Key,
                                    bool Integer);

    const vcl::TIniText& FIni;
    std::vector<int> FSections;  // sections of the text
    std::vector<int> FParents;   // into FSections
    std::unordered_map<std::wstring, std::vector<int>> FIntegerSources, FTextSources;
};

// A value of an options text that does not give what its form needs: a field that must be an
// integer and is not (Text holds it), or image geometry that divides by zero.
class ESkinValueFault : public std::runtime_error {
public:
    enum class TKind { NotInteger, DivisionByZero };
    ESkinValueFault(TKind Kind, std::wstring Text);
    TKind Kind() const { return FKind; }
    const std::wstring& Text() const { return FText; }

private:
    TKind FKind;
    std::wstring FText;
};

// The forms of an image value (see sSkinManagerImages.cpp).
enum class TImageForm { None, Glyph, Border, Texture, File, PlainFile, RectangleList };

// An image value read: its form, the file it names and its geometry, in the fields and the 16-bit
// truncation of the image table. A file's rectangle and, when the value gives no widths, its
// widths follow from the image's size (SetImageSize).
struct TImageValue {
    TImageForm Form = TImageForm::None;
    std::wstring FileName;
    bool Png = false;             // a PNG file, else a BMP file
    bool UpperCaseNames = false;  // the entry's section and key are kept upper-cased
    bool ProbeCorners = false;    // a border whose corners are looked at for key colour
    bool WidthsFromSize = false;  // a file without widths: a third of a frame each
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int16_t ImageCount = 0, MaskType = 0, BorderWidth = 0, DrawMode = 0;
    int ImgType = 0;  // the image table's kinds: 0 border, 1 texture, 2 glyph, 3 glow, 4 PNG glyph
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};

// The text of a value in the system's 8-bit code page and back: the words of file and rectangle
// values are taken there.
using TCodePageRoundTrip = std::wstring (*)(const std::wstring& Text);

// Reads one image value of the skin's own text (Version: the skin's format version). Raises
// ESkinValueFault where a strict field is not an integer or the geometry divides by zero.
TImageValue ReadImageValue(const std::wstring& Value, double Version, TCodePageRoundTrip RoundTrip);
// Reads one value of the common sections: a plain file name or a rectangle list.
TImageValue ReadCommonImageValue(const std::wstring& Value, bool HasMaster, TCodePageRoundTrip RoundTrip);
// A file image of Width x Height pixels: its rectangle and, when the value gave none, its widths.
void SetImageSize(TImageValue& Image, int Width, int Height);

// Calls Visit (section, key, value) for every key of every section of the text in text order
// (the first section and key of each name), the master bitmap's own key and empty values left out.
void ForEachImageValue(const vcl::TIniText& Ini,
                       const std::function<void(const std::wstring&, const std::wstring&, const std::wstring&)>& Visit);

// Text in UTF-8, for messages.
std::string Utf8(const std::wstring& Text);

}  // namespace skin
