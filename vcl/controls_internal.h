#pragma once
// State the files of the controls unit share; not part of the class library's interface.
#include "vcl/controls.h"

namespace vcl::detail {

// The graphic control holding the mouse capture through its parent's window.
extern TControl* CaptureControl;

}  // namespace vcl::detail
