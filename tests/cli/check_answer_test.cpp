// SPDX-License-Identifier: GPL-3.0-or-later
// The answer of tarvel-calc check: what it says and its exit code when the
// formula faulted, when the field stopped short of its tolerance and when a
// value is huge or no number; its table's columns as shown; and the section
// each window names, read with the window's own rules.
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "check.h"
#include "fieldsolve/window_check.h"
#include "json.h"
#include "models/all_windows.h"
#include "tool.h"

using namespace tarvel;

namespace {

const WindowDescription& windowOf(const std::string& className)
{
    for (const WindowDescription* d : allWindows())
        if (d->className == className)
            return *d;
    throw std::runtime_error("no window " + className);
}

fieldsolve::CheckPlan planOf(const std::string& className, const std::vector<std::pair<std::string, std::string>>& texts)
{
    const WindowDescription& d = windowOf(className);
    return fieldsolve::planCheck(d, typedFields(d, texts));
}

// A solved microstrip check with the given field values and estimate.
fieldsolve::WindowCheck solvedCheck(double z0Field, double error, bool withFormula)
{
    fieldsolve::WindowCheck c;
    c.plan.kind = fieldsolve::CheckPlan::Kind::Ready;
    c.plan.section = SectionKind::Microstrip;
    c.plan.geometry.structure = fieldsolve::Structure::Microstrip;
    c.plan.geometry.w = 3;
    c.plan.geometry.h = 1.6;
    c.plan.geometry.t = 0.035;
    c.plan.geometry.er = 4.4;
    if (!withFormula)
        c.plan.fault = faultText(Fault::Invalid);
    c.solution.ok = true;
    c.solution.error = error;
    c.solution.converged = error <= 5e-4;
    c.solution.nodes = 1000;
    c.solution.levels = 3;
    fieldsolve::Compared z0{"Z0", "Ohms", withFormula, withFormula ? 50.0 : 0.0, z0Field, 0};
    fieldsolve::Compared eeff{"eeff", "", withFormula, withFormula ? 3.3 : 0.0, 3.31, 0};
    if (withFormula) {
        z0.differencePercent = 100 * (z0.formula - z0.field) / z0.field;
        eeff.differencePercent = 100 * (eeff.formula - eeff.field) / eeff.field;
    }
    c.rows = {z0, eeff};
    return c;
}

std::size_t shownWidth(const std::string& text)
{
    std::size_t n = 0;
    for (unsigned char ch : text)
        n += (ch & 0xC0) != 0x80;
    return n;
}

// The lines of the table: the heading and the rows under it.
std::vector<std::string> tableLines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Grandeza", 0) == 0)
            inTable = true;
        else if (inTable && (line.rfind("Z0", 0) != 0 && line.rfind("eeff", 0) != 0))
            break;
        if (inTable)
            lines.push_back(line);
    }
    return lines;
}

} // namespace

// Whatever the answer, numbers read as numbers: no nan, no inf, no row of
// hundreds of digits, and the exit code says what happened.
TEST(CheckAnswer, SaysWhatHappenedInItsExitCodeAndNeverPrintsNonNumbers)
{
    struct Case {
        const char* what;
        fieldsolve::WindowCheck check;
        int exit;
        std::vector<std::string> said;    // in the text answer
        std::vector<std::string> inJson;  // in the JSON answer
    };
    fieldsolve::WindowCheck noNumber = solvedCheck(std::nan(""), 1e-4, true);
    fieldsolve::WindowCheck huge = solvedCheck(1e308, 1e-4, true);
    huge.plan.geometry.er = 1e308;
    fieldsolve::WindowCheck noEstimate = solvedCheck(49, 0, true);
    noEstimate.solution.ok = false;
    noEstimate.solution.converged = false;
    noEstimate.solution.failure = "limite de nós da malha";
    fieldsolve::WindowCheck faultedNoEstimate = noEstimate;
    faultedNoEstimate.plan.fault = faultText(Fault::Overflow);
    const std::vector<Case> cases = {
        {"reached", solvedCheck(49, 1e-4, true), cli::Ok, {"+2.041 %"}, {"\"converged\":true"}},
        {"stopped at the mesh limit", solvedCheck(49, 2e-3, true), cli::NotReached,
         {"Solução de campo não alcançada", "0.2000 %"}, {"\"converged\":false", "\"error_percent\":0.200000"}},
        {"formula faulted", solvedCheck(49, 1e-4, false), cli::Fault,
         {"Invalid floating point operation", "49.0000"},
         {"\"fault\":\"Invalid floating point operation\"", "\"formula\":null", "\"field\":49.000000"}},
        {"faulted and stopped", solvedCheck(49, 2e-3, false), cli::Fault, {"não alcançada"}, {"\"converged\":false"}},
        {"field no number", noNumber, cli::NotReached, {}, {"\"error\":"}},
        {"no estimate before the limit", noEstimate, cli::NotReached, {}, {"\"error\":", "limite de nós"}},
        {"faulted, no estimate", faultedNoEstimate, cli::Fault, {}, {"\"error\":"}},
        {"huge values", huge, cli::Ok, {"1.0000e+308"}, {"1.000000e+308"}},
    };
    const WindowDescription& d = windowOf("TForm6");
    for (const Case& c : cases) {
        const cli::Run text = cli::checkAnswer(d, c.check, false);
        const cli::Run json = cli::checkAnswer(d, c.check, true);
        EXPECT_EQ(text.exit, c.exit) << c.what;
        EXPECT_EQ(json.exit, c.exit) << c.what;
        for (const std::string& s : c.said)
            EXPECT_NE(text.out.find(s), std::string::npos) << c.what << "\n" << text.out;
        for (const std::string& s : c.inJson)
            EXPECT_NE(json.out.find(s), std::string::npos) << c.what << "\n" << json.out;
        EXPECT_TRUE(json::parse(json.out).ok) << c.what << "\n" << json.out;
        for (const std::string& out : {text.out + text.err, json.out}) {
            for (const char* bad : {"nan", "inf", "NaN", "Inf"})
                EXPECT_EQ(out.find(bad), std::string::npos) << c.what << ": " << bad << "\n" << out;
            std::size_t digits = 0, longest = 0;
            for (char ch : out)
                longest = std::max(longest, digits = std::isdigit(static_cast<unsigned char>(ch)) ? digits + 1 : 0);
            EXPECT_LT(longest, 20u) << c.what << "\n" << out;
        }
    }
}

// Accented captions and quantities ("Fórmula", "Diferença", "Z0 ímpar") are
// padded by the characters shown, so every column ends where its heading
// does; the dashes of a faulted formula too.
TEST(CheckAnswer, TableColumnsLineUpAsShown)
{
    const WindowDescription& d = windowOf("TForm26");
    fieldsolve::WindowCheck pair = solvedCheck(49, 1e-4, true);
    pair.plan.section = SectionKind::CoupledMicrostrip;
    pair.plan.geometry.structure = fieldsolve::Structure::CoupledMicrostrip;
    pair.rows[0].name = "Z0 ímpar";
    pair.rows[1].name = "eeff ímpar";
    for (const fieldsolve::WindowCheck& c : {pair, solvedCheck(49, 1e-4, false)}) {
        const std::vector<std::string> lines = tableLines(cli::checkAnswer(d, c, false).out);
        ASSERT_EQ(lines.size(), 3u);
        for (const std::string& line : lines)
            EXPECT_EQ(shownWidth(line), 18u + 3 * 13) << "[" << line << "]";
    }
}

// The section a window names is read with the window's own rules: a picked
// copper foil is listed in micrometres, a picked cable gives its own er, and
// a synthesis gives the geometry it found.
TEST(CheckAnswer, WindowsNameTheirSectionsWithTheirOwnReadingRules)
{
    const fieldsolve::CheckPlan foil = planOf(
        "TForm4", {{"frequencia", "10"}, {"Combobox2", "2.20 - RT/duroid® 5880"}, {"Combobox1", "57600000 - Cu: Cobre"},
                   {"largura", "2.4"}, {"ComboBox4", "0.79"}, {"ComboBox3", "35.0  µm ED(1 oz)"}});
    ASSERT_EQ(foil.kind, fieldsolve::CheckPlan::Kind::Ready) << foil.message;
    EXPECT_EQ(foil.section, SectionKind::Microstrip);
    EXPECT_DOUBLE_EQ(foil.geometry.t, 0.035);
    EXPECT_DOUBLE_EQ(foil.geometry.w, 2.4);
    EXPECT_DOUBLE_EQ(foil.geometry.er, 2.2);

    const fieldsolve::CheckPlan cable =
        planOf("TForm3", {{"Frequencia", "1"}, {"ComboBox1", "57600000"}, {"ComboBox2", "9"},
                          {"ComboBox3", "2.28 - RG58C/U  - CuSn/PE"}});
    ASSERT_EQ(cable.kind, fieldsolve::CheckPlan::Kind::Ready) << cable.message;
    EXPECT_EQ(cable.section, SectionKind::Coax);
    EXPECT_DOUBLE_EQ(cable.geometry.er, 2.28);
    EXPECT_DOUBLE_EQ(cable.geometry.d, 0.9);
    EXPECT_DOUBLE_EQ(cable.geometry.D, 2.95);

    const WindowDescription& synthesis = windowOf("TForm29");
    const FieldTexts texts = typedFields(
        synthesis, {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"}, {"Frequencia", "1"}, {"ComboBox2", "2.2"},
                    {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}});
    const fieldsolve::CheckPlan found = fieldsolve::planCheck(synthesis, texts);
    const Outcome o = compute(synthesis, texts);
    ASSERT_EQ(found.kind, fieldsolve::CheckPlan::Kind::Ready) << found.message;
    EXPECT_DOUBLE_EQ(found.geometry.w, double(o.value("LargReal")));
    EXPECT_DOUBLE_EQ(found.geometry.s, double(o.value("SepReal")));
    ASSERT_EQ(found.rows.size(), 4u);
    EXPECT_DOUBLE_EQ(found.rows[0].formula, 60);
    EXPECT_DOUBLE_EQ(found.rows[1].formula, 40);
    EXPECT_DOUBLE_EQ(found.rows[3].formula, double(o.value("Efetivoimpar")));

    // Every window names a section, and its kind is the gallery tab it asks.
    for (const WindowDescription* d : allWindows())
        EXPECT_TRUE(bool(d->section.read)) << d->className;
}
