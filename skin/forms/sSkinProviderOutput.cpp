// Bringing the cache's picture onto the form's window: the frame, the client background and the
// caption cover, the switching of the skinned frame, and what each property change repaints.
#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TCanvasLock;
using vcl::TRect;

namespace {

// A window DC (or a client DC) of the form, its state saved, restored and the DC released at the end.
class TFormDC {
public:
    TFormDC(HWND Wnd, bool Window) : FWnd(Wnd), FDC(Window ? GetWindowDC(Wnd) : GetDC(Wnd)), FSaved(SaveDC(FDC)) {}
    ~TFormDC()
    {
        RestoreDC(FDC, FSaved);
        ReleaseDC(FWnd, FDC);
    }
    TFormDC(const TFormDC&) = delete;
    TFormDC& operator=(const TFormDC&) = delete;
    operator HDC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
    int FSaved;
};

// Copies the part Src of the cache to (X, Y) of DC.
void CopyFromCache(HDC DC, int X, int Y, HDC Cache, const TRect& Src)
{
    BitBlt(DC, X, Y, Src.Width(), Src.Height(), Cache, Src.left, Src.top, SRCCOPY);
}

LONG_PTR StyleOf(HWND Handle) { return GetWindowLongPtrW(Handle, GWL_STYLE); }

bool IsMDIChild(vcl::TCustomForm* Form) { return Form->FormStyle() == vcl::TFormStyle::fsMDIChild; }

// Another child than Form is maximised in the MDI main form: its children paint nothing.
bool OtherChildMaximized(vcl::TCustomForm* Form)
{
    if (!IsMDIChild(Form) || !MDISkinProvider)
        return false;
    vcl::TCustomForm* active = MDISkinProvider->Form->ActiveMDIChild();
    return active && active != Form && active->HandleAllocated() && IsZoomed(active->Handle());
}

// A DC whose clip box is empty paints nothing visible.
bool EmptyClip(HDC DC)
{
    RECT box{};
    return GetClipBox(DC, &box) == NULLREGION || box.right <= box.left || box.bottom <= box.top;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// From the cache to the window

void TsSkinProvider::PaintCaption(HDC DC)
{
    TsCommonData& data = *FCommonData;
    if (data.BGChanged || !IsCached(data)) {
        if (MenuChanged || !data.FCacheBmp || IsBorderUnchanged(data.BorderIndex, Manager()) || FormChanged() ||
            !HaveBorder(this))
            ControlsChanged = !FirstInitialized;
        PaintAll();
        data.BGChanged = false;
        data.FUpdating = false;
    }
    vcl::TBitmap* cache = data.FCacheBmp.get();
    if (!cache)
        return;
    const HWND handle = Form->Handle();
    const bool iconic = IsIconic(handle);
    const int y = (StyleOf(handle) & WS_CAPTION) == WS_CAPTION ? HeaderHeight() : BorderHeight(true);
    const int s = SysBorderHeight(handle, BorderForm.get(), true) + CaptionHeight(true) + (iconic ? 1 : 0);
    const int m = MenuPresent() ? GetLinesCount() * MenuHeight() + 1 : 0;
    const int bw = BorderWidth(true);
    const int bh = BorderHeight(true);
    const int width = CaptionWidth();
    const int height = Form->Height();
    const int sideTop = s + m + Form->BorderWidth();
    TCanvasLock lock(cache->Canvas());
    const HDC src = cache->Canvas()->Handle();
    CopyFromCache(DC, 0, 0, src, TRect(0, 0, width, y));
    CopyFromCache(DC, 0, y, src, vcl::Bounds(0, sideTop, bw, height - y));
    CopyFromCache(DC, bw, height - bh, src,
                  vcl::Bounds(SysBorderWidth(handle, BorderForm.get(), true) + Form->BorderWidth(), height - bh,
                              width - bw, bh));
    CopyFromCache(DC, cache->Width() - bw, y, src, vcl::Bounds(cache->Width() - bw, sideTop, bw, height - y));
}

void TsSkinProvider::AC_WMNCPaint()
{
    // A child made into a maximised layout waits with every frame until it has painted.
    if (bChildCreating || !FDrawNonClientArea)
        return;
    if (FResizeMode == TsResizeMode::rmBorder && AeroIsEnabled())
        FResizeMode = TsResizeMode::rmStandard;
    if (OtherChildMaximized(Form))
        return;
    TryInitMenu();
    const HWND handle = Form->Handle();
    const bool iconic = IsIconic(handle);
    const bool sizing = HasSizingFrame(handle);
    if (RgnChanged && !RgnChanging) {
        if (HaveBorder(this) || sizing || iconic) {
            if (iconic && (GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_APPWINDOW))
                return;
            if (!BorderForm)
                FillArOR(this);
            RgnChanged = false;
            if (!Form->FormState().Contains(vcl::TFormStateItem::fsShowing) ||
                Form->Position() == vcl::TPosition::poDefault || IsZoomed(handle)) {
                // The new region redraws the frame, which then paints from the region in force.
                UpdateRgn(this, !InAnimationProcess);
                return;
            }
            UpdateRgn(this, false);
        } else {
            SetWindowRgn(handle, nullptr, FALSE);
        }
    }
    TsCommonData& data = *FCommonData;
    data.FUpdating = false;
    if (data.FCacheBmp && data.FCacheBmp->Width() == 0)
        data.BGChanged = true;
    {
        const TFormDC dc(handle, true);
        if (BorderForm)
            PaintExtendedMenuArea(dc);
        else if (!HaveBorder(this) && sizing && !iconic)
            PaintSizingEdges(dc);
        else
            PaintCaption(dc);
    }
    if (BorderForm)
        ShowLostBorderWindow();
    RgnChanging = false;
}

void TsSkinProvider::ShowLostBorderWindow()
{
    // The frame of a shown form lies on its border window: one that went (or was hidden) while no
    // animation owns it comes back.
    TacBorderForm* border = BorderWindowOf(this);
    const HWND handle = Form->Handle();
    constexpr uint32_t animations = fsBlendOnMoving | fsMinimizing | fsExitAnimation | fsRestoring | fsCoverShown;
    if (!border || !IsWindowVisible(handle) || IsIconic(handle) || (FormState & animations) || InAnimationProcess ||
        (border->AForm && IsWindowVisible(border->AForm->Handle())))
        return;
    border->UpdateExBordersPos(true, 255);
}

vcl::TBitmap* TsSkinProvider::UpToDateCache()
{
    if (FCommonData->BGChanged)
        PaintAll();
    return FCommonData->FCacheBmp.get();
}

void TsSkinProvider::PaintSizingEdges(HDC DC)
{
    vcl::TBitmap* cache = UpToDateCache();
    if (!cache)
        return;
    TCanvasLock lock(cache->Canvas());
    BitBltBorder(DC, 0, 0, Form->Width(), Form->Height(), cache->Canvas()->Handle(), 0, 0, BorderWidth(true) + 3);
}

void TsSkinProvider::PaintExtendedMenuArea(HDC DC)
{
    vcl::TBitmap* cache = UpToDateCache();
    if (!cache)
        return;
    const HWND handle = Form->Handle();
    const TRect shadow = ShadowSize();
    const int sysBorder = SysBorderWidth(handle, BorderForm.get(), false);
    const int lines = GetLinesCount() * MenuHeight();
    const int inner = Form->BorderWidth();
    TCanvasLock lock(cache->Canvas());
    const HDC src = cache->Canvas()->Handle();
    CopyFromCache(DC, sysBorder, CaptionHeight(false) + sysBorder - (FSysExHeight ? 4 : 0), src,
                  vcl::Bounds(SysBorderWidth(handle, BorderForm.get(), true) + shadow.left, OffsetY() - lines - inner - 1,
                              cache->Width() - shadow.left - shadow.right, lines + (MenuHeight() ? 1 : 0) + inner));
    if (inner == 0)
        return;
    // The form's own border around the client area, from the cache's client edges.
    RECT window{};
    GetWindowRect(handle, &window);
    POINT client{0, 0};
    ClientToScreen(handle, &client);
    const int cx = client.x - window.left, cy = client.y - window.top;
    const int w = GetClientWidth(handle), h = GetClientHeight(handle);
    const int x = OffsetX(), y = OffsetY();
    CopyFromCache(DC, cx - inner, cy, src, vcl::Bounds(x - inner, y, inner, h + inner));
    CopyFromCache(DC, cx - inner, cy + h, src, vcl::Bounds(x - inner, y + h, w + 2 * inner, inner));
    CopyFromCache(DC, cx + w, cy, src, vcl::Bounds(x + w, y, inner, h + inner));
}

void TsSkinProvider::PaintForm(HDC DC, bool SendToChildren)
{
    TsCommonData& data = *FCommonData;
    const HWND handle = Form->Handle();
    const TRect client(0, 0, GetClientWidth(handle), GetClientHeight(handle));
    const vcl::TPoint offset(OffsetX(), OffsetY());
    if (data.CtrlSkinState & cssNoCache) {
        FillDC(DC, client, FormColor());
        PaintFastFrameInside(DC, client, offset);
    } else {
        const bool changed = data.BGChanged;
        if (!data.UrgentPainting)
            PaintAll();
        if (Form->FormStyle() != vcl::TFormStyle::fsMDIForm) {
            if (ControlsChanged || changed)
                MarkGraphicControlsChanged();
            CopyWinControlCache(Form, data, client.Offsetted(offset.x, offset.y), client, DC, false, 0, 0);
            PaintControls(DC, Form, vcl::TPoint());
        }
        if (SendToChildren) {
            SetParentUpdated(Form);
            SendToAdapter(MakeSkinMessage(scmdParentUpdated));
        }
    }
    ControlsChanged = false;
}

void TsSkinProvider::PaintFastFrameInside(HDC DC, const TRect& Client, const vcl::TPoint& Offset)
{
    // A frame image wider than the system's dialog frame reaches into the client area: that inner
    // part is copied along the client's edges.
    TsSkinManager* manager = Manager();
    const int border = FCommonData->BorderIndex;
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    if (!FDrawNonClientArea || !cache || Form->FormStyle() == vcl::TFormStyle::fsMDIForm ||
        Form->BorderStyle() != vcl::TFormBorderStyle::bsSingle || !manager || !manager->IsValidImgIndex(border))
        return;
    const TsMaskData& mask = manager->ma[size_t(border)];
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const int l = mask.WL - frame, t = mask.WT - frame, r = mask.WR - frame, b = mask.WB - frame;
    TCanvasLock lock(cache->Canvas());
    const HDC src = cache->Canvas()->Handle();
    const int w = Client.Width(), h = Client.Height();
    if (t > 0)
        CopyFromCache(DC, 0, 0, src, vcl::Bounds(Offset.x, Offset.y, w, t));
    if (l > 0)
        CopyFromCache(DC, 0, 0, src, vcl::Bounds(Offset.x, Offset.y, l, h));
    if (r > 0)
        CopyFromCache(DC, w - r, 0, src, vcl::Bounds(Offset.x + w - r, Offset.y, r, h));
    if (b > 0)
        CopyFromCache(DC, 0, h - b, src, vcl::Bounds(Offset.x, Offset.y + h - b, w, b));
}

void TsSkinProvider::MarkGraphicControlsChanged()
{
    vcl::TMessage changed = MakeSkinMessage(scmdMarkChanged);
    for (int i = 0; i < Form->ControlCount(); ++i) {
        vcl::TControl* control = Form->Controls(i);
        if (!dynamic_cast<vcl::TWinControl*>(control))
            control->Perform(changed.Msg, changed.WParam, changed.LParam);
    }
}

void TsSkinProvider::AC_WMEraseBkGnd(HDC DC)
{
    const HWND handle = Form->Handle();
    const bool ownDC = !DC || (InAero && EmptyClip(DC)) || (FCommonData->PrintDC && FCommonData->PrintDC != DC);
    const HDC dc = ownDC ? GetDC(handle) : DC;
    const vcl::TScopeExit release([&] {
        if (ownDC)
            ReleaseDC(handle, dc);
    });
    FCommonData->FUpdating = false;
    if (fAnimating || FormDestroying() || (OtherChildMaximized(Form) && !bChildCreating))
        return;
    const int saved = SaveDC(dc);
    ExcludeControls(dc, Form, 0, 0);
    PaintForm(dc, true);
    RestoreDC(dc, saved);
    PaintControls(dc, Form, vcl::TPoint());
}

void TsSkinProvider::OurPaintHandler(vcl::TMessage& Msg)
{
    const HWND handle = Form->Handle();
    PAINTSTRUCT ps{};
    if (fAnimating || (InAnimationProcess && !Msg.WParam) || FormDestroying()) {
        BeginPaint(handle, &ps);
        EndPaint(handle, &ps);
        return;
    }
    const bool painting = !InAnimationProcess;
    const HDC began = painting ? BeginPaint(handle, &ps) : nullptr;
    const HDC dc = Msg.WParam ? reinterpret_cast<HDC>(Msg.WParam) : began;
    vcl::TCanvas* canvas = Form->Canvas();
    canvas->Lock();
    const int saved = SaveDC(dc);
    FCommonData->FUpdating = Form->Parent() ? FCommonData->GetUpdating() : false;
    if (!OtherChildMaximized(Form) || bChildCreating)
        PaintForm(dc, true);
    RestoreDC(dc, saved);
    canvas->Unlock();
    if (painting)
        EndPaint(handle, &ps);
}

void TsSkinProvider::UpdateSkinCaption()
{
    if (FInAnimation || !Form->Visible() || !FDrawNonClientArea ||
        Form->ControlState().Contains(vcl::TControlStateItem::csDestroyingHandle) || !FCommonData->Skinned())
        return;
    if (IsMDIChild(Form) && Form->HandleAllocated() && IsZoomed(Form->Handle()) && MDISkinProvider) {
        MDISkinProvider->SkinData()->BGChanged = true;
        const TFormDC dc(MDISkinProvider->Form->Handle(), true);
        MDISkinProvider->PaintCaption(dc);
        return;
    }
    FCommonData->BGChanged = true;
    if (TacBorderForm* border = BorderWindowOf(this)) {
        FGlow1.reset();
        FGlow2.reset();
        border->UpdateExBordersPos(true, 255);
        return;
    }
    const TFormDC dc(Form->Handle(), true);
    if (!FCommonData->FCacheBmp)
        InitExBorders(Manager()->GetExtendedBorders());
    PaintCaption(dc);
}

void TsSkinProvider::RepaintNC()
{
    vcl::TMessage message;
    message.Msg = WM_NCPAINT;
    NewWndProc(message);
}

// ---------------------------------------------------------------------------------------------
// The caption cover

void TsSkinProvider::ShowCaptForm(bool FullHeight)
{
    if (!FDrawNonClientArea || FInAnimation || LockCount > 0 || (BorderForm && !Form->Menu()) ||
        (IsMDIChild(Form) && MDISkinProvider && MDISkinProvider->LockCount > 0) || (FormState & fsBlendOnMoving))
        return;
    if (!CaptForm) {
        CaptForm = vcl::Create<vcl::TForm>(vcl::Application);
        CaptForm->SetTag(-98);
        CaptForm->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
        CaptForm->SetOnPaint(vcl::TNotifyEvent(this, &TsSkinProvider::CaptFormPaint));
        OldCaptFormProc = CaptForm->WindowProc();
        CaptForm->SetWindowProc(vcl::TWndMethod(this, &TsSkinProvider::NewCaptFormProc));
    }
    const HWND cover = CaptForm->Handle();
    ShowWindow(cover, SW_HIDE);
    const TRect r = CaptFormBounds(FullHeight);
    SetWindowPos(cover, CaptFormInsertAfter(), r.left, r.top, r.Width(), r.Height(),
                 SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

TRect TsSkinProvider::CaptFormBounds(bool FullHeight)
{
    const HWND handle = Form->Handle();
    if (BorderForm) {
        const int border = SysBorderWidth(handle, BorderForm.get(), false);
        const int lines = MenuHeight() * GetLinesCount();
        const int top = Form->Top() + OffsetY() - lines - ShadowSize().top - DiffTitle(BorderForm.get()) - 1;
        return vcl::Bounds(Form->Left() + border, top, Form->Width() - 2 * border, lines + 2);
    }
    if (IsMDIChild(Form)) {
        // The child's place lies in the MDI client window, which sits inside the main form's
        // aligned controls and its client edge.
        POINT at{Form->Left(), Form->Top()};
        ClientToScreen(GetParent(handle), &at);
        return vcl::Bounds(at.x, at.y, Form->Width(), HeaderHeight());
    }
    return vcl::Bounds(Form->Left(), Form->Top(), Form->Width(), FullHeight ? Form->Height() : HeaderHeight());
}

HWND TsSkinProvider::CaptFormInsertAfter()
{
    const HWND handle = Form->Handle();
    if (IsMDIChild(Form))
        return HWND_TOP;
    if (GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return HWND_TOPMOST;
    const HWND above = GetWindow(handle, GW_HWNDPREV);
    return above ? above : HWND_TOP;
}

void TsSkinProvider::NewCaptFormProc(vcl::TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    OldCaptFormProc(Message);
}

void TsSkinProvider::KillCaptForm()
{
    if (!CaptForm)
        return;
    CaptForm->SetWindowProc(OldCaptFormProc);
    CaptForm->Free();
    CaptForm = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Switching the frame painting

void TsSkinProvider::CheckSysMenu(bool Take)
{
    const HWND handle = Form->HandleAllocated() ? Form->Handle() : nullptr;
    if (!handle) {
        HaveSysMenu = HaveSysMenu && Take;
        return;
    }
    const LONG_PTR style = StyleOf(handle);
    if (Take) {
        if (!(style & WS_SYSMENU) && !HaveSysMenu) {
            HaveSysMenu = false;
            return;
        }
        // While the provider draws the frame, the system must not draw its own icon and buttons.
        SetWindowLongPtrW(handle, GWL_STYLE, FDrawNonClientArea ? style & ~LONG_PTR(WS_SYSMENU) : style | WS_SYSMENU);
        HaveSysMenu = true;
        return;
    }
    if (HaveSysMenu) {
        SetWindowLongPtrW(handle, GWL_STYLE, style | WS_SYSMENU);
        const LRESULT icon = SendMessageW(handle, WM_GETICON, ICON_SMALL, 0);
        SendMessageW(handle, WM_SETICON, ICON_SMALL, icon);
    }
    HaveSysMenu = false;
}

bool TsSkinProvider::ExtBordersWanted(bool Allow)
{
    return Allow && HaveBorder(this) && FDrawNonClientArea && !Form->Parent() && !IsMDIChild(Form) &&
           FAllowExtBorders;
}

void TsSkinProvider::InitExBorders(bool Allow)
{
    if (!ExtBordersWanted(Allow)) {
        BorderForm.reset();
        return;
    }
    if (BorderForm)
        return;
    auto border = std::make_unique<TacBorderForm>(this);
    TacBorderForm* window = border.get();
    BorderForm = std::move(border);
    FCommonData->BGChanged = true;
    window->UpdateExBordersPos(true, 255);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TsSkinProvider::SetCaptionAlignment(vcl::TAlignment Value)
{
    if (!vcl::ChangeField(FCaptionAlignment, Value))
        return;
    FCommonData->BGChanged = true;
    if (Form->Visible() && FCommonData->Skinned())
        UpdateSkinCaption();
}

void TsSkinProvider::SetShowAppIcon(bool Value)
{
    if (!vcl::ChangeField(FShowAppIcon, Value))
        return;
    FCommonData->BGChanged = true;
    if (Form->Visible() && Form->HandleAllocated())
        SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetTitleSkin(const vcl::String& Value)
{
    if (!vcl::ChangeField(FTitleSkin, Value))
        return;
    FTitleSkinIndex = -1;
    FCommonData->BGChanged = true;
    if (!Form->Visible() || !Form->HandleAllocated())
        return;
    // In the extended layout the border window shows the title.
    if (TacBorderForm* border = BorderWindowOf(this))
        border->UpdateExBordersPos(true, 255);
    else
        SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetMenuLineSkin(const vcl::String& Value) { FMenuLineSkin = Value; }

void TsSkinProvider::SetUseGlobalColor(bool Value)
{
    FUseGlobalColor = Value;
    if (FCommonData->Skinned() && Value && !FCommonData->CustomColor())
        Form->SetColor(Manager()->GetGlobalColor());
    else
        Form->SetColor(vcl::clBtnFace);
}

void TsSkinProvider::SetAllowExtBorders(bool Value)
{
    if (!vcl::ChangeField(FAllowExtBorders, Value) || Loading())
        return;
    InitExBorders(true);
    FCommonData->BGChanged = true;
    if (Form->HandleAllocated())
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::SetDrawNonClientArea(bool Value)
{
    if (!vcl::ChangeField(FDrawNonClientArea, Value))
        return;
    if (Value) {
        CheckSysMenu(true);
        if (!Form->Showing() || !FCommonData->Skinned())
            return;
        FCommonData->BGChanged = true;
        TryInitMenu();
        InitExBorders(Manager()->GetExtendedBorders());
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
        RefreshFormScrolls(this);
        return;
    }
    BorderForm.reset();
    if (Form->Menu() && Manager())
        Manager()->SkinableMenus()->InitMenuLine(Form->Menu(), false);
    ListSW.reset();
    if (!Form->HandleAllocated())
        return;
    if (Ac_SetWindowTheme)
        Ac_SetWindowTheme(Form->Handle(), nullptr, nullptr);
    if (HaveSysMenu)
        CheckSysMenu(true);
    if (Form->Showing())
        SetWindowRgn(Form->Handle(), nullptr, TRUE);
}

}  // namespace skin
