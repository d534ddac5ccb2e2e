// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the coupled pair from the wanted even- and odd-mode impedances.
// A closed form gives the start point: Wheeler's width ratio for the
// geometric-mean impedance, scaled into W/h and S/h by two fifth-degree
// polynomials in the coupling coefficient. The start point lands within a
// few per cent; a damped Newton iteration on the pair's own impedance
// functions then moves (W/h, S/h) until both impedances are met.
#include <algorithm>
#include <cfenv>
#include <cmath>

#include "coupled_microstrip.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::cmstrip {
namespace {

using physics::pi, physics::euler, physics::ln10, physics::mu0, physics::invEta0;

// x^y as exp(y ln x): the base must be positive.
Real pw(Real x, Real y) { return std::exp(y * std::log(x)); }
// Whole powers by multiplication, valid for any base.
Real ipow(Real x, int n)
{
    Real p = 1;
    for (int i = 0; i < n; ++i)
        p *= x;
    return p;
}
Real coshExp(Real x) { return (std::exp(x) + std::exp(-x)) / 2; }

// Coefficients of the width polynomial (a) and of the gap polynomial (b, c),
// by power 0 to 5.
constexpr Real a[6] = {1.0L, -0.300927L, 3.209206L, -27.282781L, 56.60934L, -37.746369L};
constexpr Real b[6] = {0.02L, -0.622893L, 17.19231L, -68.946372L, 104.74079L, -16.148274L};
constexpr Real c[6] = {0.015L, -2.451164L, 50.561737L, -260.2209L, 536.73042L, -365.30851L};

// Common exponent factor ae(u) be(er) of both modes' permittivities.
Real ae(Real u)
{
    const Real u4 = ipow(u, 4);
    return r48(1 + std::log((u4 + ipow(u * 0.019230769230769232L, 2)) / (u4 + 0.432L)) * 0.02040816326530612L
               + std::log(1 + ipow(u * 0.055248618784530384L, 3)) * 0.053475935828877004L);
}
Real be(Real er) { return r48(0.564L * pw((er - 0.9L) / (er + 3), 0.053L)); }

} // namespace

const char* const notConverged =
    "As impedâncias desejadas estão fora do alcance do modelo: o refinamento não convergiu. "
    "Os resultados mostrados são os da síntese aproximada!!";

const char* const belowResolution =
    "As impedâncias desejadas pedem uma largura ou uma separação das fitas menor que 0.0001 mm. "
    "Os resultados mostrados são os da síntese aproximada!!";

Ratios startPoint(Real Z0e, Real Z0o, Real er)
{
    const Real Z0 = r48(std::sqrt(Z0e * Z0o));
    const Real k = r48((Z0e - Z0o) / (Z0e + Z0o));
    // Wheeler's width ratio of a single strip of impedance Z0.
    const Real A = r48(std::exp(Z0 * std::sqrt(er + 1) * 0.02358490566037736L) - 1);
    const Real w1 = r48((8 / A) * std::sqrt(A * (7 + 4 / er) * 0.09090909090909091L
                                            + (1 + 1 / er) * 1.2345679012345678L));
    Real s1 = 0;
    for (int i = 5; i >= 0; --i)
        s1 = s1 * k + a[i];
    s1 = r48(s1);
    const bool strong = k >= r48(0.5L);
    const Real x = 0.6L - (strong ? 0.5L : k);
    Real s2 = 0;
    for (int i = 5; i >= 0; --i)
        s2 = s2 * x + (b[i] - (9.6L - er) * c[i] * 0.14184397163120568L);
    if (strong)
        s2 *= 2 * (1 - k);
    s2 = r48(s2);
    return {r48(std::fabs(w1 * s1)), r48(std::fabs(w1 * s2))};
}

ModePermittivities modePermittivities(Real u, Real g, Real er)
{
    const Real aeb = ae(u) * be(er);
    const Real half = (er + 1) / 2, spread = (er - 1) / 2;
    ModePermittivities m;
    const Real g2 = g * g;
    const Real v = r48(u * (20 + g2) / (10 + g2) + g * std::exp(-g));
    m.even = r48(half + spread * pw(1 + 10 / v, -aeb));

    const Real p = r48(std::exp(-0.745L * pw(g, 0.295L)) / coshExp(pw(g, 0.68L)));
    const Real q = r48(std::exp(-1.366L - g));
    const Real r = r48(1 + 0.15L * (1 - std::exp(1 - (er - 1) * (er - 1) * 0.12195121951219512L) / (1 + pw(g, -6))));
    const Real fo = r48(1 - std::exp(-0.179L * pw(g, 0.15L) - 0.328L * pw(g, r) / std::log(euler + pw(g / 7, 2.8L))));
    const Real lu = std::log(u);
    const Real Fo = r48(fo * std::exp(p * lu + q * std::sin(pi * (lu / ln10))) * pw(1 + 10 / u, -aeb));
    m.odd = r48(half + spread * Fo);
    return m;
}

ModeImpedances modeImpedances(Real u, Real g, Real er)
{
    // Single strip in air.
    const Real fu = r48(6 + 0.28318530717958645L * std::exp(-pw(30.666L / u, 0.7528L)));
    const Real Z01 = r48(60 * std::log(fu / u + std::sqrt(1 + ipow(2 / u, 2))));

    // Coupling terms; m, n and theta take the gap ratio no smaller than 1e-5.
    const Real Psi = r48(1 + g / 1.45L + pw(g, 2.09L) / 3.95L);
    const Real al = r48(0.5L * std::exp(-g));
    const Real beta = r48(0.2306L + std::log(ipow(g, 10) / (1 + ipow(g / 3.77L, 10))) * 0.0033134526176275677L
                          + std::log(1 + 0.646L * pw(g, 1.175L)) / 5.3L);
    const Real gm = g <= r48(1e-5L) ? r48(1e-5L) : g;
    const Real m = r48(0.2175L + pw(4.113L + ipow(20.36L / gm, 6), -0.251L)
                       + std::log(ipow(gm, 10) / (1 + ipow(gm / 13.8L, 10))) / 323);
    const Real n = r48(std::log((10 + 68.3L * gm * gm) / (1 + 32.5L * pw(gm, 3.093L))) / 17.7L);
    const Real theta = r48(1.729L + 1.175L * std::log(1 + 0.627L / (gm + 0.327L * pw(gm, 2.17L))));

    const Real phiE = r48(0.8645L * pw(u, 0.172L) / (Psi * (al * pw(u, m) + (1 - al) * pw(u, -m))));
    const Real phiO = r48(phiE - (theta / Psi) * std::exp(beta * pw(u, -n) * std::log(u)));

    const ModePermittivities e = modePermittivities(u, g, er);
    return {r48(Z01 / (std::sqrt(e.even) * (1 - Z01 * phiE * invEta0))),
            r48(Z01 / (std::sqrt(e.odd) * (1 - Z01 * phiO * invEta0)))};
}

namespace {

// Log-ratios of the model's impedances to the wanted ones at (ln u, ln g);
// false where the model has no value there (an arithmetic fault, a
// non-positive impedance).
struct Residual {
    Real e, o;
    bool ok;
    Real norm2() const { return e * e + o * o; }
};

Residual residual(Real x, Real y, Real Z0e, Real Z0o, Real er)
{
    constexpr int faults = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
    std::feclearexcept(faults);
    const ModeImpedances z = modeImpedances(std::exp(x), std::exp(y), er);
    const bool ok = !std::fetestexcept(faults) && std::isfinite(z.even) && std::isfinite(z.odd) && z.even > 0
                    && z.odd > 0;
    if (!ok)
        return {0, 0, false};
    return {std::log(z.even / Z0e), std::log(z.odd / Z0o), true};
}

} // namespace

Refinement refine(Ratios start, Real Z0e, Real Z0o, Real er)
{
    constexpr int maxIterations = 40;
    constexpr Real delta = 1e-6L;      // difference step in ln u and ln g
    constexpr Real maxStep = 1;        // at most a factor e per step in u or g
    constexpr Real lo = -16, hi = 8;   // ln of the ratios kept between 1e-7 and 3000
    constexpr Real tolerance = 1e-4L; // 0.01 % of the wanted value

    Refinement out;
    out.point = start;

    std::fexcept_t saved;
    std::fegetexceptflag(&saved, FE_ALL_EXCEPT);

    // Work in logarithms so that u and g stay positive. A start ratio of
    // zero (a root of a polynomial) starts from a small one instead.
    Real x = std::log(std::fmax(start.u, 1e-4L)), y = std::log(std::fmax(start.g, 1e-4L));
    Residual R = residual(x, y, Z0e, Z0o, er);
    auto met = [&](const Residual& q) {
        return q.ok && std::fabs(std::expm1(q.e)) < tolerance && std::fabs(std::expm1(q.o)) < tolerance;
    };

    int it = 0;
    while (R.ok && !met(R) && it < maxIterations) {
        ++it;
        const Residual Rx = residual(x + delta, y, Z0e, Z0o, er);
        const Residual Ry = residual(x, y + delta, Z0e, Z0o, er);
        if (!Rx.ok || !Ry.ok)
            break;
        // Jacobian by forward differences; Newton step J d = -R.
        const Real j11 = (Rx.e - R.e) / delta, j12 = (Ry.e - R.e) / delta;
        const Real j21 = (Rx.o - R.o) / delta, j22 = (Ry.o - R.o) / delta;
        const Real det = j11 * j22 - j12 * j21;
        if (!std::isfinite(det) || std::fabs(det) < 1e-30L)
            break;
        Real dx = (-R.e * j22 + R.o * j12) / det;
        Real dy = (-R.o * j11 + R.e * j21) / det;
        const Real big = std::fmax(std::fabs(dx), std::fabs(dy));
        if (!std::isfinite(big))
            break;
        if (big > maxStep) {
            dx *= maxStep / big;
            dy *= maxStep / big;
        }
        // Damping: halve the step until the residual shrinks.
        bool moved = false;
        for (Real lambda = 1; lambda > 1e-4L; lambda /= 2) {
            const Real nx = std::clamp(x + lambda * dx, lo, hi), ny = std::clamp(y + lambda * dy, lo, hi);
            const Residual N = residual(nx, ny, Z0e, Z0o, er);
            if (N.ok && N.norm2() < R.norm2()) {
                x = nx;
                y = ny;
                R = N;
                moved = true;
                break;
            }
        }
        if (!moved)
            break;
    }
    std::fesetexceptflag(&saved, FE_ALL_EXCEPT);

    out.iterations = it;
    if (met(R)) {
        out.converged = true;
        out.point = {r48(std::exp(x)), r48(std::exp(y))};
    }
    return out;
}

const Checks<Wanted> wantedChecks = {
    {&Wanted::Z0e, passes::positive, message::evenImpedance},
    {&Wanted::Z0o, passes::positive, message::oddImpedance},
    {[](const Wanted& w) { return w.Z0e > w.Z0o; }, message::evenAboveOdd},
    {&Wanted::f, passes::positive, message::frequency},
    {&Wanted::er, passes::atLeastOne, message::permittivity},
    {&Wanted::sigma, passes::positive, message::conductor},
    {&Wanted::tand, passes::positive, message::lossTangent},
    {&Wanted::h, heightInRange, message::height},
    {&Wanted::t, passes::positive, message::thickness},
    {thinnerThanSubstrate<Wanted>, message::heightOverThickness},
};

Solved<PairDesign> synthesise(const Wanted& typed)
{
    const Wanted in = {r48(typed.Z0e),   r48(typed.Z0o),  r48(typed.f), r48(typed.er),
                       r48(typed.sigma), r48(typed.tand), r48(typed.h), r48(typed.t)};
    if (auto failed = firstFailure(wantedChecks, in))
        return Outcome::refuse(*failed);
    const Real Z0e = in.Z0e, Z0o = in.Z0o, f = in.f, er = in.er, h = in.h, t = in.t;

    const Ratios start = startPoint(Z0e, Z0o, er);
    const Refinement ref = refine(start, Z0e, Z0o, er);
    // A refined width or gap that shows as 0.0000 or 0.0001 mm no longer
    // gives the wanted impedances as shown: the start point stands instead.
    auto shownTiny = [h](Real ratio) { return readNumber(resultText(r48(ratio * h))) <= 0.0001L; };
    const bool tooFine = ref.converged && (shownTiny(ref.point.u) || shownTiny(ref.point.g));
    const Ratios p = tooFine ? start : ref.point;

    const Real W = r48(p.u * h), S = r48(p.g * h);
    const ModePermittivities e = modePermittivities(p.u, p.g, er);

    const Real lambda0 = r48(30 / f);
    const Real Rs = r48(std::sqrt(f * 1e9L * pi * mu0 / in.sigma));
    const Real u = r48(W / h), tr = r48(t / h);
    const StripWidth sw = effectiveWidth(u, tr, W, t);
    // Each mode's losses at its wanted impedance and its own permittivity.
    PairDesign d;
    d.W = W;
    d.S = S;
    d.eeffE = e.even;
    d.eeffO = e.odd;
    d.alphaCE = conductorLoss(u, sw, Rs, Z0e, e.even, h);
    d.alphaDE = dielectricLoss(er, e.even, in.tand, lambda0);
    d.alphaTE = r48(d.alphaCE + d.alphaDE);
    d.alphaCO = conductorLoss(u, sw, Rs, Z0o, e.odd, h);
    d.alphaDO = dielectricLoss(er, e.odd, in.tand, lambda0);
    d.alphaTO = r48(d.alphaCO + d.alphaDO);

    Solved<PairDesign> out(d);
    if (!ref.converged)
        out.warn(notConverged);
    else if (tooFine)
        out.warn(belowResolution);
    return out;
}

} // namespace tarvel::cmstrip
