// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers of the window tests: a calculator window the test owns, and
// a file's bytes.
#pragma once
#include <memory>

#include <QByteArray>
#include <QFile>

#include "app/forms.h"

namespace tarvel::test {

// Window n, kept alive by the test (not deleted when it closes).
inline std::unique_ptr<ui::CalculatorWindow> window(int n)
{
    std::unique_ptr<ui::CalculatorWindow> w(ui::createCalculatorWindow(n));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tarvel::test
