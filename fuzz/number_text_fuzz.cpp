// SPDX-License-Identifier: GPL-3.0-or-later
// The number reader and the result formatter on arbitrary bytes. The C
// library's reader (in the "C" locale) is the reference for what a number
// in full is and what it is worth; printf is the reference for the fixed
// point text, except on exact halves, which go away from zero.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/core/number_text.h"
#include "fuzz_check.h"

using tarvel::Real;

namespace {

// The characters a number is made of; only for these texts does the C
// library's reader say the same kind of thing as ours (it also takes hex,
// "inf" and "nan", which the program does not).
bool plainNumberChars(const std::string& s)
{
    for (char c : s)
        if (!std::strchr("0123456789.eE+- \t", c) || c == '\0')
            return false;
    return true;
}

std::string trimmed(const std::string& s)
{
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

void checkFormat(Real v)
{
    for (int decimals = 0; decimals <= 5; ++decimals) {
        const std::string ours = tarvel::formatFixed(v, decimals);
        FUZZ_CHECK(!ours.empty() && ours != "nan" && ours != "inf" && ours != "-inf", "%Lg", v);
        std::size_t i = ours[0] == '-' ? 1 : 0;
        std::size_t digits = 0;
        while (i < ours.size() && ours[i] >= '0' && ours[i] <= '9') { ++i; ++digits; }
        FUZZ_CHECK(digits > 0, "%s", ours.c_str());
        if (decimals > 0) {
            FUZZ_CHECK(i < ours.size() && ours[i] == '.', "%s", ours.c_str());
            FUZZ_CHECK(ours.size() - i - 1 == std::size_t(decimals), "%s", ours.c_str());
        } else {
            FUZZ_CHECK(i == ours.size(), "%s", ours.c_str());
        }
        FUZZ_CHECK(ours.find_first_not_of("-0.") != std::string::npos || ours[0] != '-', "negative zero %s",
                   ours.c_str());

        // Against printf: equal, or an exact half that went away from zero.
        const int n = std::snprintf(nullptr, 0, "%.*Lf", decimals, std::fabs(v));
        std::string ref(std::size_t(n) + 1, '\0');
        std::snprintf(ref.data(), ref.size(), "%.*Lf", decimals, std::fabs(v));
        ref.resize(std::size_t(n));
        const std::string unsignedOurs = ours[0] == '-' ? ours.substr(1) : ours;
        if (unsignedOurs != ref) {
            const int m = std::snprintf(nullptr, 0, "%.*Lf", decimals + 70, std::fabs(v));
            std::string wide(std::size_t(m) + 1, '\0');
            std::snprintf(wide.data(), wide.size(), "%.*Lf", decimals + 70, std::fabs(v));
            wide.resize(std::size_t(m));
            const std::string tail = wide.substr(wide.size() - 70);
            FUZZ_CHECK(tail == "5" + std::string(69, '0'), "%Lg with %d decimals: ours %s, printf %s", v, decimals,
                       ours.c_str(), ref.c_str());
            // Away from zero: the larger decimal (longer, or as long and later).
            const bool larger = unsignedOurs.size() > ref.size()
                                || (unsignedOurs.size() == ref.size() && unsignedOurs > ref);
            FUZZ_CHECK(larger, "half not away from zero: ours %s, printf %s", ours.c_str(), ref.c_str());
        }
        // The text reads back as the value, to half a unit of its last digit.
        const Real back = tarvel::readNumber(ours);
        FUZZ_CHECK(std::isfinite(back), "%s", ours.c_str());
        const Real unit = std::pow(10.0L, -decimals);
        FUZZ_CHECK(std::fabs(back - v) <= unit / 2 + std::fabs(v) * 1e-17L, "%s from %Lg", ours.c_str(), v);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Real full = tarvel::readNumber(text);
    const Real leading = tarvel::leadingNumber(text);
    FUZZ_CHECK(!std::isnan(leading), "a catalogue entry never reads as NaN");

    const std::string t = trimmed(text);
    if (t.empty()) {
        FUZZ_CHECK(full == 0, "blank text reads 0");
        FUZZ_CHECK(leading == 0, "blank text reads 0");
        return 0;
    }
    if (!std::isnan(full)) {
        FUZZ_CHECK(plainNumberChars(text), "only number characters make a number");
        FUZZ_CHECK(leading == full || (std::isnan(leading) && std::isnan(full)),
                   "a number in full reads the same as a catalogue entry: %Lg vs %Lg", full, leading);
    }
    if (plainNumberChars(text) && t.find('\0') == std::string::npos) {
        char* end = nullptr;
        const Real ref = std::strtold(t.c_str(), &end);
        const bool refFull = end == t.c_str() + t.size();
        FUZZ_CHECK(refFull == !std::isnan(full), "number in full? ours %d, C library %d on \"%s\"",
                   int(!std::isnan(full)), int(refFull), t.substr(0, 200).c_str());
        if (refFull) {
            if (std::fabs(ref) < LDBL_MIN) // below the normal range: zero or the C library's value
                FUZZ_CHECK(full == 0 || full == ref, "tiny: ours %Lg, C library %Lg", full, ref);
            else
                FUZZ_CHECK(full == ref, "ours %Lg, C library %Lg on \"%s\"", full, ref, t.substr(0, 200).c_str());
            FUZZ_CHECK(std::signbit(full) == std::signbit(ref) || full == 0, "sign of %Lg", full);
        }
    }
    if (std::isfinite(full))
        checkFormat(full);
    if (std::isfinite(leading))
        checkFormat(leading);
    return 0;
}
