#pragma once
// The skin library's PNG image class: a bitmap whose stream loading reads a PNG datastream into
// itself and whose drawing honours its alpha channel. Also the icon makers and alpha fix-ups the
// rest of the skin library uses on PNG images, and the registration with the picture class.
#include "skin/graphics/acColorManager.h"
#include "skin/graphics/acPNGReader.h"
#include "vcl/bitmaps.h"

#include <memory>

namespace skin {

class TDibSection;

// Failures of the colour manager and of zlib's set-up, as graphic errors of the class library.
class EColorConversionError : public vcl::EInvalidGraphic {
public:
    using vcl::EInvalidGraphic::EInvalidGraphic;
};

class EGraphicCompression : public vcl::EInvalidGraphic {
public:
    using vcl::EInvalidGraphic::EInvalidGraphic;
};

class TPNGGraphic : public vcl::TBitmap {
    CL_CLASS(TPNGGraphic, vcl::TBitmap)
public:
    TPNGGraphic();
    ~TPNGGraphic() override;

    // From another TPNGGraphic its image properties too, then the bitmap.
    void Assign(vcl::TPersistent* Source) override;
    // Reads one PNG datastream from the stream's position; the stream must be seekable.
    // Bad data raises EInvalidGraphic (or a descendant) and leaves what was built so far.
    void LoadFromStream(vcl::TStream* Stream) override;
    std::unique_ptr<vcl::TGraphic> CreateEmpty() const override;

    // The header pass alone: false when the stream holds no PNG datastream at its position.
    bool ReadImageProperties(vcl::TStream* Stream, unsigned ImageIndex);
    const TImageProperties& ImageProperties() const { return FImageProperties; }

    // Draw a fading mirror image of half the height below the image.
    bool Reflected = false;

protected:
    // A 32-bit image blends by its alpha onto what the canvas holds; other formats draw as bitmaps.
    void Draw(vcl::TCanvas* ACanvas, const vcl::TRect& Rect) override;

private:
    class TTarget;

    // The buffer Draw blends in, of that size.
    TDibSection& DrawBuffer(int Width, int Height);

    std::unique_ptr<TColorManager> FColorManager;
    TImageProperties FImageProperties;
    std::unique_ptr<TDibSection> FDrawBuffer;
};

// An icon (owned by the caller) from a bitmap. A bitmap without alpha, or any bitmap when
// ForceMask is set, is made 32-bit in place and gets a mask that makes its top-left colour
// transparent; a 32-bit one is transparent by its alpha. 0 when the system refuses.
HICON MakeIcon32(vcl::TBitmap* Bmp, bool ForceMask);
// An icon (owned by the caller) of the image drawn over Color; images of two rows or more
// become their own pixels with their alpha, so Color does not show in them.
HICON MakeCompIcon(TPNGGraphic* Image, vcl::TColor Color);

// The alpha fix-ups of skin images (nothing on a bitmap that is not 32-bit or has under 2 rows).
void UpdateTransPixels(vcl::TBitmap* Bmp);
void UpdateAlpha(vcl::TBitmap* Bmp);
// Byte Channel of every pixel of the 32-bit Bmp32 to the 8-bit Bmp8 or back.
void CopyChannel(vcl::TBitmap* Bmp32, vcl::TBitmap* Bmp8, int Channel, bool From32To8);

// Start-up and end of the unit: the picture class reads "png" through TPNGGraphic from
// RegisterPNGGraphic until UnregisterPNGGraphic, unless a later registration takes the extension.
void RegisterPNGGraphic();
void UnregisterPNGGraphic();

}  // namespace skin
