// SPDX-License-Identifier: GPL-3.0-or-later
// A pair of equal parallel microstrips: strips of width W and thickness t a
// gap S apart on a substrate of height h and relative permittivity er, over
// a ground plane. Both windows hold every named value as a 48-bit real.
#pragma once
#include "framework/core/real48.h"
#include "framework/core/typed_model.h"

namespace tarvel::cmstrip {

// The substrate heights both windows take start at 0.13 mm, compared as the
// 48-bit real the models hold.
inline bool heightInRange(Real h) { return h >= r48(0.13L); }
// The strips must be thinner than the substrate.
template <typename Board>
bool thinnerThanSubstrate(const Board& b)
{
    return b.t < b.h;
}

// ---- Single-strip pieces shared by both windows (lengths in mm) ------------

// Effective width ratio We/h and conductor-loss factor of one strip of width
// ratio u = W/h and thickness ratio tr = t/h.
struct StripWidth {
    Real ue;
    Real A;
};
StripWidth effectiveWidth(Real u, Real tr, Real W, Real t);

// Conductor loss (dB/cm) of one mode of impedance Z, for a strip of width
// ratio u; epsLoss is the permittivity that the wide-strip formula uses.
Real conductorLoss(Real u, const StripWidth& sw, Real Rs, Real Z, Real epsLoss, Real h);
// Dielectric loss (dB/cm) of a mode of effective permittivity eeff; an air
// substrate (er = 1) has none.
Real dielectricLoss(Real er, Real eeff, Real tand, Real lambda0);

// ---- Analysis: the even- and odd-mode capacitance model --------------------

struct CoupledLine {
    Real Z0;            // the single strip alone
    Real Z0e, Z0o, eeffE, eeffO;
    Real alphaCE, alphaCO, alphaDE, alphaDO;
    Real alphaTE, alphaTO; // each mode's total loss
};
// f (GHz), er, sigma (S/m), tand, W, S, h, t (mm); inputs already checked.
CoupledLine analyse(Real f, Real er, Real sigma, Real tand, Real W, Real S, Real h, Real t);

// The pair as the analysis takes it, in the units above.
struct Pair {
    Real f = 0, er = 0, sigma = 0, tand = 0, W = 0, S = 0, h = 0, t = 0;
};
extern const Checks<Pair> pairChecks;
// The inputs held as 48-bit reals, checked, then the analysis above.
Solved<CoupledLine> analyse(const Pair& in);

// ---- Synthesis: closed-form start point and the model it approximates ------

struct Ratios {
    Real u; // W/h
    Real g; // S/h
};
// Closed-form width and gap ratios for wanted Z0e > Z0o > 0 on er.
Ratios startPoint(Real Z0e, Real Z0o, Real er);

struct ModePermittivities {
    Real even, odd;
};
ModePermittivities modePermittivities(Real u, Real g, Real er);

struct ModeImpedances {
    Real even, odd;
};
// The even- and odd-mode impedances of the pair at (u, g).
ModeImpedances modeImpedances(Real u, Real g, Real er);

struct Refinement {
    Ratios point;      // the refined point, or the start point when not converged
    bool converged = false;
    int iterations = 0; // Newton steps taken
};
// Moves (u, g) from `start` until the model's impedances meet the wanted ones
// within a relative 1e-4. Leaves the floating-point flags as it found them.
Refinement refine(Ratios start, Real Z0e, Real Z0o, Real er);

// The wanted mode impedances (ohms) in place of the width and the gap.
struct Wanted {
    Real Z0e = 0, Z0o = 0, f = 0, er = 0, sigma = 0, tand = 0, h = 0, t = 0;
};
// W and S in mm, each mode's permittivity and losses (dB/cm).
struct PairDesign {
    Real W = 0, S = 0, eeffE = 0, eeffO = 0;
    Real alphaCE = 0, alphaDE = 0, alphaTE = 0, alphaCO = 0, alphaDO = 0, alphaTO = 0;
};
extern const Checks<Wanted> wantedChecks;
// The inputs held as 48-bit reals, checked, the start point refined, and
// the pair's permittivities and losses there.
Solved<PairDesign> synthesise(const Wanted& in);

// The information box shown when the wanted impedances are out of reach.
extern const char* const notConverged;
// ... and when they need a width or gap finer than the results show.
extern const char* const belowResolution;

// ---- Models of the two windows ---------------------------------------------

// Control values in, checks, results in display order.
Outcome analysis(const Inputs& in);  // TForm26
Outcome synthesis(const Inputs& in); // TForm29

const WindowDescription& acMSMpAnWindow(); // TForm26
const WindowDescription& acMSSinWindow();  // TForm29

} // namespace tarvel::cmstrip
