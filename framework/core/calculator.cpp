#include "calculator.h"

#include "number_text.h"

namespace tarvel {

int effectivePick(const InputSpec& spec, const FieldState& state)
{
    const int n = int(spec.entries.size());
    if (state.picked >= 0 && state.picked < n && spec.entries[state.picked] == state.text)
        return state.picked;
    if (!state.text.empty())
        for (int i = 0; i < n; ++i)
            if (!spec.entries[i].empty() && spec.entries[i] == state.text)
                return i;
    return -1;
}

Real readField(const InputSpec& spec, const FieldState& state)
{
    const int pick = effectivePick(spec, state);
    return pick >= 0 ? leadingNumber(spec.entries[pick]) : readNumber(state.text);
}

std::vector<std::pair<std::string, std::string>> fillsOfPick(const InputSpec& spec, int index)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (index < 0)
        return out;
    for (const Fill& fill : spec.fills)
        if (index < int(fill.values.size()))
            out.emplace_back(fill.target, fill.values[index]);
    return out;
}

FieldTexts typedFields(const WindowDescription& d, const std::vector<std::pair<std::string, std::string>>& given)
{
    FieldTexts fields;
    for (const auto& spec : d.inputs)
        fields[spec.name] = FieldState{};
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
        const InputSpec* spec = d.input(name);
        bool later = false;
        for (std::size_t j = i + 1; j < given.size() && !later; ++j)
            later = given[j].first == name;
        if (!spec || later)
            continue;
        FieldState& state = fields[name];
        state.picked = effectivePick(*spec, state);
        for (const auto& [target, text] : fillsOfPick(*spec, state.picked))
            if (d.input(target) && (target == name || !isGiven(target)))
                fields[target] = FieldState{text, -1};
    }
    return fields;
}

Inputs readInputs(const WindowDescription& d, const FieldTexts& fields)
{
    Inputs in;
    static const FieldState empty;
    for (const auto& spec : d.inputs) {
        const auto it = fields.find(spec.name);
        const FieldState& state = it == fields.end() ? empty : it->second;
        in.set(spec.name, readField(spec, state), effectivePick(spec, state));
    }
    return in;
}

Outcome compute(const WindowDescription& d, const FieldTexts& fields)
{
    return runGuarded(d.model, readInputs(d, fields));
}

} // namespace tarvel
