// What the system's tab control, up-down control, tool bar and extended combo box do under this
// platform, on bare windows without our classes: the behaviour the classes over them rely on.
// Where the system falls short (a new tab padding waits for the next layout; the tool bar draws
// TBCDRF_NOEDGES and TBCDRF_NOETCHEDEFFECT buttons as if unasked), the class does that part itself
// and says so where it does.
#include "pump.h"

#include "vcl/system.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using vcl::String;
using vcl::TPoint;
using vcl::TRect;

// A top-level window that records what its children tell it and answers their notifications.
class TSpikeHost {
public:
    TSpikeHost()
    {
        testsupport::InitializeApplication();
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &TSpikeHost::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            wc.lpszClassName = L"ZirvSpikeHost";
            return RegisterClassExW(&wc);
        }();
        FHandle = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(atom)), L"spike",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 420, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TSpikeHost() { DestroyWindow(FHandle); }
    TSpikeHost(const TSpikeHost&) = delete;
    TSpikeHost& operator=(const TSpikeHost&) = delete;

    HWND Handle() const { return FHandle; }
    HWND AddChild(const wchar_t* className, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0)
    {
        return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, FHandle,
                               reinterpret_cast<HMENU>(static_cast<uintptr_t>(100)), GetModuleHandleW(nullptr),
                               nullptr);
    }
    // Paints the host and its children now.
    void Paint() const
    {
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(20);
    }

    // Answers a child's WM_NOTIFY; unset, the default answer 0.
    std::function<LRESULT(NMHDR*)> OnNotify;
    std::vector<UINT> NotifyCodes;
    std::vector<DRAWITEMSTRUCT> DrawItems;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* host = reinterpret_cast<TSpikeHost*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (host && msg == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            host->NotifyCodes.push_back(header->code);
            return host->OnNotify ? host->OnNotify(header) : 0;
        }
        if (host && msg == WM_DRAWITEM) {
            host->DrawItems.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }

    HWND FHandle;
};

template <class T>
int CountOf(const std::vector<T>& codes, T code)
{
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
}

// ---------------------------------------------------------------------------------------------
// SysTabControl32

void AddTabs(HWND tabs, int count, const wchar_t* caption = L"Page")
{
    for (int i = 0; i < count; ++i) {
        String text = String(caption) + L" " + std::to_wstring(i);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

TRect TabItemRect(HWND tabs, int index)
{
    TRect r;
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

TRect DisplayRect(HWND tabs)
{
    TRect r;
    GetClientRect(tabs, &r);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The padding takes effect when the tabs are laid out next (here at a font change), not at once:
// the tab control lays them out itself after a change of padding.
TEST(TabControlSpike, PaddingWidensTheTabsAtTheNextLayout)
{
    TSpikeHost host;
    HWND tabs = host.AddChild(WC_TABCONTROLW, 0, 10, 10, 380, 200);
    AddTabs(tabs, 3);
    const TRect before = TabItemRect(tabs, 1);
    SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(20, 3));
    SendMessageW(tabs, WM_SETFONT, SendMessageW(tabs, WM_GETFONT, 0, 0), 0);
    const TRect after = TabItemRect(tabs, 1);
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_GT(after.left, before.left) << "the first tab grew too";
}

TEST(TabControlSpike, AdjustRectGoesBothWaysAtEveryPosition)
{
    TSpikeHost host;
    for (DWORD position : {DWORD(0), DWORD(TCS_BOTTOM), DWORD(TCS_VERTICAL | TCS_MULTILINE),
                           DWORD(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE)}) {
        HWND tabs = host.AddChild(WC_TABCONTROLW, position, 10, 10, 380, 200);
        AddTabs(tabs, 3);
        const TRect display = DisplayRect(tabs);
        TRect window = display;
        SendMessageW(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&window));
        EXPECT_EQ(TRect(0, 0, 380, 200), window) << "style " << position;
        EXPECT_LT(display.Width() * display.Height(), 380 * 200) << "style " << position;
        DestroyWindow(tabs);
    }
}

TEST(TabControlSpike, TabsLieOnTheSideTheStyleNamesAndLeaveTheRestUsable)
{
    TSpikeHost host;
    struct Case {
        DWORD Style;
        // Which side of the display rectangle the tabs lie beyond.
        std::function<bool(const TRect& tab, const TRect& display)> Beyond;
    };
    const Case cases[] = {
        {0, [](const TRect& t, const TRect& d) { return t.bottom <= d.top; }},
        {TCS_BOTTOM, [](const TRect& t, const TRect& d) { return t.top >= d.bottom; }},
        {TCS_VERTICAL | TCS_MULTILINE, [](const TRect& t, const TRect& d) { return t.right <= d.left; }},
        {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, [](const TRect& t, const TRect& d) { return t.left >= d.right; }},
    };
    for (const Case& c : cases) {
        HWND tabs = host.AddChild(WC_TABCONTROLW, c.Style, 10, 10, 380, 200);
        AddTabs(tabs, 3);
        const TRect display = DisplayRect(tabs);
        EXPECT_FALSE(display.IsEmpty()) << "style " << c.Style;
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(c.Beyond(TabItemRect(tabs, i), display)) << "style " << c.Style << " tab " << i;
        DestroyWindow(tabs);
    }
}

TEST(TabControlSpike, MultiLineTabsTellTheirRowCount)
{
    TSpikeHost host;
    HWND tabs = host.AddChild(WC_TABCONTROLW, TCS_MULTILINE, 10, 10, 160, 200);
    AddTabs(tabs, 8, L"A long caption");
    EXPECT_GT(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    HWND single = host.AddChild(WC_TABCONTROLW, 0, 10, 10, 380, 200);
    AddTabs(single, 2);
    EXPECT_EQ(1, SendMessageW(single, TCM_GETROWCOUNT, 0, 0));
}

TEST(TabControlSpike, AnOverflowingRowMakesAnUpDownChild)
{
    TSpikeHost host;
    HWND tabs = host.AddChild(WC_TABCONTROLW, 0, 10, 10, 160, 120);
    AddTabs(tabs, 2);
    EXPECT_EQ(nullptr, FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr));
    AddTabs(tabs, 8, L"A long caption");
    SendMessageW(tabs, WM_SIZE, 0, MAKELPARAM(160, 120));
    EXPECT_NE(nullptr, FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr));
}

TEST(TabControlSpike, AnOwnerDrawnTabControlAsksItsParentToDrawEachTab)
{
    TSpikeHost host;
    HWND tabs = host.AddChild(WC_TABCONTROLW, TCS_OWNERDRAWFIXED, 10, 10, 380, 200);
    AddTabs(tabs, 3);
    host.Paint();
    ASSERT_FALSE(host.DrawItems.empty());
    std::vector<bool> drawn(3);
    for (const DRAWITEMSTRUCT& item : host.DrawItems) {
        EXPECT_EQ(tabs, item.hwndItem);
        EXPECT_EQ(UINT(ODT_TAB), item.CtlType);
        if (item.itemID < 3)
            drawn[item.itemID] = true;
    }
    EXPECT_EQ(std::vector<bool>(3, true), drawn);
}

// ---------------------------------------------------------------------------------------------
// ToolbarWindow32

HWND NewToolBar(TSpikeHost& host, DWORD style = TBSTYLE_FLAT)
{
    HWND bar =
        host.AddChild(TOOLBARCLASSNAMEW, style | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 400, 40);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    return bar;
}

void AddButtons(HWND bar, std::initializer_list<TBBUTTON> buttons)
{
    std::vector<TBBUTTON> list(buttons);
    SendMessageW(bar, TB_ADDBUTTONSW, list.size(), reinterpret_cast<LPARAM>(list.data()));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
}

TBBUTTON TextButton(int command, const wchar_t* text, BYTE state = TBSTATE_ENABLED, BYTE style = BTNS_BUTTON)
{
    TBBUTTON b{};
    b.iBitmap = I_IMAGENONE;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = style;
    b.iString = reinterpret_cast<INT_PTR>(text);
    return b;
}

TRect ButtonRect(HWND bar, int index)
{
    TRect r;
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Pixels of a rectangle of a window, as the screen shows them.
std::vector<COLORREF> PixelsIn(HWND wnd, const TRect& r)
{
    const testsupport::TGrab grab = testsupport::Grab(wnd);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            pixels.push_back(grab.ClientPixel(x, y));
    return pixels;
}

int CountColour(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    int n = 0;
    for (COLORREF p : pixels)
        n += p == colour;
    return n;
}

TEST(ToolBarSpike, CustomDrawReachesTheParentAtEachStageAskedFor)
{
    TSpikeHost host;
    HWND bar = NewToolBar(host);
    AddButtons(bar, {TextButton(1, L"One"), TextButton(2, L"Two")});
    std::vector<DWORD> stages;
    std::vector<DWORD_PTR> items;
    host.OnNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code != NM_CUSTOMDRAW)
            return 0;
        auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
        stages.push_back(draw->nmcd.dwDrawStage);
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            items.push_back(draw->nmcd.dwItemSpec);
        return draw->nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    };
    host.Paint();
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(DWORD(CDDS_PREPAINT), stages.front());
    EXPECT_NE(std::find(items.begin(), items.end(), DWORD_PTR(1)), items.end()) << "items named by command";
    EXPECT_NE(std::find(items.begin(), items.end(), DWORD_PTR(2)), items.end());

    stages.clear();
    host.OnNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code == NM_CUSTOMDRAW)
            stages.push_back(reinterpret_cast<NMCUSTOMDRAW*>(header)->dwDrawStage);
        return CDRF_DODEFAULT;
    };
    host.Paint();
    EXPECT_EQ(0, CountOf(stages, DWORD(CDDS_ITEMPREPAINT))) << "items only when asked for";
}

TEST(ToolBarSpike, SkipDefaultLeavesAButtonUnpainted)
{
    TSpikeHost host;
    HWND bar = NewToolBar(host, 0);
    AddButtons(bar, {TextButton(1, L"Checked", TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK)});
    const TRect r = ButtonRect(bar, 0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    host.Paint();
    const int painted = static_cast<int>(r.Width() * r.Height()) - CountColour(PixelsIn(bar, r), face);
    EXPECT_GT(painted, 0) << "a checked button shows something of its own";

    host.OnNotify = [](NMHDR* header) -> LRESULT {
        if (header->code != NM_CUSTOMDRAW)
            return 0;
        DWORD stage = reinterpret_cast<NMCUSTOMDRAW*>(header)->dwDrawStage;
        return stage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_SKIPDEFAULT;
    };
    host.Paint();
    const std::vector<COLORREF> skipped = PixelsIn(bar, r);
    EXPECT_EQ(static_cast<int>(skipped.size()), CountColour(skipped, face));
}

// The system draws a button the same whether the answer holds TBCDRF_NOEDGES and
// TBCDRF_NOETCHEDEFFECT or not: the tool bar draws such a button itself.

TEST(ToolBarSpike, ItemRectanglesFollowTheButtonsAndADropDownPressTellsTheParent)
{
    TSpikeHost host;
    HWND bar = NewToolBar(host);
    AddButtons(bar, {TextButton(1, L"One"), TextButton(2, L"Menu", TBSTATE_ENABLED, BTNS_DROPDOWN)});
    const TRect first = ButtonRect(bar, 0);
    const TRect second = ButtonRect(bar, 1);
    EXPECT_FALSE(first.IsEmpty());
    EXPECT_GE(second.left, first.right);
    int dropped = -1;
    host.OnNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code == TBN_DROPDOWN)
            dropped = reinterpret_cast<NMTOOLBARW*>(header)->iItem;
        return TBDDRET_DEFAULT;
    };
    const TPoint arrow(second.right - 4, second.top + second.Height() / 2);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    testsupport::PumpFor(30);
    EXPECT_EQ(2, dropped) << "the command of the button";
}

TEST(ToolBarSpike, MarksReachTheItemStateAndADeletedButtonIsAnnounced)
{
    TSpikeHost host;
    HWND bar = NewToolBar(host);
    AddButtons(bar, {TextButton(1, L"Marked", TBSTATE_ENABLED | TBSTATE_MARKED),
                     TextButton(2, L"Between", TBSTATE_ENABLED | TBSTATE_INDETERMINATE)});
    std::vector<UINT> states(3);
    host.OnNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code != NM_CUSTOMDRAW)
            return 0;
        auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
        if (draw->dwDrawStage == CDDS_ITEMPREPAINT && draw->dwItemSpec < 3)
            states[draw->dwItemSpec] = draw->uItemState;
        return draw->dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    };
    host.Paint();
    EXPECT_TRUE(states[1] & CDIS_MARKED);
    EXPECT_TRUE(states[2] & CDIS_INDETERMINATE);

    host.NotifyCodes.clear();
    SendMessageW(bar, TB_DELETEBUTTON, 0, 0);
    EXPECT_EQ(1, CountOf(host.NotifyCodes, UINT(TBN_DELETINGBUTTON)));
}

// ---------------------------------------------------------------------------------------------
// msctls_updown32

String WindowText(HWND wnd)
{
    wchar_t text[64] = {};
    GetWindowTextW(wnd, text, 64);
    return text;
}

TEST(UpDownSpike, TheBuddyShowsThePositionSetAndTheStepsTaken)
{
    TSpikeHost host;
    HWND edit = host.AddChild(L"EDIT", WS_BORDER, 10, 10, 80, 22);
    HWND updown = host.AddChild(UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 17, 22);
    SendMessageW(updown, UDM_SETRANGE32, 0, 5);
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(updown, UDM_SETPOS32, 0, 4);
    EXPECT_EQ(L"4", WindowText(edit));
    RECT r;
    GetClientRect(updown, &r);
    for (int click = 0; click < 2; ++click) {
        PostMessageW(updown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
        PostMessageW(updown, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
        testsupport::PumpFor(30);
    }
    EXPECT_EQ(L"5", WindowText(edit)) << "stops at the end";
    EXPECT_EQ(5, SendMessageW(updown, UDM_GETPOS32, 0, 0));
    EXPECT_GE(CountOf(host.NotifyCodes, UINT(UDN_DELTAPOS)), 1);
}

// ---------------------------------------------------------------------------------------------
// ComboBoxEx32

// A copy of the system class under a name of ours whose procedure records the WM_DRAWITEM it sees
// before the system's.
WNDPROC SpikeComboExDefault = nullptr;
std::vector<HWND> SpikeComboExDrawItems;

LRESULT CALLBACK SpikeComboExProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM)
        SpikeComboExDrawItems.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem);
    return CallWindowProcW(SpikeComboExDefault, wnd, msg, wParam, lParam);
}

const wchar_t* SpikeComboExClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        GetClassInfoExW(nullptr, WC_COMBOBOXEXW, &wc);
        SpikeComboExDefault = wc.lpfnWndProc;
        wc.lpfnWndProc = SpikeComboExProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZirvSpikeComboEx";
        return RegisterClassExW(&wc) != 0;
    }();
    return registered ? L"ZirvSpikeComboEx" : nullptr;
}

void AddComboExItems(HWND combo, int count)
{
    for (int i = 0; i < count; ++i) {
        String text = L"Item " + std::to_wstring(i);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

TEST(ComboBoxExSpike, TheInnerComboDrawsItsItemsThroughTheOuterWindowsProcedure)
{
    TSpikeHost host;
    const wchar_t* className = SpikeComboExClass();
    ASSERT_NE(nullptr, className);
    HWND combo = host.AddChild(className, CBS_DROPDOWNLIST, 10, 10, 200, 200);
    AddComboExItems(combo, 3);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SpikeComboExDrawItems.clear();
    host.Paint();
    HWND inner = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_NE(nullptr, inner);
    EXPECT_EQ(combo, GetParent(inner));
    ASSERT_FALSE(SpikeComboExDrawItems.empty());
    EXPECT_EQ(inner, SpikeComboExDrawItems.front());
    EXPECT_TRUE(host.DrawItems.empty()) << "the outer window draws them itself";
}

// Counts the characters a subclassed window receives.
WNDPROC SpikeEditPrevious = nullptr;
WNDPROC SpikeInnerPrevious = nullptr;
int SpikeEditChars = 0;
int SpikeInnerPaints = 0;

LRESULT CALLBACK SpikeEditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CHAR)
        ++SpikeEditChars;
    return CallWindowProcW(SpikeEditPrevious, wnd, msg, wParam, lParam);
}

LRESULT CALLBACK SpikeInnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT)
        ++SpikeInnerPaints;
    return CallWindowProcW(SpikeInnerPrevious, wnd, msg, wParam, lParam);
}

TEST(ComboBoxExSpike, TheInnerComboAndItsEditCanBeSubclassed)
{
    TSpikeHost host;
    HWND combo = host.AddChild(WC_COMBOBOXEXW, CBS_DROPDOWN, 10, 10, 200, 200);
    AddComboExItems(combo, 2);
    HWND inner = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETCOMBOCONTROL, 0, 0));
    HWND edit = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(nullptr, inner);
    ASSERT_NE(nullptr, edit);
    SpikeEditPrevious =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpikeEditProc)));
    SpikeInnerPrevious =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpikeInnerProc)));
    SpikeEditChars = SpikeInnerPaints = 0;
    for (wchar_t c : String(L"ab"))
        PostMessageW(edit, WM_CHAR, c, 1);
    host.Paint();
    EXPECT_EQ(2, SpikeEditChars);
    EXPECT_GT(SpikeInnerPaints, 0);
    wchar_t text[16] = {};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(L"ab", text) << "the characters went on to the edit";
}

}  // namespace
