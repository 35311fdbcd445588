#include "PNGTestSupport.h"

#include "skin/graphics/acPNGReader.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

using namespace skin;
using namespace pngtest;

namespace {

// 4 x 3 RGB, 8 bits, rows filtered with None: pixel (x, y) = (10x + y, 100 + y, 200 - x).
std::vector<uint8_t> RGBRows()
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < 3; ++y) {
        raw.push_back(0);
        for (int x = 0; x < 4; ++x)
            raw.insert(raw.end(), {uint8_t(10 * x + y), uint8_t(100 + y), uint8_t(200 - x)});
    }
    return raw;
}

std::vector<TChunk> RGBImage()
{
    return {{"IHDR", Header(4, 3, 8, 2)}, {"IDAT", Compress(RGBRows())}, {"IEND", {}}};
}

// The first bytes of raw compressed so that they inflate on their own: a full flush follows them.
std::vector<uint8_t> CompressedPrefix(const std::vector<uint8_t>& raw, size_t bytes)
{
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<uint8_t> out(compressBound(static_cast<uLong>(raw.size())) + 16);
    z.next_in = const_cast<Bytef*>(raw.data());
    z.avail_in = static_cast<uInt>(bytes);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FULL_FLUSH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::vector<TChunk> With(std::vector<TChunk> chunks, size_t at, TChunk chunk)
{
    chunks.insert(chunks.begin() + static_cast<ptrdiff_t>(at), std::move(chunk));
    return chunks;
}

std::string FaultOf(const std::vector<uint8_t>& png, TTestBitmap& bitmap, TByteSource source = TByteSource::Copied)
{
    try {
        Decode(png, bitmap, nullptr, source);
    } catch (const EPNGFault& e) {
        return e.what();
    } catch (const EMemoryReadError&) {
        return "read error";
    }
    EXPECT_TRUE(bitmap.GuardsIntact());
    return "";
}

std::string FaultOf(const std::vector<uint8_t>& png, TByteSource source = TByteSource::Copied)
{
    TTestBitmap bitmap;
    return FaultOf(png, bitmap, source);
}

std::string Message(TPNGFault kind)
{
    return EPNGFault(kind).what();
}

}  // namespace

// Every file of the generated corpus decodes to exactly the pixels written beside it.
TEST(PNGReader, CorpusDecodesPixelForPixel)
{
    std::ifstream manifest("pngcorpus/manifest.txt");
    ASSERT_TRUE(manifest) << "the corpus is generated into the test's build folder";
    std::string line;
    int files = 0;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string png, rgba, transparent;
        uint32_t width, height;
        int bits;
        fields >> png >> rgba >> width >> height >> bits >> transparent;
        SCOPED_TRACE(png);
        ++files;

        TTestBitmap bitmap;
        ASSERT_NO_THROW(Decode(ReadFile("pngcorpus/" + png), bitmap));
        ASSERT_EQ(bitmap.Width(), width);
        ASSERT_EQ(bitmap.Height(), height);
        EXPECT_EQ(bitmap.BitsPerPixel(), bits);
        EXPECT_EQ(bitmap.TransparentColor(), transparent == "-" ? PNGNoColor : std::stoul(transparent, nullptr, 16));
        EXPECT_TRUE(bitmap.GuardsIntact());

        std::vector<uint8_t> expected = ReadFile("pngcorpus/" + rgba);
        ASSERT_EQ(expected.size(), size_t{width} * height * 4);
        int wrong = 0;
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                std::array<uint8_t, 4> got = bitmap.RGBA(x, y);
                const uint8_t* want = &expected[(size_t{y} * width + x) * 4];
                if (!std::equal(got.begin(), got.end(), want) && wrong++ == 0)
                    ADD_FAILURE() << "first wrong pixel (" << x << ", " << y << "): got " << int(got[0]) << " "
                                  << int(got[1]) << " " << int(got[2]) << " " << int(got[3]) << ", want "
                                  << int(want[0]) << " " << int(want[1]) << " " << int(want[2]) << " "
                                  << int(want[3]);
            }
        EXPECT_EQ(wrong, 0);
    }
    EXPECT_GT(files, 0);
}

TEST(PNGReader, RGBAPixelLiesInMemoryAsBlueGreenRedAlpha)
{
    std::vector<uint8_t> row = {0, 10, 20, 30, 40};
    TTestBitmap bitmap;
    Decode(Datastream({{"IHDR", Header(1, 1, 8, 6)}, {"IDAT", Compress(row)}, {"IEND", {}}}), bitmap);
    ASSERT_EQ(bitmap.BitsPerPixel(), 32);
    const uint8_t expected[] = {30, 20, 10, 40};
    EXPECT_TRUE(std::equal(expected, expected + 4, bitmap.ScanLine(0)));
}

TEST(PNGReader, SixteenBitGreyReducesByScalingNotByTheHighByte)
{
    std::vector<uint8_t> row = {0, 0xFF, 0x00};
    TTestBitmap bitmap;
    Decode(Datastream({{"IHDR", Header(1, 1, 16, 0)}, {"IDAT", Compress(row)}, {"IEND", {}}}), bitmap);
    EXPECT_EQ(bitmap.Value(0, 0), 254u);
}

TEST(PNGReader, TwoBitPaletteBecomesFourBitsWithSpreadPalette)
{
    std::vector<uint8_t> row = {0, 0b00011011};
    std::vector<uint8_t> plte = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    TTestBitmap bitmap;
    Decode(Datastream({{"IHDR", Header(4, 1, 2, 3)}, {"PLTE", plte}, {"IDAT", Compress(row)}, {"IEND", {}}}), bitmap);
    ASSERT_EQ(bitmap.BitsPerPixel(), 4);
    ASSERT_EQ(bitmap.Palette().size(), 16u);
    for (uint32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(bitmap.Value(x, 0), 5 * x);
        EXPECT_EQ(bitmap.Palette()[5 * x].Red, x + 1);
    }
}

TEST(PNGReader, PropertiesOfTheHeaderPass)
{
    std::vector<uint8_t> gamma = {0, 0, 0xAF, 0xC8};  // 45000
    std::vector<uint8_t> rows((1 + 8) + (1 + 8) + (1 + 2 * 8), 0);  // passes 1, 6 and 7
    TTestBitmap bitmap;
    TImageProperties p;
    Decode(Datastream({{"IHDR", Header(2, 2, 16, 6, 1)}, {"gAMA", gamma}, {"IDAT", Compress(rows)}, {"IEND", {}}}),
           bitmap, &p);
    EXPECT_EQ(p.Width, 2u);
    EXPECT_EQ(p.Height, 2u);
    EXPECT_EQ(p.ColorScheme, TColorScheme::csRGBA);
    EXPECT_EQ(p.BitsPerSample, 16);
    EXPECT_EQ(p.SamplesPerPixel, 4);
    EXPECT_EQ(p.BitsPerPixel, 64);
    EXPECT_EQ(p.Compression, TCompressionType::ctLZ77);
    EXPECT_FLOAT_EQ(p.FileGamma, 0.45f);
    EXPECT_TRUE(p.Interlaced);
    EXPECT_TRUE(p.HasAlpha);
    EXPECT_TRUE(p.Options.Contains(TImageOption::ioBigEndian));
    EXPECT_TRUE(p.Options.Contains(TImageOption::ioUseGamma));
}

TEST(PNGReader, ReadsFromTheStreamsCurrentPosition)
{
    std::vector<uint8_t> bytes = {'j', 'u', 'n', 'k'};
    std::vector<uint8_t> png = Datastream(RGBImage());
    bytes.insert(bytes.end(), png.begin(), png.end());
    TMemoryByteStream stream(bytes);
    stream.SetPosition(4);
    TColorManager colors;
    TTestBitmap bitmap;
    TImageProperties p;
    TPNGReader(stream, colors, bitmap, p).Load();
    EXPECT_EQ(bitmap.RGBA(3, 2), (std::array<uint8_t, 4>{32, 102, 197, 255}));
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(PNGReader, ProgressNotifications)
{
    TTestBitmap good;
    Decode(Datastream(RGBImage()), good);
    const std::vector<std::pair<TPNGProgress, std::string>> expected = {
        {TPNGProgress::Starting, "Preparing..."},
        {TPNGProgress::Ending, ""},
        {TPNGProgress::Starting, "Transfering..."},
        {TPNGProgress::Ending, ""}};
    ASSERT_EQ(good.ProgressLog().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(good.ProgressLog()[i].Stage, expected[i].first);
        EXPECT_EQ(good.ProgressLog()[i].Message, expected[i].second);
    }

    TTestBitmap failed;  // the closing notification comes on failure too
    std::vector<TChunk> chunks = RGBImage();
    chunks[1].BadCRC = true;
    EXPECT_THROW(Decode(Datastream(chunks), failed), EPNGFault);
    ASSERT_FALSE(failed.ProgressLog().empty());
    EXPECT_EQ(failed.ProgressLog().back().Stage, TPNGProgress::Ending);
}

// IDAT chunks that run out before the compressed data ends leave the rest as the row buffers hold it.
TEST(PNGReader, ImageDataEndingEarlyDoesNotFail)
{
    std::vector<uint8_t> rows = RGBRows();
    rows.resize(1 + 12);
    std::vector<uint8_t> firstRow = Compress(rows);
    std::vector<uint8_t> packed = Compress(RGBRows());
    packed.resize(firstRow.size() - 4);  // about one row's worth, without the end of the data
    TTestBitmap bitmap;
    Decode(Datastream({{"IHDR", Header(4, 3, 8, 2)}, {"IDAT", packed}, {"IEND", {}}}), bitmap);
    EXPECT_EQ(bitmap.RGBA(0, 0), (std::array<uint8_t, 4>{0, 100, 200, 255}));
    EXPECT_TRUE(bitmap.GuardsIntact());
}

// Image data that breaks off or goes wrong after the first row: that row keeps its pixels and
// the rest are built from what the row buffers hold (the second from a cleared buffer, the
// third from the first row's), or the fault comes after the first row. A small image inflates
// its data in one go and goes back to reading row by row for exactly these cases.
TEST(PNGReader, ImageDataBreakingOffAfterTheFirstRow)
{
    const std::vector<uint8_t> first = CompressedPrefix(RGBRows(), 13);
    TTestBitmap early;
    Decode(Datastream({{"IHDR", Header(4, 3, 8, 2)}, {"IDAT", first}, {"IEND", {}}}), early);
    EXPECT_EQ(early.RGBA(1, 0), (std::array<uint8_t, 4>{10, 100, 199, 255}));
    EXPECT_EQ(early.RGBA(1, 1), (std::array<uint8_t, 4>{0, 0, 0, 255}));
    EXPECT_EQ(early.RGBA(1, 2), (std::array<uint8_t, 4>{10, 100, 199, 255}));

    TTestBitmap faulty;
    const uint8_t reservedBlock = 0xFF;
    EXPECT_EQ(FaultOf(Datastream({{"IHDR", Header(4, 3, 8, 2)}, {"IDAT", first}, {"IDAT", {reservedBlock}}, {"IEND", {}}}),
                      faulty),
              Message(TPNGFault::CompressionError));
    EXPECT_EQ(faulty.RGBA(1, 0), (std::array<uint8_t, 4>{10, 100, 199, 255}));
}

// 201 x 150 RGB, 8 bits, rows filtered with None: more image data than the reader inflates ahead at
// once, in rows of 604 bytes that straddle the ends of its pieces. Pixel (x, y) = (x + y, x * y, y).
std::vector<uint8_t> LargeRGBRows(uint32_t rows = 150)
{
    std::vector<uint8_t> raw;
    for (uint32_t y = 0; y < rows; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < 201; ++x)
            raw.insert(raw.end(), {uint8_t(x + y), uint8_t(x * y), uint8_t(y)});
    }
    return raw;
}

std::array<uint8_t, 4> LargeRGBPixel(uint32_t x, uint32_t y)
{
    return {uint8_t(x + y), uint8_t(x * y), uint8_t(y), 255};
}

// The image data split over chunks of at most 1000 bytes.
std::vector<TChunk> LargeRGBImage(const std::vector<uint8_t>& packed, std::vector<TChunk> after = {})
{
    std::vector<TChunk> chunks = {{"IHDR", Header(201, 150, 8, 2)}};
    for (size_t i = 0; i < packed.size(); i += 1000)
        chunks.push_back({"IDAT", {packed.begin() + i, packed.begin() + std::min(packed.size(), i + 1000)}});
    chunks.insert(chunks.end(), after.begin(), after.end());
    chunks.push_back({"IEND", {}});
    return chunks;
}

// A large image decodes the same whole; when its data breaks off or goes wrong after 120 rows,
// past the first piece inflated ahead, the rows end as when read one by one: the image without
// a fault, rows 120 and 121 from the row buffers that held rows 118 and 119; the fault after
// row 119, the rows after it not written.
TEST(PNGReader, LargeImageDataBreakingOffEndsAsRowByRow)
{
    const std::vector<uint8_t> first = CompressedPrefix(LargeRGBRows(), 120 * 604);
    const uint8_t reservedBlock = 0xFF;
    for (const TByteSource source : AllByteSources) {
        SCOPED_TRACE(source == TByteSource::InPlace ? "in place" : "copied");
        TTestBitmap whole;
        Decode(Datastream(LargeRGBImage(Compress(LargeRGBRows()))), whole, nullptr, source);
        for (uint32_t y = 0; y < 150; y += 7)
            for (uint32_t x = 0; x < 201; x += 5)
                ASSERT_EQ(whole.RGBA(x, y), LargeRGBPixel(x, y)) << x << ", " << y;

        TTestBitmap early;
        Decode(Datastream(LargeRGBImage(first)), early, nullptr, source);
        EXPECT_EQ(early.RGBA(200, 119), LargeRGBPixel(200, 119));
        EXPECT_EQ(early.RGBA(200, 120), LargeRGBPixel(200, 118));
        EXPECT_EQ(early.RGBA(200, 121), LargeRGBPixel(200, 119));
        EXPECT_TRUE(early.GuardsIntact());

        TTestBitmap faulty;
        EXPECT_EQ(FaultOf(Datastream(LargeRGBImage(first, {{"IDAT", {reservedBlock}}})), faulty, source),
                  Message(TPNGFault::CompressionError));
        EXPECT_EQ(faulty.RGBA(200, 119), LargeRGBPixel(200, 119));
        EXPECT_EQ(faulty.Value(0, 120), 0x5A5A5Au) << "not written";
    }
}

TEST(PNGReader, ExtraImageDataAfterTheImageIsCheckedNotInflated)
{
    std::vector<TChunk> chunks = With(RGBImage(), 2, {"IDAT", {1, 2, 3}});
    EXPECT_EQ(FaultOf(Datastream(chunks)), "");
    chunks[2].BadCRC = true;
    EXPECT_EQ(FaultOf(Datastream(chunks)), Message(TPNGFault::CRCError));
}

// Compressed data for six rows of a three-row image: the first image data leaves the rest pending
// in the inflater, and image data that comes again after chunks read in between decodes it.
TEST(PNGReader, LaterImageDataGoesOnWhereTheFirstStopped)
{
    std::vector<uint8_t> rows = RGBRows(), later = RGBRows();
    for (size_t i = 0; i < later.size(); ++i)
        if (i % 13 != 0)  // every byte but the filter bytes
            ++later[i];
    rows.insert(rows.end(), later.begin(), later.end());
    // The bKGD chunk is larger than the image data chunk.
    const std::vector<uint8_t> png = Datastream({{"IHDR", Header(4, 3, 8, 2)},
                                                 {"IDAT", Compress(rows)},
                                                 {"tEXt", {'a', 0, 'b'}},
                                                 {"bKGD", std::vector<uint8_t>(600, 0)},
                                                 {"IDAT", {}},
                                                 {"IEND", {}}});
    for (const TByteSource source : AllByteSources) {
        TTestBitmap bitmap;
        Decode(png, bitmap, nullptr, source);
        EXPECT_EQ(bitmap.RGBA(3, 2), (std::array<uint8_t, 4>{33, 103, 198, 255}));
        EXPECT_TRUE(bitmap.GuardsIntact());
    }
}

TEST(PNGReader, ShortAncillaryChunksAreIgnored)
{
    const TChunk shortChunks[] = {{"gAMA", {0, 1}}, {"bKGD", {0, 1, 0, 2}}, {"tRNS", {0, 1, 0}}};
    for (const TChunk& c : shortChunks) {
        SCOPED_TRACE(c.Type);
        TTestBitmap bitmap;
        Decode(Datastream(With(RGBImage(), 1, c)), bitmap);
        EXPECT_EQ(bitmap.TransparentColor(), PNGNoColor);
        EXPECT_EQ(bitmap.RGBA(1, 1), (std::array<uint8_t, 4>{11, 101, 199, 255}));  // no gamma either
    }
}

// Broken and unusual files: each gives its error, or none, and nothing is written out of bounds.
TEST(PNGReader, BrokenFiles)
{
    auto image = [](std::function<void(std::vector<TChunk>&)> change) {
        return [change] {
            std::vector<TChunk> chunks = RGBImage();
            change(chunks);
            return Datastream(chunks);
        };
    };
    auto bytes = [](std::function<void(std::vector<uint8_t>&)> change) {
        return [change] {
            std::vector<uint8_t> png = Datastream(RGBImage());
            change(png);
            return png;
        };
    };
    auto withRows = [](uint32_t w, uint32_t h, uint8_t depth, uint8_t type, std::vector<uint8_t> rows,
                       std::vector<TChunk> extra = {}) {
        return [=] {
            std::vector<TChunk> chunks = {{"IHDR", Header(w, h, depth, type)}};
            chunks.insert(chunks.end(), extra.begin(), extra.end());
            chunks.push_back({"IDAT", Compress(rows)});
            chunks.push_back({"IEND", {}});
            return Datastream(chunks);
        };
    };
    const std::string invalid = Message(TPNGFault::InvalidFormat);
    const std::string crc = Message(TPNGFault::CRCError);
    struct Case {
        const char* Name;
        std::function<std::vector<uint8_t>()> Make;
        std::string Expected;
    };
    const Case cases[] = {
        {"good", image([](auto&) {}), ""},
        {"bad signature", bytes([](auto& p) { p[1] = 'p'; }), invalid},
        {"empty stream", [] { return std::vector<uint8_t>{}; }, "read error"},
        {"first chunk not IHDR", image([](auto& c) { std::swap(c[0], c[1]); }), invalid},
        {"IHDR of 12 bytes", image([](auto& c) { c[0].Data.pop_back(); }), invalid},
        {"IHDR of 14 bytes", image([](auto& c) { c[0].Data.push_back(0); }), invalid},
        {"width 0", image([](auto& c) { c[0].Data = Header(0, 3, 8, 2); }), invalid},
        {"height 0", image([](auto& c) { c[0].Data = Header(4, 0, 8, 2); }), invalid},
        {"width 2^31", image([](auto& c) { c[0].Data = Header(0x80000000u, 1, 8, 2); }), invalid},
        {"height 2^32 - 1", image([](auto& c) { c[0].Data = Header(1, 0xFFFFFFFFu, 8, 2); }), invalid},
        {"too many pixels", image([](auto& c) { c[0].Data = Header(65536, 65536, 1, 0); }), invalid},
        {"pixels just above the limit", image([](auto& c) { c[0].Data = Header(4097, 4096, 8, 2); }), invalid},
        {"IHDR bad CRC", image([](auto& c) { c[0].BadCRC = true; }), crc},
        {"IDAT bad CRC", image([](auto& c) { c[1].BadCRC = true; }), crc},
        {"PLTE bad CRC", image([](auto& c) { c.insert(c.begin() + 1, {"PLTE", {1, 2, 3}, {}, true}); }), crc},
        {"bKGD bad CRC", image([](auto& c) { c.insert(c.begin() + 1, {"bKGD", {0, 1, 0, 2, 0, 3}, {}, true}); }),
         crc},
        {"tEXt bad CRC unnoticed", image([](auto& c) { c.insert(c.begin() + 1, {"tEXt", {'a', 0, 'b'}, {}, true}); }),
         ""},
        {"IEND bad CRC unnoticed", image([](auto& c) { c[2].BadCRC = true; }), ""},
        {"compression method 1", image([](auto& c) { c[0].Data[10] = 1; }),
         Message(TPNGFault::UnsupportedCompression)},
        {"PLTE of 4 bytes", image([](auto& c) { c.insert(c.begin() + 1, {"PLTE", {1, 2, 3, 4}}); }),
         Message(TPNGFault::InvalidPalette)},
        {"PLTE of 0 bytes", image([](auto& c) { c.insert(c.begin() + 1, {"PLTE", {}}); }),
         Message(TPNGFault::InvalidPalette)},
        {"unknown critical chunk", image([](auto& c) { c.insert(c.begin() + 1, {"ABCD", {1}}); }),
         Message(TPNGFault::UnexpectedCriticalChunk)},
        {"unknown ancillary chunk", image([](auto& c) { c.insert(c.begin() + 1, {"aBCD", {1}}); }), ""},
        {"second IHDR", image([](auto& c) { c.insert(c.begin() + 1, {"IHDR", Header(4, 3, 8, 2)}); }),
         Message(TPNGFault::UnexpectedCriticalChunk)},
        {"chunk length 2^31", image([](auto& c) { c.insert(c.begin() + 1, {"tEXt", {}, 0x80000000u}); }), invalid},
        {"chunk length 2^32 - 1", image([](auto& c) { c[1].Length = 0xFFFFFFFFu; }), invalid},
        {"chunk longer than the stream", image([](auto& c) { c[1].Length = uint32_t(c[1].Data.size() + 17); }),
         invalid},
        {"cut inside the image data", bytes([](auto& p) { p.resize(p.size() - 20); }), invalid},
        {"cut before IEND", bytes([](auto& p) { p.resize(p.size() - 12); }), "read error"},
        {"cut inside a chunk header", bytes([](auto& p) { p.resize(p.size() - 8); }), "read error"},
        {"reserved block type", image([](auto& c) { c[1].Data = {0x78, 0x9C, 0x07, 0, 0}; }),
         Message(TPNGFault::CompressionError)},
        {"not zlib data", image([](auto& c) { c[1].Data = {1, 2, 3, 4, 5, 6}; }),
         Message(TPNGFault::CompressionError)},
        {"preset dictionary", image([](auto& c) { c[1].Data = {0x78, 0xBB, 0, 0, 0, 1, 3, 0}; }),
         Message(TPNGFault::CompressionError)},
        {"bytes after the compressed data", image([](auto& c) { c[1].Data.push_back(0); }),
         Message(TPNGFault::ExtraCompressedData)},
        {"compressed data ends inside a row", withRows(4, 3, 8, 2, std::vector<uint8_t>(13 * 3 - 1, 0)),
         Message(TPNGFault::ExtraCompressedData)},
        {"compressed data cut inside a row", image([](auto& c) { c[1].Data.resize(c[1].Data.size() / 2); }), ""},
        {"second zlib stream in the next IDAT",
         image([](auto& c) { c.insert(c.begin() + 2, {"IDAT", Compress({0, 1})}); }), ""},
        {"colour type 5", image([](auto& c) { c[0].Data = Header(4, 3, 8, 5); }),
         Message(TPNGFault::InvalidColorFormat)},
        {"RGB of 4 bits", image([](auto& c) { c[0].Data = Header(4, 3, 4, 2); }),
         Message(TPNGFault::InvalidColorFormat)},
        {"palette of 16 bits", image([](auto& c) {
             c[0].Data = Header(4, 3, 16, 3);
             c.insert(c.begin() + 1, {"PLTE", {1, 2, 3}});
         }),
         Message(TPNGFault::InvalidColorFormat)},
        {"2-bit palette of one entry", withRows(4, 1, 2, 3, {0, 0b00011011}, {{"PLTE", {9, 9, 9}}}), ""},
        {"palette of more than 256 entries", withRows(2, 1, 8, 3, {0, 255, 0}, {{"PLTE", std::vector<uint8_t>(900, 7)}}),
         ""},
        {"palette image without PLTE", withRows(2, 1, 8, 3, {0, 1, 2}), ""},
        {"huge palette index", withRows(2, 1, 8, 3, {0, 255, 255}, {{"PLTE", {1, 2, 3}}}), ""},
        {"unknown filter type", withRows(2, 1, 8, 0, {9, 1, 2}), ""},
        {"lower-case idat", image([](auto& c) { c[1].Type = "idat"; }), ""},
    };
    for (const Case& c : cases)
        for (const TByteSource source : AllByteSources)
            EXPECT_EQ(FaultOf(c.Make(), source), c.Expected)
                << c.Name << (source == TByteSource::InPlace ? ", in place" : ", copied");
}

TEST(PNGReader, TwoBitPaletteOfOneEntryPadsWithBlack)
{
    TTestBitmap bitmap;
    Decode(Datastream({{"IHDR", Header(4, 1, 2, 3)},
                       {"PLTE", {9, 8, 7}},
                       {"IDAT", Compress({0, 0b00011011})},
                       {"IEND", {}}}),
           bitmap);
    EXPECT_EQ(bitmap.RGBA(0, 0), (std::array<uint8_t, 4>{9, 8, 7, 255}));
    EXPECT_EQ(bitmap.RGBA(3, 0), (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

TEST(PNGReader, CRCOfPNGChunks)
{
    const uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(UpdateCRC(0, iend, 4), 0xAE426082u);
    EXPECT_EQ(UpdateCRC(0, nullptr, 4), 0u);
    const uint8_t text[] = "123456789";
    EXPECT_EQ(UpdateCRC(UpdateCRC(0, text, 4), text + 4, 5), 0xCBF43926u);
}

TEST(PNGReader, ChunkNamesIgnoreTheCaseBit)
{
    TPNGChunkHeader h;
    h.ChunkType = {'i', 'D', 'a', 'T'};
    EXPECT_TRUE(IsChunk(h, "IDAT"));
    EXPECT_FALSE(IsChunk(h, "IEND"));
}

TEST(PNGReader, Filters)
{
    const uint8_t previous[] = {10, 20, 30, 40};
    struct Case {
        uint8_t Filter;
        std::array<uint8_t, 4> Expected;
    };
    // Row {1, 2, 3, 4}, two bytes per pixel.
    const Case cases[] = {
        {0, {1, 2, 3, 4}},
        {1, {1, 2, 4, 6}},
        {2, {11, 22, 33, 44}},
        {3, {6, 12, 3 + (6 + 30) / 2, 4 + (12 + 40) / 2}},
        {4, {11, 22, 33, 44}},  // the Paeth predictor picks "above" here
        {5, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        std::array<uint8_t, 4> row = {1, 2, 3, 4};
        ApplyFilter(c.Filter, row.data(), previous, 2, row.size());
        EXPECT_EQ(row, c.Expected) << "filter " << int(c.Filter);
    }
}

// Every pixel width the reader meets (the wide ones go pixel by pixel through vector registers)
// against the filters' definition, byte by byte; small and extreme values make the Paeth
// predictor's ties and the sums that wrap frequent.
TEST(PNGReader, FiltersMatchTheirDefinitionAtEveryPixelWidth)
{
    auto defined = [](uint8_t filter, std::vector<uint8_t> row, const std::vector<uint8_t>& above, size_t n) {
        for (size_t i = 0; i < row.size(); ++i) {
            int a = i >= n ? row[i - n] : 0, b = above[i], c = i >= n ? above[i - n] : 0;
            int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            int predictor[] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
            row[i] = uint8_t(row[i] + predictor[filter]);
        }
        return row;
    };
    const std::vector<std::vector<uint8_t>> values = {{0, 1, 2, 3}, {0, 1, 254, 255}, {}};  // {}: any byte
    std::mt19937 random(32);
    for (uint32_t n : {1, 2, 3, 4, 6, 8})
        for (const std::vector<uint8_t>& pick : values)
            for (uint8_t filter = 0; filter <= 4; ++filter) {
                auto next = [&] { return pick.empty() ? uint8_t(random()) : pick[random() % pick.size()]; };
                std::vector<uint8_t> row(n * 37), above(n * 37);
                std::generate(row.begin(), row.end(), next);
                std::generate(above.begin(), above.end(), next);
                std::vector<uint8_t> got = row;
                ApplyFilter(filter, got.data(), above.data(), n, got.size());
                EXPECT_EQ(got, defined(filter, row, above, n)) << "filter " << int(filter) << ", " << n << " bytes";
            }
}
