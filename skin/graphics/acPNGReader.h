#pragma once
// The PNG reader's core: chunks, CRCs, inflation, filters and interlacing over a
// byte stream, decoding into a bitmap through a narrow target interface. It knows
// nothing of windows; TPNGGraphic binds it to the class library's bitmap.
#include "acByteSet.h"
#include "acByteStream.h"
#include "acColorManager.h"
#include "acPNGFilters.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace skin {

inline constexpr std::array<uint8_t, 8> PNGMagic = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Images above this many pixels are refused as invalid: it keeps every row and image
// size far from overflow and the memory of a hostile file bounded.
inline constexpr uint64_t MaxPNGPixels = uint64_t{1} << 24;

// The "no colour" value of the class library (clNone).
inline constexpr uint32_t PNGNoColor = 0x1FFFFFFF;

enum class TImageOption : uint8_t { ioBigEndian, ioUseGamma };
using TImageOptions = TByteSet<TImageOption>;

enum class TCompressionType : uint8_t { ctUnknown, ctNone, ctLZ77 };

// The header summary; of it the load itself uses Width and Compression.
struct TImageProperties {
    TImageOptions Options;
    uint32_t Width = 0;
    uint32_t Height = 0;
    TColorScheme ColorScheme = TColorScheme::csUnknown;
    uint8_t BitsPerSample = 0;
    uint8_t SamplesPerPixel = 0;
    uint8_t BitsPerPixel = 0;
    TCompressionType Compression = TCompressionType::ctUnknown;
    float FileGamma = 0;
    bool Interlaced = false;
    bool HasAlpha = false;
    uint8_t FilterMode = 0;
};

struct TPNGChunkHeader {
    uint32_t Length = 0;
    std::array<uint8_t, 4> ChunkType{};
};

enum class TPNGFault : uint8_t {
    InvalidFormat, UnsupportedCompression, InvalidPalette, UnexpectedCriticalChunk,
    CRCError, ExtraCompressedData, CompressionError, InvalidColorFormat, LZ77Error
};

// A failure of the datastream; the bitmap side raises it as the class library's
// graphic error (EGraphicCompression for LZ77Error).
class EPNGFault : public std::runtime_error {
public:
    explicit EPNGFault(TPNGFault kind);
    TPNGFault Kind() const { return FKind; }

private:
    TPNGFault FKind;
};

enum class TPNGProgress : uint8_t { Starting, Ending };

struct TPNGRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The bitmap a datastream is decoded into.
class TPNGTarget {
public:
    virtual ~TPNGTarget() = default;
    virtual void Clear() = 0;  // no image and no pixel format
    virtual bool HasPixelFormat() = 0;
    virtual void SetPixelFormat(int bitsPerPixel) = 0;
    virtual void SetPalette(const TRawPalette& palette) = 0;
    virtual void SetSize(uint32_t width, uint32_t height) = 0;  // the pixels need not be cleared
    virtual void SetTransparentColor(uint32_t color) = 0;
    virtual uint8_t* ScanLine(uint32_t row) = 0;  // row 0 is the top
    virtual void Progress(TPNGProgress stage, const TPNGRect& rect, const char* message) = 0;
};

// The CRC-32 of PNG chunks continued over a buffer; a null buffer gives 0.
uint32_t UpdateCRC(uint32_t crc, const uint8_t* buffer, size_t length);

// Chunk names compare with the case bit of every letter ignored.
bool IsChunk(const TPNGChunkHeader& header, const char (&name)[5]);

class TLZ77Decoder {
public:
    explicit TLZ77Decoder(int flushMode);
    ~TLZ77Decoder();
    TLZ77Decoder(const TLZ77Decoder&) = delete;
    TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

    void DecodeInit();
    // Inflates from source into target and advances both; stops for good after a non-zero result.
    void Decode(const uint8_t*& source, uint8_t*& target, uint32_t room, uint32_t available);
    void DecodeEnd();
    uint32_t GetAvailableInput() const { return FStream.avail_in; }
    uint32_t GetAvailableOutput() const { return FStream.avail_out; }
    int ZLibResult() const { return FZLibResult; }

private:
    z_stream FStream{};
    int FZLibResult = Z_OK;
    int FFlushMode;
    bool FInitialised = false;
};

// One load of one datastream; lives as long as the load.
class TPNGReader {
public:
    TPNGReader(TByteStream& stream, TColorManager& colors, TPNGTarget& target, TImageProperties& properties);
    ~TPNGReader();

    // The header pass from the stream's position: false when it is no PNG datastream.
    bool ReadImageProperties();
    // Reads the whole datastream from the stream's position into the target.
    void Load();

private:
    struct THeaderData {
        uint32_t Width, Height;
        uint8_t BitDepth, ColorType, Compression, Filter, Interlace;
    };
    // Where the image data starts, to read it again.
    struct TImageDataStart {
        int64_t Position;  // of the stream, after the first image-data chunk's header
        TPNGChunkHeader Header;
        uint32_t CRC;
        TPNGRect Progress;
    };

    void LoadAndSwapHeader();
    std::span<const uint8_t> ReadDataAndCheckCRC(std::vector<uint8_t>& storage);
    bool SkipChunk();
    std::optional<THeaderData> ReadHeaderData();
    void LoadChunks();
    void EndLoad();
    void LoadPalette();
    void LoadGamma();
    void LoadBackgroundColor();
    void LoadTransparency();
    void LoadIDAT();
    void ClearRows();
    void DecodePasses();
    void DecodeStaged();
    void Restart(const TImageDataStart& start);
    void DecodeRows(uint32_t firstRow, uint32_t rowStep, uint32_t firstColumn, uint32_t columnStep, uint8_t mask,
                    bool movesProgress);
    uint64_t PassBytes(uint32_t firstRow, uint32_t rowStep, uint32_t firstColumn, uint32_t columnStep) const;
    uint64_t PassWidth(uint32_t firstColumn, uint32_t columnStep) const;
    void NextRow(uint8_t* row, uint32_t count);
    void StageMore();
    uint32_t ReadRow(uint8_t* row, uint32_t count);
    uint32_t SetupColorDepth(uint8_t colorType, uint8_t bitDepth);
    uint64_t RowBytes(uint64_t width) const;

    TByteStream& FStream;
    TColorManager& FColorManager;
    TPNGTarget& FTarget;
    TImageProperties& FImageProperties;

    TPNGRect FProgressRect;
    int64_t FBasePosition = 0;
    std::unique_ptr<TLZ77Decoder> FDecoder;
    int32_t FIDATSize = 0;
    std::vector<uint8_t> FRawBuffer;  // the data of other chunks, when the stream is not in memory
    std::vector<uint8_t> FIDATData;  // the same for image-data chunks
    const uint8_t* FIDATStart = nullptr;  // the image-data chunk being inflated
    bool FImageDataStarted = false;  // the decoder has been given image data
    std::unique_ptr<uint8_t[]> FStaged;  // image data inflated ahead of the rows, or none
    size_t FStagedSize = 0;
    size_t FStagedRead = 0, FStagedEnd = 0;  // the part of FStaged not yet given to rows
    uint64_t FStageLeft = 0;  // image data not yet inflated ahead
    const uint8_t* FCurrentSource = nullptr;
    TPNGChunkHeader FHeader;
    uint32_t FCurrentCRC = 0;
    THeaderData FHeaderData{};
    uint32_t FSourceBPP = 0;
    std::optional<TRawPalette> FPalette;
    uint32_t FTransparentColor = PNGNoColor;
    std::vector<uint8_t> FRows[2];
};

}  // namespace skin
