// Labels, edits, buttons and combo boxes under a real display.
#include "windowing_fixtures.h"

#include "vcl/stdctrls.h"

using namespace vcl;
using namespace wintest;
using testsupport::Grab;
using testsupport::PumpFor;

namespace {

// The size DrawTextW gives the text in the control's font (wrapped at width with DT_WORDBREAK),
// measured here at run time.
TSize MeasureText(TControl* control, const String& text, UINT flags = DT_EXPANDTABS, int width = 0)
{
    TMemoryDC dc;
    HGDIOBJ old = SelectObject(dc.Handle(), control->Font()->Handle());
    RECT r{0, 0, width, 0};
    DrawTextW(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    SelectObject(dc.Handle(), old);
    return TSize(r.right, r.bottom);
}

void SendChars(HWND wnd, const String& text)
{
    for (wchar_t c : text)
        SendMessageW(wnd, WM_CHAR, c, 1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Labels

TEST_F(WindowTest, LabelRemeasuresOnlyOnARealCaptionOrFontChange)
{
    TForm* form = NewForm();
    auto* label = NewChild<TLabel>(form, 10, 10, 65, 17, clBtnFace);
    label->SetCaption(L"Threshold");
    TSize first = MeasureText(label, L"Threshold");
    EXPECT_EQ(first.cx, label->Width());
    EXPECT_EQ(first.cy, label->Height());

    label->SetWidth(200);
    label->SetCaption(L"Threshold");
    EXPECT_EQ(200, label->Width()) << "the same caption again keeps an explicit width";

    label->SetCaption(L"Threshold level");
    EXPECT_EQ(MeasureText(label, L"Threshold level").cx, label->Width()) << "a new caption measures at once";

    label->Font()->SetHeight(-24);
    TSize big = MeasureText(label, L"Threshold level");
    EXPECT_EQ(big.cx, label->Width());
    EXPECT_EQ(big.cy, label->Height());
}

// An opaque label fills its background while the style says so; taking csOpaque away (as the skin
// does to let the parent show) leaves the property as it was set.
TEST_F(WindowTest, LabelTransparencyIsThePropertyAndTheStyleIsWhatPaints)
{
    TForm* form = NewForm();
    form->SetColor(clBlue);
    auto* label = NewChild<TLabel>(form, 10, 10, 60, 20, clRed);
    label->SetAutoSize(false);
    label->SetCaption(L"");
    EXPECT_FALSE(label->Transparent());
    EXPECT_TRUE(label->ControlStyle().Contains(TControlStyleItem::csOpaque));
    ShowAndPaint(form);
    PumpFor(50);
    EXPECT_EQ(Grab(form->Handle()).ClientPixel(12, 12), COLORREF(RGB(255, 0, 0)));

    TControlStyle style = label->ControlStyle();
    style >> TControlStyleItem::csOpaque;
    label->SetControlStyle(style);
    EXPECT_FALSE(label->Transparent()) << "the property is the label's own";
    form->Repaint();
    PumpFor(50);
    EXPECT_EQ(Grab(form->Handle()).ClientPixel(12, 12), COLORREF(RGB(0, 0, 255))) << "the style paints";

    label->SetTransparent(true);
    EXPECT_TRUE(label->Transparent());
    label->SetTransparent(false);
    EXPECT_TRUE(label->ControlStyle().Contains(TControlStyleItem::csOpaque));
}

TEST_F(WindowTest, LabelMeasuresEmptyCaptionsAsABlankAndKeepsTheRightEdgeWhenRightJustified)
{
    TForm* form = NewForm();
    auto* label = NewChild<TLabel>(form, 100, 10, 65, 17, clBtnFace);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetCaption(L"Some text");
    EXPECT_EQ(165, label->Left() + label->Width());
    label->SetCaption(L"");
    EXPECT_EQ(MeasureText(label, L" ").cx, label->Width());
    EXPECT_EQ(MeasureText(label, L" ").cy, label->Height());
    EXPECT_EQ(165, label->Left() + label->Width());
}

TEST_F(WindowTest, WordWrappedLabelKeepsItsWidthAndGrowsDown)
{
    TForm* form = NewForm();
    auto* label = NewChild<TLabel>(form, 10, 10, 80, 17, clBtnFace);
    label->SetWordWrap(true);
    String text = L"one two three four five six seven eight";
    label->SetCaption(text);
    EXPECT_EQ(80, label->Width());
    EXPECT_EQ(MeasureText(label, text, DT_WORDBREAK | DT_EXPANDTABS, 80).cy, label->Height());
    EXPECT_GT(label->Height(), MeasureText(label, L"one").cy);
}

TEST_F(WindowTest, LabelWaitsForLoadedBeforeMeasuring)
{
    TForm* form = NewForm();
    BeginLoading(form);
    auto* label = Create<TLabel>(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 6, 23);
    label->SetCaption(L"Loaded text");
    EXPECT_EQ(6, label->Width());
    EndLoading(form);
    EXPECT_EQ(MeasureText(label, L"Loaded text").cx, label->Width());
}

// ---------------------------------------------------------------------------------------------
// Edits

TEST_F(WindowTest, EditDropsACharacterItsKeyPressHandlerZeroes)
{
    TForm* form = NewForm();
    auto* edit = NewChild<TEdit>(form, 10, 10, 100, 24, clWindow);
    int changes = 0;
    edit->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    edit->SetOnKeyPress(TKeyPressEvent([](TObject*, wchar_t& key) {
        if (key < L'0' || key > L'9')
            key = 0;
    }));
    SendChars(edit->Handle(), L"1x2");
    EXPECT_EQ(L"12", edit->Text());
    EXPECT_EQ(2, changes);
}

TEST_F(WindowTest, EditAlignmentRecreatesTheWindowKeepingTextAndSelection)
{
    TForm* form = NewForm();
    auto* edit = NewChild<TEdit>(form, 10, 10, 120, 24, clWindow);
    ShowAndPaint(form);
    SendChars(edit->Handle(), L"typed 42");
    edit->SetSelStart(2);
    edit->SetSelLength(3);
    HWND before = edit->Handle();

    edit->SetAlignment(TAlignment::taCenter);
    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_NE(before, edit->Handle());
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_CENTER);
    EXPECT_EQ(L"typed 42", edit->Text());
    EXPECT_EQ(2, edit->SelStart());
    EXPECT_EQ(3, edit->SelLength());
}

TEST_F(WindowTest, EditSelectionAndTextSetBeforeTheWindowArriveInIt)
{
    TForm* form = NewForm();
    auto* edit = NewChild<TEdit>(form, 10, 10, 120, 24, clWindow);
    edit->SetText(L"0,0");
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    edit->SetReadOnly(true);
    EXPECT_FALSE(edit->HandleAllocated());
    HWND wnd = edit->Handle();
    EXPECT_EQ(L"0,0", edit->Text());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(2u, end);
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & ES_READONLY);
}

// The bevels are the skinned edits' business: stored and kept by a new window, never a frame of the
// system's edit.
TEST_F(WindowTest, EditBevelsAreKeptWithoutChangingTheSystemFrame)
{
    TForm* form = NewForm();
    auto* plain = NewChild<TEdit>(form, 10, 10, 120, 24, clWindow);
    auto* bevelled = NewChild<TEdit>(form, 10, 40, 120, 24, clWindow);
    EXPECT_EQ(TBevelKind::bkNone, bevelled->BevelKind());
    EXPECT_EQ(TBevelCut::bvRaised, bevelled->BevelInner());
    EXPECT_EQ(TBevelCut::bvLowered, bevelled->BevelOuter());
    bevelled->SetBevelKind(TBevelKind::bkFlat);
    bevelled->SetBevelInner(TBevelCut::bvNone);
    bevelled->SetBevelOuter(TBevelCut::bvRaised);
    ShowAndPaint(form);
    bevelled->SetAlignment(TAlignment::taCenter);  // a new window
    EXPECT_EQ(TBevelKind::bkFlat, bevelled->BevelKind());
    EXPECT_EQ(TBevelCut::bvNone, bevelled->BevelInner());
    EXPECT_EQ(TBevelCut::bvRaised, bevelled->BevelOuter());
    RECT a, b;
    GetClientRect(plain->Handle(), &a);
    GetClientRect(bevelled->Handle(), &b);
    EXPECT_TRUE(EqualRect(&a, &b));
}

TEST_F(WindowTest, EditColorShowsInItsBackground)
{
    TForm* form = NewForm();
    const TColor band = TColor(0x00F2F2F2);
    struct Case {
        bool Enabled;
        bool ReadOnly;
    };
    // Enabled edits ask with WM_CTLCOLOREDIT, disabled and read-only ones with WM_CTLCOLORSTATIC.
    for (Case c : {Case{true, false}, Case{true, true}, Case{false, true}}) {
        auto* edit = NewChild<TEdit>(form, 10, 10, 120, 30, band);
        edit->SetReadOnly(c.ReadOnly);
        edit->SetEnabled(c.Enabled);
        ShowAndPaint(form);
        EXPECT_EQ(COLORREF(0xF2F2F2), Grab(form->Handle()).ClientPixel(70, 25)) << c.Enabled << c.ReadOnly;
        edit->Free();
    }
}

// ---------------------------------------------------------------------------------------------
// Buttons

TEST_F(WindowTest, ButtonClickFiresOnClickAndHandsItsModalResultToTheForm)
{
    TForm* form = NewForm();
    auto* button = NewChild<TButton>(form, 10, 10, 75, 25, clBtnFace);
    button->SetModalResult(mrYes);
    int clicks = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    ShowAndPaint(form);
    PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(10, 10));
    PostMessageW(button->Handle(), WM_LBUTTONUP, 0, PointToLParam(10, 10));
    PumpFor(30);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(mrYes, form->ModalResult());
}

TEST_F(WindowTest, CheckBoxCyclesItsOwnStateAndRadioButtonsExcludeEachOther)
{
    TForm* form = NewForm();
    auto* box = NewChild<TCheckBox>(form, 10, 10, 100, 17, clBtnFace);
    box->SetAllowGrayed(true);
    int clicks = 0;
    box->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    const TCheckBoxState cycle[] = {TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked};
    for (TCheckBoxState expected : cycle) {
        SendMessageW(box->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(expected, box->State());
        EXPECT_EQ(static_cast<LRESULT>(expected), SendMessageW(box->Handle(), BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(3, clicks);

    auto* a = NewChild<TRadioButton>(form, 10, 40, 100, 17, clBtnFace);
    auto* b = NewChild<TRadioButton>(form, 10, 60, 100, 17, clBtnFace);
    a->SetChecked(true);
    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(a->Handle(), BM_GETCHECK, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// Combo boxes

TEST_F(WindowTest, ComboChangeFiresOnUserActionsOnly)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TComboBox>(form, 10, 10, 120, 24, clWindow);
    for (const wchar_t* item : {L"  1", L"  7", L"  15"})
        combo->Items()->Add(item);
    std::vector<String> seen;
    combo->SetOnChange(TNotifyEvent([&](TObject*) { seen.push_back(combo->Text()); }));
    ShowAndPaint(form);

    combo->SetItemIndex(1);
    EXPECT_TRUE(seen.empty()) << "selecting by code";
    EXPECT_EQ(L"  7", combo->Text());

    SendMessageW(combo->EditHandle(), WM_KEYDOWN, VK_DOWN, 1);
    PumpFor(20);
    ASSERT_EQ(1u, seen.size()) << "a selection from the list";
    EXPECT_EQ(L"  15", seen[0]) << "the text is the item's when OnChange runs";
    EXPECT_EQ(2, combo->ItemIndex());

    seen.clear();
    combo->SetText(L"");
    SendChars(combo->EditHandle(), L"42");
    ASSERT_EQ(2u, seen.size()) << "one per keystroke";
    EXPECT_EQ(L"42", seen[1]);
}

TEST_F(WindowTest, ComboKeepsItemsWithoutAWindowAndReadsMissingItemsAsEmpty)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TComboBox>(form, 10, 10, 120, 24, clWindow);
    combo->Items()->Add(L"0,1...1");
    combo->Items()->Add(L"0,1...4");
    combo->SetText(L"0.1..10");
    EXPECT_EQ(L"", combo->Items()->Strings(99));
    EXPECT_EQ(-1, combo->ItemIndex());
    EXPECT_FALSE(combo->HandleAllocated());

    HWND wnd = combo->Handle();
    ASSERT_EQ(2, SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    wchar_t buffer[32] = {};
    SendMessageW(wnd, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(L"0,1...4", buffer);
    EXPECT_EQ(L"0.1..10", combo->Text());

    combo->Items()->Clear();
    EXPECT_EQ(0, SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"0.1..10", combo->Text()) << "clearing the items keeps the text";
    combo->Items()->Add(L"  3");
    combo->SetItemIndex(0);
    combo->RecreateWnd();
    EXPECT_EQ(0, combo->ItemIndex());
    EXPECT_EQ(L"  3", combo->Text());
}

namespace {

// An owner-drawn combo box that answers the measure and counts the items drawn itself.
class TMeasuringCombo : public TComboBox {
public:
    using TComboBox::TComboBox;
    int Drawn = 0;

protected:
    void CNMeasureItem(TMessage& Message) override
    {
        reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = 30;
        Message.Result = TRUE;
    }
    void CNDrawItem(TMessage& Message) override
    {
        ++Drawn;
        TComboBox::CNDrawItem(Message);
    }
};

}  // namespace

TEST_F(WindowTest, ADerivedComboAnswersTheMeasureAndSeesEveryDrawnItem)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TMeasuringCombo>(form, 10, 10, 120, 24, clWindow);
    combo->SetStyle(TComboBoxStyle::csOwnerDrawVariable);
    combo->Items()->Add(L"a");
    combo->SetItemIndex(0);
    ShowAndPaint(form);
    EXPECT_EQ(30, SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GT(combo->Drawn, 0) << "the field of the drop-down list";
}

TEST_F(WindowTest, ComboTellsDropDownAndCloseUp)
{
    TForm* form = NewForm();
    auto* combo = NewChild<TComboBox>(form, 10, 10, 120, 24, clWindow);
    combo->Items()->Add(L"a");
    std::vector<String> events;
    combo->SetOnDropDown(TNotifyEvent([&](TObject*) { events.push_back(L"drop"); }));
    combo->SetOnCloseUp(TNotifyEvent([&](TObject*) { events.push_back(L"close"); }));
    ShowAndPaint(form);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    combo->SetDroppedDown(false);
    PumpFor(20);
    EXPECT_EQ((std::vector<String>{L"drop", L"close"}), events);
}

TEST_F(WindowTest, AutoSelectSelectsAnEditEnteredByTheKeyboard)
{
    TForm* form = NewForm();
    auto* first = NewChild<TEdit>(form, 10, 10, 100, 22, clWindow);
    auto* selecting = NewChild<TEdit>(form, 10, 40, 100, 22, clWindow);
    auto* keeping = NewChild<TEdit>(form, 10, 70, 100, 22, clWindow);
    selecting->SetText(L"Zirvane");
    keeping->SetText(L"Zirvane");
    keeping->SetAutoSelect(false);
    ShowAndPaint(form);
    first->SetFocus();
    for (TEdit* edit : {selecting, keeping}) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        testsupport::PumpFor(20);
        ASSERT_TRUE(edit->Focused());
        EXPECT_EQ(edit == selecting ? 7 : 0, edit->SelLength()) << edit->AutoSelect();
    }
}
