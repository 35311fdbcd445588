#pragma once
// What the control tests share: a hand-built skin put in force with its "GLOBALINFO" section, and
// a shown form for the controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "pump.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/forms.h"

namespace skin::test {

// Adds "GLOBALINFO" (section 0, light grey) and puts the skin in force; call before any other
// section is added.
inline void PutInForce(TTestSkin& Skin)
{
    testsupport::InitializeApplication();
    Skin.AddSection(L"GLOBALINFO", vcl::TColor(RGB(200, 200, 200)));
    Skin.Manager()->ConstData.IndexGLobalInfo = 0;
    Skin.Manager()->SkinData->Active = true;
}

// Each colour channel of two pixels within Tolerance: what blending and resampling leave of a colour.
inline ::testing::AssertionResult NearPixel(uint32_t Actual, uint32_t Expected, int Tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int(Actual >> shift & 0xFF) - int(Expected >> shift & 0xFF)) > Tolerance)
            return ::testing::AssertionFailure() << std::hex << Actual << " is not " << Expected;
    return ::testing::AssertionSuccess();
}

// The top-left corner of what differs from Face within Area of a grab (window coordinates): where
// a text's ink begins; (-1, -1) without any.
inline vcl::TPoint InkCorner(const testsupport::TGrab& Grab, const vcl::TRect& Area, COLORREF Face)
{
    vcl::TPoint corner(-1, -1);
    for (int y = Area.top; y < Area.bottom; ++y)
        for (int x = Area.left; x < Area.right; ++x)
            if (Grab.Pixel(x, y) != Face) {
                corner.x = corner.x < 0 ? x : std::min<int>(corner.x, x);
                corner.y = corner.y < 0 ? y : std::min<int>(corner.y, y);
            }
    return corner;
}

// A form shown at (60, 60), Width x Height, in Colour.
inline vcl::TObjectPtr<vcl::TForm> ShownForm(int Width, int Height, COLORREF Colour = RGB(0, 128, 0))
{
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(60, 60, Width, Height);
    form->SetColor(vcl::TColor(Colour));
    form->Show();
    return form;
}

}  // namespace skin::test
