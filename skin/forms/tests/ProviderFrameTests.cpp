// A skinned form's measures and the picture of its frame in the provider's cache, over the frame
// test skin, with the system's frame sizes read at run time.
#include "ProviderFixtures.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/menus.h"

using namespace skin;
using skintest::AllIcons;
using skintest::ButtonColour;
using skintest::FlatColour;
using skintest::ProviderTest;
using skintest::Rgb;
using skintest::TLoggingForm;
using vcl::TBorderIcon;
using vcl::TFormBorderStyle;
using vcl::TRect;

namespace {

// A title button's rectangle: its right edge, the skin's 24 x 18 images centred in the caption.
TRect ButtonAt(int Right, int Border, int Caption, int Width = 24)
{
    const int top = (Border + Caption - 18) / 2;
    return TRect(Right - Width, top, Right, top + 18);
}

}  // namespace

TEST_F(ProviderTest, SystemButtonsByBorderIconsAndSystemMenu)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    EXPECT_TRUE(p->HaveSysMenu);
    EXPECT_EQ(p->SysButtonsCount(), 2) << "close and minimise";
    form->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biHelp});
    EXPECT_EQ(p->SysButtonsCount(), 3);
    p->HaveSysMenu = false;
    EXPECT_EQ(p->SysButtonsCount(), 0);
}

TEST_F(ProviderTest, ButtonSizesFallBackTo21WithoutImages)
{
    TsSkinProvider* p = NewForm()->Provider;
    EXPECT_EQ(p->ButtonHeight(), 18);
    EXPECT_EQ(p->SysButtonWidth(p->ButtonClose), 24);
    p->ButtonClose.ImageIndex = -1;
    EXPECT_EQ(p->ButtonHeight(), 21);
    EXPECT_EQ(p->SysButtonWidth(p->ButtonClose), 21);
}

TEST_F(ProviderTest, CaptionHeightByStyleAndState)
{
    EXPECT_EQ(NewForm()->Provider->CaptionHeight(), Sys.Caption);
    EXPECT_EQ(NewForm(TFormBorderStyle::bsNone)->Provider->CaptionHeight(), 0) << "no caption";
    TLoggingForm* tool = NewForm(TFormBorderStyle::bsToolWindow);
    EXPECT_EQ(tool->Provider->CaptionHeight(), Sys.SmallCaption);
    SetWindowLongPtrW(tool->Handle(), GWL_STYLE, GetWindowLongPtrW(tool->Handle(), GWL_STYLE) | WS_MINIMIZE);
    EXPECT_EQ(tool->Provider->CaptionHeight(), Sys.Caption) << "iconic";
}

TEST_F(ProviderTest, MenuLinesAreCountedOnceAndNotKeptWhenTheyCannotBe)
{
    TLoggingForm* form = NewForm();
    auto* menu = vcl::Create<vcl::TMainMenu>(form);
    auto* item = vcl::Create<vcl::TMenuItem>(menu);
    item->SetCaption(L"File");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    TsSkinProvider* p = form->Provider;
    EXPECT_EQ(p->MenuHeight(), GetSystemMetrics(SM_CYMENU) - 1);
    EXPECT_TRUE(p->MenuPresent());
    EXPECT_EQ(p->GetLinesCount(), 1);
    EXPECT_EQ(p->FLinesCount, 1);
    p->FLinesCount = -1;
    SetMenu(form->Handle(), nullptr);
    EXPECT_EQ(p->GetLinesCount(), 0) << "the item's rectangle cannot be had";
    EXPECT_EQ(p->FLinesCount, -1);
}

TEST_F(ProviderTest, TitleButtonsOfTheMainWindowsShape)
{
    TsSkinProvider* p = NewForm()->Provider;
    const skin::TPixelView cache = Render(p);
    const int right = 400 - 2 - Sys.DlgFrame;
    EXPECT_EQ(p->ButtonClose.Rect, ButtonAt(right, Sys.DlgFrame, Sys.Caption));
    EXPECT_EQ(p->ButtonMin.Rect, ButtonAt(right - 25, Sys.DlgFrame, Sys.Caption));
    EXPECT_EQ(p->ButtonClose.Rect, TRect(371, 2, 395, 20)) << "Wine's sizes";
    EXPECT_EQ(p->IconRect(), TRect(5, 3, 21, 19));
    const int middle = p->ButtonClose.Rect.top + 9;
    EXPECT_EQ(Rgb(cache, right - 25, middle), FlatColour(skintest::TitleSection, 1)) << "the spacing shows the title";
    EXPECT_EQ(Rgb(cache, right - 12, middle), ButtonColour(skintest::CloseRgb, 0));
    EXPECT_EQ(Rgb(cache, right - 37, middle), ButtonColour(skintest::MinRgb, 0));
    EXPECT_EQ(Rgb(cache, 200, middle), FlatColour(skintest::TitleSection, 1));

    p->FormActive = false;
    const skin::TPixelView inactive = Render(p);
    EXPECT_EQ(Rgb(inactive, 200, middle), FlatColour(skintest::TitleSection, 0));
    EXPECT_NE(Rgb(inactive, right - 12, middle), ButtonColour(skintest::CloseRgb, 0)) << "faded";
    EXPECT_NE(Rgb(inactive, right - 12, middle), FlatColour(skintest::TitleSection, 0));
}

TEST_F(ProviderTest, TitleButtonsOfASizeableFormWithHelpAndItsGrip)
{
    TLoggingForm* form = NewForm(TFormBorderStyle::bsSizeable, AllIcons);
    TsSkinProvider* p = form->Provider;
    p->SetGripMode(TsGripMode::gmRightBottom);
    form->SetOnPaint([](vcl::TObject*) {});  // a form that paints itself keeps a cache, which holds the grip
    const skin::TPixelView cache = Render(p);
    const int right = 400 - 2 - Sys.Frame;
    EXPECT_EQ(p->ButtonClose.Rect, ButtonAt(right, Sys.Frame, Sys.Caption));
    EXPECT_EQ(p->ButtonMax.Rect, ButtonAt(right - 25, Sys.Frame, Sys.Caption));
    EXPECT_EQ(p->ButtonMin.Rect, ButtonAt(right - 50, Sys.Frame, Sys.Caption));
    EXPECT_EQ(p->ButtonHelp.Rect, ButtonAt(right - 81, Sys.Frame, Sys.Caption)) << "6 pixels apart";
    EXPECT_EQ(p->ButtonHelp.Rect, TRect(289, 2, 313, 20)) << "Wine's sizes";
    const int middle = p->ButtonClose.Rect.top + 9;
    EXPECT_EQ(Rgb(cache, p->ButtonMax.Rect.left + 3, middle), ButtonColour(skintest::MaxRgb, 0));
    EXPECT_EQ(Rgb(cache, p->ButtonHelp.Rect.left + 3, middle), ButtonColour(skintest::HelpRgb, 0));

    const vcl::TPoint grip = p->RBGripPoint(Manager->ConstData.GripRightBottom);
    EXPECT_EQ(grip, vcl::TPoint(400 - 12 - Sys.Frame - 1, 300 - 12 - Sys.Frame - 1));
    EXPECT_EQ(grip, vcl::TPoint(383, 283)) << "Wine's sizes";
    EXPECT_EQ(Rgb(cache, grip.x + 6, grip.y + 6), 0xDC7828u);

    TsSkinProvider* single = NewForm()->Provider;
    single->SetGripMode(TsGripMode::gmRightBottom);
    EXPECT_FALSE(IsGripVisible(single)) << "a single frame shows no grip";
}

TEST_F(ProviderTest, UserTitleButtonsStandLeftOfTheSystemButtons)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    auto* first = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    auto* hidden = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    hidden->SetVisible(false);
    auto* second = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    EXPECT_EQ(first->Name(), L"TsTitleButton");
    p->UpdateIconsIndexes();
    const skin::TPixelView cache = Render(p);
    const int right = 400 - 2 - Sys.DlgFrame - 2 * 25 - 8;
    EXPECT_EQ(first->BtnData.Rect, ButtonAt(right, Sys.DlgFrame, Sys.Caption, 21));
    EXPECT_EQ(second->BtnData.Rect, ButtonAt(right - 22, Sys.DlgFrame, Sys.Caption, 21));
    EXPECT_EQ(first->BtnData.Rect, TRect(316, 2, 337, 20)) << "Wine's sizes";
    EXPECT_EQ(second->BtnData.Rect, TRect(294, 2, 315, 20));
    EXPECT_EQ(second->BtnData.HitCode, 1002u);
    EXPECT_EQ(Rgb(cache, first->BtnData.Rect.left + 3, first->BtnData.Rect.top + 9), ButtonColour(skintest::UserRgb, 0));
}

TEST_F(ProviderTest, HidingATitleButtonDrawsTheCaptionAgainWithoutIt)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    auto* button = static_cast<TsTitleButton*>(p->TitleButtons()->Add());
    form->Show();
    const skin::TPixelView cache = Render(p);
    const TRect r = button->BtnData.Rect;
    const uint32_t shown = Rgb(cache, r.left + 1, r.top + 1);
    button->SetVisible(true);
    EXPECT_FALSE(p->SkinData()->BGChanged) << "no change";
    button->SetVisible(false);
    EXPECT_NE(Rgb(skin::PixelsOf(p->SkinData()->FCacheBmp.get()), r.left + 1, r.top + 1), shown);
    form->Hide();
    button->SetVisible(true);
    EXPECT_EQ(p->SkinData()->FCacheBmp->Width(), 0) << "a hidden form's caption waits for its next frame";
}

TEST_F(ProviderTest, AnIconicFormOtherThanTheMainOneCachesItsCaptionOnly)
{
    TLoggingForm* form = NewForm();
    SetWindowLongPtrW(form->Handle(), GWL_STYLE, GetWindowLongPtrW(form->Handle(), GWL_STYLE) | WS_MINIMIZE);
    Render(form->Provider);
    EXPECT_EQ(form->Provider->SkinData()->FCacheBmp->Height(), Sys.DlgFrame + Sys.Caption + 2);
}

TEST_F(ProviderTest, TheFormsOnPaintDrawsIntoTheCacheAtTheClientArea)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* p = form->Provider;
    int locks = 0;
    form->SetOnPaint([&](vcl::TObject*) {
        locks = form->Canvas()->LockCount();
        form->Canvas()->SetPixels(3, 4, vcl::TColor(RGB(1, 2, 3)));
    });
    const skin::TPixelView cache = Render(p);
    EXPECT_GT(locks, 0);
    EXPECT_EQ(Rgb(cache, p->OffsetX() + 3, p->OffsetY() + 4), 0x010203u);
    EXPECT_FALSE(form->Canvas()->HandleAllocated()) << "the canvas is given back";
}
