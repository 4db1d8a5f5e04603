#!/usr/bin/env bash
# Builds the Windows program with mingw-w64:  scripts/build-windows.sh [i686|x86_64] [cmake options...]
#   i686   -> build-win32/   (32-bit; the engine's exports really carry "@N")
#   x86_64 -> build-win64/   (64-bit, the default)
# Installs what is missing first (mingw-w64, Wine, Xvfb, GoogleTest's sources).
# The game's data is drawn by the data generator, a program of the build
# machine: it is built in the native tree (build/, or TRIVANE_HOST_BUILD) and
# the cross build runs it.  Results: <dir>/bin/TrivaneGUI.exe, TrivaneEngine.dll,
# the tests, and the data beside them; and the distributable zip of the program
# folder, <dir>/Trivane-<version>-win32.zip or -win64.zip.
# TRIVANE_WIN_TARGETS="A B" builds only those targets (and the data);
# TRIVANE_WIN_TARGETS=tests builds what the Windows tests need: the program,
# its DLLs, the JPEG comparison program and every test program CTest runs.
set -euo pipefail
cd "$(dirname "$0")/.."

arch="${1:-x86_64}"
[ $# -gt 0 ] && shift
case "$arch" in
  i686|win32) arch=i686; dir=build-win32 ;;
  x86_64|win64) arch=x86_64; dir=build-win64 ;;
  *) echo "usage: $0 [i686|x86_64] [cmake options...]" >&2; exit 2 ;;
esac
jobs="$(nproc 2>/dev/null || echo 2)"

bash scripts/install-deps.sh
bash scripts/install-windows-deps.sh

launchers=()
# ccache keys leave out the build folder, so the trees of one source share it.
export CCACHE_NOHASHDIR=1
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

host="${TRIVANE_HOST_BUILD:-build}"
if [ ! -f "$host/CMakeCache.txt" ]; then
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launchers[@]}" >/dev/null
fi
cmake --build "$host" -j "$jobs" --target trivane-datagen

cmake -S . -B "$dir" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DTRIVANE_BUILD_BENCH=OFF -DTRIVANE_BUILD_GAME=ON -DTRIVANE_INSTALL_DIR=. \
  -DTRIVANE_DATAGEN="$PWD/$host/bin/trivane-datagen" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "${launchers[@]}" "$@" >/dev/null
if [ "${TRIVANE_WIN_TARGETS:-}" = tests ]; then
  # Each test program's test is named after it (trivane_discover_tests).
  known="$(cmake --build "$dir" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')"
  tests="$(cd "$dir" && ctest -N | sed -n 's/^ *Test *#[0-9]*: *//p' | grep -xF -f <(echo "$known") || true)"
  TRIVANE_WIN_TARGETS="TrivaneGUI JpegLib jpeg-pixels $(echo $tests)"
fi
if [ -n "${TRIVANE_WIN_TARGETS:-}" ]; then
  # Only these targets (and the data), e.g. where the tests cannot run anyway.
  cmake --build "$dir" -j "$jobs" --target $TRIVANE_WIN_TARGETS trivane_data
else
  cmake --build "$dir" -j "$jobs"
fi
# cpack installs what was built: the program, its DLLs and the data (the
# install step would otherwise build every target first).
rm -f "$dir"/Trivane-*.zip
(cd "$dir" && cpack >/dev/null)
ls "$dir"/Trivane-*.zip
