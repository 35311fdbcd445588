#pragma once
// TCGauge: a graphic bar gauge drawn by us through an off-screen bitmap.
#include "vcl/controls.h"
#include "vcl/stdctrls.h"
#include "vcl/system.h"

namespace vcl {

enum class TGaugeKind { gkHorizontalBar, gkVerticalBar };

// The bar's length for Progress in [Min, Max] over Extent pixels: (Progress - Min) * Extent div
// (Max - Min); an empty range fills nothing.
int GaugeFillExtent(int Progress, int Min, int Max, int Extent);

class TCGauge : public TGraphicControl {
    CL_CLASS(TCGauge, TGraphicControl)
public:
    explicit TCGauge(TComponent* AOwner);

    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind value);
    // The percentage, centred over the bar.
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    // bsSingle draws a one-pixel black frame inside the bounds.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value) { SetRange(value, FMaxValue); }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value) { SetRange(FMinValue, value); }
    // Always within [MinValue, MaxValue].
    int Progress() const { return FProgress; }
    void SetProgress(int value);
    void AddProgress(int Value) { SetProgress(FProgress + Value); }
    int PercentDone() const { return GaugeFillExtent(FProgress, FMinValue, FMaxValue, 100); }

protected:
    void Paint() override;

private:
    // Keeps Progress within the new range.
    void SetRange(int AMin, int AMax);
    // Draws the whole gauge on the off-screen bitmap's canvas.
    void PaintOn(TCanvas* Target);

    // The off-screen bitmap and its canvas, kept while the gauge keeps its size and the screen its
    // format: a gauge paints on every change of its value, and a new bitmap costs more than the
    // painting.
    struct TOffScreen {
        TOffScreen(HDC Target, int Width, int Height);
        TMemoryDC Surface;
        TCanvas Canvas;
        int Width, Height, BitsPerPixel;
    };
    std::unique_ptr<TOffScreen> FOffScreen;

    TGaugeKind FKind = TGaugeKind::gkHorizontalBar;
    bool FShowText = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TColor FForeColor = clBlack;
    TColor FBackColor = clWhite;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
};

}  // namespace vcl
