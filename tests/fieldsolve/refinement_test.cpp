// SPDX-License-Identifier: GPL-3.0-or-later
// The refinement of the field solution: the meshes of any division of the
// coarsest one, and Richardson's extrapolation over meshes whose cells
// shrink by any ratios.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/sections.h"

using namespace tarvel::fieldsolve;

namespace {

Geometry microstrip(double t)
{
    Geometry g;
    g.structure = Structure::Microstrip;
    g.w = 1;
    g.h = 0.635;
    g.t = t;
    g.er = 10.2;
    return g;
}

bool holds(const std::vector<double>& fine, const std::vector<double>& coarse)
{
    return std::all_of(coarse.begin(), coarse.end(), [&](double x) {
        return std::find(fine.begin(), fine.end(), x) != fine.end();
    });
}

} // namespace

// A quantity that nears its limit as C h^p, h the size of the cells: the
// limit comes back from three meshes whatever the ratios between them.
TEST(Extrapolation, ThePowerLawsLimitWhateverTheRatios)
{
    struct Case {
        double order, r1, r2;
    } cases[] = {{1, 2, 2}, {2, 2, 2}, {4.0 / 3, 2, 1.5}, {2, 2, 1.5}, {2, 1.5, 4.0 / 3}, {3, 2, 1.5},
                   {1.5, 4.0 / 3, 2}, {2, 4.0 / 3, 2}};
    const double limit = 3.25, c = 0.4;
    for (const Case& k : cases) {
        const double h0 = 1, h1 = h0 / k.r1, h2 = h1 / k.r2;
        auto q = [&](double h) { return limit + c * std::pow(h, k.order); };
        const Extrapolated e = extrapolate(q(h0), q(h1), q(h2), k.r1, k.r2);
        EXPECT_NEAR(e.limit, limit, 1e-12) << k.order << " " << k.r1 << " " << k.r2;
        EXPECT_NEAR(e.step, q(h2) - limit, 1e-12) << k.order << " " << k.r1 << " " << k.r2;
    }
}

// Values that do not converge monotonically are extrapolated at order 1;
// a slower convergence than the least order allowed, at that order.
TEST(Extrapolation, OrdersOutsideTheTrustedRangeAreHeldToIt)
{
    // d1 = 0.5, d2 = -0.1: not monotone; order 1 over the last ratio 1.5.
    EXPECT_NEAR(extrapolate(1, 0.5, 0.6, 2, 1.5).limit, 0.6 + 0.1 / 0.5, 1e-15);
    // Order 0.5 with ratios 2 and 1.5: held at 1 unless a lower one is allowed.
    auto q = [](double h) { return 2 + std::sqrt(h); };
    const double h1 = 0.5, h2 = h1 / 1.5;
    const double d2 = q(h1) - q(h2);
    EXPECT_NEAR(extrapolate(q(1), q(h1), q(h2), 2, 1.5).limit, q(h2) - d2 / (1.5 - 1), 1e-12);
    EXPECT_NEAR(extrapolate(q(1), q(h1), q(h2), 2, 1.5, 0.25).limit, 2, 1e-12);
}

// Dividing the cells of the coarsest mesh into 2^n is level n; a mesh
// holds those it divides by a power of two, near the structure and far.
TEST(MeshDivision, PowersOfTwoAreTheLevelsAndFinerMeshesHoldTheCoarser)
{
    const Problem pb = halfSection(microstrip(0.035), Mode::Single, kBoxSizes);
    MeshOptions options;
    options.far = 30 * 1.0;
    for (int level = 0; level <= 4; ++level) {
        const Mesh a = Mesh::graded(pb, level, options), b = Mesh::divided(pb, 1L << level, options);
        EXPECT_EQ(a.x, b.x) << level;
        EXPECT_EQ(a.y, b.y) << level;
    }
    const Mesh twelve = Mesh::divided(pb, 12, options);
    for (long split : {1L, 2L, 4L}) {
        const Mesh coarse = Mesh::divided(pb, split, options);
        EXPECT_TRUE(holds(twelve.x, coarse.x) && holds(twelve.y, coarse.y)) << split;
        EXPECT_LT(coarse.nodes(), twelve.nodes());
    }
    // Between 8 and 16 in nodes, as 12 is between them in cells.
    EXPECT_GT(twelve.nodes(), Mesh::divided(pb, 8, options).nodes());
    EXPECT_LT(twelve.nodes(), Mesh::divided(pb, 16, options).nodes());
}

// Where a conductor has no thickness, the cells grow by flatGrowth
// everywhere; elsewhere by growth.
TEST(MeshDivision, FlatMetalSetsTheGrowthOfTheWholeMesh)
{
    MeshOptions slow;
    slow.growth = slow.flatGrowth;
    const MeshOptions usual;
    ASSERT_GT(usual.growth, usual.flatGrowth);
    const Problem flat = halfSection(microstrip(0), Mode::Single, kBoxSizes);
    EXPECT_EQ(Mesh::divided(flat, 2, usual).x, Mesh::divided(flat, 2, slow).x);
    EXPECT_EQ(Mesh::divided(flat, 2, usual).y, Mesh::divided(flat, 2, slow).y);
    const Problem thick = halfSection(microstrip(0.035), Mode::Single, kBoxSizes);
    EXPECT_LT(Mesh::divided(thick, 2, usual).nodes(), Mesh::divided(thick, 2, slow).nodes());
}

// A solve that needs a fifth mesh takes it 1.5 times finer than the
// fourth, and its answer holds within its estimate against a solve whose
// meshes all halve the cells (a tolerance a tenth as large).
TEST(Refinement, TheFifthMeshIsOneAndAHalfTimesFinerThanTheFourth)
{
    Geometry g;
    g.structure = Structure::CoupledMicrostrip;
    g.w = 0.3935;
    g.s = 0.0787;
    g.h = 0.787;
    g.t = 0.07;
    g.er = 2.2;
    std::vector<long> splits;
    const SectionSolution s =
        solveSection(section(g), 5e-4, {}, nullptr, [&](const MeshFields& m) { splits.push_back(m.split); });
    ASSERT_TRUE(s.ok && s.converged) << s.failure;
    EXPECT_EQ(splits, (std::vector<long>{1, 2, 4, 8, 12}));
    const SectionSolution fine = solveSection(section(g), 5e-5);
    ASSERT_TRUE(fine.ok) << fine.failure;
    ASSERT_GT(fine.levels, 5);
    for (std::size_t m = 0; m < 2; ++m) {
        const Capacitance &a = s.capacitance[m], &b = fine.capacitance[m];
        const double z = std::sqrt(a.relative * a.relativeAir / (b.relative * b.relativeAir));
        EXPECT_NEAR(z, 1, s.error + fine.error) << m;
    }
}

// Where the order fitted to three meshes leaves a share of its step that the
// next limit keeps, the estimate still holds against a solve to seven meshes:
// of the bench's geometries, the two whose error was twice the movement of
// the limit; of sixty drawn at random, the two nearest to their estimates
// when it counts the limits' move over r^2 - 1 (the CPS outgrew the whole
// move of an estimate that took it as the error).
TEST(Refinement, TheEstimateHoldsWhereTwoLimitsErrAlike)
{
    for (Geometry g : {Geometry{Structure::Cps, 0.2, 0.1, 1.57, 0.07, 2.2},
                       Geometry{Structure::Microstrip, 0.127, 0, 0.635, 0.07, 10.2},
                       Geometry{Structure::Cps, 0.128172, 0.0235809, 0.387585, 0.032585, 9.47292},
                       Geometry{Structure::Microstrip, 0.0658755, 0, 0.178767, 0.0512815, 11.2023}}) {
        const Solution s = solve(g);
        const Solution fine = solve(g, 2e-5);
        ASSERT_TRUE(s.ok && s.converged && fine.ok) << s.failure << fine.failure;
        const double bound = s.error + fine.error;
        EXPECT_LE(std::fabs(s.single.z0 / fine.single.z0 - 1), bound) << s.single.z0 << " vs " << fine.single.z0;
        EXPECT_LE(std::fabs(s.single.eeff / fine.single.eeff - 1) / 2, bound);
    }
}
