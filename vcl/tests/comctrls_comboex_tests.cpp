// The extended combo box and the up-down control over the system's.
#include "windowing_fixtures.h"

#include "vcl/comctrls.h"

#include <commctrl.h>

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

// Counts the characters that reach ComboWndProc from the edit inside.
class TCharCountComboBoxEx : public TComboBoxEx {
    CL_CLASS(TCharCountComboBoxEx, TComboBoxEx)
public:
    using TComboBoxEx::TComboBoxEx;
    int EditChars = 0;

protected:
    void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) override
    {
        if (Message.Msg == WM_CHAR && ComboWnd == EditHandle())
            ++EditChars;
        TComboBoxEx::ComboWndProc(Message, ComboWnd, ComboProc);
    }
};

struct TWindowItem {
    String Text;
    int Image;
    int SelectedImage;
    int Indent;
    LPARAM Data;
    bool operator==(const TWindowItem&) const = default;
};

TWindowItem WindowItem(HWND combo, int index)
{
    wchar_t text[64] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return {text, item.iImage, item.iSelectedImage, item.iIndent, item.lParam};
}

}  // namespace

TEST_F(WindowTest, ComboBoxExItemsReachTheWindowAndTheStringsShareThem)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TComboBoxEx>(form, 10, 10, 200, 22, clWindow);
    static int data[3];
    for (int i = 0; i < 3; ++i) {
        TComboExItem* item = combo->ItemsEx()->Add();
        item->SetCaption(L"Item " + std::to_wstring(i));
        item->SetImageIndex(i);
        item->SetSelectedImageIndex(i == 1 ? 5 : -1);
        item->SetIndent(i);
        item->SetData(&data[i]);
    }
    ShowAndPaint(form);
    HWND wnd = combo->Handle();
    ASSERT_EQ(3, SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    EXPECT_EQ((TWindowItem{L"Item 1", 1, 5, 1, reinterpret_cast<LPARAM>(&data[1])}), WindowItem(wnd, 1));
    EXPECT_EQ((TWindowItem{L"Item 2", 2, 2, 2, reinterpret_cast<LPARAM>(&data[2])}), WindowItem(wnd, 2))
        << "without an image of its own the selection shows the item's";

    TStrings* items = combo->Items();
    EXPECT_EQ(L"Item 0", items->Strings(0));
    EXPECT_EQ(static_cast<TObject*>(static_cast<void*>(&data[2])), items->Objects(2));
    EXPECT_EQ(L"", items->Strings(7));
    items->AddObject(L"Four", static_cast<TObject*>(static_cast<void*>(&data[0])));
    EXPECT_EQ(4, combo->ItemsEx()->Count());
    EXPECT_EQ(L"Four", WindowItem(wnd, 3).Text);
    items->Delete(0);
    combo->ItemsEx()->Items(0)->SetCaption(L"First");
    EXPECT_EQ(3, SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"First", WindowItem(wnd, 0).Text);
    EXPECT_EQ(1, WindowItem(wnd, 0).Indent);
}

TEST_F(WindowTest, ComboBoxExSelectsForTheUserOnly)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TComboBoxEx>(form, 10, 10, 200, 22, clWindow);
    combo->SetStyle(TComboBoxExStyle::csExDropDownList);
    for (const wchar_t* caption : {L"Red", L"Green", L"Blue"})
        combo->ItemsEx()->Add()->SetCaption(caption);
    int selects = 0;
    combo->SetOnSelect(TNotifyEvent([&](TObject*) { ++selects; }));
    ShowAndPaint(form);
    combo->SetItemIndex(1);
    PumpFor(20);
    EXPECT_EQ(0, selects) << "code picked";
    EXPECT_EQ(1, combo->ItemIndex());

    // The user steps to the next item with the keyboard.
    combo->SetFocus();
    PumpFor(10);
    ASSERT_TRUE(combo->Focused());
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(GetFocus(), WM_KEYUP, VK_DOWN, 1);
    PumpFor(50);
    EXPECT_EQ(1, selects) << "the user picked";
    EXPECT_EQ(2, combo->ItemIndex());
}

TEST_F(WindowTest, ComboBoxExEditCharactersPassComboWndProc)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TCharCountComboBoxEx>(form, 10, 10, 200, 22, clWindow);
    combo->ItemsEx()->Add()->SetCaption(L"One");
    ShowAndPaint(form);
    ASSERT_NE(nullptr, combo->EditHandle());
    for (wchar_t c : String(L"ab"))
        PostMessageW(combo->EditHandle(), WM_CHAR, c, 1);
    PumpFor(30);
    EXPECT_EQ(2, combo->EditChars);
    wchar_t text[16] = {};
    GetWindowTextW(combo->EditHandle(), text, 16);
    EXPECT_STREQ(L"ab", text);
}

namespace {

class UpDownTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Form = NewForm();
        Edit = NewChild<TEdit>(Form, 10, 10, 80, 22, clWindow);
        UpDown = NewChild<TUpDown>(Form, 90, 10, 17, 22, clBtnFace);
        UpDown->SetMax(3);
        UpDown->SetAssociate(Edit);
        UpDown->SetOnClick(TUDClickEvent([this](TObject*, TUDBtnType button) { Clicks.push_back(button); }));
        ShowAndPaint(Form);
    }
    // A click on the upper arrow, through the application's loop.
    void ClickUp()
    {
        HWND wnd = UpDown->Handle();
        RECT r;
        GetClientRect(wnd, &r);
        PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(r.right / 2, 2));
        PostMessageW(wnd, WM_LBUTTONUP, 0, PointToLParam(r.right / 2, 2));
        PumpFor(40);
    }
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    TUpDown* UpDown = nullptr;
    std::vector<TUDBtnType> Clicks;
};

}  // namespace

TEST_F(UpDownTest, PositionStopsAtTheEndsOrWrapsAndTheEditShowsIt)
{
    UpDown->SetPosition(7);
    EXPECT_EQ(3, UpDown->Position()) << "kept within the range";
    EXPECT_EQ(L"3", Edit->Text());
    UpDown->SetPosition(2);
    EXPECT_EQ(L"2", Edit->Text());
    ClickUp();
    ClickUp();
    EXPECT_EQ(3, UpDown->Position());
    EXPECT_EQ(L"3", Edit->Text());
    EXPECT_EQ((std::vector<TUDBtnType>{TUDBtnType::btNext}), Clicks) << "no step past the end";

    UpDown->SetWrap(true);
    PumpFor(20);
    ClickUp();
    EXPECT_EQ(0, UpDown->Position());
    EXPECT_EQ(L"0", Edit->Text());
}

TEST_F(UpDownTest, ARefusedChangeKeepsThePosition)
{
    UpDown->SetPosition(1);
    int asked = 0;
    UpDown->SetOnChangingEx(
        TUDChangingEventEx([&](TObject*, bool& allow, SmallInt newValue, TUpDownDirection direction) {
            ++asked;
            EXPECT_EQ(2, newValue);
            EXPECT_EQ(TUpDownDirection::updUp, direction);
            allow = false;
        }));
    ClickUp();
    EXPECT_EQ(1, asked);
    EXPECT_EQ(1, UpDown->Position());
    EXPECT_EQ(L"1", Edit->Text());
}
