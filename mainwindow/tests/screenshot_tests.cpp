// Pictures of the main window's views for people to look at, each with a check of its pixels.
#include "mainform_fixture.h"
#include "screenshots.h"
#include "textfit.h"

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

}  // namespace
