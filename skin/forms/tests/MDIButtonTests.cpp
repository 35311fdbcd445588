// A maximised MDI child's buttons in its MDI form's menu line and the form's client area: where the
// buttons lie (hit codes with the system's sizes read at run time), how they look in the cache and
// on the window as the mouse moves over them and presses them, and what a click does to the child.
#include "MDIFixtures.h"
#include "pngfile.h"

#include <filesystem>
#include <memory>

#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/forms/acFrameGeometry.h"
#include "vcl/application.h"
#include "vcl/extctrls_panels.h"

using namespace skin;
using skintest::TLoggingForm;
using skintest::TMDIMain;
using skintest::TOwnApplication;

namespace {

// The MDI test skin's "MDIAREA" section and its small buttons (three states, 16 x 14).
constexpr int MdiAreaSection = 5;
constexpr uint32_t SmallCloseRgb = 0xC82828, SmallMinRgb = 0x28A028, SmallRestoreRgb = 0xA028A0;

using skintest::Rgb;  // a window pixel as a cache pixel

// Window point P of Form as the mouse messages carry it: on the screen.
LPARAM ScreenPoint(vcl::TCustomForm* Form, const vcl::TPoint& P)
{
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    return MAKELPARAM(r.left + P.x, r.top + P.y);
}

// The shown MDI main form of an application of its own, with a child that has its own provider.
class MDIButtonTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        App = std::make_unique<TOwnApplication>();
        vcl::TMenuItem* windowMenu = nullptr;
        Main = App->MainForm(windowMenu);
        Provider = Main->Provider;
        Child = App->NewChild(L"Child", 10, 10, true);
    }
    void TearDown() override
    {
        App.reset();
        MdiSkinTest::TearDown();
    }
    void Maximise()
    {
        SendMessageW(Main->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
        testsupport::PumpFor(0);
        ASSERT_TRUE(Provider->MDIButtonsNeeded());
    }
    // The code the form answers for its window point P.
    int Hit(const vcl::TPoint& P)
    {
        return int(SendMessageW(Main->Handle(), WM_NCHITTEST, 0, ScreenPoint(Main, P)));
    }
    // The cache rendered afresh for an active form, whose buttons are not faded.
    TPixelView RenderActive()
    {
        Provider->FormActive = true;
        return Render(Provider);
    }
    void Send(UINT Msg, int HT, const vcl::TPoint& P)
    {
        SendMessageW(Main->Handle(), Msg, WPARAM(HT), ScreenPoint(Main, P));
    }

    std::unique_ptr<TOwnApplication> App;
    TMDIMain* Main = nullptr;
    TsSkinProvider* Provider = nullptr;
    TLoggingForm* Child = nullptr;
};

// One of the three buttons: its code, record, image colour and place from the right end E of the
// line in button widths SW: its left edge is E - N * SW - N.
struct TMDIButtonCase {
    const char* Name;
    int HT;
    TsCaptionButton TsSkinProvider::*Button;
    uint32_t Rgb;
    int N;
};
const TMDIButtonCase Buttons[] = {{"minimise", MDIMinimizeHT, &TsSkinProvider::MDIMin, SmallMinRgb, 3},
                                  {"restore", MDIRestoreHT, &TsSkinProvider::MDIMax, SmallRestoreRgb, 2},
                                  {"close", MDICloseHT, &TsSkinProvider::MDIClose, SmallCloseRgb, 1}};

}  // namespace

TEST_F(MDIButtonTest, TheButtonsLieAtTheRightEndOfTheMenuLineOnePixelApart)
{
    Maximise();
    ASSERT_EQ(Provider->SmallButtonWidth(), 16) << "the width of the skin's small close button";
    ASSERT_EQ(Provider->SmallButtonHeight(), 14);
    const HWND handle = Main->Handle();
    const int sw = 16, sh = 14;
    const int end = Main->Width() - SysBorderWidth(handle, nullptr, true);
    const int menuHeight = GetSystemMetrics(SM_CYMENU) - 1;
    ASSERT_EQ(Provider->MenuHeight(), menuHeight);
    const int lines = Provider->GetLinesCount();
    const int top = SysBorderHeight(handle, nullptr, true) + Provider->CaptionHeight(true) + (menuHeight - sh) / 2 +
                    (lines - 1) * menuHeight;
    for (const TMDIButtonCase& b : Buttons) {
        SCOPED_TRACE(b.Name);
        const int left = end - b.N * sw - b.N;
        struct {
            int X, Y, Code;
        } const cases[] = {{left, top, b.HT},
                           {left + sw - 1, top + sh - 1, b.HT},
                           {left - 1, top + sh / 2, HTMENU},  // the pixel between two buttons
                           {left + sw, top + sh / 2, HTMENU},
                           {left + sw / 2, top - 1, HTMENU},
                           {left + sw / 2, top + sh, HTMENU}};
        for (const auto& c : cases)
            EXPECT_EQ(Hit({c.X, c.Y}), c.Code) << "at (" << c.X << ", " << c.Y << ")";
    }

    // Restored, the child takes its buttons with it: the line answers for itself.
    SendMessageW(Main->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
    testsupport::PumpFor(0);
    EXPECT_FALSE(Provider->MDIButtonsNeeded());
    EXPECT_EQ(Hit({end - sw / 2, top + sh / 2}), HTMENU);
}

TEST_F(MDIButtonTest, TheButtonsAndTheClientAreaShowTheSkinsImagesAndSection)
{
    Maximise();
    TPixelView pixels = RenderActive();
    for (const TMDIButtonCase& b : Buttons) {
        SCOPED_TRACE(b.Name);
        const vcl::TRect& r = (Provider->*b.Button).Rect;
        ASSERT_EQ(r.Width(), 16);
        EXPECT_EQ(skintest::Rgb(pixels, r.left, r.top), b.Rgb);
        EXPECT_EQ(skintest::Rgb(pixels, r.right - 1, r.bottom - 1), b.Rgb);
        EXPECT_EQ(skintest::Rgb(pixels, r.left - 1, r.top), skintest::FlatColour(skintest::MdiMenuLine, 0));
    }
    Provider->FormActive = false;
    pixels = Render(Provider);
    const vcl::TRect& close = Provider->MDIClose.Rect;
    EXPECT_NE(skintest::Rgb(pixels, close.left, close.top), SmallCloseRgb) << "faded while the form is inactive";

    // The client area in "MDIAREA" from the frame's border and the menu line's last row, and below
    // a top-aligned panel.
    const HWND handle = Main->Handle();
    const int border = SysBorderWidth(handle, nullptr, true);
    const uint32_t area = skintest::FlatColour(MdiAreaSection, 0);
    for (const int panelHeight : {0, 30}) {
        SCOPED_TRACE(panelHeight);
        if (panelHeight) {
            auto* panel = vcl::Create<vcl::TPanel>(Main);
            panel->SetParent(Main);
            panel->SetHeight(panelHeight);
            panel->SetAlign(vcl::TAlign::alTop);
        }
        pixels = Render(Provider);
        const int top = Provider->FrameLayout().MenuTop() + Provider->GetLinesCount() * Provider->MenuHeight() + 1 +
                        panelHeight;
        const int x = Main->Width() / 2, y = Main->Height() / 2;
        EXPECT_EQ(skintest::Rgb(pixels, x, top), area);
        EXPECT_NE(skintest::Rgb(pixels, x, top - 1), area);
        EXPECT_EQ(skintest::Rgb(pixels, border, y), area);
        EXPECT_NE(skintest::Rgb(pixels, border - 1, y), area);
        EXPECT_EQ(skintest::Rgb(pixels, Main->Width() - border - 1, Main->Height() - border - 1), area);
        EXPECT_NE(skintest::Rgb(pixels, Main->Width() - border, y), area);
    }
}

TEST_F(MDIButtonTest, HotAndPressedButtonsAreRepaintedInTheCacheAndOnTheWindow)
{
    Maximise();
    RenderActive();
    RedrawWindow(Main->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpFor(0);
    const TPixelView cache = PixelsOf(Provider->SkinData()->FCacheBmp.get());
    for (const TMDIButtonCase& b : Buttons) {
        SCOPED_TRACE(b.Name);
        const TsCaptionButton& button = Provider->*b.Button;
        const vcl::TPoint p(button.Rect.left + 3, button.Rect.top + 3);
        const auto expectLook = [&](int State) {
            const uint32_t colour = skintest::ButtonColour(b.Rgb, State);
            EXPECT_EQ(button.State, State);
            EXPECT_EQ(skintest::Rgb(cache, p.x, p.y), colour);
            EXPECT_EQ(Rgb(testsupport::Grab(Main->Handle()).Pixel(p.x, p.y)), colour) << "on the window";
        };
        Provider->FormActive = true;
        Send(WM_NCMOUSEMOVE, HTMENU, p);
        EXPECT_EQ(Provider->CurrentHT, b.HT);
        expectLook(1);
        Send(WM_NCLBUTTONDOWN, b.HT, p);
        EXPECT_TRUE(bPressed);
        expectLook(2);
        Main->Perform(SkinCommandMessage, SkinCommandWParam(scmdMouseLeave), 0);
        EXPECT_FALSE(bPressed);
        expectLook(0);
    }

    // While one button is held down, moving over another makes nothing hot.
    const vcl::TRect& close = Provider->MDIClose.Rect;
    const vcl::TRect& restore = Provider->MDIMax.Rect;
    Send(WM_NCLBUTTONDOWN, MDICloseHT, close.TopLeft());
    Send(WM_NCMOUSEMOVE, HTMENU, restore.TopLeft());
    EXPECT_EQ(Provider->CurrentHT, MDIRestoreHT);
    EXPECT_EQ(Provider->MDIMax.State, 0);
    EXPECT_EQ(Provider->MDIClose.State, 0);
    Main->Perform(SkinCommandMessage, SkinCommandWParam(scmdMouseLeave), 0);
}

TEST_F(MDIButtonTest, AClickOnAButtonClosesRestoresOrMinimisesTheChild)
{
    struct TCase {
        const char* Name;
        int HT;
        TsCaptionButton TsSkinProvider::*Button;
    };
    // Close goes last: it frees the child.
    const TCase cases[] = {{"minimise", MDIMinimizeHT, &TsSkinProvider::MDIMin},
                           {"restore", MDIRestoreHT, &TsSkinProvider::MDIMax},
                           {"close", MDICloseHT, &TsSkinProvider::MDIClose}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Child->Show();
        Maximise();
        RenderActive();
        bool closed = false;
        Child->SetOnClose(vcl::TCloseEvent([&](vcl::TObject*, vcl::TCloseAction& Action) {
            closed = true;
            Action = vcl::TCloseAction::caFree;
        }));
        const size_t logged = Main->Log.Commands.size();
        const vcl::TPoint p = (Provider->*c.Button).Rect.TopLeft();
        Send(WM_NCLBUTTONDOWN, c.HT, p);
        Send(WM_NCLBUTTONUP, c.HT, p);
        testsupport::PumpFor(0);
        EXPECT_FALSE(bPressed);
        EXPECT_EQ(Provider->CurrentHT, 0);
        if (c.HT == MDICloseHT) {
            EXPECT_TRUE(closed);
            EXPECT_EQ(Main->MDIChildCount(), 0) << "freed as its close handler asked";
            break;
        }
        EXPECT_FALSE(Provider->MDIButtonsNeeded());
        switch (c.HT) {
        case MDIMinimizeHT: {
            EXPECT_EQ(Child->WindowState(), vcl::TWindowState::wsMinimized);
            const std::vector<uint16_t> commands(Main->Log.Commands.begin() + std::ptrdiff_t(logged),
                                                 Main->Log.Commands.end());
            EXPECT_NE(std::find(commands.begin(), commands.end(), scmdEndBatch), commands.end())
                << "the MDI form's batch around the minimising ends";
            break;
        }
        default: EXPECT_EQ(Child->WindowState(), vcl::TWindowState::wsNormal); break;
        }
        Child->SetOnClose(nullptr);
        // The line is painted again without the buttons.
        const TPixelView pixels = PixelsOf(Provider->SkinData()->FCacheBmp.get());
        const vcl::TRect& r = Provider->MDIClose.Rect;
        EXPECT_EQ(skintest::Rgb(pixels, r.left + 3, r.top + 3), skintest::FlatColour(skintest::MdiMenuLine, 0));
        SendMessageW(Main->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
        testsupport::PumpFor(0);
    }
}

TEST_F(MDIButtonTest, AButtonTheChildDoesNotAllowIsNeitherPressedNorHot)
{
    Child->SetBorderIcons({vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMaximize});
    Maximise();
    ASSERT_EQ(ChildProvider, Child->Provider);
    RenderActive();
    const vcl::TRect& min = Provider->MDIMin.Rect;
    Send(WM_NCLBUTTONDOWN, MDIMinimizeHT, min.TopLeft());
    EXPECT_FALSE(bPressed);
    EXPECT_EQ(Provider->MDIMin.State, 0);
    Send(WM_NCLBUTTONUP, MDIMinimizeHT, min.TopLeft());
    EXPECT_EQ(Child->WindowState(), vcl::TWindowState::wsMaximized);
    const TPixelView pixels = RenderActive();
    EXPECT_NE(skintest::Rgb(pixels, min.left, min.top), SmallMinRgb) << "faded";
    EXPECT_EQ(skintest::Rgb(pixels, Provider->MDIMax.Rect.left, Provider->MDIMax.Rect.top), SmallRestoreRgb);
}

// An MDI form in our own skin with a maximised child: its icon and buttons in the menu line.
TEST(OurSkinMDIButtons, AMaximisedChildShowsItsButtonsInTheMenuLineOfOurSkin)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    TOwnApplication app;
    vcl::TMenuItem* windowMenu = nullptr;
    TMDIMain* main = app.MainForm(windowMenu);
    app.NewChild(L"First", 10, 10, true);
    TLoggingForm* second = app.NewChild(L"Second", 120, 80, true);
    SendMessageW(second->Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
    SendMessageW(main->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second->Handle()), 0);
    testsupport::PumpFor(0);
    TsSkinProvider* provider = main->Provider;
    ASSERT_TRUE(provider->MDIButtonsNeeded());
    provider->RepaintMenu();
    RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME |
                                                       RDW_UPDATENOW);
    testsupport::PumpFor(100);

    const testsupport::TGrab shot = testsupport::Grab(main->Handle());
    const TPixelView cache = PixelsOf(provider->SkinData()->FCacheBmp.get());
    const int line = manager->GetSkinIndex(L"MENULINE");
    ASSERT_TRUE(manager->IsValidSkinIndex(line));
    for (const TsCaptionButton* button : {&provider->MDIMin, &provider->MDIMax, &provider->MDIClose}) {
        ASSERT_FALSE(button->Rect.IsEmpty());
        const vcl::TPoint centre = button->Rect.CenterPoint();
        EXPECT_NE(skintest::Rgb(cache, centre.x, centre.y) , Rgb(COLORREF(manager->gd[size_t(line)].Color)))
            << "the button's image in the line";
        EXPECT_EQ(Rgb(shot.Pixel(button->Rect.left + 1, centre.y)), skintest::Rgb(cache, button->Rect.left + 1, centre.y))
            << "the window shows the cache";
    }
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "mdi_maximised_child.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
}

TEST_F(MDIButtonTest, WhileAMaximisedChildIsBeingShownAChangedMenuLineWaits)
{
    Maximise();
    TLoggingForm* second = App->NewChild(L"Second", 30, 30, true);
    second->Hide();
    testsupport::PumpFor(0);
    SendMessageW(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second->Handle()), 0);
    SendMessageW(Main->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second->Handle()), 0);
    testsupport::PumpFor(0);
    ASSERT_EQ(second->WindowState(), vcl::TWindowState::wsMaximized);
    struct TSeen {
        bool Active = false;
        bool Rendered = false;
    };
    std::vector<TSeen> seen;
    const auto renderNow = [&] {
        Provider->MenuChanged = true;
        Provider->SkinData()->BGChanged = true;
        Provider->PaintAll();
        return !Provider->SkinData()->BGChanged;
    };
    second->SetOnShow(vcl::TNotifyEvent([&](vcl::TObject*) {
        seen.push_back({Main->ActiveMDIChild() == second, renderNow()});
    }));
    second->Show();
    testsupport::PumpFor(0);
    second->SetOnShow(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_TRUE(seen[0].Active) << "the maximised child is the active one while it is shown";
    EXPECT_FALSE(seen[0].Rendered);
    EXPECT_TRUE(renderNow()) << "shown, the line is rendered";
}
