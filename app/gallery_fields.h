// Field lines for the gallery drawings. The cross-section of a line is
// solved as a two-dimensional electrostatic problem (finite differences on
// a square grid, dielectric layers included); the electric lines are traced
// from the conductors at equal flux steps, and the magnetic lines of the
// quasi-TEM wave are the equipotentials of the same cross-section filled
// with air. Coordinates are the drawing's own: x to the right, y downwards.
// The wave travels towards the viewer, so H = z x E points along (Ey, -Ex).
#pragma once
#include <cstddef>
#include <vector>

namespace tarvel::gallery {

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
    Box box;
    double potential = 0;
};

struct Layer {
    Box box;
    double eps = 1;
};

// The outer edge of the domain is held at potential 0 (a distant shield).
struct Problem {
    Box domain;
    std::vector<Conductor> conductors;
    std::vector<Layer> dielectrics; // permittivity 1 elsewhere
    double step = 1;
};

class Field {
public:
    // Solves the problem; `air` ignores the dielectrics.
    static Field solve(const Problem& problem, bool air = false);

    double potential(Pt p) const;
    Pt electric(Pt p) const; // -grad(potential)
    double eps(Pt p) const;
    // Index of the conductor that holds p, or -1.
    int conductorAt(Pt p) const;
    const Problem& problem() const { return problem_; }
    int iterations() const { return iterations_; }

private:
    Problem problem_;
    bool air_ = false;
    int nx_ = 0, ny_ = 0;
    double h_ = 1;
    std::vector<double> phi_;
    int iterations_ = 0;
    double node(int i, int j) const { return phi_[static_cast<std::size_t>(j) * nx_ + i]; }
    friend std::vector<Polyline> contours(const Field& field, double level);
};

// Electric lines leaving the conductors whose potential equals `source`,
// `count` of them in all, spaced by equal flux; each ends where it meets
// another conductor or leaves the domain.
std::vector<Polyline> electricLines(const Field& field, double source, int count);

// Equipotential lines at `level`, chained into polylines (closed ones end
// on their first point).
std::vector<Polyline> contours(const Field& field, double level);

// Turns each line so that it runs along H = z x E of the given field.
void orientMagnetic(const Field& field, std::vector<Polyline>& lines);

double length(const Polyline& line);

} // namespace tarvel::gallery
