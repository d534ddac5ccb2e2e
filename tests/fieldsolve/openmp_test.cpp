// SPDX-License-Identifier: GPL-3.0-or-later
// The factorisation's OpenMP regions stay on the solving thread while it
// solves, and nowhere else: other threads, and the same thread afterwards,
// get the teams they ask for.
#include <dlfcn.h>
#include <omp.h>

#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

#include "fieldsolve/field.h"
#include "fieldsolve/openmp_scope.h"

using tarvel::fieldsolve::detail::CallerThreadRegions;

namespace {

// The team size of a region asking for `threads`, and whether every member
// ran on the calling thread. The region is opened as the libraries open
// theirs, through the entry that the process's lookup finds: a pragma here
// would itself make the linker keep the program's definition.
struct Team {
    int size = 0;
    bool onCaller = true;
    std::thread::id caller;
    std::mutex lock;
};

void member(void* data)
{
    Team& t = *static_cast<Team*>(data);
    const std::lock_guard<std::mutex> hold(t.lock);
    t.size = omp_get_num_threads();
    t.onCaller = t.onCaller && std::this_thread::get_id() == t.caller;
}

std::pair<int, bool> region(unsigned threads)
{
    using Entry = void (*)(void (*)(void*), void*, unsigned, unsigned);
    const auto entry = reinterpret_cast<Entry>(dlsym(RTLD_DEFAULT, "GOMP_parallel"));
    if (!entry)
        return {0, false};
    Team t;
    t.caller = std::this_thread::get_id();
    entry(member, &t, threads, 0);
    return {t.size, t.onCaller};
}

} // namespace

TEST(FieldOpenMp, RegionsRunOnTheSolvingThreadOnlyWhileItSolves)
{
    const int levels = omp_get_max_active_levels();
    {
        const CallerThreadRegions solving;
        EXPECT_EQ(region(4), std::make_pair(1, true));
        // Another thread meanwhile is left as it was.
        EXPECT_EQ(std::async(std::launch::async, [] { return region(2); }).get(), std::make_pair(2, false));
    }
    EXPECT_EQ(omp_get_max_active_levels(), levels);
    EXPECT_EQ(region(2), std::make_pair(2, false));
}

#ifdef TARVEL_INLINE_OPENMP
// The region entry that the libraries bind is the program's own, not the
// runtime's: the linker keeps it only when asked, and another compiler's or
// a static runtime would not reach it.
TEST(FieldOpenMp, TheProgramsRegionEntryIsTheOneBound)
{
    auto object = [](const void* address) {
        Dl_info info{};
        return dladdr(address, &info) && info.dli_fname ? std::string(info.dli_fname) : std::string();
    };
    const void* bound = dlsym(RTLD_DEFAULT, "GOMP_parallel");
    ASSERT_NE(bound, nullptr);
    const std::string program = object(reinterpret_cast<const void*>(&tarvel::fieldsolve::length));
    const std::string runtime = object(dlsym(RTLD_DEFAULT, "omp_get_num_threads"));
    EXPECT_EQ(object(bound), program);
    EXPECT_NE(object(bound), runtime);
}
#endif
