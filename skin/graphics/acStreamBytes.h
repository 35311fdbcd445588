#pragma once
// A class-library stream seen as the byte stream the image and zlib cores read and write.
#include "skin/graphics/acByteStream.h"
#include "vcl/classes.h"

namespace skin {

class TStreamBytes : public TByteStream {
public:
    explicit TStreamBytes(vcl::TStream* stream) : FStream(stream) {}

    int64_t Read(void* buffer, int64_t count) override { return FStream->Read(buffer, count); }
    void ReadBuffer(void* buffer, int64_t count) override { FStream->ReadBuffer(buffer, count); }
    void WriteBuffer(const void* buffer, int64_t count) override { FStream->WriteBuffer(buffer, count); }
    int64_t Position() override { return FStream->Position(); }
    void SetPosition(int64_t position) override { FStream->SetPosition(position); }
    int64_t Size() override { return FStream->Size(); }

private:
    vcl::TStream* FStream;
};

}  // namespace skin
