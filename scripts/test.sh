#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds from scratch and runs the whole test suite, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
if [ -x scripts/test-sanitizers.sh ]; then
  scripts/test-sanitizers.sh
fi
