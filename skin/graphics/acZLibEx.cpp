#include "acZLibEx.h"

namespace skin {

namespace {

TZSeekOrigin ZOrigin(vcl::TSeekOrigin origin)
{
    switch (origin) {
    case vcl::TSeekOrigin::soBeginning:
        return TZSeekOrigin::Beginning;
    case vcl::TSeekOrigin::soCurrent:
        return TZSeekOrigin::Current;
    default:
        return TZSeekOrigin::End;
    }
}

// Runs a core operation, raising its faults as the stream's own error class E.
template <class E, class F>
auto Checked(F&& operation) -> decltype(operation())
{
    try {
        return operation();
    } catch (const EZStreamFault& fault) {
        if (fault.Kind() == TZFaultKind::InvalidOperation)
            throw E(vcl::FromUtf8(fault.what()));
        throw E(fault.Code());
    }
}

}  // namespace

EZLibError::EZLibError(int code) : vcl::Exception(vcl::FromUtf8(ZErrorMessage(code))), FErrorCode(code) {}

EZLibError::EZLibError(const vcl::String& message) : vcl::Exception(message) {}

void TCustomZStream::DoProgress()
{
    if (FOnProgress)
        FOnProgress(this);
}

// --- TZCompressionStream ---

TZCompressionStream::TZCompressionStream(vcl::TStream* dest, TZCompressionLevel level) : TCustomZStream(dest)
{
    FZStream = Checked<EZCompressionError>(
        [&] { return std::make_unique<TZCompressor>(FBytes, level, [this] { DoProgress(); }); });
}

TZCompressionStream::TZCompressionStream(vcl::TStream* dest, TZCompressionLevel level, int windowBits, int memLevel,
                                         TZStrategy strategy)
    : TCustomZStream(dest)
{
    FZStream = Checked<EZCompressionError>([&] {
        return std::make_unique<TZCompressor>(FBytes, level, windowBits, memLevel, strategy, [this] { DoProgress(); });
    });
}

void TZCompressionStream::Finish()
{
    Checked<EZCompressionError>([this] { FZStream->Finish(); });
}

void TZCompressionStream::BeforeDestruction()
{
    try {
        Finish();
    } catch (const std::exception&) {
        // Dropped: see the declaration.
    }
    inherited::BeforeDestruction();
}

int64_t TZCompressionStream::Read(void*, int64_t)
{
    throw EZCompressionError(vcl::FromUtf8(InvalidZStreamOperation));
}

int64_t TZCompressionStream::Write(const void* Buffer, int64_t Count)
{
    return Checked<EZCompressionError>([&] { return FZStream->Write(Buffer, Count); });
}

int64_t TZCompressionStream::Seek(int64_t Offset, vcl::TSeekOrigin Origin)
{
    return Checked<EZCompressionError>([&] { return FZStream->Seek(Offset, ZOrigin(Origin)); });
}

// --- TZDecompressionStream ---

TZDecompressionStream::TZDecompressionStream(vcl::TStream* source) : TCustomZStream(source)
{
    FZStream = Checked<EZDecompressionError>(
        [&] { return std::make_unique<TZDecompressor>(FBytes, [this] { DoProgress(); }); });
}

TZDecompressionStream::TZDecompressionStream(vcl::TStream* source, int windowBits) : TCustomZStream(source)
{
    FZStream = Checked<EZDecompressionError>(
        [&] { return std::make_unique<TZDecompressor>(FBytes, windowBits, [this] { DoProgress(); }); });
}

int64_t TZDecompressionStream::Read(void* Buffer, int64_t Count)
{
    return Checked<EZDecompressionError>([&] { return FZStream->Read(Buffer, Count); });
}

int64_t TZDecompressionStream::Write(const void*, int64_t)
{
    throw EZDecompressionError(vcl::FromUtf8(InvalidZStreamOperation));
}

int64_t TZDecompressionStream::Seek(int64_t Offset, vcl::TSeekOrigin Origin)
{
    return Checked<EZDecompressionError>([&] {
        return FZStream->Seek(Offset, ZOrigin(Origin), [this](void* buffer, int64_t count) { ReadBuffer(buffer, count); });
    });
}

}  // namespace skin
