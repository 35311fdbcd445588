#pragma once
// Skinning of forms the program makes without a skin provider of their own. The default skin
// manager hooks window creation and activation on its GUI thread while its skin is in force; the
// hook hands every top-level window to AddSupportedForm, which gives a form that qualifies a
// TacProvider, and the TacProvider makes the form's skin provider at run time.
//
// Lifecycle: the list of providers lives from the hook's installation to its removal. A form owns
// its TacProvider (and its skin provider), so both go with the form; a provider that goes empties
// its own entry, which stays in the list as an empty one. Removing the hook frees the remaining
// TacProviders and the list, while the forms keep their skin providers.
//
// Everything runs on the GUI thread, inside the hook or window procedures; creating a provider may
// create or activate further windows, which the list bears because entries are only appended or
// emptied.
#include <windows.h>

#include <memory>
#include <vector>

#include "vcl/classes.h"
#include "vcl/forms.h"

namespace skin {

class TsSkinProvider;

// What the hook did for one foreign form: the skin provider it made for it.
class TacProvider : public vcl::TComponent {
    CL_CLASS(TacProvider, vcl::TComponent)
public:
    explicit TacProvider(vcl::TComponent* AOwner);
    // Empties its entry in the list of providers (the first that holds it); the skin provider
    // belongs to the form and stays.
    void BeforeDestruction() override;

    // Forgets the skin provider when it goes before this object.
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

    // Makes the form's skin provider at run time, with the form's own colour and no skinned menu
    // line, and has the form drawn anew.
    void InitForm(vcl::TCustomForm* Form);

    // The skinned window of a system dialog; stays none for a form.
    HWND CtrlHandle = nullptr;
    // The form's run-time skin provider, owned by the form; none before InitForm and once it is
    // gone (a provider the form makes later replaces it).
    TsSkinProvider* sp = nullptr;
};

using TacProviderList = std::vector<TacProvider*>;

// The hook on the GUI thread's window creation and activation; none while no manager has it.
extern HHOOK HookCallback;
// The providers the hook made, in order, emptied entries included; none while the hook is off.
extern std::unique_ptr<TacProviderList> acSupportedList;

// The hook's procedure: hands new and activated top-level windows to AddSupportedForm and always
// answers what the next hook answered.
LRESULT CALLBACK SkinHookCBT(int Code, WPARAM WParam, LPARAM LParam);

// Gives the top-level window a provider when it is a form that qualifies; true also for a form
// still loading, which is met again when activated. The window's class name comes from
// CreateStruct when it names one, else from the window.
bool AddSupportedForm(HWND Handle, const CREATESTRUCTW* CreateStruct = nullptr);

// Frees every provider in the list and the list.
void FreeSupportedList();

// The window's class name (at most 127 characters).
vcl::String GetWndClassName(HWND Handle);
// The provider of the skinned dialog window; none while there is no list or the application is
// terminating.
TacProvider* FindFormInList(HWND Handle);
// The form of the window, last form first, passing over forms being destroyed; an MDI form's child
// of the window counts as well. None when the window is no form's.
vcl::TCustomForm* FindFormOnScreen(HWND Handle);

}  // namespace skin
