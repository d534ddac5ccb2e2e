// SPDX-License-Identifier: GPL-3.0-or-later
// A design's line against one of its dimensions: the field solved at each
// value of the dimension (one static solve per point), its analysis and,
// when a frequency is asked, the line at that frequency with its losses
// from the same solve. The designer window's plot and the command line's
// sweep --vary both run it.
#pragma once
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "design_losses.h"
#include "designer.h"
#include "rlgc.h"

namespace tarvel::fieldsolve {

// The line at one frequency, with the metals and the layers' loss
// tangents by name ("tand", "tand1", ...; a name not given: no loss).
struct SweepFrequency {
    double f = 0; // Hz
    std::array<MetalLoss, kMetals> metal;
    std::vector<std::pair<std::string, double>> tands;
};

struct DimensionPoint {
    double value = 0; // mm
    Analysis analysis;
    std::optional<LineAt> at; // with a frequency
    double surfaceError = 0;  // of the conductor loss, with a frequency
};

struct DimensionSweep {
    std::vector<DimensionPoint> points;
    std::string failure; // Portuguese, naming the value, when not every point was solved
    bool refused = false; // the failure is invalidDimensionSweep's: nothing was solved
    bool cancelled = false;
};

// The reason a dimension cannot be swept over these values (empty when it
// can): a name the template does not have, one that is not a length, a
// value at which the design fails its checks or, with a frequency, the
// model's limit or metal of no thickness with a finite conductivity; the
// loss inputs; more than kMaxPoints values. Values are in mm; messages
// write them in `unit`.
std::string invalidDimensionSweep(const Design& design, const std::string& name, const std::vector<double>& values,
                                  const std::optional<SweepFrequency>& frequency, Unit unit = Unit::Mm);

// Solves the design at each value of the dimension `name` (mm), after the
// checks of invalidDimensionSweep. A point whose solve fails ends the
// sweep with the reason (the points before it kept); `cancel` stops it at
// the next mesh. `progress` hears of each point solved. A broadside pair
// that is asymmetric at some value is solved at every value by its
// strips' voltages when a frequency is asked, so that every point has the
// same modes (c and pi).
DimensionSweep sweepDimension(const Design& design, const std::string& name, const std::vector<double>& values,
                              const std::optional<SweepFrequency>& frequency, Unit unit = Unit::Mm,
                              const std::atomic<bool>* cancel = nullptr,
                              const std::function<void(int)>& progress = {});

} // namespace tarvel::fieldsolve
