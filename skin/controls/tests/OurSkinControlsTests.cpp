// Our own skin fades the program's buttons, check boxes and track bars, and a screenshot keeps a
// button halfway through its fade for people to look at. (Its controls at rest are in the gallery.)
#include <gtest/gtest.h>

#include <filesystem>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/sButton.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "testpaths.h"
#include "vcl/forms.h"

namespace {

using namespace skin;
using skin::test::AsColorRef;
using skin::test::DifferingFromCache;
using skin::test::SaveScreenshot;

template<class T>
T* Place(vcl::TWinControl* Parent, int X, int Y, int W, int H, const wchar_t* Caption = L"")
{
    auto* c = vcl::Create<T>(Parent);
    c->SetBounds(X, Y, W, H);
    c->SetCaption(Caption);
    c->SetParent(Parent);
    return c;
}

TEST(OurSkin, TheProgramsButtonsAndCheckControlsFadeInFiveStepsWithoutGlowing)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    for (const wchar_t* name : {L"MENUBTN", L"BUTTON", L"SPEEDBUTTON", L"CHECKBOX", L"RADIOBUTTON", L"TRACKBAR"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        const int index = manager->GetSkinIndex(name);
        ASSERT_GE(index, 0);
        const TsGeneralData& section = manager->gd[size_t(index)];
        EXPECT_TRUE(section.FadingEnabled);
        EXPECT_EQ(section.FadingIterations, 5);
        EXPECT_EQ(section.GlowCount, 0);
    }

    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 300, 100);
    form->SetColor(vcl::TColor(RGB(243, 244, 246)));
    auto* button = Place<TsButton>(form.get(), 20, 20, 120, 32, L"Search");
    button->SkinData()->SetSkinSection(L"MENUBTN");
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);
    const auto face = [&] { return PixelsOf(button->SkinData()->FCacheBmp.get()).At(8, 8); };
    const uint32_t normal = face();
    button->Perform(vcl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
    ASSERT_NE(button->FadeTimer(), nullptr);
    const uint32_t hot = face();
    ASSERT_NE(hot, normal);
    for (const int weight : {204, 153, 102, 51, 0}) {
        button->FadeTimer()->Timer();
        EXPECT_EQ(testsupport::Grab(button->Handle()).Pixel(8, 8), AsColorRef(skin::test::FadeMix(normal, hot, weight)))
            << "the old face weighs " << weight;
        if (weight == 102) {
            EXPECT_TRUE(SaveScreenshot(testsupport::Grab(form->Handle()), L"menu_button_mid_fade.png"));
        }
    }
    button->FadeTimer()->Timer();
    EXPECT_EQ(button->FadeTimer(), nullptr);
    testsupport::PumpFor(50);
    EXPECT_EQ(DifferingFromCache(button), 0) << "the hot face itself after the last step";
}

}  // namespace
