#include "skin/core/sCommonData.h"

#include <algorithm>

#include "skin/core/acGlow.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TColor;
using vcl::TComponentStateItem;
using vcl::TControl;
using vcl::TWinControl;

bool RestrictDrawing = false;
bool acFreeHiddenCaches = true;

namespace {

// The default sections of the kind codes; every other code takes the owner's class name.
struct TDefaultSection {
    TKindSet Codes;
    const wchar_t* Section;
};
const TDefaultSection DefaultSections[] = {
    {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 85}, {96, 96}, {131, 131}, {140, 140}, {227, 227}},
     L"EDIT"},
    {{{11, 18}, {81, 82}}, L"COMBOBOX"},
    {{{19, 19}}, L"BAR"},
    {{{20, 20}}, L"BARTITLE"},
    {{{32, 32}, {152, 152}}, L"CHECKBOX"},
    {{{33, 33}}, L"RADIOBUTTON"},
    {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, L"PANEL"},
    {{{52, 52}, {58, 58}}, L"PANEL_LOW"},
    {{{53, 54}, {60, 60}}, L"TOOLBAR"},
    {{{56, 56}}, L"DRAGBAR"},
    {{{57, 57}}, L"TABSHEET"},
    {{{74, 74}, {226, 226}}, L"GROUPBOX"},
    {{{75, 75}}, L"SPLITTER"},
    {{{92, 92}, {95, 95}}, L"SPEEDBUTTON"},
    {{{93, 94}}, L"BUTTON"},
    {{{98, 98}}, L"TOOLBUTTON"},
    {{{141, 141}, {143, 143}}, L"PAGECONTROL"},
    {{{151, 151}}, L"STATUSBAR"},
    {{{161, 161}}, L"GAUGE"},
    {{{165, 165}}, L"TRACKBAR"},
};

// The containers that paint straight from the skin while their section needs no cache. Names of
// classes, so that the kinds the class library adds later take part as they come.
const wchar_t* const NoCacheContainers[] = {L"TCustomPanel", L"TCustomForm", L"TScrollingWinControl",
                                            L"TCustomFrame", L"TPageControl"};

bool Loading(const vcl::TComponent* Component)
{
    return Component->ComponentState().Contains(TComponentStateItem::csLoading);
}

TsSkinProvider* ProviderOf(const TsCommonData& SkinData) { return dynamic_cast<TsSkinProvider*>(SkinData.FOwnerObject); }

// The state entry of Props that State reads: the hot one above 0 when the section has one.
int PropsIndex(const TsGeneralData& Section, int State) { return State > 0 && Section.States > 1 ? 1 : 0; }

bool NoCacheContainer(const TControl* Control)
{
    return std::any_of(std::begin(NoCacheContainers), std::end(NoCacheContainers),
                       [Control](const wchar_t* name) { return Control->InheritsFrom(name); });
}

}  // namespace

TsCommonData* SkinDataOf(TControl* Control)
{
    const std::optional<vcl::TObject*> data = Control ? vcl::ReadObjectProperty(Control, L"SkinData") : std::nullopt;
    return data ? dynamic_cast<TsCommonData*>(*data) : nullptr;
}

vcl::String DefaultSection(int KindCode)
{
    for (const TDefaultSection& entry : DefaultSections)
        if (entry.Codes.Contains(KindCode))
            return entry.Section;
    return {};
}

// ---------------------------------------------------------------------------------------------
// TsCommonData

TsCommonData::TsCommonData(vcl::TObject* AOwner, bool CreateCacheBmp)
    : FOwnerControl(dynamic_cast<TControl*>(AOwner)), FOwnerObject(AOwner)
{
    if (CreateCacheBmp)
        FCacheBmp = CreateBmp32(0, 0);
}

TsCommonData::~TsCommonData() { HideGlow(); }

void TsCommonData::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"CustomColor", &TsCommonData::CustomColor, &TsCommonData::SetCustomColor);
    Table.Add(L"CustomFont", &TsCommonData::CustomFont, &TsCommonData::SetCustomFont);
    Table.Add(L"SkinManager", &TsCommonData::SkinManager, &TsCommonData::SetSkinManager);
}

void TsCtrlSkinData::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"HUEOffset", &TsCtrlSkinData::HUEOffset, &TsCtrlSkinData::SetHUEOffset);
    Table.Add(L"Saturation", &TsCtrlSkinData::Saturation, &TsCtrlSkinData::SetSaturation);
}

void TsCommonData::Assign(vcl::TPersistent* Source)
{
    auto* source = dynamic_cast<TsCommonData*>(Source);
    if (!source) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    SetCustomColor(source->FCustomColor);
    SetCustomFont(source->FCustomFont);
    SetSkinManager(source->FSkinManager);
    SetSkinSection(source->FSkinSection);
    SetHUEOffset(source->FHUEOffset);
    SetSaturation(source->FSaturation);
}

const TsGeneralData& TsCommonData::Section() const { return SkinManager()->gd[size_t(SkinIndex)]; }

vcl::TCustomForm* TsCommonData::ProviderForm() const
{
    const TsSkinProvider* provider = ProviderOf(*this);
    return provider ? dynamic_cast<vcl::TCustomForm*>(provider->Owner()) : nullptr;
}

TsSkinManager* TsCommonData::SkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

bool TsCommonData::OwnerPlaced() const
{
    if (!FOwnerControl || !FOwnerControl->Parent())
        return false;
    const vcl::TComponentState state = FOwnerControl->ComponentState();
    return !state.Contains(TComponentStateItem::csLoading) && !state.Contains(TComponentStateItem::csReading) &&
           !state.Contains(TComponentStateItem::csDestroying);
}

void TsCommonData::NotifyOwner(TsSkinManager* Manager)
{
    const bool serves = Manager && !Manager->gd.empty() && Manager->IsValidSkinIndex(SkinIndex);
    FOwnerControl->Perform(SkinCommandMessage, SkinCommandWParam(serves ? scmdRepaint : scmdSkinRemoved),
                           reinterpret_cast<LPARAM>(Manager));
}

void TsCommonData::SetSkinSection(const vcl::String& Value)
{
    if (Value == FSkinSection)
        return;
    FSkinSection = Value.empty() ? vcl::String(L"UNKNOWN") : vcl::UpperCase(Value);
    TsSkinManager* manager = SkinManager();
    if (!manager || manager->gd.empty())
        SkinIndex = -1;
    else
        UpdateIndexes();
    if (OwnerPlaced()) {
        if (!FUpdating)
            NotifyOwner(manager);
        HideGlow();
    } else if (ProviderOf(*this)) {
        BGChanged = true;
    }
}

void TsCommonData::SetSkinManager(TsSkinManager* Value)
{
    if (Value == FSkinManager)
        return;
    FSkinManager = Value == DefaultManager ? nullptr : Value;
    if (FOwnerControl && Loading(FOwnerControl))
        return;
    if (Value && !Value->gd.empty())
        UpdateIndexes();
    else
        SkinIndex = -1;
    if (TsSkinProvider* provider = ProviderOf(*this)) {
        const bool serves = Value && !Value->gd.empty() && Value->IsValidSkinIndex(SkinIndex);
        vcl::TMessage message = MakeSkinMessage(serves ? scmdRepaint : scmdSkinRemoved, reinterpret_cast<LPARAM>(Value));
        provider->DsgnWndProc(message);
    } else if (FOwnerControl && FOwnerControl->Parent() && !ComponentDestroying(FOwnerControl)) {
        NotifyOwner(Value);
    }
}

void TsCommonData::SetCustomColor(bool Value)
{
    if (vcl::ChangeField(FCustomColor, Value))
        OwnColoursChanged();
}

void TsCommonData::SetCustomFont(bool Value)
{
    if (vcl::ChangeField(FCustomFont, Value))
        OwnColoursChanged();
}

void TsCommonData::OwnColoursChanged()
{
    if (FOwnerControl && !Loading(FOwnerControl))
        ApplySkinColors(true);
}

void TsCommonData::SetHUEOffset(int Value)
{
    if (vcl::ChangeField(FHUEOffset, Value))
        SkinColoursChanged();
}

void TsCommonData::SetSaturation(int Value)
{
    if (vcl::ChangeField(FSaturation, Value))
        SkinColoursChanged();
}

void TsCommonData::SkinColoursChanged()
{
    Loaded();
    Invalidate();
}

bool TsCommonData::Skinned(bool CheckSkinActive) const
{
    const TsSkinManager* manager = SkinManager();
    if (FSkinSection.empty() || !manager || ComponentDestroying(manager) || !manager->IsValidSkinIndex(SkinIndex) ||
        ComponentDestroying(FOwnerObject))
        return false;
    return !CheckSkinActive || manager->SkinData->Active;
}

bool TsCommonData::GetUpdating() const
{
    if (!SkinManager())
        return false;
    if (!IsCached(*this))
        return FUpdating;
    if (FOwnerControl && ComponentDestroying(FOwnerControl))
        return FUpdating;
    if (FUpdating)
        return true;
    TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
    if (!FOwnerControl)
        if (vcl::TCustomForm* form = ProviderForm())
            parent = form->Parent();
    return parent && GetBoolMsg(parent, scmdQueryChanging);
}

void TsCommonData::Invalidate()
{
    if (FOwnerControl) {
        if (ComponentDestroying(FOwnerControl) || Loading(FOwnerControl))
            return;
        BGChanged = true;
        if (!ControlIsReady(FOwnerControl))
            return;
        if (auto* windowed = dynamic_cast<TWinControl*>(FOwnerControl)) {
            if (windowed->HandleAllocated())
                RedrawWindow(windowed->Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        } else {
            FOwnerControl->Repaint();
        }
    } else if (vcl::TCustomForm* form = ProviderForm()) {
        BGChanged = true;
        if (form->HandleAllocated())
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TsCommonData::Loaded()
{
    UpdateData(*this);
    if (!Skinned() || !FOwnerControl || !FOwnerControl->Parent() || Loading(FOwnerControl))
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(FOwnerControl))
        AddToAdapter(windowed);
    ApplySkinColors(false);
}

void TsCommonData::BeginUpdate()
{
    ++FUpdateCount;
    FUpdating = true;
    CtrlSkinState |= cssBatch;
    TellOwner(scmdBeginBatch);
}

void TsCommonData::EndUpdate(bool Repaint)
{
    --FUpdateCount;
    FUpdating = false;
    CtrlSkinState &= uint16_t(~cssBatch);
    if (FUpdateCount > 0)
        return;
    TellOwner(scmdEndBatch);
    if (Repaint)
        Invalidate();
}

void TsCommonData::TellOwner(uint16_t Cmd)
{
    const vcl::TMessage message = MakeSkinMessage(Cmd);
    if (FOwnerControl)
        FOwnerControl->Perform(message.Msg, message.WParam, message.LParam);
    else if (vcl::TCustomForm* form = ProviderForm(); form && form->HandleAllocated())
        SendMessageW(form->Handle(), message.Msg, message.WParam, message.LParam);
}

void TsCommonData::UpdateIndexes()
{
    BGChanged = true;
    TsSkinManager* manager = SkinManager();
    SkinIndex = manager && manager->Active() ? manager->GetSkinIndex(FSkinSection) : -1;
    UpdateBGType();
    CtrlSkinState = 0;
    if (manager && manager->IsValidSkinIndex(SkinIndex)) {
        BorderIndex = manager->gd[size_t(SkinIndex)].BorderIndex;
        Texture = manager->GetTextureIndex(SkinIndex, FSkinSection, L"PATTERN");
        HotTexture = manager->GetTextureIndex(SkinIndex, FSkinSection, L"HOTPATTERN");
        UpdateSkinState(*this, false);
    } else {
        Texture = HotTexture = -1;
    }
}

void TsCommonData::UpdateBGType()
{
    BGType = 0;
    const TsSkinManager* manager = SkinManager();
    if (!manager || !manager->IsValidSkinIndex(SkinIndex))
        return;
    const TsGeneralData& section = manager->gd[size_t(SkinIndex)];
    if (section.ImagePercent > 0)
        BGType |= bgtTexture;
    if (section.GradientPercent != 0 && !section.GradientArray.empty())
        switch (section.GradientArray[0].Mode1) {
        case 0: BGType |= bgtHeight; break;
        case 1: BGType |= bgtWidth; break;
        case 2: BGType |= bgtWidth | bgtHeight; break;
        default: break;
        }
}

bool TsCommonData::RepaintIfMoved() const
{
    if (UrgentPainting || !Skinned() || !FOwnerControl || FOwnerControl->InheritsFrom(L"TsTabSheet") ||
        !FOwnerControl->Enabled())
        return true;
    if (Section().Transparency <= 0)
        return false;
    TWinControl* parent = FOwnerControl->Parent();
    return parent && parent->HandleAllocated() && GetBoolMsg(parent, scmdQueryTextured);
}

void TsCommonData::ApplySkinColors(bool Repaint)
{
    auto* windowed = dynamic_cast<TWinControl*>(FOwnerControl);
    if (!Skinned() || !EditKinds.Contains(COC) || !windowed || !windowed->HandleAllocated())
        return;
    const TsGeneralData& section = Section();
    const auto skinColour = [this](TColor Color) { return ChangeSaturation(ChangeHue(FHUEOffset, Color), FSaturation); };
    if (!FCustomColor)
        if (const TColor colour = skinColour(section.Color); windowed->Color() != colour)
            windowed->SetColor(colour);
    if (!FCustomFont)
        if (const TColor colour = skinColour(section.Props[0].FontColor.Color); windowed->Font()->Color() != colour)
            windowed->Font()->SetColor(colour);
    if (Repaint)
        Invalidate();
}

void TsCommonData::HideGlow()
{
    skin::HideGlow(GlowID);
    GlowID = -1;
}

namespace {

// A window's rectangle on the screen and the part of it its window DC may paint, in its own
// coordinates.
void WindowGlowRects(HWND Wnd, vcl::TRect& R, vcl::TRect& RealRect)
{
    GetWindowRect(Wnd, &R);
    const HDC dc = GetWindowDC(Wnd);
    GetClipBox(dc, &RealRect);
    ReleaseDC(Wnd, dc);
}

// A graphic control's rectangle on the screen and the part of it that lies inside its parent and
// the clip box of its parent's DC, in its own coordinates.
void GraphicGlowRects(TControl* Control, vcl::TRect& R, vcl::TRect& RealRect)
{
    TWinControl* parent = Control->Parent();
    const vcl::TRect bounds = Control->BoundsRect();
    const vcl::TPoint topLeft = parent->ClientToScreen(bounds.TopLeft());
    R = vcl::TRect(topLeft, topLeft + vcl::TPoint(bounds.Width(), bounds.Height()));
    vcl::TRect clip;
    const HDC dc = GetDC(parent->Handle());
    GetClipBox(dc, &clip);
    ReleaseDC(parent->Handle(), dc);
    RealRect = vcl::TRect(std::max(0L, -bounds.left), std::max(0L, -bounds.top),
                          clip.right < bounds.right ? clip.right - bounds.left : bounds.Width(),
                          clip.bottom < bounds.bottom ? clip.bottom - bounds.top : bounds.Height());
}

// The window a control's glow belongs to: the parent control's of a form placed in a control, else
// the form's; none for a control outside any form.
HWND GlowOwnerWindow(TControl* Control)
{
    vcl::TCustomForm* form = vcl::GetParentForm(Control);
    if (!form)
        return nullptr;
    return form->Parent() ? form->Parent()->Handle() : form->Handle();
}

}  // namespace

void ShowGlowingIfNeeded(TsCommonData& SkinData, bool Clicked, HWND Handle)
{
    TsSkinManager* manager = SkinData.SkinManager();
    if (!manager || !manager->GetAllowGlowing() || !manager->IsValidSkinIndex(SkinData.SkinIndex) ||
        SkinData.Section().GlowCount < 1)
        return;
    vcl::TRect R, RealRect;
    HWND owner = nullptr;
    if (TControl* control = SkinData.FOwnerControl) {
        if (!SkinData.FMouseAbove || control->ControlState().Contains(vcl::TControlStateItem::csLButtonDown) ||
            (Clicked && SkinData.GlowID >= 0)) {
            SkinData.HideGlow();
            return;
        }
        owner = GlowOwnerWindow(control);
        auto* windowed = dynamic_cast<TWinControl*>(control);
        TWinControl* painter = windowed ? windowed : control->Parent();
        if (!owner || !painter || !painter->HandleAllocated())
            return;
        if (windowed)
            WindowGlowRects(windowed->Handle(), R, RealRect);
        else
            GraphicGlowRects(control, R, RealRect);
    } else if (Handle) {
        WindowGlowRects(Handle, R, RealRect);
        owner = GetParentFormHandle(Handle);
    } else {
        return;
    }
    // A glow still shown would stay on the screen for good once its id is replaced.
    SkinData.HideGlow();
    SkinData.GlowID = ShowGlow(R, RealRect, SkinData.SkinSection(), L"GLOW", SkinData.Section().GlowMargin, 255, owner,
                               manager);
}

// ---------------------------------------------------------------------------------------------
// The section, the cache and the skin state

void UpdateData(TsCommonData& SkinData)
{
    if (!SkinData.SkinSection().empty()) {
        SkinData.UpdateIndexes();
        return;
    }
    vcl::String section = DefaultSection(SkinData.COC);
    if (section.empty() && SkinData.FOwnerObject)
        section = SkinData.FOwnerObject->ClassName();
    SkinData.SetSkinSection(section);
}

bool IsCached(const TsCommonData& SkinData)
{
    return !(SkinData.CtrlSkinState & cssNoCache) || ControlIsActive(SkinData);
}

bool IsCacheRequired(const TsCommonData& SkinData)
{
    const TsSkinManager* manager = SkinData.SkinManager();
    if (!manager || !manager->IsValidSkinIndex(SkinData.SkinIndex))
        return false;
    if (manager->IsValidImgIndex(SkinData.BorderIndex)) {
        const TsMaskData& border = manager->ma[size_t(SkinData.BorderIndex)];
        if ((border.DrawMode & dmCentre) || border.WL + border.WR > 20 || border.WT + border.WB > 20)
            return true;
    }
    const TsGeneralData& section = SkinData.Section();
    switch (section.Transparency) {
    case 100: {
        if (manager->IsValidImgIndex(section.TextureNormal) &&
            manager->ma[size_t(section.TextureNormal)].DrawMode == int(TacFillMode::WholeTiles))
            return true;
        TWinControl* parent = SkinData.FOwnerControl ? SkinData.FOwnerControl->Parent() : nullptr;
        return !parent || !(SendAMessage(parent, scmdSkinState) & cssNoCache);
    }
    case 0: {
        if (section.ImagePercent != 0 || section.GradientPercent != 0)
            return true;
        const vcl::TCustomForm* form = SkinData.ProviderForm();
        return form && form->OnPaint().Assigned();
    }
    default:
        return true;
    }
}

void UpdateSkinState(TsCommonData& SkinData, bool UpdateChildren)
{
    SkinData.CtrlSkinState &= uint16_t(~cssNoCache);
    if (TControl* owner = SkinData.FOwnerControl) {
        if (NoCacheContainer(owner) && !IsCacheRequired(SkinData))
            SkinData.CtrlSkinState |= cssNoCache;
        if (auto* windowed = dynamic_cast<TWinControl*>(owner); windowed && UpdateChildren)
            for (int i = 0; i < windowed->ControlCount(); ++i)
                SendAMessage(windowed->Controls(i), scmdSkinState, 1);
    } else if (const vcl::TCustomForm* form = SkinData.ProviderForm()) {
        if (!IsCacheRequired(SkinData) && form->FormStyle() != vcl::TFormStyle::fsMDIForm)
            SkinData.CtrlSkinState |= cssNoCache;
    }
}

bool ControlIsActive(const TsCommonData& SkinData)
{
    const TControl* owner = SkinData.FOwnerControl;
    if (!owner || ComponentDestroying(owner) || !owner->Enabled())
        return false;
    if (SkinData.FFocused)
        return true;
    const bool hot = SkinData.FMouseAbove && !NoHotKinds.Contains(SkinData.COC);
    const auto* windowed = dynamic_cast<const TWinControl*>(owner);
    if (!windowed || !windowed->HandleAllocated())
        return hot;
    // The system is asked for the focus only when the answer depends on it: under Wine that asks
    // the window server, and containers ask this on every paint.
    const auto hasFocus = [windowed] { return GetFocus() == const_cast<TWinControl*>(windowed)->Handle(); };
    if (dynamic_cast<const vcl::TCustomPanel*>(owner))  // a focused panel is not active
        return hot && !hasFocus();
    return hot || hasFocus();
}

// ---------------------------------------------------------------------------------------------
// Colours

vcl::TColor GetBGColor(const TsCommonData& SkinData, int State, HWND Handle)
{
    const TControl* owner = SkinData.FOwnerControl;
    if (SkinData.Skinned()) {
        const TsGeneralData& section = SkinData.Section();
        const TsGenState& props = section.Props[size_t(PropsIndex(section, State))];
        const int T = props.Transparency;
        if (T != 0) {
            if (T != 100 && !owner && !Handle)
                return vcl::clBtnFace;
            const TColor parent = owner     ? GetControlColor(owner->Parent())
                                  : Handle  ? GetControlColor(GetParent(Handle))
                                            : vcl::clBtnFace;
            return T == 100 ? parent : MixColors(props.Color, parent, T / 100.0);
        }
        if (!SkinData.CustomColor())
            return props.Color;
    }
    if (owner)
        return owner->Color();
    if (const vcl::TCustomForm* form = SkinData.ProviderForm())
        return form->Color();
    return vcl::clBtnFace;
}

int GetFontIndex(TControl* Control, int DefIndex, TsSkinManager* SkinManager, int State)
{
    TWinControl* parent = Control ? Control->Parent() : nullptr;
    const TsSkinManager* manager = SkinManager ? SkinManager : DefaultManager;
    if (!parent || !manager)
        return DefIndex;
    int index;
    if (const TsCommonData* data = SkinDataOf(parent); data && data->SkinIndex >= 0) {
        index = data->SkinIndex;
    } else {
        TacSectionInfo info;
        SendAMessage(parent, scmdQuerySkinIndex, reinterpret_cast<LPARAM>(&info));
        index = info.SkinIndex;
    }
    if (!manager->IsValidSkinIndex(index))
        return DefIndex;
    const TsGeneralData& section = manager->gd[size_t(index)];
    const int props = State > 0 ? std::clamp(section.States - 1, 0, 1) : 0;
    if (section.Props[size_t(props)].Transparency >= 51 && parent->Parent())
        return GetFontIndex(parent, DefIndex, SkinManager, 0);
    return section.GiveOwnFont ? index : DefIndex;
}

bool ParentTextured(const TsCommonData& SkinData)
{
    TWinControl* parent = SkinData.FOwnerControl ? SkinData.FOwnerControl->Parent() : nullptr;
    return parent && parent->HandleAllocated() && GetBoolMsg(parent, scmdQueryTextured);
}

int SkinBorderMaxWidth(const TsCommonData& SkinData)
{
    const TsSkinManager* manager = SkinData.SkinManager();
    if (!manager || !manager->IsValidImgIndex(SkinData.BorderIndex))
        return 0;
    const TsMaskData& border = manager->ma[size_t(SkinData.BorderIndex)];
    if (border.DrawMode & dmNotInNormal)
        return 0;
    return std::max({border.WL, border.WT, border.WR, border.WB});
}

}  // namespace skin
