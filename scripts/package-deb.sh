#!/usr/bin/env bash
# Makes the Debian package of the game: build-deb/trivane_<version>_<arch>.deb
# (prefix /usr: launcher /usr/bin/trivane-gui, the game in /usr/lib/trivane).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
launchers=()
# ccache keys leave out the build folder: the package's tree takes the objects
# the normal tree (build/, scripts/build.sh) compiled from the same sources.
export CCACHE_NOHASHDIR=1
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DTRIVANE_BUILD_TESTS=OFF -DTRIVANE_BUILD_BENCH=OFF "${launchers[@]}" >/dev/null
cmake --build build-deb -j "$(nproc 2>/dev/null || echo 2)" --target TrivaneGUI trivane_data
rm -f build-deb/trivane_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/trivane_*.deb
