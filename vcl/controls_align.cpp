// Layout: aligned children take their room from the parent's client rectangle, kind by kind;
// anchored children keep their distances to the parent's sides; constraints limit sizes. The
// arithmetic lives in vcl/alignment; this part collects the children and applies the result.
#include "vcl/controls.h"

#include <algorithm>

namespace vcl {

namespace {

int AlignDepthCounter = 0;

}  // namespace

// =============================================================================================
// TSizeConstraints

void TSizeConstraints::SetLimit(int& Limit, int& Other, int Value, bool IsMaximum)
{
    Value = std::max(Value, 0);
    if (Limit == Value)
        return;
    Limit = Value;
    bool contradicts = Value > 0 && Other > 0 && (IsMaximum ? Value < Other : Value > Other);
    if (contradicts)
        Other = Value;
    Changed();
}

void TSizeConstraints::SetMinWidth(int value) { SetLimit(FMinWidth, FMaxWidth, value, false); }
void TSizeConstraints::SetMinHeight(int value) { SetLimit(FMinHeight, FMaxHeight, value, false); }
void TSizeConstraints::SetMaxWidth(int value) { SetLimit(FMaxWidth, FMinWidth, value, true); }
void TSizeConstraints::SetMaxHeight(int value) { SetLimit(FMaxHeight, FMinHeight, value, true); }

void TSizeConstraints::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSizeConstraints*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    FMinWidth = source->FMinWidth;
    FMinHeight = source->FMinHeight;
    FMaxWidth = source->FMaxWidth;
    FMaxHeight = source->FMaxHeight;
    Changed();
}

void TSizeConstraints::Constrain(int& Width, int& Height) const
{
    if (FMaxWidth > 0)
        Width = std::min(Width, FMaxWidth);
    if (FMaxHeight > 0)
        Height = std::min(Height, FMaxHeight);
    Width = std::max(Width, FMinWidth);
    Height = std::max(Height, FMinHeight);
}

void TSizeConstraints::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

// =============================================================================================
// Anchors and constraints of controls

void TControl::ConstraintsChanged(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::SetAnchors(TAnchors value)
{
    if (ChangeField(FAnchors, value))
        UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent || IsLoading() || FParent->IsLoading() ||
        FParent->FControlState.Contains(TControlStateItem::csAligning))
        return;
    // The parent's outer size: its client area may not be known before it has a window, and its
    // frame does not change what the distances are.
    FAnchorOrigin = {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    FAnchorParentSize = TSize(FParent->FWidth, FParent->FHeight);
    FAnchorRulesValid = true;
}

void TControl::ApplyAnchorRules()
{
    const TAnchors standard{TAnchorKind::akLeft, TAnchorKind::akTop};
    if (!FParent || !FAnchorRulesValid || FAlign != TAlign::alNone || FAnchors == standard)
        return;
    TAnchorSides sides{FAnchors.Contains(TAnchorKind::akLeft), FAnchors.Contains(TAnchorKind::akTop),
                       FAnchors.Contains(TAnchorKind::akRight), FAnchors.Contains(TAnchorKind::akBottom)};
    TAlignRect r = AnchorBounds(sides, FAnchorOrigin, FAnchorParentSize.cx, FAnchorParentSize.cy, FParent->FWidth,
                                FParent->FHeight);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

// =============================================================================================
// Alignment

// Every child's change reaches the parent: aligned children take their places again, and a
// scrolling parent measures its content anew.
void TControl::RequestAlign()
{
    if (FParent)
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
    const TScopeExit finish([this] {
        --AlignDepthCounter;
        FControlState >> TControlStateItem::csAligning;
        FAlignPending = false;
        EnableAlign();
    });
    TRect rect = ClientRect();
    AlignControls(AControl, rect);
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
    for (TControl* c : controls)
        c->ApplyAnchorRules();
}

}  // namespace vcl
