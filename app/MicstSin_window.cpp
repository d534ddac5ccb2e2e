// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicstSin_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "framework/ui/Dialog2.h"
#include "models/all_windows.h"

namespace tarvel::ui {

TForm17::TForm17(QWidget* parent) : CalculatorWindow(*findWindow(17), parent)
{
    if (auto* f = qobject_cast<QLineEdit*>(keyTarget(QStringLiteral("frequencia")))) {
        f->installEventFilter(this);
        connect(f, &QLineEdit::textEdited, this, &TForm17::frequencyTyped); // a paste
    }
}

bool TForm17::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == keyTarget(QStringLiteral("frequencia")) && isCharacterKey(event))
        frequencyTyped();
    return CalculatorWindow::eventFilter(watched, event);
}

// The file name is left alone here; only these commands come on.
void TForm17::frequencyTyped() { setNamedEnabled({"Novo1", "Salvar1", "SalvarComo1", "Calcular1", "Imprimir1"}, true); }

TForm18::TForm18(QWidget* parent) : CalculatorWindow(*findWindow(18), parent)
{
    if (auto* b = findChild<QPushButton*>(QStringLiteral("Button1")))
        connect(b, &QPushButton::clicked, this, &TForm18::Button1Click);
}

void TForm18::Button1Click() { openCommercialParameters(this); }

} // namespace tarvel::ui
