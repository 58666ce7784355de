#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints the scenario table: each of our
# operations at 100 KB, 1 MB and 4 MB beside its baseline, the ratio
# ours/baseline, the time per node (flat when the cost grows linearly) and
# the peak memory per node. Extra arguments go to the benchmark program
# (for example --benchmark_filter=load).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DSTORYLOOM_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target storyloom_bench

# The allocator keeps freed memory instead of handing it back after every
# iteration: otherwise the times measure how fast the kernel maps fresh
# pages (slow on virtual machines) more than our work. Memory is counted on
# the heap by the benchmark program itself.
GLIBC_TUNABLES=glibc.malloc.trim_threshold=17179869184:glibc.malloc.mmap_threshold=33554432 \
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/storyloom_bench" \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_out="$BUILD_DIR/bench.json" --benchmark_out_format=json "$@"

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Medians of 3 runs. ratio = ours / baseline. peak = highest growth of the heap during one run, per node."
# One row per operation: ours, its baseline. Find all, replace all and undo
# of 1,000 edits join here once their benchmarks register.
PAIRS="load:baseline_read load_model:baseline_standard_model save:baseline_write"
awk -v pairs="$PAIRS" -f "$ROOT/scripts/bench_table.awk" "$BUILD_DIR/bench.json"
