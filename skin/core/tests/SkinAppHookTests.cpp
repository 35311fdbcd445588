// The default manager's watch on the application window: the show state of system commands, the
// redraw on activation, theme changes, the taskbar's window menu, restoring under desktop
// composition and the bounded wait for a hide animation.
#include <gtest/gtest.h>

#include <vector>

#include "ManagerTestSupport.h"
#include "SkinTestControls.h"
#include "pump.h"
#include "skin/core/sVclUtils.h"
#include "vcl/seams.h"

using namespace skin;
using skintest::NewManager;
using skintest::TLoggingForm;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;

namespace {

// A provider that records where it was asked to drop its system menu.
class TMenuProvider : public TsSkinProvider {
    CL_CLASS(TMenuProvider, TsSkinProvider)
public:
    using TsSkinProvider::TsSkinProvider;
    std::vector<vcl::TPoint> Drops;
    void DropSysMenu(int X, int Y) override { Drops.emplace_back(X, Y); }
};

class SkinAppHook : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        WriteSkin(Dir, "S", "[GLOBALINFO]\nVERSION=8\n");
        Manager = NewManager(Dir.Folder());
        Manager->SetSkinName(L"S");
    }
    void TearDown() override
    {
        if (Main)
            Main->Free();
        vcl::Application->SetMainFormOnTaskBar(false);
        vcl::Seams() = Saved;
        Manager.reset();
        testsupport::PumpFor(0);
    }
    // The application's main form, shown, with a recording provider.
    TMenuProvider* MakeMainForm()
    {
        vcl::Application->CreateForm(Main);
        Main->SetBounds(100, 100, 200, 150);
        Main->Show();
        return Main->AddProvider<TMenuProvider>();
    }
    bool Hook(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0)
    {
        vcl::TMessage message{Msg, WParam, LParam, 0};
        return Manager->MainWindowHook(message);
    }

    TTempSkin Dir;
    TManagerPtr Manager;
    TLoggingForm* Main = nullptr;
    const vcl::TSystemSeams Saved = vcl::Seams();
};

}  // namespace

TEST_F(SkinAppHook, SystemCommandsSetTheShowStateWhileASkinIsInForce)
{
    // The provider paints no frame: minimising is left to the application, restoring happens here
    // (without desktop composition).
    MakeMainForm()->SetDrawNonClientArea(false);
    vcl::Seams().CompositionEnabled = [] { return false; };
    const struct {
        WPARAM Command;
        TShowAction State;
        bool Handled;
    } cases[] = {
        {SC_MINIMIZE, TShowAction::saMinimize, false}, {SC_RESTORE, TShowAction::saRestore, true},
        {SC_MAXIMIZE, TShowAction::saIgnore, false},   {SC_RESTORE | 2, TShowAction::saRestore, true},
        {SC_CLOSE, TShowAction::saIgnore, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        EXPECT_EQ(Hook(WM_SYSCOMMAND, c.Command), c.Handled);
        EXPECT_EQ(Manager->ShowState, c.State);
    }
    EXPECT_FALSE(IsIconic(vcl::Application->Handle()));

    Manager->SetActive(false);
    EXPECT_FALSE(Hook(WM_SYSCOMMAND, SC_MINIMIZE));
    EXPECT_EQ(Manager->ShowState, TShowAction::saIgnore);
}

TEST_F(SkinAppHook, ActivationRedrawsEveryFormAndThemeChangesAreSwallowed)
{
    std::vector<TLoggingForm*> forms;
    for (int i = 0; i < 2; ++i) {
        forms.push_back(vcl::Create<TLoggingForm>(vcl::Application));
        forms.back()->HandleNeeded();
    }
    EXPECT_FALSE(Hook(vcl::CM_ACTIVATE));
    for (TLoggingForm* form : forms)
        EXPECT_EQ(form->Log.Count(scmdRedraw), 1);
    EXPECT_TRUE(Hook(WM_THEMECHANGED));
    EXPECT_FALSE(Hook(WM_SETTINGCHANGE));
    for (TLoggingForm* form : forms)
        form->Free();
}

TEST_F(SkinAppHook, TheTaskbarsMenuRequestReachesTheMainFormsProvider)
{
    vcl::Seams().CursorPos = [] { return vcl::TPoint(321, 45); };
    EXPECT_FALSE(Hook(0x313));  // no main form

    TMenuProvider* provider = MakeMainForm();
    EXPECT_FALSE(Hook(0x313));  // the main form is not on the taskbar
    EXPECT_TRUE(provider->Drops.empty());

    vcl::Application->SetMainFormOnTaskBar(true);
    EXPECT_TRUE(Hook(0x313));
    EXPECT_EQ(provider->Drops, std::vector<vcl::TPoint>{vcl::TPoint(321, 45)});

    provider->Free();
    EXPECT_FALSE(Hook(0x313));  // a form without provider
}

TEST_F(SkinAppHook, RestoringUnderDesktopCompositionRestoresTheApplicationHere)
{
    MakeMainForm();
    Manager->AnimEffects()->Minimizing()->SetActive(false);
    bool composition = false;
    vcl::Seams().CompositionEnabled = [&] { return composition; };
    EXPECT_FALSE(Hook(WM_SYSCOMMAND, SC_RESTORE));
    composition = true;
    EXPECT_TRUE(Hook(WM_SYSCOMMAND, SC_RESTORE));
    vcl::Application->SetMainFormOnTaskBar(true);
    EXPECT_FALSE(Hook(WM_SYSCOMMAND, SC_RESTORE));
}

TEST_F(SkinAppHook, AManagerFreedAfterAnotherBecameTheDefaultNoLongerWatchesTheApplicationWindow)
{
    // The first manager of a started-up engine watches the application window.
    InitSkinManagerUnit();
    Manager.reset();
    Manager = NewManager(Dir.Folder());
    Manager->SetSkinName(L"S");
    ASSERT_TRUE(Manager->IsDefault());
    auto* form = vcl::Create<TLoggingForm>(vcl::Application);
    form->HandleNeeded();
    SendMessageW(vcl::Application->Handle(), vcl::CM_ACTIVATE, 0, 0);
    ASSERT_EQ(form->Log.Count(scmdRedraw), 1) << "the first manager watches the application window";

    TManagerPtr second = NewManager(Dir.Folder());
    second->SetSkinName(L"S");
    second->SetIsDefault(true);
    Manager.reset();
    SendMessageW(vcl::Application->Handle(), vcl::CM_ACTIVATE, 0, 0);
    EXPECT_EQ(form->Log.Count(scmdRedraw), 1) << "nothing of the freed manager answers";
    second.reset();
    form->Free();
}

TEST(SkinAnimationWait, AFlagLeftSetEndsTheWaitAfterTheAnimationsTime)
{
    InAnimationProcess = true;
    WaitForAnimationEnd(20);
    EXPECT_TRUE(InAnimationProcess);  // the wait gave up; it does not clear what it does not own
    InAnimationProcess = false;
}
