#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60) from its seed corpus. Fails when one finds a crash.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
FUZZ_DIR="${FUZZ_BUILD_DIR:-${BUILD_DIR:-$ROOT/build}-fuzz}"
SECONDS_EACH="${FUZZ_SECONDS:-60}"
cmake -S "$ROOT" -B "$FUZZ_DIR" -G Ninja -DSTORYLOOM_FUZZ=ON -DSTORYLOOM_BENCH=OFF \
      -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$FUZZ_DIR" -j"$(nproc)" --target fuzz_eex_reader fuzz_e5 fuzz_profile
run() {
  local target=$1 seeds=$2 work
  work="$(mktemp -d)"
  # New inputs go to a scratch folder; the seeds in the tree stay as they are.
  (cd "$work" && ASAN_OPTIONS=detect_leaks=0 "$FUZZ_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" "$ROOT/fuzz/corpus/$seeds")
  rm -rf "$work"
}
run fuzz_eex_reader reader
run fuzz_e5 e5
run fuzz_profile profile
