// Pictures of the main window's views for people to look at, each with a check of its pixels.
#include "mainform_fixture.h"
#include "screenshots.h"
#include "textfit.h"

#include "mainwindow/Mastersettingform.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"
#include "vcl/seams.h"

namespace {

// The skinned form's provider among its components: its own, or the one the skin's hook gave it.
skin::TsSkinProvider* ProviderOf(vcl::TComponent* Form)
{
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* provider = dynamic_cast<skin::TsSkinProvider*>(Form->Components(i)))
            return provider;
    return nullptr;
}

// The skin's font colour for texts on a form's background.
COLORREF SkinFontColour(TfrmMain* Form)
{
    return vcl::ColorToRGB(Form->sSkinManager1->GetGlobalFontColor());
}

// The system seams as they were, back when the test ends, however it ends.
struct TSeamsKept {
    vcl::TSystemSeams Saved = vcl::Seams();
    ~TSeamsKept() { vcl::Seams() = Saved; }
};

// The middle of a caption button on the screen.
POINT ButtonMiddle(skin::TsSkinProvider* Provider, const skin::TsCaptionButton& Button)
{
    const vcl::TPoint origin = Provider->FormLeftTop();
    return POINT{origin.x + (Button.Rect.left + Button.Rect.right) / 2, origin.y + (Button.Rect.top + Button.Rect.bottom) / 2};
}

// The first launch as the screen shows it: our caption with icon, text, minimise and close, the
// top corners cut by the window region (the desktop shows there), the question in our skin's font
// colour.
TEST_F(MainformTest, ScreenshotOfTheFirstLaunch)
{
    Form()->Show();
    testsupport::PumpFor(300);
    const HWND window = Form()->Handle();
    const testsupport::TGrab grab = ScreenGrabOf(window);
    EXPECT_TRUE(SaveScreenshot(grab, "first-launch"));
    EXPECT_EQ(textfit::UnpaintedTexts(grab, Form()), std::vector<std::string>());
    EXPECT_EQ(textfit::CutTexts(Form()), std::vector<std::string>());

    skin::TsSkinProvider* provider = Form()->sSkinProvider1;
    EXPECT_FALSE(provider->ButtonClose.Rect.IsEmpty());
    EXPECT_FALSE(provider->ButtonMin.Rect.IsEmpty());
    EXPECT_TRUE(TopCornersCut(window));
    EXPECT_EQ(FramePixelsOffCache(grab, POINT{0, 0}, window, provider), 0) << "the frame as the provider drew it";
    RECT screen{};
    GetWindowRect(window, &screen);
    EXPECT_TRUE(WrittenIn(grab, ControlArea(Form()->lbLanguage, screen), SkinFontColour(Form())));
}

// The wizard question over the main window, both in our skin: the question's caption with its
// text (a dialog frame without border icons: no icon, no close), its top corners cut, its text in
// the skin's font colour; the inactive main window's frame around it as its provider drew it.
TEST_F(MainformTest, ScreenshotOfTheQuestionOverTheMainWindow)
{
    Form()->sbtEnglishClick(nullptr);
    Form()->Show();
    vcl::TObjectPtr<TfrmMasterSetting> dialog(vcl::Create<TfrmMasterSetting>(vcl::Application));
    dialog->Show();
    testsupport::PumpFor(300);
    const HWND main = Form()->Handle();
    const HWND question = dialog->Handle();
    const RECT area = AreaOf(main, question);
    const testsupport::TGrab grab = testsupport::GrabScreen(area);
    EXPECT_TRUE(SaveScreenshot(grab, "question-over-main-window"));

    skin::TsSkinProvider* provider = ProviderOf(dialog.get());
    ASSERT_NE(provider, nullptr);
    EXPECT_TRUE(TopCornersCut(question));
    const POINT questionAt = WindowAt(question, area);
    EXPECT_EQ(FramePixelsOffCache(grab, questionAt, question, provider), 0);
    EXPECT_TRUE(WrittenIn(grab, ControlArea(dialog->lbMasterSetting, area), SkinFontColour(Form())));

    const POINT mainAt = WindowAt(main, area);
    RECT covered = WindowArea(question, area);
    OffsetRect(&covered, -mainAt.x, -mainAt.y);
    EXPECT_EQ(FramePixelsOffCache(grab, mainAt, main, Form()->sSkinProvider1, covered), 0);
}

// The main window with the mouse over its close button, the fade run to its end: the button's hot
// image over it at full strength, the rest of the frame as the provider drew it.
TEST_F(MainformTest, ScreenshotOfTheCloseButtonHot)
{
    Form()->Show();
    testsupport::PumpFor(300);
    const HWND window = Form()->Handle();
    skin::TsSkinProvider* provider = Form()->sSkinProvider1;
    const POINT middle = ButtonMiddle(provider, provider->ButtonClose);
    const TSeamsKept kept;
    vcl::Seams().CursorPos = [middle] { return vcl::TPoint(middle.x, middle.y); };
    SendMessageW(window, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(middle.x, middle.y));
    ASSERT_EQ(provider->ButtonClose.State, 1);
    // Our skin fades title buttons in a window of their own laid over the button.
    skin::TacSBAnimation* fade = provider->ButtonClose.Timer;
    ASSERT_NE(fade, nullptr);
    for (int tick = 0; tick < fade->MaxIterations; ++tick)
        fade->OnAnimTimer(nullptr);
    testsupport::PumpFor(100);
    const testsupport::TGrab grab = ScreenGrabOf(window);
    EXPECT_TRUE(SaveScreenshot(grab, "close-hot"));

    // The fade's window shows the hot image, its opaque pixels exactly.
    ASSERT_TRUE(fade->ABmp);
    RECT screen{};
    GetWindowRect(window, &screen);
    const skin::TPixelView image = skin::PixelsOf(fade->ABmp.get());
    const vcl::TRect at = fade->GetFormBounds();
    const RECT button{at.left - screen.left, at.top - screen.top, at.right - screen.left, at.bottom - screen.top};
    int compared = 0, off = 0;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const uint32_t argb = image.At(x, y);
            const int gx = button.left + x, gy = button.top + y;
            if (argb >> 24 != 0xFF || gx < 0 || gy < 0 || gx >= grab.Width || gy >= grab.Height)
                continue;
            ++compared;
            off += grab.Pixel(gx, gy) != RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF);
        }
    EXPECT_GT(compared, 0);
    EXPECT_EQ(off, 0) << "the hot image as the screen shows it";
    EXPECT_EQ(FramePixelsOffCache(grab, POINT{0, 0}, window, provider, button), 0);
    EXPECT_GT(FramePixelsOffCache(grab, POINT{0, 0}, window, provider), 0)
        << "the hot button differs from the normal one of the frame picture";
}

// The main window's system menu dropped by a right click on its caption, in our skin: the menu's
// window shows its items in the skin's menu item font colour and, on all four sides, the skin's
// menu frame as the menu's background picture holds it, with no black strip beside the items; the
// frame around it as the provider drew it. The menu is closed again once grabbed.
TEST_F(MainformTest, ScreenshotOfTheSystemMenu)
{
    Form()->Show();
    testsupport::PumpFor(300);
    const HWND window = Form()->Handle();
    skin::TsSkinProvider* provider = Form()->sSkinProvider1;
    skin::TsSkinManager* manager = Form()->sSkinManager1;
    skin::TsSkinableMenus* menus = manager->SkinableMenus();
    const vcl::TPoint origin = provider->FormLeftTop();
    const POINT click{origin.x + Form()->Width() / 3, origin.y + provider->ButtonClose.Rect.top + 5};
    HWND menu = nullptr;
    RECT area{}, menuArea{}, menuWindow{};
    testsupport::TGrab grab;
    SIZE background{};
    int frameOff = -1;
    testsupport::RunInNextLoopTurn([&] {
        testsupport::PumpUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 3000);
        testsupport::PumpFor(200);
        if (menu) {
            area = AreaOf(window, menu);
            menuArea = WindowArea(menu, area);
            GetWindowRect(menu, &menuWindow);
            grab = testsupport::GrabScreen(area);
            // The background and the region go with the menu's window.
            vcl::TBitmap* made = menus->GetMenuInfo(nullptr, 0, 0, menu).Bmp;
            const skin::TPixelView pixels = made ? skin::PixelsOf(made) : skin::TPixelView{};
            background = SIZE{pixels.Width, pixels.Height};
            frameOff = BandPixelsOff(grab, WindowAt(menu, area), menu, pixels, menus->BorderWidth());
        }
        EndMenu();
    });
    SendMessageW(window, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(click.x, click.y));
    testsupport::PumpFor(100);
    ASSERT_NE(menu, nullptr) << "no menu dropped";
    EXPECT_TRUE(SaveScreenshot(grab, "system-menu"));
    EXPECT_FALSE(IsWindowVisible(FindWindowW(L"#32768", nullptr))) << "the menu closed";

    const int item = manager->GetSkinIndex(L"MENUITEM");
    ASSERT_TRUE(manager->IsValidSkinIndex(item));
    EXPECT_TRUE(WrittenIn(grab, menuArea, vcl::ColorToRGB(manager->gd[size_t(item)].FontColor.Color)));

    EXPECT_EQ(background.cx, menuWindow.right - menuWindow.left) << "a background made for the menu's window";
    EXPECT_EQ(background.cy, menuWindow.bottom - menuWindow.top);
    EXPECT_EQ(frameOff, 0) << "the skin's frame on every side of the menu's window";
    const int band = menus->BorderWidth();
    EXPECT_EQ(BlackColumns(grab, RECT{menuArea.left, menuArea.top + band, menuArea.right, menuArea.bottom - band}), 0);
    // One frame line all around: the middles of the four edges alike, unlike the inside.
    const int middleX = (menuArea.left + menuArea.right) / 2, middleY = (menuArea.top + menuArea.bottom) / 2;
    const COLORREF line = grab.Pixel(middleX, menuArea.top);
    EXPECT_EQ(grab.Pixel(middleX, menuArea.bottom - 1), line);
    EXPECT_EQ(grab.Pixel(menuArea.left, middleY), line);
    EXPECT_EQ(grab.Pixel(menuArea.right - 1, middleY), line);
    EXPECT_NE(grab.Pixel(middleX, menuArea.top + band), line);
    const POINT mainAt = WindowAt(window, area);
    RECT covered = menuArea;
    OffsetRect(&covered, -mainAt.x, -mainAt.y);
    EXPECT_EQ(FramePixelsOffCache(grab, mainAt, window, provider, covered), 0);
}

// A screenshot's file holds the grabbed pixels, every one.
TEST_F(MainformTest, ScreenshotFilesHoldTheGrabbedPixels)
{
    Form()->Show();
    testsupport::PumpFor(100);
    const testsupport::TGrab grab = testsupport::Grab(Form()->Handle());
    ASSERT_TRUE(SaveScreenshot(grab, "first-launch-read-back"));
    vcl::TObjectPtr<skin::TPNGGraphic> read(vcl::Create<skin::TPNGGraphic>());
    read->LoadFromFile(vcl::String(ScreenshotFile("first-launch-read-back").wstring()));
    ASSERT_EQ(grab.Width, read->Width());
    ASSERT_EQ(grab.Height, read->Height());
    int differing = 0;
    for (int y = 0; y < grab.Height; ++y)
        for (int x = 0; x < grab.Width; ++x)
            differing += (read->Canvas()->Pixels(x, y) & 0xFFFFFF) != grab.Pixel(x, y);
    EXPECT_EQ(0, differing);
}

// The whole window's picture as the provider renders it in our skin: the title in the active
// title colour beside the minimise button, the white cross in the middle of the close button.
TEST_F(MainformTest, TheFramePictureInOurSkin)
{
    skin::TsSkinProvider* provider = Form()->sSkinProvider1;
    ASSERT_TRUE(provider->SkinData()->Skinned());
    provider->SkinData()->BGChanged = true;
    provider->PaintAll();
    const skin::TPixelView cache = skin::PixelsOf(provider->SkinData()->FCacheBmp.get());
    ASSERT_EQ(cache.Width, Form()->Width());
    ASSERT_EQ(cache.Height, Form()->Height());
    std::vector<uint32_t> pixels;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x) {
            const uint32_t bgr = cache.At(x, y);
            pixels.push_back(RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF));
        }
    EXPECT_TRUE(testsupport::SavePng(ScreenshotFile("main-window-frame").wstring(), cache.Width, cache.Height, pixels));

    const vcl::TRect close = provider->ButtonClose.Rect;
    const vcl::TRect minimise = provider->ButtonMin.Rect;
    ASSERT_FALSE(close.IsEmpty());
    ASSERT_FALSE(minimise.IsEmpty());
    EXPECT_EQ(cache.At(close.left + 13, close.top + 9) & 0xFFFFFF, 0xFFFFFFu) << "the cross";
    EXPECT_EQ(cache.At(minimise.left - 3, minimise.top + 1) & 0xFFFFFF, 0x2B3A4Au) << "the active title";
}

}  // namespace
