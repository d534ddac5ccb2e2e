// SPDX-License-Identifier: GPL-3.0-or-later
// The small figures of a result caption: the power of ten after "x10"
// (raised) and the mode index after "TE" (lowered).
#pragma once
#include "framework/core/window_description.h"

class QLabel;

namespace tarvel::ui {

// Adds to `label` the small figures its result carries, disabled as the label
// is at start, each kept in the gap the caption leaves for it.
void addSmallFigures(QLabel* label, const ResultSpec& res);

} // namespace tarvel::ui
