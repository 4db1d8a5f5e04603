#!/usr/bin/env bash
# Configures and builds one build tree.  usage: build.sh DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j "$jobs"
