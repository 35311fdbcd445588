#include "PNGTestSupport.h"

#include "skin/graphics/acZLibCore.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <string>

using namespace skin;
using namespace pngtest;

namespace {

// Incompressible bytes followed by a compressible run, so that the data ends in a coded block.
std::vector<uint8_t> Sample(size_t random, size_t run, uint32_t seed)
{
    std::vector<uint8_t> data(random + run);
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < random; ++i) {
        x = x * 1664525u + 1013904223u;
        data[i] = static_cast<uint8_t>(x >> 24);
    }
    for (size_t i = 0; i < run; ++i)
        data[random + i] = static_cast<uint8_t>("skin pixels "[i % 12]);
    return data;
}

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& data, TZCompressionLevel level)
{
    TMemoryByteStream out;
    TZCompressor z(out, level);
    z.Write(data.data(), static_cast<int64_t>(data.size()));
    z.Finish();
    return out.Bytes();
}

std::vector<uint8_t> Inflated(TZDecompressor& z, size_t count)
{
    std::vector<uint8_t> out(count);
    out.resize(static_cast<size_t>(z.Read(out.data(), static_cast<int64_t>(count))));
    return out;
}

class EShortRead : public std::exception {};

// What the stream class does for a forward seek: exactly count bytes, else its read error.
TZDecompressor::TReadExactly ReadExactly(TZDecompressor& z)
{
    return [&z](void* buffer, int64_t count) {
        if (z.Read(buffer, count) != count)
            throw EShortRead();
    };
}

EZStreamFault FaultOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EZStreamFault& e) {
        return e;
    }
    ADD_FAILURE() << "no fault";
    return EZStreamFault(TZFaultKind::ZLib, 0, "none");
}

}  // namespace

TEST(ZLibStreams, RoundTripAtEveryLevel)
{
    std::vector<uint8_t> data = Sample(150000, 200000, 1);
    for (int level = 0; level <= static_cast<int>(TZCompressionLevel::zcLevel9); ++level) {
        SCOPED_TRACE(level);
        std::vector<uint8_t> packed = Deflated(data, static_cast<TZCompressionLevel>(level));

        std::vector<uint8_t> check(data.size());
        uLongf size = static_cast<uLongf>(check.size());
        ASSERT_EQ(uncompress(check.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
        EXPECT_EQ(check, data);

        TMemoryByteStream source(packed);
        TZDecompressor z(source);
        EXPECT_EQ(Inflated(z, data.size() + 10), data);
        EXPECT_EQ(source.Position(), source.Size());
    }
    std::vector<uint8_t> packed = Deflated(data, TZCompressionLevel::zcDefault);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0x9C);
}

// Packed entries one after another (size, then compressed data), each read for exactly its
// size by a decompressor of its own: the source must stand right after every entry, also when
// the entry's last bytes (checksum, end code) lie past the 131072-byte block read so far.
TEST(ZLibStreams, EntriesBackToBackWhateverTheBlockBoundaries)
{
    struct Entry {
        std::vector<uint8_t> Data, Packed;
    };
    for (TZCompressionLevel level : {TZCompressionLevel::zcNone, TZCompressionLevel::zcDefault}) {
        std::vector<Entry> entries;
        for (int tail = 0; tail <= 7; ++tail) {
            // Find a size whose compressed form ends `tail` bytes into a new block.
            size_t random = ZBufferSize - 64;
            for (int attempt = 0; attempt < 20; ++attempt) {
                Entry e;
                e.Data = Sample(random, 300, tail);
                e.Packed = Deflated(e.Data, level);
                size_t over = e.Packed.size() % ZBufferSize;
                if (over == static_cast<size_t>(tail)) {
                    entries.push_back(std::move(e));
                    break;
                }
                // Move by the shorter way round to the wanted remainder.
                int64_t step = static_cast<int64_t>((tail + ZBufferSize - over) % ZBufferSize);
                if (step > static_cast<int64_t>(ZBufferSize / 2))
                    step -= static_cast<int64_t>(ZBufferSize);
                random = static_cast<size_t>(static_cast<int64_t>(random) + step);
            }
            ASSERT_EQ(entries.size(), static_cast<size_t>(tail + 1)) << "no size found for tail " << tail;
        }

        TMemoryByteStream source;
        for (const Entry& e : entries) {
            uint32_t size = static_cast<uint32_t>(e.Data.size());
            source.WriteBuffer(&size, 4);
            source.WriteBuffer(e.Packed.data(), static_cast<int64_t>(e.Packed.size()));
        }
        for (bool inPieces : {false, true}) {
            source.SetPosition(0);
            for (const Entry& e : entries) {
                SCOPED_TRACE(testing::Message() << "level " << int(level) << ", " << e.Packed.size() % ZBufferSize
                                                << " bytes into the last block, pieces " << inPieces);
                uint32_t size = 0;
                source.ReadBuffer(&size, 4);
                ASSERT_EQ(size, e.Data.size());
                int64_t start = source.Position();
                TZDecompressor z(source);
                std::vector<uint8_t> got;
                while (got.size() < size) {
                    size_t piece = inPieces ? std::min<size_t>(size - got.size(), 50000) : size;
                    std::vector<uint8_t> part = Inflated(z, piece);
                    ASSERT_EQ(part.size(), piece);
                    got.insert(got.end(), part.begin(), part.end());
                }
                EXPECT_EQ(got, e.Data);
                EXPECT_EQ(source.Position(), start + static_cast<int64_t>(e.Packed.size()));
            }
            EXPECT_EQ(source.Position(), source.Size());
        }
    }
}

TEST(ZLibStreams, ReadingPastTheEndGivesTheRestThenNothing)
{
    std::vector<uint8_t> data = Sample(100, 100, 2);
    std::vector<uint8_t> packed = Deflated(data, TZCompressionLevel::zcDefault);
    packed.insert(packed.end(), {'n', 'e', 'x', 't'});
    TMemoryByteStream source(packed);
    TZDecompressor z(source);
    EXPECT_EQ(Inflated(z, 150).size(), 150u);
    EXPECT_EQ(Inflated(z, 150).size(), 50u);
    EXPECT_EQ(Inflated(z, 150).size(), 0u);
    EXPECT_EQ(source.Position(), source.Size() - 4);
}

TEST(ZLibStreams, DecompressionSeeks)
{
    std::vector<uint8_t> data = Sample(30000, 10000, 3);
    std::vector<uint8_t> packed = Deflated(data, TZCompressionLevel::zcDefault);
    packed.insert(packed.begin(), {'h', 'e', 'a', 'd'});
    TMemoryByteStream source(packed);
    source.SetPosition(4);
    TZDecompressor z(source);

    EXPECT_EQ(Inflated(z, 100), std::vector<uint8_t>(data.begin(), data.begin() + 100));
    EXPECT_EQ(z.Seek(0, TZSeekOrigin::Current, ReadExactly(z)), 100);
    // Seeking to 0 restarts where the compressed data began, not at the source's first byte.
    EXPECT_EQ(z.Seek(0, TZSeekOrigin::Beginning, ReadExactly(z)), 0);
    EXPECT_EQ(Inflated(z, 100), std::vector<uint8_t>(data.begin(), data.begin() + 100));

    EXPECT_EQ(z.Seek(50, TZSeekOrigin::Current, ReadExactly(z)), 150);
    EXPECT_EQ(z.Seek(1000, TZSeekOrigin::Beginning, ReadExactly(z)), 1000);
    EXPECT_EQ(Inflated(z, 10), std::vector<uint8_t>(data.begin() + 1000, data.begin() + 1010));

    for (auto [offset, origin] : {std::pair{int64_t{1010}, TZSeekOrigin::Beginning}, {int64_t{5}, TZSeekOrigin::Beginning},
                                  {int64_t{-1}, TZSeekOrigin::Current}, {int64_t{1}, TZSeekOrigin::End},
                                  {int64_t{-1}, TZSeekOrigin::End}}) {
        EZStreamFault f = FaultOf([&, offset = offset, origin = origin] { z.Seek(offset, origin, ReadExactly(z)); });
        EXPECT_EQ(f.Kind(), TZFaultKind::InvalidOperation);
        EXPECT_EQ(f.Code(), 0);
        EXPECT_STREQ(f.what(), "Invalid ZStream operation!");
    }
    EXPECT_EQ(z.Seek(0, TZSeekOrigin::End, ReadExactly(z)), static_cast<int64_t>(data.size()));
    EXPECT_THROW(z.Seek(1, TZSeekOrigin::Current, ReadExactly(z)), EShortRead);
}

TEST(ZLibStreams, CompressionStream)
{
    TMemoryByteStream empty;
    {
        TZCompressor z(empty, TZCompressionLevel::zcDefault);
        EXPECT_EQ(z.CompressionRate(), 0.0f);
        EXPECT_EQ(z.Seek(0, TZSeekOrigin::Current), 0);
        z.Finish();
    }
    EXPECT_EQ(empty.Bytes(), (std::vector<uint8_t>{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));

    TMemoryByteStream out;
    TZCompressor z(out, TZCompressionLevel::zcMax);
    std::vector<uint8_t> data = Sample(0, 4000, 4);
    z.Write(data.data(), 2000);
    out.SetPosition(0);  // someone else moves the destination: the next write goes back
    z.Write(data.data() + 2000, 2000);
    EXPECT_EQ(z.Seek(0, TZSeekOrigin::Current), 4000);
    for (auto [offset, origin] : {std::pair{int64_t{1}, TZSeekOrigin::Current}, {int64_t{0}, TZSeekOrigin::Beginning},
                                  {int64_t{0}, TZSeekOrigin::End}}) {
        EZStreamFault f = FaultOf([&, offset = offset, origin = origin] { z.Seek(offset, origin); });
        EXPECT_EQ(f.Kind(), TZFaultKind::InvalidOperation);
    }
    z.Finish();
    EXPECT_GT(z.CompressionRate(), 90.0f);
    TMemoryByteStream source(out.Bytes());
    TZDecompressor back(source);
    EXPECT_EQ(Inflated(back, 5000), data);
}

TEST(ZLibStreams, ZLibErrorsCarryTheirCodeAndMessage)
{
    struct Case {
        std::vector<uint8_t> Data;
        int Code;
        const char* Message;
    };
    const Case cases[] = {
        {{0x78, 0x9C, 0x07, 0, 0}, Z_DATA_ERROR, "data error"},
        {{1, 2, 3, 4}, Z_DATA_ERROR, "data error"},
        {{0x78, 0xBB, 0, 0, 0, 1, 3, 0}, Z_NEED_DICT, "need dictionary"},  // would otherwise loop forever
    };
    for (const Case& c : cases) {
        TMemoryByteStream source(c.Data);
        TZDecompressor z(source);
        EZStreamFault f = FaultOf([&] { Inflated(z, 10); });
        EXPECT_EQ(f.Kind(), TZFaultKind::ZLib);
        EXPECT_EQ(f.Code(), c.Code);
        EXPECT_STREQ(f.what(), c.Message);
    }
    EXPECT_STREQ(ZErrorMessage(Z_BUF_ERROR), "buffer error");
    EXPECT_STREQ(ZErrorMessage(-7), "");
    EXPECT_STREQ(ZErrorMessage(Z_STREAM_END), "stream end");
}

TEST(ZLibStreams, SourceRunningDryGivesAShortCount)
{
    std::vector<uint8_t> data = Sample(5000, 0, 5);
    std::vector<uint8_t> packed = Deflated(data, TZCompressionLevel::zcNone);
    packed.resize(packed.size() / 2);
    TMemoryByteStream source(packed);
    TZDecompressor z(source);
    std::vector<uint8_t> got = Inflated(z, data.size());
    EXPECT_LT(got.size(), data.size());
    EXPECT_GT(got.size(), 0u);
}

TEST(ZLibStreams, SourceMovedByOthersIsPutBackAndEveryBlockIsReported)
{
    std::vector<uint8_t> data = Sample(300000, 0, 6);
    TMemoryByteStream source(Deflated(data, TZCompressionLevel::zcNone));
    int blocks = 0;
    TZDecompressor z(source, [&] { ++blocks; });
    std::vector<uint8_t> got = Inflated(z, 1000);
    source.SetPosition(7);
    std::vector<uint8_t> rest = Inflated(z, data.size());
    got.insert(got.end(), rest.begin(), rest.end());
    EXPECT_EQ(got, data);
    EXPECT_EQ(blocks, static_cast<int>((source.Size() + ZBufferSize - 1) / ZBufferSize));
}
