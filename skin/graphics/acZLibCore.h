#pragma once
// The zlib streams' core: inflating from and deflating into a byte stream through
// one 131072-byte buffer. TZDecompressionStream and TZCompressionStream (acZLibEx)
// put the class library's stream interface over it.
#include "acByteStream.h"

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace skin {

inline constexpr size_t ZBufferSize = 131072;
inline constexpr char InvalidZStreamOperation[] = "Invalid ZStream operation!";

enum class TZCompressionLevel : uint8_t {
    zcNone, zcFastest, zcDefault, zcMax,
    zcLevel1, zcLevel2, zcLevel3, zcLevel4, zcLevel5, zcLevel6, zcLevel7, zcLevel8, zcLevel9
};
enum class TZStrategy : uint8_t { zsDefault, zsFiltered, zsHuffman, zsRLE, zsFixed };
enum class TZSeekOrigin : uint8_t { Beginning, Current, End };

int ZLibLevel(TZCompressionLevel level);
// The message of a zlib return code.
const char* ZErrorMessage(int code);

enum class TZFaultKind : uint8_t {
    ZLib,             // a zlib call failed; Code() is its result
    InvalidOperation  // a seek the stream cannot make; Code() is 0
};

class EZStreamFault : public std::runtime_error {
public:
    EZStreamFault(TZFaultKind kind, int code, const char* message);
    TZFaultKind Kind() const { return FKind; }
    int Code() const { return FCode; }

private:
    TZFaultKind FKind;
    int FCode;
};

// Inflates the zlib data that starts at the source's position when constructed.
class TZDecompressor {
public:
    // onBlock runs after every block read from the source.
    explicit TZDecompressor(TByteStream& source, std::function<void()> onBlock = {});
    TZDecompressor(TByteStream& source, int windowBits, std::function<void()> onBlock = {});
    ~TZDecompressor();
    TZDecompressor(const TZDecompressor&) = delete;
    TZDecompressor& operator=(const TZDecompressor&) = delete;

    // Up to count bytes; fewer at the end of the compressed data or when the source runs dry.
    // At the end the source stands right after the compressed data.
    int64_t Read(void* buffer, int64_t count);
    // Offset 0 from the beginning restarts; forward seeks read and drop through readExactly,
    // which raises the stream's read error when the data runs out. Answers the bytes produced.
    using TReadExactly = std::function<void(void* buffer, int64_t count)>;
    int64_t Seek(int64_t offset, TZSeekOrigin origin, const TReadExactly& readExactly);
    int64_t TotalOut() const { return FTotalOut; }
    // The compressed data has ended: its checksum was read and matched.
    bool Ended() const { return FEnded; }

private:
    bool Refill();
    int Inflate();
    void ReachEnd();
    void GiveBackUnusedInput();

    TByteStream& FStream;
    int64_t FStreamPos;
    const int64_t FStartPos;
    std::function<void()> FOnBlock;
    z_stream FZStream{};
    std::vector<uint8_t> FBuffer;
    bool FEnded = false;
    int64_t FTotalOut = 0;
};

// Deflates what is written into the destination; Finish completes the data.
class TZCompressor {
public:
    TZCompressor(TByteStream& dest, TZCompressionLevel level, std::function<void()> onBlock = {});
    TZCompressor(TByteStream& dest, TZCompressionLevel level, int windowBits, int memLevel, TZStrategy strategy,
                 std::function<void()> onBlock = {});
    ~TZCompressor();
    TZCompressor(const TZCompressor&) = delete;
    TZCompressor& operator=(const TZCompressor&) = delete;

    int64_t Write(const void* buffer, int64_t count);
    // Only offset 0 from the current position: the bytes written so far.
    int64_t Seek(int64_t offset, TZSeekOrigin origin);
    float CompressionRate() const;
    // Writes what is pending and the stream's end, then frees zlib's state also when that fails;
    // a failure is raised by this call alone, later calls do nothing.
    void Finish();

private:
    int Deflate(int flush);
    void WriteOut(size_t count);
    void ReturnToStreamPos();

    TByteStream& FStream;
    int64_t FStreamPos;
    std::function<void()> FOnBlock;
    z_stream FZStream{};
    std::vector<uint8_t> FBuffer;
    bool FFinished = false;
    int64_t FTotalIn = 0;
    int64_t FTotalOut = 0;
};

}  // namespace skin
