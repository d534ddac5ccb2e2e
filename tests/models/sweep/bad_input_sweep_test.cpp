// SPDX-License-Identifier: GPL-3.0-or-later
// Every window's compute on random and adversarial field texts, through the
// same path as "&Calcular" (texts -> reader -> checks -> guarded model). The
// outcome must always be a check message, one of the three standard faults,
// or finite results of the window's own result fields; a second run gives
// the same; and what would be saved from those texts is either refused or a
// file that opens again into finite texts.
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "models/all_windows.h"
#include "outcome_rules.h"
#include "sweep_cases.h"

using namespace tarvel;

namespace {

constexpr int kCasesPerWindow = 3000;

using sweep::Cases;
using sweep::foreignMessages;

struct Tally {
    int results = 0, messages = 0, faults = 0;
    std::map<std::string, int> otherMessages; // messages no field of the window carries
    std::vector<std::string> plainFaults;     // faults on plausible values, for review
};

class BadInputSweep : public ::testing::TestWithParam<int> {};

TEST_P(BadInputSweep, EveryOutcomeIsOneTheWindowCanShow)
{
    const WindowDescription* d = findWindow(GetParam());
    ASSERT_TRUE(d);
    ASSERT_TRUE(d->model);
    const auto foreign = foreignMessages(*d);
    const auto own = rules::fieldMessages(*d);
    Cases cases(*d, 20240u + unsigned(d->number));
    Tally tally;
    int failures = 0;
    for (int i = 0; i < kCasesPerWindow && failures < 5; ++i) {
        const FieldTexts fields = cases.next();
        auto describe = [&] {
            std::string s = d->className + " case " + std::to_string(i) + ":";
            for (const auto& [name, state] : fields)
                s += " " + name + "=\"" + state.text.substr(0, 40) + "\"" + (state.picked >= 0 ? "(picked)" : "");
            return s;
        };
        const Outcome o = compute(*d, fields);
        const std::string broken = rules::checkOutcome(*d, o, foreign);
        if (!broken.empty()) {
            ADD_FAILURE() << describe() << "\n  " << broken;
            ++failures;
            continue;
        }
        if (!rules::sameOutcome(o, compute(*d, fields))) {
            ADD_FAILURE() << describe() << "\n  a second compute gives another outcome";
            ++failures;
        }
        switch (o.kind) {
        case Outcome::Kind::Results: ++tally.results; break;
        case Outcome::Kind::Fault:
            ++tally.faults;
            if (cases.plain() && tally.plainFaults.size() < 3)
                tally.plainFaults.push_back(describe() + " -> " + faultText(o.fault));
            break;
        case Outcome::Kind::Message:
            ++tally.messages;
            if (!own.count(o.message))
                ++tally.otherMessages[o.message];
            break;
        }

        // Saving these texts: refused whole, or a file that opens into texts
        // that read back as finite numbers.
        const Encoded saved = encodeProject(*d, fields);
        if (!saved.ok) {
            EXPECT_TRUE(saved.bytes.empty()) << describe();
            EXPECT_FALSE(saved.error.empty()) << describe();
            continue;
        }
        EXPECT_EQ(saved.bytes.size(), 6 * d->project.fields.size()) << describe();
        const Decoded opened = decodeProject(*d, saved.bytes, "x." + d->project.extension);
        ASSERT_TRUE(opened.ok) << describe();
        for (const auto& [name, text] : opened.texts)
            if (!std::isfinite(readField(*d->input(name), FieldState{text, -1}))
                || !rules::checkText("opened", text).empty()) {
                ADD_FAILURE() << describe() << "\n  " << name << " reopens as \"" << text << "\"";
                ++failures;
            }
    }
    std::printf("[ sweep    ] %s: %d cases, %d results, %d messages, %d faults\n", d->className.c_str(),
                kCasesPerWindow, tally.results, tally.messages, tally.faults);
    for (const auto& [m, n] : tally.otherMessages)
        std::printf("[ sweep    ]   %d x model message \"%s\"\n", n, m.c_str());
    for (const auto& f : tally.plainFaults)
        std::printf("[ sweep    ]   fault on plausible values: %s\n", f.c_str());
    // A sweep that never gets past the checks tests nothing of the model.
    EXPECT_GT(tally.results, 0) << d->className << ": no case reached the results";
}

std::vector<int> windowNumbers()
{
    std::vector<int> out;
    for (const auto* d : allWindows())
        out.push_back(d->number);
    return out;
}

INSTANTIATE_TEST_SUITE_P(AllWindows, BadInputSweep, ::testing::ValuesIn(windowNumbers()),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return findWindow(info.param)->className;
                         });

} // namespace
