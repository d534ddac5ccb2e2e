// SPDX-License-Identifier: GPL-3.0-or-later
// A strip of width W and thickness t on a substrate of height h over a ground
// plane, and the slotline cut in the metallisation of such a substrate.
//
// One model chain serves the microstrip windows: analysis (width in,
// impedance out) and synthesis (target impedance in, width out), each over a
// substrate whose loss is a loss tangent or a conductivity. The chain holds
// every named intermediate value as a 48-bit real, as the project files do.
#pragma once
#include "framework/core/typed_model.h"
#include "models/physics.h"

namespace tarvel::microstrip {

// How the substrate's dielectric loss is given.
enum class SubstrateLoss { Tangent, Conductivity };

// The two bounds used between the first and the middle conductor-loss range:
// the rounded one of the loss-tangent windows and 1/(2 pi) as stored.
inline constexpr Real roundedNarrowBound = 0.1592L;
inline constexpr Real exactNarrowBound = physics::invTwoPi;

// Where the windows of the family differ inside the chain.
struct Variant {
    Real narrowBound = roundedNarrowBound; // u at or below it: first conductor-loss range
    SubstrateLoss loss = SubstrateLoss::Tangent;
};

// f in GHz, conductivities in S/m, lengths in mm. `loss` is tand or the
// substrate conductivity sigma_d, as the variant says.
struct Substrate {
    Real f = 0, er = 0, sigma = 0, loss = 0, h = 0, t = 0;
};

// Everything the chain computes. `fault` is the first arithmetic fault met
// on the way (the chain runs to the end, but the values after it are void).
struct Line {
    Real W = 0, We = 0;
    Real Z0 = 0, eeff = 0, lambdaG = 0, dl = 0, Rs = 0;
    Real alphaC = 0, alphaD = 0, alphaT = 0;
    Real eeffF = 0, Z0F = 0, F = 0;
    Real Qr = 0, Qd = 0, Qc = 0, Qt = 0;
    Fault fault = Fault::None;
};

// The line of width W (mm): thickness correction, Wheeler's impedance and the
// rest of the chain on it.
Line analyse(const Substrate& s, Real W, const Variant& v);
// The width for the target impedance Z0 (Wheeler's inverse, then the
// thickness correction taken off), and the rest of the chain on that width
// with the target impedance.
Line synthesise(const Substrate& s, Real Z0, const Variant& v);

// A strip of width W (mm) on a substrate, as an analysis window gives it.
// f in GHz, sigma in S/m, `loss` the loss tangent or the substrate
// conductivity in S/m, h and t in mm.
struct Strip {
    Real f = 0, er = 0, sigma = 0, loss = 0, W = 0, h = 0, t = 0;
};
// The impedance wanted (ohms) in place of the width, as a synthesis window
// gives it.
struct StripWanted {
    Real Z0 = 0, f = 0, er = 0, sigma = 0, loss = 0, h = 0, t = 0;
};

// The windows check alike but for their spellings, and each window runs
// its own variant of the chain: on a loss tangent (laminate) with the
// rounded bound, on a conducting substrate with the exact one (analysis) or
// the rounded one (synthesis).
extern const Checks<Strip> laminateAnalysisChecks;
extern const Checks<Strip> conductingAnalysisChecks;
extern const Checks<StripWanted> laminateSynthesisChecks;
extern const Checks<StripWanted> conductingSynthesisChecks;
Solved<Line> analyseOnLaminate(const Strip& in);
Solved<Line> analyseOnConducting(const Strip& in);
Solved<Line> synthesiseOnLaminate(const StripWanted& in);
Solved<Line> synthesiseOnConducting(const StripWanted& in);

// Slotline by the Garg-Gupta fit: f (GHz), er, W and h (mm).
struct Slot {
    Real Z0 = 0, eeff = 0, hc = 0, lambdaS = 0;
    Real ratio = 0; // h/lambda0, for the validity warning
    Fault fault = Fault::None;
};
Slot slotline(Real f, Real er, Real W, Real h);

// The slot of width W cut over a substrate of height h, with the fit's
// range checked and a warning where h/lambda0 lies outside its own.
struct SlotCut {
    Real f = 0, er = 0, W = 0, h = 0;
};
extern const Checks<SlotCut> slotChecks;
Solved<Slot> analyseSlot(const SlotCut& in);

// The window models: control values in, checks, results in display order.
Outcome analysisModel(const Inputs& in);           // TForm4, loss tangent
Outcome analysisConductingModel(const Inputs& in); // TForm6, substrate conductivity
Outcome synthesisModel(const Inputs& in);          // TForm17, loss tangent
Outcome synthesisConductingModel(const Inputs& in); // TForm18, substrate conductivity, plain fields
Outcome slotlineModel(const Inputs& in);           // TForm8

const WindowDescription& micFtAnaWindow(); // TForm4
const WindowDescription& miFMtConWindow(); // TForm6
const WindowDescription& micstSinWindow(); // TForm17
const WindowDescription& mstSinCdWindow(); // TForm18
const WindowDescription& slotAnaWindow();  // TForm8

} // namespace tarvel::microstrip
