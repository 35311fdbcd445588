// The skinned splitter: the dotted grip in its middle when the skin has none, and the hints that
// only the press that switched them off gives back.
#include <gtest/gtest.h>

#include "skin/controls/sSplitter.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;

TEST(SplitterGrip, FourByTwentyOneInTheMiddleTurnedForALyingBar)
{
    EXPECT_EQ(GripRect(6, 100, true), vcl::TRect(1, 39, 5, 60));
    EXPECT_EQ(GripRect(200, 6, false), vcl::TRect(89, 1, 110, 5));
}

class Splitters : public ::testing::Test {
protected:
    Splitters()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"SPLITTER", vcl::TColor(RGB(0x30, 0x50, 0x70)));
        FForm = ShownForm(320, 240);
        auto* left = vcl::Create<vcl::TPanel>(FForm.get());
        left->SetAlign(vcl::TAlign::alLeft);
        left->SetWidth(100);
        left->SetParent(FForm.get());
        FSplitter = vcl::Create<TsSplitter>(FForm.get());
        FSplitter->SetLeft(100);
        FSplitter->SetAlign(vcl::TAlign::alLeft);
        FSplitter->SetParent(FForm.get());
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TsSplitter* FSplitter;
};

TEST_F(Splitters, WithoutASkinGripTheDottedGripShows)
{
    FSplitter->SetShowGrip(true);
    ASSERT_TRUE(FSplitter->SkinData()->Skinned());
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(50);
    const testsupport::TGrab grab = testsupport::Grab(FForm->Handle());
    const vcl::TRect grip = GripRect(FSplitter->Width(), FSplitter->Height(), true);
    const auto at = [&](int x, int y) { return grab.ClientPixel(FSplitter->Left() + x, FSplitter->Top() + y); };
    EXPECT_EQ(at(grip.left, grip.top), RGB(255, 255, 255));
    EXPECT_EQ(at(grip.left + 1, grip.top + 1), RGB(0, 0, 0));
    EXPECT_EQ(at(grip.left + 2, grip.bottom - 1), RGB(255, 255, 255)) << "the last row of the grip";
    EXPECT_EQ(at(grip.left, grip.top - 2), RGB(0x30, 0x50, 0x70)) << "the section around it";
}

TEST_F(Splitters, OnlyThePressThatSwitchedTheHintsOffGivesThemBack)
{
    vcl::Application->SetShowHint(true);
    FSplitter->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 10));
    EXPECT_TRUE(vcl::Application->ShowHint()) << "a release without a press restores nothing";
    FSplitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
    EXPECT_FALSE(vcl::Application->ShowHint());
    FSplitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
    FSplitter->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 10));
    EXPECT_TRUE(vcl::Application->ShowHint()) << "the second press kept the first one's saved value";
    vcl::Application->SetShowHint(false);
}

}  // namespace
