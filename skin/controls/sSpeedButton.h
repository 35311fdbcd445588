#pragma once
// The skinned speed button: a graphic button painted from its section ("SPEEDBUTTON") into its
// cache, with the tool-button styles, a glyph from its bitmap or an image list, a placement of the
// glyph-and-caption block, and repaints straight onto its parent's DC. Hovering, pressing and
// releasing fade where the section fades: each step is blended into the fade timer's TmpBmp,
// which the button shows instead of its cache while the fade runs.
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sSkinnedControl.h"
#include "skin/core/sFade.h"
#include "vcl/buttons.h"
#include "vcl/comctrls.h"
#include "vcl/menus.h"

namespace skin {

// What the caption and glyph rectangles of a speed button depend on.
struct TSpeedButtonLayout {
    int Width = 0;
    int Height = 0;
    int ArrowWidth = 0;  // 16 for a drop-down button
    int Margin = -1;     // the property value; -1 centres
    int Spacing = 4;
    vcl::TButtonLayout Layout = vcl::TButtonLayout::blGlyphLeft;
    vcl::TAlignment Alignment = vcl::TAlignment::taCenter;
    vcl::TSize Glyph;    // one glyph's size
    vcl::TSize Text;     // the measured caption
    bool HasCaption = false;
    bool ShowCaption = true;
    int TextOffset = 0;
    bool Pressed = false;
    bool Reflected = false;
};

// 0 for a negative margin, else the margin plus 3.
int GenMargin(int Margin);
// Where the caption goes.
vcl::TRect SpeedCaptionRect(const TSpeedButtonLayout& L);
// Where the glyph goes, Glyph large.
vcl::TRect SpeedImgRect(const TSpeedButtonLayout& L);

class TsSpeedButton : public TsSkinnedControl<vcl::TSpeedButton> {
    CL_CLASS(TsSpeedButton, TsSkinnedControl<vcl::TSpeedButton>)
    CL_PUBLISHED
public:
    explicit TsSpeedButton(vcl::TComponent* AOwner);
    ~TsSpeedButton() override;
    void Loaded() override;
    void Invalidate() override;

    vcl::TToolButtonStyle ButtonStyle() const { return FButtonStyle; }
    // Into and out of tbsDropDown the button grows and shrinks by its arrow part.
    void SetButtonStyle(vcl::TToolButtonStyle Value);
    // The menu a tbsDropDown button opens from its arrow part, or from anywhere without OnClick.
    vcl::TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(vcl::TPopupMenu* Value);
    // The drop-down menu is open.
    bool DroppedDown() const { return FDroppedDown; }
    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    vcl::TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(vcl::TAlignment Value);
    int Blend() const { return FBlend; }
    void SetBlend(int Value);  // clamped to 0..100
    bool Grayed() const { return FGrayed; }
    void SetGrayed(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool DrawOverBorder() const { return FDrawOverBorder; }
    void SetDrawOverBorder(bool Value);
    int TextOffset() const { return FOffset; }
    void SetTextOffset(int Value);
    bool Reflected() const { return FReflected; }
    void SetReflected(bool Value);
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind Value);
    TBmpPaintEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TBmpPaintEvent Value) { FOnPaint = Value; }
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    // The running fade's timer; none while the button does not fade.
    TsAnimTimer* FadeTimer() const { return FFadeTimer; }

    // 2 while down, 1 while active (focused or under the mouse), else 0.
    virtual int CurrentState() const;
    int ArrowWidth() const;
    bool ImageIndexValid() const;
    int GlyphWidth() const;
    int GlyphHeight() const;
    virtual vcl::TRect CaptionRect();
    virtual vcl::TRect ImgRect();
    // What the glyph painter takes from the button.
    TGlyphSource GlyphSource();

    // Repaints without erasing: the cache rendered when stale, then onto the parent's DC.
    void GraphRepaint();

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    // The action's image is the button's.
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;
    void Paint() override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void UnskinnedMessage(vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;

    virtual void DrawCaption();
    virtual void DrawGlyph();
    virtual void DoDrawText(vcl::TRect R, UINT Flags);
    // The look without a skin; Face false leaves the face out.
    virtual void StdPaint(bool Face);
    virtual vcl::TSize TextRectSize();

private:
    TSpeedButtonLayout LayoutValues();
    int CaptionAreaWidth() const;
    void PaintSeparator(const TCacheInfo& Beneath);
    int PaintArrowPart(const TCacheInfo& Beneath);
    void PaintMainPart(const TCacheInfo& Beneath, int State);
    void PaintOverlappingControls(vcl::TCanvas* Canvas);
    void Ac_CMMouseEnter();
    void Ac_CMMouseLeave();
    // Shows a state change that Event caused: a fade when the event fades for the button, the
    // section fades and the cache still shows the old look; else at once. The glow follows.
    void RepaintState(bool Clicked, TacAnimatEvent Event);
    // Fades from the cached look to the one rendered now; Half (a click) in half the steps. A
    // running fade gives way, the new one starting with the steps it had left.
    void StartFade(bool Half);
    // Ends the fade; the button repaints unless it or the timer is going.
    void StopFade();
    // The step a running fade shows; none while no fade runs (or its step does not fit).
    vcl::TBitmap* FadeFrame() const;
    // Sets the cache stale and repaints when Changed; a value that a batch of changes sets
    // (InBatch) leaves the repaint to the batch's end.
    void Changed(bool Changed, bool InBatch = false);
    void ImageListChange(vcl::TObject* Sender);
    // Every glyph change shows at once: the cache is rendered again.
    void GlyphPropertiesChanged() override;
    // A press that opens the drop-down menu.
    bool OpensMenu(vcl::TMouseButton Button, int X) const;
    // Shows the menu below the button, pressed while it is open.
    void DropDown();

    int FOldNumGlyphs = 1;
    int FOldSpacing = 4;
    std::unique_ptr<vcl::TChangeLink> FImageChangeLink;
    bool FStoredDown = false;
    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    TsDisabledGlyphKind FDisabledGlyphKind{TsDisabledGlyphKindItem::dgBlended};
    bool FGrayed = false;
    int FBlend = 0;
    int FOffset = 0;
    int FImageIndex = -1;
    vcl::TCustomImageList* FImages = nullptr;
    bool FShowCaption = true;
    vcl::TAlignment FAlignment = vcl::TAlignment::taCenter;
    vcl::TToolButtonStyle FButtonStyle = vcl::TToolButtonStyle::tbsButton;
    bool FDrawOverBorder = true;
    TBmpPaintEvent FOnPaint;
    vcl::TAlignment FTextAlignment = vcl::TAlignment::taCenter;
    bool FReflected = false;
    bool FDroppedDown = false;
    vcl::TPopupMenu* FDropdownMenu = nullptr;
    TPressHints FHints;
    vcl::TButtonLayout FOldLayout = vcl::TButtonLayout::blGlyphLeft;
    TacAnimatEvents FAnimatEvents{TacAnimatEvent::aeGlobalDef};
    TsAnimTimer* FFadeTimer = nullptr;
};

// A speed button as wide as its height less 4. AllowTimer is kept for the form resources only.
class TsTimerSpeedButton : public TsSpeedButton {
    CL_CLASS(TsTimerSpeedButton, TsSpeedButton)
    CL_PUBLISHED
public:
    explicit TsTimerSpeedButton(vcl::TComponent* AOwner);

    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool Value) { FAllowTimer = Value; }

private:
    bool FAllowTimer = true;
};

}  // namespace skin
