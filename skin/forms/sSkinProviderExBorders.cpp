// How a form with extended borders keeps its border window in step: the window takes the form's
// new size, place and z-order, gives the form the mouse messages it forwards, and gives a form
// stretched from it its size back on the first move.
#include <windowsx.h>

#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "vcl/application.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;

namespace {

// The border window keeps its place and size, takes no activation and is not redrawn.
constexpr UINT KeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER;

}  // namespace

void TsSkinProvider::UpdateBorderWindow(bool Redraw)
{
    if (TacBorderForm* border = BorderWindowOf(this))
        border->UpdateExBordersPos(Redraw, 255);
}

int TsSkinProvider::ForwardedHitCode(const TMessage& Message)
{
    TacBorderForm* border = BorderWindowOf(this);
    if (!border || Message.WParam != WPARAM(-1) || !border->AForm)
        return int(Message.WParam);
    TMessage hitTest{WM_NCHITTEST, 0, Message.LParam, 0};
    return border->Ex_WMNCHitTest(hitTest);
}

TPoint TsSkinProvider::TitlePoint(const TPoint& Screen)
{
    const TacBorderForm* border = BorderWindowOf(this);
    if (!border || !border->AForm)
        return CursorToPoint(Screen.x, Screen.y);
    return Screen - WindowRectOf(border->AForm->Handle()).TopLeft();
}

// ---------------------------------------------------------------------------------------------
// Sizing

void TsSkinProvider::SizeBorderWindow()
{
    TacBorderForm* border = BorderWindowOf(this);
    if (!border->AForm)
        border->CreateNewForm();
    TsCommonData& data = *FCommonData;
    // A size change under way: the hole follows the last client area, not the coming one.
    if (FResizeMode == TsResizeMode::rmStandard && !ScrollBarsShown())
        FormState |= fsSizing;
    border->UpdateExBordersPos(true, 255);
    data.FUpdating = true;
    FormState &= ~fsSizing;
    if (border->AForm) {
        // Over the form while the form repaints its inner part, so that the frame does not flicker.
        const TFlagScope showing(border->ExBorderShowing);
        SetWindowPos(border->AForm->Handle(), HWND_TOP, 0, 0, 0, 0, KeepPlace);
    }
    UpdateRgn(this, true);
    data.FUpdating = false;
}

void TsSkinProvider::PlaceBorderWindowAfterSize()
{
    TacBorderForm* border = BorderWindowOf(this);
    if (!border->AForm)
        border->CreateNewForm();
    const HWND handle = Form->Handle();
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (!border->AForm) {
        UpdateRgn(this, false);
        return;
    }
    const HWND wnd = border->AForm->Handle();
    SetWindowPos(wnd, handle, 0, 0, 0, 0, KeepPlace);
    SetWindowRgn(wnd, border->MakeRgn(0, 0), FALSE);
    border->ExBorderShowing = false;
}

void TsSkinProvider::ShrinkBorderWindow(const WINDOWPOS& Pos)
{
    TacBorderForm* border = BorderWindowOf(this);
    if (!border || !border->AForm || !border->AForm->HandleAllocated() || Pos.cx == 0 || Pos.cy == 0 ||
        !(Pos.flags & SWP_NOACTIVATE) || (Pos.flags & (SWP_NOMOVE | SWP_NOSIZE)))
        return;
    if ((Pos.cx >= LastClientRect.Width() && Pos.cy >= LastClientRect.Height()) || ScrollBarsShown())
        return;
    FormState |= fsSizing;
    const HWND wnd = border->AForm->Handle();
    SetWindowRgn(wnd, border->MakeRgn(Pos.cx, Pos.cy), FALSE);
    SetWindowPos(Form->Handle(), wnd, 0, 0, 0, 0, KeepPlace);
    FormState &= ~fsSizing;
}

// ---------------------------------------------------------------------------------------------
// Moving and z-order

bool TsSkinProvider::UndoStretch(WINDOWPOS& Pos)
{
    if (!(FormState & (fsStretchedWidth | fsStretchedHeight)))
        return false;
    // The move keeps the place it goes to; the size the stretch replaced comes back.
    if (Pos.flags & SWP_NOSIZE) {
        Pos.cx = Form->Width();
        Pos.cy = Form->Height();
        Pos.flags &= ~UINT(SWP_NOSIZE);
    }
    if (FormState & fsStretchedWidth)
        Pos.cx = NormalBounds.right;
    if (FormState & fsStretchedHeight)
        Pos.cy = NormalBounds.bottom;
    FormState &= ~(fsStretchedWidth | fsStretchedHeight);
    return true;
}

void TsSkinProvider::FollowWithBorderWindow(const WINDOWPOS& Pos)
{
    TacBorderForm* border = BorderWindowOf(this);
    const HWND handle = Form->Handle();
    if (FInAnimation || !border || !IsWindowVisible(handle) || IsIconic(handle) ||
        (Pos.flags & (SWP_NOREDRAW | SWP_FRAMECHANGED)) || (FormState & fsBlendOnMoving))
        return;
    if ((Pos.flags & SWP_NOSIZE) && (Pos.flags & SWP_NOMOVE) && border->AForm)
        PlaceBorderWindowBehind();
    else
        border->UpdateExBordersPos(false, 255);
}

void TsSkinProvider::PlaceBorderWindowBehind()
{
    TacBorderForm* border = BorderWindowOf(this);
    const HWND handle = Form->Handle();
    const bool activeMain = vcl::Application && Form == vcl::Application->MainForm() && GetActiveWindow() == handle;
    SetWindowPos(border->AForm->Handle(), AeroIsEnabled() && activeMain ? HWND_TOPMOST : handle, 0, 0, 0, 0,
                 KeepPlace | SWP_SHOWWINDOW);
}

void TsSkinProvider::FreeBorderWindowForm()
{
    TacBorderForm* border = BorderWindowOf(this);
    if (!border || !border->AForm)
        return;
    const TFlagScope showing(border->ExBorderShowing);
    border->FreeBorderWindow();
}

void TsSkinProvider::ShowBorderWindowOnTop()
{
    TacBorderForm* border = BorderWindowOf(this);
    vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    if (!border || !cache || GetLinesCount() < 1)
        return;
    if (!border->AForm)
        border->CreateNewForm();
    const HWND wnd = border->AForm->Handle();
    SetWindowRgn(wnd, border->MakeRgn(0, 0), FALSE);
    SetFormBlendValue(wnd, cache, Form->AlphaBlend() ? Form->AlphaBlendValue() : 255);
    SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TsSkinProvider::SnapMargin()
{
    if (!BorderForm || !Manager())
        return 0;
    return DiffBorder(BorderForm.get()) + Manager()->SkinData->ExShadowOffs;
}

int TsSkinProvider::SnapTopMargin()
{
    if (!BorderForm || !Manager())
        return 0;
    return DiffTitle(BorderForm.get()) + Manager()->SkinData->ExShadowOffs;
}

// A maximised form's title lies higher: the frame above it is off the screen.
int TsSkinProvider::ExtendedTitleShift()
{
    const TacBorderForm* border = BorderWindowOf(this);
    if (!border)
        return 0;
    if (Form->HandleAllocated() && IsZoomed(Form->Handle()))
        return FSysExHeight ? ShadowSize().top + DiffTitle(border) + 4 : border->OffsetY();
    return DiffTitle(border) + ShadowSize().top;
}

}  // namespace skin
