#pragma once
// Small steps of painting a skinned frame that the skinned forms and the wrapped system dialogs share.
#include "vcl/bitmaps.h"

namespace skin {

class TsSkinManager;

// The state of a section for an active or inactive window: limited to the states the section has.
int SectionState(const TsSkinManager& Manager, int SkinIndex, bool Active);
// Copies the part Src of one 32-bit bitmap to Dst of another.
void CopyPart(vcl::TBitmap* To, const vcl::TPoint& Dst, vcl::TBitmap* From, const vcl::TRect& Src);

}  // namespace skin
