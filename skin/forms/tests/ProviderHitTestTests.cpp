// What the skinned caption answers the mouse: hit-test codes of real windows by their shape, with
// the system's frame sizes read at run time, and of layouts that a window cannot take hidden
// (maximised); the hot and pressed states of the buttons and what a release does.
#include "ProviderFixtures.h"
#include "pngfile.h"
#include "skin/forms/acFrameGeometry.h"

using namespace skin;
using skintest::AllIcons;
using skintest::ProviderTest;
using skintest::TLoggingForm;
using vcl::TBorderIcon;
using vcl::TFormBorderStyle;

namespace {

struct THitCase {
    int X, Y;
    int Code;
};

// The hit code of window point (X, Y), asked as WM_NCHITTEST asks: in screen coordinates.
int Hit(TsSkinProvider* P, int X, int Y)
{
    const vcl::TPoint origin = P->FormLeftTop();
    vcl::TMessage message{WM_NCHITTEST, 0, MAKELPARAM(origin.x + X, origin.y + Y), 0};
    return P->HTProcess(message);
}

void ExpectHits(TsSkinProvider* P, const std::vector<THitCase>& Cases)
{
    for (const THitCase& c : Cases)
        EXPECT_EQ(Hit(P, c.X, c.Y), c.Code) << "at (" << c.X << ", " << c.Y << ")";
}

// The caption rows of a cache as a screenshot for people.
void SaveCaption(const skin::TPixelView& Cache, int Rows, const char* Name)
{
    const int rows = std::min(Cache.Height, Rows);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < Cache.Width; ++x) {
            const uint32_t rgb = skintest::Rgb(Cache, x, y);
            pixels.push_back((rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16);
        }
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(testsupport::SavePng((folder / Name).wstring(), Cache.Width, rows, pixels));
}

}  // namespace

TEST_F(ProviderTest, HitCodesOfTheMainWindowsShape)
{
    TsSkinProvider* p = NewForm()->Provider;
    const int right = 400 - 2 - Sys.DlgFrame;  // the close button's right edge: the skin's right margin is 2
    const int captionBottom = Sys.DlgFrame + Sys.Caption;
    ExpectHits(p, {{right - 24, Sys.DlgFrame - 1, HTCLOSE},
                   {right, 10, HTCAPTION},
                   {right - 25, 10, HTCAPTION},  // the spacing between the buttons
                   {right - 37, 10, HTMINBUTTON},
                   {10, 10, HTSYSMENU},
                   {200, captionBottom - 1, HTCAPTION},
                   {200, captionBottom, HTCLIENT},  // no menu line: the first row is the client's
                   {1, 150, HTCLIENT}});            // no sizing frame, no edges
    ExpectHits(p, {{371, 2, HTCLOSE},
                   {395, 10, HTCAPTION},
                   {370, 10, HTCAPTION},
                   {358, 10, HTMINBUTTON},
                   {200, 21, HTCAPTION},
                   {200, 22, HTCLIENT}});  // Wine's sizes
}

TEST_F(ProviderTest, HitCodesOfASizeableFormWithEveryIcon)
{
    TsSkinProvider* p = NewForm(TFormBorderStyle::bsSizeable, AllIcons)->Provider;
    const int f = Sys.Frame;
    const int right = 400 - 2 - f;
    ExpectHits(p, {{right - 39, 10, HTMAXBUTTON},
                   {right - 64, 10, HTMINBUTTON},
                   {right - 94, 10, HTHELP},
                   {right - 78, 10, HTCAPTION},   // between help and minimise
                   {right - 14, f - 1, HTCLOSE},  // a button before the top edge
                   {200, f - 1, HTTOP},
                   {200, f, HTCAPTION},
                   {f - 1, 150, HTLEFT},
                   {f, 150, HTCLIENT},
                   {400 - f, 150, HTRIGHT},  // every edge as wide as the frame
                   {399 - f, 150, HTCLIENT},
                   {200, 300 - f, HTBOTTOM},
                   {200, 299 - f, HTCLIENT},
                   {399, 0, HTTOPRIGHT},
                   {0, 299, HTBOTTOMLEFT},
                   {399, 299, HTBOTTOMRIGHT}});
    ExpectHits(p, {{355, 10, HTMAXBUTTON},
                   {330, 10, HTMINBUTTON},
                   {300, 10, HTHELP},
                   {316, 10, HTCAPTION},
                   {380, 3, HTCLOSE},
                   {200, 1, HTTOP},
                   {398, 1, HTTOPRIGHT},
                   {2, 150, HTLEFT},
                   {396, 150, HTRIGHT},
                   {200, 296, HTBOTTOM},
                   {398, 298, HTBOTTOMRIGHT}});  // Wine's sizes
}

TEST_F(ProviderTest, HelpBesideMinimiseWithoutMaximiseAnswersHelp)
{
    TsSkinProvider* p =
        NewForm(TFormBorderStyle::bsSizeable, {TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biHelp})
            ->Provider;
    const int right = 400 - 2 - Sys.Frame;
    ExpectHits(p, {{right - 37, 10, HTMINBUTTON}, {right - 68, 10, HTHELP}});
}

TEST_F(ProviderTest, AMaximisedLayoutHasNoEdgesAndItsMaximiseButtonRestores)
{
    TsSkinProvider* p = NewForm(TFormBorderStyle::bsSizeable, AllIcons)->Provider;
    const int maxButton = 400 - 2 - Sys.Frame - 39;
    TNCHitLayout layout = p->HitLayout();
    layout.Sizing = false;
    layout.EnabledMax = false;
    layout.EnabledRestore = true;
    EXPECT_EQ(NCHitTest(layout, {2, 150}), HTCLIENT);
    EXPECT_EQ(NCHitTest(layout, {maxButton, 10}), HTMAXBUTTON);
    EXPECT_EQ(NCHitTest(layout, {355, 10}), HTMAXBUTTON) << "Wine's sizes";
    layout.EnabledRestore = false;
    EXPECT_EQ(NCHitTest(layout, {maxButton, 10}), HTCAPTION) << "a maximise button that can do nothing";
}

TEST_F(ProviderTest, HitCodesOfTheMenuLineAndTheGrip)
{
    TLoggingForm* form = NewForm(TFormBorderStyle::bsSizeable, AllIcons);
    TsSkinProvider* p = form->Provider;
    auto* menu = vcl::Create<vcl::TMainMenu>(form);
    auto* item = vcl::Create<vcl::TMenuItem>(menu);
    item->SetCaption(L"File");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    const int menuTop = Sys.Frame + Sys.Caption;
    const int menuHeight = GetSystemMetrics(SM_CYMENU) - 1;
    ExpectHits(p, {{200, menuTop - 1, HTCAPTION},
                   {200, menuTop, HTMENU},
                   {200, menuTop + menuHeight, HTMENU},
                   {200, menuTop + menuHeight + 1, HTCLIENT}});
    ExpectHits(p, {{200, 23, HTMENU}, {200, 41, HTMENU}, {200, 42, HTCLIENT}});  // Wine's sizes

    p->SetGripMode(TsGripMode::gmRightBottom);
    const vcl::TPoint grip(400 - 12 - Sys.Frame - 1, 300 - 12 - Sys.Frame - 1);  // the skin's grip is 12 x 12
    ExpectHits(
        p, {{grip.x + 1, grip.y + 1, HTBOTTOMRIGHT}, {grip.x, grip.y + 7, HTCLIENT}, {grip.x + 7, grip.y, HTCLIENT}});
    ExpectHits(p, {{384, 284, HTBOTTOMRIGHT}, {383, 290, HTCLIENT}});  // Wine's sizes
}

TEST_F(ProviderTest, HitCodesOfUserTitleButtons)
{
    TsSkinProvider* p = NewForm()->Provider;
    auto* first = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    auto* hidden = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    hidden->SetVisible(false);
    // Left of minimise, 8 pixels apart; each user button is 21 wide and keeps the skin's spacing.
    const int userRight = 400 - 2 - Sys.DlgFrame - 50 - 8;
    ExpectHits(p, {{userRight - 11, 10, UserButtonHT}, {userRight - 33, 10, UserButtonHT + 2}});
    ExpectHits(p, {{326, 10, UserButtonHT}, {300, 10, UserButtonHT + 2}});  // Wine's sizes
    first->SetEnabled(false);
    EXPECT_EQ(Hit(p, userRight - 11, 10), HTCAPTION) << "a disabled button falls through to the caption";
}

// ---------------------------------------------------------------------------------------------
// Button states

class CaptionButtonTest : public ProviderTest {
protected:
    void SetUp() override
    {
        ProviderTest::SetUp();
        Form = NewForm();
        P = Form->Provider;
        Manager->SetAllowGlowing(false);  // buttons drawn straight into the window
        Render(P);
        bPressed = false;
    }
    void TearDown() override
    {
        bPressed = false;
        ProviderTest::TearDown();
    }
    void Down(int Code)
    {
        vcl::TMessage message{WM_NCLBUTTONDOWN, WPARAM(Code), 0, 0};
        P->AC_WMNCLButtonDown(message);
    }
    void Up(int Code)
    {
        vcl::TMessage message{WM_NCLBUTTONUP, WPARAM(Code), 0, 0};
        P->AC_WMNCLButtonUp(message);
    }
    // The mouse leaves the form.
    void MouseLeave() { SendMessageW(Form->Handle(), WM_MOUSELEAVE, 0, 0); }

    TLoggingForm* Form = nullptr;
    TsSkinProvider* P = nullptr;
};

TEST_F(CaptionButtonTest, WhilePressedNoButtonTurnsHot)
{
    P->SetHotHT(HTCLOSE, true);
    EXPECT_EQ(P->ButtonClose.State, 1);
    Down(HTCLOSE);
    EXPECT_EQ(P->ButtonClose.State, 2);
    EXPECT_TRUE(bPressed);
    P->SetHotHT(HTMINBUTTON, true);
    EXPECT_EQ(P->CurrentHT, HTMINBUTTON);
    EXPECT_EQ(P->ButtonMin.State, 0);
    EXPECT_EQ(P->ButtonClose.State, 0);
}

TEST_F(CaptionButtonTest, AMouseMoveOverAButtonMakesItHotAndElsewhereNone)
{
    const vcl::TPoint origin = P->FormLeftTop();
    const vcl::TRect& close = P->ButtonClose.Rect;
    vcl::TMessage over{WM_NCMOUSEMOVE, 0, MAKELPARAM(origin.x + close.left + 5, origin.y + close.top + 5), 0};
    P->AC_NCMouseMove(over);
    EXPECT_EQ(over.WParam, WPARAM(HTCLOSE));
    EXPECT_EQ(P->ButtonClose.State, 1);
    EXPECT_EQ(P->CurrentHT, HTCLOSE);
    vcl::TMessage caption{WM_NCMOUSEMOVE, 0, MAKELPARAM(origin.x + 200, origin.y + 10), 0};
    P->AC_NCMouseMove(caption);
    EXPECT_EQ(caption.WParam, WPARAM(HTCAPTION));
    EXPECT_EQ(P->ButtonClose.State, 0);
    EXPECT_EQ(P->CurrentHT, 0);
}

TEST_F(CaptionButtonTest, CloseActsOnlyWhenPressedAndReleasedOverIt)
{
    skintest::TMessageSpy& spy = Spy(Form);
    Down(HTCLOSE);
    Up(HTCAPTION);
    EXPECT_EQ(spy.Count(WM_CLOSE), 0) << "released elsewhere";
    EXPECT_FALSE(bPressed);

    Down(HTCLOSE);
    MouseLeave();
    Up(HTCLOSE);
    EXPECT_EQ(spy.Count(WM_CLOSE), 0) << "the mouse left in between";

    Down(HTCLOSE);
    Up(HTCLOSE);
    EXPECT_EQ(spy.Count(WM_CLOSE), 1);
    EXPECT_EQ(P->ButtonClose.State, 0);
    EXPECT_FALSE(bPressed) << "the release of close spends the press";
}

TEST_F(CaptionButtonTest, MinimiseActsOnlyWithTheMouseOverItAndSpendsThePress)
{
    // The system commands are recorded and kept from the window, which stays as it is.
    std::vector<WPARAM> commands;
    const vcl::TWndMethod inner = Form->WindowProc();
    Form->SetWindowProc(vcl::TWndMethod([&](vcl::TMessage& Message) {
        if (Message.Msg == WM_SYSCOMMAND)
            commands.push_back(Message.WParam);
        else
            inner(Message);
    }));
    const vcl::TSystemSeams saved = vcl::Seams();
    const vcl::TPoint origin = P->FormLeftTop();
    const vcl::TRect& min = P->ButtonMin.Rect;
    vcl::TPoint mouse(origin.x + 200, origin.y + 10);
    vcl::Seams().CursorPos = [&] { return mouse; };
    Down(HTMINBUTTON);
    Up(HTMINBUTTON);
    EXPECT_TRUE(commands.empty()) << "the mouse is not over the button";
    mouse = vcl::TPoint(origin.x + min.left + 5, origin.y + min.top + 5);
    Down(HTMINBUTTON);
    Up(HTMINBUTTON);
    vcl::Seams() = saved;
    Form->SetWindowProc(inner);
    EXPECT_EQ(commands, (std::vector<WPARAM>{SC_MINIMIZE}));
    EXPECT_FALSE(bPressed) << "the release of minimise spends the press";
    EXPECT_EQ(P->CurrentHT, 0);
}

TEST_F(CaptionButtonTest, AMaximiseButtonThatCannotActIsNotPressed)
{
    // The main window's shape shows no maximise button; one that could neither maximise nor
    // restore leaves nothing pressed.
    P->SetPressedHT(HTMAXBUTTON);
    EXPECT_EQ(P->CurrentHT, 0);
    EXPECT_FALSE(bPressed);
}

TEST_F(CaptionButtonTest, AHotButtonIsDrawnIntoTheCacheAndTheWindow)
{
    P->SetHotHT(HTCLOSE, true);
    const skin::TPixelView cache = skin::PixelsOf(P->SkinData()->FCacheBmp.get());
    const vcl::TRect& r = P->ButtonClose.Rect;
    EXPECT_EQ(skintest::Rgb(cache, r.left + 12, r.top + 9), skintest::ButtonColour(skintest::CloseRgb, 1));
    EXPECT_EQ(skintest::Rgb(cache, r.left - 13, r.top + 9), skintest::ButtonColour(skintest::MinRgb, 0));
    SaveCaption(cache, Sys.DlgFrame + Sys.Caption, "caption_close_hot.png");
    P->SetHotHT(0, true);
    EXPECT_EQ(skintest::Rgb(cache, r.left + 12, r.top + 9), skintest::ButtonColour(skintest::CloseRgb, 0));
}

TEST_F(CaptionButtonTest, TheMaximisedSizeCoversTheWorkAreaWithTheFrameOutside)
{
    TLoggingForm* form = NewForm(TFormBorderStyle::bsSizeable, AllIcons);
    MINMAXINFO info{};
    vcl::TMessage message{WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info), 0};
    form->Provider->AC_WMGetMinMaxInfo(message);
    const vcl::TRect work = acWorkRect(form);
    const int f = Sys.Frame;
    EXPECT_EQ(info.ptMaxPosition.x, -f);
    EXPECT_EQ(info.ptMaxPosition.y, -f);
    EXPECT_EQ(info.ptMaxSize.x, work.Width() + 2 * f);
    EXPECT_EQ(info.ptMaxSize.y, work.Height() + 2 * f);
}

TEST_F(CaptionButtonTest, WithoutSkinnedPopupsTheWindowsMenuIsTrackedAndItsChoicePosted)
{
    Manager->SetSkinnedPopups(false);
    skintest::TMessageSpy& spy = Spy(Form);
    const TCaptionSeams saved = CaptionSeams();
    UINT sizeState = 0;
    vcl::TPoint at;
    CaptionSeams().TrackMenu = [&](HMENU Menu, UINT, int X, int Y, HWND) {
        sizeState = GetMenuState(Menu, SC_SIZE, MF_BYCOMMAND);
        at = vcl::TPoint(X, Y);
        return UINT(SC_CLOSE);
    };
    P->DropSysMenu(120, 130);
    CaptionSeams() = saved;
    EXPECT_EQ(at, vcl::TPoint(120, 130));
    EXPECT_TRUE(sizeState & MF_GRAYED) << "a single frame cannot be sized";
    EXPECT_EQ(spy.Count(WM_SYSCOMMAND), 0) << "posted, not sent";
    testsupport::PumpFor(0);
    EXPECT_EQ(spy.Count(WM_CLOSE), 1);
}

TEST_F(CaptionButtonTest, TheOutlineFollowsTheMouseAndTheFormTakesItsPlace)
{
    P->SetResizeMode(TsResizeMode::rmBorder);
    const TCaptionSeams saved = CaptionSeams();
    const vcl::TSystemSeams savedSystem = vcl::Seams();
    std::vector<vcl::TRect> outlines;
    CaptionSeams().DrawOutline = [&](HDC, const vcl::TRect& R) { outlines.push_back(R); };
    vcl::TPoint mouse(150, 110);
    vcl::Seams().CursorPos = [&] { return mouse; };
    OutlineDrag.Mode = true;
    P->StartMove(mouse.x, mouse.y);
    mouse = vcl::TPoint(160, 130);
    vcl::TMessage move{WM_MOUSEMOVE, 0, 0, 0};
    P->AC_WMMouseMove(move);
    P->StopMove(mouse.x, mouse.y);
    CaptionSeams() = saved;
    vcl::Seams() = savedSystem;
    const vcl::TRect first(100, 100, 500, 400), second(110, 120, 510, 420);
    EXPECT_EQ(outlines, (std::vector<vcl::TRect>{first, first, second, second})) << "each drawn, then erased";
    EXPECT_FALSE(OutlineDrag.InProcess);
    EXPECT_EQ(Form->Left(), 110);
    EXPECT_EQ(Form->Top(), 120);
}
