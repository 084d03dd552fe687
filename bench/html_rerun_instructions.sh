#!/usr/bin/env bash
# The cost of an unchanged HTML re-run against the first run of the 10,000-category collection
# (300,000 links, 20 per page), in instructions counted by callgrind: unlike time, the count does
# not depend on what else the machine runs. Only the two output runs are counted.
# Usage: html_rerun_instructions.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: html_rerun_instructions.sh BUILD_DIR}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg.%p" \
  "$build/bench/bench_html_rerun_cost" --benchmark_format=console >"$out/log" 2>&1 ||
  { cat "$out/log"; exit 1; }
# Each dump names its trigger ("Client Request: first") and its instruction total.
count() {
  local file
  for file in "$out"/cg.*; do
    if grep -q "^desc: Trigger: Client Request: $1\$" "$file"; then
      awk '/^(summary|totals):/ { print $2; exit }' "$file"
      return
    fi
  done
  echo "no dump named $1" >&2
  exit 1
}
first=$(count first)
again=$(count unchanged)
grep '^BM_' "$out/log" || true
printf '%-40s %16s\n' "first run, instructions" "$first"
printf '%-40s %16s\n' "unchanged re-run, instructions" "$again"
awk -v a="$again" -v f="$first" 'BEGIN { printf "%-40s %16.3f   (goal <= 0.250)\n", "re-run / first run", a / f }'
