#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Throughput of tarvel-calc --batch: one process, 100 000 JSON lines of a
# microstrip analysis (a width sweep), evaluations per second, beside the
# rate of the same model run in process (the AnalysisModelGuarded timing of
# microstrip_bench), both in processor time so that a busy machine slows
# both alike.
#   bench/cli_batch.sh [path/to/tarvel-calc] [lines] [path/to/microstrip_bench]
# Falls back to the two-wire analysis where the microstrip window is absent.
set -euo pipefail
calc=${1:-build/cli/tarvel-calc}
lines=${2:-100000}
inproc=${3:-$(dirname "$calc")/../bench/microstrip_bench}
[ -x "$calc" ] || { echo "tarvel-calc not found at $calc (build it, or pass its path)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if "$calc" list | grep -q '^TForm4 '; then
  window=TForm4
  # Widths 0.1 mm to 5.1 mm on 0.79 mm RT/duroid 5880 (picked, so its loss
  # tangent is filled in), copper 35 um typed in millimetres.
  awk -v n="$lines" 'BEGIN {
    for (i = 0; i < n; i++)
      printf "{\"window\": \"TForm4\", \"inputs\": {\"frequencia\": \"10\", \"Combobox2\": \"2.20 - RT/duroid\302\256 5880\", \"Combobox1\": \"57600000\", \"largura\": \"%.5f\", \"ComboBox4\": \"0.79\", \"ComboBox3\": \"0.035\"}}\n", 0.1 + 5.0 * i / n
  }' > "$work/in.jsonl"
else
  window=TForm2
  awk -v n="$lines" 'BEGIN {
    for (i = 0; i < n; i++)
      printf "{\"window\": \"TForm2\", \"inputs\": {\"Frequencia\": \"0.3\", \"ComboBox2\": \"2.10 - PTFE: Polytetrafluoretileno\", \"ComboBox1\": \"57600000\", \"Espacamento\": \"%.5f\", \"diametro\": \"1\"}}\n", 1.5 + 20.0 * i / n
  }' > "$work/in.jsonl"
fi

TIMEFORMAT='%R %U %S'
times=$( { time "$calc" --batch < "$work/in.jsonl" > "$work/out.jsonl"; } 2>&1 )
read -r wall user sys <<< "$times"

out=$(wc -l < "$work/out.jsonl")
ok=$(grep -c '"results"' "$work/out.jsonl" || true)
[ "$out" -eq "$lines" ] || { echo "expected $lines output lines, got $out" >&2; exit 1; }
echo "first answer: $(head -n 1 "$work/out.jsonl")"
awk -v w="$window" -v n="$lines" -v ok="$ok" -v wall="$wall" -v user="$user" -v sys="$sys" 'BEGIN {
  cpu = user + sys
  printf "batch      %s: %d lines (%d with results) in %.3f s (%.3f s of processor) = %.0f evaluations/s\n", w, n, ok, wall, cpu, n / cpu
}'
if [ "$window" = TForm4 ] && [ -x "$inproc" ]; then
  ns=$("$inproc" --benchmark_filter='^AnalysisModelGuarded$' --benchmark_format=csv 2>/dev/null \
       | awk -F, '$1 == "\"AnalysisModelGuarded\"" { print $4 }')
  awk -v ns="$ns" -v n="$lines" -v user="$user" -v sys="$sys" 'BEGIN {
    cpu = user + sys
    printf "in process TForm4 model: %.0f ns of processor = %.0f evaluations/s\n", ns, 1e9 / ns
    printf "batch / in process: %.0f %%\n", 100 * (n / cpu) / (1e9 / ns)
  }'
else
  echo "(no in-process timing: $inproc not found)"
fi
