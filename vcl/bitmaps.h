#pragma once
// TBitmap: a device-independent bitmap (a DIB section) of a chosen pixel format, or a bitmap of the
// screen's own format (pfDevice); direct row access, format conversion by our own loops, a canvas,
// transparent and alpha drawing, and BMP files. A decoder's image waits for its DIB section (see
// NewPixels).
#include "vcl/graphics.h"
#include "vcl/pictures.h"
#include "vcl/pixelformats.h"

#include <cstdlib>
#include <memory>

namespace vcl {

enum class TBitmapHandleType { bmDIB, bmDDB };
enum class TTransparentMode { tmAuto, tmFixed };
// How pf32bit pixels draw: alpha ignored, straight alpha, or colours already multiplied by alpha.
enum class TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmapCanvas;

class TBitmap : public TGraphic {
    CL_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) override { SetSize(value, FHeight); }
    void SetHeight(int value) override { SetSize(FWidth, value); }
    // Keeps pixel format and palette; the old pixels stay at the top left, new pixels are zero
    // (black, alpha 0).
    void SetSize(int AWidth, int AHeight) override;

    // A new bitmap is pfDevice. Other formats are DIB sections; changing the format converts the
    // pixels: to pf32bit with alpha 0 unless the source had alpha, to an indexed format with the
    // palette set on the bitmap if it fits, else with its default palette (greys for pf8bit).
    // pfCustom cannot be chosen.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    // bmDDB is pfDevice; bmDIB turns a pfDevice bitmap into a DIB of the screen's depth.
    TBitmapHandleType HandleType() const;
    void SetHandleType(TBitmapHandleType value);
    // The palette of an indexed bitmap, or the one set on it; owned by the bitmap.
    HPALETTE Palette() const override;
    // Copies the entries; an indexed bitmap takes them as its colours (pixels keep their indexes).
    // 0 drops a palette set before.
    void SetPalette(HPALETTE value) override;

    // The bitmap's handle, 0 while empty. Leaves the canvas's DC first unless the canvas is
    // locked, so the handle can be selected elsewhere; the canvas takes it back when it draws.
    HBITMAP Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Hands the handle to the caller; the bitmap becomes empty.
    HBITMAP ReleaseHandle();
    TCanvas* Canvas();

    // The pixels of row Row (0 = top); a pfDevice bitmap becomes a DIB first. Rows lie bottom-up in
    // memory: take the step between rows from ScanLine(1) - ScanLine(0).
    void* ScanLine(int Row);

    // With tmAuto the colour of the bottom-left pixel; setting a colour (other than clDefault)
    // switches to tmFixed.
    TColor TransparentColor();
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat value);

    // A deep copy of another bitmap; nullptr empties.
    void Assign(TPersistent* Source) override;
    // BMP data; bad data raises EInvalidGraphic and leaves the bitmap as it was.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> CreateEmpty() const override;

protected:
    // pf32bit with an alpha format blends; a transparent bitmap leaves out its transparent colour;
    // any other copies with the canvas's CopyMode.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // For a decoder: replaces the image by AWidth x AHeight zero pixels of the current DIB format,
    // held in plain memory, and answers their rows for it to fill. Making a DIB section costs the
    // system fresh pages, so it waits until a scan line, the handle or the canvas's DC is asked for,
    // and the pixels move into it then; copies (Assign, other formats and sizes, saving) read them
    // where they are, so an image that is decoded, copied and freed never needs one. A bitmap whose
    // canvas is locked gets its DIB section at once.
    TPixelRows NewPixels(int AWidth, int AHeight);

private:
    friend class TBitmapCanvas;
    class TSelection;

    struct TFreeMemory {
        void operator()(void* memory) const { std::free(memory); }
    };

    TPixelRows Rows() const;
    // Replaces the handle (and pixel memory) by a new one of the given layout.
    void ReplaceHandle(HBITMAP handle, void* bits, TPixelFormat format, int width, int height);
    // Pixels waiting in memory (NewPixels) move into a DIB section of their own.
    void MakeHandle();
    // A new handle of the given layout holding this bitmap's pixels converted or cropped.
    HBITMAP NewHandle(TPixelFormat format, const TColorTable& table, int width, int height, void*& bits) const;
    void DrawAlpha(HDC dest, HDC source, const TRect& Rect);
    void CanvasChanged(TObject* Sender);
    void DropPaletteHandle() const;

    HBITMAP FHandle = nullptr;
    void* FBits = nullptr;  // pixel memory of the DIB section, or FMemory
    std::unique_ptr<void, TFreeMemory> FMemory;  // pixels without a handle yet (NewPixels)
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
    TColorTable FColorTable;  // colours of an indexed bitmap, or the palette set on it
    bool FOwnPalette = false;  // FColorTable came from SetPalette
    mutable HPALETTE FPaletteHandle = nullptr;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
    TAlphaFormat FAlphaFormat = TAlphaFormat::afIgnored;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

}  // namespace vcl
