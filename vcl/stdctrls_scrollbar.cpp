#include "vcl/stdctrls.h"

#include <algorithm>

namespace vcl {

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csDoubleClicks};
    FWidth = 121;
    FHeight = GetSystemMetrics(SM_CYHSCROLL);
    FTabStop = true;
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= FKind == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyScrollInfo();
}

void TScrollBar::ApplyScrollInfo()
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (!ChangeField(FKind, value))
        return;
    if (!IsLoading())
        SetBounds(FLeft, FTop, FHeight, FWidth);
    RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    AMax = std::max(AMax, AMin);
    APosition = std::clamp(APosition, AMin, AMax);
    bool moved = APosition != FPosition;
    if (APosition == FPosition && AMin == FMin && AMax == FMax)
        return;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    if (FHandle)
        ApplyScrollInfo();
    if (moved)
        Change();
}

void TScrollBar::SetPageSize(int value)
{
    if (ChangeField(FPageSize, std::max(value, 0)) && FHandle)
        ApplyScrollInfo();
}

void TScrollBar::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
    if (FOnScroll)
        FOnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TMessage& Message)
{
    auto code = static_cast<TScrollCode>(LOWORD(Message.WParam));
    int track = ScrollTrackPosition(FHandle, SB_CTL, Message.WParam);
    int pos = ScrollRequestPosition(code, FPosition, track, FMin, FMax, FSmallChange, FLargeChange);
    Scroll(code, pos);
    SetPosition(pos);
    Message.Result = 0;
}

void TScrollBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
