#pragma once
// Group boxes: a window of their own (not the system's BUTTON) that frames its children under a
// caption (included by vcl/stdctrls.h).
#include "vcl/stdctrls.h"

#include <algorithm>

namespace vcl {

class TCustomGroupBox : public TCustomControl {
    CL_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* AOwner);

    // Stored only; the skinned group box keeps its caption strip at least two of them wide.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value) { FBevelWidth = std::max(value, 1); }

    void Dispatch(TMessage& Message) override;

protected:
    // The caption strip and the frame are not client room.
    void AdjustClientRect(TRect& Rect) override;
    // Fills the box, draws the etched frame from the middle of the caption strip down and the
    // caption over it near the top-left corner.
    void Paint() override;
    // The height of the caption strip: the height of a line in the box's font.
    int CaptionHeight();

    int FBevelWidth = 1;
};

class TGroupBox : public TCustomGroupBox {
    CL_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace vcl
