// SPDX-License-Identifier: GPL-3.0-or-later
// The compute of a calculator window without the window: control texts in,
// an outcome out. The window, the command-line calculator and the tests all
// go through here.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "window_description.h"

namespace tarvel {

struct FieldState {
    std::string text;
    int picked = -1; // catalogue entry picked from the list, -1 when typed
};

using FieldTexts = std::map<std::string, FieldState>;

// The catalogue entry a field stands for: the picked one while its text is
// unchanged, else a non-blank entry whose text it equals, else -1.
int effectivePick(const InputSpec& input, const FieldState& state);

// The number a field reads as: a catalogue entry is the number at its start,
// any other text goes through the strict reader.
Real readField(const InputSpec& input, const FieldState& state);

// What picking entry `index` of the field's list writes into other fields
// (or into the field itself), as target -> text, in the order of its fills.
// An index past the end of a fill's values writes nothing for that fill.
std::vector<std::pair<std::string, std::string>> fillsOfPick(const InputSpec& input, int index);

// The field states left by typing each given text into its control. A text
// equal to a catalogue entry counts as picking that entry, and the pick then
// fills its companion fields unless those were given too; a pick that writes
// into its own box always does. Picks are applied in the order the texts
// are given, as the user makes them, so the later of two picks filling the
// same field wins. Controls not given are empty; names that are no input are
// ignored.
FieldTexts typedFields(const WindowDescription& d, const std::vector<std::pair<std::string, std::string>>& given);

Inputs readInputs(const WindowDescription& d, const FieldTexts& fields);

// Read, check, model, under the fault guard.
Outcome compute(const WindowDescription& d, const FieldTexts& fields);

} // namespace tarvel
