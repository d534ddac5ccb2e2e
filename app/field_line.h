// SPDX-License-Identifier: GPL-3.0-or-later
// The field beside every window: after each compute that gives results,
// the window's cross-section is solved on the field pool and one line
// beneath the results gives the field's Z0 and eeff and how far the
// window's formulas are from them. A newer compute, "Novo" or closing the
// window cancels the solve; nothing of it reaches a result, a project file
// or a report.
#pragma once
#include <QString>

#include "fieldsolve/window_check.h"
#include "framework/ui/calculator_window.h"

namespace tarvel::ui {

// Installs the line in every calculator window.
void installFieldLine();

// The line for a finished check, and its ink: amber when a formula is more
// than 2 % from the field, red above 10 %.
struct FieldLine {
    QString text;
    CalculatorWindow::NoteTone tone = CalculatorWindow::NoteTone::Plain;
};
FieldLine fieldLineOf(const fieldsolve::WindowCheck& check);

} // namespace tarvel::ui
