#!/usr/bin/env bash
# Quick start: install what is missing, build, and run the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build/bin
exec ./TrivaneGUI "$@"
