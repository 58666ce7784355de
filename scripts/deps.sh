#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
# Extra package names given as arguments are installed the same way.
set -euo pipefail
PACKAGES=(cmake ninja-build g++ clang qt6-base-dev libgl-dev fonts-nanum libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth qt6-translations-l10n "$@")
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
