#pragma once
// Row conversion of image samples into bitmap scan lines: the PNG reader's
// colour manager. Pure pixel arithmetic; palettes come back as plain entries
// that the bitmap side turns into its own palette.
#include "acByteSet.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace skin {

enum class TColorScheme : uint8_t {
    csUnknown, csIndexed, csG, csGA, csRGB, csRGBA, csBGR, csBGRA,
    csCMY, csCMYK, csCIELab, csYCbCr, csPhotoYCC
};

enum class TConvertOption : uint8_t { coAlpha, coApplyGamma, coNeedByteSwap };

using TConvertOptions = TByteSet<TConvertOption>;

enum class TRawPaletteFormat : uint8_t {
    pfInterlaced8Triple, pfInterlaced8Quad, pfPlane8Triple, pfPlane8Quad,
    pfInterlaced16Triple, pfInterlaced16Quad, pfPlane16Triple, pfPlane16Quad
};

struct TPaletteEntry {
    uint8_t Red = 0, Green = 0, Blue = 0;
    constexpr bool operator==(const TPaletteEntry&) const = default;
};
using TRawPalette = std::vector<TPaletteEntry>;

using TGammaTable = std::array<uint8_t, 256>;

// Raised for descriptions the manager cannot convert; the bitmap side reports it
// as the class library's colour-conversion error.
class EColorConversionFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// (x * y) div z on 16-bit operands with a 32-bit product, truncating.
constexpr uint16_t MulDiv16(uint16_t x, uint16_t y, uint16_t z)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(x) * y / z);
}

class TColorManager {
public:
    TColorManager();

    uint8_t SourceBitsPerSample() const { return FSourceBPS; }
    uint8_t TargetBitsPerSample() const { return FTargetBPS; }
    uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
    uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
    TColorScheme SourceColorScheme() const { return FSourceScheme; }
    TColorScheme TargetColorScheme() const { return FTargetScheme; }
    void SetSourceBitsPerSample(uint8_t bits);
    void SetTargetBitsPerSample(uint8_t bits);
    void SetSourceSamplesPerPixel(uint8_t samples);
    void SetTargetSamplesPerPixel(uint8_t samples);
    void SetSourceColorScheme(TColorScheme scheme);
    void SetTargetColorScheme(TColorScheme scheme);

    // Set directly by the owner; coAlpha follows the schemes at PrepareConversion.
    TConvertOptions SourceOptions;
    TConvertOptions TargetOptions;

    float MainGamma() const { return FMainGamma; }
    float DisplayGamma() const { return FDisplayGamma; }
    // Built at its first use, from the gammas and the depths in force when SetGamma was called;
    // a manager that never applies a gamma never builds one.
    const TGammaTable& GammaTable() const;
    void SetGamma(float mainGamma, float displayGamma);

    // One source pointer: interleaved samples; several: one plane per component.
    // Writes target pixel x of count only when the mask bit for x is set.
    void ConvertRow(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask);
    void PrepareConversion();

    // Bits per pixel of the bitmap that fits the target (true) or source description; 0 = custom.
    int GetPixelFormat(bool target) const;
    TRawPalette CreateColorPalette(std::span<const void* const> data, TRawPaletteFormat format,
                                   uint32_t colorCount, bool reversedOrder) const;
    TRawPalette CreateGrayscalePalette(bool minimumIsWhite) const;

    [[noreturn]] static void Error(const char* message);

private:
    using TConversionMethod = void (TColorManager::*)(std::span<const uint8_t* const>, uint8_t*, uint32_t, uint8_t);
    using TComponentFunction = uint16_t (TColorManager::*)(uint16_t) const;

    uint16_t ComponentNoConvert(uint16_t v) const { return v; }
    uint16_t ComponentGammaConvert(uint16_t v) const { return FGammaTable[v & 0xFF]; }
    uint16_t ComponentScaleConvert(uint16_t v) const { return MulDiv16(v, 255, 65535); }
    uint16_t ComponentScaleGammaConvert(uint16_t v) const { return FGammaTable[MulDiv16(v, 255, 65535)]; }
    uint16_t ComponentSwapConvert(uint16_t v) const { return static_cast<uint16_t>(v << 8 | v >> 8); }
    uint16_t ComponentSwapScaleConvert(uint16_t v) const { return ComponentScaleConvert(ComponentSwapConvert(v)); }
    uint16_t ComponentSwapScaleGammaConvert(uint16_t v) const { return ComponentScaleGammaConvert(ComponentSwapConvert(v)); }
    TComponentFunction ReduceFunction(bool withGamma) const;

    // The RGB family: BGR to BGR keeps the order as RGB to RGB does, BGR to RGB reverses it as RGB to BGR.
    void RowConvertRGB(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask, bool reverse);
    void RowConvertRGB2RGB(std::span<const uint8_t* const> s, uint8_t* t, uint32_t c, uint8_t m) { RowConvertRGB(s, t, c, m, false); }
    void RowConvertRGB2BGR(std::span<const uint8_t* const> s, uint8_t* t, uint32_t c, uint8_t m) { RowConvertRGB(s, t, c, m, true); }
    void RowConvertGray(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask);
    void RowConvertIndexed8(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask);

    bool FChanged = true;
    uint8_t FSourceBPS = 8, FTargetBPS = 8, FSourceSPP = 3, FTargetSPP = 3;
    float FMainGamma = 1.0f, FDisplayGamma = 2.2f;
    uint8_t FGammaLast = 255, FGammaTop = 255;  // the last entry of the table and its value
    mutable bool FGammaBuilt = false;
    mutable TGammaTable FGammaTable{};
    TColorScheme FSourceScheme = TColorScheme::csRGB, FTargetScheme = TColorScheme::csBGR;
    TConversionMethod FRowConversion = nullptr;
};

}  // namespace skin
