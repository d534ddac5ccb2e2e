// SPDX-License-Identifier: GPL-3.0-or-later
// Expectations on a model's results as the window shows them: every result
// in order with its text, or some of them at the decimals their expected
// text is written with.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/number_text.h"
#include "framework/core/outcome.h"

namespace tarvel::test {

using Texts = std::vector<std::pair<std::string, std::string>>;

inline void expectTexts(const Outcome& o, const Texts& want)
{
    ASSERT_TRUE(o.ok()) << o.message << faultText(o.fault);
    ASSERT_EQ(o.results.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(o.results[i].first, want[i].first);
        EXPECT_EQ(resultText(o.results[i].second), want[i].second) << want[i].first;
    }
}

inline void expectSome(const Outcome& o, const Texts& want)
{
    ASSERT_TRUE(o.ok()) << o.message << faultText(o.fault);
    for (const auto& [name, text] : want) {
        const auto point = text.find('.');
        const int decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
        EXPECT_EQ(formatFixed(o.value(name), decimals), text) << name;
    }
}

} // namespace tarvel::test
