#!/usr/bin/env bash
# Memory and time of tarvel-calc --batch on one line of tiny JSON values (an
# array of empty objects, the worst case of a parsed tree against its text)
# followed by a short line: the peak resident set over the line's length
# should stay below 8, and the short line must still be answered.
#   bench/cli_batch_memory.sh [path/to/tarvel-calc] [sizes in MiB ...]
set -euo pipefail
calc=${1:-build/cli/tarvel-calc}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 4 16)
[ -x "$calc" ] || { echo "tarvel-calc not found at $calc (build it, or pass its path)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
short='{"window":"TForm2","inputs":{"Frequencia":"1"}}'
for mib in "${sizes[@]}"; do
  bytes=$((mib * 1048576 - 16))
  python3 -c "import sys; n=($bytes-2)//3; sys.stdout.write('['+'{},'*n+'{}]\n')" > "$work/in.jsonl"
  echo "$short" >> "$work/in.jsonl"
  line=$(head -n1 "$work/in.jsonl" | wc -c)
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$calc" --batch < "$work/in.jsonl" > "$work/out.jsonl"
  read -r wall user sys maxkb < "$work/time"
  printf '%3d MiB line of empty objects: %6.2f s, peak RSS %7d kB = %.1f x the line, %d answers: %s\n' \
    "$mib" "$wall" "$maxkb" "$(awk -v k="$maxkb" -v l="$line" 'BEGIN { print k * 1024 / l }')" \
    "$(wc -l < "$work/out.jsonl")" "$(head -c 70 "$work/out.jsonl")"
done
