#!/usr/bin/env bash
# The Windows deliverables, built with mingw-w64 and proven under Wine:
#   scripts/test-windows.sh [x86_64] [i686]        (default: both)
# For each architecture: build (scripts/build-windows.sh), the engine's export
# and import tables read with objdump, the engine's and the picture library's
# test programs under Wine (on a virtual display: the picture tests draw into
# a window),
# the JPEG pictures decoded by LoadJPEG compared with the Linux decoder, and
# the game from the unzipped zip in a real window
# (scripts/windows-window-test.sh).  Steps that need Wine to run a program of
# that architecture are skipped, with a note, on a machine whose Wine cannot
# (32-bit Wine needs a kernel that runs i386 programs).
# Then the Linux package: built, installed, started and removed (scripts/test-deb.sh).
# Run after the Linux tests: it uses the native tree build/ for the data
# generator and the Linux side of the JPEG comparison.
set -euo pipefail
cd "$(dirname "$0")/.."

archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)
jobs="$(nproc 2>/dev/null || echo 2)"
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-trivane}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winealsa.drv,winepulse.drv=d;mscoree,mshtml=}"
started=$(date +%s)
failed=0
note() { echo "== $* ($(( $(date +%s) - started )) s)"; }

bash scripts/install-deps.sh
bash scripts/install-windows-deps.sh

wine_for() {
  if [ "$1" = x86_64 ]; then
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else command -v wine64 || command -v wine; fi
  else
    # Only with 32-bit Wine's own loader: without it the wine command falls
    # back to the 64-bit one, which answers --version but runs no i686 program.
    if [ -x /usr/lib/wine/wine ]; then command -v wine; fi
  fi
}

# The largest difference of one colour channel (0..255) and the root mean
# square difference (0..1) between two pictures.
peak() { compare -metric PAE "$1" "$2" null: 2>&1 | sed -n 's/^\([0-9.e+]*\) .*/\1/p' | awk '{printf "%d", $1 / 257 + 0.5}'; }
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'; }

# Every JPEG picture of the game and of the picture tests, decoded by LoadJPEG
# on Linux (libjpeg-turbo) and on Windows (WIC), compared pixel by pixel.
# Decoders may round differently (upsampling of the colour planes, the inverse
# transform); measured with Wine's WIC: back.jpg at most 4 levels of 255 apart,
# the progressive test picture at most 20 (RMSE 0.9 %).  Allowed: 8 for the
# game's back.jpg, 24 for the rest, RMSE at most 2 %.
jpeg_compare() {
  local wine="$1" bin="$2" out; out="$(mktemp -d)"
  cmake --build build -j "$jobs" --target jpeg-pixels >/dev/null
  local ok=1
  for f in "$bin/back.jpg" tests/images/fixtures/*.jpg tests/images/corpus/jpeg_decode/baseline.jpg \
           tests/images/corpus/jpeg_decode/exif.jpg tests/images/corpus/jpeg_decode/progressive.jpg; do
    local n; n="$(basename "$f" .jpg)"
    TRIVANE_HEADLESS=1 build/bin/jpeg-pixels "$f" "$out/$n-linux.ppm"
    "$wine" "$bin/jpeg-pixels.exe" "$f" "$out/$n-windows.ppm"
    if [ ! -s "$out/$n-windows.ppm" ]; then echo "  $n: not decoded on Windows"; ok=0; continue; fi
    local size_l size_w; size_l="$(identify -format '%wx%h' "$out/$n-linux.ppm")"; size_w="$(identify -format '%wx%h' "$out/$n-windows.ppm")"
    local p r limit=24; p="$(peak "$out/$n-linux.ppm" "$out/$n-windows.ppm")"; r="$(rmse "$out/$n-linux.ppm" "$out/$n-windows.ppm")"
    [ "$n" = back ] && limit=8
    echo "  $n $size_w: largest channel difference $p of 255, RMSE $r"
    if [ "$size_l" != "$size_w" ] || [ "$p" -gt "$limit" ] || awk -v r="$r" 'BEGIN{exit !(r > 0.02)}'; then
      echo "  $n: outside the tolerance (size $size_l on Linux, limit $limit)"; ok=0
    fi
  done
  # A damaged file: no crash on either side, whatever each decoder makes of it.
  "$wine" "$bin/jpeg-pixels.exe" tests/images/corpus/jpeg_decode/truncated.jpg "$out/truncated.ppm" >/dev/null 2>&1 \
    || [ $? -eq 1 ] || { echo "  truncated.jpg: the Windows decoder crashed"; ok=0; }
  rm -rf "$out"
  [ "$ok" = 1 ]
}

for arch in "${archs[@]}"; do
  case "$arch" in i686) dir=build-win32 ;; x86_64) dir=build-win64 ;; *) echo "unknown $arch"; exit 2 ;; esac
  wine="$(wine_for "$arch")"
  runs=0
  # Wine's loader for the architecture is itself a program of it.
  [ -n "$wine" ] && "$wine" --version >/dev/null 2>&1 && runs=1
  note "$arch: build"
  if [ "$runs" = 1 ]; then
    # The program and what the tests run; not the tools nobody runs here.
    TRIVANE_WIN_TARGETS=tests bash scripts/build-windows.sh "$arch"
  else
    # What can be checked without running: the program, the DLLs, the zip, and
    # the test program whose import table is read.
    TRIVANE_WIN_TARGETS="TrivaneGUI JpegLib engine_export_tests" bash scripts/build-windows.sh "$arch"
  fi

  if [ "$runs" = 1 ]; then
    note "$arch: export table, the engine's and the picture library's tests under Wine"
    # The picture tests draw into real windows: a virtual display for all of
    # them, and a Wine server started on it (one left from before would keep
    # a desktop without a display).
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      "$1" wineboot -i >/dev/null 2>&1
      status=0
      (cd "$2" && ctest --output-on-failure -j "$3") || status=1
      wineserver -k >/dev/null 2>&1
      exit $status' _ "$wine" "$dir" "$jobs" || failed=1
    note "$arch: JPEG pictures, Windows decoder against Linux"
    jpeg_compare "$wine" "$dir/bin" || failed=1
  else
    echo "NOTE: this machine's Wine cannot run $arch programs; only their tables are checked"
    note "$arch: export table"
    (cd "$dir" && ctest --output-on-failure -R engine_windows_export_table) || failed=1
  fi

  zip="$(ls "$dir"/Trivane-*.zip)"
  if [ "$runs" = 1 ]; then
    note "$arch: the game in a real window"
    bash scripts/windows-window-test.sh "$zip" "$wine" || failed=1
  fi
done

# The Linux package, made and proven the same way (scripts/test-deb.sh).
note "Linux package"
bash scripts/test-deb.sh || failed=1

note "done"
exit "$failed"
