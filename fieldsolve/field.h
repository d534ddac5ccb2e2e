// SPDX-License-Identifier: GPL-3.0-or-later
// The two-dimensional quasi-static field of a line's cross-section:
// div(eps grad V) = 0 between conductors held at fixed potentials, solved by
// finite elements (bilinear-equivalent five-point stencil, linear on each
// half cell) on a rectilinear mesh graded towards the conductor edges.
//
// Each mesh cell has one permittivity, the one at its centre, so a link
// between two nodes carries the permittivity of the two half cells beside
// it weighted by their widths: a dielectric interface on a mesh line is
// exact, not smeared by a node average.
//
// The domain is a rectangle. Each side is either a grounded wall (V = 0,
// the distant shield of an open structure, or the odd-mode symmetry plane)
// or a mirror (the normal field vanishes: the even-mode symmetry plane).
// Coordinates are whatever the caller uses; the gallery draws with y down.
#pragma once
#include <cstddef>
#include <vector>

namespace tarvel::fieldsolve {

struct Pt {
    double x = 0, y = 0;
};
using Polyline = std::vector<Pt>;

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool contains(Pt p, double tol = 1e-9) const
    {
        return p.x >= x0 - tol && p.x <= x1 + tol && p.y >= y0 - tol && p.y <= y1 + tol;
    }
};

struct Conductor {
    Box box; // may be flat (zero thickness) and may reach past the domain
    double potential = 0;
};

struct Layer {
    Box box;
    double eps = 1;
};

enum class Wall { Ground, Mirror };

struct Problem {
    Box domain;
    std::vector<Conductor> conductors;
    std::vector<Layer> dielectrics; // permittivity 1 elsewhere; a later layer wins
    Wall left = Wall::Ground, right = Wall::Ground, bottom = Wall::Ground, top = Wall::Ground;
};

// How finely a mesh resolves the geometry. Around every edge of a
// conductor the spacing starts at `edge` (`flatEdge` for a conductor of no
// thickness) times the distance to the next mesh key line, or to the
// smallest feature when that is less, and grows by `growth` per cell away
// from it; around other key lines (dielectric interfaces, walls) it starts at `other` times that
// distance. In a problem with a conductor of no thickness, whose edge the
// field meets as the inverse square root of the distance, the cells grow by
// `flatGrowth` instead, everywhere. Level n halves every cell of level 0 n
// times, so the meshes of successive levels are nested.
struct MeshOptions {
    double edge = 0.1;
    double flatEdge = 0.01;
    double other = 0.4;
    double growth = 2.5;
    double flatGrowth = 1.6;
    // Beyond this distance from the key line nearest to a wall, the cells
    // next to that wall stop halving after level 2 (0: they always halve).
    double far = 0;
};

struct Mesh {
    std::vector<double> x, y; // increasing node coordinates

    static Mesh graded(const Problem& problem, int level, const MeshOptions& options = {});
    // The mesh whose cells are those of level 0 each divided into `split`
    // along each axis (level n divides them into 2^n): between two key
    // lines every mesh is the same map of a uniform one, so the meshes of
    // any splits resolve the geometry alike, finer by their ratio.
    static Mesh divided(const Problem& problem, long split, const MeshOptions& options = {});
    std::size_t nodes() const { return x.size() * y.size(); }
};

class Field {
public:
    // Solves on the given mesh; `air` ignores the dielectrics. A mesh that
    // does not cover the domain, or a failed factorisation, leaves ok() false.
    static Field solve(const Problem& problem, const Mesh& mesh, bool air = false);
    // The field with the dielectrics and the field in air, in that order
    // (those asked for), sharing the analysis of the system's pattern.
    static std::vector<Field> solveBoth(const Problem& problem, const Mesh& mesh, bool withDielectric = true,
                                        bool inAir = true);
    // The same for several problems of one geometry that differ only in
    // their walls and potentials (the modes of a coupled line), one after
    // the other, all sharing one analysis of the pattern.
    static std::vector<Field> solveAll(const std::vector<Problem>& problems, const Mesh& mesh,
                                       bool withDielectric = true, bool inAir = true);
    // On the graded mesh of the given level.
    static Field solve(const Problem& problem, bool air = false, int level = 2);

    bool ok() const { return ok_; }
    double potential(Pt p) const;
    Pt electric(Pt p) const; // -grad(potential)
    double eps(Pt p) const;
    // Index of the conductor that holds p, or -1.
    int conductorAt(Pt p) const;
    // Stored energy per unit length divided by eps0: (1/2) integral of
    // eps_r |grad V|^2. With one conductor at 1 V and the others at 0, the
    // capacitance per unit length is eps0 times twice this.
    long double energy() const { return energy_; }
    const Problem& problem() const { return problem_; }
    const Mesh& mesh() const { return mesh_; }
    // A length that the mesh resolves near p (the size of the cell there).
    double spacing(Pt p) const;
    double node(std::size_t i, std::size_t j) const { return phi_[j * mesh_.x.size() + i]; }

private:
    Problem problem_;
    Mesh mesh_;
    bool air_ = false;
    bool ok_ = false;
    long double energy_ = 0;
    std::vector<double> phi_;
    // The cell holding p and p's place inside it, clamped to the domain.
    void locate(Pt p, std::size_t& i, std::size_t& j, double& u, double& v) const;
};

// Processor seconds of the calling thread, with those of the threads its
// field solves ran beside it (the second medium of a larger mesh): what a
// solve costs, on whichever threads it ran.
double processorSeconds();

// Electric lines leaving the conductors whose potential equals `source`,
// `count` of them in all, spaced by equal flux; each ends where it meets
// another conductor or leaves the domain. `resolution` is the length the
// drawing resolves (the tracing step is about a third of it); 0 takes a
// share of the domain.
std::vector<Polyline> electricLines(const Field& field, double source, int count, double resolution = 0);

// Equipotential lines at `level`, chained into polylines (closed ones end
// on their first point).
std::vector<Polyline> contours(const Field& field, double level);

// Turns each line so that it runs along H = z x E of the given field (the
// wave travelling towards the viewer in a y-down drawing).
void orientMagnetic(const Field& field, std::vector<Polyline>& lines);

double length(const Polyline& line);

} // namespace tarvel::fieldsolve
