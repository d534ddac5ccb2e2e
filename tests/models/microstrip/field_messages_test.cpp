// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

// A window shows beside each field the message its model gives when that
// field alone is spoilt: text that is no number fails every check.
TEST(MicrostripWindows, EachFieldsMessageIsTheModelsForIt)
{
    struct Case {
        int window;
        std::vector<const char*> valid; // in the order of the window's inputs
    } cases[] = {
        {4, {"10", "2.2", "57600000", "0.0009", "2.4", "0.79", "0.035"}},
        {6, {"10", "2.2", "57600000", "0.001", "2.4", "0.79", "0.035"}},
        {17, {"50", "10", "2.2", "57600000", "0.0009", "0.79", "0.035"}},
        {18, {"50", "10", "2.2", "57600000", "0.001", "0.79", "0.035"}},
        {8, {"3", "10.2", "1.27", "0.1"}},
    };
    for (const auto& c : cases) {
        const WindowDescription& d = *findWindow(c.window);
        ASSERT_EQ(d.inputs.size(), c.valid.size()) << c.window;
        std::vector<std::pair<std::string, std::string>> valid;
        for (std::size_t i = 0; i < c.valid.size(); ++i)
            valid.emplace_back(d.inputs[i].name, c.valid[i]);
        ASSERT_TRUE(compute(d, typedFields(d, valid)).ok()) << c.window;
        for (std::size_t i = 0; i < valid.size(); ++i) {
            auto spoilt = valid;
            spoilt[i].second = "abc";
            const Outcome o = compute(d, typedFields(d, spoilt));
            EXPECT_FALSE(d.inputs[i].message.empty()) << c.window << " " << valid[i].first;
            EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.window << " " << valid[i].first;
            EXPECT_EQ(o.message, d.inputs[i].message) << c.window << " " << valid[i].first;
        }
    }
}

} // namespace
