#pragma once
// A class-library stream seen as the byte stream the image and zlib cores read and write, and the
// bytes of a memory stream as a block.
#include "skin/graphics/acByteStream.h"
#include "vcl/classes.h"

#include <vector>

namespace skin {

class TStreamBytes : public TByteStream {
public:
    explicit TStreamBytes(vcl::TStream* stream)
        : FStream(stream), FMemoryStream(dynamic_cast<vcl::TCustomMemoryStream*>(stream))
    {
    }

    int64_t Read(void* buffer, int64_t count) override { return FStream->Read(buffer, count); }
    void ReadBuffer(void* buffer, int64_t count) override { FStream->ReadBuffer(buffer, count); }
    void WriteBuffer(const void* buffer, int64_t count) override { FStream->WriteBuffer(buffer, count); }
    const uint8_t* Memory() override
    {
        return FMemoryStream ? static_cast<const uint8_t*>(FMemoryStream->Memory()) : nullptr;
    }
    int64_t Position() override { return FStream->Position(); }
    void SetPosition(int64_t position) override { FStream->SetPosition(position); }
    int64_t Size() override { return FStream->Size(); }

private:
    vcl::TStream* FStream;
    vcl::TCustomMemoryStream* FMemoryStream;  // the same stream when it is one, else null
};

// The bytes a memory stream holds.
inline std::vector<uint8_t> StreamBytes(vcl::TCustomMemoryStream* Stream)
{
    const auto* first = static_cast<const uint8_t*>(Stream->Memory());
    return std::vector<uint8_t>(first, first + Stream->Size());
}

// Replaces what the stream holds by the bytes; its position goes back to the start.
inline void SetStreamBytes(vcl::TMemoryStream* Stream, const std::vector<uint8_t>& Bytes)
{
    Stream->Clear();
    Stream->WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    Stream->SetPosition(0);
}

}  // namespace skin
