// SPDX-License-Identifier: GPL-3.0-or-later
// The losses of the field designer's board cross-sections: which metal of
// each template's solved section carries the current, how the solved part
// stands for the line, and which loss tangent each of its dielectric layers
// has.
#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "losses.h"
#include "rlgc.h"
#include "templates.h"

namespace tarvel::fieldsolve {

// The frame of a design that passed its checks: of an asymmetric broadside
// pair (solved by the voltages of its strips, not by modes), the matrix
// frame of matrixSection.
LossFrame designLossFrame(const Design& design);
// The frame of a pair's matrixSection.
LossFrame matrixLossFrame(const Design& pair);

// The name of the loss tangent of each dielectric layer of the design's
// solved section, in the layers' order: "tand" (of er), "tand1" and
// "tand2" (of er1 and er2), "tand2" (of an embedded line's er2), "ctand"
// (of the solder mask's cer).
std::vector<std::string> designTandNames(const Design& design);

// The loss tangents' names a template reads.
std::vector<std::string> templateTandNames(Template kind);

// The loss inputs of a design (lengths in mm): the metals, and each of its
// layers' loss tangent by its name (a name not given: no loss).
LossInputs designLossInputs(const Design& design, const std::array<MetalLoss, kMetals>& metal,
                            const std::vector<std::pair<std::string, double>>& tands);

} // namespace tarvel::fieldsolve
