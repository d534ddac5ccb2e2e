// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_guard.h"

#include <cfenv>
#include <cmath>

namespace tarvel {

const char* faultText(Fault f)
{
    switch (f) {
    case Fault::DivisionByZero: return "Floating point division by zero";
    case Fault::Invalid: return "Invalid floating point operation";
    case Fault::Overflow: return "Floating point overflow";
    case Fault::None: break;
    }
    return "";
}

Real Outcome::value(const std::string& control) const
{
    for (const auto& [name, v] : results)
        if (name == control)
            return v;
    return NAN;
}

Fault faultFromFlags(int flags)
{
    if (flags & FE_DIVBYZERO) return Fault::DivisionByZero;
    if (flags & FE_OVERFLOW) return Fault::Overflow;
    if (flags & FE_INVALID) return Fault::Invalid;
    return Fault::None;
}

Outcome runGuarded(Model model, const Inputs& in)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    Outcome out = model(in);
    const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (out.kind != Outcome::Kind::Results)
        return out;
    if (Fault f = faultFromFlags(flags); f != Fault::None)
        return Outcome::faulted(f);
    for (const auto& [name, v] : out.results) {
        (void)name;
        if (std::isnan(v)) return Outcome::faulted(Fault::Invalid);
        if (std::isinf(v)) return Outcome::faulted(Fault::Overflow);
    }
    return out;
}

} // namespace tarvel
