#pragma once
// The pixel toolbox of the skin engine: colour arithmetic in RGB and HSV, blends, copies that honour
// alpha, a mask or a transparent key, fades, whole-bitmap colour changes, the glyph painter, tiling of
// skin images, the filtered resampler, the Gaussian blur of glow masks, text measures and the glow
// around captions, and the few painters that work on device contexts; the window regions of skin
// images and the painting of skin sections. Pixel functions take views (PixelView.h); every read
// and write is clipped.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "skin/graphics/Acntutils.h"
#include "skin/graphics/PixelView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/bitmaps.h"
#include "vcl/controls.h"
#include "vcl/system.h"

namespace skin {

class TsCommonData;
class TsSkinManager;
struct TacBGInfo;

// ---------------------------------------------------------------------------------------------
// Colours

// Hue in whole degrees (0..360), saturation and value 0..1.
struct TsHSV {
    int h = 0;
    double s = 0;
    double v = 0;
};

// Each colour byte moved Percent of the way to 255 (positive) or to 0 (negative).
vcl::TColor ChangeBrightness(vcl::TColor Color, int Percent);
// The colour bytes pushed away from (positive) or toward (negative) their grey level.
vcl::TColor ChangeSaturation(vcl::TColor Color, int Percent);
TsColor ChangeSaturation(int Percent, TsColor Color);
// The hue rotated by Delta degrees; greys unchanged. The TsColor form takes a pixel-order value
// and converts to HSV and back even for a Delta of 0.
vcl::TColor ChangeHue(int Delta, vcl::TColor Color);
TsColor ChangeHue(int Delta, TsColor Color);
// HSV (h in degrees, 360 as 0) to a colour with red in byte 0 and byte 3 zero, and back.
TsColor Hsv2Rgb(double h, double s, double v);
TsHSV Rgb2Hsv(TsColor Color);
// The first and third byte of a 24-bit value exchanged.
int SwapInteger(int Value);
// Per colour byte Weight of Color1 and the rest of Color2, rounded; Color1's top byte.
vcl::TColor MixColors(vcl::TColor Color1, vcl::TColor Color2, double Weight);

// The layered-window entry points of user32, looked up once; null where the system lacks them.
// Every frame a layered window shows goes through these two: tests put recorders in their place
// (the virtual display cannot show partial alpha).
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
extern TUpdateLayeredWindow UpdateLayeredWindow;
extern TSetLayeredWindowAttributes SetLayeredWindowAttributes;
// Layered windows can be used.
bool acLayered();

// ---------------------------------------------------------------------------------------------
// Bitmaps (the caller owns the new ones)

// A device-independent pf32bit bitmap of that size: the cache and scratch bitmap of the library.
std::unique_ptr<vcl::TBitmap> CreateBmp32(int Width, int Height);
// A new bitmap of the size and pixel format of Bmp; its pixels are not copied.
std::unique_ptr<vcl::TBitmap> CreateBmpLike(vcl::TBitmap* Bmp);
// A pf32bit Bmp turned a quarter into a new bitmap; none for another format. With KillSource Bmp
// is freed in either case.
std::unique_ptr<vcl::TBitmap> MakeRotated90(std::unique_ptr<vcl::TBitmap>& Bmp, bool Clockwise, bool KillSource);

// ---------------------------------------------------------------------------------------------
// Blends onto one bitmap

// Every non-key pixel moved toward Color: c := Round((c - Color.c) * Blend + Color.c); 1 keeps it.
void BlendTransBitmap(const TPixelView& Bmp, double Blend, TsColor Color);
// Same-sized bitmaps: each channel c := mix(Color.c, c, m), m the mask's channel (white keeps Bmp).
void BlendBmpByMask(const TPixelView& Bmp, const TPixelView& MaskBmp, vcl::TColor Color);
// The part SrcRect of Src (right and bottom included) laid at (X, Y) on Dst: d := Round(s - (s - d) *
// Blend) per colour channel; source pixels equal to TransColor (as 32-bit values) are skipped.
void BlendTransRectangle(const TPixelView& Dst, int X, int Y, const TPixelView& Src, const vcl::TRect& SrcRect,
                         double Blend, vcl::TColor TransColor);
// Same-sized bitmaps, every byte: d := (d * A + s * (255 - A) + 127) shr 8, A the lowest byte of Color.
void SumBitmaps(const TPixelView& Dst, const TPixelView& Src, TsColor Color);
// The same for the part SrcRect of Src laid at DstPoint, clipped to both bitmaps.
void SumBmpRect(const TPixelView& Dst, const TPixelView& Src, uint8_t Alpha, vcl::TRect SrcRect,
                vcl::TPoint DstPoint);
// Same-sized Bmp1 and Bmp2: each colour channel of OutBmp := mix(b2, b1, w), w the mask's channel,
// or Percent without a mask.
void SumBitmapsByMask(const TPixelView& OutBmp, const TPixelView& Bmp1, const TPixelView& Bmp2,
                      const TPixelView* MaskBmp, int Percent);
// Over R: Bmp1 mixed toward Bmp2 by Bmp2's alpha, scaled by how little of Bmp1 the mask's red keeps.
void SumByMaskWith32(const TPixelView& Bmp1, const TPixelView& Bmp2, const TPixelView& MaskBmp, const vcl::TRect& R);

// ---------------------------------------------------------------------------------------------
// Copies (the first rectangle and bitmap are the destination)

// A 32-bit image with alpha: each pixel mixed by its alpha, the destination alpha accumulating.
// With CI ready key pixels are not drawn; with UpdateTrans they take the background from CI.
void CopyByMask(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& DstBmp,
                const TPixelView& SrcBmp, const TCacheView& CI, bool UpdateTrans);
// A skin image whose mask lies MaskRowOffset rows below it in the same bitmap: d := mix(s, d, m)
// per channel, a white mask keeping the destination. Key pixels by CI and UpdateTrans.
void CopyByMask(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& DstBmp,
                const TPixelView& SrcBmp, const TCacheView& CI, bool UpdateTrans, int MaskRowOffset);
// The general image copy: mixed by the source alpha (reduced by Blend percent), tinted grey-scaled
// toward Color unless it is clNone, key pixels by CI and UpdateTrans, and with Reflected a fading
// mirror image below the copied area.
void CopyBmp32(const vcl::TRect& DstRect, const vcl::TRect& SrcRect, const TPixelView& DstBmp,
               const TPixelView& SrcBmp, const TCacheView& CI, bool UpdateTrans, vcl::TColor Color, int Blend,
               bool Reflected);
// The whole of Src at (X, Y); pixels other than TransColor in pixel order copied with alpha 255.
void CopyTransBitmaps(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TsColor TransColor);
// The part SrcRect of Src (right and bottom included) at (X, Y); pixels equal to TransColor are the
// key, which CI and UpdateTrans fill from the background or the fill colour.
void CopyTransRect(const TPixelView& Dst, const TPixelView& Src, int X, int Y, const vcl::TRect& SrcRect,
                   vcl::TColor TransColor, const TCacheView& CI, bool UpdateTrans);
// The part SrcRect of Src (right and bottom included) at (X, Y), whole pixels, skipping TransColor in
// pixel order with alpha 0.
void CopyTransRectA(const TPixelView& Dst, const TPixelView& Src, int X, int Y, const vcl::TRect& SrcRect,
                    vcl::TColor TransColor);
// Src (W x H) turned a quarter into Dst (H x W); nothing when Dst has another size.
void MakeRotated90(const TPixelView& Src, const TPixelView& Dst, bool Clockwise);

// The area R tinted toward Color, fully in the middle and fading out over Blur pixels to the edges
// with corners of Radius; Transparency percent of the picture kept in the middle.
void FadeBmp(const TPixelView& Bmp, const vcl::TRect& R, int Transparency, TsColor Color, int Blur, int Radius);

// ---------------------------------------------------------------------------------------------
// Whole-bitmap colour changes

// Every pixel grey: R = G = B = (R + G + B) div 3; alpha kept. The second form skips TransColor.
void GrayScale(const TPixelView& Bmp);
void GrayScaleTrans(const TPixelView& Bmp, TsColor TransColor);
// Hue or saturation of every pixel changed, except greys and 0x00FF00FF.
void ChangeBmpHUE(const TPixelView& Bmp, int Delta);
void ChangeBmpSaturation(const TPixelView& Bmp, int Delta);

// ---------------------------------------------------------------------------------------------
// Button glyphs

// A 32-bit glyph (one image or NumGlyphs state images side by side) laid at R's top-left corner on
// DstBmp, transparent by its bottom-left colour. State 0 normal, 1 hot, 2 pressed; Blend is a
// transparency percentage. Glyph4Bit says the glyph came from a 4-bit bitmap (no hot image then).
void DrawGlyphEx(const TPixelView& Glyph, bool Glyph4Bit, const TPixelView& DstBmp, const vcl::TRect& R,
                 int NumGlyphs, bool Enabled, TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down);
// The same for a glyph bitmap of any format; the glyph itself is not changed.
void DrawGlyphEx(vcl::TBitmap* Glyph, vcl::TBitmap* DstBmp, const vcl::TRect& R, int NumGlyphs, bool Enabled,
                 TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down);

// ---------------------------------------------------------------------------------------------
// Tiling skin images

// How a skin image fills a rectangle; values not named behave as 7.
enum class TacFillMode : int {
    Tile = 0,
    Stretch = 1,
    TopRow = 2,
    LeftColumn = 3,
    StretchTop = 4,
    StretchLeft = 5,
    BottomRow = 6,
    RightColumn = 7,
    WholeTiles = 10,
};

// One copy of the image: the piece (0, 0, SrcWidth, SrcHeight) of the image into Dst, stretched
// when the sizes differ.
struct TTilePiece {
    vcl::TRect Dst;
    int SrcWidth;
    int SrcHeight;
};
// The (-1, -1, -1, -1) rectangle: nothing left to paint.
constexpr vcl::TRect NothingLeft = vcl::TRect(-1, -1, -1, -1);

// The pieces that lay a W x H image over R by FillMode; R becomes what is left to paint.
std::vector<TTilePiece> PlanTiles(vcl::TRect& R, int W, int H, TacFillMode FillMode);
// Paints the image Image of SrcDC over R of DC by FillMode (BitBlt, StretchBlt with COLORONCOLOR).
void TileBitmap(HDC DC, vcl::TRect& R, HDC SrcDC, const vcl::TRect& Image, TacFillMode FillMode);
// Tiles a picture over R from R's top-left corner, the last column and row cut; an empty one is not
// drawn.
void TileBitmap(vcl::TCanvas* Canvas, const vcl::TRect& R, vcl::TGraphic* Graphic);

// The masked tiling of an image of W x H per state: the pieces to lay through the image's mask and,
// for mode 10, the bands of R left for the background. Only modes 0 and 10 paint.
struct TMaskedTiles {
    std::vector<TTilePiece> Pieces;
    std::vector<vcl::TRect> Background;
};
TMaskedTiles PlanMaskedTiles(const vcl::TRect& R, int W, int H, TacFillMode FillMode);
// Lays one piece of the masked image (its own rectangle relative to the image) at the destination.
using TMaskedPieceCopy = std::function<void(const vcl::TRect& Dst, const vcl::TRect& Src)>;
// Tiles a masked image over R of Bmp, the uncovered bands of mode 10 taken from CI; R becomes
// (-1, -1, -1, -1) when anything was painted.
void TileMasked(const TPixelView& Bmp, vcl::TRect& R, const TCacheView& CI, int W, int H, TacFillMode FillMode,
                const TMaskedPieceCopy& CopyPiece);

// ---------------------------------------------------------------------------------------------
// Resampling and blur

enum class TFilterType { ftBox, ftTriangle, ftHermite, ftBell, ftSpline, ftLanczos3, ftMitchell };

// Src resampled into Dst (whose size is the target size) with the filter, all four channels.
// A source under 2 x 2 raises "Source bitmap is too small"; an empty target does nothing.
void Stretch(const TPixelView& Src, const TPixelView& Dst, TFilterType Filter);
// Dst becomes Src resampled to Width x Height, in Src's format: a pf32bit source resamples four
// channels, any other is made pf24bit (the caller's bitmap changes) and resamples three. To Src's
// own size Dst takes a copy.
void Stretch(vcl::TBitmap* Src, vcl::TBitmap* Dst, int Width, int Height, TFilterType Filter);

// Gaussian blur of an 8-bit mask in place, rows then columns, each sum truncated; a constant mask
// stays that constant. A radius not above 0 does nothing.
void Blur8(const TBytePixelView& Bmp, double Radius);
// The same for a bitmap; nothing unless it is a pf8bit device-independent bitmap.
void Blur8(vcl::TBitmap* Bmp, double Radius);

// ---------------------------------------------------------------------------------------------
// Text and glow

// The system's text functions with the text's length passed: DrawTextW (its result: the text's
// height; with DT_CALCRECT R receives the measured rectangle) and GetTextExtentPoint32W.
int acDrawText(HDC DC, const vcl::String& Text, vcl::TRect& R, UINT Flags);
void acGetTextExtent(HDC DC, const vcl::String& Text, vcl::TSize& Size);
// The canvas's DC with the canvas's font selected into it, for the system's text functions.
HDC FontReadyDC(vcl::TCanvas* Canvas);
// The same on a canvas's DC, its font and colours as they stand.
int acWriteText(vcl::TCanvas* Canvas, const vcl::String& Text, vcl::TRect& R, UINT Flags);
// The canvas's measures and its clipped text output.
vcl::TSize acTextExtent(vcl::TCanvas* Canvas, const vcl::String& Text);
int acTextWidth(vcl::TCanvas* Canvas, const vcl::String& Text);
int acTextHeight(vcl::TCanvas* Canvas, const vcl::String& Text);
void acTextRect(vcl::TCanvas* Canvas, const vcl::TRect& R, int X, int Y, const vcl::String& Text);
// Text shortened to MaxWidth pixels of the canvas font: unchanged when it fits, else cut at its end
// and closed by "..."; empty when not even one character and the dots fit, or MaxWidth <= 0.
vcl::String CutText(vcl::TCanvas* Canvas, const vcl::String& Text, int MaxWidth);

// The caption of a skinned control written into R on Canvas (nothing for an empty text), clipped
// to R; R and the DC's state come back as they were. Hot and SkinData's section the web button's
// section: the canvas font takes an underline, and keeps it. Skinned without a custom font, the
// colours are those of the control's section in the state (0 normal, 1 hot), or for a see-through
// check box, radio button, group box or graphic control that takes its parent's font those of the
// section beneath it (GetFontIndex), shifted by the control's hue and saturation: with a cache
// bitmap the section's glow is laid into it first; enabled, each contour colour that is set is
// drawn one pixel aside (left, up, right, down, in that order), then the text in the main colour
// with DT_NOCLIP added; disabled, once in the canvas font colour set to a mix of 40 % of the
// section's font colour into the global colour. Not skinned or with a custom font: once in the
// canvas font colour, or disabled engraved, the canvas font colour ending as clBtnShadow.
void WriteTextEx(vcl::TCanvas* Canvas, const vcl::String& Text, bool Enabled, vcl::TRect& R, UINT Flags,
                 const TsCommonData& SkinData, bool Hot);
// The same by a section of SkinManager (DefaultManager when none) and without glow, clip or saved
// DC state; the DC's background mode is left transparent, its text colour the canvas font's. Enabled: the contours and the text in
// the colours of state Hot. Disabled: once in the canvas font colour set to a mix of 40 % of the
// section's normal font colour into its background colour. Without a valid section, once at R in
// the canvas's colours.
void WriteTextEx(vcl::TCanvas* Canvas, const vcl::String& Text, bool Enabled, vcl::TRect& R, UINT Flags,
                 int SkinIndex, bool Hot, TsSkinManager* SkinManager = nullptr);
// The two above under the names callers use; the manager of the first is not used.
void acWriteTextEx(vcl::TCanvas* Canvas, const vcl::String& Text, bool Enabled, vcl::TRect& R, UINT Flags,
                   const TsCommonData& SkinData, bool Hot, TsSkinManager* SkinManager = nullptr);
void acWriteTextEx(vcl::TCanvas* Canvas, const vcl::String& Text, bool Enabled, vcl::TRect& R, UINT Flags,
                   int SkinIndex, bool Hot, TsSkinManager* SkinManager = nullptr);

// Lays GlowColor over Dst through an 8-bit mask whose pixel (0, 0) lies on Dst's pixel Origin: a
// mask byte m turns each colour channel c into g + (c - g) * m div 255 (truncated toward zero, g the
// glow's channel) and the alpha a into a + (255 - a) * (255 - m) div 255. So 0 gives the glow colour
// fully opaque and 255 leaves the pixel. Only pixels inside Dst are written.
void BlendGlow(const TPixelView& Dst, const TBytePixelView& Mask, const vcl::TPoint& Origin, vcl::TColor GlowColor);
// The glow around Text as DrawTextW writes it into R of the 32-bit DstBmp in DstBmp's canvas font:
// a mask of R inflated by BlurSize + 4 holds the text in black on white, drawn once shifted a pixel
// for each bit of Side (1 left, 2 up, 4 right, 8 down) and once in place, then blurred by BlurSize,
// and BlendGlow lays the colour through it. MaskBmp is the caller's cache: a mask of the needed size
// is used as it is, whatever text it holds; a missing one or one of another size is drawn anew.
void acDrawGlowForText(vcl::TBitmap* DstBmp, const vcl::String& Text, const vcl::TRect& R, UINT Flags, UINT Side,
                       int BlurSize, vcl::TColor GlowColor, std::unique_ptr<vcl::TBitmap>& MaskBmp);

// ---------------------------------------------------------------------------------------------
// Device contexts

// R filled with a solid brush of the colour (system colours resolved); the DC state is kept.
void FillDC(HDC DC, const vcl::TRect& R, vcl::TColor Color);
// The bands top, left, bottom, right of R of the given widths filled with one brush.
void FillDCBorder(HDC DC, const vcl::TRect& R, int wl, int wt, int wr, int wb, vcl::TColor Color);
// The four border bands, BorderWidth wide, of the Width x Height area copied between DCs.
void BitBltBorder(HDC DestDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int BorderWidth);
// Takes the visible graphic children of Ctrl (but splitters) out of the DC's clip region, at their
// bounds moved by the offset; windowed children clip themselves.
void ExcludeControls(HDC DC, vcl::TWinControl* Ctrl, int OffsetX, int OffsetY);
// Width nested one-pixel 3-D frames from R's edge inward; R shrinks and Width ends at 0.
void DrawRectangleOnDC(HDC DC, vcl::TRect& R, vcl::TColor ColorTop, vcl::TColor ColorBottom, int& Width);
// A dotted frame of pixel pairs in the two colours.
void FocusRect(HDC DC, const vcl::TRect& R, vcl::TColor Color1, vcl::TColor Color2);
inline void FocusRect(vcl::TCanvas* Canvas, const vcl::TRect& R, vcl::TColor Color1, vcl::TColor Color2)
{
    FocusRect(Canvas->Handle(), R, Color1, Color2);
}
// A small filled arrow centred in R: direction 4 points right, 8 down; others draw nothing.
void DrawColorArrow(HDC DC, vcl::TColor Color, const vcl::TRect& R, int Direction);
inline void DrawColorArrow(vcl::TCanvas* Canvas, vcl::TColor Color, const vcl::TRect& R, int Direction)
{
    DrawColorArrow(Canvas->Handle(), Color, R, Direction);
}
// The extent of the text in the font on the screen DC; (0, 0) when measuring fails.
vcl::TSize GetStringSize(HFONT Font, const vcl::String& Text);

// ---------------------------------------------------------------------------------------------
// Window regions from skin images

// Rectangles cut out of a window region: each one pixel high over a run of key pixels of a row.
using TAOR = std::vector<vcl::TRect>;
// Appends the runs of key pixels (0x00FF00FF exactly) of the top corners (Bottom false: the WT top
// rows) or the bottom corners (the WB last rows of the image band) of the first state image,
// placed for a window Width pixels wide, their rows from Y on. Nothing for an image without manager
// or pixels, or whose bitmap lacks the rows.
void AddRgn(TAOR& AOR, int Width, const TsMaskData& MaskData, int Y, bool Bottom);
// Cuts every rectangle of AOR out of Rgn.
void SubtractRects(HRGN Rgn, const TAOR& AOR);

// ---------------------------------------------------------------------------------------------
// What lies beneath a control

// Asks the window with scmdQueryBackground what lies beneath; true when it described it. The
// caller sets FillNow (and for painting DC, R and Offset); PleaseDraw asks the window to fill R of
// DC itself. When it describes nothing and FillNow was set, it gets WM_ERASEBKGND and WM_PAINT for
// DC with the viewport moved by -Offset and clipped to R, which comes back moved by Offset;
// otherwise the answer is the colour of DefaultManager's skin (the button face without one).
bool GetBGInfo(TacBGInfo& BGInfo, HWND Handle, bool PleaseDraw = false);
// The same to a control, through its window when it has one, else its own dispatch; its colour
// is its answer to scmdQueryColor (0 counts as none) or its Color, filled into R of DC with
// PleaseDraw when the record holds a bitmap.
bool GetBGInfo(TacBGInfo& BGInfo, vcl::TControl* Control, bool PleaseDraw = false);
// The answer as a background record: the bitmap at the offset, or the colour in RGB.
TCacheInfo BGInfoToCI(const TacBGInfo& BGInfo);
// What Control answers lies within it (GetBGInfo, nothing filled), as a background record;
// acEmptyCI for no control.
TCacheInfo BackgroundOf(vcl::TControl* Control);
// What lies beneath Control: its parent's answer; acEmptyCI for a control without a parent.
TCacheInfo GetParentCache(vcl::TControl* Control);

// ---------------------------------------------------------------------------------------------
// Skin sections painted into bitmaps
//
// R is the rectangle of the target bitmap to paint; CI tells where the background beneath lies and
// pP maps R's top-left corner into it: the parent area of R starts at CI's pixel (X + pP.x, Y +
// pP.y). State is limited to the section's States - 1, so the hot values serve every state above 0.
// The target bitmap is made pf32bit. A SkinManager of none means DefaultManager.

// The background of the state of section SkinIndex (named SkinSection for the look-ups by name):
// colour, texture or pattern, gradient, and transparency over CI. A CustomColor other than
// clFuchsia paints a plain fill of it instead. A texture index of -1 takes the section's own.
void PaintItemBG(int SkinIndex, const vcl::String& SkinSection, const TCacheInfo& CI, int State, const vcl::TRect& R,
                 const vcl::TPoint& pP, vcl::TBitmap* ItemBmp, TsSkinManager* SkinManager, int TextureIndex,
                 int HotTextureIndex, vcl::TColor CustomColor = vcl::clFuchsia);
// The background, the four corner images and the border image of the section. Nothing unless R is
// a non-empty rectangle inside ItemBmp.
void PaintItem(int SkinIndex, const vcl::String& SkinSection, const TCacheInfo& CI, int State, const vcl::TRect& R,
               const vcl::TPoint& pP, vcl::TBitmap* ItemBmp, TsSkinManager* SkinManager, int TextureIndex = -1,
               int HotTextureIndex = -1);
// The same through a scratch bitmap copied onto R of DC; the DC's state is kept.
void PaintItem(int SkinIndex, const vcl::String& SkinSection, const TCacheInfo& CI, int State, const vcl::TRect& R,
               const vcl::TPoint& pP, HDC DC, TsSkinManager* SkinManager);
// A simpler background with the texture images given by the caller: no pattern, no custom colour,
// no overlay; State is not limited. Nothing at all while there is no DefaultManager.
void PaintItemBGFast(int SkinIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI, int State,
                     const vcl::TRect& R, const vcl::TPoint& pP, vcl::TBitmap* ItemBmp, TsSkinManager* SkinManager);
// PaintItemBGFast and then the border image MaskIndex; no corner images.
void PaintItemFast(int SkinIndex, int MaskIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI,
                   int State, const vcl::TRect& R, const vcl::TPoint& pP, vcl::TBitmap* ItemBmp,
                   TsSkinManager* SkinManager);
// The same for a control from its skin data: its section, textures, manager and, with
// CustomColor, the owner's colour (the form's for a skin provider) as a plain fill.
void PaintItemBG(const TsCommonData& SkinData, const TCacheInfo& CI, int State, const vcl::TRect& R,
                 const vcl::TPoint& pP, vcl::TBitmap* ItemBmp);
// The control's background, corner images and border (not in state 0 when its DrawMode has flag
// 2; UpdateCorners lets its corners show CI); then the control's hue and saturation passes over
// the whole bitmap, unless the border was left out over a partly transparent state.
void PaintItem(const TsCommonData& SkinData, const TCacheInfo& CI, int State, const vcl::TRect& R,
               const vcl::TPoint& pP, vcl::TBitmap* ItemBmp, bool UpdateCorners);
// The control over the background Parent answers (GetBGInfo): background, border, then the
// corner images; no passes. pP is the control's place in Parent.
void PaintSkinControl(const TsCommonData& SkinData, vcl::TControl* Parent, int State, const vcl::TRect& R,
                      const vcl::TPoint& pP, vcl::TBitmap* ItemBmp, bool UpdateCorners);
// Paints the section named Section, else SecondSection, over the whole of Bmp: over the pixels of
// ParentDC at TopLeft when there is one, else over the colour BGColor. Returns the section index
// used; an invalid one paints nothing.
int PaintSection(vcl::TBitmap* Bmp, const vcl::String& Section, const vcl::String& SecondSection, int State,
                 TsSkinManager* Manager, const vcl::TPoint& TopLeft, vcl::TColor BGColor, HDC ParentDC);

}  // namespace skin
