// What the program sets up before its first window: the number locale, the
// application's name, the toolkit's own dialogs in Portuguese, and the
// auxiliary windows' makers. The tests start the same way.
#pragma once

namespace tarvel::ui {

// The application's name, as the desktop shows it. Window titles are the
// windows' captions alone: no display name is set, so none is appended.
inline constexpr const char* applicationName = "Projeto Tarvel 98";

// Call once, after the QApplication is made. Returns false when the
// toolkit's Portuguese translations are not installed (the dialogs then
// keep the toolkit's English).
bool startApplication();

} // namespace tarvel::ui
