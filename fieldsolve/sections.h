// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-sections of the line structures and their quasi-static
// parameters from the field: capacitance per unit length with the
// dielectric and with air, Z0 = 1/(c sqrt(C C_air)), eeff = C/C_air, and the
// even and odd modes of the coupled lines by a symmetry wall.
//
// Any cross-section is solved by one loop (solveSection) over a
// description that says only which problems to solve and how their field
// energies become capacitances: the meshes are refined by halving every
// cell until Richardson's estimate between the last meshes is within the
// tolerance, every problem of the section sharing each mesh and one
// analysis of its system's pattern; an open section lies in a grounded box
// far from it, whose own effect is estimated from a box half as large.
//
// The line structures of the windows are such sections. Each planar one is
// solved on half of its cross-section (x >= 0): a mirror wall on the
// symmetry plane for a single strip or an even mode, a grounded wall for a
// balanced line or an odd mode.
//
// Round conductors (coaxial and two-wire lines) are solved in the plane
// where the conformal map of their cross-section is a rectangle (ln r and
// the angle for the coaxial line, bipolar coordinates for the two wires):
// their field there is exact on any mesh.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "field.h"
#include "framework/core/line_section.h"
#include "models/physics.h"

namespace tarvel::fieldsolve {

// ---------------------------------------------------------------------------
// A cross-section of any structure
// ---------------------------------------------------------------------------

// How far the distant box of an open section lies, in sizes of the
// structure, when it is solved; its effect is estimated from a box at half
// that distance.
constexpr double kBoxSizes = 1000;

// One problem solved for a section: one excitation of its conductors. It
// may be a mode of a symmetric structure solved on half of it (a mirror
// wall on the symmetry plane for the even mode, a grounded wall for the odd
// mode), or, for an asymmetric pair, one conductor at 1 V and the other at
// 0 V, or both at 1 V; the capacitance matrix follows from those
// (C11 = C(1,0), C22 = C(0,1), C12 = (C(1,1) - C11 - C22) / 2, the mutual
// capacitance being -C12).
struct Excitation {
    // The problem with its distant box `boxSizes` sizes of the structure
    // away (kBoxSizes, or half of it for the box's estimate). A problem
    // with no distant box (a closed section) may ignore the argument. The
    // problems of all excitations of a section must have the same domain,
    // conductors' boxes and dielectrics for any one `boxSizes`: they differ
    // only in their walls and in their conductors' potentials, since they
    // share each mesh (made for the first excitation's problem).
    std::function<Problem(double boxSizes)> problem;
    // Capacitance per unit length over eps0, divided by the energy per
    // eps0 of the problem's field (Field::energy()). For one conductor at
    // 1 V and the rest at 0 V on the whole section this is 2 (C = 2 W / V^2);
    // a half section solved by symmetry doubles it, a quarter quadruples
    // it; for a balanced pair at +1 V and -1 V (2 V apart) it is halved.
    double factor = 2;
};

struct Section {
    std::vector<Excitation> excitations; // at least one
    // Whether the section reaches a distant grounded box standing for
    // infinity (a line in the open, or the open sides of a stripline): its
    // effect is estimated by solving again in a box half as far, and
    // counted in the error.
    bool open = true;
    // The size of a line in the open whose field spreads in every
    // direction: cells further than thirty such sizes from the structure
    // stop halving after the third mesh (they hold some 0.1 % of the
    // energy). 0: every cell halves. Ignored when the mesh options set
    // their own `far`.
    double farSize = 0;
    // One dielectric fills the whole section homogeneously: only the field
    // in air is solved and the capacitance with the dielectric is `er`
    // times it.
    bool homogeneous = false;
    double er = 1;
    // The field of the problem is exact on any mesh (a conformal map onto a
    // rectangle with a uniform field): one mesh is solved and its error is 0.
    bool exact = false;
};

// The capacitance per unit length of one excitation.
struct Capacitance {
    double c = 0;           // F/m, with the dielectrics
    double cAir = 0;        // F/m, with every dielectric replaced by vacuum
    double relative = 0;    // c over eps0, as the field gives it
    double relativeAir = 0; // cAir over eps0
};

// Metal thinner than a thousandth of the smallest other feature of the
// section is meshed as metal a thousandth as thick would be, so that its
// meshes stay within the node limit; the estimate covers it as any other.
//
// A solve refines until its estimated error is within the tolerance or a
// limit of the mesh stops it: no more than seven meshes, and no mesh of more
// than 400000 nodes. A limit reached after the three meshes an estimate
// needs leaves a solution (ok) that has not converged, the values the best
// extrapolation and `error` the estimate reached; one reached before leaves
// no solution, its failure naming the limit.
struct SectionSolution {
    bool ok = false;
    bool converged = false;               // ok, and the estimated error within the tolerance
    std::string failure;                  // why there is no solution (Portuguese)
    std::vector<Capacitance> capacitance; // one per excitation, in their order
    double error = 0;    // estimated relative error: the mean of the errors of C and C_air of the
                         // worst excitation (that of its Z0 = 1/(c sqrt(C C_air))), plus the box's
                         // share; 0 only for an exact section
    double boxError = 0; // the part of it due to the distant box
    double seconds = 0;  // processor time of the solution
    std::size_t nodes = 0; // nodes of the finest mesh
    int levels = 0;        // meshes solved (the box's estimate not counted)
    bool cancelled = false; // stopped by the caller before it finished
};

// Solves the section, refining until the estimated error is within
// `tolerance` or a limit of the mesh is reached. The mesh options' `far`
// left at 0 becomes thirty times the section's `farSize`. When `cancel` is
// given and becomes true the solve stops at its next mesh and returns with
// `cancelled` set and no solution. The solver keeps no state between
// calls; the excitations' problems are called on the calling thread.
//
// `visit`, when given, sees the fields of every mesh of the refinement (not
// the box's estimate), for quantities extrapolated over the meshes as the
// capacitances are (the losses of a line).
struct MeshFields {
    int level = 0; // the mesh's place in the refinement, from 0
    long split = 1; // each cell of the coarsest mesh divided into split x split (Mesh::divided)
    bool withDielectric = false; // each excitation has its field with the dielectrics
    // Per excitation, in their order: the field with the dielectrics (when
    // the section is not homogeneous) then the field in air.
    const std::vector<Field>* fields = nullptr;
    std::size_t count() const { return fields->size() / (withDielectric ? 2 : 1); }
    const Field& air(std::size_t e) const { return (*fields)[withDielectric ? 2 * e + 1 : e]; }
    // The field with the dielectrics (of a homogeneous section, the one in
    // air, the same field).
    const Field& dielectric(std::size_t e) const { return (*fields)[withDielectric ? 2 * e : e]; }
};
using MeshVisitor = std::function<void(const MeshFields&)>;

// Richardson's extrapolation of a quantity from its values q0, q1, q2 on
// three meshes, each finer than the one before by the ratio of their cell
// sizes (r1 from the first to the second, r2 from the second to the
// third; 2 when a mesh halves the cells): the order of convergence is the
// one the three values follow, within [minOrder, 4], or 1 when they do not
// converge monotonically. The limit is q2 - step.
struct Extrapolated {
    double limit = 0;
    double step = 0;
};
Extrapolated extrapolate(double q0, double q1, double q2, double r1, double r2, double minOrder = 1);

SectionSolution solveSection(const Section& section, double tolerance = 5e-4, const MeshOptions& mesh = {},
                             const std::atomic<bool>* cancel = nullptr, const MeshVisitor& visit = {});

// ---------------------------------------------------------------------------
// The line structures of the windows
// ---------------------------------------------------------------------------

// The kinds of line of the windows, as their bindings name them.
using Structure = SectionKind;

// Lengths in any one unit (the windows use mm).
struct Geometry {
    Structure structure = Structure::Microstrip;
    double w = 0;  // strip width: microstrip, stripline, CPW centre strip, each CPS or coupled strip
    double s = 0;  // CPW slot, CPS gap, spacing of coupled strips; slotline: slot width
    double h = 0;  // substrate height; stripline: the spacing b of the plates
    double t = 0;  // metal thickness (planar lines)
    double er = 1; // relative permittivity of the substrate or filling
    double d = 0;  // two-wire: wire diameter; coax: inner conductor diameter
    double D = 0;  // two-wire: centre spacing; coax: inside diameter of the outer conductor
};

enum class Mode { Single, Even, Odd };

struct LineParameters {
    double z0 = 0;   // Ohms
    double eeff = 0;
    double c = 0;    // F/m, with the dielectric
    double cAir = 0; // F/m, in air
};

// Z0 and eeff of a line whose signal conductor has this capacitance.
LineParameters lineParameters(const Capacitance& c);

// The solution of a geometry, as that of its section.
struct Solution {
    bool ok = false;
    bool converged = false; // ok, and the estimated error within the tolerance
    std::string failure;         // why there is no solution
    bool coupled = false;
    LineParameters single, even, odd;
    double error = 0;    // estimated relative error of Z0 (the larger of the modes); 0 only when exact
    double boxError = 0; // the part of it due to the box around an open line
    double seconds = 0;  // processor time of the solution
    std::size_t nodes = 0; // nodes of the finest mesh
    int levels = 0;        // meshes solved
    bool cancelled = false; // stopped by the caller before it finished
};

// Whether the structure has a quasi-static (TEM) check at all: a slotline
// has none, its mode being no TEM wave and the static capacitance of two
// coplanar half-planes unbounded.
bool hasQuasiStaticCheck(Structure s);

// The reason a geometry cannot be solved (empty when it can), in
// Portuguese, naming what is wrong: a relative permittivity not within 1 to
// 1e6, a length not within 1e-9 to 1e9 of the geometry's unit, or scales
// further apart than 1e5 (1e6 for the metal's thickness).
std::string invalidGeometry(const Geometry& g);

// Half of the cross-section for one mode, with the distant box `boxFactor`
// sizes of the structure away, as solved (of a stripline, only the part
// below the strip's mid-plane is solved, a mirror of the field).
Problem halfSection(const Geometry& g, Mode mode, double boxFactor);

// The whole cross-section, the signal conductors at +1 (and -1 for the
// balanced lines and the odd mode), for drawing; `margin` sizes of the
// structure around it.
Problem wholeSection(const Geometry& g, Mode mode, double margin);

// The section solved for a geometry: its modes (single, or even and odd)
// in that order.
Section section(const Geometry& g);

// The section of the geometry solved, unless the geometry is invalid. The
// mesh's `far` left at 0 becomes, for a line in the open, thirty sizes of
// the structure. When `cancel` is given and becomes true the solve stops
// at its next mesh and returns with `cancelled` set and no solution.
Solution solve(const Geometry& g, double tolerance = 5e-4, const MeshOptions& mesh = {},
               const std::atomic<bool>* cancel = nullptr, const MeshVisitor& visit = {});

} // namespace tarvel::fieldsolve
