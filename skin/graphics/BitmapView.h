#pragma once
// The pixels of the class library's bitmaps as views for the pixel toolbox, and background records
// as pixel backgrounds.
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/PixelView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/bitmaps.h"

namespace skin {

// The first row of a non-empty bitmap and the step from one row to the next (negative: rows lie
// bottom-up in a DIB).
struct TBitmapRows {
    uint8_t* Bits;
    ptrdiff_t Stride;
};
TBitmapRows RowsOf(vcl::TBitmap* Bmp);

// The pixels of a bitmap, which is made pf32bit first when it has another format; an empty view
// for no bitmap.
TPixelView PixelsOf(vcl::TBitmap* Bmp);
// The bytes of a pf8bit device-independent bitmap; an empty view for any other.
TBytePixelView BytesOf(vcl::TBitmap* Bmp);
// The background a record describes, with its bitmap's pixels.
TCacheView CacheView(const TCacheInfo& CI);

using vcl::TCanvasLock;

}  // namespace skin
