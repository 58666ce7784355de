#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and runs the whole test suite.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
cd "${BUILD_DIR:-$ROOT/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
