// The skinned group box and radio group: where the caption strip lies, the frame from the middle
// of the strip, the button layout in columns, and the index that clicks and OnChanging decide.
#include <gtest/gtest.h>

#include "skin/controls/sGroupBox.h"
#include "skin/graphics/BitmapView.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::sGroupBox::TsCaptionLayout;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TColor;

TEST(GroupBoxCaption, TheStripByLayoutWidthAndMargins)
{
    struct TCase {
        TsCaptionLayout Layout;
        bool RightToLeft;
        int TextWidth, CaptionWidth, Bevel;
        int Left, Right;
    };
    const TCase cases[] = {
        {TsCaptionLayout::clTopLeft, false, 50, 0, 1, 6, 64},
        {TsCaptionLayout::clTopCenter, false, 50, 0, 1, 70, 128},
        {TsCaptionLayout::clTopRight, false, 50, 0, 1, 136, 194},
        {TsCaptionLayout::clTopRight, true, 50, 0, 1, 6, 64},      // the left edge under right-to-left
        {TsCaptionLayout::clTopLeft, false, 300, 0, 1, 6, 200},    // cut at the right edge
        {TsCaptionLayout::clTopCenter, false, 300, 0, 1, 0, 200},  // starts at 0
        {TsCaptionLayout::clTopLeft, false, 0, 80, 1, 8, 90},
        {TsCaptionLayout::clTopRight, false, 0, 80, 1, 112, 194},
        {TsCaptionLayout::clTopCenter, false, 0, 80, 1, 57, 139},
    };
    for (const TCase& c : cases) {
        const TCaptionSpan s = CaptionSpan(c.Layout, c.RightToLeft, 200, c.TextWidth, c.CaptionWidth, 2, 2, c.Bevel);
        EXPECT_EQ(s.Left, c.Left) << int(c.Layout) << " " << c.TextWidth << " " << c.CaptionWidth;
        EXPECT_EQ(s.Right, c.Right) << int(c.Layout) << " " << c.TextWidth << " " << c.CaptionWidth;
    }
    const TCaptionSpan narrow = CaptionSpan(TsCaptionLayout::clTopLeft, false, 200, 0, 0, 0, 0, 2);
    EXPECT_EQ(narrow.Left, 4) << "a strip under 2 bevels grows by one on both sides";
    EXPECT_EQ(narrow.Right, 8);
}

TEST(RadioGroupLayout, SevenItemsInThreeColumnsMakeThreeRows)
{
    const TRadioLayout l = RadioLayout(7, 3, 310, 200, 16);
    EXPECT_EQ(l.Rows, 3);
    EXPECT_EQ(l.ColumnWidth, (310 - 10) / 3);
    EXPECT_EQ(l.RowHeight, (200 - 16 - 5) / 3);
    EXPECT_EQ(l.Top, (179 % 3) / 2 + 16 + 1);
    EXPECT_EQ(l.Place(6), vcl::TPoint(2 * 100 + 8, l.Top)) << "the last column holds one button";
    EXPECT_EQ(l.Place(5), vcl::TPoint(108, 2 * l.RowHeight + l.Top));
}

class GroupBoxes : public ::testing::Test {
protected:
    GroupBoxes()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"CHECKBOX", TColor(RGB(10, 20, 30)));
        FSkin.AddSection(L"RADIOBUTTON", TColor(RGB(10, 20, 30)));
        FSkin.AddSection(L"GROUPBOX", TColor(RGB(0, 90, 180)));
        FForm = ShownForm(360, 280);
    }
    template<class T>
    T* New()
    {
        auto* box = vcl::Create<T>(FForm.get());
        box->SetBounds(10, 10, 310, 200);
        box->SetParent(FForm.get());
        box->HandleNeeded();
        return box;
    }
    static void Click(vcl::TWinControl* Control)
    {
        SendMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(Control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(GroupBoxes, TheFrameStartsHalfwayDownTheCaptionStripOrAtTheTopForANegativeOffset)
{
    TsGroupBox* box = New<TsGroupBox>();
    box->SetCaption(L"Box");
    box->Repaint();
    testsupport::PumpFor(30);
    const TsCommonData& data = *box->SkinData();
    ASSERT_TRUE(data.Skinned(true));
    const vcl::TRect strip = box->CaptionRect();
    const auto pixel = [&](int x, int y) { return PixelsOf(data.FCacheBmp.get()).At(x, y) & 0xFFFFFF; };
    const uint32_t frame = 0x005AB4;    // RGB(0, 90, 180) as a pixel
    const uint32_t beneath = 0x008000;  // the form's colour
    EXPECT_EQ(pixel(box->Width() - 3, 1), beneath) << "the strip above the frame shows what lies beneath";
    EXPECT_EQ(pixel(box->Width() - 3, strip.Height() / 2), frame);
    EXPECT_EQ(pixel(box->Width() / 2, box->Height() - 3), frame);

    box->SetCaptionYOffset(-3);
    box->Repaint();
    testsupport::PumpFor(30);
    EXPECT_EQ(pixel(box->Width() - 3, 0), frame);
    EXPECT_EQ(box->CaptionRect().top, -3) << "the strip is lifted";
}

TEST_F(GroupBoxes, ColumnsAndItemIndexAreClamped)
{
    TsRadioGroup* group = New<TsRadioGroup>();
    for (const wchar_t* s : {L"One", L"Two", L"Three", L"Four"})
        group->Items()->Add(s);
    ASSERT_EQ(group->ButtonCount(), 4);
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
    group->SetColumns(2);
    EXPECT_EQ(group->Buttons(2)->Left(), (group->Width() - 10) / 2 + 8);

    group->SetItemIndex(10);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_TRUE(group->Buttons(3)->Checked());
    group->SetItemIndex(-5);
    EXPECT_EQ(group->ItemIndex(), -1);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(group->Buttons(i)->Checked()) << i;

    group->Items()->Delete(3);
    EXPECT_EQ(group->ButtonCount(), 3);
}

TEST_F(GroupBoxes, ARefusingOnChangingLeavesTheButtonUnchecked)
{
    TsRadioGroup* group = New<TsRadioGroup>();
    for (const wchar_t* s : {L"One", L"Two", L"Three"})
        group->Items()->Add(s);
    int asked = -1;
    group->SetOnChanging(TacIndexChangingEvent([&](vcl::TObject*, int index, bool& allow) {
        asked = index;
        allow = index != 2;
    }));
    Click(group->Buttons(2));
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_EQ(group->ItemIndex(), -1);
    Click(group->Buttons(1));
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_EQ(group->ItemIndex(), 1);
}

}  // namespace
