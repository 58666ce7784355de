#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR) with extra CMake arguments.
# Uses ccache when it is installed (optional; shared between checkouts under
# the same parent folder).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"
  export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "${LAUNCHER[@]}" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
