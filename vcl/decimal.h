#pragma once
// The exact decimal digits of a binary floating-point value, rounded as number formatting needs:
// the formatting functions of sysutils share it.
#include "vcl/system.h"

#include <string>

namespace vcl {

struct Decimal {
    bool Negative = false;
    std::string Digits;  // significant digits without leading or trailing zeros; empty for zero
    int Exponent = 0;    // value = 0.Digits x 10^Exponent

    // Every digit of the value (a double has at most 767 significant ones).
    static Decimal Exact(double value);
    static Decimal Exact(long double value);

    bool IsZero() const { return Digits.empty(); }
    // Rounds to `decimals` digits after the point, halves away from zero.
    void RoundToFraction(int decimals);
    // Rounds to `count` significant digits, halves away from zero.
    void RoundToSignificant(int count);

    // The digits before the point; "" below 1.
    String IntegerDigits() const;
    // Exactly `count` digits after the point, padded with zeros.
    String FractionDigits(int count) const;
    // Without sign: the integer part ("0" below 1) grouped by `group` unless 0, then the point and
    // every fraction digit, at least `minDecimals` of them.
    String FixedText(int minDecimals, wchar_t point, wchar_t group) const;
    // Without sign: one digit, the point and `decimals` more (all remaining digits when !fixedDecimals),
    // "E", the exponent's sign ("+" only when plusSign) and at least minExpDigits digits.
    String ScientificText(int decimals, wchar_t point, bool plusSign, int minExpDigits, bool fixedDecimals) const;

private:
    void RoundAt(int keep);
    // Takes the digits of a value written by to_chars in scientific form, sign left out.
    static Decimal FromScientific(bool negative, const char* first, const char* last);
};

}  // namespace vcl
