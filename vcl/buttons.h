#pragma once
// Buttons with glyphs: the graphic speed button, the owner-drawn bitmap button, and the placement
// of a glyph and a caption that both share with the skin library.
#include "vcl/bitmaps.h"
#include "vcl/controls.h"
#include "vcl/stdctrls.h"
#include "vcl/system.h"

#include <memory>

namespace vcl {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Places a glyph and a caption in Client. Margin -1 centres the pair (taCenter) or keeps 2 pixels
// from the edge; Spacing -1 spreads the room evenly. DT_RIGHT in DrawFlags swaps the glyph-left
// and glyph-right layouts. Divisions truncate toward zero.
void CalcButtonLayout(const TRect& Client, const TPoint& GlyphSize, const TSize& TextSize, TButtonLayout Layout,
                      TAlignment Alignment, int Margin, int Spacing, TPoint& GlyphOrigin, TRect& CaptionRect,
                      int DrawFlags);

// ---------------------------------------------------------------------------------------------
// The glyph properties both buttons carry

// A glyph strip and how it is placed beside the caption. A change calls GlyphPropertiesChanged
// (the buttons repaint); an equal value changes nothing.
class TGlyphProperties {
public:
    // NumGlyphs images side by side: up, disabled, down, exclusive. Transparent where a pixel
    // has the colour of the bitmap's bottom-left pixel, or blended when it is 32-bit with alpha.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
    int NumGlyphs() const { return FNumGlyphs; }
    // Clamped to 1..4.
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

protected:
    TGlyphProperties();
    virtual ~TGlyphProperties();
    TGlyphProperties(const TGlyphProperties&) = delete;
    TGlyphProperties& operator=(const TGlyphProperties&) = delete;

    virtual void GlyphPropertiesChanged() = 0;
    // Draws image Index of the strip (the first when Index is past the last) with the caption.
    void DrawGlyphAndCaption(TCanvas* Canvas, const TRect& Client, int Index, const String& Caption,
                             bool Enabled) const;

private:
    template<class T>
    void Change(T& field, T value);
    void GlyphBitmapChanged(TObject* Sender);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};

// ---------------------------------------------------------------------------------------------
// TSpeedButton

// A graphic button. Buttons with the same non-zero GroupIndex on one parent are exclusive: one
// going down brings the others up; without AllowAllUp a down button stays down when clicked.
class TSpeedButton : public TGraphicControl, public TGlyphProperties {
    CL_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* AOwner);

    bool Down() const { return FDown; }
    void SetDown(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    // A flat button shows its frame only while the mouse is over it or it is down.
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // A flat transparent button leaves its face to the parent.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    using TGraphicControl::Click;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    // The face alone, as Paint draws it; the rectangle left for the glyph and the caption.
    TRect PaintFace();
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    TButtonState FState = TButtonState::bsUp;
    bool FDown = false;
    bool FMouseInControl = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FTransparent = true;

private:
    void GlyphPropertiesChanged() override { Invalidate(); }
    // Tells the group's other buttons that this one went down.
    void UpdateExclusive();
    void CMButtonPressed(TMessage& Message);
    void SetMouseInControl(bool value);
    // The state the button shows when it is not being pressed.
    TButtonState RestingState() const;

    bool FDragging = false;
};

// ---------------------------------------------------------------------------------------------
// TBitBtn

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A push button drawn by us with a glyph beside its caption.
class TBitBtn : public TButton, public TGlyphProperties {
    CL_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* AOwner);

    // A standard kind sets the caption, ModalResult and Default or Cancel.
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void SetButtonStyle(bool ADefault) override;

private:
    void GlyphPropertiesChanged() override { Invalidate(); }
    void CNDrawItem(TMessage& Message);

    std::unique_ptr<TControlCanvas> FCanvas;
    TBitBtnKind FKind = TBitBtnKind::bkCustom;
    bool FIsDefault = false;
};

}  // namespace vcl
