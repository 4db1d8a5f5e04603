#include "movegen.h"
#include "search.h"
#include "state.h"

namespace trivane {

// The game's position read through the masks: one grade, shared with the search.
uint8_t MillRunMoves(uint8_t player) { return MillRuns(PositionFromGame(g_game), player); }

int32_t grade_postion(uint8_t player) { return GradePosition(PositionFromGame(g_game), player); }

}  // namespace trivane
