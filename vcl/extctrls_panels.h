#pragma once
// Panels, bevels, shapes, images and paint boxes (included by vcl/extctrls.h).
#include "vcl/controls.h"
#include "vcl/graphics.h"
#include "vcl/pictures.h"
#include "vcl/stdctrls.h"
#include "vcl/system.h"

#include <memory>

namespace vcl {

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };
enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// Width nested one-pixel frames along the inside of Rect, top and left edges in TopColor, bottom
// and right edges (with the top-right and bottom-left corners) in BottomColor; Rect shrinks by
// Width on every side.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// ---------------------------------------------------------------------------------------------
// Panels

class TCustomPanel : public TCustomControl {
    CL_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // bsSingle gives the window a border (sunken with Ctl3D).
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // The border width and both bevels are not client room.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;

private:
    void SetBevel(TBevelCut& field, TBevelCut value);
    // Width of both bevels together.
    int BevelSize() const;

    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
    TAlignment FAlignment = TAlignment::taCenter;
    TVerticalAlignment FVerticalAlignment = TVerticalAlignment::taVerticalCenter;
    bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
    CL_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

// ---------------------------------------------------------------------------------------------
// Bevel

class TBevel : public TGraphicControl {
    CL_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = TBevelShape::bsBox;
    TBevelStyle FStyle = TBevelStyle::bsLowered;
};

// ---------------------------------------------------------------------------------------------
// Shape

class TShape : public TGraphicControl {
    CL_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* AOwner);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    // Filling and outline; a change repaints.
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* value) { FPen->Assign(value); }

protected:
    void Paint() override;

private:
    void StyleChanged(TObject* Sender);

    TShapeType FShape = TShapeType::stRectangle;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
};

// ---------------------------------------------------------------------------------------------
// Image

class TImage : public TGraphicControl {
    CL_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);

    // A change sizes the image to the picture (with AutoSize) and repaints.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value) { FPicture->Assign(value); }
    void SetAutoSize(bool value) override;
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    // With Stretch (or a picture larger than the image), keep the picture's proportions.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    // Passed on to the picture's graphic.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    // Where the picture goes in the client area.
    TRect DestRect() const;

private:
    void PictureChanged(TObject* Sender);
    void SetOption(bool& field, bool value);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
};

// ---------------------------------------------------------------------------------------------
// Paint box

// A place to draw on: OnPaint repaints it; handlers may draw on its Canvas at any time.
class TPaintBox : public TGraphicControl {
    CL_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* AOwner);

    TNotifyEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent value) { FOnPaint = value; }

protected:
    void Paint() override;

private:
    TNotifyEvent FOnPaint;
};

}  // namespace vcl
