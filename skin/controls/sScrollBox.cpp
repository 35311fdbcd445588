#include "skin/controls/sScrollBox.h"

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

void TsScrollBox::ScrollBy(int DeltaX, int DeltaY)
{
    if (HandleAllocated())
        SendAMessage(Handle(), scmdBeforeScroll);
    inherited::ScrollBy(DeltaX, DeltaY);
    if (HandleAllocated())
        SendAMessage(Handle(), scmdAfterScroll);
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
        const LRESULT answer =
            SendMessageW(active->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(WheelDelta))),
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

// ---------------------------------------------------------------------------------------------
// Painting

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
    SetParentUpdated(this);
}

// The border in the non-client frame, from the same cache.
void TsScrollBox::PaintBorder()
{
    TsCommonData& data = *SkinData();
    const int b = BorderOffset();
    if (b == 0 || !ControlIsReady(this))
        return;
    if (data.BGChanged || !data.FCacheBmp)
        PrepareCache();
    UpdateCorners(data, 0);
    const HDC dc = GetWindowDC(Handle());
    {
        const TCanvasLock lock(data.FCacheBmp->Canvas());
        BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, b);
    }
    ReleaseDC(Handle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsScrollBox::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (SkinCommandOf(Message)) {
    case scmdBeforeScroll:
        if (FOnBeforeScroll)
            FOnBeforeScroll(this);
        return true;
    case scmdAfterScroll:
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (FOnAfterScroll)
            FOnAfterScroll(this);
        return true;
    case scmdQueryChanging:
        Message.Result = IsCached(data) && data.FUpdating ? 1 : 0;
        return true;
    default:
        break;
    }
    switch (Message.Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), &ps);
        const auto given = reinterpret_cast<HDC>(Message.WParam);
        PaintClient(given ? given : ps.hdc);
        EndPaint(Handle(), &ps);
        Message.Result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_NCPAINT:
        if (InAnimationProcess)
            return true;
        InheritedWndProc(Message);  // the scroll bars
        PaintBorder();
        return true;
    case WM_PRINT: {
        data.FUpdating = false;
        const auto dc = reinterpret_cast<HDC>(Message.WParam);
        PrepareCache();
        const int b = BorderOffset();
        {
            const TCanvasLock lock(data.FCacheBmp->Canvas());
            BitBltBorder(dc, 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, b);
        }
        POINT old;
        SetWindowOrgEx(dc, -b, -b, &old);
        PaintClient(dc);
        SetWindowOrgEx(dc, old.x, old.y, nullptr);
        return true;
    }
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        return false;
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

}  // namespace skin
