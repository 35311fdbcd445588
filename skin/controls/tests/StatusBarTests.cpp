// The skinned status bar and bevel: the program's five panels, their text rectangles, texts and
// dividers, and the bevel's section by shape and style and the frame it shows.
#include <gtest/gtest.h>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sStatusBar.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using skin::test::CachePixel;
using skin::test::FormColour;
using skin::test::TTestSkin;
using vcl::TColor;
using vcl::TRect;

constexpr COLORREF BarColour = RGB(250, 250, 240);
constexpr COLORREF DividerColour = RGB(90, 0, 0);
constexpr COLORREF LowColour = RGB(0, 70, 140);
class SkinnedBars : public ::testing::Test {
protected:
    SkinnedBars() : FSkin(3, 3, skin::test::Px(0, 0, 90))  // the divider's image: one colour
    {
        testsupport::InitializeApplication();
        FSkin.AddSection(L"STATUSBAR", TColor(BarColour));
        FSkin.AddSection(L"PANEL_LOW", TColor(LowColour));
        FSkin.AddSection(L"PANEL", TColor(RGB(1, 1, 1)));
        FSkin.AddSection(L"GROUPBOX", TColor(RGB(2, 2, 2)));
        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(0, 0, 940, 200);
        FForm->SetColor(TColor(FormColour));
        FForm->Show();
    }

    TsStatusBar* NewStatusBar()
    {
        auto* bar = vcl::Create<TsStatusBar>(FForm.get());
        bar->SetSizeGrip(false);
        for (int width : {150, 100, 150, 400, 50})
            bar->Panels()->Add()->SetWidth(width);
        bar->SetParent(FForm.get());
        bar->SkinData()->SetSkinSection(L"STATUSBAR");
        return bar;
    }
    void AddDivider()
    {
        FSkin.AddSection(L"DIVIDER", TColor(DividerColour));
        FSkin.AddImage({TRect(0, 0, 3, 3), 1, 0, 1, 1, 1, 1, 5}, L"DIVIDER", L"BORDERSMASK");
    }
    void Paint() const
    {
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(30);
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedBars, PanelsLieAtTheirOffsetsAndWriteInsideTheirFrames)
{
    TsStatusBar* bar = NewStatusBar();
    const int H = bar->Height();
    const int offsets[] = {0, 150, 250, 400, 800};
    const int widths[] = {150, 100, 150, 400, bar->Width() - 800};  // the last one reaches the bar's end
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar->PanelOffset(i), offsets[i]);
        EXPECT_EQ(bar->PanelTextRect(i), TRect(offsets[i] + 4, 2, offsets[i] + widths[i] - 6, H - 3)) << i;
    }
}

TEST_F(SkinnedBars, ATextGivenToThePanelShowsInItsRectangle)
{
    TsStatusBar* bar = NewStatusBar();
    const auto darkPixels = [&] {
        Paint();
        const TRect r = bar->PanelTextRect(1);
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                dark += GetRValue(CachePixel(*bar->SkinData(), x, y)) < 128;
        return dark;
    };
    EXPECT_EQ(darkPixels(), 0);
    bar->Panels()->Items(1)->SetText(L"MMMM");  // reaches the window as SB_SETTEXTW
    EXPECT_GT(darkPixels(), 0);
    EXPECT_EQ(CachePixel(*bar->SkinData(), 150 + 4 + 50, 9), BarColour) << "beyond the text";
}

TEST_F(SkinnedBars, DividersFollowEveryPanelButTheLast)
{
    AddDivider();
    TsStatusBar* bar = NewStatusBar();
    Paint();
    // A 2-pixel divider astride the right edge of each panel's inner rectangle.
    for (int right : {150, 250, 400, 800}) {
        EXPECT_EQ(CachePixel(*bar->SkinData(), right - 3, 9), DividerColour) << right;
        EXPECT_EQ(CachePixel(*bar->SkinData(), right - 2, 9), DividerColour) << right;
        EXPECT_EQ(CachePixel(*bar->SkinData(), right - 4, 9), BarColour) << right;
        EXPECT_EQ(CachePixel(*bar->SkinData(), right - 3, 0), BarColour) << right;
    }
    const int end = bar->Width() - 1;  // aligned to the bottom, the bar spans the form
    EXPECT_EQ(CachePixel(*bar->SkinData(), end - 2, 9), BarColour);
    EXPECT_EQ(CachePixel(*bar->SkinData(), end - 1, 9), BarColour);
}

TEST_F(SkinnedBars, ASimpleBarShowsNoDivider)
{
    AddDivider();
    TsStatusBar* bar = NewStatusBar();
    bar->SetSimplePanel(true);
    Paint();
    for (int x = 0; x < bar->Width(); ++x)
        ASSERT_EQ(CachePixel(*bar->SkinData(), x, 9), BarColour) << x;
}

TEST_F(SkinnedBars, TheBevelPicksItsSectionByShapeAndStyle)
{
    using vcl::TBevelShape;
    using vcl::TBevelStyle;
    auto* bevel = vcl::Create<TsBevel>(FForm.get());
    bevel->SetParent(FForm.get());
    struct TCase {
        TBevelShape Shape;
        TBevelStyle Style;
        const wchar_t* Section;
    };
    const TCase cases[] = {{TBevelShape::bsBox, TBevelStyle::bsLowered, L"PANEL_LOW"},
                           {TBevelShape::bsBox, TBevelStyle::bsRaised, L"PANEL"},
                           {TBevelShape::bsFrame, TBevelStyle::bsRaised, L"GROUPBOX"},
                           {TBevelShape::bsFrame, TBevelStyle::bsLowered, L"GROUPBOX"},
                           {TBevelShape::bsTopLine, TBevelStyle::bsLowered, L"PANEL_LOW"}};
    EXPECT_EQ(bevel->SkinData()->SkinSection(), L"PANEL_LOW");
    for (const TCase& c : cases) {
        bevel->SetShape(c.Shape);
        bevel->SetStyle(c.Style);
        EXPECT_EQ(bevel->SkinData()->SkinSection(), c.Section) << int(c.Shape) << " " << int(c.Style);
    }
}

TEST_F(SkinnedBars, TheThinWizardBevelShowsItsWholeHeightFromTheLoweredPanel)
{
    auto* bevel = vcl::Create<TsBevel>(FForm.get());
    bevel->SetBounds(10, 20, 450, 3);
    bevel->SetParent(FForm.get());
    Paint();
    const testsupport::TGrab shot = testsupport::Grab(FForm->Handle());
    for (int x : {10, 11, 12, 200, 457, 459})
        for (int y : {20, 21, 22})
            EXPECT_EQ(shot.ClientPixel(x, y), LowColour) << x << "," << y;
    EXPECT_EQ(shot.ClientPixel(200, 23), FormColour);
    EXPECT_EQ(shot.ClientPixel(460, 21), FormColour);
}

TEST_F(SkinnedBars, ARedrawCommandRepaintsABevelThatWaitedForItsParent)
{
    auto* bevel = vcl::Create<TsBevel>(FForm.get());
    bevel->SetBounds(10, 20, 450, 3);
    bevel->SetParent(FForm.get());
    Paint();
    TsCommonData& data = *bevel->SkinData();
    data.FUpdating = true;
    data.BGChanged = false;
    SendAMessage(bevel, scmdRedraw);
    EXPECT_FALSE(data.FUpdating);
    EXPECT_TRUE(data.BGChanged);
}

TEST(BevelPieces, LinesKeepThreePixelsClearOfTheEnds)
{
    using vcl::TBevelShape;
    EXPECT_EQ(BevelPieces(TBevelShape::bsTopLine, 100, 20), std::vector<TRect>{TRect(3, 0, 97, 3)});
    EXPECT_EQ(BevelPieces(TBevelShape::bsBottomLine, 100, 20), std::vector<TRect>{TRect(3, 17, 97, 20)});
    EXPECT_EQ(BevelPieces(TBevelShape::bsLeftLine, 100, 20), std::vector<TRect>{TRect(0, 3, 3, 17)});
    EXPECT_EQ(BevelPieces(TBevelShape::bsRightLine, 100, 20), std::vector<TRect>{TRect(97, 3, 100, 17)});
    EXPECT_TRUE(BevelPieces(TBevelShape::bsSpacer, 100, 20).empty());
}

}  // namespace
