// MDI forms on the system's MDI client: the children's bookkeeping, the window menu the client
// fills with them, and the active child's menu merged into the form's bar.
#include "windowing_fixtures.h"

#include "vcl/extctrls_panels.h"
#include "vcl/menus.h"
#include "vcl/sysutils.h"

#include <string>

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

class TMDIFrame : public TForm {
    CL_CLASS(TMDIFrame, TForm)
public:
    explicit TMDIFrame(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(TFormStyle::fsMDIForm); }
};

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const String& Caption, Byte GroupIndex = 0)
{
    auto* item = Create<TMenuItem>(Owner);
    item->SetCaption(Caption);
    item->SetGroupIndex(GroupIndex);
    Parent->Add(item);
    return item;
}

std::vector<String> MenuTexts(HMENU menu)
{
    std::vector<String> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[100] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 100, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

// An MDI main form, shown, with children made on demand; the temporary application frees them all.
class MDITest : public WindowTest {
protected:
    TTemporaryApplication App;
    TMDIFrame* Frame = nullptr;

    void SetUp() override
    {
        WindowTest::SetUp();
        Application->CreateForm(Frame);
        Frame->SetBounds(50, 50, 600, 450);
    }
    void ShowFrame()
    {
        Frame->Show();
        PumpFor(0);
    }
    TForm* NewMDIChild(const String& Caption)
    {
        auto* child = Create<TForm>(Application);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(Caption);
        child->SetBounds(10, 10, 200, 150);
        child->Show();
        PumpFor(0);
        return child;
    }
    void Activate(TForm* child)
    {
        SendMessageW(Frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        PumpFor(0);
    }
};

}  // namespace

TEST_F(MDITest, ClientHandleIsTheFormsMdiClientWindow)
{
    ShowFrame();
    HWND client = Frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(client, className, 32);
    EXPECT_EQ(_wcsicmp(className, L"MDICLIENT"), 0);
    EXPECT_EQ(GetParent(client), Frame->Handle());
    // The form keeps the client filling its client area.
    Frame->SetBounds(50, 50, 500, 400);
    RECT area{}, clientBounds{};
    GetClientRect(Frame->Handle(), &area);
    GetWindowRect(client, &clientBounds);
    EXPECT_EQ(clientBounds.right - clientBounds.left, area.right);
    EXPECT_EQ(clientBounds.bottom - clientBounds.top, area.bottom);

    TForm* plain = NewForm();
    plain->Show();
    EXPECT_EQ(plain->ClientHandle(), nullptr);
    EXPECT_EQ(plain->MDIChildCount(), 0);
    EXPECT_EQ(plain->ActiveMDIChild(), nullptr);
}

TEST_F(MDITest, ChildrenFollowCreationActivationAndFreeing)
{
    ShowFrame();
    EXPECT_EQ(Frame->MDIChildCount(), 0);
    EXPECT_EQ(Frame->ActiveMDIChild(), nullptr);

    TForm* first = NewMDIChild(L"First");
    EXPECT_EQ(GetParent(first->Handle()), Frame->ClientHandle());
    EXPECT_EQ(Frame->MDIChildCount(), 1);
    EXPECT_EQ(Frame->ActiveMDIChild(), first);

    TForm* second = NewMDIChild(L"Second");
    EXPECT_EQ(Frame->MDIChildCount(), 2);
    EXPECT_EQ(Frame->ActiveMDIChild(), second);
    EXPECT_EQ(Frame->MDIChildren(0), second);
    EXPECT_EQ(Frame->MDIChildren(1), first);
    EXPECT_THROW(Frame->MDIChildren(2), EListError);

    Activate(first);
    EXPECT_EQ(Frame->ActiveMDIChild(), first);
    EXPECT_EQ(Frame->MDIChildren(0), first);

    first->Free();
    PumpFor(0);
    EXPECT_EQ(Frame->MDIChildCount(), 1);
    EXPECT_EQ(Frame->MDIChildren(0), second);
    EXPECT_EQ(Frame->ActiveMDIChild(), second);
}

TEST_F(MDITest, AChildNeedsAnMdiMainForm)
{
    Frame->SetFormStyle(TFormStyle::fsNormal);
    auto* child = Create<TForm>(Application);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    EXPECT_THROW(child->HandleNeeded(), EInvalidOperation);
}

TEST_F(MDITest, WindowMenuListsTheChildrenAndItsEntriesActivateThem)
{
    auto* menu = Create<TMainMenu>(Frame);
    AddItem(Frame, menu->Items(), L"File");
    TMenuItem* window = AddItem(Frame, menu->Items(), L"Window", 9);
    AddItem(Frame, window, L"Arrange");
    Frame->SetMenu(menu);
    Frame->SetWindowMenu(window);
    ShowFrame();
    TForm* first = NewMDIChild(L"Alpha");
    NewMDIChild(L"Beta");

    auto listed = [&] {
        std::vector<String> texts = MenuTexts(window->Handle());
        return std::pair(std::ranges::count_if(texts, [](const String& t) { return t.find(L"Alpha") != String::npos; }),
                         std::ranges::count_if(texts, [](const String& t) { return t.find(L"Beta") != String::npos; }));
    };
    EXPECT_EQ(listed(), std::pair(std::ptrdiff_t{1}, std::ptrdiff_t{1}));
    EXPECT_EQ(MenuTexts(window->Handle()).front(), L"Arrange");

    // A rebuilt menu still ends with the list.
    AddItem(Frame, menu->Items()->Items(0), L"Open");
    EXPECT_EQ(listed(), std::pair(std::ptrdiff_t{1}, std::ptrdiff_t{1}));

    // The first child's entry goes through the frame procedure and activates it.
    HMENU list = window->Handle();
    int alpha = -1;
    std::vector<String> texts = MenuTexts(list);
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i].find(L"Alpha") != String::npos)
            alpha = static_cast<int>(i);
    ASSERT_GE(alpha, 0);
    SendMessageW(Frame->Handle(), WM_COMMAND, GetMenuItemID(list, alpha), 0);
    PumpFor(0);
    EXPECT_EQ(Frame->ActiveMDIChild(), first);

    first->Free();
    PumpFor(0);
    EXPECT_EQ(listed(), std::pair(std::ptrdiff_t{0}, std::ptrdiff_t{1}));
}

TEST_F(MDITest, ActiveChildsMenuMergesByGroupIndexAndUnmergesWhenItCloses)
{
    auto* menu = Create<TMainMenu>(Frame);
    AddItem(Frame, menu->Items(), L"File", 0);
    AddItem(Frame, menu->Items(), L"Edit", 1);
    AddItem(Frame, menu->Items(), L"Window", 9);
    Frame->SetMenu(menu);
    ShowFrame();

    TForm* editor = NewMDIChild(L"Editor");
    auto* childMenu = Create<TMainMenu>(editor);
    AddItem(editor, childMenu->Items(), L"Text", 1);
    AddItem(editor, childMenu->Items(), L"Tools", 5);
    bool clicked = false;
    TMenuItem* tools = childMenu->Items()->Items(1);
    tools->SetOnClick(TNotifyEvent([&](TObject*) { clicked = true; }));
    editor->SetMenu(childMenu);
    const std::vector<String> merged{L"File", L"Text", L"Tools", L"Window"};
    const std::vector<String> own{L"File", L"Edit", L"Window"};
    EXPECT_EQ(MenuTexts(GetMenu(Frame->Handle())), merged);
    // The form's own items stay as they were.
    EXPECT_EQ(menu->Items()->Count(), 3);

    // A merged item's command reaches it through the form.
    SendMessageW(Frame->Handle(), WM_COMMAND, tools->Command(), 0);
    EXPECT_TRUE(clicked);

    // A change of the child's menu shows in the form's bar.
    AddItem(editor, childMenu->Items(), L"Help", 10);
    EXPECT_EQ(MenuTexts(GetMenu(Frame->Handle())), (std::vector<String>{L"File", L"Text", L"Tools", L"Window", L"Help"}));
    childMenu->Items()->Items(2)->Free();

    TForm* viewer = NewMDIChild(L"Viewer");
    EXPECT_EQ(MenuTexts(GetMenu(Frame->Handle())), own);
    Activate(editor);
    EXPECT_EQ(MenuTexts(GetMenu(Frame->Handle())), merged);

    editor->Free();
    PumpFor(0);
    EXPECT_EQ(Frame->ActiveMDIChild(), viewer);
    EXPECT_EQ(MenuTexts(GetMenu(Frame->Handle())), own);
    EXPECT_EQ(menu->Merged(), nullptr);
}

TEST_F(MDITest, AMaximisedChildKeepsItsPlaceInTheBarWhenTheMenuIsMadeAgain)
{
    auto* menu = Create<TMainMenu>(Frame);
    AddItem(Frame, menu->Items(), L"File", 0);
    Frame->SetMenu(menu);
    ShowFrame();
    TForm* child = NewMDIChild(L"Child");
    child->SetWindowState(TWindowState::wsMaximized);
    PumpFor(0);
    HMENU bar = GetMenu(Frame->Handle());
    // The system puts the child's window menu first and its buttons after the form's items.
    const int augmented = GetMenuItemCount(bar);
    ASSERT_GT(augmented, 1);
    ASSERT_NE(GetSubMenu(bar, 0), nullptr);
    EXPECT_EQ(MenuTexts(bar)[1], L"File");

    AddItem(Frame, menu->Items(), L"Help", 10);
    bar = GetMenu(Frame->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), augmented + 1);
    EXPECT_NE(GetSubMenu(bar, 0), nullptr);
    EXPECT_EQ(MenuTexts(bar)[1], L"File");
    EXPECT_EQ(MenuTexts(bar)[2], L"Help");
}

TEST(MenuMerging, MergedItemsReplaceTheirGroupsAndStandInGroupOrder)
{
    struct Case {
        std::vector<int> Own, Merged;
        std::vector<std::string> Expected;  // "o" + group for an own item, "m" + group for a merged one
    };
    const Case cases[] = {
        {{0, 1, 9}, {1, 5}, {"o0", "m1", "m5", "o9"}},
        {{0, 1, 1, 9}, {1}, {"o0", "m1", "o9"}},
        {{2, 4}, {0, 3, 3, 7}, {"m0", "o2", "m3", "m3", "o4", "m7"}},
        {{0, 1}, {}, {"o0", "o1"}},
        {{}, {2}, {"m2"}},
    };
    for (const Case& c : cases) {
        std::vector<TMenuItem*> own, merged, all;
        auto make = [&](const std::vector<int>& groups, std::vector<TMenuItem*>& into, const char* tag) {
            for (int g : groups) {
                auto* item = Create<TMenuItem>(nullptr);
                item->SetGroupIndex(static_cast<Byte>(g));
                item->SetCaption(String(tag, tag + 1) + IntToStr(g));
                into.push_back(item);
                all.push_back(item);
            }
        };
        make(c.Own, own, "o");
        make(c.Merged, merged, "m");
        std::vector<std::string> got;
        for (TMenuItem* item : MergeMenuItems(own, merged))
            got.emplace_back(item->Caption().begin(), item->Caption().end());
        EXPECT_EQ(got, c.Expected);
        for (TMenuItem* item : all)
            item->Free();
    }
}

// ---------------------------------------------------------------------------------------------
// Forms that are not MDI children: an AutoMerge menu shows in the main form's bar

namespace {

class AutoMergeTest : public WindowTest {
protected:
    TTemporaryApplication App;
    TForm* Main = nullptr;

    void SetUp() override
    {
        WindowTest::SetUp();
        Application->CreateForm(Main);
        Main->SetBounds(50, 50, 400, 300);
        auto* menu = Create<TMainMenu>(Main);
        AddItem(Main, menu->Items(), L"File", 0);
        AddItem(Main, menu->Items(), L"Edit", 1);
        AddItem(Main, menu->Items(), L"Help", 9);
        Main->SetMenu(menu);
        Main->Show();
        PumpFor(0);
    }
    // A shown second form whose menu holds "Text" (group 1) and "Tools" (group 5).
    TForm* SecondForm(bool AutoMerge)
    {
        auto* form = Create<TForm>(Application);
        form->SetBounds(120, 120, 300, 200);
        auto* menu = Create<TMainMenu>(form);
        menu->SetAutoMerge(AutoMerge);
        AddItem(form, menu->Items(), L"Text", 1);
        AddItem(form, menu->Items(), L"Tools", 5);
        form->SetMenu(menu);
        form->Show();
        PumpFor(0);
        return form;
    }
    std::vector<String> MainBar() { return MenuTexts(GetMenu(Main->Handle())); }
    static void Activation(TForm* Form, WORD State) { Form->Perform(WM_ACTIVATE, State, 0); }

    const std::vector<String> Own{L"File", L"Edit", L"Help"};
};

}  // namespace

TEST_F(AutoMergeTest, AnAutoMergeMenuShowsInTheMainFormsBarWhileItsFormIsActive)
{
    TForm* second = SecondForm(true);
    EXPECT_EQ(GetMenu(second->Handle()), nullptr) << "not a bar of its own";

    Activation(second, WA_ACTIVE);
    EXPECT_EQ(MainBar(), (std::vector<String>{L"File", L"Text", L"Tools", L"Help"}));
    Activation(second, WA_INACTIVE);
    EXPECT_EQ(MainBar(), Own);

    Activation(second, WA_ACTIVE);
    second->Free();
    PumpFor(0);
    EXPECT_EQ(MainBar(), Own) << "a freed form's menu leaves the bar";
}

TEST_F(AutoMergeTest, OtherMenusKeepTheirOwnBar)
{
    TForm* second = SecondForm(false);
    EXPECT_EQ(GetMenu(second->Handle()), second->Menu()->Handle());
    Activation(second, WA_ACTIVE);
    EXPECT_EQ(MainBar(), Own);

    // The main form's own AutoMerge menu stays its bar.
    Main->Menu()->SetAutoMerge(true);
    Activation(Main, WA_ACTIVE);
    Main->RecreateWnd();
    EXPECT_EQ(GetMenu(Main->Handle()), Main->Menu()->Handle());
    EXPECT_EQ(MainBar(), Own);
}

TEST_F(MDITest, TheClientWindowTakesTheRoomTheAlignedControlsLeave)
{
    auto* bar = Create<TPanel>(Frame);
    bar->SetAlign(TAlign::alTop);
    bar->SetHeight(40);
    bar->SetParent(Frame);
    auto* status = Create<TPanel>(Frame);
    status->SetAlign(TAlign::alBottom);
    status->SetHeight(20);
    status->SetParent(Frame);
    ShowFrame();
    for (const int width : {600, 480}) {
        Frame->SetBounds(50, 50, width, 400);
        PumpFor(0);
        RECT area{}, client{};
        GetClientRect(Frame->Handle(), &area);
        GetWindowRect(Frame->ClientHandle(), &client);
        MapWindowPoints(nullptr, Frame->Handle(), reinterpret_cast<POINT*>(&client), 2);
        EXPECT_EQ(vcl::TRect(client), vcl::TRect(0, 40, area.right, area.bottom - 20)) << width;
    }
}

TEST_F(MDITest, AMaximisedChildCoversTheClientAreaWithItsFrameOutside)
{
    ShowFrame();
    TForm* child = NewMDIChild(L"Big");
    SendMessageW(Frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpFor(0);
    RECT area{}, inner{};
    GetClientRect(Frame->ClientHandle(), &area);
    MapWindowPoints(Frame->ClientHandle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    GetClientRect(child->Handle(), &inner);
    MapWindowPoints(child->Handle(), nullptr, reinterpret_cast<POINT*>(&inner), 2);
    EXPECT_EQ(inner.left, area.left);
    EXPECT_EQ(inner.top, area.top) << "the caption lies above the client's area";
    EXPECT_EQ(inner.right, area.right);
    EXPECT_EQ(inner.bottom, area.bottom);
}
