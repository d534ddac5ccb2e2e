// The compute of a calculator window without the window: control texts in,
// an outcome out. The window, the command-line calculator and the tests all
// go through here.
#pragma once
#include <map>
#include <string>

#include "window_description.h"

namespace tarvel {

struct FieldState {
    std::string text;
    int picked = -1; // catalogue entry picked from the list, -1 when typed
};

using FieldTexts = std::map<std::string, FieldState>;

// The catalogue entry a field stands for: the picked one while its text is
// unchanged, else a non-blank entry whose text it equals, else -1.
int effectivePick(const InputSpec& spec, const FieldState& state);

// The number a field reads as: a catalogue entry is the number at its start,
// any other text goes through the strict reader.
Real readField(const InputSpec& spec, const FieldState& state);

Inputs readInputs(const WindowDescription& d, const FieldTexts& fields);

// Read, check, model, under the fault guard.
Outcome compute(const WindowDescription& d, const FieldTexts& fields);

} // namespace tarvel
