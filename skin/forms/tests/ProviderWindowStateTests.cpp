// A skinned form's window state: the screen snap, sizing with its cache, activation.
#include <windowsx.h>

#include "ProviderWindowTests.h"
#include "skin/core/sVclUtils.h"
#include "vcl/seams.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TBehindSpy;
using skintest::TLoggingForm;

TEST(ScreenSnap, ACoordinateCloserThanTheBufferGoesToTheEdge)
{
    const struct {
        int P, E, Extra, Expected;
    } cases[] = {
        {9, 0, 0, 0},         {10, 0, 0, 10},       {-9, 0, 0, 0},        {-10, 0, 0, -10},
        {391, 800, 400, 400}, {390, 800, 400, 390}, {409, 800, 400, 400}, {5, 0, -3, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapToEdge(c.P, c.E, c.Extra, 10), c.Expected) << c.P << " to " << c.E << " + " << c.Extra;
}

TEST(ScreenSnap, TheRightAndBottomEdgesComeFirst)
{
    const vcl::TRect work(0, 0, 800, 600);
    // A window wider than the work area less the buffer: the left edge wins, as it comes last.
    EXPECT_EQ(SnapToWorkArea(vcl::TPoint(5, 5), vcl::TSize(795, 300), work, 0, 0, 10), vcl::TPoint(0, 0));
    EXPECT_EQ(SnapToWorkArea(vcl::TPoint(395, 295), vcl::TSize(400, 300), work, 0, 0, 10), vcl::TPoint(400, 300));
    // The shadow's margins lie outside the window.
    EXPECT_EQ(SnapToWorkArea(vcl::TPoint(3, 12), vcl::TSize(100, 100), work, 5, 8, 10), vcl::TPoint(5, 8));
}

TEST_F(ProviderTest, AShownFormSnapsToTheWorkAreaWithinTheBuffer)
{
    TLoggingForm* form = NewForm();
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().WorkArea = [](HWND) { return vcl::TRect(0, 0, 800, 600); };
    form->Provider->SetScreenSnap(true);
    form->Show();
    const auto placed = [form](int X, int Y) {
        SetWindowPos(form->Handle(), nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return vcl::TPoint(r.left, r.top);
    };
    const struct {
        int X, Y, ExpectedX, ExpectedY;
    } cases[] = {
        {9, 50, 0, 50}, {10, 50, 10, 50}, {391, 50, 400, 50}, {390, 50, 390, 50},
        {50, 9, 50, 0}, {50, 10, 50, 10}, {50, 291, 50, 300}, {50, 290, 50, 290},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placed(c.X, c.Y), vcl::TPoint(c.ExpectedX, c.ExpectedY)) << c.X << ", " << c.Y;
    form->Provider->SetScreenSnap(false);
    EXPECT_EQ(placed(9, 9), vcl::TPoint(9, 9));
    vcl::Seams() = saved;
}

TEST_F(ProviderTest, ResizingAHiddenFormMarksItsCacheAndKeepsTheClientArea)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    Render(provider);
    ASSERT_FALSE(provider->SkinData()->BGChanged);
    form->SetBounds(100, 100, 350, 260);
    EXPECT_TRUE(provider->SkinData()->BGChanged);
    EXPECT_EQ(provider->LastClientRect, form->ClientRect());
}

TEST_F(ProviderTest, ResizingAShownFormKeepsItsCacheInStep)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    form->Show();
    testsupport::PumpFor(50);
    form->SetBounds(100, 100, 330, 250);
    testsupport::PumpFor(50);
    EXPECT_TRUE(provider->SkinData()->BGChanged || !provider->FormChanged())
        << "the cache is rendered for the new size or marked to be";
    EXPECT_TRUE(provider->RgnChanged || provider->SkinData()->FCacheBmp);
    EXPECT_EQ(provider->LastClientRect, form->ClientRect());
}

// The skin's right corner images sit at the client area's right edge: where it moves in, their old
// places are painted again.
TEST_F(ProviderTest, ShrinkingInvalidatesBothRightCornerImagesAtTheOldRightEdge)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    const int grip = Manager->ConstData.GripRightBottom;  // a 12 x 12 image of the test skin
    ASSERT_TRUE(Manager->IsValidImgIndex(grip));
    TsGeneralData& section = Manager->gd[size_t(provider->SkinData()->SkinIndex)];
    section.ImgTR = section.ImgBR = grip;
    form->Show();
    testsupport::PumpFor(50);
    const vcl::TRect old = form->ClientRect();
    provider->LastClientRect = old;
    ValidateRect(form->Handle(), nullptr);

    // The form's own sizing and the repaint after it stay out of the way.
    InAnimationProcess = true;
    form->Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(old.Width() - 30, old.Height() - 20));
    InAnimationProcess = false;

    HRGN expected = CreateRectRgn(old.right - 12, 0, old.right, 12);
    HRGN bottom = CreateRectRgn(old.right - 12, old.bottom - 12, old.right, old.bottom);
    CombineRgn(expected, expected, bottom, RGN_OR);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(form->Handle(), update, FALSE);
    EXPECT_TRUE(EqualRgn(update, expected));
    for (HRGN r : {expected, bottom, update})
        DeleteObject(r);
    EXPECT_EQ(provider->LastClientRect, vcl::TRect(0, 0, old.Width() - 30, old.Height() - 20));
}

TEST_F(ProviderTest, NonClientActivationFollowsTheFormsActiveState)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    form->Show();
    testsupport::PumpFor(50);
    TBehindSpy spy(provider);
    uint32_t lastTitle = 0;
    for (const WPARAM active : {0, 1, 0}) {
        SCOPED_TRACE(active);
        form->Perform(WM_NCACTIVATE, active, 0);
        EXPECT_EQ(provider->FormActive, active != 0);
        const uint32_t title = skintest::Rgb(skin::PixelsOf(provider->SkinData()->FCacheBmp.get()), form->Width() / 2, 3);
        EXPECT_NE(title, lastTitle) << "the caption is drawn in the other state";
        lastTitle = title;
        EXPECT_EQ(provider->LockCount, 0) << "drawing switched back on";
        EXPECT_EQ(provider->FormState & TsSkinProvider::fsInNCActivate, 0u);
    }
    EXPECT_EQ(spy.Count(WM_NCACTIVATE), 3);

    // While the form blends on moving, it keeps its look.
    provider->FormState |= TsSkinProvider::fsBlendOnMoving;
    form->Perform(WM_NCACTIVATE, 1, 0);
    EXPECT_FALSE(provider->FormActive);
    provider->FormState &= ~TsSkinProvider::fsBlendOnMoving;
}
