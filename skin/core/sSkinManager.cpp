#include "skin/core/sSkinManager.h"

#include <algorithm>

#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;

vcl::TMemIniFile* SkinFile = nullptr;

vcl::String ThirdPartyList::GetString(int index) const
{
    if (index < 0 || index >= Count)
        return {};
    return FLists[index];
}

void ThirdPartyList::SetString(int index, const vcl::String& value)
{
    if (index >= 0 && index < Count)
        FLists[index] = value;
}

TsSkinManager::TsSkinManager(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner),
      SkinData(vcl::Create<TsSkinData>()),
      FBuiltInSkins(std::make_unique<TsStoredSkins>(this)),
      FCommonSections(std::make_unique<vcl::TStringList>()),
      FMenuSupport(std::make_unique<TacMenuSupport>()),
      FThirdParty(std::make_unique<ThirdPartyList>())
{
    FCommonSections->SetCaseSensitive(true);
}

// ---------------------------------------------------------------------------------------------
// Loading

double ReadSkinVersion(const vcl::TCustomIniFile& Ini)
{
    double version = 0;
    return vcl::TryStrToFloat(Ini.ReadString(L"GLOBALINFO", L"VERSION", L""), version, vcl::TFormatSettings::Invariant())
               ? version
               : 0;
}

namespace {

// Makes an INI object the global SkinFile for the lifetime of the scope.
class TSkinFileScope {
public:
    explicit TSkinFileScope(vcl::TMemIniFile* Ini) { SkinFile = Ini; }
    ~TSkinFileScope() { SkinFile = nullptr; }
    TSkinFileScope(const TSkinFileScope&) = delete;
    TSkinFileScope& operator=(const TSkinFileScope&) = delete;
};

}  // namespace

void TsSkinManager::LoadSkinFolder(const String& Folder)
{
    SkinData->SkinPath = NormalDir(Folder);
    const String options = SkinData->SkinPath + L"Options.dat";
    if (!vcl::FileExists(options))
        throw vcl::EFOpenError(vcl::Format(L"Cannot open file \"%s\". %s", options, L"The skin folder has no options file."));
    vcl::TMemIniFile ini(options);
    ini.SetCaseSensitive(true);
    TSkinFileScope scope(&ini);
    SkinData->Version = ReadSkinVersion(ini);
    LoadAllMasks();
    LoadAllPatterns();
    LoadAllGeneralData();
    InitConstantIndexes();
}

void TsSkinManager::FreeBitmaps()
{
    while (!ma.empty())
        ma.pop_back();
    MasterBitmap.reset();
}

void TsSkinManager::FreeJpegs()
{
    while (!pa.empty())
        pa.pop_back();
}

// ---------------------------------------------------------------------------------------------
// Look-ups

int TsSkinManager::GetSkinIndex(const String& SkinSection) const
{
    const auto found = std::find_if(gd.begin(), gd.end(), [&](const TsGeneralData& d) { return d.ClassName == SkinSection; });
    return found == gd.end() ? -1 : int(found - gd.begin());
}

namespace {

// The first entry of the section and key that Accept takes; -1 when none.
template<class Table, class Accept>
int FindImage(const Table& Entries, const String& Section, const String& Key, Accept accept)
{
    const auto found = std::find_if(Entries.begin(), Entries.end(), [&](const auto& e) {
        return e.ClassName == Section && e.PropertyName == Key && accept(e);
    });
    return found == Entries.end() ? -1 : int(found - Entries.begin());
}

constexpr auto AnyEntry = [](const auto&) { return true; };
bool TextureImage(const TsMaskData& m) { return m.ImgType == TacImgType::itisaTexture; }

// Find (a section name) for the section SkinIndex, then along its "PARENTCLASS" ancestors until
// it answers. A parent that is empty, names the section itself, is missing or was visited
// already ends the search with -1.
template<class Find>
int FindInherited(const TsSkinManager& Manager, int SkinIndex, String Section, Find find)
{
    if (SkinIndex < 0 || Section.empty())
        return -1;
    std::vector<int> visited;
    for (;;) {
        const int found = find(Section);
        if (found >= 0 || !Manager.IsValidSkinIndex(SkinIndex))
            return found;
        visited.push_back(SkinIndex);
        String parent = Manager.gd[SkinIndex].ParentClass;
        if (parent.empty() || parent == Section)
            return -1;
        SkinIndex = Manager.GetSkinIndex(parent);
        if (SkinIndex < 0 || std::ranges::find(visited, SkinIndex) != visited.end())
            return -1;
        Section = std::move(parent);
    }
}

}  // namespace

int TsSkinManager::GetMaskIndex(int SkinIndex, const String& SkinSection, const String& Mask) const
{
    return FindInherited(*this, SkinIndex, SkinSection,
                         [&](const String& section) { return FindImage(ma, section, Mask, AnyEntry); });
}

int TsSkinManager::GetMaskIndex(const String& SkinSection, const String& Mask) const
{
    return SkinSection.empty() ? -1 : FindImage(ma, SkinSection, Mask, AnyEntry);
}

int TsSkinManager::GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const
{
    return FindInherited(*this, SkinIndex, SkinSection,
                         [&](const String& section) { return FindImage(ma, section, PropName, TextureImage); });
}

int TsSkinManager::GetPatternIndex(int SkinIndex, const String& SkinSection, const String& Pattern) const
{
    return FindInherited(*this, SkinIndex, SkinSection,
                         [&](const String& section) { return FindImage(pa, section, Pattern, AnyEntry); });
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TsSkinManager::MaskWidth(int MaskIndex, vcl::SmallInt TsMaskData::*Side, bool Across)
{
    vcl::Assert(IsValidImgIndex(MaskIndex), L"Image index out of range");
    TsMaskData& mask = ma[size_t(MaskIndex)];
    if (mask.*Side > 0)
        return mask.*Side;
    if (mask.BorderWidth > 0)
        return mask.BorderWidth;
    if (mask.ImageCount == 0)
        mask.ImageCount = 1;
    return Across ? WidthOfImage(mask) : HeightOfImage(mask);
}

int TsSkinManager::MaskWidthLeft(int MaskIndex) { return MaskWidth(MaskIndex, &TsMaskData::WL, true); }
int TsSkinManager::MaskWidthTop(int MaskIndex) { return MaskWidth(MaskIndex, &TsMaskData::WT, false); }
int TsSkinManager::MaskWidthRight(int MaskIndex) { return MaskWidth(MaskIndex, &TsMaskData::WR, true); }
int TsSkinManager::MaskWidthBottom(int MaskIndex) { return MaskWidth(MaskIndex, &TsMaskData::WB, false); }

}  // namespace skin
