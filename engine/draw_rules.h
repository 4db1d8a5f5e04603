// Draw rules of the host's choosing: a position repeated a given number of
// times, or a run of moves without a mill, ends the game as a draw.  They are
// off until a host turns them on, so a host that knows only the original
// interface sees the game it always saw.  The state lives in draw_rules.cpp
// and is touched only from the exported interface: the search plays its
// moves through the internal operations and never sees a repetition.
#pragma once

#include <cstdint>

namespace trivane {

// Why the game was drawn by a rule (Engine_GetDrawReason).
constexpr uint8_t DRAW_REASON_NONE = 0;
constexpr uint8_t DRAW_REASON_REPETITION = 1;
constexpr uint8_t DRAW_REASON_QUIET_MOVES = 2;

enum class DrawRulesMove : uint8_t { Placement, Slide, Removal };

// repetitions: how often a position must occur (2 or more; less turns the rule
// off).  quiet_moves: moves of both sides counted together without a mill
// (0 turns the rule off).  Kept across games.
void SetDrawRules(uint8_t repetitions, uint8_t quiet_moves);
// A new game or a board set by hand: the history starts again from here.
void DrawRulesNewGame();
// After an export's move succeeded; (to_x, to_y) is where a slide ended.
void DrawRulesAfterMove(DrawRulesMove kind, uint8_t to_x, uint8_t to_y);
// GamePart as the host sees it: 7 for both players once a rule has drawn the game.
uint8_t DrawRulesGamePart(uint8_t player);
uint8_t DrawReason();

}  // namespace trivane
