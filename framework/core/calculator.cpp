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
