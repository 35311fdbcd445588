// The skinned system menu: the window's own system menu mirrored, the standard items shown and
// enabled by the form, the application's commands, and the list of skins.
#include "ManagerTestSupport.h"
#include "ProviderFixtures.h"
#include "skin/core/sConst.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TLoggingForm;
using vcl::TBorderIcon;
using vcl::TFormBorderStyle;
using vcl::TMenuItem;

namespace {

// The items shown, by their names ("-" for a shown separator).
std::vector<vcl::String> ShownItems(TsSystemMenu* Menu)
{
    std::vector<vcl::String> shown;
    for (int i = 0; i < Menu->Items()->Count(); ++i) {
        TMenuItem* item = Menu->Items()->Items(i);
        if (item->Visible())
            shown.push_back(item->Caption() == L"-" ? vcl::String(L"-") : item->Name());
    }
    return shown;
}

}  // namespace

TEST_F(ProviderTest, ADialogsMenuShowsMoveAndClose)
{
    TsSystemMenu* menu = NewForm(TFormBorderStyle::bsDialog, {TBorderIcon::biSystemMenu})->Provider->SystemMenu.get();
    ASSERT_TRUE(menu);
    menu->UpdateItems(false);
    EXPECT_EQ(ShownItems(menu), (std::vector<vcl::String>{L"acIM", L"-", L"acIC"}));
}

TEST_F(ProviderTest, TheMainWindowsMenu)
{
    TsSystemMenu* menu = NewForm()->Provider->SystemMenu.get();
    menu->UpdateItems(false);
    EXPECT_EQ(ShownItems(menu), (std::vector<vcl::String>{L"acIR", L"acIM", L"acIS", L"acIN", L"-", L"acIC"}));
    EXPECT_FALSE(menu->ItemRestore->Enabled());
    EXPECT_FALSE(menu->ItemMaximize->Visible());
    EXPECT_FALSE(menu->ItemSize->Enabled());
    EXPECT_TRUE(menu->ItemMinimize->Enabled());
    EXPECT_EQ(menu->ItemClose->Tag(), SC_CLOSE);
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        const intptr_t command = menu->Items()->Items(i)->Tag();
        EXPECT_TRUE(command == 0 || command == SC_RESTORE || command == SC_MOVE || command == SC_SIZE ||
                    command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_CLOSE)
            << "nothing of the system's own beyond the standard commands: " << std::hex << command;
    }
}

TEST_F(ProviderTest, AWindowMenuWithoutCloseHidesClose)
{
    TLoggingForm* form = NewForm();
    DeleteMenu(GetSystemMenu(form->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    TsSystemMenu* menu = form->Provider->SystemMenu.get();
    menu->UpdateItems(true);
    EXPECT_FALSE(menu->ItemClose->Visible());
    EXPECT_EQ(menu->ItemClose->Caption(), LibraryText(acsClose)) << "the fallback caption";
}

TEST_F(ProviderTest, AnApplicationsCommandSitsBetweenTheSeparatorsAndItsClickIsPosted)
{
    TLoggingForm* form = NewForm();
    AppendMenuW(GetSystemMenu(form->Handle(), FALSE), MF_STRING, 0x120, L"Check\tCtrl+K");
    TsSystemMenu* menu = form->Provider->SystemMenu.get();
    menu->UpdateItems(true);
    EXPECT_EQ(menu->ExtItemsCount, 1);
    const int at = menu->ItemMaximize->MenuIndex() + 2;
    TMenuItem* check = menu->Items()->Items(at);
    EXPECT_EQ(check->Caption(), L"Check");
    EXPECT_EQ(check->ShortCut(), vcl::TextToShortCut(L"Ctrl+K"));
    EXPECT_EQ(menu->Items()->Items(at - 1)->Caption(), L"-");
    EXPECT_EQ(menu->Items()->Items(at + 1)->Caption(), L"-");
    EXPECT_EQ(menu->Items()->Items(at + 2), menu->ItemClose);

    std::vector<WPARAM> commands;
    const vcl::TWndMethod inner = form->Provider->OldWndProc;
    form->Provider->OldWndProc = [&commands, inner](vcl::TMessage& Message) {
        if (Message.Msg == WM_SYSCOMMAND)
            commands.push_back(Message.WParam);
        inner(Message);
    };
    check->Click();
    EXPECT_TRUE(commands.empty()) << "posted, not sent";
    testsupport::PumpUntil([&] { return !commands.empty(); }, 2000);
    form->Provider->OldWndProc = inner;
    EXPECT_EQ(commands, std::vector<WPARAM>{0x120});
}

TEST(SystemMenuSkins, ManySkinsBreakIntoColumnsOfTwentyAndAnInternalLabelEndsTheName)
{
    testsupport::InitializeApplication();
    skintest::TTempSkin dir;
    for (int i = 0; i < 44; ++i)
        skintest::WriteSkin(dir, "Skin" + std::to_string(100 + i), "[GLOBALINFO]\nVERSION=8\n[FORM]\nCOLOR=1\n");
    skintest::WriteSkin(dir, "Ours (internal)", "[GLOBALINFO]\nVERSION=8\n[FORM]\nCOLOR=2\n");
    auto manager = skintest::NewManager(dir.Folder());
    manager->SetSkinName(L"Skin100");
    vcl::TObjectPtr<TLoggingForm> form(vcl::Create<TLoggingForm>(nullptr));
    form->HandleNeeded();
    TsSkinProvider* provider = form->AddProvider();
    ASSERT_TRUE(provider->SystemMenu);
    TsSystemMenu* menu = provider->SystemMenu.get();
    menu->MakeSkinItems();
    menu->MakeSkinItems();
    TMenuItem* list = menu->Items()->Items(0);
    EXPECT_EQ(list->Name(), L"SkinSelectItem");
    EXPECT_EQ(list->Caption(), LibraryText(acsAvailSkins));
    EXPECT_EQ(menu->Items()->Items(1)->Caption(), L"-");
    EXPECT_NE(menu->Items()->Items(2)->Name(), L"SkinSelectItem") << "a second call replaces the list";
    ASSERT_EQ(list->Count(), 45);
    for (int i = 0; i < 45; ++i)
        EXPECT_EQ(list->Items(i)->Break() == vcl::TMenuBreak::mbBreak, i == 20 || i == 40) << i;
    TMenuItem* ours = nullptr;
    for (int i = 0; i < list->Count(); ++i) {
        TMenuItem* skin = list->Items(i);
        EXPECT_TRUE(skin->RadioItem());
        EXPECT_EQ(skin->Checked(), skin->Caption() == L"Skin100") << i;
        if (skin->Caption() == L"Ours (internal)")
            ours = skin;
    }
    ASSERT_TRUE(ours);
    ours->SetCaption(L"Ours (inter&nal) as shipped");
    menu->SkinSelect(ours);
    EXPECT_EQ(manager->SkinName(), L"Ours (internal)");
}
