// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc field as scripts use it: the keys of its answers, synthesis,
// projects, JSON lines and the refusals of bad input.
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "json.h"
#include "run_calc.h"

using namespace tarvel;
using namespace tarvel::testing;

namespace {

std::set<std::string> keysOf(const std::string& line)
{
    const auto p = json::parse(line);
    EXPECT_TRUE(p.ok) << line;
    std::set<std::string> keys;
    for (const auto& m : p.value.members)
        keys.insert(m.first);
    return keys;
}

double number(const std::string& line, const std::string& key)
{
    const auto p = json::parse(line);
    const json::Value* v = p.ok ? p.value.find(key) : nullptr;
    return v && v->kind == json::Value::Kind::Number ? std::stod(v->text) : NAN;
}

const std::vector<std::string> strip = {"field", "stripline", "W=0.3", "t=0.035", "h1=0.3", "h2=0.3",
                                        "er1=3.5", "er2=3.5"};

std::vector<std::string> plus(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Field, AnswersCarryTheirKeys)
{
    const Ran single = calc(plus(strip, {"--json"}));
    EXPECT_EQ(single.exit, 0) << single.err;
    EXPECT_EQ(keysOf(single.out), (std::set<std::string>{"structure", "unit", "Z0", "eeff", "C_pF_per_m",
                                                          "L_nH_per_m", "error_percent", "seconds", "solves"}));
    EXPECT_NEAR(number(single.out, "eeff"), 3.5, 1e-4);

    const Ran pair = calc({"field", "coupled-stripline", "W=0.2", "S=0.2", "--json"});
    EXPECT_EQ(pair.exit, 0) << pair.err;
    EXPECT_EQ(keysOf(pair.out),
              (std::set<std::string>{"structure", "unit", "Z0e", "Z0o", "eeff_e", "eeff_o", "Zdiff", "Zcm", "k",
                                     "C_pF_per_m", "L_nH_per_m", "modes", "error_percent", "seconds", "solves"}));
    EXPECT_NEAR(number(pair.out, "Zdiff"), 2 * number(pair.out, "Z0o"), 2e-4);
    const json::Parsed parsed = json::parse(pair.out);
    const auto m = parsed.value.find("C_pF_per_m");
    ASSERT_TRUE(m && m->kind == json::Value::Kind::Array && m->items.size() == 2);

    // The text form: the same keys, one name=value per line.
    const Ran text = calc(strip);
    EXPECT_EQ(text.exit, 0);
    EXPECT_EQ(text.out.rfind("structure=stripline\nunit=mm\nZ0=", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("\nsolves=1\n"), std::string::npos) << text.out;
}

TEST(Field, SynthesisGivesTheVariedDimensionInTheUnitGiven)
{
    const Ran mm = calc(plus(strip, {"--target", "Z0=50", "--vary", "W", "--json"}));
    ASSERT_EQ(mm.exit, 0) << mm.err;
    EXPECT_NEAR(number(mm.out, "Z0"), 50, 0.05);
    EXPECT_GT(number(mm.out, "solves"), 1);
    const double w = number(mm.out, "W");
    // The same in mils: the lengths read as mils, the answer in mils.
    const Ran mil = calc({"field", "stripline", "unit=mil", "W=11.811", "t=1.378", "h1=11.811", "h2=11.811",
                          "er1=3.5", "er2=3.5", "--target=Z0=50", "--vary=W", "--json"});
    ASSERT_EQ(mil.exit, 0) << mil.err;
    EXPECT_NEAR(number(mil.out, "W") * 0.0254, w, 2e-3 * w);
    // Analysing what was found gives the target.
    const Ran back = calc({"field", "stripline", "W=" + std::to_string(w), "t=0.035", "h1=0.3", "h2=0.3",
                           "er1=3.5", "er2=3.5", "--json"});
    EXPECT_NEAR(number(back.out, "Z0"), 50, 0.05);
}

TEST(Field, ProjectsAndJsonLines)
{
    const std::string path = tempPath("linha.json");
    std::ofstream(path) << R"({"format": "tarvel-projeto-de-linha", "version": 1, "structure": "stripline",
  "unit": "mm", "parameters": {"W": "0.3", "t": "0.035", "h1": 0.3, "h2": "0.3", "er1": "3.5", "er2": "3.5"}})";
    const Ran file = calc({"field", "--file", path, "--json"});
    const Ran args = calc(plus(strip, {"--json"}));
    ASSERT_EQ(file.exit, 0) << file.err;
    EXPECT_EQ(number(file.out, "Z0"), number(args.out, "Z0"));

    std::ofstream(path) << R"({"format": "tarvel-projeto-de-linha", "version": 7, "structure": "stripline"})";
    const Ran newer = calc({"field", "--file", path});
    EXPECT_EQ(newer.exit, 1);
    EXPECT_NE(newer.err.find("versão 7 do formato, que este programa não conhece"), std::string::npos) << newer.err;
    EXPECT_EQ(newer.out, "");

    const Ran batch = calc({"field", "--batch"},
                           R"({"structure":"stripline","parameters":{"W":"0.3","t":"0.035","h1":"0.3","h2":"0.3","er1":"3.5","er2":"3.5"}})"
                           "\n{\"structure\":\"stripline\",\"parameters\":{\"W\":\"-1\"}}\n"
                           "{\"structure\":\"stripline\",\"target\":{\"Z0\":50},\"vary\":[\"W\"]}\n");
    EXPECT_EQ(batch.exit, 0) << batch.err;
    std::istringstream lines(batch.out);
    std::vector<std::string> out;
    for (std::string l; std::getline(lines, l);)
        out.push_back(l);
    ASSERT_EQ(out.size(), 3u) << batch.out;
    EXPECT_EQ(number(out[0], "Z0"), number(args.out, "Z0"));
    EXPECT_EQ(out[1], R"({"error":"O campo W (largura da fita) tem de ser positivo."})");
    EXPECT_NEAR(number(out[2], "Z0"), 50, 0.05);
    EXPECT_TRUE(keysOf(out[2]).count("W"));
}

// Bad input: a Portuguese message naming the field on standard error, exit
// 2, nothing on standard output; a malformed command line: exit 64.
TEST(Field, BadInputIsRefusedOnStandardError)
{
    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"field", "microstrip", "W=-1"}, 2, "O campo W (largura da fita) tem de ser positivo."},
        {{"field", "microstrip", "er=x"}, 2, "O campo er (permissividade relativa do substrato) não é um número"},
        {{"field", "embedded-microstrip", "h2=0.01"}, 2, "O campo h2"},
        {{"field", "microstrip", "unit=cm"}, 2, "O campo unit tem de ser mm ou mil"},
        {{"field", "microstrip", "Q=1"}, 2, "O campo Q não existe em microstrip"},
        {{"field", "microstrip", "--target", "Zdiff=100", "--vary", "W"}, 2, "sintetiza só Z0"},
        {{"field", "coupled-microstrip", "--target", "Z0e=40,Z0o=60", "--vary", "W,S"}, 2,
         "Z0e tem de ser maior que Z0o"},
        {{"field", "microstrip", "--target", "Z0=-5", "--vary", "W"}, 2, "O alvo Z0 tem de ser um número positivo"},
        {{"field", "microstrip", "--target", "Z0=50", "--vary", "t"}, 2, "A dimensão t (espessura do metal)"},
        {{"field", "microstrip", "--target", "Z0=50"}, 64, "--target e --vary vão juntos"},
        {{"field", "coax"}, 64, "estrutura desconhecida"},
        {{"field"}, 64, "field pede uma estrutura"},
    };
    for (const Case& c : cases) {
        const Ran r = calc(c.args);
        EXPECT_EQ(r.exit, c.exit) << c.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
