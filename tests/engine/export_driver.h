// Helpers for driving the engine through its exports only, the way the game
// program does: read the player to move, ask GamePart, and feed that player's
// next move to the call the code names.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "rules_model.h"

namespace trivane_test {

struct Move {
  int a = 0, b = 0, c = 0, d = 0;
};

// One side of the table: the moves a player will make, in order.
struct Caller {
  std::deque<Move> moves;
  std::vector<int> codes_seen;  // GamePart answers this caller was given
};

// Plays until the game ends (code 5, 6 or 7), a caller runs out of moves
// (returns that GamePart code) or a move is refused (returns -1, with a
// failure recorded).
int PlayThroughExports(Caller& player1, Caller& player2);

// Everything a caller can read back through the exports.
struct Observed {
  std::array<uint8_t, 64> cells;  // Engine_GetPieceTable over 0..7 x 0..7
  uint32_t player;
  uint32_t remaining1, remaining2;
  std::array<uint8_t, 80> maps;  // FastMapDEBUG, both players
  bool operator==(const Observed&) const = default;
};

Observed Observe();
Observed ObserveModel(const ModelState& m);
// What differs between the engine's observation e and the expected one w.
std::string Differences(const Observed& e, const Observed& w);

}  // namespace trivane_test
