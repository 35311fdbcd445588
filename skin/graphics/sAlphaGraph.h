#pragma once
// 32-bit bitmap primitives: the colour record with its byte views, fills of rectangles and border
// bands, the alpha fill, the colour blend of a rectangle, the disabled look of a control, the copy
// of background pixels into transparent corners, and direct pixel access to one bitmap
// (TacFast32) or to a blend of two (TacFastSum32); and the painters of skin images: nine-part
// images, glyphs, masked pieces and the corners of a control's cache. Every read and write is
// clipped to its bitmap.
#include <array>
#include <cstdint>

#include "skin/graphics/PixelView.h"
#include "vcl/bitmaps.h"
#include "vcl/system.h"

namespace skin {

class TsCommonData;
class TsSkinManager;
struct TsMaskData;

// Channels in pixel order, the memory order of a 32-bit pixel.
struct TsRGBA {
    uint8_t B, G, R, A;
};
// Channels of a 24-bit pixel.
struct TsRGB {
    uint8_t B, G, R;
};

// One 32-bit colour seen several ways. In colour order (TColor, TacFast32::GetPixel) byte 0 is red;
// a raw pixel is in pixel order, where sBGRA names its channels. The orders differ by bytes 0 and 2.
union TsColor {
    vcl::TColor C;
    int32_t I;
    struct {
        uint8_t R, G, B, A;
    };
    TsRGBA sBGRA;
    TsRGB RGB;
    struct {
        uint8_t Pad_[3];
        uint8_t MASK;
    };

    constexpr TsColor() : I(0) {}
    constexpr explicit TsColor(vcl::TColor c) : C(c) {}
    static TsColor FromInt(uint32_t v)
    {
        TsColor c;
        c.I = int32_t(v);
        return c;
    }
    uint32_t U() const { return uint32_t(I); }
};
static_assert(sizeof(TsColor) == 4);

// How a disabled control is painted, and the same choice for a button glyph.
enum class TsDisabledKindItem { dkBlended, dkGrayed };
using TsDisabledKind = vcl::TSet<TsDisabledKindItem>;
enum class TsDisabledGlyphKindItem { dgBlended, dgGrayed };
using TsDisabledGlyphKind = vcl::TSet<TsDisabledGlyphKindItem>;

// Where a control finds the background beneath it, with the background as pixels: the pixel under
// the control's local point (x, y) is Bmp's pixel (x + X, y + Y). Without Ready the background is
// the plain FillColor (0xFF00FF: none).
struct TCacheView {
    TPixelView Bmp;
    int X = 0;
    int Y = 0;
    vcl::TColor FillColor = vcl::clFuchsia;
    bool Ready = false;
};

// Direct access to one bitmap. Attach refuses bitmaps under 2 rows or without columns.
class TacFast32 {
public:
    bool Attach(const TPixelView& Bmp);
    // A bitmap that is not pf32bit raises EAssertionFailed "Bitmap format is not supported".
    bool Attach(vcl::TBitmap* Bmp);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // The pixel in colour order (red in byte 0), alpha in byte 3.
    TsColor GetPixel(int X, int Y) const;
    // Stores a colour-order value in pixel order.
    void SetPixel(int X, int Y, TsColor Value) const;
    // R (clipped) gets Color, already in pixel order, with alpha 255; Color's alpha becomes 255 too.
    void FillRect(vcl::TRect R, TsColor& Color) const;

private:
    uint8_t* Pixel(int X, int Y) const { return FStart + Y * FDelta + 4 * X; }

    int FWidth = 0;
    int FHeight = 0;
    ptrdiff_t FDelta = 0;
    uint8_t* FStart = nullptr;
};

// Blend of a source bitmap into a destination with a fixed weight. The caller sets Alpha (the
// weight of the destination) and the rectangles after Attach; SrcX1 and SrcY2 place the source.
class TacFastSum32 {
public:
    bool Attach(const TPixelView& Src, const TPixelView& Dst);
    // Every byte d of the destination rectangle becomes (d * Alpha + s * (255 - Alpha) + 127) shr 8.
    void BlendBitmapsRect() const;

    uint8_t Alpha = 0;
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

private:
    TPixelView FBmpSrc;
    TPixelView FBmpDst;
};

// Bytes 0 and 2 exchanged, bytes 1 and 3 kept: colour order to pixel order and back.
vcl::TColor SwapRedBlue(vcl::TColor Value);
inline vcl::TColor SwapColor(vcl::TColor Value) { return SwapRedBlue(Value); }

// Count copies of Value from Dest on; nothing for a Count not above 0.
void FillLongword(uint32_t* Dest, int Count, uint32_t Value);

// R gets Color (an RGB value, used as it is) as opaque pixels.
void FillRect32(const TPixelView& Bmp, const vcl::TRect& R, vcl::TColor Color);
// The bands top, left, bottom, right of R, of the given widths, filled with FillRect32.
void FillDCBorder32(const TPixelView& Bmp, const vcl::TRect& R, int WL, int WT, int WR, int WB, vcl::TColor Color);
// The alpha byte of R's pixels becomes Value; with SkipKey pixels 0x00FF00FF are left alone.
void FillAlphaRect(const TPixelView& Bmp, const vcl::TRect& R, uint8_t Value, bool SkipKey);
// Mixes the colour (system colours resolved) into R's pixels, Blend percent of each old pixel kept.
// R's right column and bottom row are included.
void BlendColorRect(const TPixelView& Bmp, const vcl::TRect& R, int Blend, vcl::TColor Color);

// The disabled look of a control's image Bmp lying at Offset in the control: grey with dkGrayed;
// with dkBlended 60 % of the background from CI (or half of its fill colour, or of ParentColor
// when CI has none) mixed in.
void BmpDisabledKind(const TPixelView& Bmp, TsDisabledKind DisabledKind, vcl::TColor ParentColor,
                     const TCacheView& CI, const vcl::TPoint& Offset);

// Where a pixel of the area R of Dst is transparent, it takes Src's pixel at Pt plus the same
// offset. Without Mask a Dst pixel whose low three bytes are 0xFF00FF is transparent; with Mask
// the mask pixel at MaskOrigin plus the offset decides the same way.
void FillTransPixels32(const TPixelView& Dst, const TPixelView& Src, const vcl::TRect& R, const vcl::TPoint& Pt,
                       const TPixelView* Mask = nullptr, const vcl::TPoint& MaskOrigin = {});
// The text colours of a skin section's state: the main colour and the four contour colours drawn
// one pixel to the left, above, to the right and below (-1: none).
struct TTextColours {
    vcl::TColor Color = vcl::clBlack;
    vcl::TColor Left = vcl::TColor(-1);
    vcl::TColor Top = vcl::TColor(-1);
    vcl::TColor Right = vcl::TColor(-1);
    vcl::TColor Bottom = vcl::TColor(-1);
};
// A contour colour (-1: none) and where its copy of the text lies beside the text.
struct TTextContour {
    vcl::TColor Color;
    vcl::TPoint Shift;
};
// The contours in the order they are drawn before the text: left, top, right, bottom.
std::array<TTextContour, 4> TextContours(const TTextColours& Colours);
// Writes Text into R of Bmp in the font with the system's text-format Flags: with WithContour
// first each contour colour that is set, then the main colour, keeping no alpha but 255 where
// text lies. The colours' bytes are used as they are. Nothing for an empty text or rectangle.
void WriteText32(const TPixelView& Bmp, HFONT Font, const vcl::String& Text, bool WithContour, const vcl::TRect& R,
                 UINT Flags, const TTextColours& Colours);
// The same in the font of Bmp's canvas and the colours of the section SkinIndex of SkinManager
// (DefaultManager when none): its hot colours when Hot and the section has states, else its
// normal ones. Without a valid section, once in the colour of Bmp's canvas font.
void WriteText32(vcl::TBitmap* Bmp, const vcl::String& Text, bool WithContour, const vcl::TRect& R, UINT Flags,
                 int SkinIndex, bool Hot, TsSkinManager* SkinManager);

// The origin of a corner of a border mask's first image by the hit-test code: 13 top-left,
// 14 top-right, 16 bottom-left, 17 bottom-right; any other code as top-left.
vcl::TPoint MaskCornerOrigin(const vcl::TRect& Image, int WR, int WB, int Corner);

// ---------------------------------------------------------------------------------------------
// Skin images (TsMaskData: a state image of ImageCount side by side, its mask, if any, below it).
// Image pixels 0x00FF00FF are the key: transparent.

// The margins of a nine-part image that fit Size: when Size is below First + Last, both give up
// half the excess and Last one more for an odd Size, neither going below 0; equal margins then
// meet exactly.
void FitMargins(int Size, int& First, int& Last);

// Tiling Start..End (End excluded) with pieces Piece long: f(position, length) for each whole piece
// that ends before End (none when Piece is not above 0), then for one last piece cut to what is
// left.
template<class F>
void ForEachTileSpan(int Start, int End, int Piece, F f)
{
    int pos = Start;
    if (Piece > 0)
        for (; pos < End - Piece; pos += Piece)
            f(pos, Piece);
    if (pos < End)
        f(pos, End - pos);
}

// The nine pieces of a nine-part image, in the order they are painted.
enum class TPiecePlace { TopLeft, Left, Top, BottomLeft, Bottom, BottomRight, TopRight, Right, Centre };

// One of the nine pieces: where it lies in the image's bitmap and where it goes.
struct TNinePiece {
    TPiecePlace Place;
    vcl::TRect Src;
    vcl::TRect Dst;

    bool Corner() const
    {
        return Place == TPiecePlace::TopLeft || Place == TPiecePlace::TopRight || Place == TPiecePlace::BottomLeft ||
               Place == TPiecePlace::BottomRight;
    }
};

// The nine pieces of the state image at Origin (w x h) laid onto R with the margins in force (L,
// T, Rm, B): each corner as large as its margins, the sides and the centre taking Middle (columns,
// rows) of the image after its left and top margins.
std::array<TNinePiece, 9> NinePieces(const vcl::TRect& R, const vcl::TPoint& Origin, int w, int h, int L, int T, int Rm,
                                     int B, const vcl::TSize& Middle);

// Paints state State of the image onto R of Bmp in nine pieces: the corners at their size, the
// sides and (with DrawMode flag 4) the centre stretched (flag 1) or tiled. CI is the background
// beneath Bmp; with UpdateCorners and a CornerType above 0 the corners' key pixels show it. Nothing
// for state 0 under flag 2, for R under 2 x 2, or for an image without manager, states, or smaller
// than its margins.
void DrawSkinRect(const TPixelView& Bmp, const vcl::TRect& R, const TCacheView& CI, const TsMaskData& MaskData,
                  int State, bool UpdateCorners);
// Paints state State of the image at its own size with its top-left corner at P; a part left of or
// above Bmp is cut off. Mode 1 is the normal look, any other the faded one.
void DrawSkinGlyph(const TPixelView& Bmp, const vcl::TPoint& P, int State, int Mode, const TsMaskData& MaskData,
                   const TCacheView& CI);
// Copies the piece SrcRect of Src to DstRect of Dst (first and last column and row included, the
// smaller of the two) through the image's mask; key pixels and pixels under a white mask are
// skipped, and the destination alpha gains the glyph's coverage. Mode other than 1 fades the glyph.
// Without a mask key pixels are skipped and the rest copied whole.
void BlendGlyphByMask(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& Dst,
                      const TPixelView& Src, int Mode, const TsMaskData& MaskData);
// Stretches the source piece onto the destination piece and blends it by its mask, which lies
// MaskOffset rows below it and is stretched alike: a black mask shows the image, a white one keeps
// Dst (whose alpha stays). MaskOffset 0 is a plain stretch copy. Centre marks the centre of a
// nine-part image, which is resampled smoothly.
void StretchBltMask(int DstX, int DstY, int DstW, int DstH, int SrcX, int SrcY, int SrcW, int SrcH,
                    const TPixelView& Dst, const TPixelView& Src, int MaskOffset, bool Centre);
// Copies the piece SrcRect of the skin's master bitmap onto DstRect of Dst (the smaller size)
// through the mask half the image area's height below it; key pixels take the background of CI.
void CopyMasterRect(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& Dst, const TCacheView& CI,
                    const TsMaskData& MaskData);
// The corner pixels of a control's cache (the control being Size large) that state State of its
// border image shows as key pixels take the background beneath the control: the pixel of
// Background's bitmap at the cache position plus its offset, or Background's fill colour (an RGB
// value). Nothing for a border image whose CornerType is 0.
void UpdateCorners(const TPixelView& Cache, const vcl::TSize& Size, const TsMaskData& Border, int State,
                   const TCacheView& Background);
// The same for a control's cache: the background is asked of the owner's parent control, or of
// the parent window of a windowed owner without one. Nothing without a border image, a cache or an
// owner control.
void UpdateCorners(TsCommonData& SkinData, int State);

}  // namespace skin
