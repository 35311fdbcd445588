// A new window for a control keeps what its user sees: text, selection, items, check state,
// scroll position, children and the focus.
#include "windowing_fixtures.h"

#include "vcl/comctrls.h"
#include "vcl/stdctrls.h"

#include <functional>
#include <string>

using namespace vcl;
using namespace wintest;

namespace {

String WindowText(HWND wnd)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(wnd, buffer, 512);
    return buffer;
}

void Type(HWND wnd, const String& text)
{
    for (wchar_t c : text)
        SendMessageW(wnd, WM_CHAR, c, 1);
}

String Num(LRESULT value) { return std::to_wstring(value); }

template<class T>
T* Make(TForm* form, int height = 25)
{
    T* control = Create<T>(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 150, height);
    return control;
}

// A click through the application's loop.
void Click(TWinControl* control, const TPoint& point)
{
    PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(point.x, point.y));
    PostMessageW(control->Handle(), WM_LBUTTONUP, 0, PointToLParam(point.x, point.y));
    testsupport::PumpFor(30);
}

void FillItems(TStrings* items, int count)
{
    for (int i = 0; i < count; ++i)
        items->Add(L"item " + std::to_wstring(i));
}

struct RecreateCase {
    std::string Name;
    // Makes the control on the form and shows what the user does to it through its window.
    std::function<TWinControl*(TForm*)> Make;
    // What the user sees, read from the window.
    std::function<String(TWinControl*)> Seen;
};

const RecreateCase Cases[] = {
    {"edit: typed text and selection",
     [](TForm* form) {
         auto* edit = Make<TEdit>(form);
         edit->SetText(L"alpha");
         Send(edit, EM_SETSEL, 5, 5);
         Type(edit->Handle(), L" beta");
         Send(edit, EM_SETSEL, 2, 7);
         return edit;
     },
     [](TWinControl* c) {
         DWORD start = 0, end = 0;
         Send(c, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
         return WindowText(c->Handle()) + L" [" + Num(start) + L"," + Num(end) + L"]";
     }},
    {"list box: items, selection and the first visible item",
     [](TForm* form) {
         auto* list = Make<TListBox>(form, 80);
         FillItems(list->Items(), 30);
         Send(list, LB_SETCURSEL, 20);
         Send(list, LB_SETTOPINDEX, 12);
         return list;
     },
     [](TWinControl* c) {
         return Num(Send(c, LB_GETCOUNT)) + L" items, " + Num(Send(c, LB_GETCURSEL)) + L" selected, " +
                Num(Send(c, LB_GETTOPINDEX)) + L" on top";
     }},
    {"multi-select list box: the selected items",
     [](TForm* form) {
         auto* list = Make<TListBox>(form, 80);
         list->SetMultiSelect(true);
         FillItems(list->Items(), 6);
         Send(list, LB_SETSEL, TRUE, 1);
         Send(list, LB_SETSEL, TRUE, 4);
         Send(list, LB_SETCARETINDEX, 4);
         return list;
     },
     [](TWinControl* c) {
         String seen;
         for (int i = 0; i < Send(c, LB_GETCOUNT); ++i)
             seen += Send(c, LB_GETSEL, i) > 0 ? L'x' : L'.';
         return seen + L" caret " + Num(Send(c, LB_GETCARETINDEX));
     }},
    {"check box: the state a click gave it",
     [](TForm* form) {
         auto* box = Make<TCheckBox>(form);
         box->SetCaption(L"Option");
         Send(box, BM_CLICK);
         return box;
     },
     [](TWinControl* c) { return WindowText(c->Handle()) + L" " + Num(Send(c, BM_GETCHECK)); }},
    {"combo box: items and the chosen item",
     [](TForm* form) {
         auto* combo = Make<TComboBox>(form);
         FillItems(combo->Items(), 5);
         Send(combo, CB_SETCURSEL, 3);
         return combo;
     },
     [](TWinControl* c) {
         return Num(Send(c, CB_GETCOUNT)) + L" items, " + Num(Send(c, CB_GETCURSEL)) + L": " +
                WindowText(c->Handle());
     }},
    {"combo box: a text typed over the chosen item",
     [](TForm* form) {
         auto* combo = Make<TComboBox>(form);
         FillItems(combo->Items(), 5);
         Send(combo, CB_SETCURSEL, 2);
         Type(combo->EditHandle(), L"!");
         return combo;
     },
     [](TWinControl* c) { return Num(Send(c, CB_GETCOUNT)) + L" items: " + WindowText(c->Handle()); }},
    {"memo: lines and the first visible line",
     [](TForm* form) {
         auto* memo = Make<TMemo>(form, 60);
         memo->SetScrollBars(TScrollStyle::ssVertical);
         for (int i = 0; i < 40; ++i)
             memo->Lines()->Add(L"line " + std::to_wstring(i));
         Send(memo, EM_LINESCROLL, 0, 17);
         return memo;
     },
     [](TWinControl* c) {
         return Num(Send(c, EM_GETLINECOUNT)) + L" lines, " + Num(Send(c, EM_GETFIRSTVISIBLELINE)) + L" on top";
     }},
    {"scroll bar: the position the user scrolled to",
     [](TForm* form) {
         auto* bar = Make<TScrollBar>(form, 17);
         bar->SetLargeChange(7);
         SendMessageW(form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
         return bar;
     },
     [](TWinControl* c) { return Num(GetScrollPos(c->Handle(), SB_CTL)); }},
    {"group box: its children and theirs",
     [](TForm* form) {
         auto* box = Make<TGroupBox>(form, 100);
         box->SetCaption(L"Group");
         auto* edit = Create<TEdit>(form);
         edit->SetParent(box);
         edit->SetBounds(10, 30, 100, 21);
         Type(edit->Handle(), L"inner");
         return box;
     },
     [](TWinControl* c) {
         HWND child = GetWindow(c->Handle(), GW_CHILD);
         return WindowText(c->Handle()) + L" > " + WindowText(child) + (IsWindowVisible(child) ? L" shown" : L" hidden");
     }},
    {"tab control: tabs and the tab the user chose",
     [](TForm* form) {
         auto* tabs = Make<TTabControl>(form, 80);
         FillItems(tabs->Tabs(), 3);
         Click(tabs, tabs->TabRect(2).CenterPoint());
         return tabs;
     },
     [](TWinControl* c) { return Num(Send(c, TCM_GETITEMCOUNT)) + L" tabs, " + Num(Send(c, TCM_GETCURSEL)); }},
    {"page control: the page the user chose",
     [](TForm* form) {
         auto* pages = Make<TPageControl>(form, 80);
         for (int i = 0; i < 3; ++i)
             Create<TTabSheet>(form)->SetPageControl(pages);
         pages->SetActivePageIndex(0);
         Click(pages, pages->TabRect(1).CenterPoint());
         return pages;
     },
     [](TWinControl* c) {
         auto* pages = static_cast<TPageControl*>(c);
         HWND page = pages->ActivePage()->Handle();
         return Num(Send(c, TCM_GETCURSEL)) + L" chosen, page " + Num(pages->ActivePageIndex()) +
                (IsWindowVisible(page) ? L" shown" : L" hidden");
     }},
    {"up-down: the position the user clicked to",
     [](TForm* form) {
         auto* updown = Make<TUpDown>(form, 24);
         updown->SetWidth(17);
         Click(updown, TPoint(8, 2));
         return updown;
     },
     [](TWinControl* c) { return Num(Send(c, UDM_GETPOS32)); }},
    {"tool bar: a check button the user pressed",
     [](TForm* form) {
         auto* bar = Make<TToolBar>(form, 29);
         for (int i = 0; i < 2; ++i)
             Create<TToolButton>(form)->SetParent(bar);
         bar->Buttons(1)->SetStyle(TToolButtonStyle::tbsCheck);
         Click(bar, bar->Buttons(1)->BoundsRect().CenterPoint());
         return bar;
     },
     [](TWinControl* c) { return Num(Send(c, TB_BUTTONCOUNT)) + L" buttons, " + Num(Send(c, TB_ISBUTTONCHECKED, 1)); }},
    {"extended combo box: items and the chosen item",
     [](TForm* form) {
         auto* combo = Make<TComboBoxEx>(form);
         FillItems(combo->Items(), 5);
         Send(combo, CB_SETCURSEL, 3);
         return combo;
     },
     [](TWinControl* c) { return Num(Send(c, CB_GETCOUNT)) + L" items, " + Num(Send(c, CB_GETCURSEL)); }},
};

}  // namespace

TEST_F(WindowTest, RecreateWndKeepsWhatTheUserSees)
{
    for (const RecreateCase& c : Cases) {
        TForm* form = NewForm();
        ShowAndPaint(form);
        TWinControl* control = c.Make(form);
        control->SetFocus();
        String before = c.Seen(control);
        HWND old = control->Handle();

        control->RecreateWnd();
        ASSERT_TRUE(control->HandleAllocated()) << c.Name;
        EXPECT_NE(old, control->Handle()) << c.Name << ": a new window";
        EXPECT_EQ(before, c.Seen(control)) << c.Name;
        EXPECT_TRUE(control->Focused()) << c.Name << ": the focus stays";
    }
}
