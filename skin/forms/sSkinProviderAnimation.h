#pragma once
// A skinned form's own animations. Minimising, its window turns invisible at once and a layered
// picture of it shrinks towards its taskbar button while it fades out; restoring, the picture grows
// back and the real window shows again. Dragged by its caption, the form fades to a translucent
// level and comes back when the drag ends. The timers step the pure plans of
// sSkinProviderAnimPlans and show each frame through the layered toolbox.
#include <windows.h>

#include <functional>
#include <memory>

#include "skin/forms/acThdTimer.h"
#include "skin/forms/sSkinProviderAnimPlans.h"
#include "vcl/bitmaps.h"
#include "vcl/forms.h"
#include "vcl/messages.h"

namespace skin {

class TsSkinProvider;

// The frames of a minimise and the following restore, every 15 ms. It stays in the provider's
// FormTimer between the two, keeping the saved picture and its hidden cover for the restore.
class TacMinTimer : public TacThreadedTimer {
    CL_CLASS(TacMinTimer, TacThreadedTimer)
public:
    // Its ticks run TimeHandler; the form's data is taken and its cover made (InitData). AOwner
    // is the provider of the form.
    explicit TacMinTimer(vcl::TComponent* AOwner);
    void BeforeDestruction() override;

    // Takes the form's rectangle, opacity and destination anew for a new run; a run stopped
    // half-way keeps its place. Makes the frame bitmap and the cover that shows the frames.
    void InitData();
    // Where the picture goes: the taskbar button or the point on the taskbar's edge.
    vcl::TRect GetRectTo() const;
    // Aims at the destination again, as when the work area changed.
    void UpdateDstRect();
    // One frame towards the taskbar or towards the form, by the provider's state.
    void TimeHandler() override;
    // Frees the cover the timer made for itself; a window it was given stays.
    void FreeCover();

    TMinimizePlan Plan;              // the rectangles, the current frame and the opacities
    uint8_t AlphaOrigin = 255;       // the form's own opacity
    vcl::TForm* AnimForm = nullptr;  // the layered window that shows the frames
    TsSkinProvider* sp = nullptr;
    HWND FormHandle = nullptr;
    std::unique_ptr<vcl::TBitmap> SavedImage;  // the form before it was minimised
    std::unique_ptr<vcl::TBitmap> AlphaBmp;    // the frame being built, of the form's size
    bool Minimized = false;                    // at the taskbar end: the next frames go towards the form
    bool AlphaFormWasCreated = false;          // AnimForm is a cover made (and owned) here

private:
    void MinimizeFrame();
    void RestoreFrame();
    void EndMinimize();
    void EndRestore();
    // The current picture on AnimForm, passing under the taskbar.
    void DrawFrame();
};

// The fade of a dragged form, every 12 ms, down to its plan's target.
class TacMoveTimer : public TacThreadedTimer {
    CL_CLASS(TacMoveTimer, TacThreadedTimer)
public:
    using TacThreadedTimer::TacThreadedTimer;
    // Shows the form at CurrentBlendValue and takes it one step nearer the target.
    void TimeHandler() override;

    TBlendOnMovingPlan Plan;  // the target opacity and the step
    uint8_t CurrentBlendValue = 255;
    TsSkinProvider* SP = nullptr;
    HWND FormHandle = nullptr;
};

// Starts the fade of the provider's dragged form, runs the system's move loop and brings the form
// back when the drag ends. Nothing while a fade runs or without the manager's blend on moving.
void StartBlendOnMoving(TsSkinProvider* Provider);
// Brings the form back to full view after a drag and frees the move timer.
void FinishBlendOnMoving(TsSkinProvider* Provider);

// The system's command that moves a window with the mouse while its button is down.
inline constexpr WPARAM SC_DRAGMOVE = 0xF012;

// The system's modal move loop of a form dragged by its caption (SC_DRAGMOVE); tests put their own
// loop here.
extern std::function<void(vcl::TWinControl* Form)> acDragMoveLoop;

// ---------------------------------------------------------------------------------------------
// The provider's window procedure calls these from its rows.

// WM_CLOSE of a form whose hide is animated: own, then the cache becomes the form's whole
// picture, which the hide animation shows.
void CloseWithHideImage(TsSkinProvider* Provider, vcl::TMessage& Message);
// WM_WINDOWPOSCHANGING that hides the form: the cache becomes the form's picture and a cover
// holds it on the screen while the window goes (kept in CoverForm for the hide animation).
void CoverFormForHide(TsSkinProvider* Provider);
// WM_WINDOWPOSCHANGED that hid the form: own, then the hide animation from the form's picture.
void HideFormAnimated(TsSkinProvider* Provider, vcl::TMessage& Message);
// CM_SHOWINGCHANGED of a form whose show is animated: before own, the form turns layered and
// almost transparent and its children stop drawing; after own, they draw again and the form
// appears through the show animation. What BeginShowAnimation gave goes to EndShowAnimation.
struct TShowAnimation {
    bool MadeLayered = false;   // the form was made layered here
    int MaxTransparency = 255;  // the opacity the form ends at
};
TShowAnimation BeginShowAnimation(TsSkinProvider* Provider);
void EndShowAnimation(TsSkinProvider* Provider, const TShowAnimation& Show);
// The skin went while the form was being shown: it appears plainly, no longer layered.
void AbandonShowAnimation(TsSkinProvider* Provider);
// The work area changed: a minimise timer aims at the new destination and stands there.
void MinimizeTargetChanged(TsSkinProvider* Provider);
// A press on the caption fades the form while it is dragged: the manager's blend on moving is on
// with a value other than 255, the provider allows it, and the form is neither iconic nor an MDI
// child.
bool BlendOnMovingWanted(TsSkinProvider* Provider);

}  // namespace skin
