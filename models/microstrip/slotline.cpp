// SPDX-License-Identifier: GPL-3.0-or-later
// Slotline on a high-permittivity substrate: the closed-form fit of Garg and
// Gupta, in two ranges of W/h. The fit holds for 9.7 <= er <= 20,
// 0.02 <= W/h <= 1 and 0.01 <= h/lambda0 up to the cutoff of the TE10
// surface wave; the window refuses the first two and warns on the third.
#include <cmath>

#include "framework/core/held.h"
#include "microstrip.h"
#include "models/messages.h"

namespace tarvel::microstrip {
namespace {

Real sq(Real x) { return x * x; }

const char* const validityWarning =
    "Para uma melhor precisão a razão (h/Lambda)deve estar entre 0.01<=h/Lambda<=Valor de corte para modo TE10!!";

} // namespace

Slot slotline(Real f, Real er, Real W, Real h)
{
    HeldValues held;
    Slot s;
    const Real lambda0 = held(30 / f);
    const Real u = held(W / h);
    s.hc = held(0.25L / std::sqrt(er - 1));
    s.ratio = held(0.1L * h / lambda0);
    const Real L = held(std::log(er));
    const Real q = held(10 * h / lambda0); // h in mm over lambda0 in cm: 100 h/lambda0
    if (u <= r48(0.2L)) {
        s.lambdaS = held(lambda0 * (0.923L - 0.195L * L + 0.2L * u - (0.126L * u + 0.02L) * std::log(q)));
        s.Z0 = held(72.62L - 15.283L * L + 50 * (u - 0.02L) * (u - 0.1L) / u + (19.23L - 3.693L * L) * std::log(100 * u) -
                    (0.139L * L - 0.11L + u * (0.465L * L + 1.44L)) * sq(11.4L - 2.636L * L - q));
    } else {
        s.lambdaS = held(lambda0 * (0.987L - 0.21L * L + u * (0.111L - 0.0022L * er) -
                                    (0.053L + 0.041L * u - 0.0014L * er) * std::log(q)));
        s.Z0 = held(113.19L - 23.257L * L + 1.25L * u * (114.59L - 22.531L * L) + 20 * (u - 0.2L) * (1 - u) -
                    (0.15L + 0.1L * L + u * (0.899L * L - 0.79L)) * sq(10.25L - 2.171L * L + u * (2.1L - 0.617L * L - q)));
    }
    s.eeff = held(sq(lambda0 / s.lambdaS));
    s.fault = held.fault();
    return s;
}

const Checks<SlotCut> slotChecks = {
    {&SlotCut::f, passes::positive, message::frequency},
    {&SlotCut::er, [](Real er) { return er >= 9.7L && er <= 20; },
     "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!"},
    {&SlotCut::W, passes::positive, message::slotWidth},
    {&SlotCut::h, passes::positive, message::height},
    // The range of W/h is checked on the ratio as the model holds it.
    {[](const SlotCut& in) {
         const Real u = r48(in.W / in.h);
         return u >= r48(0.02L) && u <= 1;
     },
     "Razão W/h Inválida, recomenda-se 0.02<=W/h<=1!!"},
};

Solved<Slot> analyseSlot(const SlotCut& in)
{
    if (auto failed = firstFailure(slotChecks, in))
        return Outcome::refuse(*failed);
    const Slot s = slotline(in.f, in.er, in.W, in.h);
    if (s.fault != Fault::None)
        return Outcome::faulted(s.fault);
    Solved<Slot> out(s);
    if (s.ratio < r48(0.01L) || s.ratio > s.hc)
        out.warn(validityWarning);
    return out;
}

} // namespace tarvel::microstrip
