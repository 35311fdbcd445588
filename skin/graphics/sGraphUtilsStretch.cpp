// The filtered resampler and the Gaussian blur of glow masks.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelCopy.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

namespace {

// One tap of a resampling weight list: the sample's byte offset in its line and its weight in 16.16.
struct TTap {
    ptrdiff_t Offset;
    int Weight;
};
using TWeightList = std::vector<std::vector<TTap>>;

double Support(TFilterType Filter)
{
    switch (Filter) {
    case TFilterType::ftBox: return 0.51;
    case TFilterType::ftTriangle:
    case TFilterType::ftHermite: return 1;
    case TFilterType::ftBell: return 1.5;
    case TFilterType::ftLanczos3: return 3;
    case TFilterType::ftSpline:
    case TFilterType::ftMitchell: return 2;
    }
    return 1;
}

// The filter at the scaled distance x >= 0; signedX is the signed scaled distance (centre minus tap).
double FilterValue(TFilterType Filter, double x, double signedX)
{
    using std::numbers::pi;
    switch (Filter) {
    case TFilterType::ftBox: return x <= 0.5 && signedX != -0.5 ? 1 : 0;
    case TFilterType::ftTriangle: return 1 - x;
    case TFilterType::ftHermite: return x * x * (2 * x - 3) + 1;
    case TFilterType::ftBell: return x < 0.5 ? 0.75 - x * x : 0.5 * (x - 1.5) * (x - 1.5);
    case TFilterType::ftSpline: return x < 1 ? x * x * (x / 2 - 1) + 2.0 / 3 : (2 - x) * (2 - x) * (2 - x) / 6;
    case TFilterType::ftLanczos3: return x == 0 ? 1 : std::sin(pi * x) * std::sin(x) / (pi * x * x);
    case TFilterType::ftMitchell:
        return x < 1 ? x * x * (7.0 / 6 * x - 2) + 8.0 / 9 : x * x * (-7.0 / 18 * x + 2) - 10.0 / 3 * x + 16.0 / 9;
    }
    return 0;
}

// The weights that resample n samples (Step bytes apart) to m. Taps beyond the edges are mirrored
// back and then held inside the samples, so a wide filter on a short line reads no further.
TWeightList MakeWeights(int n, int m, TFilterType Filter, ptrdiff_t Step)
{
    const float scale = m < n ? float(m) / float(n) : 1.0f;
    const float support = float(Support(Filter));
    const float width = support / scale;
    auto list = TWeightList(size_t(m));
    for (int i = 0; i < m; ++i) {
        const float centre = float(n) * float(i) / float(m);
        for (int j = int(std::floor(centre - width)); j <= int(std::ceil(centre + width)); ++j) {
            const float x = std::fabs(centre - float(j)) * scale;
            if (!(x < support))
                continue;
            const double f = FilterValue(Filter, x, (centre - float(j)) * scale);
            if (f == 0)
                continue;
            int source = j < 0 ? -j : j >= n ? 2 * n - 1 - j : j;
            source = std::clamp(source, 0, n - 1);
            list[size_t(i)].push_back({source * Step, int(vcl::Round(f * scale * 65536))});
        }
    }
    return list;
}

uint8_t Apply(const std::vector<TTap>& taps, const uint8_t* line)
{
    int64_t sum = 0;
    for (const TTap& t : taps)
        sum += int64_t(t.Weight) * line[t.Offset];
    return sum < 0 ? 0 : sum <= 0xFF0000 ? uint8_t(sum >> 16) : 255;
}

// Pixels of PixelBytes bytes in rows: a 32-bit view, or the rows of a 24-bit bitmap.
struct TRawImage {
    uint8_t* Bits;
    ptrdiff_t Stride;
    int Width;
    int Height;
    int PixelBytes;

    uint8_t* Row(int y) const { return Bits + y * Stride; }
};

// The rows of Src resampled to Width: a work image of Width x Src.Height.
std::vector<uint8_t> ResampleRows(const TRawImage& Src, int Width, TFilterType Filter)
{
    const int bytes = Src.PixelBytes;
    std::vector<uint8_t> work(size_t(Width) * size_t(bytes) * size_t(Src.Height));
    const TWeightList across = MakeWeights(Src.Width, Width, Filter, bytes);
    for (int y = 0; y < Src.Height; ++y) {
        const uint8_t* line = Src.Row(y);
        uint8_t* out = work.data() + size_t(y) * size_t(Width) * size_t(bytes);
        for (int x = 0; x < Width; ++x)
            for (int c = 0; c < bytes; ++c)
                out[x * bytes + c] = Apply(across[size_t(x)], line + c);
    }
    return work;
}

// The columns of the work image (Dst.Width x SrcHeight) resampled into Dst.
void ResampleColumns(const std::vector<uint8_t>& work, int SrcHeight, const TRawImage& Dst, TFilterType Filter)
{
    const int bytes = Dst.PixelBytes;
    const ptrdiff_t workStride = ptrdiff_t(Dst.Width) * bytes;
    const TWeightList down = MakeWeights(SrcHeight, Dst.Height, Filter, workStride);
    for (int x = 0; x < Dst.Width; ++x)
        for (int y = 0; y < Dst.Height; ++y) {
            uint8_t* out = Dst.Row(y) + x * bytes;
            for (int c = 0; c < bytes; ++c)
                out[c] = Apply(down[size_t(y)], work.data() + x * bytes + c);
        }
}

void RefuseTooSmall(int Width, int Height)
{
    if (Width < 2 || Height < 2)
        throw vcl::Exception(L"Source bitmap is too small");
}

TRawImage RawOf(const TPixelView& v) { return {v.Bits, v.Stride, v.Width, v.Height, 4}; }

}  // namespace

void Stretch(const TPixelView& Src, const TPixelView& Dst, TFilterType Filter)
{
    if (Dst.IsEmpty())
        return;
    RefuseTooSmall(Src.Bits ? Src.Width : 0, Src.Height);
    if (Dst.Width == Src.Width && Dst.Height == Src.Height) {
        if (Dst.Bits != Src.Bits)
            px::CopyPixels(Dst, 0, 0, Src, Src.Bounds());
        return;
    }
    ResampleColumns(ResampleRows(RawOf(Src), Dst.Width, Filter), Src.Height, RawOf(Dst), Filter);
}

void Stretch(vcl::TBitmap* Src, vcl::TBitmap* Dst, int Width, int Height, TFilterType Filter)
{
    if (Width <= 0 || Height <= 0)
        return;
    RefuseTooSmall(Src->Width(), Src->Height());
    if (Src->PixelFormat() != vcl::TPixelFormat::pf32bit)
        Src->SetPixelFormat(vcl::TPixelFormat::pf24bit);
    if (Width == Src->Width() && Height == Src->Height()) {
        if (Dst != Src)
            Dst->Assign(Src);
        return;
    }
    const int bytes = Src->PixelFormat() == vcl::TPixelFormat::pf32bit ? 4 : 3;
    const auto raw = [bytes](vcl::TBitmap* b) {
        const TBitmapRows rows = RowsOf(b);
        return TRawImage{rows.Bits, rows.Stride, b->Width(), b->Height(), bytes};
    };
    const int srcHeight = Src->Height();
    const std::vector<uint8_t> work = ResampleRows(raw(Src), Width, Filter);
    Dst->SetPixelFormat(Src->PixelFormat());
    Dst->SetSize(Width, Height);
    ResampleColumns(work, srcHeight, raw(Dst), Filter);
}

namespace {

// The kernel's weights are whole multiples of 2^-40 that add up to exactly 1, so a weighted sum of
// bytes is an exact integer multiple of 2^-40 in double precision: a constant line gives that very
// constant back, and truncation never drops a level the sum was worth.
constexpr double KernelUnit = 0x1p40;

// The Gaussian kernel of a radius (in single precision, as the blur has always been drawn), cut where
// its tails add up to less than half a grey level, then as whole units of KernelUnit.
std::vector<double> GaussKernel(double Radius)
{
    constexpr int Reach = 100;
    std::vector<float> w(2 * Reach + 1);
    double sum = 0;
    for (int j = -Reach; j <= Reach; ++j) {
        const double d = j / Radius;
        sum += w[size_t(j + Reach)] = float(std::exp(-d * d / 2));
    }
    for (float& v : w)
        v = float(v / sum);
    int span = Reach;
    for (double tails = 0; tails < 1.0 / 510 && span > 1; --span)
        tails += 2.0 * w[size_t(span + Reach)];
    sum = 0;
    for (int k = -span; k <= span; ++k)
        sum += w[size_t(k + Reach)];
    // Symmetric units for the tails; the centre takes what is left of the whole.
    std::vector<double> kernel(size_t(2 * span + 1));
    double tails = 0;
    for (int k = 1; k <= span; ++k) {
        const double units = std::nearbyint(w[size_t(k + Reach)] / sum * KernelUnit);
        kernel[size_t(span - k)] = kernel[size_t(span + k)] = units;
        tails += 2 * units;
    }
    kernel[size_t(span)] = KernelUnit - tails;
    return kernel;
}

// Blurs n bytes Step apart in place through a scratch line: the exact weighted sum, truncated.
void BlurLine(uint8_t* line, int n, ptrdiff_t Step, const std::vector<double>& kernel, std::vector<uint8_t>& scratch)
{
    const int span = int(kernel.size() / 2);
    scratch.resize(size_t(n));
    for (int j = 0; j < n; ++j) {
        double sum = 0;
        for (int k = -span; k <= span; ++k)
            sum += kernel[size_t(k + span)] * line[std::clamp(j - k, 0, n - 1) * Step];
        scratch[size_t(j)] = uint8_t(std::trunc(sum / KernelUnit));
    }
    for (int j = 0; j < n; ++j)
        line[j * Step] = scratch[size_t(j)];
}

}  // namespace

void Blur8(vcl::TBitmap* Bmp, double Radius) { Blur8(BytesOf(Bmp), Radius); }

void Blur8(const TBytePixelView& Bmp, double Radius)
{
    if (!Bmp.Bits || Bmp.Width <= 0 || Bmp.Height <= 0 || !(Radius > 0))
        return;
    const std::vector<double> kernel = GaussKernel(Radius);
    std::vector<uint8_t> scratch;
    for (int y = 0; y < Bmp.Height; ++y)
        BlurLine(Bmp.Row(y), Bmp.Width, 1, kernel, scratch);
    for (int x = 0; x < Bmp.Width; ++x)
        BlurLine(Bmp.Row(0) + x, Bmp.Height, Bmp.Stride, kernel, scratch);
}

}  // namespace skin
