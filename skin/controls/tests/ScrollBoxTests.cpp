// The skinned scroll box: the wheel that scrolls the box itself, the background its children see
// from inside the border, and the border painted from the box's cache.
#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;

class ScrollBoxes : public ::testing::Test {
protected:
    ScrollBoxes()
    {
        PutInForce(FSkin);
        const int low = FSkin.AddSection(L"PANEL_LOW", vcl::TColor(RGB(0x20, 0x60, 0xA0)));
        FSkin.SetTransparency(low, 50);  // a section that needs a cache of its own
        FSkin.AddSection(L"PANEL", vcl::TColor(RGB(0x10, 0x10, 0x10)));
        FForm = ShownForm(320, 240);
        FBox = vcl::Create<TsScrollBox>(FForm.get());
        FBox->SetBounds(10, 10, 200, 120);
        FBox->SetParent(FForm.get());
        auto* tall = vcl::Create<TsPanel>(FForm.get());
        tall->SetBounds(0, 0, 100, 600);
        tall->SetParent(FBox);
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(30);
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TsScrollBox* FBox;
};

TEST_F(ScrollBoxes, AWheelNotchMovesTheBoxByOneIncrementAgainstTheDelta)
{
    int before = 0, after = 0;
    FBox->SetOnBeforeScroll(vcl::TNotifyEvent([&](vcl::TObject*) { ++before; }));
    FBox->SetOnAfterScroll(vcl::TNotifyEvent([&](vcl::TObject*) { ++after; }));
    FBox->SetAutoMouseWheel(true);
    FBox->VertScrollBar()->SetPosition(40);
    before = after = 0;
    SendMessageW(FBox->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(50, 50));
    EXPECT_EQ(FBox->VertScrollBar()->Position(), 40 - FBox->VertScrollBar()->Increment());
    EXPECT_GE(before, 1);
    EXPECT_GE(after, 1);
    SendMessageW(FBox->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-240))), MAKELPARAM(50, 50));
    EXPECT_EQ(FBox->VertScrollBar()->Position(), 40 + FBox->VertScrollBar()->Increment());
}

TEST_F(ScrollBoxes, ASingleBorderWithoutBorderWidthShiftsTheBackgroundByTwo)
{
    ASSERT_TRUE(FBox->SkinData()->Skinned(true));
    EXPECT_EQ(FBox->BorderOffset(), 2);
    TacBGInfo info;
    GetBGInfo(info, static_cast<vcl::TControl*>(FBox));
    ASSERT_EQ(info.BgKind, 2);
    EXPECT_EQ(info.Offset, vcl::TPoint(2, 2));
    FBox->SetBorderStyle(vcl::TBorderStyle::bsNone);
    GetBGInfo(info, static_cast<vcl::TControl*>(FBox));
    EXPECT_EQ(info.Offset, vcl::TPoint(0, 0));
}

TEST_F(ScrollBoxes, TheBorderAndTheClientComeFromOneCache)
{
    ASSERT_TRUE(FBox->SkinData()->FCacheBmp);
    const testsupport::TGrab grab = testsupport::Grab(FForm->Handle());
    const uint32_t cache = PixelsOf(FBox->SkinData()->FCacheBmp.get()).At(1, 1);
    const vcl::TPoint corner = FBox->BoundsRect().TopLeft();
    EXPECT_EQ(grab.ClientPixel(corner.x + 1, corner.y + 1), RGB(cache >> 16 & 0xFF, cache >> 8 & 0xFF, cache & 0xFF))
        << "the border";
    const uint32_t inside = PixelsOf(FBox->SkinData()->FCacheBmp.get()).At(150, 60);
    EXPECT_EQ(testsupport::Grab(FBox->Handle()).ClientPixel(148, 58),
              RGB(inside >> 16 & 0xFF, inside >> 8 & 0xFF, inside & 0xFF))
        << "the client area, from inside the border";
}

}  // namespace
