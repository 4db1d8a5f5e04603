#!/usr/bin/env bash
# The Debian package as a user meets it: made by cpack (scripts/package-deb.sh),
# installed with apt-get, started from its desktop entry's command on a virtual
# display for a computer game (CPUVSCPU EASY), closed through the window's
# close area, and removed again.  The screenshot goes to test-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
art="$PWD/test-artifacts"
mkdir -p "$art"

bash scripts/package-deb.sh
deb="$(ls "$PWD"/build-deb/trivane_*.deb | head -1)"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$deb" >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq trivane >/dev/null 2>&1 || true
}
trap cleanup EXIT

entry=/usr/share/applications/trivane.desktop
[ -f "$entry" ] || { echo "FAIL: no desktop entry"; exit 1; }
[ -f /usr/share/icons/hicolor/64x64/apps/trivane.png ] || { echo "FAIL: no icon"; exit 1; }
[ "$(identify -format '%wx%h' /usr/share/icons/hicolor/64x64/apps/trivane.png)" = 64x64 ] || { echo "FAIL: icon size"; exit 1; }
command="$(sed -n 's/^Exec=//p' "$entry")"
command -v "$command" >/dev/null || { echo "FAIL: '$command' is not on the PATH"; exit 1; }

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

(cd "$work" && exec "$command" CPUVSCPU EASY) >"$work/game.log" 2>&1 &
game_pid=$!
win=""
for _ in $(seq 1 30); do
  win="$(xdotool search --onlyvisible --name "^Trivane GUI" 2>/dev/null | head -1 || true)"
  [ -n "$win" ] && break
  kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game ended at once"; cat "$work/game.log"; exit 1; }
  sleep 1
done
[ -n "$win" ] || { echo "FAIL: no window"; exit 1; }
sleep 6
kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game ended during the computer game"; cat "$work/game.log"; exit 1; }
import -window "$win" "$art/linux-deb-cpuvscpu.png"

width="$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')"
xdotool mousemove --window "$win" $((width - 13)) 15
sleep 1
xdotool click 1
status=""
for _ in $(seq 1 20); do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid" && status=0 || status=$?
    break
  fi
  sleep 1
done
game_pid=""
[ "$status" = 0 ] || { echo "FAIL: the game did not end with exit code 0 after its close area was clicked ($status)"; exit 1; }

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq trivane >/dev/null
! command -v "$command" >/dev/null || { echo "FAIL: $command still there after removal"; exit 1; }
echo "PASS: $(basename "$deb") installed, started from its desktop entry, closed, removed"
