#include "acColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <optional>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

struct TPixelSteps {
    uint32_t First, Step;
};

// The pixels a mask selects as a first pixel and a step, when they lie at even steps that go
// on across the mask's repetitions (as the pixels of every interlace pass do).
std::optional<TPixelSteps> EvenSteps(uint8_t mask)
{
    if (mask == 0)
        return std::nullopt;
    uint32_t first = 0;
    while (!(mask & 0x80 >> first))
        ++first;
    for (uint32_t step : {1u, 2u, 4u, 8u}) {
        uint8_t even = 0;
        for (uint32_t x = first; x < 8; x += step)
            even = static_cast<uint8_t>(even | 0x80 >> x);
        if (even == mask && first < step)
            return TPixelSteps{first, step};
    }
    return std::nullopt;
}

// Calls write(targetPixel, sourcePixel) for every target pixel the mask selects:
// the mask's bit 0x80 stands for pixel 0 and it rotates right by one per pixel;
// the source advances only for written pixels.
template <typename Write>
void ForSelectedPixels(uint32_t count, uint8_t mask, Write write)
{
    if (std::optional<TPixelSteps> steps = EvenSteps(mask)) {
        uint32_t source = 0;
        for (uint32_t x = steps->First; x < count; x += steps->Step)
            write(x, source++);
        return;
    }
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

struct TGammaKey {
    float MainGamma, DisplayGamma;
    uint8_t Last, Top;
    bool operator==(const TGammaKey&) const = default;
};

// Entry i (0..Last) = the nearest integer to (i / Last)^(1 / (main * display)) * Top, ties to even.
TGammaTable BuildGammaTable(const TGammaKey& key)
{
    TGammaTable table{};
    double exponent = 1.0 / (static_cast<double>(key.MainGamma) * static_cast<double>(key.DisplayGamma));
    for (int i = 0; i <= key.Last; ++i)
        table[i] = static_cast<uint8_t>(std::nearbyint(std::pow(i / static_cast<double>(key.Last), exponent) * key.Top));
    return table;
}

// Gamma tables already built. Few gamma values occur (most files give none, or 1/2.2), so the
// images of one gamma share a table; the most recent few are kept.
TGammaTable CachedGammaTable(const TGammaKey& key)
{
    struct TEntry {
        TGammaKey Key;
        TGammaTable Table;
    };
    constexpr size_t kKept = 8;
    static std::mutex mutex;
    static std::vector<TEntry> entries;
    std::lock_guard lock(mutex);
    auto found = std::find_if(entries.begin(), entries.end(), [&](const TEntry& e) { return e.Key == key; });
    if (found != entries.end())
        return found->Table;
    if (entries.size() == kKept)
        entries.erase(entries.begin());
    entries.push_back({key, BuildGammaTable(key)});
    return entries.back().Table;
}

// Where the samples of a row of the RGB family lie, per target slot (B, G, R and alpha in the
// reversed order): the plane of the slot (the row itself when interleaved) and the sample's
// offset inside an interleaved pixel.
struct TRGBLayout {
    const uint8_t* Planes[4];
    uint32_t Offsets[4];
    uint32_t SourceStride, TargetStride;
    uint32_t Channels;  // 4 when alpha is copied
    bool Planar;
};

// Colour samples as they are.
struct TKeepSample {
    uint8_t operator()(uint8_t v) const { return v; }
};

// R, G, B, A to B, G, R, A: the outer bytes of each 32-bit pixel change places.
void SwapRedBlue32(const uint8_t* s, uint8_t* t, uint32_t count)
{
    uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i greenAlpha = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
    for (; x + 4 <= count; x += 4, s += 16, t += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        __m128i redBlue = _mm_andnot_si128(greenAlpha, v);
        redBlue = _mm_or_si128(_mm_slli_epi32(redBlue, 16), _mm_srli_epi32(redBlue, 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t), _mm_or_si128(_mm_and_si128(v, greenAlpha), redBlue));
    }
#endif
    for (; x < count; ++x, s += 4, t += 4) {
        uint32_t v;
        std::memcpy(&v, s, 4);
        v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
        std::memcpy(t, &v, 4);
    }
}

// R, G, B to B, G, R. Through the vector registers five pixels at a time: every third byte moves
// two places up, the one two places above it two places down. Each step reads and writes 16
// bytes, the last of which the next step writes again, so it runs while six pixels remain.
void SwapRedBlue24(const uint8_t* s, uint8_t* t, uint32_t count)
{
    uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i green = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
    const __m128i lower = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
    const __m128i upper = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
    for (; x + 6 <= count; x += 5, s += 15, t += 15) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i moved = _mm_or_si128(_mm_and_si128(_mm_slli_si128(v, 2), upper),
                                           _mm_and_si128(_mm_srli_si128(v, 2), lower));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t), _mm_or_si128(_mm_and_si128(v, green), moved));
    }
#endif
    for (; x < count; ++x, s += 3, t += 3) {
        const uint8_t red = s[0];
        t[0] = s[2];
        t[1] = s[1];
        t[2] = red;
    }
}

// Every pixel of an interleaved row, with as many samples per pixel on both sides.
template <uint32_t Stride, typename Map>
void ConvertWholeRGB8(const TRGBLayout& l, uint8_t* t, uint32_t count, Map map)
{
    const uint8_t* s = l.Planes[0];
    const uint32_t first = l.Offsets[0], last = l.Offsets[2];
    if constexpr (std::is_same_v<Map, TKeepSample>) {
        if (first == 2) {
            if constexpr (Stride == 4)
                SwapRedBlue32(s, t, count);
            else
                SwapRedBlue24(s, t, count);
            return;
        }
    }
    for (uint32_t x = 0; x < count; ++x, s += Stride, t += Stride) {
        uint8_t a = map(s[first]), g = map(s[1]), b = map(s[last]);
        t[0] = a;
        t[1] = g;
        t[2] = b;
        if constexpr (Stride == 4)
            t[3] = s[3];
    }
}

// The pixels the mask selects, from samples of type Sample (8 or 16 bits) to 8-bit ones: the
// colour through colour, alpha through alpha.
template <typename Sample, typename Colour, typename Alpha>
void ConvertRGBTo8(const TRGBLayout& l, uint8_t* target, uint32_t count, uint8_t mask, Colour colour, Alpha alpha)
{
    auto sample = [&](uint32_t c, uint32_t i) -> Sample {
        uint32_t index = i * l.SourceStride + l.Offsets[c];
        if constexpr (sizeof(Sample) == 2)
            return Read16(l.Planes[c], index);
        else
            return l.Planes[c][index];
    };
    ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) {
        uint8_t* t = target + x * l.TargetStride;
        for (uint32_t c = 0; c < 3; ++c)
            t[c] = colour(sample(c, i));
        if (l.Channels == 4)
            t[3] = alpha(sample(3, i));
    });
}

// 8-bit samples to 8-bit samples, the colour through map and alpha as it is.
template <typename Map>
void ConvertRGB8(const TRGBLayout& l, uint8_t* target, uint32_t count, uint8_t mask, Map map)
{
    if (!l.Planar && mask == 0xFF && l.SourceStride == l.TargetStride) {
        if (l.SourceStride == 4)
            ConvertWholeRGB8<4>(l, target, count, map);
        else
            ConvertWholeRGB8<3>(l, target, count, map);
        return;
    }
    ConvertRGBTo8<uint8_t>(l, target, count, mask, map, TKeepSample());
}

// A 16-bit sample, stored big-endian when Swap, reduced to 8 bits by v * 255 div 65535.
template <bool Swap>
uint8_t ReduceSample(uint16_t v)
{
    if constexpr (Swap)
        v = static_cast<uint16_t>(v << 8 | v >> 8);
    return static_cast<uint8_t>(MulDiv16(v, 255, 65535));
}

// A whole row of big-endian 16-bit samples reduced to 8 bits: v * 255 div 65535 is v div 257, which
// is (v * 0xFF01) >> 24 for every 16-bit v, eight samples at a time through the vector registers.
void ReduceBigEndianRow(const uint8_t* s, uint8_t* t, uint32_t count)
{
    uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i by257 = _mm_set1_epi16(static_cast<short>(0xFF01));
    auto reduce = [&](const uint8_t* p) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i swapped = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
        return _mm_srli_epi16(_mm_mulhi_epu16(swapped, by257), 8);
    };
    for (; x + 16 <= count; x += 16)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t + x), _mm_packus_epi16(reduce(s + 2 * x), reduce(s + 2 * x + 16)));
#endif
    for (; x < count; ++x)
        t[x] = ReduceSample<true>(Read16(s, x));
}

// Calls f with the byte order of 16-bit samples as a compile-time value (true: swapped), so that
// the pixel loops do not test it.
template <typename F>
void WithByteOrder(bool swap, F f)
{
    if (swap)
        f(std::true_type());
    else
        f(std::false_type());
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
    // The table has 256 entries whatever the depths say.
    FGammaLast = static_cast<uint8_t>(FSourceBPS >= 8 ? 255 : std::min<int>(MaxValue(FTargetBPS), 255));
    FGammaTop = static_cast<uint8_t>(FTargetBPS >= 8 ? 255 : MaxValue(FTargetBPS));
    FGammaBuilt = false;
}

const TGammaTable& TColorManager::GammaTable() const
{
    if (!FGammaBuilt) {
        FGammaTable = CachedGammaTable({FMainGamma, FDisplayGamma, FGammaLast, FGammaTop});
        FGammaBuilt = true;
    }
    return FGammaTable;
}

void TColorManager::ConvertRow(std::span<const uint8_t* const> source, uint8_t* target, uint32_t count, uint8_t mask)
{
    if (FChanged)
        PrepareConversion();
    if (!FRowConversion)
        Error(kNoMethodError);
    if (TargetOptions.Contains(TConvertOption::coApplyGamma))
        GammaTable();  // the converters read the table directly
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
    TRGBLayout l;
    l.Channels = sourceAlpha && targetAlpha ? 4 : 3;
    l.Planar = source.size() > 1;
    if (l.Planar && source.size() < l.Channels)
        return;
    l.SourceStride = l.Planar ? 1 : sourceAlpha ? 4 : 3;
    l.TargetStride = targetAlpha ? 4 : 3;
    for (uint32_t c = 0; c < 4; ++c) {
        uint32_t from = c < 3 && reverse ? 2 - c : c;
        l.Planes[c] = l.Planar ? (from < source.size() ? source[from] : nullptr) : source[0];
        l.Offsets[c] = l.Planar ? 0 : from;
    }
    bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
    bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);

    if (FSourceBPS == 8 && FTargetBPS == 8) {
        if (gamma)
            ConvertRGB8(l, target, count, mask, [this](uint8_t v) { return FGammaTable[v]; });
        else
            ConvertRGB8(l, target, count, mask, TKeepSample());
    } else if (FSourceBPS == 16 && FTargetBPS == 8) {
        WithByteOrder(swap, [&](auto swapped) {
            auto reduce = [](uint16_t v) { return ReduceSample<decltype(swapped)::value>(v); };
            if (gamma)
                ConvertRGBTo8<uint16_t>(l, target, count, mask, [&](uint16_t v) { return FGammaTable[reduce(v)]; }, reduce);
            else
                ConvertRGBTo8<uint16_t>(l, target, count, mask, reduce, reduce);
        });
    } else if (FSourceBPS == 8 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < l.Channels; ++c) {
                uint8_t v = l.Planes[c][s * l.SourceStride + l.Offsets[c]];
                uint16_t wide = MulDiv16(c < 3 && gamma ? FGammaTable[v] : v, 65535, 255);
                Write16(target, x * l.TargetStride + c, swap ? ComponentSwapConvert(wide) : wide);
            }
        });
    } else if (FSourceBPS == 16 && FTargetBPS == 16) {
        ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t s) {
            for (uint32_t c = 0; c < l.Channels; ++c) {
                uint16_t v = Read16(l.Planes[c], s * l.SourceStride + l.Offsets[c]);
                Write16(target, x * l.TargetStride + c, swap ? ComponentSwapConvert(v) : v);
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
    } else if (FSourceBPS == 16 && FTargetBPS == 8 && swap && stride == 1 && mask == 0xFF) {
        ReduceBigEndianRow(s, target, count);
    } else if (FSourceBPS == 16 && FTargetBPS == 8 && swap && stride == 1 && mask == 0xFF) {
        ReduceBigEndianRow(s, target, count);
    } else if (FSourceBPS == 16 && FTargetBPS == 8) {
        WithByteOrder(swap, [&](auto swapped) {
            ForSelectedPixels(count, mask, [&](uint32_t x, uint32_t i) {
                target[x] = ReduceSample<decltype(swapped)::value>(Read16(s, i * stride));
            });
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
    if (gamma)
        GammaTable();  // the component functions read the table directly
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
            level = GammaTable()[level];
        palette[minimumIsWhite ? entries - 1 - i : i] = {level, level, level};
    }
    return palette;
}

}  // namespace skin
