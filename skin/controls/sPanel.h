#pragma once
// The skinned panel: a panel painted from its skin section ("PANEL" by default) instead of the
// system look. A section that needs no cache is painted straight into the DC while the panel is
// neither focused nor hot; any other is rendered into the panel's cache, which the panel copies
// and lends to its children as their background. The section follows the outer bevel while it
// still is the one of the old bevel.
#include "skin/controls/sSkinnedControl.h"
#include "vcl/extctrls.h"

namespace skin {

// Called after a control painted itself, with the canvas it painted on.
using TPaintEvent = vcl::TDelegate<void(vcl::TObject* Sender, vcl::TCanvas* Canvas)>;

class TsPanel : public TsSkinnedControl<vcl::TPanel> {
    CL_CLASS(TsPanel, TsSkinnedControl<vcl::TPanel>)
    CL_PUBLISHED
public:
    explicit TsPanel(vcl::TComponent* AOwner);
    void Loaded() override;

    TPaintEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TPaintEvent Value) { FOnPaint = Value; }

    // Writes the caption into R in the section's font colours (the skin's disabled look while the
    // panel is disabled) on Canvas, or on a canvas bound to DC when there is none; nothing while
    // ShowCaption is off. Centred vertically, the caption is measured with word breaks and its top
    // put half the spare height below the border width, not below R's top; otherwise it is one line
    // at R's top or, aligned to the bottom, at R's bottom.
    virtual void WriteText(vcl::TRect R, vcl::TCanvas* Canvas, HDC DC);

protected:
    void PaintWindow(HDC DC) override;
    void Paint() override;

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void QueryBackground(TacBGInfo& BGInfo) override;
    void SkinRemoved() override { Invalidate(); }
    void UnskinnedMessage(vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;
    void PaintDirect(HDC DC) override;

private:
    void WMPaint(vcl::TMessage& Message);
    void WMEraseBkgnd(vcl::TMessage& Message);
    void WMPrint(vcl::TMessage& Message);
    // scmdQueryChanging: updating, or the cache not yet at the panel's size.
    LRESULT QueryChanging() const;
    // The section follows a change of the outer bevel while it is the old bevel's.
    void FollowBevel();
    // Both bevels and the border width: how far the client area lies inside the frame.
    int FrameWidth() const;
    // The fill and border of the direct path.
    void PaintDirectBackground(HDC DC);
    // The caption's rectangle: the client area inside the bevels and the border width.
    vcl::TRect CaptionRect();
    // The caption, then OnPaint, on a canvas bound to DC.
    void PaintContentOn(HDC DC);

    vcl::TBevelCut FOldBevel = vcl::TBevelCut::bvRaised;
    TPaintEvent FOnPaint;
};

}  // namespace skin
