// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers at and past the ends of the range, typed in every way the reader
// accepts: a value too large is an infinity (so the field's check or the
// fault guard stops it), a value too small is zero, whatever mix of digits
// and exponent says so.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "framework/core/number_text.h"

using namespace tarvel;

namespace {

enum class Want { PlusInf, MinusInf, PlusZero, MinusZero };

TEST(ReaderLimits, OutOfRangeByDigitsOrExponent)
{
    const std::string nines(5000, '9');
    const std::string zeros(5000, '0');
    struct Case { std::string text; Want want; } cases[] = {
        {"1e5000", Want::PlusInf},
        {"-1e5000", Want::MinusInf},
        {"1e99999999999999999999999", Want::PlusInf},
        {"1e-5000", Want::PlusZero},
        {"-1e-5000", Want::MinusZero},
        {"1e-99999999999999999999999", Want::PlusZero},
        // Many digits and no exponent: huge.
        {nines, Want::PlusInf},
        {"-" + nines, Want::MinusInf},
        {"+" + nines + ".5", Want::PlusInf},
        {"1" + zeros, Want::PlusInf},
        // Many leading zeros after the point and a positive exponent: tiny.
        {"0." + zeros + "1e10", Want::PlusZero},
        {"-." + zeros + "1E+10", Want::MinusZero},
        // Leading zeros before the digits do not make a number large.
        {zeros + "1e-5000", Want::PlusZero},
        // A negative exponent does not make many digits small.
        {nines + "e-10", Want::PlusInf},
    };
    for (const auto& c : cases) {
        const Real v = readNumber(c.text);
        const std::string shown = c.text.substr(0, 24) + "... (" + std::to_string(c.text.size()) + " chars)";
        switch (c.want) {
        case Want::PlusInf: EXPECT_TRUE(std::isinf(v) && v > 0) << shown; break;
        case Want::MinusInf: EXPECT_TRUE(std::isinf(v) && v < 0) << shown; break;
        case Want::PlusZero: EXPECT_TRUE(v == 0 && !std::signbit(v)) << shown; break;
        case Want::MinusZero: EXPECT_TRUE(v == 0 && std::signbit(v)) << shown; break;
        }
        // A catalogue entry that starts with such a number reads the same.
        const Real entry = leadingNumber(c.text + " - catalogue text");
        EXPECT_TRUE(entry == v || (std::isinf(entry) && std::isinf(v) && (entry > 0) == (v > 0))) << shown;
    }
}

TEST(ReaderLimits, LongNumbersInRangeReadExactly)
{
    const std::string zeros(3000, '0');
    struct Case { std::string text; Real want; } cases[] = {
        {"0." + zeros + "25e3002", 25.0L},
        {zeros + "7.5", 7.5L},
        {"1" + std::string(300, '0') + "e-300", 1.0L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readNumber(c.text), c.want) << c.text.size();
}

} // namespace
