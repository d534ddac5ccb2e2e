// SPDX-License-Identifier: GPL-3.0-or-later
// Named values held as 48-bit reals, and the first arithmetic fault among
// them. A processor that traps stops at the first faulting step; here the
// steps run on through NaNs and infinities, so the fault to report is the one
// raised first: er = 1 divides zero by zero in the dielectric loss before the
// radiation factor divides by zero, and the box must say the former.
#pragma once
#include <cfenv>

#include "fault_guard.h"
#include "real48.h"

namespace tarvel {

class HeldValues {
public:
    // The chain owns the flags while it runs: nothing before it computes.
    HeldValues() { std::feclearexcept(faults); }

    // x rounded as stored in a 48-bit real (a magnitude of 2^127 or more
    // overflows), noting the first fault raised by it or by its expression.
    Real operator()(Real x)
    {
        note();
        const Real stored = r48(x);
        note();
        return stored;
    }

    Fault fault()
    {
        note();
        return first_;
    }

private:
    static constexpr int faults = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
    void note()
    {
        if (first_ == Fault::None)
            first_ = faultFromFlags(std::fetestexcept(faults));
    }
    Fault first_ = Fault::None;
};

} // namespace tarvel
