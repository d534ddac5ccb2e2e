// SPDX-License-Identifier: GPL-3.0-or-later
// Golden outcomes of the calculator windows: a case is a window and the
// texts typed into its controls (a text equal to a catalogue entry counts
// as picking it); its outcome is what the compute gives through the whole
// chain (reader, checks, model, warnings), each result written with enough
// digits to read back the same long double.
//
// A golden file holds, per case, a "case" line and the outcome lines that
// follow it, tab-separated:
//   case     <unit>  <control>=<text> ...
//   result   <control>  <value>
//   warning  <text>
//   message  <text>
//   fault    DivisionByZero | Invalid | Overflow
// Lines starting with '#' and blank lines are notes.
#pragma once
#include <istream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/outcome.h"
#include "framework/core/window_description.h"

namespace tarvel::golden {

using Given = std::vector<std::pair<std::string, std::string>>;

struct Case {
    int line = 0;       // where it starts in its file
    std::string window; // unit name, e.g. "BifiAna"
    Given given;        // control -> text, in the order typed
    Outcome expected;   // as read from a golden file
};

// The outcome of typing `given` into the window and computing.
Outcome run(const std::string& window, const Given& given);

// A long double in decimal with enough digits to read back unchanged.
std::string exact(Real v);

const char* faultName(Fault f);

void writeCase(std::ostream& out, const std::string& window, const Given& given, const Outcome& o);

// The cases of a golden file; an ill-formed line sets `error` and stops.
std::vector<Case> readGolden(std::istream& in, std::string& error);

// Relative difference within `tolerance` (zero only matches zero).
bool close(Real expected, Real actual, Real tolerance);

// Empty when the actual outcome is the expected one, else what differs.
std::string compare(const Outcome& expected, const Outcome& actual, Real tolerance);

// Everything a window description holds, one fact a line, for the pinned
// descriptions: texts in brackets so that blanks show.
void describeWindow(std::ostream& out, const WindowDescription& d);

} // namespace tarvel::golden
