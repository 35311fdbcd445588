#include "skin/windows/acDials.h"

#include <algorithm>

#include "skin/controls/acGlyphPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/application.h"
#include "vcl/screen.h"

namespace skin {

using vcl::TComponentStateItem;
using vcl::TCustomForm;
using vcl::TFormStyle;

HHOOK HookCallback = nullptr;
std::unique_ptr<TacProviderList> acSupportedList;

namespace {

// The class-library window behind timers and other hidden helpers: never a form.
constexpr wchar_t UtilWindowClass[] = L"TPUtilWindow";
// The library's own auxiliary forms carry this tag; a tag holding all of its bits is never skinned.
constexpr uint32_t AuxiliaryTagBits = 0xFFFFFF9E;
// The class-library form that shows messages: a standard dialog, not a standard form.
constexpr wchar_t MessageFormClass[] = L"TMessageForm";

bool Destroying(const vcl::TComponent* Component)
{
    return Component->ComponentState().Contains(TComponentStateItem::csDestroying);
}

bool ApplicationDestroying() { return !vcl::Application || Destroying(vcl::Application); }

bool IsAuxiliaryTag(intptr_t Tag) { return (uint32_t(Tag) & AuxiliaryTagBits) == AuxiliaryTagBits; }

bool HandleIs(TCustomForm* Form, HWND Handle) { return Form->HandleAllocated() && Form->Handle() == Handle; }

// The class name the creation names as a string, else the window's.
vcl::String ClassNameOf(HWND Handle, const CREATESTRUCTW* CreateStruct)
{
    if (CreateStruct && !IS_INTRESOURCE(CreateStruct->lpszClass) && CreateStruct->lpszClass[0])
        return CreateStruct->lpszClass;
    return GetWndClassName(Handle);
}

// The manager's rules let the hook skin a form of the class.
bool RulesAllow(const vcl::String& ClassName)
{
    const TacSkinningRule rule = ClassName == MessageFormClass ? TacSkinningRule::srStdDialogs : TacSkinningRule::srStdForms;
    return DefaultManager->SkinningRules().Contains(rule);
}

void AttachProvider(TCustomForm* Form)
{
    auto* provider = vcl::Create<TacProvider>(Form);
    // A provider's window procedure adopts forms too, with or without the hook in place.
    if (!acSupportedList)
        acSupportedList = std::make_unique<TacProviderList>();
    acSupportedList->push_back(provider);
    provider->InitForm(Form);
}

// Gives the form found for a window its provider, with its MDI children.
bool AddForm(TCustomForm* Form, const vcl::String& ClassName)
{
    if (IsAuxiliaryTag(Form->Tag()))
        return false;
    if (Form->ComponentState().Contains(TComponentStateItem::csLoading) && Form->FormStyle() != TFormStyle::fsMDIChild)
        return true;
    if (IsNeverSkinned(ClassName) || !RulesAllow(ClassName))
        return false;
    AttachProvider(Form);
    if (Form->FormStyle() == TFormStyle::fsMDIForm)
        for (int i = 0; i < Form->MDIChildCount(); ++i) {
            TCustomForm* child = Form->MDIChildren(i);
            if (!GetBoolMsg(child, scmdQuerySkinned))
                AttachProvider(child);
        }
    return true;
}

// A window created with a class name: a top-level window with both styles set, made once the main
// form has its window, goes to AddSupportedForm. Dialogs and popup menus, created with class atoms,
// are not handled here.
void WindowCreated(HWND Handle, const CREATESTRUCTW& Create)
{
    if (IS_INTRESOURCE(Create.lpszClass) || GetWndClassName(Handle) == UtilWindowClass)
        return;
    if (!Create.dwExStyle || !Create.style)
        return;
    if (TCustomForm* mainForm = vcl::Application->MainForm())
        if (!mainForm->HandleAllocated() || mainForm->Handle() == Handle)
            return;
    if (!GetParent(Handle))
        AddSupportedForm(Handle);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The hook

LRESULT CALLBACK SkinHookCBT(int Code, WPARAM WParam, LPARAM LParam)
{
    const LRESULT answer = CallNextHookEx(HookCallback, Code, WParam, LParam);
    if (ApplicationDestroying())
        return answer;
    const auto handle = reinterpret_cast<HWND>(WParam);
    switch (Code) {
    case HCBT_CREATEWND:
        if (handle)
            WindowCreated(handle, *reinterpret_cast<const CBT_CREATEWNDW*>(LParam)->lpcs);
        break;
    case HCBT_ACTIVATE: AddSupportedForm(handle); break;
    default: break;
    }
    return answer;
}

bool AddSupportedForm(HWND Handle, const CREATESTRUCTW* CreateStruct)
{
    if (!DefaultManager || ApplicationDestroying() || GetBoolMsg(Handle, scmdQuerySkinned))
        return false;
    const vcl::String className = ClassNameOf(Handle, CreateStruct);
    const auto style = DWORD(GetWindowLongW(Handle, GWL_STYLE));
    if ((style & WS_POPUP) && !(style & WS_BORDER))
        return false;
    if (FindFormInList(Handle))
        return false;
    if (TCustomForm* form = FindFormOnScreen(Handle))
        return AddForm(form, className);
    return false;
}

void FreeSupportedList()
{
    if (!acSupportedList)
        return;
    // Each provider empties its own entry as it goes.
    for (size_t i = 0; i < acSupportedList->size(); ++i)
        if (TacProvider* provider = (*acSupportedList)[i])
            provider->Free();
    acSupportedList.reset();
}

// ---------------------------------------------------------------------------------------------
// The provider

TacProvider::TacProvider(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

void TacProvider::BeforeDestruction()
{
    if (acSupportedList) {
        const auto entry = std::ranges::find(*acSupportedList, this);
        if (entry != acSupportedList->end())
            *entry = nullptr;
    }
    vcl::TComponent::BeforeDestruction();
}

void TacProvider::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == sp)
        sp = nullptr;
}

void TacProvider::InitForm(TCustomForm* Form)
{
    sp = vcl::Create<TsSkinProvider>(Form, true);
    sp->FreeNotification(this);
    sp->SetUseGlobalColor(false);
    const HWND handle = Form->Handle();
    if (AeroIsEnabled()) {
        if (!sp->Adapter)
            sp->Loaded();
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageW(handle, WM_NCPAINT, 0, 0);
    } else if (!IsIDERunning()) {
        UpdateWindow(handle);
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    // A form the hook skins never gets a skinned menu line.
    sp->SetMakeSkinMenu(false);
}

// ---------------------------------------------------------------------------------------------
// Look-ups

vcl::String GetWndClassName(HWND Handle)
{
    wchar_t name[128] = {};
    GetClassNameW(Handle, name, int(std::size(name)));
    return name;
}

TacProvider* FindFormInList(HWND Handle)
{
    if (!acSupportedList || !vcl::Application || vcl::Application->Terminated())
        return nullptr;
    const auto found = std::ranges::find_if(*acSupportedList, [&](const TacProvider* p) { return p && p->CtrlHandle == Handle; });
    return found == acSupportedList->end() ? nullptr : *found;
}

TCustomForm* FindFormOnScreen(HWND Handle)
{
    for (int i = vcl::Screen->CustomFormCount() - 1; i >= 0; --i) {
        TCustomForm* form = vcl::Screen->CustomForms(i);
        if (Destroying(form))
            continue;
        if (HandleIs(form, Handle))
            return form;
        if (form->FormStyle() == TFormStyle::fsMDIForm)
            for (int c = 0; c < form->MDIChildCount(); ++c)
                if (HandleIs(form->MDIChildren(c), Handle))
                    return form->MDIChildren(c);
    }
    return nullptr;
}

}  // namespace skin
