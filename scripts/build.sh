#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR) with extra CMake arguments.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
