// SPDX-License-Identifier: GPL-3.0-or-later
// What the losses of a line need from its static field, taken from the
// solved fields of every mesh and extrapolated over the meshes as the
// capacitances are.
//
// Conductor loss. In a TEM wave the magnetic field at a metal surface is
// tangential and the surface current is Js = |Ht| = |En| / eta0 in air, so
// in the field of the line in air at 1 V, Js = c rho_s: the surface current
// follows the surface charge, Js / I = rho_s / Q. With the surface
// resistance Rs of a metal much thicker than its skin depth, the power lost
// per metre, (1/2) Rs times the integral of |Js|^2 round the metal, is
// (1/2) R I^2, so R = Rs times the integral of (rho_s / Q)^2 (the same
// integral as Wheeler's incremental-inductance rule, which is that
// integral written as the capacitance's derivative with respect to the
// walls). On the mesh the charge is exact: the reaction of each fixed node,
// the derivative of the discrete energy with respect to its potential. Each
// node's charge, per side of the metal, spread over the node's half of the
// surface segments beside it, gives the integral as a sum.
//
// Dielectric loss. The electric energy of the field with the dielectric,
// cell by cell, split between the layers: each layer's share (its filling
// factor) weights its loss tangent, G = omega C sum(share_i tan delta_i).
#pragma once
#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "sections.h"

namespace tarvel::fieldsolve {

// The metals of a line, each of its own conductivity and roughness: the
// signal conductors (the strips, the inner conductor, the wires) and the
// return (ground planes and coplanar grounds, the outer conductor).
enum class Metal { Signal = 0, Return = 1 };
constexpr std::size_t kMetals = 2;

// A metal surface of the solved part of a section.
struct MetalSurface {
    enum class Wall { Left, Right, Bottom, Top };
    int conductor = -1;     // a conductor of the problem, or -1 for the wall `wall`
    Wall wall = Wall::Bottom;
    Metal metal = Metal::Signal;
    // The integral of rho_s^2 round this metal in the whole line over its
    // integral in the solved part: the copies of the solved part; for a
    // line in a conformal plane, where the field along the conductor is
    // uniform, the integral over the whole conductor of 1 / (the map's
    // scale factor) per unit of the solved part's length along it.
    double weight = 1;
};

// How the solved part of a section stands for the line: what a section
// needs besides its excitations for its losses. Each excitation is a mode
// (the single line's, or the even and odd modes of a symmetric pair, per
// strip) with the same signal conductor at 1 V in its problem.
struct LossFrame {
    std::vector<MetalSurface> surfaces;
    int signal = 0;         // the conductor at 1 V whose charge measures the current
    double currentShare = 1; // line current over that charge (per unit of its potential)
    // The metal's cross-section for the resistance at DC (lengths squared
    // in the geometry's unit; 0 where the metal is unbounded, a plane), and
    // how many such conductors the current of the line runs through.
    std::array<double, kMetals> area{};
    std::array<int, kMetals> count{1, 1};
    // Whether the metal has no edge of zero thickness: at such an edge the
    // charge grows as the inverse square root of the distance, its square
    // is not integrable, and the conductor loss of this model is infinite.
    bool finite = true;
    bool pair = false; // the excitations are the even and the odd mode of a symmetric pair
    // A pair solved by its strips' voltages: the excitations are (1, 0),
    // (0, 1) and (1, 1) on the whole section, each surface integral kept as
    // it is (per volt, not per the current) for the pair's matrices.
    bool matrix = false;
    // The largest transverse dimension (the geometry's unit) and the
    // densest dielectric's permittivity: where the quasi-static model ends.
    double size = 0;
    double erMax = 1;
    // Why the losses of the section are not found (empty when they are).
    std::string unsupported;
};

LossFrame lossFrame(const Geometry& g);
// The largest transverse dimension of a structure's cross-section.
double crossSection(const Geometry& g);

// The charges and energies of one solved field.
struct FieldShares {
    double charge = 0; // on the frame's signal conductor, per eps0
    // Per metal, the surface's weight times the sum over its nodes and
    // sides of charge^2 / surface length (per eps0^2).
    std::array<double, kMetals> surface{};
    // The electric energy per eps0 in each dielectric layer of the problem
    // (index as in Problem::dielectrics), and last, outside every layer.
    std::vector<double> energy;
};
FieldShares fieldShares(const Field& field, const LossFrame& frame);

// Per mode of the line.
struct ModeLosses {
    // R / Rs of each metal at a high frequency (smooth metal), per unit of
    // the geometry's length: divide by the unit in metres for ohms per
    // metre per ohm of surface resistance. Of a matrix frame's excitation,
    // the integral of the squared charge per volt (per eps0^2) instead.
    std::array<double, kMetals> surface{};
    // The share of the electric energy in each dielectric layer, in the
    // order of the problem's layers (what is left is in air); a line in a
    // conformal plane has one share, 1, of its one dielectric.
    std::vector<double> filling;
};

struct LossSolution {
    SectionSolution statics; // the section's static solution, one capacitance per mode
    LossFrame frame;
    std::vector<ModeLosses> modes; // one, or the even and the odd mode
    // Estimated relative error of the conductor-loss integrals (the largest
    // of the metals and the modes), from the meshes as for the capacitance.
    double surfaceError = 0;
};

// The static solve of a section with the losses' quantities from the
// fields of its every mesh (no more solving than the static solve's own).
// Where the frame's metal is not finite the surface integrals are left at
// zero.
LossSolution solveLosses(const Section& section, const LossFrame& frame, double tolerance = 5e-4,
                         const MeshOptions& mesh = {}, const std::atomic<bool>* cancel = nullptr);
// The same for a line structure of the windows (refused, with the reason
// in the failure, when invalidGeometry refuses it).
LossSolution solveLosses(const Geometry& g, double tolerance = 5e-4, const MeshOptions& mesh = {},
                         const std::atomic<bool>* cancel = nullptr);

} // namespace tarvel::fieldsolve
