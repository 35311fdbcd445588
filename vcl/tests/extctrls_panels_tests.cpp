// Panels, shapes, images, paint boxes and the bar gauge under a real display, and a form laid out
// like the main window's bars.
#include "windowing_fixtures.h"

#include "vcl/bitmaps.h"
#include "vcl/buttons.h"
#include "vcl/comctrls.h"
#include "vcl/extctrls.h"

using namespace vcl;
using namespace wintest;
using testsupport::Grab;
using testsupport::PumpFor;

namespace {

// The bmp reader, registered once as start-up does.
void RegisterFormatsOnce()
{
    static bool done = false;
    if (!done)
        RegisterStandardGraphicFormats();
    done = true;
}

template<class T>
T* NewPlaced(TWinControl* parent, const TRect& bounds, TAlign align = TAlign::alNone)
{
    auto* control = Create<T>(parent);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    control->SetAlign(align);
    return control;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Paint box and image

TEST_F(WindowTest, LineDrawnOnAPaintBoxFromAHandlerShowsUntilTheBoxRepaints)
{
    TForm* form = NewForm();
    form->SetColor(clWhite);
    auto* box = NewPlaced<TPaintBox>(form, Bounds(20, 20, 100, 100));
    box->SetOnMouseDown(TMouseEvent([box](TObject*, TMouseButton, TShiftState, int, int y) {
        box->Canvas()->Pen()->SetColor(clRed);
        box->Canvas()->MoveTo(0, y);
        box->Canvas()->LineTo(100, y);
    }));
    ShowAndPaint(form);
    PostMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(60, 70));
    PostMessageW(form->Handle(), WM_LBUTTONUP, 0, PointToLParam(60, 70));
    PumpFor(20);
    EXPECT_EQ(RGB(255, 0, 0), Grab(form->Handle()).ClientPixel(30, 70));
    EXPECT_EQ(RGB(255, 255, 255), Grab(form->Handle()).ClientPixel(130, 70)) << "clipped to the box";

    box->Repaint();
    EXPECT_EQ(RGB(255, 255, 255), Grab(form->Handle()).ClientPixel(30, 70));
}

TEST_F(WindowTest, PaintBoxOnPaintDrawsOnItsCanvas)
{
    TForm* form = NewForm();
    auto* box = NewPlaced<TPaintBox>(form, Bounds(20, 20, 50, 50));
    box->SetOnPaint(TNotifyEvent([box](TObject*) {
        box->Canvas()->Brush()->SetColor(clBlue);
        box->Canvas()->FillRect(TRect(0, 0, 10, 10));
    }));
    ShowAndPaint(form);
    EXPECT_EQ(RGB(0, 0, 255), Grab(form->Handle()).ClientPixel(25, 25));
}

TEST_F(WindowTest, ImageSizesItselfToItsPictureAndShowsIt)
{
    RegisterFormatsOnce();
    TForm* form = NewForm(400, 400);
    auto* image = NewPlaced<TImage>(form, Bounds(254, 20, 10, 10));
    image->SetAutoSize(true);
    const String file = L"image_scale.bmp";
    TBitmap scale;
    scale.SetPixelFormat(TPixelFormat::pf24bit);
    scale.SetSize(47, 350);
    scale.Canvas()->Brush()->SetColor(clBlue);
    scale.Canvas()->FillRect(TRect(0, 0, 47, 350));
    scale.SaveToFile(file);

    image->Picture()->LoadFromFile(file);
    DeleteFileW(file.c_str());
    EXPECT_EQ(Bounds(254, 20, 47, 350), image->BoundsRect());
    ShowAndPaint(form);
    testsupport::TGrab grab = Grab(form->Handle());
    EXPECT_EQ(RGB(0, 0, 255), grab.ClientPixel(254, 20));
    EXPECT_EQ(RGB(0, 0, 255), grab.ClientPixel(300, 369));
}

TEST_F(WindowTest, ImageCentresStretchesAndKeysItsPicture)
{
    TForm* form = NewForm(200, 200);
    form->SetColor(clWhite);
    auto* image = NewPlaced<TImage>(form, Bounds(10, 10, 40, 20));
    // A red picture whose bottom row (with the bottom-left pixel, the transparent colour) is blue.
    TBitmap* picture = image->Picture()->Bitmap();
    picture->SetPixelFormat(TPixelFormat::pf24bit);
    picture->SetSize(10, 10);
    picture->Canvas()->Brush()->SetColor(clRed);
    picture->Canvas()->FillRect(TRect(0, 0, 10, 9));
    picture->Canvas()->Brush()->SetColor(clBlue);
    picture->Canvas()->FillRect(TRect(0, 9, 10, 10));
    EXPECT_EQ(Bounds(10, 10, 40, 20), image->BoundsRect()) << "no AutoSize";
    image->SetCenter(true);
    ShowAndPaint(form);
    testsupport::TGrab grab = Grab(form->Handle());
    EXPECT_EQ(RGB(255, 255, 255), grab.ClientPixel(10 + 14, 10 + 4));
    EXPECT_EQ(RGB(255, 0, 0), grab.ClientPixel(10 + 15, 10 + 5));
    EXPECT_EQ(RGB(0, 0, 255), grab.ClientPixel(10 + 24, 10 + 14));
    EXPECT_EQ(RGB(255, 255, 255), grab.ClientPixel(10 + 25, 10 + 15));

    image->SetStretch(true);
    PumpFor(20);
    grab = Grab(form->Handle());
    EXPECT_EQ(RGB(255, 0, 0), grab.ClientPixel(10, 10));
    EXPECT_EQ(RGB(0, 0, 255), grab.ClientPixel(49, 29));

    image->SetTransparent(true);
    PumpFor(20);
    grab = Grab(form->Handle());
    EXPECT_EQ(RGB(255, 0, 0), grab.ClientPixel(10, 10));
    EXPECT_EQ(RGB(255, 255, 255), grab.ClientPixel(49, 29)) << "the transparent colour shows the form";
}

// ---------------------------------------------------------------------------------------------
// Shape and panel

TEST_F(WindowTest, ShapeFillsWithItsBrushInsideItsPen)
{
    TForm* form = NewForm();
    auto* lamp = NewPlaced<TShape>(form, Bounds(10, 10, 60, 30));
    lamp->Brush()->SetColor(clSilver);
    ShowAndPaint(form);
    testsupport::TGrab grab = Grab(form->Handle());
    EXPECT_EQ(RGB(0, 0, 0), grab.ClientPixel(10, 10));
    EXPECT_EQ(RGB(0, 0, 0), grab.ClientPixel(69, 39));
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), grab.ClientPixel(11, 11));

    lamp->Brush()->SetColor(clLime);
    PumpFor(20);
    EXPECT_EQ(RGB(0, 255, 0), Grab(form->Handle()).ClientPixel(40, 25)) << "a brush change repaints";
}

TEST_F(WindowTest, PanelBevelsAndBorderAreNotClientRoom)
{
    TForm* form = NewForm();
    auto* panel = NewPlaced<TPanel>(form, Bounds(0, 0, 200, 100));
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* inside = NewPlaced<TPanel>(panel, Bounds(0, 0, 10, 10), TAlign::alClient);
    EXPECT_EQ(Bounds(7, 7, 186, 86), inside->BoundsRect());
    panel->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(Bounds(5, 5, 190, 90), inside->BoundsRect());
}

TEST_F(WindowTest, PanelPaintsItsBevelsAndFace)
{
    TForm* form = NewForm();
    auto* panel = NewPlaced<TPanel>(form, Bounds(10, 10, 50, 40));
    panel->SetColor(clYellow);
    panel->SetBevelOuter(TBevelCut::bvLowered);
    ShowAndPaint(form);
    testsupport::TGrab grab = Grab(form->Handle());
    EXPECT_EQ(ColorToRGB(clBtnShadow), grab.ClientPixel(10, 10));
    EXPECT_EQ(ColorToRGB(clBtnShadow), grab.ClientPixel(10, 48));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), grab.ClientPixel(59, 10)) << "top-right corner in the bottom colour";
    EXPECT_EQ(ColorToRGB(clBtnHighlight), grab.ClientPixel(10, 49)) << "bottom-left corner in the bottom colour";
    EXPECT_EQ(RGB(255, 255, 0), grab.ClientPixel(11, 11));
}

TEST_F(WindowTest, BevelLinesUseTheShadowThenTheHighlight)
{
    TForm* form = NewForm();
    form->SetColor(clWhite);
    auto* line = NewPlaced<TBevel>(form, Bounds(0, 52, 450, 3));
    line->SetShape(TBevelShape::bsTopLine);
    ShowAndPaint(form);
    testsupport::TGrab grab = Grab(form->Handle());
    EXPECT_EQ(ColorToRGB(clBtnShadow), grab.ClientPixel(200, 52));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), grab.ClientPixel(200, 53));
    EXPECT_EQ(RGB(255, 255, 255), grab.ClientPixel(200, 54));
    line->SetStyle(TBevelStyle::bsRaised);
    PumpFor(20);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), Grab(form->Handle()).ClientPixel(200, 52));
}

// ---------------------------------------------------------------------------------------------
// A form with the main window's bars

TEST_F(WindowTest, FormWithTheMainWindowsBarsLaysOutAsExpected)
{
    TForm* form = NewForm(1016, 565);
    form->DisableAlign();
    auto* topBar = NewPlaced<TPanel>(form, Bounds(0, 0, 1016, 46), TAlign::alTop);
    topBar->SetBevelOuter(TBevelCut::bvNone);
    topBar->SetBorderWidth(3);
    std::vector<TSpeedButton*> tools;
    for (int i = 0; i < 3; ++i)
        tools.push_back(NewPlaced<TSpeedButton>(topBar, Bounds(3 + 40 * i, 3, 40, 40), TAlign::alLeft));
    auto* lamp = NewPlaced<TShape>(topBar, Bounds(123, 3, 890, 40), TAlign::alClient);
    auto* logo = NewPlaced<TImage>(topBar, Bounds(899, 2, 113, 40));
    auto* bottomBar = NewPlaced<TPanel>(form, Bounds(0, 500, 1016, 46), TAlign::alBottom);
    bottomBar->SetBevelOuter(TBevelCut::bvLowered);
    auto* statusLamp = NewPlaced<TShape>(bottomBar, Bounds(1, 1, 1014, 44), TAlign::alClient);
    auto* status = NewPlaced<TStatusBar>(form, Bounds(0, 546, 1016, 19), TAlign::alBottom);
    auto* step = NewPlaced<TPanel>(form, Bounds(0, 46, 450, 454), TAlign::alLeft);
    auto* setup = NewPlaced<TPanel>(form, Bounds(450, 46, 566, 454), TAlign::alClient);
    form->EnableAlign();
    ShowAndPaint(form);

    struct Expected {
        TControl* Control;
        TRect Bounds;
    };
    const Expected layout[] = {
        {topBar, Bounds(0, 0, 1016, 46)},     {tools[0], Bounds(3, 3, 40, 40)},
        {tools[1], Bounds(43, 3, 40, 40)},    {tools[2], Bounds(83, 3, 40, 40)},
        {lamp, Bounds(123, 3, 890, 40)},      {logo, Bounds(899, 2, 113, 40)},
        {bottomBar, Bounds(0, 500, 1016, 46)}, {statusLamp, Bounds(1, 1, 1014, 44)},
        {status, Bounds(0, 546, 1016, 19)},   {step, Bounds(0, 46, 450, 454)},
        {setup, Bounds(450, 46, 566, 454)},
    };
    for (const Expected& e : layout)
        EXPECT_EQ(e.Bounds, e.Control->BoundsRect()) << ToUtf8(e.Control->ClassName());

    bottomBar->Hide();
    EXPECT_EQ(Bounds(0, 46, 450, 500), step->BoundsRect()) << "a hidden bar frees its room";
    EXPECT_EQ(Bounds(450, 46, 566, 500), setup->BoundsRect());
    tools[1]->Hide();
    EXPECT_EQ(Bounds(43, 3, 40, 40), tools[2]->BoundsRect());
}
