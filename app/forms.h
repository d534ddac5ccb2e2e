// SPDX-License-Identifier: GPL-3.0-or-later
// The window factory: the calculator window classes, by the names the program
// gives them. Most are the generic window with their description; the few
// that behave differently subclass it here in the app.
#pragma once
#include "framework/ui/calculator_window.h"

namespace tarvel::ui {

// A new window of number n, or nullptr while that window does not exist.
CalculatorWindow* createCalculatorWindow(int n, QWidget* parent = nullptr);

} // namespace tarvel::ui
