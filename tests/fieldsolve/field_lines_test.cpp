// SPDX-License-Identifier: GPL-3.0-or-later
// The line tracer behind the gallery's field plots, on solved sections.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "fieldsolve/field.h"

using namespace tarvel::fieldsolve;

namespace {

// A strip over a ground plane in a grounded box, with a substrate.
Problem stripOverGround(double potential, double eps)
{
    Problem pb;
    pb.domain = {-60, -50, 160, 60};
    pb.conductors = {{{-60, 60, 160, 66}, 0}, {{35, 36, 65, 40}, potential}};
    pb.dielectrics = {{{-60, 40, 160, 60}, eps}};
    return pb;
}

// Shoelace sum in drawing coordinates (y down): negative for a loop that
// turns counter-clockwise on the screen.
double turning(const Polyline& l)
{
    double s = 0;
    for (size_t k = 1; k < l.size(); ++k)
        s += l[k - 1].x * l[k].y - l[k].x * l[k - 1].y;
    return s;
}

double distanceToBox(Pt p, const Box& b)
{
    const double dx = std::max({b.x0 - p.x, 0.0, p.x - b.x1});
    const double dy = std::max({b.y0 - p.y, 0.0, p.y - b.y1});
    return std::hypot(dx, dy);
}

} // namespace

// Two layers between parallel plates: the potential at the interface
// divides the voltage in proportion to d/eps of each layer. The plates lie
// one above the other, or side by side (the grid's two link directions).
TEST(FieldLines, LayeredCapacitorSharesTheVoltageByPermittivity)
{
    struct Case {
        double eps1, eps2;
        bool sideBySide;
    } cases[] = {{1, 1, false}, {1, 4, false}, {4, 1, false}, {10, 2.2, false},
                 {1, 4, true},  {10, 2.2, true}};
    for (const Case& c : cases) {
        // Drawn for plates above and below; the side-by-side case swaps x and y.
        auto box = [&](double x0, double y0, double x1, double y1) {
            return c.sideBySide ? Box{y0, x0, y1, x1} : Box{x0, y0, x1, y1};
        };
        auto at = [&](double x, double y) { return c.sideBySide ? Pt{y, x} : Pt{x, y}; };
        auto across = [&](Pt e) { return c.sideBySide ? e.x : e.y; };
        Problem pb;
        pb.domain = box(-120, 0, 120, 20);
        pb.conductors = {{box(-120, -5, 120, 0), 1}};
        pb.dielectrics = {{box(-120, 0, 120, 10), c.eps1}, {box(-120, 10, 120, 20), c.eps2}};
        const Field f = Field::solve(pb);
        const double expected = (10 / c.eps2) / (10 / c.eps1 + 10 / c.eps2);
        EXPECT_NEAR(f.potential(at(0, 10)), expected, 0.002) << c.eps1 << " / " << c.eps2 << " " << c.sideBySide;
        // The air solution ignores the layers.
        EXPECT_NEAR(Field::solve(pb, true).potential(at(0, 10)), 0.5, 0.01);
        // Uniform field inside each layer: E is twice as strong where eps is half.
        const double e1 = across(f.electric(at(0, 5))), e2 = across(f.electric(at(0, 15)));
        EXPECT_NEAR(e1 * c.eps1, e2 * c.eps2, 0.02 * std::fabs(e1 * c.eps1));
    }
}

TEST(FieldLines, ElectricLinesRunFromTheStripToLowerPotential)
{
    struct Case {
        int count;
        double eps;
    } cases[] = {{8, 1}, {14, 4}, {20, 10}};
    for (const Case& c : cases) {
        const Problem pb = stripOverGround(1, c.eps);
        const Field f = Field::solve(pb);
        const std::vector<Polyline> lines = electricLines(f, 1, c.count);
        ASSERT_EQ(int(lines.size()), c.count);
        const Box strip = pb.conductors[1].box;
        for (const Polyline& l : lines) {
            EXPECT_LT(distanceToBox(l.front(), strip), 0.01);
            EXPECT_GT(distanceToBox(l.back(), strip), 2.0); // it left the strip
            // The potential falls along the line.
            EXPECT_GT(f.potential(l[1]), f.potential(l[l.size() / 2]));
            EXPECT_GE(f.potential(l[l.size() / 2]) + 1e-9, f.potential(l.back()));
        }
        // Starts are mirror images about the middle of the strip.
        for (size_t k = 0; k < lines.size(); ++k) {
            bool mirrored = false;
            for (const Polyline& other : lines)
                mirrored = mirrored || (std::fabs(other.front().x - (100 - lines[k].front().x)) < 0.3 &&
                                        std::fabs(other.front().y - lines[k].front().y) < 0.3);
            EXPECT_TRUE(mirrored) << "line " << k << " of " << c.count;
        }
    }
}

TEST(FieldLines, MoreLinesLeaveTheSideFacingTheDielectric)
{
    // The flux through the bottom of the strip grows with the substrate's
    // permittivity; so does the share of lines that start there.
    int below[2] = {0, 0};
    const double eps[2] = {1, 10};
    for (int k = 0; k < 2; ++k) {
        const Problem pb = stripOverGround(1, eps[k]);
        for (const Polyline& l : electricLines(Field::solve(pb), 1, 20))
            below[k] += l.front().y >= pb.conductors[1].box.y1 - 1e-9;
    }
    EXPECT_GT(below[1], below[0]);
}

TEST(FieldLines, ContoursLieOnTheirLevelAndCloseAroundAnIsolatedStrip)
{
    const Problem pb = stripOverGround(1, 1);
    const Field f = Field::solve(pb, true);
    for (double level : {0.2, 0.5, 0.8}) {
        const std::vector<Polyline> lines = contours(f, level);
        ASSERT_FALSE(lines.empty()) << level;
        for (const Polyline& l : lines) {
            EXPECT_NEAR(l.front().x, l.back().x, 1e-9) << level;
            EXPECT_NEAR(l.front().y, l.back().y, 1e-9) << level;
            for (size_t k = 0; k < l.size(); k += 7)
                EXPECT_NEAR(f.potential(l[k]), level, 1e-6);
        }
    }
}

// The wave comes towards the viewer: H turns counter-clockwise about a
// conductor at positive potential and clockwise about a negative one.
TEST(FieldLines, MagneticLinesTurnWithTheCurrent)
{
    for (double potential : {1.0, -1.0}) {
        const Problem pb = stripOverGround(potential, 4);
        const Field air = Field::solve(pb, true);
        std::vector<Polyline> lines = contours(air, potential * 0.5);
        ASSERT_FALSE(lines.empty());
        for (Polyline& l : lines)
            std::reverse(l.begin(), l.end()); // orientation must not depend on how they came
        orientMagnetic(air, lines);
        for (const Polyline& l : lines)
            EXPECT_EQ(turning(l) < 0, potential > 0) << potential;
    }
}

// Problems solved together share one pattern, a node fixed in one of them
// (a grounded wall, a strip at another potential) held by a row of its
// own: each field is the one solved alone, to rounding.
static void expectAsSolvedAlone(const std::vector<Problem>& problems)
{
    const Mesh mesh = Mesh::graded(problems.front(), 1);
    const std::vector<Field> together = Field::solveAll(problems, mesh);
    ASSERT_EQ(together.size(), 2 * problems.size());
    for (std::size_t n = 0; n < problems.size(); ++n) {
        const std::vector<Field> alone = Field::solveBoth(problems[n], mesh);
        for (std::size_t k = 0; k < 2; ++k) {
            const Field& a = together[2 * n + k];
            ASSERT_TRUE(a.ok() && alone[k].ok());
            EXPECT_NEAR(double(a.energy() / alone[k].energy()), 1, 1e-12) << n << k;
            for (std::size_t j = 0; j < mesh.y.size(); j += 7)
                for (std::size_t i = 0; i < mesh.x.size(); i += 7)
                    EXPECT_NEAR(a.node(i, j), alone[k].node(i, j), 1e-12) << n << k;
        }
    }
}

TEST(FieldLines, ProblemsSolvedTogetherMatchEachSolvedAlone)
{
    Problem mirror = stripOverGround(1, 4);
    mirror.left = Wall::Mirror;
    Problem grounded = stripOverGround(-2, 4);
    Problem open = stripOverGround(1, 4);
    open.right = open.bottom = Wall::Mirror;
    // No problem frees every node that another frees: one factor each.
    expectAsSolvedAlone({mirror, grounded, open});
    // The mirror frees them all: its factor serves the grounded wall too,
    // whatever the order of the problems.
    Problem mirrorBack = mirror;
    mirrorBack.conductors.front().potential = -0.5;
    expectAsSolvedAlone({grounded, mirror, mirrorBack});
    const Mesh mesh = Mesh::graded(mirror, 1);
    const std::vector<Field> together = Field::solveAll({mirror, grounded}, mesh);
    // The left wall is grounded in one problem and free in another.
    EXPECT_EQ(together[2].node(0, mesh.y.size() / 2), 0);
    EXPECT_GT(together[0].node(0, mesh.y.size() / 2), 0);
}
