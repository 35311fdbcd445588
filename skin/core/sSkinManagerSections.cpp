// The section table of a skin (gd), its global information (SkinData) and the cached indexes of
// common elements (ConstData).
//
// A section's keys are read with inheritance: a key that is missing, or holds -1 (integers) or "?"
// (texts), is taken from the section named by "PARENTCLASS", and so on up the chain; a value found
// in an ancestor has system colours resolved. A chain that names a section already visited ends
// as if the key were missing.
#include "skin/core/sSkinManager.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/graphics.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::SmallInt;
using vcl::String;
using vcl::TColor;

namespace {

const String GlobalInfo = L"GLOBALINFO";
const String ParentKey = L"PARENTCLASS";

TColor Converted(int Value) { return TColor(vcl::ColorToRGB(TColor(Value))); }

bool IsTrue(const String& Text)
{
    const String upper = vcl::UpperCase(Text);
    return upper == L"1" || upper == L"TRUE";
}

// ---------------------------------------------------------------------------------------------
// Inherited reads over the skin's own options file

class TInheritedReader {
public:
    explicit TInheritedReader(const vcl::TMemIniFile& Ini) : FIni(Ini) {}

    int Integer(const String& Section, const String& Key, int Default) const
    {
        const auto read = [&](const String& section) -> std::optional<int> {
            const int value = FIni.ReadInteger(section, Key, -1);
            return value == -1 ? std::nullopt : std::optional<int>(value);
        };
        return Find<int>(Section, read, [](int value) { return int(Converted(value)); }).value_or(Default);
    }
    String Text(const String& Section, const String& Key, const String& Default) const
    {
        const auto read = [&](const String& section) -> std::optional<String> {
            String value = FIni.ReadString(section, Key, L"?");
            return value == L"?" ? std::nullopt : std::optional<String>(std::move(value));
        };
        return Find<String>(Section, read, [](String value) { return value; }).value_or(Default);
    }
    bool Boolean(const String& Section, const String& Key) const { return IsTrue(Text(Section, Key, L"0")); }

private:
    // The value Read finds in the section or, converted, in the nearest ancestor that has one.
    template<class T, class Read, class Convert>
    std::optional<T> Find(const String& Section, Read read, Convert convert) const
    {
        std::vector<String> visited;
        String section = Section;
        for (;;) {
            if (std::optional<T> value = read(section))
                return section == Section ? value : std::optional<T>(convert(std::move(*value)));
            visited.push_back(section);
            section = FIni.ReadString(section, ParentKey, L"?");
            if (section.empty() || section == L"?" || std::ranges::find(visited, section) != visited.end())
                return std::nullopt;
        }
    }

    const vcl::TMemIniFile& FIni;
};

// ---------------------------------------------------------------------------------------------
// The keys of a section

// Reads and writes one integer-like field of a section record through int.
template<auto Member>
struct TField {
    static int Get(const TsGeneralData& d) { return int(d.*Member); }
    static void Set(TsGeneralData& d, int v) { d.*Member = static_cast<std::remove_cvref_t<decltype(d.*Member)>>(v); }
};
template<auto Colours, auto Side>
struct TSideField {
    static int Get(const TsGeneralData& d) { return int((d.*Colours).*Side); }
    static void Set(TsGeneralData& d, int v) { (d.*Colours).*Side = TColor(v); }
};

enum TFieldFlag : unsigned {
    ffHot = 1,      // a field of the hot state: the skin's loader reads it for two states or more only
    ffColour = 2,   // the skin's loader resolves a system colour in it
    ffOwnOnly = 4,  // CommonSections: a missing key gives the default, only a written -1 the parent's
};

struct TIntegerField {
    const wchar_t* Key;
    int Default;
    int (*Get)(const TsGeneralData&);
    void (*Set)(TsGeneralData&, int);
    unsigned Flags;
};

template<class F>
constexpr TIntegerField Row(const wchar_t* Key, int Default, unsigned Flags = 0)
{
    return {Key, Default, &F::Get, &F::Set, Flags};
}

using FC = TsFontColor;
using G = TsGeneralData;

const TIntegerField IntegerFields[] = {
    Row<TField<&G::Color>>(L"COLOR", 0xFFFFFF, ffColour),
    Row<TField<&G::GlowCount>>(L"GLOW", 0, ffOwnOnly),
    Row<TField<&G::GlowMargin>>(L"GLOWMARGIN", 0, ffOwnOnly),
    Row<TSideField<&G::FontColor, &FC::Color>>(L"FONTCOLOR", 0),
    Row<TSideField<&G::FontColor, &FC::Left>>(L"TCLEFT", -1),
    Row<TSideField<&G::FontColor, &FC::Top>>(L"TCTOP", -1),
    Row<TSideField<&G::FontColor, &FC::Right>>(L"TCRIGHT", -1),
    Row<TSideField<&G::FontColor, &FC::Bottom>>(L"TCBOTTOM", -1),
    Row<TField<&G::Transparency>>(L"TRANSPARENCY", 0),
    Row<TField<&G::GradientPercent>>(L"GRADIENTPERCENT", 0),
    Row<TField<&G::ImagePercent>>(L"IMAGEPERCENT", 0),
    Row<TField<&G::FadingIterations>>(L"FADINGITERATIONS", 5),
    Row<TField<&G::GlowColor>>(L"GCOL", 0xFFFFFF, ffColour),
    Row<TField<&G::GlowSize>>(L"GSIZE", 0, ffOwnOnly),
    Row<TSideField<&G::HotFontColor, &FC::Color>>(L"HOTFONTCOLOR", 0, ffHot),
    Row<TSideField<&G::HotFontColor, &FC::Left>>(L"HOTTCLEFT", -1, ffHot),
    Row<TSideField<&G::HotFontColor, &FC::Top>>(L"HOTTCTOP", -1, ffHot),
    Row<TSideField<&G::HotFontColor, &FC::Right>>(L"HOTTCRIGHT", -1, ffHot),
    Row<TSideField<&G::HotFontColor, &FC::Bottom>>(L"HOTTCBOTTOM", -1, ffHot),
    Row<TField<&G::HotGlowColor>>(L"HGCOL", 0xFFFFFF, ffHot | ffColour),
    Row<TField<&G::HotGlowSize>>(L"HGSIZE", 0, ffHot | ffOwnOnly),
    Row<TField<&G::HotColor>>(L"HOTCOLOR", 0xFFFFFF, ffHot),
    Row<TField<&G::HotTransparency>>(L"HOTTRANSPARENCY", 0, ffHot),
    Row<TField<&G::HotGradientPercent>>(L"HOTGRADIENTPERCENT", 0, ffHot),
    Row<TField<&G::HotImagePercent>>(L"HOTIMAGEPERCENT", 0, ffHot),
};

const struct {
    const wchar_t* Key;
    bool G::*Field;
} BooleanFields[] = {
    {L"RESERVEDBOOLEAN", &G::ReservedBoolean},
    {L"GIVEOWNFONT", &G::GiveOwnFont},
    {L"SHOWFOCUS", &G::ShowFocus},
    {L"FADINGENABLED", &G::FadingEnabled},
};

const struct {
    const wchar_t* Key;
    const wchar_t* Default;
    String G::*Field;
    unsigned Flags;
} TextFields[] = {
    {L"GRADIENTDATA", L" ", &G::GradientData, 0},
    {L"HOTGRADIENTDATA", L"", &G::HotGradientData, ffHot},
};

// The normal (Hot false) or hot state as the record's flat fields describe it.
TsGenState StateOf(const TsGeneralData& d, bool Hot)
{
    if (Hot)
        return {d.HotColor, d.HotFontColor, d.HotGradientPercent, d.HotGradientData, d.HotGradientArray,
                d.HotImagePercent, d.HotGlowColor, d.HotGlowSize, d.HotTransparency};
    return {d.Color, d.FontColor, d.GradientPercent, d.GradientData, d.GradientArray,
            d.ImagePercent, d.GlowColor, d.GlowSize, d.Transparency};
}

void SetProps(TsGeneralData& d)
{
    d.Props[0] = StateOf(d, false);
    d.Props[1] = d.States < 2 ? d.Props[0] : StateOf(d, true);
}

// A section of the skin's own options file.
TsGeneralData ReadSection(const vcl::TMemIniFile& Ini, const String& Name)
{
    const TInheritedReader reader(Ini);
    TsGeneralData d;
    d.ClassName = Name;
    d.ParentClass = Ini.ReadString(Name, ParentKey, L"");
    d.States = reader.Integer(Name, L"STATES", 4);
    const bool hot = d.States >= 2;
    for (const TIntegerField& field : IntegerFields)
        if (hot || !(field.Flags & ffHot)) {
            const int value = reader.Integer(Name, field.Key, field.Default);
            field.Set(d, field.Flags & ffColour ? int(Converted(value)) : value);
        }
    for (const auto& field : BooleanFields)
        d.*field.Field = reader.Boolean(Name, field.Key);
    for (const auto& field : TextFields)
        if (hot || !(field.Flags & ffHot))
            d.*field.Field = reader.Text(Name, field.Key, field.Default);
    // A gradient needs a gradient text: without one the gradient share is 0.
    const auto settle = [](const String& data, vcl::Integer& percent, TsGradArray& array) {
        if (data.size() < 2)
            percent = 0;
        else
            PrepareGradArray(data, array);
    };
    settle(d.GradientData, d.GradientPercent, d.GradientArray);
    if (hot)
        settle(d.HotGradientData, d.HotGradientPercent, d.HotGradientArray);
    SetProps(d);
    return d;
}

// A section of CommonSections: its own keys, else the fields of its parent (the first skin
// section named like its upper-cased "PARENTCLASS"), else the defaults. No colour is resolved.
TsGeneralData CommonSection(vcl::TStrings* Sections, const String& Name, const TsGeneralDataArray& gd)
{
    TsGeneralData d;
    d.ClassName = Name;
    d.ParentClass = vcl::UpperCase(ReadIniString(Sections, Name, ParentKey, L"-1"));
    const auto found = std::ranges::find_if(gd, [&](const TsGeneralData& s) { return vcl::UpperCase(s.ClassName) == d.ParentClass; });
    const TsGeneralData* parent = found == gd.end() ? nullptr : &*found;

    for (const TIntegerField& field : IntegerFields) {
        const int value = ReadIniInteger(Sections, Name, field.Key, field.Flags & ffOwnOnly ? 0 : -1);
        field.Set(d, value != -1 ? value : parent ? field.Get(*parent) : field.Default);
    }
    for (const auto& field : BooleanFields) {
        const String value = ReadIniString(Sections, Name, field.Key, L"?");
        d.*field.Field = value != L"?" ? IsTrue(value) : parent && (*parent).*field.Field;
    }
    for (const auto& field : TextFields) {
        const String value = ReadIniString(Sections, Name, field.Key, L"?");
        d.*field.Field = value != L"?" ? value : parent ? (*parent).*field.Field : String(field.Default);
    }
    if (d.GradientData.size() > 1)
        PrepareGradArray(d.GradientData, d.GradientArray);
    if (d.HotGradientData.size() > 1)
        PrepareGradArray(d.HotGradientData, d.HotGradientArray);
    // Its own "STATES", else its parent's, else the default of a section: a hot state built from
    // the parent's hot fields stays as the parent draws it.
    const int states = ReadIniInteger(Sections, Name, L"STATES", -1);
    d.States = states != -1 ? states : parent ? parent->States : 4;
    SetProps(d);
    return d;
}

void MergeCommonSections(TsGeneralDataArray& gd, vcl::TStrings* CommonSections)
{
    if (CommonSections->Count() == 0)
        return;
    vcl::TStringList sections;
    sections.SetCaseSensitive(true);
    sections.SetOwnsObjects(true);
    GetIniSections(CommonSections, &sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const String name = sections.Strings(i);
        // A skin section is never changed by CommonSections.
        if (std::ranges::none_of(gd, [&](const TsGeneralData& s) { return s.ClassName == name; }))
            gd.push_back(CommonSection(&sections, name, gd));
    }
}

// ---------------------------------------------------------------------------------------------
// The global information

const struct {
    const wchar_t* Key;
    SmallInt TsSkinData::*Field;
    int Default;
    bool Strict;  // text that is not an integer fails the load
} GlobalNumbers[] = {
    {L"BORDERWIDTH", &TsSkinData::ExBorderWidth, 4, false},
    {L"ALIGNOFFSET", &TsSkinData::ExShadowOffs, 0, false},
    {L"CENTEROFFSET", &TsSkinData::ExCenterOffs, 0, false},
    {L"BORDERMODE", &TsSkinData::ExDrawMode, 0, false},
    {L"SHADOW1OFFSET", &TsSkinData::Shadow1Offset, 0, true},
    {L"SHADOW1TRANSPARENCY", &TsSkinData::Shadow1Transparency, 0, true},
    {L"SHADOW1BLUR", &TsSkinData::Shadow1Blur, -1, true},
    {L"BISPACE", &TsSkinData::BISpacing, 0, false},
    {L"BIVALIGN", &TsSkinData::BIVAlign, 0, false},
    {L"BIRIGHT", &TsSkinData::BIRightMargin, 0, false},
    {L"BILEFT", &TsSkinData::BILeftMargin, 0, false},
    {L"BITOP", &TsSkinData::BITopMargin, 0, false},
    {L"BIKEEPHUE", &TsSkinData::BIKeepHUE, 0, false},
    {L"BICONCLOSEGLOW", &TsSkinData::BICloseGlow, 0, true},
    {L"BICONCLOSEGLOWMARGIN", &TsSkinData::BICloseGlowMargin, 0, true},
    {L"BICONMAXGLOW", &TsSkinData::BIMaxGlow, 0, true},
    {L"BICONMAXGLOWMARGIN", &TsSkinData::BIMaxGlowMargin, 0, true},
    {L"BICONMINGLOW", &TsSkinData::BIMinGlow, 0, true},
    {L"BICONMINGLOWMARGIN", &TsSkinData::BIMinGlowMargin, 0, true},
};

const struct {
    const wchar_t* Key;
    TColor TsSkinData::*Field;
} GlobalColours[] = {
    {L"SHADOW1COLOR", &TsSkinData::Shadow1Color},
    {L"BORDERCOLOR", &TsSkinData::BorderColor},
    {L"EXTSHADOW", &TsSkinData::ExtShadowColor},
};

void ReadGlobalInfo(TsSkinData& Data, const vcl::TMemIniFile& Ini)
{
    const auto integer = [&](const wchar_t* key, int defaultValue) { return Ini.ReadInteger(GlobalInfo, key, defaultValue); };
    Data.Version = ReadSkinVersion(Ini);
    Data.Author = Ini.ReadString(GlobalInfo, L"AUTHOR", L"");
    Data.Description = Ini.ReadString(GlobalInfo, L"DESCRIPTION", L"");
    for (const auto& field : GlobalNumbers)
        Data.*field.Field = SmallInt(field.Strict ? vcl::StrToInt(Ini.ReadString(GlobalInfo, field.Key, vcl::IntToStr(field.Default)))
                                                  : integer(field.Key, field.Default));
    for (const auto& field : GlobalColours)
        Data.*field.Field = TColor(integer(field.Key, 0));
    Data.ExTitleHeight = SmallInt(integer(L"TITLEHEIGHT", 0));
    if (Data.ExTitleHeight == 0)
        Data.ExTitleHeight = 30;
    Data.ExMaxHeight = SmallInt(integer(L"MAXHEIGHT", 0));
    if (Data.ExMaxHeight == 0)
        Data.ExMaxHeight = Data.ExTitleHeight;
    Data.ExContentOffs = SmallInt(integer(L"FORMOFFSET", vcl::Seams().SystemMetrics(SM_CXSIZEFRAME)));
    Data.UseAeroBluring = integer(L"AEROBLUR", 0) != 0;
}

// ---------------------------------------------------------------------------------------------
// Common indexes

enum class TIndexKind {
    Section,      // the section's index
    Image,        // an image of the section or its ancestors
    ImageByName,  // an image of that section alone
    Texture,      // a texture image of the section or its ancestors
};

using TConstField = std::variant<SmallInt TConstantSkinData::*, vcl::Integer TConstantSkinData::*>;
using C = TConstantSkinData;

const struct {
    TConstField Field;
    TIndexKind Kind;
    const wchar_t* Section;
    const wchar_t* Key;
} ConstantIndexes[] = {
    {&C::IndexGLobalInfo, TIndexKind::Section, L"GLOBALINFO", L""},
    {&C::CheckBoxChecked, TIndexKind::Image, L"GLOBALINFO", L"BOXCHECKED"},
    {&C::CheckBoxUnChecked, TIndexKind::Image, L"GLOBALINFO", L"BOXUNCHECKED"},
    {&C::CheckBoxGrayed, TIndexKind::Image, L"GLOBALINFO", L"BOXGRAYED"},
    {&C::RadioButtonChecked, TIndexKind::Image, L"GLOBALINFO", L"RADIOCHECKED"},
    {&C::RadioButtonUnChecked, TIndexKind::Image, L"GLOBALINFO", L"RADIOUNCHECKED"},
    {&C::RadioButtonGrayed, TIndexKind::Image, L"GLOBALINFO", L"RADIOGRAYED"},
    {&C::SmallCheckBoxChecked, TIndexKind::Image, L"GLOBALINFO", L"SMALLCHECKED"},
    {&C::SmallCheckBoxUnChecked, TIndexKind::Image, L"GLOBALINFO", L"SMALLUNCHECKED"},
    {&C::SmallCheckBoxGrayed, TIndexKind::Image, L"GLOBALINFO", L"SMALLGRAYED"},
    {&C::ExBorder, TIndexKind::Image, L"GLOBALINFO", L"EXBORDER"},
    {&C::GripRightBottom, TIndexKind::Image, L"GLOBALINFO", L"GRIPIMAGE"},
    {&C::GripHorizontal, TIndexKind::Image, L"GLOBALINFO", L"GRIPHORZ"},
    {&C::GripVertical, TIndexKind::Image, L"GLOBALINFO", L"GRIPVERT"},
    {&C::ComboBtnIndex, TIndexKind::Section, L"COMBOBTN", L""},
    {&C::ComboBtnBorder, TIndexKind::ImageByName, L"COMBOBTN", L"BORDERSMASK"},
    {&C::ComboBtnBG, TIndexKind::Texture, L"COMBOBTN", L"PATTERN"},
    {&C::ComboBtnBGHot, TIndexKind::Texture, L"COMBOBTN", L"HOTPATTERN"},
    {&C::ComboGlyph, TIndexKind::ImageByName, L"COMBOBOX", L"GLYPHMASK"},
    {&C::IndexTabTop, TIndexKind::Section, L"TABTOP", L""},
    {&C::IndexTabBottom, TIndexKind::Section, L"TABBOTTOM", L""},
    {&C::IndexTabLeft, TIndexKind::Section, L"TABLEFT", L""},
    {&C::IndexTabRight, TIndexKind::Section, L"TABRIGHT", L""},
    {&C::MaskTabTop, TIndexKind::Image, L"TABTOP", L"BORDERSMASK"},
    {&C::MaskTabBottom, TIndexKind::Image, L"TABBOTTOM", L"BORDERSMASK"},
    {&C::MaskTabLeft, TIndexKind::Image, L"TABLEFT", L"BORDERSMASK"},
    {&C::MaskTabRight, TIndexKind::Image, L"TABRIGHT", L"BORDERSMASK"},
    {&C::IndexScrollTop, TIndexKind::Section, L"SCROLLBTNTOP", L""},
    {&C::IndexScrollBottom, TIndexKind::Section, L"SCROLLBTNBOTTOM", L""},
    {&C::IndexScrollLeft, TIndexKind::Section, L"SCROLLBTNLEFT", L""},
    {&C::IndexScrollRight, TIndexKind::Section, L"SCROLLBTNRIGHT", L""},
    {&C::MaskScrollTop, TIndexKind::Image, L"SCROLLBTNTOP", L"BORDERSMASK"},
    {&C::MaskScrollBottom, TIndexKind::Image, L"SCROLLBTNBOTTOM", L"BORDERSMASK"},
    {&C::MaskScrollLeft, TIndexKind::Image, L"SCROLLBTNLEFT", L"BORDERSMASK"},
    {&C::MaskScrollRight, TIndexKind::Image, L"SCROLLBTNRIGHT", L"BORDERSMASK"},
    {&C::MaskArrowTop, TIndexKind::Image, L"SCROLLBTNTOP", L"GLYPHMASK"},
    {&C::MaskArrowBottom, TIndexKind::Image, L"SCROLLBTNBOTTOM", L"GLYPHMASK"},
    {&C::MaskArrowLeft, TIndexKind::Image, L"SCROLLBTNLEFT", L"GLYPHMASK"},
    {&C::MaskArrowRight, TIndexKind::Image, L"SCROLLBTNRIGHT", L"GLYPHMASK"},
    {&C::IndexBGScrollTop, TIndexKind::Image, L"SCROLLBTNTOP", L"PATTERN"},
    {&C::IndexBGScrollBottom, TIndexKind::Image, L"SCROLLBTNBOTTOM", L"PATTERN"},
    {&C::IndexBGScrollLeft, TIndexKind::Image, L"SCROLLBTNLEFT", L"PATTERN"},
    {&C::IndexBGScrollRight, TIndexKind::Image, L"SCROLLBTNRIGHT", L"PATTERN"},
    {&C::IndexBGHotScrollTop, TIndexKind::Image, L"SCROLLBTNTOP", L"HOTPATTERN"},
    {&C::IndexBGHotScrollBottom, TIndexKind::Image, L"SCROLLBTNBOTTOM", L"HOTPATTERN"},
    {&C::IndexBGHotScrollLeft, TIndexKind::Image, L"SCROLLBTNLEFT", L"HOTPATTERN"},
    {&C::IndexBGHotScrollRight, TIndexKind::Image, L"SCROLLBTNRIGHT", L"HOTPATTERN"},
    {&C::IndexSliderVert, TIndexKind::Section, L"SCROLLSLIDERV", L""},
    {&C::IndexSliderHorz, TIndexKind::Section, L"SCROLLSLIDERH", L""},
    {&C::MaskSliderVert, TIndexKind::Image, L"SCROLLSLIDERV", L"BORDERSMASK"},
    {&C::MaskSliderGlyphVert, TIndexKind::Image, L"SCROLLSLIDERV", L"GLYPHMASK"},
    {&C::ScrollSliderBGVert, TIndexKind::Image, L"SCROLLSLIDERV", L"PATTERN"},
    {&C::ScrollSliderBGHotVert, TIndexKind::Image, L"SCROLLSLIDERV", L"HOTPATTERN"},
    {&C::MaskSliderHorz, TIndexKind::Image, L"SCROLLSLIDERH", L"BORDERSMASK"},
    {&C::MaskSliderGlyphHorz, TIndexKind::Image, L"SCROLLSLIDERH", L"GLYPHMASK"},
    {&C::ScrollSliderBGHorz, TIndexKind::Image, L"SCROLLSLIDERH", L"PATTERN"},
    {&C::ScrollSliderBGHotHorz, TIndexKind::Image, L"SCROLLSLIDERH", L"HOTPATTERN"},
    {&C::IndexScrollBar1H, TIndexKind::Section, L"SCROLLBAR1H", L""},
    {&C::IndexScrollBar1V, TIndexKind::Section, L"SCROLLBAR1V", L""},
    {&C::IndexScrollBar2H, TIndexKind::Section, L"SCROLLBAR2H", L""},
    {&C::IndexScrollBar2V, TIndexKind::Section, L"SCROLLBAR2V", L""},
    {&C::MaskScrollBar1H, TIndexKind::Image, L"SCROLLBAR1H", L"BORDERSMASK"},
    {&C::MaskScrollBar1V, TIndexKind::Image, L"SCROLLBAR1V", L"BORDERSMASK"},
    {&C::MaskScrollBar2H, TIndexKind::Image, L"SCROLLBAR2H", L"BORDERSMASK"},
    {&C::MaskScrollBar2V, TIndexKind::Image, L"SCROLLBAR2V", L"BORDERSMASK"},
    {&C::BGScrollBar1H, TIndexKind::Image, L"SCROLLBAR1H", L"PATTERN"},
    {&C::BGScrollBar1V, TIndexKind::Image, L"SCROLLBAR1V", L"PATTERN"},
    {&C::BGScrollBar2H, TIndexKind::Image, L"SCROLLBAR2H", L"PATTERN"},
    {&C::BGScrollBar2V, TIndexKind::Image, L"SCROLLBAR2V", L"PATTERN"},
    {&C::BGHotScrollBar1H, TIndexKind::Image, L"SCROLLBAR1H", L"HOTPATTERN"},
    {&C::BGHotScrollBar1V, TIndexKind::Image, L"SCROLLBAR1V", L"HOTPATTERN"},
    {&C::BGHotScrollBar2H, TIndexKind::Image, L"SCROLLBAR2H", L"HOTPATTERN"},
    {&C::BGHotScrollBar2V, TIndexKind::Image, L"SCROLLBAR2V", L"HOTPATTERN"},
    {&C::IndexWebBtn, TIndexKind::Section, L"WEBBUTTON", L""},
};

}  // namespace

void TsSkinManager::LoadAllGeneralData()
{
    gd.clear();
    if (SkinFile) {
        ReadGlobalInfo(*SkinData, *SkinFile);
        vcl::TStringList sections;
        SkinFile->ReadSections(&sections);
        for (int i = 0; i < sections.Count(); ++i)
            gd.push_back(ReadSection(*SkinFile, sections.Strings(i)));
    }
    MergeCommonSections(gd, CommonSections());
    InitMaskIndexes();
    // Every skin is shown with the manager's recolouring applied.
    ChangeSkinHue(this, HueOffset());
    ChangeSkinSaturation(this, Saturation());
}

void TsSkinManager::InitConstantIndexes()
{
    for (const auto& row : ConstantIndexes) {
        const int section = GetSkinIndex(row.Section);
        int index = section;
        if (row.Kind != TIndexKind::Section && section >= 0)
            index = row.Kind == TIndexKind::Image         ? GetMaskIndex(section, row.Section, row.Key)
                    : row.Kind == TIndexKind::ImageByName ? GetMaskIndex(row.Section, row.Key)
                                                          : GetTextureIndex(section, row.Section, row.Key);
        std::visit([&](auto field) { ConstData.*field = static_cast<std::remove_cvref_t<decltype(ConstData.*field)>>(index); },
                   row.Field);
    }
    InitMaskIndexes();
    CheckShadows();
}

void TsSkinManager::InitMaskIndexes()
{
    // The global section's keys name images that belong to no control: it has neither border
    // nor texture.
    const int global = GetSkinIndex(GlobalInfo);
    for (size_t i = 0; i < gd.size(); ++i) {
        TsGeneralData& d = gd[i];
        const int index = int(i);
        const bool own = index != global;
        d.BorderIndex = own ? GetMaskIndex(index, d.ClassName, L"BORDERSMASK") : -1;
        d.ImgTL = own ? GetMaskIndex(index, d.ClassName, L"IMGTOPLEFT") : -1;
        d.ImgTR = own ? GetMaskIndex(index, d.ClassName, L"IMGTOPRIGHT") : -1;
        d.ImgBL = own ? GetMaskIndex(index, d.ClassName, L"IMGBTMLEFT") : -1;
        d.ImgBR = own ? GetMaskIndex(index, d.ClassName, L"IMGBTMRIGHT") : -1;
        d.TextureNormal = own ? GetTextureIndex(index, d.ClassName, L"PATTERN") : -1;
    }
}

}  // namespace skin
