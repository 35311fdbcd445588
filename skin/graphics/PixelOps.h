#pragma once
// Byte-level pixel arithmetic shared by the pixel units of the skin library (not a public unit).
// A pixel read as a 32-bit integer is 0xAARRGGBB; a colour value (TColor) is 0x00BBGGRR.
#include <algorithm>
#include <cstdint>

#include "vcl/system.h"

namespace skin::px {

// Magenta with alpha 0: the transparent pixel of skin images.
constexpr uint32_t KeyPixel = 0x00FF00FF;

constexpr int B(uint32_t p) { return int(p & 0xFF); }
constexpr int G(uint32_t p) { return int((p >> 8) & 0xFF); }
constexpr int R(uint32_t p) { return int((p >> 16) & 0xFF); }
constexpr int A(uint32_t p) { return int(p >> 24); }

constexpr uint32_t Make(int b, int g, int r, int a)
{
    return uint32_t(b & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(r & 0xFF) << 16 | uint32_t(a & 0xFF) << 24;
}
constexpr uint32_t WithAlpha(uint32_t p, int a) { return (p & 0x00FFFFFF) | uint32_t(a & 0xFF) << 24; }

// Bytes 0 and 2 exchanged, bytes 1 and 3 kept: colour order to pixel order and back.
constexpr uint32_t SwapRB(uint32_t v) { return (v & 0xFF00FF00) | (v & 0xFF) << 16 | ((v >> 16) & 0xFF); }

// A colour value as a pixel with the given alpha.
constexpr uint32_t FromColor(vcl::TColor c, int a) { return WithAlpha(SwapRB(uint32_t(c)), a); }
// Red, green and blue of a colour value by channel.
constexpr int ColorR(vcl::TColor c) { return int(uint32_t(c) & 0xFF); }
constexpr int ColorG(vcl::TColor c) { return int((uint32_t(c) >> 8) & 0xFF); }
constexpr int ColorB(vcl::TColor c) { return int((uint32_t(c) >> 16) & 0xFF); }

// The 8-bit mix of d toward s by the weight w (0..255): (d * (256 - w) + s * w) shr 8.
constexpr int Mix(int d, int s, int w) { return ((s - d) * w + d * 256) >> 8; }
// Red, green and blue of d mixed toward s; d's alpha kept.
constexpr uint32_t MixRGB(uint32_t d, uint32_t s, int w)
{
    return Make(Mix(B(d), B(s), w), Mix(G(d), G(s), w), Mix(R(d), R(s), w), A(d));
}
// The image pixel s laid over d through the mask pixel m, channel by channel: a black mask shows s,
// a white one keeps d; d's alpha kept.
constexpr uint32_t ThroughMask(uint32_t d, uint32_t s, uint32_t m)
{
    return Make(Mix(B(s), B(d), B(m)), Mix(G(s), G(d), G(m)), Mix(R(s), R(d), R(m)), A(d));
}
// Alpha accumulation of a weight over an alpha: a + w * (255 - a) div 255.
constexpr int AddAlpha(int a, int w) { return a + w * (255 - a) / 255; }

// The weighted byte sum of the two-bitmap blends: (d * w + s * (255 - w) + 127) shr 8.
constexpr int Sum(int d, int s, int w) { return (d * w + s * (255 - w) + 127) >> 8; }

// Nearest integer, halves to even, limited to a byte.
inline int RoundByte(double v) { return int(std::clamp<int64_t>(vcl::Round(v), 0, 255)); }

// a * Percent / 100 + b * (100 - Percent) / 100 in exact integers, halves to even, limited to a byte.
constexpr int MixPercent(int a, int b, int Percent)
{
    const int n = a * Percent + b * (100 - Percent);
    int q = n / 100, r = n % 100;
    if (r < 0) {  // floor division for the rare weight outside 0..100
        q -= 1;
        r += 100;
    }
    if (r > 50 || (r == 50 && q % 2 != 0))
        ++q;
    return std::clamp(q, 0, 255);
}

}  // namespace skin::px
