// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which the factorisation eliminates the unknowns.
#pragma once
#include <vector>

#include "assembly.h"

namespace tarvel::fieldsolve::detail {

// An order of elimination of the unknowns, nested dissection of the grid:
// a rectangle of nodes is cut across its longer side by the line, in its
// middle half, that holds the fewest unknowns (a strip's nodes are fixed);
// the two parts come first, each cut in turn the same way, and the line
// after them. It fills the factor about as little as minimum degree and
// costs next to nothing to find. Then the unknowns of a higher `stage` go
// after all those of lower ones.
std::vector<int> dissection(const Assembly& a, const std::vector<int>& stage);

} // namespace tarvel::fieldsolve::detail
