// PNG decoding benchmark: our reader, as the skin loads its images (a new TPNGGraphic loaded from a
// memory stream), against libpng decoding the same in-memory files into the layout our reader
// gives (B, G, R order, palette indices, 16-bit samples reduced to 8). Both decode into a new image
// and release it. First every file is decoded once by both and the pixels compared; then each set
// is timed, our pass and libpng's in turn, and the medians per image are printed with their ratio.
// With --stages it times instead the parts of our load (PrintStages).
// Run from the folder that holds bench.txt (tools/bench.sh does): png_bench [--runs N] [--stages]
#include "skin/graphics/acPNG.h"
#include "skin/graphics/acStreamBytes.h"
#include "vcl/classes.h"

#include <png.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vcl::TObjectPtr;

constexpr int kWarmUpPasses = 3;
constexpr double kSecondsPerSet = 1.5;  // for each decoder, unless --runs says otherwise
constexpr int kMinRuns = 15, kMaxRuns = 301;
constexpr int kStageRuns = 31;  // of each stage with --stages

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "png_bench: %s\n", message.c_str());
    std::exit(1);
}

struct TFile {
    std::string Name;
    std::vector<uint8_t> Bytes;
    TObjectPtr<vcl::TMemoryStream> Stream;  // the same bytes, for our reader
};

struct TSet {
    std::string Label;
    std::vector<TFile> Files;
};

TFile ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        Fail("cannot read " + name);
    TFile file{name, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), nullptr};
    file.Stream.reset(vcl::Create<vcl::TMemoryStream>());
    file.Stream->WriteBuffer(file.Bytes.data(), int64_t(file.Bytes.size()));
    return file;
}

// bench.txt: one line per set, "label: file file ...".
std::vector<TSet> ReadSets()
{
    std::ifstream list("bench.txt");
    if (!list)
        Fail("no bench.txt in the current folder");
    std::vector<TSet> sets;
    std::string line;
    while (std::getline(list, line)) {
        const size_t colon = line.find(": ");
        if (colon == std::string::npos)
            continue;
        TSet set{line.substr(0, colon), {}};
        std::istringstream names(line.substr(colon + 2));
        std::string name;
        while (names >> name)
            set.Files.push_back(ReadFile(name));
        sets.push_back(std::move(set));
    }
    return sets;
}

// --- our reader ---

TObjectPtr<skin::TPNGGraphic> DecodeOurs(const TFile& file)
{
    file.Stream->SetPosition(0);
    TObjectPtr<skin::TPNGGraphic> image(vcl::Create<skin::TPNGGraphic>());
    image->LoadFromStream(file.Stream.get());
    return image;
}

using TRGBA = std::array<uint8_t, 4>;

// R, G, B, A of every pixel as our bitmap shows it, rows top down.
std::vector<TRGBA> ShownPixels(skin::TPNGGraphic* image)
{
    const int bits = vcl::BitsPerPixel(image->PixelFormat());
    std::array<PALETTEENTRY, 256> palette{};
    if (bits <= 8)
        GetPaletteEntries(image->Palette(), 0, 256, palette.data());
    std::vector<TRGBA> pixels;
    for (int y = 0; y < image->Height(); ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(image->ScanLine(y));
        for (int x = 0; x < image->Width(); ++x) {
            if (bits > 8) {
                const uint8_t* p = row + x * (bits / 8);
                pixels.push_back({p[2], p[1], p[0], bits == 32 ? p[3] : uint8_t(255)});
            } else {
                const int bit = x * bits;
                const PALETTEENTRY& e = palette[(row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1)];
                pixels.push_back({e.peRed, e.peGreen, e.peBlue, 255});
            }
        }
    }
    return pixels;
}

// --- libpng ---

struct TMemoryReader {
    const uint8_t* Data;
    size_t Size;
    size_t Position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<TMemoryReader*>(png_get_io_ptr(png));
    if (count > reader->Size - reader->Position)
        png_error(png, "read past the end of the file");
    std::memcpy(out, reader->Data + reader->Position, count);
    reader->Position += count;
}

[[noreturn]] void OnLibpngError(png_structp, png_const_charp message)
{
    Fail(std::string("libpng: ") + message);
}

void OnLibpngWarning(png_structp, png_const_charp) {}

struct TLibpngImage {
    uint32_t Width = 0, Height = 0;
    size_t Stride = 0;
    std::unique_ptr<uint8_t[]> Pixels;
};

enum class TLayout {
    Bitmap,  // what our reader gives: B, G, R (, A), palette indices, 16-bit samples reduced to 8
    Check,   // R, G, B, A of every pixel, 16-bit samples kept for our reduction rule
};

TLibpngImage DecodeWithLibpng(const TFile& file, TLayout layout)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnLibpngError, OnLibpngWarning);
    png_infop info = png_create_info_struct(png);
    TMemoryReader reader{file.Bytes.data(), file.Bytes.size(), 0};
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (layout == TLayout::Bitmap) {
        if (png_get_color_type(png, info) & PNG_COLOR_MASK_COLOR)
            png_set_bgr(png);
        if (depth == 16)
            png_set_scale_16(png);
    } else {
        png_set_expand(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, depth == 16 ? 0xFFFF : 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    TLibpngImage image;
    image.Width = png_get_image_width(png, info);
    image.Height = png_get_image_height(png, info);
    image.Stride = png_get_rowbytes(png, info);
    image.Pixels.reset(new uint8_t[image.Stride * image.Height]);
    std::vector<png_bytep> rows(image.Height);
    for (uint32_t y = 0; y < image.Height; ++y)
        rows[y] = image.Pixels.get() + y * image.Stride;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

// libpng's pixels as our reader must show them: 16-bit samples become v * 255 div 65535.
std::vector<TRGBA> ExpectedPixels(const TFile& file)
{
    const TLibpngImage image = DecodeWithLibpng(file, TLayout::Check);
    const size_t sampleBytes = image.Stride / (size_t(image.Width) * 4);
    std::vector<TRGBA> pixels;
    for (uint32_t y = 0; y < image.Height; ++y)
        for (uint32_t x = 0; x < image.Width; ++x) {
            const uint8_t* p = image.Pixels.get() + y * image.Stride + x * 4 * sampleBytes;
            TRGBA pixel;
            for (size_t c = 0; c < 4; ++c)
                pixel[c] = sampleBytes == 2 ? uint8_t((p[2 * c] << 8 | p[2 * c + 1]) * 255u / 65535u) : p[c];
            pixels.push_back(pixel);
        }
    return pixels;
}

void CheckSamePixels(const TFile& file)
{
    TObjectPtr<skin::TPNGGraphic> ours = DecodeOurs(file);
    const std::vector<TRGBA> got = ShownPixels(ours.get());
    const std::vector<TRGBA> expected = ExpectedPixels(file);
    if (got.size() != expected.size())
        Fail(file.Name + ": our image has " + std::to_string(got.size()) + " pixels, libpng's " +
             std::to_string(expected.size()));
    const auto wrong = std::mismatch(got.begin(), got.end(), expected.begin());
    if (wrong.first != got.end()) {
        const size_t i = size_t(wrong.first - got.begin());
        auto text = [](const TRGBA& p) {
            return std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]) + " " +
                   std::to_string(p[3]);
        };
        Fail(file.Name + ": pixel (" + std::to_string(i % size_t(ours->Width())) + ", " +
             std::to_string(i / size_t(ours->Width())) + ") is " + text(*wrong.first) + " with our reader, " +
             text(*wrong.second) + " with libpng");
    }
}

// --- timing ---

double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / frequency;
}

// Seconds per image of one pass over the set.
template <typename Decode>
double Pass(const TSet& set, Decode decode)
{
    const double start = Seconds();
    for (const TFile& file : set.Files)
        decode(file);
    return (Seconds() - start) / double(set.Files.size());
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct TResult {
    double Ours, Libpng;
    int Runs;
};

TResult Measure(const TSet& set, int runs)
{
    auto ours = [](const TFile& file) { DecodeOurs(file); };
    auto libpng = [](const TFile& file) { DecodeWithLibpng(file, TLayout::Bitmap); };
    double slower = 0;
    for (int i = 0; i < kWarmUpPasses; ++i)
        slower = std::max({slower, Pass(set, ours), Pass(set, libpng)});
    if (runs <= 0) {
        const double passSeconds = slower * double(set.Files.size());
        runs = std::clamp(int(kSecondsPerSet / std::max(passSeconds, 1e-9)), kMinRuns, kMaxRuns) | 1;
    }
    std::vector<double> oursTimes, libpngTimes;
    for (int i = 0; i < runs; ++i) {
        oursTimes.push_back(Pass(set, ours));
        libpngTimes.push_back(Pass(set, libpng));
    }
    return {Median(oursTimes), Median(libpngTimes), runs};
}

// --- where our time goes (--stages) ---

// The rows of an image in plain memory, as the reader's core writes them.
class TMemoryTarget : public skin::TPNGTarget {
public:
    void Clear() override { FBits = 0; }
    bool HasPixelFormat() override { return FBits != 0; }
    void SetPixelFormat(int bitsPerPixel) override { FBits = bitsPerPixel; }
    void SetPalette(const skin::TRawPalette&) override {}
    void SetSize(uint32_t width, uint32_t height) override
    {
        FStride = (size_t(width) * size_t(FBits) + 31) / 32 * 4;
        FPixels.reset(new uint8_t[FStride * height]);
    }
    void SetTransparentColor(uint32_t) override {}
    uint8_t* ScanLine(uint32_t row) override { return FPixels.get() + row * FStride; }
    void Progress(skin::TPNGProgress, const skin::TPNGRect&, const char*) override {}

private:
    int FBits = 0;
    size_t FStride = 0;
    std::unique_ptr<uint8_t[]> FPixels;
};

// The reader's core alone: chunks, inflation, filters and conversion into plain memory.
void DecodeCore(const TFile& file)
{
    file.Stream->SetPosition(0);
    skin::TStreamBytes bytes(file.Stream.get());
    skin::TColorManager colours;
    TMemoryTarget target;
    skin::TImageProperties properties;
    skin::TPNGReader(bytes, colours, target, properties).Load();
}

// The load as the skin takes its images: decoded, then copied into a bitmap of its own (a DIB section).
void DecodeAndCopy(const TFile& file)
{
    vcl::TBitmap copy;
    copy.Assign(DecodeOurs(file).get());
}

void PrintStages(const std::vector<TSet>& sets, int runs)
{
    std::printf("Where our time goes, per image (medians of %d runs): the reader's core into plain memory,\n"
                "the load timed above, and the load with a copy into a bitmap, as the skin takes its images.\n\n",
                runs);
    std::printf("%-28s %12s %12s %12s\n", "set", "core (us)", "load (us)", "+ copy (us)");
    for (const TSet& set : sets) {
        auto median = [&](auto stage) {
            std::vector<double> times;
            for (int i = 0; i < runs; ++i)
                times.push_back(Pass(set, stage));
            return Median(times) * 1e6;
        };
        const double core = median(DecodeCore);
        const double load = median([](const TFile& file) { DecodeOurs(file); });
        std::printf("%-28s %12.1f %12.1f %12.1f\n", set.Label.c_str(), core, load, median(DecodeAndCopy));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 0;
    bool stages = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (std::string(argv[i]) == "--stages")
            stages = true;
        else
            Fail(std::string("unknown argument ") + argv[i] + " (png_bench [--runs N] [--stages])");
    }
    const std::vector<TSet> sets = ReadSets();
    if (stages) {
        PrintStages(sets, runs > 0 ? runs : kStageRuns);
        return 0;
    }
    size_t files = 0;
    for (const TSet& set : sets)
        for (const TFile& file : set.Files) {
            CheckSamePixels(file);
            ++files;
        }
    std::printf("PNG decoding: our reader against libpng %s; the same pixels in all %zu files.\n",
                png_get_libpng_ver(nullptr), files);
    std::printf("Times per image, medians of the runs after %d warm-up passes.\n\n", kWarmUpPasses);
    std::printf("%-28s %6s %12s %12s %8s\n", "set", "runs", "ours (us)", "libpng (us)", "ratio");
    double logSum = 0;
    for (const TSet& set : sets) {
        const TResult r = Measure(set, runs);
        const double ratio = r.Ours / r.Libpng;
        logSum += std::log(ratio);
        std::printf("%-28s %6d %12.1f %12.1f %8.2f\n", set.Label.c_str(), r.Runs, r.Ours * 1e6, r.Libpng * 1e6,
                    ratio);
        std::fflush(stdout);
    }
    std::printf("%-28s %6s %12s %12s %8.2f\n", "geometric mean", "", "", "", std::exp(logSum / double(sets.size())));
    return 0;
}
