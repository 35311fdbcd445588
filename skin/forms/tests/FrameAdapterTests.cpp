// The frame adapter: its section, its answers to the colour query, the removal of the skin and the
// painting of a frame without cache.
#include "MDIFixtures.h"
#include "skin/controls/sPanel.h"
#include "skin/forms/sFrameAdapter.h"
#include "pngfile.h"
#include "vcl/extctrls.h"

using namespace skin;
using skintest::Ask;

namespace {

class FrameAdapterTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        Form = NewForm(vcl::TFormBorderStyle::bsSingle, {vcl::TBorderIcon::biSystemMenu}, false);
        White = vcl::Create<TsPanel>(Form);
        White->SetParent(Form);
        White->SetBounds(0, 0, 300, 200);
        White->SkinData()->SetSkinSection(L"WHITE");
        Frame = vcl::Create<vcl::TFrame>(Form);
        Frame->SetParent(White);
        Frame->SetBounds(20, 10, 120, 90);
        Frame->HandleNeeded();
    }
    // The frame's adapter, its window procedure recorded behind it when Spied.
    TsFrameAdapter* Adapt(const wchar_t* Section = nullptr)
    {
        FrameSpy = std::make_unique<skintest::TMessageSpy>(Frame);
        auto* adapter = vcl::Create<TsFrameAdapter>(Frame);
        if (Section)
            adapter->SkinData()->SetSkinSection(Section);
        adapter->SkinData()->UpdateIndexes();
        UpdateSkinState(*adapter->SkinData(), false);
        return adapter;
    }
    void TearDown() override
    {
        MdiSkinTest::TearDown();
        FrameSpy.reset();
        ChildSpy.reset();
    }

    skintest::TLoggingForm* Form = nullptr;
    TsPanel* White = nullptr;
    vcl::TFrame* Frame = nullptr;
    // Kept until the forms are gone, as the controls keep calling them.
    std::unique_ptr<skintest::TMessageSpy> FrameSpy;
    std::unique_ptr<skintest::TMessageSpy> ChildSpy;
};

}  // namespace

TEST_F(FrameAdapterTest, AFrameIsAGroupBoxUnlessToldOtherwise)
{
    TsFrameAdapter* adapter = Adapt();
    EXPECT_EQ(adapter->SkinData()->SkinSection(), L"GROUPBOX");
    EXPECT_EQ(adapter->SkinData()->SkinIndex, Manager->GetSkinIndex(L"GROUPBOX"));
    EXPECT_EQ(adapter->SkinData()->COC, ckFrameAdapter);
    EXPECT_EQ(Ask(Frame, scmdQuerySkinned), 1);
    TacSectionInfo info;
    Ask(Frame, scmdQuerySkinIndex, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.SkinIndex, adapter->SkinData()->SkinIndex);
}

TEST_F(FrameAdapterTest, OnlyAFrameCanBeAdapted)
{
    const vcl::TWndMethod before = Form->WindowProc();
    try {
        vcl::Create<TsFrameAdapter>(Form);
        FAIL() << "a form was adapted";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(e.Message(), L"TsFrameAdapter adapter must be placed on the handled frame");
    }
    EXPECT_TRUE(Form->WindowProc() == before);
    EXPECT_EQ(Form->ComponentCount(), 2) << "the panel and the frame only";
}

TEST_F(FrameAdapterTest, FreeingTheAdapterGivesTheFrameItsProcedureBack)
{
    TsFrameAdapter* adapter = Adapt();
    const vcl::TWndMethod own = adapter->OldWndProc;
    adapter->Free();
    EXPECT_TRUE(Frame->WindowProc() == own);
    EXPECT_EQ(Ask(Frame, scmdQuerySkinned), 0);
}

TEST_F(FrameAdapterTest, ACachedFrameSendsTheColourQueryUpAndAnUncachedOneMixesByTransparency)
{
    TsFrameAdapter* adapter = Adapt(L"HALFFRAME");
    TsCommonData& data = *adapter->SkinData();
    ASSERT_TRUE(data.Skinned(true));
    ASSERT_TRUE(IsCached(data)) << "a half transparent section needs a cache";
    EXPECT_EQ(Ask(Frame, scmdQueryColor), LRESULT(0x00FF00FF));

    // Without the cache: black at 50 over the white panel, each byte (50 * 255 + 0 * 256) >> 8.
    data.CtrlSkinState |= cssNoCache;
    ASSERT_EQ(Ask(White, scmdQueryColor), LRESULT(0xFFFFFF));
    EXPECT_EQ(Ask(Frame, scmdQueryColor), LRESULT(0x313131));
}

TEST_F(FrameAdapterTest, RemovingTheSkinRecomputesTheFrameAndRedrawsEverything)
{
    auto* child = vcl::Create<vcl::TPanel>(Form);
    child->SetParent(Frame);
    child->SetBounds(5, 5, 30, 20);
    Adapt();
    Form->Show();
    testsupport::PumpFor(0);
    ChildSpy = std::make_unique<skintest::TMessageSpy>(child);
    FrameSpy->Seen.clear();

    Ask(Frame, scmdSkinRemoved, reinterpret_cast<LPARAM>(Manager.get()));

    EXPECT_EQ(FrameSpy->Count(WM_NCCALCSIZE), 1) << "SWP_FRAMECHANGED";
    EXPECT_GE(FrameSpy->Count(WM_PAINT), 1);
    EXPECT_GE(ChildSpy->Count(WM_PAINT), 1) << "the children are redrawn too";
    Form->Hide();
}

TEST_F(FrameAdapterTest, AFrameWithoutCachePaintsOnTheEraseAndNothingMoreOnPaint)
{
    TsFrameAdapter* adapter = Adapt();
    TsCommonData& data = *adapter->SkinData();
    ASSERT_FALSE(IsCached(data));
    Form->Show();
    testsupport::PumpFor(0);
    const int w = Frame->Width(), h = Frame->Height();
    const auto bmp = CreateBmp32(w, h);
    const HDC dc = bmp->Canvas()->Handle();
    const vcl::TColor marker = vcl::TColor(0x123456);
    FillDC(dc, vcl::TRect(0, 0, w, h), marker);
    Ask(Frame, scmdPrintMode, reinterpret_cast<LPARAM>(dc));

    Frame->Perform(WM_PAINT, WPARAM(dc), 0);
    const TPixelView pixels = PixelsOf(bmp.get());
    EXPECT_EQ(pixels.At(w / 2, h / 2) & 0xFFFFFF, 0x563412u) << "WM_PAINT painted into the DC";

    EXPECT_EQ(Frame->Perform(WM_ERASEBKGND, WPARAM(dc), 0), 1);
    const uint32_t face = skintest::FlatColour(skintest::MdiGroupBox, 0);
    EXPECT_EQ(pixels.At(w / 2, h / 2) & 0xFFFFFF, face);
    EXPECT_NE(pixels.At(0, h / 2) & 0xFFFFFF, face) << "the border";
    EXPECT_NE(pixels.At(0, h / 2) & 0xFFFFFF, 0x563412u) << "the border";
    Ask(Frame, scmdPrintMode, 0);
    Form->Hide();
}

// A frame in our own skin, for people to look at: a group box face with its one-pixel border.
TEST(OurSkinFrame, AFrameShowsTheGroupBoxFaceOfOurSkin)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(60, 60, 320, 220);
    form->SetColor(vcl::TColor(RGB(0xF3, 0xF4, 0xF6)));
    auto* frame = vcl::Create<vcl::TFrame>(form.get());
    frame->SetParent(form.get());
    frame->SetBounds(16, 16, 270, 150);
    auto* adapter = vcl::Create<TsFrameAdapter>(frame);
    auto* inner = vcl::Create<TsPanel>(form.get());
    inner->SetParent(frame);
    inner->SetBounds(20, 20, 140, 80);
    inner->SetCaption(L"Panel on a frame");
    form->Show();
    adapter->SkinData()->UpdateIndexes();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(100);
    ASSERT_TRUE(adapter->SkinData()->Skinned(true));

    const testsupport::TGrab grab = testsupport::Grab(frame->Handle());
    const TsGeneralData& section = adapter->SkinData()->Section();
    EXPECT_EQ(grab.ClientPixel(200, 120), COLORREF(section.Color));
    EXPECT_EQ(grab.ClientPixel(0, 75), COLORREF(RGB(0xD6, 0xDA, 0xE0))) << "the panel-border line";
    const testsupport::TGrab shot = testsupport::Grab(form->Handle());
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "skinned_frame.png").wstring(), shot.Width, shot.Height,
                                     std::vector<uint32_t>(shot.Pixels.begin(), shot.Pixels.end())));
}
