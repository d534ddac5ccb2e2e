// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator.h"

#include <algorithm>

#include "number_text.h"

namespace tarvel {

int effectivePick(const InputSpec& input, const FieldState& state)
{
    const int n = int(input.entries.size());
    if (state.picked >= 0 && state.picked < n && input.entries[state.picked] == state.text)
        return state.picked;
    if (!state.text.empty())
        for (int i = 0; i < n; ++i)
            if (!input.entries[i].empty() && input.entries[i] == state.text)
                return i;
    return -1;
}

namespace {
Real readPicked(const InputSpec& input, const FieldState& state, int pick)
{
    return pick >= 0 ? leadingNumber(input.entries[pick]) : readNumber(state.text);
}
} // namespace

Real readField(const InputSpec& input, const FieldState& state)
{
    return readPicked(input, state, effectivePick(input, state));
}

std::vector<std::pair<std::string, std::string>> fillsOfPick(const InputSpec& input, int index)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (index < 0)
        return out;
    for (const Fill& fill : input.fills)
        if (index < int(fill.values.size()))
            out.emplace_back(fill.target, fill.values[index]);
    return out;
}

FieldTexts typedFields(const WindowDescription& d, const std::vector<std::pair<std::string, std::string>>& given)
{
    FieldTexts fields;
    for (const auto& input : d.inputs)
        fields.emplace_hint(fields.end(), input.name, FieldState{});
    // Each given name's input (null for a name that is no input), found once.
    std::vector<const InputSpec*> inputs(given.size());
    for (std::size_t i = 0; i < given.size(); ++i)
        if ((inputs[i] = d.input(given[i].first)))
            fields[given[i].first].text = given[i].second;
    auto isGiven = [&given](const std::string& name) {
        for (const auto& g : given)
            if (g.first == name)
                return true;
        return false;
    };
    // Picks in the order the texts come, as the user makes them in the
    // window: of two picks that fill the same companion, the later one's
    // value stays. A name given twice counts at its last place.
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string& name = given[i].first;
        const InputSpec* input = inputs[i];
        if (!input)
            continue;
        const bool givenAgain = std::any_of(given.begin() + std::ptrdiff_t(i) + 1, given.end(),
                                            [&name](const auto& g) { return g.first == name; });
        if (givenAgain)
            continue;
        FieldState& state = fields[name];
        state.picked = effectivePick(*input, state);
        if (state.picked < 0)
            continue;
        for (const auto& [target, text] : fillsOfPick(*input, state.picked))
            if (d.input(target) && (target == name || !isGiven(target)))
                fields[target] = FieldState{text, -1};
    }
    return fields;
}

Inputs readInputs(const WindowDescription& d, const FieldTexts& fields)
{
    Inputs in;
    static const FieldState empty;
    for (const auto& input : d.inputs) {
        const auto it = fields.find(input.name);
        const FieldState& state = it == fields.end() ? empty : it->second;
        const int pick = effectivePick(input, state);
        in.set(input.name, readPicked(input, state, pick), pick);
    }
    return in;
}

Outcome compute(const WindowDescription& d, const FieldTexts& fields)
{
    return runGuarded(d.model, readInputs(d, fields));
}

} // namespace tarvel
