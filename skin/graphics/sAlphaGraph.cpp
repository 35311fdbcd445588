#include "skin/graphics/sAlphaGraph.h"

#include <algorithm>
#include <cstring>

#include "skin/graphics/DibSection.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

bool TacFast32::Attach(const TPixelView& Bmp)
{
    if (Bmp.Height < 2 || Bmp.Width <= 0 || !Bmp.Bits) {
        FWidth = 0;
        return false;
    }
    FWidth = Bmp.Width;
    FHeight = Bmp.Height;
    FStart = Bmp.Bits;
    FDelta = Bmp.Stride;
    return true;
}

TsColor TacFast32::GetPixel(int X, int Y) const
{
    uint32_t p;
    std::memcpy(&p, Pixel(X, Y), 4);
    return TsColor::FromInt(px::SwapRB(p));
}

void TacFast32::SetPixel(int X, int Y, TsColor Value) const
{
    const uint32_t p = px::SwapRB(Value.U());
    std::memcpy(Pixel(X, Y), &p, 4);
}

void TacFast32::FillRect(TRect R, TsColor& Color) const
{
    Color.A = 255;
    R = R.Intersected(TRect(0, 0, FWidth, FHeight));
    if (R.IsEmpty())
        return;
    for (int y = R.top; y < R.bottom; ++y)
        FillLongword(reinterpret_cast<uint32_t*>(Pixel(R.left, y)), R.Width(), Color.U());
}

bool TacFastSum32::Attach(const TPixelView& Src, const TPixelView& Dst)
{
    if (!Src.Bits || !Dst.Bits || Src.Width < 2 || Src.Height < 2 || Dst.Width < 2 || Dst.Height < 2)
        return false;
    FBmpSrc = Src;
    FBmpDst = Dst;
    return true;
}

void TacFastSum32::BlendBitmapsRect() const
{
    const int dx = DstX1 - SrcX1;  // destination column minus source column
    const int dy = DstY2 - SrcY2;  // destination row minus source row
    const TRect area = TRect(DstX1, DstY1, DstX2, DstY2)
                           .Intersected(FBmpDst.Bounds())
                           .Intersected(FBmpSrc.Bounds().Offsetted(dx, dy));
    for (int y = area.bottom - 1; y >= area.top; --y) {
        uint8_t* d = reinterpret_cast<uint8_t*>(FBmpDst.Row(y));
        const uint8_t* s = reinterpret_cast<const uint8_t*>(FBmpSrc.Row(y - dy));
        for (int b = 4 * area.right - 1; b >= 4 * area.left; --b)
            d[b] = uint8_t(px::Sum(d[b], s[b - 4 * dx], Alpha));
    }
}

TColor SwapRedBlue(TColor Value) { return TColor(int32_t(px::SwapRB(uint32_t(Value)))); }

void FillLongword(uint32_t* Dest, int Count, uint32_t Value)
{
    if (Count > 0)
        std::fill_n(Dest, Count, Value);
}

void FillRect32(const TPixelView& Bmp, const TRect& R, TColor Color)
{
    const TRect area = R.Intersected(Bmp.Bounds());
    if (Bmp.IsEmpty() || area.IsEmpty())
        return;
    const uint32_t pixel = px::FromColor(Color, 255);
    for (int y = area.top; y < area.bottom; ++y)
        FillLongword(Bmp.Row(y) + area.left, area.Width(), pixel);
}

void FillDCBorder32(const TPixelView& Bmp, const TRect& R, int WL, int WT, int WR, int WB, TColor Color)
{
    FillRect32(Bmp, TRect(R.left, R.top, R.right, R.top + WT), Color);
    FillRect32(Bmp, TRect(R.left, R.top + WT, R.left + WL, R.bottom), Color);
    FillRect32(Bmp, TRect(R.left + WL, R.bottom - WB, R.right, R.bottom), Color);
    FillRect32(Bmp, TRect(R.right - WR, R.top + WT, R.right, R.bottom - WB), Color);
}

void FillAlphaRect(const TPixelView& Bmp, const TRect& R, uint8_t Value, bool SkipKey)
{
    const TRect area = R.Intersected(Bmp.Bounds());
    if (Bmp.IsEmpty() || area.IsEmpty())
        return;
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = Bmp.Row(y);
        for (int x = area.left; x < area.right; ++x)
            if (!SkipKey || row[x] != px::KeyPixel)
                row[x] = px::WithAlpha(row[x], Value);
    }
}

void BlendColorRect(const TPixelView& Bmp, const TRect& R, int Blend, TColor Color)
{
    if (Bmp.IsEmpty())
        return;
    const int x1 = std::max<int>(R.left, 0), x2 = std::min<int>(R.right, Bmp.Width - 1);
    const int y1 = std::max<int>(R.top, 0), y2 = std::min<int>(R.bottom, Bmp.Height - 1);
    Color = TColor(int32_t(vcl::ColorToRGB(Color)));
    const auto blend = [Blend](int old, int colour) { return px::MixPercent(old, colour, Blend); };
    for (int y = y1; y <= y2; ++y) {
        uint32_t* row = Bmp.Row(y);
        for (int x = x1; x <= x2; ++x) {
            const uint32_t p = row[x];
            row[x] = px::Make(blend(px::B(p), px::ColorB(Color)), blend(px::G(p), px::ColorG(Color)),
                              blend(px::R(p), px::ColorR(Color)), px::A(p));
        }
    }
}

void BmpDisabledKind(const TPixelView& Bmp, TsDisabledKind DisabledKind, TColor ParentColor, const TCacheView& CI,
                     const TPoint& Offset)
{
    if (DisabledKind.Contains(TsDisabledKindItem::dkGrayed))
        GrayScale(Bmp);
    if (!DisabledKind.Contains(TsDisabledKindItem::dkBlended))
        return;
    if (CI.Ready) {
        const TRect under = TRect(0, 0, Bmp.Width, Bmp.Height).Offsetted(CI.X + Offset.x, CI.Y + Offset.y);
        BlendTransRectangle(Bmp, 0, 0, CI.Bmp, under, 0.4, vcl::clFuchsia);
    } else {
        const TColor colour = CI.FillColor == vcl::clFuchsia ? ParentColor : CI.FillColor;
        BlendColorRect(Bmp, TRect(0, 0, Bmp.Width, Bmp.Height), 50, colour);
    }
}

void FillTransPixels32(const TPixelView& Dst, const TPixelView& Src, const TRect& R, const TPoint& Pt,
                       const TPixelView* Mask, const TPoint& MaskOrigin)
{
    const int w = std::min<int>(R.Width(), Src.Width - Pt.x);
    const int h = std::min<int>(R.Height(), Src.Height - Pt.y);
    const auto transparent = [](uint32_t p) { return (p & 0x00FFFFFF) == px::KeyPixel; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = R.left + x, dy = R.top + y, sx = Pt.x + x, sy = Pt.y + y;
            if (!Dst.Contains(dx, dy) || !Src.Contains(sx, sy))
                continue;
            bool take;
            if (Mask) {
                const int mx = MaskOrigin.x + x, my = MaskOrigin.y + y;
                take = Mask->Contains(mx, my) && transparent(Mask->At(mx, my));
            } else {
                take = transparent(Dst.At(dx, dy));
            }
            if (take)
                Dst.At(dx, dy) = Src.At(sx, sy);
        }
    }
}

namespace {

// One pass of text: drawn black on white into a scratch image of R's size, then laid over Bmp in
// the colour, each pixel weighted by how dark the scratch pixel came out.
void WriteTextPass(const TPixelView& Bmp, HFONT Font, const vcl::String& Text, const TRect& R, UINT Flags,
                   TColor Color)
{
    const int w = R.Width(), h = R.Height();
    TDibSection scratch(w, h);
    const HDC dc = scratch.DC();
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HGDIOBJ oldFont = SelectObject(dc, Font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, Text.c_str(), int(Text.size()), &all, Flags);
    SelectObject(dc, oldFont);

    const TPixelView text = scratch.View();
    if (text.IsEmpty())  // the system could not make the scratch image
        return;
    const TRect area = TRect(0, 0, w, h).Intersected(Bmp.Bounds().Offsetted(-R.left, -R.top));
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t t = text.At(x, y);
            if ((t & 0x00FFFFFF) == 0x00FFFFFF && (px::A(t) == 0 || px::A(t) == 255))
                continue;
            const int k = (px::R(t) + px::G(t) + px::B(t)) / 3;
            uint32_t& d = Bmp.At(R.left + x, R.top + y);
            const auto mix = [k](int c, int old) { return (c * (256 - k) + old * k) >> 8; };
            d = px::Make(mix(px::ColorB(Color), px::B(d)), mix(px::ColorG(Color), px::G(d)),
                         mix(px::ColorR(Color), px::R(d)), 255);
        }
}

}  // namespace

std::array<TTextContour, 4> TextContours(const TTextColours& Colours)
{
    return {{{Colours.Left, TPoint(-1, 0)}, {Colours.Top, TPoint(0, -1)}, {Colours.Right, TPoint(1, 0)},
             {Colours.Bottom, TPoint(0, 1)}}};
}

void WriteText32(const TPixelView& Bmp, HFONT Font, const vcl::String& Text, bool WithContour, const TRect& R,
                 UINT Flags, const TTextColours& Colours)
{
    if (Text.empty() || R.IsEmpty() || Bmp.IsEmpty())
        return;
    if (WithContour)
        for (const TTextContour& contour : TextContours(Colours))
            if (contour.Color != TColor(-1))
                WriteTextPass(Bmp, Font, Text, R.Offsetted(contour.Shift.x, contour.Shift.y), Flags, contour.Color);
    WriteTextPass(Bmp, Font, Text, R, Flags, Colours.Color);
}

TPoint MaskCornerOrigin(const TRect& Image, int WR, int WB, int Corner)
{
    const bool right = Corner == 14 || Corner == 17;
    const bool bottom = Corner == 16 || Corner == 17;
    return TPoint(Image.left + (right ? Image.Width() - WR : 0), Image.top + (bottom ? Image.Height() - WB : 0));
}

}  // namespace skin
