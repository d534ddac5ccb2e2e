// The section solver's limits: what it reports when refinement stops
// before the tolerance, and the geometries it must refuse or still solve.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "fieldsolve/sections.h"

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
