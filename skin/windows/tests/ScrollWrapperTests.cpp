// The skinned scroll bars of a wrapped plain window over the GALLERY test skin (flat colours, an
// 8 x 8 glyph of its own colour on each arrow and thumb), the system's bars 17 thick with arrows
// of 17: their measures, the room they take in the frame, their pixels painted into a memory DC,
// the size grip, and the mouse by sent messages with the timers and the cursor through seams.
#include <gtest/gtest.h>

#include <windowsx.h>

#include "pump.h"
#include "skin/core/sMessages.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "vcl/stdctrls_memo.h"

using namespace skin;
using vcl::TPoint;
using vcl::TRect;
using wraptest::TRecordingWindow;

namespace {

class ScrollWrapperTest : public wraptest::WrapperTest {
protected:
    // A wrapper with its own skin data over Window.
    std::unique_ptr<TacScrollWnd> Wrap(HWND Window)
    {
        return NewWrapper<TacScrollWnd>(Window, nullptr, Manager.get(), L"EDIT", true);
    }
    // A top-level window at Bounds on the screen with a frame of 2.
    std::unique_ptr<TRecordingWindow> TopLevel(const TRect& Bounds, DWORD Style, DWORD ExStyle = 0)
    {
        return std::make_unique<TRecordingWindow>(nullptr, Bounds, Style, ExStyle);
    }
};

int ScrollPos(HWND Window, int Bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(Window, Bar, &info);
    return info.nPos;
}

TRect ScreenRect(HWND Window)
{
    TRect r;
    GetWindowRect(Window, &r);
    return r;
}

}  // namespace

TEST_F(ScrollWrapperTest, BarsMeasureBySystemOrByTheSkinsArrowImageWhenPainting)
{
    const auto window = TopLevel(TRect(100, 100, 300, 250), WS_HSCROLL | WS_VSCROLL);
    const auto wrapper = Wrap(window->Handle());
    TacScrollBar* bar = wrapper->sBarHorz.get();
    const struct {
        int Measure, Length;
    } cases[] = {{-1, 17}, {-2, 34}, {0, 0}, {12, 12}};
    for (const auto& c : cases) {
        bar->nArrowLength = c.Measure;
        EXPECT_EQ(GetScrollMetric(bar, 0, false), c.Length) << c.Measure;
    }
    bar->nArrowLength = -1;
    EXPECT_EQ(GetScrollMetric(bar, 1, false), 17);

    // The left arrow's section sizes the arrows by its image: 75 wide in 3 images.
    Manager->ConstData.MaskScrollLeft = Manager->ConstData.MaskArrowLeft;
    const int section = Manager->ConstData.IndexScrollLeft, mask = Manager->ConstData.MaskScrollLeft;
    ASSERT_TRUE(Manager->IsValidSkinIndex(section) && Manager->IsValidImgIndex(mask));
    Manager->gd[size_t(section)].ReservedBoolean = true;
    TsMaskData& image = Manager->ma[size_t(mask)];
    image.R = TRect(image.R.left, image.R.top, image.R.left + 75, image.R.bottom);
    image.ImageCount = 3;
    EXPECT_EQ(GetScrollMetric(bar, 0, true), 25) << "painting";
    EXPECT_EQ(GetScrollMetric(bar, 0, false), 17) << "the mouse";
    EXPECT_EQ(GetScrollMetric(wrapper->sBarVert.get(), 0, true), 17) << "the up arrow's section does not ask";
}

TEST_F(ScrollWrapperTest, TheSystemMeasuresTheFrameWithoutTheBarsAndTheBarsTakeTheirRoom)
{
    const auto window = TopLevel(TRect(100, 100, 300, 250), WS_HSCROLL | WS_VSCROLL);
    const auto wrapper = Wrap(window->Handle());
    RECT r{0, 0, 200, 100};
    Ac_NCCalcSize(wrapper.get(), window->Handle(), FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(TRect(r), TRect(2, 2, 181, 81));
    EXPECT_FALSE(window->StyleAtCalcSize & (WS_HSCROLL | WS_VSCROLL)) << "the previous procedure saw no bars";
    EXPECT_EQ(GetWindowLongPtrW(window->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    EXPECT_TRUE(window->Received(WM_STYLECHANGED).empty()) << "the style's hiding is kept from the window";

    r = RECT{0, 0, 200, 15};
    Ac_NCCalcSize(wrapper.get(), window->Handle(), FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_FALSE(wrapper->sBarHorz->fScrollVisible) << "no room in a window 15 high";
    EXPECT_EQ(TRect(r), TRect(2, 2, 181, 13));

    const auto left = TopLevel(TRect(100, 100, 300, 250), WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
    const auto leftWrapper = Wrap(left->Handle());
    r = RECT{0, 0, 200, 100};
    Ac_NCCalcSize(leftWrapper.get(), left->Handle(), FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(TRect(r), TRect(19, 2, 198, 98));

    const auto plain = TopLevel(TRect(100, 100, 300, 250), 0);
    const auto plainWrapper = Wrap(plain->Handle());
    RECT client{};
    GetClientRect(plain->Handle(), &client);
    EXPECT_EQ(TRect(client), TRect(0, 0, 196, 146)) << "without the styles the window keeps its own measures";
    EXPECT_FALSE(plainWrapper->sBarHorz->fScrollVisible || plainWrapper->sBarVert->fScrollVisible);
}

TEST_F(ScrollWrapperTest, TheBarsRectanglesOnTheScreen)
{
    const auto window = TopLevel(TRect(100, 100, 300, 250), WS_HSCROLL | WS_VSCROLL);
    const auto wrapper = Wrap(window->Handle());
    TRect h, v;
    EXPECT_EQ(AC_GetHScrollRect(wrapper.get(), window->Handle(), h), 17);
    AC_GetVScrollRect(wrapper.get(), window->Handle(), v);
    EXPECT_EQ(h, TRect(102, 231, 281, 248));
    EXPECT_EQ(v, TRect(281, 102, 298, 231));
    RECT client{};
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(TRect(client), TRect(0, 0, 179, 129));
    EXPECT_EQ(wrapper->CornerBox(), TRect(181, 131, 198, 148));
}

// ---------------------------------------------------------------------------------------------
// Painting

namespace {

// A lying bar 234 long: a window of 238 x 100 with a frame of 2 and a horizontal bar only.
class PaintedBar : public ScrollWrapperTest {
protected:
    void SetUp() override
    {
        ScrollWrapperTest::SetUp();
        Window = std::make_unique<TRecordingWindow>(Host->Handle(), TRect(10, 10, 248, 110), WS_HSCROLL);
        Window->SetScroll(SB_HORZ, 0, 99, 10, 45);
        Wrapper = Wrap(Window->Handle());
    }
    void TearDown() override
    {
        Wrapper.reset();
        Window.reset();
        ScrollWrapperTest::TearDown();
    }
    // The bar's pixel (X, 1) as painted into a memory DC.
    COLORREF BarPixel(const wraptest::TMemoryDC& Memory, int X) const { return Memory.Pixel(2 + X, 81 + 1); }

    std::unique_ptr<TRecordingWindow> Window;
    std::unique_ptr<TacScrollWnd> Wrapper;
};

}  // namespace

TEST_F(PaintedBar, ArrowsAtTheEndsTheThumbAtItsPositionTheTrackBetween)
{
    TRect h;
    AC_GetHScrollRect(Wrapper.get(), Window->Handle(), h);
    ASSERT_EQ(h.Width(), 234);
    wraptest::TMemoryDC memory(238, 100);
    Ac_NCPaint(Wrapper.get(), Window->Handle(), -1, memory.DC());
    const COLORREF left = SectionColour(L"SCROLLBTNLEFT"), right = SectionColour(L"SCROLLBTNRIGHT");
    const COLORREF before = SectionColour(L"SCROLLBAR1H"), after = SectionColour(L"SCROLLBAR2H");
    const COLORREF thumb = SectionColour(L"SCROLLSLIDERH");
    const struct {
        int X;
        COLORREF Colour;
    } cases[] = {{0, left},     {16, left},   {17, before}, {106, before}, {107, thumb}, {126, thumb},
                 {127, after},  {216, after}, {217, right}, {233, right}};
    for (const auto& c : cases)
        EXPECT_EQ(BarPixel(memory, c.X), c.Colour) << "x " << c.X;
    // The glyphs of the test skin's scroll parts are dark grey in the normal state, 8 x 8 in the
    // middle of each arrow and of the thumb.
    const COLORREF glyph = RGB(30, 30, 30);
    for (int x : {4, 11, 113, 120, 221, 228})
        EXPECT_EQ(memory.Pixel(2 + x, 81 + 8), glyph) << "x " << x;
    for (int x : {3, 12, 112, 121})
        EXPECT_NE(memory.Pixel(2 + x, 81 + 8), glyph) << "x " << x;
    EXPECT_EQ(memory.Pixel(1, 82), COLORREF(0)) << "the frame is not painted";
}

TEST_F(PaintedBar, AHoveredArrowOfThisWindowShowsHotAndAPressedPartPressed)
{
    acScrollState.hActiveWnd = Window->Handle();
    acScrollState.nHotBar = SB_HORZ;
    acScrollState.nHotPortion = FirstArrowPart;
    acScrollState.nCurBar = SB_HORZ;
    acScrollState.nPressedPortion = TrackAfterPart;
    wraptest::TMemoryDC memory(238, 100);
    Ac_NCPaint(Wrapper.get(), Window->Handle(), -1, memory.DC());
    EXPECT_EQ(BarPixel(memory, 0), SectionColour(L"SCROLLBTNLEFT", 1));
    EXPECT_EQ(BarPixel(memory, 150), SectionColour(L"SCROLLBAR2H", 2));
    EXPECT_EQ(BarPixel(memory, 20), SectionColour(L"SCROLLBAR1H"));

    acScrollState.hActiveWnd = Host->Handle();
    wraptest::TMemoryDC other(238, 100);
    Ac_NCPaint(Wrapper.get(), Window->Handle(), -1, other.DC());
    EXPECT_EQ(BarPixel(other, 0), SectionColour(L"SCROLLBTNLEFT")) << "another window's hover";
    EXPECT_EQ(BarPixel(other, 150), SectionColour(L"SCROLLBAR2H")) << "another window's press";
}

TEST_F(PaintedBar, ABarThatCannotScrollIsBlendedAndShowsNoThumb)
{
    Window->SetScroll(SB_HORZ, 0, 9, 10, 0);
    wraptest::TMemoryDC memory(238, 100);
    Ac_NCPaint(Wrapper.get(), Window->Handle(), -1, memory.DC());
    if (Ac_IsScrollbarActive(Wrapper->sBarHorz.get()))
        GTEST_SKIP() << "the system reports the bar usable";
    EXPECT_NE(BarPixel(memory, 0), SectionColour(L"SCROLLBTNLEFT"));
    EXPECT_EQ(BarPixel(memory, 60), BarPixel(memory, 110)) << "no thumb";
}

TEST_F(ScrollWrapperTest, ADisabledOwnerControlBlendsItsBars)
{
    Host->Show();
    auto* memo = vcl::Create<vcl::TMemo>(Host.get());
    memo->SetParent(Host.get());
    memo->SetBounds(10, 10, 238, 100);
    memo->SetScrollBars(vcl::TScrollStyle::ssHorizontal);
    memo->HandleNeeded();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 45;
    SetScrollInfo(memo->Handle(), SB_HORZ, &info, FALSE);
    TsCommonData data(memo, true);
    data.SetSkinSection(L"EDIT");
    const auto wrapper = NewWrapper<TacScrollWnd>(memo->Handle(), &data, Manager.get(), L"EDIT", true);
    TRect h;
    AC_GetHScrollRect(wrapper.get(), memo->Handle(), h);
    const TRect window = ScreenRect(memo->Handle());
    const int x = h.left - window.left, y = h.top - window.top + 1;
    const auto paint = [&] {
        wraptest::TMemoryDC memory(238, 100);
        Ac_NCPaint(wrapper.get(), memo->Handle(), -1, memory.DC());
        return memory.Pixel(x, y);
    };
    ASSERT_EQ(paint(), SectionColour(L"SCROLLBTNLEFT"));
    memo->SetEnabled(false);
    EXPECT_NE(paint(), SectionColour(L"SCROLLBTNLEFT"));
}

TEST_F(ScrollWrapperTest, TheGripShowsOnlyInTheCornerOfAControlTouchingItsFormsClientCorner)
{
    RECT client{};
    GetClientRect(Host->Handle(), &client);
    const COLORREF grip = SectionColour(L"GLOBALINFO");  // the grip glyph's colour
    const auto corner = [&](HWND Parent, const TRect& Bounds) {
        TRecordingWindow window(Parent, Bounds, WS_HSCROLL | WS_VSCROLL);
        window.SetScroll(SB_HORZ, 0, 99, 10, 0);
        window.SetScroll(SB_VERT, 0, 99, 10, 0);
        const auto wrapper = Wrap(window.Handle());
        const int w = Bounds.Width(), h = Bounds.Height();
        wraptest::TMemoryDC memory(w, h);
        Ac_NCPaint(wrapper.get(), window.Handle(), -1, memory.DC());
        return memory.Pixel(w - 3, h - 3);
    };
    const int w = client.right, h = client.bottom;
    EXPECT_EQ(corner(Host->Handle(), TRect(w - 120, h - 90, w, h)), grip);
    EXPECT_NE(corner(Host->Handle(), TRect(w - 120, h - 91, w, h - 1)), grip) << "one pixel up";
    TRecordingWindow panel(Host->Handle(), TRect(0, 0, w, h), 0, 0, 0);
    EXPECT_NE(corner(panel.Handle(), TRect(w - 120, h - 90, w, h)), grip) << "inside a panel";
}

// ---------------------------------------------------------------------------------------------
// The mouse

namespace {

// A window with both bars, 0..100 with a page of 10, its scroll messages and skin commands
// recorded; timers and cursor through the seams.
class MouseOnBars : public ScrollWrapperTest {
protected:
    void SetUp() override
    {
        ScrollWrapperTest::SetUp();
        Window = std::make_unique<TRecordingWindow>(Host->Handle(), TRect(10, 10, 260, 160), WS_HSCROLL | WS_VSCROLL);
        Window->SetScroll(SB_HORZ, 0, 100, 10, 0);
        Window->SetScroll(SB_VERT, 0, 100, 10, 0);
        Window->Answer = [this](UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result) {
            if (Msg != SkinCommandMessage || HIWORD(WParam) != scmdBeforeScroll)
                return false;
            Result = BeforeScrollAnswer;
            return true;
        };
        ScrollSeams().SetTimer = [this](HWND, UINT_PTR Id, UINT Elapse) {
            Timers.push_back({Id, Elapse});
            return Id;
        };
        ScrollSeams().KillTimer = [this](HWND, UINT_PTR Id) { Killed.push_back(Id); };
        ScrollSeams().MessagePos = [this] { return Cursor; };
        vcl::Seams().CursorPos = [this] { return Cursor; };
        Wrapper = Wrap(Window->Handle());
        Window->Clear();
    }
    void TearDown() override
    {
        Wrapper.reset();
        Window.reset();
        ScrollWrapperTest::TearDown();
    }
    TRect Bar(int Which) const
    {
        TRect r;
        Ac_GetScrollRect(Wrapper.get(), Which, Window->Handle(), r);
        return r;
    }
    void Press(int Which, const TPoint& At)
    {
        Cursor = At;
        SendMessageW(Window->Handle(), WM_NCLBUTTONDOWN, Which == SB_VERT ? HTVSCROLL : HTHSCROLL,
                     MAKELPARAM(At.x, At.y));
    }
    void Move(const TPoint& To)
    {
        Cursor = To;
        POINT client = To;
        ScreenToClient(Window->Handle(), &client);
        SendMessageW(Window->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    }
    void Release() { SendMessageW(Window->Handle(), WM_LBUTTONUP, 0, 0); }
    void Tick(UINT_PTR Id) { SendMessageW(Window->Handle(), WM_TIMER, Id, 0); }
    // The scroll messages the window got: (code, position in the high word, LParam).
    struct TScroll {
        int Code, High;
        LPARAM LParam;
        bool operator==(const TScroll&) const = default;
    };
    std::vector<TScroll> Scrolls(UINT Msg) const
    {
        std::vector<TScroll> found;
        for (const wraptest::TRecord& r : Window->Received(Msg))
            found.push_back({LOWORD(r.WParam), HIWORD(r.WParam), r.LParam});
        return found;
    }
    // Every scroll message comes between scmdBeforeScroll and scmdAfterScroll for it.
    void ExpectBracketed(UINT Msg) const
    {
        std::vector<int> order;  // 51, 0 for the message, 52
        for (const wraptest::TRecord& r : Window->Records)
            if (r.Msg == SkinCommandMessage && (HIWORD(r.WParam) == scmdBeforeScroll || HIWORD(r.WParam) == scmdAfterScroll)) {
                EXPECT_EQ(HIWORD(r.LParam), Msg);
                order.push_back(HIWORD(r.WParam));
            } else if (r.Msg == Msg) {
                order.push_back(0);
            }
        ASSERT_EQ(order.size() % 3, 0u);
        for (size_t i = 0; i < order.size(); i += 3)
            EXPECT_EQ((std::vector<int>{order[i], order[i + 1], order[i + 2]}), (std::vector<int>{51, 0, 52}));
    }

    std::unique_ptr<TRecordingWindow> Window;
    std::unique_ptr<TacScrollWnd> Wrapper;
    std::vector<std::pair<UINT_PTR, UINT>> Timers;
    std::vector<UINT_PTR> Killed;
    TPoint Cursor;
    LRESULT BeforeScrollAnswer = 0;
};

}  // namespace

TEST_F(MouseOnBars, TheHitTestNamesTheBarsAndTheGripBetweenThem)
{
    const TRect h = Bar(SB_HORZ), v = Bar(SB_VERT);
    const auto hit = [&](int X, int Y) { return SendMessageW(Window->Handle(), WM_NCHITTEST, 0, MAKELPARAM(X, Y)); };
    EXPECT_EQ(hit(h.left + 30, h.top + 5), HTHSCROLL);
    EXPECT_EQ(hit(v.left + 5, v.top + 30), HTVSCROLL);
    EXPECT_NE(hit(v.left + 5, h.top + 5), HTBOTTOMRIGHT) << "a child in the middle of its parent: no grip";
    RECT client{};
    GetClientRect(Window->Handle(), &client);
    MapWindowPoints(Window->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(hit(client.left + 10, client.top + 10), HTCLIENT);
}

TEST_F(MouseOnBars, AnArrowScrollsAtOnceThenRepeatsOnItsTimersOnlyWhileTheCursorStaysOnIt)
{
    const TRect h = Bar(SB_HORZ);
    const TPoint arrow(h.left + 5, h.top + 5);
    Press(SB_HORZ, arrow);
    EXPECT_EQ(Scrolls(WM_HSCROLL), (std::vector<TScroll>{{SB_LINELEFT, 0, 0}}));
    EXPECT_EQ(GetCapture(), Window->Handle());
    ASSERT_EQ(Timers.size(), 1u);
    EXPECT_EQ(Timers[0], std::make_pair(UINT_PTR(0xFFFD), 300u));

    Tick(0xFFFD);
    ASSERT_EQ(Timers.size(), 2u);
    EXPECT_EQ(Timers[1], std::make_pair(UINT_PTR(0xFFFE), 55u));
    EXPECT_EQ(Killed, std::vector<UINT_PTR>{0xFFFD});
    EXPECT_EQ(Scrolls(WM_HSCROLL).size(), 1u) << "the first delay sends nothing";

    Tick(0xFFFE);
    Tick(0xFFFE);
    EXPECT_EQ(Scrolls(WM_HSCROLL).size(), 3u) << "each tick on the part one more";
    Cursor = TPoint(h.left + 100, h.top + 5);
    Tick(0xFFFE);
    EXPECT_EQ(Scrolls(WM_HSCROLL).size(), 3u) << "off the part none";
    Cursor = arrow;
    Tick(0xFFFE);
    EXPECT_EQ(Scrolls(WM_HSCROLL).size(), 4u) << "back on it again";

    Release();
    EXPECT_EQ(Scrolls(WM_HSCROLL).back(), (TScroll{SB_ENDSCROLL, 0, 0}));
    EXPECT_EQ(Killed.back(), UINT_PTR(0xFFFE));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(acScrollState.nClickPortion, NoPart);
    ExpectBracketed(WM_HSCROLL);
}

TEST_F(MouseOnBars, ATrackPressPagesAndAWindowsOwnTimerStillReachesIt)
{
    const TRect v = Bar(SB_VERT);
    Press(SB_VERT, TPoint(v.left + 5, v.bottom - 30));
    EXPECT_EQ(Scrolls(WM_VSCROLL), (std::vector<TScroll>{{SB_PAGEDOWN, 0, 0}}));
    Tick(42);
    EXPECT_EQ(Window->Received(WM_TIMER).size(), 1u);
    Release();
    ExpectBracketed(WM_VSCROLL);
}

TEST_F(MouseOnBars, DraggingEitherThumbToTheEndTracksAndEndsWithTheLastPagesPosition)
{
    for (int which : {SB_HORZ, SB_VERT}) {
        SCOPED_TRACE(which == SB_HORZ ? "lying" : "standing");
        Window->Clear();
        const UINT msg = which == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
        const TRect bar = Bar(which);
        const TThumb thumb = Ac_CalcThumbSize(which == SB_HORZ ? Wrapper->sBarHorz.get() : Wrapper->sBarVert.get(), bar);
        const TPoint grab = which == SB_HORZ ? TPoint(thumb.Start + 3, bar.top + 5) : TPoint(bar.left + 5, thumb.Start + 3);
        Press(which, grab);
        EXPECT_TRUE(Wrapper->fThumbTracking);
        EXPECT_TRUE(Scrolls(msg).empty());
        const TPoint end = which == SB_HORZ ? TPoint(bar.right + 40, grab.y) : TPoint(grab.x, bar.bottom + 40);
        Move(end);
        EXPECT_EQ(Scrolls(msg), (std::vector<TScroll>{{SB_THUMBTRACK, 91, 0}}));
        EXPECT_EQ(ScrollPos(Window->Handle(), which), 91) << "the window that does not scroll itself has its position set";
        Move(TPoint(end.x + 1, end.y + 1));
        EXPECT_EQ(Scrolls(msg).size(), 1u) << "an unchanged position sends nothing";
        Release();
        EXPECT_EQ(Scrolls(msg), (std::vector<TScroll>{{SB_THUMBTRACK, 91, 0}, {SB_THUMBPOSITION, 91, 0},
                                                      {SB_ENDSCROLL, 91, 0}}));
        EXPECT_FALSE(Wrapper->fThumbTracking);
        ExpectBracketed(msg);
        Window->SetScroll(which, 0, 100, 10, 0);
    }
}

TEST_F(MouseOnBars, APositionBeyondAWordGoesWhole)
{
    Window->SetScroll(SB_VERT, 0, 100000, 10, 0);
    BeforeScrollAnswer = 1;
    SendScrollMessage(Window->Handle(), WM_VSCROLL, SB_THUMBTRACK, 70000);
    EXPECT_EQ(Scrolls(WM_VSCROLL), (std::vector<TScroll>{{SB_THUMBTRACK, 0xFFFF, 70000}}));
    EXPECT_EQ(ScrollPos(Window->Handle(), SB_VERT), 0) << "a window that scrolls itself keeps its position";

    Window->Clear();
    BeforeScrollAnswer = 0;
    SendScrollMessage(Window->Handle(), WM_VSCROLL, SB_THUMBTRACK, 70000);
    EXPECT_EQ(Scrolls(WM_VSCROLL), (std::vector<TScroll>{{SB_THUMBTRACK, 0xFFFF, 0}}));
    EXPECT_EQ(ScrollPos(Window->Handle(), SB_VERT), 70000);
    SendScrollMessage(Window->Handle(), WM_VSCROLL, SB_LINEDOWN, 5);
    EXPECT_EQ(ScrollPos(Window->Handle(), SB_VERT), 70000) << "other codes leave the position";
    ExpectBracketed(WM_VSCROLL);
}

TEST_F(MouseOnBars, RightAndMiddleClicksOnABarGoNowhereAndHoverStartsItsTimer)
{
    const TRect h = Bar(SB_HORZ);
    for (UINT msg : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP})
        SendMessageW(Window->Handle(), msg, HTHSCROLL, MAKELPARAM(h.left + 30, h.top + 5));
    for (UINT msg : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP})
        EXPECT_TRUE(Window->Received(msg).empty());

    Cursor = TPoint(h.left + 5, h.top + 5);
    SendMessageW(Window->Handle(), WM_NCMOUSEMOVE, HTHSCROLL, MAKELPARAM(Cursor.x, Cursor.y));
    ASSERT_EQ(Timers.size(), 1u);
    EXPECT_EQ(Timers[0], std::make_pair(UINT_PTR(0xFFF2), 20u));
    Tick(0xFFF2);
    EXPECT_EQ(acScrollState.nHotPortion, FirstArrowPart);
    Cursor = TPoint(h.left + 5, h.top - 20);
    Tick(0xFFF2);
    EXPECT_EQ(acScrollState.nHotBar, -1) << "left the bar";
    EXPECT_EQ(Killed, std::vector<UINT_PTR>{0xFFF2});
}

// ---------------------------------------------------------------------------------------------
// Giving the window back

TEST_F(ScrollWrapperTest, APlainWindowIsGivenBackWhetherUninitializedOrFreed)
{
    TRecordingWindow window(Host->Handle(), TRect(10, 10, 200, 100), WS_HSCROLL | WS_VSCROLL);
    const auto own = GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC);
    auto wrapper = Wrap(window.Handle());
    EXPECT_EQ(Ac_GetScrollWndFromHwnd(window.Handle()), wrapper.get());
    EXPECT_NE(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC), own);
    UninitializeACScroll(window.Handle(), false, wrapper.get());
    EXPECT_TRUE(wrapper->Destroyed());
    EXPECT_EQ(GetPropW(window.Handle(), WrapperProperty), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC), own);
    EXPECT_FALSE(wrapper->sBarHorz || wrapper->sBarVert);
    UninitializeACScroll(window.Handle(), false, wrapper.get());  // a second call does nothing
    wrapper.reset();

    wrapper = Wrap(window.Handle());
    wrapper.reset();
    EXPECT_EQ(GetPropW(window.Handle(), WrapperProperty), nullptr) << "no window names a freed wrapper";
    EXPECT_EQ(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC), own);
    EXPECT_EQ(SendMessageW(window.Handle(), SkinCommandMessage, SkinCommandWParam(scmdQuerySkinned), 0), 0);
}

TEST_F(ScrollWrapperTest, ADestroyedWindowDetachesItsWrapper)
{
    auto window = std::make_unique<TRecordingWindow>(Host->Handle(), TRect(10, 10, 200, 100), WS_VSCROLL);
    const auto wrapper = Wrap(window->Handle());
    window.reset();
    EXPECT_TRUE(wrapper->Destroyed());
}
