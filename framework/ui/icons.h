// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>

namespace tarvel::ui {

// Toolbar glyphs, drawn as vector art: open, save, new, compute, gallery,
// print, close.
QIcon toolbarIcon(int command);
// The program's own banner for the main window.
QPixmap bannerPicture(const QSize& size);

} // namespace tarvel::ui
