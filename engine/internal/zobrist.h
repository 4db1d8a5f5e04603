// Zobrist keys of a compact position for the MASTER search's table and its
// repetition checks: the board, the player to move, the pieces each side
// still has in hand and the removals due (the phase of the turn).  The piece-
// map order and the cached free-link counts are left out on purpose: the same
// board reached by two move orders is the same position for the rules.
#pragma once

#include <cstdint>

#include "movegen.h"

namespace trivane {

// Built once from a fixed seed, so a key means the same in every run.
void BuildZobristKeys();
uint64_t PositionHash(const Position& s);

}  // namespace trivane
