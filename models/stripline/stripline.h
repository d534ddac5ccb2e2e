// SPDX-License-Identifier: GPL-3.0-or-later
// Symmetric stripline: a strip of width W and thickness t centred between two
// ground planes b apart, the space filled with a dielectric of permittivity er.
// Single lines are analysed and synthesised in extended precision; the
// edge-coupled pair holds every named value as a 48-bit real.
#pragma once
#include "framework/core/typed_model.h"

namespace tarvel::stripline {

// ---- The single line (lengths in mm, f in GHz) ------------------------------

// The dielectric loses either by its loss tangent tand or by its
// conductivity sigmaD (S/m), as the window says; sigma (S/m) is the strip's.
struct Strip {
    Real f = 0, er = 0, sigma = 0, tand = 0, sigmaD = 0, W = 0, b = 0, t = 0;
};
// The wanted impedance in place of the width.
struct StripWanted {
    Real Z0 = 0, f = 0, er = 0, sigma = 0, tand = 0, sigmaD = 0, b = 0, t = 0;
};
// The line found: its width and impedance, the cut-off of the first higher
// mode fc (GHz), Rs (Ohm), the guided wavelength (cm), the open-end
// shortening dl (mm), the losses (dB/cm) and the quality factors.
struct StripLine {
    Real W = 0, Z0 = 0, fc = 0, Rs = 0, lambdaG = 0, dl = 0, alphaC = 0, alphaD = 0, alphaT = 0, Qc = 0, Qd = 0,
         Qt = 0;
};

extern const Checks<Strip> laminateChecks, conductingChecks;
Solved<StripLine> analyseOnLaminate(const Strip& in);   // by tand
Solved<StripLine> analyseOnConducting(const Strip& in); // by sigmaD
// Too high an impedance leaves no strip: the syntheses stop with an
// arithmetic fault.
extern const Checks<StripWanted> laminateWantedChecks, conductingWantedChecks;
Solved<StripLine> synthesiseOnLaminate(const StripWanted& in);
Solved<StripLine> synthesiseOnConducting(const StripWanted& in);

// Pieces of the single line.

// Open-end shortening (mm) for a guided wavelength lambdaG in cm.
Real endEffect(Real W, Real b, Real lambdaG);
// Surface resistivity of the conductor (Ohm).
Real surfaceResistivity(Real f, Real sigma);
// Wheeler's impedance of a strip of finite thickness (Ohm).
Real wheelerImpedance(Real W, Real b, Real t, Real er);
// Conductor loss (dB/cm) for a line of impedance Z0: the narrow-strip formula
// for W/(b - t) <= 0.35, the wide-strip one above.
Real conductorLoss(Real W, Real b, Real t, Real f, Real er, Real Z0);
// Cut-off frequency of the first higher mode (GHz).
Real cutoff(Real W, Real b, Real er);
// Dielectric loss (dB/cm) from a loss tangent, lambda0 in cm ...
Real lossTangentAttenuation(Real er, Real tand, Real lambda0);
// ... and from the conductivity of the dielectric (S/m).
Real conductingDielectricAttenuation(Real er, Real sigmaD);
// Width (mm) for a target impedance; may come out non-positive.
Real synthesisWidth(Real Z0, Real er, Real b, Real t);

// ---- Pieces of the edge-coupled pair (all 48-bit reals) --------------------

struct CoupledFactors {
    Real theta;        // pi S / (2 b)
    Real tanh, coth, sech, csch;
    Real Ae, Ao;       // even- and odd-mode factors
    Real Cf;           // Cohn's fringing term
    Real L;            // logarithmic term of the loss factors
    Real Ke, Ko;       // even- and odd-mode loss factors
};
CoupledFactors coupledFactors(Real S, Real b, Real t);
// Conductor loss (dB/cm) of one mode of impedance Z0m with loss factor K.
Real coupledConductorLoss(Real Rs, Real er, Real b, Real t, Real Z0m, Real K);

// ---- The edge-coupled pair (all 48-bit reals) -------------------------------

// Strips of width W a gap S apart.
struct CoupledPair {
    Real f = 0, er = 0, sigma = 0, tand = 0, W = 0, S = 0, b = 0, t = 0;
};
// The wanted impedances of the even and the odd mode in place of W and S.
struct CoupledWanted {
    Real Z0e = 0, Z0o = 0, f = 0, er = 0, sigma = 0, tand = 0, b = 0, t = 0;
};
// The pair found: its geometry and mode impedances, the guided wavelength
// (cm) and each mode's losses (dB/cm); the dielectric loss is one for both.
struct CoupledLine {
    Real W = 0, S = 0, Z0e = 0, Z0o = 0, lambdaG = 0, alphaCe = 0, alphaCo = 0, alphaD = 0, alphaTe = 0,
         alphaTo = 0;
};
// Both run their table on the inputs held as 48-bit reals.
extern const Checks<CoupledPair> coupledChecks;
Solved<CoupledLine> analyseCoupled(const CoupledPair& in);
extern const Checks<CoupledWanted> coupledWantedChecks;
Solved<CoupledLine> synthesiseCoupled(const CoupledWanted& in);

// A check of every window: the strip lies inside the board.
template <typename In>
bool stripInside(const In& in)
{
    return in.t < in.b;
}

// ---- The windows -----------------------------------------------------------

// The windows' models: control values in, checks, results in display order.
Outcome analysisLossTangent(const Inputs& in);  // TForm5
Outcome analysisConducting(const Inputs& in);   // TForm7
Outcome synthesisLossTangent(const Inputs& in); // TForm19
Outcome synthesisConducting(const Inputs& in);  // TForm22
Outcome coupledAnalysis(const Inputs& in);      // TForm20
Outcome coupledSynthesis(const Inputs& in);     // TForm27

// The copper thickness of a window in mm, as the models see it: a picked
// entry is listed in micrometres, a typed value is in millimetres.
Real thicknessMm(const Inputs& in);

const WindowDescription& stLinAnaWindow(); // TForm5
const WindowDescription& stLinConWindow(); // TForm7
const WindowDescription& stLinSinWindow(); // TForm19
const WindowDescription& stLSinCdWindow(); // TForm22
const WindowDescription& acSLMpAnWindow(); // TForm20
const WindowDescription& acSLSinWindow();  // TForm27

} // namespace tarvel::stripline
