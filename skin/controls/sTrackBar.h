#pragma once
// The skinned track bar: the native track bar keeps range, position, ticks and selection and
// tracks the mouse and the keys; the control paints everything itself from the skin: its own
// section ("TRACKBAR"), the channel, the ticks, the selection triangles and the thumb, from the
// images "SLIDERCHANNEL", "TICKHORZ", "TICKVERT", "SLIDERMASK" and "SLIDERVMASK" of its section
// or of "TRACKBAR". Hovering and pressing or releasing the thumb fade where the section fades;
// skin commands, size changes, focus loss, presses beside the thumb and scrolling end a fade.
#include <cmath>
#include <vector>

#include "skin/controls/sPanel.h"
#include "skin/controls/sFadingControl.h"
#include "vcl/comctrls.h"

namespace skin {

// The places of a track bar's ticks and selection marks along its channel; free of windows.
struct TTickLayout {
    int ChannelStart, ChannelEnd;  // along the bar
    int ThumbLength;               // along the bar
    int TickCount;                 // the native bar's count, first and last included
};
// The ticks of tsAuto: evenly from the channel's start to its end, the thumb's half inside.
std::vector<int> AutoTicks(const TTickLayout& L);
// Where the mark of the selection end Value lies; none (false) with fewer than two ticks.
bool SelectionMark(const TTickLayout& L, int Value, int& At);

class TsTrackBar : public TsFadingControl<vcl::TTrackBar> {
    CL_CLASS(TsTrackBar, TsFadingControl<vcl::TTrackBar>)
    CL_PUBLISHED
public:
    explicit TsTrackBar(vcl::TComponent* AOwner);

    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value) { FShowFocus = Value; }
    // A picture drawn as the thumb instead of the skin's.
    vcl::TBitmap* ThumbGlyph() const { return FThumbGlyph.get(); }
    void SetThumbGlyph(vcl::TBitmap* Value);
    // Called with the cache's canvas after the channel and ticks, before the thumb.
    TPaintEvent OnSkinPaint() const { return FOnSkinPaint; }
    void SetOnSkinPaint(TPaintEvent Value) { FOnSkinPaint = Value; }
    // Called after the user moved the thumb.
    vcl::TNotifyEvent OnUserChange() const { return FOnUserChange; }
    void SetOnUserChange(vcl::TNotifyEvent Value) { FOnUserChange = Value; }

    // The native bar's geometry.
    vcl::TRect ThumbRect();
    vcl::TRect ChannelRect();
    int TickCount();
    int TickPos(int Index);
    // The state of the thumb and tick images: 2 while the left button holds the thumb, 1 while
    // active, else 0.
    int Mode() const;

    // The length of a tick without a skin image.
    static constexpr int TickHeight = 4;

protected:
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void PaintBar();
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void UnskinnedMessage(vcl::TMessage& Message) override;
    void PrepareCache() override;

private:
    bool Vertical() const { return Orientation() == vcl::TTrackBarOrientation::trVertical; }
    // An image of the control's section, else of "TRACKBAR".
    int MaskIndex(const vcl::String& Name) const;
    TTickLayout TickLayout();
    void PaintBody();
    void PaintTicks(const vcl::TRect& Channel, const vcl::TRect& Thumb);
    void PaintTick(int At, int Across);
    void PaintSelection(const vcl::TRect& Channel, int Gap);
    void PaintThumb();
    void PaintThumbGlyph(const vcl::TRect& Thumb);
    // Shows a state change that Event caused; a press holding the thumb fades in half the steps.
    void ChangePaint(TacAnimatEvent Event);
    // The parent form shows its transparent colour through: no hot face.
    bool FormSeeThrough();
    void UserChanged();
    // The cache as the background of images drawn into it.
    TCacheView CacheBeneath() const;

    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    vcl::TNotifyEvent FOnUserChange;
    std::unique_ptr<vcl::TControlCanvas> FCanvas;
    bool FShowFocus = false;
    TPaintEvent FOnSkinPaint;
    vcl::TObjectPtr<vcl::TBitmap> FThumbGlyph;
    // The application's hints, switched off by this bar's press, given back by its release.
    TPressHints FHints;
    int TrackBarNdx = -1;
};

}  // namespace skin
