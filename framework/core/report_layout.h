// SPDX-License-Identifier: GPL-3.0-or-later
// The printed report as a list of texts at points, in printer units laid
// out for 300 dots per inch: the title at (150, 200), labels at x = 150,
// values at the window's value column, 50 units a line and 100 before a
// heading.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "window_description.h"

namespace tarvel {

struct ReportItem {
    int x;
    int y;
    std::string text;
    bool isLabel; // the title and the labels; values are not
};

// `textOf` gives a control's current text; an empty value prints nothing.
std::vector<ReportItem> layoutReport(const ReportSpec& report,
                                     const std::function<std::string(const std::string&)>& textOf);

} // namespace tarvel
