#pragma once
// The hover animation of a title button: a small layered window laid exactly over the button
// fades its new image in over ten ticks of 12 ms when the mouse enters, and out again when it
// leaves; a pressed button shows at full strength at once. Every frame goes through the
// layered-window entry points of the graphics library.
#include <windows.h>

#include <memory>

#include "vcl/bitmaps.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"

namespace skin {

class TacBorderGeometry;
class TsCommonData;
class TsSkinProvider;
struct TsCaptionButton;

class TacSBAnimation : public vcl::TTimer {
    CL_CLASS(TacSBAnimation, vcl::TTimer)
public:
    explicit TacSBAnimation(vcl::TComponent* AOwner);
    // Stops, frees the window and the image, and tells the button it has no animation now.
    void BeforeDestruction() override;

    // Shows NewState: a new state starts at the first step (a pressed one with its image made
    // anew), the normal state steps back one; the timer runs for fades of more than one step.
    void StartAnimation(int NewState, bool ToUp);
    // One tick: a step of the fade; after a full fade-in it watches for the mouse leaving, after
    // a full fade-out it frees the window and marks the state -1.
    void OnAnimTimer(vcl::TObject* Sender);
    // The opacity gained per step: 255 div MaxIterations, 0 when that is not positive.
    int Step() const;
    // Shows the image over the button at opacity Blend.
    void UpdateForm(int Blend);
    // The layered window; made once.
    void MakeForm();
    // The image of the button's state, or its glow for a hot minimise, maximise or close button.
    void MakeImg();
    // The window's place on the screen: the button's, or its glow's grown by the glow margin.
    vcl::TRect GetFormBounds();
    // The glow margin of a hot minimise, maximise or close button while glowing is allowed.
    int Offset();
    // The cursor outside the button stops the timer and sends WM_MOUSELEAVE to the form.
    void CheckMouseLeave();
    // Frees the window and the image.
    void FreeForm();

    TacBorderGeometry* BorderForm = nullptr;  // the form's extended-border window; it frees the animation when it goes
    TsCommonData* SkinData = nullptr;
    TsSkinProvider* Provider = nullptr;
    HWND FormHandle = nullptr;
    TsCaptionButton* PBtnData = nullptr;
    int CurrentLevel = 0;
    int CurrentState = 0;  // 0 normal, 1 hot, 2 pressed; -1 after a fade-out
    bool Up = false;
    int MaxIterations = 0;  // -1 once the full image is shown
    vcl::TObjectPtr<vcl::TForm> AForm;
    std::unique_ptr<vcl::TBitmap> ABmp;

private:
    // The window whose picture holds the button, which the button's rectangle is relative to: the
    // border window in the extended layout, else the form's.
    HWND PictureWindow() const;
    // The glow image of the button's image for a hot button; -1 when none.
    int GlowMaskIndex();
};

// Starts or turns the animation of a provider's caption button toward State: (1, 10 steps, Up)
// for hot, (2, 1 step, Up) for pressed, (0, 10 steps, not Up) for normal.
void StartSBAnimation(TsCaptionButton* Btn, int State, int MaxIterations, bool Up, TsSkinProvider* Provider);

}  // namespace skin
