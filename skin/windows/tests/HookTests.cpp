// The window hook's form branch on real windows under the flat test skin: which forms get a
// provider when they are activated or created, how many, and how long the providers live.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "pump.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acDials.h"
#include "testpaths.h"
#include "vcl/application.h"
#include "vcl/forms.h"

namespace {

using skin::acSupportedList;
using skin::TacProvider;
using skin::TacSkinningRule;
using skin::TsSkinProvider;

// The flat test skin, written into the core tests' build folder.
vcl::String FlatSkinFolder()
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / "FLAT").wstring();
}

// The components of the form of class T.
template<class T>
std::vector<T*> OwnedOf(vcl::TComponent* Form)
{
    std::vector<T*> found;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<T*>(Form->Components(i)))
            found.push_back(c);
    return found;
}

// The entries of the list that hold a provider.
int ListedProviders()
{
    return acSupportedList ? int(std::ranges::count_if(*acSupportedList, [](TacProvider* p) { return p != nullptr; })) : 0;
}

// Records the components that went.
class TFreeWatch : public vcl::TComponent {
    CL_CLASS(TFreeWatch, vcl::TComponent)
public:
    using vcl::TComponent::TComponent;
    void Watch(vcl::TComponent* Component) { Component->FreeNotification(this); }
    bool Gone(vcl::TComponent* Component) const { return std::ranges::find(Freed, Component) != Freed.end(); }
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override
    {
        if (Operation == vcl::TOperation::opRemove)
            Freed.push_back(AComponent);
        vcl::TComponent::Notification(AComponent, Operation);
    }
    std::vector<vcl::TComponent*> Freed;
};

// Forms of the class names the hook looks at: the class library's message form, and a form the
// form skinning never skins.
class TMessageForm : public vcl::TForm {
    CL_CLASS(TMessageForm, vcl::TForm)
public:
    using vcl::TForm::TForm;
};
class TfcPopup : public vcl::TForm {
    CL_CLASS(TfcPopup, vcl::TForm)
public:
    using vcl::TForm::TForm;
};

class HookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Manager = skintest::LoadSkin(FlatSkinFolder());
        Manager->SendNewSkin(false);
        ASSERT_TRUE(skin::HookCallback);
        ASSERT_TRUE(acSupportedList);
    }
    void TearDown() override
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it)
            (*it)->Free();
        Manager.reset();
        testsupport::PumpFor(0);
    }

    // A form of class T and the border style with its window, not shown.
    template<class T = vcl::TForm>
    vcl::TForm* NewForm(intptr_t Tag = 0, vcl::TFormBorderStyle Style = vcl::TFormBorderStyle::bsSingle)
    {
        vcl::TForm* form = vcl::Create<T>(nullptr);
        form->SetTag(Tag);
        form->SetBorderStyle(Style);
        form->SetBounds(50, 50, 300, 200);
        form->SetCaption(L"Hooked");
        form->HandleNeeded();
        Forms.push_back(form);
        return form;
    }
    // The form shown, which activates it.
    template<class T = vcl::TForm>
    vcl::TForm* ShownForm(intptr_t Tag = 0, vcl::TFormBorderStyle Style = vcl::TFormBorderStyle::bsSingle)
    {
        vcl::TForm* form = NewForm<T>(Tag, Style);
        form->Show();
        testsupport::PumpFor(0);
        return form;
    }
    // A form whose window was made while the manager's rules let no form be skinned.
    vcl::TForm* FormMadeUnseen()
    {
        const skin::TacSkinningRules rules = Manager->SkinningRules();
        Manager->SetSkinningRules({});
        vcl::TForm* form = NewForm();
        Manager->SetSkinningRules(rules);
        EXPECT_TRUE(OwnedOf<TacProvider>(form).empty());
        return form;
    }
    void Forget(vcl::TForm* Form) { std::erase(Forms, Form); }

    vcl::TObjectPtr<skin::TsSkinManager> Manager;
    std::vector<vcl::TForm*> Forms;
};

TEST_F(HookTest, AnActivatedFormGetsOneProviderAlsoWhenOfferedAgain)
{
    vcl::TForm* form = ShownForm();
    ASSERT_EQ(OwnedOf<TacProvider>(form).size(), 1u);
    TacProvider* provider = OwnedOf<TacProvider>(form)[0];
    EXPECT_EQ(OwnedOf<TsSkinProvider>(form), std::vector<TsSkinProvider*>{provider->sp});
    EXPECT_EQ(provider->sp->Form, form);
    EXPECT_FALSE(provider->sp->UseGlobalColor());
    EXPECT_FALSE(provider->sp->MakeSkinMenu());
    EXPECT_EQ(ListedProviders(), 1);

    skin::AddSupportedForm(form->Handle());
    SetActiveWindow(GetDesktopWindow());
    SetActiveWindow(form->Handle());
    testsupport::PumpFor(0);
    EXPECT_EQ(OwnedOf<TacProvider>(form).size(), 1u);
    EXPECT_EQ(OwnedOf<TsSkinProvider>(form).size(), 1u);
    EXPECT_EQ(ListedProviders(), 1);
}

TEST_F(HookTest, FormsTheHookLeavesAloneGetNoProvider)
{
    // Every tag holding the bits of -98 marks the library's own auxiliary windows.
    for (intptr_t tag : {-98, -97, -66, -65, -34, -33, -2, -1}) {
        vcl::TForm* form = ShownForm(tag);
        EXPECT_TRUE(OwnedOf<TacProvider>(form).empty()) << tag;
        EXPECT_TRUE(OwnedOf<TsSkinProvider>(form).empty()) << tag;
    }
    // A popup window without a border: a borderless form.
    EXPECT_TRUE(OwnedOf<TacProvider>(ShownForm(0, vcl::TFormBorderStyle::bsNone)).empty());
    EXPECT_TRUE(OwnedOf<TacProvider>(ShownForm<TfcPopup>()).empty());
    EXPECT_EQ(ListedProviders(), 0);
    // A tag lacking one of those bits is an ordinary form.
    EXPECT_EQ(OwnedOf<TacProvider>(ShownForm(-99)).size(), 1u);
}

TEST_F(HookTest, TheManagersRulesDecideWhetherFormsAreSkinned)
{
    // The message form counts as a standard dialog, any other form as a standard form.
    Manager->SetSkinningRules({TacSkinningRule::srStdDialogs, TacSkinningRule::srThirdParty});
    EXPECT_TRUE(OwnedOf<TacProvider>(ShownForm()).empty());
    EXPECT_EQ(OwnedOf<TacProvider>(ShownForm<TMessageForm>()).size(), 1u);
    Manager->SetSkinningRules({TacSkinningRule::srStdForms});
    EXPECT_EQ(OwnedOf<TacProvider>(ShownForm()).size(), 1u);
    EXPECT_TRUE(OwnedOf<TacProvider>(ShownForm<TMessageForm>()).empty());
}

TEST_F(HookTest, AFormIsSkinnedWhenItsWindowIsMadeUnlessItIsStillLoading)
{
    EXPECT_EQ(OwnedOf<TacProvider>(NewForm()).size(), 1u);

    auto* form = vcl::Create<vcl::TForm>(nullptr);
    Forms.push_back(form);
    vcl::BeginLoading(form);
    form->HandleNeeded();
    EXPECT_TRUE(skin::AddSupportedForm(form->Handle()));
    EXPECT_TRUE(OwnedOf<TacProvider>(form).empty());
    vcl::EndLoading(form);
    EXPECT_TRUE(skin::AddSupportedForm(form->Handle()));
    EXPECT_EQ(OwnedOf<TacProvider>(form).size(), 1u);
}

// The hook's answer to a creation of the form's window with the class and styles given.
void OfferCreation(HWND Handle, const wchar_t* ClassName, DWORD Style, DWORD ExStyle)
{
    CREATESTRUCTW create{};
    create.lpszClass = ClassName;
    create.style = LONG(Style);
    create.dwExStyle = ExStyle;
    CBT_CREATEWNDW cbt{&create, nullptr};
    skin::SkinHookCBT(HCBT_CREATEWND, reinterpret_cast<WPARAM>(Handle), reinterpret_cast<LPARAM>(&cbt));
}

TEST_F(HookTest, ACreatedWindowIsHandedOnOnlyWithAClassNameAndBothStyles)
{
    struct Case {
        const wchar_t* ClassName;
        DWORD Style, ExStyle;
        size_t Providers;
    };
    const Case cases[] = {
        {L"TForm", WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW, 1},
        {L"TForm", 0, WS_EX_APPWINDOW, 0},
        {L"TForm", WS_OVERLAPPEDWINDOW, 0, 0},
        {MAKEINTATOM(0x8001), WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW, 0},
        {MAKEINTATOM(0xC100), WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW, 0},
    };
    for (const Case& c : cases) {
        vcl::TForm* form = FormMadeUnseen();
        OfferCreation(form->Handle(), c.ClassName, c.Style, c.ExStyle);
        EXPECT_EQ(OwnedOf<TacProvider>(form).size(), c.Providers) << c.Style << " " << c.ExStyle;
    }
}

TEST_F(HookTest, AUtilityWindowGetsNoProvider)
{
    const int before = ListedProviders();
    HWND util = vcl::AllocateHWnd(vcl::TWndMethod([](vcl::TMessage& m) { m.Result = DefWindowProcW(nullptr, m.Msg, m.WParam, m.LParam); }));
    ASSERT_EQ(skin::GetWndClassName(util), L"TPUtilWindow");
    EXPECT_EQ(ListedProviders(), before);
    EXPECT_FALSE(skin::AddSupportedForm(util));
    vcl::DeallocateHWnd(util);
}

TEST_F(HookTest, AProviderGoesWithItsFormAndLeavesAnEmptyEntry)
{
    vcl::TObjectPtr<TFreeWatch> watch(vcl::Create<TFreeWatch>(nullptr));
    vcl::TForm* first = ShownForm();
    vcl::TForm* second = ShownForm();
    TacProvider* provider = OwnedOf<TacProvider>(first)[0];
    TsSkinProvider* skinProvider = provider->sp;
    watch->Watch(provider);
    watch->Watch(skinProvider);

    Forget(first);
    first->Free();
    EXPECT_TRUE(watch->Gone(provider));
    EXPECT_TRUE(watch->Gone(skinProvider));
    ASSERT_EQ(acSupportedList->size(), 2u);
    EXPECT_EQ((*acSupportedList)[0], nullptr);
    EXPECT_EQ((*acSupportedList)[1], OwnedOf<TacProvider>(second)[0]);
    EXPECT_EQ(skin::FindFormOnScreen(second->Handle()), second);
}

TEST_F(HookTest, AProviderTheFormMakesLaterReplacesTheRunTimeOne)
{
    vcl::TForm* form = ShownForm();
    TacProvider* provider = OwnedOf<TacProvider>(form)[0];
    auto* own = vcl::Create<TsSkinProvider>(form);
    EXPECT_EQ(OwnedOf<TsSkinProvider>(form), std::vector<TsSkinProvider*>{own});
    EXPECT_EQ(provider->sp, nullptr);
    EXPECT_EQ(ListedProviders(), 1);
}

TEST_F(HookTest, TheManagerTakesTheHookAndItsProvidersWithIt)
{
    vcl::TObjectPtr<TFreeWatch> watch(vcl::Create<TFreeWatch>(nullptr));
    vcl::TForm* form = ShownForm();
    TacProvider* provider = OwnedOf<TacProvider>(form)[0];
    watch->Watch(provider);

    Manager.reset();
    EXPECT_EQ(skin::HookCallback, nullptr);
    EXPECT_EQ(acSupportedList, nullptr);
    EXPECT_TRUE(watch->Gone(provider));
    // The form keeps its skin provider, which follows the skin's removal itself.
    EXPECT_EQ(OwnedOf<TsSkinProvider>(form).size(), 1u);

    // Without the hook a new form stays as it is.
    EXPECT_TRUE(OwnedOf<TacProvider>(ShownForm()).empty());
}

}  // namespace
