// SPDX-License-Identifier: GPL-3.0-or-later
// The discrete problem of one mesh: which nodes are held at a potential,
// the weights of the links between neighbouring nodes, the linear system of
// the unknowns, and the field and its energy from their solution.
#pragma once
#include <cstddef>
#include <vector>

#include <Eigen/Sparse>

#include "field.h"

namespace tarvel::fieldsolve::detail {

// Nodes closer than this fraction of the domain count as lying on an edge.
constexpr double kTouch = 1e-9;

// The permittivity at p (1 outside every layer; a later layer wins).
double layerEps(const Problem& pb, Pt p);

// Index of the first conductor that holds p within tol, or -1.
int conductorOf(const Problem& pb, Pt p, double tol);

using Matrix = Eigen::SparseMatrix<double>;

// The discrete problem on one mesh: link weights, which nodes are unknown,
// and the potentials of the fixed ones.
struct Assembly {
    std::size_t nx = 0, ny = 0;
    std::vector<double> wx, wy; // links (i,j)-(i+1,j) and (i,j)-(i,j+1)
    std::vector<double> phi;
    // Unknown number, -1 for a node fixed in every problem solved together;
    // `free` tells whether the node is unknown in this problem. A node fixed
    // here but free in another keeps its number with a row of its own, so
    // that all the systems share one pattern.
    std::vector<long> index;
    std::vector<char> free;
    long unknowns = 0;
};

// Numbers the unknowns of one problem and sets the fixed nodes' potentials.
Assembly fixNodes(const Problem& problem, const Mesh& mesh);

// The link weights, with the dielectrics or (`air`) without them.
void weigh(Assembly& a, const Problem& problem, const Mesh& mesh, bool air);

// The right-hand side of one problem's system.
Eigen::VectorXd rightHandSide(const Assembly& a);

// The lower triangle of one problem's matrix, its unknowns in the order of
// their elimination: `position[u]` is the place of unknown u in it.
Matrix eliminationMatrix(const Assembly& a, const std::vector<int>& position);

// Fills the field from the solution of the unknowns.
bool finish(const Assembly& a, const Eigen::VectorXd& x, std::vector<double>& phi, long double& energy);

} // namespace tarvel::fieldsolve::detail
