// The skinned scroll bars' behaviour: the scrolling wrapper's window procedure, the hit test, the
// hover look driven by a timer, a press on an arrow or the track repeated on timers, the thumb's
// drag, and the scroll messages the bars send.
#include <windowsx.h>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/application.h"
#include "vcl/seams.h"
#include "vcl/stdctrls.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;
using vcl::TRect;

TacScrollInteraction acScrollState;

TacScrollSeams& ScrollSeams()
{
    static TacScrollSeams seams{
        [] {
            const DWORD pos = GetMessagePos();
            return TPoint(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
        },
        [](HWND Wnd, UINT_PTR Id, UINT Elapse) { return ::SetTimer(Wnd, Id, Elapse, nullptr); },
        [](HWND Wnd, UINT_PTR Id) { ::KillTimer(Wnd, Id); },
    };
    return seams;
}

namespace {

TacScrollInteraction& State() { return acScrollState; }

TPoint LParamPoint(LPARAM LParam) { return TPoint(GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)); }


// R (on the screen) in the coordinates of the window's rectangle.
TRect InWindow(HWND Handle, TRect R)
{
    const TRect window = WindowRectOf(Handle);
    R.Offset(-window.left, -window.top);
    return R;
}

TacScrollBar* BarOf(TacScrollWnd* Wnd, int Bar) { return Bar == SB_VERT ? Wnd->sBarVert.get() : Wnd->sBarHorz.get(); }

// The part of Bar under screen point P, R the bar's rectangle on the screen.
int PortionAt(const TacScrollBar* Bar, const TRect& R, const TPoint& P)
{
    return BarPartAt(Bar->nBarType == SB_VERT, R, P, GetScrollMetric(Bar, 0, false), Ac_CalcThumbSize(Bar, R));
}

// Repaints one bar over its rectangle R (on the screen) on the window's DC.
void RepaintBar(TacScrollBar* Bar, HWND Handle, const TRect& R, int Pressed)
{
    const HDC dc = GetWindowDC(Handle);
    Ac_NCDrawScrollbar(Bar, Handle, dc, InWindow(Handle, R), Pressed, -1);
    ReleaseDC(Handle, dc);
}

// One scroll action sent while the wrapper keeps its repaints back.
void SendScrollAction(TacScrollWnd* Wnd, HWND Handle, int Code, int Pos)
{
    const std::weak_ptr<int> alive = Wnd->LifeToken();
    Wnd->DontRepaint = true;
    SendScrollMessage(Handle, State().uScrollMsg, Code, Pos);
    if (!alive.expired())
        Wnd->DontRepaint = false;
}

void KillScrollTimer(HWND Handle, UINT_PTR& Id)
{
    if (Id)
        ScrollSeams().KillTimer(Handle, Id);
    Id = 0;
}

// A press on an arrow or the track: the part shown pressed, the first step at once, the repeat
// after a first delay.
void StartLineOrPageScroll(TacScrollBar* Bar, HWND Handle, const TRect& R, const TPoint& P)
{
    if (!Ac_IsScrollbarActive(Bar))
        return;
    TacScrollInteraction& s = State();
    s.nPressedPortion = PortionAt(Bar, R, P);
    RepaintBar(Bar, Handle, R, s.nPressedPortion);
    SendScrollMessage(Handle, s.uScrollMsg, s.nClickPortion, 0);
    s.nPressedPortion = s.nClickPortion;
    s.idRepeatTimer = ScrollSeams().SetTimer(Handle, FirstRepeatTimerId, FirstRepeatInterval);
}

// A press on the thumb: the drag starts from the thumb as it stands.
void StartThumbTracking(TacScrollWnd* Wnd, TacScrollBar* Bar, const TRect& R, const TPoint& P)
{
    TacScrollInteraction& s = State();
    const TThumb thumb = Ac_CalcThumbSize(Bar, R);
    s.nTrackThumbSize = thumb.Size;
    s.nTrackThumbPos = thumb.Start;
    s.rcTrackBar = R;
    Wnd->fThumbTracking = true;
    Bar->ScrollInfo.nTrackPos = Bar->ScrollInfo.nPos;
    s.nTrackMouseOffset = (Bar->nBarType == SB_VERT ? P.y : P.x) - thumb.Start;
    s.nLastSBPos = Bar->ScrollInfo.nPos;
}

// One step of a thumb's drag with the cursor at screen point P: a new position goes to the
// window, and the bar shows the thumb there. The window may draw bars of the system's own as it
// scrolls (setting its scroll information with a redraw): ours are painted over them afterwards.
void ThumbTrack(TacScrollWnd* Wnd, TacScrollBar* Bar, HWND Handle, const TPoint& P)
{
    TacScrollInteraction& s = State();
    const bool vertical = Bar->nBarType == SB_VERT;
    const int arrow = GetScrollMetric(Bar, 0, false);
    const int trackStart = (vertical ? s.rcTrackBar.top : s.rcTrackBar.left) + arrow;
    const int trackEnd = (vertical ? s.rcTrackBar.bottom : s.rcTrackBar.right) - arrow;
    const int start = DraggedThumbStart(vertical ? P.y : P.x, s.nTrackMouseOffset, trackStart, trackEnd, s.nTrackThumbSize);

    const int pos = ThumbTrackPosition(Bar->ScrollInfo, start - trackStart, trackEnd - trackStart, s.nTrackThumbSize);
    const bool moved = pos != s.nLastSBPos;
    s.nLastSBPos = pos;
    if (moved) {
        Bar->ScrollInfo.nTrackPos = pos;
        const std::weak_ptr<int> alive = Wnd->LifeToken();
        SendScrollAction(Wnd, Handle, SB_THUMBTRACK, pos);
        if (alive.expired() || !Wnd->fThumbTracking)
            return;
        Ac_NCPaint(Wnd, Handle);
    }

    TRect bar;
    Ac_GetScrollRect(Wnd, Bar->nBarType, Handle, bar);
    const TRect window = WindowRectOf(Handle);
    const TRect r = InWindow(Handle, bar);
    const int thumbInBar = start - (vertical ? window.top + r.top : window.left + r.left);
    const HDC dc = GetWindowDC(Handle);
    PaintDraggedBar(Bar, Handle, dc, r, TThumb{s.nTrackThumbSize, thumbInBar});
    ReleaseDC(Handle, dc);
}

// A hover tick: the hovered part followed, the hover ended once the cursor left the bar.
void HoverTick(TacScrollWnd* Wnd, HWND Handle)
{
    TacScrollInteraction& s = State();
    const TPoint cursor = vcl::Seams().CursorPos();
    if (!s.rcHotBar.Contains(cursor)) {
        KillScrollTimer(Handle, s.idHoverTimer);
        s.nHotBar = s.nLastHotPortion = s.nHotPortion = -1;
        Ac_NCPaint(Wnd, Handle);
        return;
    }
    TacScrollBar* bar = BarOf(Wnd, s.nHotBar);
    s.nHotPortion = PortionAt(bar, s.rcHotBar, cursor);
    if (s.nHotPortion != s.nLastHotPortion)
        RepaintBar(bar, Handle, s.rcHotBar, NoPart);
    s.nLastHotPortion = s.nHotPortion;
}

// A repeat tick: the cursor's press followed, and one more step while it stays on its part.
void RepeatTick(TacScrollWnd* Wnd, HWND Handle)
{
    POINT cursor = vcl::Seams().CursorPos();
    ScreenToClient(Handle, &cursor);
    Ac_MouseMove(Wnd, Handle, MK_LBUTTON, MAKELPARAM(std::max(cursor.x, LONG(0)), std::max(cursor.y, LONG(0))));
    if (State().nPressedPortion != NoPart)
        SendScrollAction(Wnd, Handle, State().nPressedPortion, 0);
}

bool IsScrollHit(WPARAM HitCode) { return HitCode == HTHSCROLL || HitCode == HTVSCROLL; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Scroll messages

void SendScrollMessage(HWND Handle, UINT Msg, int Code, int Pos)
{
    const LPARAM action = LPARAM(Msg) << 16 | LPARAM(LOWORD(Code));
    const WPARAM wParam = ScrollMessageWParam(Code, Pos);
    if (SendAMessage(Handle, scmdBeforeScroll, action) == 1) {
        SendMessageW(Handle, Msg, wParam, LPARAM(Pos));
    } else {
        if (Code == SB_THUMBTRACK) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_POS;
            info.nPos = Pos;
            SetScrollInfo(Handle, Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &info, FALSE);
        }
        SendMessageW(Handle, Msg, wParam, 0);
    }
    SendAMessage(Handle, scmdAfterScroll, action);
}

// ---------------------------------------------------------------------------------------------
// The mouse

LRESULT Ac_NCHitTest(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam)
{
    const TPoint p = LParamPoint(LParam);
    TRect h, v;
    AC_GetHScrollRect(Wnd, Handle, h);
    AC_GetVScrollRect(Wnd, Handle, v);
    if (Wnd->sBarHorz->fScrollVisible && h.Contains(p))
        return Ac_IsScrollbarActive(Wnd->sBarHorz.get()) ? HTHSCROLL : HTNOWHERE;
    if (Wnd->sBarVert->fScrollVisible && v.Contains(p))
        return Ac_IsScrollbarActive(Wnd->sBarVert.get()) ? HTVSCROLL : HTNOWHERE;
    const TRect corner(h.right, h.top, v.right, h.bottom);
    if (corner.Contains(p) && Ac_CornerIsSizeGrip(Wnd, Handle, corner))
        return HTBOTTOMRIGHT;
    return Wnd->CallPrevWndProc(Handle, WM_NCHITTEST, WParam, LParam);
}

LRESULT Ac_NCMouseMove(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam)
{
    TacScrollInteraction& s = State();
    s.hActiveWnd = Handle;
    if (IsScrollHit(WParam)) {
        const int bar = WParam == HTVSCROLL ? SB_VERT : SB_HORZ;
        if (s.nHotBar != bar) {
            s.nLastHotPortion = s.nHotPortion = NoPart;
            Ac_GetScrollRect(Wnd, bar, Handle, s.rcHotBar);
            s.nHotBar = bar;
            s.idHoverTimer = ScrollSeams().SetTimer(Handle, HoverTimerId, HoverInterval);
            Ac_NCPaint(Wnd, Handle);
        }
    }
    return Wnd->CallPrevWndProc(Handle, WM_NCMOUSEMOVE, WParam, LParam);
}

LRESULT Ac_NCLButtonDown(TacScrollWnd* Wnd, HWND Handle, WPARAM HitCode, LPARAM LParam)
{
    TacScrollInteraction& s = State();
    const TPoint p = LParamPoint(LParam);
    s.hActiveWnd = Handle;
    if (!IsScrollHit(HitCode)) {
        s.nClickPortion = NoPart;
        return Wnd->CallPrevWndProc(Handle, WM_NCLBUTTONDOWN, HitCode, LParam);
    }
    const int barType = HitCode == HTVSCROLL ? SB_VERT : SB_HORZ;
    s.uScrollMsg = barType == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    s.nCurBar = barType;
    TacScrollBar* bar = BarOf(Wnd, barType);
    TRect r;
    Ac_GetScrollRect(Wnd, barType, Handle, r);
    s.nClickPortion = PortionAt(bar, r, p);
    switch (s.nClickPortion) {
    case FirstArrowPart:
    case SecondArrowPart:
        if (bar->fScrollFlags & (s.nClickPortion == FirstArrowPart ? sfFirstArrowDisabled : sfSecondArrowDisabled))
            return 0;
        StartLineOrPageScroll(bar, Handle, r, p);
        break;
    case TrackBeforePart:
    case TrackAfterPart: StartLineOrPageScroll(bar, Handle, r, p); break;
    case ThumbPart:
        if (!Ac_IsScrollbarActive(bar))
            return 0;
        StartThumbTracking(Wnd, bar, r, p);
        break;
    default: return Wnd->CallPrevWndProc(Handle, WM_NCLBUTTONDOWN, HitCode, LParam);
    }
    SetCapture(Handle);
    return 0;
}

LRESULT Ac_MouseMove(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam)
{
    TacScrollInteraction& s = State();
    const TPoint p = ScrollSeams().MessagePos();
    if (Wnd->fThumbTracking) {
        ThumbTrack(Wnd, BarOf(Wnd, s.nCurBar), Handle, p);
        return 0;
    }
    if (s.nClickPortion == NoPart)
        return Wnd->CallPrevWndProc(Handle, WM_MOUSEMOVE, WParam, LParam);
    TacScrollBar* bar = BarOf(Wnd, s.nCurBar);
    TRect r;
    Ac_GetScrollRect(Wnd, s.nCurBar, Handle, r);
    const int part = PortionAt(bar, r, p);
    const int pressed = part == s.nClickPortion ? part : NoPart;
    if (pressed != s.nPressedPortion) {
        s.nPressedPortion = pressed;
        RepaintBar(bar, Handle, r, pressed);
    }
    return 0;
}

LRESULT Ac_LButtonUp(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam)
{
    TacScrollInteraction& s = State();
    if (s.nClickPortion == NoPart)
        return Wnd->CallPrevWndProc(Handle, WM_LBUTTONUP, WParam, LParam);
    const std::weak_ptr<int> alive = Wnd->LifeToken();
    ReleaseCapture();
    const int barType = s.nCurBar == SB_VERT ? SB_VERT : SB_HORZ;
    if (s.nClickPortion != ThumbPart)
        KillScrollTimer(Handle, s.idRepeatTimer);
    if (Wnd->fThumbTracking) {
        SendScrollAction(Wnd, Handle, SB_THUMBPOSITION, s.nLastSBPos);
        if (alive.expired())
            return 0;
        Wnd->fThumbTracking = false;
    }
    SendScrollAction(Wnd, Handle, SB_ENDSCROLL, s.nClickPortion == ThumbPart ? s.nLastSBPos : 0);
    if (alive.expired())
        return 0;
    TRect r;
    Ac_GetScrollRect(Wnd, barType, Handle, r);
    RepaintBar(BarOf(Wnd, barType), Handle, r, NoPart);
    s.nClickPortion = s.nPressedPortion = NoPart;
    s.idRepeatTimer = 0;
    s.uScrollMsg = 0;
    s.nCurBar = -1;
    return Wnd->CallPrevWndProc(Handle, WM_LBUTTONUP, WParam, LParam);
}

LRESULT Ac_Timer(TacScrollWnd* Wnd, HWND Handle, WPARAM TimerId, LPARAM LParam)
{
    TacScrollInteraction& s = State();
    // With none of the bars' timers running, every tick is the window's first.
    const bool passedOn = !s.idRepeatTimer && !s.idHoverTimer;
    LRESULT result = passedOn ? Wnd->CallPrevWndProc(Handle, WM_TIMER, TimerId, LParam) : 0;
    switch (TimerId) {
    case HoverTimerId:
        if (!Wnd->fThumbTracking)
            HoverTick(Wnd, Handle);
        break;
    case FirstRepeatTimerId:
        KillScrollTimer(Handle, s.idRepeatTimer);
        s.idRepeatTimer = ScrollSeams().SetTimer(Handle, RepeatTimerId, RepeatInterval);
        return 0;
    case RepeatTimerId: RepeatTick(Wnd, Handle); return 0;
    default:
        if (!passedOn)
            result = Wnd->CallPrevWndProc(Handle, WM_TIMER, TimerId, LParam);
        break;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// The window procedure

void TacScrollWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: {
        if (!OldWndProc && !Subclassed()) {
            Message.Result = SendMessageW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        const std::weak_ptr<int> alive = LifeToken();
        PassOn(Message);
        if (Message.Result == 0 && !alive.expired()) {
            try {
                UninitializeACScroll(CtrlHandle, false, this);
            } catch (...) {
                // The window is going away: it goes on going away.
            }
        }
        return;
    }
    case WM_CONTEXTMENU:
        if (vcl::TControl* owner = SkinData->FOwnerControl; owner && owner->PopupMenu())
            if (TsSkinManager* manager = SkinData->SkinManager())
                manager->SkinableMenus()->HookPopupMenu(owner->PopupMenu(), manager->Active());
        break;
    case WM_UPDATEUISTATE: return;
    case vcl::CM_RECREATEWND: {
        auto* combo = dynamic_cast<vcl::TCustomComboBox*>(SkinData->FOwnerControl);
        if (!IsWindowVisible(CtrlHandle) && combo && combo->Name().empty())
            return;
        break;
    }
    default: break;
    }
    if (Destroyed())
        return;
    if (!SkinData || !SkinData->Skinned()) {
        if (SkinCommandOf(Message) == scmdSkinLoaded && Message.LParam == reinterpret_cast<LPARAM>(SkinData->SkinManager()))
            SkinData->UpdateIndexes();
        PassOn(Message);
        return;
    }
    if (Message.Msg == SkinCommandMessage ? SkinCommand(Message) : WindowMessage(Message))
        return;
    const UINT msg = Message.Msg;
    const std::weak_ptr<int> alive = LifeToken();
    PassOn(Message);
    if (alive.expired())
        return;
    if (((msg == WM_MOUSEWHEEL || msg == vcl::CM_MOUSEWHEEL) && !DontRepaint) || msg == vcl::CM_FOCUSCHANGED)
        skin::UpdateScrolls(this, true);
}

void TacScrollWnd::PassOn(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TacScrollWnd::SkinCommand(TMessage& Message)
{
    const bool ours = Message.LParam == reinterpret_cast<LPARAM>(SkinData->SkinManager());
    switch (SkinCommandOf(Message)) {
    case scmdSkinLoaded:
        if (ours) {
            SkinData->UpdateIndexes();
            AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
        }
        return false;
    case scmdSkinRemoved:
        if (ours)
            RestoreStdParams();
        return false;
    case scmdRepaint:
        if (ours) {
            SkinData->UpdateIndexes();
            SkinData->BGChanged = true;
        }
        return false;
    case scmdParentUpdated: return !ParentUpdated();
    case scmdQuerySkinned: Message.Result = 1; return true;
    case scmdSetUpdating: SkinData->SetUpdating(Message.WParamLo() == 1); return false;
    case scmdSetSection:
        if (Message.LParam)
            SkinData->SetSkinSection(reinterpret_cast<const TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case scmdQueryColor:
        PassOn(Message);
        if (Message.Result == 0)
            Message.Result = LRESULT(GetBGColor(*SkinData, 0, CtrlHandle));
        return true;
    case scmdQueryBackground: {
        auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
        const std::weak_ptr<int> alive = LifeToken();
        PassOn(Message);
        if (!alive.expired() && info->BgKind == 0)
            InitBGInfo(SkinData, *info, 0, CtrlHandle);
        return true;
    }
    case scmdQuerySkinData: Message.Result = reinterpret_cast<LRESULT>(SkinData); return true;
    case scmdQueryApplication: Message.Result = reinterpret_cast<LRESULT>(vcl::Application); return true;
    default: return false;
    }
}

bool TacScrollWnd::ParentUpdated()
{
    if (!SkinData->FUpdating)
        return true;
    const auto* adapter = dynamic_cast<const TsFrameAdapter*>(SkinData->FOwnerObject);
    if (adapter && adapter->Frame && adapter->Frame->ControlState().Contains(vcl::TControlStateItem::csAligning))
        return false;
    SkinData->FUpdating = false;
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating)
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

bool TacScrollWnd::WindowMessage(TMessage& Message)
{
    const HWND handle = CtrlHandle;
    switch (Message.Msg) {
    case WM_STYLECHANGED:
        if (!bPreventStyleChange)
            return false;
        Message.Result = 0;
        return true;
    case WM_NCCALCSIZE: Message.Result = Ac_NCCalcSize(this, handle, Message.WParam, Message.LParam); return true;
    case WM_NCHITTEST: Message.Result = Ac_NCHitTest(this, handle, Message.WParam, Message.LParam); return true;
    case WM_NCPAINT: NCPaint(Message); return true;
    case WM_NCMOUSEMOVE: Message.Result = Ac_NCMouseMove(this, handle, Message.WParam, Message.LParam); return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!IsScrollHit(Message.WParam))
            return false;
        Message.Result = Ac_NCLButtonDown(this, handle, Message.WParam, Message.LParam);
        return true;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (!IsScrollHit(Message.WParam))
            return false;
        Message.Result = 0;
        return true;
    case WM_SYSCOMMAND: return LOWORD(Message.WParam) == (SC_VSCROLL | HTVSCROLL);
    case WM_TIMER: Timer(Message); return true;
    case WM_MOUSEMOVE: Message.Result = Ac_MouseMove(this, handle, Message.WParam, Message.LParam); return true;
    case WM_LBUTTONUP: Message.Result = Ac_LButtonUp(this, handle, Message.WParam, Message.LParam); return true;
    default: return false;
    }
}

void TacScrollWnd::NCPaint(TMessage& Message)
{
    bool paint = false;
    if (IsWindowVisible(CtrlHandle)) {
        SkinData->FUpdating = SkinData->GetUpdating();
        paint = !SkinData->FUpdating && !DontRepaint;
    }
    // The system draws the frame; its own bars stay hidden from it, ours are drawn over it.
    const std::weak_ptr<int> alive = LifeToken();
    Message.Result = CallWithoutScrollStyles(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
    if (paint && !alive.expired())
        Ac_NCPaint(this, CtrlHandle);
}

void TacScrollWnd::Timer(TMessage& Message)
{
    const std::weak_ptr<int> alive = LifeToken();
    Message.Result = Ac_Timer(this, CtrlHandle, Message.WParam, Message.LParam);
    if (!alive.expired() && !DontRepaint && !fThumbTracking)
        skin::UpdateScrolls(this, true);
}

}  // namespace skin
