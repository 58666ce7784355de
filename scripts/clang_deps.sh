#!/usr/bin/env bash
# Installs what clang's sanitizers and libFuzzer need beside the compiler:
# its runtime libraries, packaged per clang version.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
major="$(clang++ -dumpversion | cut -d. -f1)"
"$ROOT/scripts/deps.sh" "libclang-rt-$major-dev"
