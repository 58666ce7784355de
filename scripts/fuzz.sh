#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer) into build-fuzz/ (or
# $FUZZ_BUILD_DIR) and runs each for FUZZ_SECONDS (default 60) from a copy of
# its seed corpus in fuzz/corpus/, all at once. Any crash, sanitizer finding,
# or input that runs longer than 10 s fails the script; the input that did it
# is kept in the build folder and shown as hex.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_EACH="${FUZZ_SECONDS:-60}"
# target name : seed corpus folder (a dictionary fuzz/<folder>.dict is used when present)
TARGETS=(fuzz_eex_reader:reader fuzz_e5_archive:e5 fuzz_profile:profile fuzz_reader_captions:reader
  fuzz_paste:paste fuzz_structure_edit:structure_edit fuzz_converter:converter fuzz_exe_patch:exe_patch fuzz_game_folder:game_folder
  fuzz_handover:handover fuzz_font:font)
# Every CP949 conversion opens a codec, so some targets free a lot of memory
# per input; AddressSanitizer's default 256 MB quarantine of freed memory then
# made the profile target's resident size climb towards 1 GB on tiny inputs.
# A smaller quarantine keeps it near 100 MB; leaks are still found.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=32}"

"$ROOT/scripts/clang_deps.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DSTORYLOOM_FUZZ=ON \
  -DSTORYLOOM_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${TARGETS[@]%%:*}"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
ARTIFACTS="$BUILD_DIR/fuzz-artifacts"
mkdir -p "$ARTIFACTS"
declare -A pid
for t in "${TARGETS[@]}"; do
  name="${t%%:*}" corpus="${t#*:}"
  cp -r "$ROOT/fuzz/corpus/$corpus" "$WORK/$name"
  dict=()
  [ -f "$ROOT/fuzz/$corpus.dict" ] && dict=(-dict="$ROOT/fuzz/$corpus.dict")
  "$BUILD_DIR/fuzz/$name" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="$ARTIFACTS/$name-" "$WORK/$name" >"$WORK/$name.log" 2>&1 &
  pid[$name]=$!
done

failed=0
for t in "${TARGETS[@]}"; do
  name="${t%%:*}"
  if wait "${pid[$name]}"; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$WORK/$name.log")"
    cov="$(grep -o 'cov: [0-9]*' "$WORK/$name.log" | tail -1)"
    rss="$(sed -n 's/^stat::peak_rss_mb: *//p' "$WORK/$name.log")"
    echo "$name: clean, ${runs:-?} inputs in ${SECONDS_EACH}s, $cov, peak ${rss:-?} MB"
  else
    failed=1
    echo "$name: FAILED"
    tail -n 60 "$WORK/$name.log"
    for f in "$ARTIFACTS/$name-"*; do
      [ -e "$f" ] || continue
      echo "input kept in $f:"
      od -A x -t x1z -v "$f" | head -n 40
    done
  fi
done
exit "$failed"
