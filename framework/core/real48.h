// SPDX-License-Identifier: GPL-3.0-or-later
// The 6-byte real of the project files: byte 0 is the exponent biased by 129
// (0 means zero), bytes 1..5 a little-endian 40-bit field whose top bit is the
// sign and whose other 39 bits are the fraction.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace tarvel {

using Real = long double;
using Real48Bytes = std::array<std::uint8_t, 6>;

// Encodes x, rounding the significand to 39 fraction bits (the highest dropped
// bit is added to the last kept one). Values that fall below the smallest
// exponent store zero. Returns nothing when |x| >= 2^127 or x is not finite.
std::optional<Real48Bytes> encodeReal48(Real x);

Real decodeReal48(const std::uint8_t* bytes);
inline Real decodeReal48(const Real48Bytes& b) { return decodeReal48(b.data()); }

// Rounds x as if it were stored in a 48-bit real and read back. A magnitude
// that cannot be stored raises the floating-point overflow flag and yields
// an infinity; NaN passes through.
Real r48(Real x);

} // namespace tarvel
