// The section solver's limits: what it reports when refinement stops
// before the tolerance, and the geometries it must refuse or still solve.
#include <cmath>
#include <limits>
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
