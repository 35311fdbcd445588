// Scroll boxes, frames and the layered look of forms under a real display.
#include "windowing_fixtures.h"

using namespace vcl;
using namespace wintest;

namespace {

SCROLLINFO BarInfo(TWinControl* control, int bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(control->Handle(), bar, &info);
    return info;
}

// The child's place as its window has it, in the parent's client area.
TPoint WindowPlace(TWinControl* child)
{
    RECT r{};
    GetWindowRect(child->Handle(), &r);
    MapWindowPoints(nullptr, GetParent(child->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return TPoint(r.left, r.top);
}

class ScrollBoxTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        form = NewForm(400, 300);
        box = NewChild<TScrollBox>(form, 10, 10, 200, 100);
        // Past the bottom of the box's client area, within its width.
        child = NewChild<TTestPanel>(box, 50, 300, 40, 40);
        ShowAndPaint(form);
    }
    TForm* form = nullptr;
    TScrollBox* box = nullptr;
    TTestPanel* child = nullptr;
};

}  // namespace

TEST_F(ScrollBoxTest, AChildPastTheClientAreaGivesARange)
{
    TControlScrollBar* vert = box->VertScrollBar();
    EXPECT_EQ(340, vert->Range());
    EXPECT_TRUE(vert->IsScrollBarVisible());
    EXPECT_EQ(90, box->HorzScrollBar()->Range());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible()) << "the content fits across";
    SCROLLINFO info = BarInfo(box, SB_VERT);
    EXPECT_EQ(339, info.nMax);
    EXPECT_EQ(static_cast<UINT>(box->ClientHeight()), info.nPage);

    // Moving the child in reach takes the bar away.
    child->SetTop(10);
    EXPECT_EQ(50, vert->Range());
    EXPECT_FALSE(vert->IsScrollBarVisible());
}

TEST_F(ScrollBoxTest, AWheelStepScrollsByTheIncrement)
{
    TControlScrollBar* vert = box->VertScrollBar();
    vert->SetIncrement(15);
    SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(15, vert->Position());
    EXPECT_EQ(285, child->Top());
    EXPECT_EQ(TPoint(50, 285), WindowPlace(child)) << "the window moved with the field";
    EXPECT_EQ(15, BarInfo(box, SB_VERT).nPos);

    SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), 0);
    EXPECT_EQ(60, vert->Position());
    SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(10 * WHEEL_DELTA)), 0);
    EXPECT_EQ(0, vert->Position()) << "never before the start";
    EXPECT_EQ(300, child->Top());
}

TEST_F(ScrollBoxTest, ScrollRequestsMoveByIncrementPageAndThumb)
{
    TControlScrollBar* vert = box->VertScrollBar();
    int maxPos = 340 - box->ClientHeight();
    auto request = [&](WORD code, WORD pos = 0) {
        SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    };
    request(SB_LINEDOWN);
    EXPECT_EQ(8, vert->Position()) << "the default increment";
    request(SB_BOTTOM);
    EXPECT_EQ(maxPos, vert->Position());
    EXPECT_EQ(340 - maxPos - 40, child->Top()) << "the child's bottom at the client's bottom";
    request(SB_THUMBTRACK, 30);
    EXPECT_EQ(maxPos, vert->Position()) << "without Tracking a drag scrolls only when let go";
    request(SB_THUMBPOSITION, 30);
    EXPECT_EQ(30, vert->Position());
    vert->SetTracking(true);
    request(SB_THUMBTRACK, 50);
    EXPECT_EQ(50, vert->Position());
}

TEST_F(ScrollBoxTest, ScrollInViewScrollsJustEnough)
{
    auto* nested = NewChild<TTestPanel>(child, 5, 5, 10, 10);
    box->ScrollInView(nested);
    // The nested panel's bottom (300 + 5 + 10 in the content) meets the client's bottom.
    EXPECT_EQ(315 - box->ClientHeight(), box->VertScrollBar()->Position());
    box->ScrollInView(nested);
    EXPECT_EQ(315 - box->ClientHeight(), box->VertScrollBar()->Position()) << "already in view";
    // A child above the view scrolls back until it is at the top.
    int position = box->VertScrollBar()->Position();
    auto* above = NewChild<TTestPanel>(box, 0, -100, 10, 10);
    box->ScrollInView(above);
    EXPECT_EQ(position - 100, box->VertScrollBar()->Position());
    EXPECT_EQ(0, above->Top());
}

TEST_F(ScrollBoxTest, AnchoredChildrenKeepTheirPlaceInTheScrolledContent)
{
    auto* anchored = NewChild<TTestPanel>(box, 100, 20, 30, 30);
    anchored->SetAnchors({TAnchorKind::akTop, TAnchorKind::akRight});
    box->VertScrollBar()->SetPosition(20);
    EXPECT_EQ(0, anchored->Top());
    box->SetWidth(260);
    EXPECT_EQ(TPoint(160, 0), TPoint(anchored->Left(), anchored->Top()))
        << "moved with the box's right side, not back to its unscrolled top";
}

TEST_F(ScrollBoxTest, SettingARangeTurnsAutoScrollOff)
{
    box->HorzScrollBar()->SetRange(500);
    EXPECT_FALSE(box->AutoScroll());
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
    child->SetTop(10);
    EXPECT_EQ(340, box->VertScrollBar()->Range()) << "no longer follows the children";
    box->SetAutoScroll(true);
    EXPECT_EQ(50, box->VertScrollBar()->Range());
    EXPECT_EQ(90, box->HorzScrollBar()->Range());
}

TEST_F(WindowTest, AFrameMadeInCodeIsAScrollingContainer)
{
    TForm* form = NewForm(400, 300);
    auto* frame = Create<TFrame>(form);
    frame->SetParent(form);
    EXPECT_EQ(L"TFrame", frame->ClassName());
    EXPECT_NE(nullptr, dynamic_cast<TCustomFrame*>(frame));
    EXPECT_TRUE(frame->ControlStyle().Contains(TControlStyleItem::csAcceptsControls));
    frame->SetBounds(0, 0, 150, 100);
    NewChild<TTestPanel>(frame, 0, 200, 20, 20);
    ShowAndPaint(form);
    EXPECT_TRUE(frame->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(form->VertScrollBar()->IsScrollBarVisible()) << "forms scroll only when asked";
}

TEST_F(WindowTest, FormsBlendAndKeyThroughLayeredWindowAttributes)
{
    TForm* form = NewForm();
    form->SetAlphaBlendValue(128);
    form->SetAlphaBlend(true);
    ShowAndPaint(form);
    ASSERT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags);
    EXPECT_EQ(128, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);

    form->SetTransparentColorValue(clFuchsia);
    form->SetTransparentColor(true);
    GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags);
    EXPECT_EQ(ColorToRGB(clFuchsia), key);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY), flags);

    form->RecreateWnd();
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) << "a new window is layered again";
    form->SetAlphaBlend(false);
    form->SetTransparentColor(false);
    EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}
