// SPDX-License-Identifier: GPL-3.0-or-later
#include "real48.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace tarvel {

std::optional<Real48Bytes> encodeReal48(Real x)
{
    Real48Bytes out{};
    if (x == 0)
        return out;
    if (!std::isfinite(x))
        return std::nullopt;
    const bool negative = std::signbit(x);
    int e = 0;
    const Real m = std::frexp(std::fabs(x), &e); // |x| = m * 2^e, m in [0.5, 1)
    // Significand s = 2m in [1, 2) with 63 fraction bits, exactly.
    const Real s = m * 2;
    auto frac63 = static_cast<std::uint64_t>(std::ldexp(s - 1, 63));
    std::uint64_t kept = frac63 >> 24;
    kept += (frac63 >> 23) & 1u;
    int exponent = (e - 1) + 129;
    if (kept >> 39) { // carry out of the fraction
        kept = 0;
        ++exponent;
    }
    if (exponent <= 0)
        return out; // underflow stores zero
    if (exponent > 255)
        return std::nullopt; // 2^127 or more
    out[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 0; i < 5; ++i)
        out[1 + i] = static_cast<std::uint8_t>((kept >> (8 * i)) & 0xFFu);
    if (negative)
        out[5] |= 0x80u;
    return out;
}

Real decodeReal48(const std::uint8_t* b)
{
    if (b[0] == 0)
        return 0;
    std::uint64_t frac = 0;
    for (int i = 0; i < 5; ++i)
        frac |= static_cast<std::uint64_t>(b[1 + i]) << (8 * i);
    const bool negative = (frac >> 39) & 1u;
    frac &= (std::uint64_t{1} << 39) - 1;
    const Real value = std::ldexp(1 + std::ldexp(static_cast<Real>(frac), -39), int(b[0]) - 129);
    return negative ? -value : value;
}

Real r48(Real x)
{
    if (std::isnan(x))
        return x;
    const auto bytes = encodeReal48(x);
    if (!bytes) {
        std::feraiseexcept(FE_OVERFLOW);
        return std::signbit(x) ? -std::numeric_limits<Real>::infinity()
                               : std::numeric_limits<Real>::infinity();
    }
    return decodeReal48(*bytes);
}

} // namespace tarvel
