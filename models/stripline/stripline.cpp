// SPDX-License-Identifier: GPL-3.0-or-later
// The single stripline: analysis (Wheeler's impedance of a thick strip) and
// closed-form synthesis, both followed by the same secondary results.
#include "stripline.h"
#include "models/messages.h"
#include "models/physics.h"

#include <cmath>

namespace tarvel::stripline {
namespace {

using physics::pi, physics::invPi, physics::fourPi, physics::halfPi, physics::quarterPi,
      physics::thirtyPi, physics::mu0, physics::eps0, physics::dbPerNeperPi;

Real sq(Real v) { return v * v; }

enum class Dielectric { LossTangent, Conducting };

// The line of width W and impedance Z0 on the board of `in`, with all that
// follows from them.
template <typename In>
StripLine lineOf(const In& in, Dielectric kind, Real W, Real Z0)
{
    const Real f = in.f, er = in.er, b = in.b, t = in.t;
    StripLine l;
    l.W = W;
    l.Z0 = Z0;
    const Real lambda0 = 30 / f;
    l.lambdaG = lambda0 / std::sqrt(er);
    l.dl = endEffect(W, b, l.lambdaG);
    l.Rs = surfaceResistivity(f, in.sigma);
    l.alphaC = conductorLoss(W, b, t, f, er, Z0);
    l.fc = cutoff(W, b, er);
    l.alphaD = kind == Dielectric::LossTangent ? lossTangentAttenuation(er, in.tand, lambda0)
                                               : conductingDielectricAttenuation(er, in.sigmaD);
    l.alphaT = l.alphaC + l.alphaD;
    l.Qc = dbPerNeperPi * std::sqrt(er) / (lambda0 * l.alphaC);
    l.Qd = dbPerNeperPi * std::sqrt(er) / (lambda0 * l.alphaD);
    l.Qt = 1 / (1 / l.Qc + 1 / l.Qd);
    return l;
}

Solved<StripLine> analyse(const Checks<Strip>& checks, Dielectric kind, const Strip& in)
{
    if (auto failed = firstFailure(checks, in))
        return Outcome::refuse(*failed);
    return lineOf(in, kind, in.W, wheelerImpedance(in.W, in.b, in.t, in.er));
}

Solved<StripLine> synthesise(const Checks<StripWanted>& checks, Dielectric kind, const StripWanted& in)
{
    if (auto failed = firstFailure(checks, in))
        return Outcome::refuse(*failed);
    const Real W = synthesisWidth(in.Z0, in.er, in.b, in.t);
    // Too high an impedance leaves no strip (or no real root in the thick
    // branch); the loss formulas would take the logarithm of W <= 0.
    if (!(W > 0))
        return Outcome::faulted(Fault::Invalid);
    return lineOf(in, kind, W, in.Z0);
}

// ---- Checks ------------------------------------------------------------------

using passes::positive, passes::atLeastOne;

// The thinnest board the windows take (mm).
bool thickEnough(Real b) { return b >= 0.13L; }

const char* const thicknessLowerCase = "Espessura da fita condutora Inválida!!";
const char* const stripAboveBoard = "Altura do dielétrico deve ser maior que a Espessura da Fita b>>t!!";

template <typename In>
Check<In> lossTangentCheck()
{
    return {&In::tand, positive, message::lossTangent};
}
template <typename In>
Check<In> dielectricConductivityCheck()
{
    return {&In::sigmaD, positive, message::substrateConductivity};
}

// The analyses differ in the conductor's message and in how the dielectric
// loses.
Checks<Strip> analysisChecks(const char* conductor, Check<Strip> loss)
{
    return {
        {&Strip::f, positive, message::frequency},
        {&Strip::er, atLeastOne, message::permittivity},
        {&Strip::sigma, positive, conductor},
        loss,
        {&Strip::W, positive, message::stripWidth},
        {&Strip::b, thickEnough, message::height},
        {&Strip::t, positive, thicknessLowerCase},
        {stripInside<Strip>, stripAboveBoard},
    };
}

// On a conducting substrate a synthesis takes any positive permittivity and
// words the thickness its own way.
Checks<StripWanted> synthesisChecks(bool (*permittivity)(Real), Check<StripWanted> loss, const char* thickness,
                                    const char* stripInsideMessage)
{
    return {
        {&StripWanted::Z0, positive, message::impedance},
        {&StripWanted::f, positive, message::frequency},
        {&StripWanted::er, permittivity, message::permittivity},
        {&StripWanted::sigma, positive, message::conductor},
        loss,
        {&StripWanted::b, thickEnough, message::height},
        {&StripWanted::t, positive, thickness},
        {stripInside<StripWanted>, stripInsideMessage},
    };
}

} // namespace

Real endEffect(Real W, Real b, Real lambdaG)
{
    const Real d = b * std::log(2.0L) * invPi;
    const Real lambdaMm = 10 * lambdaG;
    const Real theta = 2 * pi * d / lambdaMm;
    const Real y = (std::sin(theta) / std::cos(theta)) * (2 * W + d) / (2 * W + 4 * d);
    return std::atan(y) * lambdaMm / (2 * pi);
}

Real surfaceResistivity(Real f, Real sigma) { return std::sqrt(pi * f * 1e9L * mu0 / sigma); }

Real wheelerImpedance(Real W, Real b, Real t, Real er)
{
    const Real x = t / b;
    const Real m = 2 / (1 + (2.0L / 3) * x / (1 - x));
    const Real u = 0.0796L * x / (W / b + 1.1L * x);
    // Width increment over (b - t) for the strip's thickness.
    const Real dW = (x / (pi * (1 - x))) * (1 - 0.5L * std::log(sq(x / (2 - x)) + std::exp(m * std::log(u))));
    const Real P = W / (b - t) + dW;
    const Real a = 8 / (pi * P);
    return (30 / std::sqrt(er)) * std::log(1 + (4 / (pi * P)) * (a + std::sqrt(a * a + 6.27L)));
}

Real conductorLoss(Real W, Real b, Real t, Real f, Real er, Real Z0)
{
    const Real R = W / (b - t);
    if (R <= 0.35L) {
        const Real tw = t / W;
        const Real d0 = (W / 2) * (1 + (t / (pi * W)) * (1 + std::log(fourPi * W / t) + 1.6022122533307945L * tw * tw));
        const Real k = 0.5L + 0.669L * tw - 0.225L * tw * tw;
        return (0.11402L * std::sqrt(f) / (Z0 * b)) * (1 + (b / d0) * (k + halfPi * std::log(fourPi * W / t)));
    }
    const Real x = t / b;
    const Real A = (2 * W / b) / sq(1 - x) + 1 / (1 - x);
    const Real B = (1 + x) / (pi * sq(1 - x));
    const Real g = 1 / (1 - x);
    return (2.02e-05L * std::sqrt(f) * er * Z0 / b) * (A + B * std::log((g + 1) / (g - 1)));
}

Real cutoff(Real W, Real b, Real er) { return (150 / (b * std::sqrt(er))) * 1 / (W / b + quarterPi); }

Real lossTangentAttenuation(Real er, Real tand, Real lambda0) { return 27.3L * std::sqrt(er) * tand / lambda0; }

// sqrt(mu0/(eps0 er)) is the wave impedance of the dielectric.
Real conductingDielectricAttenuation(Real er, Real sigmaD)
{
    return 0.0434L * sigmaD * std::sqrt(mu0 / (eps0 * er));
}

Real synthesisWidth(Real Z0, Real er, Real b, Real t)
{
    const Real x = t / b;
    const Real q = std::sqrt(er) * Z0 * (1 + 2.3L * x);
    const Real h = 1 / (1 - x) + 1;
    const Real C = 2 * std::log(h) - x * std::log(h * h - 1); // fringing of the thick strip
    const Real W1 = b * ((1 - x) * thirtyPi / (std::sqrt(er) * Z0) - C * invPi);
    if (q < 119)
        return W1;
    // Narrow strips: the root of the quadratic in W/b.
    const Real D = sq(0.85L + 6 * x) - (W1 / b) * (1 + 12 * x) - 0.1225L;
    return b * (0.85L + 6 * x - std::sqrt(D));
}

const Checks<Strip> laminateChecks = analysisChecks("Condutividade inválida!!", lossTangentCheck<Strip>());
const Checks<Strip> conductingChecks = analysisChecks(message::conductor, dielectricConductivityCheck<Strip>());

Solved<StripLine> analyseOnLaminate(const Strip& in) { return analyse(laminateChecks, Dielectric::LossTangent, in); }
Solved<StripLine> analyseOnConducting(const Strip& in) { return analyse(conductingChecks, Dielectric::Conducting, in); }

const Checks<StripWanted> laminateWantedChecks =
    synthesisChecks(atLeastOne, lossTangentCheck<StripWanted>(), thicknessLowerCase, stripAboveBoard);
const Checks<StripWanted> conductingWantedChecks =
    synthesisChecks(positive, dielectricConductivityCheck<StripWanted>(), message::thicknessCapitals,
                    "Altura do dielétrico deve ser maior que a Espessura da Fita Condutora b>>t!!");

Solved<StripLine> synthesiseOnLaminate(const StripWanted& in)
{
    return synthesise(laminateWantedChecks, Dielectric::LossTangent, in);
}
Solved<StripLine> synthesiseOnConducting(const StripWanted& in)
{
    return synthesise(conductingWantedChecks, Dielectric::Conducting, in);
}

} // namespace tarvel::stripline
