// A pair of equal parallel microstrips: strips of width W and thickness t a
// gap S apart on a substrate of height h and relative permittivity er, over
// a ground plane. Both windows hold every named value as a 48-bit real.
#pragma once
#include "framework/core/window_description.h"

namespace tarvel::cmstrip {

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
};
// f (GHz), er, sigma (S/m), tand, W, S, h, t (mm); inputs already checked.
CoupledLine analyse(Real f, Real er, Real sigma, Real tand, Real W, Real S, Real h, Real t);

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

// ---- Models of the two windows ---------------------------------------------

Outcome analysis(const Inputs& in);  // TForm26
Outcome synthesis(const Inputs& in); // TForm29

// The information box shown when the wanted impedances are out of reach.
extern const char* const notConverged;
// ... and when they need a width or gap finer than the results show.
extern const char* const belowResolution;

const WindowDescription& acMSMpAnWindow(); // TForm26
const WindowDescription& acMSSinWindow();  // TForm29

} // namespace tarvel::cmstrip
