// SPDX-License-Identifier: GPL-3.0-or-later
// The section solver's limits: what it reports when refinement stops
// before the tolerance, and the geometries it must refuse or still solve.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <future>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/sections.h"
#include "models/physics.h"

using namespace tarvel::fieldsolve;

namespace {

constexpr double kTolerance = 5e-4;

Geometry microstrip(double w, double h, double t, double er)
{
    Geometry g;
    g.structure = Structure::Microstrip;
    g.w = w;
    g.h = h;
    g.t = t;
    g.er = er;
    return g;
}

} // namespace

// Finer grading than the solver's own makes each mesh so large that the
// node limit stops refinement early. Before three meshes there is no
// estimate of the error, so there is no solution, and the failure names the
// limit; from three meshes on there is the best extrapolation with the
// estimate reached, which must hold against the converged solution.
TEST(SectionLimits, TheNodeLimitIsReportedAsItWasReached)
{
    const Geometry g = microstrip(1, 1, 0.035, 4.4);
    const Solution reference = solve(g);
    ASSERT_TRUE(reference.ok && reference.converged);
    ASSERT_GE(reference.levels, 4);
    struct Case {
        double growth;
        int levels;
    } cases[] = {{1.05, 2}, {1.1, 3}};
    for (const Case& c : cases) {
        MeshOptions fine;
        fine.growth = c.growth;
        const Solution s = solve(g, kTolerance, fine);
        EXPECT_EQ(s.levels, c.levels) << c.growth;
        if (c.levels < 3) {
            EXPECT_FALSE(s.ok);
            EXPECT_FALSE(s.converged);
            EXPECT_NE(s.failure.find("400000 nós"), std::string::npos) << s.failure;
            continue;
        }
        ASSERT_TRUE(s.ok) << s.failure;
        EXPECT_TRUE(std::isfinite(s.error));
        EXPECT_GT(s.error, 0);
        EXPECT_EQ(s.converged, s.error <= kTolerance);
        EXPECT_NEAR(s.single.z0 / reference.single.z0, 1, s.error + reference.error);
        EXPECT_NEAR(s.single.eeff / reference.single.eeff, 1, 2 * (s.error + reference.error));
    }
}

// A tolerance finer than six meshes can reach: a solution that says it has
// not converged, with the estimate it reached.
TEST(SectionLimits, ATightToleranceEndsUnconvergedAtTheLastMesh)
{
    const Solution s = solve(microstrip(0.5, 1, 0.035, 4.4), 1e-12);
    ASSERT_TRUE(s.ok) << s.failure;
    EXPECT_FALSE(s.converged);
    EXPECT_GT(s.error, 1e-12);
    EXPECT_LT(s.error, kTolerance);
}

namespace {

Geometry withStructure(Structure s, double w, double gap, double h, double t, double er)
{
    Geometry g = microstrip(w, h, t, er);
    g.structure = s;
    g.s = gap;
    return g;
}

Geometry roundLine(Structure s, double d, double D, double er)
{
    Geometry g;
    g.structure = s;
    g.d = d;
    g.D = D;
    g.er = er;
    return g;
}

bool finite(const LineParameters& p)
{
    return std::isfinite(p.z0) && std::isfinite(p.eeff) && std::isfinite(p.c) && std::isfinite(p.cAir);
}

} // namespace

// What no number can hold is refused by name, before any mesh; what lies
// just inside the bounds is solved with finite results. A stripline filled
// with er = 1e308 used to come out as a solution of NaN.
TEST(SectionLimits, UnrepresentableGeometriesAreRefusedByName)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using S = Structure;
    struct Case {
        Geometry g;
        const char* refusal; // nullptr: solved
    } cases[] = {
        {withStructure(S::Stripline, 1, 0, 1.6, 0.035, 1e308), "permissividade"},
        {microstrip(1, 1, 0.035, 1e7), "permissividade relativa acima de 1000000"},
        {microstrip(1, 1, 0.035, inf), "permissividade"},
        {microstrip(1, 1, 0.035, nan), "permissividade"},
        {microstrip(1, 1, 0.035, 0.5), "permissividade"},
        {microstrip(1e300, 1e300, 3.5e298, 4.4), "largura fora da faixa"},
        {microstrip(1e-12, 1e-12, 0, 4.4), "largura fora da faixa"},
        {withStructure(S::Cpw, 1, 2e9, 1, 0, 4.4), "separação fora da faixa"},
        {roundLine(S::Coax, 1e-300, 1, 2.1), "diâmetro fora da faixa"},
        {roundLine(S::TwoWire, 1, 1e10, 1), "espaçamento fora da faixa"},
        {roundLine(S::TwoWire, 1, inf, 1), "inválido"},
        {withStructure(S::Stripline, 1, 0, 1.6, 0.035, 1e6), nullptr},
        {microstrip(1e-9, 1e-9, 0, 1e6), nullptr},
        {withStructure(S::CoupledStripline, 1e9, 1e9, 1e9, 0, 1), nullptr},
        {roundLine(S::Coax, 1e-9, 1e9, 1e6), nullptr},
    };
    for (const Case& c : cases) {
        const Solution s = solve(c.g);
        const std::string what = std::to_string(int(c.g.structure)) + " w " + std::to_string(c.g.w) + " er " +
                                 std::to_string(c.g.er);
        if (c.refusal) {
            EXPECT_FALSE(s.ok) << what;
            EXPECT_NE(s.failure.find(c.refusal), std::string::npos) << what << ": " << s.failure;
            EXPECT_EQ(invalidGeometry(c.g), s.failure) << what;
            continue;
        }
        EXPECT_TRUE(s.ok) << what << ": " << s.failure;
        EXPECT_TRUE(finite(s.single) && finite(s.even) && finite(s.odd)) << what;
        EXPECT_TRUE(std::isfinite(s.error)) << what;
    }
}

namespace {

// A pair of strips 0.6 wide and 0.3 apart, 35 um thick, on 0.635 of
// er 10.2, as a whole section with each strip at its own potential.
constexpr double kW = 0.6, kGap = 0.3, kH = 0.635, kT = 0.035, kEr = 10.2;

Section wholePair(const std::vector<std::pair<double, double>>& potentials)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double edge = kGap / 2 + kW, size = std::max(edge, kH + kT);
    Section sec;
    for (const auto& [v1, v2] : potentials)
        sec.excitations.push_back({[=](double boxSizes) {
                                       const double far = boxSizes * size;
                                       Problem pb;
                                       pb.domain = {-edge - far, 0, edge + far, kH + kT + far};
                                       pb.conductors = {{{kGap / 2, kH, edge, kH + kT}, v1},
                                                        {{-edge, kH, -kGap / 2, kH + kT}, v2}};
                                       pb.dielectrics = {{{-inf, 0, inf, kH}, kEr}};
                                       return pb;
                                   },
                                   2});
    sec.farSize = size;
    return sec;
}

} // namespace

// The capacitance matrix of a pair from the excitations (1,0), (0,1) and
// (1,1) of its whole section gives the even and odd modes (C11 + C12 and
// C11 - C12 per strip) that the symmetric half section gives directly.
TEST(SectionSolver, ThePairsMatrixFromThreeExcitationsGivesItsModes)
{
    const SectionSolution whole = solveSection(wholePair({{1, 0}, {0, 1}, {1, 1}}));
    ASSERT_TRUE(whole.ok) << whole.failure;
    ASSERT_EQ(whole.capacitance.size(), 3u);
    EXPECT_TRUE(whole.converged);
    const Solution modes = solve(withStructure(Structure::CoupledMicrostrip, kW, kGap, kH, kT, kEr));
    ASSERT_TRUE(modes.ok) << modes.failure;
    const double tolerance = whole.error + modes.error;
    auto matrix = [&](double Capacitance::*c) {
        const double c11 = whole.capacitance[0].*c, c22 = whole.capacitance[1].*c;
        const double c12 = (whole.capacitance[2].*c - c11 - c22) / 2;
        EXPECT_NEAR(c22 / c11, 1, 1e-6); // the strips are mirror images
        EXPECT_LT(c12, 0);                // a strip at 0 V draws charge from the other
        return std::pair{c11 + c12, c11 - c12};
    };
    const auto [even, odd] = matrix(&Capacitance::c);
    const auto [evenAir, oddAir] = matrix(&Capacitance::cAir);
    EXPECT_NEAR(even / modes.even.c, 1, tolerance);
    EXPECT_NEAR(odd / modes.odd.c, 1, tolerance);
    EXPECT_NEAR(evenAir / modes.even.cAir, 1, tolerance);
    EXPECT_NEAR(oddAir / modes.odd.cAir, 1, tolerance);
    const LineParameters oddLine = lineParameters(
        {odd, oddAir, odd / tarvel::physics::si::eps0, oddAir / tarvel::physics::si::eps0});
    EXPECT_NEAR(oddLine.z0 / modes.odd.z0, 1, tolerance);
}

// The caller's flag stops a solve on another thread at its next mesh. The
// section's problem waits on the solving thread until the other thread has
// raised the flag, so the flag is raised while the first mesh is solved.
TEST(SectionSolver, AnotherThreadCancelsASolve)
{
    std::atomic<bool> cancel{false};
    std::promise<void> started, raised;
    std::shared_future<void> raisedFlag = raised.get_future().share();
    std::atomic<int> calls{0};
    Section sec = wholePair({{1, 0}});
    const auto problem = sec.excitations[0].problem;
    sec.excitations[0].problem = [&, problem](double boxSizes) {
        if (calls++ == 0) {
            started.set_value();
            raisedFlag.wait();
        }
        return problem(boxSizes);
    };
    SectionSolution sol;
    std::thread solver([&] { sol = solveSection(sec, 5e-4, {}, &cancel); });
    std::thread canceller([&] {
        started.get_future().wait();
        cancel = true;
        raised.set_value();
    });
    canceller.join();
    solver.join();
    EXPECT_TRUE(sol.cancelled);
    EXPECT_FALSE(sol.ok);
    EXPECT_EQ(sol.levels, 1);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(sol.capacitance.empty());
    // A flag that stays down changes nothing.
    std::atomic<bool> down{false};
    const Geometry g = microstrip(1, 1, 0.035, 4.4);
    const Solution a = solve(g), b = solve(g, 5e-4, {}, &down);
    EXPECT_FALSE(b.cancelled);
    EXPECT_EQ(a.single.z0, b.single.z0);
    EXPECT_EQ(a.error, b.error);
}

// Metal far thinner than the rest of the section (0.01 um on millimetre
// lines) used to make meshes too large for the node limit: it converges,
// and agrees within the estimates with the same line of no thickness (from
// which 1e-5 of the smallest feature moves Z0 by some 2e-5). Thicker metal
// draws more charge: Z0 falls as the metal thickens, from thin metal to
// metal meshed as usual.
TEST(SectionLimits, VeryThinMetalConverges)
{
    using S = Structure;
    const Geometry cases[] = {withStructure(S::Cpw, 1, 0.5, 1, 1e-5, 9.8),
                              withStructure(S::Cps, 1, 0.5, 1, 1e-5, 9.8),
                              withStructure(S::Microstrip, 1, 0, 1, 1e-6, 4.4)};
    for (const Geometry& g : cases) {
        Geometry flat = g;
        flat.t = 0;
        const Solution thin = solve(g), reference = solve(flat);
        const std::string what = std::to_string(int(g.structure));
        ASSERT_TRUE(thin.ok) << what << ": " << thin.failure;
        ASSERT_TRUE(reference.ok) << what << ": " << reference.failure;
        EXPECT_TRUE(thin.converged) << what << ": " << thin.error;
        const double within = thin.error + reference.error;
        EXPECT_NEAR(thin.single.z0 / reference.single.z0, 1, within) << what;
        EXPECT_NEAR(thin.single.eeff / reference.single.eeff, 1, within) << what;
    }
    double thinner = 0, allowance = 0;
    for (double t : {1e-6, 1e-4, 2e-3}) {
        const Solution s = solve(withStructure(S::Cpw, 1, 0.5, 1, t, 9.8));
        ASSERT_TRUE(s.ok && s.converged) << t << ": " << s.failure << " " << s.error;
        if (thinner > 0) {
            EXPECT_LT(s.single.z0, thinner * (1 + allowance + s.error)) << t;
        }
        thinner = s.single.z0;
        allowance = s.error;
    }
}
