#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace trivane {

// Counts, over the player's pieces that stand in a closed mill, the slides to a
// neighbouring point that would close a mill there (MillsHeld, then
// SlideMillCount for each link).  It runs at every leaf of every search, so it
// reads the mills through the partner index instead of the general queries;
// the counts are the same.
uint8_t MillRunMoves(uint8_t player) {
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t runs = 0;
  const uint8_t count = PiecesOnBoard(player);
  for (uint8_t n = 1; n <= count; ++n) {
    uint8_t x = 0, y = 0;
    MapEntry(n, player, x, y);
    const uint8_t here = static_cast<uint8_t>(x * BOARD_CELLS + y);
    if (cells[here] != player) continue;
    const MillPartners& own = g_mill_partners[x][y];
    bool held = false;
    for (uint8_t i = 0; i < own.count; ++i)
      if (cells[own.cell[i][0]] == player && cells[own.cell[i][1]] == player) held = true;
    if (!held) continue;
    for (uint8_t k = 0; k < own.links; ++k) {
      const uint8_t to = own.link_cell[k];
      if (to == here || cells[to] != EMPTY_POINT) continue;
      const MillPartners& there = g_mill_partners[to / BOARD_CELLS][to % BOARD_CELLS];
      for (uint8_t i = 0; i < there.count; ++i) {
        const uint8_t a = there.cell[i][0], b = there.cell[i][1];
        if (a != here && b != here && cells[a] == player && cells[b] == player) {
          ++runs;
          break;
        }
      }
    }
  }
  return runs;
}

int32_t grade_postion(uint8_t player) {
  const uint8_t o = Opponent(player);
  const uint8_t loser = CheckGameOver();
  int32_t decision = 0;
  if (loser == player) decision = -400;
  else if (loser == o) decision = 400;
  // A decided position keeps counting its own pieces as an undecided one does:
  // the decision term dominates either way, and among decided positions the
  // one with more material left is still the better.
  const int32_t own = PiecesOnBoard(player);
  return decision + 15 * own - 15 * static_cast<int32_t>(PiecesOnBoard(o)) + 63 * static_cast<int32_t>(MillRunMoves(player)) -
         63 * static_cast<int32_t>(MillRunMoves(o)) + static_cast<int32_t>(Mobility(player) / 3u) -
         static_cast<int32_t>(Mobility(o) / 3u);
}

}  // namespace trivane
