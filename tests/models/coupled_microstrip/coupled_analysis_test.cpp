// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "framework/core/report_layout.h"
#include "models/coupled_microstrip/coupled_microstrip.h"
#include "tests/models/result_texts.h"

using namespace tarvel;
using namespace tarvel::cmstrip;

namespace {

using test::Texts, test::expectSome;

Inputs pair(Real f, Real er, Real sigma, Real tand, Real W, Real S, Real h, Real t)
{
    return {{"frequencia", f}, {"ComboBox2", er}, {"ComboBox1", sigma}, {"Tanperda", tand},
            {"largura", W},    {"Separacao", S}, {"ComboBox4", h},     {"ComboBox3", t}};
}

TEST(CoupledAnalysis, WorkedExamplesThroughTheWindow)
{
    // Catalogue picks: the laminate fills the loss tangent, the copper
    // thickness is listed in micrometres.
    struct Case {
        Texts given;
        Texts want;
        const char* singleZ0;
    } cases[] = {
        {{{"frequencia", "10"}, {"ComboBox2", "2.20 - RT/duroid® 5880"}, {"ComboBox1", "5.8e7"},
          {"largura", "2.4"}, {"Separacao", "0.5"}, {"ComboBox4", "0.79"}, {"ComboBox3", "35.0 µm ED(1 oz)"}},
         {{"impcarac", "56.75"}, {"Impcaracodd", "40.60"}, {"efetiva", "1.9416"}, {"efetivaodd", "1.7872"},
          {"AtenCond", "0.0137"}, {"AtenCondodd", "0.0098"}, {"AtenDiel", "0.0101"}, {"Atendielodd", "0.0088"},
          {"Atentotal", "0.0239"}, {"Atentotalodd", "0.0187"}},
         "49.96"},
        {{{"frequencia", "10"}, {"ComboBox2", "9.80 - TMM® 10i"}, {"ComboBox1", "5.8e7"}, {"largura", "0.6"},
          {"Separacao", "0.3"}, {"ComboBox4", "0.635"}, {"ComboBox3", "17.5 µm ED(1/2 oz)"}},
         {{"impcarac", "61.02"}, {"Impcaracodd", "38.04"}, {"efetiva", "7.1444"}, {"efetivaodd", "5.5004"},
          {"AtenCond", "0.0322"}, {"AtenCondodd", "0.0516"}, {"AtenDiel", "0.0466"}, {"Atendielodd", "0.0389"},
          {"Atentotal", "0.0788"}, {"Atentotalodd", "0.0905"}},
         nullptr},
    };
    const auto& d = acMSMpAnWindow();
    for (const auto& c : cases) {
        const Outcome o = compute(d, typedFields(d, c.given));
        expectSome(o, c.want);
        std::vector<std::string> order;
        for (const auto& r : o.results)
            order.push_back(r.first);
        EXPECT_EQ(order, (std::vector<std::string>{"impcarac", "Impcaracodd", "efetiva", "efetivaodd", "AtenCond",
                                                   "AtenCondodd", "AtenDiel", "Atendielodd", "Atentotal",
                                                   "Atentotalodd"}));
    }
    const CoupledLine l = analyse(10, 2.2L, 5.8e7L, 0.0009L, 2.4L, 0.5L, 0.79L, 0.035L);
    EXPECT_EQ(formatFixed(l.Z0, 2), cases[0].singleZ0);
}

TEST(CoupledAnalysis, ChecksInOrder)
{
    struct Case {
        Inputs in;
        const char* message;
    } cases[] = {
        {pair(0, 0, 0, 0, 0, 0, 0, 0), "Freqüência inválida!!"},
        {pair(NAN, 2.2L, 1, 1, 1, 1, 1, 0.01L), "Freqüência inválida!!"},
        {pair(1, 0, 1, 1, 1, 1, 1, 0.01L), "Constante dielétrica relativa inválida!!"},
        {pair(1, 0.999L, 1, 1, 1, 1, 1, 0.01L), "Constante dielétrica relativa inválida!!"},
        {pair(1, 2.2L, 0, 0, 0, 0, 0, 0), "Condutividade do condutor inválida!!"},
        {pair(1, 2.2L, 5.8e7L, 0, 1, 1, 1, 0.01L), "Tangente de perda do substrato inválida!!"},
        {pair(1, 2.2L, 5.8e7L, 1e-3L, 0, 1, 1, 0.01L), "Largura da fita condutora inválida!!"},
        {pair(1, 2.2L, 5.8e7L, 1e-3L, 1, -1, 1, 0.01L), "Separação inválida entre as fitas condutoras!!"},
        {pair(1, 2.2L, 5.8e7L, 1e-3L, 1, 1, 0.1L, 0.01L), "Altura do substrato dielétrico inválida!!"},
        {pair(1, 2.2L, 5.8e7L, 1e-3L, 1, 1, 0.13L, 0), "Espessura da fita condutora inválida!!"},
        {pair(1, 2.2L, 5.8e7L, 1e-3L, 1, 1, 0.13L, 0.13L),
         "Altura do dielétrico deve ser maior que a Espessura da Fita H>>t!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(analysis, c.in);
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.message;
        EXPECT_EQ(o.message, c.message);
        EXPECT_TRUE(o.results.empty());
    }
    // The bounds themselves pass: h = 0.13 mm, er = 1.
    EXPECT_TRUE(runGuarded(analysis, pair(1, 2.2L, 5.8e7L, 1e-3L, 0.1L, 0.1L, 0.13L, 0.0175L)).ok());
    EXPECT_TRUE(runGuarded(analysis, pair(1, 1, 5.8e7L, 1e-3L, 1, 0.5L, 1, 0.035L)).ok());
    // The blank first entry of the laminate list reads 0 and is refused.
    const auto& d = acMSMpAnWindow();
    const Outcome blank = compute(d, typedFields(d, {{"frequencia", "1"}, {"ComboBox1", "5.8e7"}}));
    EXPECT_EQ(blank.message, "Constante dielétrica relativa inválida!!");
}

// A boundary value takes the branch named for it: its result equals the
// limit from that side (to far below display precision) and differs from
// the limit from the other side by a visible jump.
TEST(CoupledAnalysis, BoundariesTakeTheFirstBranch)
{
    struct Case {
        const char* what;
        Real W, S;          // at the boundary, h = 1 mm
        Real dW, dS;        // step across it
        Real CoupledLine::*field;
        Real minJump;
    } cases[] = {
        {"u = 1", 1, 0.5L, 1e-9L, 0, &CoupledLine::alphaCE, 1e-3L},
        {"u = 1/(2 pi)", 0.15915494309189535L, 0.5L, 1e-10L, 0, &CoupledLine::alphaCE, 5e-4L},
        {"k = 0.707", 0.1465L, 0.707L, 0, 1e-10L, &CoupledLine::Z0o, 1e-4L},
    };
    for (const auto& c : cases) {
        auto at = [&](Real sign) {
            return analyse(10, 2.2L, 5.8e7L, 0.0009L, r48(c.W + sign * c.dW), r48(c.S + sign * c.dS), 1, 0.035L);
        };
        const Real below = at(-1).*c.field, on = at(0).*c.field, above = at(1).*c.field;
        EXPECT_NEAR(double(on), double(below), 1e-6) << c.what;
        EXPECT_GT(std::fabs(double(above - on)), double(c.minJump)) << c.what;
    }
}

TEST(CoupledAnalysis, SoundValuesWhereTheFormulasHaveNone)
{
    // An air substrate loses nothing in it, in either mode.
    const Outcome air = runGuarded(analysis, pair(10, 1, 5.8e7L, 0.0009L, 1, 0.5L, 1, 0.035L));
    ASSERT_TRUE(air.ok()) << faultText(air.fault);
    EXPECT_EQ(air.value("AtenDiel"), 0);
    EXPECT_EQ(air.value("Atendielodd"), 0);
    EXPECT_EQ(air.value("Atentotal"), air.value("AtenCond"));
    EXPECT_GT(air.value("AtenCond"), 0);
    // A gap of thousands of substrate heights: tanh and coth are 1 there,
    // not an overflow of their exponentials.
    const Outcome far = runGuarded(analysis, pair(10, 2.2L, 5.8e7L, 0.0009L, 1, 20000, 1, 0.035L));
    EXPECT_TRUE(far.ok()) << faultText(far.fault);
}

TEST(CoupledAnalysis, PickedAndTypedThicknessAgree)
{
    const auto& d = acMSMpAnWindow();
    const Texts common = {{"frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "5.8e7"}, {"Tanperda", "0.0009"},
                          {"largura", "2.4"},   {"Separacao", "0.5"}, {"ComboBox4", "0.79"}};
    Texts picked = common, typed = common;
    picked.push_back({"ComboBox3", "17.5 µm ED(1/2 oz)"});
    typed.push_back({"ComboBox3", "0.0175"});
    const Outcome a = compute(d, typedFields(d, picked)), b = compute(d, typedFields(d, typed));
    ASSERT_TRUE(a.ok() && b.ok());
    for (std::size_t i = 0; i < a.results.size(); ++i)
        EXPECT_EQ(resultText(a.results[i].second), resultText(b.results[i].second)) << a.results[i].first;
    // Typed as micrometres it is millimetres, thicker than the substrate.
    typed.back().second = "17.5";
    EXPECT_EQ(compute(d, typedFields(d, typed)).message,
              "Altura do dielétrico deve ser maior que a Espessura da Fita H>>t!!");
}

TEST(CoupledWindows, DescriptionsAsTheUserSeesThem)
{
    struct Case {
        const WindowDescription* d;
        const char* erLabel;
        std::vector<std::pair<std::string, std::string>> totals; // labels with odd blanks
        bool calcAtStart, shortcut, mainToFront;
        const char* ext;
        std::size_t reportLines;
        bool computeAfterOpen;
        Inputs valid;
    } cases[] = {
        {&acMSMpAnWindow(), "Constante dielétrica relativa: ",
         {{"Atentotal", "Atenuação total modo par  (dB/cm):"}, {"Atentotalodd", "Atenuação total modo ímpar (dB/cm): "}},
         true, false, true, "apa", 20,
         true, pair(10, 2.2L, 5.8e7L, 0.0009L, 2.4L, 0.5L, 0.79L, 0.035L)},
        {&acMSSinWindow(), "Constante dielétrica relativa:",
         {{"AtentotalMp", "Atenuação total modo par (dB/cm):"}, {"AtentotalMi", "Atenuação total modo ímpar (dB/cm):"}},
         false, true, false, "ams", 20,
         false,
         {{"ImpModoPar", 60}, {"ImpModoimpar", 40}, {"Frequencia", 10}, {"ComboBox2", 2.2L}, {"ComboBox1", 5.8e7L},
          {"Tanperda", 0.0009L}, {"ComboBox4", 0.79L}, {"ComboBox3", 0.035L}}},
    };
    for (const auto& c : cases) {
        const WindowDescription& d = *c.d;
        EXPECT_EQ(d.input("ComboBox2")->labels.front(), c.erLabel) << d.className;
        for (const auto& [control, label] : c.totals)
            EXPECT_EQ(d.result(control)->label, label) << d.className;
        EXPECT_EQ(d.calcEnabledAtStart, c.calcAtStart) << d.className;
        EXPECT_EQ(d.calcShortcut, c.shortcut) << d.className;
        EXPECT_EQ(d.mainToFront, c.mainToFront) << d.className;
        EXPECT_TRUE(d.closesGallery);
        EXPECT_EQ(galleryTab(d.section.kind), 7);
        EXPECT_EQ(d.project.extension, c.ext);
        EXPECT_EQ(d.project.computeAfterOpen, c.computeAfterOpen);
        // Every stored field and every reported control is one of the window's.
        ASSERT_EQ(d.project.fields.size(), d.inputs.size());
        for (std::size_t i = 0; i < d.inputs.size(); ++i)
            EXPECT_EQ(d.project.fields[i].name, d.inputs[i].name);
        ASSERT_EQ(d.report.lines.size(), c.reportLines);
        for (const auto& line : d.report.lines) {
            if (!line.control.empty()) {
                EXPECT_TRUE(d.input(line.control) || d.result(line.control)) << line.control;
            }
        }
        const auto items = layoutReport(d.report, [](const std::string&) { return std::string("1"); });
        EXPECT_EQ(items.back().y, 1300) << d.className;
        EXPECT_EQ(items.back().x, 1100) << d.className;
        // A field that does not read as a number fails with its own message.
        ASSERT_TRUE(runGuarded(d.model, c.valid).ok()) << d.className;
        for (const auto& in : d.inputs) {
            Inputs bad = c.valid;
            bad.set(in.name, NAN);
            EXPECT_EQ(runGuarded(d.model, bad).message, in.message) << in.name;
        }
    }
}

} // namespace

// Both windows: a board with picked entries (the copper thickness listed in
// micrometres) computes; each field alone spoilt, as zero or as text that is
// no number, is refused with the message the window gives that field.
TEST(CoupledWindows, EachFieldAloneGivesItsOwnMessage)
{
    const Texts materials = {{"ComboBox2", "2.20 - RT/duroid® 5880"}, {"ComboBox1", "57600000 - Cu : Cobre"},
                             {"Tanperda", "0.0009"}, {"ComboBox4", "0.79"}, {"ComboBox3", "35.0 µm ED(1 oz)"}};
    const std::pair<const WindowDescription*, Texts> cases[] = {
        {&acMSMpAnWindow(), {{"frequencia", "10"}, {"largura", "2.4"}, {"Separacao", "0.5"}}},
        {&acMSSinWindow(), {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"}, {"Frequencia", "10"}}},
    };
    for (const auto& [d, own] : cases) {
        SCOPED_TRACE(d->className);
        Texts good = own;
        good.insert(good.end(), materials.begin(), materials.end());
        const Outcome ok = compute(*d, typedFields(*d, good));
        ASSERT_TRUE(ok.ok()) << ok.message;
        ASSERT_EQ(d->inputs.size(), good.size());
        for (std::size_t i = 0; i < good.size(); ++i)
            for (const char* bad : {"0", "x"}) {
                Texts typed = good;
                typed[i].second = bad;
                const Outcome o = compute(*d, typedFields(*d, typed));
                const InputSpec* field = d->input(typed[i].first);
                ASSERT_TRUE(field);
                EXPECT_FALSE(field->message.empty()) << field->name;
                EXPECT_EQ(o.kind, Outcome::Kind::Message) << field->name << " " << bad;
                EXPECT_EQ(o.message, field->message) << field->name << " " << bad;
            }
    }
}
