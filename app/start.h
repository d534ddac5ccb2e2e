// What the program sets up before its first window: the number locale, the
// application's name, the toolkit's own dialogs in Portuguese, and the
// auxiliary windows' makers. The tests start the same way.
#pragma once
#include <QIcon>

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

} // namespace tarvel::ui
