// SPDX-License-Identifier: GPL-3.0-or-later
// The program's texts are UTF-8 std::strings; the widgets take QStrings.
#pragma once
#include <string>

#include <QString>

namespace tarvel::ui {

inline QString toQString(const std::string& s) { return QString::fromStdString(s); }

} // namespace tarvel::ui
