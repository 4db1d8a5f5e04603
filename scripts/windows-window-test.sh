#!/usr/bin/env bash
# The Windows program in a real window, as a user runs it: unzips the
# distributable, starts TrivaneGUI.exe under Wine on a virtual X display, plays
# through the mouse with xdotool, reads the screen with ImageMagick, and closes
# the game through the close area of its window frame.  The screen is large
# enough for the window at twice its size: the first game asks for it with
# ZOOM2 (clicks at doubled positions, Ctrl+minus and Ctrl+plus change the
# size), the second gets it from the automatic choice.
#   scripts/windows-window-test.sh ZIP [WINE] [ARTIFACT-NAME]
# Message boxes are real windows here: any that appears is answered by giving it
# the focus and pressing Return, as a person would.  Screenshots go to
# test-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

zip="$1"
wine="${2:-wine}"
name="${3:-$(basename "$zip" .zip)}"
art="$PWD/test-artifacts"
mkdir -p "$art"
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-trivane}"
# No sound card here: Wine's audio driver reports that on every sound; the
# program does not depend on sounds being heard.  No .NET or HTML engine
# either, whose installers a fresh Wine prefix would otherwise offer.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winealsa.drv,winepulse.drv=d;mscoree,mshtml=}"

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

unzip -q "$zip" -d "$work"
folder="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -1)"
[ -f "$folder/TrivaneGUI.exe" ] || { echo "FAIL: no TrivaneGUI.exe in $zip"; exit 1; }

# A display of its own.
exec 5<> <(:)
screen_w=1280 screen_h=1100
Xvfb -displayfd 5 -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
# A Wine server still running from the steps before (programs run without a
# display) would keep its display-less desktop: end it, so this display's
# desktop is the one the game gets.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
"$wine" wineboot -i >/dev/null 2>&1 || true

# The 24 board points, (x, y) on the 7 x 7 grid; point (x, y) is centred at
# pixel (62x, 62y) of the 500 x 500 picture, which the window shows $scale
# times as large (at window pixel (62x, 62y) times the factor).
scale=1
POINTS="1,1 4,1 7,1 2,2 4,2 6,2 3,3 4,3 5,3 1,4 2,4 3,4 5,4 6,4 7,4 3,5 4,5 5,5 2,6 4,6 6,6 1,7 4,7 7,7"

# One letter per point from a screenshot of the window: r (player 1, red),
# o (player 2, orange) or - (empty), read at the centre of each point.
board() {
  local png="$1" line=""
  for p in $POINTS; do
    local x=$((62 * ${p%,*} * scale)) y=$((62 * ${p#*,} * scale))
    local rgb
    rgb="$(convert "$png" -format "%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]" info:)"
    set -- $rgb
    if [ "$1" -gt 180 ] && [ "$2" -lt 110 ] && [ "$3" -lt 110 ]; then line+="r"
    elif [ "$1" -gt 235 ] && [ "$2" -ge 120 ] && [ "$2" -le 190 ] && [ "$3" -lt 140 ] && [ $(($1 - $2)) -gt 60 ]; then line+="o"
    else line+="-"; fi
  done
  echo "$line"
}
count() { local s="${1//[^$2]/}"; echo "${#s}"; }

main_window() { xdotool search --onlyvisible --name "^Trivane GUI" 2>/dev/null | head -1 || true; }

# Answers every other visible window bigger than a few pixels (message boxes)
# as a person does: gives it the keyboard focus and presses Return on the
# keyboard (XTEST input, not an event sent to the window); keeps a picture of
# each box.
answer_boxes() {
  local main="$1" w
  for w in $(xdotool search --onlyvisible --name ".*" 2>/dev/null || true); do
    [ "$w" = "$main" ] && continue
    local geo; geo="$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
    set -- $geo
    [ "${1:-0}" -gt 40 ] && [ "${2:-0}" -gt 40 ] && [ "${1:-0}" -lt 900 ] || continue
    boxes=$((boxes + 1))
    import -window "$w" "$art/$name-box-$boxes.png" 2>/dev/null || true
    echo "  message box '$(xdotool getwindowname "$w" 2>/dev/null)' answered with Return"
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    xdotool key Return 2>/dev/null || true
    sleep 1
  done
}

# Moves the pointer onto a spot of the picture (the window's pixel times the
# factor), and clicks there a moment later, as a hand does: the program polls
# the pointer and the buttons separately.
point_and_click() {
  xdotool mousemove --window "$win" $(($1 * scale)) $(($2 * scale))
  sleep 1
  xdotool click 1
}

# Starts the game with the given words; sets game_pid and win.
start_game() {
  (cd "$folder" && exec "$wine" TrivaneGUI.exe "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
  win=""
  for _ in $(seq 1 90); do
    win="$(main_window)"
    [ -n "$win" ] && break
    kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game ended before its window showed"; cat "$work/game.log"; exit 1; }
    sleep 1
  done
  [ -n "$win" ] || { echo "FAIL: no game window within 90 s"; exit 1; }
  sleep 3  # the splash and the first drawing
}

# The window's size on the screen, "W H".
window_size() { xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'; }

# Checks that the window shows the 500 x 500 picture `scale` times as large.
check_size() {
  local size; size="$(window_size)"
  echo "  window $size at factor $scale"
  [ "$size" = "$((500 * scale)) $((500 * scale))" ] || { echo "FAIL: the window is $size, not $((500 * scale)) x $((500 * scale))"; exit 1; }
}

# Clicks the close area of the window frame (the cross at the top right) and
# checks that the program ends with exit code 0.
close_game() {
  point_and_click $((500 - 13)) 15
  local status=""
  for _ in $(seq 1 30); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid" && status=0 || status=$?
      break
    fi
    answer_boxes "$win"
    sleep 1
  done
  game_pid_done="$game_pid"
  game_pid=""
  [ -n "$status" ] || { echo "FAIL: the game did not end after a click on its close area"; kill "$game_pid_done"; exit 1; }
  [ "$status" -eq 0 ] || { echo "FAIL: exit code $status after closing"; cat "$work/game.log"; exit 1; }
  echo "  closed through the close area, exit code 0"
}

boxes=0
echo "== $name: TrivaneGUI.exe EASY ZOOM2, a click on point (1,1) at twice its place"
scale=2
start_game EASY ZOOM2
check_size
import -window "$win" "$art/$name-start.png"
before="$(board "$art/$name-start.png")"
[ "$before" = "$(printf -- '-%.0s' $(seq 24))" ] || { echo "FAIL: board not empty at the start: $before"; exit 1; }
point_and_click 62 62
state=""
for _ in $(seq 1 30); do
  sleep 1
  answer_boxes "$win"
  import -window "$win" "$art/$name-easy.png"
  state="$(board "$art/$name-easy.png")"
  [ "${state:0:1}" = "r" ] && [ "$(count "$state" o)" -ge 1 ] && break
done
echo "  board after the click: $state"
[ "${state:0:1}" = "r" ] || { echo "FAIL: no red piece on (1,1)"; exit 1; }
[ "$(count "$state" r)" -eq 1 ] || { echo "FAIL: expected one red piece"; exit 1; }
[ "$(count "$state" o)" -eq 1 ] || { echo "FAIL: the computer did not answer with one piece"; exit 1; }

echo "== $name: a click on the taken point (1,1): the program's box, answered with Return"
seen=$boxes
point_and_click 62 62
for _ in $(seq 1 20); do
  sleep 1
  answer_boxes "$win"
  [ "$boxes" -gt "$seen" ] && break
done
[ "$boxes" -gt "$seen" ] || { echo "FAIL: no box for a piece put on a taken point"; exit 1; }
sleep 2
answer_boxes "$win"
import -window "$win" "$art/$name-after-box.png"
after="$(board "$art/$name-after-box.png")"
[ "$after" = "$state" ] || { echo "FAIL: the board changed after the refused move: $after"; exit 1; }
# The game goes on after the box: the next piece lands, on the first free point.
free=0
while [ "${state:$free:1}" != "-" ]; do free=$((free + 1)); done
set -- $POINTS
shift "$free"
fx=${1%,*} fy=${1#*,}
point_and_click $((62 * fx)) $((62 * fy))
for _ in $(seq 1 30); do
  sleep 1
  answer_boxes "$win"
  import -window "$win" "$art/$name-easy.png"
  state="$(board "$art/$name-easy.png")"
  [ "$(count "$state" r)" -eq 2 ] && [ "$(count "$state" o)" -eq 2 ] && break
done
echo "  board after the next click: $state"
[ "${state:$free:1}" = "r" ] || { echo "FAIL: no red piece on ($fx,$fy) after the box was answered"; exit 1; }

echo "== $name: Ctrl+minus and Ctrl+plus: the window at 1x and back at 2x, the board kept"
# Pressed on the keyboard (XTEST) with the window focused, as a person does.
zoom_key() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key "$1"
  for _ in $(seq 1 10); do
    sleep 1
    [ "$(window_size)" = "$((500 * scale)) $((500 * scale))" ] && break
  done
  sleep 1
  check_size
  import -window "$win" "$art/$name-zoom$scale.png"
  local now; now="$(board "$art/$name-zoom$scale.png")"
  [ "$now" = "$state" ] || { echo "FAIL: the board reads $now at factor $scale"; exit 1; }
}
scale=1
zoom_key ctrl+minus
scale=2
zoom_key ctrl+plus
# Nearest neighbour: the 2x picture is the 1x one with every pixel repeated
# 2 x 2 times (a few pixels may differ where the pointer rests).
convert "$art/$name-zoom1.png" -sample 200% "$work/zoom1x2.png"
differing="$(compare -metric AE "$art/$name-zoom2.png" "$work/zoom1x2.png" null: 2>&1 || true)"
echo "  pixels of the 2x picture that differ from the 1x picture doubled: $differing of 1000000"
awk -v d="$differing" 'BEGIN { exit !(d ~ /^[0-9.e+]+$/ && d + 0 < 10000) }' || { echo "FAIL: the 2x window is not the 1x picture doubled"; exit 1; }
close_game

echo "== $name: TrivaneGUI.exe CPUVSCPU EASY for a few seconds, at the size the screen suggests (2x)"
# 1000 x 1000 fits the 1280 x 1100 screen; its 96 dots per inch offer no 3x.
scale=2
start_game CPUVSCPU EASY
check_size
for _ in $(seq 1 8); do
  sleep 1
  answer_boxes "$win"
done
import -window "$win" "$art/$name-cpuvscpu.png"
state="$(board "$art/$name-cpuvscpu.png")"
echo "  board: $state"
[ "$(count "$state" r)" -ge 2 ] && [ "$(count "$state" o)" -ge 2 ] || { echo "FAIL: the computer players did not play"; exit 1; }
close_game
echo "PASS: $name in a real window ($boxes message boxes answered)"
