#pragma once
// The caption an edit-like control can carry beside it (the control's
// BoundLabel). It keeps the caption's text, font, layout, indent and maximum
// width as the form gives them; the label that shows the caption exists only
// while the bound label is active, and the program's forms never make one
// active.
#include <memory>

#include "skin/core/sConst.h"
#include "vcl/classes.h"
#include "vcl/graphics.h"

namespace skin {

class TsCommonData;

class TsBoundLabel : public vcl::TPersistent {
    CL_CLASS(TsBoundLabel, vcl::TPersistent)
public:
    // Inactive at first; CommonData is the control's own skin data, not owned.
    TsBoundLabel(vcl::TObject* AOwner, TsCommonData* CommonData);
    ~TsBoundLabel() override;

    bool Active() const { return FActive; }
    // Its label is going: inactive at once, nothing else done.
    void LabelGone() { FActive = false; }
    const vcl::String& Caption() const { return FText; }
    void SetCaption(const vcl::String& Value);
    TsCaptionLayout Layout() const { return FLayout; }
    void SetLayout(TsCaptionLayout Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    // The font the caption is shown in.
    vcl::TFont* Font() const { return FFont.get(); }
    // Whether the caption takes the skin's font colour; true while there is no
    // label.
    bool UseSkinColor() const { return true; }

    vcl::TObject* Owner() const { return FOwner; }
    TsCommonData* CommonData() const { return FCommonData; }

private:
    vcl::TObject* FOwner;
    int FMaxWidth = 0;
    vcl::String FText;
    TsCaptionLayout FLayout = TsCaptionLayout::sclLeft;
    std::unique_ptr<vcl::TFont> FFont;
    int FIndent = 0;
    bool FActive = false;
    TsCommonData* FCommonData;
};

}  // namespace skin
