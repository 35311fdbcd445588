// Bringing the cache's picture onto the form's window: the frame, the client background and the
// caption cover, and the switching of the skinned frame.
#include "skin/forms/sSkinProvider.h"

namespace skin {

void TsSkinProvider::PaintCaption(HDC) {}

void TsSkinProvider::PaintForm(HDC, bool) {}

void TsSkinProvider::AC_WMNCPaint() {}

void TsSkinProvider::AC_WMEraseBkGnd(HDC) {}

void TsSkinProvider::OurPaintHandler(vcl::TMessage&) {}

void TsSkinProvider::RepaintNC() {}

void TsSkinProvider::ShowCaptForm(bool) {}

void TsSkinProvider::KillCaptForm() {}

void TsSkinProvider::InitExBorders(bool) {}

}  // namespace skin
