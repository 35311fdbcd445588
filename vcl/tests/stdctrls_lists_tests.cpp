// List boxes, memos, scroll bars and group boxes under a real display.
#include "windowing_fixtures.h"

#include "vcl/stdctrls.h"

#include <string>

using namespace vcl;
using namespace wintest;
using testsupport::Grab;
using testsupport::PumpFor;

namespace {

// A press and release of the left button at a client point, as the window sees them.
void ClickAt(TWinControl* control, const TPoint& p)
{
    Send(control, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p.x, p.y));
    Send(control, WM_LBUTTONUP, 0, PointToLParam(p.x, p.y));
}

bool HasStyle(TWinControl* control, DWORD style)
{
    return (GetWindowLongW(control->Handle(), GWL_STYLE) & style) == style;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// List boxes

TEST_F(WindowTest, ListBoxKeepsItemsAndSelectionWithoutAWindow)
{
    TForm* form = NewForm();
    auto* list = NewChild<TListBox>(form, 10, 10, 120, 100, clWindow);
    for (const wchar_t* item : {L"delta", L"alpha", L"charlie", L"bravo"})
        list->Items()->Add(item);
    list->SetItemIndex(3);
    list->Items()->Delete(1);
    EXPECT_EQ(2, list->ItemIndex()) << "the selected item moved up with the deletion";
    list->Items()->Insert(0, L"echo");
    EXPECT_EQ(3, list->ItemIndex());
    list->SetItemIndex(7);
    EXPECT_EQ(-1, list->ItemIndex()) << "an index beyond the items selects nothing";
    list->SetItemIndex(3);
    EXPECT_FALSE(list->HandleAllocated());

    ASSERT_EQ(4, Send(list, LB_GETCOUNT));
    EXPECT_EQ(3, Send(list, LB_GETCURSEL));
    EXPECT_EQ(L"bravo", list->Items()->Strings(list->ItemIndex()));

    // Sorted lists place new items by their text, in the window too.
    list->Items()->Clear();
    list->SetSorted(true);
    for (const wchar_t* item : {L"delta", L"alpha", L"charlie"})
        list->Items()->Add(item);
    wchar_t buffer[32] = {};
    Send(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(L"charlie", buffer);
    EXPECT_EQ(-1, list->ItemIndex());
}

TEST_F(WindowTest, MultiSelectListBoxKeepsEachItemsSelection)
{
    TForm* form = NewForm();
    auto* list = NewChild<TListBox>(form, 10, 10, 120, 100, clWindow);
    list->SetMultiSelect(true);
    for (int i = 0; i < 5; ++i)
        list->Items()->Add(L"item " + std::to_wstring(i));
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    list->Items()->Delete(0);
    EXPECT_TRUE(list->Selected(0) && list->Selected(2)) << "the selections moved up with their items";
    EXPECT_EQ(2, list->SelCount());
    EXPECT_THROW(list->Selected(9), EListError);

    EXPECT_GT(Send(list, LB_GETSEL, 0), 0);
    EXPECT_EQ(0, Send(list, LB_GETSEL, 1));
    EXPECT_GT(Send(list, LB_GETSEL, 2), 0);
    EXPECT_TRUE(HasStyle(list, LBS_EXTENDEDSEL));
    list->SetSelected(2, false);
    EXPECT_EQ(1, list->SelCount());
}

TEST_F(WindowTest, ListBoxClicksWhenTheUserSelectsButNotWhenCodeDoes)
{
    TForm* form = NewForm();
    auto* list = NewChild<TListBox>(form, 10, 10, 120, 100, clWindow);
    for (int i = 0; i < 5; ++i)
        list->Items()->Add(L"item " + std::to_wstring(i));
    int clicks = 0;
    list->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    ShowAndPaint(form);

    list->SetItemIndex(1);
    EXPECT_EQ(0, clicks);
    TRect third = list->ItemRect(2);
    ClickAt(list, third.CenterPoint());
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(2, list->ItemIndex());
    EXPECT_EQ(2, list->ItemAtPos(third.CenterPoint(), true));
    EXPECT_EQ(-1, list->ItemAtPos(TPoint(5, 95), true)) << "below the last item";
}

TEST_F(WindowTest, OwnerDrawListBoxDrawsAndMeasuresThroughItsEvents)
{
    TForm* form = NewForm();
    auto* list = NewChild<TListBox>(form, 10, 10, 120, 150, clWindow);
    list->SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i)
        list->Items()->Add(L"item");
    list->SetOnMeasureItem(TMeasureItemEvent([](TWinControl*, int index, int& height) { height = 10 + 10 * index; }));
    list->SetOnDrawItem(TDrawItemEvent([&](TWinControl*, int index, TRect rect, TOwnerDrawState) {
        list->Canvas()->Brush()->SetColor(colours[index]);
        list->Canvas()->FillRect(rect);
    }));
    ShowAndPaint(form);

    for (int i = 0; i < 3; ++i) {
        TRect r = list->ItemRect(i);
        EXPECT_EQ(10 + 10 * i, r.Height()) << "item " << i;
        TPoint p = list->ClientToScreen(r.CenterPoint()) - form->ClientOrigin();
        EXPECT_EQ(ColorToRGB(colours[i]), Grab(form->Handle()).ClientPixel(p.x, p.y)) << "item " << i;
    }
}

// ---------------------------------------------------------------------------------------------
// Memos

TEST_F(WindowTest, MemoLinesAreTheLinesOfItsText)
{
    TForm* form = NewForm();
    auto* memo = NewChild<TMemo>(form, 10, 10, 200, 100, clWindow);
    memo->SetText(L"one\r\ntwo\nthree");
    ASSERT_EQ(3, memo->Lines()->Count());
    EXPECT_EQ(L"two", memo->Lines()->Strings(1));
    memo->Lines()->Insert(1, L"one and a half");
    memo->Lines()->Delete(3);
    memo->Lines()->SetStrings(0, L"zero");
    EXPECT_EQ(L"zero\r\none and a half\r\ntwo", memo->Text());
    EXPECT_THROW(memo->Lines()->Strings(3), EStringListError);

    // The same through a window.
    EXPECT_EQ(3, Send(memo, EM_GETLINECOUNT));
    memo->Lines()->Add(L"three");
    EXPECT_EQ(4, Send(memo, EM_GETLINECOUNT));
    memo->Lines()->Clear();
    EXPECT_EQ(0, memo->Lines()->Count());
}

TEST_F(WindowTest, MemoStylesFollowWordWrapScrollBarsAndTheKeysItWants)
{
    TForm* form = NewForm();
    auto* memo = NewChild<TMemo>(form, 10, 10, 200, 100, clWindow);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    EXPECT_TRUE(HasStyle(memo, ES_MULTILINE | WS_VSCROLL));
    EXPECT_FALSE(HasStyle(memo, WS_HSCROLL)) << "a wrapping memo does not scroll sideways";
    EXPECT_FALSE(HasStyle(memo, ES_AUTOHSCROLL));
    memo->SetWordWrap(false);
    EXPECT_TRUE(HasStyle(memo, WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL));

    EXPECT_TRUE(Send(memo, WM_GETDLGCODE) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(Send(memo, WM_GETDLGCODE) & DLGC_WANTTAB);
    memo->SetWantTabs(true);
    memo->SetWantReturns(false);
    EXPECT_TRUE(Send(memo, WM_GETDLGCODE) & DLGC_WANTTAB);
    EXPECT_FALSE(Send(memo, WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

TEST_F(WindowTest, ScrollBarMovesByItsStepsAndTellsEachChangeOnce)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TScrollBar>(form, 10, 10, 150, 17, clBtnFace);
    bar->SetParams(50, 0, 100);
    bar->SetSmallChange(5);
    bar->SetLargeChange(30);
    std::vector<int> changes;
    bar->SetOnChange(TNotifyEvent([&](TObject*) { changes.push_back(bar->Position()); }));
    auto request = [&](WORD code) {
        SendMessageW(form->Handle(), WM_HSCROLL, code, reinterpret_cast<LPARAM>(bar->Handle()));
    };
    request(SB_LINEDOWN);
    request(SB_PAGEDOWN);
    request(SB_PAGEDOWN);
    request(SB_ENDSCROLL);
    request(SB_TOP);
    EXPECT_EQ((std::vector<int>{55, 85, 100, 0}), changes) << "clamped at Max; the end of a scroll moves nothing";
    EXPECT_EQ(0, GetScrollPos(bar->Handle(), SB_CTL));

    // The handler may change where a request goes.
    bar->SetOnScroll(TScrollEvent([](TObject*, TScrollCode code, int& pos) {
        if (code == TScrollCode::scBottom)
            pos = 60;
    }));
    request(SB_BOTTOM);
    EXPECT_EQ(60, bar->Position());

    bar->SetMin(70);
    EXPECT_EQ(70, bar->Position()) << "a new range takes the position along";
    EXPECT_EQ(70, changes.back());
}

TEST_F(WindowTest, ScrollBarKindTurnsTheBarAround)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TScrollBar>(form, 10, 10, 150, 17, clBtnFace);
    bar->SetPosition(30);
    HWND old = bar->Handle();
    bar->SetKind(TScrollBarKind::sbVertical);
    EXPECT_NE(old, bar->Handle());
    EXPECT_TRUE(HasStyle(bar, SBS_VERT));
    EXPECT_EQ(TSize(17, 150), TSize(bar->Width(), bar->Height()));
    EXPECT_EQ(30, GetScrollPos(bar->Handle(), SB_CTL));
}

// ---------------------------------------------------------------------------------------------
// Group boxes

TEST_F(WindowTest, GroupBoxKeepsItsChildrenBelowTheCaptionInsideTheFrame)
{
    TForm* form = NewForm();
    auto* box = NewChild<TGroupBox>(form, 10, 10, 200, 120, clBtnFace);
    box->SetCaption(L"Settings");
    auto* inner = NewChild<TTestPanel>(box, 0, 0, 10, 10, clRed);
    inner->SetAlign(TAlign::alClient);
    ShowAndPaint(form);

    TMemoryDC dc;
    SelectObject(dc.Handle(), box->Font()->Handle());
    SIZE line{};
    GetTextExtentPoint32W(dc.Handle(), L"0", 1, &line);
    EXPECT_EQ(TRect(1, line.cy + 1, 199, 119), inner->BoundsRect());

    // The frame's top line runs through the middle of the caption strip, broken by the caption.
    box->RemoveControl(inner);
    inner->Free();
    box->Repaint();
    testsupport::TGrab grab = Grab(box->Handle());
    int frameTop = line.cy / 2 - 1;
    COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_NE(face, grab.ClientPixel(150, frameTop)) << "the frame line";
    EXPECT_NE(face, grab.ClientPixel(0, 60)) << "the left frame line";
    EXPECT_EQ(face, grab.ClientPixel(100, 60)) << "inside the frame";
    EXPECT_EQ(face, grab.ClientPixel(7, frameTop)) << "the gap in front of the caption";
}
