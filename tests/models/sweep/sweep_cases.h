// SPDX-License-Identifier: GPL-3.0-or-later
// Field texts for the bad-input sweeps, per window and seeded: plausible
// values that reach the model, the same with a field or two spoilt, any
// text at all, and values far outside any design. Shared by the sweep of
// the pure compute and the sweep through the window.
#pragma once
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "framework/core/calculator.h"
#include "models/all_windows.h"
#include "outcome_rules.h"

namespace tarvel::sweep {

// Texts that have broken readers and models before: blanks, words the C
// library would take for numbers, values past the range of a double or of a
// project file, signed zeros, half-typed numbers.
inline const std::vector<std::string>& adversarialTexts()
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
inline const std::vector<std::string>& allEntries()
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

inline std::set<std::string> foreignMessages(const WindowDescription& d)
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
        for (const auto& input : d_.inputs) {
            if (mode < 5)
                f[input.name] = plausible(input); // mostly reaches the model
            else if (mode < 8)
                f[input.name] = anything(input);
            else
                f[input.name] = {number(-15, 15, 0.2), -1}; // far outside any design
        }
        // One or two fields spoilt in an otherwise plausible case.
        if (mode < 5 && !d_.inputs.empty()) {
            const int spoilt = uniform(0, 2);
            plain_ = spoilt == 0;
            for (int k = 0; k < spoilt; ++k) {
                const auto& input = d_.inputs[std::size_t(uniform(0, int(d_.inputs.size()) - 1))];
                f[input.name] = anything(input);
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

    FieldState picked(const InputSpec& input)
    {
        const int i = uniform(0, int(input.entries.size()) - 1);
        return {input.entries[std::size_t(i)], i};
    }

    FieldState plausible(const InputSpec& input)
    {
        if (input.kind == InputKind::Combo && !input.entries.empty() && uniform(0, 2) > 0)
            return picked(input);
        switch (uniform(0, 5)) {
        case 0: return {number(-4, 0, 0), -1};  // losses, thicknesses
        case 1: return {number(0, 8, 0), -1};   // conductivities, impedances
        case 2: return {std::to_string(uniform(1, 120)), -1};
        default: return {number(-1, 2, 0), -1}; // the usual millimetres and GHz
        }
    }

    FieldState anything(const InputSpec& input)
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
            if (!input.entries.empty())
                return {input.entries[std::size_t(uniform(0, int(input.entries.size()) - 1))], -1};
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

} // namespace tarvel::sweep
