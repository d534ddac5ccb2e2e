// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_layout.h"

namespace tarvel {

std::vector<ReportItem> layoutReport(const ReportSpec& report,
                                     const std::function<std::string(const std::string&)>& textOf)
{
    constexpr int left = 150;
    std::vector<ReportItem> items;
    int y = 200;
    items.push_back({left, y, report.title, true});
    for (const auto& line : report.lines) {
        const bool heading = line.control.empty();
        y += heading || line.wideGap ? 100 : 50;
        items.push_back({left, y, line.label, true});
        if (!heading) {
            std::string value = textOf(line.control);
            if (!value.empty())
                items.push_back({report.valueX, y, std::move(value), false});
        }
    }
    return items;
}

} // namespace tarvel
