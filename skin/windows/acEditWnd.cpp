// The edit wrapper: refreshing the scroll bars, the skin's colours on the control, the border
// from the cache, and printing.
#include "skin/windows/acEditWnd.h"

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/properties.h"
#include "vcl/stdctrls.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

constexpr UINT ReservedNoOp = 0x2100;  // consumed, nothing done

bool HasProperty(vcl::TObject* Obj, const wchar_t* Name) { return Obj && vcl::PropertyExists(Obj, Name); }

bool EmptyClip(HDC DC)
{
    RECT box;
    return GetClipBox(DC, &box) == NULLREGION;
}

// Windows 6 or later: every system this program runs on.
constexpr bool ModernSystem = true;

}  // namespace

// ---------------------------------------------------------------------------------------------
// The base of the edit-like wrappers

void TacBaseWnd::acWndProc(TMessage& Message)
{
    if (Destroyed() || !SkinData || !SkinData->Skinned()) {
        TacScrollWnd::acWndProc(Message);
        return;
    }
    const uint16_t cmd = SkinCommandOf(Message);
    if (cmd == scmdRepaint && Message.LParam == reinterpret_cast<LPARAM>(SkinManager)) {
        const std::weak_ptr<int> alive = LifeToken();
        TacScrollWnd::acWndProc(Message);
        if (!alive.expired() && IsWindowVisible(CtrlHandle))
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
    }
    if (cmd == scmdRenderCache)
        PrepareCache(SkinData, CtrlHandle, false);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_EXITSIZEMOVE: SkinData->BGChanged = true; break;
    case WM_SETCURSOR: PassToPrevious(Message); return;
    case ReservedNoOp: return;
    default: break;
    }
    const UINT msg = Message.Msg;
    const std::weak_ptr<int> alive = LifeToken();
    TacScrollWnd::acWndProc(Message);
    if (alive.expired())
        return;
    switch (msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!DontRepaint)
            skin::UpdateScrolls(this, true);
        break;
    case WM_ENABLE:
    case vcl::CM_ENABLEDCHANGED:
        if (IsWindowVisible(CtrlHandle))
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// The edit wrapper

TacEditWnd::TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const vcl::String& SkinSection, bool Repaint)
    : TacBaseWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    vcl::TObject* owner = SkinData->FOwnerControl;
    const bool listView = SkinData->COC == ckListViewWrapper && ModernSystem;
    if (ASkinData && (listView || HasProperty(owner, L"UseXPThemes")))
        KeepTheme();
    SkinData->SetSkinSection(SkinSection.empty() ? vcl::String(L"EDIT") : SkinSection);
}

void TacEditWnd::Subclass()
{
    if (CtrlHandle)
        TacBaseWnd::Subclass();
}

TRect TacEditWnd::ClientRect()
{
    if (FClientRect.top == -1)
        FClientRect = ACClientRect(CtrlHandle);
    return FClientRect;
}

void TacEditWnd::SaveStdParams()
{
    auto* owner = SkinData->FOwnerControl;
    if (!owner)
        return;
    StdColor = owner->Color();
    StdFontColor = owner->Font()->Color();
    if (const auto focus = vcl::ReadOrdinalProperty(owner, L"FocusColor"))
        FocusColor = vcl::TColor(*focus);
}

void TacEditWnd::RestoreStdParams()
{
    if (IsWindowVisible(CtrlHandle))
        SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    auto* owner = SkinData ? SkinData->FOwnerControl : nullptr;
    if (!owner || owner->ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    owner->SetColor(StdColor);
    owner->Font()->SetColor(StdFontColor);
    if (HasProperty(owner, L"FocusColor"))
        vcl::WriteOrdinalProperty(owner, L"FocusColor", int64_t(FocusColor));
}

void TacEditWnd::SetSkinParams()
{
    if (bPreventStyleChange)
        return;
    SkinData->SetUpdating(true);
    bPreventStyleChange = true;
    TacBaseWnd::SetSkinParams();
    const TsSkinManager* manager = SkinData->SkinManager();
    if (manager && manager->IsValidSkinIndex(SkinData->SkinIndex)) {
        const std::weak_ptr<int> alive = LifeToken();
        if (SkinData->FOwnerControl) {
            ApplyOwnerColours();
            if (alive.expired() || Destroyed())
                return;
        } else {
            if (!SkinData->CustomColor())
                Color = DlgMode ? vcl::clWindow : manager->gd[size_t(SkinData->SkinIndex)].Color;
            FrameColor = manager->SkinData->BorderColor;
        }
        SkinData->BGChanged = true;
        SkinData->SetUpdating(false);
    } else {
        FrameColor = vcl::TColor(0);
    }
    bPreventStyleChange = false;
}

void TacEditWnd::ApplyOwnerColours()
{
    vcl::TControl* owner = SkinData->FOwnerControl;
    const TsSkinManager* manager = SkinData->SkinManager();
    const TsGeneralData& section = manager->gd[size_t(SkinData->SkinIndex)];
    const int hot = ControlIsActive(*SkinData) && section.States > 1 ? 1 : 0;
    if (!SkinData->CustomColor()) {
        const vcl::TColor background = GetBGColor(*SkinData, hot);
        if (HasProperty(owner, L"FocusColor")) {
            if (owner->Color() != background)
                vcl::WriteOrdinalProperty(owner, L"Color", int64_t(background));
            vcl::WriteOrdinalProperty(owner, L"FocusColor", int64_t(background));
        } else if (owner->Color() != background) {
            owner->SetColor(background);
        }
    }
    if (!SkinData->CustomFont()) {
        const vcl::TColor font = section.Props[size_t(hot)].FontColor.Color;
        if (owner->Font()->Color() != font)
            owner->Font()->SetColor(font);
    }
}

void TacEditWnd::acWndProc(TMessage& Message)
{
    if (Destroyed() || !SkinData || !SkinData->Skinned()) {
        TacBaseWnd::acWndProc(Message);
        return;
    }
    if (Message.Msg == SkinCommandMessage ? SkinCommand(Message) : BeforeBase(Message))
        return;
    const UINT msg = Message.Msg;
    const std::weak_ptr<int> alive = LifeToken();
    TacBaseWnd::acWndProc(Message);
    if (!alive.expired())
        AfterBase(msg, Message);
}

bool TacEditWnd::SkinCommand(TMessage& Message)
{
    const bool ours = Message.LParam == reinterpret_cast<LPARAM>(SkinManager);
    const bool leftBars = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    switch (SkinCommandOf(Message)) {
    case scmdRepaint: {
        if (!ours)
            return false;
        const std::weak_ptr<int> alive = LifeToken();
        TacBaseWnd::acWndProc(Message);
        if (!alive.expired())
            SetSkinParams();
        return true;
    }
    case scmdParentUpdated:
        if (SkinData->FUpdating) {
            SkinData->FUpdating = false;
            SkinData->FUpdating = SkinData->GetUpdating();
            if (!SkinData->FUpdating)
                RedrawWindow(CtrlHandle, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
        return false;
    case scmdQuerySkinned: Message.Result = 1; return true;
    case scmdRenderCache:
        InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
        PrepareCache(SkinData, CtrlHandle, DlgMode);
        FillTransparentCorners(SkinData, 0, this);
        return true;
    case scmdQuerySkinIndex:
        if (Message.LParam)
            reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = SkinData->SkinIndex;
        return true;
    case scmdQueryBackground: {
        auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
        const std::weak_ptr<int> alive = LifeToken();
        PassToPrevious(Message);
        if (alive.expired() || info->BgKind != 0)
            return true;
        if (SkinData->CustomColor()) {
            info->BgKind = 1;
            info->Color = SkinData->FOwnerControl ? SkinData->FOwnerControl->Color() : Color;
        } else {
            InitBGInfo(SkinData, *info, 0, nullptr);
        }
        return true;
    }
    case scmdBeforeScroll:
        if (!leftBars)
            return false;
        SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
        return true;
    case scmdAfterScroll:
        if (!leftBars)
            return false;
        SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(CtrlHandle, nullptr, TRUE);
        return true;
    case scmdQueryApplication: Message.Result = reinterpret_cast<LRESULT>(vcl::Application); return true;
    default: return false;
    }
}

bool TacEditWnd::BeforeBase(TMessage& Message)
{
    const bool paintable = IsWindowVisible(CtrlHandle) && !bPreventStyleChange;
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChange(Message); return true;
    case WM_PAINT: return paintable && Paint(Message);
    case WM_ERASEBKGND: return paintable && EraseBackground(Message);
    case WM_NCPAINT:
        if (!paintable)
            return false;
        NCPaint(Message);
        return true;
    case WM_PRINT: Print(Message); return true;
    case vcl::CM_FONTCHANGED:
        if (!SkinData->GetUpdating())
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        return false;
    default: return false;
    }
}

void TacEditWnd::FocusChange(TMessage& Message)
{
    const std::weak_ptr<int> alive = LifeToken();
    TacBaseWnd::acWndProc(Message);
    if (alive.expired() || !MayBeHot(SkinData))
        return;
    auto* control = dynamic_cast<vcl::TWinControl*>(SkinData->FOwnerControl);
    if (!control || !control->CanFocus() || !control->TabStop())
        return;
    SkinData->BGChanged = true;
    SkinData->FFocused = Message.Msg == WM_SETFOCUS;
    SendMessageW(control->Handle(), WM_NCPAINT, 0, 0);
}

bool TacEditWnd::Paint(TMessage& Message)
{
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc && dc != SkinData->PrintDC && EmptyClip(dc))
        return true;
    SkinData->FUpdating = SkinData->GetUpdating();
    if (SkinData->FUpdating || (InAnimationProcess && !SkinData->PrintDC)) {
        PAINTSTRUCT ps;
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
        return true;
    }
    Message.Result = Ac_NCPaint(this, CtrlHandle, -1, dc);
    if (!ParamsChanged)
        SetSkinParams();
    return false;
}

bool TacEditWnd::EraseBackground(TMessage& Message)
{
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc && dc != SkinData->PrintDC && EmptyClip(dc))
        return true;
    SkinData->FUpdating = SkinData->GetUpdating();
    if (SkinData->FUpdating)
        return true;
    if (!ParamsChanged)
        SetSkinParams();
    if (ModernSystem && InAnimationProcess && dc != SkinData->PrintDC) {
        Message.Result = 1;
        return true;
    }
    return false;
}

void TacEditWnd::NCPaint(TMessage& Message)
{
    if (InAnimationProcess || SkinData->GetUpdating())
        return;
    const HDC dc = GetWindowDC(CtrlHandle);
    if (dc == SkinData->PrintDC || !EmptyClip(dc)) {
        if (SkinData->BGChanged) {
            if (!ParamsChanged)
                SetSkinParams();
            PrepareCache(SkinData, CtrlHandle, DlgMode);
        }
        const int saved = SaveDC(dc);
        Message.Result = Ac_NCPaint(this, CtrlHandle, -1, dc);
        if (vcl::TBitmap* cache = SkinData->FCacheBmp.get()) {
            const vcl::TCanvasLock lock(cache->Canvas());
            BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
                         int(ClientRect().top));
        }
        RestoreDC(dc, saved);
    }
    ReleaseDC(CtrlHandle, dc);
}

void TacEditWnd::Print(TMessage& Message)
{
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    const std::weak_ptr<int> alive = LifeToken();
    // The window's own print may leave the DC's origin or clipping moved.
    const int before = SaveDC(dc);
    PassToPrevious(Message);
    RestoreDC(dc, before);
    if (alive.expired() || Message.Result == 2)
        return;
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    SkinData->FUpdating = false;
    SkinData->BGChanged = true;
    if (!ParamsChanged)
        SetSkinParams();
    PrepareCache(SkinData, CtrlHandle, DlgMode);
    if (!DlgMode)
        FillTransparentCorners(SkinData, 0, this);
    vcl::TBitmap* cache = SkinData->FCacheBmp.get();
    if (!cache)
        return;
    {
        const vcl::TCanvasLock lock(cache->Canvas());
        BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
                     int(ClientRect().top));
    }
    Message.Result = Ac_NCPaint(this, CtrlHandle, -1, dc);
    // The client area where the window has it now, whatever its frame.
    const TRect client = ACClientRect(CtrlHandle);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, client.left, client.top, nullptr);
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    SendMessageW(CtrlHandle, WM_ERASEBKGND, wParam, 0);
    SendMessageW(CtrlHandle, WM_PAINT, wParam, 0);
    SendMessageW(CtrlHandle, WM_PRINTCLIENT, wParam, PRF_CLIENT | PRF_OWNED);
    RestoreDC(dc, saved);
}

void TacEditWnd::AfterBase(UINT Msg, TMessage& Message)
{
    switch (Msg) {
    case WM_SIZE:
        if (IsWindowVisible(CtrlHandle))
            SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        break;
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case vcl::CN_KEYDOWN:
    case vcl::CN_KEYUP:
        if (!DontRepaint)
            skin::UpdateScrolls(this, true);
        break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX: skin::UpdateScrolls(this, true); break;
    case LB_GETTOPINDEX:
        if (Message.Result == 0 && dynamic_cast<vcl::TCustomListBox*>(SkinData->FOwnerControl) &&
            SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) == 0)
            Message.Result = -1;
        break;
    case WM_MOUSEMOVE:
        if (DefaultManager && !DefaultManager->ComponentState().Contains(vcl::TComponentStateItem::csDesigning) &&
            IsWindowEnabled(CtrlHandle)) {
            if (DefaultManager->ActiveControl() != CtrlHandle)
                DefaultManager->SetActiveControl(CtrlHandle);
            if (!SkinData->GetUpdating() && GetCapture())
                skin::UpdateScrolls(this, true);
        }
        break;
    default: break;
    }
}

}  // namespace skin
