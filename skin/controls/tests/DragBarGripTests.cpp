// The drag bar's caption colours as the application is activated, and the grip that shows the
// background of the control it is linked to.
#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;

class PanelKinds : public ::testing::Test {
protected:
    PanelKinds()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"PANEL", vcl::TColor(RGB(0x11, 0x22, 0x33)));
        FForm = ShownForm(320, 240);
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(PanelKinds, TheDragBarDimsItsCaptionWhileTheApplicationIsInactive)
{
    auto* bar = vcl::Create<TsDragBar>(FForm.get());
    bar->SetParent(FForm.get());
    EXPECT_EQ(bar->SkinData()->SkinSection(), L"DRAGBAR");
    EXPECT_EQ(bar->Align(), vcl::TAlign::alTop);
    EXPECT_EQ(bar->Height(), 20);
    SendMessageW(bar->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(bar->Font()->Color(), TsDragBar::CaptionColour(false));
    EXPECT_NE(TsDragBar::CaptionColour(false), TsDragBar::CaptionColour(true));
    SendMessageW(bar->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(bar->Font()->Color(), TsDragBar::CaptionColour(true));
}

TEST_F(PanelKinds, AGripShowsWhatItsLinkedControlLendsOrItsOwnColour)
{
    auto* linked = vcl::Create<TsPanel>(FForm.get());
    linked->SetBounds(10, 10, 120, 80);
    linked->SetParent(FForm.get());
    auto* grip = vcl::Create<TsGrip>(FForm.get());
    grip->SetBounds(150, 10, 20, 20);
    grip->SetParent(FForm.get());
    grip->SetColor(vcl::TColor(RGB(0, 0, 200)));
    const auto shown = [&] {
        grip->Invalidate();
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(50);
        return testsupport::Grab(grip->Handle()).ClientPixel(10, 10);
    };
    EXPECT_EQ(shown(), RGB(0, 0, 200)) << "not transparent: its own colour";
    grip->Transparent = true;
    grip->LinkedControl = linked;
    EXPECT_EQ(shown(), RGB(0x11, 0x22, 0x33)) << "the linked panel's colour";
}

}  // namespace
