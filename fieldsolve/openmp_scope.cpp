// SPDX-License-Identifier: GPL-3.0-or-later
#include "openmp_scope.h"

#include <omp.h>

namespace tarvel::fieldsolve::detail {

namespace {
thread_local int depth = 0;
} // namespace

CallerThreadRegions::CallerThreadRegions() : savedLevels_(omp_get_max_active_levels())
{
    omp_set_max_active_levels(0);
    ++depth;
}

CallerThreadRegions::~CallerThreadRegions()
{
    --depth;
    omp_set_max_active_levels(savedLevels_);
}

bool CallerThreadRegions::active() { return depth > 0; }

} // namespace tarvel::fieldsolve::detail
