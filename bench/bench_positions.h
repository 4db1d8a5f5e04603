// The positions the search benchmarks time, shared by the benchmark of the
// specified levels and that of MASTER so that both read the same boards.
#pragma once

#include <cstdint>
#include <vector>

namespace bench_positions {

struct Point {
  uint8_t x, y;
};

struct BenchPosition {
  const char* name;
  std::vector<Point> p1, p2;
  uint8_t to_move, left1, left2;
};

// Player 1's eighth placement, an open middle game and a flying ending.
const std::vector<BenchPosition>& Positions();

// Sets the engine's game to the position (pieces, pieces to place, player to move).
void SetUpGame(const BenchPosition& position);

}  // namespace bench_positions
