#pragma once
// A top-down 32-bit DIB section selected into its own memory DC: scratch images that GDI paints
// into (text, round rectangles, gradients) and whose pixels the skin library then reads.
#include <windows.h>

#include "skin/graphics/PixelView.h"

namespace skin {

class TDibSection {
public:
    // Pixels start as zero (black, alpha 0). A size under 1 x 1 gives an empty section.
    TDibSection(int Width, int Height);
    ~TDibSection();
    TDibSection(const TDibSection&) = delete;
    TDibSection& operator=(const TDibSection&) = delete;

    HDC DC() const { return FDC; }
    int Width() const { return FView.Width; }
    int Height() const { return FView.Height; }
    // The pixels, after GDI has finished drawing into them.
    TPixelView View() const;

private:
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    TPixelView FView;
};

}  // namespace skin
