// The bound caption of the skinned edit-like controls on a shown form under a skin in force: the
// label an active caption makes beside its control, placed again as the caption's values change,
// following its control's moves, visibility and enabled state, and freed with the caption or its
// control.
#include <gtest/gtest.h>

#include "ControlFixtures.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using vcl::TAlignment;
using vcl::TPoint;

TPoint TopLeft(const vcl::TControl* Control) { return TPoint(Control->Left(), Control->Top()); }

// The label keeps the size given, whatever its text.
void FixSize(vcl::TControl* Label, int Width, int Height)
{
    Label->SetAutoSize(false);
    Label->SetBounds(Label->Left(), Label->Top(), Width, Height);
}

class BoundCaption : public ::testing::Test {
protected:
    BoundCaption()
    {
        skin::test::PutInForce(FSkin);
        FSkin.AddSection(L"EDIT", vcl::TColor(RGB(230, 230, 230)));
        FForm = skin::test::ShownForm(400, 200);
    }
    ~BoundCaption() override { FForm.reset(); }

    // "Edit1" at (100, 50), 120 x 21 (a combo box takes its own height).
    template<class T = TsEdit>
    T* NewControl()
    {
        auto* control = vcl::Create<T>(FForm.get());
        control->SetName(L"Edit1");
        control->SetBounds(100, 50, 120, 21);
        control->SetParent(FForm.get());
        return control;
    }
    static TsEditLabel* LabelOf(const TsBoundLabel* Caption) { return dynamic_cast<TsEditLabel*>(Caption->TheLabel()); }

    skin::test::TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(BoundCaption, ActivatedItMakesALabelNamedAfterTheEditBesideIt)
{
    TsEdit* edit = NewControl();
    TsBoundLabel* caption = edit->BoundLabel();
    EXPECT_EQ(caption->TheLabel(), nullptr);
    caption->SetActive(true);
    TsEditLabel* label = LabelOf(caption);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Name(), L"Edit1Label");
    EXPECT_EQ(label->Caption(), L"Edit1") << "an empty caption shows the edit's name";
    EXPECT_EQ(caption->Caption(), L"Edit1");
    EXPECT_EQ(label->Owner(), edit);
    EXPECT_EQ(label->Parent(), FForm.get());
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(label->BoundLabel(), caption);
    EXPECT_TRUE(label->Visible());
    EXPECT_TRUE(label->Enabled());
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(label->Alignment(), TAlignment::taRightJustify);
    // Sized to its text, it ends 4 pixels left of the edit.
    EXPECT_EQ(label->Left() + label->Width(), 96);
    EXPECT_EQ(TopLeft(label), BoundLabelPlace(TsCaptionLayout::sclLeft, edit->BoundsRect(),
                                              vcl::TSize(label->Width(), label->Height()), 0));

    FixSize(label, 40, 13);
    caption->AlignLabel();
    EXPECT_EQ(TopLeft(label), TPoint(56, 53));
    caption->SetIndent(2);
    EXPECT_EQ(TopLeft(label), TPoint(54, 53));
    caption->SetLayout(TsCaptionLayout::sclTopCenter);
    EXPECT_EQ(TopLeft(label), TPoint(140, 35));
    EXPECT_EQ(label->Alignment(), TAlignment::taCenter);
}

TEST_F(BoundCaption, ACaptionFontAndColourSwitchReachTheLabelWhileThereIsOne)
{
    TsBoundLabel* caption = NewControl()->BoundLabel();
    vcl::TObjectPtr<vcl::TFont> large(vcl::Create<vcl::TFont>());
    large->SetHeight(-30);

    // Without a label the font and the switch stay as they are.
    vcl::TFont* own = caption->Font();
    const int ownHeight = own->Height();
    caption->SetFont(large.get());
    caption->SetUseSkinColor(false);
    EXPECT_EQ(caption->Font(), own);
    EXPECT_EQ(own->Height(), ownHeight);
    EXPECT_TRUE(caption->UseSkinColor());

    caption->SetCaption(L"Name:");
    caption->SetActive(true);
    TsEditLabel* label = LabelOf(caption);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), L"Name:");
    const int shortWidth = label->Width();
    caption->SetCaption(L"A much longer name:");
    EXPECT_EQ(label->Caption(), L"A much longer name:");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(label->Left() + label->Width(), 96) << "placed again";

    caption->SetFont(large.get());
    EXPECT_EQ(caption->Font(), label->Font());
    EXPECT_EQ(label->Font()->Height(), -30);
    EXPECT_GT(label->Height(), 21);
    EXPECT_EQ(label->Top(), 50 + (21 - label->Height()) / 2 - 1) << "placed again";

    caption->SetUseSkinColor(false);
    EXPECT_FALSE(label->UseSkinColor());
    EXPECT_FALSE(caption->UseSkinColor());
}

TEST_F(BoundCaption, AMaximumWidthTurnsWordWrapOnFromFourPixelsShortOfIt)
{
    TsBoundLabel* caption = NewControl()->BoundLabel();
    caption->SetActive(true);
    TsEditLabel* label = LabelOf(caption);
    ASSERT_NE(label, nullptr);
    FixSize(label, 96, 13);
    caption->SetMaxWidth(100);
    EXPECT_EQ(label->Constraints()->MaxWidth(), 100);
    EXPECT_TRUE(label->WordWrap());
    FixSize(label, 95, 13);
    caption->AlignLabel();
    EXPECT_FALSE(label->WordWrap());

    // Without a maximum width the label's own setting stays.
    label->SetWordWrap(true);
    caption->SetMaxWidth(0);
    EXPECT_TRUE(label->WordWrap());
    EXPECT_EQ(label->Constraints()->MaxWidth(), 0);
}

TEST_F(BoundCaption, TheLabelGoesWithTheCaptionOrItsEditAndALabelFreedElsewhereLeavesItInactive)
{
    TsEdit* edit = NewControl();
    TsBoundLabel* caption = edit->BoundLabel();
    const int controls = FForm->ControlCount();
    caption->SetActive(true);
    EXPECT_EQ(FForm->ControlCount(), controls + 1);
    caption->SetActive(false);
    EXPECT_EQ(caption->TheLabel(), nullptr);
    EXPECT_EQ(FForm->ControlCount(), controls);
    EXPECT_EQ(edit->ComponentCount(), 0);

    caption->SetActive(true);
    caption->TheLabel()->Free();
    EXPECT_FALSE(caption->Active());
    EXPECT_EQ(caption->TheLabel(), nullptr);
    EXPECT_EQ(FForm->ControlCount(), controls);

    caption->SetActive(true);
    ASSERT_NE(caption->TheLabel(), nullptr);
    edit->Free();
    EXPECT_EQ(FForm->ControlCount(), controls - 1) << "the edit took its label along";

    // The form frees an edit with an active caption among its children.
    NewControl<TsMemo>()->BoundLabel()->SetActive(true);
    FForm.reset();
}

// The label follows its control whichever edit-like control carries it.
template<class T>
class BoundCaptionOf : public BoundCaption {};
using TEditLike = ::testing::Types<TsEdit, TsMemo, TsMaskEdit, TsComboBox>;
TYPED_TEST_SUITE(BoundCaptionOf, TEditLike);

TYPED_TEST(BoundCaptionOf, TheLabelFollowsItsControlsMovesVisibilityAndEnabledState)
{
    TypeParam* control = this->template NewControl<TypeParam>();
    TsBoundLabel* caption = control->BoundLabel();
    caption->SetLayout(TsCaptionLayout::sclTopRight);
    caption->SetActive(true);
    vcl::TControl* label = caption->TheLabel();
    ASSERT_NE(label, nullptr);
    FixSize(label, 40, 13);

    control->SetBounds(150, 80, 120, control->Height());
    EXPECT_EQ(TopLeft(label), TPoint(230, 67)) << "moved";
    control->SetWidth(200);
    EXPECT_EQ(TopLeft(label), TPoint(310, 67)) << "resized";

    control->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    control->SetLeft(20);
    EXPECT_EQ(TopLeft(label), TPoint(310, 67)) << "a hidden label stays where it was";
    control->SetVisible(true);
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(TopLeft(label), TPoint(180, 67));

    control->SetEnabled(false);
    EXPECT_FALSE(label->Enabled()) << "blended with the control";
    control->SetEnabled(true);
    EXPECT_TRUE(label->Enabled());
    control->SetDisabledKind(TsDisabledKind{TsDisabledKindItem::dkGrayed});
    control->SetEnabled(false);
    EXPECT_TRUE(label->Enabled()) << "greyed, the control leaves its label enabled";
    control->SetEnabled(true);
    control->SetDisabledKind(TsDisabledKind{});
    control->SetEnabled(false);
    EXPECT_TRUE(label->Enabled());
}

}  // namespace
