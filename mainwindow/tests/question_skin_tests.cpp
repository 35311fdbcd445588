// The wizard question, a form without a skin provider of its own, takes its skinned frame from the
// window hook of the main window's skin manager.
#include "mainform_fixture.h"

#include "mainwindow/Mastersettingform.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acDials.h"

namespace {

// The components of the form of class T.
template<class T>
int OwnedCount(vcl::TComponent* Form)
{
    int count = 0;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        count += dynamic_cast<T*>(Form->Components(i)) != nullptr;
    return count;
}

TEST_F(MainformTest, TheWizardQuestionGetsOneProviderFromTheHookAlsoWhenOfferedAgain)
{
    ASSERT_TRUE(skin::HookCallback) << "the main window's skin is in force";
    vcl::TObjectPtr<TfrmMasterSetting> dialog(vcl::Create<TfrmMasterSetting>(vcl::Application));
    dialog->Show();
    testsupport::PumpFor(0);
    EXPECT_EQ(OwnedCount<skin::TacProvider>(dialog.get()), 1);
    EXPECT_EQ(OwnedCount<skin::TsSkinProvider>(dialog.get()), 1);

    skin::AddSupportedForm(dialog->Handle());
    EXPECT_EQ(OwnedCount<skin::TacProvider>(dialog.get()), 1);
    EXPECT_EQ(OwnedCount<skin::TsSkinProvider>(dialog.get()), 1);
    // The main window keeps the provider of its own.
    EXPECT_EQ(OwnedCount<skin::TacProvider>(Form()), 0);
}

}  // namespace
