// The scroll wrappers skinned controls keep over their own windows: made while the control is
// skinned, freed when it is not, made anew when its window was re-created; and the wrapper of a
// skinned combo box's list.
#include "skin/controls/sControlWrappers.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

namespace {

HWND OwnerHandle(const TsCommonData* SkinData)
{
    auto* control = dynamic_cast<vcl::TWinControl*>(SkinData->FOwnerControl);
    return control && control->HandleAllocated() ? control->Handle() : nullptr;
}

void FreeScrollWnd(TControlWrapperPtr& Wnd, bool FrameChanged)
{
    if (auto* scroll = dynamic_cast<TacScrollWnd*>(Wnd.get()))
        UninitializeACScroll(scroll->CtrlHandle, FrameChanged, scroll);
    Wnd.reset();
}

// With FlatBars the control's flat scroll bars are switched off while the wrapper paints them.
template<class TWrapper>
void KeepScrollWnd(TsCommonData* SkinData, TControlWrapperPtr& Wnd, bool FlatBars)
{
    const HWND handle = OwnerHandle(SkinData);
    if (!SkinData->Skinned()) {
        FreeScrollWnd(Wnd, true);
        if (FlatBars && Ac_InitializeFlatSB && handle)
            Ac_InitializeFlatSB(handle);
        return;
    }
    if (FlatBars && Ac_UninitializeFlatSB && handle)
        Ac_UninitializeFlatSB(handle);
    if (Wnd && Wnd->Destroyed())
        Wnd.reset();
    if (!Wnd && handle)
        Wnd = NewWrapper<TWrapper>(handle, SkinData, SkinData->SkinManager(), SkinData->SkinSection(), true);
}

void RefreshScrollWnd(TsCommonData* SkinData, TControlWrapperPtr& Wnd)
{
    const vcl::TControl* owner = SkinData->FOwnerControl;
    using vcl::TComponentStateItem;
    if (owner && (owner->ComponentState().Contains(TComponentStateItem::csLoading) ||
                  owner->ComponentState().Contains(TComponentStateItem::csDestroying) ||
                  owner->ComponentState().Contains(TComponentStateItem::csDesigning)))
        return;
    KeepScrollWnd<TacScrollWnd>(SkinData, Wnd, true);
}

void RefreshEditWnd(TsCommonData* SkinData, TControlWrapperPtr& Wnd) { KeepScrollWnd<TacEditWnd>(SkinData, Wnd, false); }

TControlWrapperPtr MakeComboListWnd(HWND List, TsSkinManager* Manager, bool SimplyBox)
{
    return NewWrapper<TacComboListWnd>(List, nullptr, Manager, vcl::String(L"EDIT"), true, SimplyBox);
}

void FreeWithoutRepaint(TControlWrapperPtr& Wnd) { FreeScrollWnd(Wnd, false); }

}  // namespace

void RegisterControlWrapperMakers()
{
    TacControlWrapperMakers& makers = ControlWrapperMakers();
    makers.RefreshScrolls = RefreshScrollWnd;
    makers.RefreshEditScrolls = RefreshEditWnd;
    makers.MakeComboList = MakeComboListWnd;
    makers.FreeScrollWrapper = FreeWithoutRepaint;
}

void WithdrawControlWrapperMakers() { ControlWrapperMakers() = TacControlWrapperMakers{}; }

}  // namespace skin
