#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints the scenario table: each of our
# operations at 100 KB, 1 MB, 4 MB and 20 MB (the long ones also at 60 MB)
# beside its baseline, the ratio
# ours/baseline, the time per node (flat when the cost grows linearly) and
# the peak heap per node. An optional regular expression picks benchmarks by
# name (for example: scripts/bench.sh 'load'). Raw results: $BUILD_DIR/bench/results/.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
PICK="${1:-.}"
"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DSTORYLOOM_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target storyloom_bench
BIN="$BUILD_DIR/bench/storyloom_bench"
RESULTS="$BUILD_DIR/bench/results"
rm -rf "$RESULTS"
mkdir -p "$RESULTS"

# The allocator keeps freed memory instead of handing it back after every
# iteration: otherwise the times measure how fast the kernel maps fresh
# pages (slow on virtual machines) more than our work. Memory is counted on
# the heap by the benchmark program itself.
bench() {
  GLIBC_TUNABLES=glibc.malloc.trim_threshold=17179869184:glibc.malloc.mmap_threshold=33554432 \
  QT_QPA_PLATFORM=offscreen "$BIN" --benchmark_repetitions=5 --benchmark_display_aggregates_only=true "$@"
}
SCENARIO='/(100KB|1MB|4MB|20MB|60MB)/'

# Each scenario benchmark runs in a fresh process, so that none inherits the
# heap another one left behind.
n=0
for name in $("$BIN" --benchmark_list_tests 2>/dev/null | grep -E "$SCENARIO" | cut -d/ -f1,2 | grep -E -- "$PICK"); do
  n=$((n + 1))
  echo "running $name"
  bench --benchmark_filter="^$name/" --benchmark_out="$RESULTS/$n.json" --benchmark_out_format=json \
    >"$RESULTS/$n.log" 2>&1 || { cat "$RESULTS/$n.log"; exit 1; }
done
# Damaged files opened beside an undamaged one of their size, all in one
# process, one after the other.
DAMAGED='^open_damaged/'
damaged=0
if "$BIN" --benchmark_list_tests --benchmark_filter="$DAMAGED" 2>/dev/null | grep -qE -- "$PICK"; then
  damaged=1
  echo "running open_damaged"
  bench --benchmark_filter="$DAMAGED" --benchmark_out="$RESULTS/damaged.json" --benchmark_out_format=json \
    >"$RESULTS/damaged.log" 2>&1 || { cat "$RESULTS/damaged.log"; exit 1; }
fi
# The other benchmarks (start-up, captions, game data...) print their own table.
OTHERS="-(${SCENARIO}|${DAMAGED})"
if "$BIN" --benchmark_list_tests --benchmark_filter="$OTHERS" 2>/dev/null | grep -qE -- "$PICK"; then
  bench --benchmark_filter="$OTHERS" 2>&1 | grep -vE "propagateSizeHints|XDG_RUNTIME_DIR" | grep -E -- "$PICK" || true
fi

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Fastest of 5 runs. ratio = ours / baseline. peak = highest growth of the heap during one run, per node."
# One row per operation: ours, its baseline ("-": none). Find and replace
# print their own lines above.
PAIRS="load:baseline_read load_model:baseline_standard_model save:baseline_write undo_1000:- expand_all:baseline_expand_all find:baseline_find replace_all:- undo_replace:- replace_many:- undo_replace_many:-"
if ((n)); then
  awk -v pairs="$PAIRS" -f "$ROOT/scripts/bench_table.awk" "$RESULTS"/[0-9]*.json
fi
if ((damaged)); then
  echo "Damaged files, opened through the window beside the undamaged file (x = damaged / undamaged):"
  awk -f "$ROOT/scripts/bench_damaged.awk" "$RESULTS/damaged.json"
fi
