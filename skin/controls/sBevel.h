#pragma once
// The skinned bevel: a bevel whose line or frame is to be cut out of a skin section chosen by its
// shape and style.
#include "vcl/extctrls.h"

namespace skin {

class TsBevel : public vcl::TBevel {
    CL_CLASS(TsBevel, vcl::TBevel)
public:
    using vcl::TBevel::TBevel;
};

}  // namespace skin
