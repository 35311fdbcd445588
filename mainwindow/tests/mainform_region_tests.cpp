// The main window's shape in our skin: the frame's top corners are rounded by key pixels, which
// the window's region leaves out; the bottom corners stay square.
#include "mainform_fixture.h"

#include "skin/forms/sSkinProvider.h"

TEST_F(MainformTest, OurSkinsRoundedTopCornersAreCutOutOfTheWindow)
{
    skin::TsSkinProvider* provider = Form()->sSkinProvider1;
    ASSERT_NE(provider, nullptr);
    skin::FillArOR(provider);
    skin::UpdateRgn(provider, false);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Form()->Handle(), region), ERROR);
    const int w = Form()->Width(), h = Form()->Height();
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, w - 1, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 1)) << "a rounded corner, not a notch";
    EXPECT_TRUE(PtInRegion(region, w / 2, 0));
    EXPECT_TRUE(PtInRegion(region, 6, 6));
    EXPECT_TRUE(PtInRegion(region, 0, h - 1));
    EXPECT_TRUE(PtInRegion(region, w - 1, h - 1));
    DeleteObject(region);
}
