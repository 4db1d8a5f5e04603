#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "search.h"

namespace trivane {

uint8_t MillRunMoves(uint8_t player) {
  uint8_t runs = 0;
  const uint8_t count = PiecesOnBoard(player);
  for (uint8_t n = 1; n <= count; ++n) {
    uint8_t x = 0, y = 0;
    MapEntry(n, player, x, y);
    if (MillsHeld(x, y, player) == 0) continue;
    const uint8_t links = LinkCount(x, y);
    for (uint8_t k = 1; k <= links; ++k) {
      uint8_t lx = 0, ly = 0;
      GetLink(x, y, k, lx, ly);
      if (SlideMillCount(x, y, lx, ly, player) != 0) ++runs;
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
