#pragma once
// The skinned masked edit: painted from its cache like the skinned edit, but with a border as wide
// as the system's frame and its text at the top; the focused edit lets the system paint its client
// area and lays the skin's border around it. Without a skin it still paints its graphic children
// (the buttons of edits built on it) itself.
#include "skin/controls/sEditControl.h"
#include "vcl/mask.h"

namespace skin {

class TsMaskEdit : public TsEditControl<vcl::TMaskEdit> {
    CL_CLASS(TsMaskEdit, TsEditControl<vcl::TMaskEdit>)
    CL_PUBLISHED
public:
    explicit TsMaskEdit(vcl::TComponent* AOwner);

    // The border: none without one, else 3 pixels with Ctl3D and 2 without.
    int BorderWidth() const;
    // The edit has the input focus.
    virtual bool IsActive();

protected:
    // No change is told while the edit loads.
    void Change() override;
    void SkinRemoved() override { Invalidate(); }
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void UnskinnedMessage(vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    // The section in the focused or normal state (always normal without a border), or without a
    // skin the plain colour; the text; the disabled look.
    void PrepareCache() override;
    // The text as the mask shows it, at the top inside the border.
    virtual void PaintText();
    // The border's width on either side.
    std::optional<int> CachedTextInset() const override { return BorderWidth(); }

private:
    // The whole window from the cache into DC, or into the window DC when none.
    void OurPaintHandler(HDC DC);
    void CopyCache(HDC DC);
    // The border bands from the cache onto DC, or onto the window DC when none.
    void PaintBorder(HDC DC);
    void WMPrint(vcl::TMessage& Message);
    // Without a skin: the plain face and the graphic children painted through the cache.
    void PaintGraphicChildren();
    bool HasGraphicChildren() const;
};

}  // namespace skin
