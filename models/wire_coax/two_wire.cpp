// SPDX-License-Identifier: GPL-3.0-or-later
#include "two_wire.h"

#include <cmath>

#include "framework/core/real48.h"
#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::wire {
namespace {

using physics::pi, physics::mu0, physics::dbPerNeperPi, physics::invC0, physics::dbPerNeper;

// Both helpers take their argument as a 48-bit real.
Real acosh48(Real x)
{
    x = r48(x);
    return std::log(x + std::sqrt(x * x - 1));
}
Real cosh48(Real x)
{
    x = r48(x);
    return (std::exp(x) + std::exp(-x)) / 2;
}

Real dielectricLoss(Real tand, Real er, Real fHz) { return tand * std::sqrt(er) * fHz * dbPerNeperPi * invC0; }
Real surfaceResistivity(Real fHz, Real sigma) { return std::sqrt(fHz * pi * mu0 / sigma); }
// Resistance per metre of the pair, d in mm.
Real resistance(Real Rs, Real S, Real d)
{
    const Real q = S / d;
    return (2000 * Rs / (pi * d)) * q / std::sqrt(q * q - 1);
}
Real conductance(Real alphaD, Real Z0) { return (2 * alphaD / (Z0 * dbPerNeper)) * 1e6L; }

using passes::positive, passes::atLeastOne;

const char* const highFrequency =
    "Freqüência Elevada para Este tipo de Estrutura, Sugere-se uma Freqüencia menor que 350MHz!!";
const char* const cannotBuild = "Modifique seu projeto, pois S<=d, ou muito próximo!!";

} // namespace

const Checks<Pair> pairChecks = {
    {&Pair::f, positive, message::frequencyCapitals},
    {&Pair::er, atLeastOne, message::permittivity},
    {&Pair::sigma, positive, message::conductor},
    {&Pair::tand, positive, message::lossTangent},
    {&Pair::S, positive, "Espaçamento Centro-a-Centro Inválido!!"},
    {&Pair::d, positive, "Diâmetro do Condutor Inválido!!"},
    {[](const Pair& p) { return p.S > p.d; },
     "O Espaçamento tem que ser maior que o Diâmetro do Condutor (S>>d), Sugere-se (S=10xd)!!"},
};

Solved<PairLine> analyse(const Pair& in)
{
    if (auto failed = firstFailure(pairChecks, in))
        return Outcome::refuse(*failed);
    const Real f = in.f, er = in.er, S = in.S, d = in.d;

    const Real fHz = f * 1e9L;
    PairLine l;
    l.Z0 = (120 / std::sqrt(er)) * acosh48(S / d);
    const Real ln2 = std::log(2 * S / d);
    l.L = 400 * ln2;
    l.C = 27.816L * er / ln2;
    l.Rs = surfaceResistivity(fHz, in.sigma);
    l.R = resistance(l.Rs, S, d);
    l.alphaC = 1000 * dbPerNeper * pi * l.Rs * S / (l.Z0 * d * std::sqrt(S * S - d * d));
    l.alphaD = dielectricLoss(in.tand, er, fHz);
    l.G = conductance(l.alphaD, l.Z0);
    l.alphaT = l.alphaC + l.alphaD;

    Solved<PairLine> out(l);
    if (f > 0.35L)
        out.warn(highFrequency);
    return out;
}

const Checks<PairWanted> wantedChecks = {
    {&PairWanted::Z0, positive, "Impedância Característica Inválida!!"},
    {&PairWanted::f, positive, message::frequencyCapitals},
    {&PairWanted::er, atLeastOne, message::permittivity},
    {&PairWanted::sigma, positive, message::conductor},
    {&PairWanted::tand, positive, message::lossTangent},
    {&PairWanted::alphaT, positive, "Atenuação Total Inválida!!"},
};

Solved<PairDesign> synthesise(const PairWanted& in)
{
    if (auto failed = firstFailure(wantedChecks, in))
        return Outcome::refuse(*failed);
    const Real Z0 = in.Z0, f = in.f, er = in.er;

    const Real fHz = f * 1e9L;
    const Real alphaD = dielectricLoss(in.tand, er, fHz);
    const Real alphaC = in.alphaT - alphaD;
    // No conductor loss left for the wanted total: no pair of wires exists.
    if (!(alphaC > 0))
        return Outcome::refuse(cannotBuild);
    const Real Rs = surfaceResistivity(fHz, in.sigma);
    const Real A = Rs * dbPerNeperPi / Z0;
    const Real D = cosh48(std::sqrt(er) * Z0 * 0.008333333333333333L); // S/d
    const Real dm = A * D / std::sqrt((alphaC * D) * (alphaC * D) - alphaC * alphaC);
    const Real Sm = alphaC * dm * dm / std::sqrt((alphaC * dm) * (alphaC * dm) - A * A);
    if (!(Sm > dm) || !std::isfinite(Sm))
        return Outcome::refuse(cannotBuild);

    PairDesign p;
    p.G = conductance(alphaD, Z0);
    const Real ln2 = std::log(2 * Sm / dm);
    p.L = 400 * ln2;
    p.C = 27.816L * er / ln2;
    p.d = dm * 1000;
    p.S = Sm * 1000;
    p.Rs = Rs;
    p.R = resistance(Rs, p.S, p.d);
    p.alphaD = alphaD;
    p.alphaC = alphaC;

    Solved<PairDesign> out(p);
    if (f > 0.35L)
        out.warn(highFrequency);
    return out;
}

} // namespace tarvel::wire
