#pragma once
// The skin border of a control painted by itself, apart from its background: into the control's
// cache, widened to the control's own border width and copied to a device context
// (PaintBorderFast); or around a bitmap while the key pixels of its corners are cut out of the
// window region the control will take (PaintRgnBorder).
#include <windows.h>

#include "skin/core/sMaskData.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

class TsCommonData;

// Copies the image rectangle (SX1, SY1)-(SX2, SY2) onto the rectangle (DX1, DY1)-(DX2, DY2) of Bmp,
// both with their last column and row, as far as the smaller reaches and both bitmaps hold it; with
// MaskType 1 through the mask in the lower half of the image area, else whole pixels. With UseKey
// key pixels are not copied, and with KeyRuns each run of them in a row is appended as a rectangle
// one pixel high in Bmp's coordinates. Nothing for a negative destination corner, a Bmp under
// 2 x 2 or an image without manager.
void CopyMask(int DX1, int DY1, int DX2, int DY2, int SX1, int SY1, int SX2, int SY2, const TPixelView& Bmp,
              TAOR* KeyRuns, const TsMaskData& MaskData, bool UseKey);

// Paints state State of the border image around the whole of Bmp: the corners with their key
// pixels left as they were and appended to KeyRuns, the sides and, with Filling and DrawMode flag
// 4, the centre tiled or (flag 1) stretched. An image of mask type -1 (no height) paints nothing.
void PaintRgnBorder(const TPixelView& Bmp, TAOR& KeyRuns, bool Filling, const TsMaskData& MaskData, int State);
// The same, cutting those key pixels out of Rgn (the caller's region of the bitmap's rectangle).
void PaintRgnBorder(const TPixelView& Bmp, HRGN Rgn, bool Filling, const TsMaskData& MaskData, int State);

// What PaintBorderFast needs to know of the control whose border it paints.
struct TBorderFrame {
    vcl::TBitmap* Cache = nullptr;       // the control's cache bitmap, prepared at the control's size
    const TsMaskData* Border = nullptr;  // the border image of its section; none: a plain frame in DC
    int State = 0;                       // limited to the section's states
    vcl::TColor Color = vcl::clFuchsia;  // the background colour of the state
    TCacheInfo Beneath;                  // what lies beneath, in the control's coordinates
};

// Paints the border image onto R of the cache, widens it with the colour up to AddedSize and, when
// DC is not the cache's own, copies that frame (AddedSize thick) onto R of DC; with AddedSize 0
// DC is left to the caller. Without a border image the frame is filled in DC. Returns R inside the
// frame: shrunk by AddedSize, or by the image's margins when AddedSize is 0.
vcl::TRect PaintBorderFast(HDC DC, const vcl::TRect& R, int AddedSize, const TBorderFrame& Frame);
// The same for a control: its cache (sized to it), its section's border image and background
// colour in State, and what its parent answers lies beneath it.
vcl::TRect PaintBorderFast(HDC DC, const vcl::TRect& R, int AddedSize, TsCommonData& SkinData, int State);

}  // namespace skin
