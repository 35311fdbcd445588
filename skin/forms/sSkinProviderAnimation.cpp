#include "skin/forms/sSkinProviderAnimation.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/forms/sSkinProviderTaskbar.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"

namespace skin {

using namespace vcl;

namespace {

// SetWindowPos flags of the animations: the window keeps its place and size, is neither redrawn
// nor activated, and its owner's z-order and the position messages stay out of it.
constexpr UINT acKeepPlace =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
// The border window over everything while it shows the animation.
constexpr UINT acOnTop = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

TsSkinManager* ManagerOf(TsSkinProvider* Provider)
{
    TsSkinManager* manager = Provider->SkinData() ? Provider->SkinData()->SkinManager() : nullptr;
    return manager ? manager : DefaultManager;
}

bool MinimizingActive(TsSkinProvider* Provider)
{
    TsSkinManager* manager = ManagerOf(Provider);
    return manager && manager->AnimEffects()->Minimizing()->Active();
}

// The window whose button the form has on the taskbar.
HWND TaskbarWindowOf(TCustomForm* Form)
{
    if (Application && !Application->MainFormOnTaskBar() && Application->MainForm() == Form)
        return Application->Handle();
    return Form->Handle();
}

void SetExStyleBits(HWND Wnd, LONG_PTR Bits, bool On)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    const LONG_PTR wanted = On ? exStyle | Bits : exStyle & ~Bits;
    if (wanted != exStyle)
        SetWindowLongPtrW(Wnd, GWL_EXSTYLE, wanted);
}

// The window layered at a constant opacity; as it is without layered windows, which the style
// alone would make invisible.
void SetLayeredAlpha(HWND Wnd, uint8_t Alpha)
{
    if (!SetLayeredWindowAttributes)
        return;
    SetExStyleBits(Wnd, WS_EX_LAYERED, true);
    SetLayeredWindowAttributes(Wnd, COLORREF(clNone), Alpha, LWA_ALPHA);
}

uint8_t OwnOpacity(TCustomForm* Form) { return Form->AlphaBlend() ? Form->AlphaBlendValue() : 255; }

void ClearBitmap(TBitmap* Bmp)
{
    const TPixelView pixels = PixelsOf(Bmp);
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            pixels.At(x, y) = 0;
}


// The provider's border window, when it has one with its window.
TacBorderForm* BorderWithWindow(TsSkinProvider* Provider)
{
    TacBorderForm* border = Provider ? BorderWindowOf(Provider) : nullptr;
    return border && border->AForm ? border : nullptr;
}

// The provider's running timer gives way to Timer.
void ReplaceFormTimer(TsSkinProvider* Provider, TacThreadedTimer* Timer)
{
    FreeAndNil(Provider->FormTimer);
    Provider->FormTimer = Timer;
}

}  // namespace

std::function<void(TWinControl* Form)> acDragMoveLoop = [](TWinControl* Form) {
    Form->Perform(WM_SYSCOMMAND, SC_DRAGMOVE, 0);
};

// ---------------------------------------------------------------------------------------------
// Minimise and restore

TacMinTimer::TacMinTimer(TComponent* AOwner) : TacThreadedTimer(AOwner, true) { InitData(); }

void TacMinTimer::BeforeDestruction()
{
    FreeCover();
    SavedImage.reset();
    AlphaBmp.reset();
    TacThreadedTimer::BeforeDestruction();
}

void TacMinTimer::FreeCover()
{
    if (AlphaFormWasCreated && AnimForm)
        AnimForm->Free();
    AnimForm = nullptr;
    AlphaFormWasCreated = false;
}

void TacMinTimer::InitData()
{
    SetInterval(acMinimizeStepMs);
    sp = dynamic_cast<TsSkinProvider*>(FOwner);
    // The program always minimises a provider's form; without one there is nothing to show.
    if (!sp)
        return;
    Plan.AlphaFrom = OwnOpacity(sp->Form);
    TsSkinManager* manager = ManagerOf(sp);
    Plan.StepCount = TMinimizePlan::StepCountOf(manager ? manager->AnimEffects()->Minimizing()->Time() : 0);
    AlphaOrigin = Plan.AlphaFrom;
    if (!FormHandle) {
        FormHandle = sp->Form->Handle();
        Plan.CurrentAlpha = Plan.AlphaFrom;
    }
    if (Plan.CurrentAlpha == 0 && Minimized) {
        Plan.SetCurrent(Plan.RectTo);
    } else if (Plan.CurrentAlpha >= Plan.AlphaFrom) {
        // With extended borders the picture is the border window's, frame and shadow around the form.
        TacBorderForm* border = BorderWithWindow(sp);
        Plan.SetFrom(WindowRectOf(border ? border->AForm->Handle() : FormHandle));
        UpdateDstRect();
    }
    Plan.UpdateBlendStep();
    AlphaBmp = CreateBmp32(Plan.RectFrom.right - Plan.RectFrom.left, Plan.RectFrom.bottom - Plan.RectFrom.top);
    FreeCover();
    if (TacBorderForm* border = BorderWithWindow(sp)) {
        AnimForm = border->AForm;
        return;
    }
    AnimForm = MakeCoverForm(FormHandle);
    AlphaFormWasCreated = true;
    SetWindowRgn(AnimForm->Handle(), nullptr, FALSE);
}

TRect TacMinTimer::GetRectTo() const { return MinimizeDestination(TPoint(Plan.XFrom, Plan.YFrom)); }

void TacMinTimer::UpdateDstRect() { Plan.SetDestination(GetRectTo()); }

void TacMinTimer::TimeHandler()
{
    if (InHandler)
        return;
    InHandler = true;
    const TScopeExit done([this] { InHandler = false; });
    if (sp && !Minimized && (sp->FormState & TsSkinProvider::fsRestoring))
        Minimized = true;
    if (sp && Minimized && (sp->FormState & TsSkinProvider::fsMinimizing))
        Minimized = false;
    TacBorderForm* border = sp ? BorderWindowOf(sp) : nullptr;
    // The border window's window may have gone meanwhile: the frames go onto the one it has now.
    if (!AlphaFormWasCreated)
        AnimForm = border ? border->AForm : nullptr;
    if (!AnimForm || !AnimForm->HandleAllocated()) {
        SetEnabled(false);
        return;
    }
    if (border)
        border->ExBorderShowing = true;
    if (Minimized)
        RestoreFrame();
    else
        MinimizeFrame();
}

void TacMinTimer::MinimizeFrame()
{
    ClearBitmap(AlphaBmp.get());
    if (Plan.StepToTaskbar())
        DrawFrame();
    else
        EndMinimize();
}

void TacMinTimer::EndMinimize()
{
    SetEnabled(false);
    if (sp) {
        sp->SetHotHT(0, true);
        sp->FormState &= ~TsSkinProvider::fsMinimizing;
        SetExStyleBits(FormHandle, WS_EX_LAYERED, false);
    }
    Minimized = true;
    if (TacBorderForm* border = sp ? BorderWindowOf(sp) : nullptr; border && !AlphaFormWasCreated) {
        // The border window comes back with the restore.
        border->FreeBorderWindow();
        AnimForm = nullptr;
        if (Application && Application->MainFormOnTaskBar() && Application->MainForm())
            SetActiveWindow(Application->MainForm()->Handle());
        border->ExBorderShowing = false;
        return;
    }
    // The cover stays, hidden, for the restore.
    ClearBitmap(AlphaBmp.get());
    SetFormBlendValue(AnimForm->Handle(), AlphaBmp.get(), 0);
    ShowWindow(AnimForm->Handle(), SW_HIDE);
}

void TacMinTimer::RestoreFrame()
{
    if (Plan.StepToForm()) {
        SetWindowRgn(AnimForm->Handle(), nullptr, FALSE);
        DrawFrame();
    } else {
        EndRestore();
    }
}

void TacMinTimer::EndRestore()
{
    SetEnabled(false);
    const HWND cover = AnimForm->Handle();
    if (SavedImage) {
        const TPoint topLeft(Plan.RectFrom.left, Plan.RectFrom.top);
        SetFormBlendValue(cover, SavedImage.get(), AlphaOrigin, &topLeft);
    }
    {
        const TSystemAnimationOff quiet;
        ShowWindow(FormHandle, IsZoomed(FormHandle) ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
    }
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, acKeepPlace);
    if (sp && sp->Form->AlphaBlend())
        SetLayeredAlpha(FormHandle, sp->Form->AlphaBlendValue());
    else
        SetExStyleBits(FormHandle, WS_EX_LAYERED, false);
    TacBorderForm* border = sp ? BorderWindowOf(sp) : nullptr;
    if (sp) {
        sp->fAnimating = false;
        sp->FormState &= ~TsSkinProvider::fsRestoring;
        if (border)
            border->ExBorderShowing = false;
        if (sp->Form->Menu() && !sp->BorderForm && AeroIsEnabled())
            sp->SkinData()->BGChanged = true;
    }
    RedrawWindow(FormHandle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Minimized = false;
    if (border && !AlphaFormWasCreated) {
        // The border window takes its place right behind the form again.
        AnimForm = nullptr;
        border->UpdateExBordersPos(true, 255);
    } else {
        SetWindowPos(cover, FormHandle, 0, 0, 0, 0, acKeepPlace);
        FreeCover();
    }
    SetFocus(FormHandle);
    if (Application && Application->OnRestore())
        Application->OnRestore()(Application);
}

void TacMinTimer::DrawFrame()
{
    const TMinimizeFrame frame = Plan.Frame(TSize(AlphaBmp->Width(), AlphaBmp->Height()));
    if (SavedImage && SavedImage->Width() > 0 && SavedImage->Height() > 0) {
        TCanvasLock dstLock(AlphaBmp->Canvas());
        TCanvasLock srcLock(SavedImage->Canvas());
        SetStretchBltMode(AlphaBmp->Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(AlphaBmp->Canvas()->Handle(), frame.Place.left, frame.Place.top,
                   frame.Place.right - frame.Place.left, frame.Place.bottom - frame.Place.top,
                   SavedImage->Canvas()->Handle(), 0, 0, SavedImage->Width(), SavedImage->Height(), SRCCOPY);
    }
    SetFormBlendValue(AnimForm->Handle(), AlphaBmp.get(), Plan.CurrentAlpha, &frame.Pos);
    // The picture passes under the taskbar.
    SetWindowPos(AnimForm->Handle(), ShellTrayWnd(), 0, 0, 0, 0, acKeepPlace | SWP_SHOWWINDOW);
}

namespace {

// The minimise starts from the border window's picture, the form with its frame and shadow, shown
// over everything while the form's own window turns invisible.
void ShowBorderWindowWhole(TacBorderForm* Border, TacMinTimer& Timer)
{
    Border->UpdateExBordersPos(false, 255);
    if (!Border->AForm)
        return;
    const HWND wnd = Border->AForm->Handle();
    SetBlurBehind(wnd, false, nullptr);
    if (TBitmap* cache = Border->SkinData->FCacheBmp.get()) {
        Timer.SavedImage = std::make_unique<TBitmap>();
        Timer.SavedImage->Assign(cache);
    }
    Border->ExBorderShowing = true;
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, acOnTop);
    SetWindowRgn(wnd, nullptr, FALSE);
}

}  // namespace

void StartMinimizing(TsSkinProvider* Provider)
{
    TCustomForm* form = Provider->Form;
    Provider->KillAnimations();
    if (MinimizingActive(Provider)) {
        if (Provider->FormState & TsSkinProvider::fsMinimizing)
            return;
        Provider->FormState |= TsSkinProvider::fsMinimizing;
        Provider->fAnimating = true;
        auto* timer = dynamic_cast<TacMinTimer*>(Provider->FormTimer);
        if (!timer) {
            ReplaceFormTimer(Provider, nullptr);
            timer = Create<TacMinTimer>(Provider);
            Provider->FormTimer = timer;
        } else if (!(Provider->FormState & TsSkinProvider::fsRestoring)) {
            timer->InitData();
        }
        // A restore that runs turns back from where it stands.
        Provider->FormState &= ~TsSkinProvider::fsRestoring;
        if (timer->Plan.CurrentAlpha >= timer->Plan.AlphaFrom) {
            if (TacBorderForm* border = BorderWithWindow(Provider))
                ShowBorderWindowWhole(border, *timer);
            else
                timer->SavedImage = GetFormImage(Provider, false);
        }
        // The real window is invisible from now on; the cover shows the frames.
        SetLayeredAlpha(form->Handle(), 0);
        timer->SetEnabled(true);
    }
    const HWND taskbar = TaskbarWindowOf(form);
    UpdatePreview(taskbar, true);
    DwmInvalidateIconicBitmaps(taskbar);
}

bool StartRestoring(TsSkinProvider* Provider)
{
    auto* timer = dynamic_cast<TacMinTimer*>(Provider->FormTimer);
    if (!timer || !MinimizingActive(Provider) || (Provider->FormState & TsSkinProvider::fsRestoring))
        return false;
    Provider->FormState &= ~TsSkinProvider::fsMinimizing;
    Provider->FormState |= TsSkinProvider::fsRestoring;
    Provider->fAnimating = true;
    TacBorderForm* border = BorderWindowOf(Provider);
    if (border) {
        border->ExBorderShowing = true;
        if (!border->AForm) {
            border->CreateNewForm();
            SetFormBlendValue(border->AForm->Handle(), timer->AlphaBmp.get(), 0);
        }
        // A cover of the timer's own (the minimise ran before the form had a border window) goes:
        // the border window shows the restore, and the timer must not free it at the end.
        timer->FreeCover();
        timer->AnimForm = border->AForm;
        SetWindowPos(border->AForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, acOnTop);
    }
    SetLayeredAlpha(Provider->Form->Handle(), 0);
    timer->SetEnabled(true);
    if (border) {
        Provider->FormActive = true;
        Provider->SkinData()->BGChanged = true;
        Provider->PaintAll();
    }
    UpdatePreview(TaskbarWindowOf(Provider->Form), false);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Blend on moving

void TacMoveTimer::TimeHandler()
{
    if (!Enabled())
        return;
    // With extended borders the border window shows the whole form while it is dragged.
    if (TacBorderForm* border = BorderWithWindow(SP))
        SetFormBlendValue(border->AForm->Handle(), border->SkinData->FCacheBmp.get(), CurrentBlendValue);
    else
        SetLayeredAlpha(FormHandle, CurrentBlendValue);
    CurrentBlendValue = NextBlendValue(CurrentBlendValue, Plan);
}

namespace {

// The border window, showing the whole form, is dragged; the form's own window, invisible meanwhile,
// follows it when the drag ends.
void DragBorderWindow(TsSkinProvider* Provider, TacBorderForm* Border, TacMoveTimer& Timer)
{
    TCustomForm* form = Provider->Form;
    const HWND wnd = form->Handle();
    const TScopeExit finish([Provider] { FinishBlendOnMoving(Provider); });
    Border->UpdateExBordersPos(false, 255);
    if (!Border->AForm)
        return;
    if (form->AlphaBlend() && SetLayeredWindowAttributes)
        SetLayeredWindowAttributes(wnd, COLORREF(clNone), 0, LWA_ALPHA);
    Border->ExBorderShowing = true;
    SetWindowPos(wnd, Border->AForm->Handle(), 0, 0, 0, 0, acOnTop);
    SetFormBlendValue(wnd, nullptr, 0);
    Timer.SetEnabled(true);
    Border->LastTopLeft = TPoint(-1, -1);
    acDragMoveLoop(Border->AForm);
    // A drag above the screen's top is put back where the border window was seen last.
    const TPoint last = Border->LastTopLeft;
    if (Border->AForm && last.x != -1 && last.y != -1 && last.y < 0)
        Border->AForm->SetBounds(last.x, last.y, Border->AForm->Width(), Border->AForm->Height());
}

// The form's window goes where the border window was dragged and shows itself again.
void BringBackFromBorderWindow(TsSkinProvider* Provider, TacBorderForm* Border)
{
    TCustomForm* form = Provider->Form;
    const HWND wnd = form->Handle();
    if (auto* timer = dynamic_cast<TacMoveTimer*>(Provider->FormTimer))
        timer->SetEnabled(false);
    SetFormBlendValue(Border->AForm->Handle(), Provider->SkinData()->FCacheBmp.get(), OwnOpacity(form));
    const int frame = SysBorderWidth(wnd, Border, false);
    const int dy = Provider->FSysExHeight ? frame + Border->ShadowSize().top + DiffTitle(Border) : Border->OffsetY();
    const int dx = skin::SkinBorderWidth(Border) - frame + Border->ShadowSize().left;
    const TRect place = WindowRectOf(Border->AForm->Handle());
    SetWindowPos(wnd, nullptr, place.left + dx, place.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    Provider->FormState &= ~TsSkinProvider::fsBlendOnMoving;
    if (form->AlphaBlend()) {
        Border->ExBorderShowing = false;
        Border->UpdateExBordersPos(true, 255);
        SetLayeredAlpha(wnd, form->AlphaBlendValue());
    } else {
        SetExStyleBits(wnd, WS_EX_LAYERED, false);
    }
    Provider->SkinData()->BGChanged = true;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (AeroIsEnabled() && form->Menu())
        SendMessageW(wnd, WM_NCPAINT, 0, 0);
    Border->ExBorderShowing = false;
    Border->UpdateExBordersPos(true, 255);
}

}  // namespace

void StartBlendOnMoving(TsSkinProvider* Provider)
{
    TsSkinManager* manager = ManagerOf(Provider);
    if ((Provider->FormState & TsSkinProvider::fsBlendOnMoving) || !manager ||
        !manager->AnimEffects()->BlendOnMoving()->Active())
        return;
    Provider->FormState |= TsSkinProvider::fsBlendOnMoving;
    TCustomForm* form = Provider->Form;
    const HWND wnd = form->Handle();
    ReplaceFormTimer(Provider, nullptr);
    auto* timer = Create<TacMoveTimer>(Provider, true);
    Provider->FormTimer = timer;
    timer->CurrentBlendValue = OwnOpacity(form);
    timer->SP = Provider;
    timer->FormHandle = wnd;
    const TacBlendOnMoving* effect = manager->AnimEffects()->BlendOnMoving();
    timer->Plan = BlendOnMovingPlan(Provider->AllowBlendOnMoving(), effect->BlendValue(), effect->Time());
    timer->SetInterval(12);
    if (TacBorderForm* border = BorderWithWindow(Provider)) {
        DragBorderWindow(Provider, border, *timer);
        return;
    }
    if (!form->AlphaBlend()) {
        // The cover keeps the picture still while the window turns layered and paints again.
        const TObjectPtr<TForm> cover(MakeCoverForm(wnd));
        SetLayeredAlpha(wnd, 255);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    timer->SetEnabled(true);
    try {
        acDragMoveLoop(form);
    } catch (...) {
        FinishBlendOnMoving(Provider);
        throw;
    }
    FinishBlendOnMoving(Provider);
}

void FinishBlendOnMoving(TsSkinProvider* Provider)
{
    TCustomForm* form = Provider->Form;
    const HWND wnd = form->Handle();
    if (TacBorderForm* border = BorderWithWindow(Provider)) {
        BringBackFromBorderWindow(Provider, border);
    } else if (form->AlphaBlend()) {
        SetLayeredAlpha(wnd, form->AlphaBlendValue());
    } else {
        const TObjectPtr<TForm> cover(MakeCoverForm(wnd));
        SetExStyleBits(wnd, WS_EX_LAYERED, false);
        UpdateWindow(wnd);
        if (auto* timer = dynamic_cast<TacMoveTimer*>(Provider->FormTimer))
            timer->SetEnabled(false);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    Provider->FormState &= ~TsSkinProvider::fsBlendOnMoving;
    ReplaceFormTimer(Provider, nullptr);
}

// ---------------------------------------------------------------------------------------------
// The window procedure's entries

void CloseWithHideImage(TsSkinProvider* Provider, TMessage& Message)
{
    Provider->OldWndProc(Message);
    if (Provider->Form->ComponentState().Contains(TComponentStateItem::csDestroying))
        return;
    Provider->FormState |= TsSkinProvider::fsExitAnimation;
    if (auto image = GetFormImage(Provider, true))
        Provider->SkinData()->FCacheBmp = std::move(image);
    Provider->FormState &= ~TsSkinProvider::fsExitAnimation;
    Provider->SkinData()->BGChanged = false;
}

void CoverFormForHide(TsSkinProvider* Provider)
{
    Provider->FormState |= TsSkinProvider::fsExitAnimation;
    if (auto image = GetFormImage(Provider, true))
        Provider->SkinData()->FCacheBmp = std::move(image);
    if (Provider->CoverForm)
        Provider->CoverForm->Free();
    Provider->CoverForm = MakeCoverForm(Provider->Form->Handle());
}

void HideFormAnimated(TsSkinProvider* Provider, TMessage& Message)
{
    const HWND wnd = Provider->Form->Handle();
    const bool aero = AeroIsEnabled();
    if (aero)
        DoLayered(wnd, true);
    Provider->OldWndProc(Message);
    Provider->SkipAnimation = true;
    {
        Provider->FInAnimation = true;
        const TScopeExit done([Provider] { Provider->FInAnimation = false; });
        AnimHideForm(Provider);
    }
    if (Application && Application->Terminated())
        return;
    if (aero)
        DoLayered(wnd, false);
    Provider->SkipAnimation = false;
}

namespace {

// WM_SETREDRAW to every visible child control of the form.
void SetChildrenRedraw(TCustomForm* Form, bool On)
{
    for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(Form->Controls(i));
        if (child && child->Visible() && child->HandleAllocated())
            SendMessageW(child->Handle(), WM_SETREDRAW, On ? 1 : 0, 0);
    }
}

}  // namespace

TShowAnimation BeginShowAnimation(TsSkinProvider* Provider)
{
    TCustomForm* form = Provider->Form;
    TShowAnimation show;
    Provider->SkinData()->FUpdating = true;
    Provider->FInAnimation = true;
    show.MadeLayered = DoLayered(form->Handle(), true);
    if (show.MadeLayered) {
        UpdateRgn(Provider, false);
    } else {
        // A form layered by its own AlphaBlend hides through its value and ends at it.
        show.MaxTransparency = form->AlphaBlendValue();
        form->SetAlphaBlendValue(0);
    }
    SetChildrenRedraw(form, false);
    return show;
}

void EndShowAnimation(TsSkinProvider* Provider, const TShowAnimation& Show)
{
    TCustomForm* form = Provider->Form;
    SetChildrenRedraw(form, true);
    // The form stays shown without drawing until the animation gives it its picture.
    if (Show.MadeLayered)
        DoLayered(form->Handle(), false);
    Provider->fAnimating = false;
    const TacFormShow* effect = ManagerOf(Provider)->AnimEffects()->FormShow();
    AnimShowForm(Provider, effect->Time(), Show.MaxTransparency, effect->Mode());
}

void AbandonShowAnimation(TsSkinProvider* Provider)
{
    TCustomForm* form = Provider->Form;
    SetChildrenRedraw(form, true);
    const HWND wnd = form->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    // Left set, the flags would keep the form's frame from ever being drawn again.
    Provider->fAnimating = false;
    Provider->FInAnimation = false;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MinimizeTargetChanged(TsSkinProvider* Provider)
{
    auto* timer = dynamic_cast<TacMinTimer*>(Provider->FormTimer);
    if (!timer)
        return;
    timer->UpdateDstRect();
    timer->Plan.SetCurrent(timer->Plan.RectTo);
}

bool BlendOnMovingWanted(TsSkinProvider* Provider)
{
    TsSkinManager* manager = ManagerOf(Provider);
    TCustomForm* form = Provider->Form;
    if (!manager || form->FormStyle() == TFormStyle::fsMDIChild || IsIconic(form->Handle()))
        return false;
    const TacBlendOnMoving* effect = manager->AnimEffects()->BlendOnMoving();
    return effect->Active() && effect->BlendValue() != 255 && Provider->AllowBlendOnMoving();
}

}  // namespace skin
