#pragma once
// The skinned check box: its face painted from the section "CHECKBOX" with the skin's box glyphs
// ("BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED" of "GLOBALINFO"), user glyph strips or the images of
// an image list; the check state changes when the left button or the space key is released after
// a press on the box.
#include "skin/controls/sCheckControl.h"
#include "vcl/imglist.h"

namespace skin {

// While 0, 1 or 2 every check box drawn with skin glyphs shows the glyph of that state
// (unchecked, checked, grayed) instead of its own; -1 lets each show its own state.
extern int PaintState;

class TsCheckBox : public TsCheckControl<vcl::TCustomCheckBox> {
    CL_CLASS(TsCheckBox, TsCheckControl<vcl::TCustomCheckBox>)
    CL_PUBLISHED
public:
    explicit TsCheckBox(vcl::TComponent* AOwner);

    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    // Nothing while loading; a change repaints.
    void SetChecked(bool Value) override;

    // The user glyphs: copied; the face follows.
    void SetGlyphChecked(vcl::TBitmap* Value);
    void SetGlyphUnChecked(vcl::TBitmap* Value);
    // Glyphs from an image list (not owned) while both indexes are 0 or more.
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    int ImgChecked() const { return FImgChecked; }
    void SetImgChecked(int Value) { SetImageIndex(FImgChecked, Value, true); }
    int ImgUnchecked() const { return FImgUnchecked; }
    void SetImgUnchecked(int Value) { SetImageIndex(FImgUnchecked, Value, false); }

    // The skin glyph of a check state in "GLOBALINFO"; -1 when the skin has none.
    int GlyphMaskIndex(vcl::TCheckBoxState State) const;

protected:
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;

    bool CheckedNow() const override { return State() == vcl::TCheckBoxState::cbChecked; }
    TFrameSize GlyphSize() const override;
    bool OwnGlyphPlaced() const override { return ImageMode() || GlyphChecked()->Width() > 0; }
    int RectMask() const override { return GlyphMaskIndex(vcl::TCheckBoxState::cbChecked); }
    int DrawnMask() const override;
    bool DrawOwnGlyph(bool Hot) override;
    bool ReleasedAfterPress() override;
    void SpaceReleased() override;
    void SetCheckMessage(vcl::TMessage&) override {}  // the native button never learns it
    // The new state is shown as after a click.
    void ChangedMessage() override;
    WPARAM NativeCheck() override;

private:
    bool ImageMode() const { return FImages && FImgChecked >= 0 && FImgUnchecked >= 0; }
    void SetImageIndex(int& Field, int Value, bool ForChecked);
    // The box changes its state on a release after a press.
    void ToggleNow();

    vcl::TCustomImageList* FImages = nullptr;
    int FImgChecked = -1;
    int FImgUnchecked = -1;
};

}  // namespace skin
