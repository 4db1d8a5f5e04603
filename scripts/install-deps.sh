#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with, but only
# when some are missing, so a second run costs nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libxcb1-dev libfreetype-dev libfontconfig1-dev libjpeg62-turbo-dev libpng-dev
  fonts-liberation fonts-dejavu-core
  xvfb xdotool xauth x11-apps openbox wmctrl
  clang-format clang-tidy graphviz
  chromium
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
# An update that fails leaves the indexes it could fetch; the install below
# says whether they were enough.
bash "$(dirname "$0")/apt-update.sh" || true
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
