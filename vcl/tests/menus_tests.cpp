// Menus: the item tree, radio groups and ownership; shortcuts; the system menus made from the
// tree, owner drawing, popups and the menu bar of a form.
#include "windowing_fixtures.h"

#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/menus.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vcl;

namespace {

TMenuItem* NewItem(TComponent* owner, const String& name, TMenuItem* parent)
{
    auto* item = Create<TMenuItem>(owner);
    item->SetName(name);
    parent->Add(item);
    return item;
}

}  // namespace

TEST(Menus, ItemsFormATreeUnderTheirMenu)
{
    TObjectPtr<TComponent> form(Create<TComponent>(nullptr));
    auto* menu = Create<TPopupMenu>(form.get());
    TMenuItem* language = NewItem(form.get(), L"nLanguage", menu->Items());
    TMenuItem* russian = NewItem(form.get(), L"nRussian", language);
    TMenuItem* english = NewItem(form.get(), L"nEnglish", language);
    TMenuItem* speed = NewItem(form.get(), L"nSpeed", menu->Items());

    EXPECT_EQ(2, menu->Items()->Count());
    EXPECT_EQ(language, russian->Parent());
    EXPECT_EQ(1, english->MenuIndex());
    EXPECT_EQ(menu, english->GetParentMenu());
    EXPECT_EQ(nullptr, Create<TMenuItem>(form.get())->GetParentMenu());
    EXPECT_THROW(speed->Add(russian), EMenuError) << "an item lives in one menu";

    english->SetMenuIndex(0);
    EXPECT_EQ(english, language->Items(0));
    language->Delete(0);
    EXPECT_EQ(nullptr, english->Parent());
    EXPECT_EQ(1, language->Count());

    int clicks = 0;
    russian->SetOnClick(TNotifyEvent([&](TObject* sender) { clicks += sender == russian; }));
    russian->Click();
    EXPECT_EQ(1, clicks);

    language->Free();
    EXPECT_EQ(nullptr, form->FindComponent(L"nRussian")) << "an item frees the items it lists";
    EXPECT_NE(nullptr, form->FindComponent(L"nEnglish"));
    EXPECT_EQ(1, menu->Items()->Count());
}

TEST(Menus, AnItemTakesItsActionsStateAndRunsIt)
{
    TObjectPtr<TComponent> form(Create<TComponent>(nullptr));
    auto* menu = Create<TPopupMenu>(form.get());
    TMenuItem* save = NewItem(form.get(), L"nSave", menu->Items());
    auto* action = Create<TAction>(form.get());
    action->SetCaption(L"Save");
    action->SetShortCut(ShortCut('S', TShiftState{TShiftStateItem::ssCtrl}));
    int executed = 0;
    action->SetOnExecute(TNotifyEvent([&](TObject*) { ++executed; }));
    save->SetAction(action);
    EXPECT_EQ(L"Save", save->Caption());
    EXPECT_EQ(L"Ctrl+S", ShortCutToText(save->ShortCut()));
    save->Click();
    EXPECT_EQ(1, executed);

    // The update handler runs when the item initiates its action, and what it sets reaches the item.
    action->SetOnUpdate(TNotifyEvent([&](TObject*) {
        action->SetEnabled(false);
        action->SetChecked(true);
    }));
    EXPECT_TRUE(save->Enabled());
    save->InitiateAction();
    EXPECT_FALSE(save->Enabled());
    EXPECT_TRUE(save->Checked());

    // An item's own handler wins over the action.
    int own = 0;
    save->SetOnClick(TNotifyEvent([&](TObject*) { ++own; }));
    save->Click();
    EXPECT_EQ(1, own);
    EXPECT_EQ(1, executed);

    action->Free();
    EXPECT_EQ(nullptr, save->Action());
    save->Click();
    EXPECT_EQ(2, own);
}

TEST(Menus, CheckingARadioItemUnchecksItsGroup)
{
    TObjectPtr<TComponent> form(Create<TComponent>(nullptr));
    auto* menu = Create<TMainMenu>(form.get());
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 4; ++i) {
        items.push_back(NewItem(form.get(), L"n" + std::to_wstring(i), menu->Items()));
        items.back()->SetRadioItem(i < 3);
        items.back()->SetGroupIndex(i == 2 ? 1 : 0);
    }
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    items[3]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked()) << "another group";
    EXPECT_TRUE(items[3]->Checked()) << "not a radio item";
}

// ---------------------------------------------------------------------------------------------
// Shortcuts

TEST(ShortCuts, TextRoundTrips)
{
    struct Case {
        const wchar_t* Text;
        TShortCut ShortCut;
    };
    const Case cases[] = {
        {L"Ctrl+S", ShortCut('S', TShiftStateItem::ssCtrl)},
        {L"Shift+F10", ShortCut(VK_F10, TShiftStateItem::ssShift)},
        {L"Alt+Enter", ShortCut(VK_RETURN, TShiftStateItem::ssAlt)},
        {L"Shift+Ctrl+Del", ShortCut(VK_DELETE, {TShiftStateItem::ssShift, TShiftStateItem::ssCtrl})},
        {L"Shift+Ctrl+Alt+Num +", ShortCut(VK_ADD, {TShiftStateItem::ssShift, TShiftStateItem::ssCtrl,
                                                    TShiftStateItem::ssAlt})},
        {L"Esc", ShortCut(VK_ESCAPE, {})},
        {L"Num 7", ShortCut(VK_NUMPAD7, {})},
        {L"F24", ShortCut(VK_F24, {})},
        {L"0", ShortCut('0', {})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.ShortCut, TextToShortCut(c.Text)) << ToAnsi(c.Text);
        EXPECT_EQ(c.Text, ShortCutToText(c.ShortCut));
        Word key = 0;
        TShiftState shift;
        ShortCutToKey(c.ShortCut, key, shift);
        EXPECT_EQ(c.ShortCut, ShortCut(key, shift)) << ToAnsi(c.Text);
    }
}

TEST(ShortCuts, TextIsReadLeniently)
{
    EXPECT_EQ(TextToShortCut(L"Ctrl+S"), TextToShortCut(L"ctrl+s"));
    EXPECT_EQ(TextToShortCut(L"Shift+Alt+X"), TextToShortCut(L"Alt+Shift+X")) << "modifiers in any order";
    EXPECT_EQ(L"Shift+Alt+X", ShortCutToText(TextToShortCut(L"Alt+Shift+X")));
    for (const wchar_t* text : {L"", L"Ctrl+", L"Ctrl", L"Foo", L"Ctrl+Foo", L"Ctrl+S+", L"+S"})
        EXPECT_EQ(scNone, TextToShortCut(text)) << ToAnsi(text);
    EXPECT_EQ(L"", ShortCutToText(scNone));
    EXPECT_EQ(L"", ShortCutToText(scCtrl | 0xFF)) << "a key without a name has no text";
    EXPECT_EQ(scNone, ShortCut(0x1FF, TShiftStateItem::ssCtrl)) << "not a key";
}

// ---------------------------------------------------------------------------------------------
// System menus and owner drawing

namespace {

using namespace wintest;

// Counts how often the system menu is made again.
class TCountingPopupMenu : public TPopupMenu {
    CL_CLASS(TCountingPopupMenu, TPopupMenu)
public:
    using TPopupMenu::TPopupMenu;
    int Rebuilds = 0;

protected:
    void RebuildHandle() override
    {
        ++Rebuilds;
        TPopupMenu::RebuildHandle();
    }
};

class TCountingMainMenu : public TMainMenu {
    CL_CLASS(TCountingMainMenu, TMainMenu)
public:
    using TMainMenu::TMainMenu;
    int Rebuilds = 0;

protected:
    void RebuildHandle() override
    {
        ++Rebuilds;
        TMainMenu::RebuildHandle();
    }
};

String MenuText(HMENU menu, UINT position)
{
    wchar_t text[100] = {};
    GetMenuStringW(menu, position, text, 100, MF_BYPOSITION);
    return text;
}

UINT MenuState(HMENU menu, UINT position)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info.fState | info.fType;
}

// Runs Check every 20 ms from inside whatever loop runs (the menu's), until it answers true.
class TPoller {
public:
    explicit TPoller(std::function<bool()> check) : FTimer(Create<TTimer>(nullptr)), FCheck(std::move(check))
    {
        FTimer->SetInterval(20);
        FTimer->SetOnTimer(TNotifyEvent([this](TObject*) {
            if (++FTicks > 250 || FCheck())
                FTimer->SetEnabled(false);
        }));
    }
    ~TPoller() { FTimer->Free(); }
    TPoller(const TPoller&) = delete;
    TPoller& operator=(const TPoller&) = delete;

private:
    TTimer* FTimer;
    std::function<bool()> FCheck;
    int FTicks = 0;
};

HWND OpenMenuWindow()
{
    HWND wnd = FindWindowW(L"#32768", nullptr);
    return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

class MenuWindowTest : public WindowTest {};

// Shows the flags Popup gives TrackPopupMenu.
class TFlagsPopupMenu : public TPopupMenu {
    CL_CLASS(TFlagsPopupMenu, TPopupMenu)
public:
    using TPopupMenu::TPopupMenu;
    using TPopupMenu::TrackFlags;
};

// The hidden utility windows of this thread (timers', popup menus').
int UtilityWindowCount()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM counter) {
            wchar_t name[32] = {};
            GetClassNameW(wnd, name, 32);
            *reinterpret_cast<int*>(counter) += String(name) == L"TPUtilWindow";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST(Menus, PopupTrackFlagsFollowAlignmentButtonAndAnimation)
{
    using A = TMenuAnimations;
    struct Case {
        TPopupAlignment Alignment;
        TTrackButton Button;
        TMenuAnimation Animation;
        UINT Flags;
    };
    const Case cases[] = {
        {TPopupAlignment::paLeft, TTrackButton::tbRightButton, {}, TPM_LEFTALIGN | TPM_RIGHTBUTTON},
        {TPopupAlignment::paRight, TTrackButton::tbLeftButton, A::maNone, TPM_RIGHTALIGN | TPM_LEFTBUTTON | TPM_NOANIMATION},
        {TPopupAlignment::paCenter, TTrackButton::tbRightButton, {A::maLeftToRight, A::maTopToBottom},
         TPM_CENTERALIGN | TPM_RIGHTBUTTON | TPM_HORPOSANIMATION | TPM_VERPOSANIMATION},
        {TPopupAlignment::paLeft, TTrackButton::tbLeftButton, {A::maRightToLeft, A::maBottomToTop},
         TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_HORNEGANIMATION | TPM_VERNEGANIMATION},
    };
    TObjectPtr<TFlagsPopupMenu> menu(Create<TFlagsPopupMenu>(nullptr));
    for (const Case& c : cases) {
        menu->SetAlignment(c.Alignment);
        menu->SetTrackButton(c.Button);
        menu->SetMenuAnimation(c.Animation);
        EXPECT_EQ(c.Flags, menu->TrackFlags()) << int(c.Alignment) << " " << int(c.Button);
    }
}

TEST(Menus, HandleFollowsTheItemsAndIsMadeAgainOnceAfterAChange)
{
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    auto* menu = Create<TCountingPopupMenu>(owner.get());
    TMenuItem* open = NewItem(owner.get(), L"nOpen", menu->Items());
    open->SetCaption(L"&Open");
    open->SetShortCut(TextToShortCut(L"Ctrl+O"));
    open->SetDefault(true);
    NewItem(owner.get(), L"nLine", menu->Items())->SetCaption(L"-");
    TMenuItem* hidden = NewItem(owner.get(), L"nHidden", menu->Items());
    hidden->SetVisible(false);
    hidden->SetShortCut(TextToShortCut(L"Esc"));
    TMenuItem* speed = NewItem(owner.get(), L"nSpeed", menu->Items());
    speed->SetCaption(L"Speed");
    speed->SetEnabled(false);
    TMenuItem* slow = NewItem(owner.get(), L"nSlow", speed);
    slow->SetCaption(L"Slow");
    slow->SetRadioItem(true);
    slow->SetChecked(true);

    HMENU handle = menu->Handle();
    EXPECT_EQ(1, menu->Rebuilds);
    ASSERT_EQ(3, GetMenuItemCount(handle)) << "the hidden item is left out";
    EXPECT_EQ(L"&Open\tCtrl+O", MenuText(handle, 0));
    EXPECT_TRUE(MenuState(handle, 0) & MFS_DEFAULT);
    EXPECT_TRUE(MenuState(handle, 1) & MFT_SEPARATOR);
    EXPECT_TRUE(MenuState(handle, 2) & MFS_DISABLED);
    EXPECT_EQ(speed->Handle(), GetSubMenu(handle, 2));
    EXPECT_EQ(L"Slow", MenuText(speed->Handle(), 0));
    EXPECT_EQ(UINT(MFS_CHECKED | MFT_RADIOCHECK), MenuState(speed->Handle(), 0) & (MFS_CHECKED | MFT_RADIOCHECK));
    EXPECT_EQ(open->Command(), GetMenuItemID(handle, 0));

    EXPECT_EQ(speed, menu->FindItem(reinterpret_cast<uintptr_t>(speed->Handle()), TFindItemKind::fkHandle));
    EXPECT_EQ(slow, menu->FindItem(slow->Command(), TFindItemKind::fkCommand));
    EXPECT_EQ(hidden, menu->FindItem(TextToShortCut(L"Esc"), TFindItemKind::fkShortCut)) << "hidden items count";
    EXPECT_EQ(nullptr, menu->FindItem(TextToShortCut(L"Ctrl+Q"), TFindItemKind::fkShortCut));
    EXPECT_EQ(nullptr, menu->FindItem(0, TFindItemKind::fkShortCut)) << "no shortcut matches nothing";

    open->SetCaption(L"&Open");
    menu->Handle();
    EXPECT_EQ(1, menu->Rebuilds) << "the same caption changes nothing";
    open->SetCaption(L"&Open file");
    EXPECT_EQ(1, menu->Rebuilds) << "made again only when asked for";
    EXPECT_EQ(handle, menu->Handle());
    menu->Handle();
    EXPECT_EQ(2, menu->Rebuilds);
    EXPECT_EQ(L"&Open file\tCtrl+O", MenuText(handle, 0));

    hidden->SetVisible(true);
    slow->Free();
    EXPECT_EQ(4, GetMenuItemCount(menu->Handle()));
    EXPECT_EQ(0, GetMenuItemCount(speed->Handle()));
    EXPECT_EQ(nullptr, FindMenuItemByCommand(0)) << "no item has command 0";
}

TEST(Menus, CommandsAreUniqueAndFreedItemsAreNotFound)
{
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    auto* menu = Create<TPopupMenu>(owner.get());
    TMenuItem* a = NewItem(owner.get(), L"a", menu->Items());
    TMenuItem* b = NewItem(owner.get(), L"b", menu->Items());
    EXPECT_NE(a->Command(), b->Command());
    EXPECT_GT(a->Command(), 0);
    EXPECT_LT(a->Command(), 0xF000) << "below the system's commands";
    Word command = b->Command();
    EXPECT_EQ(b, FindMenuItemByCommand(command));
    b->Free();
    EXPECT_EQ(nullptr, FindMenuItemByCommand(command));
    EXPECT_EQ(nullptr, menu->FindItem(command, TFindItemKind::fkCommand));
}

TEST_F(MenuWindowTest, MainMenuCommandsReachTheItemsAndChangesShowOnTheBar)
{
    TForm* form = NewForm();
    auto* menu = Create<TCountingMainMenu>(form);
    TMenuItem* file = NewItem(form, L"nFile", menu->Items());
    file->SetCaption(L"File");
    TMenuItem* save = NewItem(form, L"nSave", file);
    save->SetCaption(L"Save");
    int clicks = 0;
    save->SetOnClick(TNotifyEvent([&](TObject* sender) { clicks += sender == save; }));
    form->SetMenu(menu);
    ShowAndPaint(form);

    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(menu->Handle(), bar);
    EXPECT_EQ(form->Handle(), menu->WindowHandle());
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
    EXPECT_EQ(1, clicks);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 1), 0);
    EXPECT_EQ(1, clicks) << "an accelerator's command is not a menu's";

    int before = menu->Rebuilds;
    file->SetCaption(L"Document");
    EXPECT_EQ(before + 1, menu->Rebuilds) << "the bar is made again once, at once";
    EXPECT_EQ(L"Document", MenuText(GetMenu(form->Handle()), 0));

    form->RecreateWnd();
    EXPECT_EQ(bar, GetMenu(form->Handle())) << "the menu survives the window";
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(form->Handle(), menu->WindowHandle());

    menu->Free();
    EXPECT_EQ(nullptr, form->Menu());
    EXPECT_EQ(nullptr, GetMenu(form->Handle()));
}

TEST_F(MenuWindowTest, OwnerDrawMessagesToAFormReachTheItem)
{
    TForm* form = NewForm();
    auto* menu = Create<TMainMenu>(form);
    TMenuItem* item = NewItem(form, L"nItem", menu->Items());
    item->SetCaption(L"Item");
    form->SetMenu(menu);
    menu->SetOwnerDraw(true);
    EXPECT_TRUE(MenuState(menu->Handle(), 0) & MFT_OWNERDRAW);

    int measured = 0;
    item->SetOnMeasureItem(TMenuMeasureItemEvent([&](TObject* sender, TCanvas* canvas, int& w, int& h) {
        measured += sender == item && canvas->Handle() != nullptr;
        w = 40;
        h = 12;
    }));
    item->SetOnAdvancedDrawItem(
        TAdvancedMenuDrawItemEvent([&](TObject*, TCanvas* canvas, const TRect& r, TOwnerDrawState state) {
            canvas->Brush()->SetColor(state.Contains(TOwnerDrawStateItem::odSelected) ? clBlue : clLime);
            canvas->FillRect(r);
        }));

    MEASUREITEMSTRUCT mis{ODT_MENU, 0, item->Command(), 0, 0, item->Command()};
    int before = measured;
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_LT(before, measured) << "the system may measure the bar on the way too";
    EXPECT_EQ(40u, mis.itemWidth);
    EXPECT_EQ(12u, mis.itemHeight);

    TBitmap target;
    target.SetPixelFormat(TPixelFormat::pf32bit);
    target.SetSize(20, 10);
    HDC dc = target.Canvas()->Handle();
    target.Canvas()->Lock();
    DRAWITEMSTRUCT dis{ODT_MENU, 0, item->Command(), ODA_DRAWENTIRE, ODS_SELECTED, nullptr, dc, {2, 2, 8, 6},
                       item->Command()};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    target.Canvas()->Unlock();
    EXPECT_EQ(ColorToRGB(clBlue), target.Canvas()->Pixels(4, 4));
    EXPECT_EQ(RGB(0, 0, 0), target.Canvas()->Pixels(9, 4)) << "only the item's rectangle";

    // Item data of another library's menu is not taken for a command.
    mis.itemData = (ULONG_PTR(1) << 20) | item->Command();
    EXPECT_FALSE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    // An item that is gone is not looked for at its old address.
    Word command = item->Command();
    item->Free();
    mis.itemData = command;
    EXPECT_FALSE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
}

TEST(Menus, AnImageOfTheMenusOrTheParentsListMakesAnItemOwnerDrawn)
{
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    auto* menu = Create<TPopupMenu>(owner.get());
    auto* images = Create<TImageList>(owner.get());
    auto* subImages = Create<TImageList>(owner.get());
    NewItem(owner.get(), L"nPlain", menu->Items());
    TMenuItem* pictured = NewItem(owner.get(), L"nPictured", menu->Items());
    pictured->SetImageIndex(0);
    TMenuItem* parent = NewItem(owner.get(), L"nParent", menu->Items());
    TMenuItem* child = NewItem(owner.get(), L"nChild", parent);
    child->SetImageIndex(0);
    const auto ownerDrawn = [](HMENU handle, UINT position) { return (MenuState(handle, position) & MFT_OWNERDRAW) != 0; };

    EXPECT_FALSE(ownerDrawn(menu->Handle(), 1)) << "an image index without a list";
    menu->SetImages(images);
    EXPECT_FALSE(ownerDrawn(menu->Handle(), 0)) << "no image index";
    EXPECT_TRUE(ownerDrawn(menu->Handle(), 1));
    EXPECT_TRUE(ownerDrawn(parent->Handle(), 0)) << "the menu's list serves the sub-items too";

    menu->SetImages(nullptr);
    EXPECT_FALSE(ownerDrawn(menu->Handle(), 1));
    EXPECT_FALSE(ownerDrawn(parent->Handle(), 0));
    parent->SetSubMenuImages(subImages);
    EXPECT_TRUE(ownerDrawn(parent->Handle(), 0)) << "the parent's SubMenuImages";
    EXPECT_FALSE(ownerDrawn(menu->Handle(), 1)) << "not the items beside the parent";
    EXPECT_FALSE(ownerDrawn(menu->Handle(), 0));
}

TEST_F(MenuWindowTest, WithoutAnAdvancedHandlerTheSimpleDrawEventDrawsTheItem)
{
    TForm* form = NewForm();
    auto* menu = Create<TMainMenu>(form);
    TMenuItem* item = NewItem(form, L"nItem", menu->Items());
    item->SetCaption(L"Item");
    form->SetMenu(menu);
    std::vector<bool> selected;
    item->SetOnDrawItem(TMenuDrawItemEvent([&](TObject* sender, TCanvas* canvas, const TRect& r, bool isSelected) {
        EXPECT_EQ(item, sender);
        selected.push_back(isSelected);
        canvas->Brush()->SetColor(isSelected ? clBlue : clLime);
        canvas->FillRect(r);
    }));
    EXPECT_TRUE(MenuState(menu->Handle(), 0) & MFT_OWNERDRAW) << "a draw event alone makes the item owner-drawn";

    TBitmap target;
    target.SetPixelFormat(TPixelFormat::pf32bit);
    target.SetSize(20, 10);
    HDC dc = target.Canvas()->Handle();
    target.Canvas()->Lock();
    for (UINT state : {UINT(ODS_SELECTED), UINT(0)}) {
        DRAWITEMSTRUCT dis{ODT_MENU, 0, item->Command(), ODA_DRAWENTIRE, state, nullptr, dc, {2, 2, 8, 6},
                           item->Command()};
        EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
        EXPECT_EQ(ColorToRGB(state ? clBlue : clLime), GetPixel(dc, 4, 4));
    }
    target.Canvas()->Unlock();
    EXPECT_EQ((std::vector<bool>{true, false}), selected);
    EXPECT_EQ(RGB(0, 0, 0), target.Canvas()->Pixels(9, 4)) << "only the item's rectangle";
}

TEST_F(MenuWindowTest, SubmenuOpeningAndSelectionReachTheItems)
{
    TForm* form = NewForm();
    auto* menu = Create<TMainMenu>(form);
    TMenuItem* view = NewItem(form, L"nView", menu->Items());
    TMenuItem* zoom = NewItem(form, L"nZoom", view);
    zoom->SetHint(L"Zoom|Makes the view larger");
    form->SetMenu(menu);
    int opened = 0;
    view->SetOnClick(TNotifyEvent([&](TObject*) { ++opened; }));

    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view->Handle()), 0);
    EXPECT_EQ(1, opened) << "the item whose submenu opens may update it";

    SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(zoom->Command(), MF_STRING),
                 reinterpret_cast<LPARAM>(view->Handle()));
    EXPECT_EQ(L"Makes the view larger", Application->Hint());
    SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(L"", Application->Hint()) << "closing the menu clears the hint";
}

TEST_F(MenuWindowTest, PopupDrawsOwnerDrawnItemsThroughACanvasOnTheItem)
{
    TForm* form = NewForm();
    auto* menu = Create<TPopupMenu>(form);
    TMenuItem* item = NewItem(form, L"nPaint", menu->Items());
    item->SetCaption(L"Paint");
    NewItem(form, L"nPlain", menu->Items())->SetCaption(L"Plain");
    std::vector<String> events;
    menu->SetOnPopup(TNotifyEvent([&](TObject* sender) { events.push_back(sender == menu ? L"popup" : L"?"); }));
    item->SetOnMeasureItem(TMenuMeasureItemEvent([&](TObject*, TCanvas* canvas, int& w, int& h) {
        events.push_back(canvas->Handle() ? L"measure" : L"measure without DC");
        w = 90;
        h = 24;
    }));
    TRect drawn;
    HWND drawnOn = nullptr;
    item->SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent([&](TObject*, TCanvas* canvas, const TRect& r, TOwnerDrawState) {
        drawn = r;
        drawnOn = WindowFromDC(canvas->Handle());
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(r);
    }));
    COLORREF inside = 0;
    COLORREF below = 0;
    HWND menuWindow = nullptr;
    TPoller poller([&] {
        HWND wnd = OpenMenuWindow();
        if (!wnd || !drawnOn)
            return false;
        menuWindow = wnd;
        RECT r{};
        GetMenuItemRect(nullptr, menu->Handle(), 0, &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(wnd, &centre);
        testsupport::TGrab grab = testsupport::Grab(wnd);
        inside = grab.ClientPixel(centre.x, centre.y);
        below = grab.ClientPixel(centre.x, centre.y + (r.bottom - r.top));
        EndMenu();
        return true;
    });
    menu->Popup(150, 150);

    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(L"popup", events[0]) << "OnPopup comes before the menu is measured";
    EXPECT_EQ(L"measure", events[1]);
    EXPECT_EQ(24, drawn.Height());
    EXPECT_EQ(menuWindow, drawnOn) << "the canvas draws on the menu window";
    EXPECT_EQ(RGB(0, 255, 0), inside);
    EXPECT_NE(RGB(0, 255, 0), below) << "the next item is not painted by the handler";
    EXPECT_EQ(TPoint(150, 150), menu->PopupPoint());
}

TEST_F(MenuWindowTest, PopupRunsTheChosenItemBeforeItReturns)
{
    TForm* form = NewForm();
    auto* menu = Create<TPopupMenu>(form);
    TMenuItem* first = NewItem(form, L"nFirst", menu->Items());
    first->SetCaption(L"First");
    int clicks = 0;
    int windowsWhileOpen = 0;
    first->SetOnClick(TNotifyEvent([&](TObject* sender) { clicks += sender == first; }));
    TPoller poller([&] {
        HWND wnd = OpenMenuWindow();
        if (!wnd)
            return false;
        windowsWhileOpen = UtilityWindowCount();
        PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(wnd, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    menu->Popup(150, 150);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(windowsWhileOpen - 1, UtilityWindowCount()) << "the menu's window goes when it closes";
}

TEST_F(MenuWindowTest, ContextMenuPopsUpForTheControlUnderTheMouse)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 200, 150);
    auto* block = NewChild<TColorBlock>(panel, 20, 20, 40, 40);
    auto* panelMenu = Create<TPopupMenu>(form);
    NewItem(form, L"nPanelItem", panelMenu->Items())->SetCaption(L"Panel");
    auto* blockMenu = Create<TPopupMenu>(form);
    NewItem(form, L"nBlockItem", blockMenu->Items())->SetCaption(L"Block");
    panel->SetPopupMenu(panelMenu);
    block->SetPopupMenu(blockMenu);
    ShowAndPaint(form);
    std::vector<TPopupMenu*> popped;
    for (TPopupMenu* m : {panelMenu, blockMenu})
        m->SetOnPopup(TNotifyEvent([&popped, m](TObject*) { popped.push_back(m); }));
    TPoller poller([&] {
        if (OpenMenuWindow())
            EndMenu();
        return false;
    });
    auto contextAt = [&](int x, int y) {
        TPoint p = panel->ClientToScreen(TPoint(x, y));
        return SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
                            PointToLParam(p.x, p.y));
    };

    contextAt(30, 30);
    ASSERT_EQ(1u, popped.size());
    EXPECT_EQ(blockMenu, popped[0]) << "the graphic child under the mouse has its own menu";
    EXPECT_EQ(block, blockMenu->PopupComponent());
    contextAt(150, 100);
    ASSERT_EQ(2u, popped.size());
    EXPECT_EQ(panelMenu, popped[1]);
    EXPECT_EQ(panel, panelMenu->PopupComponent());

    // The context key: the menu opens at the control's corner.
    SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), PointToLParam(-1, -1));
    EXPECT_EQ(panel->ClientToScreen(TPoint(0, 0)), panelMenu->PopupPoint());

    panelMenu->SetAutoPopup(false);
    contextAt(150, 100);
    EXPECT_EQ(3u, popped.size()) << "no automatic popup";

    block->Free();
    EXPECT_EQ(nullptr, blockMenu->PopupComponent()) << "the component is forgotten when it goes";
    panelMenu->Free();
    EXPECT_EQ(nullptr, panel->PopupMenu());
}

TEST_F(MenuWindowTest, AShortcutKeyFromTheLoopClicksItsItemHiddenOrNot)
{
    TForm* form = NewForm();
    auto* edit = NewChild<TEdit>(form, 10, 10, 100, 22, clWindow);
    auto* popup = Create<TPopupMenu>(form);
    form->SetPopupMenu(popup);
    TMenuItem* ok = NewItem(form, L"OK1", popup->Items());
    ok->SetShortCut(ShortCut(VK_RETURN, {}));
    ok->SetVisible(false);
    TMenuItem* cancel = NewItem(form, L"Cancel1", popup->Items());
    cancel->SetShortCut(ShortCut(VK_ESCAPE, {}));
    cancel->SetEnabled(false);
    auto* menu = Create<TMainMenu>(form);
    TMenuItem* save = NewItem(form, L"nSave", menu->Items());
    save->SetShortCut(ShortCut(VK_F2, {}));
    form->SetMenu(menu);
    std::vector<String> clicked;
    for (TMenuItem* item : {ok, cancel, save})
        item->SetOnClick(TNotifyEvent([&, item](TObject*) { clicked.push_back(item->Name()); }));
    ShowAndPaint(form);
    edit->SetFocus();
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE), WPARAM(VK_F2), WPARAM(0x41)}) {
        PostMessageW(edit->Handle(), WM_KEYDOWN, key, 1);
        PostMessageW(edit->Handle(), WM_KEYUP, key, 1);
    }
    testsupport::PumpFor(40);
    EXPECT_EQ((std::vector<String>{L"OK1", L"nSave"}), clicked) << "a disabled item takes no key";
    EXPECT_EQ(L"a", edit->Text()) << "other keys reach the edit";
}
