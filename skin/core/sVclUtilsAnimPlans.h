#pragma once
// The frame plans of the show, hide and control-change animations: for each frame, the cover's
// constant alpha and where the snapshot lies in the frame bitmap. A frame lasts 12 ms and the
// frame count follows from the configured time alone; the blocking shows and the hide timer walk
// the same plans.
#include <cstdint>
#include <vector>

#include "skin/core/sVclUtils.h"
#include "vcl/system.h"

namespace skin {

// The length of one frame of the show, hide and control-change animations.
inline constexpr unsigned acAnimStepMs = 12;

// One frame on a cover: its constant alpha and, unless Whole, the place (left, top, right,
// bottom) into which the snapshot is stretched; a Whole frame shows the snapshot at its own size.
struct TAnimFrame {
    uint8_t Alpha = 0;
    bool Whole = true;
    vcl::TRect Place;

    bool operator==(const TAnimFrame&) const = default;
};

// A show of a Size snapshot over TimeMs, rising to MaxTransparency: TimeMs div 12 + 1 frames,
// none below 12 ms (the cover then shows the finished picture at once). atAero grows the picture
// from three quarters of its size about its centre. A dialog's opacity rises in one step more, so
// its last frame reaches MaxTransparency only then.
std::vector<TAnimFrame> ShowFrames(const vcl::TSize& Size, unsigned TimeMs, int MaxTransparency, TacAnimType AnimType,
                                   bool Dialog = false);
// A hide of StepCount steps from StartBlendValue: StepCount + 1 frames falling to 0, the last two
// at 0; atAero shrinks the picture from its full size to three quarters. None for no steps.
std::vector<TAnimFrame> HideFrames(const vcl::TSize& Size, int StepCount, int StartBlendValue, TacAnimType AnimType);
// The weights (0..255) of the old look in the mixed frames of a control change over TimeMs, the
// new look taking the rest; none below 12 ms (the new look shows at once).
std::vector<int> ControlChangeWeights(unsigned TimeMs);

}  // namespace skin
