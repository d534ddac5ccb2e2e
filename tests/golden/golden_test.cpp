// SPDX-License-Identifier: GPL-3.0-or-later
// Every window's outcomes at full precision against the golden files that
// make_golden wrote from the models, one table-driven test per family; and
// each synthesis checked by its analysis: the geometry it finds, analysed,
// gives back the wanted impedances.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "golden.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

constexpr Real kTolerance = 1e-12L;

std::vector<golden::Case> load(const std::string& family)
{
    const std::string path = std::string(TARVEL_GOLDEN_DIR) + "/" + family + ".golden";
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::string error;
    auto cases = golden::readGolden(in, error);
    EXPECT_EQ(error, "") << path;
    return cases;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, EveryCaseGivesItsRecordedOutcome)
{
    const auto cases = load(GetParam());
    EXPECT_GT(cases.size(), 20u);
    for (const auto& c : cases) {
        ASSERT_TRUE(findWindow(c.window)) << c.window;
        const std::string diff = golden::compare(c.expected, golden::run(c.window, c.given), kTolerance);
        EXPECT_EQ(diff, "") << GetParam() << ".golden line " << c.line << " (" << c.window << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Golden,
                         ::testing::Values("wire_coax", "microstrip", "stripline", "coupled_microstrip", "coplanar"),
                         [](const auto& info) { return info.param; });

// ---- Synthesis, then analysis of what it found ------------------------------

struct RoundTrip {
    const char* family;
    const char* synthesis;
    const char* analysis;
    // synthesis control -> analysis control, for inputs and found geometry;
    // inputs not named go to the analysis control of the same name.
    std::map<std::string, std::string> renamed;
    // wanted impedance (synthesis input) -> the analysis result it must match
    std::map<std::string, std::string> wanted;
    // relative: how well the analysis model agrees with the synthesis' own
    Real tolerance;
    // for a pair: the strongest coupling (Z0e - Z0o)/(Z0e + Z0o) up to which
    // the two models agree that well
    Real maxCoupling = 1;
};

void PrintTo(const RoundTrip& r, std::ostream* os) { *os << r.synthesis; }

// How closely each analysis gives back what its synthesis was asked for,
// over the golden cases (the worst case found, rounded up): two-wire and
// coax invert the analysis' own formulas (up to 48-bit rounding); the
// microstrip synthesis inverts Wheeler's formula with its own thickness
// correction (6e-4); the single stripline synthesis is a closed form of its
// own against Wheeler's thick-strip analysis (6.2e-2 and 5.8e-2); the
// stripline pair's synthesis rounds Cohn's constants (1.1e-3); the coupled
// microstrip synthesis meets its even/odd model, which the capacitance model
// of the analysis follows to within 10 % for couplings up to 0.7 (past it
// the gaps it finds are a small fraction of h, where the capacitance model
// no longer holds).
const RoundTrip roundTrips[] = {
    {"wire_coax", "BifiSin", "BifiAna", {{"Espaco", "Espacamento"}}, {{"impedan", "impedancia"}}, 1e-9L},
    {"wire_coax",
     "CoaxSin",
     "CoaxAna",
     {{"Diaexter", "Diaext"}, {"Diainter", "Diaint"}},
     {{"impedancia", "Impedancia"}},
     1e-9L},
    {"microstrip",
     "MicstSin",
     "MicFtAna",
     {{"Largura", "largura"}, {"ComboBox2", "Combobox2"}, {"ComboBox1", "Combobox1"}},
     {{"Impedancia", "impcarac"}},
     1e-3L},
    {"microstrip",
     "MstSinCd",
     "MiFMtCon",
     {{"Largura", "largura"}, {"constdiel", "ComboBox2"}, {"condutividade", "ComboBox1"}, {"condsubs", "CondMat"},
      {"alturadiel", "ComboBox4"}, {"espesfita", "ComboBox3"}},
     {{"Impedancia", "impcarac"}},
     1e-3L},
    {"stripline", "StLinSin", "StLinAna", {}, {{"Impcarac", "Impcarac"}}, 7e-2L},
    {"stripline", "StLSinCd", "StLinCon", {}, {{"Impcarac", "Impcarac"}}, 7e-2L},
    {"stripline",
     "AcSLSin",
     "AcSLMpAn",
     {{"LargReal", "Largura"}, {"SepReal", "Separ"}},
     {{"ImpModoPar", "Impcarac"}, {"ImpModoimpar", "impcararcodd"}},
     2e-3L},
    {"coupled_microstrip",
     "AcMSSin",
     "AcMSMpAn",
     {{"LargReal", "largura"}, {"SepReal", "Separacao"}, {"Frequencia", "frequencia"}},
     {{"ImpModoPar", "impcarac"}, {"ImpModoimpar", "Impcaracodd"}},
     1e-1L,
     0.7L},
};

class SynthesisThenAnalysis : public ::testing::TestWithParam<RoundTrip> {};

// Every golden case of the synthesis window that gives results (and no
// warning that the synthesis missed its target) is analysed.
TEST_P(SynthesisThenAnalysis, GivesBackTheWantedImpedances)
{
    const RoundTrip& rt = GetParam();
    const WindowDescription* syn = findWindow(rt.synthesis);
    const WindowDescription* ana = findWindow(rt.analysis);
    ASSERT_TRUE(syn && ana);
    auto target = [&](const std::string& name) {
        const auto it = rt.renamed.find(name);
        return it == rt.renamed.end() ? name : it->second;
    };
    int checked = 0, refused = 0;
    Real worst = 0;
    for (const auto& c : load(rt.family)) {
        if (c.window != syn->unit || !c.expected.ok() || !c.expected.warnings.empty())
            continue;
        const FieldTexts typed = typedFields(*syn, c.given);
        if (rt.wanted.size() == 2) {
            const Real a = readNumber(typed.at(rt.wanted.begin()->first).text),
                       b = readNumber(typed.at(rt.wanted.rbegin()->first).text);
            if (std::fabs(a - b) / (a + b) > rt.maxCoupling)
                continue;
        }
        const Outcome found = golden::run(c.window, c.given);
        ASSERT_TRUE(found.ok()) << "line " << c.line;
        golden::Given given;
        for (const auto& [name, state] : typed) {
            const InputSpec* to = ana->input(target(name));
            if (!to)
                continue;
            // A pick stays a pick of the same entry (the lists differ in blanks).
            const int pick = effectivePick(*syn->input(name), state);
            given.emplace_back(to->name, pick >= 0 && pick < int(to->entries.size()) ? to->entries[pick] : state.text);
        }
        for (const auto& [name, v] : found.results)
            if (ana->input(target(name)))
                given.emplace_back(target(name), golden::exact(v));
        const Outcome back = golden::run(ana->unit, given);
        // The synthesis may find what the analysis refuses to take (an er
        // below 1 on a conducting substrate, a pair outside the range of the
        // thick-strip formulas): nothing to compare then.
        if (back.kind == Outcome::Kind::Message) {
            ++refused;
            continue;
        }
        ASSERT_TRUE(back.ok()) << rt.family << ".golden line " << c.line << ": analysis fault";
        for (const auto& [wanted, result] : rt.wanted) {
            const Real z = readNumber(typed.at(wanted).text);
            const Real got = back.value(result);
            worst = std::fmax(worst, std::fabs(got - z) / z);
            EXPECT_TRUE(golden::close(z, got, rt.tolerance))
                << rt.family << ".golden line " << c.line << ": " << wanted << " " << golden::exact(z)
                << ", analysed " << golden::exact(got);
        }
        ++checked;
    }
    std::printf("[ round    ] %s: %d cases analysed (worst relative deviation %.3Lg), %d refused by %s\n",
                rt.synthesis, checked, worst, refused, rt.analysis);
    EXPECT_GE(checked, 3) << "too few synthesis cases give results";
    EXPECT_LE(refused, checked / 3) << "the analysis refuses too many synthesis cases";
}

INSTANTIATE_TEST_SUITE_P(SynthesisWindows, SynthesisThenAnalysis, ::testing::ValuesIn(roundTrips),
                         [](const auto& info) { return std::string(info.param.synthesis); });

} // namespace

// Every fact of every window description (texts, lists, fills, messages,
// file fields, report lines, flags) as make_golden pinned it.
TEST(GoldenDescriptions, EveryWindowAsPinned)
{
    std::ifstream in(std::string(TARVEL_GOLDEN_DIR) + "/descriptions.golden");
    ASSERT_TRUE(in);
    std::ostringstream now;
    now << "# Generated by make_golden from the window descriptions: do not edit.\n";
    for (const auto* d : allWindows())
        golden::describeWindow(now, *d);
    std::istringstream actual(now.str());
    std::string want, got;
    for (int line = 1; std::getline(in, want); ++line) {
        ASSERT_TRUE(std::getline(actual, got)) << "line " << line << " missing: " << want;
        ASSERT_EQ(got, want) << "line " << line;
    }
    EXPECT_FALSE(std::getline(actual, got)) << "more lines than pinned: " << got;
}
