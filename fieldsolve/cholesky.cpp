// SPDX-License-Identifier: GPL-3.0-or-later
#include "cholesky.h"

#include <dlfcn.h>

#include "huge_pages.h"

namespace tarvel::fieldsolve::detail {

namespace {

// The BLAS beneath the factorisation is whichever the system provides. An
// optimised one keeps a pool of work buffers shared by its calls: a build of
// it without threads of its own (it says so through openblas_get_parallel)
// takes no lock on that pool, and two factorisations at once then corrupt
// each other's blocks. Such a BLAS is called by one solve at a time; any
// other (a threaded optimised build, which locks its pool, or the reference
// one, which keeps no state) by all at once. A threaded build is held at one
// thread: each solve stays on its caller's thread, the dense blocks here
// are small, and the numbers are those of a serial run to the last bit.
bool blasSharedByThreads()
{
    static const bool shared = [] {
        if (auto set = reinterpret_cast<void (*)(int)>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads")))
            set(1);
        const auto parallel = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "openblas_get_parallel"));
        return !parallel || parallel() != 0;
    }();
    return shared;
}

} // namespace

std::unique_lock<std::mutex> Cholesky::blasTurn()
{
    static std::mutex serial;
    if (blasSharedByThreads())
        return {};
    return std::unique_lock<std::mutex>(serial);
}

void Cholesky::setUp()
{
    static const bool once = [] {
        SuiteSparse_config.malloc_func = largeInHugePages;
        SuiteSparse_config.calloc_func = zeroedInHugePages;
        return true;
    }();
    (void)once;
}

} // namespace tarvel::fieldsolve::detail
