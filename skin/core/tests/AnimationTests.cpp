// Snapshots of controls with their children, and the output window under which a control changes
// its look, on real windows.
#include "skin/core/sVclUtilsAnimation.h"

#include "pump.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/comctrls.h"
#include "vcl/extctrls_panels.h"
#include "vcl/forms.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace vcl;

namespace {

constexpr TColor Red = TColor(0x0000FF);
constexpr TColor Blue = TColor(0xFF0000);
constexpr TColor Green = TColor(0x00FF00);

// A shown form with a red panel holding a blue panel at (10, 20) and a hidden green one at (50, 20).
class AnimationTest : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Form.reset(Create<TForm>(nullptr));
        Form->SetBorderStyle(TFormBorderStyle::bsNone);
        Form->SetBounds(60, 60, 200, 120);
        Outer = NewPanel(Form.get(), TRect(0, 0, 100, 80), Red);
        Inner = NewPanel(Outer, TRect(10, 20, 40, 50), Blue);
        Hidden = NewPanel(Outer, TRect(50, 20, 80, 50), Green);
        Hidden->SetVisible(false);
        Form->Show();
        testsupport::PumpFor(50);
    }
    void TearDown() override
    {
        Form.reset();
        EXPECT_EQ(ow, nullptr);
        EXPECT_EQ(AnimBmp, nullptr);
        EXPECT_FALSE(InAnimationProcess);
    }
    static TPanel* NewPanel(TWinControl* Parent, const TRect& R, TColor Color)
    {
        auto* panel = Create<TPanel>(Parent);
        panel->SetParent(Parent);
        panel->SetBevelOuter(TBevelCut::bvNone);
        panel->SetParentBackground(false);
        panel->SetColor(Color);
        panel->SetBoundsRect(R);
        return panel;
    }
    // The colour of a snapshot's pixel without its alpha byte.
    static uint32_t Rgb(TBitmap* Bmp, int X, int Y) { return PixelsOf(Bmp).At(X, Y) & 0xFFFFFF; }

    TObjectPtr<TForm> Form;
    TPanel* Outer = nullptr;
    TPanel* Inner = nullptr;
    TPanel* Hidden = nullptr;
};

}  // namespace

TEST_F(AnimationTest, ASnapshotHoldsTheChildrenAtTheirPlacesAndAHiddenChildsParentBackground)
{
    const auto bmp = CreateBmp32(100, 80);
    {
        TCanvasLock lock(bmp->Canvas());
        SkinPaintTo(bmp.get(), Outer);
    }
    EXPECT_EQ(Rgb(bmp.get(), 2, 2), 0xFF0000u) << "the panel's red";
    EXPECT_EQ(Rgb(bmp.get(), 15, 25), 0x0000FFu) << "the inner panel's blue";
    EXPECT_EQ(Rgb(bmp.get(), 60, 30), 0xFF0000u) << "no green: the hidden panel is left out";

    const auto alone = CreateBmp32(40, 40);
    FillDC(alone->Canvas()->Handle(), TRect(0, 0, 40, 40), Green);
    {
        TCanvasLock lock(alone->Canvas());
        SkinPaintTo(alone.get(), Hidden, 5, 7);
    }
    EXPECT_EQ(Rgb(alone.get(), 5, 7), 0xFF0000u) << "the parent's background where it would be";
    EXPECT_EQ(Rgb(alone.get(), 34, 36), 0xFF0000u);
    EXPECT_EQ(Rgb(alone.get(), 4, 7), 0x00FF00u) << "nothing outside its place";
    EXPECT_EQ(Rgb(alone.get(), 35, 37), 0x00FF00u);
}

namespace {

// A tab sheet whose window keeps its border band outside its client area, as a sheet whose band a
// page control's skin paints does: its children lie in the client area within the band.
class TBandedSheet : public TTabSheet {
public:
    using TTabSheet::TTabSheet;

protected:
    void WndProc(TMessage& Message) override
    {
        TTabSheet::WndProc(Message);
        if (Message.Msg == WM_NCCALCSIZE)
            InflateRect(reinterpret_cast<RECT*>(Message.LParam), -BorderWidth(), -BorderWidth());
    }
    void AdjustClientRect(TRect&) override {}
};

// A page control over the right half of the form, whose two pages have a border width of 6 and hold
// a panel over their whole client area: blue on a plain page, green on a banded one.
class PageSnapshotTest : public AnimationTest {
protected:
    void SetUp() override
    {
        AnimationTest::SetUp();
        Pages = Create<TPageControl>(Form.get());
        Pages->SetParent(Form.get());
        Pages->SetBoundsRect(TRect(100, 0, 200, 120));
        PlainPanel = NewPanelOn(AddPage(Create<TTabSheet>(Form.get())), Blue);
        BandedPanel = NewPanelOn(AddPage(Create<TBandedSheet>(Form.get())), Green);
        Pages->SetActivePageIndex(0);
        testsupport::PumpFor(50);
    }
    TTabSheet* AddPage(TTabSheet* Sheet)
    {
        Sheet->SetBorderWidth(6);
        Sheet->SetPageControl(Pages);
        return Sheet;
    }
    static TPanel* NewPanelOn(TTabSheet* Sheet, TColor Color)
    {
        TPanel* panel = NewPanel(Sheet, TRect(0, 0, 10, 10), Color);
        panel->SetAlign(TAlign::alClient);
        return panel;
    }
    // The form's snapshot.
    std::unique_ptr<TBitmap> Snapshot() const
    {
        auto bmp = CreateBmp32(Form->Width(), Form->Height());
        TCanvasLock lock(bmp->Canvas());
        SkinPaintTo(bmp.get(), Form.get());
        return bmp;
    }
    // Where a point of Ctrl's window lies in the form's snapshot, as the screen shows it.
    TPoint PlaceOf(TWinControl* Ctrl, int X, int Y) const
    {
        RECT window{};
        GetWindowRect(Ctrl->Handle(), &window);
        POINT p{window.left + X, window.top + Y};
        ScreenToClient(Form->Handle(), &p);
        return TPoint(p.x, p.y);
    }
    // The snapshot's colours at the panel's corners and just outside them.
    static void ExpectPanelInItsPlace(TBitmap* Bmp, const TPoint& TopLeft, const TPoint& BottomRight, uint32_t Colour)
    {
        EXPECT_EQ(Rgb(Bmp, TopLeft.x, TopLeft.y), Colour) << "the panel's top left";
        EXPECT_EQ(Rgb(Bmp, BottomRight.x, BottomRight.y), Colour) << "the panel's bottom right";
        EXPECT_NE(Rgb(Bmp, TopLeft.x - 1, TopLeft.y - 1), Colour) << "the band above and left of it";
        EXPECT_NE(Rgb(Bmp, BottomRight.x + 1, BottomRight.y + 1), Colour) << "the band below and right of it";
    }
    void ExpectPanelInItsPlace(TBitmap* Bmp, TPanel* Panel, uint32_t Colour) const
    {
        ExpectPanelInItsPlace(Bmp, PlaceOf(Panel, 0, 0), PlaceOf(Panel, Panel->Width() - 1, Panel->Height() - 1),
                              Colour);
    }

    TPageControl* Pages = nullptr;
    TPanel* PlainPanel = nullptr;
    TPanel* BandedPanel = nullptr;
};

}  // namespace

TEST_F(PageSnapshotTest, ThePageShownHoldsItsChildrenWithinItsBorderWhereTheScreenShowsThem)
{
    ASSERT_EQ(testsupport::Grab(PlainPanel->Handle()).ClientPixel(2, 2), COLORREF(0xFF0000)) << "blue on the screen";
    const vcl::TRect plainPage = PlainPanel->Parent()->BoundsRect();
    EXPECT_EQ(PlainPanel->BoundsRect(), TRect(6, 6, plainPage.Width() - 6, plainPage.Height() - 6));
    ExpectPanelInItsPlace(Snapshot().get(), PlainPanel, 0x0000FFu);

    Pages->SetActivePageIndex(1);
    testsupport::PumpFor(50);
    auto* banded = static_cast<TWinControl*>(BandedPanel->Parent());
    ASSERT_EQ(PlaceOf(BandedPanel, 0, 0), PlaceOf(banded, 6, 6)) << "the band lies outside the client area";
    const auto snapshot = Snapshot();
    ExpectPanelInItsPlace(snapshot.get(), BandedPanel, 0x00FF00u);
    EXPECT_NE(Rgb(snapshot.get(), PlaceOf(PlainPanel, 2, 2).x, PlaceOf(PlainPanel, 2, 2).y), 0x0000FFu)
        << "the hidden page is left out";
}

TEST_F(AnimationTest, TheOutputWindowCoversTheControlRightAboveItAndKeepsItsOldLook)
{
    ASSERT_EQ(testsupport::Grab(Inner->Handle()).ClientPixel(15, 15), COLORREF(0xFF0000)) << "blue on the screen";
    PrepareForAnimation(Inner);
    ASSERT_NE(ow, nullptr);
    ASSERT_NE(AnimBmp, nullptr);
    EXPECT_TRUE(dynamic_cast<TOutputWindow*>(ow));
    EXPECT_EQ(ow->Owner(), Inner);
    EXPECT_EQ(ow->Parent(), Outer);
    EXPECT_EQ(ow->BoundsRect(), Inner->BoundsRect());
    EXPECT_EQ(ow->Tag(), -98);
    EXPECT_TRUE(IsWindowVisible(ow->Handle()));
    EXPECT_EQ(GetWindow(Inner->Handle(), GW_HWNDPREV), ow->Handle()) << "right above the control";
    EXPECT_EQ(AnimBmp->Width(), 30);
    EXPECT_EQ(Rgb(AnimBmp, 15, 15), 0x0000FFu) << "the blue the screen showed";

    Inner->SetColor(Green);
    AnimShowControl(Inner, 24);
    EXPECT_EQ(ow, nullptr);
    EXPECT_EQ(AnimBmp, nullptr);
    EXPECT_FALSE(InAnimationProcess);
    testsupport::PumpFor(30);
    EXPECT_EQ(testsupport::Grab(Inner->Handle()).ClientPixel(15, 15), COLORREF(0x00FF00)) << "the new look shows";
}

TEST_F(AnimationTest, AWindowWithoutParentIsAPopupOwnedByTheApplication)
{
    TObjectPtr<TOutputWindow> output(Create<TOutputWindow>(Form.get()));
    const HWND wnd = output->Handle();
    // The system clips every top-level window by its siblings.
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE | WS_CLIPSIBLINGS), LONG_PTR(WS_POPUP));
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application->Handle());
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(output->Perform(WM_ERASEBKGND, 0, 0), 1);

    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TObjectPtr<TOutputWindow> topmost(Create<TOutputWindow>(Form.get()));
    EXPECT_TRUE(GetWindowLongPtrW(topmost->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(AnimationTest, AChangeWhosePaintingRaisesLeavesNoCoverPictureOrFlagBehind)
{
    auto* box = Create<TPaintBox>(Inner);
    box->SetParent(Inner);
    box->SetBounds(2, 2, 10, 10);
    PrepareForAnimation(Inner);
    box->SetOnPaint(TNotifyEvent([](TObject*) { throw Exception(L"paint failed"); }));
    EXPECT_THROW(AnimShowControl(Inner, 24), Exception);
    box->SetOnPaint(TNotifyEvent());
}
