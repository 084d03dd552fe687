#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for a short while (VESK_FUZZ_SECONDS, default
# 20) from its seed corpus in fuzz/corpus/<target>/; any crash fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VESK_FUZZ_BUILD_DIR:-$here/build-fuzz}
seconds=${VESK_FUZZ_SECONDS:-20}
cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVESK_FUZZ=ON -DVESK_BUILD_TESTS=OFF -DVESK_BUILD_GUI=OFF >/dev/null
targets=()
for src in "$here"/fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$src" .cpp)")
done
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"
for t in "${targets[@]}"; do
  work="$here/fuzz/corpus-work/$t"
  mkdir -p "$work"
  seeds=()
  [ -d "$here/fuzz/corpus/$t" ] && seeds+=("$here/fuzz/corpus/$t")
  echo "== $t ($seconds s) =="
  "$dir/fuzz/$t" -max_total_time="$seconds" -max_len=65536 "$work" "${seeds[@]}"
done
