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

using namespace tarvel;

namespace {

constexpr int kCasesPerWindow = 3000;

// Texts that have broken readers and models before: blanks, words the C
// library would take for numbers, values past the range of a double or of a
// project file, signed zeros, half-typed numbers.
const std::vector<std::string>& adversarialTexts()
{
    static const std::vector<std::string> texts = {
        "", " ", "\t", "   ", "nan", "NaN", "-nan", "inf", "-inf", "Infinity", "1e309", "-1e309", "1e4933",
        "-1e4933", "1e-4950", "1e-320", "-0", "+0", "0", "0.0", "-0.0", "0e0", "1e-300", "-1e-300", "1e300",
        "-1e300", "1.7e38", "1.8e38", "3.4e38", "1e-38", "1e-39", "2,5", "2.5x", "x", "abc", "1e", "1e+", ".", "-",
        "+", "--1", "1..2", "1 2", "0x10", "1e5.5", "\xc2\xb5", std::string(400, '9'), "-" + std::string(400, '9'),
        "-1", "-1e-9", "1e-9", "1e9", "1e15", "4.9e-324", "0.000001", "999999999999", "2147483648",
        "-2147483649", "9223372036854775808", "1e19", "1e-19"};
    return texts;
}

// Every catalogue entry of every window, to type into the wrong box.
const std::vector<std::string>& allEntries()
{
    static const std::vector<std::string> entries = [] {
        std::set<std::string> seen;
        for (const auto* d : allWindows())
            for (const auto& in : d->inputs)
                for (const auto& e : in.entries)
                    if (!e.empty())
                        seen.insert(e);
        return std::vector<std::string>(seen.begin(), seen.end());
    }();
    return entries;
}

std::set<std::string> foreignMessages(const WindowDescription& d)
{
    std::set<std::string> all;
    for (const auto* w : allWindows())
        for (const auto& m : rules::fieldMessages(*w))
            all.insert(m);
    for (const auto& m : rules::fieldMessages(d))
        all.erase(m);
    return all;
}

class Cases {
public:
    Cases(const WindowDescription& d, unsigned seed) : d_(d), rng_(seed) {}

    // True when the last case holds only plausible values (no field spoilt).
    bool plain() const { return plain_; }

    FieldTexts next()
    {
        FieldTexts f;
        const int mode = uniform(0, 9);
        plain_ = mode < 5;
        for (const auto& spec : d_.inputs) {
            if (mode < 5)
                f[spec.name] = plausible(spec); // mostly reaches the model
            else if (mode < 8)
                f[spec.name] = anything(spec);
            else
                f[spec.name] = {number(-15, 15, 0.2), -1}; // far outside any design
        }
        // One or two fields spoilt in an otherwise plausible case.
        if (mode < 5 && !d_.inputs.empty()) {
            const int spoilt = uniform(0, 2);
            plain_ = spoilt == 0;
            for (int k = 0; k < spoilt; ++k) {
                const auto& spec = d_.inputs[std::size_t(uniform(0, int(d_.inputs.size()) - 1))];
                f[spec.name] = anything(spec);
            }
        }
        return f;
    }

private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A decimal of 1e-lo..1e+hi magnitude, negative with the given chance.
    std::string number(int lo, int hi, double negative)
    {
        const double e = std::uniform_real_distribution<double>(lo, hi)(rng_);
        double v = std::pow(10.0, e);
        if (std::bernoulli_distribution(negative)(rng_))
            v = -v;
        char buf[64];
        const int digits = uniform(1, 8);
        std::snprintf(buf, sizeof buf, uniform(0, 3) == 0 ? "%.*e" : "%.*g", digits, v);
        return buf;
    }

    FieldState picked(const InputSpec& spec)
    {
        const int i = uniform(0, int(spec.entries.size()) - 1);
        return {spec.entries[std::size_t(i)], i};
    }

    FieldState plausible(const InputSpec& spec)
    {
        if (spec.kind == InputKind::Combo && !spec.entries.empty() && uniform(0, 2) > 0)
            return picked(spec);
        switch (uniform(0, 5)) {
        case 0: return {number(-4, 0, 0), -1};  // losses, thicknesses
        case 1: return {number(0, 8, 0), -1};   // conductivities, impedances
        case 2: return {std::to_string(uniform(1, 120)), -1};
        default: return {number(-1, 2, 0), -1}; // the usual millimetres and GHz
        }
    }

    FieldState anything(const InputSpec& spec)
    {
        const auto& adv = adversarialTexts();
        switch (uniform(0, 6)) {
        case 0:
        case 1:
        case 2: return {adv[std::size_t(uniform(0, int(adv.size()) - 1))], -1};
        case 3: { // an entry of some catalogue typed into this box
            const auto& all = allEntries();
            if (all.empty())
                break;
            return {all[std::size_t(uniform(0, int(all.size()) - 1))], -1};
        }
        case 4: // this box's own entry, typed rather than picked
            if (!spec.entries.empty())
                return {spec.entries[std::size_t(uniform(0, int(spec.entries.size()) - 1))], -1};
            break;
        case 5: return {number(-40, 40, 0.3), -1};
        default: break;
        }
        return {number(-3, 3, 0.5), -1};
    }

    const WindowDescription& d_;
    std::mt19937 rng_;
    bool plain_ = false;
};

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
            if (!std::isfinite(readNumber(text)) || !rules::checkText("opened", text).empty()) {
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
