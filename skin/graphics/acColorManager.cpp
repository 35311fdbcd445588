#include "acColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

namespace {

constexpr char kBitsPerSampleError[] = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
constexpr char kSamplesPerPixelError[] = "Sample count per pixel does not correspond to the given color scheme.";
constexpr char kIndexedMixError[] = "Conversion between indexed and non-indexed pixel formats is not supported.";
constexpr char kNoMethodError[] = "Color conversion failed. Could not find a proper method.";

uint16_t Read16(const uint8_t* p, uint32_t index)
{
    uint16_t v;
    std::memcpy(&v, p + 2 * static_cast<size_t>(index), 2);
    return v;
}

void Write16(uint8_t* p, uint32_t index, uint16_t v)
{
    std::memcpy(p + 2 * static_cast<size_t>(index), &v, 2);
}

uint16_t MaxValue(uint8_t bits)
{
    return static_cast<uint16_t>((1u << bits) - 1);
}

// Calls write(targetPixel, sourcePixel) for every target pixel the mask selects:
// the mask's bit 0x80 stands for pixel 0 and it rotates right by one per pixel;
// the source advances only for written pixels.
template <typename Write>
void ForSelectedPixels(uint32_t count, uint8_t mask, Write write)
{
    uint8_t bit = 0x80;
    uint32_t source = 0;
    for (uint32_t x = 0; x < count; ++x) {
        if (mask & bit)
            write(x, source++);
        bit = bit == 1 ? 0x80 : static_cast<uint8_t>(bit >> 1);
    }
}

// Most significant bits first, never reading a byte beyond the last sample.
class TBitReader {
public:
    TBitReader(const uint8_t* data, uint8_t bits) : FData(data), FBits(bits) {}
    uint16_t Next()
    {
        while (FHave < FBits) {
            FBuffer = FBuffer << 8 | *FData++;
            FHave += 8;
        }
        FHave -= FBits;
        return static_cast<uint16_t>((FBuffer >> FHave) & MaxValue(FBits));
    }

private:
    const uint8_t* FData;
    uint8_t FBits;
    uint32_t FBuffer = 0;
    int FHave = 0;
};

// Writes a value of `bits` bits at pixel `index`, keeping the other bits of the bytes it touches.
void WritePacked(uint8_t* target, uint32_t index, uint8_t bits, uint16_t value)
{
    uint64_t position = static_cast<uint64_t>(index) * bits;
    int left = bits;
    while (left > 0) {
        uint8_t& byte = target[position / 8];
        int offset = static_cast<int>(position % 8);
        int n = std::min(left, 8 - offset);
        int shift = 8 - offset - n;
        uint8_t part = static_cast<uint8_t>((value >> (left - n)) & ((1u << n) - 1));
        uint8_t keep = static_cast<uint8_t>(~(((1u << n) - 1) << shift));
        byte = static_cast<uint8_t>((byte & keep) | part << shift);
        position += static_cast<uint64_t>(n);
        left -= n;
    }
}

bool HasAlpha(TColorScheme s)
{
    return s == TColorScheme::csGA || s == TColorScheme::csRGBA || s == TColorScheme::csBGRA;
}

bool IsRGBFamily(TColorScheme s)
{
    return s == TColorScheme::csRGB || s == TColorScheme::csRGBA || s == TColorScheme::csBGR || s == TColorScheme::csBGRA;
}

bool IsRGBOrder(TColorScheme s)
{
    return s == TColorScheme::csRGB || s == TColorScheme::csRGBA;
}

template <typename T>
void SetIfChanged(T& field, T value, bool& changed)
{
    if (field != value) {
        field = value;
        changed = true;
    }
}

// A count from 1 to max, else the error.
void SetCount(uint8_t& field, uint8_t value, uint8_t max, const char* error, bool& changed)
{
    if (value == 0 || value > max)
        TColorManager::Error(error);
    SetIfChanged(field, value, changed);
}

}  // namespace

TColorManager::TColorManager()
{
    SetGamma(1.0f, 2.2f);
}

void TColorManager::Error(const char* message)
{
    throw EColorConversionFault(message);
}

void TColorManager::SetSourceBitsPerSample(uint8_t bits)
{
    SetCount(FSourceBPS, bits, 16, kBitsPerSampleError, FChanged);
}

void TColorManager::SetTargetBitsPerSample(uint8_t bits)
{
    SetCount(FTargetBPS, bits, 16, kBitsPerSampleError, FChanged);
}

void TColorManager::SetSourceSamplesPerPixel(uint8_t samples)
{
    SetCount(FSourceSPP, samples, 4, kSamplesPerPixelError, FChanged);
}

void TColorManager::SetTargetSamplesPerPixel(uint8_t samples)
{
    SetCount(FTargetSPP, samples, 4, kSamplesPerPixelError, FChanged);
}

void TColorManager::SetSourceColorScheme(TColorScheme scheme)
{
    SetIfChanged(FSourceScheme, scheme, FChanged);
}

void TColorManager::SetTargetColorScheme(TColorScheme scheme)
{
    SetIfChanged(FTargetScheme, scheme, FChanged);
}

void TColorManager::SetGamma(float mainGamma, float displayGamma)
{
    FMainGamma = mainGamma > 0 ? mainGamma : 1.0f;
    FDisplayGamma = displayGamma > 0 ? displayGamma : 2.2f;
    double exponent = 1.0 / (static_cast<double>(FMainGamma) * static_cast<double>(FDisplayGamma));
    // The table has 256 entries whatever the depths say.
    int n = FSourceBPS >= 8 ? 255 : std::min<int>(MaxValue(FTargetBPS), 255);
    double top = FTargetBPS >= 8 ? 255.0 : MaxValue(FTargetBPS);
    for (int i = 0; i <= n; ++i)
        FGammaTable[i] = static_cast<uint8_t>(std::nearbyint(std::pow(i / static_cast<double>(n), exponent) * top));
}

void TColorManager::ConvertRow(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask)
{
    if (FChanged)
        PrepareConversion();
    if (!FRowConversion)
        Error(kNoMethodError);
    (this->*FRowConversion)(source, target, count, mask);
}

void TColorManager::PrepareConversion()
{
    FRowConversion = nullptr;
    bool sourceIndexed = FSourceScheme == TColorScheme::csIndexed || FSourceScheme == TColorScheme::csG ||
                         FSourceScheme == TColorScheme::csGA;
    bool targetIndexed = FTargetScheme == TColorScheme::csIndexed || FTargetScheme == TColorScheme::csG;
    if (sourceIndexed != targetIndexed)
        Error(kIndexedMixError);

    auto keepAlpha = [](TConvertOptions& options, TColorScheme scheme) {
        if (HasAlpha(scheme))
            options.Include(TConvertOption::coAlpha);
        else
            options.Exclude(TConvertOption::coAlpha);
    };
    keepAlpha(SourceOptions, FSourceScheme);
    keepAlpha(TargetOptions, FTargetScheme);

    bool any16 = FSourceBPS == 16 || FTargetBPS == 16;
    switch (FSourceScheme) {
    case TColorScheme::csIndexed:
        // 16-bit indexed samples have no converter: nothing selects them.
        if (!any16)
            FRowConversion = &TColorManager::RowConvertIndexed8;
        break;
    case TColorScheme::csG:
        if (!any16)
            FRowConversion = &TColorManager::RowConvertIndexed8;
        else if (FSourceBPS >= 8 && FTargetBPS >= 8)
            FRowConversion = &TColorManager::RowConvertGray;
        break;
    case TColorScheme::csGA:
        if ((FSourceBPS == 8 || FSourceBPS == 16) && (FTargetBPS == 8 || FTargetBPS == 16))
            FRowConversion = &TColorManager::RowConvertGray;
        break;
    case TColorScheme::csRGB:
    case TColorScheme::csRGBA:
    case TColorScheme::csBGR:
    case TColorScheme::csBGRA:
        if (IsRGBFamily(FTargetScheme))
            FRowConversion = IsRGBOrder(FSourceScheme) == IsRGBOrder(FTargetScheme) ? &TColorManager::RowConvertRGB2RGB
                                                                                     : &TColorManager::RowConvertRGB2BGR;
        break;
    default:  // CMY, CMYK, CIE L*a*b*, YCbCr and PhotoYCC have no converter: nothing selects them.
        break;
    }
    FChanged = false;
}

TColorManager::TComponentFunction TColorManager::ReduceFunction(bool withGamma) const
{
    bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
    if (withGamma)
        return swap ? &TColorManager::ComponentSwapScaleGammaConvert : &TColorManager::ComponentScaleGammaConvert;
    return swap ? &TColorManager::ComponentSwapScaleConvert : &TColorManager::ComponentScaleConvert;
}

void TColorManager::RowConvertRGB(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask,
                                  bool reverse)
{
    bool sourceAlpha = SourceOptions.Contains(TConvertOption::coAlpha);
    bool targetAlpha = TargetOptions.Contains(TConvertOption::coAlpha);
    bool copyAlpha = sourceAlpha && targetAlpha;
    bool planar = source.size() > 1;
    if (planar && source.size() < (copyAlpha ? 4u : 3u))
        return;
    uint32_t sourceStride = planar ? 1 : sourceAlpha ? 4 : 3;
    uint32_t targetStride = targetAlpha ? 4 : 3;
    bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
    bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);

    // For each target slot, the plane (or the sample offset inside an interleaved pixel).
    const uint8_t* planes[4];
    uint32_t offsets[4];
    for (uint32_t c = 0; c < 4; ++c) {
        uint32_t from = c < 3 && reverse ? 2 - c : c;
        planes[c] = planar ? (from < source.size() ? source[from] : nullptr) : source[0];
        offsets[c] = planar ? 0 : from;
    }
    uint32_t channels = copyAlpha ? 4 : 3;

    if (FSourceBPS == 8 && FTargetBPS == 8) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < channels; ++c) {
                uint8_t v = planes[c][s * sourceStride + offsets[c]];
                target[x * targetStride + c] = c < 3 && gamma ? FGammaTable[v] : v;
            }
        });
    } else if (FSourceBPS == 16 && FTargetBPS == 8) {
        TComponentFunction colour = ReduceFunction(gamma);
        TComponentFunction alpha = ReduceFunction(false);
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < channels; ++c) {
                uint16_t v = Read16(planes[c], s * sourceStride + offsets[c]);
                target[x * targetStride + c] = static_cast<uint8_t>((this->*(c < 3 ? colour : alpha))(v));
            }
        });
    } else if (FSourceBPS == 8 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < channels; ++c) {
                uint8_t v = planes[c][s * sourceStride + offsets[c]];
                uint16_t wide = MulDiv16(c < 3 && gamma ? FGammaTable[v] : v, 65535, 255);
                Write16(target, x * targetStride + c, swap ? ComponentSwapConvert(wide) : wide);
            }
        });
    } else if (FSourceBPS == 16 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < channels; ++c) {
                uint16_t v = Read16(planes[c], s * sourceStride + offsets[c]);
                Write16(target, x * targetStride + c, swap ? ComponentSwapConvert(v) : v);
            }
        });
    }
}

void TColorManager::RowConvertGray(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask)
{
    const uint8_t* s = source[0];
    uint32_t stride = SourceOptions.Contains(TConvertOption::coAlpha) ? 2 : 1;
    bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
    if (FSourceBPS == 8 && FTargetBPS == 8) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) { target[x] = s[i * stride]; });
    } else if (FSourceBPS == 8 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) { Write16(target, x, MulDiv16(s[i * stride], 65535, 255)); });
    } else if (FSourceBPS == 16 && FTargetBPS == 8) {
        TComponentFunction reduce = ReduceFunction(false);
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) {
            target[x] = static_cast<uint8_t>((this->*reduce)(Read16(s, i * stride)));
        });
    } else if (FSourceBPS == 16 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) {
            uint16_t v = Read16(s, i * stride);
            Write16(target, x, swap ? ComponentSwapConvert(v) : v);
        });
    }
}

void TColorManager::RowConvertIndexed8(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask)
{
    if (FSourceBPS == FTargetBPS && mask == 0xFF) {
        std::memcpy(target, source[0], (static_cast<size_t>(FSourceBPS) * count + 7) / 8);
        return;
    }
    TBitReader reader(source[0], FSourceBPS);
    uint16_t sourceMax = MaxValue(FSourceBPS), targetMax = MaxValue(FTargetBPS);
    ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t) {
        WritePacked(target, x, FTargetBPS, MulDiv16(reader.Next(), targetMax, sourceMax));
    });
}

int TColorManager::GetPixelFormat(bool target) const
{
    uint8_t samples = target ? FTargetSPP : FSourceSPP;
    uint8_t bits = target ? FTargetBPS : FSourceBPS;
    switch (samples) {
    case 1:
        if (bits == 1)
            return 1;
        if (bits >= 2 && bits <= 4)
            return 4;
        if (bits >= 8)
            return 8;
        return 0;
    case 3:
        return bits <= 5 ? 15 : 24;
    case 4:
        return bits >= 8 ? 32 : 0;
    default:
        return 0;
    }
}

TRawPalette TColorManager::CreateColorPalette(std::span<const void* const> data, TRawPaletteFormat format,
                                              uint32_t colorCount, bool reversedOrder) const
{
    using enum TRawPaletteFormat;
    bool wide = format >= pfInterlaced16Triple;
    bool planar = format == pfPlane8Triple || format == pfPlane8Quad || format == pfPlane16Triple || format == pfPlane16Quad;
    bool quad = format == pfInterlaced8Quad || format == pfInterlaced16Quad;
    bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
    TComponentFunction convert = wide ? ReduceFunction(gamma)
                                      : gamma ? &TColorManager::ComponentGammaConvert : &TColorManager::ComponentNoConvert;
    // The first of three interleaved samples is red unless the order flag says otherwise (reversed meaning for 16 bits).
    bool redFirst = planar || (wide ? reversedOrder : !reversedOrder);

    auto sampleAt = [&](uint32_t component, uint32_t entry) -> uint16_t {
        const uint8_t* base = static_cast<const uint8_t*>(data[planar ? component : 0]);
        uint32_t index = planar ? entry : entry * (quad ? 4 : 3) + component;
        return wide ? Read16(base, index) : base[index];
    };

    uint32_t entries = std::min<uint32_t>(colorCount, 256);
    TRawPalette palette(entries);
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t first = static_cast<uint8_t>((this->*convert)(sampleAt(0, i)));
        uint8_t green = static_cast<uint8_t>((this->*convert)(sampleAt(1, i)));
        uint8_t last = static_cast<uint8_t>((this->*convert)(sampleAt(2, i)));
        palette[i] = redFirst ? TPaletteEntry{first, green, last} : TPaletteEntry{last, green, first};
    }

    // Spread to the target depth so that converted indices (0, 5, 10, 15 for 2 bits in 4) find
    // their colours; entries the data does not give count as black.
    if (FTargetBPS <= 8 && FSourceBPS != FTargetBPS) {
        uint32_t spread = 1u << FTargetBPS;
        TRawPalette spreadPalette(spread);
        for (uint32_t i = 0; i < spread; ++i) {
            uint32_t from = MulDiv16(static_cast<uint16_t>(i), MaxValue(FSourceBPS), MaxValue(FTargetBPS));
            if (from < palette.size())
                spreadPalette[i] = palette[from];
        }
        palette = std::move(spreadPalette);
    }
    return palette;
}

TRawPalette TColorManager::CreateGrayscalePalette(bool minimumIsWhite) const
{
    uint32_t entries = 1u << std::min(FTargetBPS * FTargetSPP, 8);
    uint32_t step = 255 / (entries - 1);
    bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
    TRawPalette palette(entries);
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t level = static_cast<uint8_t>(i * step);
        if (gamma)
            level = FGammaTable[level];
        palette[minimumIsWhite ? entries - 1 - i : i] = {level, level, level};
    }
    return palette;
}

}  // namespace skin
