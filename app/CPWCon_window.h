// SPDX-License-Identifier: GPL-3.0-or-later
// TForm12, CPW on a conducting substrate: a window with enabling rules of its
// own, and a gallery and about box that it opens without caller flags.
#pragma once
#include "framework/ui/calculator_window.h"

namespace tarvel::ui {

class TForm12 : public CalculatorWindow {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    void Calcular1Click() override;
    void Novo1Click() override;
    void Geometria1Click() override;
    void Sobre1Click() override;

    static const QStringList& resultControls();

protected:
    void keyFieldPressed() override;
    void enableAfterCompute() override;
};

} // namespace tarvel::ui
