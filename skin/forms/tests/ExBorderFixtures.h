#pragma once
// Forms with extended borders over the extended-border test skin (a skin border of 6, a title of
// 30, a shadow of 10 reaching 2 into the sizing zone), shown with their border window placed.
#include "ProviderFixtures.h"

#include "skin/core/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "vcl/seams.h"

namespace skintest {

inline vcl::String ExBorderSkinFolder()
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / "EXBORDER")
        .wstring();
}

constexpr int SkinBorder = 6, SkinTitle = 30, Shadow = 10, ShadowOffs = 2;

class BorderFormTest : public ProviderTest {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        vcl::Seams().CompositionEnabled = [] { return false; };
        Manager = LoadSkin(ExBorderSkinFolder());
        Manager->SetExtendedBorders(true);
        Manager->SendNewSkin(false);
    }
    void TearDown() override
    {
        ProviderTest::TearDown();
        vcl::Seams() = SavedSeams;
    }
    // A shown sizeable 400 x 300 form with its border window placed around it (as the form's
    // window procedure places it once the form shows).
    TLoggingForm* ShowForm(vcl::TFormBorderStyle Style = vcl::TFormBorderStyle::bsSizeable)
    {
        TLoggingForm* form = NewForm(Style);
        form->Show();
        testsupport::PumpFor(0);
        form->Provider->InitExBorders(true);
        if (skin::TacBorderForm* border = Border(form))
            border->UpdateExBordersPos(true, 255);
        return form;
    }
    static skin::TacBorderForm* Border(TLoggingForm* Form) { return skin::BorderWindowOf(Form->Provider); }
    static HRGN RegionOf(HWND Wnd)
    {
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(Wnd, region), ERROR) << "the window has a region";
        return region;
    }
    static bool InRegion(HWND Wnd, int X, int Y)
    {
        const HRGN region = RegionOf(Wnd);
        const bool in = PtInRegion(region, X, Y);
        DeleteObject(region);
        return in;
    }

    const vcl::TSystemSeams SavedSeams = vcl::Seams();
};

}  // namespace skintest
