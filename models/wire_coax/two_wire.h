// Two parallel round conductors of diameter d, centre to centre S apart, in a
// homogeneous dielectric.
#pragma once
#include "framework/core/window_description.h"

namespace tarvel::wire {

// f (GHz), er, sigma (S/m), tand, S (mm), d (mm) -> Z0, L, C, Rs, R, G and
// the losses in dB/m.
Outcome analysis(const Inputs& in);
// Z0, f, er, sigma, tand, alpha_t (dB/m) -> S, d (mm) and the same
// per-unit-length parameters.
Outcome synthesis(const Inputs& in);

const WindowDescription& bifiAnaWindow(); // TForm2
const WindowDescription& bifiSinWindow(); // TForm16

} // namespace tarvel::wire
