#pragma once
// Per-control skin data: the bridge between one skinned control and its skin manager. It keeps the
// skin section the control is painted with, the indexes of that section, of its border image and
// of its textures, the control's 32-bit cache bitmap that holds its whole look, and the flags that
// say when that cache must be rendered again.
//
// The cache protocol. The cache holds the control's look at its current size; painting copies it.
// BGChanged says the cache is stale: creation, new indexes, Invalidate, the skin commands and the
// window messages of CommonWndProc set it, and only the owner clears it after rendering. A
// control paints in this order: nothing while GetUpdating (it waits for scmdParentUpdated); render
// when BGChanged or HalfVisible (InitCacheBmp, the background from GetParentCache, the section,
// the content, then BGChanged := false); restore shaped corners; copy the cache; tell the children
// with SetParentUpdated.
//
// Everything runs on the GUI thread; the calls send messages that may come back into the same
// control before they return.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "skin/graphics/Acntutils.h"
#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/messages.h"

namespace vcl {
class TControl;
class TCustomForm;
class TWinControl;
}  // namespace vcl

namespace skin {

class TsSkinManager;
struct TsGeneralData;
struct TacBGInfo;

// Painting is held back while set: during the broadcast of a new skin.
extern bool RestrictDrawing;
// Hidden controls free their cache bitmaps (and their children's); on from the start.
extern bool acFreeHiddenCaches;

// ---------------------------------------------------------------------------------------------
// Kind codes: what kind of control owns the skin data. The code chooses the default section and
// the membership in the kind sets below; each owner sets it right after creating its skin data.

constexpr int ckExtComboBox = 1;
constexpr int ckEdit = 3;  // edits, combo boxes, masked edits
constexpr int ckMemo = 7;
constexpr int ckColorBox = 9;
constexpr int ckListViewWrapper = 10;
constexpr int ckCheckBox = 32;
constexpr int ckRadioButton = 33;
constexpr int ckCurrencyEdit = 41;
constexpr int ckPanel = 51;
constexpr int ckToolBar = 54;
constexpr int ckDragBar = 56;
constexpr int ckScrollBox = 58;
constexpr int ckGroupBox = 74;
constexpr int ckSplitter = 75;
constexpr int ckSpeedButton = 92;  // also the bevel
constexpr int ckButton = 93;
constexpr int ckBitBtn = 94;
constexpr int ckComboEdit = 138;
constexpr int ckPageControl = 141;
constexpr int ckTabControl = 143;
constexpr int ckStatusBar = 151;
constexpr int ckGauge = 161;  // gauges and progress bars
constexpr int ckTrackBar = 165;
constexpr int ckSkinProvider = 224;
constexpr int ckFrameAdapter = 226;
constexpr int ckAdapterItem = 227;  // standard and graphic controls adapted by a form's provider

// A set of kind codes 0..255, given as inclusive ranges; a code outside 0..255 is in none.
class TKindSet {
public:
    struct TRange {
        int First, Last;
    };
    constexpr TKindSet(std::initializer_list<TRange> Ranges)
    {
        for (const TRange& r : Ranges)
            for (int code = r.First; code <= r.Last; ++code)
                FBits[code / 64] |= uint64_t(1) << (code % 64);
    }
    constexpr bool Contains(int Code) const
    {
        return Code >= 0 && Code < 256 && (FBits[Code / 64] >> (Code % 64) & 1) != 0;
    }

private:
    uint64_t FBits[4] = {};
};

// Edit-like controls: only they take Color and Font.Color from the skin, and they repaint their
// frame on focus changes and on mouse enter and leave.
inline constexpr TKindSet EditKinds{{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}};
// Containers and bars: never hot through the mouse.
inline constexpr TKindSet NoHotKinds{{19, 19}, {51, 74}, {110, 110}, {141, 161}};
// No glow on mouse enter (the buttons, 92 to 94, start theirs from their own fading).
inline constexpr TKindSet NoGlowKinds{{51, 52},   {54, 54},   {56, 60},   {68, 68},   {73, 74},  {110, 110},
                                      {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}};

// The default section of a kind code; empty for a code without one (the owner's class name serves).
vcl::String DefaultSection(int KindCode);

// CtrlSkinState bits.
constexpr uint16_t cssNoCache = 0x0001;   // paints without a cache of its own unless active
constexpr uint16_t cssPrinting = 0x0200;  // printing into PrintDC
constexpr uint16_t cssMenuChanged = 0x0400;  // a form's menu changed during a batch: tell it at the end
constexpr uint16_t cssBatch = 0x0800;     // a batch of changes runs (BeginUpdate)
constexpr uint16_t cssComboFocus = 0x1000;  // re-entrancy guard of the extended combo box's focus

// BGType bits: how the background depends on the control's size.
constexpr uint16_t bgtWidth = 0x1;    // changes with the width
constexpr uint16_t bgtHeight = 0x2;   // changes with the height
constexpr uint16_t bgtTexture = 0x4;  // a texture is mixed in

// ---------------------------------------------------------------------------------------------
// The skin data

class TsCommonData : public vcl::TPersistent {
    CL_CLASS(TsCommonData, vcl::TPersistent)
    CL_PUBLISHED
public:
    // AOwner is the control (or skin provider, or frame adapter) that owns this data. With
    // CreateCacheBmp the cache bitmap is made at once (0 x 0), else by the first InitCacheBmp.
    TsCommonData(vcl::TObject* AOwner, bool CreateCacheBmp);
    // Frees the cache and hides a shown glow.
    ~TsCommonData() override;
    // Takes the published properties of another skin data.
    void Assign(vcl::TPersistent* Source) override;

    // ---------------------------------------------------------------------------------------------
    // Properties (published as the control's SkinData)

    // The section name, stored upper-cased; "UNKNOWN" when an empty name replaces a set one. A
    // change looks the indexes up again and, for a placed owner, repaints it (scmdRepaint) or, with
    // a section the skin lacks, unskins it (scmdSkinRemoved).
    const vcl::String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const vcl::String& Value);
    // The control's own manager, else DefaultManager (none while no manager exists).
    TsSkinManager* SkinManager() const;
    // Setting DefaultManager stores none; the owner is repainted or unskinned.
    void SetSkinManager(TsSkinManager* Value);
    bool ManagerStored() const { return FSkinManager != nullptr; }
    // The owner keeps its own background colour (its Color, not the section's).
    bool CustomColor() const { return FCustomColor; }
    void SetCustomColor(bool Value);
    // The owner keeps its own font colour.
    bool CustomFont() const { return FCustomFont; }
    void SetCustomFont(bool Value);
    // The hue shift and saturation change of the colours taken from the skin.
    int HUEOffset() const { return FHUEOffset; }
    void SetHUEOffset(int Value);
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value);

    // ---------------------------------------------------------------------------------------------
    // State

    // A section name, a manager that is not being destroyed, a valid section index and an owner
    // that is not being destroyed; with CheckSkinActive also a loaded skin in force.
    bool Skinned(bool CheckSkinActive = false) const;
    // The control is not to paint now: a control without a cache answers FUpdating; a cached one
    // also while its parent is changing (scmdQueryChanging). False without a manager.
    bool GetUpdating() const;
    void SetUpdating(bool Value) { FUpdating = Value; }
    // Marks the cache stale and redraws a ready owner (nothing while it loads or is destroyed).
    void Invalidate();
    // Settles the section (the kind code's default when none is set) and the indexes; a skinned,
    // placed owner is offered to its form's adapter and takes its colours from the skin.
    void Loaded();
    // A batch of changes: updating meanwhile; the owner gets scmdBeginBatch and, when the last
    // batch ends, scmdEndBatch (and with Repaint an Invalidate).
    void BeginUpdate();
    void EndUpdate(bool Repaint = false);
    // How many batches are open.
    int UpdateCount() const { return FUpdateCount; }
    // Looks the section, border and texture indexes up again; the cache becomes stale.
    void UpdateIndexes();
    // Whether a move of the control changes its look.
    bool RepaintIfMoved() const;
    // Edit-like owners take Color and Font.Color from the section (unless custom).
    void ApplySkinColors(bool Repaint);
    void UpdateBGType();
    // The section of SkinIndex in the manager's table; only for a valid SkinIndex.
    const TsGeneralData& Section() const;
    // The form whose skin provider owns this data; none for other owners.
    vcl::TCustomForm* ProviderForm() const;

    // Hides the glow shown around the control; GlowID becomes -1.
    void HideGlow();

    // ---------------------------------------------------------------------------------------------
    // Fields the skin engine reads and writes directly

    int GlowID = -1;             // the glow window shown around the control, -1 for none
    bool FUpdating = false;      // the control is not to paint now
    int BorderIndex = -1;        // the section's border image in the manager's image table
    int SkinIndex = -1;          // the section in the manager's section table; -1: not skinned
    int Texture = -1;            // the section's "PATTERN" texture image
    int HotTexture = -1;         // its "HOTPATTERN" texture image
    bool UrgentPainting = false;  // copy the cache without rendering (scmdSetUrgent)
    bool BGChanged = true;       // the cache must be rendered before it is copied
    bool HalfVisible = true;     // last seen partly outside the parent: render on the next paint
    vcl::TControl* FOwnerControl = nullptr;  // the owner when it is a control
    vcl::TObject* FOwnerObject = nullptr;    // the owner in every case
    std::unique_ptr<vcl::TBitmap> FCacheBmp;  // 32 bits per pixel
    int COC = 0;                 // kind code of the owner
    bool FFocused = false;       // the owner has the keyboard focus
    bool FMouseAbove = false;    // the mouse is over the owner
    uint16_t CtrlSkinState = 0;  // css... bits
    uint16_t BGType = 0;         // bgt... bits
    HDC PrintDC = nullptr;       // the DC the owner is printed into (scmdPrintMode)
    // Strips of the cache a resize made stale, for owners that render only those strips.
    vcl::TRect InvalidRectH;
    vcl::TRect InvalidRectV;

private:
    // A manager that is being destroyed is forgotten when it removes its skin.
    friend bool CommonMessage(vcl::TMessage& Message, TsCommonData* SkinData);

    // The owner control is placed: not loading, not reading, not being destroyed, with a parent.
    bool OwnerPlaced() const;
    // Tells the owner scmdRepaint when Manager serves its section, else scmdSkinRemoved.
    void NotifyOwner(TsSkinManager* Manager);
    // Sends the owner (a skin provider's form) the command.
    void TellOwner(uint16_t Cmd);
    // CustomColor or CustomFont changed: an edit-like owner takes the skin's colours again.
    void OwnColoursChanged();
    // The hue or saturation changed: the section again, and a repaint.
    void SkinColoursChanged();

    vcl::String FSkinSection;
    bool FCustomFont = false;
    bool FCustomColor = false;
    int FUpdateCount = 0;
    int FHUEOffset = 0;
    int FSaturation = 0;
    TsSkinManager* FSkinManager = nullptr;
};

// The skin data of the edits, buttons and combo boxes: the hue and saturation published as well.
class TsCtrlSkinData : public TsCommonData {
    CL_CLASS(TsCtrlSkinData, TsCommonData)
    CL_PUBLISHED
public:
    using TsCommonData::TsCommonData;
};

// ---------------------------------------------------------------------------------------------
// The section, the cache and the skin state

// The skin data a control publishes as SkinData; none for a control without.
TsCommonData* SkinDataOf(vcl::TControl* Control);

// The default section of the kind code when no section is set (upper-cased class name of the owner
// for a code without one), else the indexes of the set section.
void UpdateData(TsCommonData& SkinData);
// Bit cssNoCache clear, or the control is active: the control paints through its cache.
bool IsCached(const TsCommonData& SkinData);
// The section needs a cache of its own: it is drawn with a centre, wide borders, a texture or a
// gradient, partly transparent, or transparent over a parent that keeps a cache.
bool IsCacheRequired(const TsCommonData& SkinData);
// Recomputes bit cssNoCache, set for containers (panels, forms, scroll boxes, frames, page
// controls) whose section needs no cache; with UpdateChildren every child is told (scmdSkinState 1).
void UpdateSkinState(TsCommonData& SkinData, bool UpdateChildren);
// The owner is enabled and focused, or hot (the mouse above, kind codes outside NoHotKinds); a
// panel never counts as active through its focus.
bool ControlIsActive(const TsCommonData& SkinData);
// Makes the cache bitmap when missing and sizes it to the owner control.
void InitCacheBmp(TsCommonData& SkinData);

// ---------------------------------------------------------------------------------------------
// Colours

// The plain background colour in State: the section's colour, the parent's for a fully
// transparent section, a mix of both by the transparency in between; the owner's own colour when
// not skinned or with CustomColor (the button face when there is nothing to ask). Handle stands
// for the control's window when the data has no owner control.
vcl::TColor GetBGColor(const TsCommonData& SkinData, int State, HWND Handle = nullptr);
// The section whose font colours a control without a section of its own takes: its parent's when
// that section gives its own font, looking further up through parents that are more than half
// transparent; DefIndex otherwise.
int GetFontIndex(vcl::TControl* Control, int DefIndex, TsSkinManager* SkinManager, int State);
// The owner's parent answers scmdQueryTextured with 1.
bool ParentTextured(const TsCommonData& SkinData);
// The widest side of the section's border image; 0 without one or when it is not drawn in state 0.
int SkinBorderMaxWidth(const TsCommonData& SkinData);
// Shows or hides the glow around a hot control; nothing unless the manager allows glows and the
// section has them (GlowCount). A control that the mouse left or holds pressed, or a click while
// the glow shows, hides the glow; otherwise the glow shows around the control's visible part,
// beside its form. Handle stands for the control's window when the data has no owner control.
void ShowGlowingIfNeeded(TsCommonData& SkinData, bool Clicked = false, HWND Handle = nullptr);

// ---------------------------------------------------------------------------------------------
// The background beneath and the cache on the screen

// What lies beneath a skinned control: its parent's answer to scmdQueryBackground (a bitmap with
// the control's place in it, or a colour); the control's own background colour when not skinned.
TCacheInfo GetParentCache(const TsCommonData& SkinData);
// The same asked of the parent window of Wnd; acEmptyCI for a window without a parent.
TCacheInfo GetParentCacheHwnd(HWND Wnd);
// Copies the cache from SrcRect's top-left corner onto DstRect of DC, leaving out the visible
// children of Wnd that lie in DstRect (moved by the offset) and paint themselves: graphic
// children and opaque windowed ones. With UpdateCorners the cache's shaped corners take the
// parent's background first. Nothing without a cache; DC's state comes back as it was.
void CopyWinControlCache(vcl::TWinControl* Wnd, TsCommonData& SkinData, const vcl::TRect& SrcRect,
                         const vcl::TRect& DstRect, HDC DC, bool UpdateCorners, int OffsetX, int OffsetY);
// The same around the visible child windows of Wnd; of a group box only its frame is left out,
// the whole box when the skin has no "BORDERSMASK" of "GROUPBOX".
void CopyHwndCache(HWND Wnd, TsCommonData& SkinData, const vcl::TRect& SrcRect, const vcl::TRect& DstRect, HDC DC,
                   bool UpdateCorners, int OffsetX, int OffsetY);

// ---------------------------------------------------------------------------------------------
// The messages every skinned control shares

// The shared handling of a skinned control's messages: skin commands go to CommonMessage; moves,
// sizes, focus, visibility, enabling and the mouse keep the skin data's flags. True when the
// message is fully handled and must not go on to the control's inherited procedure.
bool CommonWndProc(vcl::TMessage& Message, TsCommonData* SkinData);
// The shared answers to the skin commands; true when a query was answered. Commands 1, 2 and 3
// act only when LParam is the data's own manager.
bool CommonMessage(vcl::TMessage& Message, TsCommonData* SkinData);
// Fills BGInfo with the control's own background in State (0 normal, else hot): its cache bitmap
// (kind 2) or its colour (kind 1); a fully transparent control asks its parent in turn. With
// FillNow the answer is painted into R of BGInfo's DC instead. Handle is the control's window when
// the data has no owner control.
void InitBGInfo(TsCommonData* SkinData, TacBGInfo& BGInfo, int State, HWND Handle);

}  // namespace skin
