// SPDX-License-Identifier: GPL-3.0-or-later
// TForm17 and TForm18, the microstrip synthesis windows, with what they do
// beyond the generic window.
#pragma once
#include "framework/ui/calculator_window.h"

namespace tarvel::ui {

// A second key handler on `frequencia` enables a few menu commands only.
class TForm17 : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void frequencyTyped();
};

// The button "..." beside `constdiel` opens the commercial parameters dialog.
class TForm18 : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
    void Button1Click();
};

} // namespace tarvel::ui
