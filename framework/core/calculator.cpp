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

Real readField(const InputSpec& input, const FieldState& state)
{
    const int pick = effectivePick(input, state);
    return pick >= 0 ? leadingNumber(input.entries[pick]) : readNumber(state.text);
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
        fields[input.name] = FieldState{};
    auto isGiven = [&given](const std::string& name) {
        for (const auto& g : given)
            if (g.first == name)
                return true;
        return false;
    };
    for (const auto& [name, text] : given)
        if (d.input(name))
            fields[name].text = text;
    // Picks in the order the texts come, as the user makes them in the
    // window: of two picks that fill the same companion, the later one's
    // value stays. A name given twice counts at its last place.
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string& name = given[i].first;
        const InputSpec* input = d.input(name);
        const bool givenAgain = std::any_of(given.begin() + std::ptrdiff_t(i) + 1, given.end(),
                                            [&name](const auto& g) { return g.first == name; });
        if (!input || givenAgain)
            continue;
        FieldState& state = fields[name];
        state.picked = effectivePick(*input, state);
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
        in.set(input.name, readField(input, state), effectivePick(input, state));
    }
    return in;
}

Outcome compute(const WindowDescription& d, const FieldTexts& fields)
{
    return runGuarded(d.model, readInputs(d, fields));
}

} // namespace tarvel
