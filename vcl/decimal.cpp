#include "vcl/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vcl {

Decimal Decimal::FromScientific(bool negative, const char* first, const char* last)
{
    Decimal d;
    d.Negative = negative;
    std::string text(first, last);
    size_t e = text.find('e');
    d.Digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

Decimal Decimal::Exact(double value)
{
    if (value == 0 || !std::isfinite(value))
        return Decimal{std::signbit(value), {}, 0};
    char buffer[800];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 767);
    return FromScientific(std::signbit(value), buffer, result.ptr);
}

// An extended value M x 2^(e - 64) with a 64-bit M has at most 64 - e digits after the point and
// about e x log10(2) before it: as many as to_chars is asked to write.
Decimal Decimal::Exact(long double value)
{
    if (value == 0 || !std::isfinite(value))
        return Decimal{std::signbit(value), {}, 0};
    int exponent = 0;
    std::frexp(value, &exponent);
    const int digits = std::max(0, 64 - exponent) + std::max(1, exponent) * 30103 / 100000 + 3;
    std::vector<char> buffer(static_cast<size_t>(digits) + 16);
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                std::chars_format::scientific, digits);
    return FromScientific(std::signbit(value), buffer.data(), result.ptr);
}

void Decimal::RoundAt(int keep)
{
    if (keep >= static_cast<int>(Digits.size()))
        return;
    if (keep < 0) {
        Digits.clear();
        return;
    }
    bool up = Digits[static_cast<size_t>(keep)] >= '5';
    Digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && Digits[static_cast<size_t>(i)] == '9')
            Digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++Digits[static_cast<size_t>(i)];
        } else {
            Digits.insert(Digits.begin(), '1');
            ++Exponent;
        }
    }
    size_t last = Digits.find_last_not_of('0');
    Digits.erase(last == std::string::npos ? 0 : last + 1);
}

void Decimal::RoundToFraction(int decimals) { RoundAt(Exponent + decimals); }

void Decimal::RoundToSignificant(int count) { RoundAt(count); }

String Decimal::IntegerDigits() const
{
    if (Exponent <= 0 || IsZero())
        return String();
    String s(Digits.begin(), Digits.begin() + std::min<ptrdiff_t>(Exponent, static_cast<ptrdiff_t>(Digits.size())));
    s.append(static_cast<size_t>(Exponent) - s.size(), L'0');
    return s;
}

String Decimal::FractionDigits(int count) const
{
    String s;
    for (int i = 0; i < count; ++i) {
        int index = Exponent + i;
        s.push_back(index >= 0 && index < static_cast<int>(Digits.size()) ? wchar_t(Digits[static_cast<size_t>(index)])
                                                                          : L'0');
    }
    return s;
}

String Decimal::FixedText(int minDecimals, wchar_t point, wchar_t group) const
{
    String integer = IntegerDigits();
    if (integer.empty())
        integer = L"0";
    String out;
    for (size_t i = 0; i < integer.size(); ++i) {
        out.push_back(integer[i]);
        size_t remaining = integer.size() - 1 - i;
        if (group && remaining > 0 && remaining % 3 == 0)
            out.push_back(group);
    }
    int decimals = std::max(minDecimals, static_cast<int>(Digits.size()) - Exponent);
    if (decimals > 0)
        out += point + FractionDigits(decimals);
    return out;
}

String Decimal::ScientificText(int decimals, wchar_t point, bool plusSign, int minExpDigits, bool fixedDecimals) const
{
    String digits = IsZero() ? String(L"0") : String(Digits.begin(), Digits.end());
    if (fixedDecimals)
        digits.resize(static_cast<size_t>(decimals) + 1, L'0');
    String out(1, digits[0]);
    if (digits.size() > 1)
        out += point + digits.substr(1);
    int exponent = IsZero() ? 0 : Exponent - 1;
    out += L'E';
    if (exponent < 0)
        out += L'-';
    else if (plusSign)
        out += L'+';
    String e = std::to_wstring(std::abs(exponent));
    if (static_cast<int>(e.size()) < minExpDigits)
        e.insert(0, static_cast<size_t>(minExpDigits) - e.size(), L'0');
    return out + e;
}

}  // namespace vcl
