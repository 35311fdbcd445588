#include "vcl/gauges.h"

#include <algorithm>

namespace vcl {

int GaugeFillExtent(int Progress, int Min, int Max, int Extent)
{
    if (Max == Min)
        return 0;
    return static_cast<int>(int64_t(Progress - Min) * Extent / (int64_t(Max) - Min));
}

TCGauge::TCGauge(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle << TControlStyleItem::csOpaque;
    FWidth = 100;
    FHeight = 100;
}

void TCGauge::SetKind(TGaugeKind value)
{
    if (ChangeField(FKind, value))
        Repaint();
}

void TCGauge::SetShowText(bool value)
{
    if (ChangeField(FShowText, value))
        Repaint();
}

void TCGauge::SetBorderStyle(TBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        Repaint();
}

void TCGauge::SetForeColor(TColor value)
{
    if (ChangeField(FForeColor, value))
        Repaint();
}

void TCGauge::SetBackColor(TColor value)
{
    if (ChangeField(FBackColor, value))
        Repaint();
}

void TCGauge::SetRange(int AMin, int AMax)
{
    if (AMin == FMinValue && AMax == FMaxValue)
        return;
    FMinValue = AMin;
    FMaxValue = AMax;
    FProgress = std::clamp(FProgress, FMinValue, std::max(FMinValue, FMaxValue));
    Repaint();
}

// The blocking workflows expect the new value on the screen at once.
void TCGauge::SetProgress(int value)
{
    value = std::clamp(value, FMinValue, std::max(FMinValue, FMaxValue));
    if (ChangeField(FProgress, value))
        Repaint();
}

void TCGauge::PaintOn(TCanvas* Target)
{
    TRect inner(0, 0, FWidth, FHeight);
    TBrush* brush = Target->Brush();
    brush->SetStyle(TBrushStyle::bsSolid);  // the text of the last paint left it clear
    if (FBorderStyle == TBorderStyle::bsSingle) {
        brush->SetColor(clBlack);
        Target->FillRect(inner);
        inner.Inflate(-1, -1);
    }
    brush->SetColor(FBackColor);
    Target->FillRect(inner);
    TRect bar = inner;
    if (FKind == TGaugeKind::gkVerticalBar)
        bar.top = bar.bottom - GaugeFillExtent(FProgress, FMinValue, FMaxValue, inner.Height());
    else
        bar.right = bar.left + GaugeFillExtent(FProgress, FMinValue, FMaxValue, inner.Width());
    brush->SetColor(FForeColor);
    if (!bar.IsEmpty())
        Target->FillRect(bar);
    if (!FShowText)
        return;
    Target->SetFont(Font());
    brush->SetStyle(TBrushStyle::bsClear);
    Target->TextRect(inner, std::to_wstring(PercentDone()) + L"%", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Drawn off screen, then copied, so the bar never flickers through its background.
void TCGauge::Paint()
{
    if (FWidth <= 0 || FHeight <= 0)
        return;
    HDC target = Canvas()->Handle();
    const int bitsPerPixel = GetDeviceCaps(target, BITSPIXEL);
    if (!FOffScreen || FOffScreen->Width != FWidth || FOffScreen->Height != FHeight ||
        FOffScreen->BitsPerPixel != bitsPerPixel) {
        FOffScreen.reset();
        FOffScreen = std::make_unique<TOffScreen>(target, FWidth, FHeight);
    }
    PaintOn(&FOffScreen->Canvas);
    BitBlt(target, 0, 0, FWidth, FHeight, FOffScreen->Surface.Handle(), 0, 0, SRCCOPY);
}

TCGauge::TOffScreen::TOffScreen(HDC Target, int AWidth, int AHeight)
    : Surface(Target, AWidth, AHeight), Width(AWidth), Height(AHeight), BitsPerPixel(GetDeviceCaps(Target, BITSPIXEL))
{
    Canvas.SetHandle(Surface.Handle());
}

}  // namespace vcl
