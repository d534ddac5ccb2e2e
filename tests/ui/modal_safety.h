// SPDX-License-Identifier: GPL-3.0-or-later
// A test that drives a real modal dialog from a timer rejects whatever
// modal dialog is still open after a while, so that a dialog the test
// failed to answer ends the test instead of hanging the suite.
#pragma once
#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace tarvel::test {

class ModalSafety {
public:
    explicit ModalSafety(int milliseconds = 15000)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        timer_.start(milliseconds);
    }

private:
    QTimer timer_;
};

} // namespace tarvel::test
