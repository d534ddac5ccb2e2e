// SPDX-License-Identifier: GPL-3.0-or-later
// What the program sets up before its first window: the number locale, the
// application's name, the toolkit's own dialogs in Portuguese, and the
// auxiliary windows' makers. The tests start the same way.
#pragma once
#include <QIcon>
#include <QStringList>

#include "framework/core/window_description.h"

namespace tarvel::ui {

// The application's name, as the desktop shows it. Window titles are the
// windows' captions alone: no display name is set, so none is appended.
inline constexpr const char* applicationName = "Projeto Tarvel 98";

// The program's icon: the one the icon theme holds under the desktop's name
// for the program (installed with it), else the copy built into the program.
QIcon applicationIcon();

// Call once, after the QApplication is made. Sets the icon of every window. Returns false when the
// toolkit's Portuguese translations are not installed (the dialogs then
// keep the toolkit's English).
bool startApplication();

class TForm1;

// The window kind whose projects a file is, by its extension as the open
// dialog tells them; where two kinds share one, the kind whose project has
// the file's size. nullptr for a file of no kind.
const tarvel::WindowDescription* projectKind(const QString& path);

// The project files given on the command line (by the file manager, say),
// each opened in a new window of its kind; a file of no kind gets the
// "&Abrir" warning, and a file that cannot be read its message.
void openProjectFiles(TForm1& main, const QStringList& paths);

} // namespace tarvel::ui
