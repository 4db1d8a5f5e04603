// The grading's mill-run count reads the mills through a partner index built
// from the board tables; it must count exactly what the general mill queries
// count, on every position the game can reach.
#include <random>

#include "TrivaneEngine.h"
#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "search.h"
#include "search_support.h"
#include "state.h"

using namespace trivane;
using namespace search_test;

namespace {

// The count spelled out with the rules' own queries.
uint8_t MillRunMovesByQueries(uint8_t player) {
  uint8_t runs = 0;
  for (uint8_t n = 1; n <= PiecesOnBoard(player); ++n) {
    uint8_t x = 0, y = 0;
    MapEntry(n, player, x, y);
    if (MillsHeld(x, y, player) == 0) continue;
    for (uint8_t k = 1; k <= LinkCount(x, y); ++k) {
      uint8_t lx = 0, ly = 0;
      GetLink(x, y, k, lx, ly);
      if (SlideMillCount(x, y, lx, ly, player) != 0) ++runs;
    }
  }
  return runs;
}

class Grading : public SearchTest {};

TEST_F(Grading, MillRunsOfAHandPosition) {
  // Player 1's mill along the top; (1,1) may slide down to (1,4) and close the
  // mill (1,4)-(2,4)-(3,4).  (7,1) and (4,1) have no such slide.
  // Player 2's mill along the bottom: (4,7) may slide up to (4,6) and close
  // (2,6)-(4,6)-(6,6); the mill (4,5)-(4,6)-(4,7) would need (4,7) itself, and
  // (1,7) sliding to (1,4) finds that mill held by player 1.
  SetPosition({{1, 1}, {4, 1}, {7, 1}, {2, 4}, {3, 4}}, {{7, 7}, {4, 7}, {1, 7}, {2, 6}, {6, 6}}, 1, 0, 0);
  EXPECT_EQ(MillRunMoves(1), 1);
  EXPECT_EQ(MillRunMoves(2), 1);
  EXPECT_EQ(MillRunMovesByQueries(1), 1);
  EXPECT_EQ(MillRunMovesByQueries(2), 1);
}

TEST_F(Grading, MillRunsAgreeWithTheMillQueriesOnPlayedPositions) {
  std::mt19937 rng(20261208);
  long positions = 0, with_runs = 0;
  for (int game = 0; game < 300; ++game) {
    InitEngine();
    for (int ply = 0; ply < 120; ++ply) {
      for (uint8_t p = 1; p <= 2; ++p) {
        const uint8_t fast = MillRunMoves(p);
        ASSERT_EQ(fast, MillRunMovesByQueries(p)) << "game " << game << " ply " << ply << " player " << int(p);
        ++positions;
        if (fast) ++with_runs;
      }
      if (!PlayRandomMove(rng)) break;
    }
  }
  // The comparison means something only if mill runs actually occur.
  EXPECT_GT(with_runs, positions / 50) << with_runs << " of " << positions;
}

}  // namespace
