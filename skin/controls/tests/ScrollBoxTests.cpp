// The skinned scroll box: the wheel that scrolls the box itself, the background its children see
// from inside the border, and the border painted from the box's cache.
#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "vcl/stdctrls.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;

TEST(ScrollBoxStrips, AStepUncoversTheFarEndBackwardsAndTheNearEndForwards)
{
    EXPECT_EQ(UncoveredStrip(false, -30, 200, 100), vcl::TRect(0, 70, 200, 100));
    EXPECT_EQ(UncoveredStrip(false, 30, 200, 100), vcl::TRect(0, 0, 200, 30));
    EXPECT_EQ(UncoveredStrip(true, -20, 200, 100), vcl::TRect(180, 0, 200, 100));
    EXPECT_EQ(UncoveredStrip(true, 20, 200, 100), vcl::TRect(0, 0, 20, 100));
}

// A box with a tall panel at its left and a small mark right of it, in a section that needs a
// cache of its own (transparency 50) or none (0).
class ScrollBoxes : public ::testing::Test {
protected:
    explicit ScrollBoxes(int Transparency = 50)
    {
        PutInForce(FSkin);
        const int low = FSkin.AddSection(L"PANEL_LOW", vcl::TColor(RGB(0x20, 0x60, 0xA0)));
        FSkin.SetTransparency(low, Transparency);
        FSkin.AddSection(L"PANEL", vcl::TColor(RGB(0x10, 0x10, 0x10)));
        FForm = ShownForm(320, 240);
        FBox = vcl::Create<TsScrollBox>(FForm.get());
        FBox->SetBounds(10, 10, 200, 120);
        FBox->SetParent(FForm.get());
        auto* tall = vcl::Create<TsPanel>(FForm.get());
        tall->SetBounds(0, 0, 100, 600);
        tall->SetParent(FBox);
        FMark = vcl::Create<TsPanel>(FForm.get());
        FMark->SetBounds(120, 50, 20, 20);
        FMark->SetParent(FBox);
        Paint();
    }
    void Paint() const
    {
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(30);
    }

    // The thumb dragged to Position, the content following it.
    void TrackTo(int Position) const
    {
        FBox->VertScrollBar()->SetTracking(true);
        FBox->VertScrollBar()->SetPosition(Position);
        testsupport::PumpFor(30);
    }
    // After a step of 30 the mark has moved up by 30 on the screen and the face shows where it was.
    void ExpectTheMarkMovedUp() const
    {
        const testsupport::TGrab grab = testsupport::Grab(FBox->Handle());
        const COLORREF mark = RGB(0x10, 0x10, 0x10);
        EXPECT_EQ(grab.ClientPixel(130, 25), mark);
        EXPECT_NE(grab.ClientPixel(130, 65), mark);
        EXPECT_EQ(grab.ClientPixel(130, 65), grab.ClientPixel(160, 65)) << "the face where the mark was";
        EXPECT_EQ(grab.ClientPixel(130, FBox->ClientHeight() - 3), grab.ClientPixel(160, 65)) << "the uncovered strip";
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TsScrollBox* FBox;
    TsPanel* FMark;
};

// The same box in a section that needs no cache: it is painted straight into the DC.
class DirectScrollBoxes : public ScrollBoxes {
protected:
    DirectScrollBoxes() : ScrollBoxes(0) {}
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
    EXPECT_EQ(grab.ClientPixel(corner.x + 1, corner.y + 1), skin::test::AsColorRef(cache)) << "the border";
    const uint32_t inside = PixelsOf(FBox->SkinData()->FCacheBmp.get()).At(150, 60);
    EXPECT_EQ(testsupport::Grab(FBox->Handle()).ClientPixel(148, 58), skin::test::AsColorRef(inside))
        << "the client area, from inside the border";
}

TEST_F(ScrollBoxes, ATrackingStepRedrawsTheWholeCachedBoxOnceAndKeepsHowFarItWent)
{
    ASSERT_TRUE(IsCached(*FBox->SkinData()));
    TrackTo(30);
    EXPECT_EQ(FBox->acTrackPos, -30) << "the old position less the new";
    ExpectTheMarkMovedUp();
}

TEST_F(DirectScrollBoxes, ABoxWithoutACachePaintsItsFaceAndBorderStraightIntoTheWindow)
{
    const TsCommonData& data = *FBox->SkinData();
    ASSERT_TRUE(data.Skinned(true));
    ASSERT_FALSE(IsCached(data));
    EXPECT_FALSE(data.FCacheBmp) << "the direct path keeps no cache";
    const COLORREF face = RGB(0x20, 0x60, 0xA0);
    EXPECT_EQ(testsupport::Grab(FBox->Handle()).ClientPixel(160, 20), face);
    const testsupport::TGrab whole = testsupport::Grab(FForm->Handle());
    const vcl::TPoint corner = FBox->BoundsRect().TopLeft();
    EXPECT_EQ(whole.ClientPixel(corner.x + 1, corner.y + 1), face) << "the border";
}

TEST_F(DirectScrollBoxes, ATrackingStepRedrawsTheUncoveredStrip)
{
    TrackTo(30);
    EXPECT_EQ(FBox->acTrackPos, -30);
    ExpectTheMarkMovedUp();
    TrackTo(10);
    EXPECT_EQ(FBox->acTrackPos, 20);
}

TEST_F(ScrollBoxes, TheWheelHandedToTheActiveControlKeepsTheShiftKeys)
{
    auto* edit = vcl::Create<vcl::TEdit>(FForm.get());
    edit->SetBounds(220, 10, 80, 24);
    edit->SetParent(FForm.get());
    edit->SetFocus();
    ASSERT_EQ(FForm->ActiveControl(), edit);
    WPARAM seen = 0;
    const vcl::TWndMethod editProc = edit->WindowProc();
    edit->SetWindowProc(vcl::TWndMethod([&](vcl::TMessage& m) {
        if (m.Msg != WM_MOUSEWHEEL)
            return editProc(m);
        seen = m.WParam;
        m.Result = 1;  // taken
    }));
    FBox->SetAutoMouseWheel(true);
    FBox->VertScrollBar()->SetPosition(40);
    SendMessageW(FBox->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT | MK_CONTROL, 120), MAKELPARAM(50, 50));
    edit->SetWindowProc(editProc);
    EXPECT_EQ(LOWORD(seen), MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(short(HIWORD(seen)), 120);
    EXPECT_EQ(FBox->VertScrollBar()->Position(), 40) << "the active control took the wheel";
}

TEST_F(ScrollBoxes, EnteringTheBoxBracketsTheFocusChangeInABatch)
{
    auto* edit = vcl::Create<vcl::TEdit>(FForm.get());
    edit->SetBounds(110, 10, 60, 24);
    edit->SetParent(FBox);
    std::vector<int> seen;  // CM_ENTER as -1, skin commands by number
    const vcl::TWndMethod boxProc = FBox->WindowProc();
    FBox->SetWindowProc(vcl::TWndMethod([&](vcl::TMessage& m) {
        if (m.Msg == vcl::CM_ENTER)
            seen.push_back(-1);
        else if (const uint16_t cmd = SkinCommandOf(m); cmd == scmdBeginBatch || cmd == scmdEndBatch)
            seen.push_back(cmd);
        boxProc(m);
    }));
    edit->SetFocus();
    FBox->SetWindowProc(boxProc);
    EXPECT_EQ(seen, (std::vector<int>{-1, scmdBeginBatch, scmdEndBatch}));
    EXPECT_FALSE(FBox->SkinData()->FUpdating);
}

TEST_F(ScrollBoxes, HitTestsAreTheSystemsAndScrollInViewShowsAChild)
{
    POINT bar{FBox->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL) / 2, 30}, client{50, 30};
    ClientToScreen(FBox->Handle(), &bar);
    ClientToScreen(FBox->Handle(), &client);
    EXPECT_EQ(SendMessageW(FBox->Handle(), WM_NCHITTEST, 0, MAKELPARAM(bar.x, bar.y)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(FBox->Handle(), WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y)), HTCLIENT);

    auto* low = vcl::Create<TsPanel>(FForm.get());
    low->SetBounds(110, 400, 40, 40);
    low->SetParent(FBox);
    SkinScrollInView(low, FBox);
    EXPECT_LE(low->Top() + low->Height(), FBox->ClientHeight());
    EXPECT_GT(FBox->VertScrollBar()->Position(), 0);
}

TEST_F(ScrollBoxes, RemovingTheSkinMakesTheWindowAgain)
{
    const HWND before = FBox->Handle();
    SendAMessage(before, scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(FBox->HandleAllocated());
    EXPECT_FALSE(FBox->SkinData()->Skinned());
}

}  // namespace
