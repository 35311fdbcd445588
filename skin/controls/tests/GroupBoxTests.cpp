// The skinned group box and radio group: where the caption strip lies, the frame from the middle
// of the strip, the button layout in columns, and the index that clicks and OnChanging decide.
#include <gtest/gtest.h>

#include "skin/controls/sGroupBox.h"
#include "skin/graphics/BitmapView.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "vcl/properties.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TColor;

TEST(GroupBoxCaption, TheStripByLayoutWidthAndMargins)
{
    struct TCase {
        sGroupBox::TsCaptionLayout Layout;
        bool RightToLeft;
        int TextWidth, CaptionWidth, Bevel;
        int Left, Right;
    };
    const TCase cases[] = {
        {sGroupBox::TsCaptionLayout::clTopLeft, false, 50, 0, 1, 6, 64},
        {sGroupBox::TsCaptionLayout::clTopCenter, false, 50, 0, 1, 70, 128},
        {sGroupBox::TsCaptionLayout::clTopRight, false, 50, 0, 1, 136, 194},
        {sGroupBox::TsCaptionLayout::clTopRight, true, 50, 0, 1, 6, 64},      // the left edge under right-to-left
        {sGroupBox::TsCaptionLayout::clTopLeft, false, 300, 0, 1, 6, 200},    // cut at the right edge
        {sGroupBox::TsCaptionLayout::clTopCenter, false, 300, 0, 1, 0, 200},  // starts at 0
        {sGroupBox::TsCaptionLayout::clTopLeft, false, 0, 80, 1, 8, 90},
        {sGroupBox::TsCaptionLayout::clTopRight, false, 0, 80, 1, 112, 194},
        {sGroupBox::TsCaptionLayout::clTopCenter, false, 0, 80, 1, 57, 139},
    };
    for (const TCase& c : cases) {
        const TCaptionSpan s = CaptionSpan(c.Layout, c.RightToLeft, 200, c.TextWidth, c.CaptionWidth, 2, 2, c.Bevel);
        EXPECT_EQ(s.Left, c.Left) << int(c.Layout) << " " << c.TextWidth << " " << c.CaptionWidth;
        EXPECT_EQ(s.Right, c.Right) << int(c.Layout) << " " << c.TextWidth << " " << c.CaptionWidth;
    }
    const TCaptionSpan narrow = CaptionSpan(sGroupBox::TsCaptionLayout::clTopLeft, false, 200, 0, 0, 0, 0, 2);
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

// The form's colour RGB(200, 40, 10) as a pixel: its red and blue tell apart.
constexpr uint32_t FormRgb = 0xC8280A;

class GroupBoxes : public ::testing::Test {
protected:
    GroupBoxes()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"CHECKBOX", TColor(RGB(10, 20, 30)));
        FSkin.AddSection(L"RADIOBUTTON", TColor(RGB(10, 20, 30)));
        FSkin.AddSection(L"GROUPBOX", TColor(RGB(0, 90, 180)));
        FForm = ShownForm(360, 280, RGB(200, 40, 10));
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
    EXPECT_EQ(pixel(box->Width() - 3, 1), FormRgb) << "the strip above the frame shows what lies beneath";
    EXPECT_EQ(pixel(strip.left, 1), FormRgb) << "and so does the caption's own background";
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

constexpr uint32_t StripColour = 0xC82828;  // the caption skin's section: RGB(200, 40, 40) as a pixel

uint32_t CacheRgb(TsGroupBox* Box, int X, int Y)
{
    return PixelsOf(Box->SkinData()->FCacheBmp.get()).At(X, Y) & 0xFFFFFF;
}

TEST_F(GroupBoxes, ACaptionCutByCaptionWidthEndsInAnEllipsis)
{
    TsGroupBox* box = New<TsGroupBox>();
    box->SetCaption(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    box->SetCaptionWidth(60);
    box->Repaint();
    testsupport::PumpFor(30);
    const vcl::TRect cr = box->CaptionRect();
    ASSERT_EQ(cr.Width(), 60 + box->CaptionMargin()->Left());
    const uint32_t beneath = CacheRgb(box, cr.left, cr.top + 1);  // within the left margin
    // How tall the text is in column X: 0 without text.
    const auto textHeight = [&](int X) {
        int top = -1, bottom = -1;
        for (int y = std::max(0, int(cr.top)); y < cr.bottom; ++y)
            if (CacheRgb(box, X, y) != beneath) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        return top < 0 ? 0 : bottom - top + 1;
    };
    int first = -1, last = -1;
    for (int x = cr.left; x < cr.right; ++x)
        if (textHeight(x) > 0) {
            first = first < 0 ? x : first;
            last = x;
        }
    ASSERT_GE(first, 0);
    EXPECT_LE(last, cr.right - box->CaptionMargin()->Right()) << "inside the strip less its margin";
    int letter = 0, end = 0;  // the tallest column of the first letter and of the last eight columns
    for (int x = first; x < first + 6; ++x)
        letter = std::max(letter, textHeight(x));
    for (int x = last - 7; x <= last; ++x)
        end = std::max(end, textHeight(x));
    EXPECT_GE(letter, 5);
    EXPECT_LE(2 * end, letter) << "the dots of an ellipsis, not a cut letter";
}

TEST_F(GroupBoxes, ACaptionSkinPaintsTheStripFromASectionOfItsOwn)
{
    FSkin.AddSection(L"CAPTIONSTRIP", TColor(RGB(200, 40, 40)));
    TsGroupBox* box = New<TsGroupBox>();
    box->SetCaption(L"Box");
    EXPECT_TRUE(vcl::WriteStringProperty(box, L"CaptionSkin", L"CAPTIONSTRIP")) << "published";
    box->Repaint();
    testsupport::PumpFor(30);
    const vcl::TRect cr = box->CaptionRect();
    EXPECT_EQ(CacheRgb(box, cr.left, cr.top + 1), StripColour) << "within the left margin";
    EXPECT_EQ(CacheRgb(box, cr.right + 4, 1), FormRgb) << "beside the strip what lies beneath";
    TacBGInfo info;
    GetBGInfo(info, static_cast<vcl::TControl*>(box));
    EXPECT_EQ(info.BgKind, 2) << "children see the box's cache";
    EXPECT_EQ(info.Bmp, box->SkinData()->FCacheBmp.get());
}

TEST_F(GroupBoxes, AChangedMarginMovesTheCaptionStrip)
{
    FSkin.AddSection(L"CAPTIONSTRIP", TColor(RGB(200, 40, 40)));
    TsGroupBox* box = New<TsGroupBox>();
    box->SetCaption(L"Box");
    box->SetCaptionSkin(L"CAPTIONSTRIP");
    box->Repaint();
    testsupport::PumpFor(30);
    const vcl::TRect before = box->CaptionRect();
    box->CaptionMargin()->SetLeft(12);  // repaints by itself
    testsupport::PumpFor(50);
    const vcl::TRect after = box->CaptionRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right + 2 * 10);
    EXPECT_EQ(CacheRgb(box, after.right - 2, 1), StripColour) << "the strip reaches further";
    EXPECT_EQ(CacheRgb(box, after.right + 1, 1), FormRgb);
}

TEST_F(GroupBoxes, AClickTellsTheGroupItChangedBeforeItsClick)
{
    TsRadioGroup* group = New<TsRadioGroup>();
    for (const wchar_t* s : {L"One", L"Two"})
        group->Items()->Add(s);
    std::vector<UINT> seen;
    const vcl::TWndMethod saved = group->WindowProc();
    group->SetWindowProc(vcl::TWndMethod([&](vcl::TMessage& m) {
        if (m.Msg == vcl::CM_CHANGED && m.LParam == reinterpret_cast<LPARAM>(group))
            seen.push_back(m.Msg);
        saved(m);
    }));
    group->SetOnClick(vcl::TNotifyEvent([&](vcl::TObject*) { seen.push_back(0); }));
    Click(group->Buttons(1));
    group->SetWindowProc(saved);
    EXPECT_EQ(seen, (std::vector<UINT>{vcl::CM_CHANGED, 0}));
    EXPECT_EQ(group->ItemIndex(), 1);
}

}  // namespace
