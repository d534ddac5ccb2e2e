// SPDX-License-Identifier: GPL-3.0-or-later
#include "huge_pages.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include <sys/mman.h>

namespace tarvel::fieldsolve::detail {

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
} // namespace

void* largeInHugePages(std::size_t n)
{
    if (n < 2 * kHugePage)
        return std::malloc(n);
    void* p = nullptr;
    if (posix_memalign(&p, kHugePage, n) != 0)
        return nullptr;
    madvise(p, n, MADV_HUGEPAGE);
    return p;
}
void* zeroedInHugePages(std::size_t count, std::size_t size)
{
    if (size != 0 && count > std::numeric_limits<std::size_t>::max() / size)
        return nullptr;
    if (count * size < 2 * kHugePage)
        return std::calloc(count, size);
    void* p = largeInHugePages(count * size);
    if (p)
        std::memset(p, 0, count * size);
    return p;
}

} // namespace tarvel::fieldsolve::detail
