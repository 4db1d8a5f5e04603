#include "bench_positions.h"

#include "rules.h"
#include "state.h"

namespace bench_positions {

const std::vector<BenchPosition>& Positions() {
  static const std::vector<BenchPosition> positions = {
      // Player 1's eighth placement: the first placement the tree decides.
      {"eighth_placement",
       {{1, 1}, {4, 2}, {6, 2}, {3, 4}, {5, 5}, {7, 4}, {2, 6}},
       {{4, 1}, {2, 2}, {2, 4}, {4, 3}, {6, 4}, {4, 6}, {1, 7}},
       1,
       2,
       2},
      // All placed, seven against six, plenty of room to slide.
      {"open_middle_game",
       {{1, 1}, {4, 1}, {2, 2}, {6, 2}, {3, 4}, {5, 4}, {4, 7}},
       {{7, 1}, {4, 2}, {2, 4}, {6, 4}, {4, 5}, {6, 6}},
       1,
       0,
       0},
      // Player 2 flies with three pieces against five.
      {"flyer_ending", {{1, 1}, {4, 1}, {2, 2}, {6, 4}, {4, 6}}, {{7, 7}, {3, 3}, {5, 3}}, 2, 0, 0},
  };
  return positions;
}

void SetUpGame(const BenchPosition& position) {
  trivane::RestartGameState();
  for (const Point& p : position.p1) trivane::PutPiece(p.x, p.y, 1);
  for (const Point& p : position.p2) trivane::PutPiece(p.x, p.y, 2);
  trivane::g_game.remaining_put_pieces[1] = position.left1;
  trivane::g_game.remaining_put_pieces[2] = position.left2;
  trivane::SetPlayer(position.to_move);
}

}  // namespace bench_positions
