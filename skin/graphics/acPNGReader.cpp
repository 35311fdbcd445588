#include "acPNGReader.h"

#include <algorithm>
#include <cstring>
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

std::span<const TPass> Passes(uint8_t interlace)
{
    return interlace == 1 ? std::span<const TPass>(kAdam7) : kWholeImage;
}

// Image data is inflated ahead in pieces of at most this many bytes.
constexpr uint64_t kStageLimit = 64 * 1024;

// A piece of image data inflated ahead that cannot be used as it is (see DecodeStaged).
struct TStageFailed {};

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

// The current chunk's data: where it lies when the stream keeps its bytes in memory (the header
// has checked that they are there), else read into storage.
std::span<const uint8_t> TPNGReader::ReadDataAndCheckCRC(std::vector<uint8_t>& storage)
{
    std::span<const uint8_t> data;
    const int64_t position = FStream.Position();
    if (const uint8_t* memory = FStream.Memory()) {
        data = {memory + position, FHeader.Length};
        FStream.SetPosition(position + int64_t{FHeader.Length});
    } else {
        storage.resize(FHeader.Length);
        FStream.ReadBuffer(storage.data(), FHeader.Length);
        data = storage;
    }
    uint8_t stored[4];
    FStream.ReadBuffer(stored, sizeof stored);
    if (!data.empty())  // empty data may have no address, which UpdateCRC answers with 0
        FCurrentCRC = UpdateCRC(FCurrentCRC, data.data(), data.size());
    if (BigEndian32(stored) != FCurrentCRC)
        Fail(TPNGFault::CRCError);
    return data;
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
    const uint8_t* p = ReadDataAndCheckCRC(FRawBuffer).data();
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
            const std::span<const uint8_t> data = ReadDataAndCheckCRC(FRawBuffer);
            if (data.size() >= 4)
                p.FileGamma = static_cast<float>(BigEndian32(data.data()) / 100000.0);
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
    FStaged.reset();
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
    const void* data[] = {ReadDataAndCheckCRC(FRawBuffer).data()};
    if (FHeaderData.ColorType != 3)
        return;
    FSourceBPP = SetupColorDepth(FHeaderData.ColorType, FHeaderData.BitDepth);
    FPalette = FColorManager.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, FHeader.Length / 3, false);
}

void TPNGReader::LoadGamma()
{
    const std::span<const uint8_t> data = ReadDataAndCheckCRC(FRawBuffer);
    if (data.size() < 4)
        return;
    FColorManager.SetGamma(static_cast<float>(BigEndian32(data.data()) / 100000.0), 2.2f);
    FColorManager.TargetOptions.Include(TConvertOption::coApplyGamma);
    FImageProperties.Options.Include(TImageOption::ioUseGamma);
}

// Only checked: a background would show where decoding leaves a pixel unwritten, and it
// writes every one.
void TPNGReader::LoadBackgroundColor()
{
    ReadDataAndCheckCRC(FRawBuffer);
}

// The key of grey and RGB images makes the bitmap transparent by colour; palette
// alpha is read but not applied.
void TPNGReader::LoadTransparency()
{
    const std::span<const uint8_t> data = ReadDataAndCheckCRC(FRawBuffer);
    if (FHeaderData.ColorType == 0 && data.size() >= 2)
        FTransparentColor = GreyColor(SampleLevel(BigEndian16(data.data()), FHeaderData.BitDepth));
    else if (FHeaderData.ColorType == 2 && data.size() >= 6)
        FTransparentColor = RGBColor(data.data(), FHeaderData.BitDepth);
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

    if (FImageDataStarted) {  // image data resumed after other chunks goes on where the decoder stands
        ClearRows();
        DecodePasses();
    } else {
        FImageDataStarted = true;
        DecodeStaged();
    }
    for (std::vector<uint8_t>& row : FRows)
        row = {};
    while (IsChunk(FHeader, "IDAT")) {  // image data past the image: checked, not inflated
        ReadDataAndCheckCRC(FRawBuffer);
        LoadAndSwapHeader();
    }
}

// Both row buffers zero-filled, as they start.
void TPNGReader::ClearRows()
{
    for (std::vector<uint8_t>& row : FRows)
        row.assign(RowBytes(FHeaderData.Width) + 1, 0);
}

void TPNGReader::DecodePasses()
{
    for (const TPass& pass : Passes(FHeaderData.Interlace))
        if (FHeaderData.Width > pass.FirstColumn)
            DecodeRows(pass.FirstRow, pass.RowStep, pass.FirstColumn, pass.ColumnStep, pass.Mask, pass.Mask == 0xFF);
}

// The rows take their image data from pieces inflated ahead: zlib's fast path needs more room than
// a short row gives, and every call costs its set-up. A piece is used only when it comes whole
// without a fault; otherwise everything goes back to where the image data starts and the rows are
// read again one by one, each rewriting the pixels it wrote before, so that they end as they
// always would (the same fault after the same rows, or the same rows built from what the buffers
// hold).
void TPNGReader::DecodeStaged()
{
    const TImageDataStart start{FStream.Position(), FHeader, FCurrentCRC, FProgressRect};
    uint64_t total = 0;
    for (const TPass& pass : Passes(FHeaderData.Interlace))
        total += PassBytes(pass.FirstRow, pass.RowStep, pass.FirstColumn, pass.ColumnStep);
    FStageLeft = total;
    FStagedSize = static_cast<size_t>(std::min(total, kStageLimit));
    FStaged.reset(new uint8_t[FStagedSize]);
    FStagedRead = FStagedEnd = 0;
    ClearRows();
    try {
        DecodePasses();
        FStaged.reset();
        return;
    } catch (const TStageFailed&) {
    }
    FStaged.reset();
    Restart(start);
    DecodePasses();
}

// The stream, the chunk, a fresh decoder, the row buffers and the progress as they were when the
// image data started.
void TPNGReader::Restart(const TImageDataStart& start)
{
    FStream.SetPosition(start.Position);
    FHeader = start.Header;
    FCurrentCRC = start.CRC;
    FIDATSize = 0;
    FCurrentSource = nullptr;
    FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH);
    FDecoder->DecodeInit();
    FProgressRect = start.Progress;
    ClearRows();
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
                // Inflate may leave input of this chunk pending while other chunks are read.
                FCurrentSource = FIDATStart = ReadDataAndCheckCRC(FIDATData).data();
                FIDATSize = static_cast<int32_t>(FHeader.Length);
                LoadAndSwapHeader();
            }
        }
        uint32_t available = static_cast<uint32_t>(FIDATStart + FIDATSize - FCurrentSource);
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

// The next row's image data: from the pieces inflated ahead while there are, else inflated now.
void TPNGReader::NextRow(uint8_t* row, uint32_t count)
{
    if (!FStaged) {
        ReadRow(row, count);
        return;
    }
    while (count > 0) {
        if (FStagedRead == FStagedEnd)
            StageMore();
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>(count, FStagedEnd - FStagedRead));
        std::memcpy(row, FStaged.get() + FStagedRead, n);
        FStagedRead += n;
        row += n;
        count -= n;
    }
}

// Inflates the next piece of image data; TStageFailed when it faults or comes short.
void TPNGReader::StageMore()
{
    const size_t size = static_cast<size_t>(std::min<uint64_t>(FStageLeft, FStagedSize));
    try {
        if (size == 0 || ReadRow(FStaged.get(), static_cast<uint32_t>(size)) != 0)
            throw TStageFailed();
    } catch (...) {  // whatever it is, the rows read one by one meet it again at their own time
        throw TStageFailed();
    }
    FStageLeft -= size;
    FStagedRead = 0;
    FStagedEnd = size;
}

}  // namespace skin
