// SPDX-License-Identifier: GPL-3.0-or-later
// What a model gives back: exactly one of results, a check message or an
// arithmetic fault. Nothing is written to a window unless it is results.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "real48.h"

namespace tarvel {

enum class Fault { None, DivisionByZero, Invalid, Overflow };

// The standard texts of the arithmetic faults.
const char* faultText(Fault f);

struct Outcome {
    enum class Kind { Results, Message, Fault };

    Kind kind = Kind::Results;
    std::vector<std::pair<std::string, Real>> results; // control name -> value, in display order
    std::vector<std::string> warnings;                  // shown one by one after the results
    std::string message;                                // the failed check's text
    tarvel::Fault fault = tarvel::Fault::None;

    static Outcome refuse(std::string text)
    {
        Outcome o;
        o.kind = Kind::Message;
        o.message = std::move(text);
        return o;
    }
    static Outcome faulted(tarvel::Fault f)
    {
        Outcome o;
        o.kind = Kind::Fault;
        o.fault = f;
        return o;
    }

    Outcome& set(std::string control, Real value)
    {
        results.emplace_back(std::move(control), value);
        return *this;
    }
    Outcome& warn(std::string text)
    {
        warnings.push_back(std::move(text));
        return *this;
    }

    bool ok() const { return kind == Kind::Results; }
    // The value written to `control`, or NaN when the outcome has none.
    Real value(const std::string& control) const;
};

} // namespace tarvel
