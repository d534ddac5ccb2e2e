// SPDX-License-Identifier: GPL-3.0-or-later
// The four microstrip models: their checks in order, then the chain in the
// variant of each.
#include "microstrip.h"
#include "framework/core/describe.h"
#include "models/messages.h"

namespace tarvel::microstrip {
namespace {

using passes::positive, passes::atLeastOne;

// The thinnest substrate listed is 0.13 mm.
bool listedHeight(Real h) { return h >= 0.13L; }

// The frequency and the materials, in the order every window checks them.
template <typename In>
Checks<In> materialChecks(const char* frequency, const char* loss)
{
    return {{&In::f, positive, frequency},
            {&In::er, atLeastOne, message::permittivity},
            {&In::sigma, positive, message::conductor},
            {&In::loss, positive, loss}};
}

// The board, checked last: its height, the copper on it, and the one
// thinner than the other.
template <typename In>
Checks<In> boardChecks(const char* thickness)
{
    return {{&In::h, listedHeight, message::height},
            {&In::t, positive, thickness},
            {[](const In& in) { return in.h > in.t; }, message::heightOverThickness}};
}

template <typename In>
Checks<In> joined(std::initializer_list<Checks<In>> parts)
{
    return describe::joined<Check<In>>(parts);
}

Solved<Line> shown(const Line& l)
{
    if (l.fault != Fault::None)
        return Outcome::faulted(l.fault);
    return l;
}

Solved<Line> analysed(const Checks<Strip>& checks, const Strip& in, const Variant& v)
{
    if (auto failed = firstFailure(checks, in))
        return Outcome::refuse(*failed);
    return shown(analyse({in.f, in.er, in.sigma, in.loss, in.h, in.t}, in.W, v));
}

Solved<Line> synthesised(const Checks<StripWanted>& checks, const StripWanted& in, const Variant& v)
{
    if (auto failed = firstFailure(checks, in))
        return Outcome::refuse(*failed);
    return shown(synthesise({in.f, in.er, in.sigma, in.loss, in.h, in.t}, in.Z0, v));
}

} // namespace

const Checks<Strip> laminateAnalysisChecks =
    joined<Strip>({materialChecks<Strip>(message::frequencyCapitals, message::lossTangent),
                   {{&Strip::W, positive, message::stripWidth}},
                   boardChecks<Strip>(message::thickness)});

const Checks<Strip> conductingAnalysisChecks =
    joined<Strip>({materialChecks<Strip>(message::frequencyCapitals, message::substrateConductivity),
                   {{&Strip::W, positive, message::stripWidth}},
                   boardChecks<Strip>(message::thicknessCapitals)});

const Checks<StripWanted> laminateSynthesisChecks =
    joined<StripWanted>({{{&StripWanted::Z0, positive, "Impedância característica Inválida!!"}},
                         materialChecks<StripWanted>(message::frequencyCapitals, message::lossTangent),
                         boardChecks<StripWanted>(message::thicknessCapitals)});

const Checks<StripWanted> conductingSynthesisChecks =
    joined<StripWanted>({{{&StripWanted::Z0, positive, message::impedance}},
                         materialChecks<StripWanted>(message::frequency, message::substrateConductivity),
                         boardChecks<StripWanted>(message::thicknessCapitals)});

Solved<Line> analyseOnLaminate(const Strip& in)
{
    return analysed(laminateAnalysisChecks, in, {roundedNarrowBound, SubstrateLoss::Tangent});
}

Solved<Line> analyseOnConducting(const Strip& in)
{
    return analysed(conductingAnalysisChecks, in, {exactNarrowBound, SubstrateLoss::Conductivity});
}

Solved<Line> synthesiseOnLaminate(const StripWanted& in)
{
    return synthesised(laminateSynthesisChecks, in, {roundedNarrowBound, SubstrateLoss::Tangent});
}

Solved<Line> synthesiseOnConducting(const StripWanted& in)
{
    return synthesised(conductingSynthesisChecks, in, {roundedNarrowBound, SubstrateLoss::Conductivity});
}

} // namespace tarvel::microstrip
