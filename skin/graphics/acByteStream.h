#pragma once
// The few stream operations the PNG reader and the zlib streams need, so that
// their cores can run over any byte source: the class library's streams in the
// product, plain memory in the tests.
#include <cstdint>

namespace skin {

class TByteStream {
public:
    virtual ~TByteStream() = default;

    // Up to count bytes; fewer only at the end of the data.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Exactly count bytes, or the stream's own read error.
    virtual void ReadBuffer(void* buffer, int64_t count) = 0;
    // Exactly count bytes, or the stream's own write error.
    virtual void WriteBuffer(const void* buffer, int64_t count) = 0;

    // All the stream's bytes, from its start, when it keeps them in memory: readers may take data
    // where it lies instead of copying it. Null for other streams.
    virtual const uint8_t* Memory() { return nullptr; }

    virtual int64_t Position() = 0;
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t Size() = 0;
};

}  // namespace skin
