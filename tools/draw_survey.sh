#!/usr/bin/env bash
# How computer-against-computer games end with the draw rules on: GAMES games
# per level, each from its own seeded random opening of OPENING plies.
#
#   tools/draw_survey.sh [PLAY] [GAMES] [OPENING]
#
# PLAY is the trivane-play program (default build/bin/trivane-play).  The
# engine's draw proposition is declined, so every draw counted is one of the
# rules.  Prints one line per level: wins of each side, draws by repetition,
# draws by quiet moves, games without a result, and the mean length in plies.
set -euo pipefail
PLAY=${1:-build/bin/trivane-play}
GAMES=${2:-200}
OPENING=${3:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"   # each search writes nodes.txt into the current folder
for level in EASY MEDIUM HARD; do
  p1=0 p2=0 rep=0 quiet=0 other=0 open=0 plies=0
  for seed in $(seq 1 "$GAMES"); do
    out=$("$PLAY" CPUVSCPU "$level" --quiet --answer no --opening "$OPENING" --seed "$seed" --max-moves 2000 | tail -2)
    case "$out" in
      *"Player 1 has won"*) p1=$((p1 + 1)) ;;
      *"Player 2 has won"*) p2=$((p2 + 1)) ;;
      *"third time"*) rep=$((rep + 1)) ;;
      *"without a mill"*) quiet=$((quiet + 1)) ;;
      *"No result"*) open=$((open + 1)) ;;
      *) other=$((other + 1)) ;;
    esac
    n=$(printf '%s\n' "$out" | sed -n 's/^\([0-9]*\) plies played.*/\1/p')
    plies=$((plies + ${n:-0}))
  done
  echo "$level: games $GAMES, player 1 won $p1, player 2 won $p2, draw by repetition $rep," \
       "draw by quiet moves $quiet, other end $other, no result $open, mean plies $((plies / GAMES))"
done
