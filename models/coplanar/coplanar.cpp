// SPDX-License-Identifier: GPL-3.0-or-later
#include "coplanar.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "framework/core/held.h"
#include "framework/core/real48.h"
#include "models/messages.h"
#include "models/physics.h"

namespace tarvel::coplanar {
namespace {

using physics::pi, physics::fourPiExact, physics::mu0, physics::ln10, physics::dbPerNeperPi,
      physics::onePointTwoFiveOverPi, physics::eta0Squared, physics::thirtyPi,
      physics::eta0To17Digits;

// The hyperbolic tangent and decimal logarithm built from exp and ln.
Real tanhExp(Real x)
{
    const Real a = std::exp(x), b = std::exp(-x);
    return (a - b) / (a + b);
}
Real log10Ln(Real x) { return std::log(x) / ln10; }

Real power(Real r, int p) { return p < 0 ? 1 / r : r; }

// The closed forms hold for substrates from 0.13 mm up.
bool thickEnough(Real h) { return h >= 0.13L; }
bool thinnerThanSubstrate(const Board& b) { return b.t < b.h; }

// How a window words the checks that it words its own way, in check order.
struct Spelling {
    const char* frequency;
    const char* conductor;
    const char* loss;
    const char* width;
    const char* separation;
    const char* height;
    const char* thickness;
    const char* thickerThanHeight;
};

// The checks all four windows run, each worded as `s` says.
Checks<Board> checksSpelled(const Spelling& s)
{
    using passes::positive, passes::atLeastOne;
    return {
        {&Board::f, positive, s.frequency},
        {&Board::er, atLeastOne, message::permittivity},
        {&Board::sigma, positive, s.conductor},
        {&Board::loss, positive, s.loss},
        {&Board::W, positive, s.width},
        {&Board::S, positive, s.separation},
        {&Board::h, thickEnough, s.height},
        {&Board::t, positive, s.thickness},
        {thinnerThanSubstrate, s.thickerThanHeight},
    };
}

const char* const heightTooLow = "Altura do dielétrico inválida H < 0.13mm!!";
const char* const stripsWidth = "Largura das fitas condutoras inválida!!";
const char* const stripsSeparation = "Separação entre as fitas inválida!!";
const char* const stripsThickness = "Espessura das fitas condutoras inválida!!";

} // namespace

// Direction, aspect ratio, fill (constant, power of r), impedance (30 pi over
// r, 120 pi times r), B, the conductor-loss constant, and the refusals.
const Layout waveguide = {+1, false, 0.7L, +1, thirtyPi, -1, 2, 1, -1, 0.0488L, false,
                          "Fita muito estreita para a espessura!!", "Fenda muito estreita para a espessura da fita!!"};
const Layout strips = {-1, true, 1.4L, -1, eta0To17Digits, +1, 1, 2, +1, 17340, true,
                       "Fitas muito estreitas para a espessura!!",
                       "Separação muito estreita para a espessura das fitas!!"};

const char* const permittivityBelowOne =
    "Constante dielétrica relativa efetiva menor que 1: resultados fora da validade do modelo!!";

const Checks<Board> cpwAnaChecks = checksSpelled(
    {message::frequency, "Condutividade da placa condutora inválida!!", message::lossTangent, message::stripWidth,
     message::slotWidth, heightTooLow, "Espessura da fita condutora central inválida!!",
     "Altura do substrato deve ser maior que a espessura da fita H>>t!!"});
const Checks<Board> cpwConChecks =
    checksSpelled({message::frequencyCapitals, message::conductor, message::substrateConductivity,
                   message::stripWidth, message::slotWidth, heightTooLow, message::thickness,
                   message::heightOverThickness});
const Checks<Board> cpsAnaChecks =
    checksSpelled({message::frequency, message::conductor, message::lossTangent, stripsWidth, stripsSeparation,
                   heightTooLow, stripsThickness,
                   "Altura do dielétrico deve ser maior que a espessura das fitas H>>t!!"});
const Checks<Board> cpsConChecks =
    checksSpelled({message::frequency, message::conductor, message::substrateConductivity, stripsWidth,
                   stripsSeparation, "Altura do dielétrico inválida H < 0.13mm !!", stripsThickness,
                   message::heightOverThickness});

const Variant cpwAna = {&waveguide, 0.707L, Dielectric::LossTangent, &cpwAnaChecks};
const Variant cpwCon = {&waveguide, 0.707L, Dielectric::Conducting, &cpwConChecks};
const Variant cpsAna = {&strips, 0.707L, Dielectric::LossTangent, &cpsAnaChecks};
const Variant cpsCon = {&strips, 0.7L, Dielectric::Conducting, &cpsConChecks};

EllipticRatio ellipticRatio(Real ke, Real kep, Real bound)
{
    if (ke >= 0 && ke <= r48(bound)) {
        // Small aspect ratios: the ratio from ke', and P with the exponent
        // (1 - ke'^2)^(3/2) taken as (1 - ke'^2) sqrt(1 - ke'^2).
        const Real sq = std::sqrt(kep);
        const Real r = r48(pi / std::log(2 * (1 + sq) / (1 - sq)));
        const Real u = 1 - kep * kep;
        const Real P = r48(kep / std::exp(0.75L * (1 - u * std::sqrt(u))));
        return {r, P};
    }
    if (ke > r48(bound) && ke <= 1) {
        const Real sq = std::sqrt(ke);
        const Real r = r48(std::log(2 * (1 + sq) / (1 - sq)) / pi);
        const Real P = r48((1 / r) * (1 / r) * sq / (1 - ke));
        return {r, P};
    }
    std::feraiseexcept(FE_INVALID);
    const Real none = std::numeric_limits<Real>::quiet_NaN();
    return {none, none};
}

Solved<BoardLine> analyse(const Board& in, const Variant& v)
{
    if (auto failed = firstFailure(*v.checks, in))
        return Outcome::refuse(*failed);
    const Layout& L = *v.layout;
    const Real f = in.f, er = in.er, sigma = in.sigma, loss = in.loss, W = in.W, S = in.S, h = in.h, t = in.t;

    // Named values are held as 48-bit reals; the chain runs on through NaNs
    // and infinities, so the fault to report is the first one raised (a
    // negative eeff gives an invalid square root before er = 1 would divide
    // by zero).
    HeldValues held;
    const Real lambda0 = held(30 / f); // cm
    const Real Rs = held(std::sqrt(f * 1e9L * pi * mu0 / sigma));

    // Static permittivity over a substrate of finite height h.
    const Real k = held(L.gapOverStrips ? S / (S + 2 * W) : W / (W + 2 * S));
    const Real q = held(tanhExp(1.785L * log10Ln(h / S) + 1.75L) +
                        (k * S / h) * (0.04L - 0.7L * k + 0.01L * (1 - 0.1L * er) * (0.25L + k)));
    const Real eeff0 = held(((er + 1) / 2) * q);

    // The finite thickness moves each conductor edge by Delta.
    const Real Delta = held((0.00125L * t / pi) * (1 + std::log(fourPiExact * W / t)));
    const Real We = held(W + L.thicknessDirection * Delta);
    const Real Se = held(S - L.thicknessDirection * Delta);
    // A fault on the way here comes first; then an edge moved past its
    // neighbour leaves no strip or no gap, and no aspect ratio in [0, 1].
    if (const Fault earlier = held.fault(); earlier != Fault::None)
        return Outcome::faulted(earlier);
    // (Only one of the two can fail: the sign of Delta decides which.)
    if (!(We > 0)) return Outcome::refuse(L.noStripLeft);
    if (!(Se > 0)) return Outcome::refuse(L.noGapLeft);

    const Real ke = held(L.gapOverStrips ? Se / (Se + 2 * We) : We / (We + 2 * Se));
    const Real kep = held(std::sqrt(1 - ke * ke));
    const EllipticRatio ratio = ellipticRatio(ke, kep, v.rangeBound);
    const Real r = held(ratio.r), P = held(ratio.P);

    const Real fill = L.fillConstant * t / Se;
    const Real eeff = held(eeff0 - (fill * (eeff0 - 1)) / (power(r, L.fillRatioPower) + fill));
    const Real Z0 = held(L.impedanceConstant * power(r, L.impedanceRatioPower) / std::sqrt(eeff));

    // Conductor loss by the incremental-inductance rule.
    const Real lnStrip = std::log(fourPiExact * We / t);
    const Real A = held(1 + onePointTwoFiveOverPi * lnStrip + 1.25L * t / (pi * We));
    const Real b = L.b0 + L.b1 * We / Se + L.b2 * (1.25L * t / (pi * Se)) * (1 + lnStrip);
    const Real B = held(b * b);
    const Real Pp = held(r * r * P);
    const Real shape = (A / B) * (1 + We / Se) * (Pp / (pi * Se));
    const Real alphaC = held(L.lossOverImpedance ? shape * (Rs / Z0) * L.lossConstant
                                                 : shape * Z0 * eeff * Rs * L.lossConstant);

    // Dielectric loss: the filling factor (eeff - 1)/(er - 1) of the field
    // that runs in the substrate.
    const Real alphaD =
        held(v.dielectric == Dielectric::LossTangent
                 ? 27.3L * (er / std::sqrt(eeff)) * ((eeff - 1) / (er - 1)) * loss / lambda0
                 : 0.0434L * loss * (std::sqrt(eta0Squared) / std::sqrt(eeff)) * (eeff - 1) / (er - 1));
    const Real alphaT = held(alphaC + alphaD);

    const Real Qc = held(dbPerNeperPi * std::sqrt(eeff) / (alphaC * lambda0));
    const Real Qd = held(dbPerNeperPi * std::sqrt(eeff) / (alphaD * lambda0));
    const Real Qt = held(1 / (1 / Qc + 1 / Qd));
    if (const Fault fault = held.fault(); fault != Fault::None)
        return Outcome::faulted(fault);

    Solved<BoardLine> out(BoardLine{Z0, Rs, eeff, alphaC, alphaD, alphaT, Qc, Qd, Qt});
    // The finite-height factor falls as the separation grows against h, and
    // with it eeff, below 1 for wide separations or an er close to 1: the
    // results are then the formulas' own (a negative dielectric loss among
    // them), and the user is told so.
    if (eeff < 1)
        out.warn(permittivityBelowOne);
    return out;
}

} // namespace tarvel::coplanar
