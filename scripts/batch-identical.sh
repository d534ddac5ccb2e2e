#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows that a change of the code leaves every answer of the command line as
# it was: builds tarvel-calc and the sweep-case generator at a reference
# commit (default: main's first parent, HEAD~1) in a scratch worktree, writes
# the sweep cases of every window as batch lines with the reference's
# generator, runs both builds' `tarvel-calc --batch` over them and compares
# the answers byte for byte. Not run by the test command.
#   scripts/batch-identical.sh [reference commit] [build dir of the tree] [cases per window]
set -euo pipefail
ref=${1:-HEAD~1}
build=${2:-build}
per=${3:-2000}
root=$(git rev-parse --show-toplevel)
cd "$root"
work=$(mktemp -d)
trap 'git worktree remove --force "$work/ref" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

git worktree add -q --detach "$work/ref" "$ref"
cmake -S "$work/ref" -B "$work/ref/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$work/ref/build" -j2 --target tarvel-calc sweep_batch_lines >/dev/null
cmake --build "$build" -j2 --target tarvel-calc >/dev/null

"$work/ref/build/tests/sweep_batch_lines" "$per" > "$work/in.jsonl"
"$work/ref/build/cli/tarvel-calc" --batch < "$work/in.jsonl" > "$work/before.jsonl"
"$build/cli/tarvel-calc" --batch < "$work/in.jsonl" > "$work/after.jsonl"

lines=$(wc -l < "$work/in.jsonl")
results=$(grep -c '"results"' "$work/before.jsonl" || true)
messages=$(grep -c '"message"' "$work/before.jsonl" || true)
if cmp -s "$work/before.jsonl" "$work/after.jsonl"; then
  echo "identical: $lines lines ($results with results, $messages refused) at $(git rev-parse --short "$ref") and in $build"
else
  echo "DIFFERENT answers between $(git rev-parse --short "$ref") and $build:" >&2
  diff <(nl -ba "$work/before.jsonl") <(nl -ba "$work/after.jsonl") | head -20 >&2
  exit 1
fi
