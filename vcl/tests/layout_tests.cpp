// Anchors and size constraints of controls under a real display.
#include "windowing_fixtures.h"

#include "vcl/properties.h"

using namespace vcl;
using namespace wintest;

namespace {

const TAnchors RightBottom{TAnchorKind::akRight, TAnchorKind::akBottom};

// Distances of a control's right and bottom edges to its parent's client edges.
TPoint FarDistances(TControl* control)
{
    TRect client = control->Parent()->ClientRect();
    return TPoint(client.right - (control->Left() + control->Width()),
                  client.bottom - (control->Top() + control->Height()));
}

// A container whose next alignment pass fails.
class TFailingAlignPanel : public TTestPanel {
    CL_CLASS(TFailingAlignPanel, TTestPanel)
public:
    using TTestPanel::TTestPanel;
    bool Fail = false;

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override
    {
        if (Fail) {
            Fail = false;
            throw EInvalidOperation(L"alignment failed");
        }
        TTestPanel::AlignControls(AControl, Rect);
    }
};

}  // namespace

TEST_F(WindowTest, AFailedAlignmentPassLeavesNothingBehind)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TFailingAlignPanel>(form, 0, 0, 200, 100);
    auto* bar = NewChild<TTestPanel>(panel, 0, 50, 200, 20);
    bar->SetAlign(TAlign::alTop);
    ASSERT_EQ(0, bar->Top());

    panel->Fail = true;
    EXPECT_THROW(panel->Realign(), EInvalidOperation);
    EXPECT_EQ(0, AlignDepth());
    EXPECT_FALSE(panel->ControlState().Contains(TControlStateItem::csAligning));

    bar->SetTop(50);
    EXPECT_EQ(0, bar->Top()) << "alignment still runs: the pass left no level held";
}

TEST_F(WindowTest, RightAndBottomAnchoredControlKeepsItsDistancesWhenTheFormGrows)
{
    TForm* form = NewForm(300, 200);
    auto* button = NewChild<TTestPanel>(form, 200, 150, 80, 30);
    button->SetAnchors(RightBottom);
    ShowAndPaint(form);
    TPoint before = FarDistances(button);
    ASSERT_EQ(TPoint(20, 20), before);

    form->SetClientWidth(420);
    form->SetClientHeight(290);
    EXPECT_EQ(before, FarDistances(button));
    EXPECT_EQ(TSize(80, 30), TSize(button->Width(), button->Height()));
    EXPECT_EQ(TPoint(320, 240), TPoint(button->Left(), button->Top()));

    // A move by code is the new reference: 240 to the right edge from here on.
    button->SetLeft(100);
    form->SetClientWidth(320);
    EXPECT_EQ(240, FarDistances(button).x);
    EXPECT_EQ(0, button->Left());
}

TEST_F(WindowTest, ControlAnchoredOnBothSidesStretchesAndAnAnchoredChildOfAPanelFollows)
{
    TForm* form = NewForm(300, 200);
    auto* panel = NewChild<TTestPanel>(form, 10, 10, 280, 180);
    panel->SetAnchors({TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight, TAnchorKind::akBottom});
    auto* inner = NewChild<TTestPanel>(panel, 200, 100, 50, 20);
    inner->SetAnchors({TAnchorKind::akRight, TAnchorKind::akTop});
    ShowAndPaint(form);

    form->SetClientWidth(400);
    form->SetClientHeight(260);
    EXPECT_EQ(TRect(10, 10, 390, 250), panel->BoundsRect());
    EXPECT_EQ(TRect(300, 100, 350, 120), inner->BoundsRect());
}

TEST_F(WindowTest, AnchorsMeasureTheLoadedSizesNotTheDefaultOnes)
{
    TForm* form = Create<TForm>(nullptr);
    BeginLoading(form);
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    auto* button = Create<TTestPanel>(form);
    button->SetParent(form);
    button->SetBounds(400, 350, 80, 30);
    button->SetAnchors(RightBottom);
    EndLoading(form);
    EXPECT_EQ(TRect(400, 350, 480, 380), button->BoundsRect()) << "the form's own size arrives without moving it";

    form->SetClientWidth(600);
    EXPECT_EQ(500, button->Left());
    form->Free();
}

TEST_F(WindowTest, ConstraintsLimitEverySizeAndApplyAtOnce)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 0, 0, 100, 100);
    panel->Constraints()->SetMaxWidth(80);
    EXPECT_EQ(80, panel->Width()) << "a new limit applies to the present size";
    panel->Constraints()->SetMinHeight(120);
    EXPECT_EQ(120, panel->Height());
    panel->SetBounds(0, 0, 300, 50);
    EXPECT_EQ(TSize(80, 120), TSize(panel->Width(), panel->Height()));

    // A maximum below the minimum pulls the minimum down, and the other way round.
    panel->Constraints()->SetMaxHeight(90);
    EXPECT_EQ(90, panel->Constraints()->MinHeight());
    EXPECT_EQ(90, panel->Height());
    panel->Constraints()->SetMinWidth(200);
    EXPECT_EQ(200, panel->Constraints()->MaxWidth());
    EXPECT_EQ(200, panel->Width());
}

TEST_F(WindowTest, FormConstraintsLimitWhatTheUserCanDrag)
{
    TForm* form = NewForm();
    form->Constraints()->SetMinWidth(250);
    form->Constraints()->SetMaxHeight(500);
    ShowAndPaint(form);
    MINMAXINFO info{};
    info.ptMinTrackSize = {1, 2};
    info.ptMaxTrackSize = {3000, 4000};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(250, info.ptMinTrackSize.x);
    EXPECT_EQ(2, info.ptMinTrackSize.y) << "no limit keeps the system's value";
    EXPECT_EQ(3000, info.ptMaxTrackSize.x);
    EXPECT_EQ(500, info.ptMaxTrackSize.y);
}

TEST_F(WindowTest, AnchorsAndConstraintsAreReachedByName)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TTestPanel>(form, 0, 0, 100, 100);
    EXPECT_EQ(String(L"akLeft,akTop"), ReadSetProperty(panel, L"Anchors").value_or(L"absent"));
    EXPECT_TRUE(WriteSetProperty(panel, L"Anchors", L"[akRight, akBottom]"));
    EXPECT_EQ(RightBottom, panel->Anchors());
    EXPECT_TRUE(WriteOrdinalProperty(panel, L"Constraints.MaxWidth", 60));
    EXPECT_EQ(60, panel->Width());
}
