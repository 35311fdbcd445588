// The skin commands and window messages that every skinned control handles alike, and the answer
// to the background query.
#include "skin/core/sCommonData.h"

#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/properties.h"
#include "vcl/stdctrls.h"

namespace skin {

using vcl::TColor;
using vcl::TComponentStateItem;
using vcl::TControl;
using vcl::TMessage;
using vcl::TWinControl;

namespace {

bool FromOwnManager(const TMessage& Message, const TsCommonData& SkinData)
{
    return Message.LParam == reinterpret_cast<LPARAM>(SkinData.SkinManager());
}

TWinControl* WindowedOwner(const TsCommonData& SkinData) { return dynamic_cast<TWinControl*>(SkinData.FOwnerControl); }

void RedrawFrame(TWinControl* Control)
{
    if (Control->HandleAllocated())
        RedrawWindow(Control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void EmptyCache(TsCommonData& SkinData) { SkinData.FCacheBmp->SetSize(0, 0); }

// ---------------------------------------------------------------------------------------------
// Skin commands

// The standard look comes back: the edits' window colours, the labels' window-text colour.
void RestoreStandardColours(TsCommonData& SkinData)
{
    if (auto* edit = dynamic_cast<vcl::TCustomEdit*>(SkinData.FOwnerControl)) {
        if (!SkinData.CustomColor())
            edit->SetColor(vcl::clWindow);
        if (!SkinData.CustomFont())
            edit->Font()->SetColor(vcl::clWindowText);
        RedrawFrame(edit);
    } else if (TWinControl* windowed = WindowedOwner(SkinData)) {
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (auto* label = dynamic_cast<vcl::TLabel*>(windowed->Controls(i)))
                label->Font()->SetColor(vcl::clWindowText);
    }
}

// scmdQueryColor: the section's colour, mixed over the parent's by the transparency.
LRESULT QueryColor(const TsCommonData& SkinData)
{
    const TControl* owner = SkinData.FOwnerControl;
    const TColor own = TColor(vcl::ColorToRGB(owner->Color()));
    if (!SkinData.Skinned())
        return own;
    const TsGeneralData& section = SkinData.Section();
    const int T = section.Transparency;
    if (T == 0)
        return section.Color;
    TWinControl* parent = owner->Parent();
    if (T == 100) {
        if (!parent)
            return own;
        const LRESULT answer = SendAMessage(parent, scmdQueryColor);
        return answer == LRESULT(vcl::clFuchsia) ? LRESULT(parent->Color()) : answer;
    }
    // Each colour byte of the parent weighted by T/256 over the section's; the fourth byte stays
    // the parent's.
    const uint32_t P = uint32_t(parent ? SendAMessage(parent, scmdQueryColor) : LRESULT(own));
    const uint32_t K = uint32_t(section.Color);
    uint32_t mixed = P & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const int p = int(P >> shift & 0xFF), k = int(K >> shift & 0xFF);
        mixed |= uint32_t(IntToByte((T * (p - k) + k * 256) >> 8)) << shift;
    }
    return LRESULT(int32_t(mixed));
}

// scmdQueryTextured: the background depends on the position.
bool QueryTextured(const TsCommonData& SkinData)
{
    const TsGeneralData& section = SkinData.Section();
    if (section.Transparency == 100 && SkinData.FOwnerControl && SkinData.FOwnerControl->Parent())
        return ParentTextured(SkinData);
    return section.GradientPercent + section.ImagePercent > 0 || SkinData.RepaintIfMoved();
}

// scmdMarkIfMoved: the parent moved or was resized.
void MarkIfMoved(TsCommonData& SkinData, bool RedrawNow)
{
    const bool matters = SkinData.RepaintIfMoved();
    SkinData.BGChanged = SkinData.BGChanged || matters;
    TWinControl* windowed = WindowedOwner(SkinData);
    if (!windowed)
        return;
    if (RedrawNow && windowed->HandleAllocated())
        RedrawWindow(windowed->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
    if (matters)
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (TControl* child = windowed->Controls(i); !ComponentDestroying(child))
                SendAMessage(child, scmdMarkIfMoved);
}

// scmdDropCache: the caches of the control and of its child windows are freed.
void DropCache(TsCommonData& SkinData)
{
    if (!SkinData.FCacheBmp)
        return;
    if (TWinControl* windowed = WindowedOwner(SkinData))
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(windowed->Controls(i)); child && child->HandleAllocated())
                SendAMessage(child->Handle(), scmdDropCache);
    EmptyCache(SkinData);
    SkinData.BGChanged = true;
    SkinData.FUpdating = true;
}

// ---------------------------------------------------------------------------------------------
// Window messages

void ChildrenMarkIfMoved(TWinControl* Control)
{
    using vcl::TAnchorKind;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        const vcl::TAnchors anchors = child->Anchors();
        if (!ComponentDestroying(child) && !anchors.Contains(TAnchorKind::akRight) && !anchors.Contains(TAnchorKind::akBottom))
            child->Perform(SkinCommandMessage, SkinCommandWParam(scmdMarkIfMoved, 1), 0);
    }
}

void WMSize(TsCommonData& SkinData)
{
    if (!SkinData.Skinned())
        return;
    SkinData.BGChanged = true;
    if (TWinControl* windowed = WindowedOwner(SkinData); windowed && SkinData.Section().GradientPercent > 0)
        ChildrenMarkIfMoved(windowed);
    SkinData.HideGlow();
}

// A focus change of a control that takes the focus.
void FocusChanged(TsCommonData& SkinData, bool Focused)
{
    TWinControl* windowed = WindowedOwner(SkinData);
    if (!windowed || !windowed->CanFocus() || !windowed->TabStop())
        return;
    SkinData.BGChanged = true;
    SkinData.FFocused = Focused;
    if (!EditKinds.Contains(SkinData.COC))
        return;
    if (Focused ? SkinData.Skinned() && SkinData.Section().States > 1 : windowed->Visible())
        RedrawFrame(windowed);
}

void VisibleChanged(TsCommonData& SkinData, bool Visible)
{
    TControl* owner = SkinData.FOwnerControl;
    if (!owner || ComponentDestroying(owner) || !SkinData.FCacheBmp)
        return;
    if (Visible) {
        SkinData.SetUpdating(false);
    } else if (acFreeHiddenCaches) {
        EmptyCache(SkinData);
        if (auto* windowed = dynamic_cast<TWinControl*>(owner))
            for (int i = 0; i < windowed->ControlCount(); ++i) {
                TControl* child = windowed->Controls(i);
                auto* childWindow = dynamic_cast<TWinControl*>(child);
                if (childWindow && childWindow->HandleAllocated())
                    SendAMessage(childWindow->Handle(), scmdDropCache);
                else
                    child->Perform(SkinCommandMessage, SkinCommandWParam(scmdDropCache), 0);
            }
    }
    SkinData.BGChanged = true;
}

// The edits show their hot frame.
void RepaintEditFrame(TsCommonData& SkinData)
{
    SkinData.BGChanged = true;
    if (TWinControl* windowed = WindowedOwner(SkinData); windowed && windowed->HandleAllocated())
        SendMessageW(windowed->Handle(), WM_NCPAINT, 0, 0);
}

void MouseEnter(TsCommonData& SkinData)
{
    const bool hot = !NoHotKinds.Contains(SkinData.COC);
    TWinControl* windowed = WindowedOwner(SkinData);
    if (!windowed || !DefaultManager) {
        SkinData.FMouseAbove = SkinData.FMouseAbove || hot;
        return;
    }
    // A speed button inside that still shows itself hot leaves.
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl* child = windowed->Controls(i);
        if (!child->InheritsFrom(L"TsSpeedButton"))
            continue;
        if (const TsCommonData* childData = SkinDataOf(child); childData && childData->FMouseAbove)
            child->Perform(vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(child));
    }
    SkinData.FMouseAbove = SkinData.FMouseAbove || hot;
    DefaultManager->SetActiveControl(windowed->Handle());
    if (!NoGlowKinds.Contains(SkinData.COC) && (SkinData.COC < ckSpeedButton || SkinData.COC > ckBitBtn))
        ShowGlowingIfNeeded(SkinData);
    if (EditKinds.Contains(SkinData.COC) && SkinData.Section().States > 1)
        RepaintEditFrame(SkinData);
}

void MouseLeave(TsCommonData& SkinData)
{
    if (!NoHotKinds.Contains(SkinData.COC))
        SkinData.FMouseAbove = false;
    if (!NoGlowKinds.Contains(SkinData.COC) && (SkinData.COC < ckSpeedButton || SkinData.COC > ckBitBtn))
        SkinData.HideGlow();
    if (SkinData.FOwnerControl->Visible() && EditKinds.Contains(SkinData.COC))
        RepaintEditFrame(SkinData);
}

// The class library passes a child's enter and leave on to its parents with the child in LParam;
// those are the child's business.
bool AboutOwner(const TMessage& Message, const TsCommonData& SkinData)
{
    return Message.LParam == reinterpret_cast<LPARAM>(SkinData.FOwnerControl);
}

}  // namespace

bool CommonMessage(TMessage& Message, TsCommonData* SkinData)
{
    const uint16_t cmd = SkinCommandOf(Message);
    if (!SkinData || !cmd)
        return false;
    TsCommonData& data = *SkinData;
    switch (cmd) {
    case scmdSkinLoaded:
        if (FromOwnManager(Message, data)) {
            data.UpdateIndexes();
            UpdateSkinState(data, false);
            RestrictDrawing = false;
        }
        return false;
    case scmdSkinRemoved:
        if (FromOwnManager(Message, data)) {
            if (ComponentDestroying(reinterpret_cast<TsSkinManager*>(Message.LParam)))
                data.FSkinManager = nullptr;
            data.BorderIndex = data.SkinIndex = data.Texture = data.HotTexture = -1;
            data.FUpdating = true;
            if (data.FCacheBmp)
                EmptyCache(data);
            RestoreStandardColours(data);
        }
        return false;
    case scmdRepaint:
        if (FromOwnManager(Message, data)) {
            data.BGChanged = true;
            data.SetUpdating(false);
            data.ApplySkinColors(true);
            UpdateSkinState(data, false);
        }
        return false;
    case scmdQuerySkinned:
        Message.Result = 1;
        return true;
    case scmdSetUpdating:
        data.FUpdating = Message.WParamLo() == 1;
        return false;
    case scmdSetUrgent:
        data.UrgentPainting = Message.WParamLo() == 1;
        return false;
    case scmdQueryChanging:
        Message.Result = data.BGChanged || data.FUpdating ? 1 : 0;
        return true;
    case scmdQueryHalfVisible:
        Message.Result = data.HalfVisible ? 1 : 0;
        return true;
    case scmdSectionChanged:
        if (vcl::UpperCase(data.SkinSection()) == GlobalSectionName) {
            RestrictDrawing = false;
            data.Invalidate();
        }
        return false;
    case scmdSetSection:
        if (Message.LParam)
            data.SetSkinSection(reinterpret_cast<const TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case scmdMarkChanged:
        data.BGChanged = true;
        return false;
    case scmdQueryTextured: {
        // An index of tables no longer in force (a load under way) answers as an unskinned control.
        const TsSkinManager* manager = data.SkinManager();
        if (!manager || !manager->IsValidSkinIndex(data.SkinIndex))
            return false;
        const LRESULT textured = QueryTextured(data) ? 1 : 0;
        Message.LParam = textured;
        Message.Result = textured;
        return true;
    }
    case scmdMarkIfMoved:
        MarkIfMoved(data, Message.WParamLo() == 1);
        return false;
    case scmdQueryColor:
        if (!data.FOwnerControl)
            return false;
        Message.Result = QueryColor(data);
        return true;
    case scmdSetHalfVisible:
        data.HalfVisible = true;
        return false;
    case scmdQuerySkinIndex:
        reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = data.SkinIndex;
        return true;
    case scmdDropCache:
        DropCache(data);
        return false;
    case scmdQueryBackground:
        InitBGInfo(SkinData, *reinterpret_cast<TacBGInfo*>(Message.LParam), 0, nullptr);
        Message.Result = 1;
        return true;
    case scmdSkinState:
        if (Message.LParam == 1)
            UpdateSkinState(data, true);
        else
            Message.Result = data.CtrlSkinState;
        return true;
    case scmdQuerySkinData:
        Message.Result = reinterpret_cast<LRESULT>(SkinData);
        return true;
    case scmdPrintMode:
        if (Message.LParam)
            data.CtrlSkinState |= cssPrinting;
        else
            data.CtrlSkinState &= uint16_t(~cssPrinting);
        data.PrintDC = reinterpret_cast<HDC>(Message.LParam);
        Message.Result = 1;
        return true;
    case scmdQueryApplication:
        // Answered but left unhandled: the inherited procedure sees it too.
        Message.Result = reinterpret_cast<LRESULT>(vcl::Application);
        return false;
    default:
        return false;
    }
}

bool CommonWndProc(TMessage& Message, TsCommonData* SkinData)
{
    if (!SkinData)
        return false;
    if (Message.Msg == SkinCommandMessage)
        return CommonMessage(Message, SkinData);
    TsCommonData& data = *SkinData;
    TControl* owner = data.FOwnerControl;
    switch (Message.Msg) {
    case WM_MOVE:
        if (data.RepaintIfMoved()) {
            data.BGChanged = true;
            if (owner)
                owner->Perform(SkinCommandMessage, SkinCommandWParam(scmdMarkIfMoved, 1), 0);
        }
        data.HideGlow();
        break;
    case WM_SIZE:
        WMSize(data);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusChanged(data, Message.Msg == WM_SETFOCUS);
        break;
    case WM_FONTCHANGE:
    case vcl::CM_ENABLEDCHANGED:
        data.FMouseAbove = false;
        data.FFocused = false;
        if (owner && !owner->Enabled())
            data.HideGlow();
        break;
    case WM_CONTEXTMENU:
        // The control's menu is taken over by the skinned menus before it opens.
        if (TsSkinManager* manager = data.SkinManager(); owner && owner->PopupMenu() && manager)
            manager->SkinableMenus()->HookPopupMenu(owner->PopupMenu(), manager->Active());
        break;
    case WM_UPDATEUISTATE:
        // Skinned controls draw no focus cues of the system.
        return data.Skinned();
    case WM_PARENTNOTIFY:
        if (TWinControl* windowed = WindowedOwner(data); windowed && Message.WParamLo() == WM_CREATE)
            AddToAdapter(windowed);
        break;
    case vcl::CM_VISIBLECHANGED:
        VisibleChanged(data, Message.WParam != 0);
        break;
    case vcl::CM_MOUSEENTER:
        if (data.Skinned() && AboutOwner(Message, data))
            MouseEnter(data);
        break;
    case vcl::CM_MOUSELEAVE:
        if (data.Skinned() && AboutOwner(Message, data))
            MouseLeave(data);
        break;
    case vcl::CM_SHOWINGCHANGED:
        if (owner && owner->Visible())
            data.Loaded();
        break;
    default:
        break;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// The background query

void InitBGInfo(TsCommonData* SkinData, TacBGInfo& BGInfo, int State, HWND Handle)
{
    TsCommonData& data = *SkinData;
    vcl::TBitmap* cache = data.FCacheBmp.get();
    // The cache is the background: lent, or painted into the asker's DC at once.
    const auto lendCache = [&] {
        BGInfo.BgKind = 2;
        if (BGInfo.FillNow) {
            BitBlt(BGInfo.DC, BGInfo.R.left, BGInfo.R.top, BGInfo.R.Width(), BGInfo.R.Height(), cache->Canvas()->Handle(),
                   BGInfo.Offset.x, BGInfo.Offset.y, SRCCOPY);
            return;
        }
        BGInfo.Bmp = cache;
        BGInfo.Offset = vcl::TPoint(0, 0);
    };
    const auto plainColour = [&](TColor Color) {
        BGInfo.BgKind = 1;
        BGInfo.Color = Color;
    };

    if (!data.Skinned() || data.CustomColor()) {
        if (data.FOwnerControl)
            plainColour(data.FOwnerControl->Color());
        else if (const vcl::TCustomForm* form = data.ProviderForm())
            plainColour(form->Color());
        return;
    }
    const TsGeneralData& section = data.Section();
    const bool hot = State != 0;
    const int T = hot ? section.HotTransparency : section.Transparency;
    const int G = hot ? section.HotGradientPercent : section.GradientPercent;
    const int I = hot ? section.HotImagePercent : section.ImagePercent;

    if (T == 0 && (G > 0 || I > 0)) {
        BGInfo.Color = data.SkinManager()->GetGlobalColor();
        if (cache)
            lendCache();
        else
            plainColour(vcl::clFuchsia);
    } else if (T == 0) {
        plainColour(GetBGColor(data, State, nullptr));
        BGInfo.Bmp = cache;
        if (BGInfo.FillNow)
            FillDC(BGInfo.DC, BGInfo.R, BGInfo.Color);
    } else if (T == 100) {
        if (!(data.CtrlSkinState & cssNoCache) && cache && !data.BGChanged) {
            lendCache();
            return;
        }
        // The question goes up to what lies beneath the control.
        TControl* parent = nullptr;
        vcl::TPoint position;
        if (TControl* owner = data.FOwnerControl) {
            parent = owner->Parent();
            position = vcl::TPoint(owner->Left(), owner->Top());
        } else if (vcl::TCustomForm* form = data.ProviderForm()) {
            parent = form->Parent();
            position = vcl::TPoint(form->Left(), form->Top());
        }
        if (parent) {
            GetBGInfo(BGInfo, parent, BGInfo.FillNow);
        } else if (Handle) {
            const HWND parentWindow = GetParent(Handle);
            GetBGInfo(BGInfo, parentWindow, false);
            RECT r;
            GetWindowRect(Handle, &r);
            POINT origin{r.left, r.top};
            ScreenToClient(parentWindow, &origin);
            position = vcl::TPoint(origin.x, origin.y);
        } else {
            plainColour(DefaultManager ? DefaultManager->GetGlobalColor() : vcl::clBtnFace);
            return;
        }
        if (BGInfo.BgKind == 2)
            BGInfo.Offset = BGInfo.Offset + position;
    } else if (cache) {
        lendCache();
    } else {
        plainColour(vcl::clFuchsia);
    }
}

}  // namespace skin
