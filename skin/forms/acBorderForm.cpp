#include "skin/forms/acBorderForm.h"

#include <windowsx.h>

#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/screen.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;
using vcl::TRect;

namespace {

// FormState bits the border window reads.
constexpr uint32_t fsSizing = 0x1;             // a size change of the form is under way
constexpr uint32_t fsSnapshotStates = 0x1180;  // blend on moving, minimising, skin-change cover
constexpr uint32_t fsHideImage = 0x200;        // the hide image is prepared
constexpr uint32_t fsInNCActivate = 0x8000;

// The border window: a tool window, layered, never activated.
constexpr LONG_PTR BorderExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;
constexpr UINT BaseFlags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
constexpr UINT RaiseFlags = SWP_NOSIZE | SWP_NOMOVE | BaseFlags;
constexpr UINT ShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;

// The cursor of a frame's hit code; none for a code without one.
LPCWSTR CursorOf(int Code)
{
    switch (Code) {
    case HTCAPTION:
    case HTMENU:
        return IDC_ARROW;
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return nullptr;
    }
}


LONG_PTR ExStyleOf(HWND Wnd) { return GetWindowLongPtrW(Wnd, GWL_EXSTYLE); }

}  // namespace

TacBorderForm::TacBorderForm(TsSkinProvider* Owner) : sp(Owner), SkinData(Owner->SkinData())
{
    // The title buttons move onto the border window: hover animations made before measured
    // against the form's window.
    sp->KillAnimations();
    CreateNewForm();
}

TacBorderForm::~TacBorderForm()
{
    sp->KillAnimations();
    FreeBorderWindow();
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TacBorderForm::SkinTitleHeight() const
{
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    return manager && manager->SkinData ? manager->SkinData->ExTitleHeight : 0;
}

int TacBorderForm::SkinBorderWidth() const
{
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    return manager && manager->SkinData ? manager->SkinData->ExBorderWidth : 0;
}

int TacBorderForm::CaptionHeight(bool CheckSkin) const { return sp->CaptionHeight(CheckSkin); }

HWND TacBorderForm::OwnerHandle() const
{
    return sp->Form && sp->Form->HandleAllocated() ? sp->Form->Handle() : nullptr;
}

int TacBorderForm::OffsetX() const
{
    return skin::SkinBorderWidth(this) + ShadowSize().left - SysBorderWidth(OwnerHandle(), this, false);
}

int TacBorderForm::OffsetY() const
{
    const int caption = CaptionHeight(false);
    return ShadowSize().top + (caption != 0 ? skin::SkinTitleHeight(this) : 0) -
           SysBorderWidth(OwnerHandle(), this, false) - caption;
}

TRect TacBorderForm::ShadowSize() const
{
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    return manager ? manager->FormShadowSize : TRect();
}

uint32_t TacBorderForm::FormState() const { return sp->FormState; }

// ---------------------------------------------------------------------------------------------
// The border window

void TacBorderForm::CreateNewForm()
{
    AForm = vcl::Create<vcl::TForm>(nullptr);
    AForm->SetTag(-98);
    AForm->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
    const HWND wnd = AForm->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, BorderExStyle);
    // The form's own owner, not the form: a window stays above its owner, and the border window
    // must sit right behind the form.
    const HWND owner = OwnerHandle() ? GetWindow(OwnerHandle(), GW_OWNER) : nullptr;
    ParentHandle = reinterpret_cast<HWND>(SetWindowLongPtrW(wnd, GWLP_HWNDPARENT, LONG_PTR(owner)));
    OldBorderProc = AForm->WindowProc();
    AForm->SetWindowProc(vcl::TWndMethod(this, &TacBorderForm::BorderProc));
}

void TacBorderForm::FreeBorderWindow()
{
    if (!AForm)
        return;
    AForm->SetWindowProc(OldBorderProc);
    AForm->Free();
    AForm = nullptr;
}

vcl::TForm* TacBorderForm::ReleaseBorderWindow()
{
    if (!AForm)
        CreateNewForm();
    vcl::TForm* window = AForm;
    SetWindowLongPtrW(window->Handle(), GWLP_HWNDPARENT, LONG_PTR(ParentHandle));
    window->SetWindowProc(OldBorderProc);
    AForm = nullptr;
    return window;
}

TPoint TacBorderForm::WindowOrigin() const { return WindowRectOf(AForm->Handle()).TopLeft(); }

TRect TacBorderForm::ClientHole(int NewWidth, int NewHeight) const
{
    vcl::TCustomForm* form = sp->Form;
    const int left = sp->OffsetX();
    int top = sp->OffsetY();
    int width = form->ClientWidth(), height = form->ClientHeight();
    const bool showing = form->FormState().Contains(vcl::TFormStateItem::fsShowing);
    if (!(FormState() & fsSizing) || showing) {
        // The skinned scroll bars lie in the form's own window, beside and below its client area.
        width += sp->VertScrollWidth();
        height += sp->HorzScrollHeight();
    } else {
        // While the form is sized, its client area is not known yet: the last one, or the one the
        // new size gives.
        const TRect& last = sp->LastClientRect;
        const vcl::TSizeConstraints* limits = form->Constraints();
        if (last.right < width)
            width = last.right;
        else if (NewWidth != 0 && NewWidth > limits->MinWidth())
            width += NewWidth - form->Width();
        if (last.bottom < height)
            height = last.bottom;
        else if (NewHeight != 0 && NewHeight > limits->MinHeight())
            height += NewHeight - form->Height();
    }
    // The menu line is the form's own window's to paint: it belongs to the hole.
    if (sp->MenuPresent() && !(FormState() & fsInNCActivate))
        top -= sp->GetLinesCount() * sp->MenuHeight();
    return TRect(left, top, left + width, sp->OffsetY() + height);
}

HRGN TacBorderForm::MakeRgn(int NewWidth, int NewHeight)
{
    if (!AForm)
        return nullptr;
    const HWND owner = OwnerHandle();
    const TRect s = ShadowSize();
    const int w = AForm->Width(), h = AForm->Height();
    const bool zoomed = owner && IsZoomed(owner);
    TRect outline(0, 0, w, h);
    if (zoomed) {
        // A maximised form's frame reaches over the screen's edges: only the part on it shows.
        const int d = SysBorderWidth(owner, this, false) + DiffBorder(this);
        outline = TRect(d + s.left, s.top + 4, w - d - s.right, h - d - s.bottom);
    }
    const uint32_t state = FormState();
    if (state & (fsSnapshotStates | fsHideImage))
        return zoomed ? CreateRectRgn(outline.left, outline.top, outline.right, outline.bottom) : nullptr;
    const HRGN region = CreateRectRgn(outline.left, outline.top, outline.right, outline.bottom);
    const TRect hole = ClientHole(NewWidth, NewHeight);
    const HRGN holeRegion = CreateRectRgn(hole.left, hole.top, hole.right, hole.bottom);
    CombineRgn(region, region, holeRegion, RGN_XOR);
    DeleteObject(holeRegion);
    return region;
}

void TacBorderForm::UpdateRgn()
{
    if (!ResetRgn || !AForm)
        return;
    ResetRgn = false;
    SetWindowRgn(AForm->Handle(), MakeRgn(0, 0), FALSE);
}

void TacBorderForm::UpdateExBordersPos(bool Redraw, uint8_t Blend)
{
    if ((vcl::Application && vcl::Application->Terminated()) || ExBorderShowing)
        return;
    const HWND owner = OwnerHandle();
    RECT windowRect{};
    if (!owner || !GetWindowRect(owner, &windowRect) || SkinData->PrintDC || InAnimationProcess)
        return;
    if (!AForm)
        CreateNewForm();
    vcl::TCustomForm* form = sp->Form;
    if ((SkinData->CtrlSkinState & cssBatch) || InAnimation(sp) || SkinData->FUpdating || !sp->DrawNonClientArea() ||
        (vcl::Screen && vcl::Screen->AlignLevel() == 1))
        return;
    if (ComponentDestroying(sp) || ComponentDestroying(form)) {
        sp->InitExBorders(false);  // frees this object
        return;
    }
    const uint32_t state = FormState();
    if (!IsWindowVisible(owner) && (state == 0 || state == fsInNCActivate)) {
        FreeBorderWindow();
        SkinData->BGChanged = true;
        return;
    }
    ExBorderShowing = true;
    const vcl::TScopeExit done([this] { ExBorderShowing = false; });

    // Where the border window goes in z-order: right behind the form, or among the topmost windows.
    HWND insertAfter = owner;
    const bool topmost = ExStyleOf(owner) & WS_EX_TOPMOST;
    if (form->FormStyle() == vcl::TFormStyle::fsStayOnTop) {
        if (GetActiveWindow() == owner)
            SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, RaiseFlags);
        insertAfter = nullptr;
    } else if (topmost) {
        SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, RaiseFlags);
        insertAfter = HWND_TOPMOST;
    }

    // The picture: a complete snapshot while an animation or a skin change shows it whole.
    if ((state & fsSnapshotStates) || aSkinChanging) {
        if (SkinData->BGChanged)
            sp->PaintAll();
        Redraw = true;
        SkinData->FCacheBmp = GetFormImage(sp, true);
    } else if (SkinData->BGChanged) {
        sp->PaintAll();
        Redraw = true;
    }
    vcl::TBitmap* cache = SkinData->FCacheBmp.get();
    if (!cache)
        return;

    const int dy = sp->FSysExHeight ? ShadowSize().top + DiffTitle(this) + 4 : OffsetY();
    const TPoint pos(windowRect.left - OffsetX(), windowRect.top - dy);
    const bool sizing = state & fsSizing;
    if (!insertAfter)
        insertAfter = IsIconic(owner) || sizing ? GetWindow(owner, GW_HWNDPREV) : owner;
    UINT flags = BaseFlags | (sizing ? SWP_NOZORDER : 0);
    const bool sizeDiffers = cache->Width() != AForm->Width() || cache->Height() != AForm->Height();
    const bool changed = Redraw || sizeDiffers;
    if (!changed)
        flags |= SWP_NOSIZE;
    if (!Redraw)
        flags |= SWP_NOREDRAW;
    const HWND wnd = AForm->Handle();
    if (!acLayered() || !changed || acInMouseMsg) {
        SetWindowPos(wnd, insertAfter, pos.x, pos.y, 0, 0, flags | SWP_NOSIZE);
        return;
    }
    if (sizeDiffers)
        AForm->SetBounds(pos.x, pos.y, cache->Width(), cache->Height());
    if (IsZoomed(owner))
        AForm->SetHeight(cache->Height());
    SetBlurBehind(wnd, false, nullptr);
    if (state & TsSkinProvider::fsBlendOnMoving)
        SetWindowRgn(wnd, MakeRgn(0, 0), FALSE);
    SetFormBlendValue(wnd, cache, form->AlphaBlend() ? form->AlphaBlendValue() : Blend, &pos);
    if ((state & fsSnapshotStates) != TsSkinProvider::fsBlendOnMoving)
        SetWindowRgn(wnd, MakeRgn(0, 0), FALSE);
    if (IsWindowVisible(wnd)) {
        SetWindowPos(wnd, insertAfter, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE);
        return;
    }
    // Shown at opacity 0 the form must not flash: it is taken for hidden meanwhile.
    const LONG_PTR style = GetWindowLongPtrW(owner, GWL_STYLE);
    if (Blend == 0)
        SetWindowLongPtrW(owner, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    SetWindowPos(wnd, insertAfter, 0, 0, 0, 0, ShowFlags);
    if (Blend == 0)
        SetWindowLongPtrW(owner, GWL_STYLE, style);
}

// ---------------------------------------------------------------------------------------------
// The mouse

TBorderHitLayout TacBorderForm::ShadowLayout() const
{
    const HWND owner = OwnerHandle();
    TBorderHitLayout layout;
    layout.Size = vcl::TSize(AForm->Width(), AForm->Height());
    layout.Shadow = ShadowSize();
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    layout.ShadowOffs = manager && manager->SkinData ? manager->SkinData->ExShadowOffs : 0;
    layout.BorderWidth = SysBorderWidth(owner, this, false);
    layout.Zoomed = owner && IsZoomed(owner);
    return layout;
}

TBorderHitLayout TacBorderForm::HitLayout() const
{
    const HWND owner = OwnerHandle();
    TBorderHitLayout layout = ShadowLayout();
    layout.Sizing = HasSizingFrame(owner);
    layout.OwnerEnabled = IsWindowEnabled(owner);
    layout.CaptionBottom = SysBorderHeight(owner, this, true) + CaptionHeight(true) + layout.Shadow.top;
    layout.MenuBottom = layout.CaptionBottom + (sp->MenuPresent() ? sp->GetLinesCount() * sp->MenuHeight() : 0);
    layout.Title = sp->HitLayout();
    // The box between the form's scroll bars, taken from the form's window to this one.
    const TPoint form = WindowRectOf(owner).TopLeft() - WindowOrigin();
    layout.Title.ScrollCorner.Offset(form.x, form.y);
    if (sp->SystemMenu) {
        sp->FillTitleButtons(layout.Title);
        layout.Title.HaveSysMenu = true;
        layout.Title.VisibleClose = sp->SystemMenu->VisibleClose();
    }
    return layout;
}

TPoint TacBorderForm::MessagePoint(const TMessage& Message) const
{
    const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    return Message.Msg == WM_MOUSEMOVE ? p : p - WindowOrigin();
}

int TacBorderForm::Ex_WMNCHitTest(TMessage& Message)
{
    if (sp->OnExtHitTest()) {
        Message.Result = 0;
        sp->OnExtHitTest()(Message);
        if (Message.Result != 0)
            return int(Message.Result);
    }
    const TPoint p = TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)) - WindowOrigin();
    return BorderHitTest(HitLayout(), p);
}

bool TacBorderForm::MouseAboveTheShadow(const TMessage& Message)
{
    UpdateRgn();
    const TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    if (!vcl::Application || ComponentDestroying(vcl::Application) || !AForm || !manager || !manager->Active())
        return false;
    if (!AboveTheShadow(ShadowLayout(), MessagePoint(Message)))
        return false;
    sp->SetHotHT(-1, true);
    return true;
}

bool TacBorderForm::Ex_WMSetCursor(TMessage& Message)
{
    const TPoint cursor = acMousePos();
    TMessage hitTest;
    hitTest.Msg = WM_NCHITTEST;
    hitTest.LParam = MAKELPARAM(cursor.x, cursor.y);
    const int code = Ex_WMNCHitTest(hitTest);
    Message.LParam = MAKELPARAM(WORD(code), HIWORD(Message.LParam));
    if (MouseAboveTheShadow(hitTest))
        return false;
    const LPCWSTR cursorName = CursorOf(code);
    if (!cursorName)
        return false;
    SetCursor(LoadCursorW(nullptr, cursorName));
    return true;
}

LRESULT TacBorderForm::Forward(const TMessage& Message, WPARAM WParam) const
{
    return SendMessageW(OwnerHandle(), Message.Msg, WParam, Message.LParam);
}

void TacBorderForm::CutMouseHole(const TMessage& Message)
{
    acInMouseMsg = true;
    const TRect whole(0, 0, AForm->Width(), AForm->Height());
    HRGN region = MakeRgn(0, 0);
    if (!region)
        region = CreateRectRgn(whole.left, whole.top, whole.right, whole.bottom);
    const TPoint p = MessagePoint(Message);
    const HRGN pixel = CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1);
    CombineRgn(region, region, pixel, RGN_XOR);
    DeleteObject(pixel);
    if (ComponentDestroying(sp->Form))
        DeleteObject(region);
    else
        SetWindowRgn(AForm->Handle(), region, FALSE);
    ResetRgn = true;
    acInMouseMsg = false;
}

// ---------------------------------------------------------------------------------------------
// The window procedure

bool TacBorderForm::HideWithImage(TMessage& Message)
{
    const TsSkinManager* manager = SkinData->SkinManager();
    vcl::TCustomForm* form = sp->Form;
    if (!acLayered() || InAnimationProcess || !vcl::Application || !vcl::Application->MainFormOnTaskBar() ||
        !sp->DrawNonClientArea() || form != vcl::Application->MainForm() || Message.WParam != 0 || Message.LParam > 1)
        return false;
    if (FormState() & TsSkinProvider::fsMinimizing) {
        Message.Result = 0;
        return true;
    }
    if (FormState() & fsHideImage)
        return true;
    const TacFormHide* hide = manager ? manager->AnimEffects()->FormHide() : nullptr;
    if (!sp->AllowAnimation() || !hide || !hide->Active() || hide->Time() == 0 ||
        manager->ShowState == TShowAction::saMinimize)
        return false;
    // The form's last picture stays on the border window while the hide animation runs.
    sp->FormState |= fsHideImage;
    SkinData->FCacheBmp = GetFormImage(sp, true);
    ExBorderShowing = true;
    const HWND wnd = AForm->Handle();
    SetFormBlendValue(wnd, SkinData->FCacheBmp.get(), form->AlphaBlend() ? form->AlphaBlendValue() : 255);
    SetWindowRgn(wnd, MakeRgn(0, 0), FALSE);
    SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, ShowFlags | SWP_NOREDRAW | SWP_NOSENDCHANGING);
    return true;
}

void TacBorderForm::SnapWhileBlending(TMessage& Message)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    const HWND owner = OwnerHandle();
    if (sp->ScreenSnap() && !IsZoomed(owner) && (pos->x != 0 || pos->y != 0)) {
        // The frame, not the shadow, snaps to the work area's edges.
        const TBorderHitLayout layout = ShadowLayout();
        const TRect s = layout.Shadow;
        const int e = layout.ShadowOffs, buffer = sp->SnapBuffer();
        const TRect work = acWorkRect(AForm);
        pos->x = SnapToEdge(pos->x, work.right, layout.Size.cx - s.right + e, buffer);
        pos->y = SnapToEdge(pos->y, work.bottom, layout.Size.cy - s.bottom + e, buffer);
        pos->x = SnapToEdge(pos->x, work.left, s.left - e, buffer);
        pos->y = SnapToEdge(pos->y, work.top, s.top - e, buffer);
    }
    OldBorderProc(Message);
    LastTopLeft = WindowOrigin();
}

void TacBorderForm::KeepStayOnTopOrder()
{
    vcl::TCustomForm* form = sp->Form;
    if (ComponentDestroying(sp) || form->FormStyle() != vcl::TFormStyle::fsStayOnTop || !AForm ||
        ComponentDestroying(AForm))
        return;
    const HWND owner = OwnerHandle();
    const bool activeMain = vcl::Application && form == vcl::Application->MainForm() && GetActiveWindow() == owner;
    SetWindowPos(AForm->Handle(), AeroIsEnabled() && activeMain ? HWND_TOPMOST : owner, 0, 0, 0, 0,
                 ShowFlags | SWP_NOREDRAW | SWP_NOSENDCHANGING);
}

void TacBorderForm::NCLButtonDown(TMessage& Message)
{
    ExBorderShowing = false;
    const int code = Ex_WMNCHitTest(Message);
    const HWND owner = OwnerHandle();
    const TsSkinManager* manager = SkinData->SkinManager();
    if (code == HTCAPTION && manager) {
        const TacBlendOnMoving* effect = manager->AnimEffects()->BlendOnMoving();
        if (effect->Active() && !IsZoomed(owner) && !IsIconic(owner) &&
            (!AeroIsEnabled() || (effect->BlendValue() != 255 && sp->AllowBlendOnMoving()))) {
            StartBlendOnMoving(sp);
            return;
        }
    }
    // The form finds the code itself; a press on the icon drops the system menu.
    Message.Result = Forward(Message, code == HTSYSMENU ? WPARAM(HTSYSMENU) : WPARAM(-1));
}

void TacBorderForm::NCLButtonDblClk(TMessage& Message)
{
    if (sp->ResizeMode() == TsResizeMode::rmBorder && OutlineDrag.InProcess)
        sp->StopMove(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    const int code = Ex_WMNCHitTest(Message);
    const HWND owner = OwnerHandle();
    TsSystemMenu* menu = sp->SystemMenu.get();
    if (code == HTCAPTION) {
        const bool iconic = IsIconic(owner);
        const bool canSize = menu && (menu->EnabledMax() || menu->EnabledRestore());
        if (canSize || (!HaveBorder(sp) && iconic))
            SendMessageW(owner, WM_SYSCOMMAND, IsZoomed(owner) || iconic ? SC_RESTORE : SC_MAXIMIZE, 0);
        else if (iconic)
            SendMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (menu)
            menu->UpdateItems(false);
    } else if (code == HTSYSMENU) {
        SendMessageW(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (sp->Form->BorderStyle() == vcl::TFormBorderStyle::bsSizeable) {
        if (code == HTLEFT || code == HTRIGHT)
            StretchWidth();
        else if (code == HTTOP || code == HTBOTTOM)
            StretchHeight();
    }
}

void TacBorderForm::StretchWidth()
{
    vcl::TCustomForm* form = sp->Form;
    TRect& saved = sp->NormalBounds;
    if (sp->FormState & TsSkinProvider::fsStretchedWidth) {
        sp->FormState &= ~TsSkinProvider::fsStretchedWidth;
        form->SetBounds(saved.left, form->Top(), saved.right, form->Height());
        return;
    }
    saved.left = form->Left();
    saved.right = form->Width();
    const TRect work = acWorkRect(form);
    const int d = DiffBorder(this);
    form->SetBounds(work.left + d, form->Top(), work.Width() - 2 * d, form->Height());
    // Set once the form stands stretched: its first move from now on gives the saved size back.
    sp->FormState |= TsSkinProvider::fsStretchedWidth;
}

void TacBorderForm::StretchHeight()
{
    vcl::TCustomForm* form = sp->Form;
    TRect& saved = sp->NormalBounds;
    if (sp->FormState & TsSkinProvider::fsStretchedHeight) {
        sp->FormState &= ~TsSkinProvider::fsStretchedHeight;
        form->SetBounds(form->Left(), saved.top, form->Width(), saved.bottom);
        return;
    }
    saved.top = form->Top();
    saved.bottom = form->Height();
    const TRect work = acWorkRect(form);
    const int title = DiffTitle(this);
    form->SetBounds(form->Left(), work.top + title, form->Width(), work.Height() - title - DiffBorder(this));
    sp->FormState |= TsSkinProvider::fsStretchedHeight;
}

void TacBorderForm::BorderProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        return;
    case WM_SHOWWINDOW:
        if (!HideWithImage(Message))
            OldBorderProc(Message);
        return;
    case WM_SETCURSOR:
        if (!Ex_WMSetCursor(Message))
            OldBorderProc(Message);
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        if (sp->Form->Enabled())
            SetForegroundWindow(OwnerHandle());
        return;
    case WM_WINDOWPOSCHANGING:
        if (FormState() & TsSkinProvider::fsBlendOnMoving)
            SnapWhileBlending(Message);
        else
            OldBorderProc(Message);
        return;
    case WM_WINDOWPOSCHANGED:
        sp->KillAnimations();
        OldBorderProc(Message);
        KeepStayOnTopOrder();
        return;
    case WM_NCHITTEST:
        OldBorderProc(Message);
        // Over the frame the border window answers as an object, so that it gets the non-client
        // mouse messages; over the shadow it keeps the default answer.
        if (!MouseAboveTheShadow(Message))
            Message.Result = HTOBJECT;
        return;
    case WM_NCMOUSEMOVE: {
        const int code = Ex_WMNCHitTest(Message);
        Message.Result = code;
        sp->SetHotHT(IsButtonHT(code) ? code : 0, true);
        return;
    }
    case WM_NCLBUTTONDOWN:
        if (!MouseAboveTheShadow(Message))
            NCLButtonDown(Message);
        return;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        if (!MouseAboveTheShadow(Message))
            Message.Result = Forward(Message, WPARAM(-1));
        return;
    case WM_NCRBUTTONDOWN:
        if (!MouseAboveTheShadow(Message))
            Message.Result = Forward(Message, WPARAM(Ex_WMNCHitTest(Message)));
        return;
    case WM_NCLBUTTONDBLCLK:
        NCLButtonDblClk(Message);
        return;
    default:
        if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK) {
            // Over the shadow the next mouse message at this point goes to the window below.
            if (MouseAboveTheShadow(Message))
                CutMouseHole(Message);
            return;
        }
        OldBorderProc(Message);
    }
}

TacBorderForm* BorderWindowOf(TsSkinProvider* Provider) { return dynamic_cast<TacBorderForm*>(Provider->BorderForm.get()); }

}  // namespace skin
