// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a model with the floating-point exception flags cleared and maps the
// flags it raised (and any non-finite result) to an arithmetic fault. This
// is how "an arithmetic fault stops the command and no result changes" is
// done without a test before every division. Never build with -ffast-math.
#pragma once
#include "inputs.h"
#include "outcome.h"

namespace tarvel {

using Model = Outcome (*)(const Inputs&);

// A check message outranks the flags (reading a non-number gives NaN, and a
// comparison with NaN may raise the invalid flag on its way to the message).
// Results with a raised division-by-zero, overflow or invalid flag, or with a
// value that is not finite, become a fault.
Outcome runGuarded(Model model, const Inputs& in);

// The fault that the raised flags stand for, or Fault::None. A division by
// zero or an overflow comes before the invalid operations that infinities
// lead to, so it is named first.
Fault faultFromFlags(int flags);

} // namespace tarvel
