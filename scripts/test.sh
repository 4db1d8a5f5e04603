#!/usr/bin/env bash
# Installs what is missing, builds the normal tree and the sanitizer tree
# (AddressSanitizer + UndefinedBehaviorSanitizer), and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc 2>/dev/null || echo 2)"

bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && ctest --output-on-failure -j "$jobs")

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTRIVANE_SANITIZE=ON -DTRIVANE_BUILD_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j "$jobs")
