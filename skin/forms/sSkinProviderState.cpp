// The messages that change a skinned form's window state: sizing, showing and hiding, moving with
// the screen snap, the frame's painting and activation. They keep the provider's cache, region and
// caption in step with the form.
#include <windowsx.h>

#include <cstdlib>
#include <utility>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderAnimation.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

namespace {

bool ClientSmaller(const TRect& A, const TRect& B) { return A.Width() < B.Width() || A.Height() < B.Height(); }

// The rectangle of one image of the mask with its bottom-right corner (Top false) or top-right
// corner (Top true) at the corner of Client.
TRect ImageAtRight(const TsMaskData& Mask, const TRect& Client, bool Top)
{
    const int w = WidthOfImage(Mask), h = HeightOfImage(Mask);
    const int top = Top ? Client.top : Client.bottom - h;
    return TRect(Client.right - w, top, Client.right, top + h);
}

void SetRedraw(HWND Wnd, bool Redraw) { SendMessageW(Wnd, WM_SETREDRAW, Redraw ? 1 : 0, 0); }

// The main form lies minimised on the taskbar while another form activates.
bool MainFormMinimizedToTaskBar(vcl::TCustomForm* Form)
{
    vcl::TCustomForm* mainForm = vcl::Application ? vcl::Application->MainForm() : nullptr;
    return mainForm && mainForm != Form && vcl::Application->MainFormOnTaskBar() && mainForm->HandleAllocated() &&
           IsIconic(mainForm->Handle());
}

// The hide animation plays over the border window: it keeps the window until it is over.
bool HideAnimationPlays(TsSkinManager* Manager, bool AllowAnimation)
{
    const TacFormHide* hide = Manager ? Manager->AnimEffects()->FormHide() : nullptr;
    return AllowAnimation && hide && hide->Active() && hide->Time() / 12 != 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Screen snap

int SnapToEdge(int P, int E, int Extra, int Buffer) { return std::abs(P + Extra - E) < Buffer ? E - Extra : P; }

vcl::TPoint SnapToWorkArea(vcl::TPoint Pos, vcl::TSize Size, const TRect& WorkArea, int Margin, int TopMargin,
                           int Buffer)
{
    Pos.x = SnapToEdge(Pos.x, WorkArea.right, Size.cx + Margin, Buffer);
    Pos.y = SnapToEdge(Pos.y, WorkArea.bottom, Size.cy + Margin, Buffer);
    Pos.x = SnapToEdge(Pos.x, WorkArea.left, -Margin, Buffer);
    Pos.y = SnapToEdge(Pos.y, WorkArea.top, -TopMargin, Buffer);
    return Pos;
}

// ---------------------------------------------------------------------------------------------
// Sizing

void TsSkinProvider::WMSize(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (data.FUpdating) {
        data.BGChanged = true;
        OldWndProc(Message);
        return;
    }
    const TRect client(0, 0, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    InvalidateGrip(client);
    if (ClientSmaller(client, LastClientRect) || LastClientRect.IsEmpty())
        InvalidateRightCorners();
    FGlow1.reset();
    FGlow2.reset();
    FLinesCount = -1;
    if (FormState & fsBlendOnMoving)
        FinishBlendOnMoving(this);
    if (Form->Parent()) {
        OldWndProc(Message);
    } else {
        const TFlagScope updating(data.FUpdating);
        OldWndProc(Message);
    }
    if (!InAnimationProcess && Form->Showing()) {
        if (FormChanged() && !(IsIconic(Form->Handle()) && AeroIsEnabled())) {
            RgnChanged = true;
            data.BGChanged = true;
            const vcl::TBitmap* cache = IsCached(data) ? data.FCacheBmp.get() : nullptr;
            const bool cacheLarger = cache && (cache->Width() > Form->Width() || cache->Height() > Form->Height());
            if (FDrawNonClientArea) {
                if (BorderForm)
                    SizeBorderWindow();
                else
                    RepaintNC();
            }
            if (!data.FUpdating) {
                const bool heightChanged = client.Height() != LastClientRect.Height();
                const bool widthChanged = client.Width() != LastClientRect.Width();
                if ((data.BGType & bgtHeight && heightChanged) || (data.BGType & bgtWidth && widthChanged)) {
                    vcl::TMessage moved = MakeSkinMessage(scmdMarkIfMoved, 0, 1);
                    AlphaBroadCast(Form, moved);
                }
                if (BorderForm && !ScrollBarsShown())
                    PlaceBorderWindowAfterSize();
                else
                    RedrawWindow(Form->Handle(), nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_NOFRAME);
                SetParentUpdated(Form);
                if (!FDrawNonClientArea && cacheLarger)
                    InvalidateRect(Form->Handle(), nullptr, FALSE);
            }
        } else {
            SizeUnchangedMDI(Message.WParam);
        }
    } else if (!Form->Showing()) {
        data.BGChanged = true;
    }
    LastClientRect = client;
}

void TsSkinProvider::InvalidateGrip(const TRect& NewClient)
{
    TsSkinManager* manager = Manager();
    if (!IsGripVisible(this) || !manager || !manager->IsValidImgIndex(manager->ConstData.GripRightBottom))
        return;
    const TsMaskData& grip = manager->ma[size_t(manager->ConstData.GripRightBottom)];
    const bool cached = IsCached(*FCommonData);
    const bool grew = NewClient.Width() > LastClientRect.Width() || NewClient.Height() > LastClientRect.Height();
    if (grew && !cached && !LastClientRect.IsEmpty()) {
        const RECT r = ImageAtRight(grip, LastClientRect, false);
        InvalidateRect(Form->Handle(), &r, TRUE);
    }
    if (ClientSmaller(NewClient, LastClientRect)) {
        const RECT r = ImageAtRight(grip, NewClient, false);
        InvalidateRect(Form->Handle(), &r, !cached);
    }
}

// The corner images sit at the client area's right edge; where it moved in, their old places are
// painted again.
void TsSkinProvider::InvalidateRightCorners()
{
    TsSkinManager* manager = Manager();
    if (!manager || !FCommonData->Skinned())
        return;
    const TsGeneralData& section = FCommonData->Section();
    const bool erase = !IsCached(*FCommonData);
    for (const auto& [mask, top] : {std::pair{section.ImgTR, true}, std::pair{section.ImgBR, false}}) {
        if (!manager->IsValidImgIndex(mask))
            continue;
        const RECT r = ImageAtRight(manager->ma[size_t(mask)], LastClientRect, top);
        InvalidateRect(Form->Handle(), &r, erase);
    }
}

// ---------------------------------------------------------------------------------------------
// Showing and hiding

void TsSkinProvider::WMShowWindow(TMessage& Message)
{
    const bool mdiChild = Form->FormStyle() == vcl::TFormStyle::fsMDIChild;
    const bool showing = Message.WParam == 1;
    if (!mdiChild) {
        if (showing) {
            if (TacBorderForm* border = BorderWindowOf(this))
                border->ExBorderShowing = false;
            FormState &= fsKeptOnShow;
            if (AeroIsEnabled() && !InAnimationProcess &&
                !(GetWindowLongPtrW(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED))
                RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        }
        if (Message.LParam == SW_PARENTCLOSING && ShowAction != TShowAction::saIgnore)
            ShowAction = IsIconic(Form->Handle())   ? TShowAction::saMinimize
                         : IsZoomed(Form->Handle()) ? TShowAction::saMaximize
                                                    : TShowAction::saRestore;
        // The minimise animation brings the main form back itself.
        if (Message.LParam == SW_PARENTOPENING && vcl::Application && Form == vcl::Application->MainForm() &&
            Manager() && Manager()->AnimEffects()->Minimizing()->Active()) {
            OldWndProc(Message);
            return;
        }
    }
    OldWndProc(Message);
    if (showing && Form->Parent() && !mdiChild) {
        FCommonData->CtrlSkinState &= uint16_t(~cssNoCache);
        FCommonData->BGChanged = true;
    }
    if (!showing)
        return;
    if (mdiChild && Form->WindowState() == vcl::TWindowState::wsMaximized && MDISkinProvider)
        MDISkinProvider->RepaintMenu();
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
        AdoptMDIChildren();
}

void TsSkinProvider::SizeUnchangedMDI(WPARAM SizeType)
{
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm && IsCached(*FCommonData))
        RepaintNC();
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild && Form->WindowState() == vcl::TWindowState::wsMaximized &&
        SizeType == SIZE_MAXIMIZED && MDISkinProvider) {
        MDISkinProvider->SkinData()->BGChanged = true;
        MDISkinProvider->MenuChanged = true;
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
    }
}

void TsSkinProvider::CMShowingChanged(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (!FDrawNonClientArea) {
        const bool aero = AeroIsEnabled();
        if (aero)
            SetRedraw(Form->Handle(), true);
        OldWndProc(Message);
        data.FUpdating = false;
        if (aero)
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    if (!Form->Showing() || Form->FormStyle() == vcl::TFormStyle::fsMDIChild) {
        if (!Form->Showing() && !HideAnimationPlays(Manager(), FAllowAnimation))
            FreeBorderWindowForm();
        OldWndProc(Message);
        return;
    }
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm)
        HookMDI(true);
    FormState &= ~fsExitAnimation;
    if (TacBorderForm* border = BorderWindowOf(this))
        border->ExBorderShowing = false;
    if (acPreviewRequested && Form->HandleAllocated())
        SendPreviewHandle(Form->Handle());
    if (dynamic_cast<TacMinTimer*>(FormTimer)) {
        FormTimer->Free();
        FormTimer = nullptr;
    }
    TryInitMenu();
    if (Adapter)
        Adapter->AddAllItems(Form);
    fAnimating = ShowAnimationWanted();
    TShowAnimation show;
    if (fAnimating)
        show = BeginShowAnimation(this);
    else
        data.FUpdating = false;
    InitExBorders(Manager()->GetExtendedBorders());
    OldWndProc(Message);
    if (data.Skinned(false) || !fAnimating) {
        RefreshFormScrolls(this);
        if (fAnimating)
            EndShowAnimation(this, show);
        else
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    } else {
        // The skin went while the form was being shown: it appears plainly.
        AbandonShowAnimation(this);
    }
    RgnChanging = false;
}

bool TsSkinProvider::ShowAnimationWanted()
{
    const TacFormShow* show = Manager() ? Manager()->AnimEffects()->FormShow() : nullptr;
    return FAllowAnimation && (Form->FormStyle() == vcl::TFormStyle::fsMDIChild || !Form->Parent()) && show &&
           show->Active() && !(Form->HandleAllocated() && Form->Handle() == acPreviewHandle);
}

// ---------------------------------------------------------------------------------------------
// Moving

void TsSkinProvider::WMWindowPosChanging(TMessage& Message)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    const bool loading = Form->ComponentState().Contains(vcl::TComponentStateItem::csLoading);
    const bool moves = !RgnChanging && !loading && pos && !IsZoomed(Form->Handle()) && !(pos->flags & SWP_NOMOVE) &&
                       (pos->x != 0 || pos->y != 0);
    if (moves && FScreenSnap && Form->Showing()) {
        const vcl::TPoint snapped =
            SnapToWorkArea(vcl::TPoint(pos->x, pos->y), vcl::TSize(Form->Width(), Form->Height()), acWorkRect(Form),
                           SnapMargin(), SnapTopMargin(), FSnapBuffer);
        pos->x = snapped.x;
        pos->y = snapped.y;
    }
    if (moves && (pos->x != Form->Left() || pos->y != Form->Top()) && UndoStretch(*pos)) {
        Message.Result = 0;
        return;
    }
    if (!RgnChanging && !loading && pos && (pos->flags & SWP_HIDEWINDOW) && HideCoverWanted())
        CoverFormForHide(this);
    else if (!RgnChanging && !loading && pos && AnimationsApply())
        ShrinkBorderWindow(*pos);
    OldWndProc(Message);
}

bool TsSkinProvider::AnimationsApply() const
{
    return Manager() && acLayered() && FDrawNonClientArea && !SkipAnimation;
}

bool TsSkinProvider::HideCoverWanted()
{
    const HWND handle = Form->Handle();
    const TacFormHide* hide = AnimationsApply() ? Manager()->AnimEffects()->FormHide() : nullptr;
    return hide && FCommonData->FCacheBmp && !IsIconic(handle) && Manager()->ShowState != TShowAction::saMinimize &&
           FAllowAnimation && hide->Active() && hide->Time() != 0 && !(FormState & fsExitAnimation) &&
           Form->FormStyle() != vcl::TFormStyle::fsMDIChild;
}

void TsSkinProvider::WMWindowPosChanged(TMessage& Message)
{
    if (Manager() && acLayered() && FDrawNonClientArea)
        UpdateSysExHeight();
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (pos && (pos->flags & SWP_HIDEWINDOW) && AnimationsApply() && FCommonData->FCacheBmp &&
        !IsIconic(Form->Handle())) {
        const bool mainForm = vcl::Application && Form == vcl::Application->MainForm();
        if (Manager()->ShowState == TShowAction::saMinimize) {
            if (!mainForm)
                FreeBorderWindowForm();
            OldWndProc(Message);
            if (mainForm && Manager()->AnimEffects()->Minimizing()->Active())
                fAnimating = false;
            return;
        }
        const TacFormHide* hide = Manager()->AnimEffects()->FormHide();
        if (FAllowAnimation && hide->Active() && !Form->Parent() &&
            Form->FormStyle() != vcl::TFormStyle::fsMDIChild) {
            HideFormAnimated(this, Message);
            return;
        }
    }
    OldWndProc(Message);
    if (pos)
        FollowWithBorderWindow(*pos);
}

// ---------------------------------------------------------------------------------------------
// The frame and activation

void TsSkinProvider::WMNCPaint(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (!SystemMenu)
        PrepareForm();
    // A menu line whose menu is not on the window yet would be painted without its items.
    const bool menuWithoutWindow = MenuHeight() > 0 && !Form->Menu()->WindowHandle();
    if (FDrawNonClientArea &&
        ((data.CtrlSkinState & (cssBatch | cssMenuChanged)) || menuWithoutWindow || (FormState & fsExitAnimation)))
        return;
    if (RTInit) {
        RTInit = false;
        LoadInit();
    }
    if (Form->Parent()) {
        data.FUpdating = data.GetUpdating();
        if (data.FUpdating)
            return;
    }
    if (!FDrawNonClientArea || (Form->FormStyle() == vcl::TFormStyle::fsMDIChild && InAnimationProcess)) {
        OldWndProc(Message);
        return;
    }
    if (Form->HandleAllocated() && IsIconic(Form->Handle()))
        data.BGChanged = true;
    if (fAnimating || !Form->Showing() || Loading() ||
        Form->ControlState().Contains(vcl::TControlStateItem::csDestroyingHandle) || !SystemMenu)
        return;
    if (!Adapter)
        AdapterCreate();
    if (!data.FCacheBmp)
        InitExBorders(Manager()->GetExtendedBorders());
    AC_WMNCPaint();
    Message.Result = 0;
}

void TsSkinProvider::WMNCActivate(TMessage& Message)
{
    TsCommonData& data = *FCommonData;
    if (ComponentDestroying(this) || !FDrawNonClientArea || !Form->HandleAllocated()) {
        OldWndProc(Message);
        return;
    }
    const HWND handle = Form->Handle();
    const bool active = Message.WParam != 0;
    if (!SystemMenu)
        PrepareForm();
    FormState |= fsInNCActivate;
    if (!(FormState & fsBlendOnMoving))
        FormActive = active;
    if (FormActive || ShowAction != TShowAction::saMaximize) {
        data.FUpdating = ShowAction == TShowAction::saMaximize && !BorderForm;
        if (!data.FUpdating)
            data.BGChanged = true;
    } else {
        ShowAction = TShowAction::saIgnore;
    }
    if (Form->Showing() && Form->Visible()) {
        if (active != FormActive)
            data.BGChanged = true;
        const bool aero = AeroIsEnabled();
        // Windows draws its own caption while it handles the message: the drawing is held back,
        // or covered.
        const bool holdRedraw = aero ? !BorderForm && !MainFormMinimizedToTaskBar(Form) : fAnimating || RTInit;
        const bool initializing = RTInit;
        if (aero && BorderForm)
            ShowBorderWindowOnTop();
        if (holdRedraw)
            SetRedraw(handle, false);
        else if (!aero && !Form->OnPaint() && (!BorderForm || GetLinesCount() > 0))
            ShowCaptForm(false);
        if (BorderForm && !aero && !fAnimating)
            UpdateRgn(this, false);
        OldWndProc(Message);
        if (holdRedraw)
            SetRedraw(handle, true);
        else if (!aero)
            KillCaptForm();
        if (aero && holdRedraw)
            RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (!aero && initializing)
            RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
        OldWndProc(Message);
    }
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild && Form->Visible() && Form->Showing())
        ChildActivationShown();
    if ((GetWindowLongPtrW(handle, GWL_EXSTYLE) & WS_EX_LAYERED) && !FormTimer)
        RepaintNC();
    if (Form->ControlState().Contains(vcl::TControlStateItem::csCreating)) {
        FormState &= ~fsInNCActivate;
        return;
    }
    if (HaveBorder(this) && !(FormState & fsBlendOnMoving)) {
        // The maximised child's buttons in the menu line look active while the child is.
        vcl::TCustomForm* child = MDIButtonsNeeded() ? Form->ActiveMDIChild() : nullptr;
        if (child && (active || child->Active())) {
            FormActive = true;
            FLinesCount = -1;
        } else if (active != FormActive) {
            FormActive = active;
            FLinesCount = -1;
        }
    }
    FormState &= ~fsInNCActivate;
    // A running animation draws the form itself.
    if (!FormTimer || !FormTimer->Enabled()) {
        RepaintNC();
        const vcl::TWindowState state = Form->WindowState();
        if (state == vcl::TWindowState::wsNormal || (state == vcl::TWindowState::wsMaximized && Form->Menu()))
            UpdateBorderWindow(true);
    }
    TryInitMenu();
    if (data.Skinned() && !Adapter)
        AdapterCreate();
}

void TsSkinProvider::ChildActivationShown()
{
    TsSkinProvider* main = MDISkinProvider;
    if (!main || !main->MDIForm)
        return;
    MarkMDIFormChanged();
    main->MDIForm->UpdateMDIIconItem();
    SendMessageW(main->Form->Handle(), WM_NCPAINT, 0, 0);
    if (const HWND client = main->Form->ClientHandle())
        SendMessageW(client, WM_NCPAINT, 0, 0);
}

}  // namespace skin
