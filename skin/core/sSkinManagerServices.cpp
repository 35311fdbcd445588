// What the skin manager serves once a skin is loaded: look-ups and colours, the broadcasts of a
// new or removed skin, repaints, the effects of its properties, the control under the mouse and
// the thread's window-creation hook.
#include "skin/core/sSkinManager.h"

#include <algorithm>
#include <vector>

#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acDials.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::String;
using vcl::TColor;

namespace {

TColor Converted(TColor Color) { return TColor(vcl::ColorToRGB(Color)); }

}  // namespace

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

void TsSkinManager::GetSkinSections(vcl::TStrings* Dest) const
{
    Dest->Clear();
    if (SkinData->Active)
        for (const TsGeneralData& d : gd)
            Dest->Add(d.ClassName);
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

// ---------------------------------------------------------------------------------------------
// Colours

TColor TsSkinManager::GetGlobalColor() const
{
    const int g = ConstData.IndexGLobalInfo;
    return Converted(IsValidSkinIndex(g) ? gd[size_t(g)].Color : vcl::clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const
{
    const int g = ConstData.IndexGLobalInfo;
    return IsValidSkinIndex(g) ? Converted(gd[size_t(g)].FontColor.Color) : vcl::clFuchsia;
}

TColor TsSkinManager::GetActiveEditColor() const
{
    const int g = ConstData.IndexGLobalInfo;
    return Converted(IsValidSkinIndex(g) ? gd[size_t(g)].HotColor : vcl::clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const
{
    const int edit = GetSkinIndex(L"EDIT");
    return IsValidSkinIndex(edit) ? Converted(gd[size_t(edit)].Props[0].FontColor.Color) : vcl::clWindowText;
}

namespace {

constexpr TColor NoColor = TColor(-1);

// The state of "SELECTION" a focused or unfocused highlight takes.
const TsGenState& SelectionState(const TsGeneralData& Selection, bool Focused)
{
    return Selection.Props[Focused && Selection.States > 1 ? 1 : 0];
}

}  // namespace

TColor TsSkinManager::GetHighLightColor(bool Focused) const
{
    const int selection = GetSkinIndex(L"SELECTION");
    TColor k = IsValidSkinIndex(selection) ? SelectionState(gd[size_t(selection)], Focused).Color : NoColor;
    if (k == NoColor || k == vcl::clFuchsia) {
        const int item = GetSkinIndex(L"MENUITEM");
        if (!IsValidSkinIndex(item))
            return vcl::clHighlight;
        k = gd[size_t(item)].HotColor;
        if (k == vcl::clFuchsia || k == vcl::clWhite || k == NoColor)
            return vcl::clHighlight;
    }
    return Converted(k);
}

TColor TsSkinManager::GetHighLightFontColor(bool Focused) const
{
    const int selection = GetSkinIndex(L"SELECTION");
    const TColor k = IsValidSkinIndex(selection) ? SelectionState(gd[size_t(selection)], Focused).FontColor.Color : NoColor;
    if (k != NoColor && k != vcl::clFuchsia)
        return k;
    const int item = GetSkinIndex(L"MENUITEM");
    if (IsValidSkinIndex(item)) {
        const TColor hot = gd[size_t(item)].HotFontColor.Color;
        if (hot != NoColor && hot != vcl::clFuchsia)
            return Converted(hot);
    }
    return vcl::clHighlightText;
}

// ---------------------------------------------------------------------------------------------
// Broadcasts and repaints

void TsSkinManager::Broadcast(uint16_t Cmd)
{
    vcl::TMessage message = MakeSkinMessage(Cmd, reinterpret_cast<LPARAM>(this));
    AppBroadCastS(message);
}

void TsSkinManager::SendNewSkin(bool Repaint)
{
    if (IsLoading())
        return;
    ClearGlows(false);
    if (Repaint)
        LockForms(this);
    try {
        FSkinableMenus->SetSkinBorderWidth(-1);
        SkinData->Active = false;
        {
            TFlagScope restrict(RestrictDrawing);
            InitConstantIndexes();
            Broadcast(scmdSkinLoaded);
        }
        SkinData->Active = true;
        if (DefaultManager == this && !GlobalHookInstalled)
            InstallHook();
        if (Repaint)
            RepaintForms(false);
    } catch (...) {
        // A receiver that fails must not leave the forms frozen.
        ReleaseForms(this);
        throw;
    }
}

void TsSkinManager::SendRemoveSkin()
{
    TFlagScope removing(SkinRemoving);
    ClearGlows(false);
    UnInstallHook();
    SkinData->Active = false;
    Broadcast(scmdSkinRemoved);
    FreeBitmaps();
    FreeJpegs();
    gd.clear();
}

void TsSkinManager::UpdateSkin(bool Repaint)
{
    if (FActive)
        SendNewSkin(Repaint);
}

void TsSkinManager::UpdateSkinSection(const String& SectionName)
{
    GlobalSectionName = vcl::UpperCase(SectionName);
    Broadcast(scmdSectionChanged);
}

void TsSkinManager::RepaintForms(bool DoLockForms)
{
    if (IsLoading()) {
        Broadcast(scmdStopFade);
        Broadcast(scmdRepaint);
        return;
    }
    if (DoLockForms)
        LockForms(this);
    try {
        Broadcast(scmdStopFade);
        Broadcast(scmdRepaint);
    } catch (...) {
        ReleaseForms(this);
        throw;
    }
    UnLockForms(this, true);
}

void TsSkinManager::EndUpdate(bool Repaint, bool AllowAnimation)
{
    NonAutoUpdate = false;
    TacSkinChanging* animation = FAnimEffects->SkinChanging();
    const bool animated = animation->Active();
    if (!AllowAnimation)
        animation->SetActive(false);
    try {
        UpdateSkin(Repaint);
    } catch (...) {
        animation->SetActive(animated);
        throw;
    }
    animation->SetActive(animated);
}

// ---------------------------------------------------------------------------------------------
// Property effects

void TsSkinManager::ReloadInPlace(const std::function<void()>& Undo)
{
    if (Deferred([this, Undo] { ReloadInPlace(Undo); }))
        return;
    RunLoad([&] {
        try {
            ReloadFromSource();
        } catch (...) {
            // The tables in force came back: so does the property they were loaded with.
            Undo();
            throw;
        }
        if (!NonAutoUpdate)
            RepaintForms(true);
    });
}

void TsSkinManager::SetRecolouring(int& Field, int Value)
{
    if (Value == Field)
        return;
    const int former = Field;
    Field = Value;
    if (FActive && !IsLoading())
        ReloadInPlace([&Field, former] { Field = former; });
}

void TsSkinManager::SetHueOffset(int Value) { SetRecolouring(FHueOffset, Value); }

void TsSkinManager::SetSaturation(int Value) { SetRecolouring(FSaturation, Value); }

bool TsSkinManager::GetExtendedBorders() const { return FExtendedBorders && UpdateLayeredWindow; }

void TsSkinManager::SetExtendedBorders(bool Value)
{
    if (Value == FExtendedBorders)
        return;
    FExtendedBorders = Value;
    if (SkinData->Active)
        ReloadForBorders();
}

void TsSkinManager::ReloadForBorders()
{
    if (Deferred([this] { ReloadForBorders(); }))
        return;
    RunLoad([this] {
        {
            TFlagScope changing(aSkinChanging);
            CheckShadows();
            ReloadFromSource();
        }
        if (!IsLoading() && !IsDesigning())
            RepaintForms(true);
    });
}

namespace {

// A new 32-bit image of the Width x Height pixels of Source at TopLeft.
vcl::TObjectPtr<TPNGGraphic> CopyFrame(vcl::TBitmap* Source, vcl::TPoint TopLeft, int Width, int Height)
{
    vcl::TObjectPtr<TPNGGraphic> frame(vcl::Create<TPNGGraphic>());
    frame->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    frame->SetSize(Width, Height);
    px::CopyPixels(PixelsOf(frame.get()), 0, 0, PixelsOf(Source), vcl::Bounds(TopLeft.x, TopLeft.y, Width, Height));
    return frame;
}

vcl::TObjectPtr<TPNGGraphic> CopyImage(TPNGGraphic* Source)
{
    return CopyFrame(Source, vcl::TPoint(0, 0), Source->Width(), Source->Height());
}

}  // namespace

void TsSkinManager::CheckShadows()
{
    if (!FActive || !GetExtendedBorders()) {
        FormShadowSize = vcl::TRect();
        return;
    }
    ShdaTemplate.reset(vcl::Create<TPNGGraphic>());
    ShdiTemplate.reset(vcl::Create<TPNGGraphic>());
    if (IsValidImgIndex(ConstData.ExBorder)) {
        const TsMaskData& border = ma[size_t(ConstData.ExBorder)];
        const int offs = SkinData->ExContentOffs;
        FormShadowSize = SkinData->ExDrawMode == 0
                             ? vcl::TRect(border.WL - offs, border.WT - offs, border.WR - offs, border.WB - offs)
                             : vcl::TRect(offs, offs, offs, offs);
        const int w = WidthOfImage(border), h = HeightOfImage(border);
        // An image kept as a rectangle of the master bitmap gives its frames from there.
        vcl::TBitmap* source = border.Bmp ? border.Bmp.get() : MasterBitmap.get();
        const vcl::TPoint origin = border.Bmp ? vcl::TPoint(0, 0) : border.R.TopLeft();
        if (source) {
            ShdiTemplate = CopyFrame(source, origin, w, h);
            ShdaTemplate = CopyFrame(source, border.ImageCount > 1 ? origin + vcl::TPoint(w, 0) : origin, w, h);
        }
    } else if (DefaultShadowActive && DefaultShadowInactive && !DefaultShadowActive->Empty() &&
               !DefaultShadowInactive->Empty()) {
        ShdaTemplate = CopyImage(DefaultShadowActive.get());
        ShdiTemplate = CopyImage(DefaultShadowInactive.get());
        FormShadowSize = vcl::TRect(9, 9, 9, 9);
    }
    UpdateTransPixels(ShdaTemplate.get());
    UpdateTransPixels(ShdiTemplate.get());
}

bool TsSkinManager::IsDefault() const { return DefaultManager == this; }

void TsSkinManager::SetIsDefault(bool Value)
{
    if (!Value && DefaultManager)
        return;
    DefaultManager = this;
    if (FActive)
        SendNewSkin(true);
    else
        SendRemoveSkin();
}

void TsSkinManager::SetSkinnedPopups(bool Value)
{
    if (Value == FSkinnedPopups)
        return;
    FSkinnedPopups = Value;
    // The menus are hooked again even while the menu painter counts as active: it unhooked them
    // while popups were not skinned.
    if (Value && !IsDesigning() && DefaultManager == this)
        FSkinableMenus->InitItems(SkinData->Active);
}

// ---------------------------------------------------------------------------------------------
// The control under the mouse

void TsSkinManager::SetActiveControl(HWND W)
{
    if (W == FActiveControl)
        return;
    // A hot graphic control leaves first, unless the mouse is still above it.
    if (FActiveGraphControl) {
        SetActiveGraphControl(nullptr);
        if (FActiveGraphControl)
            return;
    }
    const HWND old = FActiveControl;
    FActiveControl = W;
    if (old)
        SendAMessage(old, scmdMouseLeave, reinterpret_cast<LPARAM>(this));
    if (W)
        SendAMessage(W, scmdMouseEnter, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::SetActiveGraphControl(vcl::TGraphicControl* G)
{
    if (G == FActiveGraphControl)
        return;
    if (!G && FActiveGraphControl) {
        const auto* data = reinterpret_cast<const TsCommonData*>(
            FActiveGraphControl->Perform(SkinCommandMessage, SkinCommandWParam(scmdQuerySkinData), 0));
        if (data && data->FMouseAbove)
            return;
    }
    if (G && FActiveControl) {
        // The window is no longer hot once a graphic control takes over.
        const HWND window = FActiveControl;
        FActiveControl = nullptr;
        SendAMessage(window, scmdMouseLeave, reinterpret_cast<LPARAM>(this));
    }
    vcl::TGraphicControl* old = FActiveGraphControl;
    if (old)
        old->RemoveFreeNotification(this);
    FActiveGraphControl = G;
    if (G)
        G->FreeNotification(this);
    if (old)
        old->Perform(SkinCommandMessage, SkinCommandWParam(scmdMouseLeave), reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FActiveGraphControl)
        FActiveGraphControl = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hooks

void TsSkinManager::InstallHook()
{
    // One hook serves the thread: a manager made default later leaves the one in place.
    if (IsDesigning() || DefaultManager != this || GlobalHookInstalled || HookCallback)
        return;
    GlobalHookInstalled = true;
    if (!acSupportedList)
        acSupportedList = std::make_unique<TacProviderList>();
    HookCallback = SetWindowsHookExW(WH_CBT, SkinHookCBT, nullptr, GetCurrentThreadId());
}

void TsSkinManager::UnInstallHook()
{
    // The manager that installed the hook removes it, default or not: nobody else could.
    if (IsDesigning() || !GlobalHookInstalled)
        return;
    if (HookCallback)
        UnhookWindowsHookEx(HookCallback);
    FreeSupportedList();
    GlobalHookInstalled = false;
    HookCallback = nullptr;
}

}  // namespace skin
