#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole test suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (and the check of float-to-integer conversions
# out of range), headless. Run by scripts/test.sh after the normal suite.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build-asan
# No benchmarks here: they are timing programs, not tests. -O1 with line
# tables only: the sanitizers find the same faults, the reports still name
# file and line, and the build takes half the time of -O2 -g.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_SANITIZE=ON \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
      -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
      -DCMAKE_CXX_FLAGS="-fsanitize=float-cast-overflow -fno-sanitize-recover=float-cast-overflow"
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Stop at the first report. Leaks are checked; the suppression file names
# only allocations made inside Qt and the font libraries, which the GUI
# tests load and which keep caches until the process ends.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/scripts/leaks-outside-tarvel.supp":print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 600
