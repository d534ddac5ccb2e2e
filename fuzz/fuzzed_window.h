// SPDX-License-Identifier: GPL-3.0-or-later
// The window a fuzz input of the model-level targets is for.
#pragma once
#include <cstddef>
#include <cstdint>

#include "models/all_windows.h"

// The window a fuzz input is for: its first byte names the window by number,
// so that a seed keeps its window as windows are added; other bytes fall on
// the windows in turn. Null for an empty input.
inline const tarvel::WindowDescription* fuzzedWindow(const std::uint8_t* data, std::size_t size)
{
    const auto& windows = tarvel::allWindows();
    if (size == 0 || windows.empty())
        return nullptr;
    const tarvel::WindowDescription* byNumber = tarvel::findWindow(int(data[0]));
    return byNumber ? byNumber : windows[data[0] % windows.size()];
}
