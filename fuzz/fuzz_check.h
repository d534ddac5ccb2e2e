// SPDX-License-Identifier: GPL-3.0-or-later
// A failed property stops the fuzzer (or the corpus replay) with a readable
// reason; libFuzzer then saves the input that broke it.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond, ...)                                                   \
    do {                                                                        \
        if (!(cond)) {                                                          \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__,      \
                         __LINE__, #cond);                                      \
            std::fprintf(stderr, "  " __VA_ARGS__);                             \
            std::fprintf(stderr, "\n");                                         \
            std::abort();                                                       \
        }                                                                       \
    } while (0)

