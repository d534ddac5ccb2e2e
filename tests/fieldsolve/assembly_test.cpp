// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix of a mesh's system as the factorisation reads it: its lower
// triangle with the unknowns in their order of elimination.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/assembly.h"
#include "fieldsolve/sections.h"

using namespace tarvel::fieldsolve;
using namespace tarvel::fieldsolve::detail;

namespace {

// The whole symmetric matrix, dense, in the numbering of the unknowns, from
// a lower triangle in the order given by `order` (place p holds order[p]).
std::vector<std::vector<double>> whole(const Matrix& lower, const std::vector<int>& order)
{
    const std::size_t n = order.size();
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    for (Eigen::Index c = 0; c < lower.outerSize(); ++c)
        for (Matrix::InnerIterator it(lower, c); it; ++it) {
            EXPECT_GE(it.row(), c) << "an entry above the diagonal";
            const std::size_t p = std::size_t(order[std::size_t(it.row())]), q = std::size_t(order[std::size_t(c)]);
            a[p][q] = a[q][p] = it.value();
        }
    return a;
}

} // namespace

// Whatever the order, it is the same matrix: each link once, in its place;
// a row of an unknown whose neighbours are all unknown sums to zero (the
// potential is defined up to a constant there), and its diagonal is the sum
// of its links.
TEST(EliminationMatrix, AnyOrderOfTheUnknownsHoldsTheSameLinks)
{
    const Problem pb = halfSection(Geometry{Structure::Microstrip, 1.5, 0, 0.787, 0.035, 2.2}, Mode::Single, kBoxSizes);
    const Mesh mesh = Mesh::divided(pb, 1);
    Assembly a = fixNodes(pb, mesh);
    weigh(a, pb, mesh, false);
    const std::size_t n = std::size_t(a.unknowns);
    ASSERT_GT(n, 100u);
    std::vector<int> natural(n);
    std::iota(natural.begin(), natural.end(), 0);
    const auto reference = whole(eliminationMatrix(a, natural), natural);
    std::vector<int> order = natural;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    std::vector<int> position(n);
    for (std::size_t p = 0; p < n; ++p)
        position[std::size_t(order[p])] = int(p);
    const Matrix shuffled = eliminationMatrix(a, position);
    EXPECT_EQ(shuffled.nonZeros(), eliminationMatrix(a, natural).nonZeros());
    EXPECT_EQ(whole(shuffled, order), reference);
    std::size_t inner = 0;
    for (std::size_t k = 0; k < a.index.size(); ++k) {
        const std::size_t i = k % a.nx, j = k / a.nx;
        if (a.index[k] < 0 || i == 0 || j == 0 || i + 1 == a.nx || j + 1 == a.ny)
            continue;
        const std::size_t around[] = {k - 1, k + 1, k - a.nx, k + a.nx};
        if (!std::all_of(std::begin(around), std::end(around), [&](std::size_t q) { return a.index[q] >= 0; }))
            continue;
        const auto& row = reference[std::size_t(a.index[k])];
        const double sum = std::accumulate(row.begin(), row.end(), 0.0);
        const double diagonal = row[std::size_t(a.index[k])];
        EXPECT_NEAR(sum, 0, 1e-12 * diagonal) << k;
        EXPECT_EQ(diagonal, a.wy[k - a.nx] + a.wx[k - 1] + a.wx[k] + a.wy[k]) << k;
        ++inner;
    }
    EXPECT_GT(inner, n / 2);
}
