// SPDX-License-Identifier: GPL-3.0-or-later
// Coplanar lines on a substrate of finite height, by conformal mapping.
//
// The coplanar waveguide (CPW) is a centre strip of width W between two slots
// of width S in a ground plane; coplanar strips (CPS) are two strips of width
// W a gap S apart. Both map onto a parallel-plate capacitor whose plate ratio
// is the elliptic-integral ratio K(k)/K'(k), with k the aspect ratio of the
// cross-section. The two structures share one chain of formulas and differ
// in the few constants and directions that `Layout` holds. Lengths are in
// mm, f in GHz, losses in dB/cm; every named value is held as a 48-bit real.
#pragma once
#include "framework/core/typed_model.h"

namespace tarvel::coplanar {

// r = K(k)/K'(k) and the conductor-loss factor P.
struct EllipticRatio {
    Real r;
    Real P;
};

// The closed forms of r and P: the first for 0 <= ke <= bound, the second
// for bound < ke <= 1. kep is ke' = sqrt(1 - ke^2) as the chain holds it.
// Both values come back rounded as 48-bit reals. An aspect ratio outside
// [0, 1] (or NaN) has no ratio: r and P are NaN, with the invalid flag.
EllipticRatio ellipticRatio(Real ke, Real kep, Real bound);

// What the two cross-sections do differently in the chain.
struct Layout {
    // +1: the thickness correction widens the strip and narrows the slots
    // (CPW); -1: it narrows the strips and widens the gap (CPS).
    int thicknessDirection;
    // The aspect ratio is W/(W + 2S) (false, CPW) or S/(S + 2W) (true, CPS).
    bool gapOverStrips;
    // eeff = eeff0 - (c (eeff0 - 1) t/Se) / (r^p + c t/Se): c and p.
    Real fillConstant;
    int fillRatioPower;
    // Z0 = impedanceConstant r^p / sqrt(eeff): the constant and p.
    Real impedanceConstant;
    int impedanceRatioPower;
    // B = (b0 + b1 We/Se + b2 (1.25 t/(pi Se)) (1 + ln(4 pi We/t)))^2
    Real b0, b1, b2;
    // alpha_c = (A/B)(1 + We/Se)(P'/(pi Se)) Rs lossConstant times Z0 eeff
    // (CPW) or divided by Z0 (CPS).
    Real lossConstant;
    bool lossOverImpedance;
    // The refusals when the thickness correction leaves no strip (We <= 0)
    // or no gap (Se <= 0).
    const char* noStripLeft;
    const char* noGapLeft;
};

extern const Layout waveguide; // CPW
extern const Layout strips;    // CPS

enum class Dielectric { LossTangent, Conducting };

// The board of every window: f in GHz, sigma in S/m, lengths in mm. `loss` is
// the loss tangent or the substrate conductivity (S/m), as the window's
// dielectric is.
struct Board {
    Real f = 0, er = 0, sigma = 0, loss = 0, W = 0, S = 0, h = 0, t = 0;
};
// Rs in ohms, losses in dB/cm, then the quality factors.
struct BoardLine {
    Real Z0 = 0, Rs = 0, eeff = 0, alphaC = 0, alphaD = 0, alphaT = 0, Qc = 0, Qd = 0, Qt = 0;
};

// Each window's checks, in check order; the windows spell some of them
// their own way.
extern const Checks<Board> cpwAnaChecks; // TForm11
extern const Checks<Board> cpwConChecks; // TForm12
extern const Checks<Board> cpsAnaChecks; // TForm13
extern const Checks<Board> cpsConChecks; // TForm14

struct Variant {
    const Layout* layout;
    Real rangeBound; // where the first closed form of r gives way to the second
    Dielectric dielectric;
    const Checks<Board>* checks;
};

extern const Variant cpwAna; // TForm11
extern const Variant cpwCon; // TForm12
extern const Variant cpsAna; // TForm13
extern const Variant cpsCon; // TForm14

// Shown after the results when the effective permittivity comes out below
// 1, where the closed forms no longer describe the line.
extern const char* const permittivityBelowOne;

// The window's checks, then the whole chain: Z0, Rs, eeff, alpha_c, alpha_d,
// alpha_t, Qc, Qd, Qt.
Solved<BoardLine> analyse(const Board& in, const Variant& v);
// ... as a model of its own for each window.
template <const Variant& V>
Solved<BoardLine> analyseAs(const Board& in)
{
    return analyse(in, V);
}

// The windows' models: control values in, checks, results in display order.
Outcome cpwAnalysis(const Inputs& in);           // TForm11
Outcome cpwConductingAnalysis(const Inputs& in); // TForm12
Outcome cpsAnalysis(const Inputs& in);           // TForm13
Outcome cpsConductingAnalysis(const Inputs& in); // TForm14

const WindowDescription& cpwAnaWindow(); // TForm11
const WindowDescription& cpwConWindow(); // TForm12
const WindowDescription& cpsAnaWindow(); // TForm13
const WindowDescription& cpsConWindow(); // TForm14

} // namespace tarvel::coplanar
