// SPDX-License-Identifier: GPL-3.0-or-later
// The OpenMP regions that the factorisation opens run on the thread that
// asked for the solve, and only there.
//
// The factorisation opens a parallel region for many of its supernodes,
// each asking for a team of several threads. A solve is meant to take one
// core (the program runs its solves beside one another and off the
// interface's thread), so while a CallerThreadRegions lives, the regions
// opened on its thread get a team of one: the thread's own limit of active
// levels is 0 and comes back when it ends; other threads, and this one
// afterwards, are left as they were. With the inline definition of the
// runtime's entry (openmp_inline.cpp, a build option) such a region's body
// is called directly, without the runtime's team and barrier.
#pragma once

namespace tarvel::fieldsolve::detail {

class CallerThreadRegions {
public:
    CallerThreadRegions();
    ~CallerThreadRegions();
    CallerThreadRegions(const CallerThreadRegions&) = delete;
    CallerThreadRegions& operator=(const CallerThreadRegions&) = delete;

    // Whether one is alive on the calling thread.
    static bool active();

private:
    int savedLevels_;
};

} // namespace tarvel::fieldsolve::detail
