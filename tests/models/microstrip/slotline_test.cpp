// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include <gtest/gtest.h>

#include "framework/core/fault_guard.h"
#include "framework/core/number_text.h"
#include "models/microstrip/microstrip.h"

using namespace tarvel;
using namespace tarvel::microstrip;

namespace {

const char* const warning =
    "Para uma melhor precisão a razão (h/Lambda)deve estar entre 0.01<=h/Lambda<=Valor de corte para modo TE10!!";

Inputs slotInputs(Real f, Real er, Real W, Real h)
{
    return {{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", h}, {"Largura", W}};
}

TEST(Slotline, WorkedExamples)
{
    struct Case {
        const char* name;
        Inputs in;
        const char *Z0, *eeff, *hc, *lambdaS;
        bool warned;
    } cases[] = {
        {"narrow range", slotInputs(3, 10.2L, 0.1L, 1.27L), "51.711", "4.3633", "0.0824", "4.7873", false},
        {"wide range", slotInputs(5, 10.2L, 0.6L, 1.27L), "78.458", "4.0390", "0.0824", "2.9855", false},
        {"thin substrate, warned", slotInputs(1, 10.2L, 0.1L, 0.64L), "53.305", "3.1583", "0.0824", "16.881", true},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(slotlineModel, c.in);
        ASSERT_TRUE(o.ok()) << c.name << o.message;
        ASSERT_EQ(o.results.size(), 4u);
        EXPECT_EQ(o.results[0].first, "Impcarac");
        EXPECT_EQ(o.results[1].first, "Efetiva");
        EXPECT_EQ(o.results[2].first, "CompCorte");
        EXPECT_EQ(o.results[3].first, "guiado");
        EXPECT_EQ(formatFixed(o.results[0].second, 3), c.Z0) << c.name;
        EXPECT_EQ(formatFixed(o.results[1].second, 4), c.eeff) << c.name;
        EXPECT_EQ(formatFixed(o.results[2].second, 4), c.hc) << c.name;
        EXPECT_EQ(formatFixed(o.results[3].second, c.warned ? 3 : 4), c.lambdaS) << c.name;
        ASSERT_EQ(o.warnings.size(), c.warned ? 1u : 0u) << c.name;
        if (c.warned) {
            EXPECT_EQ(o.warnings[0], warning);
        }
    }
}

TEST(Slotline, ChecksAndTheirBounds)
{
    struct Case {
        Inputs in;
        const char* message; // nullptr: computed
    } cases[] = {
        {slotInputs(0, 0, 0, 0), "Freqüência inválida!!"},
        {slotInputs(1, 9.69L, 0.1L, 1), "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!"},
        {slotInputs(1, 20.01L, 0.1L, 1), "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!"},
        {slotInputs(1, 0, 0.1L, 1), "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!"},
        {slotInputs(1, 9.7L, 0.1L, 1), nullptr},
        {slotInputs(1, 20, 0.1L, 1), nullptr},
        {slotInputs(1, 10.2L, 0, 1), "Largura da fenda inválida!!"},
        {slotInputs(1, 10.2L, 0.1L, 0), "Altura do dielétrico inválida!!"},
        {slotInputs(3, 10.2L, 0.01L, 0.05L), nullptr}, // no floor of 0.13 mm on h
        {slotInputs(1, 10.2L, 0.0199L, 1), "Razão W/h Inválida, recomenda-se 0.02<=W/h<=1!!"},
        {slotInputs(1, 10.2L, 0.02L, 1), nullptr},
        {slotInputs(1, 10.2L, 0.79L, 0.79L), nullptr},
        {slotInputs(1, 10.2L, 1.0001L, 1), "Razão W/h Inválida, recomenda-se 0.02<=W/h<=1!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(slotlineModel, c.in);
        if (c.message) {
            EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
            EXPECT_EQ(o.message, c.message);
        } else {
            EXPECT_TRUE(o.ok()) << o.message << faultText(o.fault);
        }
    }
}

// W/h = 0.2 belongs to the narrow range: the fit is continuous from below
// and jumps by some 4 % into the wide range.
TEST(Slotline, RangeBound)
{
    const Slot below = slotline(3, 10.2L, 0.19999L, 1), at = slotline(3, 10.2L, 0.2L, 1),
               above = slotline(3, 10.2L, 0.20001L, 1);
    EXPECT_LT(std::fabs(at.Z0 - below.Z0), 1e-3L);
    EXPECT_GT(std::fabs(above.Z0 - at.Z0), 1);
    EXPECT_LT(std::fabs(at.lambdaS - below.lambdaS), 1e-4L);
}

TEST(Slotline, WarningOutsideTheRatioRange)
{
    struct Case {
        Real f, h;
        bool warned;
    } cases[] = {
        {3, 1.27L, false},  // h/lambda0 = 0.0127
        {1, 0.64L, true},   // 0.0021, below 0.01
        {3, 1, false},      // exactly 0.01
        {20, 2.54L, true},  // 0.169, above the TE10 cutoff of 0.0824
        {9, 2.54L, false},  // 0.0762
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(slotlineModel, slotInputs(c.f, 10.2L, 0.1L * c.h, c.h));
        ASSERT_TRUE(o.ok());
        EXPECT_EQ(o.warnings.size(), c.warned ? 1u : 0u) << double(c.f) << " " << double(c.h);
    }
}

} // namespace
