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
#include "framework/core/window_description.h"

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

// The copper thickness of `ComboBox3` in mm: a picked entry is listed in
// micrometres, a typed value is in millimetres.
Real thicknessMm(const Inputs& in);

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
};

extern const Layout waveguide; // CPW
extern const Layout strips;    // CPS

enum class Dielectric { LossTangent, Conducting };

// The check messages of a window, in check order, and its refusal when the
// thickness correction leaves no strip or no slot.
struct Messages {
    const char* frequency;
    const char* permittivity;
    const char* conductor;
    const char* loss;
    const char* width;
    const char* separation;
    const char* height;
    const char* thickness;
    const char* thickerThanHeight;
    const char* noStripLeft; // We <= 0
    const char* noGapLeft;   // Se <= 0
};

struct Variant {
    const Layout* layout;
    Real rangeBound; // where the first closed form of r gives way to the second
    Dielectric dielectric;
    Messages messages;
};

extern const Variant cpwAna; // TForm11
extern const Variant cpwCon; // TForm12
extern const Variant cpsAna; // TForm13
extern const Variant cpsCon; // TForm14

// Shown after the results when the effective permittivity comes out below
// 1, where the closed forms no longer describe the line.
extern const char* const permittivityBelowOne;

// The whole chain for one window: Z0, Rs, eeff, alpha_c, alpha_d, alpha_t,
// Qc, Qd, Qt, in that order.
Outcome analyse(const Inputs& in, const Variant& v);

Outcome cpwAnalysis(const Inputs& in);           // TForm11
Outcome cpwConductingAnalysis(const Inputs& in); // TForm12
Outcome cpsAnalysis(const Inputs& in);           // TForm13
Outcome cpsConductingAnalysis(const Inputs& in); // TForm14

const WindowDescription& cpwAnaWindow(); // TForm11
const WindowDescription& cpwConWindow(); // TForm12
const WindowDescription& cpsAnaWindow(); // TForm13
const WindowDescription& cpsConWindow(); // TForm14

} // namespace tarvel::coplanar
