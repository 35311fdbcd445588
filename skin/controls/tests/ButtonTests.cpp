// The skinned push, bitmap and speed buttons and their glyph painter: the state a push button shows
// and the colours of each state, its greyed caption without a skin, window regions by the border's
// corner type (in a test skin and in ours), the region of a button that dies before its window took
// it, the drop-down menus, actions, the speed button's layout tables, glyph columns, blends and glyph
// changes, the bitmap button's reflected glyph and cut caption, the hints a release restores, and
// the never-skinned class list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "testpaths.h"
#include "vcl/actnlist.h"
#include "vcl/application.h"
#include "vcl/forms.h"
#include "vcl/menus.h"

namespace {

using namespace skin;
using skin::test::CachePixel;
using vcl::TAlignment;
using vcl::TButtonLayout;
using vcl::TRect;

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

// A caption is measured in the button's own font, also right after that font changed (when the
// cache's canvas holds the system font until something writes): a caption that fits on one line
// in its font shows as one line, centred, though the system font would wrap it.
TEST_F(SkinnedButtons, ACaptionIsMeasuredInTheButtonsFontRightAfterAFontChange)
{
    const vcl::String caption = L"Enter the configuration";
    vcl::TObjectPtr<vcl::TBitmap> probe(vcl::Create<vcl::TBitmap>());
    probe->SetSize(10, 10);
    probe->Canvas()->Font()->SetName(L"Tahoma");
    probe->Canvas()->Font()->SetHeight(-11);
    const vcl::TSize text = probe->Canvas()->TextExtent(caption);
    const int width = text.cx + 12;  // the caption's room, the border's 2 on each side taken
    {
        const TCanvasLock lock(probe->Canvas());
        const HDC dc = probe->Canvas()->Handle();
        const HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
        SIZE system{};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &system);
        SelectObject(dc, old);
        if (system.cx <= width)
            GTEST_SKIP() << "the system font is no wider here";
    }
    const auto written = [&](vcl::TControl* Button, TsCommonData& Data) {
        const vcl::String name = Button->ClassName();
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        Button->SetBounds(10, 10, width, 40);
        Button->SetCaption(caption);
        Button->Repaint();
        Pump();
        Button->Font()->SetName(L"Tahoma");
        Button->Font()->SetHeight(-11);
        Button->Repaint();
        Pump();
        const COLORREF face = CachePixel(Data, 3, 3);
        int top = 40, bottom = -1;
        for (int y = 3; y < 37; ++y)
            for (int x = 3; x < width - 3; ++x)
                if (CachePixel(Data, x, y) != face) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_LE(top, bottom) << "the caption is written";
        EXPECT_LE(bottom - top + 1, text.cy) << "one line";
        EXPECT_NEAR(top + bottom, 40, text.cy / 2) << "centred";
    };
    TsButton* push = New<TsButton>(L"BUTTON");
    written(push, *push->SkinData());
    TsBitBtn* bitmap = New<TsBitBtn>(L"BUTTON");
    written(bitmap, *bitmap->SkinData());
    TsSpeedButton* speed = New<TsSpeedButton>(L"BUTTON");
    written(speed, *speed->SkinData());
}

// Without a skin the system's face shows; a disabled button's caption is engraved in the
// shadow and highlight colours, an enabled one's written in the font colour.
TEST_F(SkinnedButtons, WithoutASkinADisabledCaptionIsGreyed)
{
    const auto inkOf = [](TsButton* Button, COLORREF Colour) {
        const testsupport::TGrab grab = testsupport::Grab(Button->Handle());
        int count = 0;
        for (int y = 4; y < Button->Height() - 4; ++y)
            for (int x = 4; x < Button->Width() - 4; ++x)
                count += grab.ClientPixel(x, y) == Colour;
        return count;
    };
    TsButton* enabled = New<TsButton>(L"NOSUCHSECTION");
    TsButton* disabled = New<TsButton>(L"NOSUCHSECTION");
    disabled->SetTop(50);
    disabled->SetEnabled(false);
    for (TsButton* button : {enabled, disabled})
        button->SetCaption(L"Wide caption");
    Pump();
    ASSERT_FALSE(disabled->SkinData()->Skinned());
    const COLORREF font = vcl::ColorToRGB(disabled->Font()->Color());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_GT(inkOf(enabled, font), 0);
    EXPECT_EQ(inkOf(enabled, shadow), 0);
    EXPECT_EQ(inkOf(disabled, font), 0);
    EXPECT_GT(inkOf(disabled, shadow), 0);
    EXPECT_GT(inkOf(disabled, highlight), 0);
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

TEST(HugeButtonBorder, AnImageOfNoHeightShapesNothingAndPaintsNoBorder)
{
    testsupport::InitializeApplication();
    // The huge button's border image of mask type -1: a value the skin may hold, without rows.
    skintest::TTempSkin dir;
    dir.WriteOptions("[GLOBALINFO]\nVERSION=8.00\n[BUTTON_HUGE]\nSTATES=3\nCOLOR=3158064\n"
                     "BORDERSMASK=!MASTER.BMP!3!-1!0!0004!0004!0004!0004!1\n");
    dir.WriteMaster(36, 12, 0xC01010);
    const vcl::TObjectPtr<TsSkinManager> manager = skintest::LoadSkin(dir.Folder());
    const int border = manager->GetMaskIndex(L"BUTTON_HUGE", L"BORDERSMASK");
    ASSERT_GE(border, 0) << "the value loads";
    ASSERT_EQ(manager->ma[size_t(border)].MaskType, -1);
    ASSERT_EQ(manager->ma[size_t(border)].CornerType, 2);

    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(50, 50, 200, 100);
    auto* button = vcl::Create<TsButton>(form.get());
    button->SetBounds(10, 10, 100, 30);
    button->SetParent(form.get());
    button->SkinData()->SetSkinSection(L"BUTTON_HUGE");
    form->Show();
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpFor(30);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(button->Handle(), rgn), SIMPLEREGION) << "no corner is cut away";
    EXPECT_TRUE(PtInRegion(rgn, 0, 0));
    DeleteObject(rgn);
    EXPECT_NE(CachePixel(*button->SkinData(), 1, 1), RGB(0xC0, 0x10, 0x10)) << "no border painted";
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
         TRect(49, 9, 112, 26), TRect(50, 17, 50, 17)},
        {"tool button", layout(40, 40, {24, 24}, {0, 0}, TButtonLayout::blGlyphRight, TAlignment::taCenter),
         TRect(7, 20, 10, 20), TRect(8, 8, 32, 32)},
        {"left-justified with a margin",
         layout(100, 30, {16, 16}, {40, 14}, TButtonLayout::blGlyphLeft, TAlignment::taLeftJustify, 2),
         TRect(21, 8, 67, 22), TRect(5, 7, 21, 23)},
        {"glyph on top", layout(60, 60, {24, 24}, {30, 14}, TButtonLayout::blGlyphTop, TAlignment::taCenter),
         TRect(14, 37, 47, 51), TRect(19, 9, 43, 33)},
        {"pressed, offset, reflected", pressed, TRect(10, 21, 13, 21), TRect(9, 5, 33, 29)},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SpeedCaptionRect(c.L), c.Caption) << c.Name;
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

// ---------------------------------------------------------------------------------------------
// The rest of the push button's states, its menu and its action

// Ends the menu about to open, from inside the menu's own loop.
void CloseMenuSoon()
{
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR Id, DWORD) {
        KillTimer(nullptr, Id);
        EndMenu();
    });
}

vcl::TPopupMenu* NewMenu(vcl::TComponent* Owner)
{
    auto* menu = vcl::Create<vcl::TPopupMenu>(Owner);
    auto* item = vcl::Create<vcl::TMenuItem>(Owner);
    item->SetCaption(L"Item");
    menu->Items()->Add(item);
    return menu;
}

TEST_F(SkinnedButtons, FocusThePressedPaintAndAnOpenMenuShowAsTheirStates)
{
    TsButton* button = New<TsButton>(L"BUTTON");
    TsButton* other = New<TsButton>(L"BUTTON");
    other->SetTop(60);
    Pump();
    const auto border = [&] { return CachePixel(*button->SkinData(), 0, 15); };
    button->SetFocus();
    Pump();
    EXPECT_EQ(button->CurrentState(), 1) << "focused";
    EXPECT_EQ(border(), ButtonBorder(1)) << "the look of the focus, though it came with the redrawing off";
    other->SetFocus();
    Pump();
    EXPECT_EQ(button->CurrentState(), 0);
    EXPECT_EQ(border(), ButtonBorder(0));

    acPressedPaint = true;
    EXPECT_EQ(button->CurrentState(), 2) << "acPressedPaint";
    acPressedPaint = false;

    button->SetStyle(TButtonStyle::bsSplitButton);
    button->SetDropDownMenu(NewMenu(FForm.get()));
    int stateWhileOpen = -1;
    COLORREF borderWhileOpen = 0;
    button->DropDownMenu()->SetOnPopup(vcl::TNotifyEvent([&](vcl::TObject*) {
        stateWhileOpen = button->CurrentState();
        borderWhileOpen = border();
        CloseMenuSoon();
    }));
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(stateWhileOpen, -1) << "a press left of the drop-down part is an ordinary press";
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button->Width() - 5, 5));
    EXPECT_EQ(stateWhileOpen, 2) << "DroppedDown";
    EXPECT_EQ(borderWhileOpen, ButtonBorder(2));
    EXPECT_FALSE(button->DroppedDown());
    EXPECT_NE(button->CurrentState(), 2) << "the menu closed, the system button never pushed";

    button->DropDownMenu()->Free();
    EXPECT_EQ(button->DropDownMenu(), nullptr);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button->Width() - 5, 5));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(button->Width() - 5, 5));
}

TEST_F(SkinnedButtons, ADisabledActionDisablesTheButtonAndItsLook)
{
    TsButton* button = New<TsButton>(L"BUTTON");
    Pump();
    const COLORREF enabled = CachePixel(*button->SkinData(), 0, 15);
    auto* action = vcl::Create<vcl::TAction>(FForm.get());
    button->SetAction(action);
    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    button->SetEnabled(true);
    button->Perform(vcl::CM_ACTIONUPDATE, 0, 0);
    EXPECT_FALSE(button->Enabled()) << "an action update gives the action's state";

    button->SetEnabled(true);
    button->Repaint();
    EXPECT_NE(CachePixel(*button->SkinData(), 0, 15), enabled) << "enabled, but its action is not";
    action->SetEnabled(true);
    button->Repaint();
    EXPECT_EQ(CachePixel(*button->SkinData(), 0, 15), enabled);
}

TEST_F(SkinnedButtons, OurMenuButtonsGetNoWindowRegion)
{
    const auto ours = skintest::LoadSkin(
        (std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)").wstring());
    ours->SendNewSkin(false);
    auto* button = vcl::Create<TsButton>(FForm.get());
    button->SkinData()->SetSkinManager(ours.get());
    button->SetBounds(10, 10, 120, 30);
    button->SetParent(FForm.get());
    button->SkinData()->SetSkinSection(L"MENUBTN");
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    ASSERT_TRUE(button->SkinData()->Skinned());
    ASSERT_GE(button->SkinData()->BorderIndex, 0) << "MENUBTN has a border";
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(button->Handle(), rgn), ERROR);
    DeleteObject(rgn);
    EXPECT_EQ(button->PendingRegion(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Bitmap buttons

TEST_F(SkinnedButtons, ABitmapButtonsRegionBuiltButNeverHandedOverDiesWithIt)
{
    TsBitBtn* button = New<TsBitBtn>(L"BUTTON_HUGE");
    button->HandleNeeded();
    SendAMessage(button, scmdRenderCache);
    const HRGN pending = button->PendingRegion();
    ASSERT_NE(pending, nullptr);
    button->Free();
    EXPECT_EQ(GetObjectType(pending), 0u);

    TsBitBtn* shown = New<TsBitBtn>(L"BUTTON_HUGE");
    RedrawWindow(shown->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(shown->Handle(), rgn), COMPLEXREGION) << "a painted one hands its region over";
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    DeleteObject(rgn);
}

TEST_F(SkinnedButtons, AReflectedGlyphIsLiftedBySixthOfItsWidth)
{
    TsBitBtn* button = New<TsBitBtn>(L"BUTTON", 100, 40);
    const auto glyph = GlyphStrip({0xFFFF0000}, 1);
    glyph->SetSize(30, 12);
    button->SetGlyph(glyph.get());
    button->Repaint();
    const TRect plain = button->ImgRect();
    EXPECT_EQ(plain.Width(), 30);
    EXPECT_EQ(plain.Height(), 12);
    button->SetReflected(true);
    button->Repaint();
    const TRect lifted = button->ImgRect();
    EXPECT_EQ(lifted.left, plain.left);
    EXPECT_EQ(plain.top - lifted.top, 5) << "30 div 6, not 12 div 6";
}

TEST_F(SkinnedButtons, ABitmapButtonsCaptionTooLongForItEndsInAnEllipsis)
{
    TsBitBtn* button = New<TsBitBtn>(L"BUTTON", 70, 30);
    button->SetWordWrap(false);
    const vcl::String caption = L"Apply the new threshold";
    button->SetCaption(caption);
    button->Repaint();
    const TRect r = button->CaptionRect();
    ASSERT_GE(r.left, 0);
    ASSERT_LE(r.right, 70) << "the caption keeps inside the button";

    // The ink of the caption row, button against what the system writes with an end ellipsis
    // into the same rectangle with the same font.
    const TsCommonData& data = *button->SkinData();
    vcl::TObjectPtr<vcl::TBitmap> expected(vcl::Create<vcl::TBitmap>());
    expected->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    expected->SetSize(70, 30);
    FillDC(expected->Canvas()->Handle(), TRect(0, 0, 70, 30), vcl::TColor(RGB(255, 255, 255)));
    expected->Canvas()->SetFont(button->Font());
    expected->Canvas()->Font()->SetColor(vcl::clBlack);
    expected->Canvas()->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    {
        const TCanvasLock lock(expected->Canvas());
        TRect at = r;
        expected->Canvas()->TextRect(at, caption,
                                     UINT(GetStringFlags(button, vcl::TAlignment::taCenter)) | DT_END_ELLIPSIS |
                                         DT_EXPANDTABS);
    }
    const COLORREF face = CachePixel(data, 35, 2);  // under the border line of 2, above the text
    const auto lastInk = [&](auto Ink) {
        int last = -1;
        for (int x = 0; x < 70; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (Ink(x, y))
                    last = x;
        return last;
    };
    const int drawn = lastInk([&](int x, int y) {
        const COLORREF c = CachePixel(data, x, y);
        return c != face && c != ButtonBorder(0);
    });
    const int measured = lastInk([&](int x, int y) {
        return (PixelsOf(expected.get()).At(x, y) & 0xFFFFFF) != 0xFFFFFF;
    });
    ASSERT_GT(measured, 0);
    EXPECT_NEAR(drawn, measured, 1) << "the text stops where the ellipsis ends";
    EXPECT_LT(drawn, 68) << "not cut at the button's edge";
}

// ---------------------------------------------------------------------------------------------
// Speed buttons: menu, style, glyph changes, batches

TEST_F(SkinnedButtons, ASpeedButtonsMenuOpensFromItsArrowPartAndLetsGoWhenFreed)
{
    TsSpeedButton* button = New<TsSpeedButton>(L"BUTTON", 60, 30);
    button->SetButtonStyle(vcl::TToolButtonStyle::tbsDropDown);
    EXPECT_EQ(button->Width(), 76) << "widened by its arrow part";
    button->SetDropdownMenu(NewMenu(FForm.get()));
    int clicks = 0;
    button->SetOnClick(vcl::TNotifyEvent([&](vcl::TObject*) { ++clicks; }));
    bool droppedWhileOpen = false;
    vcl::TObject* openedBy = nullptr;
    button->DropdownMenu()->SetOnPopup(vcl::TNotifyEvent([&](vcl::TObject*) {
        droppedWhileOpen = button->DroppedDown();
        openedBy = acDroppedDownControl;
        CloseMenuSoon();
    }));
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(droppedWhileOpen) << "with OnClick, only the arrow part opens the menu";
    EXPECT_EQ(clicks, 1);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 5));
    EXPECT_TRUE(droppedWhileOpen);
    EXPECT_EQ(openedBy, button);
    EXPECT_FALSE(button->DroppedDown());
    EXPECT_EQ(acDroppedDownControl, nullptr);
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(70, 5));

    button->DropdownMenu()->Free();
    EXPECT_EQ(button->DropdownMenu(), nullptr);
    button->SetButtonStyle(vcl::TToolButtonStyle::tbsButton);
    EXPECT_EQ(button->Width(), 60) << "narrowed again";
}

TEST_F(SkinnedButtons, AGlyphLoadedAtRunTimeShowsAtOnce)
{
    TsSpeedButton* button = New<TsSpeedButton>(L"BUTTON", 40, 40);
    button->SetGlyph(GlyphStrip({0xFFFF0000}).get());
    Pump();
    const TRect r = button->ImgRect();
    const auto shown = [&] { return CachePixel(*button->SkinData(), r.left + 4, r.top + 4); };
    EXPECT_GT(GetRValue(shown()), 240);
    EXPECT_LT(GetGValue(shown()), 15);
    button->Glyph()->Assign(GlyphStrip({0xFF00FF00}).get());  // as the sound button's is loaded
    Pump();
    EXPECT_LT(GetRValue(shown()), 15);
    EXPECT_GT(GetGValue(shown()), 240);
}

TEST_F(SkinnedButtons, ABatchHoldsBackOnlyTheGlyphValuesRepaints)
{
    TsSpeedButton* button = New<TsSpeedButton>(L"BUTTON", 40, 40);
    Pump();
    TsCommonData& data = *button->SkinData();
    data.CtrlSkinState |= cssBatch;
    button->SetBlend(30);
    EXPECT_TRUE(data.BGChanged) << "Blend waits for the batch's end";
    button->SetAlignment(TAlignment::taLeftJustify);
    EXPECT_FALSE(data.BGChanged) << "Alignment repaints at once";
    button->SetGrayed(true);
    EXPECT_TRUE(data.BGChanged) << "Grayed waits";
    data.CtrlSkinState &= ~cssBatch;
}

TEST_F(SkinnedButtons, AReleaseGivesBackOnlyTheHintsItsOwnPressHid)
{
    TsSpeedButton* first = New<TsSpeedButton>(L"BUTTON", 40, 40);
    TsBitBtn* second = New<TsBitBtn>(L"BUTTON");
    second->SetTop(60);
    Pump();
    vcl::Application->SetShowHint(true);
    acHintsSuppressed = false;
    second->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(vcl::Application->ShowHint()) << "a release without a press";
    first->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(vcl::Application->ShowHint());
    second->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    second->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(vcl::Application->ShowHint()) << "the other press did not hide them";
    first->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(vcl::Application->ShowHint());
    EXPECT_FALSE(acHintsSuppressed);
    vcl::Application->SetShowHint(false);
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
