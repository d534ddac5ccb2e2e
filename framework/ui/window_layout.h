// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of a calculator window: its menu, toolbar and the input and
// result groups, built from the window's description.
#pragma once
#include <QHash>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tarvel::ui {

class CalculatorWindow;

// The toolbar's buttons in their order; the description names each one.
enum ToolbarCommand { Open, Save, New, Compute, Gallery, Print, Close };

// The widgets the window reads and writes, by control name.
struct WindowWidgets {
    QHash<QString, QWidget*> fields;    // input controls: line edits and combo boxes
    QHash<QString, QLineEdit*> results; // result boxes
    QGroupBox* resultGroup = nullptr;   // GroupBox2, the first result group
    QLabel* note = nullptr;             // the line beneath the results, hidden while empty
};

// Builds the widgets of `w` from its description, in their enabling at
// start; menu items, tool buttons and combo-box picks run the window's
// commands.
WindowWidgets layOutWindow(CalculatorWindow& w);

} // namespace tarvel::ui
