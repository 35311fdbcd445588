// Pictures of the main window's views for people to look at; nothing is compared.
#include "mainform_fixture.h"
#include "screenshots.h"

namespace {

TEST_F(MainformTest, ScreenshotOfTheFirstLaunch)
{
    Form()->Show();
    testsupport::PumpFor(300);
    SaveScreenshot(testsupport::Grab(Form()->Handle()), "first-launch");
}

}  // namespace
