#pragma once
// The skinned progress bar. The system's progress window keeps range and position and answers the
// progress messages; everything visible is painted into the cache: the control's own section as
// the trough and a second section, the progress section, for the lit blocks, the smooth bar or the
// running marquee.
#include <memory>
#include <vector>

#include "skin/controls/sSkinnedControl.h"
#include "vcl/comctrls.h"
#include "vcl/extctrls.h"

namespace skin {

// What the picture of a progress bar depends on, free of any window.
struct TProgressGeometry {
    int Width = 0;
    int Height = 0;
    int BorderWidth = 0;
    bool Vertical = false;
    bool Smooth = false;
    bool Marquee = false;
    int Min = 0;
    int Max = 100;
    int Position = 0;
    double MarqPos = 0;  // the marquee's offset from the start of the bar
    int MarqSize = 40;   // the length of the marquee's progress rectangle
};

// The bar less a 1-pixel frame.
vcl::TRect ProgressClRect(const TProgressGeometry& G);
// ProgressClRect less the border width on every side.
vcl::TRect ProgressInnerRect(const TProgressGeometry& G);
// One block: 9 long for a marquee; stepped, two thirds of the bar's thickness less 2 (rounded
// halves to even); smooth, up to the progress's far edge.
vcl::TSize ProgressItemSize(const TProgressGeometry& G);
// The part of the inner rectangle that shows progress: the marquee's run, else the share of
// Position in the range (all of it for an empty range; the whole length at Max).
vcl::TRect ProgressRect(const TProgressGeometry& G);
// How many blocks a stepped bar lights: none with fewer than two block places, an empty range, or
// Max or Position 0.
int ProgressLitCount(const TProgressGeometry& G);
// The blocks to paint in the bar's picture, in order: the lit blocks and, at Max with more than
// 3 pixels left behind the last one, a narrower block that fills the end; the one smooth block;
// or the marquee's five blocks, those passing the far end continued from the start. None for an
// empty range, an empty progress rectangle or blocks under 2 pixels.
std::vector<vcl::TRect> ProgressBlocks(const TProgressGeometry& G);

class TsProgressBar : public TsSkinnedControl<vcl::TProgressBar> {
    CL_CLASS(TsProgressBar, TsSkinnedControl<vcl::TProgressBar>)
    CL_PUBLISHED
public:
    explicit TsProgressBar(vcl::TComponent* AOwner);
    ~TsProgressBar() override;
    void Loaded() override;

    // The section of the blocks; empty: "PROGRESSH", or "PROGRESSV" for a vertical bar.
    const vcl::String& ProgressSkin() const { return FProgressSkin; }
    void SetProgressSkin(const vcl::String& Value);

    // The picture's geometry now.
    TProgressGeometry Geometry() const;
    // The section the blocks are painted from.
    vcl::String ProgressSection() const;
    // Paints the bar into DC (the window DC when none); nothing when it has no size.
    void PaintTo(HDC DC);
    // One step of the marquee.
    void TimerAction(vcl::TObject* Sender);
    vcl::TTimer* MarqueeTimer() const { return FTimer; }

protected:
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void QueryBackground(TacBGInfo& BGInfo) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void PrepareCache() override;

private:
    void WMPaint(vcl::TMessage& Message);
    // The marquee runs while the style asks for it and the bar is skinned, never in the designer.
    void StartMarquee();

    int FOldCount = -1;  // the lit blocks the cache shows; -1: render in full next time
    vcl::TTimer* FTimer = nullptr;
    vcl::String FProgressSkin;
    double FMarqPos = 0;
    int FMarqSize = 40;
    int FMarqStep = 8;
    int FOrient = 1;
};

}  // namespace skin
