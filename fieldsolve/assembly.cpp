// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvel::fieldsolve::detail {

double layerEps(const Problem& pb, Pt p)
{
    double e = 1;
    for (const Layer& l : pb.dielectrics)
        if (l.box.contains(p, 0))
            e = l.eps;
    return e;
}

int conductorOf(const Problem& pb, Pt p, double tol)
{
    for (std::size_t k = 0; k < pb.conductors.size(); ++k)
        if (pb.conductors[k].box.contains(p, tol))
            return static_cast<int>(k);
    return -1;
}

void weigh(Assembly& a, const Problem& problem, const Mesh& mesh, bool air)
{
    const std::size_t nx = a.nx, ny = a.ny;
    std::vector<double> cellEps((nx - 1) * (ny - 1), 1.0);
    if (!air)
        for (std::size_t j = 0; j + 1 < ny; ++j)
            for (std::size_t i = 0; i + 1 < nx; ++i)
                cellEps[j * (nx - 1) + i] =
                    layerEps(problem, {(mesh.x[i] + mesh.x[i + 1]) / 2, (mesh.y[j] + mesh.y[j + 1]) / 2});
    auto eps = [&](long i, long j) {
        if (i < 0 || j < 0 || i >= long(nx) - 1 || j >= long(ny) - 1)
            return 0.0;
        return cellEps[std::size_t(j) * (nx - 1) + std::size_t(i)];
    };
    auto dx = [&](long i) { return i < 0 || i >= long(nx) - 1 ? 0.0 : mesh.x[i + 1] - mesh.x[i]; };
    auto dy = [&](long j) { return j < 0 || j >= long(ny) - 1 ? 0.0 : mesh.y[j + 1] - mesh.y[j]; };
    // The permittivity integrated over the dual face, over the link's length.
    a.wx.assign(nx * ny, 0);
    a.wy.assign(nx * ny, 0);
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const long I = long(i), J = long(j);
            if (i + 1 < nx)
                a.wx[j * nx + i] = (eps(I, J - 1) * dy(J - 1) + eps(I, J) * dy(J)) / (2 * dx(I));
            if (j + 1 < ny)
                a.wy[j * nx + i] = (eps(I - 1, J) * dx(I - 1) + eps(I, J) * dx(I)) / (2 * dy(J));
        }
}

Assembly fixNodes(const Problem& problem, const Mesh& mesh)
{
    Assembly a;
    a.nx = mesh.x.size();
    a.ny = mesh.y.size();
    const Box& d = problem.domain;
    const double tol = kTouch * std::max(d.x1 - d.x0, d.y1 - d.y0);
    a.phi.assign(a.nx * a.ny, 0.0);
    a.index.assign(a.nx * a.ny, -1);
    a.free.assign(a.nx * a.ny, 0);
    // Conductors first, then the grounded walls.
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            const int c = conductorOf(problem, {mesh.x[i], mesh.y[j]}, tol);
            if (c >= 0) {
                a.phi[k] = problem.conductors[std::size_t(c)].potential;
                continue;
            }
            const bool grounded = (i == 0 && problem.left == Wall::Ground) ||
                                  (i == a.nx - 1 && problem.right == Wall::Ground) ||
                                  (j == 0 && problem.bottom == Wall::Ground) ||
                                  (j == a.ny - 1 && problem.top == Wall::Ground);
            if (!grounded) {
                a.index[k] = a.unknowns++;
                a.free[k] = 1;
            }
        }
    return a;
}

Eigen::VectorXd rightHandSide(const Assembly& a)
{
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(a.unknowns);
    // A node numbered but fixed in this problem: its own row, held at its
    // potential.
    for (std::size_t k = 0; k < a.index.size(); ++k)
        if (a.index[k] >= 0 && !a.free[k])
            rhs[a.index[k]] = a.phi[k];
    auto link = [&](std::size_t p, std::size_t q, double w) {
        if (w == 0)
            return;
        const bool fp = a.free[p], fq = a.free[q];
        if (fp && !fq)
            rhs[a.index[p]] += w * a.phi[q];
        else if (fq && !fp)
            rhs[a.index[q]] += w * a.phi[p];
    };
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (i + 1 < a.nx)
                link(k, k + 1, a.wx[k]);
            if (j + 1 < a.ny)
                link(k, k + a.nx, a.wy[k]);
        }
    return rhs;
}

Matrix eliminationMatrix(const Assembly& a, const std::vector<int>& position)
{
    const std::size_t n = std::size_t(a.unknowns);
    // The node of each place in the order.
    std::vector<std::size_t> node(n);
    for (std::size_t k = 0; k < a.index.size(); ++k)
        if (a.index[k] >= 0)
            node[std::size_t(position[std::size_t(a.index[k])])] = k;
    struct Entry {
        int row;
        double value;
    };
    // The links of node k to its neighbours that are numbered, with their
    // weights (a link of no weight is no link).
    auto links = [&](std::size_t k, auto&& each) {
        const std::size_t i = k % a.nx, j = k / a.nx;
        // Below, left, right, above: the diagonal sums them in the order
        // the right-hand side meets them.
        const std::pair<std::size_t, double> around[] = {
            {k - a.nx, j > 0 ? a.wy[k - a.nx] : 0.0},
            {k - 1, i > 0 ? a.wx[k - 1] : 0.0},
            {k + 1, i + 1 < a.nx ? a.wx[k] : 0.0},
            {k + a.nx, j + 1 < a.ny ? a.wy[k] : 0.0},
        };
        for (const auto& [q, w] : around)
            if (w != 0)
                each(q, w);
    };
    Matrix A(static_cast<Eigen::Index>(n), static_cast<Eigen::Index>(n));
    std::vector<int> starts(n + 1, 0);
    std::vector<int> rows;
    std::vector<double> values;
    rows.reserve(3 * n);
    values.reserve(3 * n);
    for (std::size_t c = 0; c < n; ++c) {
        const std::size_t k = node[c];
        // A free node: the sum of its links; one fixed here but free in
        // another problem: a row of its own, its links kept as zeros in
        // the pattern that the problems share.
        double diagonal = a.free[k] ? 0.0 : 1.0;
        Entry below[4];
        int count = 0;
        links(k, [&](std::size_t q, double w) {
            if (a.free[k])
                diagonal += w;
            if (a.index[q] < 0)
                return;
            const int r = position[std::size_t(a.index[q])];
            if (r <= int(c))
                return;
            // In order of their rows, as they are put in.
            int e = count++;
            for (; e > 0 && below[e - 1].row > r; --e)
                below[e] = below[e - 1];
            below[e] = {r, a.free[k] && a.free[q] ? -w : 0.0};
        });
        rows.push_back(int(c));
        values.push_back(diagonal);
        for (int e = 0; e < count; ++e) {
            rows.push_back(below[e].row);
            values.push_back(below[e].value);
        }
        starts[c + 1] = int(rows.size());
    }
    A.resizeNonZeros(Eigen::Index(rows.size()));
    std::copy(starts.begin(), starts.end(), A.outerIndexPtr());
    std::copy(rows.begin(), rows.end(), A.innerIndexPtr());
    std::copy(values.begin(), values.end(), A.valuePtr());
    return A;
}

// Fills the field from the solution of the unknowns.
bool finish(const Assembly& a, const Eigen::VectorXd& x, std::vector<double>& phi, long double& energy)
{
    phi = a.phi;
    for (std::size_t k = 0; k < phi.size(); ++k)
        if (a.free[k])
            phi[k] = x[a.index[k]];
    long double e = 0;
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (i + 1 < a.nx) {
                const long double dv = phi[k + 1] - phi[k];
                e += a.wx[k] * dv * dv;
            }
            if (j + 1 < a.ny) {
                const long double dv = phi[k + a.nx] - phi[k];
                e += a.wy[k] * dv * dv;
            }
        }
    energy = e / 2;
    return std::isfinite(static_cast<double>(energy));
}

} // namespace tarvel::fieldsolve::detail
