#include "skin/core/sBoundLabel.h"

namespace skin {

TsBoundLabel::TsBoundLabel(vcl::TObject* AOwner, TsCommonData* CommonData)
    : FOwner(AOwner), FFont(std::make_unique<vcl::TFont>()), FCommonData(CommonData)
{
}

TsBoundLabel::~TsBoundLabel() = default;

void TsBoundLabel::SetCaption(const vcl::String& Value) { FText = Value; }

void TsBoundLabel::SetLayout(TsCaptionLayout Value) { FLayout = Value; }

void TsBoundLabel::SetIndent(int Value) { FIndent = Value; }

void TsBoundLabel::SetMaxWidth(int Value) { FMaxWidth = Value; }

}  // namespace skin
