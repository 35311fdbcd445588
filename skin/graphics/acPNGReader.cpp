#include "acPNGReader.h"

#include <algorithm>
#include <span>

namespace skin {

namespace {

// In the order of TPNGFault; "%s" of the messages is always "PNG".
constexpr const char* kFaultMessages[] = {
    "Cannot load image. Invalid or unexpected PNG image format.",
    "Cannot load image. The compression scheme is not supported for PNG files.",
    "Cannot load image. Palette in PNG file is invalid.",
    "Cannot load PNG image. Unexpected but critical chunk detected.",
    "Cannot load image. CRC error found in PNG file.",
    "Cannot load image. Extra compressed data found in PNG file.",
    "Cannot load image. Compression error found in PNG file.",
    "Invalid color format in PNG file.",
    "LZ77 decompression error.",
};

constexpr char kPreparing[] = "Preparing...";
constexpr char kTransfering[] = "Transfering...";

constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;

[[noreturn]] void Fail(TPNGFault kind)
{
    throw EPNGFault(kind);
}

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint16_t BigEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

// A sample of the file reduced to the 8-bit level it stands for.
uint8_t SampleLevel(uint16_t v, uint8_t bitDepth)
{
    if (bitDepth == 16)
        return static_cast<uint8_t>(v * 255u / 65535u);
    if (bitDepth >= 8)
        return static_cast<uint8_t>(v);
    uint32_t max = (1u << bitDepth) - 1;
    return static_cast<uint8_t>((v & max) * 255u / max);
}

uint32_t GreyColor(uint8_t level)
{
    return level * 0x010101u;
}

uint32_t RGBColor(const uint8_t* samples, uint8_t bitDepth)
{
    uint32_t r = SampleLevel(BigEndian16(samples), bitDepth);
    uint32_t g = SampleLevel(BigEndian16(samples + 2), bitDepth);
    uint32_t b = SampleLevel(BigEndian16(samples + 4), bitDepth);
    return r | g << 8 | b << 16;
}

// The colour set-up: how each PNG colour type is read and which bitmap it becomes.
// The target has the source's depth, 2 bits widened to 4 and 16 reduced to 8.
struct TColorSetup {
    uint8_t ColorType;
    uint32_t BitDepths;  // bit d set: depth d allowed
    TColorScheme SourceScheme;
    uint8_t SourceSamples;
    TColorScheme TargetScheme;
    uint8_t TargetSamples;
    uint8_t FilterSamples;  // samples in the bytes per pixel of the filters
    bool GreyPalette;
};

constexpr uint32_t Depths(std::initializer_list<int> depths)
{
    uint32_t mask = 0;
    for (int d : depths)
        mask |= 1u << d;
    return mask;
}

constexpr TColorSetup kColorSetups[] = {
    {0, Depths({1, 2, 4, 8, 16}), TColorScheme::csG, 1, TColorScheme::csG, 1, 1, true},
    {2, Depths({8, 16}), TColorScheme::csRGB, 3, TColorScheme::csBGR, 3, 3, false},
    {3, Depths({1, 2, 4, 8}), TColorScheme::csIndexed, 1, TColorScheme::csIndexed, 1, 1, false},
    {4, Depths({8, 16}), TColorScheme::csGA, 1, TColorScheme::csIndexed, 1, 2, true},
    {6, Depths({8, 16}), TColorScheme::csRGBA, 4, TColorScheme::csBGRA, 4, 4, false},
};

struct TPass {
    uint32_t FirstRow, RowStep, FirstColumn, ColumnStep;
    uint8_t Mask;
};

constexpr TPass kAdam7[] = {
    {0, 8, 0, 8, 0x80}, {0, 8, 4, 8, 0x08}, {4, 8, 0, 4, 0x88}, {0, 4, 2, 4, 0x22},
    {2, 4, 0, 2, 0xAA}, {0, 2, 1, 2, 0x55}, {1, 2, 0, 1, 0xFF},
};

constexpr TPass kWholeImage[] = {{0, 1, 0, 1, 0xFF}};  // not interlaced

// Images of at most this much image data are inflated in one go.
constexpr uint64_t kWholeDataLimit = 256 * 1024;

}  // namespace

EPNGFault::EPNGFault(TPNGFault kind) : std::runtime_error(kFaultMessages[static_cast<int>(kind)]), FKind(kind) {}

// zlib's CRC-32 is the one of PNG chunks, continued the same way.
uint32_t UpdateCRC(uint32_t crc, const uint8_t* buffer, size_t length)
{
    if (!buffer)
        return 0;
    return static_cast<uint32_t>(crc32_z(crc, buffer, length));
}

bool IsChunk(const TPNGChunkHeader& header, const char (&name)[5])
{
    for (int i = 0; i < 4; ++i)
        if ((header.ChunkType[i] ^ static_cast<uint8_t>(name[i])) & ~0x20)
            return false;
    return true;
}

// --- TLZ77Decoder ---

TLZ77Decoder::TLZ77Decoder(int flushMode) : FFlushMode(flushMode) {}

TLZ77Decoder::~TLZ77Decoder()
{
    if (FInitialised)
        inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit()
{
    if (inflateInit(&FStream) != Z_OK)
        Fail(TPNGFault::LZ77Error);
    FInitialised = true;
}

void TLZ77Decoder::Decode(const uint8_t*& source, uint8_t*& target, uint32_t room, uint32_t available)
{
    FStream.next_in = const_cast<Bytef*>(source);
    FStream.avail_in = available;
    if (FZLibResult != Z_OK)
        return;
    FStream.next_out = target;
    FStream.avail_out = room;
    FZLibResult = inflate(&FStream, FFlushMode);
    source = FStream.next_in;
    target = FStream.next_out;
}

void TLZ77Decoder::DecodeEnd()
{
    FInitialised = false;
    if (inflateEnd(&FStream) != Z_OK)
        Fail(TPNGFault::LZ77Error);
}

// --- TPNGReader ---

TPNGReader::TPNGReader(TByteStream& stream, TColorManager& colors, TPNGTarget& target, TImageProperties& properties)
    : FStream(stream), FColorManager(colors), FTarget(target), FImageProperties(properties)
{
}

TPNGReader::~TPNGReader() = default;

// Reads the next chunk header and starts its CRC; refuses lengths the stream cannot hold.
void TPNGReader::LoadAndSwapHeader()
{
    uint8_t raw[8];
    FStream.ReadBuffer(raw, sizeof raw);
    FHeader.Length = BigEndian32(raw);
    std::copy(raw + 4, raw + 8, FHeader.ChunkType.begin());
    if (FHeader.Length > kMaxChunkLength || FStream.Position() + int64_t{FHeader.Length} + 4 > FStream.Size())
        Fail(TPNGFault::InvalidFormat);
    FCurrentCRC = UpdateCRC(0, FHeader.ChunkType.data(), 4);
}

void TPNGReader::ReadDataAndCheckCRC()
{
    FRawBuffer.resize(FHeader.Length);
    FStream.ReadBuffer(FRawBuffer.data(), FHeader.Length);
    uint8_t stored[4];
    FStream.ReadBuffer(stored, sizeof stored);
    if (!FRawBuffer.empty())  // an empty vector may have no buffer, which UpdateCRC answers with 0
        FCurrentCRC = UpdateCRC(FCurrentCRC, FRawBuffer.data(), FRawBuffer.size());
    if (BigEndian32(stored) != FCurrentCRC)
        Fail(TPNGFault::CRCError);
}

// Seeks past the current chunk unread; true at IEND, a failure for an unknown critical chunk.
bool TPNGReader::SkipChunk()
{
    FStream.SetPosition(FStream.Position() + int64_t{FHeader.Length} + 4);
    if (IsChunk(FHeader, "IEND"))
        return true;
    if (!(FHeader.ChunkType[0] & 0x20))
        Fail(TPNGFault::UnexpectedCriticalChunk);
    return false;
}

// The IHDR data of the current chunk, or nothing when the chunk is not a valid IHDR.
std::optional<TPNGReader::THeaderData> TPNGReader::ReadHeaderData()
{
    if (!IsChunk(FHeader, "IHDR") || FHeader.Length != 13)
        return std::nullopt;
    ReadDataAndCheckCRC();
    const uint8_t* p = FRawBuffer.data();
    THeaderData h{BigEndian32(p), BigEndian32(p + 4), p[8], p[9], p[10], p[11], p[12]};
    if (h.Width == 0 || h.Height == 0 || h.Width > kMaxChunkLength || h.Height > kMaxChunkLength ||
        uint64_t{h.Width} * h.Height > MaxPNGPixels)
        return std::nullopt;
    return h;
}

bool TPNGReader::ReadImageProperties()
{
    FImageProperties = TImageProperties{};
    FImageProperties.FileGamma = 1.0f;
    std::array<uint8_t, 8> magic;
    FStream.ReadBuffer(magic.data(), magic.size());
    if (magic != PNGMagic)
        return false;
    LoadAndSwapHeader();
    FImageProperties.Options.Include(TImageOption::ioBigEndian);
    std::optional<THeaderData> header = ReadHeaderData();
    if (!header)
        return false;

    static constexpr struct {
        TColorScheme Scheme;
        uint8_t Samples;
    } schemes[] = {{TColorScheme::csG, 1},       {TColorScheme::csUnknown, 1}, {TColorScheme::csRGB, 3},
                   {TColorScheme::csIndexed, 1}, {TColorScheme::csGA, 2},      {TColorScheme::csUnknown, 1},
                   {TColorScheme::csRGBA, 4}};
    auto scheme = header->ColorType < std::size(schemes) ? schemes[header->ColorType] : schemes[1];
    TImageProperties& p = FImageProperties;
    p.Width = header->Width;
    p.Height = header->Height;
    p.Compression = header->Compression == 0 ? TCompressionType::ctLZ77 : TCompressionType::ctUnknown;
    p.BitsPerSample = header->BitDepth;
    p.ColorScheme = scheme.Scheme;
    p.SamplesPerPixel = scheme.Samples;
    p.BitsPerPixel = static_cast<uint8_t>(scheme.Samples * header->BitDepth);
    p.FilterMode = header->Filter;
    p.Interlaced = header->Interlace != 0;
    p.HasAlpha = scheme.Scheme == TColorScheme::csGA || scheme.Scheme == TColorScheme::csRGBA ||
                 scheme.Scheme == TColorScheme::csBGRA;

    for (;;) {
        LoadAndSwapHeader();
        if (IsChunk(FHeader, "gAMA")) {
            ReadDataAndCheckCRC();
            if (FRawBuffer.size() >= 4)
                p.FileGamma = static_cast<float>(BigEndian32(FRawBuffer.data()) / 100000.0);
            break;
        }
        if (IsChunk(FHeader, "IEND"))
            break;
        FStream.SetPosition(FStream.Position() + int64_t{FHeader.Length} + 4);
    }
    FRawBuffer.clear();
    return true;
}

void TPNGReader::Load()
{
    FTarget.Clear();
    FBasePosition = FStream.Position();
    FDecoder.reset();
    if (!ReadImageProperties())
        Fail(TPNGFault::InvalidFormat);
    FStream.SetPosition(FBasePosition + 8);
    FProgressRect = {0, 0, static_cast<int32_t>(FImageProperties.Width), 1};
    FTarget.Progress(TPNGProgress::Starting, FProgressRect, kPreparing);

    FPalette.reset();
    FTransparentColor = PNGNoColor;
    LoadAndSwapHeader();
    FRawBuffer.clear();
    // Nothing of an earlier image carries over: neither its gamma nor a converter chosen for it.
    FColorManager = TColorManager();
    FColorManager.SourceOptions = {TConvertOption::coNeedByteSwap};
    try {
        LoadChunks();
    } catch (...) {
        EndLoad();
        throw;
    }
    EndLoad();
}

void TPNGReader::EndLoad()
{
    std::unique_ptr<TLZ77Decoder> decoder = std::move(FDecoder);
    FRawBuffer = {};
    FIDATData = {};
    FWholeData = {};
    for (std::vector<uint8_t>& row : FRows)
        row = {};
    FTarget.Progress(TPNGProgress::Ending, FProgressRect, "");
    if (decoder)
        decoder->DecodeEnd();
}

void TPNGReader::LoadChunks()
{
    std::optional<THeaderData> header = ReadHeaderData();
    if (!header)
        Fail(TPNGFault::InvalidFormat);
    FHeaderData = *header;
    if (FImageProperties.Compression != TCompressionType::ctLZ77)
        Fail(TPNGFault::UnsupportedCompression);
    FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH);
    FDecoder->DecodeInit();

    for (;;) {
        LoadAndSwapHeader();
        if (IsChunk(FHeader, "IDAT")) {
            FTarget.Progress(TPNGProgress::Ending, FProgressRect, "");
            LoadIDAT();
            if (SkipChunk())  // the chunk right after the image data goes unread
                return;
        } else if (IsChunk(FHeader, "PLTE")) {
            LoadPalette();
        } else if (IsChunk(FHeader, "gAMA")) {
            LoadGamma();
        } else if (IsChunk(FHeader, "bKGD")) {
            LoadBackgroundColor();
        } else if (IsChunk(FHeader, "tRNS")) {
            LoadTransparency();
        } else if (SkipChunk()) {
            return;
        }
    }
}

void TPNGReader::LoadPalette()
{
    if (FHeader.Length == 0 || FHeader.Length % 3 != 0)
        Fail(TPNGFault::InvalidPalette);
    ReadDataAndCheckCRC();
    if (FHeaderData.ColorType != 3)
        return;
    FSourceBPP = SetupColorDepth(FHeaderData.ColorType, FHeaderData.BitDepth);
    const void* data[] = {FRawBuffer.data()};
    FPalette = FColorManager.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, FHeader.Length / 3, false);
}

void TPNGReader::LoadGamma()
{
    ReadDataAndCheckCRC();
    if (FRawBuffer.size() < 4)
        return;
    FColorManager.SetGamma(static_cast<float>(BigEndian32(FRawBuffer.data()) / 100000.0), 2.2f);
    FColorManager.TargetOptions.Include(TConvertOption::coApplyGamma);
    FImageProperties.Options.Include(TImageOption::ioUseGamma);
}

// Only checked: a background would show where decoding leaves a pixel unwritten, and it
// writes every one.
void TPNGReader::LoadBackgroundColor()
{
    ReadDataAndCheckCRC();
}

// The key of grey and RGB images makes the bitmap transparent by colour; palette
// alpha is read but not applied.
void TPNGReader::LoadTransparency()
{
    ReadDataAndCheckCRC();
    const uint8_t* p = FRawBuffer.data();
    if (FHeaderData.ColorType == 0 && FRawBuffer.size() >= 2)
        FTransparentColor = GreyColor(SampleLevel(BigEndian16(p), FHeaderData.BitDepth));
    else if (FHeaderData.ColorType == 2 && FRawBuffer.size() >= 6)
        FTransparentColor = RGBColor(p, FHeaderData.BitDepth);
}

uint32_t TPNGReader::SetupColorDepth(uint8_t colorType, uint8_t bitDepth)
{
    const TColorSetup* setup = nullptr;
    for (const TColorSetup& s : kColorSetups)
        if (s.ColorType == colorType && bitDepth < 32 && (s.BitDepths >> bitDepth & 1))
            setup = &s;
    if (!setup)
        Fail(TPNGFault::InvalidColorFormat);
    TColorManager& c = FColorManager;
    c.SetSourceColorScheme(setup->SourceScheme);
    c.SetSourceSamplesPerPixel(setup->SourceSamples);
    c.SetSourceBitsPerSample(bitDepth);
    c.SetTargetColorScheme(setup->TargetScheme);
    c.SetTargetSamplesPerPixel(setup->TargetSamples);
    c.SetTargetBitsPerSample(bitDepth == 2 ? 4 : std::min<uint8_t>(bitDepth, 8));
    FTarget.SetPixelFormat(c.GetPixelFormat(true));
    if (setup->GreyPalette)
        FPalette = c.CreateGrayscalePalette(false);
    return (bitDepth * setup->FilterSamples + 7u) / 8u;
}

// Bytes of one filtered row of `width` pixels, without the filter byte.
uint64_t TPNGReader::RowBytes(uint64_t width) const
{
    uint32_t channels = FHeaderData.BitDepth == 16 ? FSourceBPP / 2 : FSourceBPP;
    return (width * FHeaderData.BitDepth + 7) / 8 * channels;
}

void TPNGReader::LoadIDAT()
{
    FTarget.Progress(TPNGProgress::Starting, FProgressRect, kTransfering);
    if (!FTarget.HasPixelFormat())
        FSourceBPP = SetupColorDepth(FHeaderData.ColorType, FHeaderData.BitDepth);
    if (FPalette)
        FTarget.SetPalette(*FPalette);
    FTarget.SetSize(FHeaderData.Width, FHeaderData.Height);  // no fill: decoding writes every pixel
    if (FTransparentColor != PNGNoColor)
        FTarget.SetTransparentColor(FTransparentColor);

    size_t length = RowBytes(FHeaderData.Width) + 1;
    for (std::vector<uint8_t>& row : FRows)
        row.assign(length, 0);
    const std::span<const TPass> passes = FHeaderData.Interlace == 1 ? std::span<const TPass>(kAdam7) : kWholeImage;
    if (!FImageDataStarted) {
        uint64_t total = 0;
        for (const TPass& pass : passes)
            total += PassBytes(pass.FirstRow, pass.RowStep, pass.FirstColumn, pass.ColumnStep);
        if (total <= kWholeDataLimit)
            InflateWholeData(total);
    }
    FImageDataStarted = true;
    for (const TPass& pass : passes)
        if (FHeaderData.Width > pass.FirstColumn)
            DecodeRows(pass.FirstRow, pass.RowStep, pass.FirstColumn, pass.ColumnStep, pass.Mask, pass.Mask == 0xFF);
    for (std::vector<uint8_t>& row : FRows)
        row = {};
    FWholeData = {};
    while (IsChunk(FHeader, "IDAT")) {  // image data past the image: checked, not inflated
        ReadDataAndCheckCRC();
        LoadAndSwapHeader();
    }
}

// Bytes of image data (filter bytes included) in the rows of one pass, or of the whole image
// when not interlaced.
uint64_t TPNGReader::PassBytes(uint32_t firstRow, uint32_t rowStep, uint32_t firstColumn, uint32_t columnStep) const
{
    if (FHeaderData.Width <= firstColumn || FHeaderData.Height <= firstRow)
        return 0;
    uint64_t rows = (uint64_t{FHeaderData.Height} - firstRow + rowStep - 1) / rowStep;
    return rows * (RowBytes(PassWidth(firstColumn, columnStep)) + 1);
}

uint64_t TPNGReader::PassWidth(uint32_t firstColumn, uint32_t columnStep) const
{
    return (uint64_t{FHeaderData.Width} + columnStep - 1 - firstColumn) / columnStep;
}

// One pass (the whole image when not interlaced): reads, unfilters and converts its rows
// into the full-width scan lines, writing the pixels the mask selects.
void TPNGReader::DecodeRows(uint32_t firstRow, uint32_t rowStep, uint32_t firstColumn, uint32_t columnStep,
                            uint8_t mask, bool movesProgress)
{
    uint32_t width = FHeaderData.Width;
    uint32_t length = static_cast<uint32_t>(RowBytes(PassWidth(firstColumn, columnStep)));
    std::fill_n(FRows[1].begin(), length + 1, 0);
    int current = 0;
    for (uint64_t y = firstRow; y < FHeaderData.Height; y += rowStep) {
        uint8_t* row = FRows[current].data();
        const uint8_t* previous = FRows[1 - current].data();
        NextRow(row, length + 1);
        ApplyFilter(row[0], row + 1, previous + 1, FSourceBPP, length);
        const uint8_t* source[] = {row + 1};
        FColorManager.ConvertRow(source, FTarget.ScanLine(static_cast<uint32_t>(y)), width, mask);
        current = 1 - current;
        if (movesProgress) {
            ++FProgressRect.Top;
            ++FProgressRect.Bottom;
        }
    }
}

// Inflates count bytes of image data into row, taking IDAT chunks as they come; data
// that ends early leaves the rest of the row as it was. Answers the bytes left unwritten.
uint32_t TPNGReader::ReadRow(uint8_t* row, uint32_t count)
{
    uint8_t* out = row;
    uint32_t room = count;
    while (room > 0) {
        if (FDecoder->GetAvailableInput() == 0) {
            FIDATSize = 0;
            while (FIDATSize == 0) {
                if (!IsChunk(FHeader, "IDAT"))
                    return room;
                ReadDataAndCheckCRC();
                // Inflate may leave input of this chunk pending while other chunks are read.
                FIDATData.swap(FRawBuffer);
                FCurrentSource = FIDATData.data();
                FIDATSize = static_cast<int32_t>(FHeader.Length);
                LoadAndSwapHeader();
            }
        }
        uint32_t available = static_cast<uint32_t>(FIDATData.data() + FIDATSize - FCurrentSource);
        FDecoder->Decode(FCurrentSource, out, room, available);
        room = FDecoder->GetAvailableOutput();
        if (FDecoder->ZLibResult() == Z_STREAM_END) {
            if (room == 0 && FDecoder->GetAvailableInput() == 0)
                return 0;
            Fail(TPNGFault::ExtraCompressedData);
        }
        if (FDecoder->ZLibResult() != Z_OK)
            Fail(TPNGFault::CompressionError);
    }
    return 0;
}

// The next row's image data: from the data inflated at once when there is, else inflated now.
void TPNGReader::NextRow(uint8_t* row, uint32_t count)
{
    if (FWholeData.empty()) {
        ReadRow(row, count);
        return;
    }
    std::copy_n(FWholeData.begin() + static_cast<ptrdiff_t>(FWholeDataRead), count, row);
    FWholeDataRead += count;
}

// Small images inflate all their data in one go: zlib's fast path needs more room than a short
// row gives. The data is kept only when it fills the image without a fault and without ending
// early; otherwise the stream, the chunk and a fresh decoder go back to where the image data
// starts and the rows are read one by one, so that they end as they always would (the same
// fault after the same rows, or the same rows built from what the buffers hold).
void TPNGReader::InflateWholeData(uint64_t total)
{
    const int64_t position = FStream.Position();
    const TPNGChunkHeader header = FHeader;
    const uint32_t crc = FCurrentCRC;
    FWholeData.resize(total);
    FWholeDataRead = 0;
    try {
        if (ReadRow(FWholeData.data(), static_cast<uint32_t>(total)) == 0)
            return;
    } catch (...) {  // whatever it is, the rows read one by one meet it again at their own time
    }
    FWholeData.clear();
    FStream.SetPosition(position);
    FHeader = header;
    FCurrentCRC = crc;
    FIDATSize = 0;
    FCurrentSource = nullptr;
    FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH);
    FDecoder->DecodeInit();
}

}  // namespace skin
