#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for a short while (VESK_FUZZ_SECONDS, default
# 20) from its seed corpus in fuzz/corpus/<target>/; any crash fails the run, and so does a slow or
# greedy input for the readers with time and memory caps.
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
  # The readers of browser profiles and bookmark files promise linear time and bounded memory:
  # an input that takes longer than 2 s or asks for more than 64 MB at once fails the run.
  limits=()
  case $t in
  firefox_session_fuzz | devtools_list_fuzz | chromium_session_fuzz | mozlz4_fuzz | bookmark_reader_fuzz | \
    chromium_bookmarks_fuzz | places_store_fuzz)
    limits=(-timeout=2 -malloc_limit_mb=64 -max_len=1048576)
    ;;
  esac
  echo "== $t ($seconds s) =="
  "$dir/fuzz/$t" -max_total_time="$seconds" -max_len=65536 "${limits[@]}" "$work" "${seeds[@]}"
done
