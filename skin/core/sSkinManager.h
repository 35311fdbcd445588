#pragma once
// The skin manager component that a form holds: which skin to use and where to find it, and the
// tables of the loaded skin with their look-ups.
//
// The tables (ma, pa, gd, ConstData, MasterBitmap, SkinData) are read by every painter; only the
// manager writes them. Indexes are table positions, -1 when absent, valid until the next load.
// Names compare with case; the engine's own section names are in capitals.
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManagerStoredSkins.h"
#include "skin/core/sStyleSimply.h"
#include "vcl/classes.h"
#include "vcl/inifiles.h"

#include <array>
#include <memory>

namespace skin {

// How skinned menus look.
class TacMenuSupport : public vcl::TPersistent {
    CL_CLASS(TacMenuSupport, vcl::TPersistent)
public:
    // The skin section of the icon column.
    const vcl::String& IcoLineSkin() const { return FIcoLineSkin; }
    void SetIcoLineSkin(const vcl::String& value) { FIcoLineSkin = value; }

private:
    vcl::String FIcoLineSkin;
};

// The class names, one per line, of standard controls that the skin library skins by kind of
// wrapper. A single blank is a list that names no class.
class ThirdPartyList : public vcl::TPersistent {
    CL_CLASS(ThirdPartyList, vcl::TPersistent)
public:
    enum Index {
        ThirdEdits, ThirdButtons, ThirdBitBtns, ThirdCheckBoxes, ThirdComboBoxes, ThirdGrids, ThirdGroupBoxes,
        ThirdListViews, ThirdPanels, ThirdTreeViews, ThirdWWEdits, ThirdGridEh, ThirdVirtualTrees,
        ThirdPageControl, ThirdTabControl, ThirdToolBar, ThirdStatusBar, ThirdSpeedButton, ThirdScrollControl,
        ThirdUpDown, ThirdScrollBar, Count
    };

    // Indexes outside 0 to Count - 1 read nothing and write nothing.
    vcl::String GetString(int index) const;
    void SetString(int index, const vcl::String& value);

private:
    std::array<vcl::String, Count> FLists;
};

class TsSkinManager : public vcl::TComponent {
    CL_CLASS(TsSkinManager, vcl::TComponent)
public:
    explicit TsSkinManager(vcl::TComponent* AOwner);

    const vcl::String& SkinName() const { return FSkinName; }
    void SetSkinName(const vcl::String& value) { FSkinName = value; }
    // The folder of skin folders and packed skin files.
    const vcl::String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const vcl::String& value) { FSkinDirectory = value; }
    // INI text merged into every skin.
    vcl::TStringList* CommonSections() const { return FCommonSections.get(); }
    TsStoredSkins* InternalSkins() const { return FBuiltInSkins.get(); }
    TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
    ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }

    // ---------------------------------------------------------------------------------------------
    // Loading

    // Loads the skin of a folder holding "Options.dat" into the tables: images, patterns,
    // sections, then the common indexes. A missing options file raises EFOpenError; a malformed
    // value raises the class library's conversion or arithmetic error and ends the load, the
    // tables keeping what was built so far. Broadcasting the new skin is the caller's business.
    void LoadSkinFolder(const vcl::String& Folder);

    // The loading steps, in the order a load runs them; each empties its own table first.
    // MasterBitmap and ma from SkinFile and CommonSections.
    void LoadAllMasks();
    // pa from the JPEG files that SkinFile and CommonSections name; JPEGs of the skin under
    // 900,000 pixels become texture images of ma instead.
    void LoadAllPatterns();
    // SkinData and gd from SkinFile and CommonSections, then each section's image indexes.
    void LoadAllGeneralData();
    // ConstData, then each section's image indexes (InitMaskIndexes).
    void InitConstantIndexes();
    // BorderIndex, the four corner indexes and TextureNormal of every section.
    void InitMaskIndexes();
    // Frees the images of ma (last first) and the master bitmap.
    void FreeBitmaps();
    // Frees the patterns of pa (last first).
    void FreeJpegs();

    // ---------------------------------------------------------------------------------------------
    // Look-ups (first match in table order)

    // The section named exactly SkinSection; -1 when none.
    int GetSkinIndex(const vcl::String& SkinSection) const;
    // The image Mask of the section, else of its "PARENTCLASS" ancestors; -1 when none. SkinIndex
    // is the section's index (-1 gives -1); a cycle of parents ends with -1.
    int GetMaskIndex(int SkinIndex, const vcl::String& SkinSection, const vcl::String& Mask) const;
    // The image Mask of that section alone, without inheritance; -1 when none.
    int GetMaskIndex(const vcl::String& SkinSection, const vcl::String& Mask) const;
    // As GetMaskIndex with inheritance, among texture images only.
    int GetTextureIndex(int SkinIndex, const vcl::String& SkinSection, const vcl::String& PropName) const;
    // As GetMaskIndex with inheritance, in the pattern table.
    int GetPatternIndex(int SkinIndex, const vcl::String& SkinSection, const vcl::String& Pattern) const;
    bool IsValidImgIndex(int ImageIndex) const { return ImageIndex >= 0 && size_t(ImageIndex) < ma.size(); }
    bool IsValidSkinIndex(int SkinIndex) const
    {
        return SkinData && SkinIndex >= 0 && size_t(SkinIndex) < gd.size();
    }

    // ---------------------------------------------------------------------------------------------
    // Geometry of an image: the border width of one side, else the image's one border width, else
    // the whole frame. MaskIndex must be valid; an ImageCount of 0 is set to 1 in the table first.
    int MaskWidthLeft(int MaskIndex);
    int MaskWidthTop(int MaskIndex);
    int MaskWidthRight(int MaskIndex);
    int MaskWidthBottom(int MaskIndex);

    // ---------------------------------------------------------------------------------------------
    // The tables of the loaded skin

    TsMaskArray ma;                              // images, in load order
    TsPatternArray pa;                           // large JPEG patterns, in load order
    TsGeneralDataArray gd;                       // sections: the skin's in file order, then the common ones
    TConstantSkinData ConstData;                 // cached indexes of common sections and images
    vcl::TObjectPtr<vcl::TBitmap> MasterBitmap;  // the skin's master image, 32 bits per pixel
    vcl::TObjectPtr<TsSkinData> SkinData;        // the skin's global information

private:
    int MaskWidth(int MaskIndex, vcl::SmallInt TsMaskData::*Side, bool Across);

    vcl::String FSkinName;
    vcl::String FSkinDirectory;
    std::unique_ptr<TsStoredSkins> FBuiltInSkins;
    std::unique_ptr<vcl::TStringList> FCommonSections;
    std::unique_ptr<TacMenuSupport> FMenuSupport;
    std::unique_ptr<ThirdPartyList> FThirdParty;
};

// The INI object (case-sensitive, file order) of the skin being loaded; none outside a load.
extern vcl::TMemIniFile* SkinFile;

}  // namespace skin
