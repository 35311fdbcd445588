#pragma once
// The skinned gauge: a graphic control with five looks (text only, lying or standing bar, pie,
// needle). Skinned, it paints its section ("GAUGE") as the background, the progress section
// ("PROGRESSH", "PROGRESSV" for a standing bar that is not animated) over the filled part of a
// bar, and, while animated, a light that sweeps along the filled part every couple of seconds;
// without a skin it paints itself in plain colours, the text inverted over what lies beneath.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "skin/controls/sSkinnedControl.h"
#include "vcl/extctrls.h"

namespace skin {

enum class TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// The pause between two sweeps of the light, in milliseconds, and the light's length in pixels.
extern int AnimLongDelay;
constexpr int AnimSize = 300;
// The light animation ticks every this many milliseconds.
constexpr int GaugeTick = 22;

// Z x Percent / 100, truncated.
inline int SolveForX(int Percent, int Z) { return int(int64_t(Z) * Percent / 100); }
// X x 100 / Z, truncated; 0 for Z 0. Wide ranges do not wrap.
inline int SolveForY(int64_t X, int64_t Z) { return Z == 0 ? 0 : int(X * 100 / Z); }
// The percentage of Progress between Min and Max.
inline int PercentDone(int Min, int Max, int Progress) { return SolveForY(int64_t(Progress) - Min, int64_t(Max) - Min); }
// How far the light moves a tick along a bar Length long: the sweep takes about half the pause,
// at least 15 pixels a tick (halves rounded to even).
inline int AnimStep(int Length) { return std::max(15, int(std::nearbyint(Length / (AnimLongDelay / 44.0)))); }

class TsGauge : public TsSkinnedControl<vcl::TGraphicControl> {
    CL_CLASS(TsGauge, TsSkinnedControl<vcl::TGraphicControl>)
    CL_PUBLISHED
public:
    explicit TsGauge(vcl::TComponent* AOwner);
    ~TsGauge() override;
    void Loaded() override;

    int MinValue() const { return FMinValue; }
    // Above MaxValue (outside loading) raises EInvalidOperation; Progress follows.
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int Progress() const { return FCurValue; }
    // Clamped to MinValue .. MaxValue; OnChange follows a change.
    void SetProgress(int Value);
    void AddProgress(int Value);
    int PercentDone() const { return skin::PercentDone(FMinValue, FMaxValue, FCurValue); }
    // The number shown: the percentage or the value, then Suffix.
    vcl::String Text() const;

    TsGaugeKind Kind() const { return FKind; }
    void SetKind(TsGaugeKind Value) { SetAndRefresh(FKind, Value); }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value) { SetAndRefresh(FShowText, Value); }
    vcl::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(vcl::TBorderStyle Value) { SetAndRefresh(FBorderStyle, Value); }
    vcl::TColor BackColor() const { return FBackColor; }
    void SetBackColor(vcl::TColor Value) { SetAndRefresh(FBackColor, Value); }
    vcl::TColor ForeColor() const { return FForeColor; }
    void SetForeColor(vcl::TColor Value);
    bool CalcPercents() const { return FCalcPercents; }
    void SetCalcPercents(bool Value);
    const vcl::String& Suffix() const { return FSuffix; }
    void SetSuffix(const vcl::String& Value);
    const vcl::String& ProgressSkin() const { return FProgressSkin; }
    void SetProgressSkin(const vcl::String& Value);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool Value);
    vcl::TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(vcl::TNotifyEvent Value) { FOnChange = Value; }

    // Where the light is along the bar, and the time since its sweep began.
    int AnimPos() const { return FAnimPos; }
    int LongTime() const { return FLongTime; }
    vcl::TTimer* Timer() const { return FTimer.get(); }
    // One tick of the light animation.
    void TimerAction(vcl::TObject* Sender);

protected:
    void Paint() override;
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void UnskinnedMessage(vcl::TMessage& Message) override;
    void PrepareCache() override;

private:
    template<class T>
    void SetAndRefresh(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Invalidate();
    }
    // The bar's length: its height for a standing bar, else its width.
    int BarLength() const { return FKind == TsGaugeKind::gkVerticalBar ? Height() : Width(); }
    vcl::String ProgressSection() const;
    void DropProgressBmp() { FTmpProgressBmp.reset(); }
    void StartTimer();

    void PaintSkinned();
    void PaintPlain();
    void SkinPaintBody();
    void SkinPaintAsBar();
    void PaintStandingBar(int ProgressIndex, const vcl::String& Section);
    // The filled part painted lying down into Work over Background; the light laid over it.
    void PaintLyingBar(vcl::TBitmap* Work, vcl::TBitmap* Background, int ProgressIndex, const vcl::String& Section);
    void SkinPaintAsPie(vcl::TCanvas* Canvas, const vcl::TRect& R);
    void SkinPaintAsNeedle(vcl::TCanvas* Canvas, const vcl::TRect& R);
    // The text over Bmp in the colours of section Index, at the place it has over the whole gauge.
    void WriteTextAt(vcl::TBitmap* Bmp, const vcl::TPoint& Origin, int Index);
    void UpdateLighting(int Thickness);

    int FMinValue = 0;
    int FMaxValue = 100;
    int FCurValue = 47;
    TsGaugeKind FKind = TsGaugeKind::gkHorizontalBar;
    bool FShowText = true;
    vcl::TNotifyEvent FOnChange;
    vcl::String FSuffix = L"%";
    vcl::TColor FForeColor = vcl::clBlack;
    vcl::TBorderStyle FBorderStyle = vcl::TBorderStyle::bsSingle;
    vcl::TColor FBackColor = vcl::clWhite;
    vcl::String FProgressSkin;
    bool FCalcPercents = true;
    bool FAnimated = true;
    int FLongTime;
    int FAnimPos = 9999;
    std::unique_ptr<vcl::TBitmap> FLight;
    vcl::TObjectPtr<vcl::TTimer> FTimer;
    std::unique_ptr<vcl::TBitmap> FTmpProgressBmp;
};

}  // namespace skin
