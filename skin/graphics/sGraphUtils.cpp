// Colour arithmetic, the layered-window entry points and the whole-bitmap colour changes.
#include "skin/graphics/sGraphUtils.h"

#include <algorithm>
#include <cmath>

#include "skin/graphics/Acntutils.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/PixelOps.h"

namespace skin {

using vcl::TColor;

namespace {

// Hue in degrees (0..360) of channels whose maximum mx lies range above their minimum; a tie
// goes to the earlier of red, green, blue.
double HueOf(int r, int g, int b, int mx, int range)
{
    double h;
    if (mx == r)
        h = (g - b) * 60.0 / range;
    else if (mx == g)
        h = 120 + (b - r) * 60.0 / range;
    else
        h = 240 + (r - g) * 60.0 / range;
    return h < 0 ? h + 360 : h;
}

struct TRgbReal {
    double r, g, b;
};

// The sextant conversion of a hue (degrees, 0 up to below 360 for the six named sextants) with
// saturation S and value V (0..255); p, q and t are limited to 0..255, V is not.
TRgbReal FromSextants(double hue, double S, double V)
{
    const double h = hue / 60;
    const int i = int(std::trunc(h));
    const double f = h - i;
    const double p = std::clamp(V * (1 - S), 0.0, 255.0);
    const double q = std::clamp(V * (1 - S * f), 0.0, 255.0);
    const double t = std::clamp(V * (1 - S * (1 - f)), 0.0, 255.0);
    switch (i) {
    case 0: return {V, t, p};
    case 1: return {q, V, p};
    case 2: return {p, V, t};
    case 3: return {p, q, V};
    case 4: return {t, p, V};
    default: return {V, p, q};
    }
}

TsColor WithChannels(TsColor base, const TRgbReal& c)
{
    base.sBGRA.R = uint8_t(px::RoundByte(c.r));
    base.sBGRA.G = uint8_t(px::RoundByte(c.g));
    base.sBGRA.B = uint8_t(px::RoundByte(c.b));
    return base;
}

// Applies a byte function to bytes 0, 1 and 2, keeping byte 3.
template<class F>
TsColor MapColourBytes(TsColor c, F f)
{
    c.sBGRA.B = uint8_t(f(c.sBGRA.B));
    c.sBGRA.G = uint8_t(f(c.sBGRA.G));
    c.sBGRA.R = uint8_t(f(c.sBGRA.R));
    return c;
}

// The user32 entry points for layered windows, looked up once before any window exists.
struct TLayeredEntries {
    HMODULE Module = nullptr;

    TLayeredEntries()
    {
        if (UpdateLayeredWindow)
            return;
        Module = LoadLibraryW(L"user32.dll");
        UpdateLayeredWindow = GetProc<TUpdateLayeredWindow>(Module, "UpdateLayeredWindow");
        SetLayeredWindowAttributes = GetProc<TSetLayeredWindowAttributes>(Module, "SetLayeredWindowAttributes");
    }
    ~TLayeredEntries()
    {
        if (Module)
            FreeLibrary(Module);
    }
};

}  // namespace

TUpdateLayeredWindow UpdateLayeredWindow = nullptr;
TSetLayeredWindowAttributes SetLayeredWindowAttributes = nullptr;
static const TLayeredEntries LayeredEntries;

bool acLayered() { return UpdateLayeredWindow != nullptr; }

TColor ChangeBrightness(TColor Color, int Percent)
{
    if (Percent == 0)
        return Color;
    return MapColourBytes(TsColor(Color), [Percent](int c) {
        const double step = Percent > 0 ? (255 - c) / 100.0 : c / 100.0;
        return px::RoundByte(c + Percent * step);
    }).C;
}

TColor ChangeSaturation(TColor Color, int Percent) { return ChangeSaturation(Percent, TsColor(Color)).C; }

TsColor ChangeSaturation(int Percent, TsColor Color)
{
    if (Percent == 0)
        return Color;
    const double grey = (Color.sBGRA.B + Color.sBGRA.G + Color.sBGRA.R) / 3.0;
    return MapColourBytes(Color, [grey, Percent](int c) { return px::RoundByte(c - (grey - c) * Percent / 100); });
}

TColor ChangeHue(int Delta, TColor Color)
{
    if (Delta == 0)
        return Color;
    return SwapColor(ChangeHue(Delta, TsColor(SwapColor(Color))).C);
}

TsColor ChangeHue(int Delta, TsColor Color)
{
    const int r = Color.sBGRA.R, g = Color.sBGRA.G, b = Color.sBGRA.B;
    const int mx = std::max({r, g, b}), range = mx - std::min({r, g, b});
    if (mx == 0 || range == 0)
        return Color;
    const double S = double(range) / mx;
    int hue = int(vcl::Round(HueOf(r, g, b, mx, range) + Delta) % 360);
    if (hue < 0)
        hue += 360;
    return WithChannels(Color, FromSextants(hue, S, mx));
}

TsColor Hsv2Rgb(double h, double s, double v)
{
    TsColor result;
    if (s == 0) {
        const uint8_t grey = uint8_t(px::RoundByte(v * 255));
        result.R = result.G = result.B = grey;
        return result;
    }
    const TRgbReal c = FromSextants(h == 360 ? 0 : h, s, v * 255);
    result.R = uint8_t(px::RoundByte(c.r));
    result.G = uint8_t(px::RoundByte(c.g));
    result.B = uint8_t(px::RoundByte(c.b));
    return result;
}

TsHSV Rgb2Hsv(TsColor Color)
{
    const int r = Color.R, g = Color.G, b = Color.B;
    const int mx = std::max({r, g, b}), range = mx - std::min({r, g, b});
    TsHSV hsv;
    hsv.s = mx == 0 ? 0 : double(range) / mx;
    hsv.v = mx / 255.0;
    if (hsv.s != 0)
        hsv.h = int(vcl::Round(HueOf(r, g, b, mx, range)));
    return hsv;
}

int SwapInteger(int Value)
{
    const uint32_t x = uint32_t(Value);
    return int32_t((x >> 16) + ((x % 256) << 16) + (((x >> 8) % 256) << 8));
}

TColor MixColors(TColor Color1, TColor Color2, double Weight)
{
    TsColor c1(Color1);
    const TsColor c2(Color2);
    const auto mix = [Weight](int a, int b) { return uint8_t(px::RoundByte(Weight * a + (1 - Weight) * b)); };
    c1.R = mix(c1.R, c2.R);
    c1.G = mix(c1.G, c2.G);
    c1.B = mix(c1.B, c2.B);
    return c1.C;
}

namespace {

uint32_t Grey(uint32_t p)
{
    const int g = (px::R(p) + px::G(p) + px::B(p)) / 3;
    return px::Make(g, g, g, px::A(p));
}

// Key pixels and greys keep their colour in the hue and saturation passes.
bool KeepsColour(uint32_t p) { return p == px::KeyPixel || (px::R(p) == px::G(p) && px::G(p) == px::B(p)); }

}  // namespace

void GrayScale(const TPixelView& Bmp) { px::MapPixels(Bmp, Grey); }

void GrayScaleTrans(const TPixelView& Bmp, TsColor TransColor)
{
    px::MapPixels(Bmp, [key = TransColor.U()](uint32_t p) { return p == key ? p : Grey(p); });
}

void ChangeBmpHUE(const TPixelView& Bmp, int Delta)
{
    px::MapPixels(Bmp, [Delta](uint32_t p) { return KeepsColour(p) ? p : ChangeHue(Delta, TsColor::FromInt(p)).U(); });
}

void ChangeBmpSaturation(const TPixelView& Bmp, int Delta)
{
    px::MapPixels(Bmp,
                 [Delta](uint32_t p) { return KeepsColour(p) ? p : ChangeSaturation(Delta, TsColor::FromInt(p)).U(); });
}

}  // namespace skin
