// SPDX-License-Identifier: GPL-3.0-or-later
// The compute of any window on any field texts. The first byte picks the
// window (by its number); the rest, split at newlines, gives the fields in window order. A
// piece that starts with byte 0x01 picks the catalogue entry its next byte
// names instead of typing text. Whatever comes, the outcome is a message, a
// fault or finite results of the window, and the same again on a second run.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "framework/core/calculator.h"
#include "fuzz_check.h"
#include "fuzzed_window.h"
#include "models/all_windows.h"
#include "tests/models/sweep/outcome_rules.h"
#include "tests/models/sweep/sweep_cases.h"

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const WindowDescription* window = fuzzedWindow(data, size);
    if (!window)
        return 0;
    const WindowDescription& d = *window;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);

    FieldTexts fields;
    std::size_t at = 0;
    for (const auto& input : d.inputs) {
        if (at > rest.size())
            break;
        std::size_t end = rest.find('\n', at);
        if (end == std::string::npos)
            end = rest.size();
        std::string piece = rest.substr(at, end - at);
        at = end + 1;
        FieldState state{piece, -1};
        if (piece.size() >= 2 && piece[0] == '\x01' && !input.entries.empty()) {
            const int i = static_cast<unsigned char>(piece[1]) % int(input.entries.size());
            state = {input.entries[i], i};
        }
        fields[input.name] = state;
    }

    static std::map<const WindowDescription*, std::set<std::string>> foreign;
    if (!foreign.count(&d))
        foreign[&d] = sweep::foreignMessages(d);

    const Outcome o = compute(d, fields);
    const std::string broken = rules::checkOutcome(d, o, foreign[&d]);
    FUZZ_CHECK(broken.empty(), "%s: %s", d.className.c_str(), broken.c_str());
    FUZZ_CHECK(rules::sameOutcome(o, compute(d, fields)), "%s: a second compute differs", d.className.c_str());
    return 0;
}
