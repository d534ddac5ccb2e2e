// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include <gtest/gtest.h>

#include "tests/models/result_texts.h"

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "models/wire_coax/coax.h"

using namespace tarvel;

namespace {

const char* const cutoffMessage = "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de Corte "
                                  "é Menor do que a Freqüência de Operação (fc<fo) !!";
const char* const cutoffSynthesis = "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de "
                                    "Corte é Menor do que a Freqüência de Operação (fc<fo), altere a freqüência "
                                    "ou a constante Dielétrica!!";

// Picking entry `index` of a combo box, as the window does: the box shows the
// entry and its fills overwrite their fields.
void pick(const WindowDescription& d, FieldTexts& fields, const std::string& control, int index)
{
    const InputSpec* input = d.input(control);
    ASSERT_TRUE(input);
    fields[control] = FieldState{input->entries.at(index), index};
    for (const auto& [target, text] : fillsOfPick(*input, index))
        fields[target] = FieldState{text, -1};
}

// Conductor "57600000 - Cu : Cobre" picked and the given frequency typed.
FieldTexts copperAt(const std::string& f)
{
    const auto& d = coax::coaxAnaWindow();
    FieldTexts fields = typedFields(d, {{"Frequencia", f}});
    pick(d, fields, "ComboBox1", 3);
    return fields;
}

using test::expectTexts;

const std::vector<std::pair<std::string, std::string>> rg58AtOneGHz = {
    {"Impedancia", "47.1732"}, {"Freqcorte", "32.8529"}, {"Indutancia", "237.4331"},
    {"Capacitancia", "106.6976"}, {"Resistividade", "0.0083"}, {"Resistencia", "3.8213"},
    {"Velocidade", "1.9868"}, {"Potencia", "0.0256"}, {"AtenCond", "0.3516"},
    {"AtenDiel", "0.0206"}, {"Condutancia", "100.5593"}, {"Atentotal", "0.3722"}};

TEST(CoaxAnalysis, WorkedCableEntry)
{
    const auto& d = coax::coaxAnaWindow();
    FieldTexts fields = copperAt("1");
    pick(d, fields, "ComboBox3", 2);
    EXPECT_EQ(fields["ComboBox3"].text, "2.28 - RG58C/U  - CuSn/PE");
    const std::pair<const char*, const char*> filled[] = {
        {"Diaint", "0.90"}, {"Diaext", "2.95"}, {"ComboBox2", "2.28"}, {"Rigidez", "40"}, {"TanPerda", "0.00015"}};
    for (const auto& [control, text] : filled)
        EXPECT_EQ(fields[control].text, text) << control;
    EXPECT_EQ(fields["ComboBox1"].text, "57600000 - Cu : Cobre");
    EXPECT_EQ(fields["Frequencia"].text, "1");
    expectTexts(compute(d, fields), rg58AtOneGHz);
}

TEST(CoaxAnalysis, CableSuppliesPermittivity)
{
    const auto& d = coax::coaxAnaWindow();
    // er = 3 typed, then the cable picked: its 2.28 replaces the text.
    FieldTexts typedFirst = copperAt("1");
    typedFirst["ComboBox2"] = FieldState{"3", -1};
    pick(d, typedFirst, "ComboBox3", 2);
    EXPECT_EQ(typedFirst["ComboBox2"].text, "2.28");
    expectTexts(compute(d, typedFirst), rg58AtOneGHz);

    // er typed after the pick: the picked cable still decides.
    FieldTexts typedAfter = typedFirst;
    typedAfter["ComboBox2"] = FieldState{"3", -1};
    EXPECT_EQ(resultText(compute(d, typedAfter).value("Impedancia")), "47.1732");

    // No cable picked (its text typed over): the dielectric box decides.
    FieldTexts noCable = typedAfter;
    noCable["ComboBox3"] = FieldState{"2.28", -1};
    const Real z3 = (60 / std::sqrt(3.0L)) * std::log(2.95L / 0.90L);
    EXPECT_EQ(resultText(compute(d, noCable).value("Impedancia")), resultText(z3));

    // The blank entry blanks the five fields and reads er = 0, whatever the
    // dielectric box says afterwards.
    FieldTexts blank = typedFirst;
    pick(d, blank, "ComboBox3", 0);
    for (const char* control : {"Diaint", "Diaext", "ComboBox2", "Rigidez", "TanPerda"})
        EXPECT_EQ(blank[control].text, " ") << control;
    EXPECT_EQ(compute(d, blank).message, "Constante dielétrica relativa inválida!!");
    blank["ComboBox2"] = FieldState{"2.28", -1};
    EXPECT_EQ(compute(d, blank).message, "Constante dielétrica relativa inválida!!");
}

TEST(CoaxAnalysis, CutoffRefusesTheWholeComputation)
{
    const auto& d = coax::coaxAnaWindow();
    FieldTexts at1 = copperAt("1");
    pick(d, at1, "ComboBox3", 2);
    const Real fc = compute(d, at1).value("Freqcorte");
    struct Case { Real f; bool computes; } cases[] = {
        {40, false}, {fc, true}, {std::nextafter(fc, 100.0L), false}, {std::nextafter(fc, 0.0L), true}, {33, false}};
    for (const auto& c : cases) {
        Inputs in = readInputs(d, at1);
        in.set("Frequencia", c.f);
        const Outcome o = runGuarded(coax::analysis, in);
        if (c.computes) {
            ASSERT_TRUE(o.ok()) << double(c.f);
            EXPECT_EQ(resultText(o.value("Freqcorte")), "32.8529");
        } else {
            EXPECT_EQ(o.kind, Outcome::Kind::Message) << double(c.f);
            EXPECT_EQ(o.message, cutoffMessage);
            EXPECT_TRUE(o.results.empty());
        }
    }
}

Inputs analysisInputs(Real f, Real er, Real sigma, Real Emax, Real tand, Real d2b, Real d2a)
{
    return {{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Rigidez", Emax},
            {"TanPerda", tand}, {"Diaext", d2b}, {"Diaint", d2a}};
}

TEST(CoaxAnalysis, ChecksInOrder)
{
    const Real cu = 57600000;
    struct Case { Inputs in; const char* message; } cases[] = {
        {analysisInputs(0, 0, 0, -1, 0, 0, 0), "Freqüência Inválida!!"},
        {analysisInputs(NAN, 2.28L, cu, 40, 1e-4L, 2, 1), "Freqüência Inválida!!"},
        {analysisInputs(1, 0.99L, 0, -1, 0, 0, 0), "Constante dielétrica relativa inválida!!"},
        {analysisInputs(1, NAN, cu, 40, 1e-4L, 2, 1), "Constante dielétrica relativa inválida!!"},
        {analysisInputs(1, 1, 0, -1, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {analysisInputs(1, 1, -cu, 40, 1e-4L, 2, 1), "Condutividade do condutor inválida!!"},
        {analysisInputs(1, 1, cu, -0.001L, 0, 0, 0), "Rigidez dielétrica inválida!!"},
        {analysisInputs(1, 1, cu, 0, 0, 0, 0), "Tangente de perda do dielétrico inválida!!"},
        {analysisInputs(1, 1, cu, 0, 1e-4L, 0, 0), "Diâmetro Externo Inválido (2b<=0)!!"},
        {analysisInputs(1, 1, cu, 0, 1e-4L, 2, -1), "Diâmetro Interno Inválido (2a<=0)!!"},
        {analysisInputs(1, 1, cu, 0, 1e-4L, 2, 2), "Diâmetro Externo deve ser maior que o Diâmetro Interno(2b>2a)!!"},
        {analysisInputs(1, 1, cu, 0, 1e-4L, 2, 3), "Diâmetro Externo deve ser maior que o Diâmetro Interno(2b>2a)!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(coax::analysis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
    }
    // er = 1 and Emax = 0 pass; no field strength means no peak power.
    const Outcome o = runGuarded(coax::analysis, analysisInputs(1, 1, cu, 0, 1e-4L, 2.95L, 0.9L));
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(resultText(o.value("Potencia")), "0.0000");
    EXPECT_EQ(resultText(o.value("Velocidade")), "3.0000");
}

Inputs synthesisInputs(Real Z0, Real f, Real er, Real sigma, Real Emax, Real tand, Real alphaT)
{
    return {{"impedancia", Z0}, {"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma},
            {"Rigidez", Emax}, {"TanPerda", tand}, {"Atentotal", alphaT}};
}

TEST(CoaxSynthesis, ChecksAndRefusals)
{
    const Real cu = 57600000;
    // alpha_d of the worked cable's dielectric at 1 GHz
    const Real alphaD = runGuarded(coax::synthesis, synthesisInputs(50, 1, 2.28L, cu, 40, 0.00015L, 0.4L))
                            .value("AtenDiel");
    ASSERT_TRUE(std::isfinite(alphaD));
    struct Case { Inputs in; const char* message; } cases[] = {
        {synthesisInputs(0, 0, 0, 0, -1, 0, 0), "Impedância Característica!!"},
        {synthesisInputs(50, 0, 0, 0, -1, 0, 0), "Freqüência Inválida!!"},
        {synthesisInputs(50, 1, 0.5L, 0, -1, 0, 0), "Constante dielétrica relativa inválida !!"},
        {synthesisInputs(50, 1, 2.28L, 0, -1, 0, 0), "Condutividade do condutor inválida!!"},
        {synthesisInputs(50, 1, 2.28L, cu, -1, 0, 0), "Rigidez Dielétrica Inválida!!"},
        {synthesisInputs(50, 1, 2.28L, cu, 0, 0, 0), "Tangente de Perda do dielétrico inválido!!"},
        {synthesisInputs(50, 1, 2.28L, cu, 0, 0.00015L, 0), "Atenuação total Inválida!!"},
        {synthesisInputs(50, 1, 2.28L, cu, 0, 0.00015L, NAN), "Atenuação total Inválida!!"},
        // the dielectric alone loses more than wanted: negative sizes, below any frequency
        {synthesisInputs(50, 1, 2.28L, cu, 40, 0.00015L, alphaD / 2), cutoffSynthesis},
        // so little conductor loss that the cable is too wide for 1 GHz
        {synthesisInputs(50, 1, 2.28L, cu, 40, 0.00015L, alphaD + 1e-4L), cutoffSynthesis},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(coax::synthesis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
        EXPECT_TRUE(o.results.empty());
    }
    // Exactly the dielectric's loss leaves nothing to solve for.
    const Outcome equal = runGuarded(coax::synthesis, synthesisInputs(50, 1, 2.28L, cu, 40, 0.00015L, alphaD));
    EXPECT_EQ(equal.kind, Outcome::Kind::Fault);
    EXPECT_EQ(equal.fault, Fault::DivisionByZero);
    EXPECT_TRUE(equal.results.empty());
    // An impedance whose b/a cannot be represented stops with an overflow.
    const Outcome huge = runGuarded(coax::synthesis, synthesisInputs(1e7L, 1, 2.28L, cu, 40, 0.00015L, 1));
    EXPECT_EQ(huge.kind, Outcome::Kind::Fault);
    EXPECT_EQ(huge.fault, Fault::Overflow);
}

TEST(CoaxSynthesis, ThenAnalysisRoundTrip)
{
    struct Case { Real Z0, f, er, sigma, Emax, tand, alphaT; } cases[] = {
        {47.1732L, 1, 2.28L, 57600000, 40, 0.00015L, 0.3722L},
        {50, 1, 2.1L, 61000000, 50, 0.0001L, 0.5L},
        {75, 0.5L, 2.28L, 39600000, 40, 0.00015L, 0.1L},
        {25, 3, 1, 41000000, 0, 0.0003L, 2},
        {120, 2, 2.6L, 57600000, 60, 0.0055L, 3},
    };
    for (const auto& c : cases) {
        const Outcome s = runGuarded(coax::synthesis,
                                     synthesisInputs(c.Z0, c.f, c.er, c.sigma, c.Emax, c.tand, c.alphaT));
        ASSERT_TRUE(s.ok()) << double(c.Z0) << " " << s.message;
        EXPECT_GT(s.value("Diaexter"), s.value("Diainter"));
        const Outcome a = runGuarded(coax::analysis, analysisInputs(c.f, c.er, c.sigma, c.Emax, c.tand,
                                                                     s.value("Diaexter"), s.value("Diainter")));
        ASSERT_TRUE(a.ok()) << double(c.Z0) << " " << a.message;
        EXPECT_EQ(resultText(a.value("Impedancia")), resultText(c.Z0)) << double(c.Z0);
        EXPECT_EQ(resultText(a.value("Atentotal")), resultText(c.alphaT)) << double(c.Z0);
        // The quantities both windows show agree too.
        for (const char* shared : {"Freqcorte", "Indutancia", "Capacitancia", "Condutancia", "Resistividade",
                                   "Resistencia", "Velocidade", "Potencia", "AtenCond", "AtenDiel"})
            EXPECT_EQ(resultText(a.value(shared)), resultText(s.value(shared))) << double(c.Z0) << shared;
    }
}

TEST(CoaxWindows, CableListAndDielectricFills)
{
    const InputSpec* cable = coax::coaxAnaWindow().input("ComboBox3");
    ASSERT_TRUE(cable);
    ASSERT_EQ(cable->entries.size(), 16u);
    const char* order[] = {"Diaint", "Diaext", "ComboBox2", "Rigidez", "TanPerda"};
    ASSERT_EQ(cable->fills.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cable->fills[i].target, order[i]);
        ASSERT_EQ(cable->fills[i].values.size(), 16u);
    }
    // Every cable's dielectric is the number it is listed under, and its
    // inner conductor is thinner than the outer one.
    for (int i = 1; i < 16; ++i) {
        EXPECT_EQ(leadingNumber(cable->entries[i]), readNumber(cable->fills[2].values[i])) << i;
        EXPECT_LT(readNumber(cable->fills[0].values[i]), readNumber(cable->fills[1].values[i])) << i;
    }
    // A dielectric pick writes the loss tangent, then the strength.
    for (const WindowDescription* w : {&coax::coaxAnaWindow(), &coax::coaxSinWindow()}) {
        using Fill = std::pair<std::string, std::string>;
        EXPECT_EQ(fillsOfPick(*w->input("ComboBox2"), 3),
                  (std::vector<Fill>{{"TanPerda", "0.00030"}, {"Rigidez", "82"}}));
    }
}

TEST(CoaxWindows, ProjectFileKeepsTheComputation)
{
    const auto& d = coax::coaxAnaWindow();
    FieldTexts fields = copperAt("1");
    pick(d, fields, "ComboBox3", 2);
    const Encoded e = encodeProject(d, fields);
    ASSERT_TRUE(e.ok) << e.error;
    const Decoded back = decodeProject(d, e.bytes, "CoaxAna1.cxl");
    ASSERT_TRUE(back.ok) << back.error;
    const std::vector<std::pair<std::string, std::string>> reopened = {
        {"Frequencia", "1.000"}, {"ComboBox2", "2.28000"}, {"Rigidez", "40.00000"}, {"ComboBox1", "57600000.000"},
        {"TanPerda", "0.00015"}, {"Diaext", "2.950"}, {"Diaint", "0.900"}, {"ComboBox3", "2.280"}};
    EXPECT_EQ(back.texts, reopened);
    // Reopened, the cable is typed text: er comes from the dielectric box,
    // and the results are the same.
    expectTexts(compute(d, typedFields(d, back.texts)), rg58AtOneGHz);
}

} // namespace
