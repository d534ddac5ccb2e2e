// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer: the line parameters of a board cross-section from its
// field (analysis), and the dimensions that give wanted impedances, found
// by solving the field again and again (synthesis).
//
// A single line gives Z0, eeff, C and L per metre. A pair gives its even
// and odd modes (Z0e, Z0o, eeff of each), Zdiff = 2 Z0o, Zcm = Z0e / 2, the
// coupling k = (Z0e - Z0o) / (Z0e + Z0o) and the 2x2 matrices C and
// L = C_air^-1 / c^2 (per metre; the off-diagonal C is the Maxwell one,
// negative). An asymmetric pair (broadside with h1 != h2 or an offset) is in
// one dielectric, so every distribution of its currents travels at the same
// speed and the modes are not fixed by the field: its two modes are the
// pure differential drive (equal and opposite currents) and the common
// drive (both strips at one voltage), from the characteristic impedance
// matrix Z = v L = C_air^-1 / (c sqrt(er)) and its inverse Y:
// Zdiff = Z11 + Z22 - 2 Z12, Zcm = 1 / (Y11 + Y22 + 2 Y12), and
// Z0o = Zdiff / 2, Z0e = 2 Zcm as for a symmetric pair, where these are
// the odd and even modes. Far apart the strips are two lines: Zdiff the sum
// of their impedances, Zcm the two in parallel.
//
// Everything here is pure and may run on a worker thread: a cancel flag
// stops a solve at its next mesh, and a progress callback hears of every
// field solve.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "templates.h"

namespace tarvel::fieldsolve {

// The solver's tolerance for an answer (estimated relative error).
constexpr double kDesignTolerance = 5e-4;

struct Analysis {
    bool ok = false;
    bool converged = false; // the estimate reached the tolerance (else: best values, error as reached)
    bool cancelled = false;
    std::string failure; // Portuguese, when not ok
    bool pair = false;
    bool symmetric = true; // a pair whose modes are the even and odd modes
    // A single line.
    double z0 = 0, eeff = 0;
    double c = 0, l = 0; // F/m, H/m
    // A pair.
    double z0e = 0, z0o = 0, eeffE = 0, eeffO = 0, zdiff = 0, zcm = 0, k = 0;
    double cMatrix[2][2] = {}, lMatrix[2][2] = {}; // F/m, H/m; strip 1 the left (lower) one
    // The solve.
    double error = 0;   // estimated relative error
    double seconds = 0; // processor time
    int solves = 0;     // field solves
    std::size_t nodes = 0;
};

// Called after every field solve with the count so far; may be empty.
using Progress = std::function<void(int solves)>;

// The design's field solved at `tolerance`; a design that fails its checks
// gives their message.
Analysis analyse(const Design& design, double tolerance = kDesignTolerance,
                 const std::atomic<bool>* cancel = nullptr);
// The analysis of a design from its section's solution (what analyse()
// makes of the solve it does), for a caller that solved the section itself:
// designSection's, or `how` says which (a pair's matrixSection).
Analysis analysisOf(const Design& design, const SectionSolution& solution);
Analysis analysisOf(const Design& design, const SectionSolution& solution, Excitations how);

// What a synthesis aims at.
enum class Quantity { Z0, Zdiff, Z0e, Z0o };
const char* quantityName(Quantity q); // "Z0", "Zdiff", "Z0e", "Z0o"

struct Target {
    Quantity quantity;
    double value; // ohms
};

struct Synthesis {
    bool ok = false;        // the targets were met within 0.1 % (and the solver's estimate)
    bool reachable = true;  // false: no positive dimensions reach them
    bool cancelled = false;
    std::string failure;    // Portuguese, when not ok: why, and what was reached
    Design design;          // the dimensions found (or the nearest reachable ones)
    std::vector<std::string> varied;
    Analysis analysis;      // of `design`, at the full tolerance
    std::vector<double> reached; // per target: the value of `analysis`
    int solves = 0;         // field solves of the whole synthesis
    double seconds = 0;     // processor time of the whole synthesis
};

// The relative deviation from a target a synthesis accepts.
constexpr double kTargetTolerance = 1e-3;

// The reason targets and varied dimensions do not go together (empty when
// they do): one target with one varied length, or Z0e and Z0o with two;
// Z0 for a single line, Zdiff, Z0e and Z0o for a pair; a varied name must
// be a length of the template (not t).
std::string checkSynthesis(const Design& design, const std::vector<Target>& targets,
                           const std::vector<std::string>& vary);

// Finds the varied dimensions that meet the targets, starting from the
// design's values (or from a closed form where the template has one),
// the rest held.
Synthesis synthesise(const Design& start, const std::vector<Target>& targets, const std::vector<std::string>& vary,
                     const std::atomic<bool>* cancel = nullptr, const Progress& progress = {});

// The value of a quantity in an analysis.
double valueOf(const Analysis& a, Quantity q);

} // namespace tarvel::fieldsolve
