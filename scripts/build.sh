#!/usr/bin/env bash
# Configures and builds one build tree.  usage: build.sh DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
jobs="$(nproc 2>/dev/null || echo 2)"
launchers=()
# ccache keys leave out the build folder, so the package's tree
# (scripts/package-deb.sh) takes this tree's objects instead of compiling again.
export CCACHE_NOHASHDIR=1
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" "${launchers[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$jobs"
