// The cross-section of a computed calculator window for the gallery's field
// views: the window's check planned, its field solved and its lines traced
// (off the GUI thread), each view with its caption line.
#pragma once
#include <utility>
#include <vector>

#include "app/gallery_drawings.h"
#include "fieldsolve/window_check.h"

namespace tarvel::ui::gallery {

struct OwnViews {
    std::vector<std::pair<View, OwnSection>> views;
    fieldsolve::WindowCheck check;
};

// The views of the plan's structure with the geometry drawn and the
// progress caption, before anything is solved.
OwnViews pendingViews(const fieldsolve::CheckPlan& plan);

// Everything solved: the check and each view's lines and caption. Pure; may
// run on any thread.
OwnViews solvedViews(const fieldsolve::CheckPlan& plan);

} // namespace tarvel::ui::gallery
