#include "vcl/extctrls_panels.h"

#include <algorithm>

namespace vcl {

namespace {

void FillStrip(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas->FillRect(R);
}

// The light and dark colours of a raised edge; a lowered one swaps them.
std::pair<TColor, TColor> EdgeColors(bool Raised)
{
    return Raised ? std::pair{clBtnHighlight, clBtnShadow} : std::pair{clBtnShadow, clBtnHighlight};
}

}  // namespace

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    for (int i = 0; i < Width && !Rect.IsEmpty(); ++i) {
        const TRect& r = Rect;
        FillStrip(Canvas, TRect(r.left, r.top, r.right - 1, r.top + 1), TopColor);
        FillStrip(Canvas, TRect(r.left, r.top, r.left + 1, r.bottom - 1), TopColor);
        FillStrip(Canvas, TRect(r.right - 1, r.top, r.right, r.bottom), BottomColor);
        FillStrip(Canvas, TRect(r.left, r.bottom - 1, r.right, r.bottom), BottomColor);
        Rect.Inflate(-1, -1);
    }
}

// =============================================================================================
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents,     TControlStyleItem::csSetCaption,
                     TControlStyleItem::csOpaque,          TControlStyleItem::csDoubleClicks};
    FWidth = 185;
    FHeight = 41;
    InitColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    AddBorderStyle(Params, FBorderStyle);
}

int TCustomPanel::BevelSize() const
{
    return (FBevelOuter != TBevelCut::bvNone ? FBevelWidth : 0) + (FBevelInner != TBevelCut::bvNone ? FBevelWidth : 0);
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.Inflate(-BevelSize(), -BevelSize());
}

void TCustomPanel::SetBevel(TBevelCut& field, TBevelCut value)
{
    if (!ChangeField(field, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) { SetBevel(FBevelOuter, value); }
void TCustomPanel::SetBevelInner(TBevelCut value) { SetBevel(FBevelInner, value); }

void TCustomPanel::SetBevelWidth(int value)
{
    if (!ChangeField(FBevelWidth, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment value)
{
    if (ChangeField(FVerticalAlignment, value))
        Invalidate();
}

void TCustomPanel::SetShowCaption(bool value)
{
    if (ChangeField(FShowCaption, value))
        Invalidate();
}

// Outer bevel, border in the panel's colour, inner bevel, then the face with the caption.
void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        auto [top, bottom] = cut == TBevelCut::bvSpace ? std::pair{FColor, FColor}
                                                       : EdgeColors(cut == TBevelCut::bvRaised);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(canvas, rect, FColor, FColor, FBorderWidth);
    bevel(FBevelInner);
    FillStrip(canvas, rect, FColor);
    String caption = Caption();
    if (!FShowCaption || caption.empty())
        return;
    static const UINT vertical[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->TextRect(rect, caption,
                     DT_EXPANDTABS | DT_SINGLELINE | AlignmentDrawFlags(FAlignment) |
                         vertical[static_cast<int>(FVerticalAlignment)]);
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TCustomControl::Dispatch(Message);
}

// =============================================================================================
// TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape value)
{
    if (ChangeField(FShape, value))
        Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (ChangeField(FStyle, value))
        Invalidate();
}

// A line is two pixels: the first in the style's first colour, the one beside it in the second.
void TBevel::Paint()
{
    TCanvas* canvas = Canvas();
    auto [first, second] = EdgeColors(FStyle == TBevelStyle::bsRaised);
    int w = FWidth;
    int h = FHeight;
    auto rows = [&](int y) {
        FillStrip(canvas, TRect(0, y, w, y + 1), first);
        FillStrip(canvas, TRect(0, y + 1, w, y + 2), second);
    };
    auto columns = [&](int x) {
        FillStrip(canvas, TRect(x, 0, x + 1, h), first);
        FillStrip(canvas, TRect(x + 1, 0, x + 2, h), second);
    };
    switch (FShape) {
    case TBevelShape::bsBox: {
        TRect r(0, 0, w, h);
        Frame3D(canvas, r, first, second, 1);
        break;
    }
    case TBevelShape::bsFrame: {
        // An etched groove: a frame in the second colour one pixel in, one in the first over it.
        TRect inner(1, 1, w, h);
        Frame3D(canvas, inner, second, second, 1);
        TRect outer(0, 0, w - 1, h - 1);
        Frame3D(canvas, outer, first, first, 1);
        break;
    }
    case TBevelShape::bsTopLine: rows(0); break;
    case TBevelShape::bsBottomLine: rows(h - 2); break;
    case TBevelShape::bsLeftLine: columns(0); break;
    case TBevelShape::bsRightLine: columns(w - 2); break;
    case TBevelShape::bsSpacer: break;
    }
}

// =============================================================================================
// TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>())
{
    FWidth = 65;
    FHeight = 65;
    FBrush->SetOnChange(TNotifyEvent(this, &TShape::StyleChanged));
    FPen->SetOnChange(TNotifyEvent(this, &TShape::StyleChanged));
}

void TShape::SetShape(TShapeType value)
{
    if (ChangeField(FShape, value))
        Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

// The outline lies inside the bounds; squares and circles are centred in them.
void TShape::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetPen(FPen.get());
    canvas->SetBrush(FBrush.get());
    int penWidth = FPen->Width();
    TRect r(penWidth / 2, penWidth / 2, FWidth - (penWidth - 1) / 2, FHeight - (penWidth - 1) / 2);
    bool square = FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare ||
                  FShape == TShapeType::stCircle;
    if (square) {
        int side = std::min(r.Width(), r.Height());
        r = Bounds(r.left + (r.Width() - side) / 2, r.top + (r.Height() - side) / 2, side, side);
    }
    int corner = std::min(r.Width(), r.Height()) / 4;
    switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare: canvas->Rectangle(r); break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: canvas->RoundRect(r.left, r.top, r.right, r.bottom, corner, corner); break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle: canvas->Ellipse(r); break;
    }
}

// =============================================================================================
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FWidth = 105;
    FHeight = 105;
    FPicture->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
}

void TImage::PictureChanged(TObject*)
{
    TGraphic* graphic = FPicture->Graphic();
    // Changing the graphic comes back here; the second time nothing differs.
    if (graphic && !graphic->Empty() && graphic->Transparent() != FTransparent)
        graphic->SetTransparent(FTransparent);
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    if (FAutoSize == value)
        return;
    TGraphicControl::SetAutoSize(value);
    PictureChanged(this);
}

void TImage::SetOption(bool& field, bool value)
{
    if (ChangeField(field, value))
        PictureChanged(this);
}

void TImage::SetStretch(bool value) { SetOption(FStretch, value); }
void TImage::SetCenter(bool value) { SetOption(FCenter, value); }
void TImage::SetProportional(bool value) { SetOption(FProportional, value); }
void TImage::SetTransparent(bool value) { SetOption(FTransparent, value); }

TRect TImage::DestRect() const
{
    int w = FPicture->Width();
    int h = FPicture->Height();
    bool shrink = FProportional && (w > FWidth || h > FHeight);
    if ((FStretch || shrink) && w > 0 && h > 0) {
        if (!FProportional) {
            w = FWidth;
            h = FHeight;
        } else if (int64_t(FWidth) * h > int64_t(FHeight) * w) {
            // The height limits: scale to it, keeping the proportions.
            w = static_cast<int>(int64_t(w) * FHeight / h);
            h = FHeight;
        } else {
            h = static_cast<int>(int64_t(h) * FWidth / w);
            w = FWidth;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter)
        r.Offset((FWidth - w) / 2, (FHeight - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (graphic && !graphic->Empty())
        Canvas()->StretchDraw(DestRect(), graphic);
}

// =============================================================================================
// TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 105;
    FHeight = 105;
}

void TPaintBox::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(FColor);
    if (FOnPaint)
        FOnPaint(this);
}

}  // namespace vcl
