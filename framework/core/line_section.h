// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-section of a line as a calculator window describes it: its kind
// and its lengths in mm, and the line values that the window's formulas give
// for it. Each window's binding names its section once (see typed_model.h);
// the gallery picks its tab from the kind and the field solver solves the
// lengths, neither knowing any control of the window.
#pragma once
#include <functional>
#include <optional>

#include "inputs.h"

namespace tarvel {

// The kinds of line, in the order of the gallery's tabs (one tab each).
enum class SectionKind {
    TwoWire,
    Coax,
    Microstrip,
    Stripline,
    Slotline,
    Cpw,
    Cps,
    CoupledMicrostrip,
    CoupledStripline,
};

constexpr int kSectionKinds = 9;

// The gallery tab that shows a kind of line.
constexpr int galleryTab(SectionKind k) { return static_cast<int>(k); }

// The kind's name, as the gallery's tab gives it.
const char* sectionName(SectionKind k);

// Whether one dielectric fills the whole section, so that eeff = er and
// only the impedance tells the formulas from the field.
constexpr bool homogeneousSection(SectionKind k)
{
    return k == SectionKind::TwoWire || k == SectionKind::Coax || k == SectionKind::Stripline ||
           k == SectionKind::CoupledStripline;
}

// Whether the line is a coupled pair with an even and an odd mode.
constexpr bool coupledSection(SectionKind k)
{
    return k == SectionKind::CoupledMicrostrip || k == SectionKind::CoupledStripline;
}

// The lengths of a section in mm, and its permittivity.
struct SectionLengths {
    double w = 0;  // strip width: microstrip, stripline, CPW centre strip, each CPS or coupled strip
    double s = 0;  // CPW slot, CPS gap, spacing of coupled strips; slotline: slot width
    double h = 0;  // substrate height; stripline: the spacing b of the plates
    double t = 0;  // metal thickness (planar lines)
    double er = 1; // relative permittivity of the substrate or filling
    double d = 0;  // two-wire: wire diameter; coax: inner conductor diameter
    double D = 0;  // two-wire: centre spacing; coax: inside diameter of the outer conductor
};

// A planar section: strips of width w and thickness t, gap or slot s, on a
// substrate of height h (a stripline: plates b = h apart).
inline SectionLengths planarSection(Real w, Real s, Real h, Real t, Real er)
{
    SectionLengths l;
    l.w = double(w);
    l.s = double(s);
    l.h = double(h);
    l.t = double(t);
    l.er = double(er);
    return l;
}

// Round conductors: the wire or inner diameter d and the centre spacing or
// outer diameter D.
inline SectionLengths roundSection(Real d, Real D, Real er)
{
    SectionLengths l;
    l.d = double(d);
    l.D = double(D);
    l.er = double(er);
    return l;
}

// What the window's formulas give for its section (of a coupled pair, the
// even mode in z0 and eeff). A value the window does not give stays empty.
struct LineFormula {
    std::optional<double> z0, eeff, z0Odd, eeffOdd;

    LineFormula(std::optional<double> z0_ = {}, std::optional<double> eeff_ = {},
                std::optional<double> z0Odd_ = {}, std::optional<double> eeffOdd_ = {})
        : z0(z0_), eeff(eeff_), z0Odd(z0Odd_), eeffOdd(eeffOdd_)
    {
    }
};

// A result of the model as a formula value, or none without results.
template <typename Out>
std::optional<double> given(const Out* out, Real Out::*value)
{
    return out ? std::optional<double>(double(out->*value)) : std::nullopt;
}

// A window's section for given controls: its lengths (none when they are
// results of a synthesis that did not succeed) and its formula values (only
// when the model succeeded).
struct SectionReading {
    std::optional<SectionLengths> lengths;
    LineFormula formula;
};

// The section a window describes, its kind fixed and its reading from the
// window's controls; `solved` says whether the model succeeded on them.
struct WindowSection {
    SectionKind kind = SectionKind::TwoWire;
    std::function<SectionReading(const Inputs& controls, bool solved)> read;
};

// How a typed binding names its section: the kind, and the reading from
// the model's inputs and, when the model succeeded, its results (nullptr
// otherwise). Lengths are taken from the inputs, or for a synthesis from the
// geometry it found.
template <typename In, typename Out>
struct SectionOf {
    SectionKind kind = SectionKind::TwoWire;
    SectionReading (*read)(const In& in, const Out* out) = nullptr;
};

} // namespace tarvel
