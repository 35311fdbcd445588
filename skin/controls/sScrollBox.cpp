#include "skin/controls/sScrollBox.h"

#include "skin/core/Sborders.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/forms.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

// Set while the wheel is handed on to the form's active control.
bool ForwardingWheel = false;

}  // namespace

vcl::TRect UncoveredStrip(bool Horizontal, int Delta, int Width, int Height)
{
    if (Horizontal)
        return Delta < 0 ? TRect(Width + Delta, 0, Width, Height) : TRect(0, 0, Delta, Height);
    return Delta < 0 ? TRect(0, Height + Delta, Width, Height) : TRect(0, 0, Width, Delta);
}

void SkinScrollInView(vcl::TControl* Control, TsScrollBox* ScrollBox) { ScrollBox->ScrollInView(Control); }

TsScrollBox::TsScrollBox(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckScrollBox)
{
    vcl::TControlStyle style = ControlStyle();
    style << vcl::TControlStyleItem::csAcceptsControls;
    SetControlStyle(style);
    SetBounds(Left(), Top(), 185, 41);
    SetAutoScroll(true);
}

void TsScrollBox::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsScrollBox::SkinData, &TsScrollBox::SetSkinData);
    Table.Add(L"AutoMouseWheel", &TsScrollBox::AutoMouseWheel, &TsScrollBox::SetAutoMouseWheel);
}

void TsScrollBox::SetParent(vcl::TWinControl* AParent)
{
    inherited::SetParent(AParent);
    if (AParent)
        SkinData()->Loaded();
}

int TsScrollBox::BorderOffset() const
{
    return BorderWidth() + (BorderStyle() == vcl::TBorderStyle::bsSingle ? 2 : 0);
}

// The system's answer, whatever the class library would make of it.
void TsScrollBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST && HandleAllocated()) {
        Message.Result = DefWindowProcW(Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    inherited::Dispatch(Message);
}

void TsScrollBox::ScrollBy(int DeltaX, int DeltaY)
{
    if (!HandleAllocated()) {
        inherited::ScrollBy(DeltaX, DeltaY);
        return;
    }
    const bool horizontal = DeltaX != 0;
    const LPARAM bar = MAKELPARAM(0, horizontal ? WM_HSCROLL : WM_VSCROLL);
    SendAMessage(Handle(), scmdBeforeScroll, bar);
    // The class library moves a bar's position before it scrolls: the scroll started one step back.
    acTrackPos += horizontal ? DeltaX : DeltaY;
    inherited::ScrollBy(DeltaX, DeltaY);
    SendAMessage(Handle(), scmdAfterScroll, bar);
}

bool TsScrollBox::DoMouseWheel(vcl::TShiftState Shift, int WheelDelta, vcl::TPoint MousePos)
{
    if (!FAutoMouseWheel)
        return inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (ForwardingWheel)
        return false;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (!form)
        return true;
    if (vcl::TWinControl* active = form->ActiveControl(); active && active->HandleAllocated()) {
        ForwardingWheel = true;
        const LRESULT answer = SendMessageW(active->Handle(), WM_MOUSEWHEEL,
                                            MAKEWPARAM(WORD(vcl::ShiftStateToKeys(Shift)), WORD(short(WheelDelta))),
                                            MAKELPARAM(MousePos.x, MousePos.y));
        ForwardingWheel = false;
        if (answer != 0)
            return true;
    }
    if (FOnBeforeScroll)
        FOnBeforeScroll(this);
    vcl::TControlScrollBar* bar = VertScrollBar();
    bar->SetPosition(bar->Position() - (WheelDelta / 120) * bar->Increment());
    if (FOnAfterScroll)
        FOnAfterScroll(this);
    return true;
}

// Children see the background from inside the border.
void TsScrollBox::QueryBackground(TacBGInfo& BGInfo)
{
    inherited::QueryBackground(BGInfo);
    if (BGInfo.BgKind == 2 && !BGInfo.FillNow) {
        const int b = BorderOffset();
        BGInfo.Offset = BGInfo.Offset + vcl::TPoint(b, b);
    }
}

void TsScrollBox::SkinRemoved()
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    SkinData()->BorderIndex = -1;
    SkinData()->SkinIndex = -1;
    RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// Scrolling

vcl::TControlScrollBar* TsScrollBox::ScrolledBar(LPARAM LParam) const
{
    return HIWORD(LParam) == WM_HSCROLL ? HorzScrollBar() : VertScrollBar();
}

void TsScrollBox::BeforeScroll(LPARAM LParam)
{
    if (FOnBeforeScroll)
        FOnBeforeScroll(this);
    vcl::TControlScrollBar* bar = ScrolledBar(LParam);
    acTrackPos = bar->Position();
    if (IsCached(*SkinData()) && bar->Tracking() && HandleAllocated())
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TsScrollBox::AfterScroll(LPARAM LParam)
{
    vcl::TControlScrollBar* bar = ScrolledBar(LParam);
    if (HandleAllocated()) {
        if (IsCached(*SkinData())) {
            if (!bar->Tracking()) {
                RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            } else {
                SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
                RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                acTrackPos -= bar->Position();
            }
        } else if (bar->Tracking()) {
            acTrackPos -= bar->Position();
            const RECT strip = UncoveredStrip(HIWORD(LParam) == WM_HSCROLL, acTrackPos, ClientWidth(), ClientHeight());
            RedrawWindow(Handle(), &strip, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        }
    }
    if (FOnAfterScroll)
        FOnAfterScroll(this);
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TsScrollBox::CachedPath() const
{
    const TsCommonData& data = *SkinData();
    return (IsCached(data) && !data.CustomColor()) || FOnPaint;
}

void TsScrollBox::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    PaintSkinControl(data, Parent(), 0, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()),
                     data.FCacheBmp.get(), true);
    data.BGChanged = false;
    if (FOnPaint) {
        const TCanvasLock lock(data.FCacheBmp->Canvas());
        FOnPaint(data.FCacheBmp.get());
    }
}

void TsScrollBox::PaintSkinned(HDC DC)
{
    const HDC dc = DC ? DC : GetDC(Handle());
    if (CachedPath())
        PaintClient(dc);
    else
        PaintDirect(dc);
    SetParentUpdated(this);
    if (!DC)
        ReleaseDC(Handle(), dc);
}

// The client area from the cache inside the border, then the graphic children over it.
void TsScrollBox::PaintClient(HDC DC)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = data.GetUpdating();
    if (data.FUpdating)
        return;
    if (data.BGChanged || data.HalfVisible || !data.FCacheBmp)
        PrepareCache();
    data.HalfVisible = false;
    const int b = BorderOffset();
    CopyWinControlCache(this, data, TRect(b, b, Width() - b, Height() - b), TRect(0, 0, Width() - 2 * b, Height() - 2 * b),
                        DC, false, 0, 0);
    skin::PaintControls(DC, this, vcl::TPoint(0, 0));
}

TacBGInfo TsScrollBox::DirectBackground()
{
    TacBGInfo bg;
    if (SkinData()->CustomColor()) {
        bg.Color = vcl::TColor(vcl::ColorToRGB(Color()));
        bg.BgKind = 1;
        return bg;
    }
    GetBGInfo(bg, static_cast<vcl::TControl*>(Parent()), false);
    if (bg.BgKind == 2)
        bg.Offset = bg.Offset + vcl::TPoint(Left(), Top());
    return bg;
}

void TsScrollBox::PaintDirect(HDC DC)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = false;
    {
        const vcl::TSavedDC saved(DC);
        ExcludeControls(DC, this, 0, 0);
        POINT origin;
        GetWindowOrgEx(DC, &origin);
        const int b = BorderOffset();
        SetWindowOrgEx(DC, origin.x + b, origin.y + b, nullptr);
        const vcl::TColor own = data.CustomColor() ? vcl::TColor(vcl::ColorToRGB(Color())) : data.Section().Color;
        PaintSectionDirect(DC, data, TRect(0, 0, Width(), Height()), DirectBackground(), own);
    }
    skin::PaintControls(DC, this, vcl::TPoint(0, 0));
    data.FCacheBmp.reset();  // the direct path keeps none
}

// The border in the non-client frame: from the cache, or painted by itself.
void TsScrollBox::PaintBorder()
{
    TsCommonData& data = *SkinData();
    if (!ControlIsReady(this))
        return;
    const int b = BorderOffset();
    const HDC dc = GetWindowDC(Handle());
    {
        const vcl::TSavedDC saved(dc);
        if (!CachedPath()) {
            PaintBorderFast(dc, TRect(0, 0, Width(), Height()), b, data, 0);
            data.FCacheBmp.reset();
        } else if (data.FUpdating = data.GetUpdating(); !data.FUpdating) {
            if (data.BGChanged || !data.FCacheBmp)
                PrepareCache();
            UpdateCorners(data, 0);
            const TCanvasLock lock(data.FCacheBmp->Canvas());
            BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, b);
        }
    }
    ReleaseDC(Handle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsScrollBox::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    switch (Cmd) {
    case scmdRedraw:
        if (HandleAllocated())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return false;
    case scmdBeforeScroll:
        BeforeScroll(Message.LParam);
        return false;
    case scmdAfterScroll:
        AfterScroll(Message.LParam);
        return false;
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

bool TsScrollBox::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (SkinCommandOf(Message) == scmdQueryChanging) {
        Message.Result = IsCached(data) && data.FUpdating ? 1 : 0;
        return true;
    }
    switch (Message.Msg) {
    case WM_PAINT:
        WMPaint(Message);
        return true;
    case WM_ERASEBKGND:
        WMEraseBkgnd(Message);
        return true;
    case WM_NCPAINT:
        if (BorderOffset() == 0 || !Visible())
            return false;
        if (!InAnimationProcess) {
            InheritedWndProc(Message);  // the scroll bars
            PaintBorder();
        }
        return true;
    case WM_PRINT:
        WMPrint(Message);
        return true;
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        return false;
    case vcl::CM_ENTER:
    case vcl::CM_EXIT:  // the focus moving inside the box is no reason to paint it
        data.BeginUpdate();
        InheritedWndProc(Message);
        data.EndUpdate(false);
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsScrollBox::AfterInherited(TMessage& Message)
{
    if (Message.Msg == WM_SIZE) {
        SkinData()->BGChanged = true;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

void TsScrollBox::WMPaint(TMessage& Message)
{
    const auto given = reinterpret_cast<HDC>(Message.WParam);
    const bool cached = CachedPath();
    if (!cached)
        InvalidateRect(Handle(), nullptr, TRUE);  // the erase paints the face
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    const HDC dc = given ? given : ps.hdc;
    if (cached)
        PaintSkinned(dc);
    else
        skin::PaintControls(dc, this, vcl::TPoint(0, 0));
    EndPaint(Handle(), &ps);
    Message.Result = 0;
}

// The face of a box without a cache, and of one whose parent keeps none or whose section hides
// what lies beneath.
void TsScrollBox::WMEraseBkgnd(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    Message.Result = 1;
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    if ((InAnimationProcess && dc != data.PrintDC) || !ControlIsReady(this))
        return;
    const bool parentUncached = Parent() && (SendAMessage(Parent(), scmdSkinState) & cssNoCache);
    if (!CachedPath() || data.Section().Transparency == 0 || parentUncached)
        PaintSkinned(dc);
}

void TsScrollBox::WMPrint(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    data.FUpdating = false;
    if (!ControlIsReady(this))
        return;
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    PrepareCache();
    const int b = BorderOffset();
    {
        const TCanvasLock lock(data.FCacheBmp->Canvas());
        BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, b);
    }
    const vcl::TSavedDC saved(dc);
    SetWindowOrgEx(dc, -b, -b, nullptr);
    IntersectClipRect(dc, 0, 0, ClientWidth(), ClientHeight());
    data.HalfVisible = false;
    PaintSkinned(dc);
}

}  // namespace skin
