// The picture of a form with extended borders and how it reaches the border window, over the
// extended-border test skins (a skin border of 6, a title of 30, a 29 x 29 shadow image cut 14 from
// each side): the frame drawn whole from the image, the shadow showing through the frame's rounded
// corners, the frame's output on WM_NCPAINT and the show and hide animations through the border
// window (recorded at the layered-window entry point, as the virtual display cannot show partial
// alpha), and a screenshot of the form over a plain coloured window.
#include <tuple>

#include "ProviderFixtures.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtilsAnimation.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acFrameGeometry.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "pngfile.h"
#include "vcl/extctrls_panels.h"
#include "vcl/menus.h"
#include "vcl/seams.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr int SkinBorder = 6, SkinTitle = 30, ImageSize = 29, ImageMargin = 14;

inline vcl::String TestSkinFolder(const char* Name)
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / Name)
        .wstring();
}

class ExtendedPaintTest : public ProviderTest {
protected:
    void SetUp() override { UseSkin("EXBORDER"); }
    void TearDown() override
    {
        if (acHideTimer)
            acHideTimer->Free();
        ProviderTest::TearDown();
        vcl::Seams() = SavedSeams;
    }
    void UseSkin(const char* Name)
    {
        testsupport::InitializeApplication();
        vcl::Seams().CompositionEnabled = [] { return false; };
        Manager = LoadSkin(TestSkinFolder(Name));
        Manager->SetExtendedBorders(true);
        Manager->SendNewSkin(false);
    }
    // A shown sizeable 400 x 300 form with its border window placed around it.
    TLoggingForm* ShowForm()
    {
        TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSizeable);
        form->Show();
        testsupport::PumpFor(0);
        form->Provider->InitExBorders(true);
        if (TacBorderForm* border = Border(form))
            border->UpdateExBordersPos(true, 255);
        return form;
    }
    static TacBorderForm* Border(TLoggingForm* Form) { return BorderWindowOf(Form->Provider); }
    // The frames a window was given.
    static std::vector<const test::TLayeredFrame*> FramesOf(const test::TLayeredRecorder& Recorder, HWND Wnd)
    {
        std::vector<const test::TLayeredFrame*> frames;
        for (const test::TLayeredFrame& frame : Recorder.Frames)
            if (frame.Wnd == Wnd)
                frames.push_back(&frame);
        return frames;
    }
    static std::vector<uint32_t> PixelsAsRecorded(const TPixelView& Cache)
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < Cache.Height; ++y)
            for (int x = 0; x < Cache.Width; ++x)
                pixels.push_back(Cache.At(x, y));
        return pixels;
    }
    static bool InRegion(HWND Wnd, int X, int Y)
    {
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool in = GetWindowRgn(Wnd, region) != ERROR && PtInRegion(region, X, Y);
        DeleteObject(region);
        return in;
    }

    // The skin directory of the test skins, the skin-change animation short.
    void PrepareSkinChange()
    {
        Manager->SetSkinDirectory(std::filesystem::path(TestSkinFolder("EXFULL")).parent_path().wstring());
        Manager->AnimEffects()->SkinChanging()->SetTime(24);
    }
    // Nothing of a skin change is left on the provider.
    static void ExpectNothingLeftOfTheChange(TsSkinProvider* Provider)
    {
        EXPECT_EQ(Provider->CoverBmp, nullptr);
        EXPECT_FALSE(Provider->FInAnimation);
        EXPECT_EQ(Provider->FormState & (TsSkinProvider::fsPaintLocked | TsSkinProvider::fsCoverShown), 0u);
        EXPECT_FALSE(InAnimationProcess);
    }

    const vcl::TSystemSeams SavedSeams = vcl::Seams();
};

}  // namespace

TEST(ExFrameMarginsTest, TheImagesMarginsNoThickerThanTheFrameNorReachingPastHalfTheRest)
{
    struct TCase {
        vcl::TRect Image, Frame;
        int Height, Caption;
        vcl::TRect Margins;
    };
    const TCase cases[] = {
        // The skin's image over a tall picture: the sides as thick as border and shadow.
        {{14, 14, 14, 14}, {10, 34, 10, 10}, 308, 30, {10, 14, 10, 10}},
        // A picture hardly higher than its title: the bottom takes half of what is left.
        {{14, 14, 14, 14}, {10, 34, 10, 10}, 40, 30, {10, 14, 10, 5}},
        // A thin image keeps its own margins; a title lower than the image's top limits it.
        {{3, 40, 4, 2}, {10, 34, 10, 10}, 308, 30, {3, 34, 4, 2}},
        {{14, 90, 14, 14}, {10, 200, 10, 10}, 60, 30, {10, 45, 10, 10}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ExFrameMargins(c.Image, c.Frame, c.Height, c.Caption), c.Margins)
            << "height " << c.Height << ", image top " << c.Image.top;
}

TEST_F(ExtendedPaintTest, AFrameDrawnWholeFromTheImageCoversTheBordersAndTheTitleRim)
{
    ProviderTest::TearDown();
    UseSkin("EXFULL");
    ASSERT_EQ(Manager->SkinData->ExDrawMode, 1);
    const int shadow = Manager->SkinData->ExContentOffs;
    ASSERT_EQ(Manager->FormShadowSize, vcl::TRect(shadow, shadow, shadow, shadow));
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    form->Provider->FormActive = true;
    const TPixelView cache = Render(form->Provider);
    ASSERT_EQ(border->ShadowTemplate, Manager->ShdaTemplate.get());
    const TPixelView image = PixelsOf(border->ShadowTemplate);
    ASSERT_EQ(image.Width, ImageSize);
    const int w = cache.Width, h = cache.Height;
    EXPECT_EQ(w, 400 + 2 * DiffBorder(border) + 2 * shadow);
    EXPECT_EQ(h, 300 + DiffBorder(border) + DiffTitle(border) + 2 * shadow);
    // Cut by the image's 14 but no thicker than border and shadow: 10 on the sides and the bottom.
    const int side = SkinBorder + shadow, top = ImageMargin, rest = ImageSize - side;
    for (int y = 0; y < top; ++y)
        for (int x = 0; x < side; ++x) {
            EXPECT_EQ(cache.At(x, y), image.At(x, y)) << "top-left corner at " << x << ", " << y;
            EXPECT_EQ(cache.At(w - side + x, y), image.At(rest + x, y)) << "top-right corner at " << x << ", " << y;
        }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            EXPECT_EQ(cache.At(x, h - side + y), image.At(x, rest + y)) << "bottom-left at " << x << ", " << y;
            EXPECT_EQ(cache.At(w - side + x, h - side + y), image.At(rest + x, rest + y))
                << "bottom-right at " << x << ", " << y;
            // The sides stretch the image's middle, which is the same all along them.
            EXPECT_EQ(cache.At(x, h / 2), image.At(x, ImageSize / 2)) << "left side at " << x;
            EXPECT_EQ(cache.At(w / 2, h - side + y), image.At(ImageSize / 2, rest + y)) << "bottom side at " << y;
        }
    EXPECT_EQ(cache.At(0, 0) >> 24, 20u) << "the active image's outermost alpha";
    // Below the image's rim the title shows the form's section, never the title's own.
    EXPECT_EQ(Rgb(cache, w / 2, (top + shadow + SkinTitle) / 2), FlatColour(FormSection, 1));
}

TEST_F(ExtendedPaintTest, AnOldSkinsWholeImageFrameIsCorrectedOnA64BitSystemWithoutComposition)
{
    ProviderTest::TearDown();
    UseSkin("EXFULL");
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    form->Provider->FormActive = true;
    const bool savedFlag = acGlowDisabled;
    const auto savedVersion = Manager->SkinData->Version;
    for (const auto& [flag, version, corrected] : {std::tuple{true, 7.5, true}, std::tuple{true, 7.51, false},
                                                   std::tuple{false, 7.5, false}}) {
        acGlowDisabled = flag;
        Manager->SkinData->Version = version;
        const TPixelView cache = Render(form->Provider);
        const TPixelView image = PixelsOf(border->ShadowTemplate);
        const uint32_t drawn = image.At(3, 3);
        ASSERT_NE(CorrectFramePixel(TsColor::FromInt(drawn)).U(), drawn) << "a pixel the correction changes";
        EXPECT_EQ(cache.At(3, 3), corrected ? CorrectFramePixel(TsColor::FromInt(drawn)).U() : drawn)
            << "flag " << flag << ", version " << version;
    }
    acGlowDisabled = savedFlag;
    Manager->SkinData->Version = savedVersion;
}

TEST_F(ExtendedPaintTest, InFastModeTheFrameIsFilledOpaqueForTheBorderWindow)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    ASSERT_NE(Border(form), nullptr);
    p->SkinData()->CtrlSkinState |= cssNoCache;
    const TPixelView cache = Render(p);
    const vcl::TRect s = Manager->FormShadowSize;
    // Inside the frame's rectangle, below the title, beside the client area.
    const uint32_t pixel = cache.At(s.left + SkinBorder / 2, cache.Height / 2);
    EXPECT_EQ(pixel >> 24, 0xFFu) << "the border window shows it";
    EXPECT_LT(cache.At(0, cache.Height / 2) >> 24, 0xFFu) << "the shadow stays translucent";
    EXPECT_EQ(cache.At(p->OffsetX() + 50, p->OffsetY() + 50), 0xFF000000u | uint32_t(SwapColor(p->FormColor())))
        << "the form's colour";
}

TEST_F(ExtendedPaintTest, TheCaptionIsWrittenOpaqueOntoTheTitle)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    ASSERT_NE(Border(form), nullptr);
    form->SetCaption(L"WWWW MMMM");
    p->FormActive = true;
    const TPixelView cache = Render(p);
    const vcl::TRect s = Manager->FormShadowSize;
    const uint32_t title = FlatColour(TitleSection, 1);
    int written = 0;
    for (int y = s.top; y < s.top + SkinTitle; ++y)
        for (int x = s.left + SkinBorder + 24; x < s.left + 150; ++x) {
            EXPECT_EQ(cache.At(x, y) >> 24, 0xFFu) << "at " << x << ", " << y;
            written += Rgb(cache, x, y) != title;
        }
    EXPECT_GT(written, 20) << "the caption's letters";
}

TEST_F(ExtendedPaintTest, TheShadowShowsThroughTheFramesRoundedBottomCorners)
{
    ProviderTest::TearDown();
    UseSkin("EXROUND");
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    form->Provider->FormActive = false;
    const TPixelView cache = Render(form->Provider);
    ASSERT_EQ(border->ShadowTemplate, Manager->ShdiTemplate.get());
    const TPixelView image = PixelsOf(border->ShadowTemplate);
    const int s = Manager->FormShadowSize.left, w = cache.Width, h = cache.Height;
    // The form's frame corners are 5 wide (a line of 2 and a rounding of 3); the template's
    // corners begin where its shadow margins end.
    const int corner = Manager->MaskWidthLeft(form->Provider->SkinData()->BorderIndex);
    ASSERT_EQ(corner, 5);
    const int source = ImageSize - s - corner;
    for (int y = 0; y < corner; ++y)
        for (int x = 0; x < corner; ++x) {
            EXPECT_NE(Rgb(cache, s + x, h - s - corner + y), 0xFF00FFu) << "bottom-left at " << x << ", " << y;
            EXPECT_NE(Rgb(cache, w - s - corner + x, h - s - corner + y), 0xFF00FFu)
                << "bottom-right at " << x << ", " << y;
        }
    EXPECT_EQ(cache.At(s, h - s - 1), image.At(s, source + corner - 1)) << "the outermost bottom-left pixel";
    EXPECT_EQ(cache.At(w - s - 1, h - s - 1), image.At(source + corner - 1, source + corner - 1))
        << "the outermost bottom-right pixel";
    EXPECT_EQ(cache.At(w / 2, h - s - 1) >> 24, 0xFFu) << "the frame's line stays";
}

TEST_F(ExtendedPaintTest, NonClientPaintingShowsALostBorderWindowWithTheWholePicture)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND wnd = border->AForm->Handle();
    {
        // While the border window shows, the form's frame painting leaves it alone.
        test::TLayeredRecorder recorder;
        p->RepaintNC();
        EXPECT_TRUE(FramesOf(recorder, wnd).empty());
    }
    ShowWindow(wnd, SW_HIDE);
    p->SkinData()->BGChanged = true;
    test::TLayeredRecorder recorder;
    p->RepaintNC();
    const auto frames = FramesOf(recorder, wnd);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), wnd) << "right behind the form";
    const TPixelView cache = PixelsOf(p->SkinData()->FCacheBmp.get());
    EXPECT_EQ(frames[0]->Size, vcl::TSize(cache.Width, cache.Height));
    EXPECT_EQ(frames[0]->Pixels, PixelsAsRecorded(cache)) << "the cache as it is, shadow alpha included";
    EXPECT_LT(frames[0]->Pixel(0, 0) >> 24, 0xFFu);
}

TEST_F(ExtendedPaintTest, TheMenuLineIsTheFormsOwnToShowAndItsCoverLiesOverItAlone)
{
    TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSizeable);
    auto* menu = vcl::Create<vcl::TMainMenu>(form);
    auto* file = vcl::Create<vcl::TMenuItem>(form);
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    form->SetMenu(menu);
    form->Show();
    testsupport::PumpFor(0);
    TsSkinProvider* p = form->Provider;
    p->InitExBorders(true);
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    ASSERT_TRUE(p->MenuPresent());
    const int lines = p->GetLinesCount() * p->MenuHeight();
    ASSERT_GT(lines, 0);
    const vcl::TRect s = Manager->FormShadowSize;
    const TPixelView cache = Render(p);
    EXPECT_EQ(cache.Height, 300 + DiffBorder(border) + DiffTitle(border) + s.top + s.bottom + 1)
        << "a menu line adds its separator row";

    // The window's menu rows show the cache's menu line.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    testsupport::PumpFor(50);
    const testsupport::TGrab grab = testsupport::Grab(form->Handle());
    const int menuTop = p->OffsetY() - lines - 1;
    for (const int x : {2, 60, 300})
        for (const int y : {1, lines / 2}) {
            const uint32_t cached = Rgb(cache, SkinBorder + s.left + x, menuTop + y);
            EXPECT_EQ(grab.Pixel(Sys.Frame + x, Sys.Frame + Sys.Caption + y), COLORREF(SwapColor(vcl::TColor(cached))))
                << "at " << x << ", " << y;
        }

    // The cover against the system's drawing lies over the form's menu rows only.
    p->ShowCaptForm(false);
    ASSERT_NE(p->CaptForm, nullptr);
    RECT cover{}, window{};
    GetWindowRect(p->CaptForm->Handle(), &cover);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(vcl::TRect(cover), vcl::TRect(window.left + Sys.Frame, window.top + Sys.Frame + Sys.Caption,
                                            window.right - Sys.Frame, window.top + Sys.Frame + Sys.Caption + lines + 2));
    p->KillCaptForm();
}

TEST_F(ExtendedPaintTest, AShowRunsOnTheBorderWindowWithTheShadowAndGivesItItsRegionBack)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND wnd = border->AForm->Handle();
    test::TLayeredRecorder recorder;
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);

    AnimShowForm(p, 0, 255, TacAnimType::atAero);
    const auto frames = FramesOf(recorder, wnd);
    ASSERT_EQ(frames.size(), 2u) << "the finished picture at once, then again at its place";
    for (const test::TLayeredFrame* frame : frames)
        EXPECT_EQ(frame->Blend.SourceConstantAlpha, 255);
    const test::TLayeredFrame& picture = *frames.back();
    const TPixelView cache = PixelsOf(p->SkinData()->FCacheBmp.get());
    EXPECT_EQ(picture.Size, vcl::TSize(cache.Width, cache.Height));
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(picture.Pos, vcl::TPoint(r.left - border->OffsetX(), r.top - border->OffsetY()));
    EXPECT_EQ(picture.Pixel(0, 0), cache.At(0, 0)) << "the shadow keeps its alpha";
    EXPECT_LT(picture.Pixel(0, 0) >> 24, 0xFFu);
    EXPECT_EQ(picture.Pixel(p->OffsetX() + 100, p->OffsetY() + 100) >> 24, 0xFFu) << "the client area is opaque";

    EXPECT_EQ(border->AForm->Handle(), wnd);
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), wnd) << "back behind the form";
    EXPECT_TRUE(InRegion(wnd, 0, 0));
    EXPECT_FALSE(InRegion(wnd, p->OffsetX(), p->OffsetY())) << "the client area's hole is back";
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(p->FInAnimation);
}

TEST_F(ExtendedPaintTest, AHideLeavesOnTheBorderWindowWithTheShadow)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    Manager->AnimEffects()->FormHide()->SetTime(120);
    Render(p);
    ShowWindow(form->Handle(), SW_HIDE);
    const TPixelView cache = PixelsOf(p->SkinData()->FCacheBmp.get());
    const uint32_t corner = cache.At(0, 0);
    test::TLayeredRecorder recorder;

    AnimHideForm(p);
    ASSERT_TRUE(acHideTimer && acHideTimer->Form);
    const HWND cover = acHideTimer->Form->Handle();
    EXPECT_EQ(border->AForm, nullptr) << "the border form handed its window over";
    const auto frames = FramesOf(recorder, cover);
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[0]->Blend.SourceConstantAlpha, 255);
    EXPECT_EQ(frames[0]->Size, vcl::TSize(cache.Width, cache.Height));
    EXPECT_EQ(frames[0]->Pixel(0, 0), corner) << "the shadow as the cache has it, not made opaque";
    EXPECT_FALSE(InAnimationProcess);
}

TEST_F(ExtendedPaintTest, ASkinChangeBringsANewBorderWindowInWhileTheOldOneFadesThriceAsFast)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND old = border->AForm->Handle();
    test::TLayeredRecorder recorder;
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);

    AnimShowControl(form, 24, 255, TacAnimType::atFading);
    ASSERT_TRUE(border->AForm);
    const HWND wnd = border->AForm->Handle();
    EXPECT_NE(wnd, old);
    EXPECT_FALSE(IsWindow(old)) << "the old border window went";
    // The new window fades in from nothing; after each of its frames the old one shows the old
    // look at three times the opacity still missing.
    std::vector<int> fadeIn, fadeOut;
    for (const test::TLayeredFrame* frame : FramesOf(recorder, wnd))
        fadeIn.push_back(frame->Blend.SourceConstantAlpha);
    for (const test::TLayeredFrame* frame : FramesOf(recorder, old))
        fadeOut.push_back(frame->Blend.SourceConstantAlpha);
    ASSERT_GE(fadeIn.size(), 3u);
    ASSERT_FALSE(fadeOut.empty());
    ASSERT_LT(fadeOut.size(), fadeIn.size());
    EXPECT_EQ(fadeIn.front(), 0);
    const std::vector<int> frames(fadeIn.begin() + 1, fadeIn.begin() + 1 + std::ptrdiff_t(fadeOut.size()));
    std::vector<int> expected;
    for (const int alpha : frames)
        expected.push_back(std::clamp(3 * (255 - alpha), 0, 255));
    EXPECT_EQ(fadeOut, expected);
    EXPECT_EQ(fadeIn.back(), 255);

    const TPixelView cache = PixelsOf(p->SkinData()->FCacheBmp.get());
    const auto shown = FramesOf(recorder, wnd);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back()->Size, vcl::TSize(cache.Width, cache.Height));
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    RECT placed{};
    GetWindowRect(wnd, &placed);
    EXPECT_EQ(vcl::TPoint(placed.left, placed.top), vcl::TPoint(r.left - border->OffsetX(), r.top - border->OffsetY()));
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), wnd) << "behind the form";
    EXPECT_FALSE(InRegion(wnd, p->OffsetX(), p->OffsetY())) << "with the client area's hole";
    EXPECT_TRUE(InRegion(wnd, 0, 0));
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_EQ(ow, nullptr);
}

TEST_F(ExtendedPaintTest, AChangeOfSkinFadesTheNewLookInOverThePictureTakenBeforeIt)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    ASSERT_TRUE(Border(form) && Border(form)->AForm);
    const HWND old = Border(form)->AForm->Handle();
    const auto before = GetFormImage(p, false);
    const std::vector<uint32_t> oldLook = PixelsAsRecorded(PixelsOf(before.get()));
    PrepareSkinChange();
    test::TLayeredRecorder recorder;

    Manager->SetSkinName(L"EXFULL");
    // The old border window shows the picture of the old skin while the change runs, then fades
    // it out.
    const auto fadeOut = FramesOf(recorder, old);
    ASSERT_GE(fadeOut.size(), 2u);
    EXPECT_EQ(fadeOut.front()->Blend.SourceConstantAlpha, 255);
    for (const test::TLayeredFrame* frame : fadeOut)
        EXPECT_TRUE(frame->Pixels == oldLook) << "the old look, as it was before the change";
    EXPECT_EQ(fadeOut.back()->Blend.SourceConstantAlpha, 0);
    EXPECT_FALSE(IsWindow(old));

    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND wnd = border->AForm->Handle();
    const auto fadeIn = FramesOf(recorder, wnd);
    ASSERT_GE(fadeIn.size(), 3u);
    EXPECT_EQ(fadeIn.front()->Blend.SourceConstantAlpha, 0);
    EXPECT_EQ(fadeIn.back()->Blend.SourceConstantAlpha, 255);
    EXPECT_FALSE(fadeIn.back()->Pixels == oldLook) << "the frame drawn whole from the new skin's image";
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), wnd) << "behind the form";
    EXPECT_TRUE(InRegion(wnd, 0, 0));
    EXPECT_FALSE(InRegion(wnd, p->OffsetX(), p->OffsetY())) << "with the client area's hole";
    ExpectNothingLeftOfTheChange(p);
}

TEST_F(ExtendedPaintTest, AMaximisedFormTakesTheNewSkinsMaximisedPlaceWhileTheActiveWindowStaysActive)
{
    TLoggingForm* other = NewForm();
    other->SetBounds(600, 500, 200, 150);
    other->Show();
    TLoggingForm* form =
        NewForm(vcl::TFormBorderStyle::bsSizeable, {vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMaximize});
    form->SetWindowState(vcl::TWindowState::wsMaximized);
    form->Show();
    testsupport::PumpFor(0);
    TsSkinProvider* p = form->Provider;
    p->InitExBorders(true);
    ASSERT_TRUE(Border(form) && IsZoomed(form->Handle()));
    Border(form)->UpdateExBordersPos(true, 255);
    const int oldShift = p->MaxTitleShift();
    SetActiveWindow(other->Handle());
    PrepareSkinChange();

    Manager->SetSkinName(L"EXFULL");
    const int shift = p->MaxTitleShift();
    ASSERT_NE(shift, oldShift) << "the new skin's maximised title lies elsewhere";
    EXPECT_TRUE(IsZoomed(form->Handle()));
    const int frame = SysBorderWidth(form->Handle(), nullptr, false);
    EXPECT_EQ(WindowRectOf(form->Handle()).top, acWorkRect(form).top - frame - shift);
    EXPECT_EQ(GetActiveWindow(), other->Handle());
    ExpectNothingLeftOfTheChange(p);
}

TEST_F(ExtendedPaintTest, AChangeThatEndsWithoutASkinLeavesNoFormMarkedForItsAnimation)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    PrepareSkinChange();
    TTempSkin empty;  // no skin of the name, and no internal skin
    Manager->SetSkinDirectory(empty.Folder());

    Manager->SetSkinName(L"GONE");
    ASSERT_FALSE(Manager->Active());
    ExpectNothingLeftOfTheChange(p);
}

TEST_F(ExtendedPaintTest, TheFormsImageHoldsItsChildrenAtTheirPlacesInTheClientArea)
{
    for (const bool extended : {true, false}) {
        SCOPED_TRACE(extended ? "with a border window" : "in the window's own frame");
        TLoggingForm* form = NewForm(vcl::TFormBorderStyle::bsSizeable);
        TsSkinProvider* p = form->Provider;
        p->SetAllowExtBorders(extended);
        form->Show();
        testsupport::PumpFor(0);
        p->InitExBorders(true);
        ASSERT_EQ(Border(form) != nullptr, extended);
        auto* panel = vcl::Create<vcl::TPanel>(form);
        panel->SetParent(form);
        panel->SetParentBackground(false);
        panel->SetBevelOuter(vcl::TBevelCut::bvNone);
        panel->SetColor(vcl::TColor(0x00FF00));
        panel->SetBounds(20, 30, 40, 40);
        testsupport::PumpFor(20);
        Render(p);
        const auto image = GetFormImage(p, false);
        ASSERT_TRUE(image);
        const TPixelView pixels = PixelsOf(image.get());
        const int x = p->OffsetX(), y = p->OffsetY();
        EXPECT_EQ(Rgb(pixels, x + 40, y + 50), 0x00FF00u) << "the panel inside the client area";
        EXPECT_NE(Rgb(pixels, x + 10, y + 10), 0x00FF00u) << "the client area beside it";
        EXPECT_EQ(pixels.At(x + 40, y + 50) >> 24, 0xFFu);
    }
}

TEST_F(ExtendedPaintTest, ScreenshotOfAFormWithExtendedBordersOverAPlainWindow)
{
    constexpr COLORREF ground = RGB(0x2E, 0x8B, 0x57);
    auto* back = vcl::Create<vcl::TForm>(nullptr);
    Forms.insert(Forms.begin(), back);
    back->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
    back->SetColor(vcl::TColor(ground));
    back->SetBounds(40, 40, 520, 420);
    back->Show();
    TLoggingForm* form = ShowForm();
    form->SetCaption(L"Extended borders");
    form->Provider->SkinData()->BGChanged = true;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    border->UpdateExBordersPos(true, 255);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    testsupport::PumpFor(100);

    RECT area{};
    GetWindowRect(back->Handle(), &area);
    const testsupport::TGrab shot = testsupport::GrabScreen(area);
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(testsupport::SavePng((folder / "extended_borders.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));

    // Where the shot shows a point of the border window.
    RECT b{};
    GetWindowRect(border->AForm->Handle(), &b);
    const auto at = [&](int X, int Y) { return shot.Pixel(b.left + X - area.left, b.top + Y - area.top); };
    const auto shows = [](COLORREF Shown, int Section) {
        for (int state : {0, 1})
            if (Shown == COLORREF(SwapColor(vcl::TColor(FlatColour(Section, state)))))
                return true;
        return false;
    };
    const vcl::TRect s = Manager->FormShadowSize;
    const int w = b.right - b.left, h = b.bottom - b.top;
    EXPECT_TRUE(shows(at(w / 2, s.top + SkinTitle / 2), TitleSection)) << "the title, opaque";
    EXPECT_TRUE(shows(at(s.left + SkinBorder - 1, h / 2), FormSection)) << "the frame's side inside its line, opaque";
    EXPECT_EQ(shot.Pixel(5, 5), ground) << "the window behind";
}
