// The skinned edit, memo and masked edit: the border widths and the text rectangle, what an
// inactive edit shows for its text and hint, the whole window from the cache while inactive, the
// system's painting inside the skin's hot border while focused, the disabled blend, a colour of the
// edit's own, the memo that never renders a cache and is made anew when the skin goes, and the
// masked edit's border and graphic children.
#include <gtest/gtest.h>

#include "skin/controls/sEdit.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/tests/ControlFixtures.h"
#include "skin/graphics/BitmapView.h"

namespace {

using namespace skin;
using skin::test::CachePixel;
using skin::test::DifferingFromCache;
using skin::test::FormColour;
using skin::test::InkCorner;
using skin::test::PutInForce;
using skin::test::Px;
using skin::test::ShownForm;
using skin::test::TColourBox;
using skin::test::TTestSkin;
using vcl::TColor;
using vcl::TRect;

TEST(EditFrames, BorderWidthsByBorderCtl3DAndBevels)
{
    struct TCase {
        TEditFrame Frame;
        int NcPaint, Print, ChildShift;
    };
    const TCase cases[] = {
        {{true, true, 0, false}, 2, 2, 2},   {{true, false, 0, false}, 1, 1, 1}, {{true, true, 2, true}, 2, 2, 2},
        {{false, true, 2, false}, 2, 0, -1}, {{false, true, 1, true}, 1, 0, -1}, {{false, false, 0, true}, 0, 0, -1},
    };
    for (const TCase& c : cases) {
        const TEditBorderWidths w = EditBorderWidths(c.Frame);
        SCOPED_TRACE(testing::Message() << c.Frame.Border << c.Frame.Ctl3D << c.Frame.Bevels << c.Frame.BevelKind);
        EXPECT_EQ(w.NcPaint, c.NcPaint);
        EXPECT_EQ(w.Print, c.Print);
        EXPECT_EQ(w.ChildShift, c.ChildShift);
    }
}

TEST(EditFrames, TheTextLiesInsideTheBorderAndTheBevelsOfAKind)
{
    struct TCase {
        TEditFrame Frame;
        TRect Text;
    };
    const TCase cases[] = {
        {{true, true, 2, false}, TRect(3, 3, 97, 28)},  // bevels of no kind take no room
        {{true, false, 0, false}, TRect(2, 2, 98, 29)}, {{true, true, 2, true}, TRect(5, 5, 95, 26)},
        {{true, true, 1, true}, TRect(4, 4, 96, 27)},   {{false, true, 2, true}, TRect(0, 0, 100, 30)},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(EditTextRect(c.Frame, 100, 30), c.Text)
            << c.Frame.Border << c.Frame.Ctl3D << c.Frame.Bevels << c.Frame.BevelKind;
}

TEST(EditFrames, AStarShowsAsABlackCircleAndAnyOtherPasswordCharacterAsItself)
{
    EXPECT_EQ(EditShownText(L"abc", L'*'), L"\x25CF\x25CF\x25CF");
    EXPECT_EQ(EditShownText(L"abc", L'#'), L"###");
    EXPECT_EQ(EditShownText(L"abc", 0), L"abc");
    EXPECT_EQ(EditShownText(L"", L'*'), L"");
}

// ---------------------------------------------------------------------------------------------

constexpr COLORREF Normal = RGB(200, 100, 40);
constexpr COLORREF Hot = RGB(240, 220, 60);
constexpr COLORREF BorderColour[] = {RGB(90, 10, 10), RGB(10, 10, 190)};
constexpr COLORREF EditTextColour = RGB(1, 2, 3);
constexpr int BorderSide = 2;

// Half of each channel of A and B, for sums that are even.
constexpr COLORREF Half(COLORREF A, COLORREF B)
{
    return RGB((GetRValue(A) + GetRValue(B)) / 2, (GetGValue(A) + GetGValue(B)) / 2, (GetBValue(A) + GetBValue(B)) / 2);
}

// "EDIT": a flat section in two states with a border image 2 pixels wide in each state's colour.
class SkinnedEdits : public ::testing::Test {
protected:
    SkinnedEdits() : FSkin(10, 5)
    {
        PutInForce(FSkin);
        const int edit = FSkin.AddSection(L"EDIT", TColor(Normal), TColor(Hot));
        for (TsGenState& state : FSkin.Section(edit).Props)
            state.FontColor = {TColor(EditTextColour), TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
        FSkin.Section(edit).BorderIndex = FSkin.AddImage(
            {TRect(0, 0, 10, 5), 2, 0, BorderSide, BorderSide, BorderSide, BorderSide, 1}, L"EDIT", L"BORDERSMASK");
        for (int s = 0; s < 2; ++s) {
            const COLORREF c = BorderColour[s];
            FSkin.Fill(TRect(5 * s, 0, 5 * s + 5, 5), Px(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
        FForm = ShownForm(320, 260, FormColour);
    }

    template <class T>
    T* New(int Top, const wchar_t* Text = L"")
    {
        auto* edit = vcl::Create<T>(FForm.get());
        edit->SetBounds(10, Top, 120, 30);
        edit->SetText(Text);
        edit->SetParent(FForm.get());
        return edit;
    }
    void Paint() const
    {
        RedrawWindow(FForm->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(50);
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedEdits, AnInactiveEditShowsItsWholeWindowFromTheCache)
{
    TsEdit* edit = New<TsEdit>(10, L"MMM");
    Paint();
    ASSERT_TRUE(edit->SkinData()->Skinned());
    EXPECT_EQ(DifferingFromCache(edit), 0);
    const testsupport::TGrab grab = testsupport::Grab(edit->Handle());
    EXPECT_EQ(grab.Pixel(0, 15), BorderColour[0]);
    EXPECT_EQ(grab.Pixel(1, 15), BorderColour[0]) << "the skin's border covers the system's frame";
    EXPECT_EQ(grab.Pixel(110, 25), Normal);
}

TEST_F(SkinnedEdits, AFocusedEditIsPaintedByTheSystemInsideTheSkinsHotBorder)
{
    TsEdit* edit = New<TsEdit>(10, L"MMM");
    Paint();
    edit->SetFocus();
    testsupport::PumpFor(50);
    ASSERT_TRUE(edit->Focused());
    const testsupport::TGrab grab = testsupport::Grab(edit->Handle());
    EXPECT_EQ(grab.Pixel(0, 15), BorderColour[1]);
    EXPECT_EQ(grab.Pixel(1, 15), BorderColour[1]);
    // The cache holds the hot section; the system's edit paints its client in the edit's colour,
    // which the skin made the section's normal one.
    EXPECT_EQ(CachePixel(*edit->SkinData(), 110, 25), Hot);
    EXPECT_EQ(edit->Color(), TColor(Normal));
    EXPECT_EQ(grab.ClientPixel(105, 20), Normal);

    auto* other = vcl::Create<vcl::TEdit>(FForm.get());
    other->SetBounds(10, 60, 120, 30);
    other->SetParent(FForm.get());
    other->SetFocus();
    testsupport::PumpFor(50);
    EXPECT_EQ(DifferingFromCache(edit), 0) << "inactive again";
    EXPECT_EQ(testsupport::Grab(edit->Handle()).Pixel(0, 15), BorderColour[0]);
}

// The system's edit writes the text where the cache had it, so the text stays put when the edit
// takes the focus, at the left as in the middle; the caret is hidden, the selection empty at the
// end.
TEST_F(SkinnedEdits, TheTextStaysWhereTheCacheHadItWhenTheEditTakesTheFocus)
{
    TsEdit* edit = New<TsEdit>(10, L"MMM");
    TsEdit* centred = New<TsEdit>(50, L"MMM");
    centred->SetAlignment(vcl::TAlignment::taCenter);
    auto* masked = New<TsMaskEdit>(90, L"MMM");
    Paint();
    for (vcl::TCustomEdit* e : std::initializer_list<vcl::TCustomEdit*>{edit, centred, masked}) {
        SCOPED_TRACE(e->Top());
        const TRect inside(BorderSide, BorderSide, e->Width() - BorderSide, e->Height() - BorderSide);
        ASSERT_EQ(DifferingFromCache(e), 0) << "inactive";
        const vcl::TPoint idle = InkCorner(testsupport::Grab(e->Handle()), inside, Normal);
        ASSERT_GE(idle.x, 0) << "the cache shows the text";
        e->SetFocus();
        SendMessageW(e->Handle(), EM_SETSEL, 3, 3);
        HideCaret(e->Handle());
        testsupport::PumpFor(50);
        ASSERT_TRUE(e->Focused());
        ASSERT_GT(DifferingFromCache(e), 0) << "the system paints the active edit";
        const vcl::TPoint focused = InkCorner(testsupport::Grab(e->Handle()), inside, Normal);
        EXPECT_EQ(focused.x, idle.x);
        EXPECT_EQ(focused.y, idle.y);
    }
}

TEST_F(SkinnedEdits, WithoutTheSkinAnEditHasTheMarginsOfAPlainEdit)
{
    TsEdit* edit = New<TsEdit>(10, L"MMM");
    auto* masked = New<TsMaskEdit>(50, L"MMM");
    auto* plain = New<vcl::TEdit>(90, L"MMM");
    Paint();
    const auto margins = [](vcl::TWinControl* Edit) { return SendMessageW(Edit->Handle(), EM_GETMARGINS, 0, 0); };
    for (vcl::TWinControl* e : std::initializer_list<vcl::TWinControl*>{edit, masked}) {
        SendAMessage(e, scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
        EXPECT_EQ(margins(e), margins(plain)) << e->ClassName();
    }
}

TEST_F(SkinnedEdits, ADisabledEditIsBlendedWithWhatLiesBeneath)
{
    TsEdit* edit = New<TsEdit>(10);
    edit->SetEnabled(false);
    Paint();
    const testsupport::TGrab grab = testsupport::Grab(edit->Handle());
    EXPECT_EQ(grab.Pixel(60, 15), Half(Normal, FormColour));
    EXPECT_EQ(grab.Pixel(0, 15), Half(BorderColour[0], FormColour));
    edit->SetDisabledKind({});
    Paint();
    EXPECT_EQ(testsupport::Grab(edit->Handle()).Pixel(60, 15), Normal);
}

TEST_F(SkinnedEdits, AnEditWithAColourOfItsOwnShowsThatColour)
{
    constexpr COLORREF Band = RGB(255, 255, 0);
    TsEdit* edit = New<TsEdit>(10, L"1");
    edit->SkinData()->SetCustomColor(true);
    edit->SetColor(TColor(Band));
    Paint();
    EXPECT_EQ(testsupport::Grab(edit->Handle()).Pixel(110, 25), Band);
    EXPECT_EQ(testsupport::Grab(edit->Handle()).Pixel(0, 15), BorderColour[0]);
}

// What the inactive edit shows for a password: its cache is the one of an edit that holds the
// characters shown.
TEST_F(SkinnedEdits, APasswordShowsBlackCirclesForStarsAndOtherCharactersAsThemselves)
{
    const auto sameCaches = [](vcl::TWinControl* A, vcl::TWinControl* B) {
        const TPixelView a = PixelsOf(SkinDataOf(A)->FCacheBmp.get());
        const TPixelView b = PixelsOf(SkinDataOf(B)->FCacheBmp.get());
        int differing = 0;
        for (int y = 0; y < a.Height; ++y)
            for (int x = 0; x < a.Width; ++x)
                differing += a.At(x, y) != b.At(x, y);
        return differing == 0;
    };
    TsEdit* star = New<TsEdit>(10, L"abc");
    star->SetPasswordChar(L'*');
    TsEdit* circles = New<TsEdit>(45, L"\x25CF\x25CF\x25CF");
    TsEdit* stars = New<TsEdit>(80, L"***");
    TsEdit* hash = New<TsEdit>(115, L"abc");
    hash->SetPasswordChar(L'#');
    TsEdit* hashes = New<TsEdit>(150, L"###");
    auto* masked = New<TsMaskEdit>(10, L"abc");
    masked->SetLeft(150);
    masked->SetPasswordChar(L'*');
    auto* maskedStars = New<TsMaskEdit>(45, L"***");
    maskedStars->SetLeft(150);
    Paint();
    EXPECT_TRUE(sameCaches(star, circles));
    EXPECT_FALSE(sameCaches(star, stars));
    EXPECT_TRUE(sameCaches(hash, hashes));
    EXPECT_TRUE(sameCaches(masked, maskedStars)) << "the masked edit shows its own character";
}

TEST_F(SkinnedEdits, AnEmptyEditShowsItsHintInTheInactiveCaptionTextColour)
{
    const COLORREF hint = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    ASSERT_NE(hint, Normal);
    const auto hintPixels = [&](vcl::TWinControl* Edit) {
        const testsupport::TGrab grab = testsupport::Grab(Edit->Handle());
        int count = 0;
        for (int y = BorderSide; y < Edit->Height() - BorderSide; ++y)
            for (int x = BorderSide; x < Edit->Width() - BorderSide; ++x)
                count += grab.Pixel(x, y) == hint;
        return count;
    };
    TsEdit* empty = New<TsEdit>(10);
    empty->SetTextHint(L"Address");
    TsEdit* filled = New<TsEdit>(50, L"7");
    filled->SetTextHint(L"Address");
    Paint();
    EXPECT_GT(hintPixels(empty), 0);
    EXPECT_EQ(hintPixels(filled), 0);
}

TEST_F(SkinnedEdits, TheMemoKeepsTheSystemsPaintingAndIsMadeAnewWhenTheSkinGoes)
{
    TsMemo* memo = New<TsMemo>(10, L"Line one");
    Paint();
    ASSERT_TRUE(memo->SkinData()->Skinned());
    EXPECT_EQ(memo->SkinData()->SkinSection(), L"EDIT");
    EXPECT_EQ(memo->SkinData()->FCacheBmp->Width(), 0) << "no cache rendered";
    EXPECT_EQ(memo->Color(), TColor(Normal)) << "the section's colour";
    const HWND before = memo->Handle();
    SendAMessage(memo, scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    EXPECT_NE(memo->Handle(), before);
    EXPECT_EQ(memo->Text(), L"Line one");
    EXPECT_EQ(memo->Color(), vcl::clWindow);
}

TEST_F(SkinnedEdits, TheMaskedEditsBorderIsTheSystemFrameWideOrThreeWithCtl3D)
{
    auto* masked = New<TsMaskEdit>(10, L"12");
    EXPECT_EQ(masked->BorderWidth(), 3);
    masked->SetCtl3D(false);
    EXPECT_EQ(masked->BorderWidth(), 2);
    masked->SetBorderStyle(vcl::TBorderStyle::bsNone);
    EXPECT_EQ(masked->BorderWidth(), 0);
}

TEST_F(SkinnedEdits, AnInactiveMaskedEditShowsItsCacheAndAFocusedOneTheHotBorder)
{
    auto* masked = New<TsMaskEdit>(10, L"12");
    Paint();
    EXPECT_EQ(DifferingFromCache(masked), 0);
    EXPECT_EQ(testsupport::Grab(masked->Handle()).Pixel(0, 15), BorderColour[0]);
    masked->SetFocus();
    testsupport::PumpFor(50);
    const testsupport::TGrab grab = testsupport::Grab(masked->Handle());
    EXPECT_EQ(grab.Pixel(1, 15), BorderColour[1]);
    EXPECT_EQ(grab.ClientPixel(105, 20), Normal) << "the system paints the client area";
}

TEST_F(SkinnedEdits, WithoutItsSectionAMaskedEditPaintsItsGraphicChildrenItself)
{
    auto* masked = New<TsMaskEdit>(10, L"12");
    masked->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    ASSERT_FALSE(masked->SkinData()->Skinned());
    masked->SetColor(TColor(RGB(250, 250, 250)));
    auto* box = vcl::Create<TColourBox>(FForm.get(), RGB(0, 0, 255));
    box->SetBounds(100, 4, 20, 12);
    box->SetParent(masked);
    Paint();
    const testsupport::TGrab grab = testsupport::Grab(masked->Handle());
    EXPECT_EQ(grab.ClientPixel(110, 10), RGB(0, 0, 255));
    EXPECT_EQ(grab.ClientPixel(112, 20), RGB(250, 250, 250));
}

}  // namespace
