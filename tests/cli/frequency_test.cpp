// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc sweep and export, run as a user would: the values through
// the command line's units against the exact coaxial line, the CSV and
// JSON forms, the exported files, and every refused input (exit 2, a
// message naming it, no file left).
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/design_project.h"
#include "fieldsolve/templates.h"
#include "json.h"
#include "run_calc.h"

using tarvel::testing::calc;
using tarvel::testing::slurp;
using tarvel::testing::tempPath;

namespace {

constexpr double kPi = 3.14159265358979323846;

double num(const tarvel::json::Value* v) { return v ? std::strtod(v->text.c_str(), nullptr) : std::nan(""); }

const std::vector<std::string> coax = {"coax", "d=0.91", "D=2.95", "er=2.1", "tand=3e-4", "sigma=5.8e7"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& more)
{
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

} // namespace

// R through the command line: lengths in mm (or mil), sigma in S/m; the
// coaxial line's skin resistance Rs/(2 pi) (1/a + 1/b) with the inner
// conductor's DC floor, and alpha_d = pi f sqrt(er) tand / c.
TEST(FrequencyCli, CoaxSweepGivesTheExactLosses)
{
    for (const bool mil : {false, true}) {
        std::vector<std::string> args = {"sweep"};
        args = with(args, coax);
        if (mil)
            args = {"sweep", "coax", "d=35.826771653543", "D=116.141732283465", "er=2.1", "tand=3e-4", "sigma=5.8e7",
                    "unit=mil"};
        // Up to 4 GHz: the quasi-static model of this line holds to 7 GHz.
        const auto r = calc(with(args, {"--from", "1e8", "--to", "4e9", "--points", "3", "--log", "--json"}));
        ASSERT_EQ(r.exit, 0) << r.err;
        const auto parsed = tarvel::json::parse(r.out);
        ASSERT_TRUE(parsed.ok) << r.out;
        const auto* points = parsed.value.find("points");
        ASSERT_TRUE(points && points->items.size() == 3);
        const double fs[] = {1e8, 1e8 * std::sqrt(40.0), 4e9};
        for (int k = 0; k < 3; ++k) {
            const auto& p = points->items[std::size_t(k)];
            const double f = fs[k];
            EXPECT_NEAR(num(p.find("f_Hz")) / f, 1, 1e-9);
            const double rs = std::sqrt(kPi * f * 4e-7 * kPi / 5.8e7);
            const double a = 0.455e-3, b = 1.475e-3;
            const double dc = 1 / (5.8e7 * kPi * a * a);
            const double r = std::hypot(dc, rs / (2 * kPi * a)) + rs / (2 * kPi * b);
            EXPECT_NEAR(num(p.find("R_ohm_per_m")) / r, 1, 1e-6) << f << (mil ? " mil" : " mm");
            // With the metal's internal inductance, sqrt(L/C) and with it
            // alpha_d = G sqrt(L/C) / 2 grow a little; the perfect metal's
            // is exact below.
            const double ad = kPi * f * std::sqrt(2.1) * 3e-4 / 299792458.0 * 20 / std::log(10.0);
            EXPECT_GT(num(p.find("alpha_d_dB_per_m")) / ad, 1);
            EXPECT_LT(num(p.find("alpha_d_dB_per_m")) / ad, 1.01);
            EXPECT_NEAR(num(p.find("alpha_dB_per_cm")) * 100 / num(p.find("alpha_dB_per_m")), 1, 1e-9);
            const auto* zc = p.find("Zc");
            ASSERT_TRUE(zc && zc->items.size() == 2);
            EXPECT_NEAR(num(&zc->items[0]), 60 / std::sqrt(2.1) * std::log(2.95 / 0.91), 0.5);
        }
    }
}

TEST(FrequencyCli, PerfectMetalCoaxHasTheExactDielectricLoss)
{
    const auto r = calc({"sweep", "coax", "d=0.91", "D=2.95", "er=2.1", "tand=3e-4", "--from", "1e9", "--to", "1e9",
                         "--points", "1", "--json"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const auto parsed = tarvel::json::parse(r.out);
    ASSERT_TRUE(parsed.ok) << r.out;
    const auto& p = parsed.value.find("points")->items.at(0);
    const double ad = kPi * 1e9 * std::sqrt(2.1) * 3e-4 / 299792458.0 * 20 / std::log(10.0);
    EXPECT_NEAR(num(p.find("alpha_d_dB_per_m")) / ad, 1, 1e-8);
    EXPECT_EQ(num(p.find("R_ohm_per_m")), 0);
    EXPECT_EQ(num(parsed.value.find("error_percent")), 0);
}

TEST(FrequencyCli, CsvAndTextHaveOneRowPerPointAndPairsBothModes)
{
    const auto single = calc(with(with({"sweep"}, coax), {"--from", "1e9", "--to", "2e9", "--points", "5", "--csv"}));
    ASSERT_EQ(single.exit, 0) << single.err;
    std::istringstream in(single.out);
    std::string header, line;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("f_Hz,R_ohm_per_m,L_nH_per_m,G_S_per_m,C_pF_per_m,Zc_re,Zc_im,", 0), 0u) << header;
    int rows = 0;
    while (std::getline(in, line))
        ++rows;
    EXPECT_EQ(rows, 5);
    // The two layers of a stripline share the energy: the loss of each
    // layer's tangent alone adds up to that of both (the metal perfect, so
    // that with one tangent the loss is the homogeneous fill's, exactly).
    const auto alphaD = [](const std::string& t1, const std::string& t2, const char* mode) {
        const auto r = calc({"sweep", "coupled-stripline", "W=0.5", "S=0.3", "t=0.035", "h1=0.5", "h2=0.5", "er1=3.0",
                             "er2=3.0", "tand1=" + t1, "tand2=" + t2, "--from", "1e9", "--to", "1e9", "--points", "1",
                             "--json"});
        EXPECT_EQ(r.exit, 0) << r.err;
        const auto parsed = tarvel::json::parse(r.out);
        EXPECT_TRUE(parsed.ok);
        const auto& p = parsed.value.find("points")->items.at(0);
        const auto* m = p.find(mode);
        EXPECT_TRUE(p.find("R_ohm_per_m") && p.find("R_ohm_per_m")->items.size() == 2);
        return m ? num(m->find("alpha_d_dB_per_m")) : std::nan("");
    };
    const double ad = kPi * 1e9 * std::sqrt(3.0) * 2e-3 / 299792458.0 * 20 / std::log(10.0);
    for (const char* mode : {"even", "odd"}) {
        const double both = alphaD("2e-3", "2e-3", mode), lower = alphaD("2e-3", "0", mode),
                     upper = alphaD("0", "2e-3", mode);
        EXPECT_NEAR(both / ad, 1, 1e-6) << mode;
        EXPECT_NEAR((lower + upper) / both, 1, 1e-6) << mode;
        EXPECT_GT(lower, 0.3 * both) << mode;
        EXPECT_GT(upper, 0.3 * both) << mode;
    }
    const auto text = calc({"sweep", "coupled-microstrip", "W=0.5", "S=0.25", "h=0.6", "t=0.035", "er=3.66",
                            "--from", "1e9", "--to", "2e9", "--points", "2"});
    ASSERT_EQ(text.exit, 0) << text.err;
    EXPECT_NE(text.out.find("\nf_Hz even_R_ohm_per_m "), std::string::npos);
    EXPECT_NE(text.out.find(" odd_R_ohm_per_m "), std::string::npos);
    EXPECT_NE(text.out.find("odd_delay_ps_per_m"), std::string::npos);
}

TEST(FrequencyCli, ExportsWriteTouchstoneAndSpiceFiles)
{
    const std::string s2p = tempPath("linha.s2p"), s4p = tempPath("par.S4P"), cir = tempPath("linha.cir");
    const auto t = calc(with(with({"export"}, coax),
                             {"--length", "0.25", "--from", "1e9", "--to", "3e9", "--points", "3", "--touchstone", s2p}));
    ASSERT_EQ(t.exit, 0) << t.err;
    const std::string text = slurp(s2p);
    EXPECT_NE(text.find("# Hz S RI R 50\n"), std::string::npos);
    EXPECT_NE(text.find("\n3000000000 "), std::string::npos);
    const auto p = calc({"export", "coupled-microstrip", "W=0.5", "S=0.25", "h=0.6", "t=0.035", "er=3.66", "--length",
                         "0.1", "--from", "1e9", "--to", "2e9", "--points", "2", "--zref", "75", "--touchstone", s4p});
    ASSERT_EQ(p.exit, 0) << p.err;
    EXPECT_NE(slurp(s4p).find("# Hz S RI R 75\n"), std::string::npos);
    EXPECT_NE(slurp(s4p).find("1 linha 1 entrada, 2 linha 1 saída, 3 linha 2 entrada, 4 linha 2 saída"),
              std::string::npos);
    const auto s = calc(with(with({"export"}, coax),
                             {"--length", "0.25", "--from", "1e9", "--to", "3e9", "--points", "3", "--spice", cir}));
    ASSERT_EQ(s.exit, 0) << s.err;
    EXPECT_NE(slurp(cir).find(".subckt tarvel_line p1 p2 ref\n"), std::string::npos);
    EXPECT_NE(slurp(cir).find(".ends tarvel_line\n"), std::string::npos);
    for (const auto& path : {s2p, s4p, cir})
        std::remove(path.c_str());
}

// Each refusal: exit 2, a message naming what is wrong, no file.
TEST(FrequencyCli, BadInputIsRefusedAndLeavesNoFile)
{
    const std::string out = tempPath("recusa.s2p");
    const std::vector<std::string> band = {"--from", "1e9", "--to", "2e9", "--points", "3"};
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {with(with({"export"}, coax), {"--from", "0", "--to", "2e9", "--points", "3"}), "frequência"},
        {with(with({"export"}, coax), {"--from", "-1e9", "--to", "2e9", "--points", "3"}), "frequência"},
        {with(with({"export"}, coax), {"--from", "1e9", "--to", "9e10", "--points", "3"}), "limite"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "sigma=0"}, band), "sigma"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "sigma=-5"}, band), "sigma"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "tand=-1e-3"}, band), "tanδ"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "rq=-1", "roughness=hammerstad"}, band), "rugosidade"},
        {with(with({"export"}, coax), {"--from", "1e9", "--to", "2e9", "--points", "100001"}), "pontos"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "--length", "0"}, band), "comprimento"},
        {with({"export", "coax", "d=1", "D=3", "er=2", "--length", "-0.1"}, band), "comprimento"},
        {with({"export", "microstrip", "W=1", "h=0.5", "t=0", "er=4", "sigma=5.8e7"}, band), "espessura"},
        {with({"export", "coax", "d=1", "D=3", "er=x"}, band), "er"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        bool hasLength = false;
        for (const auto& a : args)
            hasLength = hasLength || a == "--length";
        if (!hasLength)
            args = with(args, {"--length", "0.1"});
        const auto r = calc(with(args, {"--touchstone", out}));
        EXPECT_EQ(r.exit, 2) << c.says << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(slurp(out).empty()) << c.says;
        // The sweep refuses the same inputs alike.
        std::vector<std::string> sweep = args;
        sweep[0] = "sweep";
        for (std::size_t k = 0; k < sweep.size(); ++k)
            if (sweep[k] == "--length") {
                sweep.erase(sweep.begin() + long(k), sweep.begin() + long(k) + 2);
                break;
            }
        if (std::string(c.says) != "comprimento") {
            EXPECT_EQ(calc(sweep).exit, 2) << c.says;
        }
    }
    const auto r = calc(with(with({"export"}, coax), with(band, {"--length", "0.1", "--touchstone", "/nenhuma/pasta/x.s2p"})));
    EXPECT_EQ(r.exit, 2);
    EXPECT_NE(r.err.find("/nenhuma/pasta/x.s2p"), std::string::npos);
    const auto wrong = calc(with(with({"export"}, coax), with(band, {"--length", "0.1", "--touchstone", tempPath("x.s4p")})));
    EXPECT_EQ(wrong.exit, 2);
    EXPECT_NE(wrong.err.find(".s2p"), std::string::npos);
}

// field --freq: the analysis and the line at the frequency from one solve;
// L with the internal inductance replaces the static one; a pair's matrices
// and modes; loss parameters without --freq and an asymmetric pair refused.
TEST(FrequencyCli, FieldAtAFrequency)
{
    const std::vector<std::string> strip = {"field", "microstrip", "W=1.1", "h=0.6", "t=0.035", "er=3.66"};
    const auto statics = calc(with(strip, {"--json"}));
    const auto lossy = calc(with(strip, {"tand=0.004", "sigma=5.8e7", "--freq", "1e9", "--json"}));
    ASSERT_EQ(lossy.exit, 0) << lossy.err;
    const auto a = tarvel::json::parse(statics.out), b = tarvel::json::parse(lossy.out);
    ASSERT_TRUE(a.ok && b.ok) << lossy.out;
    EXPECT_EQ(num(a.value.find("Z0")), num(b.value.find("Z0")));
    EXPECT_EQ(num(b.value.find("solves")), 1);
    for (const char* key : {"R_ohm_per_m", "G_S_per_m", "alpha_c_dB_per_m", "alpha_d_dB_per_m", "alpha_dB_per_m",
                            "beta_rad_per_m", "Zc"})
        EXPECT_TRUE(b.value.find(key)) << key;
    EXPECT_GT(num(b.value.find("L_nH_per_m")), num(a.value.find("L_nH_per_m")) * 1.001);
    EXPECT_NEAR(num(b.value.find("alpha_dB_per_m")),
                num(b.value.find("alpha_c_dB_per_m")) + num(b.value.find("alpha_d_dB_per_m")), 1e-3);
    const auto pair = calc({"field", "coupled-microstrip", "W=0.5", "S=0.25", "h=0.6", "t=0.035", "er=3.66", "c1=0.02",
                            "c2=0.02", "cer=3.5", "tand=0.004", "ctand=0.02", "sigma=5.8e7", "--freq", "5e9", "--json"});
    ASSERT_EQ(pair.exit, 0) << pair.err;
    const auto p = tarvel::json::parse(pair.out);
    ASSERT_TRUE(p.ok);
    ASSERT_TRUE(p.value.find("even") && p.value.find("odd"));
    EXPECT_EQ(p.value.find("R_ohm_per_m")->items.size(), 2u);
    EXPECT_GT(num(p.value.find("odd")->find("alpha_c_dB_per_m")), num(p.value.find("even")->find("alpha_c_dB_per_m")));
    const auto noFreq = calc(with(strip, {"sigma=5.8e7"}));
    EXPECT_EQ(noFreq.exit, 64);
    EXPECT_NE(noFreq.err.find("--freq"), std::string::npos);
    const auto badF = calc(with(strip, {"--freq", "-1"}));
    EXPECT_EQ(badF.exit, 2);
    const auto beyond = calc(with(strip, {"--freq", "2e10"}));
    EXPECT_EQ(beyond.exit, 2);
    EXPECT_NE(beyond.err.find("limite"), std::string::npos);
}

// An asymmetric broadside pair: its matrices and its c and pi modes at a
// frequency, their columns in a sweep, and its four ports exported.
TEST(FrequencyCli, AsymmetricPairHasItsCAndPiModes)
{
    const std::vector<std::string> pair = {"broadside-stripline", "W=0.2", "h1=0.2", "h2=0.45", "offset=0.1",
                                           "sigma=5.8e7", "tand=0.01"};
    const auto field = calc(with(with({"field"}, pair), {"--freq", "1e9", "--json"}));
    ASSERT_EQ(field.exit, 0) << field.err;
    const auto f = tarvel::json::parse(field.out);
    ASSERT_TRUE(f.ok) << field.out;
    EXPECT_EQ(num(f.value.find("solves")), 1);
    ASSERT_TRUE(f.value.find("c") && f.value.find("pi")) << field.out;
    EXPECT_FALSE(f.value.find("even"));
    EXPECT_EQ(f.value.find("R_ohm_per_m")->items.size(), 2u);
    const auto* c = f.value.find("c")->find("V2_over_V1");
    const auto* pi = f.value.find("pi")->find("V2_over_V1");
    ASSERT_TRUE(c && pi && c->items.size() == 2 && pi->items.size() == 2);
    EXPECT_GT(num(&c->items[0]), 0);
    EXPECT_LT(num(&pi->items[0]), 0);
    const auto csv = calc(with(with({"sweep"}, pair), {"--from", "1e9", "--to", "2e9", "--points", "2", "--csv"}));
    ASSERT_EQ(csv.exit, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("f_Hz,c_R_ohm_per_m,", 0), 0u) << csv.out;
    EXPECT_NE(csv.out.find(",c_V2_over_V1_re,c_V2_over_V1_im,pi_R_ohm_per_m,"), std::string::npos);
    const std::string s4p = tempPath("assimetrico.s4p");
    const auto e = calc(with(with({"export"}, pair),
                             {"--length", "0.1", "--from", "1e9", "--to", "2e9", "--points", "2", "--touchstone", s4p}));
    ASSERT_EQ(e.exit, 0) << e.err;
    EXPECT_NE(slurp(s4p).find("\n2000000000 "), std::string::npos);
    std::remove(s4p.c_str());
}

// A loss value that cannot be is refused on the command line in the words
// of the designer window and its project files: one reader serves them all.
TEST(FrequencyCli, LossRefusalsSayWhatTheWindowSays)
{
    using Texts = std::vector<std::pair<std::string, std::string>>;
    const std::vector<std::string> line = {"field", "coupled-stripline", "W=0.3", "S=0.2", "t=0.035", "h1=0.5",
                                           "h2=0.4", "er1=3", "er2=4", "--freq", "1e9"};
    for (const Texts& texts : {Texts{{"sigma", "abc"}}, Texts{{"sigma", "0"}}, Texts{{"tand2", "-0.01"}},
                               Texts{{"tand1", "1e999"}}, Texts{{"roughness", "lixa"}},
                               Texts{{"roughness", "hammerstad"}, {"rq", "-2"}},
                               Texts{{"roughness", "huray"}, {"rnod", "0"}}}) {
        tarvel::fieldsolve::LossInputs in;
        const std::string says = tarvel::fieldsolve::lossesOf(
            tarvel::fieldsolve::exampleDesign(tarvel::fieldsolve::Template::CoupledStripline), texts, in);
        ASSERT_FALSE(says.empty()) << texts.back().first;
        std::vector<std::string> args = line;
        for (const auto& [name, text] : texts)
            args.push_back(name + "=" + text);
        const auto r = calc(args);
        EXPECT_EQ(r.exit, 2) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << says << " / " << r.err;
    }
}
