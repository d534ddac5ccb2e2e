// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc check: the answer for a solved check, apart from reading the
// command line, so that every way it can end is tested alone.
#pragma once
#include "fieldsolve/window_check.h"
#include "tool.h"

namespace tarvel::cli {

// The answer of "check" for window d's solved check: the table (or JSON)
// and the exit code (Fault when the field failed or the formula faulted,
// NotReached when the field stopped short of its tolerance).
Run checkAnswer(const WindowDescription& d, const fieldsolve::WindowCheck& c, bool asJson);

} // namespace tarvel::cli
