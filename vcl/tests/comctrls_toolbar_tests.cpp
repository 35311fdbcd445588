// The tool bar over the system's tool bar: its buttons, the custom-draw events and the drop-down
// menus.
#include "windowing_fixtures.h"

#include "vcl/comctrls.h"
#include "vcl/menus.h"

#include <commctrl.h>

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

// Counts what reaches the bar's WndProc: drop-down closings and deleting notices.
class TSpyToolBar : public TToolBar {
    CL_CLASS(TSpyToolBar, TToolBar)
public:
    using TToolBar::TToolBar;
    int DropDownsClosed = 0;
    int DeletingNotices = 0;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CN_DROPDOWNCLOSED)
            ++DropDownsClosed;
        if (Message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(Message.LParam)->code == TBN_DELETINGBUTTON)
            ++DeletingNotices;
        TToolBar::WndProc(Message);
    }
};

struct TDrawnStage {
    int Button;  // -1 for the bar
    TCustomDrawStage Stage;
    DWORD CanvasObjectType;
    bool operator==(const TDrawnStage&) const = default;
};

class ToolBarTest : public WindowTest {
protected:
    // A bar with a push button, a check button that is down and a drop-down button, captions shown.
    void SetUp() override
    {
        WindowTest::SetUp();
        Form = NewForm(400, 200);
        Bar = Create<TSpyToolBar>(Form);
        Bar->SetParent(Form);
        Bar->SetShowCaptions(true);
        Bar->SetEdgeBorders({});
        const TToolButtonStyle styles[] = {TToolButtonStyle::tbsButton, TToolButtonStyle::tbsCheck,
                                           TToolButtonStyle::tbsDropDown};
        const wchar_t* captions[] = {L"One", L"Two", L"Menu"};
        for (int i = 0; i < 3; ++i) {
            auto* button = Create<TToolButton>(Form);
            button->SetStyle(styles[i]);
            button->SetCaption(captions[i]);
            button->SetParent(Bar);
            Buttons.push_back(button);
        }
        Buttons[1]->SetDown(true);
    }
    // The bar's pixels that are not its face, inside a button.
    int PaintedPixels(int index)
    {
        const TRect r = Bar->Buttons(index)->BoundsRect();
        const testsupport::TGrab grab = testsupport::Grab(Bar->Handle());
        int painted = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                painted += grab.ClientPixel(x, y) != GetSysColor(COLOR_BTNFACE);
        return painted;
    }
    int PixelsOf(int index, COLORREF colour)
    {
        const TRect r = Bar->Buttons(index)->BoundsRect();
        const testsupport::TGrab grab = testsupport::Grab(Bar->Handle());
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += grab.ClientPixel(x, y) == colour;
        return count;
    }
    void Repaint()
    {
        RedrawWindow(Bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpFor(20);
    }
    // A click at a point of the bar, through the application's loop.
    void ClickAt(int x, int y)
    {
        PostMessageW(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
        PostMessageW(Bar->Handle(), WM_LBUTTONUP, 0, PointToLParam(x, y));
        PumpFor(50);
    }

    TForm* Form = nullptr;
    TSpyToolBar* Bar = nullptr;
    std::vector<TToolButton*> Buttons;
};

// The flags a button's event asks for; the button drawn as the system would otherwise.
TTBAdvancedCustomDrawBtnEvent AskFor(TTBCustomDrawFlags wanted, bool defaultDraw = true)
{
    return TTBAdvancedCustomDrawBtnEvent(
        [=](TToolBar*, TToolButton*, TCustomDrawState, TCustomDrawStage, TTBCustomDrawFlags& flags, bool& draw) {
            flags = wanted;
            draw = defaultDraw;
        });
}

}  // namespace

TEST_F(ToolBarTest, ButtonsReachTheWindowWithThemselvesAsData)
{
    ShowAndPaint(Form);
    HWND wnd = Bar->Handle();
    ASSERT_EQ(3, SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < 3; ++i) {
        TBBUTTON record{};
        ASSERT_TRUE(SendMessageW(wnd, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&record)));
        EXPECT_EQ(reinterpret_cast<DWORD_PTR>(Buttons[static_cast<size_t>(i)]), record.dwData);
        EXPECT_EQ(i, record.idCommand) << "a button's command is its index";
        EXPECT_EQ(i, Buttons[static_cast<size_t>(i)]->Index());
        TRect r;
        SendMessageW(wnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(r, Buttons[static_cast<size_t>(i)]->BoundsRect());
    }
    EXPECT_TRUE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 1, 0));
    EXPECT_EQ(
        BTNS_DROPDOWN, BTNS_DROPDOWN & [&] {
            TBBUTTON record{};
            SendMessageW(wnd, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&record));
            return record.fsStyle;
        }());
}

TEST_F(ToolBarTest, EachStageReachesTheEventsWithTheCanvasOnItsDC)
{
    std::vector<TDrawnStage> stages;
    Bar->SetOnAdvancedCustomDraw(
        TTBAdvancedCustomDrawEvent([&](TToolBar* sender, const TRect&, TCustomDrawStage stage, bool&) {
            stages.push_back({-1, stage, GetObjectType(sender->Canvas()->Handle())});
        }));
    Bar->SetOnAdvancedCustomDrawButton(
        TTBAdvancedCustomDrawBtnEvent([&](TToolBar* sender, TToolButton* button, TCustomDrawState,
                                          TCustomDrawStage stage, TTBCustomDrawFlags&, bool&) {
            stages.push_back({button->Index(), stage, GetObjectType(sender->Canvas()->Handle())});
        }));
    ShowAndPaint(Form);
    stages.clear();
    Repaint();
    auto reached = [&](int button, TCustomDrawStage stage) {
        for (const TDrawnStage& s : stages)
            if (s.Button == button && s.Stage == stage)
                return s.CanvasObjectType == OBJ_DC || s.CanvasObjectType == OBJ_MEMDC;
        return false;
    };
    for (TCustomDrawStage stage : {TCustomDrawStage::cdPreErase, TCustomDrawStage::cdPostErase,
                                   TCustomDrawStage::cdPrePaint, TCustomDrawStage::cdPostPaint})
        EXPECT_TRUE(reached(-1, stage)) << "bar, stage " << static_cast<int>(stage);
    for (int button = 0; button < 3; ++button)
        for (TCustomDrawStage stage : {TCustomDrawStage::cdPrePaint, TCustomDrawStage::cdPostPaint})
            EXPECT_TRUE(reached(button, stage)) << "button " << button << ", stage " << static_cast<int>(stage);
}

TEST_F(ToolBarTest, ADefaultDrawOfFalseLeavesTheButtonUnpainted)
{
    ShowAndPaint(Form);
    EXPECT_GT(PaintedPixels(1), 0) << "a button that is down";
    Bar->SetOnAdvancedCustomDrawButton(AskFor({}, false));
    Repaint();
    EXPECT_EQ(0, PaintedPixels(1));
}

TEST_F(ToolBarTest, NoEdgesAsksTheSystemAndTheFrameStaysAway)
{
    Bar->SetOnAdvancedCustomDrawButton(AskFor({TTBCustomDrawFlag::tbNoEdges}));
    ShowAndPaint(Form);
    NMTBCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = Bar->Handle();
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = 1;
    draw.nmcd.hdc = GetDC(Bar->Handle());
    draw.nmcd.rc = Buttons[1]->BoundsRect();
    const LRESULT answer = Bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
    ReleaseDC(Bar->Handle(), draw.nmcd.hdc);
    EXPECT_TRUE(answer & TBCDRF_NOEDGES);

    // The frame of the button that is down would show along its top.
    Repaint();
    const TRect r = Buttons[1]->BoundsRect();
    const testsupport::TGrab grab = testsupport::Grab(Bar->Handle());
    for (int x = r.left; x < r.right; ++x)
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), grab.ClientPixel(x, r.top)) << x;
}

TEST_F(ToolBarTest, NoEtchedEffectDrawsADisabledCaptionWithoutItsLightShadow)
{
    Buttons[0]->SetEnabled(false);
    ShowAndPaint(Form);
    EXPECT_GT(PixelsOf(0, GetSysColor(COLOR_BTNHIGHLIGHT)), 0) << "the etched caption";
    Bar->SetOnAdvancedCustomDrawButton(AskFor({TTBCustomDrawFlag::tbNoEtchedEffect}));
    Repaint();
    EXPECT_EQ(0, PixelsOf(0, GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_GT(PixelsOf(0, GetSysColor(COLOR_BTNSHADOW)), 0) << "the caption itself";
}

TEST_F(ToolBarTest, MarkedAndIndeterminateReachTheState)
{
    Buttons[0]->SetMarked(true);
    Buttons[2]->SetIndeterminate(true);
    std::vector<TCustomDrawState> states(3);
    Bar->SetOnAdvancedCustomDrawButton(
        TTBAdvancedCustomDrawBtnEvent([&](TToolBar*, TToolButton* button, TCustomDrawState state,
                                          TCustomDrawStage stage, TTBCustomDrawFlags&, bool&) {
            if (stage == TCustomDrawStage::cdPrePaint)
                states[static_cast<size_t>(button->Index())] = state;
        }));
    ShowAndPaint(Form);
    EXPECT_TRUE(states[0].Contains(TCustomDrawStateItem::cdsMarked));
    EXPECT_TRUE(states[2].Contains(TCustomDrawStateItem::cdsIndeterminate));
    EXPECT_FALSE(states[1].Contains(TCustomDrawStateItem::cdsMarked));
    EXPECT_TRUE(SendMessageW(Bar->Handle(), TB_GETSTATE, 0, 0) & TBSTATE_MARKED);
    EXPECT_TRUE(SendMessageW(Bar->Handle(), TB_GETSTATE, 2, 0) & TBSTATE_INDETERMINATE);
}

TEST_F(ToolBarTest, AClosedDropDownMenuIsFollowedByOneNotice)
{
    auto* menu = Create<TPopupMenu>(Form);
    auto* item = Create<TMenuItem>(Form);
    item->SetCaption(L"Item");
    menu->Items()->Add(item);
    int popups = 0;
    menu->SetOnPopup(TNotifyEvent([&](TObject*) {
        ++popups;
        testsupport::RunInNextLoopTurn([] { EndMenu(); });
    }));
    Buttons[2]->SetDropdownMenu(menu);
    ShowAndPaint(Form);
    const TRect r = Buttons[2]->BoundsRect();
    ClickAt(r.right - 4, r.top + r.Height() / 2);
    PumpFor(50);
    EXPECT_EQ(1, popups);
    EXPECT_EQ(menu->PopupComponent(), Buttons[2]);
    EXPECT_EQ(1, Bar->DropDownsClosed);
}

TEST_F(ToolBarTest, ClickingACheckButtonTurnsItUpAndFiresItsClick)
{
    int clicks = 0;
    Buttons[1]->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    ShowAndPaint(Form);
    const TPoint centre = Buttons[1]->BoundsRect().CenterPoint();
    ClickAt(centre.x, centre.y);
    EXPECT_EQ(1, clicks);
    EXPECT_FALSE(Buttons[1]->Down());
}

TEST_F(ToolBarTest, AFreedButtonLeavesTheBarWithADeletingNotice)
{
    ShowAndPaint(Form);
    Buttons[0]->Free();
    EXPECT_EQ(1, Bar->DeletingNotices);
    ASSERT_EQ(2, Bar->ButtonCount());
    TBBUTTON record{};
    SendMessageW(Bar->Handle(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(Buttons[1]), record.dwData);
    EXPECT_EQ(0, record.idCommand) << "commands follow the places";
    EXPECT_EQ(0, Buttons[1]->Index());
}

TEST_F(ToolBarTest, ButtonsSurviveANewWindow)
{
    ShowAndPaint(Form);
    Buttons[1]->SetDown(false);
    Bar->SetFlat(true);
    PumpFor(20);
    HWND wnd = Bar->Handle();
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_EQ(3, SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0));
    EXPECT_FALSE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 1, 0));
}
