// SPDX-License-Identifier: GPL-3.0-or-later
// The edge-coupled stripline pair: Cohn's thick-strip even- and odd-mode
// impedances and their conductor losses, and the closed-form synthesis of
// width and gap. Every input and every named value is held as a 48-bit real;
// the hyperbolic functions are built from exp and round like the rest.
#include <cmath>

#include "framework/core/real48.h"
#include "stripline.h"
#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::stripline {
namespace {

using physics::pi, physics::invPi, physics::invTwoPi, physics::thirtyPi, physics::sixtyPi,
      physics::mu0;

Real sq(Real v) { return v * v; }

Real tanh48(Real x)
{
    x = r48(x);
    const Real ep = std::exp(x), em = std::exp(-x);
    return r48((ep - em) / (ep + em));
}
Real cosh48(Real x)
{
    x = r48(x);
    return r48((std::exp(x) + std::exp(-x)) * 0.5L);
}
Real sinh48(Real x)
{
    x = r48(x);
    return r48((std::exp(x) - std::exp(-x)) * 0.5L);
}

Real surfaceResistivity48(Real f, Real sigma) { return r48(std::sqrt(f * 1e9L * pi * mu0 / sigma)); }
Real dielectricLoss48(Real er, Real tand, Real lambda0) { return r48(27.3L * std::sqrt(er) * tand / lambda0); }

// Impedance of one mode with mode factor A.
Real modeImpedance(Real er, Real W, Real b, Real t, Real Cf, Real A)
{
    return r48(thirtyPi * (b - t) / (std::sqrt(er) * (W + b * Cf * invTwoPi * A)));
}

// Every input as a 48-bit real, the way the pair's arithmetic holds it; the
// checks judge these values.
CoupledPair held48(CoupledPair p)
{
    for (Real* v : {&p.f, &p.er, &p.sigma, &p.tand, &p.W, &p.S, &p.b, &p.t})
        *v = r48(*v);
    return p;
}
CoupledWanted held48(CoupledWanted p)
{
    for (Real* v : {&p.Z0e, &p.Z0o, &p.f, &p.er, &p.sigma, &p.tand, &p.b, &p.t})
        *v = r48(*v);
    return p;
}

using passes::positive, passes::atLeastOne;

// The thinnest board the windows take (mm), as a 48-bit real.
bool thickEnough(Real b) { return b >= r48(0.13L); }
// Without the strip inside the board the fringing logarithms have no real
// value.
const char* const stripAboveBoard = "Altura do dielétrico deve ser maior que a espessura da fita b>>t!!";

// The conductor and total losses of both modes (dB/cm) at the mode
// impedances of `l`, whose dielectric loss is one for both.
void withLosses(CoupledLine& l, Real Rs, Real er, Real b, Real t, const CoupledFactors& F)
{
    l.alphaCe = coupledConductorLoss(Rs, er, b, t, l.Z0e, F.Ke);
    l.alphaCo = coupledConductorLoss(Rs, er, b, t, l.Z0o, F.Ko);
    l.alphaTe = r48(l.alphaCe + l.alphaD);
    l.alphaTo = r48(l.alphaCo + l.alphaD);
}

} // namespace

CoupledFactors coupledFactors(Real S, Real b, Real t)
{
    CoupledFactors F{};
    const Real ln2 = std::log(2.0L);
    F.theta = r48(pi * S / (2 * b));
    F.tanh = tanh48(F.theta);
    const Real cosh = cosh48(F.theta), sinh = sinh48(F.theta);
    F.sech = r48(1 / cosh);
    F.coth = r48(1 / F.tanh);
    F.csch = r48(1 / sinh);
    F.Ae = r48(1 + std::log(1 + F.tanh) / ln2);
    F.Ao = r48(1 + std::log(1 + F.coth) / ln2);
    const Real x = r48(t / b);
    const Real edge = (2 * b - t) / (b - t);
    const Real corner = t * (2 * b - t) / sq(b - t);
    F.Cf = r48(2 * std::log(edge) - x * std::log(corner));
    F.L = r48(std::log(edge) + 0.5L * std::log(corner));
    const Real spread = F.Cf * ((1 + S / b) / (4 * ln2));
    // The gap term adds to the even mode's loss factor and takes from the odd.
    F.Ke = r48(1 - (F.Ae * invPi) * F.L + spread * (sq(F.sech) / (1 + F.tanh)));
    F.Ko = r48((1 - (F.Ao * invPi) * F.L) - spread * (sq(F.csch) / (1 + F.coth)));
    return F;
}

Real coupledConductorLoss(Real Rs, Real er, Real b, Real t, Real Z0m, Real K)
{
    // 0.231 carries the conversion to dB/cm with lengths in millimetres.
    const Real factor = r48(0.231L * Rs * std::sqrt(er) / (thirtyPi * (b - t)));
    return r48(factor * (sixtyPi + std::sqrt(er) * Z0m * K));
}

const Checks<CoupledPair> coupledChecks = {
    {&CoupledPair::f, positive, message::frequency},
    {&CoupledPair::er, atLeastOne, "Constante dielétrica relativa Inválida!!"},
    {&CoupledPair::sigma, positive, message::conductor},
    {&CoupledPair::tand, positive, message::lossTangent},
    {&CoupledPair::W, positive, "Largura das fitas condutoras inválidas!!"},
    {&CoupledPair::S, positive, "Separação entre as fitas condutoras inválida!!"},
    {&CoupledPair::b, thickEnough, message::height},
    {&CoupledPair::t, positive, message::thickness},
    {stripInside<CoupledPair>, stripAboveBoard},
    // The range in which the thick-strip formulas hold.
    {[](const CoupledPair& p) { return r48(p.W / p.b) > r48(0.35L); },
     "A Razão (W/b)>0.35 para Satisfazer o Projeto!!"},
    {[](const CoupledPair& p) { return r48(p.t / p.b) <= r48(0.1L); },
     "A Razão (t/b)<0.1 para Satisfazer o Projeto!!"},
};

Solved<CoupledLine> analyseCoupled(const CoupledPair& given)
{
    const CoupledPair in = held48(given);
    if (auto failed = firstFailure(coupledChecks, in))
        return Outcome::refuse(*failed);
    const Real f = in.f, er = in.er, W = in.W, S = in.S, b = in.b, t = in.t;

    const Real lambda0 = r48(30 / f);
    const Real Rs = surfaceResistivity48(f, in.sigma);
    const CoupledFactors F = coupledFactors(S, b, t);
    CoupledLine l;
    l.W = W;
    l.S = S;
    l.Z0e = modeImpedance(er, W, b, t, F.Cf, F.Ae);
    l.Z0o = modeImpedance(er, W, b, t, F.Cf, F.Ao);
    l.alphaD = dielectricLoss48(er, in.tand, lambda0);
    withLosses(l, Rs, er, b, t, F);
    l.lambdaG = r48(lambda0 / std::sqrt(er));
    return l;
}

const Checks<CoupledWanted> coupledWantedChecks = {
    {&CoupledWanted::Z0e, positive, message::evenImpedance},
    {&CoupledWanted::Z0o, positive, message::oddImpedance},
    {[](const CoupledWanted& p) { return p.Z0e > p.Z0o; }, message::evenAboveOdd},
    {&CoupledWanted::f, positive, message::frequencyCapitals},
    {&CoupledWanted::er, atLeastOne, "Constante Dielétrica Relativa Inválida!!"},
    {&CoupledWanted::sigma, positive, "Condutividade do Condutor Inválida!!"},
    {&CoupledWanted::tand, positive, "Tangente de perda do Substrato Inválida!!"},
    {&CoupledWanted::b, thickEnough, "Altura do Substrato inválida!!"},
    {&CoupledWanted::t, positive, message::thickness},
    {stripInside<CoupledWanted>, stripAboveBoard},
};

Solved<CoupledLine> synthesiseCoupled(const CoupledWanted& given)
{
    const CoupledWanted in = held48(given);
    if (auto failed = firstFailure(coupledWantedChecks, in))
        return Outcome::refuse(*failed);
    const Real Z0e = in.Z0e, Z0o = in.Z0o, f = in.f, er = in.er, b = in.b, t = in.t;

    // Permittivity in pF/cm, and 2 ln 2 / pi of it.
    const Real E = r48(0.0885L * er), G = r48(0.039053L * er);
    const Real u = r48(1 / (1 - r48(t / b)));
    const Real Cfp = r48((E * invPi) * (2 * u * std::log(u + 1) - (u - 1) * std::log(u * u - 1)));
    const Real V = r48(std::exp((1 / Z0o - 1 / Z0e) * 295.780948335479L * G / (std::sqrt(er) * Cfp)));
    CoupledLine l;
    l.S = r48((b * 2 * invPi * 0.5L) * std::log((V + 1) / (V - 1)));
    const Real theta = r48(pi * l.S / (2 * b));
    const Real Cfe = r48((2 * E * Cfp / (pi * G)) * std::log(1 + tanh48(theta)));
    l.W = r48((b - t) * (94.15L / (std::sqrt(er) * Z0e) - (Cfp + Cfe) / (2 * E)));
    l.Z0e = Z0e;
    l.Z0o = Z0o;

    const Real lambda0 = r48(30 / f);
    const Real Rs = surfaceResistivity48(f, in.sigma);
    l.alphaD = dielectricLoss48(er, in.tand, lambda0);
    // The losses of the found gap, taken at the target impedances.
    withLosses(l, Rs, er, b, t, coupledFactors(l.S, b, t));
    l.lambdaG = r48(lambda0 / std::sqrt(er));
    return l;
}

} // namespace tarvel::stripline
