// The skinned combo box: the button's rectangle, what a read-only box drops, the scale its items
// follow; the button's states, the field and its selection from the skin; the field's text from
// the cache while the box is not being edited and the native edit while it is; and the colours
// back after the skin goes; the list a real click drops down shows its items. Our skin's combo
// boxes are in the gallery.
#include <gtest/gtest.h>

#include <filesystem>

#include "droppedlist.h"
#include "pump.h"
#include "skin/controls/sComboBox.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "user_input.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using vcl::TComboBoxStyle;
using vcl::TRect;

// State s of the n-th section of a generated test skin, and its font colour.
constexpr COLORREF Flat(int n, int s) { return RGB((20 + 7 * n) % 256, 40 + 50 * s, (235 - 5 * n) % 256); }
constexpr COLORREF ComboTextColour = RGB(10, 20, 30);
// The sections of the "COMBO" test skin.
constexpr int FieldSection = 1, ButtonSection = 2, SelectionSection = 3;

// ---------------------------------------------------------------------------------------------
// Rules

TEST(ComboRules, TheButtonLiesInsideTheFrameAtTheRightOrUnderRightToLeftAtTheLeft)
{
    struct TCase {
        int W, H, ScrollBar;
        bool Button, RightToLeft;
        TRect Expected;
    };
    const TCase cases[] = {
        {75, 42, 17, true, false, TRect(55, 2, 73, 40)},  {95, 34, 20, true, false, TRect(72, 2, 93, 32)},
        {75, 42, 17, false, false, TRect(73, 2, 73, 40)}, {95, 34, 17, true, true, TRect(2, 2, 20, 32)},
        {95, 34, 17, false, true, TRect(2, 2, 2, 32)},
    };
    for (const TCase& c : cases) {
        const TRect r = ComboButtonRect(c.W, c.H, c.ScrollBar, c.Button, c.RightToLeft);
        EXPECT_EQ(r.left, c.Expected.left) << c.W << " " << c.Button << c.RightToLeft;
        EXPECT_EQ(r.top, c.Expected.top);
        EXPECT_EQ(r.right, c.Expected.right) << c.W << " " << c.Button << c.RightToLeft;
        EXPECT_EQ(r.bottom, c.Expected.bottom);
    }
}

TEST(ComboRules, AReadOnlyBoxDropsCharactersTheKeysThatMoveOrOpenAndTheDropDown)
{
    struct TCase {
        UINT Msg;
        WPARAM WParam;
        bool Dropped;
    };
    const TCase cases[] = {
        {WM_CHAR, '5', true},
        {WM_CHAR, VK_RETURN, true},
        {WM_KEYDOWN, VK_SPACE, true},
        {WM_KEYDOWN, VK_PRIOR, true},
        {WM_KEYDOWN, VK_END, true},
        {WM_KEYDOWN, VK_HOME, true},
        {WM_KEYDOWN, VK_LEFT, true},
        {WM_KEYDOWN, VK_DOWN, true},
        {WM_KEYDOWN, 'A', true},
        {WM_KEYDOWN, 'Z', true},
        {WM_KEYDOWN, VK_F4, true},
        {WM_KEYDOWN, '9', true},
        {WM_KEYDOWN, '0', false},
        {WM_KEYDOWN, '8', false},
        {WM_KEYDOWN, VK_INSERT, false},
        {WM_KEYDOWN, VK_DELETE, false},
        {WM_KEYDOWN, VK_F3, false},
        {WM_KEYDOWN, VK_RETURN, false},
        {WM_KEYDOWN, VK_NUMPAD9, false},
        {WM_SYSKEYDOWN, VK_DOWN, true},
        {WM_SYSCHAR, 'C', true},
        {vcl::CN_KEYDOWN, 'Q', true},
        {vcl::CN_SYSKEYDOWN, VK_UP, true},
        {vcl::CN_SYSCHAR, 'a', false},
        {WM_KEYUP, VK_DOWN, false},
        {WM_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), true},
        {vcl::CN_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), true},
        {vcl::CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ReadOnlyComboDrops(c.Msg, c.WParam), c.Dropped) << std::hex << c.Msg << " " << c.WParam;
}

TEST(ComboRules, TheEditAndListOfAReadOnlyBoxLoseEditingButKeepCopy)
{
    for (UINT msg : {UINT(WM_KEYDOWN), UINT(WM_KEYUP), UINT(WM_CHAR), UINT(WM_SYSKEYUP), UINT(WM_CUT), UINT(WM_PASTE),
                     UINT(WM_CLEAR), UINT(WM_UNDO), vcl::CN_KEYDOWN, vcl::CN_CHAR, vcl::CN_SYSKEYDOWN, vcl::CN_SYSCHAR})
        EXPECT_TRUE(ReadOnlyComboChildDrops(msg)) << std::hex << msg;
    for (UINT msg : {UINT(WM_COPY), UINT(WM_SYSKEYDOWN), UINT(WM_LBUTTONDOWN), UINT(WM_PAINT)})
        EXPECT_FALSE(ReadOnlyComboChildDrops(msg)) << std::hex << msg;
}

TEST(ComboRules, TheScaleStaysReducedSoScalingBackAndForthNeverOverflows)
{
    TComboScale scale = ScaledBy(TComboScale{}, 2, 1);
    EXPECT_EQ(scale.M, 2);
    EXPECT_EQ(scale.D, 1);
    for (int i = 0; i < 1000; ++i)
        scale = ScaledBy(ScaledBy(scale, 96, 120), 120, 96);
    EXPECT_EQ(scale.M, 2);
    EXPECT_EQ(scale.D, 1);
    scale = ScaledBy(TComboScale{}, 96, 120);
    EXPECT_EQ(scale.M, 4);
    EXPECT_EQ(scale.D, 5);
}

// ---------------------------------------------------------------------------------------------
// On a form, in a test skin

// A combo box whose scale tests may change.
class TScalableCombo : public TsComboBox {
public:
    using TsComboBox::ChangeScale;
    using TsComboBox::TsComboBox;
};

class SkinnedCombo : public ::testing::Test {
protected:
    explicit SkinnedCombo(const char* Skin = "COMBO")
        : FManager((testsupport::InitializeApplication(),
                    skintest::LoadSkin((std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" /
                                        "testskins" / Skin)
                                           .wstring())))
    {
        FManager->SendNewSkin(false);
        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(50, 50, 320, 200);
        FForm->Show();
        FOther = vcl::Create<vcl::TEdit>(FForm.get());
        FOther->SetBounds(10, 150, 80, 24);
        FOther->SetParent(FForm.get());
    }

    template <class T = TsComboBox>
    T* New(TComboBoxStyle Style = TComboBoxStyle::csDropDown, int Top = 10)
    {
        auto* combo = vcl::Create<T>(FForm.get());
        combo->SetStyle(Style);
        combo->SetBounds(10, Top, 150, 30);
        for (const wchar_t* item : {L"1", L"7", L"15"})
            combo->Items()->Add(item);
        combo->SetParent(FForm.get());
        Paint(combo);
        return combo;
    }
    static void Paint(vcl::TWinControl* Control)
    {
        RedrawWindow(Control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testsupport::PumpFor(30);
    }
    // Renders the combo box anew and paints it.
    static void Render(TsComboBox* Combo)
    {
        Combo->SkinData()->BGChanged = true;
        Paint(Combo);
    }
    static COLORREF CachePixel(TsComboBox* Combo, int X, int Y)
    {
        return skin::test::CachePixel(*Combo->SkinData(), X, Y);
    }
    // The pixels of the window that differ from the cache, in the area R.
    static int DifferingFromCacheIn(TsComboBox* Combo, const TRect& R)
    {
        const testsupport::TGrab grab = testsupport::Grab(Combo->Handle());
        int differing = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                differing += grab.ClientPixel(x, y) != CachePixel(Combo, x, y);
        return differing;
    }
    static int CountIn(TsComboBox* Combo, const TRect& R, COLORREF Colour, bool FromScreen)
    {
        const testsupport::TGrab grab = testsupport::Grab(Combo->Handle());
        int count = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                count += (FromScreen ? grab.ClientPixel(x, y) : CachePixel(Combo, x, y)) == Colour;
        return count;
    }
    // The field inside the frame, left of the button.
    static TRect Field(TsComboBox* Combo) { return TRect(3, 3, Combo->ButtonRect().left - 1, Combo->Height() - 3); }

    vcl::TObjectPtr<TsSkinManager> FManager;
    vcl::TObjectPtr<vcl::TForm> FForm;
    vcl::TEdit* FOther = nullptr;
};

TEST_F(SkinnedCombo, TheButtonShowsItsNormalHotAndDroppedDownFacesAndTheArrowOverThem)
{
    TsComboBox* combo = New();
    ASSERT_TRUE(combo->SkinData()->Skinned(true));
    EXPECT_EQ(combo->SkinData()->SkinSection(), vcl::String(L"COMBOBOX"));
    const TRect b = combo->ButtonRect();
    EXPECT_EQ(b.Width(), GetSystemMetrics(SM_CXVSCROLL) + 1);
    EXPECT_EQ(b.right, combo->Width() - 2);
    EXPECT_EQ(combo->ButtonHeight(), 8) << "one frame of the arrow";
    const int glyphX = b.left + (b.Width() - 8) / 2, glyphY = (combo->Height() - 8) / 2;
    // The button's border line in each state, its face (the hot colour serves above state 1), and
    // the arrow over it.
    const auto border = [&] { return CachePixel(combo, b.left, b.top + 5); };
    const auto face = [&] { return CachePixel(combo, b.left + 2, b.top + 2); };
    const auto arrow = [&] { return CachePixel(combo, glyphX + 4, glyphY + 4); };
    const auto borderOf = [](int State) { return RGB(17, 20 + 25 * State, 112); };
    EXPECT_EQ(border(), borderOf(0));
    EXPECT_EQ(face(), Flat(ButtonSection, 0));
    EXPECT_EQ(arrow(), Flat(FieldSection, 0));

    combo->Perform(vcl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(combo));
    testsupport::PumpFor(20);
    EXPECT_EQ(border(), borderOf(1)) << "under the mouse";
    EXPECT_EQ(face(), Flat(ButtonSection, 1));
    EXPECT_EQ(arrow(), Flat(FieldSection, 1));

    combo->SetDroppedDown(true);
    Render(combo);
    EXPECT_EQ(border(), borderOf(2)) << "dropped down";
    EXPECT_EQ(face(), Flat(ButtonSection, 1));
    EXPECT_EQ(arrow(), Flat(FieldSection, 1)) << "the arrow's last frame";
    EXPECT_EQ(SendAMessage(combo->Handle(), scmdDroppedDown), 1);
    combo->SetDroppedDown(false);
    EXPECT_EQ(border(), borderOf(1)) << "closing renders the box at once";
    EXPECT_EQ(SendAMessage(combo->Handle(), scmdDroppedDown), 0);
}

TEST_F(SkinnedCombo, WithoutTheButtonTheFieldReachesThreePixelsFromTheRightEdge)
{
    TsComboBox* combo = New();
    combo->SetShowButton(false);
    Render(combo);
    const TRect b = combo->ButtonRect();
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(Field(combo).right, combo->Width() - 3);
    for (int x = combo->Width() - 4; x > combo->Width() - 24; --x)
        EXPECT_EQ(CachePixel(combo, x, 5), Flat(FieldSection, 0)) << x;
}

TEST_F(SkinnedCombo, AnUnfocusedBoxShowsItsTextFromTheCacheAFocusedOneItsNativeEdit)
{
    TsComboBox* combo = New();
    combo->SetText(L"15");
    FOther->SetFocus();
    Render(combo);
    const TRect whole(0, 0, combo->Width(), combo->Height());
    EXPECT_GT(CountIn(combo, Field(combo), ComboTextColour, false), 0) << "the text lies in the cache";
    EXPECT_EQ(DifferingFromCacheIn(combo, whole), 0) << "the edit window paints nothing";

    combo->SetFocus();
    testsupport::PumpFor(30);
    ASSERT_TRUE(combo->Focused());
    const TRect b = combo->ButtonRect();
    for (const TRect& kept :
         {TRect(0, 0, combo->Width(), 3), TRect(0, combo->Height() - 3, combo->Width(), combo->Height()),
          TRect(0, 0, 3, combo->Height()), b})
        EXPECT_EQ(DifferingFromCacheIn(combo, kept), 0) << "the frame and the button stay the cache's";
    EXPECT_GT(CountIn(combo, Field(combo), GetSysColor(COLOR_HIGHLIGHT), true), 0)
        << "the edit window shows its selected text";

    FOther->SetFocus();
    testsupport::PumpFor(30);
    EXPECT_EQ(DifferingFromCacheIn(combo, whole), 0) << "back to the cache";
}

// The edit window writes the text where the cache's field had it, so the text stays put when the
// box is being edited; the caret is hidden, the selection empty at the end. Without the skin the
// edit window has the margins of a plain box's.
TEST_F(SkinnedCombo, TheFieldsTextStaysWhereTheCacheHadItWhenTheBoxIsBeingEdited)
{
    TsComboBox* combo = New();
    combo->SetText(L"MMM");
    FOther->SetFocus();
    Render(combo);
    const testsupport::TGrab idleGrab = testsupport::Grab(combo->Handle());
    const TRect field = Field(combo).Offsetted(idleGrab.ClientOrigin.x, idleGrab.ClientOrigin.y);
    const COLORREF face = Flat(FieldSection, 0);
    const vcl::TPoint idle = skin::test::InkCorner(idleGrab, field, face);
    ASSERT_GE(idle.x, 0) << "the cache shows the text";

    combo->SetFocus();
    SendMessageW(combo->EditHandle(), EM_SETSEL, 3, 3);
    HideCaret(combo->EditHandle());
    testsupport::PumpFor(30);
    ASSERT_TRUE(combo->Focused());
    ASSERT_GT(DifferingFromCacheIn(combo, Field(combo)), 0) << "the edit window paints the field";
    const vcl::TPoint edited = skin::test::InkCorner(testsupport::Grab(combo->Handle()), field, face);
    EXPECT_EQ(edited.x, idle.x);
    EXPECT_EQ(edited.y, idle.y);

    auto* plain = vcl::Create<vcl::TComboBox>(FForm.get());
    plain->SetBounds(10, 50, 150, 30);
    plain->SetParent(FForm.get());
    SendAMessage(combo->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(FManager.get()));
    const auto margins = [](HWND Edit) { return SendMessageW(Edit, EM_GETMARGINS, 0, 0); };
    EXPECT_EQ(margins(combo->EditHandle()), margins(plain->EditHandle()));
}

TEST_F(SkinnedCombo, AFocusedDropDownListPaintsItsFieldAsSelected)
{
    TsComboBox* combo = New(TComboBoxStyle::csDropDownList);
    combo->SetItemIndex(2);
    combo->SetFocus();
    Render(combo);
    const TRect field = Field(combo);
    EXPECT_EQ(CachePixel(combo, field.right - 3, field.top + 2), Flat(SelectionSection, 1));
    EXPECT_GT(CountIn(combo, field, ComboTextColour, false), 0) << "the item's text in the selection's font colour";
    EXPECT_EQ(DifferingFromCacheIn(combo, TRect(0, 0, combo->Width(), combo->Height())), 0);

    FOther->SetFocus();
    Render(combo);
    EXPECT_EQ(CachePixel(combo, field.right - 3, field.top + 2), Flat(FieldSection, 0)) << "no selection";
}

TEST_F(SkinnedCombo, ItemsAreMeasuredByTheTextHeightOfTheFontAndTheScale)
{
    auto* combo = New<TScalableCombo>();
    const auto textHeight = [&] { return GetStringSize(combo->Font()->Handle(), L"A").cy; };
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), textHeight() + 2);
    const HWND before = combo->Handle();
    combo->ChangeScale(2, 1);
    EXPECT_EQ(combo->Scale().M, 2);
    EXPECT_EQ(combo->Scale().D, 1);
    EXPECT_FALSE(IsWindow(before)) << "the window is made anew";
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 2 * textHeight() + 2);
}

TEST_F(SkinnedCombo, AReadOnlyBoxKeepsItsTextAndSelectionAndAClickOnlyFocusesIt)
{
    TsComboBox* combo = New();
    combo->SetItemIndex(0);
    combo->SetReadOnly(true);
    int doubleClicks = 0;
    combo->SetOnDblClick(vcl::TNotifyEvent([&](vcl::TObject*) { ++doubleClicks; }));
    FOther->SetFocus();
    SendMessageW(combo->EditHandle(), WM_CHAR, 'x', 1);
    SendMessageW(combo->EditHandle(), WM_KEYDOWN, VK_DOWN, 1);
    combo->Perform(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo->Text(), vcl::String(L"1"));
    EXPECT_EQ(combo->ItemIndex(), 0);

    const TRect b = combo->ButtonRect();
    SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.left + 2, b.top + 2));
    SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(b.left + 2, b.top + 2));
    testsupport::PumpFor(20);
    EXPECT_TRUE(combo->Focused());
    EXPECT_FALSE(combo->DroppedDown());
    SendMessageW(combo->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(b.left + 2, b.top + 2));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(combo->DroppedDown());

    combo->SetReadOnly(false);
    SendMessageW(combo->EditHandle(), WM_KEYDOWN, VK_DOWN, 1);
    testsupport::PumpFor(20);
    EXPECT_EQ(combo->ItemIndex(), 1) << "editable again";
}

TEST_F(SkinnedCombo, WithoutTheSkinTheBoxTakesTheWindowColoursUnlessItKeepsItsOwn)
{
    TsComboBox* plain = New();
    TsComboBox* own = New(TComboBoxStyle::csDropDown, 50);
    own->SkinData()->SetCustomColor(true);
    own->SetColor(vcl::TColor(0xF2F2F2));
    EXPECT_EQ(plain->Color(), vcl::TColor(Flat(FieldSection, 0))) << "the section's colour";
    for (TsComboBox* c : {plain, own})
        SendAMessage(c->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(FManager.get()));
    EXPECT_FALSE(plain->SkinData()->Skinned());
    EXPECT_EQ(plain->Color(), vcl::clWindow);
    EXPECT_EQ(plain->Font()->Color(), vcl::clWindowText);
    EXPECT_EQ(own->Color(), vcl::TColor(0xF2F2F2));
}

// Until the list is skinned the system paints its background and the box its items, unselected
// ones in the skin's edit colours, whether or not the box holds the focus. A user drops the list
// with a click on the button, or with a click on another control that opens it, which keeps the
// focus; Escape closes it.
class DroppedCombo : public SkinnedCombo {
protected:
    DroppedCombo()
        : FBackground(vcl::ColorToRGB(FManager->GetActiveEditColor())),
          FText(vcl::ColorToRGB(FManager->GetActiveEditFontColor()))
    {
    }

    // The list shows the box's three items, each on the list's background.
    void ExpectItemsShown(HWND List)
    {
        ASSERT_NE(List, nullptr) << "dropped down";
        ASSERT_TRUE(IsWindowVisible(List));
        EXPECT_TRUE(
            testsupport::PumpUntil([&] { return testsupport::ShowsItemsIn(List, 3, FBackground, FText); }, 3000))
            << "the list paints its background and its items";
        EXPECT_EQ(testsupport::ShownListTexts(List), (std::vector<std::wstring>{L"1", L"7", L"15"}));
    }
    void CloseWithEscape(TsComboBox* Combo)
    {
        FInput.Key("Escape");
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !Combo->DroppedDown(); }));
    }

    testsupport::UserInput FInput;
    const COLORREF FBackground, FText;
};

TEST_F(DroppedCombo, AClickOnTheButtonDropsDownTheListWithEveryItemShown)
{
    ASSERT_NE(FBackground, FText);
    for (const TComboBoxStyle style :
         {TComboBoxStyle::csDropDown, TComboBoxStyle::csDropDownList, TComboBoxStyle::csOwnerDrawFixed}) {
        SCOPED_TRACE(testing::Message() << "style " << int(style));
        TsComboBox* combo = New(style);
        FOther->SetFocus();
        ExpectItemsShown(testsupport::DropDownByClick(FInput, combo, combo->ButtonRect()));
        CloseWithEscape(combo);
        combo->Free();
    }
}

TEST_F(DroppedCombo, AListOpenedFromAnotherControlShowsItsItemsThoughTheFocusStaysThere)
{
    for (const TComboBoxStyle style : {TComboBoxStyle::csDropDown, TComboBoxStyle::csDropDownList}) {
        SCOPED_TRACE(testing::Message() << "style " << int(style));
        TsComboBox* combo = New(style);
        auto* opener = vcl::Create<vcl::TButton>(FForm.get());
        opener->SetBounds(200, 10, 80, 30);
        opener->SetParent(FForm.get());
        opener->SetOnClick(vcl::TNotifyEvent([&](vcl::TObject*) { combo->SetDroppedDown(true); }));
        testsupport::PumpFor(30);
        FInput.Click(testsupport::ScreenPointOf(opener->Handle(), opener->ClientRect().CenterPoint()));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return combo->DroppedDown(); }));
        EXPECT_TRUE(opener->Focused());
        ExpectItemsShown(combo->ListHandle());
        // The keys go to the focused opener; a click beside the list closes it.
        FInput.Click(testsupport::ScreenPointOf(FForm->Handle(), POINT{FForm->ClientWidth() - 20, 120}));
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !combo->DroppedDown(); }));
        opener->Free();
        combo->Free();
    }
}

// The same box in a skin with a field alone.
class PlainSkinnedCombo : public SkinnedCombo {
protected:
    PlainSkinnedCombo() : SkinnedCombo("COMBOPLAIN") {}
};

TEST_F(PlainSkinnedCombo, WithoutSelectionSectionAFocusedListIsFilledWithTheHighlightAndFramed)
{
    TsComboBox* combo = New(TComboBoxStyle::csDropDownList);
    combo->SetItemIndex(0);
    combo->SetFocus();
    Render(combo);
    const TRect field = Field(combo);
    EXPECT_EQ(CachePixel(combo, field.right - 4, field.top + 3), GetSysColor(COLOR_HIGHLIGHT));
    const TRect frameColumn(field.right - 1, field.top, field.right, field.bottom);
    EXPECT_LT(CountIn(combo, frameColumn, GetSysColor(COLOR_HIGHLIGHT), false), field.Height()) << "the focus frame";
    EXPECT_EQ(combo->ButtonHeight(), 16) << "no arrow";
    const TRect b = combo->ButtonRect();
    EXPECT_EQ(CachePixel(combo, b.left + 1, b.top + 1), Flat(FieldSection, 1)) << "no button section: the field";
}

}  // namespace
