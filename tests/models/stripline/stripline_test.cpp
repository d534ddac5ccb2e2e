// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "framework/core/report_layout.h"
#include "models/stripline/stripline.h"
#include "tests/models/result_texts.h"
#include "tests/models/sweep/outcome_rules.h"

using namespace tarvel;
using namespace tarvel::stripline;

namespace {

using test::Texts, test::expectTexts, test::expectSome;

void expectMessage(const Outcome& o, const std::string& message)
{
    EXPECT_EQ(o.kind, Outcome::Kind::Message) << message;
    EXPECT_EQ(o.message, message);
    EXPECT_TRUE(o.results.empty());
}

// The usual board: f = 1 GHz, RT/duroid 5880, copper, b = 1.57 mm, 1 oz.
Inputs single(Real f, Real er, Real sigma, Real loss, Real W, Real b, Real t, const char* lossField = "Tanperda")
{
    Inputs in{{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Largura", W}, {"ComboBox4", b},
              {"ComboBox3", t}};
    in.set(lossField, loss);
    return in;
}
Inputs synth(Real Z0, Real f, Real er, Real sigma, Real loss, Real b, Real t, const char* lossField = "Tanperda")
{
    Inputs in{{"Impcarac", Z0}, {"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"ComboBox4", b},
              {"ComboBox3", t}};
    in.set(lossField, loss);
    return in;
}
Inputs coupled(Real f, Real er, Real sigma, Real tand, Real W, Real S, Real b, Real t)
{
    return {{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Tanperda", tand},
            {"Largura", W},    {"Separ", S},      {"ComboBox4", b},    {"ComboBox3", t}};
}
Inputs coupledSynth(Real Z0e, Real Z0o, Real f, Real er, Real sigma, Real tand, Real b, Real t)
{
    return {{"ImpModoPar", Z0e}, {"ImpModoimpar", Z0o}, {"Frequencia", f}, {"ComboBox2", er},
            {"ComboBox1", sigma}, {"Tanperda", tand},   {"ComboBox4", b},  {"ComboBox3", t}};
}

constexpr Real cu = 57600000, au = 41000000;

// ---- Single stripline ------------------------------------------------------

TEST(Stripline, WorkedAnalysisThroughTheCatalogues)
{
    // The laminate entry with its two blanks fills the loss tangent; the
    // 1 oz entry is 35 micrometres.
    const Outcome o = compute(stLinAnaWindow(), typedFields(stLinAnaWindow(), {{"Frequencia", "1"},
                                                                              {"ComboBox2", "2.20 -  RT/duroid® 5880"},
                                                                              {"ComboBox1", "57600000 - Cu : Cobre"},
                                                                              {"Largura", "1"},
                                                                              {"ComboBox4", "1.57"},
                                                                              {"ComboBox3", "35.0 µm ED(1 oz)"}}));
    expectTexts(o, {{"Impcarac", "56.0763"}, {"FreqCorte", "45.2873"}, {"Resistividade", "0.0083"},
                    {"CompStrip", "20.2260"}, {"Encfimlinha", "0.2401"}, {"AtenCond", "0.0062"},
                    {"Atendiel", "0.0012"}, {"AtenTotal", "0.0074"}, {"Qcond", "218.7823"},
                    {"Qdiel", "1109.8504"}, {"Qtotal", "182.7560"}});
}

TEST(Stripline, AnalysisExamples)
{
    struct Case { const char* what; Outcome o; Texts want; } cases[] = {
        {"thin strip at 10 GHz", analysisLossTangent(single(10, 2.2L, cu, 0.0009L, 1.25L, 1.57L, 0.0175L)),
         {{"Impcarac", "49.9963"}}},
        {"conducting dielectric", analysisConducting(single(1, 2.35L, cu, 0.001L, 1, 1.57L, 0.035L, "Condsubs")),
         {{"Atendiel", "0.0107"}}},
        // The same geometry gives the same impedance on both windows at the same er.
        {"conducting, er 2.2", analysisConducting(single(1, 2.2L, cu, 0.001L, 1, 1.57L, 0.035L, "Condsubs")),
         {{"Impcarac", "56.0763"}, {"AtenCond", "0.0062"}}},
        // theta beyond pi/2: the end-effect length comes out negative
        {"200 GHz", analysisLossTangent(single(200, 2.2L, cu, 0.0009L, 1, 1.57L, 0.035L)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectSome(c.o, c.want);
    }
    EXPECT_LT(cases[3].o.value("Encfimlinha"), 0);
}

TEST(Stripline, ConductorLossBranchesAtRatio035)
{
    // b - t = 1 exactly, so W = 0.35 is the ratio 0.35 itself.
    const Real b = 1.125L, t = 0.125L;
    const Real at = conductorLoss(0.35L, b, t, 1, 2.2L, 50);
    const Real above = conductorLoss(std::nextafter(0.35L, 1.0L), b, t, 1, 2.2L, 50);
    const Real wide = conductorLoss(0.36L, b, t, 1, 2.2L, 50);
    const Real narrow = conductorLoss(0.34L, b, t, 1, 2.2L, 50);
    // The narrow formula is steep and much larger than the wide one here;
    // the boundary value belongs to the narrow side.
    EXPECT_NEAR(double(at), double(narrow), 0.1 * double(narrow));
    EXPECT_NEAR(double(above), double(wide), 0.05 * double(wide));
    EXPECT_GT(at, 2 * above);

    // On the usual board the jump is from about 0.0438 to about 0.0071 dB/cm.
    const Real Wb = 0.35L * (1.57L - 0.035L);
    const Outcome below = analysisLossTangent(single(1, 2.2L, cu, 0.0009L, Wb * (1 - 1e-9L), 1.57L, 0.035L));
    const Outcome over = analysisLossTangent(single(1, 2.2L, cu, 0.0009L, Wb * (1 + 1e-9L), 1.57L, 0.035L));
    expectSome(below, {{"AtenCond", "0.0438"}});
    expectSome(over, {{"AtenCond", "0.0071"}});
}

TEST(Stripline, WorkedSynthesisAndRoundTrip)
{
    const Outcome o = synthesisLossTangent(synth(50, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
    expectTexts(o, {{"Largura", "1.2592"}, {"FreqCorte", "40.5776"}, {"Resistividade", "0.0083"},
                    {"CompStrip", "20.2260"}, {"Encfimlinha", "0.2542"}, {"AtenCond", "0.0060"},
                    {"Atendiel", "0.0012"}, {"AtenTotal", "0.0072"}, {"Qcond", "225.3237"},
                    {"Qdiel", "1109.8504"}, {"Qtotal", "187.2981"}});

    struct Case { Real Z0; const char* W; const char* alphaC; const char* back; } cases[] = {
        {50, "1.2592", "0.0060", "48.73"},  // first branch, wide-strip loss
        {100, "0.3121", "0.0491", "95.75"}, // second branch, narrow-strip loss
    };
    for (const auto& c : cases) {
        const Outcome s = runGuarded(synthesisLossTangent, synth(c.Z0, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
        expectSome(s, {{"Largura", c.W}, {"AtenCond", c.alphaC}});
        const Outcome a =
            runGuarded(analysisLossTangent, single(1, 2.2L, cu, 0.0009L, s.value("Largura"), 1.57L, 0.035L));
        expectSome(a, {{"Impcarac", c.back}});
    }
}

TEST(Stripline, SynthesisBranchStepAtQ119)
{
    // q = sqrt(er) Z0 (1 + 2.3 t/b) = 119 near Z0 = 76.317 on the usual board.
    const Real x = 0.035L / 1.57L;
    const Real Zq = 119 / (std::sqrt(2.2L) * (1 + 2.3L * x));
    EXPECT_EQ(formatFixed(Zq, 3), "76.317");
    struct Case { Real Z0; const char* W; } cases[] = {
        {Zq * (1 - 1e-12L), "0.5865"}, // first branch
        {Zq * (1 + 1e-12L), "0.5872"}, // second branch
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultText(synthesisWidth(c.Z0, 2.2L, 1.57L, 0.035L)), c.W);

    // Without thickness and with er = 1, q is Z0 itself: 119 exactly is the
    // second branch, the next number below the first.
    const Real W1 = 94.2477796076938L / 119 - 2 * std::log(2.0L) * 0.3183098861837907L;
    const Real second = 0.85L - std::sqrt(0.6L - W1);
    EXPECT_NEAR(double(synthesisWidth(119, 1, 1, 0)), double(second), 1e-15);
    EXPECT_NEAR(double(synthesisWidth(std::nextafter(119.0L, 0.0L), 1, 1, 0)), double(W1), 1e-15);
    EXPECT_GT(std::fabs(second - W1), 1e-8L); // the branches nearly meet without thickness
}

TEST(Stripline, SynthesisWithoutAStripIsRefused)
{
    // Beyond about 181 Ohm the thick branch gives W <= 0; far beyond, no real root.
    struct Case { Real Z0; bool ok; } cases[] = {
        {180, true}, {180.5L, true}, {181, false}, {200, false}, {400, false}, {5000, false},
    };
    for (const auto& c : cases)
        for (auto model : {synthesisLossTangent, synthesisConducting}) {
            const char* lossField = model == synthesisLossTangent ? "Tanperda" : "Condsubs";
            const Outcome o = runGuarded(model, synth(c.Z0, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L, lossField));
            EXPECT_EQ(o.ok(), c.ok) << double(c.Z0);
            if (!c.ok) {
                EXPECT_EQ(o.kind, Outcome::Kind::Fault);
                EXPECT_TRUE(o.results.empty());
            } else {
                EXPECT_GT(o.value("Largura"), 0);
            }
        }
}

TEST(Stripline, AnalysisChecksInOrder)
{
    const char* bt = "Altura do dielétrico deve ser maior que a Espessura da Fita b>>t!!";
    struct Case { Inputs in; const char* five; const char* seven; } cases[] = {
        {single(0, 0, 0, 0, 0, 0, 0), "Freqüência inválida!!", "Freqüência inválida!!"},
        {single(NAN, 2.2L, cu, 1, 1, 1, 0.1L), "Freqüência inválida!!", "Freqüência inválida!!"},
        {single(1, 0.99L, 0, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!",
         "Constante dielétrica relativa inválida!!"},
        {single(1, 1, 0, 0, 0, 0, 0), "Condutividade inválida!!", "Condutividade do condutor inválida!!"},
        {single(1, 1, cu, 0, 0, 0, 0), "Tangente de perda do dielétrico inválida!!",
         "Condutividade do dielétrico inválida!!"},
        {single(1, 1, cu, 1e-3L, 0, 0, 0), "Largura da fita condutora inválida!!",
         "Largura da fita condutora inválida!!"},
        {single(1, 1, cu, 1e-3L, 1, 0.129L, 0), "Altura do dielétrico inválida!!", "Altura do dielétrico inválida!!"},
        {single(1, 1, cu, 1e-3L, 1, 0.13L, 0), "Espessura da fita condutora Inválida!!",
         "Espessura da fita condutora Inválida!!"},
        {single(1, 1, cu, 1e-3L, 1, 0.13L, 0.13L), bt, bt},
        {single(1, 1, cu, 1e-3L, 1, 0.13L, 0.5L), bt, bt},
    };
    for (const auto& c : cases) {
        Inputs seven = c.in;
        seven.set("Condsubs", c.in["Tanperda"]);
        expectMessage(runGuarded(analysisLossTangent, c.in), c.five);
        expectMessage(runGuarded(analysisConducting, seven), c.seven);
    }
    // The smallest height and er = 1 pass.
    EXPECT_TRUE(runGuarded(analysisLossTangent, single(1, 1, cu, 1e-3L, 0.1L, 0.13L, 0.009L)).ok());
}

TEST(Stripline, SynthesisChecksInOrder)
{
    struct Case { Inputs in; const char* nineteen; const char* twentyTwo; } cases[] = {
        {synth(0, 0, 0, 0, 0, 0, 0), "Impedância característica inválida!!", "Impedância característica inválida!!"},
        {synth(50, 0, 0, 0, 0, 0, 0), "Freqüência inválida!!", "Freqüência inválida!!"},
        {synth(50, 1, 0, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!",
         "Constante dielétrica relativa inválida!!"},
        // 0 < er < 1 passes only on the conducting substrate
        {synth(50, 1, 0.5L, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!",
         "Condutividade do condutor inválida!!"},
        {synth(50, 1, 2.2L, 0, 0, 0, 0), "Condutividade do condutor inválida!!",
         "Condutividade do condutor inválida!!"},
        {synth(50, 1, 2.2L, cu, 0, 0, 0), "Tangente de perda do dielétrico inválida!!",
         "Condutividade do dielétrico inválida!!"},
        {synth(50, 1, 2.2L, cu, 1e-3L, 0.129L, 0), "Altura do dielétrico inválida!!",
         "Altura do dielétrico inválida!!"},
        {synth(50, 1, 2.2L, cu, 1e-3L, 0.13L, 0), "Espessura da fita condutora Inválida!!",
         "Espessura da Fita Condutora Inválida!!"},
        {synth(50, 1, 2.2L, cu, 1e-3L, 1.57L, 1.57L),
         "Altura do dielétrico deve ser maior que a Espessura da Fita b>>t!!",
         "Altura do dielétrico deve ser maior que a Espessura da Fita Condutora b>>t!!"},
    };
    for (const auto& c : cases) {
        Inputs conducting = c.in;
        conducting.set("Condsubs", c.in["Tanperda"]);
        expectMessage(runGuarded(synthesisLossTangent, c.in), c.nineteen);
        expectMessage(runGuarded(synthesisConducting, conducting), c.twentyTwo);
    }
    const Outcome thinAir = runGuarded(synthesisConducting, synth(50, 1, 0.5L, cu, 1e-3L, 1.57L, 0.035L, "Condsubs"));
    ASSERT_TRUE(thinAir.ok());
    EXPECT_GT(thinAir.value("Largura"), 0);
}

// ---- Coupled stripline -----------------------------------------------------

TEST(CoupledStripline, WorkedAnalysis)
{
    const auto& d = acSLMpAnWindow();
    const Outcome o = compute(d, typedFields(d, {{"Frequencia", "1"},
                                                 {"ComboBox2", "2.20 - RT/duroid® 5880"},
                                                 {"ComboBox1", "57600000 - Cu : Cobre"},
                                                 {"Largura", "1"},
                                                 {"Separ", "0.5"},
                                                 {"ComboBox4", "1.57"},
                                                 {"ComboBox3", "35.0 µm ED(1 oz)"}}));
    expectTexts(o, {{"Impcarac", "62.0614"}, {"impcararcodd", "49.1975"}, {"Compguiado", "20.2260"},
                    {"AtenCond", "0.0069"}, {"AtenCondodd", "0.0050"}, {"Atendiel", "0.0012"},
                    {"AtenDielodd", "0.0012"}, {"AtenTotal", "0.0081"}, {"AtenTotalodd", "0.0062"}});
    const CoupledFactors F = coupledFactors(r48(0.5L), r48(1.57L), r48(0.035L));
    EXPECT_EQ(resultText(F.Cf), "1.4776");
    EXPECT_EQ(resultText(F.Ae), "1.5483");
    EXPECT_EQ(resultText(F.Ao), "2.6613");
}

TEST(CoupledStripline, NegativeOddModeLossIsShown)
{
    // A narrow gap with thick strips drives Ko below zero.
    struct Case { Real sigma; const char* alphaCo; } cases[] = {{au, "-0.0179"}, {cu, "-0.0151"}};
    for (const auto& c : cases) {
        const Outcome o = runGuarded(coupledAnalysis, coupled(3, 3.48L, c.sigma, 0.004L, 0.9L, 0.05L, 2.54L, 0.07L));
        expectSome(o, {{"Impcarac", "81.5553"}, {"impcararcodd", "27.3801"}, {"AtenCondodd", c.alphaCo}});
    }
}

TEST(CoupledStripline, RangeOfTheThickStripFormulas)
{
    const char* wb = "A Razão (W/b)>0.35 para Satisfazer o Projeto!!";
    const char* tb = "A Razão (t/b)<0.1 para Satisfazer o Projeto!!";
    struct Case { Real W, b, t; const char* message; } cases[] = {
        {0.7L, 2, 0.035L, wb},             // W/b exactly 0.35
        {0.5495L, 1.57L, 0.035L, wb},      // the same ratio on the usual board
        {0.7001L, 2, 0.035L, nullptr},
        {1, 2, 0.2L, nullptr},             // t/b exactly 0.1
        {1, 1.57L, 0.157L, nullptr},
        {1, 2, 0.2001L, tb},
        {0.5L, 2, 0.5L, wb},               // both out of range: W/b first
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(coupledAnalysis, coupled(1, 2.2L, cu, 0.0009L, c.W, 0.5L, c.b, c.t));
        if (c.message)
            expectMessage(o, c.message);
        else
            EXPECT_TRUE(o.ok()) << double(c.W) << " " << double(c.t) << o.message;
    }
}

TEST(CoupledStripline, AnalysisChecksInOrder)
{
    struct Case { Inputs in; const char* message; } cases[] = {
        {coupled(0, 0, 0, 0, 0, 0, 0, 0), "Freqüência inválida!!"},
        {coupled(1, 0.5L, 0, 0, 0, 0, 0, 0), "Constante dielétrica relativa Inválida!!"},
        {coupled(1, 1, 0, 0, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {coupled(1, 1, cu, 0, 0, 0, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {coupled(1, 1, cu, 1e-3L, 0, 0, 0, 0), "Largura das fitas condutoras inválidas!!"},
        {coupled(1, 1, cu, 1e-3L, 0.1L, 0, 0, 0), "Separação entre as fitas condutoras inválida!!"},
        {coupled(1, 1, cu, 1e-3L, 0.1L, 0.1L, 0.129L, 0), "Altura do dielétrico inválida!!"},
        {coupled(1, 1, cu, 1e-3L, 0.1L, 0.1L, 0.13L, 0), "Espessura da fita condutora inválida!!"},
        // so thin that its 48-bit value is zero
        {coupled(1, 1, cu, 1e-3L, 0.1L, 0.1L, 0.13L, 1e-40L), "Espessura da fita condutora inválida!!"},
        // t >= b comes before the ratio checks
        {coupled(1, 1, cu, 1e-3L, 0.1L, 0.1L, 0.13L, 0.13L),
         "Altura do dielétrico deve ser maior que a espessura da fita b>>t!!"},
    };
    for (const auto& c : cases)
        expectMessage(runGuarded(coupledAnalysis, c.in), c.message);
}

TEST(CoupledStripline, ModesMergeAsTheGapGrows)
{
    Real previousSpread = 1e9L;
    for (Real S : {0.1L, 0.5L, 1.0L, 2.0L, 4.0L, 8.0L}) {
        const Outcome o = runGuarded(coupledAnalysis, coupled(2, 2.2L, cu, 0.0009L, 1, S, 1.57L, 0.035L));
        ASSERT_TRUE(o.ok()) << double(S);
        const Real spread = o.value("Impcarac") - o.value("impcararcodd");
        EXPECT_GT(spread, 0);
        EXPECT_LT(spread, previousSpread);
        previousSpread = spread;
        EXPECT_EQ(o.value("Atendiel"), o.value("AtenDielodd"));
        const CoupledFactors F = coupledFactors(r48(S), r48(1.57L), r48(0.035L));
        EXPECT_LT(F.Ae, 2);
        EXPECT_GT(F.Ao, 2);
    }
    EXPECT_LT(previousSpread, 1e-4L);
}

TEST(CoupledStripline, WorkedSynthesisAndRoundTrip)
{
    const Outcome o = runGuarded(coupledSynthesis, coupledSynth(60, 40, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
    expectTexts(o, {{"LargReal", "1.1498"}, {"SepReal", "0.2212"}, {"complambs", "20.2260"},
                    {"AtconMp", "0.0069"}, {"AtconMi", "0.0034"}, {"AtdielMp", "0.0012"},
                    {"AtdielMi", "0.0012"}, {"AtentotalMp", "0.0081"}, {"AtentotalMi", "0.0046"}});
    const Outcome back = runGuarded(
        coupledAnalysis, coupled(1, 2.2L, cu, 0.0009L, o.value("LargReal"), o.value("SepReal"), 1.57L, 0.035L));
    expectSome(back, {{"Impcarac", "60.06"}, {"impcararcodd", "40.04"}});

    // The analysis example's impedances give back its geometry.
    expectSome(runGuarded(coupledSynthesis, coupledSynth(62.06L, 49.20L, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L)),
               {{"LargReal", "0.9982"}, {"SepReal", "0.5006"}});
}

TEST(CoupledStripline, SynthesisShowsANegativeWidth)
{
    const Outcome o = runGuarded(coupledSynthesis, coupledSynth(150, 140, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
    expectSome(o, {{"LargReal", "-0.066"}});
    EXPECT_EQ(rules::checkOutcome(acSLSinWindow(), o), "");
}

TEST(CoupledStripline, GapWidensAsTheImpedancesClose)
{
    Real previous = 0;
    for (Real Z0o : {20.0L, 30.0L, 40.0L, 50.0L, 55.0L, 59.0L}) {
        const Outcome o = runGuarded(coupledSynthesis, coupledSynth(60, Z0o, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
        ASSERT_TRUE(o.ok()) << double(Z0o);
        EXPECT_GT(o.value("SepReal"), previous);
        previous = o.value("SepReal");
        EXPECT_EQ(o.value("AtdielMp"), o.value("AtdielMi"));
    }
}

TEST(CoupledStripline, SynthesisChecksInOrder)
{
    const char* bt = "Altura do dielétrico deve ser maior que a espessura da fita b>>t!!";
    struct Case { Inputs in; const char* message; } cases[] = {
        {coupledSynth(0, 0, 0, 0, 0, 0, 0, 0), "Impedância Característica Modo Par Inválida!!"},
        {coupledSynth(60, 0, 0, 0, 0, 0, 0, 0), "Impedância Característica Modo Ímpar Inválida!!"},
        {coupledSynth(60, 60, 0, 0, 0, 0, 0, 0),
         "Impedância Característica Modo Par deve ser Maior que a do Modo Ímpar (Zoe>Zoo)!!"},
        {coupledSynth(60, 40, 0, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {coupledSynth(60, 40, 1, 0.9L, 0, 0, 0, 0), "Constante Dielétrica Relativa Inválida!!"},
        {coupledSynth(60, 40, 1, 1, 0, 0, 0, 0), "Condutividade do Condutor Inválida!!"},
        {coupledSynth(60, 40, 1, 1, cu, 0, 0, 0), "Tangente de perda do Substrato Inválida!!"},
        {coupledSynth(60, 40, 1, 1, cu, 1e-3L, 0.129L, 0), "Altura do Substrato inválida!!"},
        {coupledSynth(60, 40, 1, 1, cu, 1e-3L, 0.13L, 0), "Espessura da fita condutora inválida!!"},
        {coupledSynth(60, 40, 1, 1, cu, 1e-3L, 1.57L, 1.57L), bt}, // would divide by zero
        {coupledSynth(60, 40, 1, 1, cu, 1e-3L, 1.57L, 2), bt},     // logarithms of negatives
    };
    for (const auto& c : cases)
        expectMessage(runGuarded(coupledSynthesis, c.in), c.message);
}

// ---- Windows ---------------------------------------------------------------

TEST(StriplineWindows, Descriptions)
{
    struct Case {
        const WindowDescription& d;
        int number;
        const char* ext;
        std::size_t fields;
        const char* key;
        bool closesGallery, mainToFront, calcAtStart, shortcut, computeAfterOpen;
        int tab;
        std::size_t reportLines;
        int lastY;
    } cases[] = {
        {stLinAnaWindow(), 5, "stl", 7, "Frequencia", true, true, true, true, false, 3, 21, 1400},
        {stLinConWindow(), 7, "stn", 7, "Frequencia", true, true, true, true, false, 3, 21, 1400},
        {stLinSinWindow(), 19, "slt", 7, "Impcarac", false, false, false, true, false, 3, 21, 1400},
        {stLSinCdWindow(), 22, "sst", 7, "Impcarac", true, false, false, true, false, 3, 21, 1400},
        {acSLMpAnWindow(), 20, "asa", 8, "Frequencia", true, false, true, false, true, 8, 19, 1250},
        {acSLSinWindow(), 27, "acs", 8, "ImpModoPar", true, false, false, true, false, 8, 19, 1250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d.className);
        EXPECT_EQ(c.d.number, c.number);
        EXPECT_EQ(c.d.className, "TForm" + std::to_string(c.number));
        EXPECT_EQ(c.d.project.extension, c.ext);
        EXPECT_EQ(c.d.project.defaultName, c.d.unit + "1." + c.ext);
        ASSERT_EQ(c.d.project.fields.size(), c.fields);
        EXPECT_EQ(c.d.inputs.size(), c.fields);
        for (std::size_t i = 0; i < c.fields; ++i) // the file keeps the order the fields are read in
            EXPECT_EQ(c.d.project.fields[i].name, c.d.inputs[i].name);
        EXPECT_EQ(c.d.keyFields, std::vector<std::string>{c.key});
        EXPECT_EQ(c.d.closesGallery, c.closesGallery);
        EXPECT_EQ(c.d.mainToFront, c.mainToFront);
        EXPECT_EQ(c.d.calcEnabledAtStart, c.calcAtStart);
        EXPECT_EQ(c.d.calcShortcut, c.shortcut);
        EXPECT_EQ(c.d.project.computeAfterOpen, c.computeAfterOpen);
        EXPECT_EQ(galleryTab(c.d.section.kind), c.tab);
        EXPECT_EQ(c.d.report.lines.size(), c.reportLines);
        const auto items = layoutReport(c.d.report, [](const std::string&) { return std::string("x"); });
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.back().y, c.lastY);
        for (const auto& line : c.d.report.lines) { // every report value is a field of the window
            if (!line.control.empty()) {
                EXPECT_TRUE(c.d.input(line.control) || c.d.result(line.control)) << line.control;
            }
        }
        for (const auto& r : c.d.results)
            EXPECT_LT(std::size_t(r.group), c.d.resultGroups.size());
    }
}

TEST(StriplineWindows, LabelsThatDifferBetweenWindows)
{
    struct Case { const WindowDescription& d; const char* control; const char* label; } cases[] = {
        {stLinAnaWindow(), "Encfimlinha", "Encurtamento de fim de linha (mm):"},
        {stLinConWindow(), "Encfimlinha", "Encurtamento de fim linha (mm):"},
        {stLinAnaWindow(), "AtenTotal", "Atenuação Total (dB/cm):"},
        {stLinConWindow(), "AtenTotal", "Atenuação total (dB/cm):"},
        {stLinSinWindow(), "Qcond", "Correspondente as perdas no condutor:"},
        {stLSinCdWindow(), "Qcond", "Correspondente as perdas no condutor: "},
        {acSLMpAnWindow(), "Compguiado", "Comprimento de onda guiado na Stripline (cm): "},
        {acSLSinWindow(), "SepReal", "Separação real entre as fitas (mm):"},
    };
    for (const auto& c : cases) {
        const ResultSpec* r = c.d.result(c.control);
        ASSERT_TRUE(r) << c.control;
        EXPECT_EQ(r->label, c.label) << c.d.className;
    }
    EXPECT_EQ(acSLSinWindow().caption, "Síntese de Linha de Transmissão Acoplada StripLine ");
    EXPECT_EQ(acSLSinWindow().report.title, "Síntese de Linha de Transmissão Acoplada StripLine");
    EXPECT_EQ(stLinAnaWindow().result("Qcond")->group, 1);
    EXPECT_EQ(stLinAnaWindow().resultGroups[1], "Fator de qualidade:");
}

TEST(StriplineWindows, CataloguePicks)
{
    struct Case { const WindowDescription& d; Texts given; const char* field; Real value; } cases[] = {
        {stLinAnaWindow(), {{"ComboBox2", "3.98 - RO4003"}}, "ComboBox2", 3.98L},
        {stLinAnaWindow(), {{"ComboBox2", "3.48 - RO4350"}}, "ComboBox2", 3.48L},
        {stLinSinWindow(), {{"ComboBox2", "10.2 - RT/duroid® 6010LM"}}, "ComboBox2", 10.2L},
        {stLinConWindow(), {{"ComboBox2", "13.0 - Gallium arsenide(GaAs)     "}}, "ComboBox2", 13},
        {stLSinCdWindow(), {{"ComboBox2", "13.0 - Gallium arsenide(GaAs)"}}, "ComboBox2", 13},
        {stLinConWindow(), {{"ComboBox2", "9.40 - Sapphire"}}, "Condsubs", 0.00055L},
        {acSLMpAnWindow(), {{"ComboBox1", "41000000 - Au : Ouro "}}, "ComboBox1", 41000000},
        {acSLSinWindow(), {{"ComboBox1", "39600000 - Al  : Alumínio"}}, "ComboBox1", 39600000},
    };
    for (const auto& c : cases) {
        const Inputs in = readInputs(c.d, typedFields(c.d, c.given));
        EXPECT_EQ(in[c.field], c.value) << c.d.className << " " << c.given[0].second;
    }
    // A picked thickness is micrometres, a typed one millimetres.
    for (const auto* d : {&stLinAnaWindow(), &stLSinCdWindow(), &acSLSinWindow()}) {
        const Inputs picked = readInputs(*d, typedFields(*d, {{"ComboBox3", "9.0   µm ED(1/4 oz)"}}));
        const Inputs typed = readInputs(*d, typedFields(*d, {{"ComboBox3", "0.009"}}));
        EXPECT_EQ(thicknessMm(picked), 0.009L);
        EXPECT_EQ(thicknessMm(typed), thicknessMm(picked));
    }
    // The blank first laminate entry reads 0 and is refused as a permittivity.
    FieldTexts fields = typedFields(stLinAnaWindow(), {{"Frequencia", "1"}});
    fields["ComboBox2"] = {"", 0};
    expectMessage(compute(stLinAnaWindow(), fields), "Constante dielétrica relativa inválida!!");
    // The 17th, blank laminate entry of TForm5 fills nothing.
    EXPECT_EQ(stLinAnaWindow().input("ComboBox2")->entries.size(), 18u);
    EXPECT_TRUE(fillsOfPick(*stLinAnaWindow().input("ComboBox2"), 17).empty());
}

// The single line's conductor loss does not see the conductor (only Rs
// does); the coupled pair's losses scale with Rs.
TEST(StriplineWindows, ChangingTheConductor)
{
    struct Case { Model model; Inputs copper; std::vector<const char*> losses; bool scales; } cases[] = {
        {analysisLossTangent, single(3, 2.2L, cu, 0.0009L, 1, 1.57L, 0.035L), {"AtenCond"}, false},
        {synthesisLossTangent, synth(75, 2, 2.2L, cu, 0.0009L, 1.57L, 0.035L), {"AtenCond"}, false},
        {coupledAnalysis, coupled(1, 2.2L, cu, 0.0009L, 1, 0.5L, 1.57L, 0.035L), {"AtenCond", "AtenCondodd"}, true},
        {coupledSynthesis, coupledSynth(60, 40, 1, 2.2L, cu, 0.0009L, 1.57L, 0.035L), {"AtconMp", "AtconMi"}, true},
    };
    const double ratio = std::sqrt(57600000.0 / 39600000.0);
    for (const auto& c : cases) {
        Inputs aluminium = c.copper;
        aluminium.set("ComboBox1", 39600000);
        const Outcome a = runGuarded(c.model, c.copper), b = runGuarded(c.model, aluminium);
        ASSERT_TRUE(a.ok() && b.ok());
        for (const char* loss : c.losses)
            EXPECT_NEAR(double(b.value(loss) / a.value(loss)), c.scales ? ratio : 1.0, 1e-9) << loss;
    }
    // The synthesised width keeps the target impedance in the loss formula.
    const Outcome s = synthesisLossTangent(synth(75, 2, 2.2L, cu, 0.0009L, 1.57L, 0.035L));
    EXPECT_EQ(s.value("AtenCond"), conductorLoss(s.value("Largura"), 1.57L, 0.035L, 2, 2.2L, 75));
}

// Whatever is typed, a compute gives a message, a fault, or results that
// show as numbers.
TEST(StriplineWindows, SweepKeepsTheOutcomeRules)
{
    const std::vector<std::string> values = {"", "0", "-1", "1e-40", "0.035", "0.5", "1", "1.57", "2.2",
                                             "50", "180.9", "1e6", "1e300", "x"};
    const std::vector<const WindowDescription*> windows = {&stLinAnaWindow(), &stLinConWindow(),
                                                           &stLinSinWindow(), &stLSinCdWindow(),
                                                           &acSLMpAnWindow(), &acSLSinWindow()};
    for (const auto* d : windows) {
        // A good set of inputs, then each field in turn swept over the values.
        Texts base;
        for (const auto& in : d->inputs) {
            std::string v = "1";
            if (in.name == "ComboBox2") v = "2.2";
            if (in.name == "ComboBox1") v = "57600000";
            if (in.name == "Tanperda" || in.name == "Condsubs") v = "0.0009";
            if (in.name == "ComboBox4") v = "1.57";
            if (in.name == "ComboBox3") v = "0.035";
            if (in.name == "Impcarac" || in.name == "ImpModoPar") v = "60";
            if (in.name == "ImpModoimpar") v = "40";
            base.emplace_back(in.name, v);
        }
        int results = 0;
        for (std::size_t field = 0; field < base.size(); ++field)
            for (const auto& v : values) {
                Texts given = base;
                given[field].second = v;
                const Outcome o = compute(*d, typedFields(*d, given));
                EXPECT_EQ(rules::checkOutcome(*d, o), "") << d->className << " " << given[field].first << "=" << v;
                results += o.ok();
            }
        EXPECT_GT(results, 10) << d->className;
    }
}

// The message a window keeps for each field is the one its model gives when
// that field alone is no number.
TEST(StriplineWindows, FieldMessagesAreTheModelsMessages)
{
    const std::map<std::string, std::string> good = {
        {"ComboBox2", "2.2"},  {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"}, {"Condsubs", "0.0009"},
        {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"},    {"Impcarac", "60"},     {"ImpModoPar", "60"},
        {"ImpModoimpar", "40"}};
    for (const auto* d : {&stLinAnaWindow(), &stLinConWindow(), &stLinSinWindow(), &stLSinCdWindow(),
                          &acSLMpAnWindow(), &acSLSinWindow()}) {
        SCOPED_TRACE(d->className);
        Texts base;
        for (const auto& in : d->inputs)
            base.emplace_back(in.name, good.count(in.name) ? good.at(in.name) : "1");
        ASSERT_TRUE(compute(*d, typedFields(*d, base)).ok());
        for (std::size_t field = 0; field < base.size(); ++field) {
            SCOPED_TRACE(base[field].first);
            Texts spoilt = base;
            spoilt[field].second = "x";
            EXPECT_FALSE(d->inputs[field].message.empty());
            expectMessage(compute(*d, typedFields(*d, spoilt)), d->inputs[field].message);
        }
    }
}

} // namespace
