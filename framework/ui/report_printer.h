// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a report page on a printer: "Century Schoolbook" 9 pt, pen width 5.
#pragma once
#include <functional>
#include <string>

#include "framework/core/report_layout.h"

class QPrinter;

namespace tarvel::ui {

// One print job: begin, the page, end. Coordinates are scaled from the
// 300-dpi layout to the printer's resolution, so finer printers give the
// same page instead of overlapping lines.
void printReport(QPrinter& printer, const ReportSpec& report,
                 const std::function<std::string(const std::string&)>& textOf);

} // namespace tarvel::ui
