#pragma once
// The skin manager component that a form holds: which skin to use and where to find it, the
// tables of the loaded skin with their look-ups and colours, the broadcasts that tell every
// skinned window of a new skin, the hot control and the thread's window-creation hook.
//
// The tables (ma, pa, gd, ConstData, MasterBitmap, SkinData) are read by every painter; only the
// manager writes them. Indexes are table positions, -1 when absent, valid until the next load.
// Names compare with case; the engine's own section names are in capitals.
#include "skin/core/acSkinPack.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManagerStoredSkins.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sSkinManagerOptions.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/core/sSkinManagerRecolor.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/acPNG.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/inifiles.h"
#include "vcl/menus.h"

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>

namespace skin {

class TsSkinProvider;

// How skinned menus look.
class TacMenuSupport : public vcl::TPersistent {
    CL_CLASS(TacMenuSupport, vcl::TPersistent)
public:
    TacMenuSupport() : FExtraLineFont(std::make_unique<vcl::TFont>()) {}

    // The skin section of the icon column.
    const vcl::String& IcoLineSkin() const { return FIcoLineSkin; }
    void SetIcoLineSkin(const vcl::String& value) { FIcoLineSkin = value; }
    // Menus show a band of ExtraLineWidth pixels at their left, with a caption written upwards.
    bool UseExtraLine() const { return FUseExtraLine; }
    void SetUseExtraLine(bool value) { FUseExtraLine = value; }
    int ExtraLineWidth() const { return FExtraLineWidth; }
    void SetExtraLineWidth(int value) { FExtraLineWidth = value; }
    vcl::TFont* ExtraLineFont() const { return FExtraLineFont.get(); }
    void SetExtraLineFont(vcl::TFont* value) { FExtraLineFont->Assign(value); }
    // The opacity of menu windows.
    vcl::Byte AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(vcl::Byte value) { FAlphaBlend = value; }

private:
    vcl::String FIcoLineSkin;
    bool FUseExtraLine = false;
    int FExtraLineWidth = 32;
    std::unique_ptr<vcl::TFont> FExtraLineFont;
    vcl::Byte FAlphaBlend = 255;
};

// What a menu level's extra line shows: its section, caption and glyph (the handler makes the
// glyph, the menus free it), and whether it shows at all.
using TacGetExtraLineData = vcl::TDelegate<void(vcl::TMenuItem* FirstItem, vcl::String& SkinSection,
                                                vcl::String& Caption, vcl::TBitmap*& Glyph, bool& LineVisible)>;
// The font a popup item's text is written in; a colour changed here replaces the skin's.
struct TacMenuItemData {
    vcl::TFont* Font;
};
using TacGetPopupItemData =
    vcl::TDelegate<void(vcl::TMenuItem* Item, vcl::TOwnerDrawState State, TacMenuItemData ItemData)>;

// What the skinning takes over: standard forms, standard dialogs, the controls of ThirdParty.
enum class TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = vcl::TSet<TacSkinningRule>;

// The last minimise or restore command that reached the application window.
enum class TShowAction { saIgnore, saRestore, saMinimize, saMaximize };

// Which skins a name list holds: skin folders, packed skin files or both.
enum class TacSkinTypes { stUnpacked, stPacked, stAllSkins };

class TsSkinManager : public vcl::TComponent {
    CL_CLASS(TsSkinManager, vcl::TComponent)
public:
    // Loads nothing. The first manager of the process becomes DefaultManager and watches the
    // application window.
    explicit TsSkinManager(vcl::TComponent* AOwner);
    // The class-name lists; "c:\Skins" as the skin directory when none is set.
    void AfterConstruction() override;
    // Broadcasts the skin that setting SkinName loaded while the form loaded.
    void Loaded() override;
    // Removes the skin (with its broadcast and the hook), stops watching the application window
    // and gives up being the default manager.
    void BeforeDestruction() override;
    // Forgets a hot graphic control that goes away.
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

    // ---------------------------------------------------------------------------------------------
    // Properties

    // The skin: setting it loads and broadcasts it (while loading, the broadcast waits for
    // Loaded). A failed load keeps the skin in force, returns to the previous name and shows the
    // error once. Set while a load of this manager runs (from a message its version box pumps),
    // the new skin loads once that load has ended.
    const vcl::String& SkinName() const { return FSkinName; }
    void SetSkinName(const vcl::String& Value);
    // The folder of skin folders and packed skin files; setting it loads nothing.
    const vcl::String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const vcl::String& Value);
    // A skin is wanted: off removes the skin, on loads SkinName afresh.
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // INI text merged into every skin. Setting it copies the lines without blanks (but in comment
    // lines) and reloads the skin; a form fills the list in place.
    vcl::TStringList* CommonSections() const { return FCommonSections.get(); }
    void SetCommonSections(vcl::TStrings* Value);
    TsStoredSkins* InternalSkins() const { return FBuiltInSkins.get(); }
    TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
    // The painter of the skinned menus.
    TsSkinableMenus* SkinableMenus() const { return FSkinableMenus.get(); }
    ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }
    TacSkinEffects* Effects() const { return FEffects.get(); }
    TacAnimEffects* AnimEffects() const { return FAnimEffects.get(); }
    TacSkinningRules SkinningRules() const { return FSkinningRules; }
    void SetSkinningRules(TacSkinningRules Value);
    // The hue shift and saturation change of every loaded skin; a change reloads the skin, and a
    // reload that raises gives the property its former value back.
    int HueOffset() const { return FHueOffset; }
    void SetHueOffset(int Value);
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value);
    // Forms get extended borders with shadows (where the system has layered windows).
    bool ExtendedBorders() const { return FExtendedBorders; }
    void SetExtendedBorders(bool Value);
    bool GetExtendedBorders() const;
    bool SkinnedPopups() const { return FSkinnedPopups; }
    void SetSkinnedPopups(bool Value);
    // This manager is DefaultManager; setting it true makes it so and broadcasts its skin.
    bool IsDefault() const;
    void SetIsDefault(bool Value);
    bool GetAllowGlowing() const { return FEffects->GetAllowGlowing(); }
    void SetAllowGlowing(bool Value) { FEffects->SetAllowGlowing(Value); }
    // The loaded skin's version ("." as decimal point); "N/A" while no skin is in force.
    vcl::String SkinInfo() const;
    // The version of the skin library.
    static vcl::String Version() { return L"7.70"; }

    vcl::TNotifyEvent OnActivate() const { return FOnActivate; }
    void SetOnActivate(vcl::TNotifyEvent value) { FOnActivate = value; }
    vcl::TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(vcl::TNotifyEvent value) { FOnDeactivate = value; }
    vcl::TNotifyEvent OnBeforeChange() const { return FOnBeforeChange; }
    void SetOnBeforeChange(vcl::TNotifyEvent value) { FOnBeforeChange = value; }
    vcl::TNotifyEvent OnAfterChange() const { return FOnAfterChange; }
    void SetOnAfterChange(vcl::TNotifyEvent value) { FOnAfterChange = value; }
    vcl::TNotifyEvent OnSkinListChanged() const { return FOnSkinListChanged; }
    void SetOnSkinListChanged(vcl::TNotifyEvent value) { FOnSkinListChanged = value; }
    TacGetExtraLineData OnGetMenuExtraLineData() const { return FOnGetPopupLineData; }
    void SetOnGetMenuExtraLineData(TacGetExtraLineData value) { FOnGetPopupLineData = value; }
    TacGetPopupItemData OnGetPopupItemData() const { return FOnGetPopupItemData; }
    void SetOnGetPopupItemData(TacGetPopupItemData value) { FOnGetPopupItemData = value; }

    // ---------------------------------------------------------------------------------------------
    // Skin sources

    // SkinDirectory made absolute against the program's folder ("..", ".\", a name without a
    // drive or a network path); no trailing separator.
    vcl::String GetFullSkinDirectory() const;
    // Loads the skin named by SkinName: its folder under the skin directory (with the options text
    // of acMemSkinFile when it is set), else an internal skin (the first one when none has the
    // name, which SkinName then takes; none at all leaves the manager inactive; one without packed
    // data leaves the tables empty). Loads into fresh tables: a load that raises leaves the tables
    // of the skin in force. aSkinChanging is set while it loads.
    void ReloadSkin();
    // Loads the packed skin file SkinName + ".asz" of SkinDirectory as written (relative to the
    // current folder when it is relative). A missing or damaged file raises; the tables of the
    // skin in force stay.
    void ReloadPackedSkin();
    // Warns about skins of a format version this library does not support.
    void CheckVersion();
    // Fills Dest with the internal skins and the skins of the skin directory of the kind asked,
    // sorted without case; the first name found.
    vcl::String GetSkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType = TacSkinTypes::stAllSkins);
    // The same without the internal skins.
    vcl::String GetExternalSkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType = TacSkinTypes::stAllSkins);
    // A random name of GetSkinNames; empty when there is none. Loads nothing.
    vcl::String GetRandomSkin();
    // Writes every internal skin named NameOfSkin (exactly) into the existing folder DestDir as
    // a packed skin file (see ExtractByIndex). A missing folder or skin is shown as an error.
    void ExtractInternalSkin(const vcl::String& NameOfSkin, const vcl::String& DestDir);
    // Writes the packed data of the internal skin at Index as "<Name> extracted.asz" into
    // DestDir, made when missing; an item without data writes nothing. A folder that cannot be
    // made is shown as an error.
    void ExtractByIndex(int Index, const vcl::String& DestDir);

    // ---------------------------------------------------------------------------------------------
    // Loading

    // Loads run one at a time: Action runs at once, or, while a load of this manager runs, once
    // that load has ended.
    void WhenNotLoading(std::function<void()> Action);

    // Loads the skin of a folder holding "Options.dat" into the tables: images, patterns,
    // sections, then the common indexes. A missing options file raises EFOpenError; a malformed
    // value raises the class library's conversion or arithmetic error and ends the load, the
    // tables keeping what was built so far. Broadcasting the new skin is the caller's business.
    void LoadSkinFolder(const vcl::String& Folder);
    // The same from the options of the skin being loaded as an INI object: the version, its check,
    // then the loading steps with Ini as SkinFile. Image files come from SkinData->SkinPath, or
    // from sc while SkinIsPacked.
    void LoadSkinOptions(vcl::TMemIniFile& Ini);

    // The loading steps, in the order a load runs them; each empties its own table first.
    // MasterBitmap and ma from SkinFile and CommonSections.
    void LoadAllMasks();
    // pa from the JPEG files that SkinFile and CommonSections name; JPEGs of the skin under
    // 900,000 pixels become texture images of ma instead.
    void LoadAllPatterns();
    // SkinData and gd from SkinFile and CommonSections, then each section's image indexes.
    void LoadAllGeneralData();
    // ConstData, then each section's image indexes (InitMaskIndexes), then the shadow templates
    // (CheckShadows).
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
    // Dest cleared, then every section name in table order while a skin is in force.
    void GetSkinSections(vcl::TStrings* Dest) const;

    // ---------------------------------------------------------------------------------------------
    // The skin's colours, system colour constants converted to RGB where said

    // "GLOBALINFO"'s Color; the button face without it.
    vcl::TColor GetGlobalColor() const;
    // "GLOBALINFO"'s font colour; 0xFF00FF without it.
    vcl::TColor GetGlobalFontColor() const;
    // "GLOBALINFO"'s hot colour; the window colour without it.
    vcl::TColor GetActiveEditColor() const;
    // "EDIT"'s normal font colour; the window-text constant, unconverted, without it.
    vcl::TColor GetActiveEditFontColor() const;
    // "SELECTION"'s colour (its hot state when Focused and it has one), else "MENUITEM"'s hot
    // colour; the highlight constant, unconverted, when neither gives a colour.
    vcl::TColor GetHighLightColor(bool Focused = false) const;
    // The same for the font; the highlight-text constant, unconverted, at last.
    vcl::TColor GetHighLightFontColor(bool Focused = false) const;

    // ---------------------------------------------------------------------------------------------
    // Broadcasts

    // Tells every skinned window of the application of the tables: scmdSkinLoaded with the forms
    // frozen, then (with Repaint) a repaint; installs the window-creation hook for the default
    // manager. Nothing while the component loads.
    void SendNewSkin(bool Repaint = true);
    // Tells every skinned window that skinning ends, removes the hook and empties the tables.
    void SendRemoveSkin();
    // SendNewSkin when Active.
    void UpdateSkin(bool Repaint = true);
    // Tells the controls of section SectionName to repaint.
    void UpdateSkinSection(const vcl::String& SectionName);
    // Stops fades and repaints every skinned window, the forms frozen meanwhile with DoLockForms.
    void RepaintForms(bool DoLockForms = true);
    // Skin changes load but are not broadcast until EndUpdate.
    void BeginUpdate() { NonAutoUpdate = true; }
    // Broadcasts the skin; without AllowAnimation the skin-change animation stays off meanwhile.
    void EndUpdate(bool Repaint = true, bool AllowAnimation = true);

    // ---------------------------------------------------------------------------------------------
    // The control under the mouse

    // W becomes the hot window: the old one gets scmdMouseLeave, W scmdMouseEnter.
    void SetActiveControl(HWND W);
    HWND ActiveControl() const { return FActiveControl; }
    // G becomes the hot graphic control; the previous one gets scmdMouseLeave.
    void SetActiveGraphControl(vcl::TGraphicControl* G);
    vcl::TGraphicControl* ActiveGraphControl() const { return FActiveGraphControl; }

    // ---------------------------------------------------------------------------------------------
    // Hooks

    // The window-creation hook of the GUI thread, installed by the default manager only.
    void InstallHook();
    void UnInstallHook();
    // The default manager's watch on the application window: true when it handled Message.
    bool MainWindowHook(vcl::TMessage& Message);
    // The shadow templates of extended borders and FormShadowSize, from the skin's "EXBORDER" or
    // the program's default shadows.
    void CheckShadows();

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
    bool SkinIsPacked = false;                   // the skin's image files come from sc

    // The shadow templates of active and inactive forms with extended borders, and their margins.
    vcl::TObjectPtr<TPNGGraphic> ShdaTemplate;
    vcl::TObjectPtr<TPNGGraphic> ShdiTemplate;
    vcl::TRect FormShadowSize;

    // The working copy of the ThirdParty texts, one case-sensitive list per kind of wrapper.
    std::array<vcl::TObjectPtr<vcl::TStringList>, ThirdPartyList::Count> ThirdLists;

    bool NonAutoUpdate = false;        // between BeginUpdate and EndUpdate
    bool GlobalHookInstalled = false;  // this manager installed the window-creation hook
    bool SkinRemoving = false;         // the removal of the skin is being broadcast
    TShowAction ShowState = TShowAction::saIgnore;  // set by the application-window hook

private:
    // The tables, moved out and back as a whole.
    struct TSkinTables {
        TsMaskArray ma;
        TsPatternArray pa;
        TsGeneralDataArray gd;
        TConstantSkinData ConstData;
        vcl::TObjectPtr<vcl::TBitmap> MasterBitmap;
        vcl::TObjectPtr<TsSkinData> SkinData;
    };
    // The tables in force, leaving empty ones with fresh global information.
    TSkinTables TakeTables();
    void PutTables(TSkinTables&& Tables);

    // Loads into fresh tables, aSkinChanging set meanwhile; when Load raises, the tables in force
    // come back and the error passes on. SkinFile and sc are gone afterwards either way.
    template<class TLoad>
    void LoadIntoFreshTables(TLoad&& Load);
    void LoadInternalSkin();
    // The packed skin file that SetSkinName looks for: SkinDirectory as written.
    vcl::String PackedSkinFile() const;
    // Loads SkinName from the source SkinIsPacked chose.
    void LoadChosenSource();
    // A reload of the skin in force: SkinIsPacked afresh (the packed file exists), then the load.
    void ReloadFromSource();
    // The skin-name lists: the internal skins (unless External), then the skin directory's.
    vcl::String SkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType, bool External);
    // The body of SetSkinName: the load and its broadcasts.
    void ChangeSkin(const vcl::String& Value);
    // True while a load of this manager runs: Retry is then called once it has ended.
    bool Deferred(std::function<void()> Retry);
    // Load as the manager's running load; the requests deferred meanwhile follow it.
    void RunLoad(const std::function<void()>& Load);
    // A hue or saturation change: the skin loaded again and repainted, no new-skin broadcast. A load
    // that raises calls Undo before the error goes on.
    void ReloadInPlace(const std::function<void()>& Undo);
    // A border change: the shadows and the skin loaded again, the forms repainted.
    void ReloadForBorders();
    // HueOffset or Saturation: a change reloads the skin in place.
    void SetRecolouring(int& Field, int Value);
    // Broadcasts a skin command with LParam this manager to the whole application.
    void Broadcast(uint16_t Cmd);
    bool IsLoading() const;
    bool IsDesigning() const;
    // An event when assigned.
    void Notify(const vcl::TNotifyEvent& Event);
    int MaskWidth(int MaskIndex, vcl::SmallInt TsMaskData::*Side, bool Across);
    // The branches of MainWindowHook; each answers whether it handled the message.
    void RunExitAnimation(const WINDOWPOS& Pos);
    bool MinimizeApplication();
    bool RestoreApplication();
    void ShowRestoredForm(TsSkinProvider* Provider, vcl::TCustomForm* Form);
    bool DropMainSysMenu();
    // A popup menu window asks for its skinned border, by an item of its menu or by the window.
    bool MenuBorderByItem(vcl::TMenuItem* Item);
    bool MenuBorderByWindow(HWND Wnd);
    // The border of a popup menu window, from the level of Item or, without one, of the window.
    void DrawMenuBorder(HWND Wnd, vcl::TMenuItem* Item);

    vcl::String FSkinName;
    vcl::String FSkinDirectory;
    bool FActive = true;
    bool FLoadRunning = false;
    std::deque<std::function<void()>> FDeferredLoads;  // the requests that wait for the running load
    std::unique_ptr<TsStoredSkins> FBuiltInSkins;
    std::unique_ptr<vcl::TStringList> FCommonSections;
    std::unique_ptr<TacMenuSupport> FMenuSupport;
    std::unique_ptr<TsSkinableMenus> FSkinableMenus;
    std::unique_ptr<ThirdPartyList> FThirdParty;
    vcl::TObjectPtr<TacSkinEffects> FEffects;
    vcl::TObjectPtr<TacAnimEffects> FAnimEffects;
    TacSkinningRules FSkinningRules{TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs,
                                    TacSkinningRule::srThirdParty};
    bool FSkinnedPopups = true;
    bool FExtendedBorders = false;
    int FHueOffset = 0;
    int FSaturation = 0;
    HWND FActiveControl = nullptr;
    vcl::TGraphicControl* FActiveGraphControl = nullptr;
    bool FMainWindowHooked = false;  // this manager watches the application window
    vcl::TNotifyEvent FOnActivate;
    vcl::TNotifyEvent FOnDeactivate;
    vcl::TNotifyEvent FOnBeforeChange;
    vcl::TNotifyEvent FOnAfterChange;
    vcl::TNotifyEvent FOnSkinListChanged;
    TacGetExtraLineData FOnGetPopupLineData;
    TacGetPopupItemData FOnGetPopupItemData;
};

// The manager of every control that names none: the first manager made; none after it is freed.
extern TsSkinManager* DefaultManager;

// The INI object (case-sensitive, file order) of the skin being loaded; none outside a load.
extern vcl::TMemIniFile* SkinFile;

// The options text a skin editor sent, read in place of the skin folder's "Options.dat" while it is
// set; none otherwise. Its sender owns it.
extern vcl::TStringList* acMemSkinFile;

// The unpacked packed or internal skin being loaded, whose Files serve the image files while
// SkinIsPacked; none outside a load.
extern std::unique_ptr<TacSkinConvertor> sc;

// A skin folder wins over a packed skin file of the same name (the skin editor's link sets it).
extern bool UnPackedFirst;

// The running system's version record, filled by the unit's start-up.
extern OSVERSIONINFOW OSVersionInfo;
// The system is of the NT family.
extern bool IsNT;

// The default shadows of forms with extended borders (active, inactive), from the program's
// resources "acSHDA" and "acSHDI"; empty before the unit's start-up.
extern vcl::TObjectPtr<TPNGGraphic> DefaultShadowActive;
extern vcl::TObjectPtr<TPNGGraphic> DefaultShadowInactive;

// The unit's start-up before any form, acting on the first call only: the system version, the
// default shadows and the "/acver" switch (CheckVersionSwitch). A missing shadow resource raises
// the resource stream's error.
void InitSkinManagerUnit();
// Shows the library's version in a plain message box, once, when one of the program's
// command-line parameters is "/acver" in any case.
void CheckVersionSwitch();

// The ThirdParty texts into the manager's ThirdLists: an empty text (every text with Reset)
// becomes its default first.
void LoadThirdNames(TsSkinManager* Manager, bool Reset);
// The ThirdLists back into the ThirdParty texts.
void UpdateThirdNames(TsSkinManager* Manager);

// The class library's choice of file dialogs: the older ones, which the dialog skinning takes
// over, while the default manager is active and skins standard dialogs. Nothing for another
// manager.
void UpdateCommonDlgs(TsSkinManager* Manager);

}  // namespace skin
