#include "skin/core/sFade.h"

#include <utility>

#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/controls.h"

namespace skin {

namespace {

// The manager's button event that an animation event stands for, in TacAnimatEvent's order.
constexpr TacBtnEvent ButtonEventOf[] = {TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave,
                                         TacBtnEvent::beMouseDown, TacBtnEvent::beMouseUp, TacBtnEvent::beMouseUp};

bool BeingDestroyed(const vcl::TComponent* Component)
{
    return Component->ComponentState().Contains(vcl::TComponentStateItem::csDestroying);
}

// The control that owns the skin data, while it is there and not going.
vcl::TControl* LiveOwner(const TsCommonData* Data)
{
    vcl::TControl* owner = Data ? Data->FOwnerControl : nullptr;
    return owner && !BeingDestroyed(owner) ? owner : nullptr;
}

LRESULT Command(vcl::TControl* Control, uint16_t Cmd, LPARAM LParam = 0, uint16_t Arg = 0)
{
    return Control->Perform(SkinCommandMessage, SkinCommandWParam(Cmd, Arg), LParam);
}

// Dst becomes a 32-bit device-independent copy of Src.
void CopyAs32(vcl::TBitmap* Dst, vcl::TBitmap* Src)
{
    Dst->Assign(Src);
    Dst->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    Dst->SetHandleType(vcl::TBitmapHandleType::bmDIB);
}

// The weight of the old image in the step Level of Iterations.
uint8_t OldWeight(int Level, int Iterations) { return uint8_t(IntToByte(255 - Level * 256 / Iterations)); }

// Into Step, the old image From mixed with the new one, the cache, by the level's weight.
void BlendStep(vcl::TBitmap* Step, vcl::TBitmap* From, vcl::TBitmap* Cache, int Level, int Iterations)
{
    CopyAs32(Step, From);
    SumBitmaps(PixelsOf(Step), PixelsOf(Cache), TsColor::FromInt(OldWeight(Level, Iterations)));
}

// The DC of a window, released at the end of the scope; none without a window.
class TWindowDC {
public:
    explicit TWindowDC(HWND Window) : FWindow(Window), FDC(Window ? GetWindowDC(Window) : nullptr) {}
    ~TWindowDC()
    {
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// Hands Step to the control (scmdPaintBitmap); unless it paints it, Step is copied into its window.
void PaintStep(vcl::TControl* Owner, vcl::TBitmap* Step)
{
    auto* windowed = dynamic_cast<vcl::TWinControl*>(Owner);
    const TWindowDC window(windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr);
    if (!window.DC()) {
        Command(Owner, scmdPaintBitmap, reinterpret_cast<LPARAM>(Step));
        return;
    }
    const vcl::TSavedDC saved(window.DC());
    if (Command(Owner, scmdPaintBitmap, reinterpret_cast<LPARAM>(Step)))
        return;
    const TCanvasLock lock(Step->Canvas());
    BitBlt(window.DC(), 0, 0, Step->Width(), Step->Height(), Step->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* SkinManager)
{
    if (Events.Contains(Event))
        return true;
    if (!SkinManager)
        SkinManager = DefaultManager;
    return Events.Contains(TacAnimatEvent::aeGlobalDef) && SkinManager &&
           SkinManager->AnimEffects()->Buttons()->Events().Contains(ButtonEventOf[size_t(Event)]);
}

void DoChangePaint(TsFadeTimer*& Timer, TsCommonData& SkinData, bool Quick, bool AllowAnimation,
                   TFadeDirection Direction)
{
    if (!SkinData.Skinned())
        return;
    const bool oldLookCached = SkinData.FCacheBmp && !SkinData.BGChanged;
    SkinData.BGChanged = true;
    if (AllowAnimation && !aSkinChanging && SkinData.Section().FadingEnabled && !acFadingForbidden && oldLookCached) {
        AnimChange(Timer, SkinData, Quick, Direction);
    } else {
        StopFading(Timer);
        if (SkinData.FOwnerControl)
            SkinData.FOwnerControl->Repaint();
    }
    ShowGlowingIfNeeded(SkinData, Quick);
}

void AnimChange(TsFadeTimer*& Timer, TsCommonData& SkinData, bool Quick, TFadeDirection Direction)
{
    const TsGeneralData& section = SkinData.Section();
    if (!section.FadingEnabled)
        return;
    if (!Timer) {
        Timer = vcl::Create<TsFadeTimer>(SkinData.FOwnerControl);
        Timer->FadeLevel = 1;
    } else {
        // A running fade counts its whole length again and restarts from level 1 below.
        Timer->FadeLevel = section.FadingIterations;
    }
    Timer->SetOwnerData(&SkinData);
    if (Quick)
        Timer->Iterations /= 2;
    if (Timer->FadeLevel < 1 || Timer->FadeLevel > Timer->Iterations - 1)
        Timer->FadeLevel = 1;
    if (SkinData.FOwnerControl)
        Command(SkinData.FOwnerControl, scmdRenderCache);
    Timer->SetDirection(Direction);
}

void StopFading(TsFadeTimer*& Timer)
{
    TsFadeTimer* timer = std::exchange(Timer, nullptr);
    if (!timer || BeingDestroyed(timer))
        return;
    timer->SetDirection(TFadeDirection::fdNone);
    timer->Free();
}

// ---------------------------------------------------------------------------------------------
// TsFadeTimer

TsFadeTimer::TsFadeTimer(vcl::TComponent* AOwner)
    : vcl::TTimer(AOwner), FBmpFrom(std::make_unique<vcl::TBitmap>())
{
    ++acFadeTimersCount;
    SetDirection(TFadeDirection::fdNone);
    SetOnTimer(vcl::TNotifyEvent(this, &TsFadeTimer::TimerAction));
}

TsFadeTimer::~TsFadeTimer()
{
    FBmpFrom.reset();
    --acFadeTimersCount;
}

void TsFadeTimer::SetDirection(TFadeDirection Value)
{
    FDirection = Value;
    if (FadeLevel < 0)
        FadeLevel = 1;
    SetEnabled(Value != TFadeDirection::fdNone);
}

void TsFadeTimer::SetOwnerData(TsCommonData* Value)
{
    FOwnerData = Value;
    if (!Value || !Value->Skinned())
        return;
    vcl::TBitmap* cache = Value->FCacheBmp.get();
    if (Value->BGChanged && (!cache || cache->Empty()) && Value->FOwnerControl) {
        Command(Value->FOwnerControl, scmdRenderCache);  // so that there is an old image
        cache = Value->FCacheBmp.get();
    }
    if (cache)
        CopyAs32(FBmpFrom.get(), cache);
    SetInterval(10);
    const int iterations = Value->Section().FadingIterations;
    Iterations = FDirection == TFadeDirection::fdUp     ? FadeLevel
                 : FDirection == TFadeDirection::fdDown ? iterations - FadeLevel
                                                        : iterations;
}

void TsFadeTimer::Timer()
{
    if (!FOwnerData || BeingDestroyed(this) || ToEnd())
        return;
    if (acFadingForbidden || FDirection == TFadeDirection::fdNone)
        return;
    Change();
}

bool TsFadeTimer::ToEnd()
{
    vcl::TControl* owner = LiveOwner(FOwnerData);
    if (!owner || ApplicationEnding()) {
        SetDirection(TFadeDirection::fdNone);
        return false;
    }
    if (FadeLevel >= 0 && FadeLevel <= Iterations)
        return false;
    Command(owner, scmdStopFade);  // the control frees this timer
    return true;
}

void TsFadeTimer::Change()
{
    vcl::TControl* owner = LiveOwner(FOwnerData);
    if (!owner || Iterations == 0 || acFadingForbidden)
        return;
    if (!owner->Enabled()) {
        SetEnabled(false);
        Iterations = 0;
        FOwnerData->Invalidate();
        return;
    }
    struct TNextLevel {
        int& Level;
        ~TNextLevel() { ++Level; }
    } next{FadeLevel};
    const std::unique_ptr<vcl::TBitmap> step(std::make_unique<vcl::TBitmap>());
    BlendStep(step.get(), FBmpFrom.get(), FOwnerData->FCacheBmp.get(), FadeLevel, Iterations);
    PaintStep(owner, step.get());
}

// ---------------------------------------------------------------------------------------------
// TsAnimTimer

TsAnimTimer::TsAnimTimer(vcl::TComponent* AOwner)
    : vcl::TTimer(AOwner), FBmpFrom(std::make_unique<vcl::TBitmap>()), FTmpBmp(std::make_unique<vcl::TBitmap>())
{
    ++acFadeTimersCount;
    SetEnabled(false);
    SetOnTimer(vcl::TNotifyEvent(this, &TsAnimTimer::TimerAction));
}

TsAnimTimer::~TsAnimTimer()
{
    FBmpFrom.reset();
    FTmpBmp.reset();
    --acFadeTimersCount;
}

void TsAnimTimer::SetOwnerData(TsCommonData* Value)
{
    FOwnerData = Value;
    SetInterval(10);
    if (Value && Value->Skinned())
        Iterations = Value->Section().FadingIterations;
}

void TsAnimTimer::Timer()
{
    if (BeingDestroyed(this) || ToEnd())
        return;
    DoFade();
}

bool TsAnimTimer::ToEnd()
{
    vcl::TControl* owner = LiveOwner(FOwnerData);
    if (BeingDestroyed(this) || !owner || ApplicationEnding())
        return true;
    if (FadeLevel >= 0 && FadeLevel <= Iterations)
        return false;
    Command(owner, scmdStopFade);  // the button frees this timer
    return true;
}

void TsAnimTimer::DoFade()
{
    if (!FFadeInProcess && LiveOwner(FOwnerData) && Iterations != 0 && FadeLevel >= 0) {
        const TFlagScope painting(FFadeInProcess);
        BlendStep(FTmpBmp.get(), FBmpFrom.get(), FOwnerData->FCacheBmp.get(), FadeLevel, Iterations);
        Repaint();
    }
    ++FadeLevel;
}

void TsAnimTimer::Repaint()
{
    vcl::TControl* owner = FOwnerData->FOwnerControl;
    Command(owner, scmdSetUpdating, 0, 0);
    Command(owner, scmdRedraw);
}

}  // namespace skin
