#!/usr/bin/env bash
# Builds the file readers' fuzz targets with clang in build-fuzz and runs each
# for SECONDS (default 60). Fails on any crash, hang, leak or sanitizer report;
# the input that caused it is kept in build-fuzz/fuzz-artifacts.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXLERS_FUZZ=ON \
  -DPIXLERS_UI=OFF -DPIXLERS_BENCHMARKS=OFF -DPIXLERS_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_pixlerfile fuzz_nonfile fuzz_xmlfile

mkdir -p "$build/fuzz-artifacts"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Reader, seed folder, largest input (a little over a 100 by 100 puzzle's
# worth of structure, yet small enough to fuzz quickly), dictionary.
for entry in "pixlerfile pixler 8192 -" "nonfile non 4096 tests/fuzz/non.dict" \
             "xmlfile xml 8192 tests/fuzz/xml.dict"; do
  read -r reader seeds max_len dict <<<"$entry"
  # The grown corpus lives in the build folder; the seeds stay as they are.
  corpus="$build/fuzz-corpus/$reader"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$reader-")
  [ "$dict" != "-" ] && options+=(-dict="$dict")
  echo "== fuzz_$reader for $seconds s"
  "$build/tests/fuzz/fuzz_$reader" "${options[@]}" "$corpus" "tests/fuzz/seeds/$seeds"
done
