// The computer's tree search as it stood before the compact position: each
// position a full copy of the game, moves made by the referee's turn
// operations, the phase asked of GamePart, the grade read from the board and
// the piece maps.  Kept beside the production search so that one benchmark run
// gives both times; both must build the same records.
#pragma once

#include <cstdint>

#include "search.h"

namespace bench_reference {

// As CreateTree, and the computer's move as ComputerMove made it: a tree too
// large for the store grown again one ply shallower, down to two plies.
trivane::ChosenMove CreateTree(uint8_t root_player, const trivane::SearchOptions& options);
trivane::ChosenMove ComputerMove(uint8_t root_player);

}  // namespace bench_reference
