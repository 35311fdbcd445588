#include "skin/graphics/acColorManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace skin;

namespace {

const uint8_t* const* Rows(const uint8_t* const& row)
{
    return &row;
}

void Describe(TColorManager& c, TColorScheme source, uint8_t sourceSamples, uint8_t sourceBits, TColorScheme target,
              uint8_t targetSamples, uint8_t targetBits)
{
    c.SetSourceColorScheme(source);
    c.SetSourceSamplesPerPixel(sourceSamples);
    c.SetSourceBitsPerSample(sourceBits);
    c.SetTargetColorScheme(target);
    c.SetTargetSamplesPerPixel(targetSamples);
    c.SetTargetBitsPerSample(targetBits);
}

std::string ErrorOf(TColorManager& c, const uint8_t* source, uint8_t* target)
{
    try {
        c.ConvertRow(std::span(Rows(source), 1), target, 1, 0xFF);
    } catch (const EColorConversionFault& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(ColorManager, SettersCheckTheirRangesButTakeOddDepths)
{
    TColorManager c;
    EXPECT_THROW(c.SetSourceBitsPerSample(0), EColorConversionFault);
    EXPECT_THROW(c.SetTargetBitsPerSample(17), EColorConversionFault);
    EXPECT_THROW(c.SetSourceSamplesPerPixel(0), EColorConversionFault);
    EXPECT_THROW(c.SetTargetSamplesPerPixel(5), EColorConversionFault);
    c.SetSourceBitsPerSample(3);
    EXPECT_EQ(c.SourceBitsPerSample(), 3);
    try {
        c.SetSourceBitsPerSample(0);
    } catch (const EColorConversionFault& e) {
        EXPECT_STREQ(e.what(), "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
    }
}

TEST(ColorManager, IndexedAndNonIndexedSchemesDoNotMix)
{
    uint8_t source[4] = {}, target[4] = {};
    TColorManager gaToIndexed;
    Describe(gaToIndexed, TColorScheme::csGA, 1, 8, TColorScheme::csIndexed, 1, 8);
    EXPECT_EQ(ErrorOf(gaToIndexed, source, target), "");

    TColorManager gaToGa;
    Describe(gaToGa, TColorScheme::csGA, 1, 8, TColorScheme::csGA, 1, 8);
    EXPECT_EQ(ErrorOf(gaToGa, source, target),
              "Conversion between indexed and non-indexed pixel formats is not supported.");
}

TEST(ColorManager, MissingConverterIsFoundAtTheFirstRow)
{
    uint8_t source[4] = {}, target[4] = {};
    TColorManager c;
    Describe(c, TColorScheme::csCMYK, 4, 8, TColorScheme::csBGR, 3, 8);  // setting it is accepted
    EXPECT_EQ(ErrorOf(c, source, target), "Color conversion failed. Could not find a proper method.");
}

TEST(ColorManager, SixteenBitSamplesReduceByScaling)
{
    TColorManager c;
    Describe(c, TColorScheme::csG, 1, 16, TColorScheme::csG, 1, 8);
    c.SourceOptions = {TConvertOption::coNeedByteSwap};
    const uint8_t source[] = {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x00, 0x80, 0x00};  // big-endian
    uint8_t target[4] = {};
    c.ConvertRow(std::span(Rows(source), 1), target, 4, 0xFF);
    EXPECT_EQ(target[0], 255);
    EXPECT_EQ(target[1], 0);
    EXPECT_EQ(target[2], 254);
    EXPECT_EQ(target[3], 127);
}

TEST(ColorManager, GammaTable)
{
    TColorManager c;
    EXPECT_EQ(c.GammaTable()[128], 186);  // main gamma 1.0, display gamma 2.2 after construction
    c.SetGamma(0.45455f, 2.2f);
    EXPECT_EQ(c.GammaTable()[0], 0);
    EXPECT_EQ(c.GammaTable()[255], 255);
    c.SetGamma(0.45f, 2.2f);
    EXPECT_EQ(c.GammaTable()[128], 127);
    EXPECT_EQ(c.GammaTable()[64], 63);
    c.SetGamma(0, -1);  // not above 0: the defaults
    EXPECT_EQ(c.MainGamma(), 1.0f);
    EXPECT_EQ(c.DisplayGamma(), 2.2f);
}

// Managers share the tables of one gamma; the depths in force at SetGamma are part of a table.
TEST(ColorManager, GammaTablesOfOneGammaButOtherDepthsDiffer)
{
    TColorManager wide;
    wide.SetGamma(1.0f, 2.2f);
    EXPECT_EQ(wide.GammaTable()[1], 21);  // 255 * (1 / 255)^(1 / 2.2)
    TColorManager narrow;
    Describe(narrow, TColorScheme::csG, 1, 4, TColorScheme::csG, 1, 4);
    narrow.SetGamma(1.0f, 2.2f);
    EXPECT_EQ(narrow.GammaTable()[1], 4);  // 15 * (1 / 15)^(1 / 2.2)
    EXPECT_EQ(narrow.GammaTable()[15], 15);
    EXPECT_EQ(TColorManager().GammaTable(), wide.GammaTable());
}

TEST(ColorManager, GammaTableStaysInsideItsEntriesForNarrowSourcesAndWideTargets)
{
    TColorManager c;
    c.SetSourceBitsPerSample(4);
    c.SetTargetBitsPerSample(16);
    c.SetGamma(1.0f, 1.0f);
    EXPECT_EQ(c.GammaTable()[255], 255);
}

TEST(ColorManager, PixelMaskWritesOnlySelectedPixels)
{
    TColorManager c;
    Describe(c, TColorScheme::csG, 1, 8, TColorScheme::csG, 1, 8);
    const uint8_t source[] = {10, 20, 30};
    uint8_t target[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    c.ConvertRow(std::span(Rows(source), 1), target, 8, 0x88);
    const uint8_t expected[8] = {10, 1, 1, 1, 20, 1, 1, 1};
    EXPECT_TRUE(std::equal(target, target + 8, expected));
}

TEST(ColorManager, PackedTargetsKeepTheBitsOfUnselectedPixels)
{
    TColorManager c;
    Describe(c, TColorScheme::csIndexed, 1, 2, TColorScheme::csIndexed, 1, 4);
    const uint8_t source[] = {0b00011011};  // 0, 1, 2, 3
    uint8_t target[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    c.ConvertRow(std::span(Rows(source), 1), target, 8, 0x55);  // odd pixels only
    const uint8_t expected[4] = {0xE0, 0xE5, 0xEA, 0xEF};
    EXPECT_TRUE(std::equal(target, target + 4, expected));
}

TEST(ColorManager, RGBFamilyOrdersAndAlpha)
{
    const uint8_t rgba[] = {10, 20, 30, 40, 50, 60, 70, 80};
    uint8_t target[8] = {};

    TColorManager toBGRA;
    Describe(toBGRA, TColorScheme::csRGBA, 4, 8, TColorScheme::csBGRA, 4, 8);
    toBGRA.ConvertRow(std::span(Rows(rgba), 1), target, 2, 0xFF);
    const uint8_t bgra[] = {30, 20, 10, 40, 70, 60, 50, 80};
    EXPECT_TRUE(std::equal(target, target + 8, bgra));

    TColorManager keep;
    Describe(keep, TColorScheme::csBGR, 3, 8, TColorScheme::csBGR, 3, 8);
    keep.ConvertRow(std::span(Rows(rgba), 1), target, 2, 0xFF);
    const uint8_t same[] = {10, 20, 30, 40, 50, 60};
    EXPECT_TRUE(std::equal(target, target + 6, same));

    // Planes: red, green, blue, alpha.
    const uint8_t r[] = {1}, g[] = {2}, b[] = {3}, a[] = {4};
    const uint8_t* planes[] = {r, g, b, a};
    toBGRA.ConvertRow(planes, target, 1, 0xFF);
    const uint8_t fromPlanes[] = {3, 2, 1, 4};
    EXPECT_TRUE(std::equal(target, target + 4, fromPlanes));
}

// Whole rows of every length from 1 to 40 pixels, which the vector registers take in groups and
// the rest one by one: RGB and RGBA swap red and blue, 16-bit grey scales every value (a row
// covering all 65536 of them) by v * 255 div 65535. Target bytes past the row stay as they were.
TEST(ColorManager, WholeRowsConvertEveryPixel)
{
    struct Case {
        TColorScheme Source, Target;
        uint8_t Samples;
    };
    const Case cases[] = {{TColorScheme::csRGB, TColorScheme::csBGR, 3}, {TColorScheme::csRGBA, TColorScheme::csBGRA, 4}};
    for (const Case& c : cases)
        for (uint32_t count = 1; count <= 40; ++count) {
            std::vector<uint8_t> source(count * c.Samples), target(source.size() + 1, 0xEE);
            for (size_t i = 0; i < source.size(); ++i)
                source[i] = static_cast<uint8_t>(i * 7 + 1);
            TColorManager manager;
            Describe(manager, c.Source, c.Samples, 8, c.Target, c.Samples, 8);
            const uint8_t* row = source.data();
            manager.ConvertRow(std::span(Rows(row), 1), target.data(), count, 0xFF);
            for (uint32_t x = 0; x < count; ++x) {
                const uint8_t* s = &source[x * c.Samples];
                const uint8_t* t = &target[x * c.Samples];
                ASSERT_EQ(t[0], s[2]) << c.Samples << " samples, " << count << " pixels, pixel " << x;
                ASSERT_EQ(t[1], s[1]);
                ASSERT_EQ(t[2], s[0]);
                if (c.Samples == 4)
                    ASSERT_EQ(t[3], s[3]);
            }
            ASSERT_EQ(target.back(), 0xEE) << count << " pixels";
        }

    std::vector<uint8_t> grey(2 * 65536);
    for (uint32_t v = 0; v < 65536; ++v) {
        grey[2 * v] = static_cast<uint8_t>(v >> 8);
        grey[2 * v + 1] = static_cast<uint8_t>(v);
    }
    for (uint32_t count : {1u, 15u, 16u, 17u, 33u, 65536u}) {
        TColorManager manager;
        Describe(manager, TColorScheme::csG, 1, 16, TColorScheme::csG, 1, 8);
        manager.SourceOptions = {TConvertOption::coNeedByteSwap};
        std::vector<uint8_t> target(count + 1, 0xEE);
        const uint8_t* row = grey.data() + 2 * (65536 - count);
        manager.ConvertRow(std::span(Rows(row), 1), target.data(), count, 0xFF);
        for (uint32_t x = 0; x < count; ++x)
            ASSERT_EQ(target[x], (65536 - count + x) * 255 / 65535) << count << " pixels, pixel " << x;
        ASSERT_EQ(target.back(), 0xEE) << count << " pixels";
    }
}

TEST(ColorManager, GammaNeverTouchesAlpha)
{
    TColorManager c;
    Describe(c, TColorScheme::csRGBA, 4, 16, TColorScheme::csBGRA, 4, 8);
    c.SourceOptions = {TConvertOption::coNeedByteSwap};
    c.SetGamma(0.45f, 2.2f);
    c.TargetOptions.Include(TConvertOption::coApplyGamma);
    const uint8_t source[] = {0x80, 0x80, 0x40, 0x40, 0x00, 0x00, 0x80, 0x80};  // R 0x8080, G 0x4040, B 0, A 0x8080
    uint8_t target[4] = {};
    c.ConvertRow(std::span(Rows(source), 1), target, 1, 0xFF);
    EXPECT_EQ(target[0], c.GammaTable()[0]);
    EXPECT_EQ(target[1], c.GammaTable()[64]);
    EXPECT_EQ(target[2], c.GammaTable()[128]);
    EXPECT_EQ(target[3], 128);
}

TEST(ColorManager, WideTargets)
{
    TColorManager c;
    Describe(c, TColorScheme::csRGB, 3, 8, TColorScheme::csRGB, 3, 16);
    const uint8_t source[] = {255, 0, 1};
    uint16_t target[3] = {};
    c.ConvertRow(std::span(Rows(source), 1), reinterpret_cast<uint8_t*>(target), 1, 0xFF);
    EXPECT_EQ(target[0], 65535);
    EXPECT_EQ(target[1], 0);
    EXPECT_EQ(target[2], 257);
}

TEST(ColorManager, PixelFormats)
{
    struct Case {
        uint8_t Samples, Bits;
        int Expected;
    };
    const Case cases[] = {{1, 1, 1}, {1, 2, 4}, {1, 4, 4}, {1, 5, 0}, {1, 8, 8}, {1, 16, 8},
                          {3, 5, 15}, {3, 8, 24}, {4, 8, 32}, {4, 4, 0}, {2, 8, 0}};
    for (const Case& k : cases) {
        TColorManager c;
        c.SetTargetSamplesPerPixel(k.Samples);
        c.SetTargetBitsPerSample(k.Bits);
        EXPECT_EQ(c.GetPixelFormat(true), k.Expected) << int(k.Samples) << " x " << int(k.Bits);
        EXPECT_EQ(c.GetPixelFormat(false), 24);
    }
}

TEST(ColorManager, TwoBitPaletteSpreadsToSixteenEntries)
{
    TColorManager c;
    Describe(c, TColorScheme::csIndexed, 1, 2, TColorScheme::csIndexed, 1, 4);
    const uint8_t triples[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const void* data[] = {triples};
    TRawPalette p = c.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, 4, false);
    ASSERT_EQ(p.size(), 16u);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(p[i], (TPaletteEntry{1, 2, 3})) << i;
    EXPECT_EQ(p[5], (TPaletteEntry{4, 5, 6}));
    EXPECT_EQ(p[10], (TPaletteEntry{7, 8, 9}));
    EXPECT_EQ(p[15], (TPaletteEntry{10, 11, 12}));

    // Fewer entries than two bits address: the missing ones are black, nothing is read past the data.
    p = c.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, 2, false);
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[5], (TPaletteEntry{4, 5, 6}));
    EXPECT_EQ(p[10], (TPaletteEntry{}));
    EXPECT_EQ(p[15], (TPaletteEntry{}));
}

TEST(ColorManager, PaletteFormatsAndOrder)
{
    TColorManager c;
    Describe(c, TColorScheme::csIndexed, 1, 8, TColorScheme::csIndexed, 1, 8);
    const uint8_t quads[] = {1, 2, 3, 99, 4, 5, 6, 99};
    const void* interleaved[] = {quads};
    EXPECT_EQ(c.CreateColorPalette(interleaved, TRawPaletteFormat::pfInterlaced8Quad, 2, true),
              (TRawPalette{{3, 2, 1}, {6, 5, 4}}));

    const uint8_t red[] = {1, 2}, green[] = {3, 4}, blue[] = {5, 6};
    const void* planes[] = {red, green, blue};
    EXPECT_EQ(c.CreateColorPalette(planes, TRawPaletteFormat::pfPlane8Triple, 2, false),
              (TRawPalette{{1, 3, 5}, {2, 4, 6}}));

    // 16 bits, big-endian: the order flag true means R, G, B.
    c.SourceOptions = {TConvertOption::coNeedByteSwap};
    const uint8_t wide[] = {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00};
    const void* wideData[] = {wide};
    EXPECT_EQ(c.CreateColorPalette(wideData, TRawPaletteFormat::pfInterlaced16Triple, 1, true),
              (TRawPalette{{255, 128, 0}}));
    EXPECT_EQ(c.CreateColorPalette(wideData, TRawPaletteFormat::pfInterlaced16Triple, 1, false),
              (TRawPalette{{0, 128, 255}}));
}

TEST(ColorManager, GrayscalePalette)
{
    TColorManager c;
    c.SetTargetSamplesPerPixel(1);
    c.SetTargetBitsPerSample(4);
    TRawPalette p = c.CreateGrayscalePalette(false);
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[1], (TPaletteEntry{17, 17, 17}));
    EXPECT_EQ(p[15], (TPaletteEntry{255, 255, 255}));
    EXPECT_EQ(c.CreateGrayscalePalette(true)[0], (TPaletteEntry{255, 255, 255}));

    c.SetGamma(0.45f, 2.2f);
    c.TargetOptions.Include(TConvertOption::coApplyGamma);
    EXPECT_EQ(c.CreateGrayscalePalette(false)[8].Red, c.GammaTable()[136]);
}
