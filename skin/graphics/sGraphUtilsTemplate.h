#pragma once
// Template painting: a frame drawn from an image cut in nine parts, with its own corner
// margins, band widths and a tile-or-stretch mode per side (the shadow of extended borders).
// The copies are planned as plain rectangles, then made with the system's block and stretch copies.
#include "vcl/bitmaps.h"
#include "vcl/system.h"

#include <vector>

namespace skin {

// One piece of the template and where it goes: a block copy when both have the same size, else a stretch.
struct TTemplateCopy {
    vcl::TRect Dest;
    vcl::TRect Source;
    friend bool operator==(const TTemplateCopy&, const TTemplateCopy&) = default;
};

// The copies of PaintControlByTemplate in their order. Margins, Bands and Modes carry one number
// per side (left, top, right, bottom); mode 0 tiles a side, 1 stretches it, others leave it out.
// Pieces without area are left out.
std::vector<TTemplateCopy> TemplateCopies(const vcl::TRect& DstRect, const vcl::TRect& SrcRect,
                                          const vcl::TRect& Margins, const vcl::TRect& Bands,
                                          const vcl::TRect& Modes, bool CenterStretch, bool FillCenter);

// Paints the template SrcRect of Src onto DstRect of Dst with colour-on-colour stretching.
void PaintControlByTemplate(HDC Dst, HDC Src, const vcl::TRect& DstRect, const vcl::TRect& SrcRect,
                            const vcl::TRect& Margins, const vcl::TRect& Bands, const vcl::TRect& Modes,
                            bool CenterStretch, bool FillCenter);
void PaintControlByTemplate(vcl::TBitmap* Dst, vcl::TBitmap* Src, const vcl::TRect& DstRect, const vcl::TRect& SrcRect,
                            const vcl::TRect& Margins, const vcl::TRect& Bands, const vcl::TRect& Modes,
                            bool CenterStretch, bool FillCenter);

}  // namespace skin
