// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's order names every window once, so a window added to the
// program cannot be left out of the menu, and every item has its name.
#include <algorithm>

#include <gtest/gtest.h>

#include "models/all_windows.h"

TEST(MainMenuOrder, EveryWindowOnceWithAPlace)
{
    auto menu = tarvel::mainMenuWindows();
    auto all = tarvel::allWindows();
    ASSERT_EQ(menu.size(), all.size());
    std::sort(menu.begin(), menu.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(menu, all); // nullptr for a number that is no window
    for (const auto* w : all) {
        EXPECT_TRUE(w->menu.folder && !w->menu.caption.empty() && !w->menu.name.empty()) << w->className;
    }
}
