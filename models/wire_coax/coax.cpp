// SPDX-License-Identifier: GPL-3.0-or-later
#include "coax.h"

#include <cmath>

#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::coax {
namespace {

using physics::pi, physics::mu0, physics::invTwoPi, physics::fourPi, physics::dbPerNeperPi,
      physics::invC0, physics::dbPerNeper, physics::c0;

using passes::positive, passes::notNegative, passes::atLeastOne;

constexpr Real inv60 = 0.016666666666666666L;

// Cut-off of the first higher (TE11) mode, GHz, diameters in mm.
Real cutoff(Real d2b, Real d2a, Real sqrtEr) { return 600 / ((d2b + d2a) * pi * sqrtEr); }
Real surfaceResistivity(Real fHz, Real sigma) { return std::sqrt(fHz * pi * mu0 / sigma); }
Real dielectricLoss(Real tand, Real sqrtEr, Real fHz) { return tand * sqrtEr * fHz * dbPerNeperPi * invC0; }
Real conductance(Real alphaD, Real Z0) { return (2 * alphaD / (Z0 * dbPerNeper)) * 1e6L; }
Real velocity(Real sqrtEr) { return c0 / (sqrtEr * 1e8L); } // in 1e8 m/s

const char* const higherModes = "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de Corte "
                                "é Menor do que a Freqüência de Operação (fc<fo) !!";
const char* const higherModesSynthesis =
    "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de Corte é Menor do que a "
    "Freqüência de Operação (fc<fo), altere a freqüência ou a constante Dielétrica!!";

} // namespace

const Checks<Cable> cableChecks = {
    {&Cable::f, positive, message::frequencyCapitals},
    {&Cable::er, atLeastOne, message::permittivity},
    {&Cable::sigma, positive, message::conductor},
    {&Cable::Emax, notNegative, "Rigidez dielétrica inválida!!"},
    {&Cable::tand, positive, message::lossTangent},
    {&Cable::d2b, positive, "Diâmetro Externo Inválido (2b<=0)!!"},
    {&Cable::d2a, positive, "Diâmetro Interno Inválido (2a<=0)!!"},
    {[](const Cable& c) { return c.d2b > c.d2a; },
     "Diâmetro Externo deve ser maior que o Diâmetro Interno(2b>2a)!!"},
};

Solved<CableLine> analyse(const Cable& in)
{
    if (auto failed = firstFailure(cableChecks, in))
        return Outcome::refuse(*failed);
    const Real f = in.f, er = in.er, sigma = in.sigma, Emax = in.Emax, tand = in.tand, d2b = in.d2b, d2a = in.d2a;

    const Real a = d2a * 0.5L, b = d2b * 0.5L; // radii, mm
    const Real fHz = f * 1e9L;
    const Real sqrtEr = std::sqrt(er);
    const Real fc = cutoff(d2b, d2a, sqrtEr);
    // Above the cut-off the line is no longer single-mode: nothing is computed.
    if (f > fc)
        return Outcome::refuse(higherModes);

    const Real lnRatio = std::log(d2b / d2a);
    const Real Z0 = (60 / sqrtEr) * lnRatio;
    const Real L = 200 * lnRatio;           // nH/m
    const Real C = 55.556L * er / lnRatio; // pF/m
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real perimeters = 1 / b + 1 / a; // 1/mm
    const Real R = Rs * 1000 * invTwoPi * perimeters;
    const Real v = velocity(sqrtEr);
    const Real am = a * 0.001L;
    const Real Pmax = 44 * Emax * Emax * am * am * sqrtEr * std::log(b / a); // 1e6 W
    const Real alphaC = (Rs * dbPerNeper / (Z0 * fourPi)) * 1000 * perimeters;
    const Real alphaD = dielectricLoss(tand, sqrtEr, fHz);
    const Real G = conductance(alphaD, Z0); // µS/m

    return CableLine{Z0, fc, L, C, Rs, R, v, Pmax, alphaC, alphaD, G, alphaC + alphaD};
}

const Checks<CableWanted> wantedChecks = {
    {&CableWanted::Z0, positive, "Impedância Característica!!"},
    {&CableWanted::f, positive, message::frequencyCapitals},
    {&CableWanted::er, atLeastOne, "Constante dielétrica relativa inválida !!"},
    {&CableWanted::sigma, positive, message::conductor},
    {&CableWanted::Emax, notNegative, "Rigidez Dielétrica Inválida!!"},
    {&CableWanted::tand, positive, "Tangente de Perda do dielétrico inválido!!"},
    {&CableWanted::alphaT, positive, "Atenuação total Inválida!!"},
};

Solved<CableDesign> synthesise(const CableWanted& in)
{
    if (auto failed = firstFailure(wantedChecks, in))
        return Outcome::refuse(*failed);
    const Real Z0 = in.Z0, f = in.f, er = in.er, sigma = in.sigma, Emax = in.Emax, tand = in.tand,
               alphaT = in.alphaT;

    const Real fHz = f * 1e9L;
    const Real sqrtEr = std::sqrt(er);
    const Real k = std::exp(sqrtEr * Z0 * inv60); // b/a
    if (!std::isfinite(k))
        return Outcome::faulted(Fault::Overflow);
    const Real alphaD = dielectricLoss(tand, sqrtEr, fHz);
    const Real alphaC = alphaT - alphaD;
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real D = Rs * dbPerNeper / (Z0 * fourPi);
    // The dielectric alone takes the whole wanted attenuation: the conductor
    // loss formula would have to be solved with zero loss.
    if (alphaC == 0)
        return Outcome::faulted(Fault::DivisionByZero);
    // The analysis' conductor loss solved for a, with b = k a (metres).
    const Real a = (D * k + D) / (alphaC * k);
    const Real b = a * k;
    const Real d2b = b * 2000, d2a = a * 2000; // mm
    if (!std::isfinite(d2b) || !std::isfinite(d2a))
        return Outcome::faulted(Fault::Overflow);
    const Real fc = cutoff(d2b, d2a, sqrtEr);
    // Also taken when alpha_t is below alpha_d: a, b and fc come out negative.
    if (f > fc)
        return Outcome::refuse(higherModesSynthesis);

    const Real lnRatio = std::log(d2b / d2a);
    const Real L = 200 * lnRatio;
    const Real C = 55.556L * er / lnRatio;
    const Real R = Rs * invTwoPi * (1 / a + 1 / b);
    const Real v = velocity(sqrtEr);
    const Real Pmax = 44 * Emax * Emax * a * a * sqrtEr * std::log(b / a);
    const Real G = conductance(alphaD, Z0);

    return CableDesign{d2b, d2a, fc, L, C, Rs, R, v, Pmax, alphaC, alphaD, G};
}

} // namespace tarvel::coax
