#pragma once
// What the control tests share: a hand-built skin put in force with its "GLOBALINFO" section, a
// shown form for the controls, a graphic control of one colour, the pixels of a control's cache as
// the screen shows them, and screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "pngfile.h"
#include "pump.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "testpaths.h"
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

// The colour of a shown form unless a test asks for another.
constexpr COLORREF FormColour = RGB(0, 128, 0);

// A form shown at (60, 60), Width x Height, in Colour.
inline vcl::TObjectPtr<vcl::TForm> ShownForm(int Width, int Height, COLORREF Colour = FormColour)
{
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(60, 60, Width, Height);
    form->SetColor(vcl::TColor(Colour));
    form->Show();
    return form;
}

// A cache pixel (0xAARRGGBB) as the screen shows it.
inline COLORREF AsColorRef(uint32_t Pixel) { return RGB(Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF); }

// The colour of a pixel of a control's cache as the screen shows it.
inline COLORREF CachePixel(const TsCommonData& Data, int X, int Y)
{
    return AsColorRef(PixelsOf(Data.FCacheBmp.get()).At(X, Y));
}

// The pixels of a control's window that differ from its cache.
inline int DifferingFromCache(vcl::TWinControl* Control)
{
    const TsCommonData& data = *SkinDataOf(Control);
    const testsupport::TGrab grab = testsupport::Grab(Control->Handle());
    int differing = 0;
    for (int y = 0; y < Control->Height(); ++y)
        for (int x = 0; x < Control->Width(); ++x)
            differing += grab.Pixel(x, y) != CachePixel(data, x, y);
    return differing;
}

// A graphic control that fills itself with one colour.
class TColourBox : public vcl::TGraphicControl {
    CL_CLASS(TColourBox, vcl::TGraphicControl)
public:
    TColourBox(vcl::TComponent* AOwner, COLORREF Colour) : vcl::TGraphicControl(AOwner), FColour(Colour) {}
    void WndProc(vcl::TMessage& Message) override
    {
        if (Message.Msg == WM_PAINT && Message.WParam)
            FillDC(reinterpret_cast<HDC>(Message.WParam), vcl::TRect(0, 0, Width(), Height()), vcl::TColor(FColour));
        else
            vcl::TGraphicControl::WndProc(Message);
    }

private:
    COLORREF FColour;
};

// Saves the pixels as Name in the screenshots folder of the build tree; whether it was written.
inline bool SaveScreenshot(const testsupport::TGrab& Picture, const wchar_t* Name)
{
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    return testsupport::SavePng((folder / Name).wstring(), Picture.Width, Picture.Height,
                                std::vector<uint32_t>(Picture.Pixels.begin(), Picture.Pixels.end()));
}

}  // namespace skin::test
