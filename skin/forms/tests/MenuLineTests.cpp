// The menu line of a skinned form, read back from the provider's cache: its section under the bar
// items, the forms that get none, the system's bar kept in step, and an MDI form's window list.
#include "MDIFixtures.h"
#include "pngfile.h"

#include <filesystem>
#include <memory>
#include <string>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/actnlist.h"
#include "vcl/application.h"
#include "vcl/menus.h"

using namespace skin;
using skintest::AddItem;
using skintest::TLoggingForm;
using skintest::TMDIMain;
using skintest::TOwnApplication;
using vcl::TFormBorderStyle;
using vcl::TMenuItem;

namespace {

constexpr int MdiArea = 5;

// What the skinned painter hands on after painting a bar item; its bitmap is filled with Colour.
struct TPainterLog {
    vcl::TColor Colour = vcl::TColor(0x0000FF);
    std::vector<vcl::TObject*> Items;
    vcl::TOwnerDrawState State;
    std::vector<vcl::TOwnerDrawState> States;  // of each item in Items
    void Painted(vcl::TObject* Sender, vcl::TCanvas* ACanvas, const vcl::TRect& ARect, vcl::TOwnerDrawState AState,
                 TsMenuItemType Type)
    {
        if (Type != TsMenuItemType::smTopLine)
            return;
        Items.push_back(Sender);
        State = AState;
        States.push_back(AState);
        FillDC(ACanvas->Handle(), ARect, Colour);
    }
};

// The bar item at Position in cache coordinates (standard layout: the window's own).
vcl::TRect BarItemRect(vcl::TCustomForm* Form, int Position)
{
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(Form->Handle(), GetMenu(Form->Handle()), UINT(Position), &r));
    return vcl::TRect(r.left, r.top, r.right, r.bottom).Offsetted(-Form->Left(), -Form->Top());
}

// Forms with a main menu of two items ("&File" and "&Edit", each with one sub-item).
template <class TBase>
class TMenuFormTest : public TBase {
protected:
    TLoggingForm* MenuForm(TFormBorderStyle Style = TFormBorderStyle::bsSizeable)
    {
        TLoggingForm* form = this->NewForm(Style, {vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMinimize});
        Menu = vcl::Create<vcl::TMainMenu>(form);
        File = AddItem(form, Menu->Items(), L"&File");
        AddItem(form, File, L"Open");
        AddItem(form, AddItem(form, Menu->Items(), L"&Edit"), L"Copy");
        form->SetMenu(Menu);
        return form;
    }
    // The menu line's first row in the cache, and a pixel of it far right of the items.
    static int LineTop(TsSkinProvider* Provider) { return Provider->FrameLayout().MenuTop(); }
    static uint32_t LineRight(TsSkinProvider* Provider, const TPixelView& Pixels)
    {
        return skintest::Rgb(Pixels, Pixels.Width - 40, LineTop(Provider) + 2);
    }
    static vcl::TRect ItemRect(vcl::TCustomForm* Form, int Position) { return BarItemRect(Form, Position); }

    vcl::TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
};

using MenuLineTest = TMenuFormTest<skintest::MdiSkinTest>;
using MenuLineWithoutSectionTest = TMenuFormTest<skintest::ProviderTest>;

}  // namespace

TEST_F(MenuLineTest, TheLineIsPaintedInItsSectionWithTheBarItemsOverIt)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    ASSERT_TRUE(provider->MenuPresent());
    const TPixelView pixels = Render(provider);
    EXPECT_EQ(LineRight(provider, pixels), skintest::FlatColour(skintest::MdiMenuLine, 0));
    EXPECT_TRUE(File->OnAdvancedDrawItem()) << "the bar items are hooked on the way";
    for (int position = 0; position < 2; ++position) {
        SCOPED_TRACE(position);
        const vcl::TRect r = ItemRect(form, position);
        ASSERT_FALSE(r.IsEmpty());
        EXPECT_EQ(skintest::Rgb(pixels, r.left + 1, r.top + 1), skintest::FlatColour(skintest::MdiMenuItem, 0));
    }
    EXPECT_EQ(provider->MenuLineBmp->Height(), provider->GetLinesCount() * provider->MenuHeight() + 1);
}

TEST_F(MenuLineTest, FormsWithoutAMenuLineGetNone)
{
    struct TCase {
        const char* Name;
        TFormBorderStyle Style;
        bool AutoMerge;
        bool Hidden;
    };
    const TCase cases[] = {{"AutoMerge", TFormBorderStyle::bsSizeable, true, false},
                           {"a dialog", TFormBorderStyle::bsDialog, false, false},
                           {"every item hidden", TFormBorderStyle::bsSizeable, false, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLoggingForm* form = MenuForm(c.Style);
        Menu->SetAutoMerge(c.AutoMerge);
        if (c.Hidden)
            for (int i = 0; i < Menu->Items()->Count(); ++i)
                Menu->Items()->Items(i)->SetVisible(false);
        TsSkinProvider* provider = form->Provider;
        EXPECT_FALSE(provider->MenuPresent());
        const TPixelView pixels = Render(provider);
        const int y = LineTop(provider) + 2;
        for (int x = 0; x < pixels.Width; ++x)
            ASSERT_NE(skintest::Rgb(pixels, x, y), skintest::FlatColour(skintest::MdiMenuLine, 0)) << x;
    }
}

TEST_F(MenuLineWithoutSectionTest, WithoutTheSectionTheFormShowsAndTheItemsAreStillDrawn)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    TPainterLog log;
    Manager->SkinableMenus()->SetOnDrawItem({&log, &TPainterLog::Painted});
    const TPixelView pixels = Render(provider);
    Manager->SkinableMenus()->SetOnDrawItem(nullptr);
    EXPECT_EQ(LineRight(provider, pixels), skintest::FlatColour(skintest::FormSection, provider->FormActive ? 1 : 0));
    ASSERT_EQ(log.Items.size(), 2u);
    EXPECT_EQ(log.Items[0], File);
    EXPECT_EQ(log.State, vcl::OwnerDrawState(0x500));
    const vcl::TRect r = ItemRect(form, 0);
    EXPECT_EQ(skintest::Rgb(pixels, r.left + 2, r.top + 2), 0xFF0000u) << "the item reaches the cache";
}

TEST_F(MenuLineTest, RepaintingOneItemDrawsItInItsStateOnTheCacheAndTheWindow)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    form->Show();
    testsupport::PumpFor(0);
    Render(provider);
    const vcl::TRect r = ItemRect(form, 0);
    ASSERT_FALSE(r.IsEmpty());
    const uint32_t hot = skintest::FlatColour(skintest::MdiMenuItem, 1);
    auto* popup = vcl::Create<vcl::TPopupMenu>(form);
    TMenuItem* foreign = AddItem(form, popup->Items(), L"Other");
    foreign->SetOnAdvancedDrawItem(File->OnAdvancedDrawItem());
    provider->RepaintMenuItem(foreign, r, {vcl::TOwnerDrawStateItem::odSelected});
    const TPixelView pixels = PixelsOf(provider->SkinData()->FCacheBmp.get());
    EXPECT_NE(skintest::Rgb(pixels, r.left + 1, r.top + 1), hot) << "an item of another menu";

    provider->RepaintMenuItem(File, r, {vcl::TOwnerDrawStateItem::odSelected});
    EXPECT_EQ(skintest::Rgb(pixels, r.left + 1, r.top + 1), hot);
    const testsupport::TGrab shot = testsupport::Grab(form->Handle());
    EXPECT_EQ(shot.Pixel(r.left + 1, r.top + 1), COLORREF(RGB(hot >> 16, hot >> 8 & 0xFF, hot & 0xFF)));
}

TEST_F(MenuLineTest, UpdateMenuNestedInItselfAnswersFalse)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    std::vector<bool> nested;
    Menu->SetOnChange(vcl::TMenuChangeEvent(
        [&](vcl::TObject*, TMenuItem*, bool) { nested.push_back(provider->UpdateMenu()); }));
    EXPECT_TRUE(provider->UpdateMenu());
    ASSERT_FALSE(nested.empty());
    EXPECT_EQ(std::count(nested.begin(), nested.end(), true), 0);
    Menu->SetOnChange(nullptr);
    Menu->Items()->Clear();
    EXPECT_FALSE(provider->UpdateMenu()) << "a menu without items";
}

TEST_F(MenuLineTest, AMenuChangeCountsTheLinesAgainAndRepaintsTheLine)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    Render(provider);
    provider->GetLinesCount();
    ASSERT_NE(provider->FLinesCount, -1);
    provider->RepaintMenu();
    EXPECT_EQ(provider->FLinesCount, -1);
    EXPECT_TRUE(provider->MenuChanged);
    EXPECT_TRUE(provider->SkinData()->BGChanged);

    // Shown, the form repaints its frame as soon as the system shows the changed bar.
    form->Show();
    testsupport::PumpFor(0);
    TMenuItem* help = AddItem(form, Menu->Items(), L"&Help");
    AddItem(form, help, L"About");
    testsupport::PumpFor(0);
    EXPECT_FALSE(provider->MenuChanged);
    const vcl::TRect r = ItemRect(form, 2);
    ASSERT_FALSE(r.IsEmpty());
    const TPixelView pixels = PixelsOf(provider->SkinData()->FCacheBmp.get());
    EXPECT_EQ(skintest::Rgb(pixels, r.left + 1, r.top + 1), skintest::FlatColour(skintest::MdiMenuItem, 0))
        << "the new item is painted in the line";
}

TEST_F(MenuLineTest, MenuLineSkinTakesEffectAtTheNextFullRender)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    Render(provider);
    provider->SetMenuLineSkin(L"MDIAREA");
    TPixelView pixels = PixelsOf(provider->SkinData()->FCacheBmp.get());
    EXPECT_EQ(LineRight(provider, pixels), skintest::FlatColour(skintest::MdiMenuLine, 0)) << "nothing repainted";
    pixels = Render(provider);
    EXPECT_EQ(LineRight(provider, pixels), skintest::FlatColour(MdiArea, 0));
    provider->SetMenuLineSkin(L"NOSUCHSECTION");
    pixels = Render(provider);
    EXPECT_EQ(LineRight(provider, pixels), skintest::FlatColour(skintest::MdiMenuLine, 0)) << "an unknown section";
}

TEST_F(MenuLineTest, ABarItemMeasuredByTheSystemIsTakenOverAgain)
{
    TLoggingForm* form = MenuForm();
    form->Provider->InitMenuItems(true);
    ASSERT_TRUE(File->OnMeasureItem());
    File->SetOnMeasureItem(nullptr);
    File->SetOnAdvancedDrawItem(nullptr);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = File->Command();
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_TRUE(File->OnMeasureItem() == vcl::TMenuMeasureItemEvent(Manager->SkinableMenus(),
                                                                    &TsSkinableMenus::sMeasureLineItem));
    EXPECT_TRUE(File->OnAdvancedDrawItem() == vcl::TAdvancedMenuDrawItemEvent(Manager->SkinableMenus(),
                                                                              &TsSkinableMenus::sAdvancedDrawLineItem));
}

TEST_F(MenuLineTest, OpeningTheSystemMenuGraysSizingAndAnyOtherPopupStopsHooking)
{
    TLoggingForm* form = MenuForm();
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, SC_SIZE, L"Size");
    acCanHookMenu = true;
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(GetMenuState(popup, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED) << "the system menu";
    EXPECT_TRUE(acCanHookMenu);
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(File->Handle()), 0);
    EXPECT_FALSE(acCanHookMenu);
    DestroyMenu(popup);
}

TEST_F(MenuLineTest, TheFormsMenusAndThoseOfItsFramesAreHookedAndUnhooked)
{
    TLoggingForm* form = MenuForm();
    TsSkinProvider* provider = form->Provider;
    TMenuItem* open = File->Items(0);
    auto* popup = vcl::Create<vcl::TPopupMenu>(form);
    TMenuItem* cut = AddItem(form, popup->Items(), L"Cut");
    auto* frame = vcl::Create<vcl::TFrame>(form);
    auto* framePopup = vcl::Create<vcl::TPopupMenu>(frame);
    TMenuItem* paste = AddItem(frame, framePopup->Items(), L"Paste");
    const vcl::TAdvancedMenuDrawItemEvent line(Manager->SkinableMenus(), &TsSkinableMenus::sAdvancedDrawLineItem);
    const vcl::TAdvancedMenuDrawItemEvent item(Manager->SkinableMenus(), &TsSkinableMenus::sAdvancedDrawItem);
    const auto hooked = [&] {
        return std::vector<bool>{File->OnAdvancedDrawItem() == line, Menu->OwnerDraw(), open->OnAdvancedDrawItem() == item,
                                 popup->OwnerDraw(), cut->OnAdvancedDrawItem() == item, framePopup->OwnerDraw(),
                                 paste->OnAdvancedDrawItem() == item};
    };
    const std::vector<bool> all(7, true), none(7, false);

    provider->InitMenuItems(false);
    ASSERT_EQ(hooked(), none);
    provider->InitMenuItems(true);
    EXPECT_EQ(hooked(), all);
    skintest::Ask(form, scmdSkinRemoved, reinterpret_cast<LPARAM>(Manager.get()));
    EXPECT_EQ(hooked(), none) << "the skin removed";
}

// ---------------------------------------------------------------------------------------------
// An MDI form's window menu

namespace {

class MDIWindowMenuTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        App = std::make_unique<TOwnApplication>();
        Main = App->MainForm(WindowMenu);
    }
    void TearDown() override
    {
        App.reset();
        MdiSkinTest::TearDown();
    }
    TLoggingForm* NewChild(const wchar_t* Caption) { return App->NewChild(Caption); }
    // The window menu opens.
    void OpenWindowMenu()
    {
        SendMessageW(Main->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(WindowMenu->Handle()), 1);
    }
    // The popup's entries: "-" for a separator, else the text.
    std::vector<std::wstring> Entries()
    {
        std::vector<std::wstring> entries;
        const HMENU popup = WindowMenu->Handle();
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(popup, UINT(i), TRUE, &info);
            wchar_t text[64] = {};
            GetMenuStringW(popup, UINT(i), text, 64, MF_BYPOSITION);
            entries.emplace_back(info.fType & MFT_SEPARATOR ? L"-" : text);
        }
        return entries;
    }

    std::unique_ptr<TOwnApplication> App;
    TMDIMain* Main = nullptr;
    TMenuItem* WindowMenu = nullptr;
};

}  // namespace

TEST_F(MDIWindowMenuTest, TheWindowMenuListsTheVisibleChildrenAfterOneSeparator)
{
    TLoggingForm* first = NewChild(L"First");
    first->AddProvider();
    auto* childMenu = vcl::Create<vcl::TMainMenu>(first);
    AddItem(first, childMenu->Items(), L"&Edit");
    first->SetMenu(childMenu);
    EXPECT_FALSE(first->Provider->MenuPresent()) << "an MDI child has no menu line of its own";
    TLoggingForm* second = NewChild(L"Second");
    TLoggingForm* hidden = NewChild(L"Hidden");
    hidden->Hide();
    SendMessageW(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second->Handle()), 0);
    testsupport::PumpFor(0);
    ASSERT_EQ(Main->ActiveMDIChild(), second);

    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        OpenWindowMenu();
        const std::vector<std::wstring> expected = {L"Tile", L"-", L"Second", L"First"};
        EXPECT_EQ(Entries(), expected);
        ASSERT_EQ(WindowMenu->Count(), 4);
        for (int i = 2; i < 4; ++i) {
            TMenuItem* item = WindowMenu->Items(i);
            EXPECT_EQ(Main->MDIChildren(int(item->Tag() & ~WindowListTag)) , i == 2 ? second : first);
            EXPECT_TRUE(item->Tag() & WindowListTag);
            EXPECT_EQ(item->Checked(), i == 2);
        }
    }
    WindowMenu->Items(3)->Click();
    testsupport::PumpFor(0);
    EXPECT_EQ(Main->ActiveMDIChild(), first) << "the chosen child comes to the front";

    // The list lives until the next popup opens, whichever it is.
    SendMessageW(Main->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Main->Menu()->Items()->Items(0)->Handle()),
                 0);
    ASSERT_EQ(WindowMenu->Count(), 2) << "the separator stays for the next opening";
    EXPECT_EQ(WindowMenu->Items(0)->Caption(), L"Tile");
}

TEST_F(MDIWindowMenuTest, OpeningTheWindowMenuUpdatesItsItemsActions)
{
    NewChild(L"Only");
    TMenuItem* tile = WindowMenu->Items(0);
    auto* action = vcl::Create<vcl::TAction>(Main);
    action->SetCaption(L"Tile");
    action->SetOnUpdate(vcl::TNotifyEvent([&](vcl::TObject*) { action->SetEnabled(false); }));
    tile->SetAction(action);
    ASSERT_TRUE(tile->Enabled());
    OpenWindowMenu();
    EXPECT_FALSE(tile->Enabled());
}

TEST_F(MDIWindowMenuTest, AMaximisedChildPutsItsIconFirstAndItsButtonsUnderACoverDuringMenuLoops)
{
    TLoggingForm* child = NewChild(L"Big");
    SendMessageW(child->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
    SendMessageW(Main->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    testsupport::PumpFor(0);
    ASSERT_TRUE(ChildIconPresent());
    TsSkinProvider* provider = Main->Provider;
    const TPixelView pixels = Render(provider);
    // The child's system menu holds the bar's first place: "&File" is second, "&Window" third.
    const vcl::TRect window = BarItemRect(Main, 2);
    ASSERT_FALSE(window.IsEmpty());
    EXPECT_EQ(skintest::Rgb(pixels, window.left + 1, window.top + 1), skintest::FlatColour(skintest::MdiMenuItem, 0));
    const int size = provider->MenuHeight() - 2;
    const int left = SysBorderWidth(Main->Handle(), nullptr, true) + 1;
    const int top = provider->FrameLayout().MenuTop() + 1;
    int drawn = 0;
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x)
            drawn += skintest::Rgb(pixels, x, y) != skintest::FlatColour(skintest::MdiMenuLine, 0) &&
                     skintest::Rgb(pixels, x, y) != skintest::FlatColour(skintest::MdiMenuItem, 0);
    EXPECT_GT(drawn, 0) << "the child's icon at the start of the line";

    SendMessageW(Main->Handle(), WM_ENTERMENULOOP, 0, 0);
    ASSERT_NE(MDIIconsForm, nullptr);
    EXPECT_TRUE(provider->InMenu);
    EXPECT_EQ(MDIIconsForm->Name(), L"acMDIIcons");
    EXPECT_EQ(MDIIconsForm->Tag(), -98);
    RECT cover{};
    GetWindowRect(MDIIconsForm->Handle(), &cover);
    const int border = SysBorderWidth(Main->Handle(), nullptr, false);
    EXPECT_EQ(cover.left, Main->Left() + Main->Width() - border - 60);
    EXPECT_EQ(cover.top, Main->Top() + border + SysCaptHeight(Main));
    EXPECT_EQ(cover.right - cover.left, 60);
    EXPECT_EQ(cover.bottom - cover.top, GetSystemMetrics(SM_CYMENU) + 3);
    RedrawWindow(MDIIconsForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpFor(0);
    const testsupport::TGrab shown = testsupport::Grab(MDIIconsForm->Handle());
    const uint32_t under = skintest::Rgb(PixelsOf(provider->SkinData()->FCacheBmp.get()),
                                         cover.left - Main->Left() + 30, cover.top - Main->Top() + 5);
    EXPECT_EQ(shown.Pixel(30, 5), COLORREF(RGB(under >> 16, under >> 8 & 0xFF, under & 0xFF)))
        << "the cover shows the cache's pixels beneath it";
    SendMessageW(Main->Handle(), WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(MDIIconsForm, nullptr);
    EXPECT_FALSE(provider->InMenu);
}

TEST_F(MDIWindowMenuTest, TheActiveChildsItemsStandInTheLineAndContinueOnTheNextRowWhenTheyDoNotFit)
{
    WindowMenu->SetGroupIndex(9);
    TLoggingForm* child = NewChild(L"Editor");
    child->AddProvider();
    auto* childMenu = vcl::Create<vcl::TMainMenu>(child);
    std::vector<TMenuItem*> commands;
    for (int i = 0; i < 8; ++i) {
        commands.push_back(AddItem(child, childMenu->Items(), (L"&Command number " + std::to_wstring(i)).c_str()));
        commands.back()->SetGroupIndex(5);
        AddItem(child, commands.back(), L"Run");
    }
    // A hidden item of the form's group still takes the group: "&File" leaves the bar.
    TMenuItem* hidden = AddItem(child, childMenu->Items(), L"Hidden");
    hidden->SetVisible(false);
    child->SetMenu(childMenu);
    child->Provider->InitMenuItems(true);
    testsupport::PumpFor(0);
    TsSkinProvider* provider = Main->Provider;
    provider->RepaintMenu();
    const TPixelView pixels = Render(provider);

    const int lines = provider->GetLinesCount();
    ASSERT_GT(lines, 1) << "eight long captions do not fit in one row";
    EXPECT_EQ(provider->MenuLineBmp->Height(), lines * provider->MenuHeight() + 1);
    const HMENU bar = GetMenu(Main->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 8 + 1) << "the child's visible items before \"&Window\"";
    const vcl::TRect first = BarItemRect(Main, 0);
    const vcl::TRect last = BarItemRect(Main, 7);
    EXPECT_GE(last.top, first.bottom) << "the child's last item on a later row";
    EXPECT_EQ(skintest::Rgb(pixels, last.left + 1, last.top + 1), skintest::FlatColour(skintest::MdiMenuItem, 0));
    // The line's own background, kept before the items were painted over it.
    const TPixelView line = PixelsOf(provider->MenuLineBmp.get());
    EXPECT_EQ(skintest::Rgb(line, line.Width / 2, (lines - 1) * provider->MenuHeight() + 2),
              skintest::FlatColour(skintest::MdiMenuLine, 0))
        << "the line's section under the last row";

    TPainterLog log;
    Manager->SkinableMenus()->SetOnDrawItem({&log, &TPainterLog::Painted});
    Render(provider);
    Manager->SkinableMenus()->SetOnDrawItem(nullptr);
    ASSERT_EQ(log.Items.size(), 9u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(log.Items[i], commands[i]);
        EXPECT_EQ(log.States[i], vcl::TOwnerDrawState()) << "a merged item of the child, " << i;
    }
    EXPECT_EQ(log.Items[8], WindowMenu);
    EXPECT_EQ(log.States[8], vcl::OwnerDrawState(0x500)) << "the form's own item";
}

TEST_F(MDIWindowMenuTest, AFormWhoseOwnItemsAreHiddenShowsTheLineForItsActiveChildsMenu)
{
    for (int i = 0; i < Main->Menu()->Items()->Count(); ++i)
        Main->Menu()->Items()->Items(i)->SetVisible(false);
    EXPECT_FALSE(Main->Provider->MenuPresent());
    TLoggingForm* child = NewChild(L"Editor");
    auto* childMenu = vcl::Create<vcl::TMainMenu>(child);
    AddItem(child, AddItem(child, childMenu->Items(), L"&Edit"), L"Copy");
    child->SetMenu(childMenu);
    testsupport::PumpFor(0);
    EXPECT_TRUE(Main->Provider->MenuPresent());
    childMenu->Items()->Items(0)->SetVisible(false);
    EXPECT_FALSE(Main->Provider->MenuPresent());
}

// An MDI form in our own skin with its menu line and two children, for people to look at.
TEST(OurSkinMenuLine, AnMDIFormShowsTheMenuLineOfOurSkin)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    TOwnApplication app;
    TMenuItem* windowMenu = nullptr;
    TMDIMain* main = app.MainForm(windowMenu);
    app.NewChild(L"First", 10, 10, true);
    app.NewChild(L"Second", 120, 80, true);
    RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME |
                                                       RDW_UPDATENOW);
    testsupport::PumpFor(100);

    const testsupport::TGrab shot = testsupport::Grab(main->Handle());
    RECT window{}, item{};
    GetWindowRect(main->Handle(), &window);
    ASSERT_TRUE(GetMenuItemRect(main->Handle(), GetMenu(main->Handle()), 0, &item));
    const int line = manager->GetSkinIndex(L"MENULINE");
    ASSERT_TRUE(manager->IsValidSkinIndex(line));
    EXPECT_EQ(shot.Pixel(shot.Width - 60, (item.top + item.bottom) / 2 - window.top),
              COLORREF(manager->gd[size_t(line)].Color))
        << "the line right of the items";
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "mdi_menu_line.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
}
