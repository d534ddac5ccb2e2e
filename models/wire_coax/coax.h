// The coaxial cable: an inner conductor of diameter 2a inside an outer
// conductor of inner diameter 2b, filled with a homogeneous dielectric.
#pragma once
#include "framework/core/catalogues.h"
#include "framework/core/window_description.h"

namespace tarvel::coax {

// f (GHz), er, sigma (S/m), Emax (kV/mm), tand, 2b, 2a (mm) and the cable
// entry -> Z0, fc, L, C, Rs, R, v, Pmax, the losses in dB/m and G. A picked
// cable entry supplies er in place of the dielectric box.
Outcome analysis(const Inputs& in);
// Z0, f, er, sigma, Emax, tand, alpha_t (dB/m) -> 2b, 2a (mm) and the same
// quantities.
Outcome synthesis(const Inputs& in);

// The commercial cable list of the analysis window and what a pick writes,
// in order: Diaint, Diaext, ComboBox2, Rigidez, TanPerda.
catalogue::List cables();
std::vector<Fill> cableFills();

const WindowDescription& coaxAnaWindow(); // TForm3
const WindowDescription& coaxSinWindow(); // TForm15

} // namespace tarvel::coax
