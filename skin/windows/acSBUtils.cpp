// The wrapper base: taking a window over and giving it back, the base window procedure, and the
// helpers the wrappers share.
#include "skin/windows/acSBUtils.h"

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sVclUtils.h"
#include "vcl/application.h"
#include "vcl/properties.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TMessage;

bool acDlgMode = false;

namespace {

TsSkinProvider* ProviderOf(const TsCommonData* Data)
{
    return Data ? dynamic_cast<TsSkinProvider*>(Data->FOwnerObject) : nullptr;
}

bool ManagerActive(const TsCommonData* Data)
{
    const TsSkinManager* manager = Data ? Data->SkinManager() : nullptr;
    return manager && manager->Active();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Taking the window over

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const vcl::String& SkinSection, bool Repaint)
    : CtrlHandle(AHandle), SkinManager(ASkinManager), FRepaint(Repaint)
{
    if (ASkinData) {
        SkinData = ASkinData;
        if (!SkinManager)
            SkinManager = ASkinData->SkinManager();
    } else {
        FOwnSkinData = std::make_unique<TsCommonData>(nullptr, true);
        SkinData = FOwnSkinData.get();
    }
    FThemed = Ac_SetWindowTheme && SwitchesTheme(SkinSection);
    if (FThemed)
        Ac_SetWindowTheme(AHandle, L" ", L" ");
    if (SkinData->SkinSection().empty())
        SkinData->SetSkinSection(SkinSection);
    DlgMode = acDlgMode;
}

TacMainWnd::~TacMainWnd() { Release(); }

bool TacMainWnd::SwitchesTheme(const vcl::String& SkinSection) const
{
    const TsSkinProvider* provider = ProviderOf(SkinData);
    return (!provider || provider->DrawNonClientArea()) && SkinSection != L"DIALOG";
}

void TacMainWnd::KeepTheme()
{
    if (FThemed && Ac_SetWindowTheme)
        Ac_SetWindowTheme(CtrlHandle, nullptr, nullptr);
    FThemed = false;
}

void TacMainWnd::Attach()
{
    SaveStdParams();
    ParamsChanged = false;
    Caption = GetWndText(CtrlHandle);
    Subclass();
    if (vcl::TControl* owner = SkinData->FOwnerControl) {
        OldCtrlStyle = owner->ControlStyle();
        vcl::TControlStyle style = OldCtrlStyle;
        owner->SetControlStyle(style << vcl::TControlStyleItem::csOpaque);
    }
}

void TacMainWnd::Subclass() { InitializeACWnd(this, CtrlHandle); }

vcl::TWinControl* TacMainWnd::WindowProcOwner() const
{
    if (TsSkinProvider* provider = ProviderOf(SkinData))
        return provider->Form;
    return dynamic_cast<vcl::TWinControl*>(SkinData->FOwnerControl);
}

void InitializeACWnd(TacMainWnd* Wnd, HWND Handle)
{
    Wnd->DontRepaint = false;
    Wnd->CtrlHandle = Handle;
    SetPropW(Handle, WrapperProperty, Wnd);
    const vcl::TWndMethod ours(Wnd, &TacMainWnd::acWndProc);
    if (vcl::TWinControl* control = Wnd->WindowProcOwner()) {
        Wnd->OldWndProc = control->WindowProc();
        control->SetWindowProc(ours);
        return;
    }
    Wnd->FSubclass = std::make_unique<vcl::TWindowSubclass>(Handle);
    Wnd->FSubclass->SetWindowProc(ours);
}

LRESULT TacMainWnd::CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam)
{
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    if (OldWndProc) {
        // Taken by value: the procedure may free the wrapper.
        const vcl::TWndMethod previous = OldWndProc;
        previous(message);
        LParam = message.LParam;
        return message.Result;
    }
    if (FSubclass)
        return CallWindowProcW(FSubclass->PreviousProc(), Handle, Msg, WParam, LParam);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Giving the window back

bool TacMainWnd::GiveWindowBack()
{
    if (OldWndProc) {
        if (vcl::TWinControl* control = WindowProcOwner())
            control->SetWindowProc(OldWndProc);
        return true;
    }
    return FSubclass && FSubclass->Restore();
}

void TacMainWnd::Detach(bool FrameChanged)
{
    if (FDestroyed)
        return;
    const bool restored = GiveWindowBack();
    RemovePropW(CtrlHandle, WrapperProperty);
    RestoreStdParams();
    if (IsWindowVisible(CtrlHandle))
        Ac_RedrawNonClient(CtrlHandle, FrameChanged);
    FDestroyed = restored;
}

void UninitializeACWnd(HWND, bool Repaint, TacMainWnd* Wnd)
{
    if (Wnd)
        Wnd->Detach(Repaint);
}

void TacMainWnd::Release()
{
    if (!FDestroyed) {
        if (vcl::TControl* owner = SkinData ? SkinData->FOwnerControl : nullptr; owner && !OldCtrlStyle.Empty())
            owner->SetControlStyle(OldCtrlStyle);
        GiveWindowBack();
        if (GetPropW(CtrlHandle, WrapperProperty) == this)
            RemovePropW(CtrlHandle, WrapperProperty);
        RestoreStdParams();
        const bool listUnderAero = SkinData && SkinData->COC == ckListViewWrapper && AeroIsEnabled();
        if (FThemed && Ac_SetWindowTheme && !listUnderAero)
            Ac_SetWindowTheme(CtrlHandle, nullptr, nullptr);
        FDestroyed = true;
    }
    // A procedure laid over ours may still call it: from now on it passes every message on.
    FSubclass.reset();
    OldWndProc = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The base window procedure

void TacMainWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: WMDestroy(Message); return;
    case WM_UPDATEUISTATE: return;
    case WM_SIZE: SkinData->BGChanged = true; break;
    case WM_SETTEXT: {
        const std::weak_ptr<int> alive = LifeToken();
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        if (!alive.expired())
            Caption = GetWndText(CtrlHandle);
        return;
    }
    case WM_CONTEXTMENU:
        HookOwnerPopupMenu();
        break;
    case WM_MOUSEMOVE:
        if (DefaultManager && !DefaultManager->ComponentState().Contains(vcl::TComponentStateItem::csDesigning) &&
            IsWindowEnabled(CtrlHandle) && DefaultManager->ActiveControl() != CtrlHandle)
            DefaultManager->SetActiveControl(CtrlHandle);
        break;
    case WM_PRINT:
        Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
        return;
    default: break;
    }
    if (!ManagerActive(SkinData) || !SkinCommand(Message))
        PassOn(Message);
}

void TacMainWnd::HookOwnerPopupMenu() const
{
    if (vcl::TControl* owner = SkinData->FOwnerControl; owner && owner->PopupMenu())
        if (TsSkinManager* manager = SkinData->SkinManager())
            manager->SkinableMenus()->HookPopupMenu(owner->PopupMenu(), manager->Active());
}

void TacMainWnd::PassOn(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TacMainWnd::WMDestroy(TMessage& Message)
{
    if (SkinData->GlowID >= 0)
        SkinData->HideGlow();
    if (!OldWndProc && !FSubclass) {
        Message.Result = SendMessageW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    const std::weak_ptr<int> alive = LifeToken();
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
    if (Message.Result != 0 || alive.expired())
        return;
    try {
        UninitializeACWnd(CtrlHandle, false, this);
    } catch (...) {
        // The window is going away: it goes on going away.
    }
}

bool TacMainWnd::SkinCommand(TMessage& Message)
{
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded: SkinLoaded(Message); return false;
    case scmdSkinRemoved:
        if (Message.LParam == reinterpret_cast<LPARAM>(SkinManager))
            RestoreStdParams();
        return false;
    case scmdRepaint:
        if (Message.LParam != reinterpret_cast<LPARAM>(SkinManager))
            return false;
        RepaintCommand(Message);
        return true;
    case scmdParentUpdated:
        if (!SkinData->FUpdating)
            return false;
        ParentUpdated(Message);
        return true;
    case scmdQuerySkinned: Message.Result = 1; return true;
    case scmdQueryChanging: Message.Result = SkinData->FUpdating ? 1 : 0; return true;
    case scmdSetSection:
        if (Message.LParam)
            SkinData->SetSkinSection(reinterpret_cast<const TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case scmdQueryTextured:
        if (!SkinData->FOwnerControl)
            return false;
        CommonMessage(Message, SkinData);
        return true;
    case scmdQueryColor:
        PassOn(Message);
        if (Message.Result == 0)
            Message.Result = LRESULT(GetBGColor(*SkinData, 0, CtrlHandle));
        return true;
    case scmdRenderCache: PrepareCache(SkinData, CtrlHandle, false); return false;
    case scmdQueryBackground:
        InitBGInfo(SkinData, *reinterpret_cast<TacBGInfo*>(Message.LParam), 0, CtrlHandle);
        return true;
    case scmdQuerySkinData: Message.Result = reinterpret_cast<LRESULT>(SkinData); return true;
    case scmdPrintMode:
        if (Message.LParam)
            SkinData->CtrlSkinState |= cssPrinting;
        else
            SkinData->CtrlSkinState &= uint16_t(~cssPrinting);
        SkinData->PrintDC = reinterpret_cast<HDC>(Message.LParam);
        return false;
    case scmdQueryApplication: Message.Result = reinterpret_cast<LRESULT>(vcl::Application); return true;
    default: return false;
    }
}

void TacMainWnd::SkinLoaded(TMessage& Message)
{
    if (Message.LParam != reinterpret_cast<LPARAM>(SkinManager))
        return;
    SkinData->UpdateIndexes();
    SkinData->BGChanged = true;
    AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
}

void TacMainWnd::RepaintCommand(TMessage&)
{
    SkinData->UpdateIndexes();
    SkinData->BGChanged = true;
    SkinData->SetUpdating(false);
    if (IsWindowVisible(CtrlHandle))
        SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
}

void TacMainWnd::ParentUpdated(TMessage&)
{
    SkinData->FUpdating = false;
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating)
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

// ---------------------------------------------------------------------------------------------
// Helpers the wrappers share

HFONT GetNonClientFont(int Kind)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!vcl::Seams().SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    const LOGFONTW* font = nullptr;
    switch (Kind) {
    case 1: font = &metrics.lfCaptionFont; break;
    case 2: font = &metrics.lfSmCaptionFont; break;
    case 3: font = &metrics.lfMenuFont; break;
    case 4: font = &metrics.lfStatusFont; break;
    case 5: font = &metrics.lfMessageFont; break;
    default: return nullptr;
    }
    return CreateFontIndirectW(font);
}

void AssignNonClientFont(vcl::TCanvas* Canvas, int Kind)
{
    const HFONT handle = GetNonClientFont(Kind);
    if (!handle)
        return;
    const vcl::TObjectPtr<vcl::TFont> font(vcl::Create<vcl::TFont>());
    font->SetHandle(handle);
    Canvas->Font()->Assign(font.get());
}

void AlphaBroadCastCheck(vcl::TControl* Control, HWND Handle, TMessage& Message)
{
    if (auto* windowed = dynamic_cast<vcl::TWinControl*>(Control))
        AlphaBroadCast(windowed, Message);
    else
        AlphaBroadCast(Handle, Message);
}

bool MayBeHot(const TsCommonData* SkinData)
{
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    if (!manager || SkinData->SkinIndex < 0 || SkinData->BorderIndex < 0)
        return false;
    return manager->ma[size_t(SkinData->BorderIndex)].ImageCount > 1 ||
           manager->gd[size_t(SkinData->SkinIndex)].States > 1;
}

void SetIntPropIfExists(vcl::TObject* Obj, const vcl::String& PropName, int Value)
{
    if (Obj && vcl::PropertyExists(Obj, PropName))
        vcl::WriteOrdinalProperty(Obj, PropName, Value);
}

vcl::TColor GetColorPropIfExists(vcl::TObject* Obj, const vcl::String& PropName)
{
    if (!Obj)
        return vcl::TColor(0);
    const std::optional<int64_t> value = vcl::ReadOrdinalProperty(Obj, PropName);
    return value ? vcl::TColor(vcl::ColorToRGB(vcl::TColor(*value))) : vcl::TColor(0);
}

vcl::TComponent* FindComponentByHandle(HWND Handle, vcl::TComponent* Component)
{
    for (int i = 0; i < Component->ComponentCount(); ++i) {
        vcl::TComponent* owned = Component->Components(i);
        if (auto* windowed = dynamic_cast<vcl::TWinControl*>(owned);
            windowed && windowed->HandleAllocated() && windowed->Handle() == Handle)
            return owned;
        if (vcl::TComponent* found = FindComponentByHandle(Handle, owned))
            return found;
    }
    return nullptr;
}

void InitCtrlData(HWND Wnd, HWND& ParentWnd, vcl::TRect& WndRect, vcl::TRect& ParentRect, vcl::TSize& WndSize,
                  vcl::TPoint& WndPos)
{
    GetWindowRect(Wnd, &WndRect);
    ParentWnd = GetParent(Wnd);
    GetWindowRect(ParentWnd, &ParentRect);
    WndSize = vcl::TSize(std::max(WndRect.Width(), LONG(0)), std::max(WndRect.Height(), LONG(0)));
    POINT p = WndRect.TopLeft();
    ScreenToClient(ParentWnd, &p);
    WndPos = vcl::TPoint(p.x, p.y);
}

vcl::String GetWndText(HWND Handle)
{
    vcl::String text(size_t(GetWindowTextLengthW(Handle)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(Handle, text.data(), int(text.size()))));
    return text;
}

LRESULT SendAdaptToRoot(HWND Wnd)
{
    HWND root = Wnd;
    while (HWND parent = GetParent(root))
        root = parent;
    return SendMessageW(root, SkinCommandMessage, SkinCommandWParam(scmdAdaptControl), 0);
}

}  // namespace skin
