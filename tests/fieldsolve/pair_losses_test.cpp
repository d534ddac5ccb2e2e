// SPDX-License-Identifier: GPL-3.0-or-later
// The losses of a pair in general (by its matrices, the asymmetric
// broadside pair's way): the general path against the even and odd modes
// of symmetric pairs, algebraically and solved both ways; two strips far
// apart as two single striplines; the modes' kinds.
#include <cmath>
#include <complex>

#include <gtest/gtest.h>

#include "valid_design.h"

#include "fieldsolve/design_losses.h"
#include "fieldsolve/line_export.h"
#include "fieldsolve/rlgc.h"

using namespace tarvel::fieldsolve;
using tarvel::fieldsolve::testing::validDesign;

namespace {

constexpr double kCopper = 5.8e7;

LossInputs inputs(const Design& d, double sigma, double tand, Roughness roughness = Roughness::None,
                  bool mixed = false)
{
    LossInputs in;
    in.metal[0].sigma = in.metal[1].sigma = sigma;
    in.metal[0].roughness = in.metal[1].roughness = roughness;
    in.metal[0].rq = in.metal[1].rq = 1e-6;
    in.metal[1].ratio = in.metal[0].ratio = 2;
    in.tand = std::vector<double>(designTandNames(d).size(), tand);
    // A second layer of another tangent, where there is one.
    if (mixed && in.tand.size() > 1)
        in.tand.back() = 3 * tand;
    return in;
}

LineModel modelOf(const LossSolution& s, const LossInputs& in)
{
    EXPECT_TRUE(s.statics.ok) << s.statics.failure;
    std::string failure;
    LineModel m = lineModel(s, in, failure);
    EXPECT_EQ(failure, "");
    return m;
}

double relative(double a, double b) { return std::fabs(a - b) / std::max(std::fabs(a), std::fabs(b)); }
double relative(std::complex<double> a, std::complex<double> b) { return std::abs(a - b) / std::max(std::abs(a), std::abs(b)); }

// Every quantity of two modes alike within `tol` (relative).
void expectModesEqual(const ModeAt& a, const ModeAt& b, double tol, const std::string& what)
{
    EXPECT_LT(relative(a.r, b.r), tol) << what << " R " << a.r << " " << b.r;
    EXPECT_LT(relative(a.l, b.l), tol) << what << " L";
    if (a.g > 0 || b.g > 0) {
        EXPECT_LT(relative(a.g, b.g), tol) << what << " G " << a.g << " " << b.g;
    }
    EXPECT_LT(relative(a.c, b.c), tol) << what << " C";
    EXPECT_LT(relative(a.zc, b.zc), tol) << what << " Zc " << a.zc << " " << b.zc;
    EXPECT_LT(relative(a.gamma.imag(), b.gamma.imag()), tol) << what << " beta";
    EXPECT_LT(relative(a.alpha(), b.alpha()), tol) << what << " alpha " << a.alpha() << " " << b.alpha();
    EXPECT_LT(relative(a.alphaC, b.alphaC), tol) << what << " alpha_c";
    if (a.alphaD > 0 || b.alphaD > 0) {
        EXPECT_LT(relative(a.alphaD, b.alphaD), tol) << what << " alpha_d";
    }
    EXPECT_LT(relative(a.delay, b.delay), 1e3 * tol) << what << " delay";
    EXPECT_LT(relative(a.ratio, b.ratio), tol) << what << " V2/V1 " << a.ratio << " " << b.ratio;
}

} // namespace

// The general path (the pair's matrices, the eigenvectors of Z Y) given a
// symmetric pair's matrices is its even and odd modes, to rounding: every
// quantity, with the DC join, roughness and layers of two tangents, at
// frequencies where DC, the join and the skin effect each dominate.
TEST(PairLosses, GeneralPathIsTheEvenAndOddModesOfASymmetricPair)
{
    struct Case {
        Design d;
        Roughness roughness;
    } cases[] = {
        {validDesign(Template::CoupledMicrostrip, {{"W", 0.4}, {"S", 0.25}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}}),
         Roughness::Hammerstad},
        {validDesign(Template::CoupledStripline,
                {{"W", 0.3}, {"S", 0.2}, {"t", 0.035}, {"h1", 0.3}, {"h2", 0.4}, {"er1", 3.0}, {"er2", 3.6}}),
         Roughness::Huray},
        {validDesign(Template::BroadsideStripline, {{"W", 0.2}, {"t", 0.035}, {"h1", 0.3}, {"d", 0.2}, {"h2", 0.3}}),
         Roughness::None},
    };
    for (const Case& c : cases) {
        const LineModel m =
            modelOf(solveLosses(designSection(c.d), designLossFrame(c.d)), inputs(c.d, kCopper, 0.02, c.roughness, true));
        ASSERT_FALSE(m.general);
        const LineModel g = generalForm(m);
        ASSERT_TRUE(g.general);
        for (double f : {1e3, 1e6, 1e8, 5e9}) {
            const std::string what = c.d.info().name + " at " + std::to_string(f);
            const LineAt a = evaluate(m, f), b = evaluate(g, f);
            ASSERT_EQ(b.modes.size(), 2u);
            EXPECT_TRUE(b.general);
            expectModesEqual(a.modes[0], b.modes[0], 1e-9, what + " even");
            expectModesEqual(a.modes[1], b.modes[1], 1e-9, what + " odd");
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j) {
                    EXPECT_NEAR(a.r[i][j], b.r[i][j], 1e-9 * a.r[0][0]) << what;
                    EXPECT_NEAR(a.l[i][j], b.l[i][j], 1e-9 * a.l[0][0]) << what;
                    EXPECT_NEAR(a.c[i][j], b.c[i][j], 1e-9 * a.c[0][0]) << what;
                    EXPECT_NEAR(a.g[i][j], b.g[i][j], 1e-9 * a.g[0][0]) << what;
                }
            // And the four ports from the matrices are those of the modes.
            const S4 even = pairS(a.modes[0], a.modes[1], 0.07, 50), general = pairS(b, 0.07, 50);
            for (std::size_t p = 0; p < 4; ++p)
                for (std::size_t q = 0; q < 4; ++q)
                    EXPECT_NEAR(std::abs(even[p][q] - general[p][q]), 0, 1e-9) << what << " S" << p + 1 << q + 1;
        }
    }
}

// A symmetric broadside pair solved as an asymmetric one is (three
// excitations on the whole section): the same pair as its even and odd
// modes on a quarter of it, within the two solutions' estimates.
TEST(PairLosses, SymmetricPairSolvedByStripVoltagesIsItsModes)
{
    const Design d = validDesign(Template::BroadsideStripline, {{"W", 0.25}, {"t", 0.035}, {"h1", 0.3}, {"d", 0.15}, {"h2", 0.3}});
    const LossInputs in = inputs(d, kCopper, 0.01, Roughness::Hammerstad);
    const LossSolution byModes = solveLosses(designSection(d), designLossFrame(d));
    const LossSolution byVoltages = solveLosses(matrixSection(d), matrixLossFrame(d));
    const LineModel a = modelOf(byModes, in), b = modelOf(byVoltages, in);
    ASSERT_TRUE(b.general);
    const double tol = 2 * (byModes.surfaceError + byVoltages.surfaceError + a.error + b.error) + 2e-3;
    for (double f : {1e7, 1e9, 1e10}) {
        const LineAt x = evaluate(a, f), y = evaluate(b, f);
        for (int k = 0; k < 2; ++k) {
            const std::string what = "mode " + std::to_string(k) + " at " + std::to_string(f);
            EXPECT_NEAR(y.modes[k].alpha() / x.modes[k].alpha(), 1, tol) << what;
            EXPECT_NEAR(y.modes[k].beta() / x.modes[k].beta(), 1, tol) << what;
            EXPECT_LT(relative(y.modes[k].zc, x.modes[k].zc), tol) << what;
            EXPECT_NEAR(y.modes[k].ratio.real(), k == 0 ? 1 : -1, tol) << what;
        }
        EXPECT_NEAR(y.r[0][1], x.r[0][1], tol * x.r[0][0]) << f;
        EXPECT_NEAR(y.r[1][1] / x.r[1][1], 1, tol) << f;
    }
}

// Strips far apart are two striplines: each strip's R, L, C and each
// mode's attenuation are those of a single stripline at the strip's
// height, within the estimates; the modes each live on one strip.
TEST(PairLosses, DistantStripsAreTwoStriplines)
{
    const double W = 0.2, t = 0.035, h1 = 0.2, dd = 0.15, h2 = 0.35, er = 3.5;
    const double b = h1 + 2 * t + dd + h2;
    const Design pair = validDesign(Template::BroadsideStripline,
                               {{"W", W}, {"t", t}, {"h1", h1}, {"d", dd}, {"h2", h2}, {"er", er}, {"offset", 12 * b}});
    const Design lower = validDesign(Template::Stripline,
                                {{"W", W}, {"t", t}, {"h1", h1}, {"h2", dd + t + h2}, {"er1", er}, {"er2", er}});
    const Design upper = validDesign(Template::Stripline,
                                {{"W", W}, {"t", t}, {"h1", h1 + t + dd}, {"h2", h2}, {"er1", er}, {"er2", er}});
    const LossSolution sp = solveLosses(designSection(pair), designLossFrame(pair));
    const LossSolution s1 = solveLosses(designSection(lower), designLossFrame(lower));
    const LossSolution s2 = solveLosses(designSection(upper), designLossFrame(upper));
    const LineModel p = modelOf(sp, inputs(pair, kCopper, 0.004));
    const LineModel one = modelOf(s1, inputs(lower, kCopper, 0.004)), two = modelOf(s2, inputs(upper, kCopper, 0.004));
    ASSERT_TRUE(p.general);
    for (double f : {1e6, 2e9}) {
        const LineAt a = evaluate(p, f), x = evaluate(one, f), y = evaluate(two, f);
        const std::string what = std::to_string(f);
        const double tol = 2 * (sp.surfaceError + s1.surfaceError + s2.surfaceError) + 3e-3;
        EXPECT_NEAR(a.r[0][0] / x.modes[0].r, 1, tol) << what;
        EXPECT_NEAR(a.r[1][1] / y.modes[0].r, 1, tol) << what;
        EXPECT_NEAR(a.l[0][0] / x.modes[0].l, 1, tol) << what;
        EXPECT_NEAR(a.c[1][1] / y.modes[0].c, 1, tol) << what;
        // (the mutual resistance from three extrapolated integrals: to their estimate)
        EXPECT_LT(std::fabs(a.r[0][1]) / a.r[0][0], 1e-5) << what;
        EXPECT_LT(std::fabs(a.c[0][1]) / a.c[0][0], 1e-6) << what;
        // Each mode on its own strip.
        const bool lowerFirst = std::abs(a.modes[0].ratio) < 1;
        const ModeAt &onLower = a.modes[lowerFirst ? 0 : 1], &onUpper = a.modes[lowerFirst ? 1 : 0];
        EXPECT_LT(std::abs(onLower.ratio), 1e-3) << what;
        EXPECT_GT(std::abs(onUpper.ratio), 1e3) << what;
        EXPECT_NEAR(onLower.alpha() / x.modes[0].alpha(), 1, tol) << what;
        EXPECT_NEAR(onUpper.alpha() / y.modes[0].alpha(), 1, tol) << what;
        EXPECT_LT(relative(onLower.zc, x.modes[0].zc), tol) << what;
        EXPECT_LT(relative(onUpper.zc, y.modes[0].zc), tol) << what;
    }
}

// An asymmetric pair's modes: the c mode's voltages in phase, the pi
// mode's in opposition; with loss they differ in attenuation. With no
// loss at all they travel alike and are the lossless analysis's drives:
// both strips at one voltage, and equal and opposite currents.
TEST(PairLosses, AsymmetricPairModesAreTheCAndPiModes)
{
    const Design d = validDesign(Template::BroadsideStripline,
                            {{"W", 0.2}, {"t", 0.035}, {"h1", 0.2}, {"d", 0.15}, {"h2", 0.45}, {"offset", 0.1}});
    const LossSolution s = solveLosses(designSection(d), designLossFrame(d));
    ASSERT_TRUE(s.statics.ok);
    const LineModel lossy = modelOf(s, inputs(d, kCopper, 0.01));
    const LineModel lossless = modelOf(s, inputs(d, HUGE_VAL, 0));
    const LineModel metalOnly = modelOf(s, inputs(d, kCopper, 0));
    for (double f : {1e8, 5e9}) {
        // No dielectric loss: none in either mode, though their voltages
        // are not quite in phase.
        for (const ModeAt& m : evaluate(metalOnly, f).modes) {
            EXPECT_EQ(m.g, 0) << f;
            EXPECT_EQ(m.alphaD, 0) << f;
            EXPECT_NE(m.ratio.imag(), 0) << f;
        }
        const LineAt a = evaluate(lossy, f);
        ASSERT_EQ(a.modes.size(), 2u);
        EXPECT_GT(a.modes[0].ratio.real(), 0);
        EXPECT_LT(a.modes[1].ratio.real(), 0);
        EXPECT_GT(std::fabs(a.modes[0].alpha() - a.modes[1].alpha()), 1e-3 * a.modes[1].alpha());
        // The matrices are reciprocal.
        EXPECT_EQ(a.r[0][1], a.r[1][0]);
        EXPECT_EQ(a.l[0][1], a.l[1][0]);
        const LineAt b = evaluate(lossless, f);
        EXPECT_EQ(b.modes[0].ratio, std::complex<double>(1));
        // Equal and opposite currents: I = Z^-1 V gamma sums to nothing.
        const std::complex<double> v1 = 1, v2 = b.modes[1].ratio;
        const double l11 = b.l[0][0], l12 = b.l[0][1], l22 = b.l[1][1], det = l11 * l22 - l12 * l12;
        const std::complex<double> i1 = (l22 * v1 - l12 * v2) / det, i2 = (-l12 * v1 + l11 * v2) / det;
        EXPECT_LT(std::abs(i1 + i2), 1e-9 * std::abs(i1));
        EXPECT_NEAR(b.modes[0].beta(), b.modes[1].beta(), 1e-12 * b.modes[0].beta());
        EXPECT_EQ(b.modes[0].alpha(), 0);
    }
}
