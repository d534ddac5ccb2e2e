// SPDX-License-Identifier: GPL-3.0-or-later
// Even- and odd-mode analysis of the coupled pair by its capacitances: a
// parallel-plate part, the outer fringe of a single strip, and an inner part
// (a fringe reduced by the neighbour for the even mode, a gap capacitance
// through air and through the dielectric for the odd mode). Each mode is
// computed with the dielectric and with air everywhere; the ratio of the two
// is the effective permittivity and their product gives the impedance.
#include <cmath>

#include "coupled_microstrip.h"
#include "framework/core/real48.h"
#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::cmstrip {
namespace {

using physics::pi, physics::eps0, physics::c0, physics::mu0, physics::onePointTwoFiveOverPi,
      physics::invTwoPi, physics::fourPi, physics::eta0, physics::eps0OverPi;

constexpr Real inv46 = 0.21739130434782608L;       // 1/4.6

// tanh and coth from exp. Past x = 40 both are 1 to the last bit of a long
// double, so the exponentials are not formed there (they would overflow for
// a gap a thousand times the substrate height).
Real tanhExp(Real x)
{
    if (x > 40)
        return 1;
    const Real a = std::exp(x), b = std::exp(-x);
    return (a - b) / (a + b);
}
Real cothExp(Real x)
{
    if (x > 40)
        return 1;
    const Real a = std::exp(x), b = std::exp(-x);
    return (a + b) / (a - b);
}

} // namespace

StripWidth effectiveWidth(Real u, Real tr, Real W, Real t)
{
    StripWidth s;
    if (u <= r48(invTwoPi)) {
        const Real l = std::log(fourPi * W / t);
        s.ue = r48(u + onePointTwoFiveOverPi * tr * (1 + l));
        s.A = r48(1 + (1 / s.ue) * (1 + 1.25L * t / (pi * W) + onePointTwoFiveOverPi * l));
    } else {
        const Real l = std::log(2 / tr);
        s.ue = r48(u + onePointTwoFiveOverPi * tr * (1 + l));
        s.A = r48(1 + (1 / s.ue) * (1 - onePointTwoFiveOverPi * tr + onePointTwoFiveOverPi * l));
    }
    return s;
}

Real conductorLoss(Real u, const StripWidth& sw, Real Rs, Real Z, Real epsLoss, Real h)
{
    const Real ue = sw.ue;
    if (u <= 1)
        return r48(13.8L * sw.A * Rs / (Z * h) * (32 - ue * ue) / (32 + ue * ue));
    return r48(6.1e-4L * sw.A * Rs * Z * epsLoss / h * (ue + 0.667L * ue / (ue + 1.444L)));
}

Real dielectricLoss(Real er, Real eeff, Real tand, Real lambda0)
{
    // With air as the substrate nothing is lost in it; the filling factor
    // (eeff - 1)/(er - 1) has no value there.
    if (er == 1)
        return 0;
    return r48(27.3L * (er / std::sqrt(eeff)) * ((eeff - 1) / (er - 1)) * tand / lambda0);
}

CoupledLine analyse(Real f, Real er, Real sigma, Real tand, Real W, Real S, Real h, Real t)
{
    const Real lambda0 = r48(30 / f);
    const Real u = r48(W / h), tr = r48(t / h);
    const Real Rs = r48(std::sqrt(f * 1e9L * pi * mu0 / sigma));
    const StripWidth sw = effectiveWidth(u, tr, W, t);
    const bool narrow = u <= 1;

    // Single strip: effective permittivity with the thickness term (on u),
    // impedances with and without the dielectric (on ue).
    const Real F = narrow ? r48(1 / std::sqrt(1 + 12 / u) + 0.04L * (1 - u) * (1 - u))
                          : r48(1 / std::sqrt(1 + 12 / u));
    const Real ere = r48((er + 1) / 2 + ((er - 1) / 2) * F - ((er - 1) * inv46) * tr / std::sqrt(u));
    Real Z0, Z0a;
    if (narrow) {
        const Real l = std::log(8 / sw.ue + 0.25L * sw.ue);
        Z0 = r48((eta0 / (std::sqrt(ere) * 2 * pi)) * l);
        Z0a = r48(60 * l);
    } else {
        const Real d = sw.ue + 1.393L + 0.667L * std::log(sw.ue + 1.444L);
        Z0 = r48((eta0 / std::sqrt(ere)) / d);
        Z0a = r48(eta0 / d);
    }

    // Even mode.
    const Real Cp = r48(eps0 * er * u), Cpa = r48(eps0 * u);
    const Real Cf = r48((std::sqrt(ere) / (c0 * Z0) - Cp) / 2);
    const Real Cfa = r48((1 / (c0 * Z0a) - Cpa) / 2);
    const Real Fa = r48(std::exp(-0.1L * std::exp(2.33L - 2.53L * u)));
    const Real D = r48(1 + Fa * (h / S) * tanhExp(10 * S / h));
    const Real Cf1 = r48(std::sqrt(er / ere) * Cf / D);
    const Real Cf1a = r48(Cfa / D);
    const Real Ce = r48(Cp + Cf + Cf1), Cea = r48(Cpa + Cfa + Cf1a);

    CoupledLine out;
    out.Z0 = Z0;
    out.eeffE = r48(Ce / Cea);
    out.Z0e = r48(1 / (c0 * std::sqrt(Ce * Cea)));

    // Odd mode: gap capacitance through air, by the ratio K(k)/K(k') ...
    const Real k = r48((S / h) / (S / h + 2 * W / h));
    const Real kp = r48(std::sqrt(1 - k * k));
    Real r;
    if (k <= r48(0.707L)) {
        const Real s = std::sqrt(kp);
        r = r48(pi / std::log(2 * (1 + s) / (1 - s)));
    } else {
        const Real s = std::sqrt(k);
        r = r48(std::log(2 * (1 + s) / (1 - s)) / pi);
    }
    const Real Cga = r48(eps0 / r);
    // ... and through the dielectric.
    const Real Lc = r48(std::log(cothExp(pi * S / (4 * h))));
    const Real Cgd = r48((eps0 * er / pi) * Lc + 0.65L * Cf * (0.02L * std::sqrt(er) / (S / h) + 1 - 1 / (er * er)));
    const Real Cgda = r48(eps0OverPi * Lc + 0.65L * Cfa * 0.02L / (S / h));
    const Real Co = r48(Cp + Cf + Cga + Cgd), Coa = r48(Cpa + Cfa + Cga + Cgda);
    out.eeffO = r48(Co / Coa);
    out.Z0o = r48(1 / (c0 * std::sqrt(Co * Coa)));

    // Losses; the wide-strip conductor loss takes the single strip's ere.
    out.alphaCE = conductorLoss(u, sw, Rs, out.Z0e, ere, h);
    out.alphaCO = conductorLoss(u, sw, Rs, out.Z0o, ere, h);
    out.alphaDE = dielectricLoss(er, out.eeffE, tand, lambda0);
    out.alphaDO = dielectricLoss(er, out.eeffO, tand, lambda0);
    out.alphaTE = r48(out.alphaCE + out.alphaDE);
    out.alphaTO = r48(out.alphaCO + out.alphaDO);
    return out;
}

const Checks<Pair> pairChecks = {
    {&Pair::f, passes::positive, message::frequency},
    {&Pair::er, passes::atLeastOne, message::permittivity},
    {&Pair::sigma, passes::positive, message::conductor},
    {&Pair::tand, passes::positive, "Tangente de perda do substrato inválida!!"},
    {&Pair::W, passes::positive, message::stripWidth},
    {&Pair::S, passes::positive, "Separação inválida entre as fitas condutoras!!"},
    {&Pair::h, heightInRange, "Altura do substrato dielétrico inválida!!"},
    {&Pair::t, passes::positive, message::thickness},
    {thinnerThanSubstrate<Pair>, "Altura do dielétrico deve ser maior que a Espessura da Fita H>>t!!"},
};

Solved<CoupledLine> analyse(const Pair& typed)
{
    const Pair in = {r48(typed.f), r48(typed.er), r48(typed.sigma), r48(typed.tand),
                     r48(typed.W), r48(typed.S),  r48(typed.h),     r48(typed.t)};
    if (auto failed = firstFailure(pairChecks, in))
        return Outcome::refuse(*failed);
    return analyse(in.f, in.er, in.sigma, in.tand, in.W, in.S, in.h, in.t);
}

} // namespace tarvel::cmstrip
