#include "acPNGFilters.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin {

namespace {

// The neighbour among left a, above b and upper-left c nearest to p = a + b - c; ties go to a,
// then b. |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |a + b - 2c|.
uint8_t PaethPredictor(int a, int b, int c)
{
    int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    int nearer = pb <= pc ? b : c;
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : nearer);
}

void UnfilterSub(uint8_t* row, size_t n, size_t length)
{
    for (size_t i = n; i < length; ++i)
        row[i] = static_cast<uint8_t>(row[i] + row[i - n]);
}

void UnfilterUp(uint8_t* row, const uint8_t* previous, size_t length)
{
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= length; i += 16) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(x, b));
    }
#endif
    for (; i < length; ++i)
        row[i] = static_cast<uint8_t>(row[i] + previous[i]);
}

// Byte by byte, for any pixel width. The first pixel's bytes have no left neighbour.
void UnfilterAverage(uint8_t* row, const uint8_t* previous, size_t n, size_t length)
{
    for (size_t i = 0; i < n; ++i)
        row[i] = static_cast<uint8_t>(row[i] + previous[i] / 2);
    for (size_t i = n; i < length; ++i)
        row[i] = static_cast<uint8_t>(row[i] + (row[i - n] + previous[i]) / 2);
}

// Pixels of one or two bytes: each byte's left neighbour (a) and upper-left neighbour (c) stay in
// registers from one pixel to the next instead of being read back from the row just written.
struct TNarrowByte {
    uint32_t A = 0, C = 0;

    void Sub(uint8_t& x) { x = static_cast<uint8_t>(A = (x + A) & 0xFF); }
    void Average(uint8_t& x, uint32_t b) { x = static_cast<uint8_t>(A = (x + ((A + b) >> 1)) & 0xFF); }
    void Paeth(uint8_t& x, uint32_t b)
    {
        const int a = static_cast<int>(A), c = static_cast<int>(C), up = static_cast<int>(b);
        const int pa = std::abs(up - c), pb = std::abs(a - c), pc = std::abs(a + up - 2 * c);
        const int predictor = pa <= pb && pa <= pc ? a : pb <= pc ? up : c;
        x = static_cast<uint8_t>(A = (x + predictor) & 0xFF);
        C = b;
    }
};

// Calls step(state, i) for every byte i of a row of N-byte pixels, with the state of byte i's place
// in its pixel.
template <size_t N, typename Step>
void ForNarrowBytes(size_t length, Step step)
{
    static_assert(N == 1 || N == 2);
    TNarrowByte first, second;
    for (size_t i = 0; i < length; i += N) {
        step(first, i);
        if constexpr (N == 2)
            step(second, i + 1);
    }
}

// Sub, Average or Paeth over pixels of N (1 or 2) bytes.
template <size_t N>
void UnfilterNarrow(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t length)
{
    if (filter == 1)
        ForNarrowBytes<N>(length, [&](TNarrowByte& byte, size_t i) { byte.Sub(row[i]); });
    else if (filter == 3)
        ForNarrowBytes<N>(length, [&](TNarrowByte& byte, size_t i) { byte.Average(row[i], previous[i]); });
    else
        ForNarrowBytes<N>(length, [&](TNarrowByte& byte, size_t i) { byte.Paeth(row[i], previous[i]); });
}

void UnfilterPaeth(uint8_t* row, const uint8_t* previous, size_t n, size_t length)
{
    for (size_t i = 0; i < n; ++i)  // the predictor of a left and upper-left 0 is the byte above
        row[i] = static_cast<uint8_t>(row[i] + previous[i]);
    for (size_t i = n; i < length; ++i)
        row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(row[i - n], previous[i], previous[i - n]));
}

#if defined(__SSE2__)

// Up to four bytes as a little-endian number, and back (3 bytes: 2 + 1), through general
// registers: assembling a pixel in memory and reading it whole would stall the load.
template <size_t K>
uint32_t LoadBytes(const uint8_t* p)
{
    static_assert(K >= 2 && K <= 4);
    if constexpr (K == 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return K == 3 ? v | uint32_t{p[2]} << 16 : v;
    }
}

template <size_t K>
void StoreBytes(uint8_t* p, uint32_t v)
{
    static_assert(K >= 2 && K <= 4);
    if constexpr (K == 4) {
        std::memcpy(p, &v, 4);
    } else {
        uint16_t low = static_cast<uint16_t>(v);
        std::memcpy(p, &low, 2);
        if constexpr (K == 3)
            p[2] = static_cast<uint8_t>(v >> 16);
    }
}

// One pixel of N (3, 4, 6 or 8) bytes in the low bytes of a register, the others 0, and back.
template <size_t N>
__m128i LoadPixel(const uint8_t* p)
{
    if constexpr (N == 8)
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    __m128i low = _mm_cvtsi32_si128(static_cast<int>(LoadBytes<(N < 4 ? N : 4)>(p)));
    if constexpr (N == 6)
        return _mm_unpacklo_epi32(low, _mm_cvtsi32_si128(static_cast<int>(LoadBytes<2>(p + 4))));
    return low;
}

template <size_t N>
void StorePixel(uint8_t* p, __m128i v)
{
    if constexpr (N == 8) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
    } else {
        StoreBytes<(N < 4 ? N : 4)>(p, static_cast<uint32_t>(_mm_cvtsi128_si32(v)));
        if constexpr (N == 6)
            StoreBytes<2>(p + 4, static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(v, 4))));
    }
}

__m128i Abs16(__m128i v)
{
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

template <size_t N>
void UnfilterSubPixels(uint8_t* row, size_t length)
{
    __m128i a = _mm_setzero_si128();
    for (size_t i = 0; i < length; i += N) {
        a = _mm_add_epi8(LoadPixel<N>(row + i), a);
        StorePixel<N>(row + i, a);
    }
}

// floor((a + b) / 2) per byte, without leaving 8 bits: (a & b) + ((a ^ b) >> 1).
template <size_t N>
void UnfilterAveragePixels(uint8_t* row, const uint8_t* previous, size_t length)
{
    const __m128i low7 = _mm_set1_epi8(0x7F);
    __m128i a = _mm_setzero_si128();
    for (size_t i = 0; i < length; i += N) {
        __m128i b = LoadPixel<N>(previous + i);
        __m128i half = _mm_and_si128(_mm_srli_epi16(_mm_xor_si128(a, b), 1), low7);
        a = _mm_add_epi8(LoadPixel<N>(row + i), _mm_add_epi8(_mm_and_si128(a, b), half));
        StorePixel<N>(row + i, a);
    }
}

// In 16-bit lanes, with p = a + b - c: |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |a + (b - 2c)|.
// All that does not depend on a, the pixel decoded just before, is computed off the chain of pixels
// (the sums x + b and x + c among it), so that each pixel waits on as few steps as may be. The first
// pixel's left and upper-left neighbours are 0.
template <size_t N>
void UnfilterPaethPixels(uint8_t* row, const uint8_t* previous, size_t length)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i a = zero, c = zero;
    for (size_t i = 0; i < length; i += N) {
        const __m128i b = _mm_unpacklo_epi8(LoadPixel<N>(previous + i), zero);
        const __m128i x = _mm_unpacklo_epi8(LoadPixel<N>(row + i), zero);
        const __m128i bc = _mm_sub_epi16(b, c);
        const __m128i pa = Abs16(bc);
        const __m128i bMinus2c = _mm_sub_epi16(bc, c), twoCMinusB = _mm_sub_epi16(c, bc);
        const __m128i xb = _mm_and_si128(_mm_add_epi16(x, b), lowByte);
        const __m128i xc = _mm_and_si128(_mm_add_epi16(x, c), lowByte);
        const __m128i xbXorXc = _mm_xor_si128(xb, xc);

        const __m128i pb = _mm_max_epi16(_mm_sub_epi16(a, c), _mm_sub_epi16(c, a));
        const __m128i pc = _mm_max_epi16(_mm_add_epi16(a, bMinus2c), _mm_sub_epi16(twoCMinusB, a));
        const __m128i xa = _mm_and_si128(_mm_add_epi16(x, a), lowByte);
        const __m128i notA = _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc));                      // a unless pa is not least
        const __m128i xbOrXc = _mm_xor_si128(xb, _mm_and_si128(xbXorXc, _mm_cmpgt_epi16(pb, pc)));  // b unless pb > pc
        a = _mm_or_si128(_mm_andnot_si128(notA, xa), _mm_and_si128(notA, xbOrXc));
        StorePixel<N>(row + i, _mm_packus_epi16(a, a));
        c = b;
    }
}

template <size_t N>
bool UnfilterVectorPixels(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t length)
{
    if (length % N != 0)
        return false;
    if (filter == 1)
        UnfilterSubPixels<N>(row, length);
    else if (filter == 3)
        UnfilterAveragePixels<N>(row, previous, length);
    else
        UnfilterPaethPixels<N>(row, previous, length);
    return true;
}

#endif

// Sub, Average or Paeth pixel by pixel where the pixel width has a form of its own; false when the
// row is left to the byte-wise forms.
bool UnfilterPixelByPixel(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t n, size_t length)
{
    if (n == 1) {
        UnfilterNarrow<1>(filter, row, previous, length);
        return true;
    }
    if (n == 2 && length % 2 == 0) {
        UnfilterNarrow<2>(filter, row, previous, length);
        return true;
    }
#if defined(__SSE2__)
    switch (n) {
    case 3:
        return UnfilterVectorPixels<3>(filter, row, previous, length);
    case 4:
        return UnfilterVectorPixels<4>(filter, row, previous, length);
    case 6:
        return UnfilterVectorPixels<6>(filter, row, previous, length);
    case 8:
        return UnfilterVectorPixels<8>(filter, row, previous, length);
    default:
        break;
    }
#endif
    return false;
}

}  // namespace

void ApplyFilter(uint8_t filter, uint8_t* row, const uint8_t* previous, uint32_t bytesPerPixel, size_t length)
{
    size_t n = std::min<size_t>(bytesPerPixel, length);
    switch (filter) {
    case 1:  // Sub
        if (!UnfilterPixelByPixel(filter, row, previous, n, length))
            UnfilterSub(row, n, length);
        break;
    case 2:  // Up
        UnfilterUp(row, previous, length);
        break;
    case 3:  // Average
        if (!UnfilterPixelByPixel(filter, row, previous, n, length))
            UnfilterAverage(row, previous, n, length);
        break;
    case 4:  // Paeth
        if (!UnfilterPixelByPixel(filter, row, previous, n, length))
            UnfilterPaeth(row, previous, n, length);
        break;
    default:  // None, and unknown types pass through
        break;
    }
}

}  // namespace skin
