// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "models/coupled_microstrip/coupled_microstrip.h"

using namespace tarvel;
using namespace tarvel::cmstrip;

namespace {

Inputs wanted(Real Z0e, Real Z0o, Real er, Real h = 0.79L, Real f = 10, Real tand = 0.0009L, Real t = 0.035L)
{
    return {{"ImpModoPar", Z0e}, {"ImpModoimpar", Z0o}, {"Frequencia", f},   {"ComboBox2", er},
            {"ComboBox1", 5.8e7L}, {"Tanperda", tand},   {"ComboBox4", h}, {"ComboBox3", t}};
}

std::string fixed(Real v, int decimals) { return formatFixed(v, decimals); }

TEST(CoupledSynthesis, ClosedFormStartPoints)
{
    struct Case {
        Real Z0e, Z0o, er;
        const char *u, *g, *Ze, *Zo, *ee, *eo; // nullptr: not stated
    } cases[] = {
        {60, 40, 2.2L, "2.9137", "0.4140", "60.17", "40.52", "1.9599", "1.7321"},
        {70, 36, 10.2L, "0.7488", "0.2943", "71.21", "36.67", "7.2157", "5.7759"},
        {100, 30, 9.8L, "0.4492", "0.0540", nullptr, nullptr, nullptr, nullptr}, // k >= 0.5
    };
    for (const auto& c : cases) {
        const Ratios s = startPoint(c.Z0e, c.Z0o, c.er);
        EXPECT_EQ(fixed(s.u, 4), c.u) << double(c.Z0e);
        EXPECT_EQ(fixed(s.g, 4), c.g) << double(c.Z0e);
        if (!c.Ze)
            continue;
        const ModeImpedances z = modeImpedances(s.u, s.g, c.er);
        const ModePermittivities e = modePermittivities(s.u, s.g, c.er);
        EXPECT_EQ(fixed(z.even, 2), c.Ze);
        EXPECT_EQ(fixed(z.odd, 2), c.Zo);
        EXPECT_EQ(fixed(e.even, 4), c.ee);
        EXPECT_EQ(fixed(e.odd, 4), c.eo);
    }
}

// The impedance and permittivity functions away from the start points: wide
// gaps (where the constants of the large-g terms matter), a gap below the
// 1e-5 floor of m, n and theta, and air. Reference values worked out apart
// from this code, in double precision.
TEST(CoupledSynthesis, ModeFunctionsOverTheirRange)
{
    struct Case {
        Real u, g, er;
        const char *Ze, *Zo, *ee, *eo;
    } cases[] = {
        {1, 4, 2.2L, "97.5481", "93.0312", "1.8053", "1.7181"},
        {0.3L, 6, 10.2L, "78.6884", "77.5304", "6.4557", "6.2732"},
        {3, 0.05L, 4.5L, "44.1415", "22.5227", "3.7806", "3.0126"},
        {0.5L, 1e-6L, 9.8L, "97.8237", "8.5455", "6.6348", "5.4080"},
        {8, 2, 1, "36.5469", "32.3460", "1.0000", "1.0000"},
    };
    for (const auto& c : cases) {
        const ModeImpedances z = modeImpedances(c.u, c.g, c.er);
        const ModePermittivities e = modePermittivities(c.u, c.g, c.er);
        EXPECT_EQ(fixed(z.even, 4), c.Ze) << double(c.u) << " " << double(c.g);
        EXPECT_EQ(fixed(z.odd, 4), c.Zo) << double(c.u) << " " << double(c.g);
        EXPECT_EQ(fixed(e.even, 4), c.ee) << double(c.u) << " " << double(c.g);
        EXPECT_EQ(fixed(e.odd, 4), c.eo) << double(c.u) << " " << double(c.g);
    }
}

// At and above k = 0.5 the gap polynomial is frozen at kc = 0.5 and scaled
// by 2 (1 - k): for one geometric-mean impedance (one Wheeler width) the gap
// ratio is then proportional to 1 - k. Below 0.5 it is not.
TEST(CoupledSynthesis, StrongCouplingScalesTheGapBy1MinusK)
{
    const Real Z0 = 50, er = 9.8L;
    auto gapAt = [&](Real k) {
        return startPoint(Z0 * std::sqrt((1 + k) / (1 - k)), Z0 * std::sqrt((1 - k) / (1 + k)), er).g;
    };
    const Real g50 = gapAt(0.5L);
    for (Real k : {0.55L, 0.6L, 0.7L, 0.8L})
        EXPECT_NEAR(double(gapAt(k) / g50), double(2 * (1 - k)), 1e-9) << double(k);
    EXPECT_GT(std::fabs(double(gapAt(0.45L) / g50 - 1.1L)), 1e-3); // would be 1.1 if scaled below 0.5 too
    // Both branches meet at k = 0.5 (the factor 2 (1 - k) is 1 there).
    EXPECT_NEAR(double(gapAt(0.5L - 1e-12L) / g50), 1, 1e-9);
}

TEST(CoupledSynthesis, RefinementMeetsTheWantedImpedances)
{
    int runs = 0, converged = 0, most = 0;
    for (Real er : {2.2L, 4.5L, 10.2L})
        for (Real Ze = 55; Ze <= 120; Ze += 5)
            for (Real Zo = 30; Zo <= 45; Zo += 2.5L) {
                ++runs;
                const Outcome o = runGuarded(synthesis, wanted(Ze, Zo, er));
                ASSERT_TRUE(o.ok()) << o.message << faultText(o.fault);
                const Refinement r = refine(startPoint(Ze, Zo, er), Ze, Zo, er);
                if (!r.converged)
                    continue;
                ++converged;
                most = std::max(most, r.iterations);
                EXPECT_TRUE(o.warnings.empty());
                // The model's impedances at the displayed W/h and S/h.
                const ModeImpedances z = modeImpedances(o.value("LargReal") / 0.79L, o.value("SepReal") / 0.79L, er);
                EXPECT_LT(std::fabs(double(z.even / Ze - 1)), 1e-4) << double(er) << " " << double(Ze) << "/" << double(Zo);
                EXPECT_LT(std::fabs(double(z.odd / Zo - 1)), 1e-4) << double(er) << " " << double(Ze) << "/" << double(Zo);
                // The displayed permittivities are those of the refined point.
                const ModePermittivities e = modePermittivities(r.point.u, r.point.g, er);
                EXPECT_EQ(resultText(o.value("EfetivoPar")), resultText(e.even));
                EXPECT_EQ(resultText(o.value("Efetivoimpar")), resultText(e.odd));
            }
    EXPECT_EQ(converged, runs);
    EXPECT_LE(most, 10);
}

TEST(CoupledSynthesis, UnreachableTargetsShowTheStartPointAndSaySo)
{
    struct Case {
        Real Z0e, Z0o, er;
    } cases[] = {{60, 10, 4.5L}, {150, 15, 2.2L}, {95, 20, 1}};
    for (const auto& c : cases) {
        const Refinement r = refine(startPoint(c.Z0e, c.Z0o, c.er), c.Z0e, c.Z0o, c.er);
        EXPECT_FALSE(r.converged);
        // Through the guard: the trial points of the iteration leave no
        // arithmetic fault behind them.
        const Outcome o = runGuarded(synthesis, wanted(c.Z0e, c.Z0o, c.er));
        ASSERT_TRUE(o.ok()) << faultText(o.fault);
        ASSERT_EQ(o.warnings.size(), 1u);
        EXPECT_EQ(o.warnings[0], notConverged);
        const Ratios s = startPoint(c.Z0e, c.Z0o, c.er);
        EXPECT_EQ(resultText(o.value("LargReal")), resultText(s.u * 0.79L));
        EXPECT_EQ(resultText(o.value("SepReal")), resultText(s.g * 0.79L));
    }
}

// Where the refined width or gap would show as 0.0000 or 0.0001 mm, the
// start point stands and a notice says why; from 0.0002 mm on the refined
// point is shown.
TEST(CoupledSynthesis, AGapTooFineToShowKeepsTheStartPointAndSaysSo)
{
    struct Case {
        Real er;
        const char* refinedGap; // S of the refined point, as it would show
        bool notice;
    } cases[] = {{2.2L, "0.0000", true}, {2.94L, "0.0001", true}, {3.38L, "0.0002", false}};
    const Real Z0e = 81.726L, Z0o = 21.304L, h = 0.13L;
    for (const auto& c : cases) {
        const Ratios s = startPoint(Z0e, Z0o, c.er);
        const Refinement r = refine(s, Z0e, Z0o, c.er);
        ASSERT_TRUE(r.converged) << double(c.er);
        EXPECT_EQ(resultText(r.point.g * h), c.refinedGap) << double(c.er);
        const Outcome o = runGuarded(synthesis, wanted(Z0e, Z0o, c.er, h));
        ASSERT_TRUE(o.ok()) << faultText(o.fault);
        const Ratios shown = c.notice ? s : r.point;
        EXPECT_EQ(resultText(o.value("LargReal")), resultText(shown.u * h)) << double(c.er);
        EXPECT_EQ(resultText(o.value("SepReal")), resultText(shown.g * h)) << double(c.er);
        EXPECT_EQ(resultText(o.value("EfetivoPar")), resultText(modePermittivities(shown.u, shown.g, c.er).even));
        EXPECT_EQ(o.warnings, c.notice ? std::vector<std::string>{belowResolution} : std::vector<std::string>{});
    }
    // The case as a user meets it: a gap of 0.0010 mm, not 0.0000.
    EXPECT_EQ(resultText(runGuarded(synthesis, wanted(Z0e, Z0o, 2.2L, h)).value("SepReal")), "0.0010");
}

// The iteration probes points where the model may have no value; what it
// raised there must not reach the guard, and what was raised before it (by
// the start point) must survive it.
TEST(CoupledSynthesis, RefinementLeavesTheFlagsAsItFoundThem)
{
    for (int before : {0, FE_INVALID, FE_DIVBYZERO | FE_OVERFLOW}) {
        for (Real Zo : {40.0L, 10.0L}) {
            std::feclearexcept(FE_ALL_EXCEPT);
            if (before)
                std::feraiseexcept(before);
            (void)refine(startPoint(60, Zo, 4.5L), 60, Zo, 4.5L);
            EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID), before) << double(Zo);
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(CoupledSynthesis, GeometryScalesWithHeightPermittivitiesDoNot)
{
    struct Case {
        Real Z0e, Z0o, er;
    } cases[] = {{60, 40, 2.2L}, {70, 36, 10.2L}, {100, 30, 9.8L}};
    for (const auto& c : cases) {
        const Outcome ref = runGuarded(synthesis, wanted(c.Z0e, c.Z0o, c.er, 0.635L));
        ASSERT_TRUE(ref.ok());
        for (Real h : {0.254L, 0.79L, 1.27L, 2.54L}) {
            const Outcome o = runGuarded(synthesis, wanted(c.Z0e, c.Z0o, c.er, h));
            ASSERT_TRUE(o.ok());
            EXPECT_NEAR(double(o.value("LargReal") / ref.value("LargReal")), double(h / 0.635L), 1e-9);
            EXPECT_NEAR(double(o.value("SepReal") / ref.value("SepReal")), double(h / 0.635L), 1e-9);
            EXPECT_EQ(resultText(o.value("EfetivoPar")), resultText(ref.value("EfetivoPar")));
            EXPECT_EQ(resultText(o.value("Efetivoimpar")), resultText(ref.value("Efetivoimpar")));
        }
    }
}

TEST(CoupledSynthesis, ChecksInOrder)
{
    struct Case {
        Inputs in;
        const char* message;
    } cases[] = {
        {wanted(0, 0, 0, 0, 0, 0, 0), "Impedância Característica Modo Par Inválida!!"},
        {wanted(60, -1, 0, 0, 0, 0, 0), "Impedância Característica Modo Ímpar Inválida!!"},
        {wanted(50, 50, 2.2L), "Impedância Característica Modo Par deve ser Maior que a do Modo Ímpar (Zoe>Zoo)!!"},
        {wanted(40, 60, 2.2L), "Impedância Característica Modo Par deve ser Maior que a do Modo Ímpar (Zoe>Zoo)!!"},
        {wanted(60, 40, 2.2L, 0.79L, 0), "Freqüência inválida!!"},
        {wanted(60, 40, 0.5L), "Constante dielétrica relativa inválida!!"},
        {wanted(60, 40, 2.2L, 0.79L, 10, 0), "Tangente de perda do dielétrico inválida!!"},
        {wanted(60, 40, 2.2L, 0.1L), "Altura do dielétrico inválida!!"},
        {wanted(60, 40, 2.2L, 0.79L, 10, 0.0009L, 0), "Espessura da fita condutora inválida!!"},
        {wanted(60, 40, 2.2L, 0.13L, 10, 0.0009L, 0.13L),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(synthesis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
    }
    Inputs noSigma = wanted(60, 40, 2.2L);
    noSigma.set("ComboBox1", 0);
    EXPECT_EQ(runGuarded(synthesis, noSigma).message, "Condutividade do condutor inválida!!");
    EXPECT_TRUE(runGuarded(synthesis, wanted(60, 40, 2.2L, 0.13L, 10, 0.0009L, 0.009L)).ok());
}

TEST(CoupledSynthesis, AirSubstrateAndCataloguePicks)
{
    const Outcome air = runGuarded(synthesis, wanted(60, 40, 1));
    ASSERT_TRUE(air.ok()) << faultText(air.fault);
    EXPECT_EQ(air.value("AtdielMp"), 0);
    EXPECT_EQ(air.value("AtdielMi"), 0);
    EXPECT_EQ(air.value("AtentotalMp"), air.value("AtconMp"));

    // Picked laminate and copper equal the same values typed.
    const auto& d = acMSSinWindow();
    const Outcome picked = compute(d, typedFields(d, {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"},
                                                      {"Frequencia", "10"}, {"ComboBox2", "2.20 - RT/duroid® 5880"},
                                                      {"ComboBox1", "57600000 - Cu : Cobre"}, {"ComboBox4", "0.79"},
                                                      {"ComboBox3", "35.0 µm ED(1 oz)"}}));
    const Outcome typed = runGuarded(synthesis, {{"ImpModoPar", 60}, {"ImpModoimpar", 40}, {"Frequencia", 10},
                                                 {"ComboBox2", 2.2L}, {"ComboBox1", 57600000}, {"Tanperda", 0.0009L},
                                                 {"ComboBox4", 0.79L}, {"ComboBox3", 0.035L}});
    ASSERT_TRUE(picked.ok() && typed.ok()) << picked.message;
    std::vector<std::string> order;
    for (const auto& r : picked.results)
        order.push_back(r.first);
    EXPECT_EQ(order, (std::vector<std::string>{"LargReal", "SepReal", "EfetivoPar", "Efetivoimpar", "AtconMp",
                                               "AtdielMp", "AtentotalMp", "AtconMi", "AtdielMi", "AtentotalMi"}));
    for (std::size_t i = 0; i < picked.results.size(); ++i)
        EXPECT_EQ(resultText(picked.results[i].second), resultText(typed.results[i].second))
            << picked.results[i].first;
    // Wide strips (u > 1): the conductor loss grows with the mode's impedance.
    EXPECT_GT(typed.value("LargReal") / 0.79L, 1);
    EXPECT_GT(typed.value("AtconMp"), typed.value("AtconMi"));
}

} // namespace
