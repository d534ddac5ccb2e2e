// SPDX-License-Identifier: GPL-3.0-or-later
// A pick in a window and the same entry given to the command-line reader go
// through the one pick of the core: for every entry of every catalogue of
// every window, the fields hold the same texts afterwards and read as the
// same entries.
#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "models/all_windows.h"
#include "test_windows.h"

using namespace tarvel;

TEST(WindowPicks, EveryEntryFillsAsTheCommandLineReadsIt)
{
    int picks = 0;
    for (const WindowDescription* d : allWindows()) {
        auto w = test::window(d->number);
        for (const InputSpec& input : d->inputs) {
            const QString control = QString::fromStdString(input.name);
            for (int entry = 0; entry < int(input.entries.size()); ++entry) {
                // The blank entry cannot be given as a text: it reads as typed.
                if (input.entries[entry].empty())
                    continue;
                for (const InputSpec& other : d->inputs)
                    w->setControlText(QString::fromStdString(other.name), QString());
                w->pick(control, entry);
                const FieldTexts shown = w->fieldTexts();
                const FieldTexts read = typedFields(*d, {{input.name, input.entries[entry]}});
                for (const InputSpec& field : d->inputs) {
                    const FieldState& a = shown.at(field.name);
                    const FieldState& b = read.at(field.name);
                    EXPECT_EQ(a.text, b.text) << d->className << " " << input.name << " entry " << entry << ": "
                                              << field.name;
                    EXPECT_EQ(effectivePick(field, a), effectivePick(field, b))
                        << d->className << " " << input.name << " entry " << entry << ": " << field.name;
                }
                ++picks;
            }
        }
    }
    EXPECT_GT(picks, 200);
}
