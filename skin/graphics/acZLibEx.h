#pragma once
// zlib behind the class library's stream interface: the packed-skin reader inflates each
// entry through TZDecompressionStream; TZCompressionStream deflates for the packed-skin writer.
#include "skin/graphics/acStreamBytes.h"
#include "skin/graphics/acZLibCore.h"
#include "vcl/classes.h"

#include <memory>

namespace skin {

class EZLibError : public vcl::Exception {
public:
    // The message of the unit's table for a zlib code.
    explicit EZLibError(int code);
    // An operation the stream does not offer: the message alone, code 0.
    explicit EZLibError(const vcl::String& message);
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode = 0;
};

class EZCompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

class TCustomZStream : public vcl::TStream {
    CL_CLASS(TCustomZStream, vcl::TStream)
public:
    vcl::TNotifyEvent OnProgress() const { return FOnProgress; }
    void SetOnProgress(vcl::TNotifyEvent value) { FOnProgress = value; }

protected:
    // The stream stays with its owner.
    explicit TCustomZStream(vcl::TStream* stream) : FStream(stream), FBytes(stream) {}
    // After every block read from or written to the stream.
    virtual void DoProgress();

    vcl::TStream* FStream;
    TStreamBytes FBytes;

private:
    vcl::TNotifyEvent FOnProgress;
};

class TZCompressionStream : public TCustomZStream {
    CL_CLASS(TZCompressionStream, TCustomZStream)
public:
    explicit TZCompressionStream(vcl::TStream* dest, TZCompressionLevel level = TZCompressionLevel::zcDefault);
    TZCompressionStream(vcl::TStream* dest, TZCompressionLevel level, int windowBits, int memLevel,
                        TZStrategy strategy);

    // Writes what is pending and the end of the compressed data into the destination and frees
    // zlib's state, also when writing fails. Its error is raised here once; later calls do nothing.
    void Finish();
    // Free finishes a stream that was not finished, but raises nothing: freeing must not fail (an
    // owning pointer frees in a destructor). A caller that must know that the data is complete
    // calls Finish first.
    void BeforeDestruction() override;

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    // Only (0, soCurrent): the number of bytes written so far.
    int64_t Seek(int64_t Offset, vcl::TSeekOrigin Origin) override;
    float CompressionRate() const { return FZStream->CompressionRate(); }

private:
    std::unique_ptr<TZCompressor> FZStream;
};

class TZDecompressionStream : public TCustomZStream {
    CL_CLASS(TZDecompressionStream, TCustomZStream)
public:
    // Reads the compressed data that starts at the source's current position.
    explicit TZDecompressionStream(vcl::TStream* source);
    TZDecompressionStream(vcl::TStream* source, int windowBits);

    // At the end of the compressed data the source stands right after it.
    int64_t Read(void* Buffer, int64_t Count) override;
    // The compressed data has ended: its checksum was read and matched. A read that gives less
    // than asked for before this is true found the source dry.
    bool Ended() const { return FZStream->Ended(); }
    int64_t Write(const void* Buffer, int64_t Count) override;
    // (0, soBeginning) restarts where the compressed data began; forward seeks read and drop;
    // (0, soEnd) inflates the rest. Answers the number of bytes produced so far.
    int64_t Seek(int64_t Offset, vcl::TSeekOrigin Origin) override;

private:
    std::unique_ptr<TZDecompressor> FZStream;
};

}  // namespace skin
