#!/usr/bin/env bash
# Times the HTML output of the benchmark collection and the same site built by Hugo, on the same
# machine in one go, and prints both times and their ratio. Usage: html_vs_hugo.sh BENCH_BUILD_DIR
set -euo pipefail
bin=${1:?usage: html_vs_hugo.sh BENCH_BUILD_DIR}/bench
command -v hugo >/dev/null || { echo "hugo is not installed (apt-get install hugo)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/vesk-hugo-XXXXXX")
trap 'rm -rf "$work"' EXIT
vesk_ms=$("$bin/bench_html_output_bench" --benchmark_filter=FirstRun --benchmark_format=json |
          python3 -c 'import json,sys; print(json.load(sys.stdin)["benchmarks"][0]["real_time"])')
"$bin/bench_html_hugo_site" "$work/site"
start=$(date +%s%N)
hugo --quiet -s "$work/site" -d "$work/public" >/dev/null
end=$(date +%s%N)
hugo_ms=$(( (end - start) / 1000000 ))
pages=$(find "$work/public" -name '*.html' | wc -l)
echo "vesk HTML output, first run: ${vesk_ms} ms"
echo "hugo build (${pages} pages):  ${hugo_ms} ms"
python3 -c "print('hugo / vesk: %.2f' % ($hugo_ms / $vesk_ms))"
