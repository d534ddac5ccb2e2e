// Symmetric stripline: a strip of width W and thickness t centred between two
// ground planes b apart, the space filled with a dielectric of permittivity er.
// Single lines are analysed and synthesised in extended precision; the
// edge-coupled pair holds every named value as a 48-bit real.
#pragma once
#include "framework/core/window_description.h"

namespace tarvel::stripline {

// The copper thickness of `ComboBox3` in mm: a picked entry is listed in
// micrometres, a typed value is in millimetres.
Real thicknessMm(const Inputs& in);

// ---- Pieces of the single line (lengths in mm, f in GHz) -------------------

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

// ---- Models of the six windows ---------------------------------------------

Outcome analysisLossTangent(const Inputs& in);  // TForm5
Outcome analysisConducting(const Inputs& in);   // TForm7
Outcome synthesisLossTangent(const Inputs& in); // TForm19
Outcome synthesisConducting(const Inputs& in);  // TForm22
Outcome coupledAnalysis(const Inputs& in);      // TForm20
Outcome coupledSynthesis(const Inputs& in);     // TForm27

const WindowDescription& stLinAnaWindow(); // TForm5
const WindowDescription& stLinConWindow(); // TForm7
const WindowDescription& stLinSinWindow(); // TForm19
const WindowDescription& stLSinCdWindow(); // TForm22
const WindowDescription& acSLMpAnWindow(); // TForm20
const WindowDescription& acSLSinWindow();  // TForm27

} // namespace tarvel::stripline
