// SPDX-License-Identifier: GPL-3.0-or-later
// A template's example with the given dimensions set, checked as valid.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/templates.h"

namespace tarvel::fieldsolve::testing {

inline Design validDesign(Template kind, const std::vector<std::pair<std::string, double>>& values)
{
    Design d = exampleDesign(kind);
    for (const auto& [name, v] : values)
        d.set(name, v);
    EXPECT_EQ(checkDesign(d), "");
    return d;
}

} // namespace tarvel::fieldsolve::testing
