// The window messages of an MDI main form and its children while skinned: children get providers
// from their main form, activation and titles of children repaint the main form's menu line and
// caption, and the main form's sizing, erasing, painting and printing take its client window and
// children into account. Children come to the front through the MDI client, never by activating
// windows, which other test programs on the display may do meanwhile.
#include "MDIFixtures.h"
#include "pngfile.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "vcl/extctrls_panels.h"
#include "vcl/menus.h"
#include "vcl/tests/windowing_fixtures.h"

using namespace skin;
using skintest::TLoggingForm;

namespace {

constexpr COLORREF Marker = RGB(255, 0, 255);
constexpr uint32_t MarkerRgb = 0xFF00FF;

// An MDI main form; tagged like every logging form, so only the test gives it a provider.
class TMDIMain : public TLoggingForm {
    CL_CLASS(TMDIMain, TLoggingForm)
public:
    explicit TMDIMain(vcl::TComponent* AOwner) : TLoggingForm(AOwner) { SetFormStyle(vcl::TFormStyle::fsMDIForm); }
};

// An MDI main form that the window hook's rules accept, as a program's own would be.
class TPlainMDIMain : public vcl::TForm {
    CL_CLASS(TPlainMDIMain, vcl::TForm)
public:
    explicit TPlainMDIMain(vcl::TComponent* AOwner) : vcl::TForm(AOwner) { SetFormStyle(vcl::TFormStyle::fsMDIForm); }
};

// Counts the WM_PRINT messages that reach the window procedure of a window it subclasses.
class TPrintCounter {
public:
    explicit TPrintCounter(HWND Wnd) : FWnd(Wnd)
    {
        Prints = 0;
        FOld = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPrintCounter::Proc)));
        Old = FOld;
    }
    ~TPrintCounter() { SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOld)); }
    TPrintCounter(const TPrintCounter&) = delete;
    TPrintCounter& operator=(const TPrintCounter&) = delete;

    static inline int Prints = 0;
    static inline POINT Origin{};  // where the last print's DC had its origin

private:
    static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        if (Msg == WM_PRINT) {
            ++Prints;
            GetViewportOrgEx(reinterpret_cast<HDC>(WParam), &Origin);
        }
        return CallWindowProcW(Old, Wnd, Msg, WParam, LParam);
    }
    static inline WNDPROC Old = nullptr;
    HWND FWnd;
    WNDPROC FOld;
};

// A memory DC of the size filled with the marker colour.
class TMarkedDC {
public:
    TMarkedDC(int Width, int Height) : FDC(nullptr, Width, Height)
    {
        const RECT r{0, 0, Width, Height};
        const HBRUSH brush = CreateSolidBrush(Marker);
        FillRect(FDC.Handle(), &r, brush);
        DeleteObject(brush);
    }
    HDC Handle() const { return FDC.Handle(); }
    COLORREF Pixel(int X, int Y) const { return GetPixel(FDC.Handle(), X, Y); }

private:
    vcl::TMemoryDC FDC;
};

class MDIWindowTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        App = std::make_unique<wintest::TTemporaryApplication>();
    }
    void TearDown() override
    {
        App.reset();
        MdiSkinTest::TearDown();
    }

    // The application's main form: an MDI form with a provider and, with Menu, a menu line of
    // "&File" and "&Window"; shown unless Hidden.
    TMDIMain* NewMain(bool Menu = true, bool Hidden = false)
    {
        TMDIMain* main = nullptr;
        vcl::Application->CreateForm(main);
        main->SetBounds(50, 50, 600, 450);
        main->SetCaption(L"MDI form");
        main->HandleNeeded();
        main->AddProvider();
        if (Menu) {
            auto* menu = vcl::Create<vcl::TMainMenu>(main);
            for (const wchar_t* caption : {L"&File", L"&Window"}) {
                auto* item = vcl::Create<vcl::TMenuItem>(main);
                item->SetCaption(caption);
                menu->Items()->Add(item);
            }
            main->SetMenu(menu);
        }
        if (!Hidden)
            Show(main);
        return main;
    }
    void Show(vcl::TCustomForm* Form)
    {
        Form->Show();
        testsupport::PumpFor(0);
    }
    // A shown MDI child at (Left, Top), with its provider unless Plain.
    template<class T = TLoggingForm>
    T* NewChild(const wchar_t* Caption, int Left = 10, int Top = 10)
    {
        auto* child = vcl::Create<T>(vcl::Application);
        child->SetFormStyle(vcl::TFormStyle::fsMDIChild);
        child->SetCaption(Caption);
        child->SetBounds(Left, Top, 200, 150);
        Show(child);
        return child;
    }
    TLoggingForm* NewSkinnedChild(const wchar_t* Caption, int Left = 10, int Top = 10)
    {
        TLoggingForm* child = NewChild(Caption, Left, Top);
        child->AddProvider();
        child->Provider->SkinData()->BGChanged = true;
        RedrawWindow(child->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        testsupport::PumpFor(0);
        return child;
    }
    void Activate(vcl::TCustomForm* Main, vcl::TCustomForm* Child)
    {
        SendMessageW(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
        testsupport::PumpFor(0);
    }
    void Maximize(vcl::TCustomForm* Main, vcl::TCustomForm* Child)
    {
        SendMessageW(Main->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
        testsupport::PumpFor(0);
    }
    // The provider's cache as it stands, rendered once when there is none yet.
    vcl::TBitmap* Cache(TsSkinProvider* Provider)
    {
        if (!Provider->SkinData()->FCacheBmp || Provider->SkinData()->FCacheBmp->Width() == 0)
            Render(Provider);
        return Provider->SkinData()->FCacheBmp.get();
    }
    // Puts the marker into the cache at (X, Y) and marks the cache up to date: only a new
    // rendering removes the marker.
    void MarkCache(TsSkinProvider* Provider, int X, int Y)
    {
        vcl::TBitmap* cache = Cache(Provider);
        {
            vcl::TCanvasLock lock(cache->Canvas());
            SetPixelV(cache->Canvas()->Handle(), X, Y, Marker);
        }
        Provider->SkinData()->BGChanged = false;
        ASSERT_EQ(skintest::Rgb(PixelsOf(cache), X, Y), MarkerRgb);
    }
    uint32_t CachePixel(TsSkinProvider* Provider, int X, int Y)
    {
        return skintest::Rgb(PixelsOf(Provider->SkinData()->FCacheBmp.get()), X, Y);
    }
    // A point on the menu line's right end, past its items.
    vcl::TPoint LinePoint(TsSkinProvider* Provider)
    {
        return vcl::TPoint(Cache(Provider)->Width() - SysBorderWidth(Provider->Form->Handle(), nullptr, true) - 4,
                           Provider->FrameLayout().MenuTop() + 2);
    }
    // A point in the middle of the title bar.
    vcl::TPoint TitlePoint(TsSkinProvider* Provider)
    {
        return vcl::TPoint(Cache(Provider)->Width() / 2, Provider->BorderHeight() + Provider->CaptionHeight() / 2);
    }

    std::unique_ptr<wintest::TTemporaryApplication> App;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Providers for the children and the main form

TEST_F(MDIWindowTest, ChildrenWithoutProvidersAreSkinnedWhenTheirMainFormShows)
{
    TMDIMain* main = NewMain(true, true);
    auto* first = NewChild<vcl::TForm>(L"First");
    auto* second = NewChild<vcl::TForm>(L"Second", 40, 40);
    ASSERT_FALSE(GetBoolMsg(first, scmdQuerySkinned));
    ASSERT_FALSE(GetBoolMsg(second, scmdQuerySkinned));

    Show(main);
    for (vcl::TForm* child : {first, second}) {
        SCOPED_TRACE(child->Caption());
        EXPECT_TRUE(GetBoolMsg(child, scmdQuerySkinned));
        EXPECT_NE(skintest::Ask(child, scmdQueryProvider), 0);
    }
}

TEST_F(MDIWindowTest, ASkinnedChildGivesItsMainFormAProviderWhenItsWindowIsMade)
{
    // Hidden, the main form is not yet the window hook's.
    TPlainMDIMain* main = nullptr;
    vcl::Application->CreateForm(main);
    main->SetBounds(50, 50, 600, 450);
    main->HandleNeeded();
    ASSERT_FALSE(GetBoolMsg(main, scmdQuerySkinned)) << "the main form has no provider yet";
    ASSERT_EQ(MDISkinProvider, nullptr);

    auto* child = vcl::Create<TLoggingForm>(vcl::Application);
    child->SetFormStyle(vcl::TFormStyle::fsMDIChild);
    child->AddProvider();
    child->SetBounds(10, 10, 200, 150);
    Show(child);
    EXPECT_TRUE(GetBoolMsg(main, scmdQuerySkinned));
}

// ---------------------------------------------------------------------------------------------
// The menu line follows the children

TEST_F(MDIWindowTest, ActivatingAnotherChildRendersTheMainFormsMenuLineAgain)
{
    TMDIMain* main = NewMain();
    TLoggingForm* first = NewSkinnedChild(L"First");
    TLoggingForm* second = NewSkinnedChild(L"Second", 60, 60);
    Activate(main, first);
    TsSkinProvider* provider = main->Provider;
    ASSERT_GT(provider->MenuHeight(), 0);
    const vcl::TPoint line = LinePoint(provider);
    MarkCache(provider, line.x, line.y);
    second->Provider->MenusInitialized = true;

    Activate(main, second);
    ASSERT_EQ(main->ActiveMDIChild(), second);
    EXPECT_EQ(CachePixel(provider, line.x, line.y), skintest::FlatColour(skintest::MdiMenuLine, 0))
        << "the line was rendered again";
    EXPECT_FALSE(second->Provider->MenusInitialized) << "the activated child's items are hooked again";
    EXPECT_EQ(ChildProvider, second->Provider) << "the activated child is told last";
}

TEST_F(MDIWindowTest, AShownChildsActivationRendersTheMainFormsMenuLineAgain)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    TsSkinProvider* provider = main->Provider;
    const vcl::TPoint line = LinePoint(provider);
    MarkCache(provider, line.x, line.y);

    SendMessageW(child->Handle(), WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(CachePixel(provider, line.x, line.y), skintest::FlatColour(skintest::MdiMenuLine, 0));
}

TEST_F(MDIWindowTest, AMaximisedChildsNewTitleRendersTheMainFormsCaptionAgain)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    Maximize(main, child);
    ASSERT_EQ(child->WindowState(), vcl::TWindowState::wsMaximized);
    TsSkinProvider* provider = main->Provider;
    const vcl::TPoint title = TitlePoint(provider);
    MarkCache(provider, title.x, title.y);

    child->SetCaption(L"Renamed");
    testsupport::PumpFor(0);
    EXPECT_NE(CachePixel(provider, title.x, title.y), MarkerRgb);
    EXPECT_EQ(provider->CaptForm, nullptr) << "the cover over the caption is gone";
}

TEST_F(MDIWindowTest, AChildGoingRendersTheMainFormsMenuLineAgain)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    TsSkinProvider* provider = main->Provider;
    const vcl::TPoint line = LinePoint(provider);
    MarkCache(provider, line.x, line.y);

    child->Free();
    testsupport::PumpFor(0);
    EXPECT_EQ(main->MDIChildCount(), 0);
    EXPECT_EQ(CachePixel(provider, line.x, line.y), skintest::FlatColour(skintest::MdiMenuLine, 0));
}

TEST_F(MDIWindowTest, TheChildsButtonsStandInTheLineOnlyForAMaximisedChildWithASystemMenu)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    NewSkinnedChild(L"Other", 60, 60);
    Activate(main, child);
    ASSERT_EQ(ChildProvider, child->Provider);
    TsSkinProvider* provider = main->Provider;
    EXPECT_FALSE(provider->MDIButtonsNeeded()) << "the child is not maximised";
    Maximize(main, child);
    EXPECT_TRUE(provider->MDIButtonsNeeded());
    child->SetBorderIcons({});
    EXPECT_FALSE(provider->MDIButtonsNeeded()) << "a child without a system menu";
    child->SetBorderIcons({vcl::TBorderIcon::biSystemMenu});
    vcl::TMainMenu* menu = main->Menu();
    main->SetMenu(nullptr);
    EXPECT_FALSE(provider->MDIButtonsNeeded()) << "a main form without a menu";
    main->SetMenu(menu);
}

// ---------------------------------------------------------------------------------------------
// Sizing, erasing, painting and printing

TEST_F(MDIWindowTest, SizingWithoutChangeRepaintsTheMainFormsFrameAndAMaximisedChildsLine)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    TsSkinProvider* provider = main->Provider;
    ASSERT_FALSE(provider->FormChanged());
    const LPARAM size = MAKELPARAM(main->ClientWidth(), main->ClientHeight());
    provider->SkinData()->BGChanged = true;
    SendMessageW(main->Handle(), WM_SIZE, SIZE_RESTORED, size);
    EXPECT_FALSE(provider->SkinData()->BGChanged) << "the frame was painted at once";

    Maximize(main, child);
    ASSERT_FALSE(child->Provider->FormChanged());
    provider->SkinData()->BGChanged = false;
    provider->MenuChanged = false;
    SendMessageW(child->Handle(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(child->ClientWidth(), child->ClientHeight()));
    EXPECT_TRUE(provider->SkinData()->BGChanged);
    EXPECT_TRUE(provider->MenuChanged);
}

TEST_F(MDIWindowTest, TheMainFormsPaintDrawsItsGraphicControls)
{
    TMDIMain* main = NewMain(false);
    auto* block = vcl::Create<wintest::TColorBlock>(main);
    block->SetBounds(0, 0, 20, 20);
    block->SetParent(main);
    testsupport::PumpFor(0);
    const int before = block->Paints;
    TMarkedDC dc(main->Width(), main->Height());
    SendMessageW(main->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    EXPECT_GT(block->Paints, before);
}

TEST_F(MDIWindowTest, WithAMaximisedChildTheMainFormsEraseRendersItsBackground)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"Child");
    Maximize(main, child);
    TsSkinProvider* provider = main->Provider;
    ASSERT_TRUE(IsCached(*provider->SkinData()));
    provider->SkinData()->BGChanged = true;
    TMarkedDC dc(main->Width(), main->Height());
    SendMessageW(main->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    EXPECT_FALSE(provider->SkinData()->BGChanged) << "not a copy of the cache as it stood";
}

TEST_F(MDIWindowTest, PrintingTheMainFormPrintsItsClientWindowAndInitialisesTheMenus)
{
    TMDIMain* main = NewMain();
    NewSkinnedChild(L"Child");
    TsSkinProvider* provider = main->Provider;
    provider->MenusInitialized = false;
    const TPrintCounter counter(main->ClientHandle());
    TMarkedDC dc(main->Width(), main->Height());
    SendMessageW(main->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc.Handle()), PRF_CLIENT | PRF_NONCLIENT);
    EXPECT_EQ(TPrintCounter::Prints, 1);
    EXPECT_TRUE(provider->MenusInitialized);
    EXPECT_NE(dc.Pixel(main->Width() / 2, 2), Marker) << "the frame was printed";
}

TEST_F(MDIWindowTest, TheClientWindowBelowAToolBarIsPrintedAtItsPlace)
{
    TMDIMain* main = NewMain(false);
    auto* bar = vcl::Create<vcl::TPanel>(main);
    bar->SetAlign(vcl::TAlign::alTop);
    bar->SetHeight(40);
    bar->SetParent(main);
    NewSkinnedChild(L"Child");
    const TPrintCounter counter(main->ClientHandle());
    TMarkedDC dc(main->Width(), main->Height());
    SendMessageW(main->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc.Handle()), PRF_CLIENT | PRF_NONCLIENT);
    ASSERT_EQ(TPrintCounter::Prints, 1);
    RECT form{}, client{};
    GetWindowRect(main->Handle(), &form);
    GetWindowRect(main->ClientHandle(), &client);
    ASSERT_GE(client.top - form.top, main->Provider->OffsetY() + 40) << "the client window lies below the bar";
    EXPECT_EQ(TPrintCounter::Origin.x, client.left - form.left);
    EXPECT_EQ(TPrintCounter::Origin.y, client.top - form.top);
}

namespace {

// A plain panel of one colour at Bounds in Parent.
void AddColourPanel(vcl::TWinControl* Parent, const vcl::TRect& Bounds, vcl::TColor Colour)
{
    auto* panel = vcl::Create<vcl::TPanel>(Parent);
    panel->SetParent(Parent);
    panel->SetParentBackground(false);
    panel->SetBevelOuter(vcl::TBevelCut::bvNone);
    panel->SetColor(Colour);
    panel->SetBoundsRect(Bounds);
}

}  // namespace

TEST_F(MDIWindowTest, TheMainFormsPictureHoldsItsChildrenInTheirPlacesTheOneInFrontOnTop)
{
    TMDIMain* main = NewMain();
    TLoggingForm* back = NewSkinnedChild(L"Back");
    TLoggingForm* front = NewSkinnedChild(L"Front", 80, 70);
    constexpr vcl::TColor Blue = vcl::TColor(0xFF0000), Red = vcl::TColor(0x0000FF);
    AddColourPanel(back, vcl::TRect(5, 5, 35, 25), Blue);
    AddColourPanel(back, vcl::TRect(110, 90, 140, 110), Blue);  // under the front child
    AddColourPanel(front, vcl::TRect(10, 10, 40, 30), Red);
    SendMessageW(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(front->Handle()), 0);
    testsupport::PumpFor(20);

    const auto picture = GetFormImage(main->Provider, false);
    ASSERT_TRUE(picture);
    const TPixelView pixels = PixelsOf(picture.get());
    const vcl::TRect mainPlace = WindowRectOf(main->Handle());
    // A child's client point in the picture, where the screen shows it.
    const auto at = [&](vcl::TCustomForm* Child, int X, int Y) {
        POINT p{X, Y};
        ClientToScreen(Child->Handle(), &p);
        return vcl::TPoint(p.x - mainPlace.left, p.y - mainPlace.top);
    };
    const vcl::TPoint backPanel = at(back, 20, 15), hiddenPanel = at(back, 125, 100), frontPanel = at(front, 25, 20);
    EXPECT_EQ(skintest::Rgb(pixels, backPanel.x, backPanel.y), 0x0000FFu) << "the child behind, where it shows";
    EXPECT_EQ(skintest::Rgb(pixels, frontPanel.x, frontPanel.y), 0xFF0000u) << "the child in front";
    EXPECT_NE(skintest::Rgb(pixels, hiddenPanel.x, hiddenPanel.y), 0x0000FFu) << "covered by the child in front";
}

TEST_F(MDIWindowTest, AChildUnderAnotherMaximisedChildPrintsNothing)
{
    TMDIMain* main = NewMain();
    TLoggingForm* hidden = NewSkinnedChild(L"Below");
    TLoggingForm* top = NewSkinnedChild(L"Top", 60, 60);
    Maximize(main, top);
    ASSERT_EQ(main->ActiveMDIChild(), top);
    for (TLoggingForm* child : {hidden, top}) {
        SCOPED_TRACE(child->Caption());
        TMarkedDC dc(child->Width(), child->Height());
        SendMessageW(child->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc.Handle()), PRF_CLIENT | PRF_NONCLIENT);
        const bool printed = dc.Pixel(child->Width() / 2, child->Height() / 2) != Marker;
        EXPECT_EQ(printed, child == top);
    }
}

// ---------------------------------------------------------------------------------------------
// System commands of a child and of the main form

namespace {

LRESULT SysCommand(vcl::TCustomForm* Form, WPARAM Command)
{
    const LRESULT result = SendMessageW(Form->Handle(), WM_SYSCOMMAND, Command, 0);
    testsupport::PumpFor(0);
    return result;
}

}  // namespace

TEST_F(MDIWindowTest, AChildMaximisedByItsCommandPutsItsButtonsIntoTheMainFormsLine)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"First");
    SysCommand(child, SC_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(child->Handle()));
    EXPECT_EQ(ChildProvider, child->Provider);
    EXPECT_TRUE(IsWindowVisible(child->Handle())) << "shown again after the system maximised it";
    EXPECT_TRUE(main->Provider->MDIButtonsNeeded());
    EXPECT_EQ(main->Provider->SkinData()->UpdateCount(), 0);
}

// Each command that takes a maximised child out of its state leaves the main form without the
// child's buttons, and the main form's batch closed as often as it was opened.
TEST_F(MDIWindowTest, CommandsThatEndAChildsMaximisedStateKeepTheMainFormsBatchBalanced)
{
    struct Case {
        const char* Name;
        WPARAM Command;
        bool Iconic;
    };
    for (const Case& c : {Case{"minimise", SC_MINIMIZE, true}, Case{"restore", SC_RESTORE, false}}) {
        SCOPED_TRACE(c.Name);
        TMDIMain* main = NewMain();
        TLoggingForm* child = NewSkinnedChild(L"First");
        SysCommand(child, SC_MAXIMIZE);
        ASSERT_TRUE(main->Provider->MDIButtonsNeeded());

        SysCommand(child, c.Command);
        EXPECT_FALSE(IsZoomed(child->Handle()));
        EXPECT_EQ(bool(IsIconic(child->Handle())), c.Iconic);
        EXPECT_FALSE(main->Provider->MDIButtonsNeeded());
        EXPECT_EQ(main->Provider->SkinData()->UpdateCount(), 0);
        child->Free();
        main->Free();
        testsupport::PumpFor(0);
    }
}

TEST_F(MDIWindowTest, RestoringAMinimisedChildOpensNoBatchAndClosesNone)
{
    TMDIMain* main = NewMain();
    TLoggingForm* child = NewSkinnedChild(L"First");
    SysCommand(child, SC_MINIMIZE);
    ASSERT_TRUE(IsIconic(child->Handle()));
    SysCommand(child, SC_RESTORE);
    EXPECT_FALSE(IsIconic(child->Handle()));
    EXPECT_EQ(main->Provider->SkinData()->UpdateCount(), 0);
    EXPECT_FALSE(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_SYSMENU)
        << "the skin draws the restored child's system menu";
}

TEST_F(MDIWindowTest, TheMainFormsStateCommandsRenderItsMenuLineAgain)
{
    TMDIMain* main = NewMain();
    for (const WPARAM command : {WPARAM(SC_MAXIMIZE), WPARAM(SC_RESTORE)}) {
        const vcl::TPoint line = LinePoint(main->Provider);
        MarkCache(main->Provider, line.x, line.y);
        SysCommand(main, command);
        EXPECT_EQ(bool(IsZoomed(main->Handle())), command == SC_MAXIMIZE);
        EXPECT_NE(CachePixel(main->Provider, LinePoint(main->Provider).x, LinePoint(main->Provider).y), MarkerRgb);
    }
}

// ---------------------------------------------------------------------------------------------
// For people to look at

// The MDI form in our own skin: a menu line and two children that got skinned frames from their
// main form, side by side (the maximised child is in the MDI buttons' screenshot).
TEST(OurSkinMDIForm, AnMDIFormWithSkinnedChildrenInOurSkin)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    const wintest::TTemporaryApplication app;
    TPlainMDIMain* main = nullptr;
    vcl::Application->CreateForm(main);
    main->SetBounds(50, 50, 600, 450);
    main->SetCaption(L"MDI form");
    auto* menu = vcl::Create<vcl::TMainMenu>(main);
    for (const wchar_t* caption : {L"&File", L"&Window"}) {
        auto* item = vcl::Create<vcl::TMenuItem>(main);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    main->SetMenu(menu);
    auto* provider = vcl::Create<TsSkinProvider>(main);
    main->HandleNeeded();
    vcl::TForm* children[2] = {};
    for (int i = 0; i < 2; ++i) {
        children[i] = vcl::Create<vcl::TForm>(vcl::Application);
        children[i]->SetFormStyle(vcl::TFormStyle::fsMDIChild);
        children[i]->SetCaption(i == 0 ? L"First" : L"Second");
        children[i]->SetBounds(10 + 110 * i, 10 + 70 * i, 220, 160);
        children[i]->Show();
    }
    main->Show();
    testsupport::PumpFor(0);
    ASSERT_TRUE(GetBoolMsg(children[0], scmdQuerySkinned));
    ASSERT_TRUE(GetBoolMsg(children[1], scmdQuerySkinned));
    RedrawWindow(main->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    testsupport::PumpFor(100);

    const testsupport::TGrab shot = testsupport::Grab(main->Handle());
    RECT window{}, item{};
    GetWindowRect(main->Handle(), &window);
    const HMENU bar = GetMenu(main->Handle());
    ASSERT_TRUE(GetMenuItemRect(main->Handle(), bar, UINT(GetMenuItemCount(bar) - 1), &item));
    const int line = manager->GetSkinIndex(L"MENULINE");
    ASSERT_TRUE(manager->IsValidSkinIndex(line));
    EXPECT_EQ(shot.Pixel(item.right - window.left + 10, (item.top + item.bottom) / 2 - window.top),
              COLORREF(manager->gd[size_t(line)].Color))
        << "the line right of the items";
    EXPECT_EQ(provider->Form->ActiveMDIChild(), children[1]);
    for (vcl::TForm* child : children) {
        SCOPED_TRACE(child->Caption());
        auto* childProvider = reinterpret_cast<TsSkinProvider*>(skintest::Ask(child, scmdQueryProvider));
        ASSERT_NE(childProvider, nullptr);
        RECT frame{};
        GetWindowRect(child->Handle(), &frame);
        const int x = childProvider->SkinData()->FCacheBmp->Width() / 2;
        const int y = childProvider->BorderHeight() + childProvider->CaptionHeight() / 2;
        EXPECT_EQ(skintest::Rgb(shot.Pixel(frame.left - window.left + x, frame.top - window.top + y)),
                  skintest::Rgb(PixelsOf(childProvider->SkinData()->FCacheBmp.get()), x, y))
            << "the child's skinned title";
    }
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "mdi_skinned_children.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
}
