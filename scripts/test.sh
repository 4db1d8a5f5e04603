#!/usr/bin/env bash
# Installs what is missing and runs every check of the project, in this order:
#   the formatting and the architecture picture (quick, before any build);
#   the normal tree built (warnings are errors) and every test run, then clang-tidy over the C and
#   C++ files the last commit touched (TRIVANE_TIDY_BASE names another base);
#   the sanitizer tree (AddressSanitizer + UndefinedBehaviorSanitizer) built
#   and every test run, the fuzzing corpora replayed among them;
#   the Windows deliverables cross-built and proven under Wine, and the Debian
#   package installed, started and removed (scripts/test-windows.sh).
# TRIVANE_SKIP_WINDOWS=1 leaves the last step out on a developer's machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc 2>/dev/null || echo 2)"

bash scripts/format.sh --check
bash scripts/architecture-graph.sh --check

bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVANE_WERROR=ON
(cd build && ctest --output-on-failure -j "$jobs")

tidy_base="${TRIVANE_TIDY_BASE:-HEAD~1}"
if git rev-parse --verify -q "$tidy_base^{commit}" >/dev/null; then
  bash scripts/tidy.sh --changed "$tidy_base"
else
  echo "clang-tidy: no commit $tidy_base to compare with in this clone; skipped"
fi

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTRIVANE_SANITIZE=ON -DTRIVANE_BUILD_BENCH=OFF -DTRIVANE_WERROR=ON
(
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  cd build-asan && ctest --output-on-failure -j "$jobs"
)

if [ "${TRIVANE_SKIP_WINDOWS:-0}" != 1 ]; then
  bash scripts/test-windows.sh
fi
