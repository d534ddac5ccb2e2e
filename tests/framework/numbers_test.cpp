// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfenv>
#include <cmath>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/fault_guard.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"

using namespace tarvel;

namespace {

std::string hex(const Real48Bytes& b)
{
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (auto byte : b) {
        if (!s.empty()) s += ' ';
        s += d[byte >> 4];
        s += d[byte & 15];
    }
    return s;
}

TEST(Real48, GoldenBytes)
{
    struct Case { Real x; const char* bytes; } cases[] = {
        {1.0L, "81 00 00 00 00 00"},
        {2.2L, "82 CD CC CC CC 0C"},
        {-1.5L, "81 00 00 00 00 C0"},
        {0.0L, "00 00 00 00 00 00"},
        {-0.0L, "00 00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        auto b = encodeReal48(c.x);
        ASSERT_TRUE(b) << double(c.x);
        EXPECT_EQ(hex(*b), c.bytes) << double(c.x);
    }
}

TEST(Real48, RoundTripKeeps39FractionBits)
{
    for (Real x : {1.0L, 2.2L, -1.5L, 57600000.0L, 0.0003L, 1e-30L, 3.0e37L, 0.1L}) {
        const Real y = decodeReal48(*encodeReal48(x));
        EXPECT_LE(std::fabs(y - x), std::fabs(x) * std::ldexp(1.0L, -40)) << double(x);
        EXPECT_EQ(decodeReal48(*encodeReal48(y)), y); // rounding twice changes nothing
    }
}

TEST(Real48, CarryRaisesTheExponent)
{
    // Just below 2: all kept fraction bits are ones and the dropped top bit is set.
    const Real x = 2.0L - std::ldexp(1.0L, -41);
    auto b = encodeReal48(x);
    ASSERT_TRUE(b);
    EXPECT_EQ(hex(*b), "82 00 00 00 00 00");
    EXPECT_EQ(decodeReal48(*b), 2.0L);
}

TEST(Real48, TieRoundsAwayFromZero)
{
    const Real x = 1.0L + std::ldexp(1.0L, -40); // exactly half of the last kept bit
    EXPECT_EQ(decodeReal48(*encodeReal48(x)), 1.0L + std::ldexp(1.0L, -39));
    EXPECT_EQ(decodeReal48(*encodeReal48(-x)), -(1.0L + std::ldexp(1.0L, -39)));
}

TEST(Real48, UnderflowStoresZero)
{
    EXPECT_EQ(hex(*encodeReal48(std::ldexp(1.0L, -129))), "00 00 00 00 00 00");
    EXPECT_EQ(decodeReal48(*encodeReal48(std::ldexp(1.0L, -128))), std::ldexp(1.0L, -128)); // smallest exponent 1
}

TEST(Real48, Limit2To127)
{
    EXPECT_FALSE(encodeReal48(std::ldexp(1.0L, 127)));
    EXPECT_FALSE(encodeReal48(-std::ldexp(1.0L, 127)));
    EXPECT_FALSE(encodeReal48(std::ldexp(1.0L, 127) - std::ldexp(1.0L, 86))); // rounds up to 2^127
    auto largest = encodeReal48(std::ldexp(1.0L, 127) - std::ldexp(1.0L, 87));
    ASSERT_TRUE(largest);
    EXPECT_EQ(hex(*largest), "FF FF FF FF FF 7F");
    EXPECT_FALSE(encodeReal48(INFINITY));
    EXPECT_FALSE(encodeReal48(NAN));
}

TEST(Real48, RoundingHelperRaisesOverflow)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(std::isinf(r48(1e39L)));
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(std::isnan(r48(NAN)));
    EXPECT_EQ(r48(1.0L), 1.0L);
}

TEST(NumberText, Reader)
{
    struct Case { const char* text; Real value; } cases[] = {
        {"", 0}, {"   ", 0}, {"1", 1}, {"  2.5", 2.5L}, {"2.5  ", 2.5L}, {"-3", -3}, {"+4", 4},
        {".5", 0.5L}, {"5.", 5}, {"1e3", 1000}, {"1E-3", 0.001L}, {"2.5e+2", 250}, {"-0", 0},
        {"57600000", 57600000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readNumber(c.text), c.value) << c.text;
    for (const char* bad : {"2,5", "2.5x", "abc", ".", "-", "e5", "1e", "1 2", "--1", "nan", "inf", "0x10", "1..2"})
        EXPECT_TRUE(std::isnan(readNumber(bad))) << bad;
    EXPECT_TRUE(std::isinf(readNumber("1e5000")));
    EXPECT_EQ(readNumber("1e-5000"), 0);
}

TEST(NumberText, LeadingNumberOfCatalogueEntries)
{
    struct Case { const char* entry; const char* number; } cases[] = {
        {"2.10 - PTFE: Polytetrafluoretileno", "2.10"}, {"57600000 - Cu : Cobre", "57600000"},
        {"9.0   µm ED(1/4 oz)", "9.0"}, {"10.2 - RO3010  ", "10.2"}, {"", "0"}, {"abc", "0"},
        {"35.0 µm ED(1 oz)", "35.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.entry), readNumber(c.number)) << c.entry;
}

TEST(NumberText, ResultFormat)
{
    struct Case { Real v; int dec; const char* text; } cases[] = {
        {1.0L / 3, 4, "0.3333"}, {1234567, 4, "1234567.0000"}, {50.1234L, 4, "50.1234"},
        {-0.0012L, 4, "-0.0012"}, {123456.7L, 4, "123456.7000"}, {0.03125L, 4, "0.0313"},
        {-0.03125L, 4, "-0.0313"}, {-0.00001L, 4, "0.0000"}, {-0.0L, 4, "0.0000"}, {0.999951L, 4, "1.0000"}, {0.99995L, 4, "0.9999"},
        {9.99996L, 4, "10.0000"}, {0.0003L, 3, "0.000"}, {0.0009L, 3, "0.001"}, {57600000, 0, "57600000"},
        {2.5L, 0, "3"}, {1.0L, 2, "1.00"}, {0.0003L, 5, "0.00030"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.v, c.dec), c.text) << double(c.v);
}

// The fast integer path of the result format gives the very text of the
// exact digits: random values over the whole range the windows see, exact
// halves, halves one step below and above, and the ends of the path.
TEST(NumberText, ResultFormatAgreesWithTheExactDigits)
{
    std::vector<Real> values = {0.0L, -0.0L, 0.5L, 1.5L, 2.5L, 0.03125L, 0.00005L, 0.99995L, 9.99995L,
                                0x1p62L, 0x1p63L - 1, 0x1p63L, 0x1p-56L, 0x1p-57L, 0x1p-70L, 1e-30L, 1e30L};
    for (int e = -20; e <= 20; ++e) {
        const Real half = std::ldexp(Real(3), e); // many of them exact halves at some decimals
        values.insert(values.end(), {half, std::nextafter(half, Real(0)), std::nextafter(half, Real(1e40L))});
    }
    std::mt19937_64 random(17);
    for (int i = 0; i < 20000; ++i) {
        const Real mantissa = std::ldexp(Real(random() >> 1), -63);
        values.push_back(std::ldexp(mantissa, int(random() % 140) - 70) * (i % 2 ? -1 : 1));
        // Exact ties at 4 decimals: an odd multiple of 1/20000 when it has few bits.
        values.push_back(Real(2 * (random() % 100000) + 1) / 20000 * (i % 3 ? 1 : -1));
    }
    for (const Real v : values)
        for (int decimals = 0; decimals <= 8; ++decimals)
            ASSERT_EQ(formatFixed(v, decimals), formatFixedByDigits(v, decimals)) << double(v) << " " << decimals;
}

// Short numbers take a quick exact conversion; it must give the very value
// the full conversion gives, for every length of digits and power of ten.
TEST(NumberText, ShortNumbersReadAsTheFullConversion)
{
    std::mt19937_64 random(4);
    std::vector<std::string> texts = {"0", "-0", "0.0", "1", "10", "0.79", "0.035", "57600000", "2.20",
                                      "9999999999999999999", "99999999999999999999", "1e27", "1e-27", "1e28",
                                      "0.000000000000000000000000001", "123456789.123456789", "-5.5e-3",
                                      "18446744073709551615", "1.8446744073709551615e19"};
    for (int i = 0; i < 20000; ++i) {
        std::string t = std::to_string(random() % 1000000000000000000ULL >> (random() % 60));
        const std::size_t point = random() % (t.size() + 1);
        if (point < t.size())
            t.insert(point, ".");
        if (random() % 3 == 0)
            t += "e" + std::to_string(int(random() % 61) - 30);
        if (random() % 2)
            t.insert(0, "-");
        texts.push_back(t);
    }
    for (const auto& t : texts) {
        const Real got = readNumber(t);
        const Real want = std::strtold(t.c_str(), nullptr);
        EXPECT_TRUE(got == want && std::signbit(got) == std::signbit(want)) << t;
    }
}

Outcome divides(const Inputs& in) { return Outcome().set("x", 1 / in["zero"]); }
Outcome invalid(const Inputs& in) { return Outcome().set("x", std::sqrt(in["minus"])); }
Outcome overflows(const Inputs& in) { return Outcome().set("x", std::exp(in["big"]) * 0 + 1); }
Outcome refusesNaN(const Inputs& in)
{
    if (!(in["nan"] > 0)) return Outcome::refuse("Valor inválido!!");
    return Outcome().set("x", 1);
}
Outcome fine(const Inputs& in) { return Outcome().set("x", in["a"] * 2).warn("aviso"); }
Outcome nonFinite(const Inputs&) { return Outcome().set("x", INFINITY); }

TEST(FaultGuard, MapsFlagsToStandardTexts)
{
    struct Case { Model m; Inputs in; Outcome::Kind kind; const char* text; } cases[] = {
        {divides, {{"zero", 0}}, Outcome::Kind::Fault, "Floating point division by zero"},
        {invalid, {{"minus", -1}}, Outcome::Kind::Fault, "Invalid floating point operation"},
        {overflows, {{"big", 1e6L}}, Outcome::Kind::Fault, "Floating point overflow"},
        {nonFinite, {}, Outcome::Kind::Fault, "Floating point overflow"},
        {refusesNaN, {{"nan", NAN}}, Outcome::Kind::Message, "Valor inválido!!"},
        {fine, {{"a", 2}}, Outcome::Kind::Results, ""},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(c.m, c.in);
        EXPECT_EQ(o.kind, c.kind) << c.text;
        if (o.kind == Outcome::Kind::Fault) {
            EXPECT_STREQ(faultText(o.fault), c.text);
        }
        if (o.kind == Outcome::Kind::Message) {
            EXPECT_EQ(o.message, c.text);
        }
        if (o.ok()) {
            EXPECT_EQ(o.value("x"), 4);
            EXPECT_EQ(o.warnings, std::vector<std::string>{"aviso"});
        }
        EXPECT_FALSE(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT)); // the guard leaves the flags clear
    }
}

} // namespace
