// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace tarvel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the longest number at the start of s (after the sign), or 0.
std::size_t scanNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1, frac = 0;
        while (j < s.size() && isDigit(s[j])) { ++j; ++frac; }
        if (digits + frac > 0) { i = j; digits += frac; }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        std::size_t exp = 0;
        while (j < s.size() && isDigit(s[j])) { ++j; ++exp; }
        if (exp > 0)
            i = j;
    }
    return i;
}

// For a number that is out of range: the power of ten of its first nonzero
// digit, counted so that 0.1 to 0.999... is 0 and 1 to 9.99... is 1. Only
// its sign matters: the digits alone cannot tell, because "0.000...01e10"
// is tiny and "999...9" (thousands of digits, no exponent) is huge.
long long decimalMagnitude(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    long long magnitude = 0;
    bool nonzero = false, afterPoint = false;
    for (; i < s.size() && (isDigit(s[i]) || s[i] == '.'); ++i) {
        if (s[i] == '.') {
            afterPoint = true;
        } else if (!nonzero && s[i] == '0') {
            if (afterPoint)
                --magnitude;
        } else {
            nonzero = true;
            if (!afterPoint)
                ++magnitude;
        }
        if (nonzero && afterPoint)
            break;
    }
    while (i < s.size() && s[i] != 'e' && s[i] != 'E')
        ++i;
    if (i < s.size()) {
        ++i;
        const bool negativeExp = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        long long exp = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exp = std::min(exp * 10 + (s[i] - '0'), 1000000000LL); // far past any real's range
        magnitude += negativeExp ? -exp : exp;
    }
    return magnitude;
}

// The value of a scanned number of at most 19 significant digits and a
// power of ten within 10^27: both are exact in the extended format, so one
// multiplication or division rounds once, as a full conversion would.
bool convertShort(std::string_view s, Real& value)
{
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (negative)
        ++i;
    std::uint64_t digits = 0;
    int significant = 0, power = 0;
    bool afterPoint = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (digits == 0 && c == '0') {
            power -= afterPoint;
            continue;
        }
        if (++significant > 19)
            return false;
        digits = digits * 10 + std::uint64_t(c - '0');
        power -= afterPoint;
    }
    if (i < s.size()) { // the exponent
        ++i;
        const bool negativeExp = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        int exp = 0;
        for (; i < s.size(); ++i) {
            exp = exp * 10 + (s[i] - '0');
            if (exp > 1000)
                return false;
        }
        power += negativeExp ? -exp : exp;
    }
    if (power < -27 || power > 27)
        return false;
    Real scale = 1;
    for (int k = 0; k < (power < 0 ? -power : power); ++k)
        scale *= 10;
    const Real magnitude = power < 0 ? Real(digits) / scale : Real(digits) * scale;
    value = negative ? -magnitude : magnitude;
    return true;
}

Real convert(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    Real value = 0;
    if (std::numeric_limits<Real>::digits >= 64 && convertShort(s, value))
        return value;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large: an infinity, so later checks or the fault guard see it;
        // too small: zero.
        const bool neg = !s.empty() && s.front() == '-';
        if (decimalMagnitude(s) > 0)
            return neg ? -HUGE_VALL : HUGE_VALL;
        return neg ? -0.0L : 0.0L;
    }
    if (res.ec != std::errc())
        return NAN;
    return value;
}

} // namespace

Real readNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return 0;
    const std::size_t n = scanNumber(text);
    if (n == 0 || n != text.size())
        return NAN;
    return convert(text);
}

Real leadingNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    const std::size_t n = scanNumber(text);
    if (n == 0)
        return 0;
    return convert(text.substr(0, n));
}

std::string formatFixedByDigits(Real value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // Exact digits well past the wanted ones, then round half away from zero.
    const int extra = 40;
    std::vector<char> buf(5000 + decimals + extra);
    const bool negative = std::signbit(value);
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::fixed, decimals + extra);
    std::string digits(buf.data(), res.ptr);
    const std::size_t point = digits.find('.');
    std::string intPart = digits.substr(0, point);
    std::string frac = digits.substr(point + 1);
    const bool roundUp = frac[decimals] >= '5';
    std::string kept = intPart + frac.substr(0, decimals);
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') { kept[i] = '0'; --i; }
        if (i < 0) kept.insert(kept.begin(), '1');
        else ++kept[i];
    }
    std::string out = kept.substr(0, kept.size() - decimals);
    if (decimals > 0)
        out += "." + kept.substr(kept.size() - decimals);
    const bool allZero = out.find_first_not_of("0.") == std::string::npos;
    if (negative && !allZero)
        out.insert(out.begin(), '-');
    return out;
}

namespace {

// The value times 10^decimals rounded half away from zero, exactly, when the
// value is a 64-bit significand times a power of two that 128-bit integers
// hold (every result the windows show); false otherwise.
bool scaledExactly(Real magnitude, int decimals, unsigned __int128& scaled)
{
    static_assert(std::numeric_limits<Real>::digits <= 64, "a significand fits in 64 bits");
    if (decimals < 0 || decimals > 8 || !(magnitude < 0x1p63L))
        return false;
    if (magnitude == 0) {
        scaled = 0;
        return true;
    }
    int exponent = 0;
    std::uint64_t significand = 0;
    if constexpr (std::numeric_limits<Real>::digits == 64 && std::numeric_limits<Real>::max_exponent == 16384) {
        // The x87 extended format: the 64-bit significand with its leading
        // bit, then the biased exponent.
        unsigned char bits[sizeof(Real)];
        std::memcpy(bits, &magnitude, sizeof(Real));
        std::memcpy(&significand, bits, 8);
        exponent = ((bits[9] & 0x7F) << 8 | bits[8]) - 16382; // magnitude = significand / 2^64 * 2^exponent
    } else {
        const Real fraction = std::frexp(magnitude, &exponent); // magnitude = fraction * 2^exponent
        significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    }
    const int shift = 64 - exponent; // magnitude = significand / 2^shift
    if (shift > 120 || (significand >> 63) == 0)
        return false;
    static constexpr std::uint64_t powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    const unsigned __int128 n = static_cast<unsigned __int128>(significand) * powers[decimals];
    const unsigned __int128 whole = n >> shift;
    const unsigned __int128 rest = n - (whole << shift);
    scaled = whole + (rest >= (static_cast<unsigned __int128>(1) << shift >> 1) && shift > 0 ? 1 : 0);
    return true;
}

} // namespace

// The digits of the exact value decide the rounding. The integer path gives
// the same text as the digit string of formatFixedByDigits: the fraction of
// such a value is a multiple of 2^-120, so it never lies within the 10^-40
// below a half where 40 more digits would round it up to the half.
std::string formatFixed(Real value, int decimals)
{
    unsigned __int128 scaled = 0;
    if (!std::isfinite(value) || !scaledExactly(std::fabs(value), decimals, scaled))
        return formatFixedByDigits(value, decimals);
    const bool zero = scaled == 0;
    char digits[48];
    char* const end = digits + sizeof digits;
    char* p = end;
    int count = 0;
    auto put = [&](int digit) {
        if (count++ == decimals && decimals > 0)
            *--p = '.';
        *--p = char('0' + digit);
    };
    // Digits from the right: 128-bit division only while the rest needs it.
    for (; scaled >> 64 != 0; scaled /= 10)
        put(int(scaled % 10));
    for (auto small = static_cast<std::uint64_t>(scaled); count <= decimals || small != 0; small /= 10)
        put(int(small % 10));
    if (std::signbit(value) && !zero)
        *--p = '-';
    return std::string(p, end);
}

} // namespace tarvel
