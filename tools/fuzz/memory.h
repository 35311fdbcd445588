#pragma once
// The byte source of the host fuzz targets: the input held in memory, read as the cores read a
// class-library stream. A read past the end throws EShortRead; a seek outside the data traps.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "skin/graphics/acByteStream.h"

namespace {

class EShortRead : public std::exception {};

class TMemory : public skin::TByteStream {
public:
    // inPlace: the stream shows its bytes in memory, and the PNG reader takes its chunks there.
    TMemory(const uint8_t* data, size_t size, bool inPlace = false) : FData(data, data + size), FInPlace(inPlace) {}
    int64_t Read(void* buffer, int64_t count) override
    {
        const int64_t n = std::clamp<int64_t>(int64_t(FData.size()) - FPosition, 0, count);
        if (n > 0)
            std::memcpy(buffer, FData.data() + FPosition, size_t(n));
        FPosition += n;
        return n;
    }
    void ReadBuffer(void* buffer, int64_t count) override
    {
        if (Read(buffer, count) != count)
            throw EShortRead();
    }
    void WriteBuffer(const void*, int64_t) override { __builtin_trap(); }
    const uint8_t* Memory() override { return FInPlace ? FData.data() : nullptr; }
    int64_t Position() override { return FPosition; }
    void SetPosition(int64_t position) override
    {
        if (position < 0 || position > Size())
            __builtin_trap();  // the cores seek only inside their data
        FPosition = position;
    }
    int64_t Size() override { return int64_t(FData.size()); }

private:
    std::vector<uint8_t> FData;
    bool FInPlace;
    int64_t FPosition = 0;
};

}  // namespace
