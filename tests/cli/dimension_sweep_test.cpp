// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc sweep --vary: a structure against one of its dimensions, in
// the structure's unit, each point what field gives at that value (and at
// a frequency what field --freq gives); every refusal exit 2 with its
// reason.
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "json.h"
#include "run_calc.h"

using tarvel::testing::calc;

namespace {

const std::vector<std::string> strip = {"microstrip", "h=0.5", "t=0.035", "er=4.4"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& more)
{
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

// The text after "key=" in field's text answer.
std::string valueIn(const std::string& out, const std::string& key)
{
    const auto at = out.find(key + "=");
    if (at == std::string::npos)
        return {};
    const auto from = at + key.size() + 1;
    return out.substr(from, out.find('\n', from) - from);
}

} // namespace

// In mils: the values as given, each point's keys the same texts field
// writes for that value.
TEST(DimensionSweepCli, EachPointIsWhatFieldGivesAtThatValue)
{
    const auto r = calc({"sweep", "microstrip", "er=4.4", "h=20", "t=1.4", "unit=mil", "--vary", "W", "--from", "20",
                         "--to", "60", "--points", "3", "--json"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const auto parsed = tarvel::json::parse(r.out);
    ASSERT_TRUE(parsed.ok) << r.out;
    EXPECT_EQ(parsed.value.find("unit")->text, "mil");
    EXPECT_EQ(parsed.value.find("vary")->text, "W");
    const auto& points = parsed.value.find("points")->items;
    ASSERT_EQ(points.size(), 3u);
    const char* widths[] = {"20", "40", "60"};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(points[k].find("W")->text, widths[k]);
        const auto field = calc({"field", "microstrip", "h=20", "t=1.4", "er=4.4", "unit=mil",
                                 std::string("W=") + widths[k]});
        ASSERT_EQ(field.exit, 0) << field.err;
        for (const char* key : {"Z0", "eeff", "error_percent"})
            EXPECT_EQ(points[k].find(key)->text, valueIn(field.out, key)) << widths[k] << " " << key;
    }
    // A pair at a frequency: the pair's keys and field --freq's, in CSV.
    const auto pair = calc({"sweep", "coupled-stripline", "W=0.3", "t=0.035", "h1=0.3", "h2=0.3", "er1=3.5",
                            "er2=3.5", "tand1=0.004", "tand2=0.004", "sigma=5.8e7", "--vary", "S", "--from", "0.1",
                            "--to", "0.4", "--points", "2", "--log", "--freq", "2e9", "--csv"});
    ASSERT_EQ(pair.exit, 0) << pair.err;
    std::istringstream in(pair.out);
    std::string header, first, second;
    std::getline(in, header);
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(header.rfind("S_mm,Z0e,Z0o,eeff_e,eeff_o,Zdiff,Zcm,k,error_percent,f_Hz,even_R_ohm_per_m,", 0), 0u)
        << header;
    EXPECT_NE(header.find(",odd_delay_ps_per_m,R_error_percent"), std::string::npos) << header;
    EXPECT_EQ(first.rfind("0.1,", 0), 0u);
    EXPECT_EQ(second.rfind("0.4,", 0), 0u);
    const auto field = calc({"field", "coupled-stripline", "W=0.3", "t=0.035", "h1=0.3", "h2=0.3", "er1=3.5",
                             "er2=3.5", "tand1=0.004", "tand2=0.004", "sigma=5.8e7", "S=0.4", "--freq", "2e9",
                             "--json"});
    ASSERT_EQ(field.exit, 0) << field.err;
    const auto f = tarvel::json::parse(field.out);
    ASSERT_TRUE(f.ok);
    const std::string oddAlpha = f.value.find("odd")->find("alpha_dB_per_m")->text;
    EXPECT_NE(second.find("," + oddAlpha + ","), std::string::npos) << oddAlpha << " in " << second;
    // The text form: a comment, then columns separated by spaces.
    const auto text = calc(with(with({"sweep"}, strip), {"--vary", "h", "--from", "0.3", "--to", "0.6", "--points", "2"}));
    ASSERT_EQ(text.exit, 0) << text.err;
    EXPECT_EQ(text.out.rfind("# microstrip: h em mm", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("\nh_mm Z0 eeff error_percent\n0.3 "), std::string::npos) << text.out;
}

// Each refusal names what is wrong, exit 2 (64 for a malformed command);
// nothing is printed on the standard output.
TEST(DimensionSweepCli, BadInputIsRefused)
{
    struct Case {
        std::vector<std::string> args;
        int exit;
        std::string says;
    } cases[] = {
        {{"--vary", "X", "--from", "1", "--to", "2", "--points", "3"}, 2, "A dimensão X não existe em microstrip"},
        {{"--vary", "er", "--from", "1", "--to", "2", "--points", "3"}, 2, "não é uma dimensão"},
        {{"--vary", "W", "--from", "-1", "--to", "2", "--points", "3"}, 2, "Com W = -1.000000: O campo W"},
        {{"--vary", "W", "--from", "0", "--to", "2", "--points", "3", "--log"}, 2, "--log pede valores"},
        {{"--vary", "W", "--from", "1", "--to", "2", "--points", "100001"}, 2, "entre 1 e 100000"},
        {{"--vary", "W", "--from", "1", "--to", "x", "--points", "3"}, 2, "valor final inválido: x"},
        {{"--vary", "W", "--from", "1", "--to", "2", "--points", "3", "--freq", "1e12"}, 2, "limite"},
        {{"--vary", "W", "--from", "1", "--to", "2", "--points", "3", "--freq", "0"}, 2, "frequência deve ser positiva"},
        {{"--vary", "W", "--from", "1", "--to", "2", "--points", "3", "sigma=5.8e7"}, 64, "pedem --freq"},
        {{"--vary", "W", "--from", "1", "--to", "2"}, 64, "--points"},
        {{"--from", "1e9", "--to", "2e9", "--points", "3", "--freq", "1e9"}, 64, "--freq vai com --vary"},
    };
    for (const Case& c : cases) {
        const auto r = calc(with(with({"sweep"}, strip), c.args));
        EXPECT_EQ(r.exit, c.exit) << c.says << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.says;
    }
    const auto coax = calc({"sweep", "coax", "d=1", "D=3", "er=2", "--vary", "d", "--from", "1", "--to", "2",
                            "--points", "2"});
    EXPECT_EQ(coax.exit, 2);
    EXPECT_NE(coax.err.find("estruturas de field"), std::string::npos) << coax.err;
}
