#pragma once
// Snapshots of skinned windows and the cover under which a control changes its look: the control
// is painted with all its children into a bitmap, an output window takes the control's place
// while it repaints, and the old look is cross-faded into the new one on that window.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/core/sVclUtils.h"
#include "skin/core/sVclUtilsAnimPlans.h"
#include "skin/forms/acThdTimer.h"
#include "vcl/bitmaps.h"
#include "vcl/controls.h"
#include "vcl/forms.h"

namespace skin {

class TsSkinProvider;

// Paints Ctrl and everything inside it into Bmp, Ctrl's origin at the current origin of Bmp's DC.
// SkinProvider is the form's provider when Ctrl is a skinned form. Without one, an invisible Ctrl
// that has a parent leaves only its parent's background at (Left, Top), its own size. An MDI
// form's picture holds its visible MDI children in their places.
void SkinPaintTo(vcl::TBitmap* Bmp, vcl::TControl* Ctrl, int Left = 0, int Top = 0,
                 vcl::TComponent* SkinProvider = nullptr);

// The window that covers a control while it changes: invisible until shown, magenta, tagged -98
// so that nothing skins it, painting neither background nor frame. Without a parent it is a
// topmost-if-its-owner-is popup owned by the application window.
class TOutputWindow : public vcl::TCustomControl {
    CL_CLASS(TOutputWindow, vcl::TCustomControl)
public:
    explicit TOutputWindow(vcl::TComponent* AOwner);
    void WndProc(vcl::TMessage& Message) override;

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
};

// The cover of the control change in progress (a TOutputWindow owned by the control) and the
// control's old look; both live from PrepareForAnimation to the end of AnimShowControl.
extern vcl::TWinControl* ow;
extern vcl::TBitmap* AnimBmp;

// Takes Ctrl's look from the screen into AnimBmp and covers Ctrl with ow, shown without
// activation: inside Ctrl's parent right above Ctrl, or at Ctrl's window rectangle.
void PrepareForAnimation(vcl::TWinControl* Ctrl);
// Brings Ctrl's new look in over its old one on ow: TimeMs div 12 + 1 mixed frames 12 ms apart
// (none below 12 ms), then the new look; then Ctrl draws again, ow goes and both pictures are
// freed. A skinned form (with layered windows) instead shows its new picture on a layered cover
// of its own that fades in from nothing to MaxTransparency as a show of AnimType does.
void AnimShowControl(vcl::TWinControl* Ctrl, unsigned TimeMs, int MaxTransparency = 255,
                     TacAnimType AnimType = TacAnimType::atAero);

// Shows the provider's form, which is shown but does not draw, through a layered cover above it:
// the form's whole picture grows in over TimeMs (atAero) or only fades in, up to MaxTransparency;
// then the form draws again under the cover, the cover goes and OnAfterAnimation(aeShowing) is
// called. Below 12 ms the cover shows the finished picture at once. Nothing without skin data; a
// form without a cache is only given its drawing back. Returns when the animation is over.
void AnimShowForm(TsSkinProvider* sp, unsigned TimeMs, int MaxTransparency, TacAnimType AnimType);
// Hides the provider's form, already hidden, through a cover that shows its picture and goes on the
// hide timer with the manager's FormHide options. Nothing for an MDI child or without a cache.
void AnimHideForm(TsSkinProvider* sp);

// What the show animations share.
// The frame's picture in Dst: Src whole, or stretched into its place over transparent black.
void BuildAnimFrame(vcl::TBitmap* Dst, vcl::TBitmap* Src, const TAnimFrame& Frame);
// A new hidden borderless form, tagged -98 so that nothing skins it and never activated: the
// window of a cover.
vcl::TForm* NewCoverForm(vcl::TComponent* AOwner);
// Cover at Form's window rectangle's top-left less Shift, the snapshot's size: above everything for
// a topmost form, else right above Form; it shows Snapshot at Alpha and is shown without activation.
void ShowCoverOver(vcl::TForm* Cover, vcl::TCustomForm* Form, vcl::TBitmap* Snapshot, int Alpha,
                   const vcl::TPoint& Shift = vcl::TPoint());
// The frames of a show of Snapshot on Cover, 12 ms apart; AfterFrame, when given, is told each
// frame's opacity once it shows.
void PlayShowFrames(HWND Cover, vcl::TBitmap* Snapshot, const std::vector<TAnimFrame>& Frames,
                    const std::function<void(int Alpha)>& AfterFrame = {});

// The timer of a hide animation: its cover shows the snapshot shrinking and fading in 12 ms steps
// and is freed, with both pictures, on the tick after the last frame. It then idles (interval
// 65535, no handler) until the next hide or its owner's end.
class TacHideTimer : public TacThreadedTimer {
    CL_CLASS(TacHideTimer, TacThreadedTimer)
public:
    explicit TacHideTimer(vcl::TComponent* AOwner);
    void BeforeDestruction() override;

    // Shows the next frame, or ends the animation once every frame was shown.
    void OnTimerProc(vcl::TObject* Sender);

    vcl::TForm* Form = nullptr;            // the cover being animated; owned
    std::unique_ptr<vcl::TBitmap> SrcBmp;  // the snapshot
    std::unique_ptr<vcl::TBitmap> DstBmp;  // the frame being built
    std::vector<TAnimFrame> Frames;
    int i = 0;  // the next frame
    int StepCount = 0;

private:
    void FreeAnimation();
};

// The timer of the hide animations, made on first use with the application as owner; set it to
// none to give the next hide a timer of its own (the old one finishes its own animation).
extern TacHideTimer* acHideTimer;

// Hides through Cover, which it takes over with Bmp: a cover still held from an earlier hide goes
// at once; below 12 ms both are freed and nothing shows. Otherwise Cover, made layered and never
// activated, shows Bmp at StartBlendValue above everything, the first frame follows at once and
// the rest on the timer; while the application terminates every frame runs inside the call.
void StartHideAnimation(vcl::TForm* Cover, std::unique_ptr<vcl::TBitmap> Bmp, unsigned TimeMs, int StartBlendValue,
                        TacAnimType AnimType);

}  // namespace skin
