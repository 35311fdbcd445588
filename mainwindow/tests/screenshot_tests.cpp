// Pictures of the main window's views for people to look at, each with a check of its pixels.
#include "mainform_fixture.h"
#include "screenshots.h"
#include "textfit.h"

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"

namespace {

TEST_F(MainformTest, ScreenshotOfTheFirstLaunch)
{
    Form()->Show();
    testsupport::PumpFor(300);
    const testsupport::TGrab grab = testsupport::Grab(Form()->Handle());
    EXPECT_TRUE(SaveScreenshot(grab, "first-launch"));
    EXPECT_EQ(textfit::UnpaintedTexts(grab, Form()), std::vector<std::string>());
    EXPECT_EQ(textfit::CutTexts(Form()), std::vector<std::string>());
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
