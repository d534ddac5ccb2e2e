// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a project file of any content in any window. The first byte picks
// the window (by its number), the rest is the file. A file is refused whole or gives one
// text per field that reads back as a number; the compute that follows an
// open gives a message, a fault or finite results; and saving what was
// opened, then opening that, shows the same texts (no file is damaged by a
// round trip through the window).
#include <cstdint>
#include <string>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "fuzz_check.h"
#include "fuzzed_window.h"
#include "models/all_windows.h"
#include "tests/models/sweep/outcome_rules.h"

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const WindowDescription* window = fuzzedWindow(data, size);
    if (!window)
        return 0;
    const WindowDescription& d = *window;
    const Bytes file(data + 1, data + size);
    const std::string path = "/tmp/projeto." + d.project.extension;

    const Decoded opened = decodeProject(d, file, path);
    const std::size_t need = 6 * d.project.fields.size();
    if (file.size() < need) {
        FUZZ_CHECK(!opened.ok && !opened.error.empty() && opened.texts.empty(), "short file refused whole");
        return 0;
    }
    FUZZ_CHECK(opened.ok && opened.texts.size() == d.project.fields.size(), "%s: complete file opens",
               d.className.c_str());

    FieldTexts fields;
    for (std::size_t i = 0; i < opened.texts.size(); ++i) {
        const auto& [name, text] = opened.texts[i];
        FUZZ_CHECK(name == d.project.fields[i].name, "file order");
        // A number, or a catalogue entry that stands for one.
        const InputSpec* input = d.input(name);
        FUZZ_CHECK(input && rules::checkText("opened text", text).empty()
                       && std::isfinite(readField(*input, FieldState{text, -1})),
                   "%s.%s shows \"%s\"", d.className.c_str(), name.c_str(), text.c_str());
        fields[name] = {text, -1};
    }

    const Outcome o = compute(d, fields);
    const std::string broken = rules::checkOutcome(d, o);
    FUZZ_CHECK(broken.empty(), "%s after open: %s", d.className.c_str(), broken.c_str());

    const Encoded saved = encodeProject(d, fields);
    FUZZ_CHECK(saved.ok && saved.bytes.size() == need, "%s: what was opened can be saved: %s", d.className.c_str(),
               saved.error.c_str());
    const Decoded reopened = decodeProject(d, saved.bytes, path);
    FUZZ_CHECK(reopened.ok, "saved file opens");
    for (std::size_t i = 0; i < opened.texts.size(); ++i)
        FUZZ_CHECK(reopened.texts[i].second == opened.texts[i].second, "%s.%s: \"%s\" reopens as \"%s\"",
                   d.className.c_str(), opened.texts[i].first.c_str(), opened.texts[i].second.c_str(),
                   reopened.texts[i].second.c_str());
    return 0;
}
