#!/usr/bin/env bash
# Throughput of tarvel-calc --batch: one process, 100 000 JSON lines of a
# microstrip analysis (a width sweep), evaluations per second.
#   bench/cli_batch.sh [path/to/tarvel-calc] [lines]
# Falls back to the two-wire analysis where the microstrip window is absent.
set -euo pipefail
calc=${1:-build/cli/tarvel-calc}
lines=${2:-100000}
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

start=$(date +%s.%N)
"$calc" --batch < "$work/in.jsonl" > "$work/out.jsonl"
end=$(date +%s.%N)

out=$(wc -l < "$work/out.jsonl")
ok=$(grep -c '"results"' "$work/out.jsonl" || true)
[ "$out" -eq "$lines" ] || { echo "expected $lines output lines, got $out" >&2; exit 1; }
echo "first answer: $(head -n 1 "$work/out.jsonl")"
awk -v w="$window" -v n="$lines" -v ok="$ok" -v s="$start" -v e="$end" 'BEGIN {
  t = e - s
  printf "%s: %d lines (%d with results) in %.3f s = %.0f evaluations/s\n", w, n, ok, t, n / t
}'
