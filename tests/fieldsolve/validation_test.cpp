// The field solver against exact results: conformal maps of lines with
// flat conductors, the coaxial line, layered parallel plates. Each within
// 0.05 % on Z0 and on the capacitance, and within the solver's own estimate.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "fieldsolve/sections.h"
#include "models/physics.h"

using namespace tarvel::fieldsolve;

namespace {

constexpr long double kPiL = 3.141592653589793238462643383279502884L;
constexpr double kTolerance = 5e-4;

// Complete elliptic integral of the first kind, by the arithmetic-geometric mean.
long double ellipticK(long double k)
{
    long double a = 1, b = std::sqrt((1 - k) * (1 + k));
    for (int i = 0; i < 12; ++i) {
        const long double m = (a + b) / 2;
        b = std::sqrt(a * b);
        a = m;
    }
    return kPiL / (2 * a);
}

// K(k)/K(k').
double ratio(long double k) { return double(ellipticK(k) / ellipticK(std::sqrt((1 - k) * (1 + k)))); }

void expectClose(const LineParameters& got, double z0, double eeff, const std::string& what)
{
    EXPECT_NEAR(got.z0 / z0, 1, kTolerance) << what << ": Z0 " << got.z0 << " exact " << z0;
    EXPECT_NEAR(got.eeff / eeff, 1, kTolerance) << what << ": eeff " << got.eeff << " exact " << eeff;
    const double c = std::sqrt(eeff) / (tarvel::physics::si::c * z0);
    EXPECT_NEAR(got.c / c, 1, kTolerance) << what << ": C " << got.c << " exact " << c;
}

Solution solved(const Geometry& g)
{
    const Solution s = solve(g, kTolerance);
    EXPECT_TRUE(s.ok) << s.failure;
    EXPECT_LE(s.error, kTolerance);
    return s;
}

} // namespace

TEST(FieldValidation, CoaxialLineIsLnOfTheDiameters)
{
    for (const auto& [d, D, er] : {std::tuple{1.0, 2.3, 1.0}, {0.91, 2.95, 2.1}, {1.0, 20.0, 9.8}}) {
        Geometry g;
        g.structure = Structure::Coax;
        g.d = d;
        g.D = D;
        g.er = er;
        const double z0 = tarvel::physics::si::eta0 / (2 * double(kPiL) * std::sqrt(er)) * std::log(D / d);
        expectClose(solved(g).single, z0, er, "coax " + std::to_string(D / d));
    }
}

TEST(FieldValidation, TwoWireLineIsAcoshOfTheSpacing)
{
    for (const auto& [d, S] : {std::pair{1.0, 1.2}, {1.0, 3.0}, {0.5, 40.0}}) {
        Geometry g;
        g.structure = Structure::TwoWire;
        g.d = d;
        g.D = S;
        g.er = 2.25;
        const double z0 = tarvel::physics::si::eta0 / (double(kPiL) * 1.5) * std::acosh(S / d);
        expectClose(solved(g).single, z0, 2.25, "two-wire " + std::to_string(S / d));
    }
}

// A strip of no thickness centred between plates b apart:
// Z0 = eta0 / (4 sqrt(er)) K(k)/K(k'), k = sech(pi W / 2b).
TEST(FieldValidation, FlatStriplineMatchesItsConformalMap)
{
    for (const auto& [w, b, er] : {std::tuple{0.3, 1.0, 1.0}, {1.0, 1.0, 2.2}, {3.0, 1.0, 10.2}}) {
        Geometry g;
        g.structure = Structure::Stripline;
        g.w = w;
        g.h = b;
        g.t = 0;
        g.er = er;
        const long double k = 1 / std::cosh(kPiL * w / (2 * b));
        const double z0 = tarvel::physics::si::eta0 / (4 * std::sqrt(er)) * ratio(k);
        expectClose(solved(g).single, z0, er, "stripline W/b " + std::to_string(w / b));
    }
}

// Flat coplanar lines on a dielectric half-space: eeff = (er + 1)/2, and
// k = S/(S + 2W) (CPW: centre S, slots W; CPS: gap S, strips W).
TEST(FieldValidation, FlatCoplanarLinesOnAHalfSpaceMatchTheirConformalMaps)
{
    struct Case {
        Structure s;
        double w, gap, er;
    } cases[] = {{Structure::Cpw, 0.4, 1.0, 2.2}, {Structure::Cps, 1.0, 0.5, 10.0}};
    for (const Case& c : cases) {
        Geometry g;
        g.structure = c.s;
        g.w = c.w;
        g.s = c.gap;
        g.h = 1e4; // deeper than the box: a half-space
        g.t = 0;
        g.er = c.er;
        const double eeff = (c.er + 1) / 2;
        double z0;
        if (c.s == Structure::Cpw)
            z0 = tarvel::physics::si::eta0 / (4 * std::sqrt(eeff)) / ratio(c.w / (c.w + 2 * c.gap));
        else
            z0 = tarvel::physics::si::eta0 / std::sqrt(eeff) * ratio(c.gap / (c.gap + 2 * c.w));
        expectClose(solved(g).single, z0, eeff, std::string(c.s == Structure::Cpw ? "CPW" : "CPS"));
    }
}

// Plates a distance apart with two dielectric layers between them, the
// layers in series (interface parallel to the plates) or side by side; the
// plates are horizontal or vertical, so both directions of the mesh's links
// cross the interface. Mirror walls make the plates infinitely wide.
TEST(FieldValidation, LayeredParallelPlates)
{
    for (bool vertical : {false, true})
        for (bool series : {false, true})
            for (const auto& [e1, e2] : {std::pair{1.0, 4.0}, {10.2, 2.2}, {3.0, 3.0}}) {
                // Drawn with plates at y = 0 and y = 1, width 2; swapped for vertical.
                auto box = [&](double x0, double y0, double x1, double y1) {
                    return vertical ? Box{y0, x0, y1, x1} : Box{x0, y0, x1, y1};
                };
                Problem pb;
                pb.domain = box(0, 0, 2, 1);
                pb.conductors = {{box(0, 1, 2, 1), 1}};
                if (series)
                    pb.dielectrics = {{box(0, 0, 2, 0.3), e1}, {box(0, 0.3, 2, 1), e2}};
                else
                    pb.dielectrics = {{box(0, 0, 0.7, 1), e1}, {box(0.7, 0, 2, 1), e2}};
                (vertical ? pb.bottom : pb.left) = Wall::Mirror;
                (vertical ? pb.top : pb.right) = Wall::Mirror;
                const double exact = series ? 2 / (0.3 / e1 + 0.7 / e2) : (0.7 * e1 + 1.3 * e2);
                for (int level : {0, 2}) {
                    const Field f = Field::solve(pb, false, level);
                    ASSERT_TRUE(f.ok());
                    EXPECT_NEAR(2 * double(f.energy()) / exact, 1, 1e-9)
                        << vertical << series << " " << e1 << "/" << e2 << " level " << level;
                    // The field in each layer of the series stack is uniform, eps E continuous.
                    if (series) {
                        const double v = f.potential(vertical ? Pt{0.3, 1.3} : Pt{1.3, 0.3});
                        EXPECT_NEAR(v, (0.3 / e1) / (0.3 / e1 + 0.7 / e2), 1e-9);
                    }
                }
            }
}

TEST(FieldValidation, SolutionsAreDeterministicAndNeedFewMeshes)
{
    Geometry g;
    g.structure = Structure::CoupledStripline;
    g.w = 0.6;
    g.s = 0.3;
    g.h = 1.57;
    g.t = 0.035;
    g.er = 2.2;
    const Solution a = solve(g), b = solve(g);
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(a.even.z0, b.even.z0);
    EXPECT_EQ(a.odd.z0, b.odd.z0);
    EXPECT_EQ(a.error, b.error);
    EXPECT_LE(a.error, kTolerance);
    EXPECT_EQ(a.odd.eeff, 2.2);
    // The odd mode's grounded symmetry plane draws more charge.
    EXPECT_LT(a.odd.z0, a.even.z0);
    EXPECT_GT(a.levels, 2);
}

// Far from an open line the cells stop halving after the third mesh; the
// field there holds so little energy that Z0 and eeff move by far less than
// the tolerance against meshes that halve everywhere.
TEST(FieldValidation, TheCoarseFarFieldLeavesTheLineAsItIs)
{
    struct Case {
        Structure s;
        double w, gap, h, t, er;
    } cases[] = {{Structure::Microstrip, 0.635, 0, 0.635, 0.07, 10.2},
                 {Structure::Cps, 0.2, 0.1, 1.27, 0.07, 10.2},
                 {Structure::CoupledMicrostrip, 0.4, 0.2, 0.787, 0.0175, 2.2}};
    MeshOptions everywhere;
    everywhere.far = std::numeric_limits<double>::infinity();
    for (const Case& c : cases) {
        Geometry g;
        g.structure = c.s;
        g.w = c.w;
        g.s = c.gap;
        g.h = c.h;
        g.t = c.t;
        g.er = c.er;
        const Solution coarse = solve(g), fine = solve(g, kTolerance, everywhere);
        ASSERT_TRUE(coarse.ok && fine.ok);
        EXPECT_EQ(coarse.levels, fine.levels);
        EXPECT_LT(coarse.nodes, fine.nodes);
        const LineParameters& a = coarse.coupled ? coarse.odd : coarse.single;
        const LineParameters& b = fine.coupled ? fine.odd : fine.single;
        EXPECT_NEAR(a.z0 / b.z0, 1, 1e-5);
        EXPECT_NEAR(a.eeff / b.eeff, 1, 1e-5);
        if (coarse.coupled) {
            EXPECT_NEAR(coarse.even.z0 / fine.even.z0, 1, 1e-5);
        }
    }
}

TEST(FieldValidation, GeometriesWithoutASolutionAreRefused)
{
    Geometry slot;
    slot.structure = Structure::Slotline;
    slot.s = 1;
    slot.h = 1;
    slot.er = 4;
    EXPECT_FALSE(solve(slot).ok);
    Geometry g;
    g.structure = Structure::Microstrip;
    for (const auto& [w, h, t, er] : {std::tuple{0.0, 1.0, 0.0, 4.0}, {1.0, -1.0, 0.0, 4.0},
                                      {1.0, 1.0, NAN, 4.0}, {1.0, 1.0, 0.0, 0.5}, {1e-9, 1e3, 0.0, 4.0},
                                      {1.0, 1.0, 0.0, INFINITY}}) {
        g.w = w;
        g.h = h;
        g.t = t;
        g.er = er;
        const Solution s = solve(g);
        EXPECT_FALSE(s.ok) << w << " " << h << " " << t << " " << er;
        EXPECT_FALSE(s.failure.empty());
    }
}
