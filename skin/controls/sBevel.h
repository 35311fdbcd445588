#pragma once
// The skinned bevel: a bevel whose frame or line is cut out of a skin section chosen by its shape
// and style: "GROUPBOX" for a frame, "PANEL" for a raised bevel, "PANEL_LOW" for a lowered one.
#include <vector>

#include "skin/controls/sSkinnedControl.h"
#include "vcl/extctrls.h"

namespace skin {

// The section a bevel of this shape and style is painted from.
const wchar_t* BevelSection(vcl::TBevelShape Shape, vcl::TBevelStyle Style);
// Where a bevel of this shape and size shows its picture: the frame's four bands or one line, 3
// pixels thick; none for a spacer.
std::vector<vcl::TRect> BevelPieces(vcl::TBevelShape Shape, int Width, int Height);

class TsBevel : public TsSkinnedControl<vcl::TBevel> {
    CL_CLASS(TsBevel, TsSkinnedControl<vcl::TBevel>)
public:
    explicit TsBevel(vcl::TComponent* AOwner);
    void AfterConstruction() override;
    void Loaded() override;
    // A changed shape or style chooses the section again first.
    void Invalidate() override;

protected:
    void Paint() override;
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;

private:
    void CheckSkinSection();

    vcl::TBevelStyle FStoredBevel = vcl::TBevelStyle::bsLowered;
    vcl::TBevelShape FStoredShape = vcl::TBevelShape::bsBox;
};

}  // namespace skin
