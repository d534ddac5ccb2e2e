// SPDX-License-Identifier: GPL-3.0-or-later
// A line of a given length as a circuit simulator reads it: its scattering
// parameters in Touchstone 1.1 (.s2p for a line, .s4p for a pair) and a
// SPICE subcircuit. The texts are made in the C locale whatever the user's,
// and written atomically, as projects are.
#pragma once
#include <array>
#include <complex>
#include <string>
#include <vector>

#include "rlgc.h"

namespace tarvel::fieldsolve {

using Complex = std::complex<double>;
using S2 = std::array<std::array<Complex, 2>, 2>;
using S4 = std::array<std::array<Complex, 4>, 4>;

// A line of length `length` (m) between two ports of reference impedance
// `zref` (ohm): port 1 its near end, port 2 its far end.
S2 lineS(Complex zc, Complex gamma, double length, double zref);

// A symmetric pair: each mode a line of its own, the ports all of `zref`.
// Ports: 1 line 1 near end, 2 line 1 far end, 3 line 2 near end, 4 line 2
// far end.
S4 pairS(const ModeAt& even, const ModeAt& odd, double length, double zref);

// Any pair from its matrices at the frequency (R, L, G, C of `at`): its
// modes (pairModes: voltages T, propagation constants Gamma, currents
// W = Z^-1 T Gamma) carry the near end's voltages and currents to the far
// end through cosh and sinh of Gamma l, and the ports' waves follow from
// those (no admittance matrix, which a lossless line half a wavelength
// long has none of). Ports as above.
S4 pairS(const LineAt& at, double length, double zref);

// The reason an export cannot be made (empty when it can).
std::string invalidExport(double length, double zref);

// The Touchstone text of the sweep: "# Hz S RI R zref", real and imaginary
// parts; comment lines describe the line and, for a pair, the port order.
std::string touchstone(const std::vector<LineAt>& sweep, double length, double zref,
                       const std::vector<std::string>& comments);

// The SPICE subcircuit of the line: a ladder of lumped sections, each of
// R, L, G, C per metre (taken at `fRef`) times its length, as many that a
// section is at most a fortieth of the wavelength at `fMax`. The element
// values hold at fRef only: the ladder does not follow R and the internal
// inductance with the skin effect, nor G with frequency, away from it
// (SPICE's own lossy line holds constant R, L, G, C per metre just the
// same). A line: subcircuit NAME p1 p2 ref; a pair: NAME p1 p2 p3 p4 ref,
// ports as in pairS, the coupling by mutual inductance, a capacitance and
// conductance between the lines, and the mutual resistance R12 (the shared
// return's) as a source driven by the other line's current.
std::string spiceSubcircuit(const LineModel& m, double length, double fRef, double fMax, const std::string& name,
                            const std::vector<std::string>& comments);
// The ladder's sections for a line of `length` up to `fMax`.
int ladderSections(const LineModel& m, double length, double fMax);

// Writes the text to the path atomically (no partial file is ever left);
// the message names what failed.
bool writeExport(const std::string& path, const std::string& text, std::string& error);

} // namespace tarvel::fieldsolve
