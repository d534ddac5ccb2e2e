// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator window of the program.
#pragma once
#include <string_view>
#include <vector>

#include "framework/core/window_description.h"

namespace tarvel {

// In the order of the command line's list.
const std::vector<const WindowDescription*>& allWindows();
// In the order of the main menu: a submenu first shows where its first
// window comes.
const std::vector<const WindowDescription*>& mainMenuWindows();
// By window number, class name or unit (case-insensitive for the names).
const WindowDescription* findWindow(int number);
const WindowDescription* findWindow(std::string_view classOrUnit);
// Names of windows and controls compared as a user types them: ASCII letters
// in either case.
bool sameNoCase(std::string_view a, std::string_view b);

} // namespace tarvel
