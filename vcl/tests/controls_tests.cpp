// The control model under a real display: the message chain, property-change messages, painting
// of graphic children, mouse routing, a user's real clicks and typing, focus and alignment.
#include "user_input.h"
#include "windowing_fixtures.h"

#include "vcl/stdctrls.h"

#include <string>
#include <utility>

using namespace vcl;
using namespace wintest;
using testsupport::Grab;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// Posts a mouse message at a client point of a windowed control.
void PostMouse(TWinControl* control, UINT msg, int x, int y, WPARAM keys = 0)
{
    PostMessageW(control->Handle(), msg, keys, PointToLParam(x, y));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The message chain

TEST_F(WindowTest, SpyWindowProcSeesEveryMessageFromCreationAndRestoresEqual)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 10, 10, 100, 50);
    TWndMethod saved = panel->WindowProc();
    std::vector<UINT> spied;
    panel->SetWindowProc(TWndMethod([&](TMessage& m) {
        spied.push_back(m.Msg);
        saved(m);
    }));
    panel->Received.clear();

    ShowAndPaint(form);
    SendMessageW(panel->Handle(), WM_USER + 5, 1, 2);
    PostMessageW(panel->Handle(), WM_USER + 6, 3, 4);
    panel->Perform(CM_CHANGED);
    PumpFor(20);

    std::vector<UINT> received;
    for (const TMessage& m : panel->Received)
        received.push_back(m.Msg);
    EXPECT_EQ(spied, received);
    for (UINT msg : {UINT(WM_NCCREATE), UINT(WM_CREATE), UINT(WM_PAINT), UINT(WM_USER + 5), UINT(WM_USER + 6), CM_CHANGED})
        EXPECT_NE(spied.end(), std::find(spied.begin(), spied.end(), msg)) << std::hex << msg << ::testing::PrintToString(spied);

    panel->SetWindowProc(saved);
    EXPECT_TRUE(panel->WindowProc() == saved);
    EXPECT_TRUE(panel->WindowProc() == TWndMethod(panel, &TControl::WndProc));
    EXPECT_FALSE(panel->WindowProc() == TWndMethod([](TMessage&) {}));
}

namespace {

// Says that it changed when asked to.
class TChangingBlock : public TColorBlock {
    CL_CLASS(TChangingBlock, TColorBlock)
public:
    using TColorBlock::TColorBlock;
    void SayChanged() { Changed(); }
};

}  // namespace

TEST_F(WindowTest, ChangedTellsTheControlWithItselfInLParam)
{
    TForm* form = NewForm();
    auto* block = NewChild<TChangingBlock>(form, 0, 0, 10, 10);
    TMessage seen{};
    const TWndMethod saved = block->WindowProc();
    block->SetWindowProc(TWndMethod([&](TMessage& m) {
        seen = m;
        saved(m);
    }));
    block->SayChanged();
    block->SetWindowProc(saved);
    EXPECT_EQ(seen.Msg, CM_CHANGED);
    EXPECT_EQ(seen.WParam, 0u);
    EXPECT_EQ(seen.LParam, reinterpret_cast<LPARAM>(block));
}

TEST(KeyFlags, ShiftStatesAndMouseKeyFlagsTranslateBothWays)
{
    const WPARAM all = MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    for (WPARAM keys : {WPARAM(0), WPARAM(MK_SHIFT), WPARAM(MK_CONTROL | MK_RBUTTON), all})
        EXPECT_EQ(ShiftStateToKeys(KeysToShiftState(keys)), keys) << keys;
    EXPECT_EQ(ShiftStateToKeys(TShiftState{TShiftStateItem::ssAlt, TShiftStateItem::ssShift}), WPARAM(MK_SHIFT))
        << "Alt has no mouse key flag";
}

TEST_F(WindowTest, PerformCarriesAPointerAbove4GBAndCreatesNoHandle)
{
    void* high = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
    ASSERT_NE(nullptr, high);
    ASSERT_GT(reinterpret_cast<uintptr_t>(high), uintptr_t(0xFFFFFFFF));
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 0, 0, 10, 10);
    auto* block = NewChild<TColorBlock>(form, 0, 0, 10, 10);
    TMessage seen{};
    block->SetWindowProc(TWndMethod([&](TMessage& m) {
        seen = m;
        m.Result = m.LParam;
    }));

    LRESULT result = block->Perform(WM_USER + 1, reinterpret_cast<WPARAM>(high), reinterpret_cast<LPARAM>(high));
    EXPECT_EQ(reinterpret_cast<LPARAM>(high), seen.LParam);
    EXPECT_EQ(reinterpret_cast<WPARAM>(high), seen.WParam);
    EXPECT_EQ(reinterpret_cast<LRESULT>(high), result);

    panel->Perform(WM_USER + 1, 0, reinterpret_cast<LPARAM>(high));
    ASSERT_FALSE(panel->Received.empty());
    EXPECT_EQ(reinterpret_cast<LPARAM>(high), panel->Received.back().LParam);
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_FALSE(form->HandleAllocated());
    VirtualFree(high, 0, MEM_RELEASE);
}

TEST_F(WindowTest, AGrandchildsHandleFirstMakesOneWindowPerControl)
{
    TForm* form = NewForm();
    auto* child = NewChild<TTestPanel>(form, 0, 0, 50, 50);
    auto* grandchild = NewChild<TTestPanel>(child, 0, 0, 10, 10);
    grandchild->HandleNeeded();  // no ancestor has a window yet
    int windows = 0;
    EnumChildWindows(
        form->Handle(), [](HWND, LPARAM count) -> BOOL { return ++*reinterpret_cast<int*>(count), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 2);
    EXPECT_EQ(GetParent(grandchild->Handle()), child->Handle());
    EXPECT_EQ(FindControl(child->Handle()), child);
}

TEST_F(WindowTest, FindControlKnowsOnlyTheWindowsOfControls)
{
    TForm* form = NewForm();
    // Made from a system class that keeps its own state in the window's extra bytes.
    auto* edit = NewChild<TEdit>(form, 0, 0, 80, 20);
    edit->SetText(L"kept");
    EXPECT_EQ(FindControl(edit->Handle()), edit);
    wchar_t text[16] = {};
    GetWindowTextW(edit->Handle(), text, 16);
    EXPECT_STREQ(text, L"kept");
    SendMessageW(edit->Handle(), EM_SETSEL, 1, 3);
    DWORD start = 0, end = 0;
    SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD(1), DWORD(3)));

    // A window of this process whose extra bytes hold a control's address is still not a control.
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.cbWndExtra = int(sizeof(LONG_PTR));
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ForeignWithExtraBytes";
    ASSERT_TRUE(RegisterClassExW(&wc));
    HWND foreign = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr,
                                   wc.hInstance, nullptr);
    SetWindowLongPtrW(foreign, 0, reinterpret_cast<LONG_PTR>(edit));
    EXPECT_EQ(FindControl(foreign), nullptr);
    DestroyWindow(foreign);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST_F(WindowTest, PropertyChangeMessagesComeOncePerRealChange)
{
    static_assert(CM_VISIBLECHANGED == 0xB00B && CM_TEXTCHANGED == 0xB012 && CM_FONTCHANGED == 0xB00E);
    static_assert(CM_ENABLEDCHANGED == 0xB00C && CM_COLORCHANGED == 0xB00D && CM_MOUSEENTER == 0xB013);
    static_assert(CN_DRAWITEM == 0xBC2B && CN_KEYDOWN == 0xBD00 && CN_COMMAND == 0xBD11 && CM_SYNCHRONIZE == 0xB09B);
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 0, 0, 50, 50);
    auto* child = NewChild<TSpyPanel>(panel, 0, 0, 10, 10);
    ShowAndPaint(form);

    struct Case {
        const char* What;
        std::function<void()> Change;
        UINT Msg;
    };
    const Case cases[] = {
        {"text", [&] { panel->SetText(L"abc"); }, CM_TEXTCHANGED},
        {"font", [&] { panel->Font()->SetSize(12); }, CM_FONTCHANGED},
        {"colour", [&] { panel->SetColor(clLime); }, CM_COLORCHANGED},
        {"enabled", [&] { panel->SetEnabled(false); }, CM_ENABLEDCHANGED},
        {"visible", [&] { panel->SetVisible(false); }, CM_VISIBLECHANGED},
    };
    for (const Case& c : cases) {
        panel->Received.clear();
        child->Received.clear();
        c.Change();
        c.Change();
        EXPECT_EQ(1, panel->Count(c.Msg)) << c.What;
        if (c.Msg == CM_FONTCHANGED) {
            EXPECT_EQ(1, child->Count(CM_FONTCHANGED)) << "the child follows its parent's font once";
        }
    }
    EXPECT_EQ(0u, panel->Received.back().WParam) << "CM_VISIBLECHANGED carries the new value";
    EXPECT_EQ(L"abc", panel->Text());
    EXPECT_EQ(-16, child->Font()->Height());

    // An equal font and a foreign WM_SETTEXT change nothing the control announces.
    panel->Received.clear();
    TFont equalFont;
    equalFont.Assign(panel->Font());
    panel->SetFont(&equalFont);
    EXPECT_EQ(0, panel->Count(CM_FONTCHANGED));
    SendMessageW(panel->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xyz"));
    EXPECT_EQ(0, panel->Count(CM_TEXTCHANGED));
    EXPECT_EQ(L"xyz", panel->Text());
}

TEST_F(WindowTest, AGraphicControlHearsOfEachRealChangeOfItsBoundsAsAWindowWould)
{
    TForm* form = NewForm();
    auto* block = NewChild<TGraphicControl>(form, 10, 10, 20, 20);
    std::vector<TRect> told;
    const TWndMethod saved = block->WindowProc();
    block->SetWindowProc(TWndMethod([&](TMessage& m) {
        if (m.Msg == WM_WINDOWPOSCHANGED)
            told.push_back(block->BoundsRect());
        saved(m);
    }));
    block->SetBounds(15, 10, 20, 20);
    block->SetBounds(15, 10, 20, 20);
    block->SetHeight(30);
    block->SetWindowProc(saved);
    EXPECT_EQ(told, (std::vector<TRect>{TRect(15, 10, 35, 30), TRect(15, 10, 35, 40)}));
}

TEST_F(WindowTest, HandlerExceptionReachesHandleExceptionOnceAndTheLoopGoesOn)
{
    testsupport::TExceptionCapture capture;
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 100, 50);
    int clicks = 0;
    panel->SetOnClick(TNotifyEvent([&](TObject*) {
        ++clicks;
        if (clicks == 1)
            throw EConvertError(L"bad value");
        if (clicks == 2)
            throw std::runtime_error("not one of ours");
    }));
    ShowAndPaint(form);

    for (int i = 0; i < 3; ++i) {
        PostMouse(panel, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        PostMouse(panel, WM_LBUTTONUP, 5, 5);
    }
    ASSERT_TRUE(PumpUntil([&] { return clicks == 3; }));
    ASSERT_EQ(2u, capture.Reports().size());
    EXPECT_EQ(L"bad value", capture.Reports()[0].Message);
    EXPECT_EQ(panel, capture.Reports()[0].Sender);
    EXPECT_EQ(L"", capture.Reports()[1].Message) << "foreign exceptions are reported without a text";
}

TEST_F(WindowTest, AReportThatFailsItselfStaysInsideTheWindowProcedure)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 0, 0, 10, 10);
    TWndMethod saved = panel->WindowProc();
    panel->SetWindowProc(TWndMethod([&](TMessage& m) {
        if (m.Msg == WM_USER + 1)
            throw EConvertError(L"bad value");
        saved(m);
    }));
    const TExceptionEvent savedEvent = Application->OnException();
    const TSystemSeams savedSeams = Seams();
    int reports = 0;
    const struct {
        const char* What;
        std::function<void()> Break;
    } cases[] = {
        {"the exception event throws",
         [&] {
             Application->SetOnException(TExceptionEvent([&](TObject*, Exception&) {
                 ++reports;
                 throw EConvertError(L"cannot report");
             }));
         }},
        {"the message box throws",
         [&] {
             Application->SetOnException(TExceptionEvent());
             Seams().MessageBox = [&](HWND, const String&, const String&, UINT) -> int {
                 ++reports;
                 throw std::runtime_error("no message box");
             };
         }},
    };
    for (const auto& c : cases) {
        reports = 0;
        c.Break();
        EXPECT_NO_THROW(SendMessageW(panel->Handle(), WM_USER + 1, 0, 0)) << c.What;
        EXPECT_EQ(1, reports) << c.What;
    }
    Application->SetOnException(savedEvent);
    Seams() = savedSeams;
    panel->SetWindowProc(saved);
}

TEST_F(WindowTest, ChildNotificationsAreReflectedToTheChildAsCNMessages)
{
    TForm* form = NewForm();
    auto* parent = NewChild<TSpyPanel>(form, 0, 0, 100, 100);
    auto* child = NewChild<TSpyPanel>(parent, 10, 10, 20, 20);
    HWND wnd = child->Handle();
    NMHDR notify{wnd, static_cast<UINT_PTR>(GetDlgCtrlID(wnd)), 0};
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = wnd;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(wnd));
    const struct {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(wnd)},
        {WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify)},
        {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)},
        {WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)},
        {WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(wnd)},
    };
    for (const auto& c : cases) {
        child->Received.clear();
        SendMessageW(parent->Handle(), c.Msg, c.WParam, c.LParam);
        EXPECT_EQ(1, child->Count(CN_BASE + c.Msg)) << std::hex << c.Msg;
        EXPECT_EQ(c.LParam, child->Received.empty() ? 0 : child->Received.back().LParam);
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

TEST_F(WindowTest, GraphicChildPaintsAtItsPlaceClippedToItsBounds)
{
    TForm* form = NewForm();
    form->SetColor(clBlue);
    auto* block = NewChild<TColorBlock>(form, 30, 40, 20, 10, clRed);
    ShowAndPaint(form);
    ASSERT_TRUE(PumpUntil([&] { return block->Paints > 0; }));

    testsupport::TGrab grab = Grab(form->Handle());
    const struct {
        int X, Y;
        COLORREF Expected;
    } points[] = {
        {30, 40, RGB(255, 0, 0)}, {49, 49, RGB(255, 0, 0)}, {29, 40, RGB(0, 0, 255)},
        {30, 39, RGB(0, 0, 255)}, {50, 45, RGB(0, 0, 255)}, {40, 50, RGB(0, 0, 255)},
    };
    for (const auto& p : points)
        EXPECT_EQ(p.Expected, grab.ClientPixel(p.X, p.Y)) << p.X << "," << p.Y;
}

TEST_F(WindowTest, OpaqueGraphicChildIsLeftOutOfTheParentsErase)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 0, 0, 60, 40, clBlue);
    auto* opaque = NewChild<TColorBlock>(panel, 10, 10, 20, 10);
    opaque->SetOpaque(true);
    ShowAndPaint(form);

    // Into a green bitmap: the erase fills the panel blue except under the opaque child, which
    // itself paints nothing, so green shows there.
    TMemoryDC buffer(nullptr, 60, 40);
    HDC dc = buffer.Handle();
    RECT all{0, 0, 60, 40};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    DeleteObject(green);
    int paintsBefore = opaque->Paints;
    panel->PaintTo(dc, 0, 0);
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(dc, 15, 15));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 5, 5));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 35, 15));
    EXPECT_EQ(paintsBefore + 1, opaque->Paints);
}

TEST_F(WindowTest, DoubleBufferedEraseCarriesTheDCTwice)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 0, 0, 60, 40, clBlue);
    panel->SetDoubleBuffered(true);
    auto* block = NewChild<TColorBlock>(panel, 10, 10, 20, 10, clRed);
    ShowAndPaint(form);
    panel->Received.clear();
    panel->Repaint();

    int ownErases = 0;
    for (const TMessage& m : panel->Received)
        if (m.Msg == WM_ERASEBKGND && m.WParam != 0 && m.WParam == static_cast<WPARAM>(m.LParam))
            ++ownErases;
    EXPECT_EQ(1, ownErases);
    testsupport::TGrab grab = Grab(panel->Handle());
    EXPECT_EQ(RGB(0, 0, 255), grab.ClientPixel(2, 2));
    EXPECT_EQ(RGB(255, 0, 0), grab.ClientPixel(block->Left() + 1, block->Top() + 1));
}

namespace {

// A panel whose painting fails; it keeps the DCs it was given to paint on.
class TFailingPanel : public TTestPanel {
    CL_CLASS(TFailingPanel, TTestPanel)
public:
    using TTestPanel::TTestPanel;
    std::vector<HDC> PaintDCs;

protected:
    void Paint() override
    {
        PaintDCs.push_back(Canvas()->Handle());
        throw EConvertError(L"cannot paint");
    }
};

}  // namespace

TEST_F(WindowTest, APaintThatThrowsIsReportedAndFreesItsOffScreenBuffer)
{
    testsupport::TExceptionCapture capture;
    TForm* form = NewForm();
    auto* panel = NewChild<TFailingPanel>(form, 10, 10, 50, 50);
    panel->SetDoubleBuffered(true);
    ShowAndPaint(form);

    ASSERT_FALSE(panel->PaintDCs.empty());
    EXPECT_EQ(panel->PaintDCs.size(), capture.Reports().size());
    EXPECT_EQ(panel, capture.Reports().front().Sender);
    for (HDC dc : panel->PaintDCs)
        EXPECT_EQ(0u, GetObjectType(dc)) << "the off-screen DC is deleted";
}

namespace {

// A label stand-in: red while its caption is "A", green once it is "B".
class TCaptionBlock : public TColorBlock {
    CL_CLASS(TCaptionBlock, TColorBlock)
public:
    using TColorBlock::TColorBlock;

protected:
    TColor FillColor() override { return Caption() == L"B" ? clLime : clRed; }
};

}  // namespace

TEST_F(WindowTest, CaptionChangeAndFormRepaintShowInsideABlockingHandler)
{
    TForm* form = NewForm();
    auto* label = NewChild<TCaptionBlock>(form, 20, 20, 30, 15);
    label->SetCaption(L"A");
    auto* button = NewChild<TTestPanel>(form, 100, 20, 50, 30, clGray);
    COLORREF inside = 0;
    COLORREF before = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) {
        label->SetCaption(L"B");
        form->Repaint();
        inside = Grab(form->Handle()).ClientPixel(25, 25);
        Sleep(50);  // the rest of a blocking handler
    }));
    ShowAndPaint(form);
    before = Grab(form->Handle()).ClientPixel(25, 25);

    PostMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    PostMouse(button, WM_LBUTTONUP, 5, 5);
    ASSERT_TRUE(PumpUntil([&] { return inside != 0; }));
    EXPECT_EQ(RGB(255, 0, 0), before);
    EXPECT_EQ(RGB(0, 255, 0), inside);
}

// ---------------------------------------------------------------------------------------------
// Mouse

TEST_F(WindowTest, MouseEnterAndLeaveComeOncePerControlAndTheParentSeesTheChild)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TSpyPanel>(form, 10, 10, 200, 100, clBlue);
    auto* child = NewChild<TColorBlock>(panel, 50, 20, 40, 30);
    std::vector<std::wstring> events;
    auto log = [&](const wchar_t* what) {
        return TNotifyEvent([&events, what, child](TObject* sender) {
            events.push_back(std::wstring(what) + (sender == child ? L" child" : L" panel"));
        });
    };
    for (TControl* c : {static_cast<TControl*>(panel), static_cast<TControl*>(child)}) {
        c->SetOnMouseEnter(log(L"enter"));
        c->SetOnMouseLeave(log(L"leave"));
    }
    ShowAndPaint(form);

    TMouseDriver mouse;
    mouse.MoveTo(panel, 5, 5);
    mouse.MoveTo(panel, 6, 6);
    mouse.MoveTo(panel, 60, 30);
    mouse.MoveTo(panel, 61, 31);
    mouse.MoveTo(panel, 5, 5);
    mouse.MoveTo(form, 250, 150);
    const std::vector<std::wstring> expected = {L"enter panel", L"leave panel", L"enter child",
                                                L"leave child", L"enter panel", L"leave panel"};
    EXPECT_EQ(expected, events);
    bool parentSawChild = false;
    for (const TMessage& m : panel->Received)
        parentSawChild |= m.Msg == CM_MOUSEENTER && m.LParam == reinterpret_cast<LPARAM>(child);
    EXPECT_TRUE(parentSawChild);
}

TEST_F(WindowTest, GraphicChildClicksOnlyWhenReleasedInside)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 200, 100, clBlue);
    auto* child = NewChild<TColorBlock>(panel, 50, 20, 40, 30);
    int clicks = 0;
    std::vector<POINT> downs;
    child->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    child->SetOnMouseDown(TMouseEvent([&](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back({x, y}); }));
    ShowAndPaint(form);

    PostMouse(panel, WM_LBUTTONDOWN, 55, 25, MK_LBUTTON);
    PostMouse(panel, WM_LBUTTONUP, 150, 80);
    PumpFor(20);
    EXPECT_EQ(0, clicks);
    PostMouse(panel, WM_LBUTTONDOWN, 60, 30, MK_LBUTTON);
    PostMouse(panel, WM_LBUTTONUP, 61, 31);
    PumpFor(20);
    EXPECT_EQ(1, clicks);
    ASSERT_EQ(2u, downs.size());
    EXPECT_EQ(5, downs[0].x) << "child coordinates";
    EXPECT_EQ(5, downs[0].y);
}

// The user input fixture drives the program as a user does: a point on the screen is the same
// point for the X server and for Wine; a click reaches the control under it at its own
// coordinates, and typing and keys reach the focused edit.
TEST_F(WindowTest, AUsersClickAndTypingReachTheControlsUnderThePointerAndTheFocus)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 200, 100, clBlue);
    auto* child = NewChild<TColorBlock>(panel, 50, 20, 40, 30);
    auto* edit = NewChild<TEdit>(form, 10, 130, 150, 24, clWindow);
    std::vector<POINT> downs;
    child->SetOnMouseDown(TMouseEvent([&](TObject*, TMouseButton, TShiftState, int x, int y) {
        downs.push_back({x, y});
    }));
    ShowAndPaint(form);
    testsupport::UserInput input;

    const POINT at = testsupport::ScreenPointOf(panel->Handle(), POINT{55, 27});
    input.Move(at);
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        POINT cursor{};
        GetCursorPos(&cursor);
        return cursor.x == at.x && cursor.y == at.y;
    })) << "the pointer where the X server put it";
    input.Click(at);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !downs.empty(); }));
    EXPECT_EQ(downs[0].x, 5) << "child coordinates";
    EXPECT_EQ(downs[0].y, 7);

    edit->SetFocus();
    input.Type("Zirvane 12");
    input.Key("BackSpace");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return edit->Text() == L"Zirvane 1"; })) << edit->Text();
}

// ---------------------------------------------------------------------------------------------
// Focus

TEST_F(WindowTest, FocusMovesWithExitUpAndEnterDownTheChains)
{
    TForm* form = NewForm();
    auto* left = NewChild<TTestPanel>(form, 0, 0, 100, 100);
    auto* right = NewChild<TTestPanel>(form, 100, 0, 100, 100);
    auto* a = NewChild<TTestPanel>(left, 10, 10, 20, 20);
    auto* b = NewChild<TTestPanel>(right, 10, 10, 20, 20);
    a->SetTabStop(true);
    b->SetTabStop(true);
    std::vector<std::wstring> events;
    auto log = [&](const wchar_t* what, const wchar_t* name) {
        return TNotifyEvent([&events, what, name](TObject*) { events.push_back(std::wstring(what) + L" " + name); });
    };
    const std::pair<TWinControl*, const wchar_t*> named[] = {{left, L"left"}, {right, L"right"}, {a, L"a"}, {b, L"b"}};
    for (auto [control, name] : named) {
        control->SetOnEnter(log(L"enter", name));
        control->SetOnExit(log(L"exit", name));
    }
    ShowAndPaint(form);

    a->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }));
    EXPECT_EQ((std::vector<std::wstring>{L"enter left", L"enter a"}), events);
    events.clear();
    form->Perform(CM_DIALOGKEY, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return b->Focused(); }));
    EXPECT_EQ((std::vector<std::wstring>{L"exit a", L"exit left", L"enter right", L"enter b"}), events);
    EXPECT_EQ(b, form->ActiveControl());

    a->SetVisible(false);
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
}

TEST_F(WindowTest, KeysPassTheFormPreviewAndUnwantedTabsMoveTheFocus)
{
    TForm* form = NewForm();
    form->SetKeyPreview(true);
    auto* a = NewChild<TTestPanel>(form, 0, 0, 50, 50);
    auto* b = NewChild<TTestPanel>(form, 60, 0, 50, 50);
    a->SetTabStop(true);
    b->SetTabStop(true);
    std::vector<std::wstring> keys;
    form->SetOnKeyDown(TKeyEvent([&](TObject*, WORD& key, TShiftState) {
        keys.push_back(L"form " + std::to_wstring(key));
        if (key == VK_F6)
            key = 0;
    }));
    a->SetOnKeyDown(TKeyEvent([&](TObject*, WORD& key, TShiftState) { keys.push_back(L"a " + std::to_wstring(key)); }));
    a->SetOnKeyPress(TKeyPressEvent([&](TObject*, wchar_t& key) {
        keys.push_back(std::wstring(L"press ") + key);
        key = 0;
    }));
    ShowAndPaint(form);
    a->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }));

    PostMessageW(a->Handle(), WM_KEYDOWN, VK_F5, 0);
    PostMessageW(a->Handle(), WM_KEYDOWN, VK_F6, 0);
    PostMessageW(a->Handle(), WM_CHAR, L'q', 0);
    PostMessageW(a->Handle(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return b->Focused(); }));
    const std::vector<std::wstring> expected = {L"form 116", L"a 116", L"form 117", L"press q"};
    EXPECT_EQ(expected, keys);
}

// ---------------------------------------------------------------------------------------------
// Alignment and form geometry

namespace {

// The main window's bars, built the way a form's layout code builds them.
class TBarsForm : public TForm {
    CL_CLASS(TBarsForm, TForm)
public:
    TTestPanel* TopBar;
    TTestPanel* StatusBar;
    TTestPanel* BottomBar;
    TTestPanel* Steps;
    TTestPanel* Setup;

    explicit TBarsForm(TComponent* AOwner) : TForm(AOwner)
    {
        BeginLoading(this);
        SetClientWidth(1016);
        SetClientHeight(565);
        SetBorderStyle(TFormBorderStyle::bsSingle);
        SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
        TopBar = Bar(TAlign::alTop, 0, 0, 1016, 46);
        StatusBar = Bar(TAlign::alBottom, 0, 546, 1016, 19);
        BottomBar = Bar(TAlign::alBottom, 0, 500, 1016, 46);
        Steps = Bar(TAlign::alLeft, 0, 46, 450, 454);
        Setup = Bar(TAlign::alClient, 450, 46, 566, 454);
        EndLoading(this);
    }

private:
    TTestPanel* Bar(TAlign align, int left, int top, int width, int height)
    {
        auto* bar = Create<TTestPanel>(this);
        bar->SetParent(this);
        bar->SetBounds(left, top, width, height);
        bar->SetAlign(align);
        return bar;
    }
};

}  // namespace

TEST_F(WindowTest, MainWindowBarsTakeTheirRoomAndTheClientSizeIsExact)
{
    auto* form = Create<TBarsForm>(nullptr);
    form->SetLeft(0);
    form->SetTop(0);
    ShowAndPaint(form);

    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(1016, client.right);
    EXPECT_EQ(565, client.bottom);
    struct Expected {
        const char* Name;
        TControl* Control;
        TRect Bounds;
    };
    const Expected shown[] = {
        {"top", form->TopBar, Bounds(0, 0, 1016, 46)},         {"status", form->StatusBar, Bounds(0, 546, 1016, 19)},
        {"bottom", form->BottomBar, Bounds(0, 500, 1016, 46)}, {"steps", form->Steps, Bounds(0, 46, 450, 454)},
        {"setup", form->Setup, Bounds(450, 46, 566, 454)},
    };
    for (const Expected& e : shown)
        EXPECT_EQ(e.Bounds, e.Control->BoundsRect()) << e.Name;

    form->TopBar->SetVisible(false);
    EXPECT_EQ(Bounds(0, 0, 450, 500), form->Steps->BoundsRect()) << "a hidden bar frees its room";
    EXPECT_EQ(Bounds(450, 0, 566, 500), form->Setup->BoundsRect());
    form->Free();
}

TEST_F(WindowTest, ScreenCentredFormIsCentredOnTheScreenMetrics)
{
    TSystemSeams saved = Seams();
    Seams().SystemMetrics = [](int index) {
        switch (index) {
        case SM_CXSCREEN: return 1000;
        case SM_CYSCREEN: return 700;
        default: return GetSystemMetrics(index);
        }
    };
    TForm* form = NewForm();
    form->SetPosition(TPosition::poScreenCenter);
    ShowAndPaint(form);
    Seams() = saved;

    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ((1000 - form->Width()) / 2, r.left);
    EXPECT_EQ((700 - form->Height()) / 2, r.top);
}
