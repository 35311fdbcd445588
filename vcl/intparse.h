#pragma once
// Integer text as the class library reads it, free of windows so that the cores built for the
// host read numbers exactly as the program does: characters up to U+0020 before it, an optional
// sign, then decimal digits, or hexadecimal ones behind "$" or "0x"; nothing after them. Decimal
// values must fit the signed 32-bit range; hexadecimal ones may use the whole 32-bit pattern
// ("$FFFFFFFF" is -1), as the classic library does.
#include <cstdint>
#include <string_view>

namespace vcl {

namespace intparse {

inline int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

// The integer syntax as sign and magnitude; false for bad syntax or more than 64 bits.
inline bool ParseInteger(std::wstring_view s, bool& negative, bool& hex, uint64_t& magnitude)
{
    size_t i = 0;
    while (i < s.size() && s[i] <= L' ')
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        negative = s[i++] == L'-';
    hex = false;
    if (i < s.size() && s[i] == L'$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    const uint64_t base = hex ? 16 : 10;
    magnitude = 0;
    for (; i < s.size(); ++i) {
        const int d = hex ? HexDigit(s[i]) : (s[i] >= L'0' && s[i] <= L'9' ? s[i] - L'0' : -1);
        if (d < 0 || magnitude > (UINT64_MAX - static_cast<uint64_t>(d)) / base)
            return false;
        magnitude = magnitude * base + static_cast<uint64_t>(d);
    }
    return true;
}

}  // namespace intparse

// The integer of the text; false (value untouched) when the text is not one.
inline bool TryParseInt32(std::wstring_view s, int32_t& value)
{
    bool negative;
    bool hex;
    uint64_t magnitude;
    if (!intparse::ParseInteger(s, negative, hex, magnitude))
        return false;
    const uint64_t limit = hex ? UINT32_MAX : uint64_t(INT32_MAX) + (negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(negative ? 0 - magnitude : magnitude));
    return true;
}

}  // namespace vcl
