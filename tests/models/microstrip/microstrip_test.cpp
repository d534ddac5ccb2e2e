// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "framework/core/fault_guard.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "models/microstrip/microstrip.h"

using namespace tarvel;
using namespace tarvel::microstrip;

namespace {

struct Shown {
    const char* control;
    const char* approx; // compared at as many decimals as it is written with
};

int decimalsOf(const char* text)
{
    const char* point = std::strchr(text, '.');
    return point ? int(std::strlen(point + 1)) : 0;
}

void expectShown(const Outcome& o, const std::vector<Shown>& want, const char* example)
{
    ASSERT_TRUE(o.ok()) << example << ": " << o.message << faultText(o.fault);
    for (const auto& w : want)
        EXPECT_EQ(formatFixed(o.value(w.control), decimalsOf(w.approx)), w.approx) << example << " " << w.control;
}

Inputs analysisInputs(Real f, Real er, Real sigma, Real tand, Real W, Real h, Real t)
{
    return {{"frequencia", f}, {"Combobox2", er}, {"Combobox1", sigma}, {"Tanperda", tand},
            {"largura", W},    {"ComboBox4", h},  {"ComboBox3", t}};
}
Inputs conductingInputs(Real f, Real er, Real sigma, Real sigmaD, Real W, Real h, Real t)
{
    return {{"frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"CondMat", sigmaD},
            {"largura", W},    {"ComboBox4", h},  {"ComboBox3", t}};
}
Inputs synthesisInputs(Real Z0, Real f, Real er, Real sigma, Real tand, Real h, Real t)
{
    return {{"Impedancia", Z0}, {"frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma},
            {"Tanperda", tand}, {"ComboBox4", h},  {"ComboBox3", t}};
}
Inputs plainSynthesisInputs(Real Z0, Real f, Real er, Real sigma, Real sigmaD, Real h, Real t)
{
    return {{"Impedancia", Z0}, {"frequencia", f},   {"constdiel", er}, {"condutividade", sigma},
            {"condsubs", sigmaD}, {"alturadiel", h}, {"espesfita", t}};
}

const std::vector<const char*> analysisOrder = {"impcarac", "efetiva", "CompMic", "Encfimlinha", "Resistividade",
                                                "AtenCond", "AtenDiel", "Atentotal", "Dielefet", "ImpCarDisp",
                                                "Resistencia", "FatorQr", "FatorQd", "FatorQc", "FatorQ"};

TEST(Microstrip, WorkedExamples)
{
    struct Case {
        const char* name;
        Model model;
        Inputs in;
        std::vector<Shown> want;
    } cases[] = {
        // u = 2.4/0.79 is about 3.04: the wide conductor-loss range.
        {"analysis, wide range", analysisModel, analysisInputs(10, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 0.035L),
         {{"impcarac", "49.458"}, {"efetiva", "1.8796"}, {"CompMic", "2.1882"}, {"Encfimlinha", "0.3756"},
          {"Resistividade", "0.0262"}, {"AtenCond", "0.0102"}, {"AtenDiel", "0.0096"}, {"Atentotal", "0.0198"},
          {"Dielefet", "1.9186"}, {"ImpCarDisp", "51.124"}, {"Resistencia", "1.2317"}, {"FatorQr", "39.69"},
          {"FatorQd", "1306.9"}, {"FatorQc", "1239.9"}, {"FatorQ", "37.36"}}},
        {"analysis, narrow range", analysisModel, analysisInputs(5, 10.2L, 57600000, 0.0023L, 0.1L, 0.64L, 0.0175L),
         {{"impcarac", "90.912"}, {"efetiva", "6.2219"}, {"CompMic", "2.4054"}, {"Encfimlinha", "0.1247"},
          {"AtenCond", "0.0627"}, {"AtenDiel", "0.0243"}, {"Dielefet", "6.2737"}, {"ImpCarDisp", "91.435"},
          {"Resistencia", "0.4112"}, {"FatorQr", "1296.1"}, {"FatorQd", "468.67"}, {"FatorQc", "181.42"},
          {"FatorQ", "118.80"}}},
        {"conducting substrate, as the first analysis", analysisConductingModel,
         conductingInputs(10, 2.2L, 57600000, 0.001L, 2.4L, 0.79L, 0.035L),
         {{"impcarac", "49.458"}, {"efetiva", "1.8796"}, {"CompMic", "2.1882"}, {"Encfimlinha", "0.3756"},
          {"Resistividade", "0.0262"}, {"AtenCond", "0.0102"}, {"AtenDiel", "0.0087"}, {"Atentotal", "0.0189"},
          {"Dielefet", "1.9186"}, {"ImpCarDisp", "51.124"}, {"Resistencia", "1.2317"}, {"FatorQr", "39.69"},
          {"FatorQd", "1439.3"}, {"FatorQc", "1239.9"}, {"FatorQ", "37.46"}}},
        {"conducting substrate, gallium arsenide", analysisConductingModel,
         conductingInputs(10, 13.0L, 57600000, 0.008L, 0.5L, 0.64L, 0.0175L),
         {{"impcarac", "47.800"}, {"efetiva", "8.4277"}, {"AtenCond", "0.0444"}, {"AtenDiel", "0.0279"},
          {"Dielefet", "8.8796"}, {"ImpCarDisp", "49.401"}, {"Resistencia", "0.2934"}, {"FatorQr", "245.31"},
          {"FatorQd", "970.54"}, {"FatorQc", "610.27"}, {"FatorQ", "148.25"}}},
        {"synthesis of 50 ohms", synthesisModel, synthesisInputs(50, 10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L),
         {{"Largura", "2.3611"}, {"efetiva", "1.8778"}, {"CompMic", "2.1893"}, {"Encfimlinha", "0.3749"},
          {"Resistividade", "0.0262"}, {"AtenCond", "0.0102"}, {"AtenDiel", "0.0096"}, {"Atentotal", "0.0198"},
          {"Dielefet", "1.9165"}, {"ImpCarDisp", "51.68"}, {"Resistencia", "1.2329"}, {"FatorQr", "40.08"},
          {"FatorQd", "1308.3"}, {"FatorQc", "1235.3"}, {"FatorQ", "37.71"}}},
        {"synthesis of 50 ohms, conducting substrate", synthesisConductingModel,
         plainSynthesisInputs(50, 10, 2.2L, 57600000, 0.001L, 0.79L, 0.035L),
         {{"Largura", "2.3611"}, {"efetiva", "1.8778"}, {"AtenDiel", "0.0087"}, {"Atentotal", "0.0189"},
          {"FatorQd", "1440.8"}, {"FatorQ", "37.81"}}},
        {"synthesis of 75 ohms, middle range", synthesisModel,
         synthesisInputs(75, 2, 10.2L, 57600000, 0.0023L, 0.64L, 0.009L),
         {{"Largura", "0.2084"}, {"efetiva", "6.3833"}, {"AtenCond", "0.0286"}, {"ImpCarDisp", "75.09"},
          {"FatorQ", "117.46"}}},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(c.model, c.in);
        expectShown(o, c.want, c.name);
        ASSERT_EQ(o.results.size(), analysisOrder.size()) << c.name;
        for (std::size_t i = 1; i < analysisOrder.size(); ++i)
            EXPECT_EQ(o.results[i].first, analysisOrder[i]) << c.name;
        EXPECT_EQ(o.results[0].first, c.model == analysisModel || c.model == analysisConductingModel
                                          ? "impcarac"
                                          : "Largura");
        EXPECT_TRUE(o.warnings.empty());
    }
}

// The synthesised width, analysed with the same substrate, gives back about
// the target, and the corrected width of the inverse formula.
TEST(Microstrip, SynthesisThenAnalysis)
{
    struct Case {
        Substrate s;
        Real Z0;
        const char* analysed;
    } cases[] = {
        {{10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L}, 50, "49.997"},
        {{2, 10.2L, 57600000, 0.0023L, 0.64L, 0.009L}, 75, "74.999"},
    };
    for (const auto& c : cases) {
        const Line syn = synthesise(c.s, c.Z0, Variant{});
        const Line back = analyse(c.s, syn.W, Variant{});
        ASSERT_EQ(syn.fault, Fault::None);
        EXPECT_EQ(formatFixed(back.Z0, 3), c.analysed);
        EXPECT_EQ(resultText(back.We), resultText(syn.We));
        EXPECT_EQ(resultText(back.eeff), resultText(syn.eeff));
    }
    // The displayed width typed back is a little narrower: 75.004 ohms.
    EXPECT_EQ(formatFixed(analyse({2, 10.2L, 57600000, 0.0023L, 0.64L, 0.009L}, 0.2084L, Variant{}).Z0, 3), "75.004");
}

// Which conductor-loss range a width takes, told by the chain with a bound
// that forces one range or the other.
TEST(Microstrip, ConductorLossRangeBounds)
{
    const Variant narrowAlways{1e9L, SubstrateLoss::Tangent}, middleAlways{0, SubstrateLoss::Tangent};
    const Variant rounded{roundedNarrowBound, SubstrateLoss::Tangent};
    const Variant exact{exactNarrowBound, SubstrateLoss::Conductivity};
    const Substrate s{10, 2.2L, 57600000, 0.001L, 1, 0.0175L};
    struct Case {
        Real W;
        const Variant* v;
        bool narrow;
    } cases[] = {
        {0.1592L, &rounded, true}, // u = 0.1592 after 48-bit rounding on both sides
        {0.15918L, &rounded, true},
        {0.15918L, &exact, false},
        {0.15915L, &exact, true},
        {0.15915L, &rounded, true},
        {0.1593L, &rounded, false},
        {0.15916L, &exact, false},
    };
    for (const auto& c : cases) {
        const Real got = analyse(s, c.W, *c.v).alphaC;
        const Real want = analyse(s, c.W, c.narrow ? narrowAlways : middleAlways).alphaC;
        const Real other = analyse(s, c.W, c.narrow ? middleAlways : narrowAlways).alphaC;
        EXPECT_EQ(got, want) << double(c.W);
        EXPECT_NE(resultText(got), resultText(other)) << double(c.W);
    }
    // The windows: 0.15918 mm over 1 mm is 0.0310 dB/cm with a loss tangent
    // and 0.0305 dB/cm on a conducting substrate.
    EXPECT_EQ(resultText(runGuarded(analysisModel, analysisInputs(10, 2.2L, 57600000, 0.001L, 0.15918L, 1, 0.0175L))
                             .value("AtenCond")),
              "0.0310");
    EXPECT_EQ(resultText(runGuarded(analysisConductingModel,
                                    conductingInputs(10, 2.2L, 57600000, 0.001L, 0.15918L, 1, 0.0175L))
                             .value("AtenCond")),
              "0.0305");

    // u = 2 stays in the middle range: the wide range jumps by about 1 %.
    const Real below = analyse(s, 1.999999L, rounded).alphaC, at = analyse(s, 2, rounded).alphaC,
               above = analyse(s, 2.000001L, rounded).alphaC;
    EXPECT_LT(std::fabs(at - below), 1e-8L);
    EXPECT_GT(std::fabs(above - at), 1e-5L);
}

// The wide range's D is We/h + (2/pi)(ln(2 pi) + We/(2h) + 0.94): no overflow
// however wide the strip.
TEST(Microstrip, WideStripKeepsFinite)
{
    for (Real W : {10.0L, 200.0L, 5000.0L}) {
        const Outcome o = runGuarded(analysisModel, analysisInputs(1, 2.2L, 57600000, 0.0009L, W, 0.13L, 0.009L));
        ASSERT_TRUE(o.ok()) << double(W) << faultText(o.fault);
        EXPECT_GT(o.value("AtenCond"), 0);
    }
}

TEST(Microstrip, ArithmeticFaultsWriteNothing)
{
    struct Case {
        const char* name;
        Model model;
        Inputs in;
        Fault fault;
    } cases[] = {
        // er = 1: the dielectric loss divides zero by zero first; the
        // division by zero of the radiation factor comes later.
        {"er = 1", analysisModel, analysisInputs(10, 1, 57600000, 0.0009L, 2.4L, 0.79L, 0.035L), Fault::Invalid},
        {"er = 1, conducting", analysisConductingModel, conductingInputs(10, 1, 57600000, 0.001L, 2.4L, 0.79L, 0.035L),
         Fault::Invalid},
        {"er = 1, synthesis", synthesisModel, synthesisInputs(50, 10, 1, 57600000, 0.0009L, 0.79L, 0.035L),
         Fault::Invalid},
        {"er = 1, plain synthesis", synthesisConductingModel,
         plainSynthesisInputs(50, 10, 1, 57600000, 0.001L, 0.79L, 0.035L), Fault::Invalid},
        // Dispersion past 0.43/0.009 GHz: eeff_f falls below 1.
        {"55 GHz", analysisModel, analysisInputs(55, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 0.035L), Fault::Invalid},
        {"56 GHz, synthesis", synthesisModel, synthesisInputs(50, 56, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L),
         Fault::Invalid},
        // So high a target that the width comes out negative.
        {"1000 ohms", synthesisModel, synthesisInputs(1000, 10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L),
         Fault::Invalid},
        // A = exp(Z0 sqrt(er + 1)/42.4) - 1 beyond the 48-bit range (from
        // about 2086.5 ohms for er = 2.2).
        {"2090 ohms", synthesisModel, synthesisInputs(2090, 10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L),
         Fault::Overflow},
        {"1e6 ohms", synthesisConductingModel, plainSynthesisInputs(1e6L, 10, 2.2L, 57600000, 0.001L, 0.79L, 0.035L),
         Fault::Overflow},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(c.model, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Fault) << c.name;
        EXPECT_EQ(o.fault, c.fault) << c.name << ": " << faultText(o.fault);
        EXPECT_TRUE(o.results.empty()) << c.name;
    }
    // Near the breakdown the model still computes: 50 GHz gives results.
    EXPECT_TRUE(runGuarded(analysisModel, analysisInputs(50, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 0.035L)).ok());
}

TEST(Microstrip, ChecksInOrder)
{
    const Real nan = NAN;
    struct Case {
        Model model;
        Inputs in;
        const char* message;
    } cases[] = {
        {analysisModel, analysisInputs(0, 0, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {analysisModel, analysisInputs(nan, 2.2L, 1, 1, 1, 1, 0.01L), "Freqüência Inválida!!"},
        {analysisModel, analysisInputs(1, 0.99L, 0, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {analysisModel, analysisInputs(1, 1, 0, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {analysisModel, analysisInputs(1, 1, 1, 0, 0, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {analysisModel, analysisInputs(1, 1, 1, 1e-4L, 0, 0, 0), "Largura da fita condutora inválida!!"},
        {analysisModel, analysisInputs(1, 1, 1, 1e-4L, 1, 0.12L, 0), "Altura do dielétrico inválida!!"},
        {analysisModel, analysisInputs(1, 1, 1, 1e-4L, 1, 0.13L, 0), "Espessura da fita condutora inválida!!"},
        {analysisModel, analysisInputs(1, 1, 1, 1e-4L, 1, 0.13L, 0.13L),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},
        {analysisModel, analysisInputs(1, 1, 1, 1e-4L, 1, 0.79L, 0.79L),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},

        {analysisConductingModel, conductingInputs(0, 0, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {analysisConductingModel, conductingInputs(1, 0, 0, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 0, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 1, 0, 0, 0, 0), "Condutividade do dielétrico inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 1, 1, 0, 0, 0), "Largura da fita condutora inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 1, 1, 1, 0.1L, 0), "Altura do dielétrico inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 1, 1, 1, 1, 0), "Espessura da Fita Condutora Inválida!!"},
        {analysisConductingModel, conductingInputs(1, 13, 1, 1, 1, 1, 2),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},

        {synthesisModel, synthesisInputs(0, 0, 0, 0, 0, 0, 0), "Impedância característica Inválida!!"},
        {synthesisModel, synthesisInputs(50, 0, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 0.5L, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 2, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 2, 1, 0, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 2, 1, 1e-3L, 0.12L, 0), "Altura do dielétrico inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 2, 1, 1e-3L, 0.13L, 0), "Espessura da Fita Condutora Inválida!!"},
        {synthesisModel, synthesisInputs(50, 1, 2, 1, 1e-3L, 0.13L, 0.2L),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},

        {synthesisConductingModel, plainSynthesisInputs(-1, 0, 0, 0, 0, 0, 0), "Impedância característica inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 0, 0, 0, 0, 0, 0), "Freqüência inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 0, 0, 0, 0, 0),
         "Constante dielétrica relativa inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 2, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 2, 1, 0, 0, 0), "Condutividade do dielétrico inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 2, 1, 1, 0, 0), "Altura do dielétrico inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 2, 1, 1, 1, 0), "Espessura da Fita Condutora Inválida!!"},
        {synthesisConductingModel, plainSynthesisInputs(50, 1, 2, 1, 1, 1, 1),
         "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(c.model, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
    }
    // The inclusive bounds pass: er = 1 is taken (and faults later), h = 0.13.
    EXPECT_TRUE(runGuarded(analysisModel, analysisInputs(10, 2.2L, 57600000, 0.0009L, 0.5L, 0.13L, 0.009L)).ok());
    EXPECT_TRUE(runGuarded(synthesisModel, synthesisInputs(50, 10, 2.2L, 57600000, 0.0009L, 0.13L, 0.009L)).ok());
}

// Picked thicknesses are micrometres; typed ones, millimetres. The plain
// synthesis window takes every value as typed.
TEST(Microstrip, ThicknessUnits)
{
    Inputs picked = analysisInputs(10, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 0);
    picked.set("ComboBox3", 35.0L, 3);
    const Outcome fromList = runGuarded(analysisModel, picked);
    const Outcome typed =
        runGuarded(analysisModel, analysisInputs(10, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 0.035L));
    ASSERT_TRUE(fromList.ok());
    for (const auto& [name, v] : typed.results)
        EXPECT_EQ(fromList.value(name), v) << name;

    // Typed 35 would be 35 mm, thicker than the substrate.
    EXPECT_EQ(runGuarded(analysisModel, analysisInputs(10, 2.2L, 57600000, 0.0009L, 2.4L, 0.79L, 35)).message,
              "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!");
    Inputs synth = synthesisInputs(50, 10, 2.2L, 57600000, 0.0009L, 0.79L, 0);
    synth.set("ComboBox3", 35.0L, 3);
    EXPECT_EQ(runGuarded(synthesisModel, synth).value("Largura"),
              runGuarded(synthesisModel, synthesisInputs(50, 10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L)).value("Largura"));
    Inputs plain = plainSynthesisInputs(50, 10, 2.2L, 57600000, 0.001L, 0.79L, 0);
    plain.set("espesfita", 35.0L, 3); // no list here: never micrometres
    EXPECT_EQ(runGuarded(synthesisConductingModel, plain).message,
              "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!");
}

} // namespace
