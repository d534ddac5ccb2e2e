// SPDX-License-Identifier: GPL-3.0-or-later
// The texts a project reopens with: the field's decimals where they keep the
// stored value, the fewest more where they do not, and a micrometre
// thickness entry as that entry.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

Real stored(Real x) { return decodeReal48(*encodeReal48(x)); }

TEST(OpenedText, FieldDecimalsThenTheFewestThatKeepTheValue)
{
    struct Case {
        Real value;
        int decimals;
        const char* text;
    } cases[] = {
        {1, 2, "1.00"},
        {57600000, 0, "57600000"},
        {41000000.5L, 0, "41000000.5"},
        {0.0003L, 3, "0.0003"},    // was "0.000", which the compute refuses
        {0.0009L, 3, "0.0009"},    // was "0.001", another value
        {0.035L, 2, "0.035"},      // a typed thickness in millimetres
        {0.00078L, 3, "0.00078"},
        {2.2L, 5, "2.20000"},
        {1.0L / 3, 3, nullptr},
        {-1.5L, 2, "-1.50"},
        {0, 3, "0.000"},
        {123456789012.5L, 0, "123456789012.5"},
        {1e-9L, 2, nullptr},
    };
    for (const auto& c : cases) {
        const std::string text = openedText(nullptr, stored(c.value), c.decimals);
        if (c.text) {
            EXPECT_EQ(text, c.text) << double(c.value);
        }
        EXPECT_EQ(stored(std::stold(text)), stored(c.value)) << text;
        // No decimal fewer would do.
        const std::size_t point = text.find('.');
        const int decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
        if (decimals > c.decimals) {
            EXPECT_NE(stored(std::stold(formatFixed(stored(c.value), decimals - 1))), stored(c.value)) << text;
        }
    }
    // The smallest magnitude a project holds still reads back, in fixed point.
    const Real tiny = std::ldexp(1.0L, -128);
    const std::string text = openedText(nullptr, tiny, 3);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    EXPECT_EQ(stored(std::stold(text)), tiny) << text;
}

TEST(OpenedText, AMicrometreEntryComesBackAsThatEntry)
{
    for (const WindowDescription* d : allWindows())
        for (const ProjectField& field : d->project.fields) {
            const InputSpec* input = d->input(field.name);
            ASSERT_TRUE(input) << d->className << " " << field.name;
            for (std::size_t i = 1; i < input->entries.size(); ++i) {
                const std::string& entry = input->entries[i];
                if (entry.find("µm") == std::string::npos)
                    continue;
                // The first entry of that number: ED and Rolled foils of one
                // weight read alike.
                const Real number = std::stold(entry);
                const std::string text = openedText(input, stored(number), field.decimals);
                EXPECT_EQ(std::stold(text), number) << d->className << " " << entry;
                EXPECT_NE(text.find("µm"), std::string::npos) << d->className << " " << entry;
                EXPECT_EQ(readField(*input, FieldState{text, -1}), number) << text;
                EXPECT_GE(effectivePick(*input, FieldState{text, -1}), 1) << text;
                // The same field typed in millimetres stays typed.
                EXPECT_EQ(openedText(input, stored(0.035L), field.decimals), "0.035") << d->className;
            }
        }
}

} // namespace
