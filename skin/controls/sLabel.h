#pragma once
// The skinned label: a label to be drawn in the skin's font colour of the section beneath it. It
// keeps no skin data of its own.
#include "vcl/stdctrls.h"

namespace skin {

class TsLabel : public vcl::TCustomLabel {
    CL_CLASS(TsLabel, vcl::TCustomLabel)
public:
    using vcl::TCustomLabel::TCustomLabel;
};

}  // namespace skin
