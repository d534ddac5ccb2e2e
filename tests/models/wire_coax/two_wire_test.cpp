// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include <gtest/gtest.h>

#include "tests/models/result_texts.h"

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "models/wire_coax/two_wire.h"

using namespace tarvel;

namespace {

Inputs analysisInputs(Real f, Real er, Real sigma, Real tand, Real S, Real d)
{
    return {{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Tanperda", tand},
            {"Espacamento", S}, {"diametro", d}};
}

using test::expectTexts;

TEST(TwoWire, WorkedAnalysisThroughTheCatalogueEntry)
{
    const auto& d = wire::bifiAnaWindow();
    FieldTexts fields = {{"Frequencia", {"1"}}, {"ComboBox2", {"2.10 - PTFE: Polytetrafluoretileno", 1}},
                         {"ComboBox1", {"57600000"}}, {"Tanperda", {"0.0001"}}, {"Espacamento", {"10"}},
                         {"diametro", {"1"}}};
    const Outcome o = compute(d, fields);
    expectTexts(o, {{"impedancia", "247.8624"}, {"indutancia", "1198.2929"}, {"capacitancia", "19.4989"},
                    {"Resistividade", "0.0083"}, {"resistencia", "5.2970"}, {"condutancia", "12.2450"},
                    {"AtenCond", "0.9154"}, {"AtenDiel", "0.0132"}, {"Atentotal", "0.9286"}});
    ASSERT_EQ(o.warnings.size(), 1u);
    EXPECT_EQ(o.warnings[0],
              "Freqüência Elevada para Este tipo de Estrutura, Sugere-se uma Freqüencia menor que 350MHz!!");
    EXPECT_TRUE(wire::analysis(analysisInputs(0.3L, 2.1L, 57600000, 0.0001L, 10, 1)).warnings.empty());
    EXPECT_FALSE(wire::analysis(analysisInputs(0.35L, 2.1L, 57600000, 0.0001L, 10, 1)).warnings.size());
}

TEST(TwoWire, AnalysisChecksInOrder)
{
    struct Case { Inputs in; const char* message; } cases[] = {
        {analysisInputs(0, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {analysisInputs(NAN, 2.1L, 1, 1, 1, 1), "Freqüência Inválida!!"},
        {analysisInputs(1, 0.99L, 0, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {analysisInputs(1, 1, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {analysisInputs(1, 1, 1, 0, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {analysisInputs(1, 1, 1, 1e-4L, 0, 0), "Espaçamento Centro-a-Centro Inválido!!"},
        {analysisInputs(1, 1, 1, 1e-4L, 1, 0), "Diâmetro do Condutor Inválido!!"},
        {analysisInputs(1, 1, 1, 1e-4L, 1, 1),
         "O Espaçamento tem que ser maior que o Diâmetro do Condutor (S>>d), Sugere-se (S=10xd)!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(wire::analysis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message);
        EXPECT_EQ(o.message, c.message);
    }
    EXPECT_TRUE(runGuarded(wire::analysis, analysisInputs(1, 1, 1, 1e-4L, 1.0001L, 1)).ok()); // er = 1 too
}

Inputs synthesisInputs(Real Z0, Real f, Real er, Real sigma, Real tand, Real alphaT)
{
    return {{"impedan", Z0}, {"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Tanperda", tand},
            {"Atentot", alphaT}};
}

TEST(TwoWire, SynthesisChecksInOrder)
{
    struct Case { Inputs in; const char* message; } cases[] = {
        {synthesisInputs(0, 0, 0, 0, 0, 0), "Impedância Característica Inválida!!"},
        {synthesisInputs(300, 0, 0, 0, 0, 0), "Freqüência Inválida!!"},
        {synthesisInputs(300, 1, 0.5L, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {synthesisInputs(300, 1, 2, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {synthesisInputs(300, 1, 2, 5.8e7L, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {synthesisInputs(300, 1, 2, 5.8e7L, 1e-4L, 0), "Atenuação Total Inválida!!"},
        // alpha_t below and equal to alpha_d: no conductor loss is left
        {synthesisInputs(300, 1, 2.1L, 5.8e7L, 1e-4L, 0.001L), "Modifique seu projeto, pois S<=d, ou muito próximo!!"},
        // so small an impedance that S and d come out equal
        {synthesisInputs(1e-9L, 0.1L, 1, 5.8e7L, 1e-4L, 1), "Modifique seu projeto, pois S<=d, ou muito próximo!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(wire::synthesis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
    }
    const Real alphaD = wire::synthesis(synthesisInputs(300, 1, 2.1L, 5.8e7L, 1e-4L, 1)).value("AtenDiel");
    const Outcome equal = runGuarded(wire::synthesis, synthesisInputs(300, 1, 2.1L, 5.8e7L, 1e-4L, alphaD));
    EXPECT_EQ(equal.kind, Outcome::Kind::Message);
}

TEST(TwoWire, SynthesisThenAnalysisRoundTrip)
{
    struct Case { Real Z0, f, er, alphaT; } cases[] = {
        {247.8624L, 1, 2.1L, 0.9286L}, {300, 0.1L, 2.28L, 0.05L}, {100, 0.3L, 1, 2}, {600, 0.01L, 2.6L, 0.001L},
        {1200, 0.2L, 2.1L, 0.01L},
    };
    for (const auto& c : cases) {
        const Outcome s = runGuarded(wire::synthesis, synthesisInputs(c.Z0, c.f, c.er, 57600000, 0.0001L, c.alphaT));
        ASSERT_TRUE(s.ok()) << double(c.Z0) << s.message;
        const Outcome a = runGuarded(wire::analysis, analysisInputs(c.f, c.er, 57600000, 0.0001L, s.value("Espaco"),
                                                                     s.value("diametro")));
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(resultText(a.value("impedancia")), resultText(c.Z0)) << double(c.Z0);
        EXPECT_EQ(resultText(a.value("AtenCond")), resultText(s.value("AtenCond"))) << double(c.Z0);
        EXPECT_EQ(resultText(a.value("Atentotal")), resultText(c.alphaT)) << double(c.Z0);
        EXPECT_EQ(s.warnings.empty(), c.f <= 0.35L);
    }
}

} // namespace
