#!/usr/bin/env bash
# Installs what the Windows builds and their tests need, only when something is
# missing: the mingw-w64 cross compilers, Wine for 64-bit and 32-bit programs,
# GoogleTest's sources (compiled inside each cross build), a virtual X display,
# xdotool to act as the player and ImageMagick to take screenshots, and zip.
set -euo pipefail

PACKAGES=(
  mingw-w64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  googletest
  xvfb xauth xdotool imagemagick x11-utils
  zip unzip
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

# 32-bit Wine comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  NEED_UPDATE=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
# 32-bit Wine on its own: without it the i686 programs are built and their
# tables checked, but not run (scripts/test-windows.sh says so).  Its i386
# libraries must match the versions of the amd64 ones, so an i386 index the
# mirror cannot serve makes it uninstallable while the rest installs.
rest=()
wine32=0
for p in "${missing[@]}"; do
  if [ "$p" = wine32:i386 ]; then wine32=1; else rest+=("$p"); fi
done
# The indexes are fetched when something else is missing or i386 is new.  A
# later call (each Windows build makes one) that lacks only 32-bit Wine tries
# it with the indexes it has, at once, instead of waiting on the mirror again.
# An update that fails leaves the indexes it could fetch; the installs below
# say whether they were enough.
if [ ${#rest[@]} -gt 0 ] || [ "${NEED_UPDATE:-0}" = 1 ]; then
  bash "$(dirname "$0")/apt-update.sh" || true
fi
if [ ${#rest[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${rest[@]}"
fi
if [ "$wine32" = 1 ] &&
  ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends wine32:i386; then
  echo "NOTE: 32-bit Wine could not be installed; the i686 programs will be built but not run"
fi
