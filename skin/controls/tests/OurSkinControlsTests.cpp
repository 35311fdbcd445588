// Check boxes, radio buttons, a group box, a radio group, a gauge and a track bar in our own skin,
// with a screenshot for people to look at: each window shows exactly its rendered face. Then the
// labels on a panel, with a screenshot.
#include <gtest/gtest.h>

#include <filesystem>

#include "pngfile.h"
#include "pump.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sTrackBar.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "vcl/forms.h"

namespace {

using namespace skin;

COLORREF AsColorRef(uint32_t Pixel) { return RGB(Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF); }

template<class T>
T* Place(vcl::TWinControl* Parent, int X, int Y, int W, int H, const wchar_t* Caption = L"")
{
    auto* c = vcl::Create<T>(Parent);
    c->SetBounds(X, Y, W, H);
    c->SetCaption(Caption);
    c->SetParent(Parent);
    return c;
}

TEST(OurSkin, CheckAndRadioControlsGroupsGaugeAndTrackBar)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);  // the skin in force, its common indexes known
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 460, 300);
    form->SetColor(vcl::TColor(RGB(243, 244, 246)));
    auto* box = Place<TsGroupBox>(form.get(), 10, 8, 200, 130, L"Detector");
    auto* checked = Place<TsCheckBox>(box, 12, 28, 170, 22, L"Alarm relay");
    checked->SetChecked(true);
    Place<TsCheckBox>(box, 12, 54, 170, 22, L"Tamper input");
    auto* grayed = Place<TsCheckBox>(box, 12, 80, 170, 22, L"Mixed");
    grayed->SetAllowGrayed(true);
    grayed->SetState(vcl::TCheckBoxState::cbGrayed);
    auto* disabled = Place<TsCheckBox>(box, 12, 104, 170, 22, L"Disabled");
    disabled->SetEnabled(false);
    auto* group = Place<TsRadioGroup>(form.get(), 220, 8, 220, 130, L"Channel");
    group->SetColumns(2);
    for (const wchar_t* s : {L"One", L"Two", L"Three", L"Four", L"Five"})
        group->Items()->Add(s);
    group->SetItemIndex(1);
    auto* gauge = Place<TsGauge>(form.get(), 10, 150, 200, 24);
    gauge->SetAnimated(false);
    gauge->SetProgress(64);
    auto* track = Place<TsTrackBar>(form.get(), 220, 150, 220, 45);
    track->SetMax(8);
    track->SetPosition(3);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);

    for (vcl::TWinControl* c :
         std::initializer_list<vcl::TWinControl*>{checked, grayed, disabled, group->Buttons(1), track}) {
        const vcl::String name = c->ClassName();
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        const TsCommonData* data = SkinDataOf(c);
        ASSERT_TRUE(data);
        ASSERT_TRUE(data->Skinned(true));
        ASSERT_TRUE(data->FCacheBmp);
        const TPixelView cache = PixelsOf(data->FCacheBmp.get());
        const testsupport::TGrab grab = testsupport::Grab(c->Handle());
        int differing = 0;
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x)
                differing += grab.ClientPixel(x, y) != AsColorRef(cache.At(x, y));
        EXPECT_EQ(differing, 0);
    }
    const TsGeneralData& progress = manager->gd[size_t(manager->GetSkinIndex(L"PROGRESSH"))];
    const testsupport::TGrab whole = testsupport::Grab(form->Handle());
    const vcl::TPoint inGauge = form->ScreenToClient(gauge->ClientToScreen(vcl::TPoint(4, gauge->Height() / 2)));
    EXPECT_EQ(whole.ClientPixel(inGauge.x, inGauge.y), COLORREF(vcl::ColorToRGB(progress.Color))) << "the filled part";

    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "check_group_gauge_track.png").wstring(), whole.Width, whole.Height,
                                     std::vector<uint32_t>(whole.Pixels.begin(), whole.Pixels.end())));
}

TEST(OurSkin, LabelsOnAPanel)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SetIsDefault(true);  // labels follow the default manager
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 360, 200);
    auto* panel = Place<TsPanel>(form.get(), 10, 10, 320, 140);
    panel->SkinData()->SetSkinSection(L"PANEL");
    const auto label = [&](auto* l, int y, const wchar_t* caption) {
        l->Font()->SetName(L"Tahoma");
        l->Font()->SetHeight(-16);
        l->SetCaption(caption);
        l->SetLeft(12);
        l->SetTop(y);
        l->SetParent(panel);
        return l;
    };
    auto* plain = label(vcl::Create<TsLabel>(panel), 8, L"Supply voltage");
    label(vcl::Create<TsLabel>(panel), 34, L"Disabled label")->SetEnabled(false);
    auto* link = vcl::Create<TsWebLabel>(panel);
    label(link, 60, L"zirvane.invalid");
    link->SetFont(link->Font());  // the normal font the link paints in
    auto* shadowed = vcl::Create<TsLabelFX>(panel);
    shadowed->Shadow()->SetMode(TsShadowMode::smCustom);
    shadowed->Kind()->SetKindType(TsKindType::ktCustom);
    shadowed->Kind()->SetColor(vcl::TColor(0x804020));
    label(shadowed, 86, L"Shadowed caption")->Font()->SetHeight(-22);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);

    const testsupport::TGrab whole = testsupport::Grab(panel->Handle());
    const COLORREF surface = vcl::ColorToRGB(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color);
    EXPECT_EQ(plain->Font()->Color(), manager->GetGlobalFontColor());
    // Under the shadowed caption: the panel, the text and, between them, the shadow's darker greys.
    int shadow = 0;
    const vcl::TRect r = shadowed->BoundsRect();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = whole.ClientPixel(x, y);
            shadow +=
                GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < GetRValue(surface) - 8;
        }
    EXPECT_GT(shadow, 50);

    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "labels.png").wstring(), whole.Width, whole.Height,
                                     std::vector<uint32_t>(whole.Pixels.begin(), whole.Pixels.end())));
}

}  // namespace
