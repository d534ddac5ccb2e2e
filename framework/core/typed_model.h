// SPDX-License-Identifier: GPL-3.0-or-later
// A model as the physics sees it: a struct of inputs in, a struct of results
// out, and its checks as one table of rows (the input, the condition its
// value must meet, the message when it does not). The model runs the table
// before its formulas; the window reads the same table for the message of
// each field, so every message is written once.
//
// A `Binding` joins such a model to a window: which control feeds which
// input, which result goes to which control (in the order the results are
// given), and what the controls say beyond their numbers (a catalogue entry
// listed in micrometres, a picked entry that stands for another field). It
// is the only place where the model's quantities meet control names.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inputs.h"
#include "line_section.h"
#include "outcome.h"
#include "window_description.h"

namespace tarvel {

// The conditions the checks use most; a model may add its own.
namespace passes {
inline bool positive(Real v) { return v > 0; }
inline bool notNegative(Real v) { return v >= 0; }
inline bool atLeastOne(Real v) { return v >= 1; } // a relative permittivity
} // namespace passes

template <typename In>
struct Check {
    Real In::*input = nullptr;                 // the input checked alone, or none
    bool (*passes)(Real) = nullptr;            // ... and the condition its value meets
    bool (*passesAcross)(const In&) = nullptr; // or a condition between inputs
    const char* message = "";

    Check(Real In::*in, bool (*condition)(Real), const char* text) : input(in), passes(condition), message(text) {}
    Check(bool (*condition)(const In&), const char* text) : passesAcross(condition), message(text) {}

    // Written as the pass condition, so that NaN (text that is no number)
    // fails every check.
    bool passed(const In& in) const { return input ? passes(in.*input) : passesAcross(in); }
};

template <typename In>
using Checks = std::vector<Check<In>>;

// The message of the first check that fails, in table order, or none.
template <typename In>
std::optional<std::string> firstFailure(const Checks<In>& checks, const In& in)
{
    for (const auto& c : checks)
        if (!c.passed(in))
            return std::string(c.message);
    return std::nullopt;
}

// What a typed model gives back: its results and the notices to show after
// them, or (in `stopped`) a check message or an arithmetic fault in their
// place. A model returns `Outcome::refuse(...)` or `Outcome::faulted(...)`
// to stop, and its results struct to succeed.
template <typename Out>
struct Solved {
    Out values{};
    std::vector<std::string> warnings;
    std::optional<Outcome> stopped;

    Solved() = default;
    Solved(Out v) : values(std::move(v)) {}
    Solved(Outcome stop) : stopped(std::move(stop)) {}

    Solved& warn(std::string text)
    {
        warnings.push_back(std::move(text));
        return *this;
    }
};

template <typename In, typename Out>
struct Binding {
    using Fn = Solved<Out> (*)(const In&);

    Fn model = nullptr;
    const Checks<In>* checks = nullptr; // the model's table, for the fields' messages
    std::vector<std::pair<const char*, Real In::*>> inputs;
    std::vector<std::pair<const char*, Real Out::*>> results; // in the order the results are given
    // The line cross-section the window describes, read from the model's
    // inputs (after the rules below) and results.
    SectionOf<In, Out> section = {};
    // Controls whose picked entries are listed in micrometres while the
    // model and a typed text are in millimetres.
    std::vector<const char*> micrometres = {};
    // What the controls say beyond their numbers, after the plain reading.
    void (*adapt)(const Inputs& controls, In& in) = nullptr;

    In read(const Inputs& controls) const
    {
        In in{};
        for (const auto& [control, field] : inputs) {
            in.*field = controls[control];
            for (const char* m : micrometres)
                if (std::string_view(m) == control && controls.isPicked(control))
                    in.*field = in.*field / 1000;
        }
        if (adapt)
            adapt(controls, in);
        return in;
    }

    Outcome operator()(const Inputs& controls) const
    {
        Solved<Out> s = model(read(controls));
        if (s.stopped)
            return std::move(*s.stopped);
        Outcome out;
        for (const auto& [control, field] : results)
            out.set(control, s.values.*field);
        out.warnings = std::move(s.warnings);
        return out;
    }

    // The window's section for the given controls; the model runs again
    // for its results only when it succeeded on them (`solved`).
    SectionReading sectionOf(const Inputs& controls, bool solved) const
    {
        const In in = read(controls);
        if (!solved)
            return section.read(in, nullptr);
        const Solved<Out> s = model(in);
        return section.read(in, s.stopped ? nullptr : &s.values);
    }

    // The check message of a control: the first check of the input it feeds.
    std::string messageOf(const std::string& control) const
    {
        if (!checks)
            return {};
        for (const auto& [name, field] : inputs)
            if (control == name)
                for (const auto& c : *checks)
                    if (c.input == field)
                        return c.message;
        return {};
    }

    // Gives each input of the window the message of its check.
    void messagesInto(std::vector<InputSpec>& fields) const
    {
        for (InputSpec& field : fields)
            if (std::string m = messageOf(field.name); !m.empty())
                field.message = m;
    }

    // Gives the window its model (the window's function that calls this
    // binding), its section and each of its inputs the message of its check.
    // The binding must live as long as the description (both are static).
    void into(WindowDescription& w, Model windowModel) const
    {
        messagesInto(w.inputs);
        w.model = windowModel;
        w.section.kind = section.kind;
        if (section.read)
            w.section.read = [this](const Inputs& controls, bool solved) { return sectionOf(controls, solved); };
    }
};

} // namespace tarvel
