// The MDI form object of an MDI main form's provider: made once with the provider, its client
// window wrapped once per connection, none at design time and none for an unskinned provider.
#include "MDIFixtures.h"
#include "skin/core/sSkinMenus.h"
#include "skin/forms/sMDIForm.h"

using namespace skin;

namespace {

// A wrapper that only counts the living ones.
struct TCountedWrapper : TacMDIClientWrapper {
    explicit TCountedWrapper(int& Alive) : FAlive(Alive) { ++FAlive; }
    ~TCountedWrapper() override { --FAlive; }
    int& FAlive;
};

// A form the designer holds.
class TDesignedForm : public vcl::TForm {
    CL_CLASS(TDesignedForm, vcl::TForm)
public:
    using vcl::TForm::TForm;
    void MarkDesigning()
    {
        vcl::TComponentState state = ComponentState();
        state << vcl::TComponentStateItem::csDesigning;
        SetComponentState(state);
    }
};

class MDIFormTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        FSaved = MDIWrapperFactory();
        MDIWrapperFactory() = [this](HWND Client, TsSkinManager* SkinManager, TsSkinProvider* Provider) {
            ++Made;
            EXPECT_NE(Client, nullptr);
            EXPECT_EQ(SkinManager, Manager.get());
            EXPECT_NE(Provider, nullptr);
            return std::unique_ptr<TacMDIClientWrapper>(std::make_unique<TCountedWrapper>(Alive));
        };
    }
    void TearDown() override
    {
        MdiSkinTest::TearDown();
        MDIWrapperFactory() = FSaved;
    }
    // A hidden MDI main form with its provider.
    skintest::TLoggingForm* NewMDIForm()
    {
        auto* form = vcl::Create<skintest::TLoggingForm>(nullptr);
        Forms.push_back(form);
        form->SetFormStyle(vcl::TFormStyle::fsMDIForm);
        form->SetBounds(100, 100, 400, 300);
        form->HandleNeeded();
        form->AddProvider();
        return form;
    }

    int Made = 0;
    int Alive = 0;

private:
    TacMDIWrapperFactory FSaved;
};

}  // namespace

TEST_F(MDIFormTest, AnMDIMainFormsProviderWrapsTheClientOnce)
{
    skintest::TLoggingForm* form = NewMDIForm();
    TsSkinProvider* provider = form->Provider;
    ASSERT_NE(provider->MDIForm, nullptr);
    EXPECT_EQ(MDISkinProvider, provider);
    EXPECT_EQ(provider->MDIForm->FForm, form);
    EXPECT_EQ(Made, 1);
    TacMDIClientWrapper* first = provider->MDIForm->ListSW.get();
    provider->MDIForm->ConnectToClient();
    provider->MDIForm->ConnectToClient();
    EXPECT_EQ(Made, 1);
    EXPECT_EQ(provider->MDIForm->ListSW.get(), first);
    EXPECT_EQ(Alive, 1);
}

TEST_F(MDIFormTest, AFormWithoutMDIStyleHasNoMDIFormObject)
{
    skintest::TLoggingForm* form = NewForm();
    EXPECT_EQ(form->Provider->MDIForm, nullptr);
    EXPECT_EQ(Made, 0);
}

TEST_F(MDIFormTest, AtDesignTimeNoWrapperIsMade)
{
    auto* form = vcl::Create<TDesignedForm>(nullptr);
    Forms.push_back(form);
    form->SetFormStyle(vcl::TFormStyle::fsMDIForm);
    form->HandleNeeded();
    auto* provider = vcl::Create<TsSkinProvider>(form);
    ASSERT_EQ(Made, 1) << "the provider's own connection";
    provider->HookMDI(false);
    ASSERT_EQ(Alive, 0);
    form->MarkDesigning();
    TsMDIForm designed(provider);
    designed.ConnectToClient();
    EXPECT_EQ(designed.ListSW, nullptr);
    EXPECT_EQ(Made, 1);
}

TEST_F(MDIFormTest, AnUnskinnedProviderFreesTheWrapper)
{
    skintest::TLoggingForm* form = NewMDIForm();
    // An object of the test's own: the skin's removal frees the provider's.
    TsMDIForm mdi(form->Provider);
    mdi.ConnectToClient();
    ASSERT_EQ(Alive, 2);
    Manager->SendRemoveSkin();
    EXPECT_EQ(form->Provider->MDIForm, nullptr);
    ASSERT_EQ(Alive, 1);
    form->Provider->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    ASSERT_FALSE(form->Provider->SkinData()->Skinned());
    mdi.RefreshMDIScrolls();
    EXPECT_EQ(mdi.ListSW, nullptr);
    EXPECT_EQ(Alive, 0);
}

TEST_F(MDIFormTest, FreeingTheProviderFreesTheWrapperAndForgetsTheMDIProvider)
{
    skintest::TLoggingForm* form = NewMDIForm();
    ASSERT_EQ(Alive, 1);
    form->Provider->Free();
    form->Provider = nullptr;
    EXPECT_EQ(Alive, 0);
    EXPECT_EQ(MDISkinProvider, nullptr);
}
