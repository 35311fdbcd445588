#pragma once
// The skinned bitmap button: a push button painted from its section ("BUTTON" by default) that
// shows a glyph, its Glyph bitmap or an image of its image list, beside its caption, placed by the
// class library's glyph layout (Layout, Margin, Spacing) and an Alignment of the block. A caption
// too long for the button ends in an ellipsis.
#include "skin/controls/acGlyphPaint.h"
#include "skin/controls/sButtonControl.h"
#include "vcl/buttons.h"

namespace skin {

class TsBitBtn : public TsButtonControl<vcl::TBitBtn> {
    CL_CLASS(TsBitBtn, TsButtonControl<vcl::TBitBtn>)
    CL_PUBLISHED
public:
    explicit TsBitBtn(vcl::TComponent* AOwner);
    ~TsBitBtn() override;
    void Loaded() override;
    // A changed layout marks the cache stale first.
    void Invalidate() override;

    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value) { Changed(FAlignment, Value); }
    vcl::TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(vcl::TAlignment Value) { Changed(FTextAlignment, Value); }
    int Blend() const { return FBlend; }
    void SetBlend(int Value);  // clamped to 0..100
    bool Grayed() const { return FGrayed; }
    void SetGrayed(bool Value) { Changed(FGrayed, Value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { Changed(FImageIndex, Value); }
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { Changed(FShowCaption, Value); }
    bool DrawOverBorder() const { return FDrawOverBorder; }
    void SetDrawOverBorder(bool Value) { Changed(FDrawOverBorder, Value); }
    // Kept for the form resources; the layout does not use it.
    int TextOffset() const { return FOffset; }
    void SetTextOffset(int Value) { Changed(FOffset, Value); }
    TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind Value) { Changed(FDisabledGlyphKind, Value); }
    TBmpPaintEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TBmpPaintEvent Value) { FOnPaint = Value; }

    bool ImageIndexValid() const;
    // One glyph's size: the image list's when ImageIndex is valid, else the glyph bitmap's.
    int GlyphWidth() const;
    int GlyphHeight() const;
    // Where the glyph goes: moved by (1, 1) while pressed, lifted by its width div 6 when
    // reflected, so that the mirror image fits below it.
    vcl::TRect ImgRect();
    // Where the caption goes, as the last layout placed it.
    vcl::TRect CaptionRect() const { return FCaptionRect; }
    // What the glyph painter takes from the button.
    TGlyphSource GlyphSource();

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void SetButtonStyle(bool ADefault) override;
    // The action's image is the button's.
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;

    bool SkinnedMessage(vcl::TMessage& Message) override;
    bool HotInStandardLook() const override { return false; }
    // The fade the pointer started over the button ends in the look the button has; OnMouseUp
    // follows.
    bool ReleaseWithoutPress() override;
    void CheckStale() override;
    void StdDrawContent(vcl::TCanvas* Canvas) override;
    void PrepareCache() override;

    // Onto Canvas, or the cache's canvas when none.
    virtual void DrawCaption(vcl::TCanvas* Canvas);

private:
    int CaptionAreaWidth();
    vcl::TSize TextRectSize();
    // Places the glyph and the caption.
    void PlaceGlyphAndCaption();
    void DoDrawText(vcl::TCanvas* Canvas, vcl::TRect R, UINT Flags);
    // Every glyph change shows at once: the cache is rendered again.
    void GlyphPropertiesChanged() override;
    void ImageListChange(vcl::TObject* Sender);
    template<class T>
    void Changed(T& Field, const T& Value)
    {
        if (vcl::ChangeField(Field, Value))
            SkinData()->Invalidate();
    }

    int FOldSpacing = 4;
    TsDisabledGlyphKind FDisabledGlyphKind{TsDisabledGlyphKindItem::dgBlended};
    bool FGrayed = false;
    int FBlend = 0;
    int FOffset = 0;
    int FImageIndex = -1;
    vcl::TCustomImageList* FImages = nullptr;
    bool FShowCaption = true;
    vcl::TAlignment FAlignment = vcl::TAlignment::taCenter;
    bool FDrawOverBorder = true;
    TBmpPaintEvent FOnPaint;
    vcl::TAlignment FTextAlignment = vcl::TAlignment::taCenter;
    std::unique_ptr<vcl::TChangeLink> FImageChangeLink;
    vcl::TPoint FGlyphPos;
    vcl::TButtonLayout FOldLayout = vcl::TButtonLayout::blGlyphLeft;
    vcl::TRect FCaptionRect;
};

}  // namespace skin
