#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Time of tarvel-calc --batch on one very long line (followed by a short
# one), for lines of 25, 50, 100 and 200 MB: the time should grow in
# proportion to the length, and the long line is answered with an error
# line without being held in memory (the peak resident set stays small).
#   bench/cli_long_lines.sh [path/to/tarvel-calc] [sizes in MB ...]
set -euo pipefail
calc=${1:-build/cli/tarvel-calc}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(25 50 100 200)
[ -x "$calc" ] || { echo "tarvel-calc not found at $calc (build it, or pass its path)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
short='{"window":"TForm2","inputs":{"Frequencia":"1"}}'
for mb in "${sizes[@]}"; do
  { printf '{"window":"TForm2","inputs":{"Frequencia":"'
    head -c $((mb * 1000000)) /dev/zero | tr '\0' '1'
    printf '"}}\n%s\n' "$short"; } > "$work/in.jsonl"
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$calc" --batch < "$work/in.jsonl" > "$work/out.jsonl"
  read -r wall user sys maxkb < "$work/time"
  lines=$(wc -l < "$work/out.jsonl")
  first=$(head -c 60 "$work/out.jsonl")
  printf '%4d MB line: %6.2f s (%.2f s of processor), peak RSS %6d kB, %d answers, first: %s...\n' \
    "$mb" "$wall" "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" "$maxkb" "$lines" "$first"
done
