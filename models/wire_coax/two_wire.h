// SPDX-License-Identifier: GPL-3.0-or-later
// Two parallel round conductors of diameter d, centre to centre S apart, in a
// homogeneous dielectric.
#pragma once
#include "framework/core/typed_model.h"

namespace tarvel::wire {

// f in GHz, sigma in S/m, S and d in mm.
struct Pair {
    Real f = 0, er = 0, sigma = 0, tand = 0, S = 0, d = 0;
};
// L in nH/m, C in pF/m, Rs in ohms, R in ohms/m, G in µS/m, losses in dB/m.
struct PairLine {
    Real Z0 = 0, L = 0, C = 0, Rs = 0, R = 0, G = 0, alphaC = 0, alphaD = 0, alphaT = 0;
};
extern const Checks<Pair> pairChecks;
Solved<PairLine> analyse(const Pair& in);

// The wanted impedance and total attenuation (dB/m) in place of the geometry.
struct PairWanted {
    Real Z0 = 0, f = 0, er = 0, sigma = 0, tand = 0, alphaT = 0;
};
// S and d in mm; the rest as in PairLine.
struct PairDesign {
    Real S = 0, d = 0, L = 0, C = 0, Rs = 0, R = 0, G = 0, alphaD = 0, alphaC = 0;
};
extern const Checks<PairWanted> wantedChecks;
Solved<PairDesign> synthesise(const PairWanted& in);

// The windows' models: control values in, checks, results in display order.
Outcome analysis(const Inputs& in);  // TForm2
Outcome synthesis(const Inputs& in); // TForm16

const WindowDescription& bifiAnaWindow(); // TForm2
const WindowDescription& bifiSinWindow(); // TForm16

} // namespace tarvel::wire
