// The wrapper of a combo box's list window: flat in the section's colour with a one-pixel frame,
// skinned scroll bars whose clicks it routes itself, and under a simple combo box the strip of the
// box below the list.
#include <windowsx.h>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

// The list's start and end of mouse tracking, which a combo box sends its drop-down list.
constexpr UINT ListStartTracking = 0x1AE;
constexpr UINT ListEndTracking = 0x1AF;

bool IsScrollHit(LRESULT HitCode) { return HitCode == HTHSCROLL || HitCode == HTVSCROLL; }

}  // namespace

TacComboListWnd::TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                 const vcl::String& SkinSection, bool Repaint)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    InitCtrlData(AHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
}

TacComboListWnd::TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                 const vcl::String& SkinSection, bool Repaint, bool ASimplyBox)
    : TacComboListWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    SimplyBox = ASimplyBox;
}

void TacComboListWnd::Subclass()
{
    TacEditWnd::Subclass();
    if (!SimplyBox && CtrlHandle)
        SetWindowPos(CtrlHandle, nullptr, 0, 0, WndSize.cx + 1, WndSize.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                         SWP_NOSENDCHANGING);
}

void TacComboListWnd::PrepareListCache()
{
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    if (SimplyBox) {
        SendAMessage(CtrlHandle, scmdRenderCache);
        return;
    }
    SkinData->UpdateIndexes();
    SetSkinParams();
    InitCacheBmp(*SkinData);
    vcl::TBitmap* cache = SkinData->FCacheBmp.get();
    cache->SetSize(WndSize.cx, WndSize.cy);
    const vcl::TCanvasLock lock(cache->Canvas());
    const HDC dc = cache->Canvas()->Handle();
    const TRect all(0, 0, WndSize.cx, WndSize.cy);
    FillDC(dc, all, Color);
    FillDCBorder(dc, all, 1, 1, 1, 1, FrameColor);
    SkinData->BGChanged = false;
}

void TacComboListWnd::acWndProc(TMessage& Message)
{
    if (Destroyed() || !SkinData || !SkinData->Skinned()) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (const auto dc = reinterpret_cast<HDC>(Message.WParam))
            FillDC(dc, TRect(0, 0, WndSize.cx, WndSize.cy), Color);
        else
            PassToPrevious(Message);
        return;
    case WM_NCCALCSIZE: Message.Result = Ac_NCCalcSize(this, CtrlHandle, Message.WParam, Message.LParam); return;
    case WM_NCPAINT:
        if (DontRepaint)
            break;
        ListNCPaint(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        Message.WParam = WPARAM(Ac_NCHitTest(this, CtrlHandle, Message.WParam, Message.LParam));
        if (IsScrollHit(LRESULT(Message.WParam)))
            Message.Result = Ac_NCLButtonDown(this, CtrlHandle, Message.WParam, Message.LParam);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: PassToPrevious(Message); return;
    case ListStartTracking: Showed = true; break;
    case ListEndTracking:
        Showed = false;
        SkinData->BGChanged = true;
        break;
    case WM_LBUTTONUP: LButtonUp(Message); return;
    case WM_PRINT:
    case WM_PRINTCLIENT: PrintList(Message); return;
    default: break;
    }
    const UINT msg = Message.Msg;
    const std::weak_ptr<int> alive = LifeToken();
    TacEditWnd::acWndProc(Message);
    if (!alive.expired() && msg == WM_WINDOWPOSCHANGED)
        skin::UpdateScrolls(this, true);
}

void TacComboListWnd::ListNCPaint(TMessage& Message)
{
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    PrepareListCache();
    if (!DlgMode)
        FillTransparentCorners(SkinData, 0, this);
    const HDC dc = GetWindowDC(CtrlHandle);
    const int saved = SaveDC(dc);
    if (vcl::TBitmap* cache = SkinData->FCacheBmp.get()) {
        const vcl::TCanvasLock lock(cache->Canvas());
        BitBltBorder(dc, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, 1);
    }
    Message.Result = Ac_NCPaint(this, CtrlHandle, -1, dc);
    RestoreDC(dc, saved);
    ReleaseDC(CtrlHandle, dc);
    if (SimplyBox)
        PaintStripBelow();
}

void TacComboListWnd::PaintStripBelow()
{
    const HWND combo = GetParent(CtrlHandle);
    TRect comboRect;
    GetWindowRect(combo, &comboRect);
    const TRect strip(0, WndRect.bottom - comboRect.top, comboRect.Width(), comboRect.Height());
    if (strip.Height() <= 0)
        return;
    TacBGInfo info;
    GetBGInfo(info, GetParent(combo), false);
    const HDC dc = GetWindowDC(combo);
    if (info.BgKind == 2 && info.Bmp) {
        POINT place = comboRect.TopLeft();
        ScreenToClient(GetParent(combo), &place);
        const vcl::TCanvasLock lock(info.Bmp->Canvas());
        BitBlt(dc, strip.left, strip.top, strip.Width(), strip.Height(), info.Bmp->Canvas()->Handle(),
               place.x + info.Offset.x, place.y + strip.top + info.Offset.y, SRCCOPY);
    } else {
        FillDC(dc, strip, info.Color);
    }
    ReleaseDC(combo, dc);
}

void TacComboListWnd::LButtonUp(TMessage& Message)
{
    const LPARAM original = Message.LParam;
    POINT p{GET_X_LPARAM(original), GET_Y_LPARAM(original)};
    ClientToScreen(CtrlHandle, &p);
    const LPARAM screen = MAKELPARAM(p.x, p.y);
    const LRESULT hit = Ac_NCHitTest(this, CtrlHandle, Message.WParam, screen);
    Message.WParam = WPARAM(hit);
    if (hit != HTNOWHERE && hit != HTCLIENT) {
        Message.Result = Ac_LButtonUp(this, CtrlHandle, Message.WParam, screen);
        if (SimplyBox)
            ReleaseCapture();
        return;
    }
    const std::weak_ptr<int> alive = LifeToken();
    Ac_LButtonUp(this, CtrlHandle, Message.WParam, original);
    if (!alive.expired())
        PassToPrevious(Message);
}

void TacComboListWnd::PrintList(TMessage& Message)
{
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc || !IsWindowVisible(CtrlHandle))
        return;
    PrepareListCache();
    const std::weak_ptr<int> alive = LifeToken();
    PassToPrevious(Message);
    if (alive.expired() || Message.Msg == WM_PRINTCLIENT || SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) < 1)
        return;
    if (acScrollState.nClickPortion == NoPart && !Showed)
        if (vcl::TBitmap* cache = SkinData->FCacheBmp.get()) {
            const vcl::TCanvasLock lock(cache->Canvas());
            BitBltBorder(dc, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, 1);
        }
    Message.Result = Ac_NCPaint(this, CtrlHandle, -1, dc);
}

}  // namespace skin
