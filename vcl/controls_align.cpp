// Alignment: aligned children take their room from the parent's client rectangle, kind by kind.
// The arithmetic lives in vcl/alignment; this part collects the children and applies the result.
#include "vcl/controls.h"

namespace vcl {

namespace {

int AlignDepthCounter = 0;

}  // namespace

void TControl::RequestAlign()
{
    if (FParent && FAlign != TAlign::alNone)
        FParent->AlignControl(this);
}

int AlignDepth() { return AlignDepthCounter; }

void TWinControl::EnableAlign()
{
    --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending)
        Realign();
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (IsDestroying())
        return;
    if (FAlignLevel > 0 || IsLoading()) {
        FAlignPending = true;
        return;
    }
    DisableAlign();
    FControlState << TControlStateItem::csAligning;
    ++AlignDepthCounter;
    try {
        TRect rect = ClientRect();
        AlignControls(AControl, rect);
    } catch (...) {
        --AlignDepthCounter;
        FControlState >> TControlStateItem::csAligning;
        FAlignPending = false;
        EnableAlign();
        throw;
    }
    --AlignDepthCounter;
    FControlState >> TControlStateItem::csAligning;
    FAlignPending = false;
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) { Rect.Inflate(-FBorderWidth, -FBorderWidth); }

namespace {

TAlignRect ToAlignRect(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

// Each kind in turn takes its room from the rectangle: top, bottom, left, right, then client.
// Within a kind the controls go by their current position; the control that asked goes first.
void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    AdjustClientRect(Rect);
    std::vector<TControl*> controls;
    std::vector<TAlignChild> children;
    int requester = -1;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c == AControl)
            requester = i;
        controls.push_back(c);
        children.push_back({c->FAlign, c->FVisible, ToAlignRect(c->BoundsRect())});
    }
    TAlignRect area = ToAlignRect(Rect);
    for (const TAlignPlacement& p : AlignChildren(area, children, requester))
        controls[static_cast<size_t>(p.Index)]->SetBounds(p.Bounds.Left, p.Bounds.Top, p.Bounds.Width(),
                                                          p.Bounds.Height());
    Rect = TRect(area.Left, area.Top, area.Right, area.Bottom);
}

}  // namespace vcl
