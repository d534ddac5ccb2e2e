// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of a line: scattering parameters of a lossless, a matched, a
// lossy line and a pair (phase, reciprocity, passivity), the Touchstone
// text in any locale, the SPICE subcircuit simulated by ngspice against
// the line's own transfer, and the atomic write.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "fieldsolve/design_losses.h"
#include "fieldsolve/line_export.h"

using namespace tarvel::fieldsolve;

namespace {

constexpr double kPi = 3.14159265358979323846;

ModeAt lossless(double z0, double eeff, double f)
{
    ModeAt a;
    a.zc = z0;
    a.gamma = Complex(0, 2 * kPi * f * std::sqrt(eeff) / kLight);
    return a;
}

// The model of a solved line, copper and a lossy laminate.
LineModel solvedModel(const Geometry& g, double tand)
{
    LossInputs in;
    in.metal[0].sigma = in.metal[1].sigma = 5.8e7;
    in.tand = {tand};
    std::string failure;
    LineModel m = lineModel(solveLosses(g), in, failure);
    EXPECT_EQ(failure, "");
    return m;
}

Geometry microstrip()
{
    Geometry g;
    g.structure = Structure::Microstrip;
    g.w = 1.1;
    g.h = 0.6;
    g.t = 0.035;
    g.er = 3.66;
    return g;
}

Geometry pair()
{
    Geometry g = microstrip();
    g.structure = Structure::CoupledMicrostrip;
    g.w = 0.5;
    g.s = 0.25;
    return g;
}

// Whether |S a| <= |a| for the unit vectors and their sums and differences.
template <std::size_t N>
bool passive(const std::array<std::array<Complex, N>, N>& s)
{
    for (std::size_t p = 0; p < N; ++p)
        for (std::size_t q = p; q < N; ++q)
            for (const Complex w : {Complex(0, 0), Complex(1, 0), Complex(-1, 0), Complex(0, 1)}) {
                std::array<Complex, N> a{};
                a[p] = 1;
                a[q] += w;
                double in = 0, out = 0;
                for (std::size_t i = 0; i < N; ++i) {
                    Complex b = 0;
                    for (std::size_t j = 0; j < N; ++j)
                        b += s[i][j] * a[j];
                    in += std::norm(a[i]);
                    out += std::norm(b);
                }
                if (out > in * (1 + 1e-12))
                    return false;
            }
    return true;
}

} // namespace

TEST(LineExport, LosslessLineHasUnitTransmissionAndPhaseMinusBetaL)
{
    for (const auto& [z0, zref] : {std::pair{50.0, 50.0}, {75.0, 50.0}, {28.0, 100.0}}) {
        const double f = 2.4e9, length = 0.137;
        const ModeAt a = lossless(z0, 3.1, f);
        const S2 s = lineS(a.zc, a.gamma, length, zref);
        EXPECT_NEAR(std::norm(s[0][0]) + std::norm(s[1][0]), 1, 1e-12);
        if (z0 == zref) {
            EXPECT_NEAR(std::abs(s[1][0]), 1, 1e-12);
            EXPECT_NEAR(std::abs(s[0][0]), 0, 1e-12);
            const double phase = std::remainder(-a.beta() * length - std::arg(s[1][0]), 2 * kPi);
            EXPECT_NEAR(phase, 0, 1e-9);
        }
        EXPECT_EQ(s[0][1], s[1][0]);
    }
}

TEST(LineExport, LossyLineAndPairAreReciprocalAndPassive)
{
    const LineModel one = solvedModel(microstrip(), 0.02), two = solvedModel(pair(), 0.02);
    for (double f : {1e8, 3e9, 2e10}) {
        const LineAt a = evaluate(one, f), b = evaluate(two, f);
        const S2 s = lineS(a.modes[0].zc, a.modes[0].gamma, 0.05, 50);
        EXPECT_TRUE(passive(s));
        // Matched to its own (complex) impedance, a lossy line reflects nothing.
        const S2 matched = lineS(a.modes[0].zc, a.modes[0].gamma, 0.05, a.modes[0].zc.real());
        EXPECT_LT(std::abs(matched[0][0]), std::abs(a.modes[0].zc.imag()) / a.modes[0].zc.real());
        EXPECT_NEAR(std::abs(matched[1][0]), std::exp(-a.modes[0].alpha() * 0.05), 1e-3);
        const S4 p = pairS(b.modes[0], b.modes[1], 0.05, 50);
        EXPECT_TRUE(passive(p));
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = 0; j < 4; ++j)
                EXPECT_NEAR(std::abs(p[i][j] - p[j][i]), 0, 1e-15);
        // The pair's coupling: line 2 near end hears line 1's drive.
        EXPECT_GT(std::abs(p[2][0]), 1e-3);
    }
}

namespace {

// An asymmetric broadside pair (lower strip nearer its plane, the upper
// one shifted), copper, a lossy laminate; or with no loss at all.
LineModel asymmetricPair(bool lossy)
{
    Design d = exampleDesign(Template::BroadsideStripline);
    d.set("h1", 0.2);
    d.set("h2", 0.45);
    d.set("offset", 0.12);
    EXPECT_EQ(checkDesign(d), "");
    LossInputs in;
    if (lossy)
        in.metal[0].sigma = in.metal[1].sigma = 5.8e7;
    in.tand = {lossy ? 0.02 : 0.0};
    std::string failure;
    LineModel m = lineModel(solveLosses(designSection(d), designLossFrame(d)), in, failure);
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(m.general);
    return m;
}

} // namespace

// The four ports of an asymmetric pair, from its matrices: reciprocal and
// passive with loss, lossless (S unitary) without; the strips differ, so
// ports 1 and 3 do not see the same reflection.
TEST(LineExport, AsymmetricPairIsReciprocalPassiveAndLosslessWithoutLoss)
{
    const LineModel lossy = asymmetricPair(true), lossless = asymmetricPair(false);
    for (double f : {1e8, 3e9, 2e10}) {
        const S4 p = pairS(evaluate(lossy, f), 0.05, 50);
        EXPECT_TRUE(passive(p)) << f;
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = 0; j < 4; ++j)
                EXPECT_NEAR(std::abs(p[i][j] - p[j][i]), 0, 1e-12) << f;
        EXPECT_GT(std::abs(p[0][0] - p[2][2]), 1e-3) << f;
        EXPECT_GT(std::abs(p[2][0]), 1e-3) << f;
        // Power into port 1 leaves by the ports, less what the line loses.
        double out = 0;
        for (std::size_t i = 0; i < 4; ++i)
            out += std::norm(p[i][0]);
        EXPECT_LT(out, 1 - 1e-4) << f;
        const S4 q = pairS(evaluate(lossless, f), 0.05, 50);
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = 0; j < 4; ++j) {
                Complex sum = 0;
                for (std::size_t k = 0; k < 4; ++k)
                    sum += std::conj(q[k][i]) * q[k][j];
                EXPECT_NEAR(std::abs(sum - (i == j ? 1.0 : 0.0)), 0, 1e-9) << f << " " << i << j;
            }
    }
    // Lossless and half a wavelength long: every port sees its load again,
    // the line's own ports through (no admittance matrix exists there).
    const double f = 3e9;
    const LineAt at = evaluate(lossless, f);
    const double half = kPi / at.modes[0].beta();
    const S4 h = pairS(at, half, 50);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            EXPECT_TRUE(std::isfinite(std::abs(h[i][j]))) << i << j;
    EXPECT_NEAR(std::abs(h[1][0]), 1, 1e-9);
    EXPECT_NEAR(std::abs(h[3][2]), 1, 1e-9);
    EXPECT_NEAR(std::abs(h[0][0]), 0, 1e-9);
    // The Touchstone file of the pair: sixteen pairs of numbers per point.
    const std::string text = touchstone(sweep(lossy, {1e9, 2e9}), 0.05, 50, {});
    std::istringstream in(text);
    std::string line;
    int numbers = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '!' || line[0] == '#')
            continue;
        std::istringstream row(line);
        double x = 0;
        while (row >> x)
            ++numbers;
    }
    EXPECT_EQ(numbers, 2 * (1 + 32));
}

namespace {

// A locale that writes numbers with a decimal comma and groups thousands.
struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST(LineExport, TouchstoneTextIsTheSameInAnyLocale)
{
    const LineModel m = solvedModel(pair(), 0.01);
    const std::vector<LineAt> sw = sweep(m, frequencies(1e9, 3e9, 3, false));
    const std::string plain = touchstone(sw, 0.1, 50, {"par acoplado"});
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new Comma));
    const std::string commas = touchstone(sw, 0.1, 50, {"par acoplado"});
    std::locale::global(before);
    EXPECT_EQ(plain, commas);
    EXPECT_NE(plain.find("# Hz S RI R 50\n"), std::string::npos);
    EXPECT_NE(plain.find("! portas: 1 linha 1 entrada"), std::string::npos);
    // Three frequencies, four lines each, the first starting with the frequency.
    std::istringstream in(plain);
    std::string line;
    int data = 0;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '!' && line[0] != '#')
            ++data;
    EXPECT_EQ(data, 12);
    EXPECT_NE(plain.find("\n1000000000 "), std::string::npos);
    EXPECT_EQ(plain.find(',', plain.find("# Hz")), std::string::npos);
}

namespace {

// Runs ngspice on the subcircuit: a source of 2 V behind zref into port 1,
// every other port loaded by zref, so that each port's voltage is its
// S-parameter from port 1 (port 1's is 1 + S11). Empty when ngspice is
// missing or fails.
std::vector<Complex> simulate(const std::string& subcircuit, int ports, double f, double zref)
{
    if (std::system("command -v ngspice > /dev/null 2>&1") != 0)
        return {};
    char folder[] = "/tmp/tarvel-spice-XXXXXX";
    if (!mkdtemp(folder))
        return {};
    const std::string deck = std::string(folder) + "/deck.cir", out = std::string(folder) + "/out.txt";
    std::ofstream d(deck);
    d.imbue(std::locale::classic());
    d.precision(12);
    d << "line against its S-parameters\n" << subcircuit;
    d << "V1 s 0 AC 2\nRS s p1 " << zref << '\n';
    d << "X1";
    for (int p = 1; p <= ports; ++p)
        d << " p" << p;
    d << " 0 line\n";
    for (int p = 2; p <= ports; ++p)
        d << "RL" << p << " p" << p << " 0 " << zref << '\n';
    d << ".control\nac lin 1 " << f << ' ' << f << '\n';
    for (int p = 1; p <= ports; ++p)
        d << "print vr(p" << p << ")\nprint vi(p" << p << ")\n";
    d << ".endc\n.end\n";
    d.close();
    const std::string command = "ngspice -b " + deck + " > " + out + " 2>&1";
    std::vector<Complex> v;
    // ngspice's batch mode ends with status 1 when the deck has no
    // analysis line of its own (the control block's runs): the printed
    // values tell.
    if (std::system(command.c_str()) >= 0) {
        std::ifstream o(out);
        std::string line;
        std::vector<double> values;
        while (std::getline(o, line)) {
            const auto eq = line.find(" = ");
            if (line.rfind("v", 0) == 0 && eq != std::string::npos)
                values.push_back(std::strtod(line.c_str() + eq + 3, nullptr));
        }
        for (std::size_t k = 0; k + 1 < values.size(); k += 2)
            v.emplace_back(values[k], values[k + 1]);
    }
    std::remove(deck.c_str());
    std::remove(out.c_str());
    rmdir(folder);
    return v;
}

} // namespace

// The ladder of the SPICE file gives at its reference frequency the delay
// and the loss that gamma predicts: |S21| within 0.5 % and its phase within
// 0.5 % of beta l (the ladder's sections are a fortieth of a wavelength).
TEST(LineExport, SpiceLadderGivesTheLinesLossAndDelay)
{
    if (std::system("command -v ngspice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ngspice não instalado: a simulação do subcircuito não foi feita";
    const double f = 2e9, length = 0.1, zref = 50;
    {
        const LineModel m = solvedModel(microstrip(), 0.02);
        const ModeAt a = evaluate(m, f).modes[0];
        const S2 s = lineS(a.zc, a.gamma, length, zref);
        const std::vector<Complex> v = simulate(spiceSubcircuit(m, length, f, f, "line", {}), 2, f, zref);
        ASSERT_EQ(v.size(), 2u);
        EXPECT_NEAR(std::abs(v[1]) / std::abs(s[1][0]), 1, 5e-3);
        EXPECT_NEAR(std::remainder(std::arg(v[1]) - std::arg(s[1][0]), 2 * kPi), 0, 5e-3 * a.beta() * length);
        // The loss itself is some tenths of a decibel: the check sees it.
        EXPECT_LT(std::abs(s[1][0]), 0.97);
    }
    {
        const LineModel m = solvedModel(pair(), 0.02);
        const LineAt at = evaluate(m, f);
        const S4 s = pairS(at.modes[0], at.modes[1], length, zref);
        const std::vector<Complex> v = simulate(spiceSubcircuit(m, length, f, f, "line", {}), 4, f, zref);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_NEAR(std::abs(v[1]) / std::abs(s[1][0]), 1, 5e-3);
        EXPECT_NEAR(std::abs(v[3] - s[3][0]), 0, 5e-3);
        EXPECT_NEAR(std::abs(v[2] - s[2][0]), 0, 5e-3);
        EXPECT_NEAR(std::remainder(std::arg(v[1]) - std::arg(s[1][0]), 2 * kPi), 0,
                    5e-3 * at.modes[0].beta() * length);
    }
    {
        // An asymmetric pair: its own R, L, C, G per strip, and the mutual
        // ones, against the four ports from its modes.
        const LineModel m = asymmetricPair(true);
        const LineAt at = evaluate(m, f);
        const S4 s = pairS(at, length, zref);
        const std::vector<Complex> v = simulate(spiceSubcircuit(m, length, f, f, "line", {}), 4, f, zref);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_NEAR(std::abs(v[0] - 1.0 - s[0][0]), 0, 5e-3);
        EXPECT_NEAR(std::abs(v[1]) / std::abs(s[1][0]), 1, 5e-3);
        EXPECT_NEAR(std::abs(v[2] - s[2][0]), 0, 5e-3);
        EXPECT_NEAR(std::abs(v[3] - s[3][0]), 0, 5e-3);
        EXPECT_NEAR(std::remainder(std::arg(v[1]) - std::arg(s[1][0]), 2 * kPi), 0,
                    5e-3 * at.modes[0].beta() * length);
    }
}

TEST(LineExport, AnUnwritablePathLeavesNoFile)
{
    std::string error;
    EXPECT_FALSE(writeExport("/nonexistent-folder/linha.s2p", "x", error));
    EXPECT_NE(error.find("linha.s2p"), std::string::npos);
    char folder[] = "/tmp/tarvel-export-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string path = std::string(folder) + "/linha.s2p";
    ASSERT_TRUE(writeExport(path, "! a\n", error)) << error;
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "! a\n");
    std::remove(path.c_str());
    rmdir(folder);
    EXPECT_NE(invalidExport(0, 50), "");
    EXPECT_NE(invalidExport(0.1, -50), "");
    EXPECT_EQ(invalidExport(0.1, 50), "");
}
