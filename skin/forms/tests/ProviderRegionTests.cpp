// A skinned form's window region: the window rectangle less the key pixels of the skin's border
// corners, compared as sets of rectangles; the forms that keep their own region or get none; the
// skinned scroll bars of a scrolling form and the redraw lock.
#include <algorithm>
#include <ostream>

#include "ProviderFixtures.h"
#include "skin/graphics/sGraphUtils.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TLoggingForm;
using vcl::TFormBorderStyle;
using vcl::TRect;

namespace {

// The rectangles of a region in the system's banded order: equal regions give equal lists.
std::vector<TRect> RectsOf(HRGN Region)
{
    const DWORD size = GetRegionData(Region, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(Region, size, data);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<TRect>(rects, rects + data->rdh.nCount);
}

// The window's region; empty when it has none.
std::vector<TRect> WindowRegion(HWND Wnd)
{
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::vector<TRect> rects;
    if (GetWindowRgn(Wnd, region) != ERROR)
        rects = RectsOf(region);
    DeleteObject(region);
    return rects;
}

// The rectangle (0, 0, Width, Height) less the runs.
std::vector<TRect> Expected(const TRect& Whole, const TAOR& Runs)
{
    const HRGN region = CreateRectRgn(Whole.left, Whole.top, Whole.right, Whole.bottom);
    SubtractRects(region, Runs);
    std::vector<TRect> rects = RectsOf(region);
    DeleteObject(region);
    return rects;
}

// The key runs of the region test skin for a Width x Height window: 3, 2 and 1 pixels on the
// outer three rows of each corner of the form's border, 4 pixels on the fourth row of the title's.
TAOR SkinRuns(int Width, int Height)
{
    TAOR runs;
    const auto both = [&](int Y, int N) {
        runs.emplace_back(0, Y, N, Y + 1);
        runs.emplace_back(Width - N, Y, Width, Y + 1);
    };
    for (int r = 0; r < 3; ++r) {
        both(r, 3 - r);
        both(Height - 1 - r, 3 - r);
    }
    both(3, 4);
    return runs;
}

// Answers the region query for the form: it keeps a region of its own.
struct TOwnRegion {
    explicit TOwnRegion(vcl::TCustomForm* Form) : FInner(Form->WindowProc())
    {
        Form->SetWindowProc(vcl::TWndMethod(this, &TOwnRegion::Receive));
    }
    // Gives the form the procedure it had before.
    void Remove(vcl::TCustomForm* Form) { Form->SetWindowProc(FInner); }
    void Receive(vcl::TMessage& Message)
    {
        if (Message.Msg == RegionQueryMessage && Message.WParam == RegionQueryOwn) {
            Message.Result = LRESULT(RegionQueryOwn);
            return;
        }
        FInner(Message);
    }

private:
    vcl::TWndMethod FInner;
};

class RegionTest : public ProviderTest {
protected:
    void SetUp() override
    {
        ProviderTest::SetUp();
        Manager.reset();
        Manager = skintest::LoadSkin(
            (std::filesystem::path(skintest::FrameSkinFolder()).parent_path() / "REGION").wstring());
        Manager->SendNewSkin(false);
    }
};

// A border window that reports the skin's own title and border sizes.
struct TFakeBorder : TacBorderGeometry {
    explicit TFakeBorder(HWND Owner) : Owner(Owner) {}
    int SkinTitleHeight() const override { return 40; }
    int SkinBorderWidth() const override { return 6; }
    int CaptionHeight(bool CheckSkin) const override { return CheckSkin ? 40 : GetSystemMetrics(SM_CYCAPTION); }
    HWND OwnerHandle() const override { return Owner; }
    int OffsetY() const override { return 0; }
    HWND Owner;
};

}  // namespace

namespace vcl {
void PrintTo(const TRect& R, std::ostream* Os) { *Os << "(" << R.left << "," << R.top << "," << R.right << "," << R.bottom << ")"; }
}  // namespace vcl

TEST_F(RegionTest, TheSkinsCornerRunsAreCutOutOfTheWindowTheBottomOnesAtItsFoot)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    FillArOR(p);
    UpdateRgn(p, false);
    EXPECT_EQ(WindowRegion(form->Handle()), Expected(TRect(0, 0, 400, 300), SkinRuns(400, 300)));
    EXPECT_FALSE(p->RgnChanged);
    EXPECT_FALSE(p->RgnChanging);
}

TEST_F(RegionTest, RenderingTheFrameCollectsTheRunsForTheNewSize)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    form->SetBounds(100, 100, 250, 180);
    Render(p);
    EXPECT_TRUE(p->RgnChanged);
    TAOR runs = SkinRuns(250, 180);
    std::sort(runs.begin(), runs.end(), [](const TRect& A, const TRect& B) {
        return std::tie(A.top, A.left) < std::tie(B.top, B.left);
    });
    TAOR collected = p->ArOR;
    std::sort(collected.begin(), collected.end(), [](const TRect& A, const TRect& B) {
        return std::tie(A.top, A.left) < std::tie(B.top, B.left);
    });
    EXPECT_EQ(collected, runs);
}

TEST_F(ProviderTest, ABorderWithoutKeyPixelsLeavesThePlainRectangle)
{
    TLoggingForm* form = NewForm();
    FillArOR(form->Provider);
    UpdateRgn(form->Provider, false);
    EXPECT_EQ(WindowRegion(form->Handle()), std::vector<TRect>{TRect(0, 0, 400, 300)});
}

TEST_F(RegionTest, AMaximisedFormLosesItsSystemBorderUnlessItsSizeIsLimited)
{
    TLoggingForm* form = NewForm(TFormBorderStyle::bsSingle, {vcl::TBorderIcon::biSystemMenu,
                                                                 vcl::TBorderIcon::biMaximize});
    TsSkinProvider* p = form->Provider;
    form->SetWindowState(vcl::TWindowState::wsMaximized);
    form->Show();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    const int w = form->Width(), h = form->Height();
    FillArOR(p);
    UpdateRgn(p, false);
    EXPECT_EQ(WindowRegion(form->Handle()), Expected(TRect(Sys.DlgFrame, Sys.DlgFrame, w - Sys.DlgFrame,
                                                           h - Sys.DlgFrame), {}));
    form->Constraints()->SetMaxWidth(5000);
    FillArOR(p);
    UpdateRgn(p, false);
    EXPECT_EQ(WindowRegion(form->Handle()), Expected(TRect(0, 0, w, h), SkinRuns(w, h)));
}

TEST_F(RegionTest, ABorderlessFormWithoutSizingFrameGetsNone)
{
    TLoggingForm* form = NewForm(TFormBorderStyle::bsNone);
    TsSkinProvider* p = form->Provider;
    FillArOR(p);
    UpdateRgn(p, false);
    EXPECT_TRUE(WindowRegion(form->Handle()).empty());
    EXPECT_FALSE(HasSizingFrame(form->Handle()));

    SetWindowRgn(form->Handle(), CreateRectRgn(0, 0, 10, 10), FALSE);
    p->RgnChanged = true;
    p->AC_WMNCPaint();
    EXPECT_TRUE(WindowRegion(form->Handle()).empty()) << "the frame's painting takes a region away";
}

TEST_F(RegionTest, AFormKeepingItsOwnRegionKeepsItUntilTheFirstRender)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    TOwnRegion own(form);
    SetWindowRgn(form->Handle(), CreateRectRgn(0, 0, 10, 10), FALSE);
    FillArOR(p);
    UpdateRgn(p, false);
    EXPECT_EQ(WindowRegion(form->Handle()), std::vector<TRect>{TRect(0, 0, 10, 10)});
    Render(p);
    ASSERT_TRUE(p->FirstInitialized);
    UpdateRgn(p, false);
    EXPECT_EQ(WindowRegion(form->Handle()), Expected(TRect(0, 0, 400, 300), SkinRuns(400, 300)));
    own.Remove(form);
}

TEST_F(RegionTest, WithABorderWindowOnlyTheFormsInnerPartStays)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    p->BorderForm = std::make_unique<TFakeBorder>(form->Handle());
    UpdateRgn(p, false);
    const int b = Sys.DlgFrame;
    EXPECT_EQ(WindowRegion(form->Handle()), Expected(TRect(b, b + Sys.Caption, 400 - b, 300 - b), {}));
    p->BorderForm.reset();
}

TEST_F(RegionTest, ADockedFormLosesItsRegion)
{
    TLoggingForm* host = NewForm(TFormBorderStyle::bsNone, {}, false);
    TLoggingForm* form = NewForm();
    form->SetParent(host);
    form->SetDragKind(vcl::TDragKind::dkDock);
    SetWindowRgn(form->Handle(), CreateRectRgn(0, 0, 10, 10), FALSE);
    UpdateRgn(form->Provider, false);
    EXPECT_TRUE(WindowRegion(form->Handle()).empty());
}

// ---------------------------------------------------------------------------------------------
// The skinned scroll bars and the redraw lock

namespace {

struct TFakeScrolls : TacFormScrolls {
    bool Destroyed() const override { return Gone; }
    int HorzBarHeight() const override { return 0; }
    int VertBarWidth() const override { return 0; }
    vcl::TRect CornerBox() const override { return vcl::TRect(); }
    void UpdateScrolls(bool) override {}
    bool Gone = false;
};
int ScrollsMade = 0;
std::unique_ptr<TacFormScrolls> MakeFakeScrolls(TsSkinProvider*)
{
    ++ScrollsMade;
    return std::make_unique<TFakeScrolls>();
}

}  // namespace

TEST_F(ProviderTest, AScrollingFormGetsItsScrollBarsOnceAndAgainWhenTheyAreGone)
{
    MakeFormScrolls = MakeFakeScrolls;
    ScrollsMade = 0;
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    RefreshFormScrolls(p);
    EXPECT_EQ(ScrollsMade, 0) << "AutoScroll is off";
    form->SetAutoScroll(true);
    RefreshFormScrolls(p);
    RefreshFormScrolls(p);
    EXPECT_EQ(ScrollsMade, 1);
    static_cast<TFakeScrolls*>(p->ListSW.get())->Gone = true;
    RefreshFormScrolls(p);
    EXPECT_EQ(ScrollsMade, 2);
    p->FormState |= TsSkinProvider::fsScrollsRefreshing;
    p->ListSW.reset();
    RefreshFormScrolls(p);
    EXPECT_FALSE(p->ListSW) << "a refresh under way";
    p->FormState &= ~TsSkinProvider::fsScrollsRefreshing;
    MakeFormScrolls = nullptr;
    RefreshFormScrolls(p);
    EXPECT_FALSE(p->ListSW) << "nothing makes them until standard windows are skinned";
    EXPECT_EQ(p->FormState, 0u);
}

TEST_F(ProviderTest, TheRedrawLockStopsThePaintingAndLetsItGoOn)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    form->Show();
    ForbidDrawing(p, true);
    EXPECT_TRUE(p->SkinData()->FUpdating);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    PermitDrawing(p, true);
    EXPECT_FALSE(p->SkinData()->FUpdating);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}
