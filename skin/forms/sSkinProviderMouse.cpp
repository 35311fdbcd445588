// The provider's handlers of the left button in the skinned caption and borders, of the system
// commands, of printing the form and of the mouse moves of the outline drag.
#include <windowsx.h>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;

namespace {

// The system menu's delay after a click on the icon, so that a double click can close the form.
constexpr int SysMenuClickDelay = 200;

bool IsSizingBorder(int HT) { return HT >= HTLEFT && HT <= HTBOTTOMRIGHT; }

// Runs Action with the system's minimise and restore animation off.
template <class F>
void WithoutSystemAnimation(F Action)
{
    const bool animation = acGetAnimation();
    acSetAnimation(false);
    const vcl::TScopeExit restore([animation] { acSetAnimation(animation); });
    Action();
}

// The skinned system menu below the title icon (16 pixels higher for an iconic form).
void DropSysMenuBelowIcon(TsSkinProvider& Provider, int Shift = 0)
{
    const HWND handle = Provider.Form->Handle();
    const TPoint origin = Provider.FormLeftTop();
    if (Provider.Form->FormStyle() == vcl::TFormStyle::fsMDIChild) {
        if (MDISkinProvider)
            Provider.DropSysMenu(origin.x, origin.y + skin::SysCaptHeight(Provider.Form) + 4 - Shift);
        return;
    }
    Provider.DropSysMenu(origin.x + SysBorderWidth(handle, nullptr, false),
                         origin.y + Provider.BorderHeight(false) + Provider.IconRect().Height() +
                             SysBorderHeight(handle, nullptr, false) - Shift);
}

// A sizing frame without a caption: the four edges of the cache, as wide as the form's border
// and the frame's bevel.
void PrintFrameEdges(TsSkinProvider& Provider, HDC DC)
{
    TsCommonData& data = *Provider.SkinData();
    if (data.BGChanged || !data.FCacheBmp)
        Provider.PaintAll();
    if (!data.FCacheBmp)
        return;
    const int w = Provider.Form->BorderWidth() + 3;
    const int width = Provider.Form->Width(), height = Provider.Form->Height();
    vcl::TCanvas* cache = data.FCacheBmp->Canvas();
    TCanvasLock lock(cache);
    const auto edge = [&](int X, int Y, int W, int H) { BitBlt(DC, X, Y, W, H, cache->Handle(), X, Y, SRCCOPY); };
    edge(0, 0, width, w);
    edge(0, w, w, height - w);
    edge(w, height - w, width - w, w);
    edge(width - w, w, w, height - 2 * w);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The left button

void TsSkinProvider::AC_WMNCLButtonDown(TMessage& Message)
{
    if (!FDrawNonClientArea) {
        if (Message.WParam == HTSYSMENU)
            DropSysMenuBelowIcon(*this);
        else
            OldWndProc(Message);
        return;
    }
    if (BorderForm && Message.WParam == HTBORDER) {
        OldWndProc(Message);
        return;
    }
    // The border window's press: the code is the one under the mouse on the border window.
    const int code = ForwardedHitCode(Message);
    Message.WParam = WPARAM(code);
    if (code == HTSYSMENU) {
        Message.Result = 0;
        OldWndProc(Message);
        if (Message.Result != 0)
            return;
        SetHotHT(0, true);
        bPressed = false;
        if (!Manager()->SkinnedPopups()) {
            Delay(SysMenuClickDelay);
            if (FCommonData->FUpdating)
                return;
        }
        DropSysMenuBelowIcon(*this);
        return;
    }
    if (code == HTMENU) {
        OldWndProc(Message);
        return;
    }
    if (code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP) {
        SetPressedHT(code);
        return;
    }
    if (code >= MDICloseHT && code <= MDIMinimizeHT) {
        MDIButtonDown(code);
        return;
    }
    if (code >= UserButtonHT && code < UserButtonHT + FTitleButtons->Count()) {
        SetPressedHT(code);
        FTitleButtons->Items(code - UserButtonHT)
            ->MouseDown(code - UserButtonHT, vcl::TMouseButton::mbLeft, {}, GET_X_LPARAM(Message.LParam),
                        GET_Y_LPARAM(Message.LParam));
        return;
    }
    const HWND handle = Form->Handle();
    if (IsIconic(handle)) {
        Form->Perform(WM_SYSCOMMAND, SC_DRAGMOVE, 0);
        return;
    }
    SetHotHT(0, true);
    if (IsZoomed(handle)) {
        if (CursorToPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)).y <
            BorderHeight(true) + CaptionHeight(true)) {
            if (!Form->Active())
                Form->SetFocus();
            return;
        }
    }
    BOOL fullDrag = FALSE;
    vcl::Seams().SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
    if (fullDrag && FResizeMode == TsResizeMode::rmBorder && Form->Enabled()) {
        if (code == HTCAPTION)
            OldWndProc(Message);
        OutlineDrag.Mode = !IsSizingBorder(code);
        Form->Perform(WM_SYSCOMMAND, OutlineDrag.Mode ? SC_MOVE : SC_SIZE, 0);
        StartMove(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        return;
    }
    if (code == HTCAPTION && BlendOnMovingWanted(this)) {
        FormActive = true;
        FCommonData->BGChanged = true;
        Form->SetFocus();
        StartBlendOnMoving(this);
        return;
    }
    OldWndProc(Message);
}

void TsSkinProvider::AC_WMNCLButtonUp(TMessage& Message)
{
    if (!FDrawNonClientArea) {
        OldWndProc(Message);
        return;
    }
    const HWND handle = Form->Handle();
    const int code = ForwardedHitCode(Message);
    Message.WParam = WPARAM(code);
    switch (code) {
    case HTMINBUTTON: {
        if (!bPressed || !ButtonMin.Rect.Contains(TitlePoint(acMousePos()))) {
            SetHotHT(0, true);
            OldWndProc(Message);
            return;
        }
        SetHotHT(0, true);
        if (vcl::Application && Form == vcl::Application->MainForm()) {
            const TFlagScope skip(SkipAnimation);
            Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (IsIconic(handle)) {
            Form->Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            constexpr uint32_t fsTitleMinimize = 0x100;
            FormState |= fsTitleMinimize;
            Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
            FormState &= ~fsTitleMinimize;
        }
        // The press is spent: kept, it would keep every caption button from turning hot again.
        bPressed = false;
        FCommonData->BGChanged = true;
        RegionChanged = true;
        return;
    }
    case HTMAXBUTTON:
        if (SystemMenu && !(SystemMenu->EnabledMax() || (IsZoomed(handle) && SystemMenu->EnabledRestore())))
            return;
        SetHotHT(0, true);
        if (!bPressed) {
            OldWndProc(Message);
            return;
        }
        Form->Perform(WM_SYSCOMMAND, IsZoomed(handle) ? SC_RESTORE : SC_MAXIMIZE, 0);
        if (SystemMenu)
            SystemMenu->UpdateItems(false);
        bPressed = false;
        return;
    case HTCLOSE:
        if (!bPressed)
            return;
        ButtonClose.State = 0;
        Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        bPressed = false;
        if (FormDestroying())
            return;
        KillAnimations();
        if (Form->Visible()) {
            FCommonData->BGChanged = true;
            SetHotHT(0, true);
        }
        return;
    case HTHELP:
        if (bPressed) {
            Form->Perform(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
            SetHotHT(0, true);
            if (SystemMenu)
                SystemMenu->UpdateItems(false);
            bPressed = false;
            Form->Perform(WM_NCPAINT, 0, 0);
        } else {
            SetHotHT(0, true);
        }
        return;
    case MDICloseHT:
    case MDIRestoreHT:
    case MDIMinimizeHT: MDIButtonUp(code); return;
    default: break;
    }
    if (code >= UserButtonHT && code < UserButtonHT + FTitleButtons->Count()) {
        if (bPressed)
            FTitleButtons->Items(code - UserButtonHT)
                ->MouseUp(code - UserButtonHT, vcl::TMouseButton::mbLeft, {}, GET_X_LPARAM(Message.LParam),
                          GET_Y_LPARAM(Message.LParam));
        bPressed = false;
        SetHotHT(0, true);
        return;
    }
    if (IsIconic(handle)) {
        if (MDISkinProvider) {
            const TPoint mouse = acMousePos();
            DropSysMenu(Form->Left() + mouse.x, mouse.y);
        } else {
            OldWndProc(Message);
        }
    } else if (FResizeMode == TsResizeMode::rmBorder && Form->Enabled() && !IsZoomed(handle) && OutlineDrag.InProcess) {
        const TPoint mouse = acMousePos();
        StopMove(mouse.x, mouse.y);
    } else {
        OldWndProc(Message);
    }
    bPressed = false;
}

// ---------------------------------------------------------------------------------------------
// System commands

void TsSkinProvider::AC_WMSysCommand(TMessage& Message)
{
    const WPARAM command = Message.WParam & 0xFFF0;
    const HWND handle = Form->Handle();
    const vcl::TFormStyle style = Form->FormStyle();
    if (style != vcl::TFormStyle::fsMDIChild) {
        if (Message.WParam == SC_DRAGMOVE)
            Form->Repaint();
        if (command == SC_MAXIMIZE && !Form->Parent()) {
            bool restoring = false;
            WithoutSystemAnimation([&] {
                restoring = StartRestoring(this);
                if (restoring)
                    OldWndProc(Message);
            });
            if (restoring)
                return;
        }
        if (command == SC_RESTORE) {
            if (FormState & fsExitAnimation) {
                FormState &= ~fsExitAnimation;
                if (TacBorderForm* border = BorderWindowOf(this))
                    border->ExBorderShowing = false;
                WithoutSystemAnimation([&] { OldWndProc(Message); });
                return;
            }
            if (!vcl::Application || Form != vcl::Application->MainForm()) {
                TacBorderForm* border = BorderWindowOf(this);
                if (border ? !border->AForm : ExtBordersNeeded()) {
                    if (border)
                        border->CreateNewForm();
                    InitExBorders(true);
                    UpdateRgn(this, false);
                }
                WithoutSystemAnimation([&] { OldWndProc(Message); });
                return;
            }
            // The main form on the taskbar comes back through the application window, whose
            // restore plays the animation its minimise timer keeps.
            if (IsIconic(handle) && !Form->Parent() && FormTimer && vcl::Application->MainFormOnTaskBar()) {
                Message.Result =
                    SendMessageW(vcl::Application->Handle(), WM_SYSCOMMAND, Message.WParam, Message.LParam);
                return;
            }
        }
    }
    // In the rmBorder mode the outline drag follows the mouse instead of the system's own loop.
    if (FResizeMode == TsResizeMode::rmBorder && Form->Enabled() && !OutlineDrag.InProcess &&
        (command == SC_MOVE || command == SC_SIZE)) {
        SetCapture(handle);
        OutlineDrag.Capture = true;
        OutlineDrag.Mode = command == SC_MOVE;
        if (command == SC_SIZE)
            OutlineDrag.Direction = 0;
        return;
    }
    if (style == vcl::TFormStyle::fsMDIChild) {
        MDIChildSysCommand(Message);
        return;
    }
    if (style == vcl::TFormStyle::fsMDIForm) {
        MDIFormSysCommand(Message);
        return;
    }
    if (command == SC_RESTORE)
        BorderForm.reset();
    OldWndProc(Message);
    switch (command) {
    case SC_MINIMIZE:
        if (FCommonData->FCacheBmp)
            FCommonData->FCacheBmp->SetSize(0, 0);
        if (Manager() && Manager()->AnimEffects()->Minimizing()->Active())
            fAnimating = false;
        // The minimised form's border window goes, unless the title bar's minimise animates it.
        if (!(FormState & fsMinimizing) || !vcl::Application || Form != vcl::Application->MainForm())
            FreeBorderWindowForm();
        break;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (SystemMenu && SystemMenu->VisibleMax())
            CurrentHT = HTMAXBUTTON;
        SetHotHT(0, true);
        if (command == SC_RESTORE) {
            FCommonData->BGChanged = true;
            RegionChanged = true;
        }
        if (!HaveBorder(this)) {
            SetWindowRgn(handle, nullptr, TRUE);
            break;
        }
        if (ExtBordersNeeded() && FDrawNonClientArea && !Form->Parent()) {
            InitExBorders(true);
            if (command == SC_RESTORE)
                UpdateBorderWindow(true);
        }
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        break;
    case SC_KEYMENU:
        if (Message.LParam == VK_SPACE && SystemMenu && HaveBorder(this))
            DropSysMenuBelowIcon(*this, IsIconic(handle) ? 16 : 0);
        break;
    default: break;
    }
}

void TsSkinProvider::MDIChildSysCommand(TMessage& Message)
{
    const WPARAM command = Message.WParam & 0xFFF0;
    const HWND handle = Form->Handle();
    TsSkinProvider* main = MDISkinProvider;
    const bool mainHasMDIForm = main && main->MDIForm;
    bool wasMaximised = IsZoomed(handle) && command != SC_MAXIMIZE;
    // The MDI form waits while a maximised child changes, so its menu line is painted once. The
    // batch ends only where it began: an unmatched end would leave the form's count unbalanced.
    TsCommonData* batch = wasMaximised && main ? main->SkinData() : nullptr;
    if (batch)
        batch->BeginUpdate();
    switch (command) {
    case SC_MINIMIZE:
        OldWndProc(Message);
        if (wasMaximised)
            UpdateMainForm(true);
        if (SystemMenu)
            SystemMenu->UpdateItems(true);
        FCommonData->BGChanged = true;
        UpdateMainForm(true);
        break;
    case SC_MAXIMIZE: {
        ChildProvider = this;
        // Hidden while the system maximises it, the child does not flash its old frame.
        const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
        SetWindowLongPtrW(handle, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
        OldWndProc(Message);
        SetWindowLongPtrW(handle, GWL_STYLE, GetWindowLongPtrW(handle, GWL_STYLE) | (style & WS_VISIBLE));
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT);
        if (mainHasMDIForm)
            UpdateMainForm(true);
        if (SystemMenu)
            SystemMenu->UpdateItems(true);
        break;
    }
    case SC_CLOSE:
        if (wasMaximised && mainHasMDIForm)
            UpdateMainForm(true);
        if (main)
            main->InMenu = true;
        OldWndProc(Message);
        if (MDISkinProvider == main && main)
            main->InMenu = false;
        if (!FormDestroying() && !ComponentDestroying(this)) {
            SetHotHT(0, false);
            if (wasMaximised && mainHasMDIForm)
                UpdateMainForm(true);
        }
        break;
    case SC_RESTORE:
        if (IsIconic(handle))
            wasMaximised = true;
        if (bChildCreating)
            break;
        OldWndProc(Message);
        RestoredMDIChild();
        if (wasMaximised)
            UpdateMainForm(true);
        if (SystemMenu)
            SystemMenu->UpdateItems(true);
        break;
    case SC_KEYMENU: break;
    default: OldWndProc(Message); break;
    }
    if (batch && MDISkinProvider == main)
        batch->EndUpdate(false);
}

// A restored child repaints its own frame; no other child stays maximised beside it.
void TsSkinProvider::RestoredMDIChild()
{
    const HWND handle = Form->Handle();
    FCommonData->BGChanged = true;
    if (FDrawNonClientArea)
        SetWindowLongPtrW(handle, GWL_STYLE, GetWindowLongPtrW(handle, GWL_STYLE) & ~LONG_PTR(WS_SYSMENU));
    RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    vcl::TCustomForm* main = MDISkinProvider ? MDISkinProvider->Form : nullptr;
    for (int i = 0; main && i < main->MDIChildCount(); ++i) {
        vcl::TCustomForm* other = main->MDIChildren(i);
        if (other == Form || other->WindowState() != vcl::TWindowState::wsMaximized)
            continue;
        other->SetWindowState(vcl::TWindowState::wsNormal);
        RedrawWindow(other->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }
}

void TsSkinProvider::MDIFormSysCommand(TMessage& Message)
{
    const WPARAM command = Message.WParam & 0xFFF0;
    OldWndProc(Message);
    if (command != SC_MINIMIZE && command != SC_MAXIMIZE && command != SC_RESTORE)
        return;
    if (MDISkinProvider)
        MDISkinProvider->SkinData()->BGChanged = true;
    FLinesCount = -1;
    Form->Perform(WM_NCPAINT, 0, 0);
    if (command == SC_MAXIMIZE)
        if (TacBorderForm* border = BorderWindowOf(this))
            border->UpdateExBordersPos(true, 255);
}

// ---------------------------------------------------------------------------------------------
// Printing

void TsSkinProvider::AC_WMPrint(TMessage& Message)
{
    if (Loading() || FormDestroying() || !Form->HandleAllocated())
        return;
    const HWND handle = Form->Handle();
    InitDwm(handle, true, false);
    // Another child maximised covers this one.
    vcl::TCustomForm* maximized = Form->FormStyle() == vcl::TFormStyle::fsMDIChild && MDISkinProvider
                                      ? MaximizedMDIChild(MDISkinProvider->Form)
                                      : nullptr;
    if (maximized && maximized != Form)
        return;
    if (!MenusInitialized)
        MenusInitialized = UpdateMenu();
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    TsCommonData& data = *FCommonData;
    data.PrintDC = dc;
    data.SetUpdating(false);
    if (BorderForm) {
        PrintWholeCache(dc);
    } else if (FDrawNonClientArea) {
        if (!HaveBorder(this) && (GetWindowLongPtrW(handle, GWL_STYLE) & WS_THICKFRAME))
            PrintFrameEdges(*this, dc);
        else
            PaintCaption(dc);
    }
    // The client area at the offsets, clipped to its size within the caller's clip; the caller gets
    // its origin and clip back.
    const vcl::TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, OffsetX(), OffsetY(), nullptr);
    IntersectClipRect(dc, 0, 0, GetClientWidth(handle), GetClientHeight(handle));
    PaintForm(dc);
    if (!BorderForm || Form->FormStyle() != vcl::TFormStyle::fsMDIForm)
        PaintControls(dc, Form, TPoint());
    if (const HWND client = Form->FormStyle() == vcl::TFormStyle::fsMDIForm ? Form->ClientHandle() : nullptr) {
        // The MDI client lies below any tool bar of the form: its children are printed at its place.
        RECT bounds{};
        GetWindowRect(client, &bounds);
        POINT place{bounds.left, bounds.top};
        ScreenToClient(handle, &place);
        OffsetViewportOrgEx(dc, place.x, place.y, nullptr);
        SendMessageW(client, WM_PRINT, Message.WParam, Message.LParam);
        OffsetViewportOrgEx(dc, -place.x, -place.y, nullptr);
    }
    data.PrintDC = nullptr;
    if (const vcl::TNotifyEvent onPaint = Form->OnPaint()) {
        vcl::TCanvas* canvas = Form->Canvas();
        TCanvasLock lock(canvas);
        canvas->SetHandle(dc);
        onPaint(Form);
        canvas->SetHandle(nullptr);
    }
}

void TsSkinProvider::PrintWholeCache(HDC DC)
{
    // With a border window the picture holds the shadow and the skin's frame around the form.
    vcl::TBitmap* cache = UpToDateCache();
    if (!cache)
        return;
    TCanvasLock lock(cache->Canvas());
    BitBlt(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// The outline drag

void TsSkinProvider::AC_WMMouseMove(TMessage& /*Message*/)
{
    TOutlineDrag& drag = OutlineDrag;
    if (FResizeMode != TsResizeMode::rmBorder || !Form->Enabled())
        return;
    const TPoint mouse = acMousePos();
    if (drag.Capture) {
        drag.Capture = false;
        drag.Mouse = mouse;
        if (!drag.InProcess)
            StartMove(mouse.x, mouse.y);
        return;
    }
    if (!drag.InProcess)
        return;
    const int dx = mouse.x - drag.Mouse.x, dy = mouse.y - drag.Mouse.y;
    drag.Mouse = mouse;
    if (drag.Mode) {
        DrawFormBorder(drag.Outline.left, drag.Outline.top);
        drag.Outline.Offset(dx, dy);
        DrawFormBorder(drag.Outline.left, drag.Outline.top);
        return;
    }
    // Sizing follows the mouse with the bottom and right edges, keeping the form's constraints.
    DrawFormBorder(0, 0);
    drag.Outline.right = std::max(drag.Outline.right + dx, drag.Outline.left + drag.MinSize.cx);
    drag.Outline.bottom = std::max(drag.Outline.bottom + dy, drag.Outline.top + drag.MinSize.cy);
    DrawFormBorder(0, 0);
}

}  // namespace skin
