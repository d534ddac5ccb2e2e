// SPDX-License-Identifier: GPL-3.0-or-later
// The dimension sweep of the engine: each point is the design's own
// analysis (and line at the frequency) at that value; what it refuses is
// refused before anything is solved, naming the value in the user's unit;
// an asymmetric pair's points all have the c and pi modes.
#include <atomic>
#include <cmath>

#include <gtest/gtest.h>

#include "valid_design.h"

#include "fieldsolve/dimension_sweep.h"

using namespace tarvel::fieldsolve;
using tarvel::fieldsolve::testing::validDesign;

namespace {

SweepFrequency copperAt(double f, std::vector<std::pair<std::string, double>> tands)
{
    SweepFrequency s;
    s.f = f;
    s.metal[0].sigma = s.metal[1].sigma = 5.8e7;
    s.tands = std::move(tands);
    return s;
}

} // namespace

// Each point is what the design solved alone at that value gives, to the
// last bit: the analysis without a frequency, and with one the line from
// the same solve as field --freq makes it.
TEST(DimensionSweep, EachPointIsTheDesignSolvedAtItsValue)
{
    const Design d = validDesign(Template::Microstrip, {{"W", 1.0}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}});
    const std::vector<double> values = {0.6, 1.2};
    int heard = 0;
    const DimensionSweep plain = sweepDimension(d, "W", values, std::nullopt, Unit::Mm, nullptr, [&](int n) { heard = n; });
    ASSERT_EQ(plain.failure, "");
    ASSERT_EQ(plain.points.size(), 2u);
    EXPECT_EQ(heard, 2);
    const SweepFrequency f = copperAt(3e9, {{"tand", 0.02}});
    const DimensionSweep lossy = sweepDimension(d, "W", values, f);
    ASSERT_EQ(lossy.failure, "");
    for (std::size_t k = 0; k < values.size(); ++k) {
        Design alone = d;
        alone.set("W", values[k]);
        const Analysis a = analyse(alone);
        EXPECT_EQ(plain.points[k].value, values[k]);
        EXPECT_EQ(plain.points[k].analysis.z0, a.z0);
        EXPECT_EQ(plain.points[k].analysis.eeff, a.eeff);
        EXPECT_FALSE(plain.points[k].at);
        const LossSolution s = solveLosses(designSection(alone), designLossFrame(alone));
        std::string failure;
        const LineModel m = lineModel(s, designLossInputs(alone, f.metal, f.tands), failure);
        ASSERT_EQ(failure, "");
        const LineAt at = evaluate(m, f.f);
        ASSERT_TRUE(lossy.points[k].at);
        EXPECT_EQ(lossy.points[k].at->modes[0].gamma, at.modes[0].gamma);
        EXPECT_EQ(lossy.points[k].at->modes[0].zc, at.modes[0].zc);
        EXPECT_EQ(lossy.points[k].analysis.z0, a.z0);
        EXPECT_GT(lossy.points[k].at->modes[0].alphaD, 0);
    }
    // Wider strips: lower impedance.
    EXPECT_LT(plain.points[1].analysis.z0, plain.points[0].analysis.z0);
}

// Refused before any solve, the value written in the unit given.
TEST(DimensionSweep, RefusesBeforeSolvingAndNamesTheValue)
{
    const Design d = validDesign(Template::Microstrip, {{"W", 1.0}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}});
    struct Case {
        std::string name;
        std::vector<double> values;
        std::optional<SweepFrequency> f;
        Unit unit;
        std::string says;
    } cases[] = {
        {"X", {1.0}, std::nullopt, Unit::Mm, "A dimensão X não existe em microstrip."},
        {"er", {1.0}, std::nullopt, Unit::Mm, "não é uma dimensão"},
        {"W", {0.254, -0.254}, std::nullopt, Unit::Mil, "Com W = -10.000000: "},
        {"h", {0.5, 0.0}, std::nullopt, Unit::Mm, "Com h = 0.000000: "},
        {"W", {1.0, 2.0}, copperAt(1e12, {}), Unit::Mm, "Com W = 1.000000: frequência acima do limite"},
        {"t", {0.035, 0.0}, copperAt(1e9, {}), Unit::Mm, "Com t = 0.000000: perda no condutor exige espessura"},
        {"W", {1.0}, copperAt(1e9, {{"tand", -1}}), Unit::Mm, "tanδ"},
        {"W", std::vector<double>(kMaxPoints + 1, 1.0), std::nullopt, Unit::Mm, "número de pontos"},
        {"W", {}, std::nullopt, Unit::Mm, "número de pontos"},
    };
    for (const Case& c : cases) {
        int solves = 0;
        const DimensionSweep s = sweepDimension(d, c.name, c.values, c.f, c.unit, nullptr, [&](int) { ++solves; });
        EXPECT_TRUE(s.refused) << c.says;
        EXPECT_NE(s.failure.find(c.says), std::string::npos) << s.failure;
        EXPECT_TRUE(s.points.empty());
        EXPECT_EQ(solves, 0) << c.says;
    }
    // A cancelled sweep says so and keeps nothing.
    std::atomic<bool> cancel{true};
    const DimensionSweep cancelled = sweepDimension(d, "W", {1.0, 2.0}, std::nullopt, Unit::Mm, &cancel);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.points.empty());
}

// A broadside pair swept from aligned to shifted strips: with a frequency
// every point is solved by the strips' voltages, so that every point has
// the c and pi modes; the aligned point's modes are its even and odd ones.
TEST(DimensionSweep, AnAsymmetricPairHasTheSameModesAtEveryPoint)
{
    const Design d = exampleDesign(Template::BroadsideStripline);
    const DimensionSweep s = sweepDimension(d, "offset", {0.0, 0.15}, copperAt(1e9, {{"tand", 0.01}}));
    ASSERT_EQ(s.failure, "");
    ASSERT_EQ(s.points.size(), 2u);
    for (const DimensionPoint& p : s.points) {
        ASSERT_TRUE(p.at);
        EXPECT_TRUE(p.at->general);
    }
    const LineAt& aligned = *s.points[0].at;
    EXPECT_NEAR(aligned.modes[0].ratio.real(), 1, 1e-3);
    EXPECT_NEAR(aligned.modes[1].ratio.real(), -1, 1e-3);
    // The aligned pair's analysis as the even and odd modes give it.
    const Analysis modes = analyse(d);
    EXPECT_NEAR(s.points[0].analysis.z0e / modes.z0e, 1, 2 * (modes.error + s.points[0].analysis.error));
    EXPECT_NEAR(s.points[0].analysis.z0o / modes.z0o, 1, 2 * (modes.error + s.points[0].analysis.error));
    // Without a frequency each point is solved its own way.
    const DimensionSweep lossless = sweepDimension(d, "offset", {0.0, 0.15}, std::nullopt);
    ASSERT_EQ(lossless.failure, "");
    EXPECT_TRUE(lossless.points[0].analysis.symmetric);
    EXPECT_FALSE(lossless.points[1].analysis.symmetric);
}
