// The skinned panel on a shown form: its section following the bevel, the background it lends its
// children, its cached and direct painting, children waiting for their parent, the standard look
// after the skin is removed, and nested panels painted from our own skin (with a screenshot).
#include <gtest/gtest.h>

#include <filesystem>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/Sgradient.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "testpaths.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using skin::test::AsColorRef;
using skin::test::CachePixel;
using skin::test::SaveScreenshot;
using skin::test::TColourBox;
using skin::test::TTestSkin;
using vcl::TBevelCut;
using vcl::TColor;

constexpr TColor Red200 = TColor(200);
constexpr COLORREF PanelColour = RGB(30, 60, 90);

// A panel whose painting can be asked for without a DC.
class TOwnCanvasPanel : public TsPanel {
    CL_CLASS(TOwnCanvasPanel, TsPanel)
public:
    using TsPanel::TsPanel;
    void PaintOnOwnCanvas() { OurPaint(nullptr, false); }
};

class SkinnedPanel : public ::testing::Test {
protected:
    SkinnedPanel()
    {
        testsupport::InitializeApplication();
        for (const wchar_t* name : {L"PANEL", L"PANEL_LOW", L"CHECKBOX", L"MINE"})
            FSkin.AddSection(name, TColor(PanelColour));
        FRed = FSkin.AddSection(L"RED", Red200);
        FGradient = FSkin.AddSection(L"GRADIENT", TColor(0));
        TsGeneralData& g = FSkin.Section(FGradient);
        g.GradientPercent = 100;
        g.GradientData = L"255;16711680;100;0;0";  // red at the top to blue at the bottom
        PrepareGradArray(g.GradientData, g.GradientArray);
        FSkin.SyncProps(FGradient);
        FSeeThrough = FSkin.AddSection(L"SEETHROUGH", TColor(0));
        FSkin.SetTransparency(FSeeThrough, 100);
        FHalf = FSkin.AddSection(L"HALF", TColor(100));
        FSkin.SetTransparency(FHalf, 50);

        FForm.reset(vcl::Create<vcl::TForm>(nullptr));
        FForm->SetBounds(60, 60, 320, 240);
        FForm->SetColor(TColor(RGB(0, 128, 0)));
        FForm->Show();
    }
    ~SkinnedPanel() override { FForm.reset(); }

    TsPanel* NewPanel(vcl::TWinControl* Parent, const vcl::TRect& Bounds, const wchar_t* Section = L"PANEL")
    {
        auto* panel = vcl::Create<TsPanel>(FForm.get());
        panel->SetBounds(Bounds.left, Bounds.top, Bounds.Width(), Bounds.Height());
        panel->SetParent(Parent);
        panel->SkinData()->SetSkinSection(Section);
        return panel;
    }
    void Paint() const
    {
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpFor(50);
    }
    // A pixel of a control's client area as the screen shows it.
    static COLORREF ScreenPixel(vcl::TWinControl* Control, int X, int Y)
    {
        return testsupport::Grab(Control->Handle()).ClientPixel(X, Y);
    }

    TTestSkin FSkin;
    int FRed, FGradient, FSeeThrough, FHalf;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST_F(SkinnedPanel, TheSectionFollowsTheOuterBevelWhileItIsTheOldBevels)
{
    TsPanel* panel = NewPanel(FForm.get(), vcl::TRect(10, 10, 110, 60));
    panel->HandleNeeded();
    struct TStep {
        TBevelCut Bevel;
        const wchar_t* Section;
    };
    const TStep steps[] = {{TBevelCut::bvLowered, L"PANEL_LOW"}, {TBevelCut::bvNone, L"CHECKBOX"},
                           {TBevelCut::bvRaised, L"PANEL"},      {TBevelCut::bvNone, L"CHECKBOX"},
                           {TBevelCut::bvLowered, L"PANEL_LOW"}, {TBevelCut::bvSpace, L"PANEL_LOW"},
                           {TBevelCut::bvRaised, L"PANEL_LOW"}};  // bvSpace has no section to leave
    for (const TStep& s : steps) {
        panel->SetBevelOuter(s.Bevel);
        EXPECT_EQ(panel->SkinData()->SkinSection(), s.Section) << int(s.Bevel);
    }
    panel->SkinData()->SetSkinSection(L"MINE");
    panel->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(panel->SkinData()->SkinSection(), L"MINE") << "a section of the user's choice stays";
}

TEST_F(SkinnedPanel, TheBackgroundOffsetGrowsByTheFrameInsideAWindowBorder)
{
    TsPanel* panel = NewPanel(FForm.get(), vcl::TRect(10, 10, 110, 70), L"GRADIENT");
    panel->HandleNeeded();
    TacBGInfo info;
    GetBGInfo(info, static_cast<vcl::TControl*>(panel));
    EXPECT_EQ(info.BgKind, 2);
    EXPECT_EQ(info.Offset, vcl::TPoint(0, 0)) << "no window border";

    panel->SetBorderStyle(vcl::TBorderStyle::bsSingle);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelWidth(1);
    panel->SetBorderWidth(2);
    GetBGInfo(info, static_cast<vcl::TControl*>(panel));
    EXPECT_EQ(info.BgKind, 2);
    EXPECT_EQ(info.Bmp, panel->SkinData()->FCacheBmp.get());
    EXPECT_EQ(info.Offset, vcl::TPoint(4, 4));
}

TEST_F(SkinnedPanel, ASeeThroughChildShowsItsParentsPicture)
{
    TsPanel* parent = NewPanel(FForm.get(), vcl::TRect(10, 10, 210, 160), L"GRADIENT");
    TsPanel* child = NewPanel(parent, vcl::TRect(30, 20, 130, 90), L"SEETHROUGH");
    Paint();
    EXPECT_TRUE(IsCacheRequired(*child->SkinData())) << "the parent keeps a cache";
    const TsCommonData& p = *parent->SkinData();
    const TsCommonData& c = *child->SkinData();
    ASSERT_FALSE(c.BGChanged);
    EXPECT_NE(CachePixel(p, 0, 0), CachePixel(p, 100, 75)) << "the parent's picture is not plain";
    for (int y = 0; y < child->Height(); y += 7)
        for (int x = 0; x < child->Width(); x += 9) {
            ASSERT_EQ(CachePixel(c, x, y), CachePixel(p, 30 + x, 20 + y)) << x << "," << y;
            ASSERT_EQ(ScreenPixel(child, x, y), CachePixel(p, 30 + x, 20 + y)) << x << "," << y;
        }

    TsPanel* plain = NewPanel(FForm.get(), vcl::TRect(220, 10, 300, 100), L"RED");
    TsPanel* overPlain = NewPanel(plain, vcl::TRect(5, 5, 50, 50), L"SEETHROUGH");
    EXPECT_TRUE(plain->SkinData()->CtrlSkinState & cssNoCache);
    EXPECT_FALSE(IsCacheRequired(*overPlain->SkinData())) << "a parent without a cache of its own";
}

TEST_F(SkinnedPanel, AHalfTransparentPanelMixesItsColourOverItsParents)
{
    TsPanel* parent = NewPanel(FForm.get(), vcl::TRect(10, 10, 210, 160), L"RED");
    TsPanel* child = NewPanel(parent, vcl::TRect(30, 20, 130, 90), L"HALF");
    EXPECT_EQ(SendAMessage(child->Handle(), scmdQueryColor), 119) << "(50 x (200 - 100) + 100 x 256) shr 8";
}

TEST_F(SkinnedPanel, ACustomColourPaintsThePanelsOwnColourDirectly)
{
    // The colour is the panel's own before it ever paints, so that no paint could render a cache.
    auto* panel = vcl::Create<TsPanel>(FForm.get());
    panel->SkinData()->SetCustomColor(true);
    panel->SetColor(TColor(RGB(1, 2, 3)));
    panel->SetBounds(10, 10, 100, 60);
    panel->SetParent(FForm.get());
    panel->SkinData()->SetSkinSection(L"GRADIENT");
    ASSERT_TRUE(IsCached(*panel->SkinData())) << "the section itself would be cached";
    Paint();
    EXPECT_EQ(ScreenPixel(panel, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(ScreenPixel(panel, 50, 30), RGB(1, 2, 3)) << "no gradient";
    EXPECT_LE(panel->SkinData()->FCacheBmp->Width(), 1) << "painted directly: no cache rendered";
}

TEST_F(SkinnedPanel, APanelPaintedByItsEraseIsNotPaintedAgainByTheSamePaint)
{
    auto* panel = vcl::Create<TsPanel>(FForm.get());
    panel->SkinData()->SetCustomColor(true);
    panel->SetColor(TColor(RGB(1, 2, 3)));
    panel->SetBounds(10, 10, 100, 60);
    panel->SetParent(FForm.get());
    Paint();
    int painted = 0;
    panel->SetOnPaint(TPaintEvent([&](vcl::TObject*, vcl::TCanvas*) { ++painted; }));
    const struct {
        const char* What;
        UINT Flags;
    } cases[] = {
        {"erased: the erase paints it", RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW},
        {"not erased: the paint itself does", RDW_INVALIDATE | RDW_UPDATENOW},
    };
    for (const auto& c : cases) {
        const HDC dc = GetDC(panel->Handle());
        FillDC(dc, vcl::TRect(0, 0, 100, 60), vcl::clBlack);
        ReleaseDC(panel->Handle(), dc);
        painted = 0;
        RedrawWindow(panel->Handle(), nullptr, nullptr, c.Flags);
        EXPECT_EQ(painted, 1) << c.What;
        EXPECT_EQ(ScreenPixel(panel, 50, 30), RGB(1, 2, 3)) << c.What;
    }
}

TEST_F(SkinnedPanel, WithoutADCThePanelPaintsOnItsOwnCanvas)
{
    auto* panel = vcl::Create<TOwnCanvasPanel>(FForm.get());
    panel->SetBounds(10, 10, 100, 60);
    panel->SetParent(FForm.get());
    panel->SkinData()->SetSkinSection(L"RED");
    Paint();
    const HDC dc = GetDC(panel->Handle());
    FillDC(dc, vcl::TRect(0, 0, 100, 60), vcl::clBlack);
    ReleaseDC(panel->Handle(), dc);
    ASSERT_EQ(ScreenPixel(panel, 50, 30), RGB(0, 0, 0));
    panel->PaintOnOwnCanvas();
    EXPECT_EQ(ScreenPixel(panel, 50, 30), COLORREF(Red200));
    EXPECT_EQ(ScreenPixel(panel, 0, 0), COLORREF(Red200));
}

TEST_F(SkinnedPanel, AChildWaitsWhileItsParentChangesAndPaintsWhenToldItHasRepainted)
{
    TsPanel* parent = NewPanel(FForm.get(), vcl::TRect(10, 10, 210, 160), L"GRADIENT");
    TsPanel* child = NewPanel(parent, vcl::TRect(30, 20, 130, 90), L"SEETHROUGH");
    Paint();
    TsCommonData& c = *child->SkinData();
    parent->SkinData()->FUpdating = true;
    EXPECT_EQ(SendAMessage(parent->Handle(), scmdQueryChanging), 1);
    c.BGChanged = true;
    child->Repaint();
    testsupport::PumpFor(20);
    EXPECT_TRUE(c.FUpdating) << "the child waits for its parent";
    EXPECT_TRUE(c.BGChanged);

    parent->SkinData()->FUpdating = false;
    SetParentUpdated(parent);
    testsupport::PumpFor(20);
    EXPECT_FALSE(c.FUpdating);
    EXPECT_FALSE(c.BGChanged) << "rendered after the parent's notice";
    EXPECT_EQ(ScreenPixel(child, 5, 5), CachePixel(*parent->SkinData(), 35, 25));
}

TEST_F(SkinnedPanel, WithoutItsSkinThePanelIsAStandardPanel)
{
    TsPanel* panel = NewPanel(FForm.get(), vcl::TRect(10, 10, 110, 70), L"RED");
    Paint();
    ASSERT_EQ(ScreenPixel(panel, 50, 30), COLORREF(Red200));
    SendAMessage(panel->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    testsupport::PumpFor(50);
    EXPECT_FALSE(panel->SkinData()->Skinned());
    EXPECT_EQ(ScreenPixel(panel, 50, 30), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SkinnedPanel, SkinCommandsOfAnotherManagerArePassedOnButNotApplied)
{
    TsPanel* parent = NewPanel(FForm.get(), vcl::TRect(10, 10, 210, 160), L"RED");
    TsPanel* child = NewPanel(parent, vcl::TRect(30, 20, 130, 90), L"RED");
    Paint();
    vcl::TObjectPtr<TsSkinManager> other(vcl::Create<TsSkinManager>(nullptr));
    SendAMessage(parent->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(other.get()));
    EXPECT_TRUE(parent->SkinData()->Skinned());
    EXPECT_TRUE(child->SkinData()->Skinned());
    SendAMessage(parent->Handle(), scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    EXPECT_FALSE(parent->SkinData()->Skinned());
    EXPECT_FALSE(child->SkinData()->Skinned()) << "passed on to the children";
}

TEST_F(SkinnedPanel, AControlTakesTheFontOfTheNearestParentThatIsNotSeeThrough)
{
    FSkin.Section(FRed).GiveOwnFont = true;
    TsPanel* outer = NewPanel(FForm.get(), vcl::TRect(10, 10, 210, 160), L"RED");
    TsPanel* middle = NewPanel(outer, vcl::TRect(10, 10, 150, 120), L"SEETHROUGH");
    auto* label = vcl::Create<TColourBox>(FForm.get(), RGB(0, 0, 0));
    label->SetParent(middle);
    EXPECT_EQ(GetFontIndex(label, -5, nullptr, 0), FRed) << "past a see-through parent";
    label->SetParent(outer);
    EXPECT_EQ(GetFontIndex(label, -5, nullptr, 0), FRed);
    FSkin.Section(FRed).GiveOwnFont = false;
    EXPECT_EQ(GetFontIndex(label, -5, nullptr, 0), -5) << "a section without a font of its own";
    label->SetParent(nullptr);
    EXPECT_EQ(GetFontIndex(label, -5, nullptr, 0), -5) << "no parent";
}

TEST_F(SkinnedPanel, GraphicChildrenAreCopiedAtTheirOffsetUnlessTheirCornerIsTheKey)
{
    TsPanel* panel = NewPanel(FForm.get(), vcl::TRect(10, 10, 110, 70), L"RED");
    auto* blue = vcl::Create<TColourBox>(FForm.get(), RGB(0, 0, 255));
    blue->SetBounds(5, 5, 10, 10);
    blue->SetParent(panel);
    auto* keyed = vcl::Create<TColourBox>(FForm.get(), RGB(255, 0, 255));
    keyed->SetBounds(30, 5, 10, 10);
    keyed->SetParent(panel);
    const vcl::TMemoryDC dc(nullptr, 100, 60);
    const HDC h = dc.Handle();
    FillDC(h, vcl::TRect(0, 0, 100, 60), vcl::clBlack);
    PaintControls(h, panel, vcl::TPoint(2, 1));
    EXPECT_EQ(GetPixel(h, 7, 6), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(h, 16, 15), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(h, 5, 5), RGB(0, 0, 0)) << "moved by the offset";
    EXPECT_EQ(GetPixel(h, 35, 10), RGB(0, 0, 0)) << "the key colour at its place: not copied";

    panel->SkinData()->HalfVisible = false;
    IntersectClipRect(h, 0, 0, 0, 0);
    FillDC(h, vcl::TRect(0, 0, 100, 60), vcl::clBlack);
    PaintControls(h, panel, vcl::TPoint(0, 0));
    EXPECT_TRUE(panel->SkinData()->HalfVisible) << "an empty clip only tells the owner";
}

TEST_F(SkinnedPanel, TheKeyCheckBesideTheChildrenSeesNothingAnEarlierOwnerLeft)
{
    // An earlier owner leaves the key colour all over the children's surface.
    TsPanel* earlier = NewPanel(FForm.get(), vcl::TRect(0, 0, 100, 60), L"RED");
    auto* keyed = vcl::Create<TColourBox>(FForm.get(), RGB(255, 0, 255));
    keyed->SetBounds(0, 0, 100, 60);
    keyed->SetParent(earlier);
    const vcl::TMemoryDC dc(nullptr, 100, 60);
    const HDC h = dc.Handle();
    PaintControls(h, earlier, vcl::TPoint(0, 0));

    // The offset moves the check of the blue child to (25,25), beside it.
    TsPanel* panel = NewPanel(FForm.get(), vcl::TRect(0, 0, 100, 60), L"RED");
    auto* blue = vcl::Create<TColourBox>(FForm.get(), RGB(0, 0, 255));
    blue->SetBounds(5, 5, 10, 10);
    blue->SetParent(panel);
    FillDC(h, vcl::TRect(0, 0, 100, 60), vcl::clBlack);
    PaintControls(h, panel, vcl::TPoint(20, 20));
    EXPECT_EQ(GetPixel(h, 25, 25), RGB(0, 0, 255)) << "copied: nothing but black lies beside it";
}

// ---------------------------------------------------------------------------------------------
// Our own skin

TEST(OurSkin, NestedPanelsShowTheirSectionsOverTheirParents)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(60, 60, 300, 200);
    form->SetColor(TColor(RGB(240, 240, 240)));
    auto* outer = vcl::Create<TsPanel>(form.get());
    outer->SetBounds(10, 10, 270, 150);
    outer->SetParent(form.get());
    auto* inner = vcl::Create<TsPanel>(form.get());
    inner->SetBounds(20, 20, 140, 80);
    inner->SetParent(outer);
    form->Show();
    inner->SetBevelOuter(TBevelCut::bvLowered);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(100);
    ASSERT_EQ(outer->SkinData()->SkinSection(), L"PANEL");
    ASSERT_EQ(inner->SkinData()->SkinSection(), L"PANEL_LOW");

    // What each panel would render into its cache, against what the window shows.
    for (TsPanel* panel : {outer, inner}) {
        SCOPED_TRACE(panel == outer ? "outer" : "inner");
        TsCommonData& data = *panel->SkinData();
        ASSERT_TRUE(data.Skinned());
        const auto expected = CreateBmp32(panel->Width(), panel->Height());
        PaintSkinControl(data, panel->Parent(), 0, vcl::TRect(0, 0, panel->Width(), panel->Height()),
                         vcl::TPoint(panel->Left(), panel->Top()), expected.get(), true);
        const testsupport::TGrab grab = testsupport::Grab(panel->Handle());
        const TPixelView pixels = PixelsOf(expected.get());
        int differing = 0;
        for (int y = 0; y < panel->Height(); ++y)
            for (int x = 0; x < panel->Width(); ++x) {
                const vcl::TRect covered = inner->BoundsRect();
                if (panel == outer && x >= covered.left && x < covered.right && y >= covered.top && y < covered.bottom)
                    continue;
                const uint32_t p = pixels.At(x, y);
                differing += grab.ClientPixel(x, y) != AsColorRef(p);
            }
        EXPECT_EQ(differing, 0);
        const TsGeneralData& section = data.Section();
        EXPECT_EQ(grab.ClientPixel(panel->Width() / 2, panel->Height() - 5), COLORREF(section.Color));
    }
    EXPECT_TRUE(SaveScreenshot(testsupport::Grab(form->Handle()), L"nested_panels.png"));
}

}  // namespace
