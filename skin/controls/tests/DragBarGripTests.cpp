// The drag bar's caption colours as the user activates the application and another one, and the
// grip that shows the background of the control it is linked to.
#include <gtest/gtest.h>

#include "other_program.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "skin/graphics/BitmapView.h"
#include "user_input.h"

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

// The user switches to another program with a click on its window, and back with a click on
// the form.
TEST_F(PanelKinds, TheDragBarDimsItsCaptionWhileAnotherProgramIsActive)
{
    auto* bar = vcl::Create<TsDragBar>(FForm.get());
    bar->SetParent(FForm.get());
    EXPECT_EQ(bar->SkinData()->SkinSection(), L"DRAGBAR");
    EXPECT_EQ(bar->Align(), vcl::TAlign::alTop);
    EXPECT_EQ(bar->Height(), 20);
    ASSERT_NE(TsDragBar::CaptionColour(false), TsDragBar::CaptionColour(true));
    SetForegroundWindow(FForm->Handle());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == FForm->Handle(); }));

    RECT form{};
    GetWindowRect(FForm->Handle(), &form);
    const testsupport::OtherProgram other(RECT{form.right + 20, form.top, form.right + 220, form.top + 150});
    testsupport::UserInput input;
    input.Click(testsupport::ScreenPointOf(other.Window(), POINT{100, 60}));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return bar->Font()->Color() == TsDragBar::CaptionColour(false); }))
        << "dimmed while the other program is active";
    EXPECT_EQ(GetForegroundWindow(), other.Window());

    input.Click(testsupport::ScreenPointOf(FForm->Handle(), POINT{FForm->ClientWidth() / 2, bar->Height() + 60}));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return bar->Font()->Color() == TsDragBar::CaptionColour(true); }))
        << "bright again once the form is";
}

TEST_F(PanelKinds, ABarReadFromAFormThatNamesNoControlDragsItsForm)
{
    vcl::TObjectPtr<vcl::TForm> read(vcl::Create<vcl::TForm>(nullptr));
    vcl::BeginLoading(read.get());
    auto* holder = vcl::Create<TsPanel>(read.get());
    holder->SetParent(read.get());
    auto* bar = vcl::Create<TsDragBar>(read.get());
    bar->SetParent(holder);
    auto* named = vcl::Create<TsDragBar>(read.get());
    named->SetParent(holder);
    named->SetDraggedControl(holder);
    vcl::EndLoading(read.get());
    EXPECT_EQ(bar->DraggedControl(), read.get()) << "the form, through the panel it lies on";
    EXPECT_EQ(named->DraggedControl(), holder) << "the control the form names";

    auto* made = vcl::Create<TsDragBar>(FForm.get());
    made->SetParent(FForm.get());
    EXPECT_EQ(made->DraggedControl(), nullptr) << "made in code: nothing until it is told";

    // A press on the bar hands the form to the system's move loop (kept from running here).
    read->SetBounds(60, 60, 200, 120);
    read->Show();
    WPARAM asked = 0;
    const vcl::TWndMethod formProc = read->WindowProc();
    read->SetWindowProc(vcl::TWndMethod([&](vcl::TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND)
            asked = m.WParam;
        else
            formProc(m);
    }));
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    read->SetWindowProc(formProc);
    EXPECT_EQ(asked, WPARAM(SC_MOVE | HTCAPTION));
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

TEST(GripUnderASkin, ItShowsTheLinkedControlsCornerAndOtherwiseItsSection)
{
    TTestSkin skin;
    PutInForce(skin);
    const int panel = skin.AddSection(L"PANEL", vcl::TColor(RGB(0x11, 0x22, 0x33)));
    skin.SetTransparency(panel, 50);  // a cached section that lends its cache
    skin.AddSection(L"CHECKBOX", vcl::TColor(RGB(0x70, 0x70, 0x10)));
    const vcl::TObjectPtr<vcl::TForm> form = ShownForm(320, 240);
    auto* linked = vcl::Create<TsPanel>(form.get());
    linked->SetBounds(10, 10, 120, 80);
    linked->SetParent(form.get());
    linked->SetOnPaint(TPaintEvent([&](vcl::TObject*, vcl::TCanvas* Canvas) {  // a mark in its corner
        FillDC(Canvas->Handle(),
               vcl::TRect(linked->Width() - 5, linked->Height() - 5, linked->Width(), linked->Height()),
               vcl::TColor(RGB(0xF0, 0x80, 0x00)));
    }));
    auto* grip = vcl::Create<TsGrip>(form.get());
    grip->SetBounds(150, 10, 20, 20);
    grip->SetParent(form.get());
    const auto shown = [&] {
        grip->Invalidate();
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(50);
        return testsupport::Grab(grip->Handle());
    };
    ASSERT_TRUE(grip->SkinData()->Skinned(true));
    EXPECT_EQ(shown().ClientPixel(10, 10), RGB(0x70, 0x70, 0x10)) << "its section";

    grip->Transparent = true;
    grip->LinkedControl = linked;
    const testsupport::TGrab grab = shown();
    ASSERT_TRUE(linked->SkinData()->FCacheBmp);
    const TPixelView corner = PixelsOf(linked->SkinData()->FCacheBmp.get());
    for (const vcl::TPoint p : {vcl::TPoint(0, 0), vcl::TPoint(10, 10), vcl::TPoint(19, 5), vcl::TPoint(19, 19)}) {
        const uint32_t c = corner.At(linked->Width() - 20 + p.x, linked->Height() - 20 + p.y);
        EXPECT_EQ(grab.ClientPixel(p.x, p.y), skin::test::AsColorRef(c)) << p.x << "," << p.y;
    }
    EXPECT_EQ(grab.ClientPixel(19, 19), RGB(0xF0, 0x80, 0x00)) << "the mark in the corner";
}

}  // namespace
