// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly.h"

#include <algorithm>
#include <cmath>

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

void system(const Assembly& a, Matrix* A, Eigen::VectorXd& rhs)
{
    rhs = Eigen::VectorXd::Zero(a.unknowns);
    std::vector<double> diagonal;
    if (A)
        diagonal.assign(std::size_t(a.unknowns), 0.0);
    // A node numbered but fixed in this problem: its own row, held at its
    // potential, and its links kept as zeros in the pattern.
    for (std::size_t k = 0; k < a.index.size(); ++k)
        if (a.index[k] >= 0 && !a.free[k]) {
            if (A)
                diagonal[std::size_t(a.index[k])] = 1;
            rhs[a.index[k]] = a.phi[k];
        }
    auto link = [&](std::size_t p, std::size_t q, double w) {
        if (w == 0)
            return;
        const bool fp = a.free[p], fq = a.free[q];
        if (A) {
            if (fp)
                diagonal[std::size_t(a.index[p])] += w;
            if (fq)
                diagonal[std::size_t(a.index[q])] += w;
        }
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
    if (!A)
        return;
    // Column by column: the numbers grow with the node, so the links to
    // the node below and to the left come before the diagonal.
    A->resize(a.unknowns, a.unknowns);
    A->reserve(Eigen::VectorXi::Constant(a.unknowns, 3));
    auto offDiagonal = [&](std::size_t p, std::size_t q, double w) {
        if (w != 0 && a.index[p] >= 0)
            A->insert(a.index[p], a.index[q]) = a.free[p] && a.free[q] ? -w : 0.0;
    };
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (a.index[k] < 0)
                continue;
            if (j > 0)
                offDiagonal(k - a.nx, k, a.wy[k - a.nx]);
            if (i > 0)
                offDiagonal(k - 1, k, a.wx[k - 1]);
            A->insert(a.index[k], a.index[k]) = diagonal[std::size_t(a.index[k])];
        }
    A->makeCompressed();
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
