// The skinned push and speed buttons and their glyph painter: the state a push button shows and
// the colours of each state, window regions by the border's corner type, the region of a button
// that dies before its window took it, the speed button's layout tables, glyph columns and blends,
// the hints a release restores, and the never-skinned class list.
#include <gtest/gtest.h>

#include <filesystem>

#include "pump.h"
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "testpaths.h"
#include "vcl/application.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using vcl::TAlignment;
using vcl::TButtonLayout;
using vcl::TRect;

COLORREF CachePixel(const TsCommonData& Data, int X, int Y)
{
    const uint32_t p = PixelsOf(Data.FCacheBmp.get()).At(X, Y);
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

// The border line of the FLAT test skin's "BUTTON" in state s: its state colour darkened by half.
constexpr COLORREF ButtonBorder(int s) { return RGB(17, 20 + 25 * s, 112); }

class SkinnedButtons : public ::testing::Test {
protected:
    SkinnedButtons()
        : FManager((testsupport::InitializeApplication(),
                    skintest::LoadSkin((std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" /
                                        "testskins" / "FLAT")
                                           .wstring())))
    {
        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(50, 50, 300, 200);
        FForm->Show();
    }

    template<class T>
    T* New(const wchar_t* Section, int Width = 100, int Height = 30)
    {
        auto* control = vcl::Create<T>(FForm.get());
        control->SetBounds(10, 10, Width, Height);
        control->SetParent(FForm.get());
        control->SkinData()->SetSkinSection(Section);
        return control;
    }
    void Pump() const { testsupport::PumpFor(30); }
    static void Enter(vcl::TControl* Control, bool In = true)
    {
        Control->Perform(In ? vcl::CM_MOUSEENTER : vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
    }

    vcl::TObjectPtr<TsSkinManager> FManager;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedButtons, APushButtonShowsPressedOnlyWhileTheMouseHoldingItIsOverIt)
{
    TsButton* button = New<TsButton>(L"BUTTON");
    Pump();
    EXPECT_EQ(button->CurrentState(), 0);
    Enter(button);
    EXPECT_EQ(button->CurrentState(), 1) << "under the mouse";
    button->Perform(BM_SETSTATE, 1, 0);
    EXPECT_EQ(button->CurrentState(), 2) << "pushed by the keyboard";
    button->Perform(BM_SETSTATE, 0, 0);
    Enter(button, false);
    EXPECT_EQ(button->CurrentState(), 0);

    Enter(button);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(button->CurrentState(), 2) << "held with the mouse";
    Enter(button, false);
    EXPECT_NE(button->CurrentState(), 2) << "dragged off while held";
    Enter(button);
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Enter(button, false);
    button->SetDown(true);
    EXPECT_EQ(button->CurrentState(), 2) << "Down";
}

TEST_F(SkinnedButtons, EachStateOfAPushButtonPaintsItsOwnColours)
{
    TsButton* button = New<TsButton>(L"BUTTON");
    Pump();
    const auto border = [&] { return CachePixel(*button->SkinData(), 0, 15); };
    EXPECT_EQ(border(), ButtonBorder(0));
    Enter(button);
    EXPECT_EQ(border(), ButtonBorder(1)) << "CM_MOUSEENTER";
    button->Perform(BM_SETSTATE, 1, 0);
    EXPECT_EQ(border(), ButtonBorder(2)) << "BM_SETSTATE";
    button->Perform(BM_SETSTATE, 0, 0);
    EXPECT_EQ(border(), ButtonBorder(1));
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(border(), ButtonBorder(2)) << "WM_LBUTTONDOWN";
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(border(), ButtonBorder(1)) << "released, still under the mouse";
}

TEST_F(SkinnedButtons, OnlyTheHugeButtonsBorderShapesTheWindow)
{
    TsButton* huge = New<TsButton>(L"BUTTON_HUGE");
    TsButton* round = New<TsButton>(L"BUTTON_ROUND");  // key-colour corners, but probed
    TsButton* plain = New<TsButton>(L"BUTTON");
    for (TsButton* b : {huge, round, plain})
        RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(huge->Handle(), rgn), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "the key corner is cut away";
    EXPECT_FALSE(PtInRegion(rgn, 99, 29));
    EXPECT_TRUE(PtInRegion(rgn, 50, 15));
    EXPECT_TRUE(PtInRegion(rgn, 50, 0));
    EXPECT_EQ(GetWindowRgn(round->Handle(), rgn), ERROR) << "no region";
    EXPECT_EQ(GetWindowRgn(plain->Handle(), rgn), ERROR) << "no region";
    DeleteObject(rgn);
}

TEST_F(SkinnedButtons, ARegionBuiltButNeverHandedToTheWindowDiesWithTheButton)
{
    TsButton* button = New<TsButton>(L"BUTTON_HUGE");
    button->HandleNeeded();
    SendAMessage(button, scmdRenderCache);
    const HRGN pending = button->PendingRegion();
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(GetObjectType(pending), DWORD(OBJ_REGION));
    button->Free();
    EXPECT_EQ(GetObjectType(pending), 0u);
}

// ---------------------------------------------------------------------------------------------
// Speed buttons

TEST(SpeedButtonLayout, MarginsAndTheCaptionAndImageRectangles)
{
    EXPECT_EQ(GenMargin(-1), 0);
    EXPECT_EQ(GenMargin(0), 3);
    EXPECT_EQ(GenMargin(2), 5);

    struct TCase {
        const char* Name;
        TSpeedButtonLayout L;
        TRect Caption;
        int TextLayout;
        TRect Image;
    };
    const auto layout = [](int W, int H, vcl::TSize Glyph, vcl::TSize Text, TButtonLayout Layout, TAlignment Align,
                           int Margin = -1) {
        TSpeedButtonLayout l;
        l.Width = W;
        l.Height = H;
        l.Glyph = Glyph;
        l.Text = Text;
        l.HasCaption = Text.cx > 0;
        l.Layout = Layout;
        l.Alignment = Align;
        l.Margin = Margin;
        return l;
    };
    TSpeedButtonLayout pressed = layout(40, 40, {24, 24}, {0, 0}, TButtonLayout::blGlyphRight, TAlignment::taCenter);
    pressed.Pressed = true;
    pressed.TextOffset = 2;
    pressed.Reflected = true;
    const TCase cases[] = {
        {"language button", layout(160, 35, {0, 0}, {60, 16}, TButtonLayout::blGlyphLeft, TAlignment::taCenter),
         TRect(49, 9, 112, 26), 0, TRect(50, 17, 50, 17)},
        {"tool button", layout(40, 40, {24, 24}, {0, 0}, TButtonLayout::blGlyphRight, TAlignment::taCenter),
         TRect(7, 20, 10, 20), 2, TRect(8, 8, 32, 32)},
        {"left-justified with a margin",
         layout(100, 30, {16, 16}, {40, 14}, TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify, 2),
         TRect(21, 8, 67, 22), 0, TRect(5, 7, 21, 23)},
        {"glyph on top", layout(60, 60, {24, 24}, {30, 14}, TButtonLayout::blGlyphTop, TAlignment::taCenter),
         TRect(14, 37, 47, 51), 1, TRect(19, 9, 43, 33)},
        {"pressed, offset, reflected", pressed, TRect(10, 21, 13, 21), 2, TRect(9, 5, 33, 29)},
    };
    for (const TCase& c : cases) {
        int textLayout = -1;
        EXPECT_EQ(SpeedCaptionRect(c.L, &textLayout), c.Caption) << c.Name;
        EXPECT_EQ(textLayout, c.TextLayout) << c.Name;
        EXPECT_EQ(SpeedImgRect(c.L), c.Image) << c.Name;
    }
}

// A 32-bit glyph strip of Columns columns, each of one colour (0xAARRGGBB).
vcl::TObjectPtr<vcl::TBitmap> GlyphStrip(std::initializer_list<uint32_t> Columns, int Size = 8)
{
    vcl::TObjectPtr<vcl::TBitmap> bmp(vcl::Create<vcl::TBitmap>());
    bmp->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    bmp->SetSize(Size * int(Columns.size()), Size);
    const TPixelView px = PixelsOf(bmp.get());
    int column = 0;
    for (uint32_t colour : Columns) {
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                px.At(column * Size + x, y) = colour;
        ++column;
    }
    return bmp;
}

TEST_F(SkinnedButtons, AHotSpeedButtonDrawsTheSecondColumnOfItsGlyph)
{
    TsSpeedButton* button = New<TsSpeedButton>(L"BUTTON", 40, 40);
    const auto strip = GlyphStrip({0xFFFF0000, 0xFF00FF00, 0xFF0000FF});
    button->SetGlyph(strip.get());
    button->SetNumGlyphs(3);
    Pump();
    const TRect r = button->ImgRect();
    const vcl::TPoint middle(r.left + 4, r.top + 4);
    // The columns are pure primaries; which one shows is the channel near full.
    const auto column = [&] {
        const COLORREF c = CachePixel(*button->SkinData(), middle.x, middle.y);
        const int channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        int found = -1;
        for (int i = 0; i < 3; ++i)
            if (channels[i] > 240)
                found = found == -1 ? i : 9;
            else if (channels[i] > 15)
                return 9;
        return found;
    };
    button->Repaint();
    EXPECT_EQ(column(), 0);
    Enter(button);
    EXPECT_EQ(column(), 1);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(column(), 2) << "pressed";
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(SkinnedButtons, ABlendOf30KeepsSeventyPercentOfTheGlyphsAlphaOnAForeignCanvas)
{
    // The same picture from alpha 200 at blend 30 and from alpha 140 unblended.
    const auto paint = [](uint32_t Glyph, int Blend) {
        const auto strip = GlyphStrip({Glyph});
        vcl::TObjectPtr<vcl::TBitmap> target(vcl::Create<vcl::TBitmap>());
        target->SetPixelFormat(vcl::TPixelFormat::pf32bit);
        target->SetSize(16, 16);
        FillDC(target->Canvas()->Handle(), TRect(0, 0, 16, 16), vcl::TColor(RGB(0, 0, 0)));
        TGlyphSource s;
        s.Glyph = strip.get();
        s.Rect = TRect(4, 4, 12, 12);
        s.Size = {16, 16};
        s.Blend = Blend;
        PaintGlyph(s, target->Canvas());
        return PixelsOf(target.get()).At(8, 8) & 0x00FFFFFF;
    };
    const uint32_t blended = paint(0xC8FF0000, 30);
    EXPECT_EQ(blended, paint(0x8CFF0000, 0));
    EXPECT_NE(blended, paint(0xC8FF0000, 0));
    EXPECT_NE(blended, 0u);
}

TEST_F(SkinnedButtons, AReleaseWithoutAPressLeavesTheHintsAlone)
{
    TsSpeedButton* button = New<TsSpeedButton>(L"BUTTON", 40, 40);
    vcl::Application->SetShowHint(true);
    acHintsSuppressed = false;
    acSavedShowHint = false;  // left over from long ago
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(vcl::Application->ShowHint());

    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(vcl::Application->ShowHint()) << "hidden while pressed";
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(vcl::Application->ShowHint()) << "back after the release";
    EXPECT_FALSE(acHintsSuppressed);
}

TEST(NeverSkinned, TheListHoldsTwoClassNamesMatchedInTheirOwnCase)
{
    const vcl::TStringList& list = NeverSkinnedClasses();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), L"TApplication");
    EXPECT_EQ(list.Strings(1), L"TfcPopup");
    EXPECT_TRUE(IsNeverSkinned(L"TApplication"));
    EXPECT_FALSE(IsNeverSkinned(L"tapplication"));
    EXPECT_FALSE(IsNeverSkinned(L"TForm"));
}

}  // namespace
