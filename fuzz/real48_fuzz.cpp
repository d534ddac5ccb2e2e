// SPDX-License-Identifier: GPL-3.0-or-later
// The 6-byte real of the project files. The first six bytes are a stored
// number: it decodes to a finite value that encodes back to the same bytes.
// The next bytes make a value to store: it encodes to
// the nearest 48-bit real (halves away from zero) or is refused from 2^127 up.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "fuzz_check.h"

using tarvel::Real;

namespace {

void checkStored(const std::uint8_t* b)
{
    const Real v = tarvel::decodeReal48(b);
    FUZZ_CHECK(std::isfinite(v), "decoded value not finite");
    if (b[0] == 0) {
        FUZZ_CHECK(v == 0 && !std::signbit(v), "exponent 0 is zero");
        return;
    }
    FUZZ_CHECK(std::fabs(v) >= std::ldexp(1.0L, -128) && std::fabs(v) < std::ldexp(1.0L, 127), "range %Lg", v);
    FUZZ_CHECK(std::signbit(v) == bool(b[5] & 0x80), "sign");
    const auto again = tarvel::encodeReal48(v);
    FUZZ_CHECK(again.has_value(), "a stored value can be stored again");
    FUZZ_CHECK(std::memcmp(again->data(), b, 6) == 0, "bytes survive decode and encode");
    std::feclearexcept(FE_ALL_EXCEPT);
    FUZZ_CHECK(tarvel::r48(v) == v, "rounding a stored value changes nothing");
    FUZZ_CHECK(!std::fetestexcept(FE_OVERFLOW), "no overflow for a stored value");
    // What "&Abrir" writes into a field.
    for (int decimals = 0; decimals <= 5; ++decimals) {
        const std::string text = tarvel::formatFixed(v, decimals);
        FUZZ_CHECK(std::isfinite(tarvel::readNumber(text)), "%s", text.c_str());
    }
}

void checkStoring(Real x)
{
    const auto bytes = tarvel::encodeReal48(x);
    std::feclearexcept(FE_ALL_EXCEPT);
    const Real rounded = tarvel::r48(x);
    const bool overflowFlag = std::fetestexcept(FE_OVERFLOW);
    if (std::isnan(x)) {
        FUZZ_CHECK(!bytes && std::isnan(rounded), "NaN is not stored and passes through rounding");
        return;
    }
    const Real big = std::ldexp(1.0L, 127);
    const Real ulpAtTop = std::ldexp(1.0L, 126 - 39);
    if (!bytes) {
        FUZZ_CHECK(std::fabs(x) >= big - ulpAtTop / 2, "refused %La below 2^127", x);
        FUZZ_CHECK(overflowFlag && std::isinf(rounded) && std::signbit(rounded) == std::signbit(x),
                   "rounding what cannot be stored overflows");
        return;
    }
    FUZZ_CHECK(std::isfinite(x) && std::fabs(x) < big - ulpAtTop / 2, "stored %La", x);
    FUZZ_CHECK(!overflowFlag, "no overflow for %La", x);
    const Real y = tarvel::decodeReal48(*bytes);
    FUZZ_CHECK(y == rounded, "r48 is encode then decode");
    FUZZ_CHECK(tarvel::r48(y) == y, "rounding twice changes nothing");
    if (y == 0) {
        FUZZ_CHECK(std::fabs(x) < std::ldexp(1.0L, -128), "only tiny values store zero: %La", x);
        return;
    }
    FUZZ_CHECK(std::signbit(y) == std::signbit(x), "sign kept");
    // Nearest, with the unit of the stored value's own binade (or the one
    // below when rounding carried into the next power of two).
    int e = 0;
    std::frexp(std::fabs(x), &e);
    const Real unit = std::ldexp(1.0L, e - 1 - 39);
    const Real err = std::fabs(y) - std::fabs(x);
    FUZZ_CHECK(std::fabs(err) <= unit / 2, "%La stored as %La", x, y);
    if (std::fabs(err) == unit / 2)
        FUZZ_CHECK(err > 0, "a half goes away from zero: %La", x);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 6)
        checkStored(data);
    if (size >= 6 + 10) {
        // A 64-bit significand and a 16-bit exponent make any long double,
        // from the smallest to an infinity.
        std::uint64_t m;
        std::int16_t e;
        std::memcpy(&m, data + 6, sizeof m);
        std::memcpy(&e, data + 14, sizeof e);
        const Real x = std::ldexp(static_cast<Real>(m >> 1), e % 16500) * ((m & 1) ? -1 : 1);
        checkStoring(x);
        // The same significand in the range a project file holds.
        checkStoring(std::ldexp(static_cast<Real>(m >> 1), e % 140 - 63) * ((m & 1) ? -1 : 1));
    }
    if (size >= 6 + sizeof(double)) {
        double x;
        std::memcpy(&x, data + 6, sizeof x);
        checkStoring(x);
    }
    return 0;
}
