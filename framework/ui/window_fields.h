// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of a calculator window's fields: what each input and result box
// holds, and which catalogue entry each combo box stands for.
#pragma once
#include <QHash>
#include <QString>

#include "framework/core/calculator.h"
#include "qt_text.h"
#include "window_layout.h"

namespace tarvel::ui {

class FieldControls {
public:
    // Takes the laid-out widgets; every combo box starts as typed (empty),
    // and typing into it makes it typed again.
    FieldControls(const WindowDescription& d, WindowWidgets widgets);
    FieldControls(const FieldControls&) = delete;
    FieldControls& operator=(const FieldControls&) = delete;

    // The texts (and picks) of every input, as the compute reads them.
    FieldTexts texts() const;
    // The text of an input or result box; empty for another name.
    QString text(const QString& control) const;
    // Sets the text of an input or result box as a program would (no pick).
    void setText(const QString& control, const QString& text);

    enum class Choice {
        User,    // a pick: the entry shown from its start, and what it fills written
        Program, // a selection: the entry alone
    };
    // Shows entry `index` of combo box `control` as picked; what a user's pick
    // fills comes from the core's fills of the pick, as the command line's.
    void choose(const QString& control, int index, Choice how);

    QWidget* field(const QString& name) const { return w_.fields.value(name); }
    QLineEdit* result(const QString& name) const { return w_.results.value(name); }
    QGroupBox* resultGroup() const { return w_.resultGroup; }

private:
    const WindowDescription& d_;
    WindowWidgets w_;
    QHash<QString, int> picked_; // combo box -> picked entry, -1 typed
};

} // namespace tarvel::ui
