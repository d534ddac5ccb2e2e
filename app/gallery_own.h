// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-section of a computed calculator window for the gallery's field
// views: the window's check planned, its field solved and its lines traced
// (off the GUI thread), each view with its caption line.
#pragma once
#include <atomic>
#include <utility>
#include <vector>

#include "app/gallery_lines.h"
#include "fieldsolve/window_check.h"

namespace tarvel::ui::gallery {

struct OwnViews {
    std::vector<std::pair<View, FieldPlot>> views;
    fieldsolve::WindowCheck check;
};

// The views of a Ready plan's structure with the geometry drawn and the
// progress caption, before anything is solved.
OwnViews pendingViews(const fieldsolve::CheckPlan& plan);

// Everything solved: the check and each view's lines and caption. Pure; may
// run on any thread. When `cancel` turns true it stops early and returns no
// views, with the solution marked cancelled.
OwnViews solvedViews(const fieldsolve::CheckPlan& plan, const std::atomic<bool>* cancel = nullptr);

// Why a plan that is not Ready has no field to show, as the caption says it.
QString unsolvedCaption(const fieldsolve::CheckPlan& plan);

} // namespace tarvel::ui::gallery
