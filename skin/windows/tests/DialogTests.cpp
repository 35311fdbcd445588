// The dialog wrapper on dialogs made from memory templates, under the DIALOG test skins: the frame
// read back from the screen, the region, the title buttons by sent messages and by real clicks
// through the X server, and the skinned system menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "pngfile.h"
#include "pump.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acDialogWnd.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "testpaths.h"
#include "user_input.h"

using namespace skin;

namespace {

// What reached the dialogs' own procedure.
std::vector<WPARAM> SysCommands;
bool KeepOwnRegion = false;
int RegionQueries = 0;

INT_PTR CALLBACK RecordingDlgProc(HWND Dlg, UINT Msg, WPARAM WParam, LPARAM)
{
    if (Msg == WM_SYSCOMMAND) {
        SysCommands.push_back(WParam & 0xFFF0);
        return TRUE;  // recorded only: the dialog stays as it is
    }
    if (Msg == RegionQueryMessage)
        ++RegionQueries;
    if (Msg == RegionQueryMessage && KeepOwnRegion) {
        SetWindowLongPtrW(Dlg, DWLP_MSGRESULT, LONG_PTR(RegionQueryOwn));
        return TRUE;
    }
    return FALSE;
}

// A dialog template without controls, of the style given and the class named (none: "#32770").
std::vector<WORD> Template(DWORD Style, DWORD ExStyle, const wchar_t* ClassName, const wchar_t* Title)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 1, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = Style;
    header->dwExtendedStyle = ExStyle;
    header->cx = 100;
    header->cy = 50;
    words.resize(sizeof(DLGTEMPLATE) / sizeof(WORD));
    words.push_back(0);  // no menu
    const auto text = [&words](const wchar_t* Text) {
        for (const wchar_t* c = Text; *c; ++c)
            words.push_back(WORD(*c));
        words.push_back(0);
    };
    if (ClassName)
        text(ClassName);
    else
        words.push_back(0);
    text(Title);
    return words;
}

// The dialog class with CS_NOCLOSE.
const wchar_t* NoCloseClass()
{
    static const wchar_t name[] = L"ZirvNoCloseDialog";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        GetClassInfoW(nullptr, L"#32770", &wc);
        wc.style |= CS_NOCLOSE;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        registered = RegisterClassW(&wc) != 0;
    }
    return name;
}

COLORREF Rgb(int R, int G, int B) { return RGB(R, G, B); }
// The test skin's close buttons (big, small and alone share nothing but their red): state colours.
COLORREF CloseColour(int State) { return Rgb(std::min(255, 200 + 30 * State), 40 + 30 * State, 40 + 30 * State); }

class DialogTest : public wraptest::WrapperTest {
protected:
    const char* SkinName() const override { return "DIALOG"; }
    void SetUp() override
    {
        WrapperTest::SetUp();
        SysCommands.clear();
        KeepOwnRegion = false;
        TitleBtnPressed = false;
    }
    void TearDown() override
    {
        Wrapper.reset();
        if (IsWindow(Dialog))
            DestroyWindow(Dialog);
        WrapperTest::TearDown();
    }

    // A wrapped dialog of Width x Height at (60, 60), shown and painted.
    void Open(DWORD Style, DWORD ExStyle = 0, const wchar_t* ClassName = nullptr, int Width = 320, int Height = 160,
              const wchar_t* Title = L"Dialog title")
    {
        const std::vector<WORD> words = Template(Style & ~WS_VISIBLE, ExStyle, ClassName, Title);
        Dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                            nullptr, RecordingDlgProc, 0);
        ASSERT_NE(Dialog, nullptr);
        SetWindowPos(Dialog, nullptr, 60, 60, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
        Wrapper = NewWrapper<TacDialogWnd>(Dialog, nullptr, Manager.get(), L"DIALOG", false);
        Wrapper->InitParams();
        ShowWindow(Dialog, SW_SHOW);
        SetForegroundWindow(Dialog);
        RedrawWindow(Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        testsupport::PumpFor(150);
    }
    int Border() const { return SysBorderWidth(Dialog, nullptr, true); }
    int CaptionMiddle() const { return Border() + Wrapper->CaptionHeight(true) / 2; }
    COLORREF TitleColour(bool Active) const { return SectionColour(L"DIALOGTITLE", Active ? 1 : 0); }
    void SaveShot(const char* Name)
    {
        const testsupport::TGrab shot = testsupport::Grab(Dialog);
        const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(testsupport::SavePng((folder / Name).wstring(), shot.Width, shot.Height,
                                         std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
    }
    // The screen point of a window point of the dialog.
    POINT ScreenOf(int X, int Y) const
    {
        RECT r{};
        GetWindowRect(Dialog, &r);
        return POINT{r.left + X, r.top + Y};
    }
    LPARAM ScreenParam(int X, int Y) const
    {
        const POINT p = ScreenOf(X, Y);
        return MAKELPARAM(p.x, p.y);
    }
    // Puts the cursor the wrapper reads over window point (X, Y).
    void CursorAt(int X, int Y)
    {
        const POINT p = ScreenOf(X, Y);
        vcl::Seams().CursorPos = [p] { return vcl::TPoint(p.x, p.y); };
    }

    HWND Dialog = nullptr;
    std::unique_ptr<TacDialogWnd> Wrapper;
};

constexpr DWORD MessageBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD SizeableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

}  // namespace

TEST_F(DialogTest, AMessageBoxFrameShowsTheSmallCloseButtonAndTheDialogTitle)
{
    Open(MessageBoxStyle);
    EXPECT_EQ(Wrapper->BorderStyle, TacBorderStyle::acbsDialog);
    EXPECT_EQ(Wrapper->TitleSection, L"DIALOGTITLE");
    EXPECT_EQ(Wrapper->ButtonClose.ImageIndex, Manager->GetMaskIndex(L"GLOBALINFO", L"SICONCLOSE"));
    EXPECT_FALSE(GetWindowLongPtrW(Dialog, GWL_STYLE) & WS_SYSMENU) << "the system draws no menu of its own";
    EXPECT_TRUE(Wrapper->VisibleClose());

    const testsupport::TGrab grab = testsupport::Grab(Dialog);
    const vcl::TRect close = Wrapper->ButtonClose.Rect;
    EXPECT_EQ(close.Width(), 16);
    EXPECT_EQ(close.right, grab.Width - 2 - Border()) << "BIRIGHT 2 and the border from the right edge";
    EXPECT_EQ(grab.Pixel(close.left + 8, close.top + 7), CloseColour(0));
    EXPECT_EQ(grab.Pixel(close.left - 3, CaptionMiddle()), TitleColour(true)) << "the title before the button";
    EXPECT_EQ(grab.ClientPixel(20, 20), SectionColour(L"DIALOG", 1)) << "the client from the cache";
    SaveShot("dialog_messagebox_active.png");

    SendMessageW(Dialog, WM_NCACTIVATE, FALSE, 0);
    testsupport::PumpFor(100);
    const testsupport::TGrab inactive = testsupport::Grab(Dialog);
    EXPECT_EQ(inactive.Pixel(close.left - 3, CaptionMiddle()), TitleColour(false));
    EXPECT_NE(inactive.Pixel(close.left + 8, close.top + 7), CloseColour(0)) << "the inactive row";
    SaveShot("dialog_messagebox_inactive.png");
    SendMessageW(Dialog, WM_NCACTIVATE, TRUE, 0);
    testsupport::PumpFor(50);
    EXPECT_EQ(testsupport::Grab(Dialog).Pixel(close.left - 3, CaptionMiddle()), TitleColour(true));
}

TEST_F(DialogTest, ASizeableDialogLaysItsBigButtonsOutFromTheRight)
{
    Open(SizeableStyle);
    EXPECT_EQ(Wrapper->BorderStyle, TacBorderStyle::acbsSizeable);
    EXPECT_EQ(Wrapper->TitleSection, L"FORMTITLE");
    const testsupport::TGrab grab = testsupport::Grab(Dialog);
    const TsCaptionButton& close = Wrapper->ButtonClose;
    const TsCaptionButton& max = Wrapper->ButtonMax;
    const TsCaptionButton& min = Wrapper->ButtonMin;
    EXPECT_EQ(close.Rect.right, grab.Width - 2 - Border());
    EXPECT_EQ(close.Rect.Width(), 24);
    EXPECT_EQ(max.Rect.right, close.Rect.left - 1) << "BISPACE 1 apart";
    EXPECT_EQ(min.Rect.right, max.Rect.left - 1);
    EXPECT_EQ(grab.Pixel(close.Rect.left + 12, close.Rect.top + 9), CloseColour(0));
    EXPECT_EQ(grab.Pixel(max.Rect.left + 12, max.Rect.top + 9), Rgb(40, 40, 200));
    EXPECT_EQ(grab.Pixel(min.Rect.left + 12, min.Rect.top + 9), Rgb(40, 160, 40));
    EXPECT_EQ(Wrapper->TitleBtnsWidth(), 72);
    SaveShot("dialog_sizeable.png");
}

TEST_F(DialogTest, TheCaptionTextEndsBeforeTheButtons)
{
    Open(MessageBoxStyle, 0, nullptr, 160, 120, L"A title far too long to be shown whole in so narrow a dialog");
    const testsupport::TGrab grab = testsupport::Grab(Dialog);
    const COLORREF title = TitleColour(true);
    const int buttonsLeft = Wrapper->ButtonClose.Rect.left;
    int written = 0;
    for (int x = Border(); x < grab.Width - Border(); ++x)
        for (int y = Border(); y < Border() + Wrapper->CaptionHeight(true); ++y) {
            const COLORREF pixel = grab.Pixel(x, y);
            if (pixel != title && x < buttonsLeft)
                written = std::max(written, x);
        }
    EXPECT_GT(written, Border() + 20) << "text was written";
    EXPECT_LT(written, buttonsLeft) << "and ends (with its ellipsis) before the buttons";
}

TEST_F(DialogTest, ANoCloseClassShowsItsCloseButtonDisabled)
{
    Open(MessageBoxStyle, 0, NoCloseClass());
    EXPECT_TRUE(Wrapper->VisibleClose());
    EXPECT_FALSE(Wrapper->EnabledClose());
    const vcl::TRect close = Wrapper->ButtonClose.Rect;
    const COLORREF shown = testsupport::Grab(Dialog).Pixel(close.left + 8, close.top + 7);
    EXPECT_NE(shown, CloseColour(0));
    EXPECT_NE(shown, TitleColour(true)) << "but it is drawn";
}

TEST_F(DialogTest, AWindowWithoutCaptionGetsNoTitle)
{
    Open(WS_POPUP | WS_BORDER | WS_SYSMENU);
    EXPECT_EQ(Wrapper->CaptionHeight(true), 0);
    EXPECT_EQ(Wrapper->HeaderHeight(), Border());
    EXPECT_TRUE(Wrapper->ButtonClose.Rect.IsEmpty()) << "no buttons painted";
}

TEST_F(DialogTest, TheRegionCutsTheCornersWhereTheBorderHasKeyPixels)
{
    struct Case {
        const char* Name;
        DWORD Style;
        bool OwnRegion;
        bool Cut;
    };
    const Case cases[] = {
        {"message box", MessageBoxStyle, false, true},
        {"sizeable", SizeableStyle, false, true},
        {"keeps its own", MessageBoxStyle, true, false},
        {"popup without caption or sizing frame", WS_POPUP | WS_BORDER, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        KeepOwnRegion = c.OwnRegion;
        Open(c.Style);
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(Dialog, region);
        RECT r{};
        GetWindowRect(Dialog, &r);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        if (c.Cut) {
            EXPECT_NE(kind, ERROR);
            for (const POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
                EXPECT_FALSE(PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
            for (const POINT inside : {POINT{w / 2, 0}, POINT{0, h / 2}, POINT{4, 4}, POINT{w - 5, h - 5}})
                EXPECT_TRUE(PtInRegion(region, inside.x, inside.y)) << inside.x << "," << inside.y;
            // The expected region: the window less the mask's key runs, as sets of rectangles.
            const HRGN expected = Wrapper->GetRgnFromArOR(0, 0);
            EXPECT_TRUE(EqualRgn(region, expected));
            DeleteObject(expected);
        } else {
            EXPECT_EQ(kind, ERROR) << "no region set";
        }
        DeleteObject(region);
        Wrapper.reset();
        DestroyWindow(Dialog);
    }
}

TEST_F(DialogTest, OneResizeRebuildsTheRegionOnce)
{
    Open(SizeableStyle);
    RegionQueries = 0;
    SetWindowPos(Dialog, nullptr, 0, 0, 360, 200, SWP_NOMOVE | SWP_NOZORDER);
    testsupport::PumpFor(100);
    EXPECT_EQ(RegionQueries, 1);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(Dialog, region);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right, 360);
    EXPECT_EQ(box.bottom, 200);
    EXPECT_FALSE(PtInRegion(region, 359, 199));
    DeleteObject(region);
}

TEST_F(DialogTest, TheCloseButtonClosesOnlyWhenReleasedOverIt)
{
    Open(MessageBoxStyle);
    const vcl::TRect close = Wrapper->ButtonClose.Rect;
    const POINT over{close.left + 4, close.top + 4};

    // Press, move off, release elsewhere: nothing.
    CursorAt(over.x, over.y);
    SendMessageW(Dialog, WM_NCLBUTTONDOWN, HTCLOSE, ScreenParam(over.x, over.y));
    EXPECT_TRUE(TitleBtnPressed);
    EXPECT_EQ(Wrapper->ButtonClose.State, 2);
    CursorAt(60, CaptionMiddle());
    SendMessageW(Dialog, WM_NCHITTEST, 0, ScreenParam(60, CaptionMiddle()));
    EXPECT_FALSE(TitleBtnPressed) << "leaving the button lets go";
    SendMessageW(Dialog, WM_NCLBUTTONUP, HTCAPTION, ScreenParam(60, CaptionMiddle()));
    EXPECT_TRUE(SysCommands.empty());

    // Press and release over it: SC_CLOSE.
    CursorAt(over.x, over.y);
    SendMessageW(Dialog, WM_NCHITTEST, 0, ScreenParam(over.x, over.y));
    SendMessageW(Dialog, WM_NCLBUTTONDOWN, HTCLOSE, ScreenParam(over.x, over.y));
    SendMessageW(Dialog, WM_NCLBUTTONUP, HTCLOSE, ScreenParam(over.x, over.y));
    EXPECT_EQ(SysCommands, std::vector<WPARAM>{SC_CLOSE});
}

TEST_F(DialogTest, ThePartOfTheTitleOutsideTheButtonRowMovesTheDialog)
{
    Open(SizeableStyle);
    const vcl::TRect close = Wrapper->ButtonClose.Rect;
    const int captionTop = Border();
    const int captionBottom = Border() + Wrapper->CaptionHeight(true);
    const int y = close.top - 1 >= captionTop ? close.top - 1 : close.bottom + 1;
    ASSERT_LT(y, captionBottom) << "the title has rows outside its buttons";
    CursorAt(60, y);
    SendMessageW(Dialog, WM_NCLBUTTONDOWN, HTCAPTION, ScreenParam(60, y));
    EXPECT_EQ(SysCommands, std::vector<WPARAM>{SC_MOVE});
}

TEST_F(DialogTest, DoubleClicksOnTheTitleAndTheIcon)
{
    Open(MessageBoxStyle);
    SendMessageW(Dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam(60, CaptionMiddle()));
    EXPECT_TRUE(SysCommands.empty()) << "no maximise box: nothing";
    SendMessageW(Dialog, WM_NCLBUTTONDBLCLK, HTSYSMENU, ScreenParam(Border() + 2, CaptionMiddle()));
    EXPECT_EQ(SysCommands, std::vector<WPARAM>{SC_CLOSE});
}

TEST_F(DialogTest, TheSystemMenuOfAMessageBox)
{
    Open(MessageBoxStyle);
    const TacSystemMenu& menu = *Wrapper->SystemMenu;
    struct Row {
        vcl::TMenuItem* Item;
        bool Visible;
        bool Enabled;
    };
    const Row rows[] = {
        {menu.ItemRestore, false, false}, {menu.ItemMove, true, true},      {menu.ItemSize, false, true},
        {menu.ItemMinimize, false, false}, {menu.ItemMaximize, false, false}, {menu.ItemClose, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Item->Name());
        EXPECT_EQ(row.Item->Visible(), row.Visible);
        EXPECT_EQ(row.Item->Enabled(), row.Enabled);
    }
    EXPECT_EQ(menu.ItemClose->Caption(), LibraryText(acsClose));
    menu.ItemClose->Click();
    EXPECT_EQ(SysCommands, std::vector<WPARAM>{SC_CLOSE});

    // A right click on the title opens it at the cursor.
    bool opened = false;
    testsupport::RunInNextLoopTurn([&opened] {
        opened = FindWindowW(L"#32768", nullptr) != nullptr;
        EndMenu();
    });
    SendMessageW(Dialog, WM_NCRBUTTONUP, HTCAPTION, ScreenParam(60, CaptionMiddle()));
    EXPECT_TRUE(opened);
}

TEST_F(DialogTest, ARightButtonOnASizingBorderPassesItsDownAndSwallowsItsUp)
{
    Open(SizeableStyle);
    SendMessageW(Dialog, WM_NCRBUTTONUP, HTLEFT, ScreenParam(1, 80));
    SendMessageW(Dialog, WM_NCRBUTTONDOWN, HTCAPTION, ScreenParam(60, CaptionMiddle()));
    EXPECT_TRUE(SysCommands.empty());
}

TEST_F(DialogTest, TheMouseLightsAndClicksTheCloseButton)
{
    Open(SizeableStyle);
    testsupport::UserInput input;
    const vcl::TRect close = Wrapper->ButtonClose.Rect;
    const POINT middle = ScreenOf(close.left + 12, close.top + 9);
    input.Move(middle);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Wrapper->CurrentHT == HTCLOSE; }, 3000));
    testsupport::PumpFor(100);
    EXPECT_EQ(testsupport::Grab(Dialog).Pixel(close.left + 12, close.top + 9), CloseColour(1)) << "hot";
    SaveShot("dialog_close_hot.png");

    input.Move(ScreenOf(60, CaptionMiddle()));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Wrapper->CurrentHT == 0; }, 3000));
    testsupport::PumpFor(100);
    EXPECT_EQ(testsupport::Grab(Dialog).Pixel(close.left + 12, close.top + 9), CloseColour(0)) << "normal again";

    input.Click(middle);
    EXPECT_TRUE(testsupport::PumpUntil([] { return !SysCommands.empty(); }, 3000));
    EXPECT_EQ(SysCommands, std::vector<WPARAM>{SC_CLOSE});
}

TEST_F(DialogTest, WithoutTheSmallSetTheBigOneAndTheFormTitleServe)
{
    Manager = skintest::LoadSkin(wraptest::TestSkin("DIALOGPLAIN"));
    Manager->SetIsDefault(true);
    Manager->SendNewSkin(false);
    Open(MessageBoxStyle);
    EXPECT_EQ(Wrapper->TitleSection, L"FORMTITLE");
    EXPECT_EQ(Wrapper->ButtonClose.ImageIndex, Manager->GetMaskIndex(L"GLOBALINFO", L"BICLOSEALONE"));
    EXPECT_EQ(Wrapper->ButtonClose.Rect.Width(), 24);
    EXPECT_EQ(testsupport::Grab(Dialog).Pixel(Wrapper->ButtonClose.Rect.left + 12, Wrapper->ButtonClose.Rect.top + 9),
              Rgb(200, 120, 40));
}

TEST_F(DialogTest, TheBackgroundBrushIsKept)
{
    Open(MessageBoxStyle);
    const LRESULT first = SendMessageW(Dialog, WM_CTLCOLORDLG, 0, 0);
    EXPECT_NE(first, 0);
    EXPECT_EQ(SendMessageW(Dialog, WM_CTLCOLORDLG, 0, 0), first) << "one brush, not a new one each time";
}

TEST_F(DialogTest, SkinCommandsAnswerTheFrame)
{
    Open(SizeableStyle);
    const auto command = [this](uint16_t Cmd) {
        return SendMessageW(Dialog, SkinCommandMessage, SkinCommandWParam(Cmd), 0);
    };
    RECT window{}, client{};
    GetWindowRect(Dialog, &window);
    GetClientRect(Dialog, &client);
    const int frameX = (window.right - window.left - client.right) / 2;
    const int offsetY = window.bottom - window.top - client.bottom - Border();
    EXPECT_EQ(Wrapper->OffsetX(), frameX);
    EXPECT_EQ(Wrapper->OffsetY(), offsetY);
    EXPECT_EQ(command(scmdQueryClientOffset), MAKELRESULT(frameX, offsetY));
    EXPECT_EQ(command(scmdQueryTextured), 0) << "a flat section";
    EXPECT_EQ(COLORREF(vcl::ColorToRGB(vcl::TColor(command(scmdQueryColor)))), SectionColour(L"DIALOG"));
    command(scmdSetUpdating);
    EXPECT_EQ(command(scmdQueryChanging), 0);
    SendMessageW(Dialog, SkinCommandMessage, SkinCommandWParam(scmdSetUpdating, 1), 0);
    EXPECT_EQ(command(scmdQueryChanging), 1);
    EXPECT_TRUE(Wrapper->SkinData->BGChanged);
}

TEST_F(DialogTest, ARightToLeftTitleIsRightAligned)
{
    Open(MessageBoxStyle, WS_EX_RTLREADING, nullptr, 320, 160, L"Title");
    const testsupport::TGrab grab = testsupport::Grab(Dialog);
    const COLORREF title = TitleColour(true);
    int first = grab.Width;
    for (int x = Border(); x < Wrapper->ButtonClose.Rect.left; ++x)
        if (grab.Pixel(x, CaptionMiddle()) != title || grab.Pixel(x, CaptionMiddle() + 2) != title)
            first = std::min(first, x);
    EXPECT_GT(first, grab.Width / 2) << "the text stands at the right, before the buttons";
}
