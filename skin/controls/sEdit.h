#pragma once
// The skinned edit: while it is inactive its whole window, border included, is a copy of its cache
// (section, text, disabled look); while it is focused or under the mouse the system's edit paints
// its text and caret, and the skin's border in the hot state is laid around it.
#include "skin/controls/sEditControl.h"
#include "vcl/stdctrls.h"

namespace skin {

// What an edit's frame is made of.
struct TEditFrame {
    bool Border = true;  // BorderStyle bsSingle
    bool Ctl3D = true;
    int Bevels = 0;          // BevelInner and BevelOuter that are not bvNone
    bool BevelKind = false;  // BevelKind is not bkNone
};
// The widths of an edit's border as the skinned edit uses them.
struct TEditBorderWidths {
    int NcPaint;     // painted around the client area
    int Print;       // copied when the edit is printed
    int ChildShift;  // by which children's bounds move when left out of the window DC
};
TEditBorderWidths EditBorderWidths(const TEditFrame& Frame);
// The frame of an edit as its properties give it.
TEditFrame FrameOf(const vcl::TCustomEdit& Edit);
// Where the inactive edit writes its text in a Width x Height window.
vcl::TRect EditTextRect(const TEditFrame& Frame, int Width, int Height);
// What an inactive edit shows for its text: the text, or one password character per character,
// "*" shown as a black circle.
vcl::String EditShownText(const vcl::String& Text, wchar_t PasswordChar);

class TsEdit : public TsEditControl<vcl::TEdit> {
    CL_CLASS(TsEdit, TsEditControl<vcl::TEdit>)
    CL_PUBLISHED
public:
    explicit TsEdit(vcl::TComponent* AOwner);

protected:
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    // Renders the edit into its cache in its state now: hot while active.
    void PrepareCache() override;
    // The text, or the text hint of an empty edit, into the cache.
    virtual void PaintText();
    // The text rectangle's distance from the window's sides.
    std::optional<int> CachedTextInset() const override;

private:
    // The whole window from the cache into DC, or into the window DC when none.
    void OurPaintHandler(HDC DC);
    // The cache over the whole window, the children's bounds left out.
    void CopyCache(HDC DC);
    // The border bands from the cache onto the window.
    void PaintBorder();
    void WMPaint(vcl::TMessage& Message);
    void WMPrint(vcl::TMessage& Message);
    // Paints the edit again, its border too, unless it is loading or an animation runs.
    void RepaintWithBorder();
};

}  // namespace skin
