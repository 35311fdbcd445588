// The colours panel: its cells and their colours, the hit areas between them, the selection that
// an index outside the cells clears, and the cells and selection frames on the screen.
#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TColor;

TEST(ColorsPanelCells, LinesAreHexadecimalRgbWithAnOptionalH)
{
    EXPECT_EQ(ColorOfLine(L"FF0000"), TColor(0x0000FF));
    EXPECT_EQ(ColorOfLine(L"12ab34H and more"), TColor(0x34AB12));
    EXPECT_EQ(ColorOfLine(L"00FF00\r\n"), TColor(0x00FF00));
    EXPECT_EQ(ColorOfLine(L"zz12"), TColor(0)) << "not a number: black";
}

class ColorsPanels : public ::testing::Test {
protected:
    ColorsPanels()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"PANEL", TColor(RGB(0x40, 0x40, 0x40)));
        FForm = ShownForm(320, 240);
        FPanel = vcl::Create<TsColorsPanel>(FForm.get());
        FPanel->SetBounds(10, 10, 140, 60);
        FPanel->SetParent(FForm.get());
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TsColorsPanel* FPanel;
};

TEST_F(ColorsPanels, EmptyColoursGiveTenWhiteCellsRowByRow)
{
    ASSERT_EQ(FPanel->Count(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(FPanel->Colors()->Strings(i), L"FFFFFF") << i;
    const auto& cells = FPanel->ColorsArray();
    ASSERT_EQ(cells.size(), 10u);
    EXPECT_EQ(cells[0].R, vcl::TRect(6, 6, 27, 27));
    EXPECT_EQ(cells[5].R, vcl::TRect(6, 33, 27, 54));
    EXPECT_EQ(cells[9].Color, vcl::clWhite);
    EXPECT_EQ(FPanel->GetItemByCoord(vcl::TPoint(28, 10)), 0) << "the hit areas overlap: the lower index";
    EXPECT_EQ(FPanel->GetItemByCoord(vcl::TPoint(33, 10)), 1);
    EXPECT_EQ(FPanel->GetItemByCoord(vcl::TPoint(141, 10)), -1) << "farther than a margin from every cell";
}

TEST_F(ColorsPanels, TheSelectionGivesItsColourAndAnIndexOutsideTheCellsSelectsNothing)
{
    int changes = 0;
    FPanel->SetOnChange(vcl::TNotifyEvent([&](vcl::TObject*) { ++changes; }));
    EXPECT_EQ(FPanel->ColorValue(), vcl::clWhite) << "no selection";
    FPanel->Colors()->SetStrings(2, L"FF0000");
    FPanel->GenerateColors();
    FPanel->SetItemIndex(2);
    EXPECT_EQ(FPanel->ColorValue(), TColor(0x0000FF));
    FPanel->SetItemIndex(2);
    EXPECT_EQ(changes, 1) << "the selected cell again";
    FPanel->Colors()->Add(L"00FF00");  // a line beyond the cells
    FPanel->SetItemIndex(10);
    EXPECT_EQ(FPanel->ItemIndex(), -1);
    EXPECT_EQ(FPanel->ColorValue(), vcl::clWhite);
    FPanel->SetItemIndex(-7);
    EXPECT_EQ(FPanel->ItemIndex(), -1);
}

TEST_F(ColorsPanels, CellsAndTheSelectionFramesShowOnTheScreen)
{
    FPanel->Colors()->SetStrings(0, L"FF0000");
    FPanel->GenerateColors();
    FPanel->SetItemIndex(0);
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(50);
    const testsupport::TGrab grab = testsupport::Grab(FPanel->Handle());
    EXPECT_EQ(grab.ClientPixel(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(grab.ClientPixel(40, 16), RGB(255, 255, 255));
    EXPECT_EQ(grab.ClientPixel(5, 16), RGB(255, 255, 255)) << "the white frame";
    EXPECT_EQ(grab.ClientPixel(4, 16), RGB(0, 0, 0)) << "the black frame";
    EXPECT_EQ(grab.ClientPixel(30, 2), RGB(0x40, 0x40, 0x40)) << "the section between the cells";
}

TEST_F(ColorsPanels, WithoutASkinThePlainPanelShowsTheCellsAndTheSelection)
{
    FPanel->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    ASSERT_FALSE(FPanel->SkinData()->Skinned());
    FPanel->SetBevelOuter(vcl::TBevelCut::bvNone);
    FPanel->SetColor(TColor(RGB(0x30, 0x50, 0x70)));
    FPanel->Colors()->SetStrings(6, L"0000FF");
    FPanel->GenerateColors();
    FPanel->SetItemIndex(6);
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(50);
    const testsupport::TGrab grab = testsupport::Grab(FPanel->Handle());
    const vcl::TRect cell = FPanel->ColorsArray()[6].R;
    EXPECT_EQ(grab.ClientPixel(cell.left + 5, cell.top + 5), RGB(0, 0, 255));
    EXPECT_EQ(grab.ClientPixel(6 + 5, 6 + 5), RGB(255, 255, 255)) << "an unselected cell";
    EXPECT_EQ(grab.ClientPixel(cell.left - 1, cell.top + 5), RGB(255, 255, 255)) << "the white frame";
    EXPECT_EQ(grab.ClientPixel(cell.left - 2, cell.top + 5), RGB(0, 0, 0)) << "the black frame";
    EXPECT_EQ(grab.ClientPixel(2, 2), RGB(0x30, 0x50, 0x70)) << "the panel's own colour between the cells";

    int painted = 0;
    FPanel->SetOnPaint(TPaintEvent([&](vcl::TObject*, vcl::TCanvas*) { ++painted; }));
    FPanel->Invalidate();
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(50);
    EXPECT_GE(painted, 1);
    EXPECT_EQ(testsupport::Grab(FPanel->Handle()).ClientPixel(cell.left + 5, cell.top + 5), RGB(0x30, 0x50, 0x70))
        << "an OnPaint handler paints the cells itself";
}

}  // namespace
