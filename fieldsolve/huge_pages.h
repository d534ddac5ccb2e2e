// SPDX-License-Identifier: GPL-3.0-or-later
// Memory for the factor of a fine mesh.
#pragma once
#include <cstddef>

namespace tarvel::fieldsolve::detail {

// The factor of a fine mesh takes tens of megabytes that are written once,
// page by page: in huge pages the kernel maps them 512 times less often
// and the dense kernels miss the address cache less.
void* largeInHugePages(std::size_t n);
void* zeroedInHugePages(std::size_t count, std::size_t size);

} // namespace tarvel::fieldsolve::detail
