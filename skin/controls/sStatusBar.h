#pragma once
// The skinned status bar: its background, the frames of its panels or the dividers between them,
// the panel texts in the skin's font colours and a size grip, all rendered into its cache and
// copied to the window.
#include "skin/controls/sSkinnedControl.h"
#include "vcl/comctrls.h"

namespace skin {

class TsStatusBar : public TsSkinnedControl<vcl::TStatusBar> {
    CL_CLASS(TsStatusBar, TsSkinnedControl<vcl::TStatusBar>)
    CL_PUBLISHED
public:
    explicit TsStatusBar(vcl::TComponent* AOwner);

    // The sum of the widths of the panels before Index.
    int PanelOffset(int Index) const;
    // Where panel Index writes its text (the whole bar's for a simple bar, Index -1).
    vcl::TRect PanelTextRect(int Index) const;

protected:
    void PrepareCache() override;
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;

private:
    // The rectangle panel Index is drawn in, before its frame is taken off.
    vcl::TRect PanelRect(int Index) const;
    void PaintPanels();
    // Hot: the bar is active, its texts in the section's hot font colour.
    void InternalDrawPanel(vcl::TStatusPanel* Panel, const vcl::String& Text, const vcl::TRect& R, bool Last,
                           bool Hot);
    void PaintDivider(const vcl::TRect& R);
    void DoDrawText(const vcl::String& Text, vcl::TRect R, UINT Flags, bool Hot);
    void PaintGrip();
    // The cache onto DC with the graphic children over it.
    void CopyCache(HDC DC);
    void OurPaintHandler(HDC DC);
    // Whether the bar is drawn, refreshing the updating flag.
    bool ReadyToPaint();

    // The divider is painted apart before it is copied into the cache; the bar renders on every
    // paint while it is docked at its parent's edge, so the bitmap is kept for the next divider.
    std::unique_ptr<vcl::TBitmap> FDivider;
};

}  // namespace skin
