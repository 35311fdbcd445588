#include "skin/graphics/Sgradient.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "skin/graphics/Acntutils.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

namespace {

using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The system's GradientFill, looked up once; null where the library or the function is missing.
struct TGradientEntry {
    HMODULE Module = LoadLibraryW(L"msimg32.dll");
    TGradientFill Fill = GetProc<TGradientFill>(Module, "GradientFill");

    ~TGradientEntry()
    {
        if (Module)
            FreeLibrary(Module);
    }
};
const TGradientEntry GradientEntry;

enum TGradKind { gkVertical = 0, gkHorizontal = 1, gkCorners = 2 };

// The colour ramp of one band over k + 1 pixels: single-precision accumulators from Color1's
// channels, one step of (Color2 - Color1) / k after every pixel.
class TRamp {
public:
    TRamp(TColor c1, TColor c2, int k)
        : FR(float(px::ColorR(c1))), FG(float(px::ColorG(c1))), FB(float(px::ColorB(c1))),
          FStepR(float(px::ColorR(c2) - px::ColorR(c1)) / float(k)),
          FStepG(float(px::ColorG(c2) - px::ColorG(c1)) / float(k)),
          FStepB(float(px::ColorB(c2) - px::ColorB(c1)) / float(k))
    {
    }
    uint32_t Next()
    {
        const auto round = [](float v) { return int(vcl::Round(double(v))); };
        const uint32_t pixel = px::Make(round(FB), round(FG), round(FR), 255);
        FR += FStepR;
        FG += FStepG;
        FB += FStepB;
        return pixel;
    }

private:
    float FR, FG, FB, FStepR, FStepG, FStepB;
};

// The colour of every row (vertical) or column (horizontal) of R; none where no band paints.
using TAxisColours = std::vector<std::optional<uint32_t>>;

// Paints the ramp of a band from start to end (both included) into the colours of the axis that
// begins at origin.
void PaintBand(TAxisColours& colours, int origin, int start, int end, const TsGradPie& piece)
{
    TRamp ramp(piece.Color1, piece.Color2, end - start);
    for (int i = start; i <= end; ++i) {
        const uint32_t pixel = ramp.Next();
        if (i >= origin && i - origin < int(colours.size()))
            colours[size_t(i - origin)] = pixel;
    }
}

// Vertical bands: a band is the height of R (plus OffsetY) times Percent div 100 high, the last takes
// the rest, and the row where one band ends is painted again as the first of the next.
TAxisColours RowColours(const TRect& R, const TsGradArray& Data, int OffsetY)
{
    const int height = R.Height(), limit = R.bottom - 1;
    auto colours = TAxisColours(size_t(height));
    int pos = R.top + OffsetY;
    for (size_t i = 0; i < Data.size(); ++i) {
        const int start = pos;
        const int end = i + 1 == Data.size() ? limit : std::min(pos + (height + OffsetY) * Data[i].Percent / 100, limit);
        pos = end;
        if (end - start > 0)
            PaintBand(colours, R.top, start, end, Data[i]);
    }
    return colours;
}

// Horizontal bands: a band ends at Percent hundredths of R's width past its start, rounded.
TAxisColours ColumnColours(const TRect& R, const TsGradArray& Data)
{
    auto colours = TAxisColours(size_t(R.Width()));
    const double step = R.Width() / 100.0;
    const int limit = R.right - 1;
    int pos = R.left;
    for (size_t i = 0; i < Data.size(); ++i) {
        const int start = pos;
        const int end =
            i + 1 == Data.size() ? limit : int(std::min<int64_t>(vcl::Round(Data[i].Percent * step + pos), limit));
        pos = end;
        if (end - start > 0)
            PaintBand(colours, R.left, start, end, Data[i]);
    }
    return colours;
}

// R cut to the bitmap; false when there is nothing to paint.
bool PaintArea(const TPixelView& Bmp, TRect& R, const TsGradArray& Data)
{
    if (R.IsEmpty() || Bmp.IsEmpty() || Data.empty())
        return false;
    R = TRect(std::max<LONG>(R.left, 0), std::max<LONG>(R.top, 0), std::min<LONG>(R.right, Bmp.Width),
              std::min<LONG>(R.bottom, Bmp.Height));
    return !R.IsEmpty();
}

// Visits every pixel of R that its row's or column's colour paints: f(pixel, colour, x, y).
template<class F>
void ForEachPainted(const TPixelView& Bmp, const TRect& R, const TsGradArray& Data, int OffsetY, F f)
{
    const bool vertical = Data[0].Mode1 == gkVertical;
    const TAxisColours colours = vertical ? RowColours(R, Data, OffsetY) : ColumnColours(R, Data);
    for (int y = R.top; y < R.bottom; ++y) {
        uint32_t* row = Bmp.Row(y);
        for (int x = R.left; x < R.right; ++x)
            if (const auto& c = colours[size_t(vertical ? y - R.top : x - R.left)])
                f(row[x], *c, x, y);
    }
}

// Four triangles between the corners and the centre of R, through a scratch image of R's size.
void PaintCorners(const TPixelView& Bmp, const TRect& R, const TsGradArray& Data)
{
    if (!GradientEntry.Fill)
        return;
    TDibSection scratch(R.Width(), R.Height());
    px::CopyPixels(scratch.View(), 0, 0, Bmp, R);
    const int w = R.Width(), h = R.Height();
    const POINT corners[5] = {{0, 0}, {w / 2, h / 2}, {w, 0}, {w, h}, {0, h}};
    TRIVERTEX vertices[5];
    TColor colour = Data[0].Color1;
    for (size_t k = 0; k < 5; ++k) {
        if (k < Data.size())
            colour = Data[k].Color1;
        vertices[k] = {corners[k].x, corners[k].y, COLOR16(px::ColorR(colour) << 8), COLOR16(px::ColorG(colour) << 8),
                       COLOR16(px::ColorB(colour) << 8), COLOR16(0xFF00)};
    }
    GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    GradientEntry.Fill(scratch.DC(), vertices, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
    px::CopyPixels(Bmp, R.left, R.top, scratch.View(), scratch.View().Bounds());
}

}  // namespace

void PrepareGradArray(const vcl::String& Text, TsGradArray& Data)
{
    Data.clear();
    if (Text.empty())
        return;
    const TSysCharSet delims = {';'};
    const vcl::AnsiString text = vcl::ToAnsi(Text);
    const auto word = [&](int n) { return vcl::StrToInt(vcl::FromAnsi(ExtractWord(n, text, delims))); };
    const int pieces = WordCount(text, delims) / 5;
    for (int i = 0; i < pieces; ++i) {
        TsGradPie piece;
        piece.Color1 = TColor(std::max(word(5 * i + 1), 0));
        piece.Color2 = TColor(std::max(word(5 * i + 2), 0));
        piece.Percent = uint8_t(LimitIt(word(5 * i + 3), 0, 100));
        piece.Mode1 = word(5 * i + 4);
        Data.push_back(piece);
    }
}

void PaintGrad(const TPixelView& Bmp, const TRect& R, const TsGradArray& Data, int OffsetY)
{
    TRect area = R;
    if (!PaintArea(Bmp, area, Data))
        return;
    switch (Data[0].Mode1) {
    case gkVertical:
    case gkHorizontal:
        ForEachPainted(Bmp, area, Data, OffsetY, [](uint32_t& p, uint32_t c, int, int) { p = c; });
        break;
    case gkCorners: PaintCorners(Bmp, area, Data); break;
    default: break;
    }
}

void PaintGradTxt(const TPixelView& Bmp, const TRect& R, const TsGradArray& Data, const TPixelView& Texture,
                  const TRect& TextureRect, uint8_t Amount)
{
    TRect area = R;
    if (!PaintArea(Bmp, area, Data) || (Data[0].Mode1 != gkVertical && Data[0].Mode1 != gkHorizontal))
        return;
    // The texture repeats with the period of its rectangle, cut to the texture.
    const TRect tile = (TextureRect.IsEmpty() ? Texture.Bounds() : TextureRect).Intersected(Texture.Bounds());
    if (Texture.IsEmpty() || tile.IsEmpty())
        return;
    const int tw = tile.Width(), th = tile.Height();
    ForEachPainted(Bmp, area, Data, 0, [&](uint32_t& p, uint32_t g, int x, int y) {
        const uint32_t t = Texture.At(x % tw + tile.left, y % th + tile.top);
        const auto mix = [Amount](int gc, int tc) { return (Amount * (tc - gc) + gc * 256) >> 8; };
        p = px::Make(mix(px::B(g), px::B(t)), mix(px::G(g), px::G(t)), mix(px::R(g), px::R(t)), 255);
    });
}

}  // namespace skin
