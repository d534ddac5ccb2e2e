// Every calculator window of the program, in the order of the main menu.
#pragma once
#include <string_view>
#include <vector>

#include "framework/core/window_description.h"

namespace tarvel {

const std::vector<const WindowDescription*>& allWindows();
// By window number, class name or unit (case-insensitive for the names).
const WindowDescription* findWindow(int number);
const WindowDescription* findWindow(std::string_view classOrUnit);
// Names of windows and controls compared as a user types them: ASCII letters
// in either case.
bool sameNoCase(std::string_view a, std::string_view b);

} // namespace tarvel
