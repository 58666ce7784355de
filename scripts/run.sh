#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and starts the editor.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
exec "${BUILD_DIR:-$ROOT/build}/storyloom" "$@"
