#include "acZLibCore.h"

#include <algorithm>

namespace skin {

namespace {

// zlib takes 32-bit counts; larger requests go through in pieces.
constexpr int64_t kMaxPiece = int64_t{1} << 30;
constexpr int64_t kDiscardPiece = 16384;

// Indexed by code + 7, from -7 up to 2.
constexpr const char* kZErrorMessages[] = {
    "", "incompatible version", "buffer error", "insufficient memory", "data error",
    "stream error", "file error", "ok", "stream end", "need dictionary",
};

[[noreturn]] void Raise(TZFaultKind kind, int code, const char* message)
{
    throw EZStreamFault(kind, code, message);
}

// Every zlib result passes here: negative codes raise, the rest come back.
int ZCheck(int code)
{
    if (code < 0)
        Raise(TZFaultKind::ZLib, code, ZErrorMessage(code));
    return code;
}

}  // namespace

int ZLibLevel(TZCompressionLevel level)
{
    static constexpr int levels[] = {0, 1, -1, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    return levels[static_cast<int>(level)];
}

const char* ZErrorMessage(int code)
{
    return code >= -7 && code <= 2 ? kZErrorMessages[code + 7] : "";
}

EZStreamFault::EZStreamFault(TZFaultKind kind, int code, const char* message)
    : std::runtime_error(message), FKind(kind), FCode(code)
{
}

// --- TZDecompressor ---

TZDecompressor::TZDecompressor(TByteStream& source, std::function<void()> onBlock)
    : TZDecompressor(source, MAX_WBITS, std::move(onBlock))
{
}

TZDecompressor::TZDecompressor(TByteStream& source, int windowBits, std::function<void()> onBlock)
    : FStream(source), FStreamPos(source.Position()), FStartPos(FStreamPos), FOnBlock(std::move(onBlock)),
      FBuffer(ZBufferSize)
{
    ZCheck(inflateInit2(&FZStream, windowBits));
}

TZDecompressor::~TZDecompressor()
{
    inflateEnd(&FZStream);
}

bool TZDecompressor::Refill()
{
    int64_t got = FStream.Read(FBuffer.data(), static_cast<int64_t>(FBuffer.size()));
    if (got <= 0)
        return false;
    FStreamPos = FStream.Position();
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = static_cast<uInt>(got);
    if (FOnBlock)
        FOnBlock();
    return true;
}

int TZDecompressor::Inflate()
{
    int result = ZCheck(inflate(&FZStream, Z_NO_FLUSH));
    // A preset dictionary is never given: without this the call would repeat forever.
    if (result == Z_NEED_DICT)
        Raise(TZFaultKind::ZLib, result, ZErrorMessage(result));
    if (result == Z_STREAM_END)
        FEnded = true;
    return result;
}

int64_t TZDecompressor::Read(void* buffer, int64_t count)
{
    if (FStream.Position() != FStreamPos)
        FStream.SetPosition(FStreamPos);
    auto* out = static_cast<uint8_t*>(buffer);
    int64_t produced = 0;
    while (produced < count && !FEnded) {
        if (FZStream.avail_in == 0 && !Refill())
            return produced;
        uInt room = static_cast<uInt>(std::min(count - produced, kMaxPiece));
        FZStream.next_out = out + produced;
        FZStream.avail_out = room;
        Inflate();
        int64_t made = room - FZStream.avail_out;
        produced += made;
        FTotalOut += made;
    }
    if (!FEnded)
        ReachEnd();
    if (FEnded)
        GiveBackUnusedInput();
    return produced;
}

// The caller has all it asked for. When nothing but the end of the data (the last block's
// end code and the checksum) is left, take it now, reading on from the source if needed,
// so that the source ends up right after the compressed data even when the checksum lies
// beyond the block read so far. Stops as soon as further output is pending.
void TZDecompressor::ReachEnd()
{
    uint8_t none = 0;
    while (!FEnded) {
        if (FZStream.avail_in == 0 && !Refill())
            return;
        FZStream.next_out = &none;
        FZStream.avail_out = 0;
        int result = inflate(&FZStream, Z_NO_FLUSH);
        if (result == Z_BUF_ERROR)  // no progress: output is pending
            return;
        ZCheck(result);
        if (result == Z_STREAM_END)
            FEnded = true;
        else if (result != Z_OK)
            Raise(TZFaultKind::ZLib, result, ZErrorMessage(result));
    }
}

// Input read past the end of the compressed data goes back to the source.
void TZDecompressor::GiveBackUnusedInput()
{
    if (FZStream.avail_in == 0)
        return;
    FStreamPos -= FZStream.avail_in;
    FStream.SetPosition(FStreamPos);
    FZStream.avail_in = 0;
}

int64_t TZDecompressor::Seek(int64_t offset, TZSeekOrigin origin, const TReadExactly& readExactly)
{
    auto discard = [&](int64_t count) {
        std::vector<uint8_t> scratch(static_cast<size_t>(std::min(count, kDiscardPiece)));
        for (; count > 0; count -= kDiscardPiece)
            readExactly(scratch.data(), std::min(count, kDiscardPiece));
    };
    if (origin == TZSeekOrigin::Beginning && offset == 0) {
        // Restart where the compressed data began, which need not be the source's start.
        ZCheck(inflateReset(&FZStream));
        FZStream.avail_in = 0;
        FEnded = false;
        FTotalOut = 0;
        FStreamPos = FStartPos;
        FStream.SetPosition(FStreamPos);
    } else if (origin == TZSeekOrigin::Current && offset >= 0) {
        discard(offset);
    } else if (origin == TZSeekOrigin::Beginning && offset > FTotalOut) {
        discard(offset - FTotalOut);
    } else if (origin == TZSeekOrigin::End && offset == 0) {
        std::vector<uint8_t> scratch(kDiscardPiece);
        while (Read(scratch.data(), kDiscardPiece) > 0) {
        }
    } else {
        Raise(TZFaultKind::InvalidOperation, 0, InvalidZStreamOperation);
    }
    return FTotalOut;
}

// --- TZCompressor ---

TZCompressor::TZCompressor(TByteStream& dest, TZCompressionLevel level, std::function<void()> onBlock)
    : FStream(dest), FStreamPos(dest.Position()), FOnBlock(std::move(onBlock)), FBuffer(ZBufferSize)
{
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = static_cast<uInt>(FBuffer.size());
    ZCheck(deflateInit(&FZStream, ZLibLevel(level)));
}

TZCompressor::TZCompressor(TByteStream& dest, TZCompressionLevel level, int windowBits, int memLevel,
                           TZStrategy strategy, std::function<void()> onBlock)
    : FStream(dest), FStreamPos(dest.Position()), FOnBlock(std::move(onBlock)), FBuffer(ZBufferSize)
{
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = static_cast<uInt>(FBuffer.size());
    ZCheck(deflateInit2(&FZStream, ZLibLevel(level), Z_DEFLATED, windowBits, memLevel, static_cast<int>(strategy)));
}

TZCompressor::~TZCompressor()
{
    // Harmless after Finish has ended the stream.
    deflateEnd(&FZStream);
}

int TZCompressor::Deflate(int flush)
{
    uInt in = FZStream.avail_in, out = FZStream.avail_out;
    int result = ZCheck(deflate(&FZStream, flush));
    FTotalIn += in - FZStream.avail_in;
    FTotalOut += out - FZStream.avail_out;
    return result;
}

void TZCompressor::WriteOut(size_t count)
{
    FStream.WriteBuffer(FBuffer.data(), static_cast<int64_t>(count));
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = static_cast<uInt>(FBuffer.size());
    FStreamPos = FStream.Position();
    if (FOnBlock)
        FOnBlock();
}

void TZCompressor::ReturnToStreamPos()
{
    if (FStream.Position() != FStreamPos)
        FStream.SetPosition(FStreamPos);
}

int64_t TZCompressor::Write(const void* buffer, int64_t count)
{
    ReturnToStreamPos();
    auto* in = static_cast<const uint8_t*>(buffer);
    for (int64_t done = 0; done < count;) {
        uInt piece = static_cast<uInt>(std::min(count - done, kMaxPiece));
        FZStream.next_in = const_cast<Bytef*>(in + done);
        FZStream.avail_in = piece;
        while (FZStream.avail_in > 0) {
            Deflate(Z_NO_FLUSH);
            if (FZStream.avail_out == 0)
                WriteOut(FBuffer.size());
        }
        done += piece;
    }
    return count;
}

int64_t TZCompressor::Seek(int64_t offset, TZSeekOrigin origin)
{
    if (offset != 0 || origin != TZSeekOrigin::Current)
        Raise(TZFaultKind::InvalidOperation, 0, InvalidZStreamOperation);
    return FTotalIn;
}

float TZCompressor::CompressionRate() const
{
    if (FTotalIn == 0)
        return 0;
    return static_cast<float>((1.0 - static_cast<double>(FTotalOut) / static_cast<double>(FTotalIn)) * 100.0);
}

void TZCompressor::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    struct TEnd {
        z_stream& Stream;
        ~TEnd() { deflateEnd(&Stream); }
    } end{FZStream};
    FZStream.next_in = nullptr;
    FZStream.avail_in = 0;
    ReturnToStreamPos();
    for (;;) {
        int result = Deflate(Z_FINISH);
        size_t filled = FBuffer.size() - FZStream.avail_out;
        if (filled > 0)
            WriteOut(filled);
        if (result == Z_STREAM_END)
            break;
    }
}

}  // namespace skin
