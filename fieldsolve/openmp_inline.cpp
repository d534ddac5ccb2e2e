// SPDX-License-Identifier: GPL-3.0-or-later
// The OpenMP runtime's entry for a parallel region, defined again here
// (built with TARVEL_INLINE_OPENMP): a region opened while the calling
// thread solves a field (CallerThreadRegions) runs its body directly on that
// thread. Even for a team of one the runtime sets up a team and then wakes
// its barrier through the kernel, once per region, and the factorisation
// opens one for many of its small supernodes: that cost about a third of a
// solve. Inside such a body the runtime's queries answer one thread, number
// zero, as in a team of one. Every other region, of any library, goes on to
// the runtime's own definition.
#include <dlfcn.h>

#include "openmp_scope.h"

extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned threads, unsigned flags)
{
    using Entry = void (*)(void (*)(void*), void*, unsigned, unsigned);
    static const Entry runtime = reinterpret_cast<Entry>(dlsym(RTLD_NEXT, "GOMP_parallel"));
    if (tarvel::fieldsolve::detail::CallerThreadRegions::active() || !runtime)
        body(data);
    else
        runtime(body, data, threads, flags);
}
