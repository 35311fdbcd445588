#pragma once
// The skinned radio button: built like the skinned check box, with the skin glyphs
// "RADIOUNCHECKED" and "RADIOCHECKED" of "GLOBALINFO" or user glyph strips. A release after a
// press checks it (never unchecks it) when CanModify allows.
#include "skin/controls/sCheckControl.h"

namespace skin {

class TsRadioButton : public TsCheckControl<vcl::TRadioButton> {
    CL_CLASS(TsRadioButton, TsCheckControl<vcl::TRadioButton>)
    CL_PUBLISHED
public:
    explicit TsRadioButton(vcl::TComponent* AOwner);

    // With AutoSize every invalidation switches WordWrap off.
    void Invalidate() override;
    // Whether a click may check the button; the radio group's buttons ask their group.
    virtual bool CanModify() { return true; }

    // The user glyphs: copied; the face follows when the glyph is the current state's.
    void SetGlyphChecked(vcl::TBitmap* Value) { SetUserGlyph(GlyphChecked(), Value, true); }
    void SetGlyphUnChecked(vcl::TBitmap* Value) { SetUserGlyph(GlyphUnChecked(), Value, false); }

    // The skin glyph of a check state in "GLOBALINFO"; -1 when the skin has none.
    int GlyphMaskIndex(bool Checked) const;

protected:
    bool CheckedNow() const override { return const_cast<TsRadioButton*>(this)->Checked(); }
    bool OwnGlyphPlaced() const override { return Glyph() != nullptr; }
    int RectMask() const override { return GlyphMaskIndex(CheckedNow()); }
    int DrawnMask() const override { return RectMask(); }
    bool ReleasedAfterPress() override;
    void SpaceReleased() override;
    void SetCheckMessage(vcl::TMessage& Message) override;
    WPARAM NativeCheck() override { return Checked() ? BST_CHECKED : BST_UNCHECKED; }
    void BeforeRepaintCommand() override;
    bool DroppedWhileSkinned(UINT Msg) const override { return Msg == BM_SETSTATE || inherited::DroppedWhileSkinned(Msg); }

private:
    void SetUserGlyph(vcl::TBitmap* Glyph, vcl::TBitmap* Value, bool ForChecked);
};

}  // namespace skin
