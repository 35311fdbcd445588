#pragma once
// How a button-like control shows a change of its state: when the event that caused it fades for
// the control and its section fades, the control cross-fades from its old look to the new one in
// a few 10 ms steps; otherwise (no fading in the section, a skin change, a stale cache, fading
// forbidden) it shows the new look at once.
//
// A windowed control keeps a TsFadeTimer while it fades (none otherwise) and passes its reference
// here. It answers scmdRenderCache by rendering its cache for its current state, scmdPaintBitmap
// by painting the bitmap in LParam as its window's image and answering 1 (or answering 0 to let
// the timer copy it into the window), and scmdStopFade by calling StopFading with its timer. The
// speed button, which has no window, fades through a TsAnimTimer and repaints each step on
// scmdSetUpdating and scmdRedraw.
//
// The old image's weight in a step at level L of N is 255 - L * 256 div N (at least 0): with the
// default 5 steps 204, 153, 102, 51, 0; a press or release (Quick) takes half the steps, 127, 0.
// The tick after the last step ends the fade.
//
// Everything runs on the GUI thread.
#include <memory>

#include "skin/core/sConst.h"
#include "vcl/bitmaps.h"
#include "vcl/extctrls.h"
#include "vcl/properties.h"

namespace skin {

class TsCommonData;
class TsSkinManager;
class TsFadeTimer;

// Whether Event fades for a control with AnimatEvents Events: when Events holds it, or holds
// aeGlobalDef and the manager's button effects name the event (aeGlobalDef counting as a release).
// No manager means DefaultManager.
bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* SkinManager = nullptr);

// Shows the control's new state: a fade when AllowAnimation, no skin change runs, the section
// fades, fading is not forbidden and the cache still shows the old look (BGChanged clear);
// otherwise the cache is marked stale, a running fade stops and the control repaints at once. The
// glow follows (shown on entering, gone on a click). Nothing for a control that is not skinned.
void DoChangePaint(TsFadeTimer*& Timer, TsCommonData& SkinData, bool Quick, bool AllowAnimation,
                   TFadeDirection Direction = TFadeDirection::fdUp);
// Starts a fade, or starts a running one again from the current cache: the cache becomes the old
// image, the control renders its new look (scmdRenderCache) and the timer runs from level 1.
void AnimChange(TsFadeTimer*& Timer, TsCommonData& SkinData, bool Quick, TFadeDirection Direction);
// Stops and frees the control's fade timer; Timer becomes none. A timer already being destroyed
// (with its owner) is only forgotten.
void StopFading(TsFadeTimer*& Timer);

// The fade of a windowed control's state change.
class TsFadeTimer : public vcl::TTimer {
    CL_CLASS(TsFadeTimer, vcl::TTimer)
public:
    // Stopped, in no direction; counted in acFadeTimersCount while it lives.
    explicit TsFadeTimer(vcl::TComponent* AOwner);
    ~TsFadeTimer() override;

    TFadeDirection Direction() const { return FDirection; }
    // The timer runs exactly while the direction is not fdNone; a negative level becomes 1.
    void SetDirection(TFadeDirection Value);
    TsCommonData* OwnerData() const { return FOwnerData; }
    // Binds the timer to a control's skin data and takes its cache as the old image (rendered
    // first when the cache is stale and empty); Iterations from the section, or, while running,
    // from the level.
    void SetOwnerData(TsCommonData* Value);
    // The image before the change.
    vcl::TBitmap* BmpFrom() const { return FBmpFrom.get(); }

    // One tick: ends the fade past its last step (scmdStopFade to the control), else paints the
    // next step.
    void Timer() override;
    // Paints the step FadeLevel and moves on a level. A disabled control instead stops the timer
    // and repaints in its disabled look.
    void Change();

    int Iterations = 0;  // the number of steps
    int FadeLevel = 0;   // the step painted next

private:
    // Whether the tick is to end the fade; a control or application going away only silences it.
    bool ToEnd();
    // The timer's event does nothing: the tick's work is Timer's.
    void TimerAction(vcl::TObject*) {}

    TFadeDirection FDirection = TFadeDirection::fdNone;
    TsCommonData* FOwnerData = nullptr;
    std::unique_ptr<vcl::TBitmap> FBmpFrom;
};

// The fade of a speed button, which has no window: each step is blended into TmpBmp and the
// button repaints it (scmdSetUpdating with 0, then scmdRedraw). The button itself takes the old
// image into BmpFrom, renders the new look, starts the timer and paints the first step (DoFade).
class TsAnimTimer : public vcl::TTimer {
    CL_CLASS(TsAnimTimer, vcl::TTimer)
public:
    // Stopped; counted in acFadeTimersCount while it lives.
    explicit TsAnimTimer(vcl::TComponent* AOwner);
    ~TsAnimTimer() override;

    TsCommonData* OwnerData() const { return FOwnerData; }
    // Binds the timer to the button's skin data; Iterations from the section.
    void SetOwnerData(TsCommonData* Value);
    vcl::TBitmap* BmpFrom() const { return FBmpFrom.get(); }
    // The step last painted.
    vcl::TBitmap* TmpBmp() const { return FTmpBmp.get(); }

    // One tick: ends the fade past its last step (scmdStopFade to the button), else DoFade.
    void Timer() override;
    // Blends the step FadeLevel into TmpBmp and has the button repaint it; moves on a level.
    void DoFade();

    int Iterations = 0;
    int FadeLevel = 0;

private:
    bool ToEnd();
    void Repaint();
    void TimerAction(vcl::TObject*) {}

    bool FFadeInProcess = false;  // a step is being painted
    std::unique_ptr<vcl::TBitmap> FBmpFrom;
    std::unique_ptr<vcl::TBitmap> FTmpBmp;
    TsCommonData* FOwnerData = nullptr;
};

// Publishes a fading control's AnimatEvents with the events' names.
template<class T>
void PublishAnimatEvents(vcl::TPropertyTable& Table)
{
    Table.Add(L"AnimatEvents", &T::AnimatEvents, &T::SetAnimatEvents,
              {L"aeMouseEnter", L"aeMouseLeave", L"aeMouseDown", L"aeMouseUp", L"aeGlobalDef"});
}

}  // namespace skin
