// SPDX-License-Identifier: GPL-3.0-or-later
// The coaxial cable: an inner conductor of diameter 2a inside an outer
// conductor of inner diameter 2b, filled with a homogeneous dielectric.
#pragma once
#include "framework/core/typed_model.h"

namespace tarvel::coax {

// f in GHz, sigma in S/m, the dielectric strength Emax in kV/mm, the
// diameters 2b (inside of the outer conductor) and 2a in mm.
struct Cable {
    Real f = 0, er = 0, sigma = 0, Emax = 0, tand = 0, d2b = 0, d2a = 0;
};
// fc (cut-off of the first higher mode) in GHz, L in nH/m, C in pF/m, Rs in
// ohms, R in ohms/m, v in 1e8 m/s, Pmax in 1e6 W, losses in dB/m, G in µS/m.
struct CableLine {
    Real Z0 = 0, fc = 0, L = 0, C = 0, Rs = 0, R = 0, v = 0, Pmax = 0, alphaC = 0, alphaD = 0, G = 0, alphaT = 0;
};
extern const Checks<Cable> cableChecks;
Solved<CableLine> analyse(const Cable& in);

// The wanted impedance and total attenuation (dB/m) in place of the diameters.
struct CableWanted {
    Real Z0 = 0, f = 0, er = 0, sigma = 0, Emax = 0, tand = 0, alphaT = 0;
};
struct CableDesign {
    Real d2b = 0, d2a = 0, fc = 0, L = 0, C = 0, Rs = 0, R = 0, v = 0, Pmax = 0, alphaC = 0, alphaD = 0, G = 0;
};
extern const Checks<CableWanted> wantedChecks;
Solved<CableDesign> synthesise(const CableWanted& in);

// The windows' models: control values in, checks, results in display order.
// A cable picked from the analysis window's list supplies er in place of
// the dielectric box.
Outcome analysis(const Inputs& in);  // TForm3
Outcome synthesis(const Inputs& in); // TForm15

const WindowDescription& coaxAnaWindow(); // TForm3
const WindowDescription& coaxSinWindow(); // TForm15

} // namespace tarvel::coax
