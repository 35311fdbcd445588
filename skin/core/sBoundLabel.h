#pragma once
// The caption an edit-like control can carry beside it (the control's BoundLabel). It keeps the
// caption's text, font, layout, indent and maximum width. While it is active a label shows the
// caption: a sibling of the control with the control as its focus control, so that its
// accelerator focuses the control, placed around the control by the layout and placed again
// whenever one of these values changes or the control moves. The program's forms never make one
// active.
//
// The label is a skinned label, and the skinned controls build on this core: here it is a class
// library label, and the holder the controls carry (TsEditBoundLabel, beside the skinned labels)
// makes it and reaches its skin colour switch.
#include <windows.h>

#include <memory>

#include "skin/core/sConst.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/classes.h"
#include "vcl/graphics.h"
#include "vcl/stdctrls.h"

namespace skin {

class TsCommonData;

// The top-left corner of a Label-sized label placed around a control with the bounds Control by
// Layout, Indent pixels away from it: beside it on the left (centred on its height, or level with
// its text with sclLeftTop), or above or below it at its left, centre or right.
vcl::TPoint BoundLabelPlace(TsCaptionLayout Layout, const vcl::TRect& Control, const vcl::TSize& Label, int Indent);
// The alignment of the label's text: toward the control's side of the label.
vcl::TAlignment BoundLabelAlignment(TsCaptionLayout Layout);
// A label Width wide wraps its words under a maximum width (not 0) from 4 pixels short of it.
bool BoundLabelWraps(int Width, int MaxWidth);

class TsBoundLabel : public vcl::TPersistent {
    CL_CLASS(TsBoundLabel, vcl::TPersistent)
public:
    // Inactive at first. AOwner is the control that carries the caption; CommonData is its skin
    // data, not owned.
    TsBoundLabel(vcl::TWinControl* AOwner, TsCommonData* CommonData);
    // Frees the label.
    ~TsBoundLabel() override;

    bool Active() const { return FActive; }
    // On: the label is made when missing, named after the control followed by "Label", given the
    // caption (the control's name when the caption is empty), shown with the control (always
    // while designing), enabled with it, sized to its text and placed. Off: the label is freed.
    void SetActive(bool Value);
    const vcl::String& Caption() const { return FText; }
    void SetCaption(const vcl::String& Value);
    TsCaptionLayout Layout() const { return FLayout; }
    void SetLayout(TsCaptionLayout Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    // A label at least this wide less 4 wraps its words; 0: no limit.
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    // The label's font while there is a label, else the one kept here.
    vcl::TFont* Font() const;
    // The label takes the font and is placed again; nothing without a label.
    void SetFont(vcl::TFont* Value);
    // Whether the caption takes the skin's font colour: the label's switch, true without a label.
    bool UseSkinColor() const;
    // Sets the label's switch; nothing without a label.
    void SetUseSkinColor(bool Value);

    // Aligns the label's text by the layout; nothing without a label.
    void UpdateAlignment();
    // Places a shown label around the control (BoundLabelPlace) in the control's parent and, with a
    // maximum width, lets it wrap its words from 4 pixels short of that width; nothing without a
    // label or while it is hidden.
    void AlignLabel();
    // After the control handled a message of that kind, the label follows it: placed again after a
    // move or resize; shown and hidden with it; enabled with it, and also while it is disabled
    // without dkBlended in DisabledKind; placed again after a change of reading order. Nothing
    // without a label.
    void FollowControl(UINT Msg, TsDisabledKind DisabledKind);

    // The label that shows the caption; none while inactive.
    vcl::TCustomLabel* TheLabel() const { return FTheLabel; }
    // Its label is being freed elsewhere: the holder forgets it and is inactive, nothing else done.
    void LabelGone();

    vcl::TWinControl* Owner() const { return FOwner; }
    TsCommonData* CommonData() const { return FCommonData; }

protected:
    // A new label, owned by the control, that knows this holder.
    virtual vcl::TCustomLabel* MakeLabel() = 0;
    // The label's skin colour switch; called only while there is a label.
    virtual bool LabelUsesSkinColor() const = 0;
    virtual void SetLabelUsesSkinColor(bool Value) = 0;

private:
    vcl::TWinControl* FOwner;
    int FMaxWidth = 0;
    vcl::String FText;
    TsCaptionLayout FLayout = TsCaptionLayout::sclLeft;
    std::unique_ptr<vcl::TFont> FFont;
    int FIndent = 0;
    bool FActive = false;
    vcl::TCustomLabel* FTheLabel = nullptr;
    TsCommonData* FCommonData;
};

}  // namespace skin
