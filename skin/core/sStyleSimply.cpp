#include "skin/core/sStyleSimply.h"

#include <algorithm>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/forms.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::TComponentStateItem;
using vcl::TCustomForm;

std::vector<vcl::TComponent*> HookedComponents;
bool aSkinChanging = false;
vcl::String GlobalSectionName;
std::unique_ptr<vcl::TIcon> AppIcon;
std::unique_ptr<vcl::TIcon> AppIconLarge;

void InitStyleSimplyUnit()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const vcl::String program = vcl::ParamStr(0);
    AppIcon = GetIconForFile(program, SHGFI_SMALLICON);
    AppIconLarge = GetIconForFile(program, SHGFI_LARGEICON);
}

// ---------------------------------------------------------------------------------------------
// The skinned-forms list

int IntSkinForm(vcl::TComponent* Form)
{
    HookedComponents.push_back(Form);
    return int(HookedComponents.size());
}

void IntUnSkinForm(vcl::TComponent* Form)
{
    // Every entry of the form goes, so that no entry outlives it; the last entry fills each gap.
    for (size_t i = 0; i < HookedComponents.size();)
        if (HookedComponents[i] == Form) {
            HookedComponents[i] = HookedComponents.back();
            HookedComponents.pop_back();
        } else {
            ++i;
        }
}

namespace {

bool MDIChild(const TCustomForm* Form) { return Form->FormStyle() == vcl::TFormStyle::fsMDIChild; }

bool Minimized(const TCustomForm* Form) { return Form->WindowState() == vcl::TWindowState::wsMinimized; }

bool ApplicationMinimized() { return vcl::Application && IsIconic(vcl::Application->Handle()); }

// The message to a form's window (made when it has none) and on to its controls.
void SendToForm(TCustomForm* Form, vcl::TMessage& Message)
{
    SendMessageW(Form->Handle(), Message.Msg, Message.WParam, Message.LParam);
    AlphaBroadCast(Form, Message);
}

// The provider of an entry of the skinned-forms list when the entry is a top form (no MDI child,
// no parent control) whose provider serves Manager; none otherwise.
TsSkinProvider* ProviderOf(vcl::TComponent* Entry, TsSkinManager* Manager, TCustomForm*& Form)
{
    Form = dynamic_cast<TCustomForm*>(Entry);
    if (!Form || ComponentDestroying(Form) || MDIChild(Form) || Form->Parent())
        return nullptr;
    auto* provider = reinterpret_cast<TsSkinProvider*>(SendAMessage(Form, scmdQueryProvider));
    return provider && provider->SkinData()->SkinManager() == Manager ? provider : nullptr;
}

// Calls Visit (form, provider) for every entry of the list that is a top form served by Manager,
// reading the list's length at every step.
template<class Visit>
void ForEachManagedForm(TsSkinManager* Manager, Visit visit)
{
    for (size_t i = 0; i < HookedComponents.size(); ++i) {
        TCustomForm* form = nullptr;
        if (TsSkinProvider* provider = ProviderOf(HookedComponents[i], Manager, form))
            visit(form, provider);
    }
}

bool SkinChangingAnimated(TsSkinManager* Manager)
{
    return Manager == DefaultManager && Manager->AnimEffects()->SkinChanging()->Active();
}

// The opacity the form shows at.
int BlendValueOf(const TCustomForm* Form) { return Form->AlphaBlend() ? Form->AlphaBlendValue() : 255; }

// The border window of a frozen form shows the picture taken before the skin changed, if any, and
// keeps its region, so that the change does not show on it.
void FreezeBorderWindow(TCustomForm* Form, TsSkinProvider* Provider)
{
    TacBorderForm* border = BorderWindowOf(Provider);
    if (!border || !border->AForm)
        return;
    const HWND wnd = border->AForm->Handle();
    if (Provider->CoverBmp)
        SetFormBlendValue(wnd, Provider->CoverBmp.get(), BlendValueOf(Form));
    SetWindowRgn(wnd, border->MakeRgn(0, 0), FALSE);
}

// A maximised form takes its maximised place again under the new frame, hidden meanwhile; the
// window that was active stays so.
void MaximizeAgain(HWND Wnd)
{
    SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
    const HWND active = GetActiveWindow();
    ShowWindow(Wnd, SW_SHOWMAXIMIZED);
    SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) | WS_VISIBLE);
    if (active)
        SetActiveWindow(active);
}

// A frozen form shows its new look: faded in over the old one when the manager animates skin
// changes, then with its window region, frame and border window made anew.
void Reappear(TsSkinManager* Manager, TCustomForm* Form, TsSkinProvider* Provider)
{
    const TacSkinChanging* animation = Manager->AnimEffects()->SkinChanging();
    if (animation->Active()) {
        if (Provider->DrawNonClientArea())
            AnimShowControl(Form, animation->Time(), BlendValueOf(Form), animation->Mode());
        else
            AnimShowControl(Form, 0, 255, TacAnimType::atFading);
    }
    Provider->FormState &= ~TsSkinProvider::fsCoverShown;
    const HWND wnd = Form->Handle();
    TacBorderForm* border = BorderWindowOf(Provider);
    if (border && IsZoomed(wnd))
        MaximizeAgain(wnd);
    Provider->FInAnimation = false;
    if (!Provider->DrawNonClientArea()) {
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    }
    if (OSVersionInfo.dwMajorVersion < 6)
        SetWindowRgn(wnd, nullptr, FALSE);
    FillArOR(Provider);
    UpdateRgn(Provider, true);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (border) {
        if (border->AForm)
            SetWindowRgn(border->AForm->Handle(), border->MakeRgn(0, 0), FALSE);
        border->UpdateExBordersPos(true, 255);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Broadcasts

void AppBroadCastS(vcl::TMessage& Message)
{
    // Once the application object is gone its forms are too: nobody is left to tell.
    vcl::TApplication* app = vcl::Application;
    if (!app)
        return;
    // Backwards over the application's forms. A receiver may free forms: the index is brought
    // back within the shrunken count at every step, and a form that slid down onto the next index
    // is not reached twice.
    vcl::TComponent* reached = nullptr;
    for (int i = app->ComponentCount() - 1; i >= 0; i = std::min(i - 1, app->ComponentCount() - 1)) {
        if (app->Components(i) == reached)
            continue;
        auto* form = dynamic_cast<TCustomForm*>(app->Components(i));
        reached = form;
        if (!form || MDIChild(form) || ComponentDestroying(form) ||
            form->ComponentState().Contains(TComponentStateItem::csLoading))
            continue;
        // A form with a provider of its own is reached through the skinned-forms list.
        if (GetBoolMsg(form, scmdQuerySkinned))
            continue;
        SendToForm(form, Message);
    }
    SendToHooked(Message);
}

void SendToHooked(vcl::TMessage& Message)
{
    for (size_t i = 0; i < HookedComponents.size(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(HookedComponents[i]);
        if (form && !ComponentDestroying(form))
            SendToForm(form, Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Freezing the forms while a skin changes

void LockForms(TsSkinManager* Manager)
{
    if (ApplicationMinimized())
        return;
    if (SkinChangingAnimated(Manager))
        InAnimationProcess = true;
    ForEachManagedForm(Manager, [](TCustomForm* form, TsSkinProvider* provider) {
        if (!dynamic_cast<vcl::TForm*>(form) || Minimized(form) || !form->HandleAllocated() ||
            !IsWindowVisible(form->Handle()))
            return;
        provider->FInAnimation = true;
        provider->FormState |= TsSkinProvider::fsPaintLocked;
        FreezeBorderWindow(form, provider);
        SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    });
}

void UnLockForms(TsSkinManager* Manager, bool Repaint)
{
    if (ApplicationMinimized())
        return;
    if (Manager == DefaultManager)
        InAnimationProcess = false;
    const auto locked = [](TCustomForm* form, TsSkinProvider* provider) {
        return form->Visible() && form->HandleAllocated() && (provider->FormState & TsSkinProvider::fsPaintLocked);
    };
    ForEachManagedForm(Manager, [&](TCustomForm* form, TsSkinProvider* provider) {
        if (locked(form, provider))
            SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
    });
    ForEachManagedForm(Manager, [&](TCustomForm* form, TsSkinProvider* provider) {
        if (!locked(form, provider) || Minimized(form))
            return;
        if (Repaint) {
            Reappear(Manager, form, provider);
        } else {
            provider->FormState &= ~TsSkinProvider::fsCoverShown;
            SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
        }
        provider->FormState &= ~TsSkinProvider::fsPaintLocked;
    });
}

void ReleaseForms(TsSkinManager* Manager)
{
    UnLockForms(Manager, false);
    if (Manager == DefaultManager)
        InAnimationProcess = false;
    ForEachManagedForm(Manager, [](TCustomForm*, TsSkinProvider* provider) {
        provider->FInAnimation = false;
        provider->FormState &= ~(TsSkinProvider::fsCoverShown | TsSkinProvider::fsPaintLocked);
        provider->CoverBmp.reset();
    });
}

void CopyExForms(TsSkinManager* Manager)
{
    const vcl::TComponentState state = Manager->ComponentState();
    if (ApplicationMinimized() || state.Contains(TComponentStateItem::csDesigning) ||
        state.Contains(TComponentStateItem::csLoading) || state.Contains(TComponentStateItem::csReading))
        return;
    if (SkinChangingAnimated(Manager))
        InAnimationProcess = true;
    ForEachManagedForm(Manager, [](TCustomForm* form, TsSkinProvider* provider) {
        if (Minimized(form) || !form->Visible())
            return;
        // The border window will show the form's present look while the skin changes, and the
        // new look fades in from it.
        if (TacBorderForm* border = BorderWindowOf(provider); border && border->AForm) {
            provider->FormState |= TsSkinProvider::fsCoverShown;
            provider->CoverBmp = GetFormImage(provider, false);
        }
        provider->FInAnimation = true;
    });
}

}  // namespace skin
