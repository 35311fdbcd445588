// Fills, frames, border copies and small pixel painters on device contexts.
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

namespace {

// A solid brush selected into a DC whose state is saved for as long as the fill lasts.
class TSolidFill {
public:
    TSolidFill(HDC DC, TColor Color) : FDC(DC), FSaved(SaveDC(DC)), FBrush(CreateSolidBrush(vcl::ColorToRGB(Color)))
    {
        FOld = SelectObject(FDC, FBrush);
    }
    ~TSolidFill()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBrush);
        RestoreDC(FDC, FSaved);
    }
    TSolidFill(const TSolidFill&) = delete;
    TSolidFill& operator=(const TSolidFill&) = delete;

    void Fill(const RECT& R) const { FillRect(FDC, &R, FBrush); }

private:
    HDC FDC;
    int FSaved;
    HBRUSH FBrush;
    HGDIOBJ FOld;
};

void Dot(HDC DC, int x, int y, COLORREF c) { SetPixelV(DC, x, y, c); }

}  // namespace

void FillDC(HDC DC, const TRect& R, TColor Color) { TSolidFill(DC, Color).Fill(R); }

void FillDCBorder(HDC DC, const TRect& R, int wl, int wt, int wr, int wb, TColor Color)
{
    const TSolidFill fill(DC, Color);
    fill.Fill(TRect(R.left, R.top, R.right, R.top + wt));
    fill.Fill(TRect(R.left, R.top + wt, R.left + wl, R.bottom));
    fill.Fill(TRect(R.left + wl, R.bottom - wb, R.right, R.bottom));
    fill.Fill(TRect(R.right - wr, R.top + wt, R.right, R.bottom - wb));
}

void BitBltBorder(HDC DestDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int BorderWidth)
{
    const int bw = BorderWidth;
    const TRect bands[] = {TRect(0, 0, bw, Height), TRect(bw, 0, Width, bw), TRect(Width - bw, bw, Width, Height),
                           TRect(bw, Height - bw, Width, Height)};
    for (const TRect& b : bands)
        if (!b.IsEmpty())
            BitBlt(DestDC, X + b.left, Y + b.top, b.Width(), b.Height(), SrcDC, SrcX + b.left, SrcY + b.top, SRCCOPY);
}

void ExcludeControls(HDC DC, vcl::TWinControl* Ctrl, int OffsetX, int OffsetY)
{
    for (int i = 0; i < Ctrl->ControlCount(); ++i) {
        vcl::TControl* child = Ctrl->Controls(i);
        if (!dynamic_cast<vcl::TGraphicControl*>(child) || !child->Visible() || child->InheritsFrom(L"TsSplitter"))
            continue;
        const TRect r = child->BoundsRect().Offsetted(OffsetX, OffsetY);
        ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
    }
}

void DrawRectangleOnDC(HDC DC, TRect& R, TColor ColorTop, TColor ColorBottom, int& Width)
{
    const HPEN top = CreatePen(PS_SOLID, 1, vcl::ColorToRGB(ColorTop));
    const HPEN bottom = CreatePen(PS_SOLID, 1, vcl::ColorToRGB(ColorBottom));
    const HGDIOBJ oldPen = SelectObject(DC, top);
    const HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    for (; Width > 0; --Width) {
        const LONG right = R.right - 1, lower = R.bottom - 1;
        const POINT upperLeft[] = {{R.left, lower}, {R.left, R.top}, {right, R.top}};
        const POINT lowerRight[] = {{right, R.top}, {right, lower}, {R.left - 1, lower}};
        SelectObject(DC, top);
        Polyline(DC, upperLeft, 3);
        SelectObject(DC, bottom);
        Polyline(DC, lowerRight, 3);
        R.Inflate(-1, -1);
    }
    SelectObject(DC, oldPen);
    SelectObject(DC, oldBrush);
    DeleteObject(top);
    DeleteObject(bottom);
}

void FocusRect(HDC DC, const TRect& R, TColor Color1, TColor Color2)
{
    const COLORREF c1 = vcl::ColorToRGB(Color1), c2 = vcl::ColorToRGB(Color2);
    const int right = R.right - 1, lower = R.bottom - 1;
    for (int k = 0; k <= R.Width() / 3; ++k) {
        const int x = R.left + 3 * k;
        Dot(DC, x, R.top, c2);
        Dot(DC, x, lower, c2);
        Dot(DC, x - 1, R.top, c1);
        Dot(DC, x - 1, lower, c1);
    }
    for (int k = 0; k <= R.Height() / 3; ++k) {
        const int y = R.top + 3 * k;
        Dot(DC, R.left, y, c2);
        Dot(DC, right, y, c2);
        Dot(DC, R.left, y - 1, c1);
        Dot(DC, right, y - 1, c1);
    }
}

void DrawColorArrow(HDC DC, TColor Color, const TRect& R, int Direction)
{
    const COLORREF c = vcl::ColorToRGB(Color);
    const int w = R.Width(), h = R.Height();
    if (Direction == 4) {
        const int x0 = R.left + (w - 3) / 2, y0 = R.top + (h - 6) / 2;
        for (int k = 0; k <= 3; ++k)
            for (int y = y0 + k; y <= y0 + 6 - k; ++y)
                Dot(DC, x0 + k, y, c);
    } else if (Direction == 8) {
        const int x0 = R.left + (w - 6) / 2 - 1, y0 = R.top + (h - 3) / 2 - 1;
        for (int r = 0; r <= 3; ++r)
            for (int x = x0 + r; x <= x0 + 7 - r; ++x)
                Dot(DC, x, y0 + r, c);
    }
}

vcl::TSize GetStringSize(HFONT Font, const vcl::String& Text)
{
    vcl::TSize size;
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, Font);
    if (!GetTextExtentPoint32W(screen, Text.c_str(), int(Text.size()), &size))
        size = vcl::TSize();
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size;
}

}  // namespace skin
